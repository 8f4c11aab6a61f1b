#include "controls/ts_panel.h"

#include <utility>
#include <vector>

#include "framework/label.h"
#include "framework/scoped_flag.h"
#include "manager/skin_broadcast.h"
#include "paint/section_paint.h"
#include "win32/dib_section.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

namespace {

constexpr int kPanelKind = 12;  // "PANEL" in the table of default sections

// Copies the rectangle of the background answer Query that lies under R (in
// the container's coordinates) into R of Dst.
void FillFromBackground(HDC dst, const RECT& r, const TacBgQuery& query) {
  const auto copy = [&](const RECT& part) {
    if (IsRectEmpty(&part)) return;
    platform::PresentFace(dst, TPoint{part.left, part.top}, query.Image->Section(),
                          FromRECT(part).Offset(query.Origin.X, query.Origin.Y));
  };
  const bool hasImage = query.Image && !query.Image->Empty();
  if (query.Kind == bqImage && hasImage) {
    copy(r);
    return;
  }
  platform::ScopedBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(query.Color))));
  FillRect(dst, &r, brush.Get());
  if (!hasImage) return;
  // A plain colour framed by the border's bands: the bands come from the image.
  const TRect& f = query.FillArea;
  const int w = query.Image->Width(), h = query.Image->Height();
  const RECT bands[] = {{r.left, r.top, r.right, std::min<LONG>(r.bottom, f.Top)},
                        {r.left, r.top, std::min<LONG>(r.right, f.Left), r.bottom},
                        {r.left, std::max<LONG>(r.top, h - f.Bottom), r.right, r.bottom},
                        {std::max<LONG>(r.left, w - f.Right), r.top, r.right, r.bottom}};
  for (const RECT& band : bands) copy(band);
}

}  // namespace

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
  switch (BevelOuter) {
    case TBevelCut::bvNone:
      return "TRANSPARENT";
    case TBevelCut::bvLowered:
      return "PANEL_LOW";
    case TBevelCut::bvSpace:
      return "GROUPBOX";
    default:
      return "PANEL";
  }
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

bool TsPanel::SkinCommand(TMessage& m) {
  TsCommonData& cd = *FCommonData;
  switch (SkinCommandCode(m.WParam)) {
    case SKC_NEWSKIN:
    case SKC_REFRESH:
      // The bevel may have changed since the last resolution.
      cd.SetDefaultSection(DefaultSection());
      return false;
    case SKC_GETKIND:
      m.Result = kPanelKind;
      return true;
    case SKC_PREPARECACHE:
      if (!cd.Updating()) PrepareCache();
      return true;
    case SKC_GETBACKGROUND: {
      if (!cd.Skinned() || m.LParam == 0) return false;
      auto& query = *reinterpret_cast<TacBgQuery*>(m.LParam);
      cd.AnswerBackgroundQuery(query, 0);
      // An image the panel cannot build yet (its own parent is not ready) is
      // no answer the child can paint with: it waits for SKC_PARENTUPDATED.
      const TBitmap& cache = cd.FCacheBmp;
      if (query.Kind == bqImage && cd.BGChanged &&
          (cache.Width() != Width() || cache.Height() != Height()) && !cd.Updating())
        query.Kind = bqNotReady;
      return true;
    }
    default:
      return false;
  }
}

void TsPanel::SkinnedWndProc(TMessage& m, const TWndMethod& previous) {
  if (!SkinCommandAccepted(m)) return;
  if (m.Msg == WM_SKINCMD && SkinCommand(m)) return;
  TsCommonData& cd = *FCommonData;
  if (m.Msg == WM_PAINT && cd.Skinned()) {
    // A DC in the message (a copy of the panel wanted elsewhere) is painted
    // as the window's own.
    if (m.WParam != 0) {
      PaintWithChildren(reinterpret_cast<HDC>(m.WParam));
      return;
    }
    {
      platform::ScopedPaint paint(FHandle);
      PaintWithChildren(paint.Get());
    }
    // The face is on the screen: children that found it not ready paint now.
    if (!cd.Updating() && !cd.BGChanged) cd.ResumeChildren();
    return;
  }
  if (m.Msg == WM_SIZE && cd.Skinned()) {
    cd.BGChanged = true;
    if (IsWindowVisible(FHandle)) cd.HandleCommonMessage(m);
    {
      // Children asking for the face while the framework handles the size
      // get no stale one; they are told to paint once it is done, however
      // the handling ends.
      struct TNotReadyMeanwhile {
        TsCommonData& Data;
        ~TNotReadyMeanwhile() { Data.FUpdating = false; }
      } meanwhile{cd};
      cd.FUpdating = true;
      previous(m);
    }
    cd.ResumeChildren();
    return;
  }
  if (m.Msg == CM_VISIBLECHANGED && cd.Skinned()) {
    cd.BGChanged = true;
    cd.FUpdating = false;
    if (m.WParam != 0) {
      // Shown: the face first, then the children that waited for it.
      PrepareCache();
      previous(m);
      cd.ResumeChildren();
    } else {
      previous(m);
    }
    cd.HandleCommonMessage(m);
    return;
  }
  if (m.Msg == WM_ERASEBKGND && cd.Skinned()) {
    // The paint covers every pixel from the cache; erasing first would only
    // flash the class brush. A child asking for the background to be painted
    // into its DC (WParam == LParam) gets the face.
    if (m.WParam != 0 && static_cast<LPARAM>(m.WParam) == m.LParam) {
      PrepareCache();
      platform::PresentFace(reinterpret_cast<HDC>(m.WParam), TPoint{0, 0}, cd.FCacheBmp.Section(),
                            TRect::XYWH(0, 0, Width(), Height()));
    }
    m.Result = 1;
    return;
  }
  const bool consumed = cd.HandleCommonMessage(m);
  if (m.Msg == WM_SKINCMD) {
    const WORD code = SkinCommandCode(m.WParam);
    if (code == SKC_NEWSKIN || code == SKC_REMOVESKIN || code == SKC_REFRESH ||
        code == SKC_SETPPI) {
      // Children of the panel hear the command after the panel.
      BroadcastToChildControls(*this, m);
      if (code != SKC_REFRESH || consumed) cd.Invalidate();
    }
  }
  if (!consumed) previous(m);
}

