#pragma once
// A text rasterizer for tests whose glyphs are known exactly: every character
// but a space is a one-pixel bar, full cover, in the middle of a cell 3
// pixels wide and 5 high. An underline is one more full row across the text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "paint/text_rasterizer.h"
#include "pixels/color.h"

namespace ac::test {

class TBarFont : public TacTextRasterizer {
 public:
  static constexpr int32_t kCell = 3;
  static constexpr int32_t kHeight = 5;

  struct TCall {
    std::string Text;
    TRect Rect;
    TColor Color;
    uint32_t Flags;
  };
  std::vector<TCall> Calls;                // every DrawText that drew
  std::vector<TsSmoothTextLayout> Smooth;  // every smooth drawing
  bool SmoothAvailable = false;
  double SmoothWidth = 0, SmoothHeight = 0;  // what smooth measuring answers

  static int32_t Count(std::string_view text) {
    int32_t n = 0;
    for (unsigned char c : text) n += (c & 0xC0) != 0x80;
    return n;
  }

  void DrawText(const TsPixelBuffer& dst, TRect& rect, std::string_view text, TColor color,
                uint32_t flags) override {
    const int32_t w = Count(text) * kCell;
    if ((flags & kDtCalcRect) != 0) {
      rect.Right = rect.Left + w;
      rect.Bottom = rect.Top + kHeight;
      return;
    }
    Calls.push_back({std::string(text), rect, color, flags});
    const TRect clip = (flags & kDtNoClip) != 0 ? dst.Bounds() : rect.Intersect(dst.Bounds());
    const TPoint at = Origin(rect, w, flags);
    Paint(dst, clip, at, text, [&](uint32_t& p) {
      p = (p & 0xFF000000u) | (ColorToPixel(static_cast<uint32_t>(color)) & 0x00FFFFFFu);
    });
  }

  TSize TextExtent(std::string_view text) override { return {Count(text) * kCell, kHeight}; }

  bool MeasureSmoothText(std::string_view text, int32_t, double& w, double& h) override {
    if (!SmoothAvailable) return false;
    (void)text;
    w = SmoothWidth;
    h = SmoothHeight;
    return true;
  }

  bool DrawSmoothText(const TsPixelBuffer& dst, const TsSmoothTextLayout& layout,
                      std::string_view text, TColor color, uint8_t opacity) override {
    if (!SmoothAvailable) return false;
    Smooth.push_back(layout);
    const uint32_t c = ColorToPixel(static_cast<uint32_t>(color)) & 0x00FFFFFFu;
    Paint(dst, layout.Layout.Intersect(dst.Bounds()), layout.Layout.TopLeft(), text,
          [&](uint32_t& p) { p = c | static_cast<uint32_t>(opacity) << 24; });
    return true;
  }

  bool Underline() const override { return FUnderline; }
  void SetUnderline(bool on) override { FUnderline = on; }

 private:
  static TPoint Origin(const TRect& rect, int32_t w, uint32_t flags) {
    TPoint at = rect.TopLeft();
    if ((flags & kDtRight) != 0)
      at.X = rect.Right - w;
    else if ((flags & kDtCenter) != 0)
      at.X = rect.Left + (rect.Width() - w) / 2;
    if ((flags & kDtSingleLine) != 0) {
      if ((flags & kDtBottom) != 0)
        at.Y = rect.Bottom - kHeight;
      else if ((flags & kDtVCenter) != 0)
        at.Y = rect.Top + (rect.Height() - kHeight) / 2;
    }
    return at;
  }

  template <typename Put>
  void Paint(const TsPixelBuffer& dst, const TRect& clip, TPoint at, std::string_view text,
             Put&& put) const {
    const int32_t n = Count(text);
    int32_t i = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
      const auto c = static_cast<unsigned char>(text[k]);
      if ((c & 0xC0) == 0x80) continue;
      if (c != ' ')
        for (int32_t y = 0; y < kHeight; ++y) Put1(dst, clip, at.X + i * kCell + 1, at.Y + y, put);
      ++i;
    }
    if (FUnderline)
      for (int32_t x = 0; x < n * kCell; ++x) Put1(dst, clip, at.X + x, at.Y + kHeight, put);
  }

  template <typename Put>
  static void Put1(const TsPixelBuffer& dst, const TRect& clip, int32_t x, int32_t y, Put&& put) {
    if (clip.Contains({x, y})) put(dst.At(x, y));
  }

  bool FUnderline = false;
};

}  // namespace ac::test
