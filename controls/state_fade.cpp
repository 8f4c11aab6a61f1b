#include "controls/state_fade.h"

namespace ac {

// Until fades are timed, every state change is an immediate repaint.
bool FadeStep(TsCommonData&, int) {
  return false;
}

void StartStateChange(TsCommonData& data, int, TacAnimProc, bool, bool) {
  data.Invalidate(TsCommonData::TRepaintTime::rtNow);
}

void StopStateAnimation(TsCommonData&) {}

bool IsAnimating(const TsCommonData&) {
  return false;
}

}  // namespace ac
