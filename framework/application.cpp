#include "framework/application.h"

#include "framework/control.h"
#include "framework/form.h"
#include "framework/screen.h"
#include "win32/message_box_sink.h"
#include "system/win/unicode.h"

namespace ac {

TApplication* Application = nullptr;

namespace {

LRESULT CALLBACK AppWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(wnd, msg, wp, lp);
}

std::string ExeTitle() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, n);
  name = name.substr(name.find_last_of(L"\\/") + 1);
  if (const auto dot = name.find_last_of(L'.'); dot != std::wstring::npos) name.resize(dot);
  return platform::WideToUtf8(name);
}

}  // namespace

TApplication::TApplication() : TComponent(nullptr) {
  Application = this;
  RegisterFrameworkClasses(FClasses);
  FScreen = new TScreen(this);
  Screen = FScreen;
}

TApplication::~TApplication() {
  SetState(csDestroying);
  // Forms (and the screen) go before the globals do.
  while (!Components().empty()) delete Components().back();
  Screen = nullptr;
  Application = nullptr;
}

void TApplication::Initialize() {
  Title = ExeTitle();
  // The hidden application window: the process's own window that owns no
  // form but receives application-wide messages.
  WNDCLASSW wc{};
  wc.lpfnWndProc = AppWndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TApplication";
  RegisterClassW(&wc);
  const std::wstring title = platform::Utf8ToWide(Title);
  FHandle.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, L"TApplication", title.c_str(),
                                WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU, 0, 0, 0, 0,
                                nullptr, nullptr, wc.hInstance, nullptr));
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
  // Tab, Shift+Tab and the arrow keys move the focus within the active form.
  HWND active = GetActiveWindow();
  if (active && TWinControl::FindControl(active) && IsDialogMessageW(active, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
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
