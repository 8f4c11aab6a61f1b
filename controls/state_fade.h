#pragma once
// State fades: when a skinned control changes its visual state (normal,
// active, pressed) the change is shown as a short cross-fade from the image
// on screen to the image of the new state, one step every 12 ms on the
// user-interface thread, instead of an instant repaint.
//
// The owner of Data must rebuild its cached face for its current state when
// it receives SKC_PREPARECACHE; StartStateChange is called while the cache
// still holds the old state's face (BGChanged false).

#include "controls/ts_common_data.h"

namespace ac {

// One step of a fade: shows frame Iteration; false ends the fade.
using TacAnimProc = bool (*)(TsCommonData& data, int iteration);

// The step of the state fade: mixes the new state's image into the frame on
// screen and copies the frame to the owner's window.
bool FadeStep(TsCommonData& data, int iteration);

// Shows Data's owner in NewState: with animation allowed (by the caller and
// by the manager's effects) as a fade, otherwise as an immediate repaint.
void StartStateChange(TsCommonData& data, int newState, TacAnimProc proc = FadeStep,
                      bool updateGlow = false, bool allowAnimation = true);

// Stops a running fade and frees its images.
void StopStateAnimation(TsCommonData& data);

// A fade of Data's owner is running.
bool IsAnimating(const TsCommonData& data);

}  // namespace ac
