#include "skin/skin_convertor.h"

#include <algorithm>

#include "skin/archive_file.h"
#include "skin/archive_reader.h"

namespace ac {

namespace {

constexpr std::string_view kOptionsName = "OPTIONS.DAT";

}  // namespace

std::string UpperCaseName(std::string_view name) {
  std::string upper(name);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

TacFileType FileTypeOf(std::string_view name) {
  const std::size_t dot = name.find_last_of(".\\/:");
  if (dot == std::string_view::npos || name[dot] != '.') return TacFileType::ftOther;
  const std::string extension = UpperCaseName(name.substr(dot));
  if (extension == ".BMP") return TacFileType::ftBmp;
  if (extension == ".TTF" || extension == ".OTF") return TacFileType::ftFont;
  return TacFileType::ftOther;
}

const TacFileItem* TacSkinConvertor::FindFile(std::string_view upperName) const {
  const auto found = std::find_if(Files.begin(), Files.end(), [&](const TacFileItem& item) {
    return UpperCaseName(item.Name) == upperName;
  });
  return found == Files.end() ? nullptr : &*found;
}

void TacSkinConvertor::Clear() {
  while (!Files.empty()) Files.pop_back();
  Options.reset();
  ReleasePackedData();
}

void TacSkinConvertor::ReleasePackedData() {
  PackedData = {};
  FOwnedPackedData = {};
}

void TacSkinConvertor::OwnPackedData(std::vector<std::uint8_t> bytes) {
  FOwnedPackedData = std::move(bytes);
  PackedData = FOwnedPackedData;
}

bool ReadSkinArchive(TacSkinConvertor& sc, TMessageSink& sink) {
  while (!sc.Files.empty()) sc.Files.pop_back();
  sc.Options.reset();
  if (!HasArchiveMagic(sc.PackedData)) {
    sink.Show("Loaded data is not a packed Velmora file", TMessageIcon::Error);
    return false;
  }
  try {
    ReadArchiveEntries(sc.PackedData, [&](TacArchiveEntry&& entry) {
      // A second "Options.dat" replaces the first.
      if (UpperCaseName(entry.Name) == kOptionsName) {
        sc.Options = std::move(entry.Data);
        return;
      }
      const TacFileType type = FileTypeOf(entry.Name);
      sc.Files.push_back({std::move(entry.Name), type, std::move(entry.Data)});
    });
  } catch (...) {
    sc.Files.clear();
    sc.Options.reset();
    throw;
  }
  return true;
}

bool ReadSkinArchiveFile(const std::filesystem::path& path, TacSkinConvertor& sc,
                         TMessageSink& sink) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  sc.Clear();
  sc.OwnPackedData(LoadArchiveFile(path));
  struct TFreePackedData {
    TacSkinConvertor& Sc;
    ~TFreePackedData() { Sc.ReleasePackedData(); }
  } freeAfterReading{sc};
  return ReadSkinArchive(sc, sink);
}

}  // namespace ac
