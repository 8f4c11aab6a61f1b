#pragma once
// The skin archive byte format, entry by entry.
//
// All integers are unsigned 32-bit little-endian:
//   "ASzf" | entry count N | N entries | optional preview trailer
// and one entry is
//   name length L | L name bytes (ANSI, no terminator) | unpacked size S |
//   the content as one zlib stream (its compressed length is not stored).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ac {

class TacLoadBudget;

inline constexpr std::string_view kArchiveMagic = "ASzf";
inline constexpr std::size_t kArchiveHeaderSize = 8;

// One entry as it lies in the archive.
struct TacArchiveEntry {
  std::string Name;                // the stored bytes, unconverted
  std::vector<std::uint8_t> Data;  // unpacked content, exactly the declared size
  std::size_t Offset = 0;          // where the entry (its name length) starts
  std::size_t PackedSize = 0;      // bytes of its zlib stream
};

// True when Archive starts with the magic "ASzf".
bool HasArchiveMagic(std::span<const std::uint8_t> archive);

// Calls OnEntry for each of the N entries in archive order and returns the
// offset of the first byte after the last one (where a preview trailer would
// start). Bytes after the last entry are never looked at.
//
// Precondition: HasArchiveMagic(Archive). Throws ESkinError with a message that
// names the entry (by name, or by number while the name is unknown) when the
// header, a name length, a name, a size or a zlib stream runs past the end of
// the archive or is corrupt (see InflateArchiveEntry). Each entry's unpacked
// size is charged to Budget (a fresh budget of its own when null) before it
// is inflated; ELimitExceeded names the entry that would pass it. Entries
// already passed to OnEntry stay passed.
std::size_t ReadArchiveEntries(std::span<const std::uint8_t> archive,
                               const std::function<void(TacArchiveEntry&&)>& onEntry,
                               TacLoadBudget* budget = nullptr);

}  // namespace ac
