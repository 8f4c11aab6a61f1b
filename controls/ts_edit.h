#pragma once
// TsEdit: the skin engine's edit as a framework control with its stored
// properties. Until the skinned painting attaches, it looks and behaves as
// the framework's TEdit.

#include "framework/edit.h"

namespace ac {

class TsEdit : public TEdit {
 public:
  using TEdit::TEdit;
  std::string_view ClassName() const override { return "TsEdit"; }
};

}  // namespace ac
