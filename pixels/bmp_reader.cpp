#include "pixels/bmp_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string>

#include "core/errors.h"

namespace ac {
namespace {

// Compression codes of the info header.
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

constexpr std::size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

[[noreturn]] void Fail(const std::string& what) {
  throw ESkinError("BMP image: " + what);
}

// Little-endian reads, bounds-checked against the whole file.
class TReader {
 public:
  explicit TReader(std::span<const uint8_t> data) : FData(data) {}
  std::size_t Size() const { return FData.size(); }
  uint16_t U16(std::size_t at) const {
    Need(at, 2);
    return static_cast<uint16_t>(FData[at] | FData[at + 1] << 8);
  }
  uint32_t U32(std::size_t at) const {
    Need(at, 4);
    return static_cast<uint32_t>(FData[at]) | static_cast<uint32_t>(FData[at + 1]) << 8 |
           static_cast<uint32_t>(FData[at + 2]) << 16 | static_cast<uint32_t>(FData[at + 3]) << 24;
  }
  int32_t I32(std::size_t at) const { return static_cast<int32_t>(U32(at)); }
  const uint8_t* Ptr(std::size_t at) const { return FData.data() + at; }
  void Need(std::size_t at, std::size_t count) const {
    if (at > FData.size() || count > FData.size() - at) Fail("truncated file");
  }

 private:
  std::span<const uint8_t> FData;
};

// One colour field of a bit-field image: where it sits and how to widen it to
// eight bits.
struct TField {
  uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;

  explicit TField(uint32_t mask) : Mask(mask) {
    if (mask == 0) return;
    Shift = std::countr_zero(mask);
    Bits = std::countr_one(mask >> Shift);
  }

  // Narrow fields repeat their bits downwards, as GDI widens 5-bit colour:
  // full scale stays full scale and zero stays zero.
  uint8_t Extract(uint32_t value) const {
    if (Bits == 0) return 0;
    uint32_t v = (value & Mask) >> Shift;
    if (Bits >= 8) return static_cast<uint8_t>(v >> (Bits - 8));
    uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += Bits) out = out << Bits | v;
    int total = ((8 + Bits - 1) / Bits) * Bits;
    return static_cast<uint8_t>(out >> (total - 8));
  }
};

struct THeader {
  uint32_t HeaderSize = 0;
  int Width = 0;
  int Height = 0;  // always positive; TopDown says the row order
  bool TopDown = false;
  int BitCount = 0;
  uint32_t Compression = kBiRgb;
  uint32_t ColorsUsed = 0;
  std::array<uint32_t, 4> Masks{};  // red, green, blue, alpha
  bool HasMasks = false;
  std::size_t MasksEnd = 0;  // end of the header and any masks after it
};

void ReadDimensions(THeader& h, int64_t width, int64_t height) {
  if (width <= 0 || height == 0) Fail("empty or negative dimensions");
  h.TopDown = height < 0;
  if (height < 0) height = -height;
  if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels)
    Fail("dimensions " + std::to_string(width) + " x " + std::to_string(height) + " too large");
  h.Width = static_cast<int>(width);
  h.Height = static_cast<int>(height);
}

THeader ReadHeader(const TReader& in) {
  THeader h;
  in.Need(0, kFileHeaderSize + 4);
  if (in.U16(0) != 0x4D42) Fail("no \"BM\" signature");
  h.HeaderSize = in.U32(kFileHeaderSize);
  const std::size_t at = kFileHeaderSize;
  if (h.HeaderSize == kCoreHeaderSize) {
    ReadDimensions(h, in.U16(at + 4), in.U16(at + 6));
    h.BitCount = in.U16(at + 10);
    h.MasksEnd = at + kCoreHeaderSize;
    return h;
  }
  if (h.HeaderSize < kInfoHeaderSize || h.HeaderSize > 4096)
    Fail("unknown header size " + std::to_string(h.HeaderSize));
  in.Need(at, h.HeaderSize);
  ReadDimensions(h, in.I32(at + 4), in.I32(at + 8));
  h.BitCount = in.U16(at + 14);
  h.Compression = in.U32(at + 16);
  h.ColorsUsed = in.U32(at + 32);
  h.MasksEnd = at + h.HeaderSize;
  if (h.Compression == kBiBitfields || h.Compression == kBiAlphaBitfields) {
    h.HasMasks = true;
    int count = h.Compression == kBiAlphaBitfields ? 4 : 3;
    // From V2 on the masks are part of the header; before, they follow it.
    std::size_t masksAt = at + kInfoHeaderSize;
    if (h.HeaderSize == kInfoHeaderSize) h.MasksEnd += 4 * count;
    if (h.HeaderSize >= kInfoHeaderSize + 16) count = 4;
    for (int i = 0; i < count; ++i) h.Masks[i] = in.U32(masksAt + 4 * i);
  }
  return h;
}

