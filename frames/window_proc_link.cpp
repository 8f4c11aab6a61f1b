#include "frames/window_proc_link.h"

#include <exception>
#include <utility>

#include "framework/application.h"
#include "framework/dispatch_scope.h"

namespace ac {

namespace {

// Names the link state of a window; private to this engine's links.
constexpr wchar_t kLinkProp[] = L"VelmoraProcLink";

}  // namespace

struct TacWindowProcLink::TState {
  HWND Window = nullptr;
  WNDPROC Previous = nullptr;
  TProcedure Procedure;  // empty once the link is a bare pass-through
};

TacWindowProcLink::TacWindowProcLink(HWND window, TProcedure procedure) {
  if (!window || !IsWindow(window) ||
      GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId() ||
      GetPropW(window, kLinkProp))
    return;
  auto* state = new TState{window, nullptr, std::move(procedure)};
  if (!SetPropW(window, kLinkProp, state)) {
    delete state;
    return;
  }
  state->Previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LinkProc)));
  FState = state;
}

TacWindowProcLink::TacWindowProcLink(TacWindowProcLink&& o) noexcept
    : FState(std::exchange(o.FState, nullptr)) {}

TacWindowProcLink& TacWindowProcLink::operator=(TacWindowProcLink&& o) noexcept {
  if (this != &o) {
    Reset();
    FState = std::exchange(o.FState, nullptr);
  }
  return *this;
}

WNDPROC TacWindowProcLink::PreviousProc() const {
  return FState ? FState->Previous : nullptr;
}

LRESULT TacWindowProcLink::CallPrevious(UINT msg, WPARAM wp, LPARAM lp) const {
  if (!FState || !FState->Previous) return 0;
  return CallWindowProcW(FState->Previous, FState->Window, msg, wp, lp);
}

void TacWindowProcLink::Reset() {
  TState* state = std::exchange(FState, nullptr);
  if (!state) return;
  HWND window = state->Window;
  if (!IsWindow(window)) {
    // The window went without its last message reaching us (another thread
    // destroyed it, or its procedure chain skipped ours).
    delete state;
    return;
  }
  const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  if (current == &LinkProc) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state->Previous));
    RemovePropW(window, kLinkProp);
    delete state;
    return;
  }
  // Someone sits on top and will keep calling LinkProc: stay as a
  // pass-through until the window goes.
  state->Procedure = nullptr;
}

LRESULT CALLBACK TacWindowProcLink::LinkProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  auto* state = static_cast<TState*>(GetPropW(window, kLinkProp));
  if (!state) return DefWindowProcW(window, msg, wp, lp);
  const WNDPROC previous = state->Previous;
  LRESULT result = 0;
  if (state->Procedure) {
    // A copy: the procedure may end the link (and free what it holds) while
    // it runs.
    const TProcedure procedure = state->Procedure;
    const TDispatchScope dispatch;
    try {
      result = procedure(msg, wp, lp);
    } catch (...) {
      // The window's own procedure is its default answer.
      ReportBoundaryException();
      result = CallWindowProcW(previous, window, msg, wp, lp);
    }
  } else {
    result = CallWindowProcW(previous, window, msg, wp, lp);
  }
  if (msg == WM_NCDESTROY) {
    // The handle may be reused after this message: a pass-through left
    // behind is freed here; a live link forgets the window (its owner sees
    // IsWindow turn false).
    if (auto* left = static_cast<TState*>(GetPropW(window, kLinkProp)); left && !left->Procedure) {
      RemovePropW(window, kLinkProp);
      delete left;
    } else if (left) {
      RemovePropW(window, kLinkProp);
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(left->Previous));
    }
  }
  return result;
}

}  // namespace ac
