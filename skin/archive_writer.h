#pragma once
// Writing skin archives (the skin tool and tests; the engine itself only reads).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ac {

struct TacArchiveSource {
  std::string Name;  // stored as given: the caller chooses the letter case
  std::vector<std::uint8_t> Data;
};

// Returns a skin archive holding Entries in the given order, each compressed as
// one zlib stream at the best compression (header bytes 78 DA), followed by a
// preview trailer when Preview is given. Throws ESkinError when a name or a
// content is too large for the format's 32-bit fields.
std::vector<std::uint8_t> WriteSkinArchive(
    const std::vector<TacArchiveSource>& entries,
    const std::optional<std::vector<std::uint8_t>>& preview = std::nullopt);

}  // namespace ac
