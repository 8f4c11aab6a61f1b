#pragma once
// Inflating one entry of a skin archive.
//
// An entry's compressed length is not stored: the entry ends where its zlib
// stream ends, and the next entry starts at the byte after the stream's
// Adler-32 trailer. InflateArchiveEntry finds that byte exactly.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace ac {

// Input is handed to zlib in blocks of this many bytes, as the archive format
// has always been read.
inline constexpr std::size_t kArchiveInputBlock = 131072;

// The largest unpacked size that Remaining bytes of zlib input can possibly
// produce, with a wide margin over deflate's ~1032:1 limit. Larger declared
// sizes are refused before anything is allocated.
inline constexpr std::uint64_t MaxInflatedSize(std::size_t remaining) {
  return static_cast<std::uint64_t>(remaining) * 1100 + 64;
}

// Inflates the zlib stream that starts at Archive[Position] into a buffer of
// exactly UnpackedSize bytes (allocated at once: callers charge the size to
// their budget first) and advances Position to the first byte after the stream.
// EntryName only labels error messages.
//
// Throws ESkinError, naming the entry, when the declared size exceeds
// MaxInflatedSize of the bytes left, when the stream is corrupt, when the
// archive ends inside the stream, or when the stream holds fewer or more than
// UnpackedSize bytes. Position is unchanged on error.
std::vector<std::uint8_t> InflateArchiveEntry(std::span<const std::uint8_t> archive,
                                              std::size_t& position, std::uint32_t unpackedSize,
                                              std::string_view entryName);

}  // namespace ac