void CheckVariant(const THeader& h) {
  const int bits = h.BitCount;
  switch (h.Compression) {
    case kBiRgb:
      if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        Fail("unsupported bit count " + std::to_string(bits));
      return;
    case kBiRle8:
    case kBiRle4:
      if (bits != (h.Compression == kBiRle8 ? 8 : 4)) Fail("run-length code and bit count differ");
      if (h.TopDown) Fail("run-length encoded image stored top-down");
      return;
    case kBiBitfields:
    case kBiAlphaBitfields:
      if (bits != 16 && bits != 32) Fail("bit fields with bit count " + std::to_string(bits));
      for (uint32_t m : h.Masks) {
        if (bits == 16 && m > 0xFFFF) Fail("bit field beyond 16 bits");
        const uint32_t field = m == 0 ? 0 : m >> std::countr_zero(m);
        if ((field & (field + 1)) != 0) Fail("bit field not contiguous");
      }
      return;
    default:
      Fail("unsupported compression " + std::to_string(h.Compression));
  }
}

std::vector<TsPixel> ReadPalette(const TReader& in, const THeader& h) {
  std::vector<TsPixel> palette;
  if (h.BitCount > 8) return palette;
  const uint32_t full = 1u << h.BitCount;
  const uint32_t count = h.ColorsUsed == 0 || h.ColorsUsed > full ? full : h.ColorsUsed;
  const std::size_t entry = h.HeaderSize == kCoreHeaderSize ? 3 : 4;
  in.Need(h.MasksEnd, count * entry);
  palette.resize(count);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* p = in.Ptr(h.MasksEnd + i * entry);
    palette[i] = TsPixel::FromRGBA(p[2], p[1], p[0], 255);
  }
  return palette;
}

// Index beyond the palette shows black, as GDI does.
TsPixel PaletteColor(const std::vector<TsPixel>& palette, unsigned index) {
  return index < palette.size() ? palette[index] : TsPixel(0xFF000000u);
}

// Where the pixel data starts: the file header's offset when it points past
// the palette and into the file, else straight after the palette (some
// writers leave the offset zero).
std::size_t PixelOffset(const TReader& in, const THeader& h, std::size_t paletteBytes) {
  const std::size_t afterPalette = h.MasksEnd + paletteBytes;
  const std::size_t declared = in.U32(10);
  return declared >= afterPalette && declared <= in.Size() ? declared : afterPalette;
}

void DecodeRow(const uint8_t* src, const THeader& h, const std::vector<TsPixel>& palette,
               const TField* fields, TsPixel* dst) {
  const int w = h.Width;
  switch (h.BitCount) {
    case 1:
    case 4:
    case 8: {
      const int bits = h.BitCount;
      const int perByte = 8 / bits;
      const unsigned mask = (1u << bits) - 1;
      for (int x = 0; x < w; ++x) {
        const int shift = 8 - bits * (x % perByte + 1);
        dst[x] = PaletteColor(palette, (src[x / perByte] >> shift) & mask);
      }
      return;
    }
    case 16:
      for (int x = 0; x < w; ++x) {
        const uint32_t v = src[2 * x] | src[2 * x + 1] << 8;
        dst[x] = TsPixel::FromRGBA(fields[0].Extract(v), fields[1].Extract(v), fields[2].Extract(v),
                                   255);
      }
      return;
    case 24:
      for (int x = 0; x < w; ++x) {
        dst[x] = TsPixel::FromRGBA(src[3 * x + 2], src[3 * x + 1], src[3 * x], 255);
      }
      return;
    case 32:
      if (!h.HasMasks) {
        // Blue, green, red, alpha: the file's bytes are the pixels already.
        std::memcpy(dst, src, static_cast<std::size_t>(w) * sizeof(TsPixel));
        return;
      }
      for (int x = 0; x < w; ++x) {
        const uint8_t* p = src + 4 * x;
        const uint32_t v = p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
        dst[x] = TsPixel::FromRGBA(fields[0].Extract(v), fields[1].Extract(v), fields[2].Extract(v),
                                   fields[3].Bits ? fields[3].Extract(v) : p[3]);
      }
      return;
  }
}

