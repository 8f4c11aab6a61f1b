#include "framework/application.h"

#include <string>
#include <utility>

#include "framework/control.h"
#include "framework/dispatch_scope.h"
#include "framework/form.h"
#include "framework/screen.h"
#include "system/win/unicode.h"
#include "win32/handle_counts.h"
#include "win32/menu_items.h"
#include "win32/message_box_sink.h"
#include "win32/private_window_class.h"

namespace ac {
namespace {

// Posted to the application window to show a report that had to wait.
constexpr UINT kShowPendingReport = WM_APP + 0x60;

}  // namespace

TApplication* Application = nullptr;

struct TMainWindowHooks {
  struct TEntry {
    int Id;
    TMainWindowHookProc Proc;
  };
  std::vector<TEntry> Entries;
  int NextId = 1;
};

TMainWindowHook& TMainWindowHook::operator=(TMainWindowHook&& o) noexcept {
  if (this != &o) {
    Unhook();
    FHooks = std::move(o.FHooks);
    FId = std::exchange(o.FId, 0);
  }
  return *this;
}

void TMainWindowHook::Unhook() {
  if (auto hooks = FHooks.lock()) {
    std::erase_if(hooks->Entries, [&](const auto& e) { return e.Id == FId; });
  }
  FHooks.reset();
  FId = 0;
}

namespace {

std::string ExeTitle() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, n);
  name = name.substr(name.find_last_of(L"\\/") + 1);
  if (const auto dot = name.find_last_of(L'.'); dot != std::wstring::npos) name.resize(dot);
  return platform::WideToUtf8(name);
}

}  // namespace

TApplication::TApplication() : TComponent(nullptr), FHooks(std::make_shared<TMainWindowHooks>()) {
  Application = this;
  RegisterFrameworkClasses(FClasses);
  FScreen = new TScreen(this);
  Screen = FScreen;
}

TApplication::~TApplication() {
  SetState(csDestroying);
  // Forms (and the screen) go before the globals do.
  while (!Components().empty()) Free(Components().back());
  FHooks.reset();
  Screen = nullptr;
  Application = nullptr;
}

void TApplication::Initialize() {
  Title = ExeTitle();
  // The hidden application window receives application-wide messages. Being
  // message-only, it costs no window on the display: a hidden top-level
  // window would, and making one delays the first form by milliseconds under
  // an X server.
  const std::wstring title = platform::Utf8ToWide(Title);
  FHandleCountsMessage = RegisterWindowMessageW(platform::kHandleCountsMessageName);
  FMenuItemsMessage = RegisterWindowMessageW(platform::kMenuItemsMessageName);
  FHandle = platform::CreateMessageWindow({.Name = L"TApplication", .Procedure = AppWndProc}, this,
                                          title.c_str());
}

HWND FindApplicationWindow(DWORD processId) {
  HWND window = nullptr;
  while ((window = FindWindowExW(HWND_MESSAGE, window, L"TApplication", nullptr))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId) return window;
  }
  return nullptr;
}

LRESULT CALLBACK TApplication::AppWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* app = reinterpret_cast<TApplication*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  // Its first messages arrive before CreateWindowExW returned it, its last
  // ones while the application is being destroyed.
  if (!app || app != Application || !app->FHooks || app->FHandle.Get() != wnd)
    return DefWindowProcW(wnd, msg, wp, lp);
  TMessage m{msg, wp, lp, 0};
  const TDispatchScope dispatch;
  try {
    app->WndProc(m);
  } catch (...) {
    ReportBoundaryException();
    return DefWindowProcW(wnd, msg, wp, lp);
  }
  return m.Result;
}

TMainWindowHook TApplication::HookMainWindow(TMainWindowHookProc hook) {
  const int id = FHooks->NextId++;
  FHooks->Entries.push_back({id, std::move(hook)});
  return TMainWindowHook(FHooks, id);
}

