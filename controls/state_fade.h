#pragma once
// State fades: when a skinned control changes its visual state (normal,
// active, pressed) the change is shown as a short cross-fade from the image
// on screen to the image of the new state, one step every 12 ms on the
// user-interface thread, instead of an instant repaint.
//
// The owner of Data must rebuild its cached face for its current state when
// it receives SKC_PREPARECACHE; StartStateChange is called while the cache
// still holds the old state's face (BGChanged false).
//
// The fade lives in Data.AnimTimer, created at the first fade and kept with
// the control: between fades it holds no system timer, only the light
// (Glow) a redirected fade continues from. Its images are kept after a fade
// to a lit state and freed after a fade to normal.
//
// Hover glows, click circles, attention pulses and mouse lighting are not
// part of this engine's controls: the Glow value is kept because the timing
// of every fade follows it, but no glow window is ever shown.

#include <functional>

#include "controls/threaded_timer.h"
#include "controls/ts_common_data.h"

namespace ac {

// The step of the state fade: mixes the new state's image into the frame on
// screen and copies the frame to the owner's window.
bool FadeStep(TsCommonData& data, int iteration);

// Shows Data's owner in NewState: with animation allowed (by the caller and
// by the manager's effects) as a fade, otherwise as an immediate repaint.
void StartStateChange(TsCommonData& data, int newState, TacAnimProc proc = FadeStep,
                      bool updateGlow = false, bool allowAnimation = true);

// Starts a fade toward NewState, or redirects the running one from the frame
// on screen; a fade already heading to NewState goes on untouched.
void StartFade(TsCommonData& data, int newState, TacAnimProc proc = FadeStep,
               TFadeSpeed speed = TFadeSpeed::fsNormal);

// Stops a running fade and frees its images.
void StopStateAnimation(TsCommonData& data);

// Jumps a fade to its end and stops it (nothing for a null Timer).
void FinishStateAnimation(TacThreadedTimer* timer);

// A fade of Data's owner is running.
bool IsAnimating(const TsCommonData& data);

// The frame a running fade shows now, or null: what a parent hands a
// transparent child as its background while it fades.
const TBitmap* CurrentFadeFrame(const TsCommonData& data);

// Watches the frames of every fade: Observer runs after each frame reached
// its window, with the frame's pixels. Fades are checked by counting and
// comparing their frames, never by timing them. One watch is active at a
// time; a newer one hides an older until it ends.
using TFadeFrameObserver = std::function<void(const TsCommonData& data, const TBitmap& frame)>;
class TFadeFrameWatch {
 public:
  explicit TFadeFrameWatch(TFadeFrameObserver observer);
  ~TFadeFrameWatch();
  TFadeFrameWatch(const TFadeFrameWatch&) = delete;
  TFadeFrameWatch& operator=(const TFadeFrameWatch&) = delete;

 private:
  friend bool FadeStep(TsCommonData& data, int iteration);
  TFadeFrameObserver FObserver;
  TFadeFrameWatch* FPrevious;
};

}  // namespace ac
