#include "skin/load_masks.h"

#include <algorithm>
#include <optional>
#include <string>

#include "core/errors.h"
#include "skin/load_images.h"
#include "skin/load_rescale.h"
#include "skin/load_sections.h"
#include "skin/option_values.h"
#include "skin/palette.h"
#include "skin/skin_manager_core.h"
#include "skin/skin_model.h"
#include "system/system.h"

namespace ac {

namespace {

constexpr int kColorBtnFace = 15;

TColor ResolvedMainColor(const TacSkinManagerCore& m) {
  const TColor c = m.Palette[pcMainColor];
  return c < 0 ? platform::SysColor(c & 0xFF) : c;
}

const TsPixelBuffer& MasterView(const TacSkinManagerCore& m) {
  static const TsPixelBuffer kEmpty;
  return m.MasterBitmap ? *m.MasterBitmap : kEmpty;
}

// Appends the masks of one options file's sections; SkinIndexes gives each
// section's record in gd.
void LoadMasksOf(TacSkinManagerCore& m, TacSkinData& sd, TacBitmapCacheIndex& cache,
                 const TOptionsFile& file, const std::vector<int32_t>& skinIndexes,
                 bool skipGlobalInfo) {
  const TacMaskBitmapContext context{&sd, &cache, true};
  const auto& sections = file.Sections();
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const TOptionSection& section = sections[i];
    if (skipGlobalInfo && UpperCaseAscii(section.Name()) == kGlobalInfo) continue;
    for (const TOptionKey* key : MaskKeysOf(section)) {
      auto variant = FindImageVariant(section, key->Name, sd.PPI, sd.ScaleValue);
      if (!variant) continue;
      const std::string value = UpperCaseAscii(variant->Value);
      const TMaskReference ref =
          ParseCanonicalMask(ToCanonicalMask(value), section.Name(), key->Name, value);
      TsMaskData md = MaskFromReference(m, ref, section.Name(), key->Name, skinIndexes[i], sd.PPI,
                                        kStepPPI[static_cast<std::size_t>(variant->Step)]);
      if (!GiveMaskBitmap(m, context, md, ref.FileName)) continue;
      if (md.ImgType == itisaBorder) UpdateCornerFlag(md, md.Bmp ? *md.Bmp : MasterView(m));
      sd.ma.push_back(std::move(md));
    }
  }
}

std::string Described(const TsMaskData& md) {
  return "mask \"" + md.ClassName + "\" \"" + md.PropertyName + "\"";
}

std::string RectText(const TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "-" + std::to_string(r.Right) +
         "," + std::to_string(r.Bottom);
}

// A mask cut from the master bitmap keeps to it: painting reads state images
// out of R, so a rectangle reaching outside would have it read memory that is
// not the image. What lies outside is cut away; bands stay inside the state
// images that are left.
void ClampToMaster(TacSkinManagerCore& m, const TacMaskBitmapContext& context, TsMaskData& md) {
  const TsPixelBuffer& master = MasterView(m);
  const TRect inside = md.R.Intersect(master.Bounds());
  if (inside == md.R) return;
  if (context.Loading && !master.IsEmpty())
    m.LoadNotes.push_back(
        {TacLoadNote::lnWarning, Described(md) + ": rectangle " + RectText(md.R) +
                                     " reaches outside the " + std::to_string(master.Width) +
                                     " x " + std::to_string(master.Height) + " master bitmap; " +
                                     (inside.IsEmpty() ? "nothing of it" : RectText(inside)) +
                                     " is used (at " + std::to_string(md.MulPPi) + " ppi)"});
  md.R = inside.IsEmpty() ? TRect() : inside;
  md.Width = md.ImageCount > 0 ? md.R.Width() / md.ImageCount : 0;
  md.Height = md.R.Height() / (md.MaskType + 1);
  md.WR = std::max(0, std::min(md.WR, md.Width - md.WL - 1));
  md.WB = std::max(0, std::min(md.WB, md.Height - md.WT - 1));
}

void AddToCache(const TacMaskBitmapContext& context, const std::string& key, TacBmpData entry) {
  if (!context.Sd) return;
  if (context.Cache) context.Cache->emplace(key, context.Sd->BmpArray.size());
  context.Sd->BmpArray.push_back(std::move(entry));
}

}  // namespace

bool IsSmoothedImage(TacImgType type) {
  return type == itisaTexture || type == itisaGlow || type == itisaPngGlyph;
}

TsMaskData MaskFromReference(TacSkinManagerCore& m, const TMaskReference& ref,
                             std::string_view section, std::string_view key, int32_t skinIndex,
                             int32_t mulPPI, int32_t divPPI) {
  TsMaskData md;
  md.PropertyName = std::string(key);
  md.ClassName = std::string(section);
  md.SkinIndex = skinIndex;
  md.DrawMode = ref.DrawMode;
  md.MaskType = ref.MaskType;
  md.ImgType = ref.ImgType;
  md.ImageCount = ref.ImageCount;
  md.R = ref.R;
  md.MasterBmp = m.MasterBitmap;
  md.MulPPi = mulPPI;
  md.DivPPI = divPPI;
  md.WL = ref.WL;
  md.WT = ref.WT;
  md.WR = ref.WR;
  md.WB = ref.WB;
  md.Width = md.ImageCount > 0 ? md.R.Width() / md.ImageCount : 0;
  md.Height = md.R.Height() / (md.MaskType + 1);
  return md;
}

