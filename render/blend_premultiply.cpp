#include "render/blend_premultiply.h"

#include "platform/system.h"

namespace ac {

namespace {

// The answer cannot change in a way the engine handles while it runs, and the
// call is costly on old systems, so it is asked once.
TComposition CompositionOnce() {
  static const TComposition answer =
      platform::CompositionEnabled() ? TComposition::On : TComposition::Off;
  return answer;
}

template <bool kLimitBright>
void PremultiplyRow(uint32_t* row, int32_t first, int32_t last) {
  for (int32_t x = first; x < last; ++x) {
    const uint32_t p = row[x];
    const uint32_t a = p >> 24;
    uint32_t b = ((p & 0xFFu) * a) >> 8;
    uint32_t g = (((p >> 8) & 0xFFu) * a) >> 8;
    uint32_t r = (((p >> 16) & 0xFFu) * a) >> 8;
    if (kLimitBright) {
      // Without composition near-white edges show as a light fringe; they are
      // held at 244.
      const bool bright =
          (p & 0xFFu) > 244 && ((p >> 8) & 0xFFu) > 244 && ((p >> 16) & 0xFFu) > 244;
      const uint32_t lim = bright ? 244u : 255u;
      b = b < lim ? b : lim;
      g = g < lim ? g : lim;
      r = r < lim ? r : lim;
    }
    const uint32_t m = (p & 0xFF000000u) | (r << 16) | (g << 8) | b;
    row[x] = p == 0x00FFFFFFu ? 0u : m;
  }
}

}  // namespace

void PremultiplyWith(const TsPixelBuffer& buf, const TRect& rect, TComposition composition) {
  if (buf.IsEmpty()) return;
  const TRect r = ClipToBuffer(rect, buf);
  if (r.IsEmpty()) return;
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    if (composition == TComposition::On) {
      PremultiplyRow<false>(buf.Row(y), r.Left, r.Right);
    } else {
      PremultiplyRow<true>(buf.Row(y), r.Left, r.Right);
    }
  }
}

void Premultiply(const TsPixelBuffer& buf, const TRect& rect) {
  PremultiplyWith(buf, rect, CompositionOnce());
}

void Premultiply(const TsPixelBuffer& buf) {
  Premultiply(buf, buf.Bounds());
}

}  // namespace ac
