// Private window classes: registered on first use under this module, found
// afterwards, and message windows that are counted and reach their procedure.

#include "win32/private_window_class.h"

#include <gtest/gtest.h>

#include "win32/handle_counts.h"
#include "win32/window_text.h"

namespace ac::platform {
namespace {

LRESULT CALLBACK RememberCreateParam(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

TEST(PrivateWindowClass, RegistersOnceWithTheStyleAskedFor) {
  const TPrivateWindowClass glow{.Name = L"AcPrivateClassTest",
                                 .Procedure = DefWindowProcW,
                                 .Style = CS_DBLCLKS,
                                 .ArrowCursor = true};
  ASSERT_TRUE(RegisterPrivateClass(glow));
  EXPECT_TRUE(RegisterPrivateClass(glow));  // the second call finds it
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), glow.Name, &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS));
  EXPECT_NE(wc.hCursor, nullptr);
}

TEST(PrivateWindowClass, MessageWindowIsCountedAndGetsItsParameter) {
  const long start = LiveHandleCounts().User;
  int owner = 0;
  {
    ScopedWindow window = CreateMessageWindow(
        {.Name = L"AcMessageWindowTest", .Procedure = RememberCreateParam}, &owner, L"Окно");
    ASSERT_NE(window.Get(), nullptr);
    EXPECT_EQ(LiveHandleCounts().User, start + 1);
    EXPECT_EQ(GetWindowLongPtrW(window.Get(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&owner));
    // Message-only: it is found among the message windows, never on the display.
    EXPECT_EQ(FindWindowExW(HWND_MESSAGE, nullptr, L"AcMessageWindowTest", nullptr), window.Get());
    EXPECT_FALSE(IsWindowVisible(window.Get()));
    EXPECT_EQ(WindowTextUtf8(window.Get()), "Окно");
  }
  EXPECT_EQ(LiveHandleCounts().User, start);
}

TEST(WindowText, IsEmptyForNoWindowAndForNoText) {
  EXPECT_EQ(WindowTextUtf8(nullptr), "");
  ScopedWindow window = CreateMessageWindow({.Name = L"AcMessageWindowTest"});
  ASSERT_NE(window.Get(), nullptr);
  EXPECT_EQ(WindowTextUtf8(window.Get()), "");
}

}  // namespace
}  // namespace ac::platform
