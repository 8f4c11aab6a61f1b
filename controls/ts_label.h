#pragma once
// TsLabel: the skin engine's label. On a parent that a skin dresses it is
// see-through (the parent's face shows behind the text) and writes in the
// font colour of the parent section's normal state; otherwise it looks and
// behaves as the framework's TLabel.

#include <optional>

#include "framework/label.h"

namespace ac {

class TsLabel : public TLabel {
 public:
  using TLabel::TLabel;
  std::string_view ClassName() const override { return "TsLabel"; }

  // Off: the label keeps its own Font.Color on a skinned parent too.
  bool UseSkinColor = true;

  // The colour the text is written in now.
  TColor TextColor() const;

  void Paint(TCanvas& canvas) override;
  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;
};

// The state-0 font colour of the section dressing Control's parent, when the
// parent is a skinned control of this engine; empty otherwise.
std::optional<TColor> ParentSectionFontColor(const TControl& control);

}  // namespace ac
