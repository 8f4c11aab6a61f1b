#include "pixels/color_transform.h"

#include <algorithm>
#include <cmath>

#include "pixels/blend.h"
#include "pixels/blend_channel.h"
#include "pixels/blend_fill.h"

namespace ac {

namespace {

inline uint32_t Pack(uint32_t pixel, uint32_t r, uint32_t g, uint32_t b) {
  return (pixel & 0xFF000000u) | (r << 16) | (g << 8) | b;
}

inline uint32_t TruncByte(double v) {
  return static_cast<uint32_t>(std::clamp(std::trunc(v), 0.0, 255.0));
}

}  // namespace

uint32_t ScaleBrightness(uint32_t pixel, int32_t amount) {
  if (amount == 0) return pixel;
  uint32_t out = pixel & 0xFF000000u;
  const int64_t a = amount;
  for (int sh = 0; sh < 24; sh += 8) {
    const int64_t c = (pixel >> sh) & 0xFFu;
    int64_t v;
    if (a > 0) {
      v = std::min<int64_t>(255, c + (a * c) / 256);
    } else {
      v = c - (-a * c) / 256;
      if (v <= 0) v = 0;
    }
    out |= static_cast<uint32_t>(v) << sh;
  }
  return out;
}

uint32_t ScaleSaturation(uint32_t pixel, int32_t amount) {
  const int32_t a = std::clamp(amount, -255, 255);
  if (a == 0) return pixel;
  const int32_t l =
      static_cast<int32_t>(Luminance((pixel >> 16) & 0xFFu, (pixel >> 8) & 0xFFu, pixel & 0xFFu));
  uint32_t out = pixel & 0xFF000000u;
  for (int sh = 0; sh < 24; sh += 8) {
    const int32_t c = static_cast<int32_t>((pixel >> sh) & 0xFFu);
    const int32_t v = (a + 255) * c - a * l;
    const uint32_t nc = v < 0 ? 0u : (v < 65536 ? static_cast<uint32_t>(v) >> 8 : 255u);
    out |= nc << sh;
  }
  return out;
}

uint32_t ShiftHue(uint32_t pixel, int32_t degrees) {
  const int32_t r = static_cast<int32_t>((pixel >> 16) & 0xFFu);
  const int32_t g = static_cast<int32_t>((pixel >> 8) & 0xFFu);
  const int32_t b = static_cast<int32_t>(pixel & 0xFFu);
  const int32_t v = std::max({r, g, b});
  const int32_t d = v - std::min({r, g, b});
  if (v == 0 || d == 0) return pixel;
  const double s = static_cast<double>(d) / v;
  const double k = 60.0 / d;
  double h;
  if (v == r) {
    h = (g - b) * k;
  } else if (v == g) {
    h = 120 + (b - r) * k;
  } else {
    h = 240 + (r - g) * k;
  }
  if (h < 0) h += 360;
  // The remainder keeps the sign of the dividend, as C++'s % does.
  const auto hue = static_cast<int64_t>(std::trunc(degrees + h)) % 360;
  double f = static_cast<double>(hue) / 60;
  const auto i = static_cast<int64_t>(std::trunc(f));
  f -= static_cast<double>(i);
  const double vd = v;
  const double p = std::clamp(vd * (1 - s), 0.0, 255.0);
  const double q = std::clamp(vd * (1 - s * f), 0.0, 255.0);
  const double t = std::clamp(vd * (1 - s * (1 - f)), 0.0, 255.0);
  // Red, green and blue in each sixth of the hue circle; a negative hue
  // (and the sixth sixth) takes the last row.
  const double sextants[6][3] = {{vd, t, p}, {q, vd, p}, {p, vd, t},
                                 {p, q, vd}, {t, p, vd}, {vd, p, q}};
  const double* rgb = sextants[i >= 0 && i < 5 ? i : 5];
  return Pack(pixel, TruncByte(rgb[0]), TruncByte(rgb[1]), TruncByte(rgb[2]));
}

TColor ScaleSaturationColor(TColor color, int32_t amount) {
  if (amount == 0) return color;
  const uint32_t p = ScaleSaturation(ColorToPixel(static_cast<uint32_t>(color)), amount);
  return static_cast<TColor>(ColorToPixel(p));
}

TColor ShiftHueColor(TColor color, int32_t degrees) {
  if (degrees == 0) return color;
  const uint32_t p = ShiftHue(ColorToPixel(static_cast<uint32_t>(color)), degrees);
  return static_cast<TColor>(ColorToPixel(p));
}

uint32_t ToneByColor(uint32_t pixel, TColor tone) {
  const uint32_t m = std::max({(pixel >> 16) & 0xFFu, (pixel >> 8) & 0xFFu, pixel & 0xFFu});
  const TsColor t(tone);
  return Pack(pixel, (m * t.R()) >> 8, (m * t.G()) >> 8, (m * t.B()) >> 8);
}

void ApplyDisabledLook(const TsPixelBuffer& buf, const TCacheInfo& cache, TPoint offset,
                       TsDisabledKinds kinds, TColor parentColor) {
  if (buf.IsEmpty()) return;
  if ((kinds & dkGrayed) != 0) {
    // -90 * 255 / 100, truncated toward zero: -229.
    constexpr int32_t amount = kDisabledSaturation * 255 / 100;
    ForEachPixel(
        buf, [](uint32_t& p) { p = ScaleSaturation(p, amount); }, clFuchsia);
  }
  if ((kinds & dkBlended) != 0) {
    if (cache.Ready && cache.HasBmp()) {
      const int32_t x = offset.X + cache.X;
      const int32_t y = offset.Y + cache.Y;
      MixKeyedArea(buf, {0, 0}, cache.Bmp, TSourceRect::XYWH(x, y, buf.Width, buf.Height),
                   kDisabledBlendWeight, clFuchsia);
    } else {
      const TColor to = cache.FillColor.C == clFuchsia ? parentColor : cache.FillColor.C;
      FadeToColor(buf, TSourceRect::XYWH(0, 0, buf.Width, buf.Height), kDisabledBlendWeight, to);
    }
  }
}

}  // namespace ac
