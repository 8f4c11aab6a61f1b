#pragma once
// For tests of what a window does with messages other threads send: a
// message sent from a thread of its own arrives the way one from another
// process does (InSendMessageEx reports it as sent from elsewhere), while
// this thread keeps answering.

#include <windows.h>

#include <atomic>
#include <thread>

namespace ac::test {

// Sends the message to Window from a new thread and handles this thread's
// messages until the answer is back; returns the answer.
inline LRESULT SendFromAnotherThread(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  std::atomic<bool> done{false};
  LRESULT result = 0;
  std::thread sender([&] {
    result = SendMessageW(window, msg, wp, lp);
    done.store(true);
  });
  while (!done.load()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT | QS_SENDMESSAGE);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  sender.join();
  return result;
}

}  // namespace ac::test
