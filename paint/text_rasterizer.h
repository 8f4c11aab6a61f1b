#pragma once
// The seam between skinned text and whatever turns characters into pixels.
//
// Everything about skinned text that needs no glyphs (which colours, which
// offsets, masks, glows, composition) is platform-free; drawing and measuring
// the glyphs themselves is asked of a TacTextRasterizer that carries one font.
// On Windows it is GDI's DrawTextW into DIB sections (win32/gdi_text.h);
// natively FreeType (paint/native/freetype_text.h) or a test double.
//
// Text is UTF-8. Layout (alignment, word breaks, ellipsis, prefix characters)
// is the rasterizer's, driven by the platform's DrawText flags below, which
// callers pass through unchanged.

#include <cstdint>
#include <string_view>

#include "core/color.h"
#include "core/geometry.h"
#include "pixels/pixel_buffer.h"

namespace ac {

// The platform's DrawText flags, with their values.
inline constexpr uint32_t kDtLeft = 0x0;
inline constexpr uint32_t kDtCenter = 0x1;
inline constexpr uint32_t kDtRight = 0x2;
inline constexpr uint32_t kDtVCenter = 0x4;
inline constexpr uint32_t kDtBottom = 0x8;
inline constexpr uint32_t kDtWordBreak = 0x10;
inline constexpr uint32_t kDtSingleLine = 0x20;
inline constexpr uint32_t kDtNoClip = 0x100;
inline constexpr uint32_t kDtCalcRect = 0x400;
inline constexpr uint32_t kDtNoPrefix = 0x800;
inline constexpr uint32_t kDtEndEllipsis = 0x8000;
inline constexpr uint32_t kDtRtlReading = 0x20000;
// The engine's own flag: smooth text through the 2-D graphics library (needed
// on buffers with alpha). Never reaches the platform.
inline constexpr uint32_t kDtSmoothText = 0x40000000;

// Alignment of smooth text inside its layout rectangle.
enum class TTextAlign { Near, Centre, Far };

// What smooth text is laid out by.
struct TsSmoothTextLayout {
  TRect Layout;  // drawn into, wrapped at its width
  TTextAlign Horizontal = TTextAlign::Near;
  TTextAlign Vertical = TTextAlign::Near;
};

// One font's way of drawing and measuring text.
class TacTextRasterizer {
 public:
  virtual ~TacTextRasterizer() = default;

  // The platform's DrawText: Text laid out in Rect by Flags and drawn in Color
  // ($00BBGGRR) over what Dst holds; only colour bytes change, alpha is kept.
  // Clipped to Rect unless kDtNoClip, and always to Dst. With kDtCalcRect
  // nothing is drawn and Rect's Right and Bottom become the text's extent. A
  // Dst that is empty draws nothing (measuring still works).
  virtual void DrawText(const TsPixelBuffer& dst, TRect& rect, std::string_view text, TColor color,
                        uint32_t flags) = 0;

  // Width and height of Text on one line; 0 x 0 when it cannot be measured.
  virtual TSize TextExtent(std::string_view text) = 0;

  // Smooth (anti-aliased, alpha-aware) text of the 2-D graphics library,
  // measured unwrapped or wrapped at WrapWidth (WrapWidth <= 0: unwrapped).
  // False when the library is not available here.
  virtual bool MeasureSmoothText(std::string_view text, int32_t wrapWidth, double& width,
                                 double& height) {
    (void)text, (void)wrapWidth, (void)width, (void)height;
    return false;
  }

  // Smooth text composited over Dst in Color with Opacity (255 opaque): the
  // colour and alpha bytes both take the text. False when unavailable.
  virtual bool DrawSmoothText(const TsPixelBuffer& dst, const TsSmoothTextLayout& layout,
                              std::string_view text, TColor color, uint8_t opacity) {
    (void)dst, (void)layout, (void)text, (void)color, (void)opacity;
    return false;
  }

  // The font's underline style.
  virtual bool Underline() const = 0;
  virtual void SetUnderline(bool on) = 0;
};

// A 32-bit image with a font and a font colour: what text is drawn onto.
// Nothing is owned.
struct TsTextCanvas {
  TsPixelBuffer Bmp;
  TacTextRasterizer* Font = nullptr;  // null: no text can be drawn
  TColor FontColor = clBlack;         // already resolved to RGB
};

// Sets the canvas font's underline for a scope and puts the old one back.
class TScopedUnderline {
 public:
  TScopedUnderline(TacTextRasterizer& font, bool on) : FFont(font), FOld(font.Underline()) {
    FFont.SetUnderline(on);
  }
  TScopedUnderline(const TScopedUnderline&) = delete;
  TScopedUnderline& operator=(const TScopedUnderline&) = delete;
  ~TScopedUnderline() { FFont.SetUnderline(FOld); }

 private:
  TacTextRasterizer& FFont;
  bool FOld;
};

}  // namespace ac