uint64_t RowStride(const THeader& h) {
  return (uint64_t{static_cast<uint32_t>(h.Width)} * h.BitCount + 31) / 32 * 4;
}

void CheckPixelData(const TReader& in, const THeader& h, std::size_t offset) {
  if (h.Compression == kBiRle8 || h.Compression == kBiRle4) {
    if (offset >= in.Size()) Fail("truncated pixel data");
    return;
  }
  const uint64_t rowBytes = (uint64_t{static_cast<uint32_t>(h.Width)} * h.BitCount + 7) / 8;
  // The last row need not carry its padding.
  const uint64_t needed = RowStride(h) * (h.Height - 1) + rowBytes;
  if (offset > in.Size() || needed > in.Size() - offset) Fail("truncated pixel data");
}

void ReadUncompressed(const TReader& in, const THeader& h, const std::vector<TsPixel>& palette,
                      std::size_t offset, TBmpImage& image) {
  const uint64_t stride = RowStride(h);

  std::array<TField, 4> fields{TField(0), TField(0), TField(0), TField(0)};
  if (h.HasMasks) {
    for (int i = 0; i < 4; ++i) fields[i] = TField(h.Masks[i]);
  } else if (h.BitCount == 16) {
    fields = {TField(0x7C00), TField(0x03E0), TField(0x001F), TField(0)};
  }
  for (int row = 0; row < h.Height; ++row) {
    const int y = h.TopDown ? row : h.Height - 1 - row;
    DecodeRow(in.Ptr(offset + row * stride), h, palette, fields.data(),
              image.Pixels.data() + static_cast<std::size_t>(y) * h.Width);
  }
}

// Run-length encoded 4 and 8 bits per pixel, always bottom-up. Pixels the
// runs skip stay black, as in a fresh device-independent bitmap.
void ReadRunLength(const TReader& in, const THeader& h, const std::vector<TsPixel>& palette,
                   std::size_t offset, TBmpImage& image) {
  const bool four = h.Compression == kBiRle4;
  int x = 0, row = 0;  // row counts from the bottom
  std::size_t at = offset;
  auto put = [&](unsigned index) {
    if (x >= h.Width || row >= h.Height) return;
    image.Pixels[static_cast<std::size_t>(h.Height - 1 - row) * h.Width + x] =
        PaletteColor(palette, index);
    ++x;
  };
  while (row < h.Height) {
    in.Need(at, 2);
    const uint8_t count = *in.Ptr(at), value = *in.Ptr(at + 1);
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(four ? (i % 2 ? value & 0xF : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++row;
    } else if (value == 1) {  // end of bitmap
      return;
    } else if (value == 2) {  // delta
      in.Need(at, 2);
      x = std::min(x + *in.Ptr(at), h.Width);
      row += *in.Ptr(at + 1);
      at += 2;
    } else {  // literal run, padded to a word
      const int bytes = four ? (value + 1) / 2 : value;
      in.Need(at, bytes);
      const uint8_t* p = in.Ptr(at);
      for (int i = 0; i < value; ++i) put(four ? (i % 2 ? p[i / 2] & 0xF : p[i / 2] >> 4) : p[i]);
      at += (bytes + 1) & ~1;
    }
  }
}

}  // namespace

TBmpImage ReadBmp(std::span<const uint8_t> data) {
  const TReader in(data);
  const THeader h = ReadHeader(in);
  CheckVariant(h);
  const std::vector<TsPixel> palette = ReadPalette(in, h);
  const std::size_t entry = h.HeaderSize == kCoreHeaderSize ? 3 : 4;
  const std::size_t offset = PixelOffset(in, h, palette.size() * entry);

  TBmpImage image;
  image.Width = h.Width;
  image.Height = h.Height;
  image.BitsPerPixel = h.BitCount;
  // Checked before the pixels are allocated, so a forged size costs nothing.
  CheckPixelData(in, h, offset);
  const std::size_t count = static_cast<std::size_t>(h.Width) * h.Height;
  if (h.Compression == kBiRle8 || h.Compression == kBiRle4) {
    image.Pixels.assign(count, TsPixel(0xFF000000u));
    ReadRunLength(in, h, palette, offset, image);
  } else {
    // Every pixel is written from the file; only run-length data may leave
    // pixels to the opaque fill.
    image.Pixels.resize(count);
    ReadUncompressed(in, h, palette, offset, image);
  }
  return image;
}

}  // namespace ac
