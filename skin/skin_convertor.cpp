#include "skin/skin_convertor.h"

#include <algorithm>

#include "core/errors.h"
#include "skin/archive_file.h"
#include "skin/archive_reader.h"
#include "skin/load_budget.h"

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
  if (FIndexed > Files.size()) {
    FIndex.clear();
    FIndexed = 0;
  }
  // The first of equal names keeps its place.
  for (; FIndexed < Files.size(); ++FIndexed)
    FIndex.emplace(UpperCaseName(Files[FIndexed].Name), FIndexed);
  const auto found = FIndex.find(upperName);
  if (found == FIndex.end()) return nullptr;
  const TacFileItem& item = Files[found->second];
  // Files may have been replaced in place since they were indexed.
  if (UpperCaseName(item.Name) == upperName) return &item;
  FIndexed = Files.size() + 1;
  return FindFile(upperName);
}

void TacSkinConvertor::Clear() {
  ClearFiles();
  ReleasePackedData();
}

void TacSkinConvertor::ClearFiles() {
  while (!Files.empty()) Files.pop_back();
  FIndex.clear();
  FIndexed = 0;
  Options.reset();
}

void TacSkinConvertor::ReleasePackedData() {
  PackedData = {};
  FOwnedPackedData = {};
}

void TacSkinConvertor::OwnPackedData(std::vector<std::uint8_t> bytes) {
  FOwnedPackedData = std::move(bytes);
  PackedData = FOwnedPackedData;
}

bool ReadSkinArchive(TacSkinConvertor& sc, TMessageSink& sink, TacLoadBudget* budget) {
  sc.ClearFiles();
  if (!HasArchiveMagic(sc.PackedData)) {
    sink.Show("Loaded data is not a packed Velmora file", TMessageIcon::Error);
    return false;
  }
  try {
    ReadArchiveEntries(
        sc.PackedData,
        [&](TacArchiveEntry&& entry) {
          // A second "Options.dat" replaces the first.
          if (UpperCaseName(entry.Name) == kOptionsName) {
            sc.Options = std::move(entry.Data);
            return;
          }
          const TacFileType type = FileTypeOf(entry.Name);
          sc.Files.push_back({std::move(entry.Name), type, std::move(entry.Data)});
        },
        budget);
  } catch (...) {
    sc.ClearFiles();
    throw;
  }
  return true;
}

bool ReadSkinArchiveFile(const std::filesystem::path& path, TacSkinConvertor& sc,
                         TMessageSink& sink, TacLoadBudget* budget) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  TacLoadBudget own;
  TacLoadBudget& unpacked = budget ? *budget : own;
  // Entries are never smaller unpacked than deflate can pack them, bar a few
  // bytes of headers each: a larger file could not fit the budget anyway.
  const auto size = std::filesystem::file_size(path, error);
  if (!error && size > unpacked.MaxBytes)
    throw ELimitExceeded("The skin archive " + PathToUtf8(path) + " is " + std::to_string(size) +
                         " bytes, more than the limit of " + std::to_string(unpacked.MaxBytes) +
                         " unpacked bytes for one skin load");
  sc.Clear();
  sc.OwnPackedData(LoadArchiveFile(path));
  struct TFreePackedData {
    TacSkinConvertor& Sc;
    ~TFreePackedData() { Sc.ReleasePackedData(); }
  } freeAfterReading{sc};
  return ReadSkinArchive(sc, sink, &unpacked);
}

}  // namespace ac
