// The counters see every device context and region the program holds: the
// DC owners while they are held, and a region handed to a window for as long
// as the window keeps it.

#include "win32/handle_counts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "win32/scoped_gdi_object.h"
#include "win32/scoped_window.h"
#include "win32/window_region.h"

namespace ac::platform {
namespace {

// A window procedure that keeps the contract of window_region.h.
LRESULT CALLBACK RegionWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCDESTROY) WindowRegionGone(wnd);
  return DefWindowProcW(wnd, msg, wp, lp);
}

HWND NewWindow() {
  static const wchar_t* name = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = RegionWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"AcRegionCountWindow";
    RegisterClassW(&wc);
    return L"AcRegionCountWindow";
  }();
  return CreateWindowExW(0, name, L"counts", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 150,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

ScopedRegion Rect(int w, int h) {
  return ScopedRegion(CreateRectRgn(0, 0, w, h));
}

long Gdi() {
  return LiveHandleCounts().Gdi;
}

TEST(HandleCounts, EveryDeviceContextCountsWhileItIsHeld) {
  ScopedWindow window(NewWindow());
  ASSERT_TRUE(window.Get());
  const struct {
    const char* Name;
    std::function<std::shared_ptr<void>(HWND)> Take;
  } owners[] = {
      {"GetDC", [](HWND w) { return std::make_shared<ScopedGetDC>(w); }},
      {"GetWindowDC", [](HWND w) { return std::make_shared<ScopedWindowDC>(w); }},
      {"BeginPaint", [](HWND w) { return std::make_shared<ScopedPaint>(w); }},
      {"CreateCompatibleDC", [](HWND) { return std::make_shared<ScopedMemoryDC>(nullptr); }},
  };
  for (const auto& owner : owners) {
    SCOPED_TRACE(owner.Name);
    InvalidateRect(window.Get(), nullptr, TRUE);
    const long before = Gdi();
    std::shared_ptr<void> held = owner.Take(window.Get());
    EXPECT_EQ(Gdi(), before + 1) << "a DC that is not given back must show";
    held.reset();
    EXPECT_EQ(Gdi(), before);
  }
}

TEST(HandleCounts, ARegionCountsWhileTheWindowHoldsIt) {
  ScopedWindow window(NewWindow());
  ASSERT_TRUE(window.Get());
  const long before = Gdi();
  ASSERT_TRUE(SetWindowRegion(window.Get(), Rect(100, 80), TRegionRedraw::rrRedraw));
  EXPECT_EQ(Gdi(), before + 1);
  EXPECT_TRUE(HoldsCountedRegion(window.Get()));
  // The system deletes the region a window replaces.
  ASSERT_TRUE(SetWindowRegion(window.Get(), Rect(90, 70), TRegionRedraw::rrNone));
  EXPECT_EQ(Gdi(), before + 1);
  // Taking the region away drops it.
  ASSERT_TRUE(SetWindowRegion(window.Get(), {}, TRegionRedraw::rrRedraw));
  EXPECT_EQ(Gdi(), before);
  EXPECT_FALSE(HoldsCountedRegion(window.Get()));
  // A window destroyed with its region drops it.
  ASSERT_TRUE(SetWindowRegion(window.Get(), Rect(100, 80), TRegionRedraw::rrNone));
  EXPECT_EQ(Gdi(), before + 1);
  window.Reset();
  EXPECT_EQ(Gdi(), before);
}

TEST(HandleCounts, ARegionNoWindowTookIsDeletedAndNotCounted) {
  const long before = Gdi();
  HWND gone = NewWindow();
  DestroyWindow(gone);
  EXPECT_FALSE(SetWindowRegion(gone, Rect(10, 10), TRegionRedraw::rrNone));
  EXPECT_FALSE(SetWindowRegion(nullptr, Rect(10, 10), TRegionRedraw::rrNone));
  EXPECT_EQ(Gdi(), before);
}

}  // namespace
}  // namespace ac::platform
