#include "skin/archive_inflate.h"

#include <zlib.h>

#include <algorithm>
#include <string>

#include "core/errors.h"

namespace ac {

namespace {

// Owns an initialised inflate state.
class TInflater {
 public:
  TInflater() {
    if (inflateInit(&FStream) != Z_OK) throw ESkinError("zlib could not start inflating");
  }
  ~TInflater() { inflateEnd(&FStream); }
  TInflater(const TInflater&) = delete;
  TInflater& operator=(const TInflater&) = delete;
  z_stream& Stream() { return FStream; }

 private:
  z_stream FStream{};
};

[[noreturn]] void Fail(std::string_view entryName, const std::string& what) {
  throw ESkinError("Skin archive entry \"" + std::string(entryName) + "\": " + what);
}

}  // namespace

std::vector<std::uint8_t> InflateArchiveEntry(std::span<const std::uint8_t> archive,
                                              std::size_t& position, std::uint32_t unpackedSize,
                                              std::string_view entryName) {
  const std::size_t start = std::min(position, archive.size());
  const std::size_t remaining = archive.size() - start;
  if (unpackedSize > MaxInflatedSize(remaining))
    Fail(entryName, "declared size of " + std::to_string(unpackedSize) +
                        " bytes cannot come from the " + std::to_string(remaining) +
                        " bytes left in the archive");

  TInflater inflater;
  z_stream& z = inflater.Stream();
  // Exactly the declared size, taken once: the caller has charged it to the
  // load's budget, so a size that lies costs no more than the budget allows,
  // and an honest one never costs a copy or twice its size while growing.
  std::vector<std::uint8_t> out(unpackedSize);
  std::size_t produced = 0;
  std::size_t next = start;  // first archive byte not yet handed to zlib
  // Once the declared size is reached, inflate writes here: anything it writes
  // means the stream holds more than declared.
  std::uint8_t overflow = 0;

  for (;;) {
    if (z.avail_in == 0) {
      const std::size_t block = std::min(kArchiveInputBlock, archive.size() - next);
      if (block == 0)
        Fail(entryName, "the archive ends inside the zlib stream after " +
                            std::to_string(produced) + " of " + std::to_string(unpackedSize) +
                            " bytes");
      z.next_in = const_cast<Bytef*>(archive.data() + next);
      z.avail_in = static_cast<uInt>(block);
      next += block;
    }
    const bool full = produced == out.size();
    z.next_out = full ? &overflow : out.data() + produced;
    z.avail_out = full ? 1 : static_cast<uInt>(out.size() - produced);
    const uInt offered = z.avail_out;

    const int rc = inflate(&z, Z_NO_FLUSH);
    if (full && z.avail_out == 0)
      Fail(entryName, "the zlib stream holds more than the declared " +
                          std::to_string(unpackedSize) + " bytes");
    if (!full) produced += offered - z.avail_out;

    if (rc == Z_STREAM_END) break;
    if (rc == Z_OK || (rc == Z_BUF_ERROR && z.avail_in == 0)) continue;
    Fail(entryName, std::string("corrupt zlib stream (") + (z.msg ? z.msg : zError(rc)) + ")");
  }

  if (produced < unpackedSize)
    Fail(entryName, "the zlib stream ends after " + std::to_string(produced) + " of " +
                        std::to_string(unpackedSize) + " bytes");
  // Input handed over but not consumed lies after the stream: the next entry
  // starts there.
  position = next - z.avail_in;
  return out;
}

}  // namespace ac
