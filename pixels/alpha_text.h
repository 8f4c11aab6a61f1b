#pragma once
// Putting text that was drawn black on white into an image with alpha: the
// darkness of each drawn pixel becomes how much of the text colour it gets.

#include <cstdint>

#include "core/color.h"
#include "core/geometry.h"
#include "pixels/pixel_buffer.h"

namespace ac {

// Whether the destination's alpha is respected (the text then also raises
// it), or every text pixel simply becomes opaque.
enum class TKeepAlpha { No, Yes };

// Every pixel m of Text that is not white ($00FFFFFF or $FFFFFFFF) changes the
// pixel of Dst at At + its position, when that lies inside Dst; c is Color's
// byte ($00BBGGRR) of the channel.
// - KeepAlpha Yes, m not 0: L := Round(0.299 R + 0.587 G + 0.114 B) of m (half
//   to even), alpha a := max(255 - L, A), colour d := ((L * (d - c) + c * 256)
//   * a) >> 16. m = 0 (black with alpha 0): alpha stays 255 when it was, else
//   becomes 254; colour d := ((d + c * 255) * 255) >> 16.
// - KeepAlpha No: alpha := 255, colour d := ((d - c) * mc + c * 256) >> 8 with
//   mc m's byte of the same channel.
void ComposeTextImage(const TsPixelBuffer& dst, TPoint at, const TsPixelBuffer& text, TColor color,
                      TKeepAlpha keepAlpha);

}  // namespace ac
