#pragma once
// TWindowSubclass: a procedure placed in front of any window's own, through
// comctl32's SetWindowSubclass, for windows this program did not create with
// its framework and reaches by its handle alone: system dialogs ("#32770")
// and popup menus ("#32768"). Subclasses of other code on the same window
// stay in their chain: SetWindowSubclass keeps one list per window and
// removing ours leaves theirs alone. Which mechanism serves which window:
// win32/window_procedures.h.
//
// Move-only. Destroying it removes the subclass; once the window is gone
// (WM_NCDESTROY) it has removed itself and Attached() turns false. The
// procedure runs on the window's thread, which must be the thread that
// attached it. Exceptions do not cross the window procedure: whatever the
// procedure throws is caught, OnException (when set) is called inside the
// catch block (std::current_exception() is the failure, a rethrow reads it)
// and the message goes on to the next procedure.

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>

namespace ac::platform {

class TWindowSubclass {
 public:
  // Answers one message; calls Next to pass it on to the window's previous
  // procedure.
  using TProcedure = std::function<LRESULT(HWND window, UINT msg, WPARAM wp, LPARAM lp)>;

  TWindowSubclass() = default;
  // Attaches Procedure to Window; Attached() tells whether the system took it
  // (a null or dead window, or one of another thread, is refused).
  TWindowSubclass(HWND window, TProcedure procedure);
  TWindowSubclass(TWindowSubclass&&) noexcept;
  TWindowSubclass& operator=(TWindowSubclass&&) noexcept;
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;
  ~TWindowSubclass();

  bool Attached() const;
  HWND Window() const;
  // Removes the subclass now (nothing when already detached).
  void Reset();

  // The window's previous procedure, for use inside a procedure.
  static LRESULT Next(HWND window, UINT msg, WPARAM wp, LPARAM lp);

  std::function<void()> OnException;

 private:
  struct TState;
  static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR data);
  // Heap-held so that the address the system keeps survives a move.
  std::unique_ptr<TState> FState;
};

}  // namespace ac::platform
