#include "win32/section_to_dc.h"

#include "paint/section_paint.h"
#include "win32/dib_section.h"

namespace ac::platform {

void PaintSectionToDC(HDC dc, const TRect& rect, const TacSkinData& sd, int32_t skinIndex,
                      int32_t state, const TCacheInfo& cache, TPoint offset) {
  if (rect.IsEmpty() || rect.Left < 0 || rect.Top < 0 || dc == nullptr) return;
  const int32_t w = rect.Width(), h = rect.Height();
  TDibSection section;
  if (!section.Create(w, h)) return;
  PaintSection(section.View(), TRect::XYWH(0, 0, w, h), sd, skinIndex, state, cache, offset);
  PresentFace(dc, TPoint{rect.Left, rect.Top}, section, TRect::XYWH(0, 0, w, h));
}

}  // namespace ac::platform
