#include "paint/border_pixels.h"

#include <cstring>

#include "pixels/blend_rows.h"

namespace ac {
namespace {

void CopyPremultiplied(uint32_t* d, const uint32_t* s, int32_t n, bool limitBright) {
  if (n > 0)
    rows::PremultiplyCopy(reinterpret_cast<uint8_t*>(d), reinterpret_cast<const uint8_t*>(s), n,
                          limitBright);
}

}  // namespace

void SplitBorderImage(const TsPixelBuffer& frame, const TsPixelBuffer& shadow,
                      const TsPixelBuffer& image, const TRect& solidZone, const TRect& hole,
                      TComposition composition, TSplitZeros zeros) {
  if (image.IsEmpty() || !frame.SameSize(image) || !shadow.SameSize(image)) return;
  const bool limit = composition == TComposition::Off;
  const bool clear = zeros == TSplitZeros::Write;
  auto Clear = [clear](uint32_t* d, int32_t n) {
    if (clear && n > 0) std::memset(d, 0, 4u * static_cast<uint32_t>(n));
  };
  const TRect zone = ClipToBuffer(solidZone, image);
  const TRect gap = ClipToBuffer(hole, image).Intersect(zone);
  const int32_t w = image.Width;
  for (int32_t y = 0; y < image.Height; ++y) {
    const uint32_t* s = image.Row(y);
    uint32_t* f = frame.Row(y);
    uint32_t* sh = shadow.Row(y);
    if (zone.IsEmpty() || y < zone.Top || y >= zone.Bottom) {
      CopyPremultiplied(sh, s, w, limit);
      Clear(f, w);
      continue;
    }
    // Shadow | frame (with the hole cut out of it on the hole's rows) | shadow.
    CopyPremultiplied(sh, s, zone.Left, limit);
    Clear(f, zone.Left);
    const bool inHole = !gap.IsEmpty() && y >= gap.Top && y < gap.Bottom;
    const int32_t holeL = inHole ? gap.Left : zone.Right, holeR = inHole ? gap.Right : zone.Right;
    CopyPremultiplied(f + zone.Left, s + zone.Left, holeL - zone.Left, limit);
    Clear(f + holeL, holeR - holeL);
    CopyPremultiplied(f + holeR, s + holeR, zone.Right - holeR, limit);
    Clear(sh + zone.Left, zone.Width());
    CopyPremultiplied(sh + zone.Right, s + zone.Right, w - zone.Right, limit);
    Clear(f + zone.Right, w - zone.Right);
  }
}

}  // namespace ac
