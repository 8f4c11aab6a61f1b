#pragma once
// TsButton: the skin engine's push button. It is always owner-drawn; while
// its manager has an active skin its whole face comes from its section
// ("BUTTON") in one of four states, built into its skin data's cache and
// copied to the screen:
//
//   0 normal, 1 active (hovered or focused), 2 pressed, 3 the default button
//   at rest (shown as 1 by sections with fewer than four states).
//
// Over the section come the caption in the section's font colours (moved one
// pixel right and down while pressed), the dotted focus rectangle and, while
// disabled, the disabled look over the parent's face. Hover and press go
// through the state fade; a change of caption or of the enabled state shows
// at once. The clear outside of the border's rounded corners lets the mouse
// through (HTTRANSPARENT).
//
// Without an active skin the framework's owner-drawn TButton paints it.

#include <memory>

#include "controls/ts_ctrl_skin_data.h"
#include "framework/button.h"
#include "paint/see_through.h"
#include "pixels/color_transform.h"

namespace ac {

class TsButton : public TButton {
 public:
  explicit TsButton(TComponent* owner);
  ~TsButton() override;
  std::string_view ClassName() const override { return "TsButton"; }

  TsCommonData& SkinData() { return *FCommonData; }

  // How the disabled face is made (bits of TsDisabledKind).
  TsDisabledKinds DisabledKind = dkBlended;
  // Pixels between the caption and the focus rectangle, less one across.
  int FocusMargin = 1;
  // Pixels kept clear around the caption.
  int ContentMargin = 6;
  // Off: no focus rectangle is drawn.
  bool ShowFocus = true;
  // On: the button stays pressed.
  bool Down() const { return FDown; }
  void SetDown(bool value);

  // The state the face shows now (see above).
  int CurrentState() const;
  // Where the caption is written for State, in the button's coordinates.
  TRect CaptionRect(int state) const;
  // Rebuilds the cached face for the current state. False (and the face left
  // stale) without a section or while the parent's face is not ready.
  bool PrepareCache();

  void Loaded() override;
  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;

 protected:
  void CreateWindowHandleDone() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  void SkinnedWndProc(TMessage& m, const TWndMethod& previous);
  bool HandleSkinCommand(TMessage& m, const TWndMethod& previous);
  // True when M was handled whole.
  bool HandleMessage(TMessage& m, const TWndMethod& previous);
  void PaintFromCache(HDC dc);
  void WriteCaption(int state);
  void DrawFocusRect(int state);
  bool ShowsFocusRect() const;
  int HitTest(TPoint screen);
  // Shows the face of the state the button is in now, at once.
  void RepaintNow();
  bool Interactive() const;

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  TWindowProcHook FHook;
  TsSeeThroughMap FSeeThrough;
  const TsMaskData* FSeeThroughMask = nullptr;
  bool FDown = false;
  bool FMouseClicked = false;
  // The dialog manager marked the button as the default one (BM_SETSTYLE).
  bool FIsDefaultLook = false;
};

}  // namespace ac
