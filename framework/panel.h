#pragma once
// TCustomPanel / TPanel: a container window with a bevel and a centred
// caption.

#include "framework/win_control.h"

namespace ac {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TWinControl {
 public:
  explicit TCustomPanel(TComponent* owner);

  TBevelCut BevelOuter = TBevelCut::bvRaised;
  TBevelCut BevelInner = TBevelCut::bvNone;

  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void PaintWindow(HDC dc) override;
};

class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
  std::string_view ClassName() const override { return "TPanel"; }
};

}  // namespace ac
