// Proves that the Windows build runs real windows under the test harness: the
// calls the skin engine builds on answer as they do on Windows.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

LRESULT CALLBACK PlainProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(wnd, msg, wp, lp);
}

const wchar_t* RegisterPlainClass() {
  static const wchar_t* name = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"AcSmokeWindow";
    RegisterClassW(&wc);
    return L"AcSmokeWindow";
  }();
  return name;
}

// Owns a window for the length of one test.
struct TestWindow {
  HWND Handle;
  explicit TestWindow(DWORD exStyle = 0, DWORD style = WS_OVERLAPPEDWINDOW)
      : Handle(CreateWindowExW(exStyle, RegisterPlainClass(), L"smoke", style, 100, 100, 200, 120,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
  ~TestWindow() { DestroyWindow(Handle); }
};

TEST(WindowsSmoke, WindowPropertiesRoundTrip) {
  TestWindow w;
  ASSERT_NE(w.Handle, nullptr);
  int value = 42;
  EXPECT_TRUE(SetPropW(w.Handle, L"ACSDATA", &value));
  EXPECT_EQ(GetPropW(w.Handle, L"ACSDATA"), &value);
  EXPECT_EQ(RemovePropW(w.Handle, L"ACSDATA"), &value);
  EXPECT_EQ(GetPropW(w.Handle, L"ACSDATA"), nullptr);
}

HWND g_activated = nullptr;

LRESULT CALLBACK CbtProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE) g_activated = reinterpret_cast<HWND>(wp);
  return CallNextHookEx(nullptr, code, wp, lp);
}

TEST(WindowsSmoke, CbtHookSeesActivation) {
  HHOOK hook = SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  g_activated = nullptr;
  TestWindow w;
  ShowWindow(w.Handle, SW_SHOW);
  SetActiveWindow(w.Handle);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(g_activated, w.Handle);
}

TEST(WindowsSmoke, LayeredWindowTakesPerPixelAlpha) {
  TestWindow w(WS_EX_LAYERED | WS_EX_TOOLWINDOW, WS_POPUP);
  ASSERT_NE(w.Handle, nullptr);
  const int width = 32, height = 16;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bmp, nullptr);
  // Half-transparent premultiplied grey.
  auto* px = static_cast<uint32_t*>(bits);
  for (int i = 0; i < width * height; ++i) px[i] = 0x80404040;
  HGDIOBJ old = SelectObject(mem, bmp);
  POINT src{0, 0}, dst{50, 50};
  SIZE size{width, height};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  EXPECT_TRUE(UpdateLayeredWindow(w.Handle, screen, &dst, &size, mem, &src, 0, &blend, ULW_ALPHA));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

}  // namespace
