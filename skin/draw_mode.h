#pragma once
// The bits of a border or frame entry's DrawMode. A texture entry's DrawMode
// is a mode number instead (paint/texture_paint.h) and is not read through
// these.

#include <cstdint>

namespace ac {

enum class TDrawModeBit : int32_t {
  Stretch = 1,     // edges and centre stretched (nearest pixel) instead of tiled
  SkipState0 = 2,  // the entry is not painted in state 0
  Centre = 4,      // the centre piece is painted; otherwise the inside is left alone
  NoRescale = 8,   // loading never rescales the image for the screen density
  Alpha = 16,      // per-pixel alpha, composited, instead of the key colour
};

constexpr int32_t DrawModeBits(TDrawModeBit bit) {
  return static_cast<int32_t>(bit);
}

constexpr bool HasDrawModeBit(int32_t drawMode, TDrawModeBit bit) {
  return (drawMode & DrawModeBits(bit)) != 0;
}

}  // namespace ac
