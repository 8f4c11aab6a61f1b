#pragma once
// Builders for the painting tests: image entries over small synthetic images
// and a skin holding them.

#include <cstdint>
#include <memory>
#include <vector>

#include "core/message_sink.h"
#include "pixels/pixel_buffer.h"
#include "pixels/pixel_buffer_test_support.h"
#include "skin/skin_data.h"
#include "skin/skin_manager_core.h"

namespace ac::test {

// A manager with no skin, the owner of test skins.
inline TacSkinManagerCore* FakeManager() {
  static TRecordingSink sink;
  static TacSkinManagerCore manager(sink);
  return &manager;
}

// An entry over its own copy of Image (R the whole image unless given).
struct TMaskFixture {
  TsPixelImage Image;
  TsMaskData Mask;
};

inline TMaskFixture MakeMask(TsPixelImage image, int32_t imageCount, int32_t maskType,
                             int32_t drawMode, int32_t wl, int32_t wt, int32_t wr, int32_t wb) {
  TMaskFixture f;
  f.Image = std::move(image);
  TsMaskData& m = f.Mask;
  m.Bmp = std::make_shared<TsPixelBuffer>(f.Image.View());
  m.R = TRect::XYWH(0, 0, f.Image.Width(), f.Image.Height());
  m.ImageCount = imageCount;
  m.MaskType = maskType;
  m.DrawMode = drawMode;
  m.WL = wl;
  m.WT = wt;
  m.WR = wr;
  m.WB = wb;
  m.Width = f.Image.Width() / imageCount;
  m.Height = f.Image.Height() / (maskType + 1);
  return f;
}

// An image whose pixel at (x, y) is Base + (y << 8) + x with alpha 255, so
// every pixel tells where it came from.
inline TsPixelImage Coded(int32_t w, int32_t h, uint32_t base = 0xFF000000u) {
  TsPixelImage img(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      img.View().At(x, y) = base + (static_cast<uint32_t>(y) << 8) + x;
  return img;
}

}  // namespace ac::test
