#include "manager/skin_list_thread.h"

#include <exception>

#include "framework/application.h"
#include "win32/private_window_class.h"

namespace ac {

namespace {

// Sent by the thread: run one step, answer 1 while more follow.
constexpr UINT kStepMessage = WM_APP + 0x51;
// Posted by the thread as its last act.
constexpr UINT kFinishedMessage = WM_APP + 0x52;

// The thread's messages are read from the window's queue, never dispatched to
// a procedure of ours.
constexpr platform::TPrivateWindowClass kWindowClass{.Name = L"TacAddThreadWindow"};

}  // namespace

TacAddThread::TacAddThread(std::function<bool()> step, std::function<void()> onFinished)
    : FStep(std::move(step)), FOnFinished(std::move(onFinished)) {
  FWake = platform::ScopedKernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  FWindow = platform::CreateMessageWindow(kWindowClass);
  if (!FWake || !FWindow.Get()) {
    // Without its event or window the thread could not be paced or heard:
    // it is born finished, and the owner builds the list itself.
    FTerminated = true;
    return;
  }
  SetWindowLongPtrW(FWindow.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(FWindow.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
  FThread = platform::ScopedKernelHandle(
      CreateThread(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, nullptr));
  if (!FThread) {
    FTerminated = true;
    return;
  }
  // Building a list for a picker must not slow the program down.
  SetThreadPriority(FThread.Get(), THREAD_PRIORITY_BELOW_NORMAL);
  ResumeThread(FThread.Get());
}

TacAddThread::~TacAddThread() {
  Terminate();
  WaitFor();
  // No message of this object may reach a window procedure after it is gone.
  if (FWindow.Get()) SetWindowLongPtrW(FWindow.Get(), GWLP_USERDATA, 0);
}

void TacAddThread::Terminate() {
  FTerminated = true;
  if (FWake) SetEvent(FWake.Get());
}

bool TacAddThread::Finished() const {
  return !FThread || WaitForSingleObject(FThread.Get(), 0) == WAIT_OBJECT_0;
}

bool TacAddThread::WaitFor() {
  if (!FThread) return true;
  if (FInStep) return false;
  HANDLE thread = FThread.Get();
  // The thread may be waiting in SendMessageW for this very thread: answer
  // such messages while waiting, or both would wait forever.
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  return true;
}

DWORD WINAPI TacAddThread::ThreadProc(LPVOID self) {
  static_cast<TacAddThread*>(self)->Run();
  return 0;
}

void TacAddThread::Run() {
  const HWND window = FWindow.Get();
  while (!FTerminated) {
    WaitForSingleObject(FWake.Get(), kStepInterval);
    if (FTerminated) break;
    // Answer 0: nothing follows, the thread was terminated meanwhile, or the
    // window is gone.
    if (SendMessageW(window, kStepMessage, 0, 0) == 0) break;
  }
  PostMessageW(window, kFinishedMessage, 0, 0);
}

LRESULT TacAddThread::RunStep() {
  if (FTerminated || (Application && Application->Terminated())) return 0;
  FInStep = true;
  bool more = false;
  try {
    more = FStep();
  } catch (...) {
    ReportBoundaryException();
    more = false;
  }
  FInStep = false;
  return more && !FTerminated ? 1 : 0;
}

LRESULT CALLBACK TacAddThread::WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TacAddThread*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && msg == kStepMessage) return self->RunStep();
  if (self && msg == kFinishedMessage) {
    // The message is the thread's last act, but the thread may not have
    // returned yet: the owner is told once it has, so that Finished holds.
    self->WaitFor();
    // The owner may free this object (and destroy this window) in the
    // handler: nothing of it is touched afterwards.
    const std::function<void()> finished = self->FOnFinished;
    if (finished) finished();
    return 0;
  }
  return DefWindowProcW(window, msg, wp, lp);
}

}  // namespace ac
