#include "controls/ts_edit.h"

#include <algorithm>

#include "controls/background_query.h"
#include "controls/disabled_kind_value.h"
#include "controls/face_rebuild.h"
#include "controls/state_fade.h"
#include "paint/control_paint.h"
#include "paint/mask_paint_layout.h"
#include "paint/section_text.h"
#include "skin/skin_data_lookup.h"
#include "win32/dib_section.h"
#include "win32/gdi_text.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

namespace {

// "EDIT" in the table of default sections.
constexpr LRESULT kEditKind = 1;

// A frame recalculation: the system asks for the non-client size again and
// repaints the frame.
constexpr UINT kFrameChanged =
    SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER;

}  // namespace

TsEdit::TsEdit(TComponent* owner)
    : TEdit(owner), FCommonData(std::make_unique<TsCommonData>(*this, kCocEdit, "EDIT")) {
  FHook = HookWindowProc(
      [this](TMessage& m, const TWndMethod& previous) { SkinnedWndProc(m, previous); });
}

TsEdit::~TsEdit() {
  FHook.Unhook();
}

void TsEdit::Loaded() {
  TEdit::Loaded();
  FCommonData->UpdateIndexes();
  if (HandleAllocated()) SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChanged);
}

void TsEdit::CreateWindowHandleDone() {
  TEdit::CreateWindowHandleDone();
  FCommonData->InitCommonProp(FHandle);
}

bool TsEdit::SetStoredProperty(std::string_view name, const dfm::TValue& v) {
  if (name == "DisabledKind") {
    DisabledKind = DisabledKindValue(v);
    return true;
  }
  return TEdit::SetStoredProperty(name, v);
}

TRect TsEdit::TextRect() const {
  // The frame, then one pixel of the single border's inner edge.
  const int b = FrameWidth(), s = 1;
  return TRect::LTRB(b + s, b + s, Width() - b - s, Height() - b);
}

bool TsEdit::PrepareCache() {
  TsCommonData& cd = *FCommonData;
  const std::optional<TFaceRebuild> rebuild = StartFaceRebuild(*this, cd);
  if (!rebuild) return false;
  const int state = cd.CurrentStateIndex();
  PaintFaceSection(*rebuild, cd, state);
  const std::string text = Text();
  if (!text.empty()) {
    platform::TGdiTextRasterizer font(Font().Handle());
    TsControlTextData data;
    data.SkinData = rebuild->SkinData;
    data.SkinIndex = cd.SkinIndex;
    data.ParentFontColor = static_cast<TColor>(ColorToRGB(Font().Color()));
    data.CacheImage = rebuild->Face;
    uint32_t flags = DT_EXPANDTABS | kDtSingleLine | kDtNoPrefix;
    if (Alignment() == TAlignment::taCenter) flags |= kDtCenter;
    if (Alignment() == TAlignment::taRightJustify) flags |= kDtRight;
    WriteControlText({rebuild->Face, &font, static_cast<TColor>(ColorToRGB(Font().Color()))},
                     TextRect(), text, TEnabled::Yes, TUseGlow::No, state, data, flags);
  }
  FinishFaceRebuild(*this, cd, *rebuild, DisabledKind);
  return true;
}

bool TsEdit::FaceIsCurrent() const {
  const TsCommonData& cd = *FCommonData;
  return !cd.BGChanged && cd.FCacheBmp.Width() == Width() && cd.FCacheBmp.Height() == Height() &&
         !cd.FCacheBmp.Empty();
}

void TsEdit::PaintFromCache(TPart part) {
  platform::ScopedWindowDC dc(FHandle);
  if (dc.Get()) PaintFromCache(part, dc.Get());
}

void TsEdit::PaintFromCache(TPart part, HDC dst) {
  if (!FaceIsCurrent() && !PrepareCache()) return;
  const platform::TDibSection& cache = FCommonData->FCacheBmp.Section();
  // Each piece goes to the place it has in the face.
  const auto copy = [&](const TRect& piece) {
    platform::PresentFace(dst, TPoint{piece.Left, piece.Top}, cache, piece);
  };
  const int w = cache.Width(), h = cache.Height();
  if (part == TPart::tpWhole) {
    copy(TRect::XYWH(0, 0, w, h));
    return;
  }
  if (part == TPart::tpCorners) {
    const TSize c = CornerSize();
    copy(TRect::XYWH(0, 0, c.cx, c.cy));
    copy(TRect::XYWH(w - c.cx, 0, c.cx, c.cy));
    copy(TRect::XYWH(0, h - c.cy, c.cx, c.cy));
    copy(TRect::XYWH(w - c.cx, h - c.cy, c.cx, c.cy));
    return;
  }
  const int b = FrameWidth();
  copy(TRect::XYWH(0, 0, w, b));
  copy(TRect::XYWH(0, h - b, w, b));
  copy(TRect::XYWH(0, b, b, h - 2 * b));
  copy(TRect::XYWH(w - b, b, b, h - 2 * b));
}

