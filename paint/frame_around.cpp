#include "paint/frame_around.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "paint/mask_paint_internal.h"

namespace ac {
namespace {

using mask_detail::CopyClipped;

// Stretches Strip of Src over To by nearest pixels: the source column of
// destination column x is Strip.Left + x * Strip.Width / To.Width (and the
// same for rows), computed once per band. Pieces outside either buffer are
// left out.
void StretchBand(const TsPixelBuffer& dst, const TRect& to, const TsPixelBuffer& src,
                 const TRect& strip) {
  const TRect vis = to.Intersect(dst.Bounds());
  if (vis.IsEmpty()) return;
  std::vector<int32_t> columns(static_cast<std::size_t>(vis.Width()));
  for (int32_t x = vis.Left; x < vis.Right; ++x)
    columns[static_cast<std::size_t>(x - vis.Left)] =
        static_cast<int32_t>(strip.Left + int64_t{x - to.Left} * strip.Width() / to.Width());
  const bool straight = strip.Width() == to.Width() && strip.Left >= 0 && strip.Right <= src.Width;
  for (int32_t y = vis.Top; y < vis.Bottom; ++y) {
    const int64_t sy = strip.Top + int64_t{y - to.Top} * strip.Height() / to.Height();
    if (sy < 0 || sy >= src.Height) continue;
    const uint32_t* s = src.Row(static_cast<int32_t>(sy));
    uint32_t* d = dst.Row(y) + vis.Left;
    if (straight) {
      std::memcpy(d, s + columns[0], 4u * static_cast<uint32_t>(vis.Width()));
      continue;
    }
    for (std::size_t i = 0; i < columns.size(); ++i)
      if (columns[i] >= 0 && columns[i] < src.Width) d[i] = s[columns[i]];
  }
}

// Fills To from the Strip of Src: stretched by nearest pixels, or the strip
// repeated from To's top-left corner with the last copy cut to fit.
void FillBand(const TsPixelBuffer& dst, const TRect& to, const TsPixelBuffer& src,
              const TRect& strip, TBandFill fill) {
  if (to.IsEmpty() || strip.IsEmpty()) return;
  if (fill == TBandFill::Stretch) {
    StretchBand(dst, to, src, strip);
    return;
  }
  for (int32_t y = to.Top; y < to.Bottom; y += strip.Height()) {
    const int32_t h = std::min(strip.Height(), to.Bottom - y);
    for (int32_t x = to.Left; x < to.Right; x += strip.Width()) {
      const int32_t w = std::min(strip.Width(), to.Right - x);
      CopyClipped(dst, {x, y}, src, TRect::XYWH(strip.Left, strip.Top, w, h));
    }
  }
}

}  // namespace

void PaintFrameAround(const TsPixelBuffer& dst, const TRect& dstRect, const TsPixelBuffer& src,
                      const TRect& srcRect, const TFrameAroundParams& params) {
  if (dst.IsEmpty() || src.IsEmpty() || dstRect.IsEmpty() || srcRect.IsEmpty()) return;
  const TRect& m = params.Margins;
  const TRect& in = params.Inner;
  const int32_t w = dstRect.Width(), h = dstRect.Height();
  // A target smaller than the margins splits between the two sides, the
  // second side taking the odd pixel.
  const int32_t mL = std::min(m.Left, w / 2), mR = std::min(m.Right, w - w / 2);
  const int32_t mT = std::min(m.Top, h / 2), mB = std::min(m.Bottom, h - h / 2);
  const int32_t iL = std::min(in.Left, m.Left), iR = std::min(in.Right, m.Right);
  const int32_t iT = std::min(in.Top, m.Top), iB = std::min(in.Bottom, m.Bottom);
  const TRect& s = srcRect;
  const TRect& d = dstRect;

  // Corners: the band-thick part across the whole margin, then the rest of
  // the margin only as wide as the side band (an L around the window area).
  auto corner = [&](TPoint at, TPoint from, int32_t cw, int32_t ch) {
    if (cw > 0 && ch > 0) CopyClipped(dst, at, src, TRect::XYWH(from.X, from.Y, cw, ch));
  };
  corner({d.Left, d.Top}, {s.Left, s.Top}, mL, iT);
  corner({d.Right - mR, d.Top}, {s.Right - mR, s.Top}, mR, iT);
  corner({d.Left, d.Bottom - iB}, {s.Left, s.Bottom - iB}, mL, iB);
  corner({d.Right - mR, d.Bottom - iB}, {s.Right - mR, s.Bottom - iB}, mR, iB);
  if (iT != m.Top) {
    corner({d.Left, d.Top + iT}, {s.Left, s.Top + iT}, iL, mT - iT);
    corner({d.Right - iR, d.Top + iT}, {s.Right - iR, s.Top + iT}, iR, mT - iT);
  }
  if (iB != m.Bottom) {
    corner({d.Left, d.Bottom - mB}, {s.Left, s.Bottom - mB}, iL, mB - iB);
    corner({d.Right - iR, d.Bottom - mB}, {s.Right - iR, s.Bottom - mB}, iR, mB - iB);
  }

  const int32_t cx = std::max(0, s.Width() - m.Left - m.Right);
  const int32_t cy = std::max(0, s.Height() - m.Top - m.Bottom);
  if (cy > 0) {
    FillBand(dst, TRect::LTRB(d.Left, d.Top + mT, d.Left + iL, d.Bottom - mB), src,
             TRect::XYWH(s.Left, s.Top + mT, iL, cy), params.Sides[0]);
    FillBand(dst, TRect::LTRB(d.Right - iR, d.Top + mT, d.Right, d.Bottom - mB), src,
             TRect::XYWH(s.Right - iR, s.Top + mT, iR, cy), params.Sides[2]);
  }
  if (cx > 0) {
    FillBand(dst, TRect::LTRB(d.Left + mL, d.Top, d.Right - mR, d.Top + iT), src,
             TRect::XYWH(s.Left + mL, s.Top, cx, iT), params.Sides[1]);
    FillBand(dst, TRect::LTRB(d.Left + mL, d.Bottom - iB, d.Right - mR, d.Bottom), src,
             TRect::XYWH(s.Left + mL, s.Bottom - iB, cx, iB), params.Sides[3]);
  }
}

}  // namespace ac
