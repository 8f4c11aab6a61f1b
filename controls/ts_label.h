#pragma once
// TsLabel: the skin engine's label. It owns no skin data: on a parent that a
// skin dresses it is see-through (the parent's face shows behind the text)
// and writes in the font colour of the section that dresses the place where
// it sits, found by asking its parent (SKC_SECTIONAT); otherwise it looks and
// behaves as the framework's TLabel.

#include "framework/label.h"

namespace ac {

class TsSkinManager;

class TsLabel : public TLabel {
 public:
  explicit TsLabel(TComponent* owner);
  std::string_view ClassName() const override { return "TsLabel"; }

  // Off: the label keeps its own Font.Color on a skinned parent too.
  bool UseSkinColor = true;
  // The explicit manager, or null for the default manager.
  TsSkinManager* SkinManager = nullptr;

  // The colour the text is written in now: the section's normal-state font
  // colour while a skin is active, else Font.Color; a disabled label mixes
  // it with the parent's background, keeping 100 parts of 255.
  TColor TextColor();

  void Paint(TCanvas& canvas) override;
  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;

 protected:
  void WndProc(TMessage& m) override;

 private:
  TsSkinManager* Manager() const;
};

}  // namespace ac