bool GiveMaskBitmap(TacSkinManagerCore& m, const TacMaskBitmapContext& context, TsMaskData& md,
                    std::string_view fileName) {
  const int32_t count = std::max(1, md.ImageCount);
  const std::string path = md.ClassName + "-" + md.PropertyName;
  TacLoadBudget* budget = context.Loading ? &m.LoadBudget : nullptr;

  std::optional<TacSkinFileRef> file;
  if (!fileName.empty()) {
    file = m.FindSkinFile(fileName);
    if (!file) return false;
  } else {
    ClampToMaster(m, context, md);
  }
  const std::string cacheKey = file ? "file " + file->Key : "area " + RectText(md.R);
  const bool rescaledArea =
      !file && md.MulPPi != md.DivPPI && !HasDrawModeBit(md.DrawMode, TDrawModeBit::NoRescale);
  if (context.Sd && context.Cache && (file || rescaledArea)) {
    if (auto found = context.Cache->find(cacheKey); found != context.Cache->end()) {
      const TacBmpData& e = context.Sd->BmpArray[found->second];
      md.Bmp = e.Bmp;
      md.R = e.Bmp->Bounds();
      md.MulPPi = e.MulPPI;
      md.DivPPI = e.DivPPI;
      md.Width = md.R.Width() / count;
      md.Height = md.R.Height() / (md.MaskType + 1);
      ScaleMaskBands(md, md.Width, md.Height);
      return true;
    }
  }

  if (file) {
    auto bytes = m.ReadSkinFile(*file, budget);
    if (!bytes) return false;
    const bool premultiply = m.Brightness() < 1 && md.ImgType != itisaBorder;
    TsBitmapRef image;
    try {
      image = DecodeMaskImage(bytes->View, fileName,
                              premultiply ? TPremultiplyPng::Yes : TPremultiplyPng::No, budget);
    } catch (const ELimitExceeded&) {
      throw;
    } catch (const ESkinError& e) {
      // An image that cannot be decoded is left out like a missing one; a
      // checker still needs to hear of it.
      if (context.Loading)
        m.LoadNotes.push_back({TacLoadNote::lnError, Described(md) + " is left out: " + e.what()});
      return false;
    }
    md.R = image->Bounds();
    md.Width = md.R.Width() / count;
    md.Height = md.R.Height() / (md.MaskType + 1);
    const TSmoothing smoothing = IsSmoothedImage(md.ImgType) ? TSmoothing::Yes : TSmoothing::No;
    if (auto scaled = RescaleMaskImage(md, *image, smoothing, ResolvedMainColor(m), budget))
      image = ShareImage(std::move(*scaled));
    md.Bmp = std::move(image);
    TacBmpData e;
    e.MulPPI = md.MulPPi;
    e.DivPPI = md.DivPPI;
    e.MaskType = md.MaskType;
    e.Path = path;
    e.FileName = std::string(fileName);
    e.Bmp = md.Bmp;
    e.R = md.Bmp->Bounds();
    e.Ext = true;
    AddToCache(context, cacheKey, std::move(e));
  } else if (rescaledArea) {
    const TRect srcRect = md.R;
    if (auto scaled =
            RescaleMaskImage(md, MasterView(m), TSmoothing::No, ResolvedMainColor(m), budget)) {
      md.Bmp = ShareImage(std::move(*scaled));
      TacBmpData e;
      e.MulPPI = md.MulPPi;
      e.DivPPI = md.DivPPI;
      e.MaskType = md.MaskType;
      e.Path = path;
      e.Bmp = md.Bmp;
      e.R = md.Bmp->Bounds();
      e.SrcRect = srcRect;
      e.Ext = false;
      AddToCache(context, cacheKey, std::move(e));
    }
  }
  if (md.Bmp && md.R.IsEmpty()) md.R = md.Bmp->Bounds();
  return true;
}

void LoadAllMasks(TacSkinManagerCore& m, TacSkinData& sd) {
  sd.ClearBmpArray();
  sd.ma.clear();
  // Once the colour offsets reached the palette, its main colour is final.
  if (!m.SharedOffsetsApplied)
    m.Palette[pcMainColor] =
        ReadInteger(m.SkinFile, kGlobalInfo, "COLOR", platform::SysColor(kColorBtnFace));

  TacBitmapCacheIndex cache;
  std::vector<int32_t> own(m.SkinFile.Sections().size());
  for (std::size_t i = 0; i < own.size(); ++i) own[i] = static_cast<int32_t>(i);
  LoadMasksOf(m, sd, cache, m.SkinFile, own, false);

  const TOptionsFile& common = m.CommonSectionsFile();
  if (!common.Sections().empty())
    LoadMasksOf(m, sd, cache, common, CommonSectionIndexes(m.SkinFile, common), true);
}

}  // namespace ac