bool TsPanel::PrepareCache() {
  TsCommonData& cd = *FCommonData;
  TBitmap& cache = cd.FCacheBmp;
  if (!cd.Skinned()) return false;
  if (!cd.BGChanged && cache.Width() == Width() && cache.Height() == Height()) return true;
  if (cache.Width() != Width() || cache.Height() != Height()) cache.SetSize(Width(), Height());
  if (cache.Empty()) return false;
  const TacBgQuery background = QueryParentBackground(*this);
  if (background.Kind == bqNotReady) {
    cd.FUpdating = true;
    return false;
  }
  const TRect rect = TRect::XYWH(0, 0, Width(), Height());
  PaintSection(cache.View(), rect, *cd.CommonSkinData(), cd.SkinIndex, 0,
               CacheInfoFromQuery(background), TPoint{Left(), Top()});
  cd.BGChanged = false;
  ++cd.RebuildCount;
  return true;
}

void TsPanel::PaintGraphicChildren(HDC dc) {
  // One painting of this panel's windowless children at a time: a child
  // that paints through its parent must not start another one. The guard
  // lets go however the painting ends (a bitmap that cannot be made throws).
  if (FPaintingChildren || Controls().empty()) return;
  RECT clip;
  if (GetClipBox(dc, &clip) == NULLREGION || IsRectEmpty(&clip)) {
    FCommonData->HalfVisible = true;
    return;
  }
  std::vector<TControl*> children;
  for (TControl* c : Controls()) {
    if (dynamic_cast<TWinControl*>(c) || !c->Visible() || c->Width() <= 0 || c->Height() <= 0 ||
        c->HasState(csDestroying))
      continue;
    const RECT r = ToRECT(c->BoundsRect());
    RECT common;
    if (RectVisible(dc, &r) && IntersectRect(&common, &r, &clip)) children.push_back(c);
  }
  if (children.empty()) return;
  const TScopedFlag painting(FPaintingChildren);
  TacBgQuery background;
  SendSkinCommandTo(*this, SKC_GETBACKGROUND, reinterpret_cast<LPARAM>(&background));
  // The children are painted off the screen over their part of the face, so
  // each shows in one copy, without flicker and without its own box: a
  // framework label that would fill its box with its own colour draws its
  // text only (the style bit is put back without an invalidation).
  TBitmap offscreen(Width(), Height());
  HDC off = offscreen.Canvas().Handle();
  for (TControl* c : children) FillFromBackground(off, ToRECT(c->BoundsRect()), background);
  for (TControl* c : children) {
    const uint32_t style = c->ControlStyle;
    if (dynamic_cast<TCustomLabel*>(c)) c->ControlStyle &= ~csOpaque;
    const RECT r = ToRECT(c->BoundsRect());
    {
      const platform::ScopedSaveDC saved(off);
      IntersectClipRect(off, r.left, r.top, r.right, r.bottom);
      SetViewportOrgEx(off, r.left, r.top, nullptr);
      c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(off), 0);
    }
    c->ControlStyle = style;
  }
  GdiFlush();
  for (TControl* c : children) {
    const RECT r = ToRECT(c->BoundsRect());
    // A child that left its corner magenta asked not to be shown.
    if (GetPixel(off, r.left, r.top) == RGB(255, 0, 255)) continue;
    platform::PresentFace(dc, TPoint{r.left, r.top}, offscreen.Section(), FromRECT(r));
  }
}

void TsPanel::PaintWithChildren(HDC dc) {
  if (FCommonData->Updating()) return;
  PaintWindow(dc);
  PaintGraphicChildren(dc);
}

void TsPanel::PaintWindow(HDC dc) {
  TsCommonData& cd = *FCommonData;
  if (!cd.Skinned()) {
    TPanel::PaintWindow(dc);
    return;
  }
  if (!PrepareCache() && cd.BGChanged) return;
  const TBitmap& cache = cd.FCacheBmp;
  platform::PresentFace(dc, cache.Section());
}

}  // namespace ac
