#pragma once
// The pictures a form's border window and its shadow window show, taken from
// the one border image the frame paints (straight alpha, frame, title and
// shadow together).
//
// The shadow lives in a window of its own that lets every click through to
// whatever lies below, so the image is split: the border window keeps the
// solid zone (SolidZone in border_layout.h) less the client hole, the shadow
// window everything outside the solid zone. Each pixel lands in exactly one of
// the two and the other holds 0 there, so the pair shows over any background
// exactly what the single image would.

#include "core/geometry.h"
#include "pixels/blend_premultiply.h"
#include "pixels/pixel_buffer.h"

namespace ac {

// Whether the destinations already hold this split's zeros: true when they
// were last written by a split with the same zone and hole (or are new,
// zeroed bitmaps); then only the copied parts are written again, which
// halves what a repaint moves.
enum class TSplitZeros { Write, Kept };

// Writes the premultiplied frame and shadow pictures of Image (same size as
// both destinations; nothing is written when the sizes differ). SolidZone and
// Hole are exclusive rectangles in image coordinates, clipped to it.
// Premultiplication follows PremultiplyWith: without composition, bright
// colours are held at 244.
void SplitBorderImage(const TsPixelBuffer& frame, const TsPixelBuffer& shadow,
                      const TsPixelBuffer& image, const TRect& solidZone, const TRect& hole,
                      TComposition composition, TSplitZeros zeros = TSplitZeros::Write);

}  // namespace ac
