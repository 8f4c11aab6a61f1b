#include "framework/timer.h"

#include <exception>

#include "framework/application.h"
#include "framework/dispatch_scope.h"
#include "framework/property_value.h"
#include "win32/private_window_class.h"

namespace ac {

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  FTimer.Reset();
  FWindow.Reset();
}

LRESULT CALLBACK TTimer::TimerWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (timer && timer->FOnTimer) {
      const TDispatchScope dispatch;
      try {
        timer->FOnTimer(timer);
      } catch (...) {
        ReportBoundaryException();
      }
    }
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

void TTimer::UpdateTimer() {
  FTimer.Reset();
  if (!FEnabled || FInterval == 0 || !FOnTimer || HasState(csLoading)) {
    // A stopped timer holds no window either, so a program at rest keeps no
    // objects for its idle timers. Destroying the window from inside its own
    // WM_TIMER (a handler that stops its timer) is safe: nothing touches it
    // after the handler returns.
    FWindow.Reset();
    return;
  }
  if (!FWindow.Get()) {
    // A message-only window: it receives WM_TIMER and nothing else.
    FWindow = platform::CreateMessageWindow({.Name = L"TTimerWindow", .Procedure = TimerWndProc});
    // Without its window the timer does not run (a thread timer would reach
    // no procedure): Running stays false and the next update tries again.
    if (!FWindow.Get()) return;
    SetWindowLongPtrW(FWindow.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  FTimer = platform::ScopedTimer(FWindow.Get(), 1, FInterval);
}

void TTimer::SetInterval(unsigned milliseconds) {
  if (milliseconds == FInterval) return;
  FInterval = milliseconds;
  UpdateTimer();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  FOnTimer = std::move(handler);
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

bool TTimer::SetStoredProperty(std::string_view name, const dfm::TValue& v) {
  if (name == "Interval") {
    const int ms = IntValue(v);
    if (ms < 0) throw EPropertyError("Interval must not be negative");
    SetInterval(static_cast<unsigned>(ms));
  } else if (name == "Enabled") {
    SetEnabled(BoolValue(v));
  } else if (name == "OnTimer") {
    SetOnTimer(ResolveMethod(v));
  } else {
    return TComponent::SetStoredProperty(name, v);
  }
  return true;
}

}  // namespace ac
