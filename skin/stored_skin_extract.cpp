#include "skin/stored_skin_extract.h"

#include <filesystem>
#include <system_error>

#include "skin/archive_file.h"

namespace ac {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool DirectoryExists(std::string_view dir) {
  std::error_code error;
  return !dir.empty() && std::filesystem::is_directory(PathFromUtf8(dir), error);
}

}  // namespace

std::string WithTrailingSeparator(std::string_view destDir) {
  std::string dir(destDir);
  if (dir.empty()) return dir;
  if (IsSeparator(dir.back())) {
    dir.back() = kSeparator;
  } else {
#ifdef _WIN32
    if (dir.size() == 1) dir += ':';
#endif
    dir += kSeparator;
  }
  return dir;
}

void ExtractInternalSkin(const TsStoredSkins& skins, std::string_view nameOfSkin,
                         std::string_view destDir, TMessageSink& sink) {
  bool matched = false;
  for (int i = 0; i < skins.Count(); ++i) {
    if (skins[i].Name != nameOfSkin) continue;
    matched = true;
    if (DirectoryExists(destDir))
      ExtractByIndex(skins, i, destDir, sink);
    else
      sink.Show("Directory does not exists.", TMessageIcon::Error);
  }
  if (!matched) sink.Show("Skin does not exists.", TMessageIcon::Error);
}

bool ExtractByIndex(const TsStoredSkins& skins, int index, std::string_view destDir,
                    TMessageSink& sink) {
  if (index < 0 || index >= skins.Count()) {
    sink.Show("Skin does not exists.", TMessageIcon::Error);
    return false;
  }
  const std::string dir = WithTrailingSeparator(destDir);
  if (!DirectoryExists(dir)) {
    // The result of create_directories is not trusted: it may report false for
    // a name with a trailing separator although it created the folder.
    std::error_code error;
    if (!dir.empty()) std::filesystem::create_directories(PathFromUtf8(dir), error);
    if (!DirectoryExists(dir)) {
      sink.Show(dir + " directory creation error.", TMessageIcon::Error);
      return false;
    }
  }
  const TsStoredSkin& skin = skins[index];
  const std::string file = dir + skin.Name + " extracted.asz";
  if (!SaveArchiveFile(PathFromUtf8(file), skin.PackedData)) {
    sink.Show(file + " could not be written.", TMessageIcon::Error);
    return false;
  }
  return true;
}

}  // namespace ac
