#pragma once
// TacStaticWnd: a text STATIC (a dialog's message, a label of a plain form).
// Its text is written over the parent's background in the font colour of the
// section that dresses the place where it sits (asked of the parent with
// SKC_SECTIONAT), else of its own section ("TRANSPARENT"). Statics that show
// pictures or frames are not text statics and are left to the system.

#include "frames/adapter_base.h"

namespace ac {

class TacStaticWnd : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;

  // The STATIC styles whose face is text.
  static bool IsTextStyle(LONG style);
  // The text flags of the static's style.
  uint32_t TextFlags() const;
  // The colour the text is written in (RGB).
  TColor TextColor();

 protected:
  std::string DefaultSection() const override { return "TRANSPARENT"; }
  void acWndProc(TMessage& m) override;

 private:
  void PaintFace(TBitmap& cache, const TFaceBase& base) override;
  void Paint(HDC dc);
};

}  // namespace ac
