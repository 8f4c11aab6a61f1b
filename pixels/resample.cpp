#include "pixels/resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace ac {

namespace {

// One pass's weights: for destination index i, contributors First[i] ..
// First[i] + Count[i] - 1 of Index/Weight.
struct TWeightTable {
  int32_t PerDst = 0;  // slots per destination index
  std::vector<int32_t> Count;
  std::vector<int32_t> Index;
  std::vector<int32_t> Weight;
};

int32_t Mirror(int32_t k, int32_t size) {
  if (k < 0) k = -k;
  if (k >= size) k = 2 * size - 1 - k;
  // With a wide kernel over a tiny image one reflection is not enough; the
  // clamp keeps every read inside the source.
  return std::clamp(k, 0, size - 1);
}

TWeightTable MakeWeights(int32_t srcSize, int32_t dstSize, int32_t filter) {
  const double radius = ResampleFilterRadius(filter);
  const double scale = dstSize < srcSize ? static_cast<double>(dstSize) / srcSize : 1.0;
  const double width = radius / scale;
  TWeightTable t;
  t.PerDst = static_cast<int32_t>(std::trunc(2 * width + 1));
  t.Count.assign(static_cast<std::size_t>(dstSize), 0);
  t.Index.assign(static_cast<std::size_t>(dstSize) * t.PerDst, 0);
  t.Weight.assign(static_cast<std::size_t>(dstSize) * t.PerDst, 0);
  for (int32_t i = 0; i < dstSize; ++i) {
    const double centre =
        static_cast<double>(static_cast<int64_t>(i) * srcSize) / static_cast<double>(dstSize);
    const auto hi = static_cast<int32_t>(std::ceil(centre + width));
    const auto lo = static_cast<int32_t>(std::floor(centre - width));
    int32_t n = 0;
    const std::size_t base = static_cast<std::size_t>(i) * t.PerDst;
    for (int32_t k = hi; k >= lo && n < t.PerDst; --k) {
      const double signedX = (centre - k) * scale;
      if (std::abs(signedX) >= radius) continue;
      const double x = filter == rfBox ? signedX : std::abs(signedX);
      const double f = ResampleFilterValue(filter, x);
      if (f == 0) continue;
      t.Index[base + n] = Mirror(k, srcSize);
      t.Weight[base + n] = static_cast<int32_t>(std::nearbyint(f * scale * 65536));
      ++n;
    }
    t.Count[static_cast<std::size_t>(i)] = n;
  }
  return t;
}

inline uint32_t ClampSum(int32_t v) {
  if (v < 0) return 0;
  if (v > 0xFF0000) return 255;
  return static_cast<uint32_t>(v) >> 16;
}

// Scales each of Rows rows of SrcW pixels to DstW pixels.
void HorizontalPass(const TsPixelBuffer& src, uint32_t* out, int32_t dstW, const TWeightTable& t) {
  for (int32_t y = 0; y < src.Height; ++y) {
    const uint8_t* s = src.RowBytes(y);
    uint32_t* o = out + static_cast<std::size_t>(y) * dstW;
    for (int32_t i = 0; i < dstW; ++i) {
      const std::size_t base = static_cast<std::size_t>(i) * t.PerDst;
      int32_t acc[4] = {0, 0, 0, 0};
      for (int32_t n = 0; n < t.Count[static_cast<std::size_t>(i)]; ++n) {
        const uint8_t* p = s + static_cast<std::size_t>(t.Index[base + n]) * 4;
        const int32_t w = t.Weight[base + n];
        for (int c = 0; c < 4; ++c) acc[c] += w * p[c];
      }
      o[i] = ClampSum(acc[0]) | (ClampSum(acc[1]) << 8) | (ClampSum(acc[2]) << 16) |
             (ClampSum(acc[3]) << 24);
    }
  }
}

// Scales the columns of Tmp (Width x SrcH) to the rows of Dst, a whole row at a
// time so the inner loop runs along memory.
void VerticalPass(const uint32_t* tmp, const TsPixelBuffer& dst, const TWeightTable& t,
                  std::vector<int32_t>& acc) {
  const int32_t bytes = dst.Width * 4;
  for (int32_t y = 0; y < dst.Height; ++y) {
    std::fill(acc.begin(), acc.end(), 0);
    const std::size_t base = static_cast<std::size_t>(y) * t.PerDst;
    for (int32_t n = 0; n < t.Count[static_cast<std::size_t>(y)]; ++n) {
      const auto* s = reinterpret_cast<const uint8_t*>(
          tmp + static_cast<std::size_t>(t.Index[base + n]) * dst.Width);
      const int32_t w = t.Weight[base + n];
      int32_t* a = acc.data();
      for (int32_t b = 0; b < bytes; ++b) a[b] += w * s[b];
    }
    uint8_t* d = dst.RowBytes(y);
    const int32_t* a = acc.data();
    for (int32_t b = 0; b < bytes; ++b) {
      const int32_t v = a[b];
      const int32_t shifted = v >> 16;
      d[b] = static_cast<uint8_t>(v < 0 ? 0 : (v > 0xFF0000 ? 255 : shifted));
    }
  }
}

}  // namespace