void TApplication::WndProc(TMessage& m) {
  if (m.Msg == kShowPendingReport) {
    if (FReportPending && !FReporting) {
      FReportPending = false;
      ReportFailure(std::exchange(FPendingReport, {}));
    }
    return;
  }
  // A copy: a hook may unhook itself or others while it runs.
  const std::vector<TMainWindowHooks::TEntry> hooks = FHooks->Entries;
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it)
    if (it->Proc(m)) return;
  if (m.Msg == FHandleCountsMessage && FHandleCountsMessage) {
    const platform::THandleCounts counts = platform::LiveHandleCounts();
    switch (m.WParam) {
      case platform::kHandleCountUser:
        m.Result = counts.User;
        break;
      case platform::kHandleCountTimers:
        m.Result = counts.Timers;
        break;
      case platform::kFadeFramesShown:
        m.Result = platform::FadeFramesShown();
        break;
      default:
        m.Result = counts.Gdi;
        break;
    }
    return;
  }
  if (m.Msg == FMenuItemsMessage && FMenuItemsMessage) {
    m.Result = platform::AnswerMenuItems(reinterpret_cast<HWND>(m.WParam),
                                         reinterpret_cast<HWND>(m.LParam));
    return;
  }
  HWND main = MainForm && MainForm->HandleAllocated() ? MainForm->Handle() : nullptr;
  switch (m.Msg) {
    case WM_SYSCOMMAND:
      if ((m.WParam & 0xFFF0) == SC_MINIMIZE) {
        Minimize();
        return;
      }
      if ((m.WParam & 0xFFF0) == SC_RESTORE) {
        Restore();
        return;
      }
      break;
    case kPopupSystemMenu:
      // The main form's own default handling shows its window menu.
      if (main) m.Result = DefWindowProcW(main, m.Msg, m.WParam, m.LParam);
      return;
    case WM_CLOSE:
      if (MainForm) MainForm->Close();
      return;
    default:
      break;
  }
  m.Result = DefWindowProcW(FHandle.Get(), m.Msg, m.WParam, m.LParam);
}

void TApplication::Minimize() {
  if (MainForm && MainForm->HandleAllocated()) ShowWindow(MainForm->Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  if (MainForm && MainForm->HandleAllocated()) ShowWindow(MainForm->Handle(), SW_RESTORE);
}

void TApplication::FormCreated(TCustomForm* form) {
  if (!MainForm) MainForm = form;
}

void TApplication::Run() {
  if (FTerminated || !MainForm) return;
  MainForm->Show();
  MSG msg;
  while (!FTerminated) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      FTerminated = true;
      if (got == 0) FExitCode = static_cast<int>(msg.wParam);
      break;
    }
    ProcessMessage(msg);
  }
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (DialogChar(msg)) return true;
  // Tab, Shift+Tab and the arrow keys move the focus within the active form.
  HWND active = GetActiveWindow();
  if (active && TWinControl::FindControl(active) && IsDialogMessageW(active, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

bool TApplication::DialogChar(const MSG& msg) {
  if (msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
  TWinControl* control = TWinControl::FindControl(msg.hwnd);
  if (!control) return false;
  // A control that takes characters itself (an edit) keeps them.
  if (msg.message == WM_CHAR &&
      (SendMessageW(msg.hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTCHARS))
    return false;
  TCustomForm* form = control->ParentForm();
  return form && form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      FTerminated = true;
      FExitCode = static_cast<int>(msg.wParam);
      return;
    }
    ProcessMessage(msg);
  }
}

void TApplication::Terminate() {
  PostQuitMessage(0);
}

void TApplication::ShowException(const std::exception& e) {
  Messages->Show(e.what(), TMessageIcon::Error);
}

void TApplication::ReportFailure(const std::string& text) {
  const bool sentFromElsewhere =
      (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) != 0;
  if (sentFromElsewhere || FReporting) {
    if (FReportPending) return;
    FPendingReport = text;
    FReportPending = PostMessageW(FHandle.Get(), kShowPendingReport, 0, 0) != FALSE;
    return;
  }
  FReporting = true;
  try {
    Messages->Show(text, TMessageIcon::Error);
  } catch (...) {
    // A report that cannot be shown is lost; nothing more.
  }
  FReporting = false;
}

void ReportBoundaryException() noexcept {
  std::string text = "Unknown error";
  try {
    throw;
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
  }
  try {
    if (Application) Application->ReportFailure(text);
  } catch (...) {
  }
}

void TApplication::SetMouseControl(TControl* control) {
  if (control == FMouseControl) return;
  TControl* previous = FMouseControl;
  FMouseControl = control;
  if (previous) previous->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(previous));
  if (control) control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
}

void TApplication::MouseLeftWindow(TWinControl* window) {
  if (!FMouseControl) return;
  if (FMouseControl == window || FMouseControl->Parent() == window) {
    // Moving onto a child window: that window's WM_MOUSEMOVE takes over.
    SetMouseControl(nullptr);
  }
}

void TApplication::ControlDestroying(TControl* control) {
  if (FMouseControl == control) FMouseControl = nullptr;
}

}  // namespace ac
