#pragma once
// TacEditWnd: an EDIT. The system keeps painting the text area; the adapter
// paints the frame around it from the "EDIT" section (state 1 while the edit
// has the focus) and, for a framework edit whose colour notifications reach
// it, gives the text area the section's colours. An edit can scroll, so its
// window names the adapter in "ACSBSC" while it is taken over.

#include "frames/adapter_base.h"
#include "win32/scoped_gdi_object.h"
#include "win32/scoped_window_prop.h"

namespace ac {

class TacEditWnd : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;

  // The state the frame is painted in: 1 focused, else 0.
  int CurrentState() const;
  // Paints the frame (the window outside its client area) into DC, a DC of
  // the whole window.
  void PaintFrame(HDC dc);

 protected:
  uint8_t ControlKind() const override { return kCocEdit; }
  std::string DefaultSection() const override { return "EDIT"; }
  int32_t DefaultSectionNumber() const override { return 1; }
  void AfterCreation() override;
  void RestoreStdParams() override;
  void acWndProc(TMessage& m) override;

 private:
  void PaintFace(TBitmap& cache, const TFaceBase& base) override;
  // Answers a colour notification for the text area; false when not skinned.
  bool AnswerColor(TMessage& m);

  platform::ScopedWindowProp FScrollProp;
  platform::ScopedBrush FBrush;
  TColor FBrushColor = clNone;
};

}  // namespace ac
