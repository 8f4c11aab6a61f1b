#pragma once
// The adapters of the system BUTTON class: TacBtnWnd paints a push button
// from its section ("BUTTON") in the state it is in (normal, hot or focused,
// pressed, disabled), with the caption in the section's font colour, or in
// the dialog colours of an answer button; TacButtonWnd is the one for a
// framework TButton.
//
// The system class paints on several messages besides WM_PAINT (a press, a
// state or check change, focus, enabling, a new text); the adapter lets those
// through with the window's redrawing off and paints its face once after.

#include <cstdint>
#include <string>

#include "frames/adapter_base.h"
#include "framework/button.h"

namespace ac {

class TacBtnWnd : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;

  // Dialog identity: 1 (OK, Yes), 7 (Cancel, No) from a framework button's
  // modal result, else the window's dialog control ID.
  int32_t ID = 0;

  // 0 normal (and disabled), 1 hot or focused, 2 pressed, 3 the default
  // button of a plain dialog.
  virtual int CurrentState();
  // The rectangle the caption is written in for a caption of size Text.
  TRect CaptionRect(TSize text, int state) const;
  // The text flags of the caption.
  uint32_t CaptionFlags() const;

 protected:
  uint8_t ControlKind() const override { return kCocButton; }
  std::string DefaultSection() const override { return "BUTTON"; }
  int32_t DefaultSectionNumber() const override { return 2; }
  void AfterCreation() override;
  void acWndProc(TMessage& m) override;
  void PaintFace(TBitmap& cache, const TFaceBase& base) override;

  // The state the face is painted in: CurrentState limited to the section.
  int PaintState();
  // The colour of the caption: clNone for the section's colours.
  TColor CaptionColor(int state);
  void Paint(HDC dc);

 private:
  bool ButtonMessage(TMessage& m);
};

// The adapter of a framework TButton: its dialog identity comes from its
// modal result.
class TacButtonWnd : public TacBtnWnd {
 public:
  TacButtonWnd(TButton& button, TsSkinManager* manager, const TacSkinParams& params);
  TButton& Btn;
  // A framework button's modal result (0: none); read for the identity.
  int32_t ModalResult = 0;

 protected:
  void AfterCreation() override;
};

}  // namespace ac
