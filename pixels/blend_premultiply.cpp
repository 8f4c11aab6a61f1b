#include "pixels/blend_premultiply.h"

#include "pixels/blend_rows.h"
#include "system/system.h"

namespace ac {

void PremultiplyWith(const TsPixelBuffer& buf, const TRect& rect, TComposition composition) {
  if (buf.IsEmpty()) return;
  const TRect r = ClipToBuffer(rect, buf);
  if (r.IsEmpty()) return;
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    rows::Premultiply(buf.RowBytes(y) + 4 * r.Left, r.Width(), composition == TComposition::Off);
  }
}

void Premultiply(const TsPixelBuffer& buf, const TRect& rect) {
  PremultiplyWith(buf, rect, platform::CompositionEnabled() ? TComposition::On : TComposition::Off);
}

void Premultiply(const TsPixelBuffer& buf) {
  Premultiply(buf, buf.Bounds());
}

}  // namespace ac
