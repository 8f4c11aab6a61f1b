#include "framework/panel.h"

#include "framework/canvas.h"
#include "framework/property_value.h"

namespace ac {

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
  SetParentColor(true);
  ControlStyle |= csOpaque;
}

void TCustomPanel::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN;
  // Tab and Shift+Tab reach the controls inside.
  p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TCustomPanel::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(FHandle, &r);
  auto edge = [&](TBevelCut cut) {
    if (cut == TBevelCut::bvRaised) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    if (cut == TBevelCut::bvLowered) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (cut == TBevelCut::bvSpace) InflateRect(&r, -1, -1);
  };
  edge(BevelOuter);
  edge(BevelInner);
  const std::string caption = Text();
  if (caption.empty()) return;
  TCanvas canvas(dc);
  canvas.Font.Assign(Font());
  canvas.Brush.Clear = true;
  TRect tr = FromRECT(r);
  canvas.TextRect(tr, caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

bool TCustomPanel::SetStoredProperty(std::string_view name, const dfm::TValue& v) {
  auto bevel = [&] {
    return EnumValue<TBevelCut>(v, {{"bvNone", TBevelCut::bvNone},
                                    {"bvLowered", TBevelCut::bvLowered},
                                    {"bvRaised", TBevelCut::bvRaised},
                                    {"bvSpace", TBevelCut::bvSpace}});
  };
  if (name == "BevelOuter") {
    BevelOuter = bevel();
  } else if (name == "BevelInner") {
    BevelInner = bevel();
  } else {
    return TWinControl::SetStoredProperty(name, v);
  }
  Invalidate();
  return true;
}

}  // namespace ac
