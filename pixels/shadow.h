#pragma once
// Derived shadow images: the soft rounded shadow behind skinned forms and
// effects, and the linear side shadow of a panel.

#include <cstdint>

#include "pixels/pixel_buffer.h"

namespace ac {

enum class TShadowAlpha { Straight, Premultiplied };
enum class TShadowMode { Coloured, White };

// What MakeShadowTemplate draws. Sizes are pixels.
struct TShadowShape {
  TColor Color = 0;  // $AABBGGRR: the top byte is the darkness
  int32_t Radius = 0;
  int32_t TopOffset = 0;
  int32_t Blur = 0;  // width of the soft edge; 0 or less blurs the whole radius
  int32_t ExtraWidth = 0;
  int32_t ExtraHeight = 0;
  TShadowAlpha Alpha = TShadowAlpha::Straight;
  TShadowMode Mode = TShadowMode::Coloured;
};

// A new (2 * Radius + ExtraWidth + 1) x (2 * Radius + ExtraHeight + TopOffset + 1)
// image holding a disc of radius Radius centred at (Radius, TopOffset + Radius),
// its centre row and column stretched by ExtraHeight and ExtraWidth into a
// rounded rectangle. White mode paints opaque greys on white (for screens
// without alpha); coloured mode paints Color's RGB with the shadow in the alpha
// byte. Negative sizes, or a side over 16384 pixels, give an empty image.
TsPixelImage MakeShadowTemplate(const TShadowShape& shape);

// Fills the buffer with colour 0 at alpha 1, then fades Color (its top byte the
// opacity) to transparent: Side 0 left to right, 1 top to bottom, 2 right to
// left, 3 bottom to top. Other sides leave only the fill.
void PaintSideShadow(const TsPixelBuffer& buf, TColor color, int32_t side);

}  // namespace ac
