#include "pixels/polygon_fill.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "pixels/placement.h"
namespace ac {

namespace {

// Signed-area accumulation: every edge adds, per row, the change of covered
// area it causes at each column; a running sum along the row then gives the
// coverage of each pixel. Columns left of the mask collect in column 0, which
// is exactly what the running sum needs there.
class TAccumulator {
 public:
  TAccumulator(int32_t w, int32_t h)
      : FW(w), FH(h), FCells(static_cast<std::size_t>(w + 2) * h, 0.0) {}

  void Edge(TPointF p0, TPointF p1) {
    if (p0.Y == p1.Y) return;
    double dir = 1;
    if (p0.Y > p1.Y) std::swap(p0, p1), dir = -1;
    const double dxdy = (p1.X - p0.X) / (p1.Y - p0.Y);
    const int32_t yStart = std::max(0, static_cast<int32_t>(std::floor(p0.Y)));
    const int32_t yEnd = std::min(FH, static_cast<int32_t>(std::ceil(p1.Y)));
    for (int32_t y = yStart; y < yEnd; ++y) {
      const double top = std::max<double>(y, p0.Y), bottom = std::min<double>(y + 1, p1.Y);
      if (bottom <= top) continue;
      const double xa = p0.X + (top - p0.Y) * dxdy, xb = p0.X + (bottom - p0.Y) * dxdy;
      Span(y, std::min(xa, xb), std::max(xa, xb), (bottom - top) * dir);
    }
  }

  // Coverage of pixel (x, y) as a byte, reading rows left to right.
  template <typename Sink>
  void Resolve(Sink&& sink) const {
    for (int32_t y = 0; y < FH; ++y) {
      double sum = 0;
      const double* row = &FCells[static_cast<std::size_t>(y) * (FW + 2)];
      for (int32_t x = 0; x < FW; ++x) {
        sum += row[x];
        // The small bias settles exact halves the same way whichever order
        // the edges were summed in, so mirrored shapes stay mirrored.
        const double c = std::min(1.0, std::fabs(sum));
        sink(x, y, static_cast<uint8_t>(std::lround(c * 255 + 1e-7)));
      }
    }
  }

 private:
  void Add(int32_t y, int32_t x, double v) {
    FCells[static_cast<std::size_t>(y) * (FW + 2) + std::clamp(x, 0, FW + 1)] += v;
  }

  // The part of an edge inside row Y runs from X0 to X1 (X0 <= X1) and covers
  // D of the row's height (signed by direction).
  void Span(int32_t y, double x0, double x1, double d) {
    const double x0f = std::floor(x0);
    const int32_t x0i = static_cast<int32_t>(x0f);
    const double x1c = std::ceil(x1);
    const int32_t x1i = static_cast<int32_t>(x1c);
    if (x1i <= x0i + 1) {
      const double xm = 0.5 * (x0 + x1) - x0f;
      Add(y, x0i, d - d * xm);
      Add(y, x0i + 1, d * xm);
      return;
    }
    const double s = 1.0 / (x1 - x0);
    const double fx0 = x0 - x0f;
    const double a0 = 0.5 * s * (1 - fx0) * (1 - fx0);
    const double fx1 = x1 - x1c + 1;
    const double am = 0.5 * s * fx1 * fx1;
    Add(y, x0i, d * a0);
    if (x1i == x0i + 2) {
      Add(y, x0i + 1, d * (1 - a0 - am));
    } else {
      const double a1 = s * (1.5 - fx0);
      Add(y, x0i + 1, d * (a1 - a0));
      for (int32_t xi = x0i + 2; xi < x1i - 1; ++xi) Add(y, xi, d * s);
      const double a2 = a1 + (x1i - x0i - 3) * s;
      Add(y, x1i - 1, d * (1 - a2 - am));
    }
    Add(y, x1i, d * am);
  }

