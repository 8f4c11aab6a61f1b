#pragma once
// TButton: a push button over the system "BUTTON" class. A click (mouse,
// space, Enter as the default button) arrives as BN_CLICKED and runs Click.

#include "framework/win_control.h"

namespace ac {

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  std::string_view ClassName() const override { return "TButton"; }

  void WndProc(TMessage& m) override;
  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;

  bool Default = false;  // Enter in its form clicks it

 protected:
  void CreateParams(TCreateParams& params) override;
};

}  // namespace ac
