#pragma once
// TCustomForm / TForm: a top-level window with a frame style, caption
// buttons, a starting position, a client size, and the control that has (or
// gets, when the form is activated) the keyboard focus.
//
// A form class built from a window description reads it in its constructor
// (ReadDescription): the resource RCDATA named after the class in upper case.
// After reading, a form designed at another resolution than the screen's is
// scaled: bounds, client size and fonts by Screen.PixelsPerInch / PixelsPerInch.
//
// The main form owns the program's taskbar button and is owned by no window;
// every other form is owned by the main form, so it stays above it and goes
// with it when it is minimised. The main form forwards the system's minimise
// and restore commands and the taskbar's window-menu request (0x313) to the
// application window. Showing a form activates it as it appears (SW_SHOW), so
// the activation comes before its first frame is painted and an activation
// hook can dress the frame before anything reaches the screen.

#include <cstdint>
#include <optional>

#include "framework/win_control.h"

namespace ac {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = uint32_t;  // bits 1 << TBorderIcon
enum class TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle = TFormBorderStyle::bsSizeable;
  TBorderIcons BorderIcons = (1u << 0) | (1u << 1) | (1u << 2);
  TPosition Position = TPosition::poDefaultPosOnly;
  int PixelsPerInch = 96;  // the resolution the form was designed at
  int TextHeight = 13;
  bool Scaled = true;

  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientSize(int width, int height);

  TNotifyEvent OnShow;
  TNotifyEvent OnActivate;
  TNotifyEvent OnCreate;

  void Show();
  void Hide() { SetVisible(false); }
  // Asks the form to close: the main form ends the application.
  void Close();
  bool Active() const;
  bool Showing() const override;

  // The control that has the focus while the form is active, or gets it when
  // the form becomes active.
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetFocusedControl(TWinControl* control);
  // Moves the focus from the active control to the form itself.
  void RemoveFocus();
  // Called by a child window that received the focus.
  void FocusControlChanged(TWinControl* control);
  // While the form is active, sends CM_CANCELMODE (LParam Sender) to its
  // active control.
  void SendCancelMode(TControl* sender);

  void WndProc(TMessage& m) override;
  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void ScaleBy(int m, int d) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandleDone() override;
  void VisibleChanging() override;
  // Reads the description of this form's class from the program's resources.
  // Throws EReadError (resource missing or unreadable) or EPropertyError.
  void ReadDescription();
  virtual void DoShow();

 private:
  void PlaceOnScreen();
  // The origin Position gives a window of this size, if it centres it.
  std::optional<TPoint> CentredOrigin(int width, int height) const;
  // The main form's minimise, restore and taskbar-menu requests go to the
  // application window; true when M was one of them.
  bool ForwardToApplication(TMessage& m);

  int FClientWidth = 0;
  int FClientHeight = 0;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
  std::string_view ClassName() const override { return "TForm"; }
};

}  // namespace ac
