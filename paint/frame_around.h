#pragma once
// A nine-part frame copied around a rectangle with bands thinner than the
// source's margins: the extended border and shadow of a form are cut from a
// template whose margins hold shadow, border and title, while the bands drawn
// around the window area are only as thick as what lies outside the form.
//
//   Margins: the source's nine-slice bands.   Inner: how thick each drawn band is.
//
//   +----+----------+----+     corner pieces: Margins wide where the band is
//   | TL |   top    | TR |     drawn (Inner thick), narrowing to Inner below
//   +--+-+----------+-+--+     the band (the rest of the margin): an L shape
//   |L |    centre    | R|     sides: Inner thick, from the source's middle
//   +--+-+----------+-+--+     strip, stretched or tiled
//   | BL |  bottom  | BR |     centre: never drawn
//   +----+----------+----+
//
// All four bytes of every pixel are copied: nothing is blended, so a shadow's
// alpha reaches the layered window as the template holds it.

#include <array>

#include "core/geometry.h"
#include "pixels/pixel_buffer.h"

namespace ac {

enum class TBandFill { Tile, Stretch };

struct TFrameAroundParams {
  TRect Inner{};    // drawn band thickness per side (left, top, right, bottom)
  TRect Margins{};  // the source's band sizes per side
  // Left, top, right, bottom. Stretching takes nearest pixels (no smoothing).
  std::array<TBandFill, 4> Sides{TBandFill::Tile, TBandFill::Tile, TBandFill::Tile,
                                 TBandFill::Tile};
};

// Copies the frame of Src's SrcRect around DstRect of Dst. Pieces are clipped
// to both buffers; empty or inverted rectangles draw nothing. The centre of
// DstRect is left as it is.
void PaintFrameAround(const TsPixelBuffer& dst, const TRect& dstRect, const TsPixelBuffer& src,
                      const TRect& srcRect, const TFrameAroundParams& params);

}  // namespace ac