double ResampleFilterRadius(int32_t filter) {
  switch (filter) {
    case rfBox:
      return 0.51;
    case rfTriangle:
      return 1.0;
    case rfHermite:
      return 1.0;
    case rfBell:
      return 1.5;
    case rfBSpline:
      return 2.0;
    case rfSine:
      return 3.0;
    case rfMitchell:
      return 2.0;
    default:
      return 0;
  }
}

double ResampleFilterValue(int32_t filter, double x) {
  switch (filter) {
    case rfBox:
      return (x > -0.5 && x <= 0.5) ? 1.0 : 0.0;
    case rfTriangle:
      return x < 1.0 ? 1.0 - x : 0.0;
    case rfHermite:
      return x < 1.0 ? (2 * x - 3) * x * x + 1 : 0.0;
    case rfBell:
      if (x < 0.5) return 0.75 - x * x;
      if (x < 1.5) return 0.5 * (x - 1.5) * (x - 1.5);
      return 0.0;
    case rfBSpline:
      if (x < 1.0) return 0.5 * x * x * x - x * x + 2.0 / 3.0;
      if (x < 2.0) return (2 - x) * (2 - x) * (2 - x) / 6.0;
      return 0.0;
    case rfSine: {
      if (x == 0) return 1.0;
      if (x >= 3.0) return 0.0;
      const double px = std::numbers::pi * x;
      return std::sin(px) * std::sin(x) / (px * x);
    }
    case rfMitchell:
      if (x < 1.0) return (7.0 / 6.0) * x * x * x - 2 * x * x + 8.0 / 9.0;
      if (x < 2.0) return -(7.0 / 18.0) * x * x * x + 2 * x * x - (10.0 / 3.0) * x + 16.0 / 9.0;
      return 0.0;
    default:
      return 0.0;
  }
}

void ResampleBuffer(TsPixelImage& dst, const TsPixelBuffer& src, int32_t newWidth,
                    int32_t newHeight, int32_t filter) {
  if (newWidth <= 0 || newHeight <= 0 || src.IsEmpty() || src.Width < 2 || src.Height < 2) return;
  if (filter < rfBox || filter > rfMitchell) return;
  if (newWidth == src.Width && newHeight == src.Height) {
    if (src.SameStorage(dst.View())) return;
    // Copied through a temporary so a view that overlaps Dst's storage still
    // reads the source before Dst changes.
    std::vector<uint32_t> copy(static_cast<std::size_t>(src.Width) * src.Height);
    for (int32_t y = 0; y < src.Height; ++y) {
      std::memcpy(copy.data() + static_cast<std::size_t>(y) * src.Width, src.Row(y),
                  static_cast<std::size_t>(src.Width) * 4);
    }
    dst.Resize(src.Width, src.Height);
    for (int32_t y = 0; y < src.Height; ++y) {
      std::memcpy(dst.View().Row(y), copy.data() + static_cast<std::size_t>(y) * src.Width,
                  static_cast<std::size_t>(src.Width) * 4);
    }
    return;
  }

  const int32_t srcH = src.Height;
  std::vector<uint32_t> tmp(static_cast<std::size_t>(newWidth) * srcH);
  {
    const TWeightTable t = MakeWeights(src.Width, newWidth, filter);
    HorizontalPass(src, tmp.data(), newWidth, t);
  }
  dst.Resize(newWidth, newHeight);
  const TWeightTable t = MakeWeights(srcH, newHeight, filter);
  std::vector<int32_t> acc(static_cast<std::size_t>(newWidth) * 4);
  VerticalPass(tmp.data(), dst.View(), t, acc);
}

}  // namespace ac
