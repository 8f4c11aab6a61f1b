#pragma once
// TCustomEdit / TEdit: a single-line edit field over the system "EDIT" class.

#include "framework/win_control.h"

namespace ac {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool readOnly);

  void SelectAll();

  // The text changed (typed or set): CM_CHANGED, then OnChange.
  TNotifyEvent OnChange;

  void WndProc(TMessage& m) override;
  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  virtual void Change();

 private:
  TAlignment FAlignment = TAlignment::taLeftJustify;
  bool FReadOnly = false;
  platform::ScopedBrush FBrush;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
  std::string_view ClassName() const override { return "TEdit"; }
};

}  // namespace ac
