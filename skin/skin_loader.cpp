#include "skin/skin_loader.h"

#include <string>

#include "skin/color_offsets.h"
#include "skin/load_budget.h"
#include "skin/load_fonts.h"
#include "skin/load_images.h"
#include "skin/load_indexes.h"
#include "skin/load_masks.h"
#include "skin/load_sections.h"
#include "skin/option_values.h"
#include "skin/palette.h"
#include "skin/skin_data_reader.h"
#include "skin/skin_manager_core.h"
#include "system/system.h"

namespace ac {

namespace {

constexpr double kNewestSupportedVersion = 16.99;

// Marks Sd as loading for as long as the loading order runs, also when it
// stops with an error.
class TInitializingScope {
 public:
  explicit TInitializingScope(TacSkinData& sd) : FSd(sd) { FSd.Initializing = true; }
  ~TInitializingScope() { FSd.Initializing = false; }
  TInitializingScope(const TInitializingScope&) = delete;
  TInitializingScope& operator=(const TInitializingScope&) = delete;

 private:
  TacSkinData& FSd;
};

std::optional<TacSkinManagerCore::TFileBytes> ReadMasterFile(TacSkinManagerCore& m,
                                                             const std::string& name) {
  if (name.empty()) return std::nullopt;
  // The archive's names are upper-cased and compared with the value as it is
  // written, so a master named in lower case is not found in an archive.
  if (m.SkinIsPacked) {
    const TacFileItem* f = m.sc.FindFile(name);
    if (!f) return std::nullopt;
    TacSkinFileRef ref;
    ref.Name = name;
    ref.Entry = f;
    return m.ReadSkinFile(ref, &m.LoadBudget);
  }
  return m.ReadSkinFile(name);
}

}  // namespace

std::string VersionWarningText(double version) {
  const std::string number = platform::FormatDecimal(version, 2);
  return std::string("This version of the skin (v") + number +
         ") has not complete support by used Quillfen package release (v" + kEngineVersion + ")." +
         "\r\n" + "Components must be updated to latest version for using this skin.";
}

void LoadSkinCommonData(TacSkinManagerCore& m) {
  const std::string name = ReadText(m.SkinFile, kGlobalInfo, "MASTERBITMAP");
  auto bytes = ReadMasterFile(m, name);
  m.MasterBitmap =
      bytes ? DecodeMasterImage(bytes->View, name, &m.LoadBudget) : ShareImage(TsPixelImage());

  TacSkinCommonInfo info = ReadSkinCommonInfo(m.SkinFile);
  info.Active = false;
  info.SkinPath = m.SkinCommonInfo.SkinPath;
  info.SysInactiveBorderColor = m.SkinCommonInfo.SysInactiveBorderColor;
  info.Sections = TacSkinCommonInfo::MakeNoSections();
  info.OptionsDat = &m.SkinFile;
  m.SkinCommonInfo = std::move(info);

  if (m.SkinCommonInfo.Version > kNewestSupportedVersion && !m.PreviewMode)
    m.Sink().Show(VersionWarningText(m.SkinCommonInfo.Version), TMessageIcon::Warning);
}

bool LoadSkinResolution(TacSkinManagerCore& m, TacSkinData& sd) {
  TInitializingScope scope(sd);
  if (!m.CommonDataLoaded) {
    // The skin is opened once per activation: every resolution reads the
    // same files, so later loads reuse what the first one unpacked.
    if (!m.OpenSkinFile()) return false;
    CheckSectionCount(m.SkinFile.Sections().size());
    LoadEmbeddedFonts(m);
    LoadSkinCommonData(m);
    m.SharedOffsetsApplied = false;
    m.CommonDataLoaded = true;
  }
  sd.Reset();
  sd.LoadParams();
  LoadAllMasks(m, sd);
  LoadAllGeneralData(m, sd);
  InitConstantIndexes(m, sd);
  InitMaskIndexes(m, sd);
  InitMaskParams(m, sd);
  const bool first = !m.SkinDataArray.empty() && m.SkinDataArray.front().get() == &sd;
  if (first) m.Palette = ComputePalette(m.SkinFile, sd.gd);
  ApplyColorOffsets(m, sd);
  CheckShadows(m, sd);
  if (m.OnSkinLoading) m.OnSkinLoading(sd);
  return true;
}

}  // namespace ac
