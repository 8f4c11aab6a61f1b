#include "skin/archive_preview.h"

#include <algorithm>
#include <functional>

#include "core/errors.h"

namespace ac {

std::vector<std::uint8_t> ExtractPreview(std::span<const std::uint8_t> archive) {
  const std::boyer_moore_horspool_searcher searcher(
      reinterpret_cast<const std::uint8_t*>(kPreviewMarker.data()),
      reinterpret_cast<const std::uint8_t*>(kPreviewMarker.data()) + kPreviewMarker.size());
  const auto found = std::search(archive.begin(), archive.end(), searcher);
  if (found == archive.end()) return {};

  const std::size_t at = static_cast<std::size_t>(found - archive.begin()) + kPreviewMarker.size();
  if (archive.size() - at < 4)
    throw ESkinError("Skin archive preview: the archive ends before its length");
  const std::uint32_t length = static_cast<std::uint32_t>(archive[at]) |
                               static_cast<std::uint32_t>(archive[at + 1]) << 8 |
                               static_cast<std::uint32_t>(archive[at + 2]) << 16 |
                               static_cast<std::uint32_t>(archive[at + 3]) << 24;
  if (archive.size() - at - 4 < length)
    throw ESkinError("Skin archive preview: length " + std::to_string(length) +
                     " runs past the end of the archive");
  return {archive.begin() + at + 4, archive.begin() + at + 4 + length};
}

}  // namespace ac
