#pragma once
// TacAddThread: the background thread that paces the building of the skin
// list. It does none of the work itself: every 12 milliseconds it hands one
// step to the user-interface thread and waits until that step is done, so
// the list, the internal skins and the manager are only ever touched on the
// user-interface thread and need no locks.
//
// The thread runs at a priority below normal. It ends when a step answers
// that nothing follows, when it is told to terminate, when the application
// terminates, or when the user-interface thread's window for it is gone.
// When it has ended, OnFinished runs on the user-interface thread (from that
// thread's message loop), where the owner frees the object.
//
// Create, terminate and destroy the object on the user-interface thread.

#include <windows.h>

#include <atomic>
#include <functional>

#include "win32/scoped_kernel_handle.h"
#include "win32/scoped_window.h"

namespace ac {

class TacAddThread {
 public:
  // The time the thread waits between two steps, in milliseconds.
  static constexpr DWORD kStepInterval = 12;

  // Step runs on the user-interface thread and answers true while more steps
  // follow; an exception it throws ends the building. OnFinished runs on the
  // user-interface thread once the thread has ended. The thread starts at
  // once.
  TacAddThread(std::function<bool()> step, std::function<void()> onFinished);
  // Terminates the thread and waits for it (see WaitFor).
  ~TacAddThread();
  TacAddThread(const TacAddThread&) = delete;
  TacAddThread& operator=(const TacAddThread&) = delete;

  // Asks the thread to end; does not wait. No step runs after this call.
  void Terminate();
  bool Terminated() const { return FTerminated.load(); }
  // Waits until the thread has ended, answering the steps it still hands
  // over meanwhile (they do nothing once terminated). Returns false without
  // waiting when called from inside this thread's own step, which the thread
  // is waiting for. Terminate first, or this waits for the whole building.
  bool WaitFor();
  // The thread has ended (its last message may still be on the way); always
  // true by the time OnFinished runs.
  bool Finished() const;
  // The thread's scheduling priority (GetThreadPriority), or
  // THREAD_PRIORITY_ERROR_RETURN when there is no thread.
  int Priority() const {
    return FThread ? GetThreadPriority(FThread.Get()) : THREAD_PRIORITY_ERROR_RETURN;
  }
  // A step of this thread is running on the user-interface thread.
  bool InStep() const { return FInStep; }

 private:
  static DWORD WINAPI ThreadProc(LPVOID self);
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
  void Run();
  LRESULT RunStep();

  std::function<bool()> FStep;
  std::function<void()> FOnFinished;
  std::atomic<bool> FTerminated{false};
  bool FInStep = false;
  // Wakes the thread early when it is terminated; otherwise never signalled,
  // so each wait is the step interval.
  platform::ScopedKernelHandle FWake;
  // The message-only window on the user-interface thread that the steps and
  // the end of the thread are sent to.
  platform::ScopedWindow FWindow;
  platform::ScopedKernelHandle FThread;
};

}  // namespace ac
