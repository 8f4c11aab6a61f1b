#pragma once
// TsPanel: the skin engine's panel as a framework control with its stored
// properties. Until the skinned painting attaches, it looks and behaves as
// the framework's TPanel.

#include "framework/panel.h"

namespace ac {

class TsPanel : public TPanel {
 public:
  using TPanel::TPanel;
  std::string_view ClassName() const override { return "TsPanel"; }
};

}  // namespace ac
