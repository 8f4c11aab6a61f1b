#pragma once
// Integer geometry shared by every subsystem.
//
// TRect excludes its right and bottom edges: a rectangle (0, 0, 10, 5) covers
// x = 0..9 and y = 0..4. Skin images also describe source areas with the right
// and bottom edges included; those use TSourceRect, a separate type, so the two
// conventions can never be mixed silently.

#include <algorithm>
#include <cstdint>

namespace ac {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;

  friend bool operator==(const TPoint&, const TPoint&) = default;
  TPoint operator+(TPoint o) const { return {X + o.X, Y + o.Y}; }
  TPoint operator-(TPoint o) const { return {X - o.X, Y - o.Y}; }
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;

  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  static constexpr TRect LTRB(int32_t l, int32_t t, int32_t r, int32_t b) { return {l, t, r, b}; }
  static constexpr TRect XYWH(int32_t x, int32_t y, int32_t w, int32_t h) {
    return {x, y, x + w, y + h};
  }

  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  // Empty when it covers no pixel, including inverted rectangles.
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(TPoint p) const {
    return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
  }
  constexpr TRect Offset(int32_t dx, int32_t dy) const {
    return {Left + dx, Top + dy, Right + dx, Bottom + dy};
  }
  constexpr TRect Inflate(int32_t dx, int32_t dy) const {
    return {Left - dx, Top - dy, Right + dx, Bottom + dy};
  }
  // The common part; an empty result is normalised to (0, 0, 0, 0).
  constexpr TRect Intersect(const TRect& o) const {
    TRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right),
            std::min(Bottom, o.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
  }

  friend bool operator==(const TRect&, const TRect&) = default;
};

// A source area of a skin image with Right and Bottom included:
// Left <= x <= Right, Top <= y <= Bottom.
struct TSourceRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = -1;
  int32_t Bottom = -1;

  static constexpr TSourceRect XYWH(int32_t x, int32_t y, int32_t w, int32_t h) {
    return {x, y, x + w - 1, y + h - 1};
  }
  static constexpr TSourceRect FromExclusive(const TRect& r) {
    return {r.Left, r.Top, r.Right - 1, r.Bottom - 1};
  }
  constexpr TRect ToExclusive() const { return {Left, Top, Right + 1, Bottom + 1}; }
  constexpr int32_t Width() const { return Right - Left + 1; }
  constexpr int32_t Height() const { return Bottom - Top + 1; }
  // A Right or Bottom at or past the last column or row of a w x h image is
  // clamped to that column or row.
  constexpr TSourceRect ClampedTo(int32_t w, int32_t h) const {
    return {Left, Top, std::min(Right, w - 1), std::min(Bottom, h - 1)};
  }

  friend bool operator==(const TSourceRect&, const TSourceRect&) = default;
};

}  // namespace ac
