#pragma once
// The text primitives of skinned text: the one call every skinned text goes
// through, text written into images with alpha, the soft glow behind text, and
// measuring and shortening text.
//
// Empty texts and empty rectangles draw nothing; a canvas without a font
// draws and measures nothing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/color.h"
#include "core/geometry.h"
#include "paint/text_rasterizer.h"
#include "pixels/alpha_text.h"  // TKeepAlpha
#include "pixels/pixel_buffer.h"

namespace ac {

// The platform's text drawing takes at most this many characters (UTF-16
// units, as the platform counts them); longer texts are drawn only up to it.
inline constexpr std::size_t kMaxDrawnTextLength = 5460;

// The longest beginning of a UTF-8 text that holds at most Units UTF-16 units
// without splitting a character.
std::string_view LeadingUtf16Units(std::string_view text, std::size_t units);

// The single text primitive. Without kDtSmoothText: the canvas font's
// DrawText in the canvas's font colour with the flags unchanged and the text
// cut to kMaxDrawnTextLength. With it:
// - and kDtCalcRect: the text is measured smoothly (wrapped at Rect's width
//   with kDtWordBreak, else unwrapped), Rect.Right := Left + Round(width) + 1
//   and Bottom := Top + Round(height) + 1, rounding half to even; an empty
//   text makes Rect empty at its top-left corner. Without smooth measuring
//   the platform measures.
// - otherwise: smooth text in the font colour, opaque, laid out in (Left, Top,
//   width + 1, height + 1), aligned far for kDtRight / kDtBottom, centred for
//   kDtCenter / kDtVCenter, else near. When smooth text is not available and
//   Buffer is given, WriteAlphaText(Buffer, KeepAlpha, the font colour, the
//   flags without kDtSmoothText) is used instead; otherwise nothing is drawn.
void DrawSkinText(const TsTextCanvas& canvas, TRect& rect, std::string_view text, uint32_t flags,
                  const TsPixelBuffer* buffer = nullptr);

// Text into an image with alpha: drawn black on a white temporary image of
// Rect's size with the canvas font and Flags (kDtSmoothText removed), then
// composited into Canvas.Bmp at Rect's top-left by ComposeTextImage.
void WriteAlphaText(const TsTextCanvas& canvas, const TRect& rect, std::string_view text,
                    TKeepAlpha keepAlpha, TColor color, uint32_t flags);

// Glows wider than this are no caption's: they draw nothing.
inline constexpr int32_t kMaxGlowSize = 1000;

// The sides a glow mask copies the text to, one pixel further each.
enum TGlowSide : uint32_t { gsLeft = 1, gsTop = 2, gsRight = 4, gsBottom = 8, gsAll = 15 };

// A soft glow of GlowColor around Text. R := Rect moved by (1, 1), g :=
// GlowSize + 4; the mask covers R grown by g on every side. MaskCache is kept
// by the caller: a mask of exactly that size is reused as it is, otherwise it
// is made again: 255, the text drawn black into (g, g) + R's size with the
// canvas font and Flags, one more copy per bit of Sides, then BlurMask8 with
// radius GlowSize. The mask goes over Canvas.Bmp with BlendGlowMask at R's
// top-left less g. A GlowSize below 1 or above kMaxGlowSize draws nothing, and
// so does a mask that would pass 16 million pixels.
void DrawTextGlow(const TsTextCanvas& canvas, const TRect& rect, std::string_view text,
                  TsChannelImage& maskCache, TColor glowColor, int32_t glowSize, uint32_t sides,
                  uint32_t flags);

// Text shortened to fit Width: the text itself when it fits; else the longest
// beginning that fits followed by "...", or the empty text when no character
// fits with them. A Width below 1 gives the empty text.
std::string CutTextToWidth(TacTextRasterizer& font, std::string_view text, int32_t width);

enum class TAddI { No, Yes };
enum class TMultiLine { No, Yes };

// Width and height of a text: with MultiLine, DrawSkinText with kDtCalcRect
// and kDtWordBreak added inside a rectangle WrapWidth wide; otherwise the
// font's one-line extent. AddI adds the width of the letter "I".
TSize MeasureText(TacTextRasterizer& font, std::string_view text, uint32_t flags, int32_t wrapWidth,
                  TAddI addI, TMultiLine multiLine);

}  // namespace ac
