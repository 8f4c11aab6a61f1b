#pragma once
// TacSkinConvertor: a skin archive unpacked in memory, owned by the skin manager
// while the skin is active.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/message_sink.h"

namespace ac {

class TacLoadBudget;

enum class TacFileType { ftBmp, ftFont, ftOther };

// ftBmp for ".BMP", ftFont for ".TTF" and ".OTF", ftOther for everything else
// (PNG and JPEG included); the extension is compared in upper case.
TacFileType FileTypeOf(std::string_view name);

// Upper-cases ASCII letters only, as file names of skins are compared.
std::string UpperCaseName(std::string_view name);

struct TacFileItem {
  std::string Name;  // the entry name as stored
  TacFileType FileType = TacFileType::ftOther;
  std::vector<std::uint8_t> Stream;  // the unpacked bytes
};

class TacSkinConvertor {
 public:
  // The content of the "Options.dat" entry (any letter case); absent when the
  // archive had none.
  std::optional<std::vector<std::uint8_t>> Options;
  // The archive bytes while they are read. Set by the caller to borrow the
  // bytes of an internal skin (they must outlive the reading and are never
  // freed here); pointed at the convertor's own copy while a file is read and
  // emptied afterwards.
  std::span<const std::uint8_t> PackedData;
  // The entries other than "Options.dat", in archive order.
  std::vector<TacFileItem> Files;

  // The number of entries other than "Options.dat" that were read.
  int FileCount() const { return static_cast<int>(Files.size()); }

  // The first of Files whose upper-cased Name equals UpperName (which the
  // caller has upper-cased already), or null. Names are hashed on first use,
  // so that many lookups in an archive of many entries stay cheap.
  const TacFileItem* FindFile(std::string_view upperName) const;

  // Frees every item's stream from the last to the first, then Options and
  // PackedData.
  void Clear();
  // Frees every item and Options; PackedData stays.
  void ClearFiles();

  // Takes Bytes as its own PackedData.
  void OwnPackedData(std::vector<std::uint8_t> bytes);
  // Empties PackedData, freeing the bytes when they are the convertor's own.
  void ReleasePackedData();

 private:
  struct TNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::vector<std::uint8_t> FOwnedPackedData;
  // Upper-cased names of the first FIndexed files, each to its first index.
  mutable std::unordered_map<std::string, std::size_t, TNameHash, std::equal_to<>> FIndex;
  mutable std::size_t FIndexed = 0;
};

// Reads the archive in Sc.PackedData into Sc.Options and Sc.Files (cleared
// first; PackedData is left as it is). Returns false after showing "Loaded data
// is not a packed Velmora file" on Sink when the magic is wrong. The skin
// manager passes a sink that keeps the dialog itself unskinned and
// uncoloured. Throws ESkinError naming the entry when the archive is broken
// (see ReadArchiveEntries), ELimitExceeded when its entries unpack past
// Budget (a budget of its own when null); Options and Files are then left
// empty, so no part of a broken skin is ever used.
bool ReadSkinArchive(TacSkinConvertor& sc, TMessageSink& sink, TacLoadBudget* budget = nullptr);

// Reads the archive file Path whole into Sc (cleared first) and frees the
// packed bytes after reading. Returns false without a message when the file
// does not exist; otherwise as ReadSkinArchive. Throws ESkinError when the
// file exists but cannot be read, ELimitExceeded when the file is larger than
// the budget's limit of unpacked bytes (its entries could not fit it).
bool ReadSkinArchiveFile(const std::filesystem::path& path, TacSkinConvertor& sc,
                         TMessageSink& sink, TacLoadBudget* budget = nullptr);

}  // namespace ac
