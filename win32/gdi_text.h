#pragma once
// Skinned text on Windows: the text seam of the painting layer answered by
// GDI's DrawTextW, drawn in a scratch DIB section so that any pixel buffer can
// take text, and by GDI+ for smooth text.

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "paint/text_rasterizer.h"
#include "win32/dib_section.h"
#include "win32/scoped_gdi_object.h"

namespace ac::platform {

class TGdiTextRasterizer : public TacTextRasterizer {
 public:
  // Draws with Font, which is not owned and must outlive this object.
  explicit TGdiTextRasterizer(HFONT font);
  TGdiTextRasterizer(const TGdiTextRasterizer&) = delete;
  TGdiTextRasterizer& operator=(const TGdiTextRasterizer&) = delete;

  // Copies the covered part of Dst into the scratch bitmap, draws there with
  // a transparent background and copies the colour bytes back, so Dst's
  // alpha survives GDI (which does not keep it).
  void DrawText(const TsPixelBuffer& dst, TRect& rect, std::string_view text, TColor color,
                uint32_t flags) override;
  TSize TextExtent(std::string_view text) override;
  bool MeasureSmoothText(std::string_view text, int32_t wrapWidth, double& width,
                         double& height) override;
  bool DrawSmoothText(const TsPixelBuffer& dst, const TsSmoothTextLayout& layout,
                      std::string_view text, TColor color, uint8_t opacity) override;
  bool Underline() const override { return FUnderline; }
  void SetUnderline(bool on) override { FUnderline = on; }

 private:
  // The font in use: the caller's, or its underlined copy.
  HFONT Current();
  // A scratch bitmap of at least W x H in FScratch.
  bool Scratch(int32_t w, int32_t h);

  HFONT FFont;
  bool FUnderline = false;
  ScopedFont FUnderlined;
  // The DC text is measured and drawn on; its bitmap grows, never shrinks.
  TDibSection FScratch;
};

}  // namespace ac::platform
