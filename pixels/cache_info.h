#pragma once
// Where a control's parent background can be found while the control paints.
// Filled by the control's skin data and passed down through every painting call.

#include <cstdint>

#include "core/geometry.h"
#include "pixels/pixel_buffer.h"

namespace ac {

struct TCacheInfo {
  // The parent's painted background; an empty view means there is none. A view
  // does not own the pixels: the parent's image must outlive the painting call.
  TsPixelBuffer Bmp;
  int32_t X = 0;  // the control's origin inside Bmp
  int32_t Y = 0;
  // Stands for the parent when there is no image; clFuchsia stands for no colour.
  TsColor FillColor = TsColor(clFuchsia);
  // Used as four margins (left, top, right, bottom widths of Bmp's real content),
  // not as a rectangle.
  TRect FillRect;
  // True when Bmp at (X, Y) holds the parent's background for the whole control.
  bool Ready = false;

  bool HasBmp() const { return !Bmp.IsEmpty(); }
};

inline TCacheInfo MakeCacheInfo(const TsPixelBuffer& bmp, int32_t x, int32_t y) {
  TCacheInfo ci;
  ci.Bmp = bmp;
  ci.X = x;
  ci.Y = y;
  ci.FillColor = TsColor(clFuchsia);
  ci.FillRect = TRect{};
  ci.Ready = true;
  return ci;
}

}  // namespace ac
