#pragma once
// What the skin-command tests share: a log of which receiver got a command
// and by which road, framework controls and bare windows that write to it,
// and skin data with a direct handler that writes to it.

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/control.h"
#include "framework/form.h"
#include "manager/skin_command_delivery.h"
#include "win32/scoped_window.h"
#include "win32/scoped_window_prop.h"

namespace ac::test {

// A form class of the tests' own.
class TCommandForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TCommandForm"; }
};

// Entries are the receivers' names; a direct handler's entry ends in
// "(direct)". The question SKC_ISSKINNED, which IsWindowSkinned asks before
// a broadcast descends, is logged as the name followed by "?".
using TCommandLog = std::vector<std::string>;

inline std::string Entry(const std::string& name, const TMessage& m) {
  return IsSkinCommand(m, SKC_ISSKINNED) ? name + "?" : name;
}

// The log without the SKC_ISSKINNED questions.
inline TCommandLog Commands(const TCommandLog& log) {
  TCommandLog commands;
  for (const std::string& e : log)
    if (e.empty() || e.back() != '?') commands.push_back(e);
  return commands;
}

// Logs every skin command that reaches Control's WindowProc as Name, answers
// it with Answer, and passes every other message on.
inline void LogSkinCommands(TControl& control, TCommandLog& log, std::string name,
                            LRESULT answer = 0) {
  TWndMethod previous = control.WindowProc;
  control.WindowProc = [previous, &log, name = std::move(name), answer](TMessage& m) {
    if (m.Msg != WM_SKINCMD) return previous(m);
    log.push_back(Entry(name, m));
    m.Result = answer;
  };
}

// Skin data whose direct handler logs "Name(direct)" and answers Answer,
// attached to a window as its "ACSDATA" for the lifetime of this object.
class TFakeSkinData : public TacCommonDataBase {
 public:
  TFakeSkinData(HWND window, TCommandLog& log, std::string name, LRESULT answer = 1) {
    WndProc = [&log, name = std::move(name) + "(direct)", answer](TMessage& m) {
      log.push_back(Entry(name, m));
      m.Result = answer;
    };
    FProp = AttachCommonData(window, *this);
  }

 private:
  platform::ScopedWindowProp FProp;
};

// A bare window of a test class that logs the skin commands reaching its
// window procedure as Name and answers them with Answer.
class TLoggingWindow {
 public:
  TLoggingWindow(TCommandLog& log, std::string name, HWND parent = nullptr, LRESULT answer = 0)
      : FState{&log, std::move(name), answer} {
    const wchar_t* cls = RegisterClassOnce();
    const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_POPUP;
    FWindow.Reset(CreateWindowExW(0, cls, L"", style, 0, 0, 20, 20, parent, nullptr,
                                  GetModuleHandleW(nullptr), &FState));
  }
  TLoggingWindow(const TLoggingWindow&) = delete;
  TLoggingWindow& operator=(const TLoggingWindow&) = delete;
  HWND Handle() const { return FWindow.Get(); }

 private:
  struct TState {
    TCommandLog* Log;
    std::string Name;
    LRESULT Answer;
  };

  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
      SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    if (msg == WM_SKINCMD) {
      if (auto* s = reinterpret_cast<TState*>(GetWindowLongPtrW(w, GWLP_USERDATA))) {
        s->Log->push_back(Entry(s->Name, TMessage{msg, wp, lp, 0}));
        return s->Answer;
      }
    }
    return DefWindowProcW(w, msg, wp, lp);
  }

  static const wchar_t* RegisterClassOnce() {
    static const wchar_t* name = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"AcSkinCommandTestWindow";
      RegisterClassW(&wc);
      return wc.lpszClassName;
    }();
    return name;
  }

  TState FState;
  platform::ScopedWindow FWindow;
};

// Counts the skin commands that reach a window through the system (its
// window-class procedure), in front of whatever procedure it had; the
// previous procedure is put back when this object goes.
class TSystemRoadCounter {
 public:
  explicit TSystemRoadCounter(HWND window) : FWindow(window) {
    SetPropW(window, kCounterProp, this);
    FPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  }
  TSystemRoadCounter(const TSystemRoadCounter&) = delete;
  TSystemRoadCounter& operator=(const TSystemRoadCounter&) = delete;
  ~TSystemRoadCounter() {
    SetWindowLongPtrW(FWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevious));
    RemovePropW(FWindow, kCounterProp);
  }
  int Count() const { return FCount; }

 private:
  static constexpr wchar_t kCounterProp[] = L"AcTestRoadCounter";
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = static_cast<TSystemRoadCounter*>(GetPropW(w, kCounterProp));
    if (msg == WM_SKINCMD) ++self->FCount;
    return CallWindowProcW(self->FPrevious, w, msg, wp, lp);
  }

  HWND FWindow;
  WNDPROC FPrevious = nullptr;
  int FCount = 0;
};

}  // namespace ac::test
