// Clicks on the border window's shadow reach the program below it, clicks on
// its frame do not. The program below is this test executable started again
// with one disabled test (BorderClickTarget), which shows a white window,
// clicks the given points itself and reports what its window received.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "frames/border_test_support.h"
#include "manager/helper_process_test_support.h"

namespace ac {
namespace {

using test::PumpUntil;

constexpr wchar_t kWindowVar[] = L"AC_CLICK_WINDOW";  // "left top right bottom"
constexpr wchar_t kPointsVar[] = L"AC_CLICK_POINTS";  // "x y x y ..."
constexpr wchar_t kEventsVar[] = L"AC_CLICK_EVENTS";  // the name part of the two events

std::wstring EventName(const std::wstring& tag, const wchar_t* what) {
  return L"VelmoraBorderClick" + std::wstring(what) + tag;
}

std::wstring Variable(const wchar_t* name) {
  wchar_t value[256] = {};
  const DWORD n = GetEnvironmentVariableW(name, value, 256);
  return n > 0 && n < 256 ? value : L"";
}

// Waits for Event while this thread's messages are handled.
bool WaitPumping(HANDLE object, int milliseconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    const DWORD r =
        MsgWaitForMultipleObjects(1, &object, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    if (r == WAIT_OBJECT_0) return true;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

// The other program's side.
int gClicks = 0;  // bit i: a press arrived while point i was clicked
int gCurrent = -1;

LRESULT CALLBACK TargetProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_LBUTTONDOWN && gCurrent >= 0) gClicks |= 1 << gCurrent;
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcW(w, msg, wParam, lParam);
}

TEST(BorderClickTarget, DISABLED_OtherProgram) {
  const std::wstring tag = Variable(kEventsVar);
  int l = 0, t = 0, r = 0, b = 0;
  ASSERT_EQ(swscanf(Variable(kWindowVar).c_str(), L"%d %d %d %d", &l, &t, &r, &b), 4);
  WNDCLASSW wc{};
  wc.lpfnWndProc = TargetProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"VelmoraClickTarget";
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(WS_EX_NOACTIVATE, wc.lpszClassName, L"", WS_POPUP, l, t, r - l, b - t,
                           nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(w, SW_SHOWNOACTIVATE);
  UpdateWindow(w);
  PumpUntil([] { return false; }, 200);
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, EventName(tag, L"Ready").c_str());
  HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, EventName(tag, L"Go").c_str());
  ASSERT_TRUE(ready && go);
  SetEvent(ready);
  ASSERT_TRUE(WaitPumping(go, 30000));
  const std::wstring points = Variable(kPointsVar);
  const wchar_t* p = points.c_str();
  int x = 0, y = 0, n = 0, used = 0;
  while (swscanf(p, L"%d %d%n", &x, &y, &used) == 2) {
    p += used;
    // Another test program on the display may hold a window over the point
    // for a moment (a message box): the click waits until only this
    // window's own picture, the border or its shadow lie there.
    const bool reachesUs = n != 0;  // the frame's point belongs to the border
    PumpUntil([&] { return (WindowFromPoint(POINT{x, y}) == w) == reachesUs; }, 5000);
    gCurrent = n++;
    SetCursorPos(x, y);
    PumpUntil([] { return false; }, 150);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    PumpUntil([] { return false; }, 400);
  }
  gCurrent = -1;
  DestroyWindow(w);
  CloseHandle(ready);
  CloseHandle(go);
  std::fflush(stdout);
  ExitProcess(static_cast<UINT>(gClicks));
}

// This program's side.
TEST(BorderClickThrough, ShadowClicksReachTheProgramBelowFrameClicksDoNot) {
  test::TBorderFixture f(test::SkinsFolder(AC_SOURCE_DIR));
  // The border window's place around the still hidden form.
  const TBorderMetrics m = f.Owner->Metrics();
  RECT fr{};
  GetWindowRect(f.Form->Handle(), &fr);
  const TRect b = BorderWindowRect(TRect::LTRB(fr.left, fr.top, fr.right, fr.bottom), m);
  const TRect white = b.Inflate(40, 40);
  // The frame first: a click on the other program would activate it.
  const TPoint frame{b.Left + m.Shadow.Left + 1, b.Top + b.Height() / 2};
  const TPoint shadow{b.Left + 5, b.Top + b.Height() / 2};
  const TPoint below{white.Left + 10, white.Top + 10};  // the white window alone

  const std::wstring tag = std::to_wstring(GetCurrentProcessId());
  test::TOwnedHandle ready(CreateEventW(nullptr, TRUE, FALSE, EventName(tag, L"Ready").c_str()));
  test::TOwnedHandle go(CreateEventW(nullptr, TRUE, FALSE, EventName(tag, L"Go").c_str()));
  SetEnvironmentVariableW(kEventsVar, tag.c_str());
  SetEnvironmentVariableW(kWindowVar,
                          (std::to_wstring(white.Left) + L" " + std::to_wstring(white.Top) + L" " +
                           std::to_wstring(white.Right) + L" " + std::to_wstring(white.Bottom))
                              .c_str());
  std::wstring points;
  for (TPoint p : {frame, shadow, below})
    points += std::to_wstring(p.X) + L" " + std::to_wstring(p.Y) + L" ";
  SetEnvironmentVariableW(kPointsVar, points.c_str());
  // The other program is this test executable running one case: it must not
  // take the shard of the cases this run was given.
  SetEnvironmentVariableW(L"GTEST_TOTAL_SHARDS", nullptr);
  SetEnvironmentVariableW(L"GTEST_SHARD_INDEX", nullptr);

  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + test::HelperPath("frames_tests.exe") +
                         L"\" --gtest_also_run_disabled_tests "
                         L"--gtest_filter=BorderClickTarget.DISABLED_OtherProgram";
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi));
  test::TOwnedHandle process(pi.hProcess), thread(pi.hThread);
  ASSERT_TRUE(WaitPumping(ready.get(), 30000));

  f.Form->Show();
  SetForegroundWindow(f.Form->Handle());
  PumpUntil([&] { return f.Border->BorderHandle() && IsWindowVisible(f.Border->BorderHandle()); });
  // The border window takes the mouse only inside its region: the clicks
  // wait for it (a loaded machine may be slow to get there).
  PumpUntil([&] {
    platform::ScopedRegion rgn(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(f.Border->BorderHandle(), rgn.Get()) == COMPLEXREGION;
  });
  PumpUntil([] { return false; }, 500);
  SetEvent(go.get());
  ASSERT_TRUE(WaitPumping(process.get(), 30000));
  DWORD clicks = 0;
  GetExitCodeProcess(process.get(), &clicks);
  EXPECT_EQ(clicks & 1u, 0u) << "the frame's click reached the program below";
  EXPECT_EQ(clicks & 2u, 2u) << "the shadow's click did not reach the program below";
  EXPECT_EQ(clicks & 4u, 4u) << "the program below took no click at all";
  // The frame's press reached the border window, which handed it to the form.
  EXPECT_EQ(f.Forwarded.size(), 1u);
}

}  // namespace
}  // namespace ac
