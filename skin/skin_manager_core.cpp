#include "skin/skin_manager_core.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <utility>

#include "core/errors.h"
#include "skin/archive_file.h"
#include "skin/load_images.h"
#include "skin/load_masks.h"
#include "skin/load_rescale.h"
#include "skin/option_values.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_finder.h"
#include "skin/skin_loader.h"
#include "system/system.h"

namespace ac {

namespace {

constexpr int kColorInactiveBorder = 11;
bool IsRegularFile(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::is_regular_file(p, ec);
}

const TsPixelBuffer& ViewOf(const TsBitmapRef& b) {
  static const TsPixelBuffer kEmpty;
  return b ? *b : kEmpty;
}

void MirrorCells(const TsPixelBuffer& buf, const TsMaskData& md) {
  const int32_t count = std::max(1, md.ImageCount);
  const int32_t cellWidth = md.R.Width() / count;
  for (int32_t i = 0; i < count; ++i) {
    const TRect cell = TRect::XYWH(md.R.Left + i * cellWidth, md.R.Top, cellWidth, md.R.Height());
    // A cell reaching out of the image is not mirrored: a part of it would
    // change places with pixels that do not belong to it.
    if (cell.IsEmpty() || ClipToBuffer(cell, buf) != cell) continue;
    for (int32_t y = cell.Top; y < cell.Bottom; ++y)
      std::reverse(buf.Row(y) + cell.Left, buf.Row(y) + cell.Right);
  }
}

}  // namespace

TacSkinManagerCore::TacSkinManagerCore(TMessageSink& sink, TsStoredSkinsOwner* skinsOwner)
    : InternalSkins(skinsOwner), FSink(sink) {
  ProgramFolder = ProgramFolderOfThisProcess();
  MasterBitmap = ShareImage(TsPixelImage());
  SkinCommonInfo.SysInactiveBorderColor = platform::SysColor(kColorInactiveBorder);
  for (std::size_t step = 0; step < FallbackSkinData.size(); ++step) {
    FallbackSkinData[step] = std::make_unique<TacSkinData>(this, kStepPPI[step]);
    FallbackSkinData[step]->ScaleValue = static_cast<int32_t>(step);
    FallbackSkinData[step]->LoadParams();
  }
  ClearSkinData();
}

TacSkinManagerCore::~TacSkinManagerCore() = default;

void TacSkinManagerCore::SetBrightness(int32_t value) {
  FBrightness = std::clamp(value, -100, 100);
}

void TacSkinManagerCore::SetCommonSections(std::vector<std::string> lines) {
  std::string text;
  for (std::string& line : lines) {
    if (!line.starts_with(';')) std::erase_if(line, [](char c) { return c == ' ' || c == '\t'; });
    text += line;
    text += '\n';
  }
  FCommonSections = std::move(lines);
  FCommonSectionsFile = TOptionsFile::FromText(text);
}

std::string TacSkinManagerCore::GetFullSkinDirectory() const {
  return ac::GetFullSkinDirectory(SkinDirectory, ProgramFolder);
}

int32_t TacSkinManagerCore::ScaleInt(int32_t value, int32_t sysScale) const {
  return ac::ScaleInt(value, sysScale, Scale);
}

void TacSkinManagerCore::ReportFormatError() {
  const bool changing = HasState(msSkinChanging);
  SetState(msSkinChanging, true);
  FSink.Show("Internal format error in the \"" + SkinName +
                 "\" skin. Please, update this skin to latest version.",
             TMessageIcon::Information);
  SetState(msSkinChanging, changing);
}

bool TacSkinManagerCore::OpenSkinFile() {
  const std::string dir = GetFullSkinDirectory();
  SkinCommonInfo.SkinPath = dir + SkinName + PathSeparator();
  SkinIsPacked = false;
  sc.Clear();

  if (PreviewOptions) {
    SkinFile = TOptionsFile::FromText(*PreviewOptions);
    return true;
  }
  if (auto options = FindSkinDiskFile(SkinFilePath(SkinCommonInfo.SkinPath + "Options.dat"))) {
    TacSkinFileRef ref;
    ref.Name = "Options.dat";
    ref.DiskPath = *options;
    if (auto bytes = ReadSkinFile(ref, &LoadBudget)) {
      SkinFile = TOptionsFile::FromBytes(
          std::string_view(reinterpret_cast<const char*>(bytes->View.data()), bytes->View.size()));
      return true;
    }
  }
  const auto archive = SkinFilePath(dir + SkinName + ".asz");
  if (IsRegularFile(archive)) {
    // An archive of the wrong magic has no options either: both are told.
    if (!ReadSkinArchiveFile(archive, sc, FSink, &LoadBudget) || !sc.Options) {
      ReportFormatError();
      return false;
    }
    SkinIsPacked = true;
    const auto& o = *sc.Options;
    SkinFile = TOptionsFile::FromBytes(
        std::string_view(reinterpret_cast<const char*>(o.data()), o.size()));
    return true;
  }

  SkinCommonInfo.SkinPath.clear();
  int index = InternalSkins.IndexOf(SkinName);
  if (index < 0) {
    if (InternalSkins.Count() == 0) {
      Active = false;
      return false;
    }
    index = 0;
    SkinName = InternalSkins[0].Name;
  }
  const TsStoredSkin& item = InternalSkins[index];
  if (!item.PackedData.empty()) {
    SkinIsPacked = true;
    sc.PackedData = item.PackedData;
    bool read = false;
    try {
      read = ReadSkinArchive(sc, FSink, &LoadBudget);
    } catch (...) {
      sc.ReleasePackedData();
      throw;
    }
    sc.ReleasePackedData();
    if (!read) return false;
    // Without options there is no skin to activate, stored or not.
    if (!sc.Options) {
      ReportFormatError();
      return false;
    }
    SkinFile = TOptionsFile::FromBytes(
        std::string_view(reinterpret_cast<const char*>(sc.Options->data()), sc.Options->size()));
  }
  return true;
}

std::optional<TacSkinFileRef> TacSkinManagerCore::FindSkinFile(std::string_view name) const {
  if (name.empty()) return std::nullopt;
  TacSkinFileRef ref;
  ref.Name = std::string(name);
  if (SkinIsPacked) {
    if (const TacFileItem* f = sc.FindFile(UpperCaseName(name))) {
      ref.Entry = f;
      ref.Key = "entry " + std::to_string(f - sc.Files.data());
      return ref;
    }
  }
  const bool fullPath = name.find(':') != std::string_view::npos;
  // An internal skin has no folder: a relative name would otherwise be looked
  // up wherever the process happens to run.
  if (!fullPath && SkinCommonInfo.SkinPath.empty()) return std::nullopt;
  const std::string path =
      fullPath ? std::string(name) : SkinCommonInfo.SkinPath + std::string(name);
  auto found = FindSkinDiskFile(SkinFilePath(path));
  if (!found) return std::nullopt;
  // "IMG.PNG", ".\IMG.PNG" and "SUB\..\img.png" are one file.
  std::error_code ec;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(*found, ec);
  ref.DiskPath = *found;
  ref.Key = "file " + PathToUtf8(ec ? *found : canonical);
  return ref;
}

std::optional<TacSkinManagerCore::TFileBytes> TacSkinManagerCore::ReadSkinFile(
    const TacSkinFileRef& file, TacLoadBudget* budget) {
  TFileBytes bytes;
  if (file.Entry) {
    bytes.View = file.Entry->Stream;
    return bytes;
  }
  std::error_code ec;
  const auto size = std::filesystem::file_size(file.DiskPath, ec);
  if (ec) return std::nullopt;
  if (budget) budget->ChargeBytes(size, "Skin file \"" + file.Name + "\"");
  try {
    bytes.Own = LoadArchiveFile(file.DiskPath);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  bytes.View = bytes.Own;
  return bytes;
}

std::optional<TacSkinManagerCore::TFileBytes> TacSkinManagerCore::ReadSkinFile(
    std::string_view name) {
  auto ref = FindSkinFile(name);
  if (!ref) return std::nullopt;
  return ReadSkinFile(*ref, &LoadBudget);
}

void TacSkinManagerCore::ClearSkinData() {
  ++FSkinDataGeneration;
  LoadBudget.Reset();
  LoadNotes.clear();
  // The fonts are added again with the common data of the next load.
  EmbeddedFonts.clear();
  SkinCommonInfo.Active = false;
  SkinCommonInfo.Sections = TacSkinCommonInfo::MakeNoSections();
  SkinDataArray.clear();
  CommonDataLoaded = false;
}

bool TacSkinManagerCore::ReloadSkin(TacSkinData& sd) {
  return LoadSkinResolution(*this, sd);
}

TacSkinData& TacSkinManagerCore::CommonSkinData(int32_t aPPI) {
  if (Scale.Designing || aPPI <= 0) aPPI = 96;
  const bool vcl = Scale.Mode == smVCL && !Scale.Designing;
  const auto index = static_cast<std::size_t>(vcl ? PpiToStep(aPPI) : 0);
  // Each slot holds its step's resolution, whichever resolution of that step
  // asks first: 65536 pixels per inch is served by the 192 one.
  if (vcl) aPPI = kStepPPI[index];
  const bool changing = HasState(msSkinChanging);
  if (!IsActive() && !changing && !HasState(msBroadCasting)) {
    TacSkinData& f = *FallbackSkinData[static_cast<std::size_t>(PpiToStep(aPPI))];
    f.PPI = aPPI;
    f.ScalePercent = ScalePercentOf(aPPI);
    return f;
  }
  if (SkinDataArray.size() <= index) {
    const bool wasEmpty = SkinDataArray.empty();
    SkinDataArray.resize(index + 1);
    if (wasEmpty && aPPI != 96 && Scale.Mode == smVCL) CommonSkinData(96);
  }
  auto has96Sections = [&] { return SkinDataArray[0] && !SkinDataArray[0]->gd.empty(); };
  std::unique_ptr<TacSkinData>& slot = SkinDataArray[index];
  if (slot) {
    if (changing && !slot->Initializing && !has96Sections()) ReloadSkin(*slot);
    return *slot;
  }
  slot = std::make_unique<TacSkinData>(this, aPPI);
  TacSkinData& sd = *slot;
  sd.ScaleValue = vcl ? static_cast<int32_t>(index) : PpiToStep(aPPI);
  sd.LoadParams();
  if ((aPPI != 96 && has96Sections()) || (changing && index == 0 && !has96Sections())) {
    if (changing) {
      ReloadSkin(sd);
    } else {
      // Loading on demand happens while painting, where nothing may throw:
      // the resolution stays empty and the reason is shown.
      try {
        ReloadSkin(sd);
      } catch (const std::exception& e) {
        sd.Reset();
        FSink.Show(e.what(), TMessageIcon::Error);
      }
    }
  }
  return sd;
}

void TacSkinManagerCore::LoadResolutionsInUse() {
  switch (Scale.Mode) {
    case smVCL:
      CommonSkinData(96);
      if (Scale.ScreenPPI != 96) CommonSkinData(Scale.ScreenPPI);
      break;
    case smCustomPPI:
      CommonSkinData(Scale.PixelsPerInch);
      break;
    default:
      CommonSkinData(kStepPPI[static_cast<std::size_t>(GetScale(Scale))]);
      break;
  }
}

bool TacSkinManagerCore::ChangeSkin(std::string_view value) {
  const std::string oldName = SkinName;
  SkinName = std::string(value);
  LastChangeFailed = false;
  if (!Active) return false;
  CommonDataLoaded = false;
  SetState(msSkinChanging, true);
  SetState(msRTLFlipped, false);
  SkinName = StripSkinArchiveExtension(value);
  try {
    ClearSkinData();
    LoadResolutionsInUse();
    if (RightToLeft && AllowRTLSysButtons) MirrorTitleGlyphs();
  } catch (const std::exception& e) {
    SkinName = oldName;
    LastChangeFailed = true;
    FSink.Show(e.what(), TMessageIcon::Error);
  }
  SetState(msSkinChanging, false);
  SkinCommonInfo.Active =
      !SkinDataArray.empty() && SkinDataArray[0] && !SkinDataArray[0]->gd.empty();
  return Active;
}

void TacSkinManagerCore::MirrorTitleGlyphs() {
  SetState(msRTLFlipped, !HasState(msRTLFlipped));
  static constexpr std::array<std::string_view, 4> kGlyphs = {"BICONCLOSE", "BICONMAX", "BICONMIN",
                                                              "BICONNORM"};
  // Masks of several resolutions may share an area of the master bitmap;
  // each area is mirrored once.
  std::set<std::pair<const uint8_t*, std::array<int32_t, 4>>> done;
  auto mirror = [&](const TacSkinData& sd, int32_t index) {
    if (!IsValidImgIndex(sd, index)) return;
    const TsMaskData& md = sd.ma[static_cast<std::size_t>(index)];
    const TsPixelBuffer& buf = md.Bmp ? *md.Bmp : ViewOf(MasterBitmap);
    if (buf.IsEmpty()) return;
    if (!done.insert({buf.Bits, {md.R.Left, md.R.Top, md.R.Right, md.R.Bottom}}).second) return;
    MirrorCells(buf, md);
  };
  for (const auto& sd : SkinDataArray) {
    if (!sd) continue;
    for (std::size_t g = 0; g < kGlyphs.size(); ++g) {
      mirror(*sd, GetMaskIndex(*sd, kGlobalInfo, kGlyphs[g]));
      // The glow arrays follow TitleGlyphs: entry 1 is "BICONCLOSE".
      const auto& glows = sd->TitleGlows[g + 1];
      if (!glows.empty()) mirror(*sd, glows[0]);
    }
  }
}

int32_t TacSkinManagerCore::GetScaledMaskData(std::string_view sectionName,
                                              std::string_view propName, TsMaskData& md,
                                              int32_t mulPPI) {
  if (!IsActive()) return -1;
  const TOptionSection* section = SkinFile.Find(sectionName);
  if (!section) return -1;
  std::optional<std::pair<std::string, int>> found;
  auto tryStep = [&](int i) {
    auto v = section->Value(VariantKey(propName, i));
    if (v && !v->empty()) found.emplace(UpperCaseAscii(*v), i);
    return found.has_value();
  };
  for (int i = 0; i < kStepCount && !found; ++i)
    if (kStepPPI[static_cast<std::size_t>(i)] >= mulPPI) tryStep(i);
  for (int i = kStepCount - 1; i >= 0 && !found; --i)
    if (kStepPPI[static_cast<std::size_t>(i)] <= mulPPI) tryStep(i);
  if (!found) return -1;

  try {
    const TMaskReference ref =
        ParseCanonicalMask(ToCanonicalMask(found->first), sectionName, propName, found->first);
    md = MaskFromReference(*this, ref, sectionName, propName, 0, mulPPI,
                           kStepPPI[static_cast<std::size_t>(found->second)]);
    if (!ref.FileName.empty()) {
      if (SkinIsPacked && !sc.FindFile(UpperCaseName(ref.FileName))) return -1;
      if (!GiveMaskBitmap(*this, TacMaskBitmapContext{}, md, ref.FileName)) return -1;
    } else {
      const TsPixelBuffer& master = ViewOf(MasterBitmap);
      std::optional<TsPixelImage> image;
      if (md.MulPPi != md.DivPPI && !HasDrawModeBit(md.DrawMode, TDrawModeBit::NoRescale))
        image = RescaleMaskImage(md, master, TSmoothing::No, Palette[pcMainColor]);
      if (!image) {
        image = CopyArea(master, md.R);
        md.R = image->View().Bounds();
        md.Width = md.ImageCount > 0 ? md.R.Width() / md.ImageCount : 0;
        md.Height = md.R.Height() / (md.MaskType + 1);
      }
      md.Bmp = ShareImage(std::move(*image));
    }
  } catch (const ESkinError&) {
    return -1;
  }
  if (md.ImgType == itisaBorder && md.Bmp) UpdateCornerFlag(md, *md.Bmp);
  return mulPPI;
}

}  // namespace ac
