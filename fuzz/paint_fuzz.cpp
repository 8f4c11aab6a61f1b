// Paints random image entries and sections into small destinations: the
// nine-slice border painters (plain, layered, capped), single frames, textures,
// corner runs and key filling, and the section painters over a small skin.
// Every number a downloaded skin or a control can bring is drawn from the
// input: rectangles, bands, frame counts, mask rows, draw and texture modes,
// states, transparencies, gradients, cache offsets. Painting must neither
// crash nor touch memory outside its images; the destination is surrounded by
// guard pixels that must stay as they were.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "core/message_sink.h"
#include "paint/control_paint.h"
#include "paint/mask_paint.h"
#include "paint/mask_paint_image.h"
#include "paint/plain_border.h"
#include "paint/section_paint.h"
#include "paint/texture_paint.h"
#include "pixels/pixel_buffer.h"
#include "skin/palette.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_core.h"

namespace {

using namespace ac;

constexpr uint32_t kGuard = 0x5AA5C33Cu;

// Mostly small numbers around the sizes of the images, now and then one at
// the ends of the 32-bit range.
int32_t Number(FuzzedDataProvider& in, int32_t lo, int32_t hi) {
  switch (in.ConsumeIntegralInRange<int>(0, 15)) {
    case 0:
      return in.PickValueInArray(
          {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min() + 1, -65536,
           65536, std::numeric_limits<int32_t>::max() - 1, std::numeric_limits<int32_t>::max()});
    case 1:
      return in.ConsumeIntegral<int32_t>();
    default:
      return in.ConsumeIntegralInRange<int32_t>(lo, hi);
  }
}

uint32_t Pixel(FuzzedDataProvider& in) {
  // Key pixels, opaque magenta, mask greys and white are what skins hold.
  switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 0:
      return 0x00FF00FFu;
    case 1:
      return 0xFFFF00FFu;
    case 2: {
      const uint32_t g = in.ConsumeIntegral<uint8_t>();
      return 0xFF000000u | g << 16 | g << 8 | g;
    }
    case 3:
      return 0x00FFFFFFu;
    default:
      return in.ConsumeIntegral<uint32_t>();
  }
}

TsPixelImage Image(FuzzedDataProvider& in, int32_t maxSide) {
  const int32_t w = in.ConsumeIntegralInRange<int32_t>(0, maxSide);
  const int32_t h = in.ConsumeIntegralInRange<int32_t>(0, maxSide);
  TsPixelImage img(w, h, in.ConsumeBool() ? TRowOrder::BottomUp : TRowOrder::TopDown);
  const uint32_t fill = Pixel(in);
  for (int32_t y = 0; y < img.Height(); ++y)
    for (int32_t x = 0; x < img.Width(); ++x)
      img.View().At(x, y) = in.ConsumeBool() ? Pixel(in) : fill;
  return img;
}

TRect Rect(FuzzedDataProvider& in, int32_t span) {
  const int32_t l = Number(in, -4, span), t = Number(in, -4, span);
  return TRect::LTRB(l, t, Number(in, -4, span + 4), Number(in, -4, span + 4));
}

// A destination with a frame of guard pixels around it; the view may run
// bottom-up.
class TGuardedDestination {
 public:
  TGuardedDestination(int32_t w, int32_t h, bool bottomUp, uint32_t fill)
      : FW(w), FH(h), FPixels(static_cast<std::size_t>(w + 2) * (h + 2), kGuard) {
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(w + 2) * 4;
    uint32_t* first = FPixels.data() + (w + 2) + 1;
    if (bottomUp) first += static_cast<std::ptrdiff_t>(h - 1) * (w + 2);
    FView = TsPixelBuffer(first, w, h, bottomUp ? -stride : stride);
    for (int32_t y = 0; y < FView.Height; ++y)
      for (int32_t x = 0; x < FView.Width; ++x) FView.At(x, y) = fill;
  }

  const TsPixelBuffer& View() const { return FView; }

  void CheckGuards() const {
    for (int32_t y = 0; y < FH + 2; ++y)
      for (int32_t x = 0; x < FW + 2; ++x) {
        const bool inside = x >= 1 && x <= FW && y >= 1 && y <= FH;
        if (!inside && FPixels[static_cast<std::size_t>(y) * (FW + 2) + x] != kGuard)
          __builtin_trap();
      }
  }

 private:
  int32_t FW, FH;
  std::vector<uint32_t> FPixels;
  TsPixelBuffer FView;
};

