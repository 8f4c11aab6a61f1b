#include "skin/load_masks.h"

#include <string>

#include "core/errors.h"
#include "system/system.h"
#include "skin/load_images.h"
#include "skin/load_rescale.h"
#include "skin/load_sections.h"
#include "skin/option_values.h"
#include "skin/palette.h"
#include "skin/skin_manager_core.h"
#include "skin/skin_model.h"

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
void LoadMasksOf(TacSkinManagerCore& m, TacSkinData& sd, const TOptionsFile& file,
                 const std::vector<int32_t>& skinIndexes, bool skipGlobalInfo) {
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
      if (!GiveMaskBitmap(m, &sd, md, ref.FileName, TUseBitmapCache::Yes)) continue;
      if (md.ImgType == itisaBorder) UpdateCornerFlag(md, md.Bmp ? *md.Bmp : MasterView(m));
      sd.ma.push_back(std::move(md));
    }
  }
}

TacBmpData* FindCached(TacSkinData& sd, std::string_view fileName, const TRect& srcRect) {
  for (TacBmpData& e : sd.BmpArray) {
    if (!e.Bmp) continue;
    if (!fileName.empty() ? e.FileName == fileName : (e.FileName.empty() && e.SrcRect == srcRect))
      return &e;
  }
  return nullptr;
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

bool GiveMaskBitmap(TacSkinManagerCore& m, TacSkinData* sd, TsMaskData& md,
                    std::string_view fileName, TUseBitmapCache cache) {
  const int32_t count = std::max(1, md.ImageCount);
  const std::string path = md.ClassName + "-" + md.PropertyName;
  if (sd && cache == TUseBitmapCache::Yes) {
    if (TacBmpData* e = FindCached(*sd, fileName, md.R)) {
      md.Bmp = e->Bmp;
      md.R = e->Bmp->Bounds();
      md.MulPPi = e->MulPPI;
      md.DivPPI = e->DivPPI;
      md.Width = md.R.Width() / count;
      md.Height = md.R.Height() / (md.MaskType + 1);
      ScaleMaskBands(md, md.Width, md.Height);
      return true;
    }
  }

  if (!fileName.empty()) {
    auto bytes = m.ReadSkinFile(fileName);
    if (!bytes) return false;
    const bool premultiply = m.Brightness() < 1 && md.ImgType != itisaBorder;
    TsBitmapRef image;
    try {
      image = DecodeMaskImage(*bytes, fileName,
                              premultiply ? TPremultiplyPng::Yes : TPremultiplyPng::No);
    } catch (const ESkinImageTooLarge&) {
      throw;
    } catch (const ESkinError&) {
      return false;  // an image that cannot be decoded is dropped like a missing one
    }
    md.R = image->Bounds();
    md.Width = md.R.Width() / count;
    md.Height = md.R.Height() / (md.MaskType + 1);
    const TSmoothing smoothing = IsSmoothedImage(md.ImgType) ? TSmoothing::Yes : TSmoothing::No;
    if (auto scaled = RescaleMaskImage(md, *image, smoothing, ResolvedMainColor(m)))
      image = ShareImage(std::move(*scaled));
    md.Bmp = std::move(image);
    if (sd) {
      TacBmpData e;
      e.MulPPI = md.MulPPi;
      e.DivPPI = md.DivPPI;
      e.MaskType = md.MaskType;
      e.Path = path;
      e.FileName = std::string(fileName);
      e.Bmp = md.Bmp;
      e.R = md.Bmp->Bounds();
      e.Ext = true;
      sd->BmpArray.push_back(std::move(e));
    }
  } else if (md.MulPPi != md.DivPPI && (md.DrawMode & kDrawModeNoRescale) == 0) {
    const TRect srcRect = md.R;
    if (auto scaled = RescaleMaskImage(md, MasterView(m), TSmoothing::No, ResolvedMainColor(m))) {
      md.Bmp = ShareImage(std::move(*scaled));
      if (sd) {
        TacBmpData e;
        e.MulPPI = md.MulPPi;
        e.DivPPI = md.DivPPI;
        e.MaskType = md.MaskType;
        e.Path = path;
        e.Bmp = md.Bmp;
        e.R = md.Bmp->Bounds();
        e.SrcRect = srcRect;
        e.Ext = false;
        sd->BmpArray.push_back(std::move(e));
      }
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

  std::vector<int32_t> own(m.SkinFile.Sections().size());
  for (std::size_t i = 0; i < own.size(); ++i) own[i] = static_cast<int32_t>(i);
  LoadMasksOf(m, sd, m.SkinFile, own, false);

  const TOptionsFile& common = m.CommonSectionsFile();
  if (!common.Sections().empty())
    LoadMasksOf(m, sd, common, CommonSectionIndexes(m.SkinFile, common), true);
}

}  // namespace ac
