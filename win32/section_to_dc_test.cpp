#include "win32/section_to_dc.h"

#include <gtest/gtest.h>

#include "win32/scoped_gdi_object.h"

namespace ac::platform {
namespace {

TEST(PaintSectionToDC, PaintsTheRectangleOnly) {
  TacSkinData sd(nullptr, 96);
  sd.gd.emplace_back();
  sd.gd[0].Props[0].Color = 0x00302010;

  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = 6;
  bi.bmiHeader.biHeight = -4;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ScopedGetDC screen(nullptr);
  ScopedBitmap bmp(CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  ASSERT_TRUE(bmp);
  auto* px = static_cast<uint32_t*>(bits);
  for (int i = 0; i < 24; ++i) px[i] = 0x00ABCDEF;
  ScopedMemoryDC mem(screen.Get());
  {
    const ScopedSelectObject select(mem.Get(), bmp.Get());
    PaintSectionToDC(mem.Get(), TRect::LTRB(1, 1, 4, 3), sd, 0, 0, TCacheInfo{}, {});
    PaintSectionToDC(mem.Get(), TRect::LTRB(-1, 0, 2, 2), sd, 0, 0, TCacheInfo{}, {});
  }
  GdiFlush();
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
      EXPECT_EQ(px[y * 6 + x] & 0x00FFFFFFu, inside ? 0x00102030u : 0x00ABCDEFu) << x << "," << y;
    }
}

}  // namespace
}  // namespace ac::platform
