#include "framework/bitmap.h"

#include <gtest/gtest.h>

#include "framework/application_test_support.h"
#include "framework/timer.h"
#include "win32/handle_counts.h"

namespace ac {
namespace {

TEST(Bitmap, IsA32BitTopDownDibWhoseBitsGdiAndViewsShare) {
  TBitmap bmp(3, 2);
  const TsPixelBuffer v = bmp.View();
  EXPECT_EQ(v.Width, 3);
  EXPECT_EQ(v.Height, 2);
  EXPECT_EQ(v.Stride, 12);
  EXPECT_EQ(v.Bits, bmp.ScanLine(0));
  EXPECT_EQ(bmp.ScanLine(1), bmp.ScanLine(0) + 12);
  // GDI paints the top row: row 0 of the bits.
  bmp.Canvas().Brush.Color = 0x0000FF;  // red
  bmp.Canvas().FillRect(TRect::XYWH(0, 0, 3, 1));
  GdiFlush();
  EXPECT_EQ(v.At(0, 0) & 0xFFFFFF, 0xFF0000u);  // bytes blue 0, green 0, red FF
  EXPECT_EQ(v.At(2, 1), 0u);
  // And GDI sees what a view writes.
  v.At(1, 1) = 0x0000FF00;
  EXPECT_EQ(GetPixel(bmp.Canvas().Handle(), 1, 1), RGB(0, 0xFF, 0));
}

TEST(Bitmap, ResizingAndFreeingReleaseTheHandles) {
  TBitmap bmp(4, 4);
  const HBITMAP first = bmp.Handle();
  bmp.SetSize(8, 2);
  EXPECT_EQ(GetObjectType(first), 0u);
  EXPECT_EQ(bmp.Width(), 8);
  const HBITMAP second = bmp.Handle();
  bmp.SetSize(0, 0);
  EXPECT_TRUE(bmp.Empty());
  EXPECT_EQ(GetObjectType(second), 0u);
}

TEST(Timer, FiresOnTheMessageLoopAndStops) {
  test::TTestApplication app;
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(10);
  timer.SetOnTimer([&](TComponent* s) {
    EXPECT_EQ(s, &timer);
    ++ticks;
  });
  EXPECT_TRUE(test::PumpUntil([&] { return ticks >= 3; }));
  timer.SetEnabled(false);
  const int stopped = ticks;
  test::PumpUntil([] { return false; }, 100);
  EXPECT_EQ(ticks, stopped);
}

// A program at rest must hold nothing for its idle timers: a stopped timer
// keeps neither a system timer nor its message window, also when its own
// handler stops it.
TEST(Timer, AStoppedTimerHoldsNoTimerAndNoWindow) {
  test::TTestApplication app;
  const platform::THandleCounts rest = platform::LiveHandleCounts();
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(10);
  timer.SetOnTimer([&](TComponent*) {
    if (++ticks == 2) timer.SetEnabled(false);
  });
  const platform::THandleCounts running = platform::LiveHandleCounts();
  EXPECT_EQ(running.Timers, rest.Timers + 1);
  EXPECT_EQ(running.User, rest.User + 1);
  EXPECT_TRUE(test::PumpUntil([&] { return !timer.Enabled(); }));
  EXPECT_EQ(platform::LiveHandleCounts(), rest);
  timer.SetEnabled(true);
  EXPECT_TRUE(test::PumpUntil([&] { return ticks >= 3; }));
  timer.SetInterval(0);
  EXPECT_EQ(platform::LiveHandleCounts(), rest);
}

}  // namespace
}  // namespace ac
