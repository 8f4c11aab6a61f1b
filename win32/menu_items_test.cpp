#include "win32/menu_items.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "win32/scoped_window.h"

namespace ac::platform {
namespace {

// A popup-menu window of this thread, the kind the answer is given for.
ScopedWindow PopupMenuWindow() {
  return ScopedWindow(CreateWindowExW(0, MAKEINTATOM(0x8000), L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr));
}

// A reader whose thread made its window and then stopped reading messages
// for Stall: the way a hung program looks.
class TStalledReader {
 public:
  explicit TStalledReader(std::chrono::milliseconds stall) {
    FThread = std::thread([this, stall] {
      HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
      FWindow.store(w);
      std::this_thread::sleep_for(stall);
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      DestroyWindow(w);
    });
    while (!FWindow.load()) std::this_thread::yield();
  }
  ~TStalledReader() { FThread.join(); }
  TStalledReader(const TStalledReader&) = delete;
  TStalledReader& operator=(const TStalledReader&) = delete;
  HWND Window() const { return FWindow.load(); }

 private:
  std::atomic<HWND> FWindow{nullptr};
  std::thread FThread;
};

TEST(MenuItemsAnswer, AReaderThatDoesNotReadCannotHoldTheProgram) {
  const ScopedWindow popup = PopupMenuWindow();
  ASSERT_NE(popup.Get(), nullptr);
  const TStalledReader reader(std::chrono::seconds(8));
  const auto start = std::chrono::steady_clock::now();
  AnswerMenuItems(popup.Get(), reader.Window());
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_LT(waited, std::chrono::milliseconds(kMenuItemsReaderTimeoutMs + 2000));
}

TEST(MenuItemsAnswer, OnlyPopupMenuWindowsOfThisThreadAreAnswered) {
  const ScopedWindow plain(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                           nullptr, GetModuleHandleW(nullptr), nullptr));
  EXPECT_EQ(AnswerMenuItems(plain.Get(), plain.Get()), -1);
  EXPECT_EQ(AnswerMenuItems(nullptr, plain.Get()), -1);
}

}  // namespace
}  // namespace ac::platform
