#include "paint/border_layout.h"

#include <algorithm>

namespace ac {

TSize BorderImageSize(TSize formSize, const TBorderMetrics& m) {
  const TRect& s = m.Shadow;
  const int32_t extraSide = m.BorderWidth - m.SysFrameWidth;
  const int32_t extraTitle = m.CaptionHeight - m.SysCaptionHeight - m.SysFrameWidth;
  return {formSize.cx + s.Left + s.Right + 2 * extraSide,
          formSize.cy + s.Top + s.Bottom + extraTitle + extraSide};
}

TPoint BorderOffset(const TBorderMetrics& m) {
  const TRect& s = m.Shadow;
  const int32_t x = m.BorderWidth + s.Left - m.SysFrameWidth;
  if (m.SysExHeight)
    return {x, s.Top + (m.CaptionHeight - m.SysCaptionHeight - m.SysFrameWidth) + 4};
  return {x, s.Top + m.CaptionHeight - m.SysFrameWidth - m.SysCaptionHeight};
}

TRect BorderWindowRect(const TRect& formWindow, const TBorderMetrics& m) {
  const TPoint off = BorderOffset(m);
  const TSize size = BorderImageSize({formWindow.Width(), formWindow.Height()}, m);
  return TRect::XYWH(formWindow.Left - off.X, formWindow.Top - off.Y, size.cx, size.cy);
}

TRect ClientHole(TSize clientSize, const TBorderMetrics& m) {
  return TRect::XYWH(m.BorderWidth + m.Shadow.Left, m.CaptionHeight + m.Shadow.Top + m.MenuHeight,
                     clientSize.cx, clientSize.cy);
}

namespace {

bool InClosed(int32_t v, int32_t lo, int32_t hi) {
  return v >= lo && v <= hi;
}

// Which sides of the frame P presses on, as the eight sizing codes (0: none).
int32_t SizingCode(bool top, bool bottom, bool left, bool right) {
  if (top) return left ? kHitTopLeft : right ? kHitTopRight : kHitTop;
  if (bottom) return left ? kHitBottomLeft : right ? kHitBottomRight : kHitBottom;
  if (left) return kHitLeft;
  if (right) return kHitRight;
  return 0;
}

int32_t SizingBand(TPoint p, const TBorderHitInputs& in) {
  const TRect& s = in.Metrics.Shadow;
  const int32_t W = in.Window.cx, H = in.Window.cy;
  if (in.Drawing == TBorderDrawing::bdOther) {
    const int32_t m = std::max(in.Metrics.BorderWidth, 6);
    const bool bottom = InClosed(p.Y, H - s.Bottom, H - s.Bottom + m);
    const bool top = !bottom && InClosed(p.Y, s.Top - m, s.Top);
    return SizingCode(top, bottom, InClosed(p.X, s.Left - m, s.Left),
                      InClosed(p.X, W - s.Right, W - s.Right + m));
  }
  const TRect& a = in.AlignOffsets;
  const TRect r =
      TRect::LTRB(s.Left - a.Left, s.Top - a.Top, W + a.Right - s.Right, H + a.Bottom - s.Bottom);
  if (!r.Contains(p)) return 0;
  const int32_t f = in.Metrics.SysFrameWidth;
  const bool top = p.Y <= r.Top + 4;
  return SizingCode(top, !top && p.Y >= r.Bottom - f, p.X <= r.Left + 4, p.X >= r.Right - 4);
}

}  // namespace

int32_t BorderHitTest(TPoint p, const TBorderHitInputs& in) {
  if (!in.Enabled) return kHitTransparent;
  for (const TCaptionHit& b : in.Buttons)
    if (b.Rect.Contains(p)) return b.Code;
  if (!in.Maximized && in.Sizeable)
    if (const int32_t code = SizingBand(p, in)) return code;
  const TBorderMetrics& m = in.Metrics;
  const int32_t captionBottom = m.CaptionHeight + m.Shadow.Top;  // inclusive
  if (p.Y >= 0 && p.Y <= captionBottom) return in.IconRect.Contains(p) ? kHitSysMenu : kHitCaption;
  if (p.Y > captionBottom && p.Y <= captionBottom + m.MenuHeight) return kHitMenu;
  const TRect area = TRect::LTRB(m.Shadow.Left, m.Shadow.Top, in.Window.cx - m.Shadow.Right,
                                 in.Window.cy - m.Shadow.Bottom);
  if (area.Contains(p) && !in.Maximized && in.GripRect.Contains(p)) return kHitBottomRight;
  return kHitTransparent;
}

TRect SolidZone(const TBorderHitInputs& in) {
  const TRect& s = in.Metrics.Shadow;
  const int32_t W = in.Window.cx, H = in.Window.cy;
  if (in.Drawing == TBorderDrawing::bdOther) {
    const int32_t m = std::max(in.Metrics.BorderWidth, 6);
    // Edges included: one more pixel right and below.
    return TRect::LTRB(s.Left - m, s.Top - m, W - s.Right + m + 1, H - s.Bottom + m + 1);
  }
  const TRect& a = in.AlignOffsets;
  return TRect::LTRB(s.Left - a.Left, s.Top - a.Top, W - s.Right + a.Right,
                     H - s.Bottom + a.Bottom);
}

}  // namespace ac
