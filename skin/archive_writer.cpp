#include "skin/archive_writer.h"

#include <zlib.h>

#include <limits>

#include "core/errors.h"
#include "skin/archive_preview.h"
#include "skin/archive_reader.h"

namespace ac {

namespace {

void StoreU32(std::vector<std::uint8_t>& out, std::size_t value, const std::string& what) {
  if (value > std::numeric_limits<std::uint32_t>::max())
    throw ESkinError(what + " is too large for a skin archive");
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendCompressed(std::vector<std::uint8_t>& out, const TacArchiveSource& entry) {
  if (entry.Data.size() > std::numeric_limits<uLong>::max())
    throw ESkinError("\"" + entry.Name + "\" is too large for a skin archive");
  uLongf packedSize = compressBound(static_cast<uLong>(entry.Data.size()));
  const std::size_t at = out.size();
  out.resize(at + packedSize);
  // Level 9 is what gives the stream header 78 DA that stored skins carry.
  const int rc = compress2(out.data() + at, &packedSize, entry.Data.data(),
                           static_cast<uLong>(entry.Data.size()), Z_BEST_COMPRESSION);
  if (rc != Z_OK) throw ESkinError("\"" + entry.Name + "\" could not be compressed");
  out.resize(at + packedSize);
}

}  // namespace

std::vector<std::uint8_t> WriteSkinArchive(
    const std::vector<TacArchiveSource>& entries,
    const std::optional<std::vector<std::uint8_t>>& preview) {
  std::vector<std::uint8_t> out(kArchiveMagic.begin(), kArchiveMagic.end());
  StoreU32(out, entries.size(), "The number of entries");
  for (const auto& entry : entries) {
    StoreU32(out, entry.Name.size(), "The name \"" + entry.Name + "\"");
    out.insert(out.end(), entry.Name.begin(), entry.Name.end());
    StoreU32(out, entry.Data.size(), "\"" + entry.Name + "\"");
    AppendCompressed(out, entry);
  }
  if (preview) {
    out.insert(out.end(), kPreviewMarker.begin(), kPreviewMarker.end());
    StoreU32(out, preview->size(), "The preview image");
    out.insert(out.end(), preview->begin(), preview->end());
  }
  return out;
}

}  // namespace ac
