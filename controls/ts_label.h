#pragma once
// TsLabel: the skin engine's label as a framework control with its stored
// properties. Until the skinned painting attaches, it looks and behaves as
// the framework's TLabel.

#include "framework/label.h"

namespace ac {

class TsLabel : public TLabel {
 public:
  using TLabel::TLabel;
  std::string_view ClassName() const override { return "TsLabel"; }
};

}  // namespace ac
