#pragma once
// Where a control lets the mouse through: the see-through corners of its
// border image painted at the control's size.
//
// A pixel is see-through when the border image, painted there in its first
// shown state, lets more of what lies under it show than it covers (under a
// black and under a white fill, every colour byte differs by 128 or more), and
// it reaches the control's outer edge through see-through pixels. That is the
// clear outside of rounded corners; the clear inside of the border bands is
// not, since the face's own background fills it, and neither is the centre.

#include <cstdint>
#include <vector>

#include "core/geometry.h"
#include "skin/skin_data.h"

namespace ac {

class TsSeeThroughMap {
 public:
  TsSeeThroughMap() = default;
  // The map of Mask painted over Size; empty for an empty size or a mask
  // without an image.
  TsSeeThroughMap(const TsMaskData& mask, TSize size);

  TSize Size() const { return FSize; }
  // False outside the map.
  bool SeeThrough(TPoint p) const;

 private:
  TSize FSize{0, 0};
  std::vector<uint8_t> FBits;  // one byte per pixel, rows top-down
};

}  // namespace ac
