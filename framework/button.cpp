#include "framework/button.h"

#include "framework/property_value.h"

namespace ac {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  TabStop = true;
  // The system class decides what a click is.
  ControlStyle = csDoubleClicks;
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = L"BUTTON";
  p.Style |= Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    Click();
    return;
  }
  TWinControl::WndProc(m);
}

bool TButton::SetStoredProperty(std::string_view name, const dfm::TValue& v) {
  if (name == "Default") {
    Default = BoolValue(v);
    return true;
  }
  return TWinControl::SetStoredProperty(name, v);
}

}  // namespace ac
