#pragma once
// TsCtrlSkinData: the skin data of a control that repaints itself when a
// state change is shown without a fade (the button). Its owner sets
// OnUpdateLight; the fade calls it instead of a plain repaint, and after the
// last frame of a fade the owner repaints from its rebuilt face.

#include <functional>

#include "controls/ts_common_data.h"

namespace ac {

// What OnUpdateLight is told and answers.
struct TacAnimUpdate {
  int Tick = 0;            // the step that asks, 0 outside a fade
  bool Repainted = false;  // set by the handler when it painted the control
};

using TacAnimUpdateEvent = std::function<void(TControl& owner, TacAnimUpdate& update)>;

class TsCtrlSkinData : public TsCommonData {
 public:
  using TsCommonData::TsCommonData;

  TacAnimUpdateEvent OnUpdateLight;
};

}  // namespace ac
