#include "paint/arrows.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "pixels/blend.h"
#include "pixels/polygon_fill.h"

namespace ac {

namespace {

// Value * PPI div 96 for sizes, held far enough inside the integer range that
// the box arithmetic cannot overflow (the result is then refused as too big).
int32_t Scaled(int32_t value, int32_t ppi) {
  const int64_t v = int64_t{value} * ppi / 96;
  return static_cast<int32_t>(std::clamp<int64_t>(v, -4 * kMaxArrowSide, 4 * kMaxArrowSide));
}

void FillSpan(const TsPixelBuffer& dst, int32_t y, int32_t from, int32_t to, uint32_t pixel) {
  uint32_t* row = dst.Row(y);
  for (int32_t x = from; x <= to; ++x) row[x] = pixel;
}

bool IsLineStyle(TacArrowsStyle s) {
  return s == arsLines1 || s == arsLines2;
}

// The square buffer turned so the arrow points the asked way: down as built,
// up mirrored top to bottom, left a quarter turn clockwise, right the other way.
TsPixelImage Turned(const TsPixelImage& img, TacArrowDirection direction) {
  if (direction == adDown) return img;
  const int32_t c = img.Width();
  TsPixelImage out(c, c);
  for (int32_t y = 0; y < c; ++y)
    for (int32_t x = 0; x < c; ++x) {
      const uint32_t p = img.View().At(x, y);
      if (direction == adUp)
        out.View().At(x, c - 1 - y) = p;
      else if (direction == adLeft)
        out.View().At(c - 1 - y, x) = p;
      else
        out.View().At(y, c - 1 - x) = p;
    }
  return out;
}

// The image turned by Degrees about (c div 2 - 1, c div 2 - 1) into a
// transparent copy of the same size, each pixel taken from the nearest source
// pixel.
TsPixelImage Rotated(const TsPixelImage& img, int32_t degrees) {
  const int32_t c = img.Width();
  TsPixelImage out(c, c);
  const double rad = degrees * std::numbers::pi / 180, cs = std::cos(rad), sn = std::sin(rad);
  const double centre = c / 2 - 1;
  for (int32_t y = 0; y < c; ++y)
    for (int32_t x = 0; x < c; ++x) {
      const double rx = x - centre, ry = y - centre;
      const auto sx = static_cast<int32_t>(std::lround(centre + rx * cs + ry * sn));
      const auto sy = static_cast<int32_t>(std::lround(centre - rx * sn + ry * cs));
      out.View().At(x, y) = img.View().Contains(sx, sy) ? img.View().At(sx, sy) : 0x00FFFFFFu;
    }
  return out;
}

// The hard-edged fill drawn black on white, then made the fill colour with the
// darkness as its alpha (pure white becomes transparent white).
void PaintHardFill(const TsPixelBuffer& buf, const TsArrowShape& shape, TColor fill) {
  TsChannelImage mask(shape.Side, shape.Side);
  FillPolygonHard(mask.View(), shape.P, 255);
  // The fill is hard-edged, so every pixel is either untouched white (left
  // transparent) or full black (the fill colour, opaque).
  const uint32_t colour = ColorToPixel(static_cast<uint32_t>(fill)) | 0xFF000000u;
  for (int32_t y = 0; y < shape.Side; ++y)
    for (int32_t x = 0; x < shape.Side; ++x)
      if (mask.View().Row(y)[x] != 0) buf.At(x, y) = colour;
}

void PaintSmoothLine(const TsPixelBuffer& buf, TPoint a, TPoint b, double width, TColor color) {
  TsChannelImage mask(buf.Width, buf.Height);
  const auto outline = LineOutline({static_cast<double>(a.X), static_cast<double>(a.Y)},
                                   {static_cast<double>(b.X), static_cast<double>(b.Y)}, width);
  FillPolygonSmooth(mask.View(), outline);
  CompositeMask(buf, {0, 0}, mask.View(), color);
}

}  // namespace

void PaintPixelArrow(const TsPixelBuffer& dst, const TRect& rect, TColor color, int32_t ppi,
                     TacArrowDirection direction) {
  if (dst.IsEmpty()) return;
  const int32_t s = Scaled(kDefaultArrowSize, ppi);
  const int32_t h = s / 2 + s % 2;
  const bool vertical = direction == adUp || direction == adDown;
  const int32_t across = vertical ? s : h, along = vertical ? h : s;
  const int32_t x0 = rect.Left + (rect.Width() - across) / 2;
  const int32_t y0 = rect.Top + (rect.Height() - along) / 2;
  if (s <= 0 || x0 < 0 || y0 < 0 || x0 + across >= dst.Width || y0 + along >= dst.Height) return;
  const uint32_t pixel = ColorToPixel(static_cast<uint32_t>(color));
  switch (direction) {
    case adDown:
      for (int32_t i = 0; i < h; ++i) FillSpan(dst, y0 + i, x0 + i, x0 + s - 1 - i, pixel);
      break;
    case adUp:
      for (int32_t i = 0; i < h; ++i) {
        const int32_t inset = h - 1 - i;
        FillSpan(dst, y0 + i, x0 + inset, x0 + s - inset - 1, pixel);
      }
      break;
    case adLeft:
      for (int32_t i = 1; i <= s; ++i)
        FillSpan(dst, y0 + i, i < h ? x0 + h - i : x0 + i - h, x0 + h - 1, pixel);
      break;
    case adRight:
      for (int32_t i = 0; i <= s; ++i)
        FillSpan(dst, y0 + i, x0, i < h ? x0 + i : x0 + s - i - 1, pixel);
      break;
  }
}

TsArrowShape ArrowShape(int32_t rectWidth, const TsArrowParams& p) {
  TsArrowShape r;
  int32_t s = Scaled(p.Size == 0 ? kDefaultArrowSize : p.Size, p.PPI);
  int32_t w = rectWidth;
  int32_t lw = 1;
  if (IsLineStyle(p.Style)) {
    if (w % 2 == 0) ++w;
    lw = p.LineWidth != 0 ? std::clamp(p.LineWidth, -4 * kMaxArrowSide, 4 * kMaxArrowSide)
                          : Scaled(kDefaultArrowLineWidth, p.PPI);
  }
  const bool oddW = w % 2 != 0;
  if (p.Style == arsSolid1 || p.Style == arsSolid2) {
    --s;
    if (p.Style == arsSolid2 && !oddW) ++s;
  }
  const int32_t a = lw / 2, b = std::max(a, 1);
  int32_t bw = 0, bh = 0;
  switch (p.Style) {
    case arsSolid1:
      bw = oddW ? 2 * s + 1 : 2 * s;
      bh = oddW ? s + 1 : s;
      break;
    case arsLines1:
      bw = 2 * s + (oddW ? 1 : 0) + lw;
      bh = s + b + lw;
      break;
    case arsSolid2:
      bw = oddW ? 2 * s : 2 * s + 1;
      bh = s / 2 + (oddW ? 1 : 0);
      break;
    case arsLines2:
      bw = 2 * s + (oddW ? 0 : 1) + lw;
      bh = s / 2 + b + lw;
      break;
    case arsSolid3:
      bw = s + 4 + ((s + 4) % 2 == 0 ? 1 : 0);
      bh = s + 3;
      break;
    case arsDefault:
      return r;
  }
  const int32_t c = std::max(bw, bh);
  const int32_t o = (c - bh) / 2;
  const int32_t odd = bw % 2;
  r.Side = c;
  r.BoxWidth = bw;
  r.BoxHeight = bh;
  r.Offset = o;
  r.LineWidth = lw;
  if (IsLineStyle(p.Style)) {
    r.P[0] = {b, b + o};
    r.P[1] = {b + s, o + bh - lw};
    r.P[2] = {b + s + odd - a, o + bh - lw};
    r.P[3] = {r.P[2].X + s, b + o};
  } else {
    r.P[0] = {0, o};
    r.P[1] = {c / 2 + odd - 1, o + bh - 1};
    r.P[2] = {c / 2, o + bh - 1};
    r.P[3] = {2 * (c / 2) + odd - 1, o};
  }
  return r;
}

void PaintArrow(const TsPixelBuffer& dst, const TRect& rect, const TsArrowParams& params) {
  if (dst.IsEmpty() || params.Style == arsDefault) return;
  const TsArrowShape shape = ArrowShape(rect.Width(), params);
  const int32_t c = shape.Side;
  if (c <= 0 || c > kMaxArrowSide) return;
  TsPixelImage img(c, c);
  const TsPixelBuffer& buf = img.View();
  for (int32_t y = 0; y < c; ++y) std::fill_n(buf.Row(y), c, 0x00FFFFFFu);

  if (params.Style == arsSolid3) {
    TsChannelImage mask(c, c);
    TPointF pts[4];
    for (int i = 0; i < 4; ++i) pts[i] = {shape.P[i].X + 0.5, shape.P[i].Y + 0.5};
    FillPolygonSmooth(mask.View(), pts);
    CompositeMask(buf, {0, 0}, mask.View(), params.Color);
  } else {
    const TColor fill = IsLineStyle(params.Style) ? params.FillColor : params.Color;
    if (fill != clNone) PaintHardFill(buf, shape, fill);
    if (shape.LineWidth >= 1) {
      PaintSmoothLine(buf, shape.P[0], shape.P[1], shape.LineWidth, params.Color);
      PaintSmoothLine(buf, shape.P[2], shape.P[3], shape.LineWidth, params.Color);
    }
  }

  TsPixelImage turned = Turned(img, params.Direction);
  const auto angle = static_cast<int32_t>(std::nearbyint(params.Angle));
  if (params.Angle != 0) turned = Rotated(turned, angle - 90);
  const TPoint at{rect.Left + (rect.Width() - c) / 2, rect.Top + (rect.Height() - c) / 2};
  BlendOver(dst, at, turned.View(), TSourceRect::XYWH(0, 0, c, c), 255);
}

}  // namespace ac
