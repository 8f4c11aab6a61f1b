#pragma once
// Text drawn with FreeType, for the native build: tests and skintool's
// previews see real glyphs where the program would use the platform's text
// drawing. Layout follows the platform's DrawText flags closely enough for
// previews (lines, word breaks, alignment, prefix characters, end ellipsis);
// glyph shapes and metrics are FreeType's.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "paint/text_rasterizer.h"

namespace ac {

// A font file that cannot be opened or sized.
class EFontError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TFreeTypeRasterizer : public TacTextRasterizer {
 public:
  // Opens FontFile with an em of PixelHeight pixels (what a platform font of
  // height -PixelHeight shows). Throws EFontError naming the file and the
  // reason when it cannot.
  TFreeTypeRasterizer(const std::string& fontFile, int32_t pixelHeight);
  ~TFreeTypeRasterizer() override;
  TFreeTypeRasterizer(const TFreeTypeRasterizer&) = delete;
  TFreeTypeRasterizer& operator=(const TFreeTypeRasterizer&) = delete;

  void DrawText(const TsPixelBuffer& dst, TRect& rect, std::string_view text, TColor color,
                uint32_t flags) override;
  TSize TextExtent(std::string_view text) override;
  bool MeasureSmoothText(std::string_view text, int32_t wrapWidth, double& width,
                         double& height) override;
  bool DrawSmoothText(const TsPixelBuffer& dst, const TsSmoothTextLayout& layout,
                      std::string_view text, TColor color, uint8_t opacity) override;
  bool Underline() const override;
  void SetUnderline(bool on) override;

  // Height of one line in pixels.
  int32_t LineHeight() const;

 private:
  struct TState;
  std::unique_ptr<TState> F;
};

// A sans-serif font file of the system (DejaVu Sans), or empty when none of
// the known places holds one.
std::string FindPlatformFontFile();

}  // namespace ac
