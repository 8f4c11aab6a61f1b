#pragma once
// TsButton: the skin engine's button as a framework control with its stored
// properties. Until the skinned painting attaches, it looks and behaves as
// the framework's TButton.

#include "framework/button.h"

namespace ac {

class TsButton : public TButton {
 public:
  using TButton::TButton;
  std::string_view ClassName() const override { return "TsButton"; }
};

}  // namespace ac
