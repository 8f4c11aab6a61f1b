#pragma once
// TCustomLabel / TLabel: text painted by its parent. With AutoSize the label
// takes the size of its text (with WordWrap, of the text wrapped to its width).

#include "framework/graphic_control.h"

namespace ac {

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool Transparent() const { return FTransparent; }
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
  bool FTransparent = false;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
  std::string_view ClassName() const override { return "TLabel"; }
};

}  // namespace ac