  int32_t FW, FH;
  std::vector<double> FCells;
};

void Set(const TsChannelBuffer& mask, int32_t x, int32_t y, uint8_t v) {
  if (x >= 0 && y >= 0 && x < mask.Width && y < mask.Height) mask.Row(y)[x] = v;
}

// A one-pixel line with both ends, stepping along the longer axis.
void TraceLine(const TsChannelBuffer& mask, TPoint a, TPoint b, uint8_t v) {
  const int32_t dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
  const int32_t sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
  int32_t err = dx + dy;
  for (TPoint p = a;;) {
    Set(mask, p.X, p.Y, v);
    if (p == b) break;
    const int32_t e2 = 2 * err;
    if (e2 >= dy) err += dy, p.X += sx;
    if (e2 <= dx) err += dx, p.Y += sy;
  }
}

}  // namespace

void FillPolygonSmooth(const TsChannelBuffer& mask, std::span<const TPointF> points) {
  if (mask.IsEmpty() || points.size() < 3) return;
  TAccumulator acc(mask.Width, mask.Height);
  for (std::size_t i = 0; i < points.size(); ++i)
    acc.Edge(points[i], points[(i + 1) % points.size()]);
  acc.Resolve([&](int32_t x, int32_t y, uint8_t v) {
    uint8_t& m = mask.Row(y)[x];
    m = std::max(m, v);
  });
}

void FillPolygonHard(const TsChannelBuffer& mask, std::span<const TPoint> points, uint8_t value) {
  if (mask.IsEmpty() || points.empty()) return;
  const std::size_t n = points.size();
  std::vector<double> xs;
  for (int32_t y = 0; y < mask.Height; ++y) {
    // Crossings of the row's centre line, each edge half-open in y so a vertex
    // is counted once.
    const double cy = y + 0.5;
    xs.clear();
    for (std::size_t i = 0; i < n; ++i) {
      const TPoint a = points[i], b = points[(i + 1) % n];
      if ((a.Y + 0.5 <= cy) == (b.Y + 0.5 <= cy)) continue;
      xs.push_back(a.X + 0.5 + (cy - a.Y - 0.5) * (b.X - a.X) / (b.Y - a.Y));
    }
    std::sort(xs.begin(), xs.end());
    for (std::size_t k = 0; k + 1 < xs.size(); k += 2) {
      const int32_t from = std::max(0, static_cast<int32_t>(std::ceil(xs[k] - 0.5)));
      const int32_t to =
          std::min(mask.Width - 1, static_cast<int32_t>(std::floor(xs[k + 1] - 0.5)));
      for (int32_t x = from; x <= to; ++x) mask.Row(y)[x] = value;
    }
  }
  for (std::size_t i = 0; i < n; ++i) TraceLine(mask, points[i], points[(i + 1) % n], value);
}

std::array<TPointF, 4> LineOutline(TPointF a, TPointF b, double width) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double len = std::hypot(dx, dy);
  // A zero-length line has no direction; it draws nothing.
  const double nx = len > 0 ? -dy / len * width / 2 : 0;
  const double ny = len > 0 ? dx / len * width / 2 : 0;
  a.X += 0.5, a.Y += 0.5, b.X += 0.5, b.Y += 0.5;
  return {TPointF{a.X + nx, a.Y + ny}, TPointF{b.X + nx, b.Y + ny}, TPointF{b.X - nx, b.Y - ny},
          TPointF{a.X - nx, a.Y - ny}};
}

void CompositeMask(const TsPixelBuffer& dst, TPoint origin, const TsChannelBuffer& mask,
                   TColor color) {
  const TsPixel c(ColorToPixel(static_cast<uint32_t>(color)));
  ForEachMaskPixel(dst, origin, mask, [&](uint32_t a, uint8_t* p) {
    if (a == 0) return;
    // The destination's share, in 255ths, and the resulting alpha.
    const uint32_t under = (p[3] * (255 - a) + 127) / 255;
    const uint32_t out = a + under;
    auto mix = [&](uint32_t cc, uint32_t dc) {
      return static_cast<uint8_t>((cc * a + dc * under + out / 2) / out);
    };
    p[0] = mix(c.B(), p[0]);
    p[1] = mix(c.G(), p[1]);
    p[2] = mix(c.R(), p[2]);
    p[3] = static_cast<uint8_t>(out);
  });
}

}  // namespace ac
