#pragma once
// The preview trailer of a skin archive: "previewimg", a 32-bit little-endian
// length P, then P bytes of a PNG that shows the skin. Only the skin list and
// tools read it; loading a skin never does.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace ac {

inline constexpr std::string_view kPreviewMarker = "previewimg";

// Searches Archive from its first byte for the first "previewimg" and returns
// the P bytes after the marker and its length; empty when there is no marker.
// The marker is not looked for after the entries only: the first occurrence
// anywhere counts. Throws ESkinError when the length or the image runs past
// the end of the archive.
std::vector<std::uint8_t> ExtractPreview(std::span<const std::uint8_t> archive);

}  // namespace ac
