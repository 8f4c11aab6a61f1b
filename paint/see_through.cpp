#include "paint/see_through.h"

#include <algorithm>

#include "paint/mask_paint.h"
#include "paint/mask_paint_layout.h"
#include "pixels/pixel_buffer.h"

namespace ac {

namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

TsPixelImage PaintedOver(const TsMaskData& mask, TSize size, int32_t state, uint32_t fill) {
  TsPixelImage img(size.cx, size.cy);
  const TsPixelBuffer& v = img.View();
  for (int32_t y = 0; y < v.Height; ++y) std::fill_n(&v.At(0, y), v.Width, fill);
  PaintMaskRect(v, v.Bounds(), mask, state, TCacheInfo{}, TUseParent::No);
  return img;
}

// How much of the fill shows through, per colour byte: 255 where the image
// left the pixel alone, 0 where it covered it.
bool ShowsThrough(uint32_t overBlack, uint32_t overWhite) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int b = static_cast<int>((overBlack >> shift) & 0xFF);
    const int w = static_cast<int>((overWhite >> shift) & 0xFF);
    if (w - b < 128) return false;
  }
  return true;
}

}  // namespace

TsSeeThroughMap::TsSeeThroughMap(const TsMaskData& mask, TSize size) {
  if (size.cx <= 0 || size.cy <= 0) return;
  // A mask that shows nothing in state 0 is seen in state 1 first.
  const int32_t state = HasDrawModeBit(mask.DrawMode, TDrawModeBit::SkipState0) ? 1 : 0;
  const TsPixelImage black = PaintedOver(mask, size, state, kBlack);
  const TsPixelImage white = PaintedOver(mask, size, state, kWhite);
  const TMaskBands bands = FitMaskBands({mask.WL, mask.WT, mask.WR, mask.WB}, size.cx, size.cy);
  const TRect centre = TRect::LTRB(bands.L, bands.T, size.cx - bands.R, size.cy - bands.B);

  FSize = size;
  const std::size_t count = static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy);
  std::vector<uint8_t> clear(count, 0);
  for (int32_t y = 0; y < size.cy; ++y) {
    for (int32_t x = 0; x < size.cx; ++x) {
      if (centre.Contains({x, y})) continue;
      clear[static_cast<std::size_t>(y) * size.cx + x] =
          ShowsThrough(black.View().At(x, y), white.View().At(x, y)) ? 1 : 0;
    }
  }
  // Flood from the outer edge through clear pixels.
  FBits.assign(count, 0);
  std::vector<TPoint> todo;
  auto visit = [&](int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= size.cx || y >= size.cy) return;
    const std::size_t i = static_cast<std::size_t>(y) * size.cx + x;
    if (!clear[i] || FBits[i]) return;
    FBits[i] = 1;
    todo.push_back({x, y});
  };
  for (int32_t x = 0; x < size.cx; ++x) {
    visit(x, 0);
    visit(x, size.cy - 1);
  }
  for (int32_t y = 0; y < size.cy; ++y) {
    visit(0, y);
    visit(size.cx - 1, y);
  }
  while (!todo.empty()) {
    const TPoint p = todo.back();
    todo.pop_back();
    visit(p.X - 1, p.Y);
    visit(p.X + 1, p.Y);
    visit(p.X, p.Y - 1);
    visit(p.X, p.Y + 1);
  }
}

bool TsSeeThroughMap::SeeThrough(TPoint p) const {
  if (p.X < 0 || p.Y < 0 || p.X >= FSize.cx || p.Y >= FSize.cy) return false;
  return FBits[static_cast<std::size_t>(p.Y) * FSize.cx + p.X] != 0;
}

}  // namespace ac
