#pragma once
// TacCheckBoxWnd: check boxes and radio buttons of the system BUTTON class.
// The mark is the skin's glyph ("BOXUNCHECKED", "BOXCHECKED", "BOXGRAYED",
// "RADIOUNCHECKED", "RADIOCHECKED") in the button's state (normal, hot,
// pressed) where the skin has it; otherwise the "CHECKBOX" section paints a
// box and, when checked, a square of its font colour inside. The text is
// written beside the mark in the section's font colour, over the parent's
// background.

#include "frames/button_adapter.h"

namespace ac {

// The kind of mark a BUTTON style shows.
enum class TacMarkKind { mkCheck, mkRadio };

class TacCheckBoxWnd : public TacBtnWnd {
 public:
  using TacBtnWnd::TacBtnWnd;

  TacMarkKind MarkKind() const;
  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
  int CheckState() const;
  // The mark's place in the window and the text's.
  TRect MarkRect() const;
  TRect TextRect() const;
  // The skin entry of the mark for the check state, or -1.
  int32_t MarkIndex() const;

  void PaintFace(TBitmap& cache, const TFaceBase& base) override;
  int CurrentState() override;

 protected:
  std::string DefaultSection() const override { return "CHECKBOX"; }
  int32_t DefaultSectionNumber() const override { return 5; }
};

// TacGroupBoxWnd: a group box: the "GROUPBOX" section under the caption
// line, the caption at its top left over the parent's background.
class TacGroupBoxWnd : public TacBtnWnd {
 public:
  using TacBtnWnd::TacBtnWnd;
  void PaintFace(TBitmap& cache, const TFaceBase& base) override;
  int CurrentState() override { return 0; }
  // The frame's rectangle (the caption's height halved from the top) and the
  // caption's.
  TRect FrameRect() const;
  TRect TextRect() const;

 protected:
  std::string DefaultSection() const override { return "GROUPBOX"; }
  int32_t DefaultSectionNumber() const override { return 9; }
  void acWndProc(TMessage& m) override;
};

}  // namespace ac
