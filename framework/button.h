#pragma once
// TButton: a push button over the system "BUTTON" class. A click (mouse,
// space, Enter as the default button, its accelerator as CM_DIALOGCHAR)
// arrives as BN_CLICKED or the accelerator and runs Click.
//
// With OwnerDraw the window has BS_OWNERDRAW: the system never paints the
// face and the parent's WM_DRAWITEM reaches the button as CN_DRAWITEM, which
// calls DrawItem (a skinned button paints itself instead). An owner-drawn
// button is never the dialog manager's default push button; Default then only
// decides how DrawItem frames it.

#include "framework/win_control.h"

namespace ac {

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  std::string_view ClassName() const override { return "TButton"; }

  void WndProc(TMessage& m) override;
  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;

  bool Default = false;  // Enter in its form clicks it

  bool OwnerDraw() const { return FOwnerDraw; }
  // Recreates an existing window with the new style.
  void SetOwnerDraw(bool value);

 protected:
  void CreateParams(TCreateParams& params) override;
  // Paints the face of an owner-drawn button: the classic raised frame
  // (pushed while selected, inactive while disabled), the centred caption, a
  // black outline for the default or focused button and a dotted focus
  // rectangle.
  virtual void DrawItem(const DRAWITEMSTRUCT& item);

 private:
  bool FOwnerDraw = false;
};

}  // namespace ac
