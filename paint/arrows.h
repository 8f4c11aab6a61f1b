#pragma once
// Direction arrows of combo boxes, spin buttons, split buttons and list
// headers, in the skin's arrow style.

#include <cstdint>

#include "core/color.h"
#include "core/geometry.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_sections.h"  // TacArrowsStyle

namespace ac {

// Where an arrow points; the values are the engine's direction codes.
enum TacArrowDirection : int32_t { adLeft = 0, adUp = 1, adRight = 2, adDown = 3 };

// The engine's arrow size and line width at 96 pixels per inch.
inline constexpr int32_t kDefaultArrowSize = 5;
inline constexpr int32_t kDefaultArrowLineWidth = 2;

// A small solid triangle centred in Rect, every pixel ColorToPixel(Color) (so
// Color's top byte becomes the alpha). Its side is s := 5 * PPI div 96 and its
// depth h := s div 2 + s mod 2: at 96 pixels per inch a down arrow has rows 5,
// 3 and 1 pixels wide. Nothing is drawn when the arrow would start left of or
// above Dst or reach its right or bottom edge.
void PaintPixelArrow(const TsPixelBuffer& dst, const TRect& rect, TColor color, int32_t ppi,
                     TacArrowDirection direction);

struct TsArrowParams {
  TColor Color = clBlack;
  TColor FillColor = clNone;  // the inside of line arrows; clNone: none
  int32_t PPI = 96;
  TacArrowsStyle Style = arsSolid1;  // already resolved: never arsDefault
  int32_t Size = 0;                  // at 96 pixels per inch; 0: the default
  double Angle = 0;                  // 0: straight; else turned by Round(Angle) - 90 degrees
  int32_t LineWidth = 0;             // 0: the default, scaled
  TacArrowDirection Direction = adDown;
};

// No arrow is larger than this many pixels a side: larger sizes are bad data.
inline constexpr int32_t kMaxArrowSide = 1024;

// The geometry of an arrow pointing down inside its square buffer, before any
// pixel is drawn: the buffer's side C, the box of H' rows by W' columns that
// the shape fills (starting O rows down), the line width and the four points
// of the outline.
struct TsArrowShape {
  int32_t Side = 0;  // c
  int32_t BoxWidth = 0;
  int32_t BoxHeight = 0;
  int32_t Offset = 0;  // o
  int32_t LineWidth = 0;
  TPoint P[4];
};
TsArrowShape ArrowShape(int32_t rectWidth, const TsArrowParams& params);

// The skin-style arrow centred in Rect, composited over Dst. Solid styles are
// a hard-edged triangle whose two slanted sides are drawn again as one-pixel
// anti-aliased lines in Color; line styles are two anti-aliased strokes of the
// line width, over a hard-edged fill in FillColor when one is given;
// arsSolid3 is one anti-aliased fill. Style arsDefault draws nothing, and so
// does an arrow whose square would be wider than kMaxArrowSide.
void PaintArrow(const TsPixelBuffer& dst, const TRect& rect, const TsArrowParams& params);

}  // namespace ac
