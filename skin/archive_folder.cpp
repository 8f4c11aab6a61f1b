#include "skin/archive_folder.h"

#include <algorithm>
#include <set>

#include "core/errors.h"
#include "skin/archive_file.h"
#include "skin/archive_reader.h"
#include "skin/skin_convertor.h"

namespace ac {

namespace {

constexpr std::string_view kOptionsName = "OPTIONS.DAT";

bool InArchiveOrder(const TacArchiveSource& a, const TacArchiveSource& b) {
  const bool aOptions = a.Name == kOptionsName;
  const bool bOptions = b.Name == kOptionsName;
  if (aOptions != bOptions) return aOptions;
  return a.Name < b.Name;
}

}  // namespace

std::vector<TacArchiveSource> CollectSkinFolder(const std::filesystem::path& dir,
                                                std::vector<std::string>& skipped) {
  std::error_code error;
  if (!std::filesystem::is_directory(dir, error))
    throw ESkinError(PathToUtf8(dir) + " is not a folder");
  std::vector<TacArchiveSource> entries;
  for (const auto& item : std::filesystem::directory_iterator(dir)) {
    const std::string name = PathToUtf8(item.path().filename());
    if (!item.is_regular_file()) {
      skipped.push_back(name);
      continue;
    }
    entries.push_back({UpperCaseName(name), LoadArchiveFile(item.path())});
  }
  std::sort(entries.begin(), entries.end(), InArchiveOrder);
  const auto same =
      std::adjacent_find(entries.begin(), entries.end(),
                         [](const auto& a, const auto& b) { return a.Name == b.Name; });
  if (same != entries.end())
    throw ESkinError("Two files in " + PathToUtf8(dir) + " are both named \"" + same->Name +
                     "\" in upper case");
  return entries;
}

bool IsSafeEntryName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20;
  });
}

int UnpackSkinArchive(std::span<const std::uint8_t> archive, const std::filesystem::path& dir,
                      std::vector<std::string>& skipped) {
  if (!HasArchiveMagic(archive)) throw ESkinError("Loaded data is not a packed Velmora file");
  // Everything is read before anything is written, so a broken archive leaves
  // no half-written folder behind.
  std::vector<TacArchiveEntry> entries;
  ReadArchiveEntries(archive,
                     [&](TacArchiveEntry&& entry) { entries.push_back(std::move(entry)); });
  for (const auto& entry : entries)
    if (!IsSafeEntryName(entry.Name))
      throw ESkinError("Skin archive entry \"" + entry.Name + "\" is not a plain file name");

  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (!std::filesystem::is_directory(dir, error))
    throw ESkinError("Cannot create the folder " + PathToUtf8(dir));
  std::set<std::string> written;
  for (const auto& entry : entries) {
    if (!written.insert(UpperCaseName(entry.Name)).second) {
      skipped.push_back(entry.Name);
      continue;
    }
    const std::filesystem::path file = dir / PathFromUtf8(entry.Name);
    if (!SaveArchiveFile(file, entry.Data)) throw ESkinError("Cannot write " + PathToUtf8(file));
  }
  return static_cast<int>(written.size());
}

}  // namespace ac
