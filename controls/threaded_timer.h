#pragma once
// TacThreadedTimer: the timer of a control's animations. Despite the name it
// runs no thread: it wraps the framework's message timer, so every step runs
// on the user-interface thread, and it holds what a state fade carries from
// step to step (the counters of paint/fade_plan.h and three images).
//
// The message timer runs only while the timer is Enabled, its Interval is
// above 0 and it has an AnimProc or an OnTimer handler; a stopped timer holds
// no system timer and no window, so a control at rest costs nothing.
//
// With an AnimProc every step first counts Iteration up; once it passes
// Iterations, or the procedure returns false or throws, the timer disables
// itself. Without one, OnTimer is called.

#include <memory>

#include "core/geometry.h"
#include "framework/bitmap.h"
#include "framework/timer.h"
#include "paint/fade_plan.h"

namespace ac {

class TsCommonData;

// One step of an animation of Data: shows frame Iteration; false ends it.
using TacAnimProc = bool (*)(TsCommonData& data, int iteration);

// What the timer animates.
enum class TacTimerKind { ttStateFade = 0, ttGlowFade = 1, ttClickCircle = 2 };

class TacThreadedTimer : public TComponent, public TacFadeCounters {
 public:
  // Enabled, Interval 1000, nothing to run yet.
  explicit TacThreadedTimer(TComponent* owner);
  // Disabled; with ChangeEvent each step runs TimeHandler as OnTimer.
  enum class TChangeEvent { ceNone, ceTimeHandler };
  TacThreadedTimer(TComponent* owner, TChangeEvent changeEvent);
  ~TacThreadedTimer() override;
  std::string_view ClassName() const override { return "TacThreadedTimer"; }

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  // Milliseconds between steps.
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned milliseconds);
  void SetOnTimer(TNotifyEvent handler);
  void SetAnimProc(TacAnimProc proc);
  TacAnimProc AnimProc() const { return FAnimProc; }
  // The message timer is running: steps will come. False when the system
  // refused the timer, however Enabled is set.
  bool Running() const { return FTimerThread.Running(); }

  // Plans an animation of Data toward NewState (the arithmetic is PlanFade)
  // and enables the timer with Proc; Carried is what StartFade computed.
  // Keeps the frame on screen as the start of a fade into or out of the
  // pressed state. The interval becomes 12 ms unless it was changed.
  void InitData(TsCommonData& data, int carried, TacAnimProc proc, int newState,
                TFadeSpeed speed = TFadeSpeed::fsNormal);
  // Runs the procedure once at the current Iteration (the first frame of a
  // fade, shown without waiting); a false answer ends the animation.
  void TimeHandler();
  // Runs the next step now, as the message timer does when it fires; nothing
  // while no steps are due. Lets a caller that cannot wait for the timer (a
  // test taking thousands of fades through every step) drive a fade to its
  // own end.
  void StepNow();

  // Dst := the R part of Src, creating Dst or giving it R's size.
  static void CopyFrom(std::unique_ptr<TBitmap>& dst, const TBitmap& src, const TRect& r);
  // Frees the three images.
  void FreeImages();

  TacTimerKind ThreadType = TacTimerKind::ttStateFade;
  // A step is being processed: a nested message loop inside it must not
  // start another.
  bool Executing = false;
  // Destruction has started: steps and procedures do nothing.
  bool Destroyed = false;
  // The animated skin data, or null.
  TsCommonData* AnimData = nullptr;
  // The image the fade starts from, the new state's image, and the frame
  // last shown. Null when there is none.
  std::unique_ptr<TBitmap> BmpFrom;
  std::unique_ptr<TBitmap> BmpTo;
  std::unique_ptr<TBitmap> BmpOut;

 private:
  void Step();
  void UpdateTimer();

  bool FEnabled = true;
  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
  TacAnimProc FAnimProc = nullptr;
  TTimer FTimerThread{nullptr};
};

}  // namespace ac
