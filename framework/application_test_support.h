#pragma once
// What the framework's tests share: an application object whose messages are
// recorded instead of shown, placing a control on a parent, a message pump
// with a deadline, and reading a file whole.

#include <windows.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "core/message_sink.h"
#include "framework/application.h"
#include "framework/win_control.h"

namespace ac::test {

// The whole of the file at Path, or nothing when it cannot be read.
inline std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Tests that show windows take turns across the test processes CTest runs
// side by side: one test's windows would cover what another looks at, take
// its activation or its mouse.
class TScreenTurn {
 public:
  TScreenTurn() : FMutex(CreateMutexW(nullptr, FALSE, L"VelmoraScreenTests")) {
    if (FMutex) FOwned = WaitForSingleObject(FMutex, 90000) != WAIT_TIMEOUT;
  }
  ~TScreenTurn() {
    if (FOwned) ReleaseMutex(FMutex);
    if (FMutex) CloseHandle(FMutex);
  }
  TScreenTurn(const TScreenTurn&) = delete;
  TScreenTurn& operator=(const TScreenTurn&) = delete;

 private:
  HANDLE FMutex;
  bool FOwned = false;
};

// An application for a test, with the test's turn on the screen.
struct TTestApplication {
  TScreenTurn Turn;
  TApplication App;
  TRecordingSink Sink;
  TTestApplication() {
    App.Messages = &Sink;
    App.Initialize();
  }
};

// A control of class T owned by Owner, placed on Parent at the given bounds.
template <typename T>
T* AddControl(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
  auto* c = new T(owner);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  return c;
}

// Pumps messages until Done returns true or Milliseconds pass; returns Done().
inline bool PumpUntil(const std::function<bool()>& done, int milliseconds = 2000) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  while (!done() && GetTickCount64() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(1);
  }
  return done();
}

}  // namespace ac::test
