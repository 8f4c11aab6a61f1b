#include "win32/window_subclass.h"

#include <commctrl.h>

#include "system/win/late_library.h"

namespace ac::platform {

namespace {

// comctl32 is loaded with the first subclass: only dialogs and menus take
// one, and loading the library with the program (it registers a dozen window
// classes as it starts) would delay every start for them.
TLateLibrary& CommonControls() {
  static TLateLibrary library(L"comctl32.dll");
  return library;
}

BOOL CallSetWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  using TFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR);
  static const auto function = CommonControls().Find<TFunction>("SetWindowSubclass");
  return function ? function(window, proc, id, data) : FALSE;
}

BOOL CallRemoveWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id) {
  using TFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR);
  static const auto function = CommonControls().Find<TFunction>("RemoveWindowSubclass");
  return function ? function(window, proc, id) : FALSE;
}

// Reached only from a subclass procedure, which exists only once
// SetWindowSubclass was found in the same library.
LRESULT CallDefSubclassProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  using TFunction = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
  static const auto function = CommonControls().Find<TFunction>("DefSubclassProc");
  return function(window, msg, wp, lp);
}

}  // namespace

struct TWindowSubclass::TState {
  HWND Window = nullptr;
  TProcedure Procedure;
  TWindowSubclass* Owner = nullptr;  // for OnException; follows moves
  bool Attached = false;
};

TWindowSubclass::TWindowSubclass(HWND window, TProcedure procedure)
    : FState(std::make_unique<TState>()) {
  FState->Window = window;
  FState->Procedure = std::move(procedure);
  FState->Owner = this;
  // The state's address doubles as the subclass id: unique while it lives.
  const auto id = reinterpret_cast<UINT_PTR>(FState.get());
  FState->Attached = window && IsWindow(window) &&
                     CallSetWindowSubclass(window, SubclassProc, id,
                                           reinterpret_cast<DWORD_PTR>(FState.get())) != FALSE;
}

TWindowSubclass::TWindowSubclass(TWindowSubclass&& o) noexcept : FState(std::move(o.FState)) {
  if (FState) FState->Owner = this;
  OnException = std::move(o.OnException);
}

TWindowSubclass& TWindowSubclass::operator=(TWindowSubclass&& o) noexcept {
  if (this != &o) {
    Reset();
    FState = std::move(o.FState);
    if (FState) FState->Owner = this;
    OnException = std::move(o.OnException);
  }
  return *this;
}

TWindowSubclass::~TWindowSubclass() {
  Reset();
}

bool TWindowSubclass::Attached() const {
  return FState && FState->Attached;
}

HWND TWindowSubclass::Window() const {
  return FState ? FState->Window : nullptr;
}

void TWindowSubclass::Reset() {
  if (!FState) return;
  if (FState->Attached)
    CallRemoveWindowSubclass(FState->Window, SubclassProc,
                             reinterpret_cast<UINT_PTR>(FState.get()));
  FState.reset();
}

LRESULT TWindowSubclass::Next(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  return CallDefSubclassProc(window, msg, wp, lp);
}

LRESULT CALLBACK TWindowSubclass::SubclassProc(HWND window, UINT msg, WPARAM wp, LPARAM lp,
                                               UINT_PTR id, DWORD_PTR data) {
  auto* state = reinterpret_cast<TState*>(data);
  LRESULT result = 0;
  try {
    result = state->Procedure(window, msg, wp, lp);
  } catch (...) {
    if (state->Owner && state->Owner->OnException) {
      try {
        state->Owner->OnException();
      } catch (...) {
        // A handler that fails itself loses the report, nothing more.
      }
    }
    result = CallDefSubclassProc(window, msg, wp, lp);
  }
  if (msg == WM_NCDESTROY) {
    // The handle is about to be reused by the system: never touch it again.
    CallRemoveWindowSubclass(window, SubclassProc, id);
    state->Attached = false;
  }
  return result;
}

}  // namespace ac::platform
