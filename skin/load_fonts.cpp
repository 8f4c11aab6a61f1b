#include "skin/load_fonts.h"

#include <algorithm>
#include <string>

#include "skin/option_values.h"
#include "skin/skin_finder.h"
#include "skin/skin_manager_core.h"
#include "skin/skin_sections.h"
#include "system/system.h"

namespace ac {

namespace {

std::string WithoutPath(std::string_view name) {
  const auto slash = name.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? name : name.substr(slash + 1));
}

void AddToProcess(TacEmbeddedFont& font) {
  font.Handle = platform::TPrivateFont::Add(font.FontData.data(), font.FontData.size());
}

}  // namespace

void LoadEmbeddedFonts(TacSkinManagerCore& m) {
  // The previous skin's fonts leave the process with their items.
  m.EmbeddedFonts.clear();
  const TOptionsFile& file = m.SkinFile;
  const int count =
      std::clamp(ReadInteger(file, kGlobalInfo, "FontCount", 0), 0, kMaxEmbeddedFonts);
  auto indexed = [](std::string_view key, int n) { return std::string(key) + std::to_string(n); };

  if (m.SkinIsPacked) {
    for (const TacFileItem& item : m.sc.Files) {
      if (item.FileType != TacFileType::ftFont) continue;
      TacEmbeddedFont font;
      font.FontData = item.Stream;
      for (int n = 0; n < count; ++n) {
        if (ReadText(file, kGlobalInfo, indexed("FontFile", n)) == item.Name) {
          font.FFontName = ReadText(file, kGlobalInfo, indexed("FontName", n));
          break;
        }
      }
      font.FFileName = WithoutPath(item.Name);
      AddToProcess(font);
      m.EmbeddedFonts.push_back(std::move(font));
    }
    return;
  }
  for (int n = 0; n < count; ++n) {
    TacEmbeddedFont font;
    const std::string name = ReadText(file, kGlobalInfo, indexed("FontFile", n));
    if (!name.empty()) {
      TacSkinFileRef ref;
      ref.Name = name;
      if (auto found = FindSkinDiskFile(SkinFilePath(name))) ref.DiskPath = *found;
      auto bytes = ref.DiskPath.empty() ? std::nullopt : m.ReadSkinFile(ref, &m.LoadBudget);
      if (bytes) {
        font.FontData = std::move(bytes->Own);
        font.FFileName = WithoutPath(name);
        font.FFontName = ReadText(file, kGlobalInfo, indexed("FontName", n));
        AddToProcess(font);
      }
    }
    m.EmbeddedFonts.push_back(std::move(font));
  }
}

}  // namespace ac