TsMaskData Mask(FuzzedDataProvider& in, const TsBitmapRef& own, const TsBitmapRef& master) {
  TsMaskData m;
  if (in.ConsumeBool()) m.Bmp = own;
  if (in.ConsumeBool()) m.MasterBmp = master;
  const TsPixelBuffer& img = m.Bmp ? *m.Bmp : (m.MasterBmp ? *m.MasterBmp : TsPixelBuffer());
  m.R = in.ConsumeBool() ? img.Bounds() : Rect(in, 24);
  m.ImageCount = Number(in, -1, 4);
  m.MaskType = Number(in, -2, 3);
  m.DrawMode = in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(0, 14) : Number(in, 0, 31);
  m.ImgType = static_cast<TacImgType>(in.ConsumeIntegralInRange<int>(0, 4));
  m.WL = Number(in, -2, 12);
  m.WT = Number(in, -2, 12);
  m.WR = Number(in, -2, 12);
  m.WB = Number(in, -2, 12);
  m.Cfg = in.ConsumeIntegralInRange<int32_t>(0, 3);
  if (in.ConsumeBool()) {
    // As loading derives them.
    const int64_t count = m.ImageCount > 0 ? m.ImageCount : 1;
    const int64_t rows = int64_t{m.MaskType} + 1;
    const int64_t width = int64_t{m.R.Right} - m.R.Left, height = int64_t{m.R.Bottom} - m.R.Top;
    m.Width = static_cast<int32_t>(width / count);
    m.Height = rows != 0 ? static_cast<int32_t>(height / rows) : 0;
  } else {
    m.Width = Number(in, -2, 24);
    m.Height = Number(in, -2, 24);
  }
  return m;
}

TsGradArray Gradient(FuzzedDataProvider& in) {
  TsGradArray g(in.ConsumeIntegralInRange<std::size_t>(0, 6));
  for (std::size_t i = 0; i < g.size(); ++i) {
    g[i].Index = static_cast<uint16_t>(i);
    g[i].Mode = in.ConsumeBool() ? in.PickValueInArray({0, 1, 2, 16, 17, 18, 32, 48, 50})
                                 : in.ConsumeIntegral<int32_t>();
    g[i].Color = TsColor(in.ConsumeIntegral<uint32_t>());
    g[i].Percent = Number(in, -5, 105);
  }
  return g;
}

TColor Colour(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 4)) {
    case 0:
      return clFuchsia;
    case 1:
      return clNone;
    case 2:
      return SystemColor(in.ConsumeIntegralInRange<int>(0, 40));
    default:
      return static_cast<TColor>(in.ConsumeIntegral<uint32_t>());
  }
}

void FillSection(FuzzedDataProvider& in, TsGeneralData& gd, int32_t masks) {
  gd.States = Number(in, -1, 5);
  gd.BorderIndex = in.ConsumeIntegralInRange<int32_t>(-1, masks);
  gd.BorderWidth = Number(in, -2, 6);
  gd.BorderRadius = Number(in, -1, 12);
  gd.ImgTL = in.ConsumeIntegralInRange<int32_t>(-1, masks);
  gd.ImgBR = in.ConsumeIntegralInRange<int32_t>(-1, masks);
  for (TsGenState& p : gd.Props) {
    p.Color = Colour(in);
    p.Transparency = Number(in, -10, 110);
    p.ImagePercent = Number(in, -10, 110);
    p.GradientPercent = Number(in, -10, 110);
    p.TextureIndex = in.ConsumeIntegralInRange<int32_t>(-1, masks);
    p.BorderColor = Colour(in);
    p.GradientArray = Gradient(in);
  }
}

