#include "pixels/round_corners.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace ac {

namespace {

// Samples per pixel side: 16 x 16 = 256 samples, so coverage counts map to
// bytes directly (256 samples are clamped to 255).
constexpr int32_t kGrid = 16;

uint8_t DiscCoverage(int32_t px, int32_t py, double cx, double cy, double r) {
  int32_t inside = 0;
  const double r2 = r * r;
  for (int32_t sy = 0; sy < kGrid; ++sy) {
    const double y = py + (sy + 0.5) / kGrid - cy;
    for (int32_t sx = 0; sx < kGrid; ++sx) {
      const double x = px + (sx + 0.5) / kGrid - cx;
      if (x * x + y * y <= r2) ++inside;
    }
  }
  return static_cast<uint8_t>(std::min(inside, 255));
}

struct TCornerMask {
  int32_t Radius = 0;
  TsChannelImage Image;
};

// Thread-confined: painting runs on the user-interface thread, and a tool or
// test thread that paints gets masks of its own.
struct TCornerMaskCache {
  std::array<std::unique_ptr<TCornerMask>, 5> Small;  // radii 1..5
  std::vector<std::unique_ptr<TCornerMask>> Large;
};
thread_local TCornerMaskCache tCornerMasks;

std::unique_ptr<TCornerMask> BuildMask(int32_t r) {
  auto m = std::make_unique<TCornerMask>();
  m->Radius = r;
  const int32_t n = 2 * r + 1;
  m->Image = TsChannelImage(n, n);
  for (int32_t y = 0; y < n; ++y) {
    uint8_t* row = m->Image.View().Row(y);
    for (int32_t x = 0; x < n; ++x)
      row[x] = static_cast<uint8_t>(255 - DiscCoverage(x, y, r, r, r));
  }
  return m;
}

bool InsideRoundRect(double x, double y, double l, double t, double r, double b,
                     const std::array<double, 4>& rad) {
  if (x < l || x >= r || y < t || y >= b) return false;
  auto outside = [&](double cx, double cy, double rr) {
    const double dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy > rr * rr;
  };
  if (rad[0] > 0 && x < l + rad[0] && y < t + rad[0] && outside(l + rad[0], t + rad[0], rad[0]))
    return false;
  if (rad[1] > 0 && x > r - rad[1] && y < t + rad[1] && outside(r - rad[1], t + rad[1], rad[1]))
    return false;
  if (rad[2] > 0 && x < l + rad[2] && y > b - rad[2] && outside(l + rad[2], b - rad[2], rad[2]))
    return false;
  if (rad[3] > 0 && x > r - rad[3] && y > b - rad[3] && outside(r - rad[3], b - rad[3], rad[3]))
    return false;
  return true;
}

}  // namespace

TsChannelBuffer CornerDiscMask(int32_t radius) {
  if (radius <= 0) return {};
  TCornerMaskCache& cache = tCornerMasks;
  if (radius <= 5) {
    auto& slot = cache.Small[radius - 1];
    if (!slot) slot = BuildMask(radius);
    return slot->Image.View();
  }
  for (const auto& m : cache.Large)
    if (m->Radius == radius) return m->Image.View();
  cache.Large.push_back(BuildMask(radius));
  return cache.Large.back()->Image.View();
}

