#pragma once
// TApplication: the program's application object. It owns the forms created
// with CreateForm (the first becomes MainForm), keeps a hidden application
// window, runs the message loop until Terminate, tracks which control the
// mouse is over (CM_MOUSEENTER / CM_MOUSELEAVE) and shows exceptions that
// reach a window procedure.
//
// The application window hears what concerns the whole program: the main
// form's minimise and restore commands, the taskbar's window-menu request
// (0x313), and two questions of another process: the handle counts
// (kHandleCountsMessageName) and the items of a popup menu the program shows
// (kMenuItemsMessageName, win32/menu_items.h). HookMainWindow puts a handler in
// front of its procedure; the latest hook is asked first. It is a message-only
// window (class "TApplication"): never on the screen, so the display never
// makes a window for it, and another process finds it with
// FindWindowExW(HWND_MESSAGE, ...).
//
// One exists per program: constructing it sets the global Application and
// creates Screen; destroying it destroys its forms and clears both.

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/component_reader.h"
#include "framework/messages.h"
#include "win32/message_box_sink.h"
#include "win32/scoped_window.h"

namespace ac {

class TControl;
class TCustomForm;
class TWinControl;
class TScreen;

// A handler for the application window's messages: true when it consumed M
// (its Result is then the answer).
using TMainWindowHookProc = std::function<bool(TMessage& m)>;
struct TMainWindowHooks;

// The token of one HookMainWindow. Move-only; destroying it unhooks (nothing
// when the application is gone).
class TMainWindowHook {
 public:
  TMainWindowHook() = default;
  TMainWindowHook(TMainWindowHook&&) noexcept = default;
  TMainWindowHook& operator=(TMainWindowHook&& o) noexcept;
  TMainWindowHook(const TMainWindowHook&) = delete;
  TMainWindowHook& operator=(const TMainWindowHook&) = delete;
  ~TMainWindowHook() { Unhook(); }
  void Unhook();

 private:
  friend class TApplication;
  TMainWindowHook(std::weak_ptr<TMainWindowHooks> hooks, int id)
      : FHooks(std::move(hooks)), FId(id) {}
  std::weak_ptr<TMainWindowHooks> FHooks;
  int FId = 0;
};

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;
  std::string_view ClassName() const override { return "TApplication"; }

  void Initialize();
  // Creates a form of class T owned by the application and stores it in
  // Reference. An error while building it (a broken description) is shown and
  // ends the program with exit code 1 instead of running it.
  template <typename T>
  void CreateForm(T*& reference);
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles the messages waiting now and returns.
  void ProcessMessages();
  int ExitCode() const { return FExitCode; }

  TCustomForm* MainForm = nullptr;
  std::string Title;
  HWND Handle() const { return FHandle.Get(); }

  // The classes form descriptions may name: the framework's from the start;
  // the layers above register theirs before the first form is created.
  TClassRegistry& Classes() { return FClasses; }

  [[nodiscard]] TMainWindowHook HookMainWindow(TMainWindowHookProc hook);
  // The application window's procedure: the hooks, then the defaults below.
  void WndProc(TMessage& m);
  // Minimises and restores the program (its main form).
  void Minimize();
  void Restore();

  // Shows E's message with the error icon through Messages.
  void ShowException(const std::exception& e);
  // Reports a failure caught where the system called us (see
  // ReportBoundaryException) with the error icon through Messages. Never
  // inside a message another thread sent, whose sender would wait on the
  // box, and never over a report still on the screen: then the report waits
  // (one at a time; failures meanwhile are dropped as repeats) and the
  // application window shows it once this thread is its own again.
  void ReportFailure(const std::string& text);
  // Where exceptions are shown: a system message box unless pointed
  // elsewhere (tests); must outlive the application.
  TMessageSink* Messages = &FMessageBox;

  // Mouse tracking, called by windowed controls.
  void SetMouseControl(TControl* control);
  void MouseLeftWindow(TWinControl* window);
  TControl* MouseControl() const { return FMouseControl; }
  void ControlDestroying(TControl* control);

 private:
  static LRESULT CALLBACK AppWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  bool ProcessMessage(MSG& msg);
  bool DialogChar(const MSG& msg);
  void FormCreated(TCustomForm* form);

  platform::TMessageBoxSink FMessageBox;
  platform::ScopedWindow FHandle;
  TClassRegistry FClasses;
  TScreen* FScreen = nullptr;
  TControl* FMouseControl = nullptr;
  std::shared_ptr<TMainWindowHooks> FHooks;
  UINT FHandleCountsMessage = 0;
  UINT FMenuItemsMessage = 0;
  std::string FPendingReport;
  bool FReportPending = false;
  bool FReporting = false;
  bool FTerminated = false;
  int FExitCode = 0;
};

extern TApplication* Application;

// For the catch (...) block of every boundary where the system calls us
// (window procedures, hooks, timer and menu callbacks): nothing may unwind
// into the system. Reports the failure in flight once through the
// application (nothing without one); the boundary then answers the message's
// default.
void ReportBoundaryException() noexcept;

// The application window of the program running as process ProcessId, as
// another process finds it; null when that process has none.
HWND FindApplicationWindow(DWORD processId);

template <typename T>
void TApplication::CreateForm(T*& reference) {
  reference = nullptr;
  if (FTerminated) return;
  try {
    reference = new T(this);
    FormCreated(reference);
  } catch (const std::exception& e) {
    ShowException(e);
    FExitCode = 1;
    FTerminated = true;
  }
}

}  // namespace ac
