#pragma once
// TTimer: a message timer. OnTimer runs on the user-interface thread every
// Interval milliseconds while Enabled and an OnTimer handler is set, and the
// system gave the timer its window and timer (Running tells).

#include "framework/component.h"
#include "win32/scoped_window.h"

namespace ac {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  std::string_view ClassName() const override { return "TTimer"; }

  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned milliseconds);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  void SetOnTimer(TNotifyEvent handler);
  // OnTimer calls will come: the timer is enabled and its system timer
  // runs. False while the system refuses the window or the timer.
  bool Running() const { return FTimer.Active(); }

  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;
  void Loaded() override;

 private:
  void UpdateTimer();
  static LRESULT CALLBACK TimerWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

  unsigned FInterval = 1000;
  bool FEnabled = true;
  TNotifyEvent FOnTimer;
  platform::ScopedWindow FWindow;
  platform::ScopedTimer FTimer;
};

}  // namespace ac
