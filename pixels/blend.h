#pragma once
// Buffer-to-buffer blends: one buffer mixed or copied into another.
//
// Every call reads the same way: the destination buffer and where in it, the
// source buffer and which part of it, then the weights and keys.
//
// d is the destination byte, s the source byte, sA/dA their alpha bytes. Weights
// are bytes and every division is a shift by 8; the shifted sums are never
// negative except where CrossFade says so. Source areas are inclusive
// rectangles (TSourceRect); each operation clips as its comment says and never
// touches a pixel outside either buffer. Empty buffers, empty areas and size
// mismatches where equal sizes are required draw nothing.

#include <cstdint>

#include "core/geometry.h"
#include "pixels/pixel_buffer.h"

namespace ac {

// Source pixels of SrcRect over Dst at DstPoint. a := sA when Opacity is 255,
// else (sA * Opacity) >> 8; colour d := ((s - d) * a + d * 256) >> 8;
// dA := max(dA, ((a - dA) * a + dA * 256) >> 8).
// Clipping: a negative DstPoint moves SrcRect's left/top inward; a negative
// SrcRect left/top moves DstPoint; Right/Bottom are clamped to the source and to
// what fits in Dst. Nothing is drawn for Right < Left or Bottom < Top.
void BlendOver(const TsPixelBuffer& dst, TPoint dstPoint, const TsPixelBuffer& src,
               const TSourceRect& srcRect, uint8_t opacity);

// All four bytes d := (Weight * (d - s) + s * 256) >> 8: Weight is the share kept
// from Dst. Clips as BlendOver, except that an area one column or one row wide
// (Right <= Left or Bottom <= Top) draws nothing.
void MixArea(const TsPixelBuffer& dst, TPoint dstPoint, const TsPixelBuffer& src,
             const TSourceRect& srcRect, uint8_t weight);

// Colour bytes d := (Weight * (d - s) + s * 256) >> 8, alpha kept. Same sizes.
void MixBuffers(const TsPixelBuffer& dst, const TsPixelBuffer& src, uint8_t weight);

// Colour bytes d := ((s - d) * sA + d * 256) >> 8, alpha kept. Same sizes.
void ComposeByAlpha(const TsPixelBuffer& dst, const TsPixelBuffer& src);

// For source pixels whose whole value differs from Key (clNone: all pixels), all
// four bytes d := ((255 - Weight) * s + Weight * d) >> 8. A negative SrcRect
// left/top is raised to 0 and the destination shifted with it; destination
// positions outside Dst are skipped.
void MixKeyedArea(const TsPixelBuffer& dst, TPoint dstPoint, const TsPixelBuffer& src,
                  const TSourceRect& srcRect, uint8_t weight, TColor key);

// Source pixels equal to ColorToPixel(Key) with alpha 0 are skipped (clNone: none
// is). Weight 0 copies the others unchanged; otherwise colour
// d := (Weight * (s - d) + d * 256) >> 8 and dA := max(Weight, dA). SrcRect is
// clamped to the source without moving the destination; positions outside Dst
// are skipped.
void CopyKeyedArea(const TsPixelBuffer& dst, TPoint dstPoint, const TsPixelBuffer& src,
                   const TSourceRect& srcRect, uint8_t weight, TColor key);

// The whole of Src at DstPoint: pixels other than ColorToPixel(Key) are copied
// with alpha 255. Clipped to Dst.
void CopyOpaqueKeyed(const TsPixelBuffer& dst, TPoint dstPoint, const TsPixelBuffer& src,
                     TColor key);

// Blends state image A toward B into Dst (all of one size); Dst's alpha is not
// written. Without a mask (an empty view) colour d := b - ((Weight * (b - a) +
// 255) >> 8) with an arithmetic shift, wrapped to a byte; with a mask
// d := ((a - b) * m + b * 256) >> 8, m the mask's byte of the same channel.
void CrossFade(const TsPixelBuffer& dst, const TsPixelBuffer& a, const TsPixelBuffer& b,
               uint8_t weight, const TsPixelBuffer& mask = TsPixelBuffer());

// A Dst pixel whose colour bytes equal Other's becomes 0 (all four bytes).
void ClearUnchanged(const TsPixelBuffer& dst, const TsPixelBuffer& other);

}  // namespace ac
