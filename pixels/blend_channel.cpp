#include "pixels/blend_channel.h"

#include <algorithm>

namespace ac {

namespace {

inline uint32_t GrayPixel(uint32_t p) {
  const uint32_t l = Luminance((p >> 16) & 0xFFu, (p >> 8) & 0xFFu, p & 0xFFu);
  return (p & 0xFF000000u) | (l << 16) | (l << 8) | l;
}

}  // namespace

void MakeGray(const TsPixelBuffer& buf) {
  MakeGrayKeyed(buf, clNone);
}

void MakeGrayKeyed(const TsPixelBuffer& buf, TColor key) {
  if (buf.IsEmpty()) return;
  const bool keyed = key != clNone;
  const uint32_t k = static_cast<uint32_t>(key);
  for (int32_t y = 0; y < buf.Height; ++y) {
    uint32_t* row = buf.Row(y);
    for (int32_t x = 0; x < buf.Width; ++x) {
      const uint32_t p = row[x];
      const uint32_t g = GrayPixel(p);
      row[x] = (keyed && p == k) ? p : g;
    }
  }
}

void CopyChannel(const TsPixelBuffer& dst, const TsPixelBuffer& src, int channel) {
  if (dst.IsEmpty() || src.IsEmpty() || channel < 0 || channel > 3) return;
  const int32_t w = std::min(dst.Width, src.Width);
  const int32_t h = std::min(dst.Height, src.Height);
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* d = dst.RowBytes(y) + channel;
    const uint8_t* s = src.RowBytes(y) + channel;
    for (int32_t x = 0; x < w; ++x) d[x * 4] = s[x * 4];
  }
}

void ExtractChannel(const TsChannelBuffer& dst, const TsPixelBuffer& src, int channel) {
  if (src.IsEmpty() || dst.IsEmpty() || channel < 0 || channel > 3) return;
  if (src.Width != dst.Width || src.Height != dst.Height) return;
  for (int32_t y = 0; y < src.Height; ++y) {
    const uint8_t* s = src.RowBytes(y) + channel;
    uint8_t* d = dst.Row(y);
    for (int32_t x = 0; x < src.Width; ++x) d[x] = s[x * 4];
  }
}

void InsertChannel(const TsPixelBuffer& dst, const TsChannelBuffer& src, int channel) {
  if (dst.IsEmpty() || src.IsEmpty() || channel < 0 || channel > 3) return;
  if (src.Width != dst.Width || src.Height != dst.Height) return;
  for (int32_t y = 0; y < dst.Height; ++y) {
    uint8_t* d = dst.RowBytes(y) + channel;
    const uint8_t* s = src.Row(y);
    for (int32_t x = 0; x < dst.Width; ++x) d[x * 4] = s[x];
  }
}

void OpaqueByCornerKey(const TsPixelBuffer& buf) {
  if (buf.IsEmpty()) return;
  uint32_t anyAlpha = 0;
  for (int32_t y = 0; y < buf.Height; ++y) {
    const uint32_t* row = buf.Row(y);
    for (int32_t x = 0; x < buf.Width; ++x) anyAlpha |= row[x];
  }
  if ((anyAlpha & 0xFF000000u) != 0) return;
  const uint32_t key = buf.At(0, buf.Height - 1);
  for (int32_t y = 0; y < buf.Height; ++y) {
    uint32_t* row = buf.Row(y);
    for (int32_t x = 0; x < buf.Width; ++x) {
      const uint32_t p = row[x];
      row[x] = p == key ? p : (p | 0xFF000000u);
    }
  }
}

}  // namespace ac
