#include "framework/graphic_control.h"

namespace ac {

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT && m.WParam) {
    TCanvas canvas(reinterpret_cast<HDC>(m.WParam));
    canvas.Font.Assign(Font());
    canvas.Brush.Color = Color();
    Paint(canvas);
    return;
  }
  TControl::WndProc(m);
}

}  // namespace ac
