// The DIB section owner: pixels shared between views and GDI, every object it
// holds counted and freed (also when it grows while its DC is in use), and a
// face presented at the place asked for.

#include "win32/dib_section.h"

#include <gtest/gtest.h>

#include <utility>

#include "win32/handle_counts.h"
#include "win32/scoped_gdi_object.h"

namespace ac::platform {
namespace {

long Gdi() {
  return LiveHandleCounts().Gdi;
}

TEST(DibSection, CountsItsDCAndBitmapAndFreesThemOnEveryPath) {
  const long start = Gdi();
  {
    TDibSection section;
    ASSERT_NE(section.OpenDC(), nullptr);
    EXPECT_EQ(Gdi(), start + 1);  // a DC alone measures text
    ASSERT_TRUE(section.Create(4, 3));
    EXPECT_EQ(Gdi(), start + 2);
    const HBITMAP first = section.Bitmap();
    const HDC dc = section.DC();
    ASSERT_TRUE(section.Create(9, 2));
    // The DC stays; the first bitmap left it and is gone.
    EXPECT_EQ(section.DC(), dc);
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), section.Bitmap());
    EXPECT_EQ(Gdi(), start + 2);
    // A size the owner refuses keeps what it has.
    EXPECT_FALSE(section.Create(0, 5));
    EXPECT_EQ(section.Width(), 9);
    TDibSection moved = std::move(section);
    EXPECT_TRUE(section.Empty());
    EXPECT_EQ(moved.DC(), dc);
    EXPECT_EQ(Gdi(), start + 2);
    const HBITMAP second = moved.Bitmap();
    moved.Reset();
    EXPECT_EQ(GetObjectType(second), 0u);
    EXPECT_EQ(Gdi(), start);
    ASSERT_TRUE(moved.Create(1, 1));
  }
  EXPECT_EQ(Gdi(), start);
}

TEST(DibSection, ViewAndGdiShareTopDownBits) {
  TDibSection section;
  ASSERT_TRUE(section.Create(3, 2));
  const TsPixelBuffer v = section.View();
  EXPECT_EQ(v.Width, 3);
  EXPECT_EQ(v.Height, 2);
  EXPECT_EQ(v.Stride, 12);
  EXPECT_EQ(v.At(2, 1), 0u);  // zeroed
  v.At(1, 0) = 0x00FF0000u;   // red, in the top row
  EXPECT_EQ(GetPixel(section.DC(), 1, 0), RGB(0xFF, 0, 0));
  const RECT bottom{0, 1, 3, 2};
  ScopedBrush blue(CreateSolidBrush(RGB(0, 0, 0xFF)));
  FillRect(section.DC(), &bottom, blue.Get());
  GdiFlush();
  EXPECT_EQ(v.At(0, 1) & 0xFFFFFFu, 0x0000FFu);
}

TEST(DibSection, PresentFaceCopiesTheSourcePieceToItsPlace) {
  TDibSection face, target;
  ASSERT_TRUE(face.Create(4, 4));
  ASSERT_TRUE(target.Create(6, 6));
  const TsPixelBuffer f = face.View();
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) f.At(x, y) = static_cast<uint32_t>(0x10 * y + x);
  // Pixel code wrote last: presenting flushes nothing of GDI's over it.
  PresentFace(target.DC(), TPoint{3, 1}, face, TRect::XYWH(1, 2, 2, 2));
  GdiFlush();
  const TsPixelBuffer t = target.View();
  EXPECT_EQ(t.At(3, 1) & 0xFFFFFFu, 0x21u);
  EXPECT_EQ(t.At(4, 1) & 0xFFFFFFu, 0x22u);
  EXPECT_EQ(t.At(3, 2) & 0xFFFFFFu, 0x31u);
  EXPECT_EQ(t.At(4, 2) & 0xFFFFFFu, 0x32u);
  EXPECT_EQ(t.At(2, 1), 0u);
  EXPECT_EQ(t.At(5, 3), 0u);
  // The whole face at the origin; an empty face or a null DC does nothing.
  PresentFace(target.DC(), face);
  GdiFlush();
  EXPECT_EQ(t.At(3, 3) & 0xFFFFFFu, 0x33u);
  PresentFace(target.DC(), TDibSection());
  PresentFace(nullptr, face);
}

TEST(ScopedSaveDC, PutsTheDCStateBackAtTheEndOfTheScope) {
  TDibSection section;
  ASSERT_TRUE(section.Create(8, 8));
  const HDC dc = section.DC();
  {
    const ScopedSaveDC saved(dc);
    SetViewportOrgEx(dc, 3, 4, nullptr);
    IntersectClipRect(dc, 0, 0, 1, 1);
  }
  POINT origin{-1, -1};
  GetViewportOrgEx(dc, &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  RECT clip{};
  GetClipBox(dc, &clip);
  EXPECT_EQ(clip.right, 8);
  EXPECT_EQ(clip.bottom, 8);
  const ScopedSaveDC none(nullptr);  // a null DC is no state to save
}

}  // namespace
}  // namespace ac::platform
