#pragma once
// TCustomLabel / TLabel: text painted by its parent. With AutoSize the label
// takes the size of its text (with WordWrap, of the text wrapped to its width).
//
// Transparency has one rule: a label is transparent exactly when csOpaque is
// not in its ControlStyle. A transparent label paints only its text, leaving
// what lies under it (the parent's face, siblings) as it is; an opaque one
// fills its rectangle with Color first. Whoever takes csOpaque away (an
// adapter dressing plain labels) makes it transparent.

#include "framework/graphic_control.h"

namespace ac {

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool Transparent() const { return !(ControlStyle & csOpaque); }
  void SetTransparent(bool value);

  void WndProc(TMessage& m) override;
  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;
  void Loaded() override;

 protected:
  void Paint(TCanvas& canvas) override;
  // Resizes to the text when AutoSize is on (not while loading).
  void AdjustBounds();
  UINT DrawFlags() const;

 private:
  bool FAutoSize = true;
  bool FWordWrap = false;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
  std::string_view ClassName() const override { return "TLabel"; }
};

}  // namespace ac
