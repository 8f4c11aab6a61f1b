#pragma once
// TacWindowProcLink: a standard-control adapter's procedure put in front of a
// standard control that is no framework control (a system dialog's BUTTON, a
// plain EDIT), by replacing GWLP_WNDPROC and keeping the replaced procedure.
// Which mechanism serves which window: win32/window_procedures.h.
//
// Taking the link away puts the replaced procedure back only while the
// window still uses this engine's procedure. When someone subclassed the
// window after us, their procedure calls ours; the link then stays on the
// window as a bare pass-through to the procedure we replaced, so neither
// their chain nor the window's own handling is cut, and it is freed with the
// window (WM_NCDESTROY).
//
// Move-only. The procedure runs on the window's thread, which must be the one
// that made the link. Nothing thrown by the procedure crosses the system: the
// message then goes on to the replaced procedure.

#include <windows.h>

#include <functional>

namespace ac {

class TacWindowProcLink {
 public:
  // Answers one message; calls CallPrevious to pass it on.
  using TProcedure = std::function<LRESULT(UINT msg, WPARAM wp, LPARAM lp)>;

  TacWindowProcLink() = default;
  // Replaces Window's procedure with one that calls Procedure. Linked() is
  // false for a null or dead window, a window of another thread, or a window
  // that already carries a link.
  TacWindowProcLink(HWND window, TProcedure procedure);
  TacWindowProcLink(TacWindowProcLink&& o) noexcept;
  TacWindowProcLink& operator=(TacWindowProcLink&& o) noexcept;
  TacWindowProcLink(const TacWindowProcLink&) = delete;
  TacWindowProcLink& operator=(const TacWindowProcLink&) = delete;
  ~TacWindowProcLink() { Reset(); }

  bool Linked() const { return FState != nullptr; }
  // The procedure that was replaced (null when not linked).
  WNDPROC PreviousProc() const;
  // Passes a message on to the replaced procedure.
  LRESULT CallPrevious(UINT msg, WPARAM wp, LPARAM lp) const;
  // Takes the link away as described above; nothing when not linked.
  void Reset();

 private:
  struct TState;
  static LRESULT CALLBACK LinkProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
  TState* FState = nullptr;
};

}  // namespace ac
