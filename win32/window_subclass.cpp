#include "win32/window_subclass.h"

#include <commctrl.h>

namespace ac::platform {

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
                     SetWindowSubclass(window, SubclassProc, id,
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
    RemoveWindowSubclass(FState->Window, SubclassProc, reinterpret_cast<UINT_PTR>(FState.get()));
  FState.reset();
}

LRESULT TWindowSubclass::Next(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  return DefSubclassProc(window, msg, wp, lp);
}

LRESULT CALLBACK TWindowSubclass::SubclassProc(HWND window, UINT msg, WPARAM wp, LPARAM lp,
                                               UINT_PTR id, DWORD_PTR data) {
  auto* state = reinterpret_cast<TState*>(data);
  LRESULT result = 0;
  try {
    result = state->Procedure(window, msg, wp, lp);
  } catch (const std::exception& e) {
    if (state->Owner && state->Owner->OnException) state->Owner->OnException(e);
    result = DefSubclassProc(window, msg, wp, lp);
  }
  if (msg == WM_NCDESTROY) {
    // The handle is about to be reused by the system: never touch it again.
    RemoveWindowSubclass(window, SubclassProc, id);
    state->Attached = false;
  }
  return result;
}

}  // namespace ac::platform