TSize TsEdit::CornerSize() const {
  const TsCommonData& cd = *FCommonData;
  const TacSkinData* sd = cd.CommonSkinData();
  if (!sd || !IsValidSkinIndex(*sd, cd.SkinIndex)) return {0, 0};
  const int32_t border = sd->gd[static_cast<size_t>(cd.SkinIndex)].BorderIndex;
  if (!IsValidImgIndex(*sd, border)) return {0, 0};
  const TsMaskData& m = sd->ma[static_cast<size_t>(border)];
  const TMaskBands bands = FitMaskBands({m.WL, m.WT, m.WR, m.WB}, Width(), Height());
  return {std::max({bands.L, bands.R, FrameWidth()}), std::max({bands.T, bands.B, FrameWidth()})};
}

bool TsEdit::NativeInside() const {
  return Enabled() && HandleAllocated() && GetFocus() == FHandle;
}

void TsEdit::RedrawFrameAndInside() {
  if (HandleAllocated())
    RedrawWindow(FHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

bool TsEdit::HandleSkinCommand(TMessage& m, const TWndMethod& previous) {
  TsCommonData& cd = *FCommonData;
  switch (SkinCommandCode(m.WParam)) {
    case SKC_GETKIND:
      m.Result = kEditKind;
      return true;
    case SKC_PREPARECACHE:
      m.Result = PrepareCache() ? 1 : 0;
      return true;
    case SKC_NEWSKIN:
    case SKC_REMOVESKIN:
    case SKC_REFRESH: {
      const bool consumed = cd.HandleCommonMessage(m);
      if (!consumed) previous(m);
      if (consumed && HandleAllocated()) {
        // The system's own frame comes back without a skin, the skinned one
        // with it; the inside takes the colours of the state it is in, or
        // the system's where no section dresses the field any more.
        if (cd.Skinned()) {
          cd.ApplyStateColors(true);
        } else {
          cd.ApplyPlainColors();
        }
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kFrameChanged);
        RedrawFrameAndInside();
      }
      return true;
    }
    default:
      return false;
  }
}

bool TsEdit::HandlePaint(TMessage& m, const TWndMethod& previous) {
  TsCommonData& cd = *FCommonData;
  if (!cd.Skinned()) return false;
  switch (m.Msg) {
    case WM_NCPAINT:
      if (IsWindowVisible(FHandle)) PaintFromCache(TPart::tpFrame);
      return true;
    case WM_PAINT:
      if (m.WParam != 0) {
        // Painting into a given DC (a copy of the window): the whole face.
        PaintFromCache(TPart::tpWhole, reinterpret_cast<HDC>(m.WParam));
        return true;
      }
      if (NativeInside()) {
        previous(m);
        PaintFromCache(TPart::tpCorners);
        return true;
      }
      {
        // The whole window, frame included, comes from the face.
        platform::ScopedPaint paint(FHandle);
        PaintFromCache(TPart::tpWhole);
      }
      return true;
    case WM_ERASEBKGND:
      if (NativeInside()) previous(m);
      m.Result = 1;
      return true;
    case WM_NCHITTEST:
      // The frame belongs to the field: a press on it places the caret.
      previous(m);
      m.Result = HTCLIENT;
      return true;
    default:
      return false;
  }
}

void TsEdit::SkinnedWndProc(TMessage& m, const TWndMethod& previous) {
  if (!SkinCommandAccepted(m)) return;
  if (m.Msg == WM_SKINCMD && HandleSkinCommand(m, previous)) return;
  if (HandlePaint(m, previous)) return;
  TsCommonData& cd = *FCommonData;
  const bool skinned = cd.Skinned();
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (!cd.HandleCommonMessage(m)) previous(m);
      if (skinned) {
        // The frame shows the state of the focus, and the system edit paints
        // the inside in that state's colours while it has the focus.
        cd.FFocused = m.Msg == WM_SETFOCUS;
        cd.BGChanged = true;
        cd.ApplyStateColors(true);
      }
      RedrawFrameAndInside();
      return;
    case WM_SETTEXT:
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
    case CM_CHANGED:
      previous(m);
      if (skinned) {
        cd.BGChanged = true;
        RedrawFrameAndInside();
      }
      return;
    default:
      break;
  }
  if (!cd.HandleCommonMessage(m)) previous(m);
}

}  // namespace ac
