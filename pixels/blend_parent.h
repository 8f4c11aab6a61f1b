#pragma once
// Keyed copies that let the parent's background show through the key pixels of
// an opaque skin image: the control-face copy over the cached parent image and
// the rounded corners of form frames.

#include <cstdint>

#include "core/geometry.h"
#include "pixels/cache_info.h"
#include "pixels/pixel_buffer.h"

namespace ac {

enum class TUseParent { No, Yes };

// What shows through the key pixels of a copy over the parent: the parent's
// background, whether to take it, and the key colour (clNone switches the key
// test off). The cache must outlive the call.
struct TParentFill {
  const TCacheInfo& Cache;
  TUseParent UseParent;
  TColor Key;
};

// Copies the inclusive SrcRect of Src to Dst at DstPoint. Key pixels (whole
// value equal to ColorToPixel(Parent.Key)) are treated as transparent:
// 1. UseParent, Cache.Ready and a cache image: when Dst is the cache image itself
//    the other pixels are copied with alpha 255 and key pixels left alone (Dst
//    already holds the parent); else the other pixels are copied unchanged and a
//    key pixel at (dx, dy) takes the cache pixel at (dx + Cache.X, dy + Cache.Y),
//    or stays untouched when that lies outside the cache image.
// 2. Cache.Ready otherwise: other pixels copied, key pixels untouched.
// 3. Cache not ready: other pixels copied, key pixels := Cache.FillColor with
//    the alpha Dst(0, 0) had before the copy.
// SrcRect is clamped to Src (Left/Top raised to 0 without moving the
// destination); destination positions outside Dst are skipped.
void CopyOverParent(const TsPixelBuffer& dst, TPoint dstPoint, const TsPixelBuffer& src,
                    const TSourceRect& srcRect, const TParentFill& parent);

// Corner codes of FillKeyFromBack: the window hit-test codes of the corners.
enum TFrameCorner : int32_t {
  fcTopLeft = 13,
  fcTopRight = 14,
  fcBottomLeft = 16,
  fcBottomRight = 17,
};

// The shape of a frame mask as FillKeyFromBack needs it: the image holding the
// mask (its own or the skin's master image), the mask's rectangle R in it, the
// size of one state image and the right and bottom border widths.
struct TCornerMask {
  TsPixelBuffer Image;
  TRect R;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t WR = 0;
  int32_t WB = 0;
};

// Fills the transparent corner pixels of Area in Dst from Back at BackPoint.
// The processed size is min(Area size, Back size - BackPoint), also kept inside
// Dst and Back. Without a mask (null) every pixel first gets alpha 0 and one that
// then equals $00FF00FF takes the Back pixel. With a mask, a pixel takes the Back
// pixel when the mask pixel at the same offset from the corner's origin has
// colour bytes $FF00FF; positions off the mask image are not processed. Corner is
// a TFrameCorner; any other value means top-left.
void FillKeyFromBack(const TsPixelBuffer& dst, const TRect& area, const TsPixelBuffer& back,
                     TPoint backPoint, int32_t corner, const TCornerMask* mask);

}  // namespace ac