void CutRoundCorners(const TsPixelBuffer& dst, const TRect& rect, const TCacheInfo& cache,
                     const TCornerRadii& radii) {
  if (dst.IsEmpty() || rect.IsEmpty()) return;
  const bool fromImage = cache.Ready && cache.HasBmp();
  const uint32_t fill = ColorToPixel(static_cast<uint32_t>(cache.FillColor.C));
  for (int32_t corner = 0; corner < 4; ++corner) {
    const int32_t r = radii[corner];
    if (r <= 0) continue;
    const TsChannelBuffer mask = CornerDiscMask(r);
    const bool right = corner == 1 || corner == 3;
    const bool bottom = corner >= 2;
    // The corner's (r + 1) x (r + 1) square and the matching mask quarter.
    const int32_t x0 = right ? rect.Right - r - 1 : rect.Left;
    const int32_t y0 = bottom ? rect.Bottom - r - 1 : rect.Top;
    const int32_t mx0 = right ? r : 0;
    const int32_t my0 = bottom ? r : 0;
    for (int32_t j = 0; j <= r; ++j) {
      const int32_t y = y0 + j;
      if (y < 0 || y >= dst.Height || y < rect.Top || y >= rect.Bottom) continue;
      const uint8_t* mrow = mask.Row(my0 + j);
      uint32_t* drow = dst.Row(y);
      for (int32_t i = 0; i <= r; ++i) {
        const int32_t x = x0 + i;
        if (x < 0 || x >= dst.Width || x < rect.Left || x >= rect.Right) continue;
        const uint32_t m = mrow[mx0 + i];
        if (m == 0) continue;
        uint32_t p = fill;
        if (fromImage) {
          const int32_t px = x + cache.X, py = y + cache.Y;
          if (!cache.Bmp.Contains(px, py)) continue;
          p = cache.Bmp.At(px, py);
        }
        if (m == 255) {
          drow[x] = p;
          continue;
        }
        uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
          const int32_t pc = static_cast<int32_t>((p >> shift) & 0xFFu);
          const int32_t dc = static_cast<int32_t>((drow[x] >> shift) & 0xFFu);
          out |=
              (static_cast<uint32_t>(((pc - dc) * static_cast<int32_t>(m) + dc * 256) >> 8) & 0xFFu)
              << shift;
        }
        drow[x] = out;
      }
    }
  }
}

void DrawRoundOutline(const TsPixelBuffer& dst, const TRect& rect, const TCornerRadii& radii,
                      int32_t width, TColor color) {
  if (dst.IsEmpty() || rect.IsEmpty() || width <= 0) return;
  const std::array<double, 4> outer{double(std::max(radii[0], 0)), double(std::max(radii[1], 0)),
                                    double(std::max(radii[2], 0)), double(std::max(radii[3], 0))};
  std::array<double, 4> inner;
  for (int i = 0; i < 4; ++i) inner[i] = std::max(outer[i] - width, 0.0);
  const double l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
  const double il = l + width, it = t + width, ir = r - width, ib = b - width;
  const int32_t maxR = std::max({radii[0], radii[1], radii[2], radii[3], 0});
  const uint32_t c = ColorToPixel(static_cast<uint32_t>(color));
  const TRect clip = rect.Intersect(dst.Bounds());
  for (int32_t y = clip.Top; y < clip.Bottom; ++y) {
    uint32_t* row = dst.Row(y);
    const bool nearTopOrBottom = y < rect.Top + maxR || y >= rect.Bottom - maxR;
    for (int32_t x = clip.Left; x < clip.Right; ++x) {
      const bool nearSide = x < rect.Left + maxR || x >= rect.Right - maxR;
      uint32_t cov;
      if (nearTopOrBottom && nearSide) {
        int32_t n = 0;
        for (int32_t sy = 0; sy < kGrid; ++sy) {
          const double py = y + (sy + 0.5) / kGrid;
          for (int32_t sx = 0; sx < kGrid; ++sx) {
            const double px = x + (sx + 0.5) / kGrid;
            if (InsideRoundRect(px, py, l, t, r, b, outer) &&
                !InsideRoundRect(px, py, il, it, ir, ib, inner))
              ++n;
          }
        }
        cov = static_cast<uint32_t>(std::min(n, 255));
      } else {
        const bool band = x < rect.Left + width || x >= rect.Right - width ||
                          y < rect.Top + width || y >= rect.Bottom - width;
        cov = band ? 255 : 0;
      }
      if (cov == 0) continue;
      const uint32_t d = row[x];
      uint32_t out = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const int32_t cc = static_cast<int32_t>((c >> shift) & 0xFFu);
        const int32_t dc = static_cast<int32_t>((d >> shift) & 0xFFu);
        const int32_t v = cov == 255 ? cc : ((cc - dc) * static_cast<int32_t>(cov) + dc * 256) >> 8;
        out |= static_cast<uint32_t>(v & 0xFF) << shift;
      }
      row[x] = out | (std::max(d >> 24, cov) << 24);
    }
  }
}

}  // namespace ac
