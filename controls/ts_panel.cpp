#include "controls/ts_panel.h"

#include <utility>
#include <vector>

#include "framework/label.h"
#include "manager/skin_broadcast.h"
#include "paint/section_paint.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

TsPanel::TsPanel(TComponent* owner)
    : TPanel(owner), FCommonData(std::make_unique<TsCommonData>(*this, kCocPanel, "PANEL")) {
  FHook = HookWindowProc(
      [this](TMessage& m, const TWndMethod& previous) { SkinnedWndProc(m, previous); });
}

TsPanel::~TsPanel() {
  // The hook calls into this object: undo it before the members go.
  FHook.Unhook();
}

const char* TsPanel::DefaultSection() const {
  return BevelOuter == TBevelCut::bvLowered ? "PANEL_LOW" : "PANEL";
}

void TsPanel::Loaded() {
  TPanel::Loaded();
  FCommonData->SetDefaultSection(DefaultSection());
  FCommonData->UpdateIndexes();
}

void TsPanel::CreateWindowHandleDone() {
  TPanel::CreateWindowHandleDone();
  FCommonData->InitCommonProp(FHandle);
}

void TsPanel::SkinnedWndProc(TMessage& m, const TWndMethod& previous) {
  if (m.Msg == WM_SKINCMD) {
    switch (SkinCommandCode(m.WParam)) {
      case SKC_NEWSKIN:
      case SKC_REFRESH:
        // The bevel may have changed since the last resolution.
        FCommonData->SetDefaultSection(DefaultSection());
        break;
      case SKC_GETKIND:
        m.Result = 12;  // "PANEL" in the table of default sections
        return;
      default:
        break;
    }
  }
  if (m.Msg == WM_PAINT && m.WParam == 0 && FCommonData->Skinned()) {
    platform::ScopedPaint paint(FHandle);
    PaintWindow(paint.Get());
    PaintGraphicChildren(paint.Get(), paint.UpdateRect());
    return;
  }
  if (m.Msg == WM_ERASEBKGND && FCommonData->Skinned()) {
    // The paint covers every pixel from the cache; erasing first would only
    // flash the class brush.
    m.Result = 1;
    return;
  }
  const bool consumed = FCommonData->HandleCommonMessage(m);
  if (m.Msg == WM_SKINCMD) {
    const WORD code = SkinCommandCode(m.WParam);
    if (code == SKC_NEWSKIN || code == SKC_REMOVESKIN || code == SKC_REFRESH) {
      // Children of the panel hear the command after the panel.
      BroadcastToChildControls(*this, m);
      if (code != SKC_REFRESH || consumed) FCommonData->Invalidate();
    }
  }
  if (!consumed) previous(m);
}

void TsPanel::PrepareCache() {
  TsCommonData& cd = *FCommonData;
  TBitmap& cache = cd.FCacheBmp;
  if (!cd.BGChanged && cache.Width() == Width() && cache.Height() == Height()) return;
  if (cache.Width() != Width() || cache.Height() != Height()) cache.SetSize(Width(), Height());
  if (cache.Empty()) return;
  const TRect rect = TRect::XYWH(0, 0, Width(), Height());
  PaintSection(cache.View(), rect, *cd.CommonSkinData(), cd.SkinIndex, 0, ParentBackground(*this),
               TPoint{0, 0});
  cd.BGChanged = false;
  ++cd.RebuildCount;
}

void TsPanel::PaintGraphicChildren(HDC dc, const RECT& update) {
  // The face is the background of every windowless child: a framework label
  // that would fill its box with its own colour draws its text only, so the
  // link inside the explanation shows no box. The style bits are put back
  // without an invalidation.
  std::vector<std::pair<TControl*, uint32_t>> saved;
  for (TControl* c : Controls()) {
    if (dynamic_cast<TCustomLabel*>(c)) {
      saved.emplace_back(c, c->ControlStyle);
      c->ControlStyle &= ~csOpaque;
    }
  }
  PaintControls(dc, update);
  for (auto& [c, style] : saved) c->ControlStyle = style;
}

void TsPanel::PaintWindow(HDC dc) {
  if (!FCommonData->Skinned()) {
    TPanel::PaintWindow(dc);
    return;
  }
  PrepareCache();
  const TBitmap& cache = FCommonData->FCacheBmp;
  if (cache.Empty()) return;
  GdiFlush();
  BitBlt(dc, 0, 0, cache.Width(), cache.Height(), cache.Canvas().Handle(), 0, 0, SRCCOPY);
}

}  // namespace ac
