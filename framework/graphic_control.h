#pragma once
// TGraphicControl: a control without a window of its own. Its parent paints
// it (WM_PAINT arrives with the parent's DC, origin moved to the control's
// top-left corner and clipped to it) and routes the mouse to it.

#include "framework/canvas.h"
#include "framework/control.h"

namespace ac {

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}

  void WndProc(TMessage& m) override;

 protected:
  // Paints into Canvas, whose origin is the control's top-left corner.
  virtual void Paint(TCanvas& canvas) = 0;
};

}  // namespace ac
