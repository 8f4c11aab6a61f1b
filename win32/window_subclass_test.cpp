#include "win32/window_subclass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "win32/handle_counts.h"
#include "win32/scoped_gdi_object.h"
#include "win32/scoped_window.h"

namespace ac::platform {
namespace {

ScopedWindow PlainEdit() {
  return ScopedWindow(CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
}

std::wstring TextOf(HWND w) {
  wchar_t text[64] = L"";
  GetWindowTextW(w, text, 64);
  return text;
}

// Swallows the character Dropped, passes everything else on.
TWindowSubclass::TProcedure Dropping(wchar_t dropped, int* seen) {
  return [dropped, seen](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
    if (msg == WM_CHAR) {
      ++*seen;
      if (static_cast<wchar_t>(wp) == dropped) return 0;
    }
    return TWindowSubclass::Next(w, msg, wp, lp);
  };
}

TEST(WindowSubclass, ASystemEditIsSubclassedAndGivenBackWhole) {
  ScopedWindow edit = PlainEdit();
  ASSERT_NE(edit.Get(), nullptr);
  int seen = 0;
  TWindowSubclass sub(edit.Get(), Dropping(L'x', &seen));
  ASSERT_TRUE(sub.Attached());
  for (wchar_t c : std::wstring(L"axb")) SendMessageW(edit.Get(), WM_CHAR, c, 0);
  EXPECT_EQ(TextOf(edit.Get()), L"ab");
  EXPECT_EQ(seen, 3);
  sub.Reset();
  EXPECT_FALSE(sub.Attached());
  SendMessageW(edit.Get(), WM_CHAR, L'x', 0);
  EXPECT_EQ(TextOf(edit.Get()), L"abx");
  EXPECT_EQ(seen, 3);
}

// Removing ours must not cut out a subclass put on after it; a move keeps it.
TEST(WindowSubclass, RemovingOneLeavesTheOtherAndAMovedOneKeepsWorking) {
  ScopedWindow edit = PlainEdit();
  int seenX = 0, seenY = 0;
  TWindowSubclass lower(edit.Get(), Dropping(L'x', &seenX));
  TWindowSubclass upper(edit.Get(), Dropping(L'y', &seenY));
  lower.Reset();
  for (wchar_t c : std::wstring(L"xy")) SendMessageW(edit.Get(), WM_CHAR, c, 0);
  EXPECT_EQ(TextOf(edit.Get()), L"x");
  EXPECT_EQ(seenX, 0);
  EXPECT_EQ(seenY, 2);
  TWindowSubclass moved = std::move(upper);
  EXPECT_FALSE(upper.Attached());
  EXPECT_TRUE(moved.Attached());
  SendMessageW(edit.Get(), WM_CHAR, L'y', 0);
  EXPECT_EQ(TextOf(edit.Get()), L"x");
}

TEST(WindowSubclass, AWindowDestroyedFirstDetachesItAndAThrowingProcedureIsContained) {
  ScopedWindow edit = PlainEdit();
  std::vector<std::string> errors;
  TWindowSubclass sub(edit.Get(), [](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
    if (msg == WM_CHAR && wp == L'q') throw std::runtime_error("bad character");
    // Not every failure is a std::exception; none may reach the system.
    if (msg == WM_CHAR && wp == L'r') throw 42;
    return TWindowSubclass::Next(w, msg, wp, lp);
  });
  sub.OnException = [&] {
    try {
      throw;
    } catch (const std::exception& e) {
      errors.push_back(e.what());
    } catch (...) {
      errors.push_back("other");
    }
  };
  SendMessageW(edit.Get(), WM_CHAR, L'q', 0);
  SendMessageW(edit.Get(), WM_CHAR, L'r', 0);
  EXPECT_EQ(errors, (std::vector<std::string>{"bad character", "other"}));
  EXPECT_EQ(TextOf(edit.Get()), L"qr");  // passed on to the edit
  edit.Reset();
  EXPECT_FALSE(sub.Attached());
  EXPECT_FALSE(TWindowSubclass(nullptr, {}).Attached());
}

// A system dialog is caught as it is created (class atom 0x8002, "#32770")
// through the thread's activation hook, subclassed, and dismissed from inside.
struct TDialogCatch {
  std::optional<TWindowSubclass> Sub;
  std::vector<UINT> Seen;
  wchar_t Class[32] = L"";
};
TDialogCatch* gCatch = nullptr;

LRESULT CALLBACK CatchDialogs(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND && gCatch && !gCatch->Sub) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lp);
    const auto cls = reinterpret_cast<ULONG_PTR>(create->lpcs->lpszClass);
    if (cls == 0x8002) {
      const HWND dialog = reinterpret_cast<HWND>(wp);
      gCatch->Sub.emplace(dialog, [](HWND w, UINT msg, WPARAM wp2, LPARAM lp2) -> LRESULT {
        gCatch->Seen.push_back(msg);
        if (msg == WM_INITDIALOG) {
          GetClassNameW(w, gCatch->Class, 32);
          PostMessageW(w, WM_COMMAND, IDOK, 0);
        }
        return TWindowSubclass::Next(w, msg, wp2, lp2);
      });
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

TEST(WindowSubclass, AMessageBoxIsSubclassedThroughTheActivationHook) {
  TDialogCatch caught;
  gCatch = &caught;
  int result = 0;
  {
    ScopedHook hook(WH_CBT, CatchDialogs);
    ASSERT_TRUE(hook);
    result = MessageBoxW(nullptr, L"subclassed", L"Velmora", MB_OK);
  }
  gCatch = nullptr;
  EXPECT_EQ(result, IDOK);
  ASSERT_TRUE(caught.Sub.has_value());
  EXPECT_STREQ(caught.Class, L"#32770");
  EXPECT_NE(std::find(caught.Seen.begin(), caught.Seen.end(), WM_INITDIALOG), caught.Seen.end());
  // The dialog is gone; the subclass let go of it by itself.
  EXPECT_FALSE(caught.Sub->Attached());
}

// The wrappers count what they hold, across moves, resets and releases.
TEST(HandleCounts, TheWrappersCountWhatTheyHold) {
  const THandleCounts base = LiveHandleCounts();
  const auto delta = [&] {
    const THandleCounts now = LiveHandleCounts();
    return std::pair<long, long>{now.Gdi - base.Gdi, now.User - base.User};
  };
  {
    ScopedBrush a(CreateSolidBrush(RGB(1, 2, 3)));
    ScopedMemoryDC dc(nullptr);
    EXPECT_EQ(delta(), (std::pair<long, long>{2, 0}));
    ScopedBrush b = std::move(a);
    a = ScopedBrush(CreateSolidBrush(RGB(4, 5, 6)));
    b = std::move(a);  // b's first brush is deleted
    EXPECT_EQ(delta(), (std::pair<long, long>{2, 0}));
    HBRUSH given = b.Release();
    EXPECT_EQ(delta(), (std::pair<long, long>{1, 0}));
    DeleteObject(given);
    ScopedGetDC screen(nullptr);
    ScopedWindow w = PlainEdit();
    ScopedHook hook(WH_CBT,
                    [](int c, WPARAM wp, LPARAM lp) { return CallNextHookEx(nullptr, c, wp, lp); });
    EXPECT_EQ(delta(), (std::pair<long, long>{2, 2}));
    DestroyWindow(w.Get());  // gone behind the owner's back: counted until let go
    EXPECT_EQ(delta(), (std::pair<long, long>{2, 2}));
  }
  EXPECT_EQ(delta(), (std::pair<long, long>{0, 0}));
}

}  // namespace
}  // namespace ac::platform
