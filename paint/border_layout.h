#pragma once
// Where a form's border window lies and what its points answer.
//
// The border window is larger than its form: it holds the skin's extended
// frame (B wide, with a title T high) and the shadow margins S around it. The
// form keeps its system frame (f wide, caption c high) but is cut down to its
// client area by a region, and the border window's hole lies exactly over
// that client area. All sizes are pixels at the form's resolution.
//
//   border window  +-----------------------------------+
//                  |  shadow (S.top)                   |
//                  |   +---------------------------+   |   window area:
//                  |   |  title (T)                |   |   the image less S
//                  |   |  +---------------------+  |   |
//                  | S |B |  client hole        |B | S |
//                  |   |  +---------------------+  |   |
//                  |   +---------------------------+   |
//                  |  shadow (S.bottom)                |
//                  +-----------------------------------+

#include <cstdint>
#include <span>

#include "core/geometry.h"

namespace ac {

struct TBorderMetrics {
  int32_t BorderWidth = 0;       // B: the skin's extended border width
  int32_t CaptionHeight = 0;     // T: the skin's caption height, 0 without caption
  int32_t SysFrameWidth = 0;     // f
  int32_t SysCaptionHeight = 0;  // c, 0 without caption
  TRect Shadow{};                // S: shadow margins, left, top, right, bottom
  int32_t MenuHeight = 0;        // menu lines x menu-line height (+ the line's extra 1)
  // A maximized form whose skinned title is more than 4 pixels higher than
  // the system's: the title sits 4 pixels lower.
  bool SysExHeight = false;
};

// The border image and window size for a form window of FormSize.
TSize BorderImageSize(TSize formSize, const TBorderMetrics& m);
// How far the border window lies left of and above the form window.
TPoint BorderOffset(const TBorderMetrics& m);
// The border window's screen rectangle around the form window's.
TRect BorderWindowRect(const TRect& formWindow, const TBorderMetrics& m);
// The form's client area in the border image, for a client of ClientSize.
TRect ClientHole(TSize clientSize, const TBorderMetrics& m);

// How the skin draws the frame: one "EXBORDER" image for frame, title and
// shadow (border mode 1 with the full extended border), or anything else (an
// engine-drawn shadow, or the image as a frame around the form).
enum class TBorderDrawing { bdImageFrame, bdOther };

// A caption button's rectangle in border-window coordinates and the code it
// answers (already resolved by the frame: enabled, disabled or hidden).
struct TCaptionHit {
  TRect Rect{};
  int32_t Code = 0;
};

// What a hit test of the border window needs to know.
struct TBorderHitInputs {
  TSize Window{};  // W x H, the border window's size
  TBorderMetrics Metrics{};
  TBorderDrawing Drawing = TBorderDrawing::bdImageFrame;
  // The skin's "ALIGNOFFSET" and its R/T/B variants, as left, top, right, bottom.
  TRect AlignOffsets{};
  bool Enabled = true;
  bool Sizeable = false;  // WS_THICKFRAME
  bool Maximized = false;
  TRect IconRect{};                        // the title icon, empty without one
  std::span<const TCaptionHit> Buttons{};  // in testing order
  TRect GripRect{};                        // the size grip's corner area, empty without one
};

// The codes a border window answers (the system's HT values and the skin's
// own button codes).
inline constexpr int32_t kHitTransparent = -1;
inline constexpr int32_t kHitCaption = 2;
inline constexpr int32_t kHitSysMenu = 3;
inline constexpr int32_t kHitMenu = 5;
inline constexpr int32_t kHitMinimize = 8;
inline constexpr int32_t kHitMaximize = 9;
inline constexpr int32_t kHitLeft = 10, kHitRight = 11, kHitTop = 12, kHitTopLeft = 13,
                         kHitTopRight = 14, kHitBottom = 15, kHitBottomLeft = 16,
                         kHitBottomRight = 17;
inline constexpr int32_t kHitBorderWindow = 19;  // what WM_NCHITTEST answers on the frame
inline constexpr int32_t kHitClose = 20;
inline constexpr int32_t kHitHelp = 21;

// The hit code of point P (border-window coordinates).
int32_t BorderHitTest(TPoint p, const TBorderHitInputs& in);

// The part of the border window that takes the mouse (exclusive
// rectangle): the window area, grown by the align offsets when one image
// draws the frame, else by max(B, 6) on each side for the sizing bands.
// Outside it lies the shadow, which the mouse passes through.
TRect SolidZone(const TBorderHitInputs& in);

}  // namespace ac
