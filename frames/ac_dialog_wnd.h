#pragma once
// TacDialogWnd: the frame of a standard system dialog ("#32770", such as a
// message box), which is no form of ours. It puts a procedure in front of the
// dialog's own (TWindowSubclass), names the dialog in "ACSDATA", and lets a
// TacFrameAdapter paint the frame from the "DIALOG" section and its title
// from "DIALOGTITLE". The dialog's client gets the section's colour, its
// static texts the section's font colour.
//
// It starts lazily, like a form's run-time adapter: the dialog is created
// when the hook sees it, but skinned on its first non-client paint or hit
// test, on becoming visible, or once WM_INITDIALOG has run, whichever comes
// first, when the dialog is complete and nothing of it has been shown.
//
// The dialog's child controls are dressed by whatever the program registered
// with SetDialogChildrenAdapter (the standard-control adapters); without one
// they keep the system's look.
#include <windows.h>

#include <functional>
#include <memory>

#include "frames/frame_adapter.h"
#include "manager/skin_command_delivery.h"
#include "win32/scoped_gdi_object.h"
#include "win32/scoped_window_prop.h"
#include "win32/window_subclass.h"

namespace ac {

// Dresses the child windows of a framed dialog. The returned object is kept
// with the dialog's frame and released when the dialog goes or the skin is
// removed, which must undo the dressing.
using TacDialogChildrenAdapter = std::function<std::shared_ptr<void>(HWND dialog)>;
void SetDialogChildrenAdapter(TacDialogChildrenAdapter adapter);

class TacDialogWnd {
 public:
  TacDialogWnd(HWND dialog, TsSkinManager* manager);
  ~TacDialogWnd();
  TacDialogWnd(const TacDialogWnd&) = delete;
  TacDialogWnd& operator=(const TacDialogWnd&) = delete;

  HWND Window() const { return FWindow; }
  // The window still exists and this adapter still serves it.
  bool Alive() const { return FSubclass && FSubclass->Attached(); }
  bool Started() const { return !FPending; }
  TacFrameAdapter& Frame() { return *FFrame; }

 private:
  LRESULT Procedure(HWND window, UINT msg, WPARAM wp, LPARAM lp);
  bool SkinCommand(TMessage& m);
  void Start();
  void ApplySkin();
  void RemoveSkin();

  HWND FWindow;
  TsSkinManager* FManager;
  bool FPending = true;
  TacCommonDataBase FData;
  platform::ScopedWindowProp FProp;
  std::unique_ptr<TacFrameAdapter> FFrame;
  platform::ScopedBrush FBrush;
  TColor FTextColor = clNone;
  std::shared_ptr<void> FChildren;
  std::unique_ptr<platform::TWindowSubclass> FSubclass;
};

}  // namespace ac