TacSkinManagerCore& Manager() {
  static TRecordingSink sink;
  static TacSkinManagerCore manager(sink);
  return manager;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  TsPixelImage ownImage = Image(in, 24);
  TsPixelImage masterImage = Image(in, 32);
  const TsBitmapRef own = std::make_shared<TsPixelBuffer>(ownImage.View());
  const TsBitmapRef master = std::make_shared<TsPixelBuffer>(masterImage.View());

  TacSkinManagerCore& manager = Manager();
  manager.SkinCommonInfo.Active = in.ConsumeBool();
  manager.Palette[pcMainColor] = Colour(in);
  TacSkinData sd(&manager, in.PickValueInArray({96, 120, 144, 192}));
  const int32_t masks = in.ConsumeIntegralInRange<int32_t>(1, 3);
  for (int32_t i = 0; i < masks; ++i) sd.ma.push_back(Mask(in, own, master));
  sd.gd.resize(2);
  for (TsGeneralData& gd : sd.gd) FillSection(in, gd, masks);

  const int32_t w = in.ConsumeIntegralInRange<int32_t>(0, 40);
  const int32_t h = in.ConsumeIntegralInRange<int32_t>(0, 40);
  TGuardedDestination dst(w, h, in.ConsumeBool(), Pixel(in));
  const TsPixelBuffer& view = dst.View();

  TsPixelImage parentImage = Image(in, 48);
  TCacheInfo cache;
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      break;
    case 1:
      cache = MakeCacheInfo(parentImage.View(), Number(in, -8, 8), Number(in, -8, 8));
      break;
    case 2:
      cache = MakeCacheInfo(view, 0, 0);  // the destination is the parent
      break;
    default:
      cache.Bmp = parentImage.View();
      cache.X = Number(in, -8, 8);
      cache.Y = Number(in, -8, 8);
      cache.FillRect = Rect(in, 8);
      break;
  }
  if (in.ConsumeBool()) cache.FillColor = TsColor(Colour(in));

  const TsMaskData& mask = sd.ma[in.ConsumeIntegralInRange<std::size_t>(0, sd.ma.size() - 1)];
  const int32_t state = Number(in, -1, 5);
  const int32_t section = in.ConsumeIntegralInRange<int32_t>(-1, 2);
  const TPoint offset{Number(in, -8, 8), Number(in, -8, 8)};
  const TUseParent useParent = in.ConsumeBool() ? TUseParent::Yes : TUseParent::No;
  const TRect rect = in.ConsumeBool() ? view.Bounds() : Rect(in, 40);

  switch (in.ConsumeIntegralInRange<int>(0, 13)) {
    case 0:
      PaintMaskRect(view, rect, mask, state, cache, useParent);
      break;
    case 1:
      PaintMaskRectLayered(view, rect, mask, state, cache);
      break;
    case 2:
      PaintMaskRectCapped(view, rect, mask, state, cache, Rect(in, 12),
                          in.ConsumeIntegral<uint8_t>());
      break;
    case 3:
      PaintMaskImage(view, {Number(in, -8, 40), Number(in, -8, 40)}, mask, state, cache,
                     in.ConsumeBool() ? TFrameStrength::Full : TFrameStrength::Half);
      break;
    case 4: {
      TRect area = rect;
      FillTexture(view, area, mask, Number(in, -1, 14), cache);
      break;
    }
    case 5: {
      TRects rects;
      const TsPixelBuffer& img = mask.Bmp ? *mask.Bmp : *master;
      TsCornerScan scan;
      scan.Band = in.ConsumeBool() ? TCornerBand::Top : TCornerBand::Bottom;
      scan.Masked = in.ConsumeBool() ? TMaskRows::Present : TMaskRows::None;
      scan.Key = Pixel(in);
      scan.Corners = {Number(in, -2, 12), Number(in, -2, 12), Number(in, -2, 12),
                      Number(in, -2, 12)};
      scan.OffsetX = Number(in, -8, 8);
      scan.Y0 = Number(in, -8, 40);
      scan.TotalWidth = Number(in, 0, 80);
      MaskCornerRects(rects, img, mask.R, scan);
      break;
    }
    case 6:
      FillKeyFromBack(view, rect, parentImage.View(), {Number(in, -8, 8), Number(in, -8, 8)},
                      in.PickValueInArray({13, 14, 16, 17, 0}), sd,
                      in.ConsumeIntegralInRange<int32_t>(-2, masks));
      break;
    case 7:
      PaintSection(view, rect, sd, section, state, cache, offset);
      break;
    case 8:
      PaintSectionBackground(view, rect, sd, section, state, cache, offset, Colour(in));
      break;
    case 9: {
      const TsSectionEntries entries{in.ConsumeIntegralInRange<int32_t>(-1, masks),
                                     in.ConsumeIntegralInRange<int32_t>(-1, masks),
                                     in.ConsumeIntegralInRange<int32_t>(-1, masks)};
      PaintSectionWith(view, rect, sd, section, entries, state, cache, offset);
      break;
    }
    case 10:
      PaintSectionLayered(view, rect, sd, section, state, offset);
      break;
    case 11: {
      TacPaintBorderData custom;
      custom.FWidth = Number(in, -2, 6);
      custom.FCorners = {Number(in, -1, 12), Number(in, -1, 12), Number(in, -1, 12),
                         Number(in, -1, 12)};
      custom.FColorNormal = Colour(in);
      custom.FColorActive = Colour(in);
      custom.FColorPressed = Colour(in);
      TsControlPaintData ctrl;
      ctrl.SkinData = &sd;
      ctrl.SkinIndex = section;
      ctrl.CustomColor = in.ConsumeBool();
      ctrl.Color = Colour(in);
      ctrl.CustomBorder = in.ConsumeBool() ? &custom : nullptr;
      ctrl.PPI = sd.PPI;
      ctrl.ColorTone = Colour(in);
      ctrl.HueOffset = Number(in, -360, 360);
      ctrl.Saturation = Number(in, -255, 255);
      PaintControlSection(view, rect, ctrl, state, cache, offset, useParent);
      break;
    }
    case 12:
      PaintGradientTexture(view, rect, mask, Gradient(in), in.ConsumeIntegral<uint8_t>());
      break;
    default: {
      TsPlainBorderParams params;
      params.PPI = sd.PPI;
      params.Colors = SkinColorsOf(&manager);
      params.Fit = in.ConsumeBool() ? TRadiusFit::FitToControl : TRadiusFit::AsGiven;
      PaintPlainBorder(view, rect, sd.gd[0], state, cache, params);
      break;
    }
  }
  dst.CheckGuards();
  return 0;
}
