// TsCommonData: what a skinned control answers a child asking what lies
// behind it (its colour, its face, the section under its text).

#include "controls/ts_common_data.h"

#include "controls/common_data_rules.h"
#include "controls/state_fade.h"
#include "framework/win_control.h"
#include "manager/skin_broadcast.h"
#include "paint/skin_colors.h"
#include "pixels/color.h"
#include "skin/draw_mode.h"
#include "skin/skin_data_lookup.h"
#include "win32/dib_section.h"

namespace ac {

namespace {

// A section whose state lets the parent's face show through the text area:
// text on it takes its colour from whatever lies below.
bool SeeThroughForText(const TacSkinData& sd, int index, int state) {
  const TsGeneralData& g = sd.gd[static_cast<size_t>(index)];
  if (g.Props[static_cast<size_t>(state)].Transparency <= 50) return false;
  if (!IsValidImgIndex(sd, g.BorderIndex)) return true;
  const int32_t mode = sd.ma[static_cast<size_t>(g.BorderIndex)].DrawMode;
  // A mask painted inside keeps the middle free; one without the filled
  // middle flag never covers it.
  return !HasDrawModeBit(mode, TDrawModeBit::Centre) ||
         (state == 0 && HasDrawModeBit(mode, TDrawModeBit::SkipState0));
}

// Byte-wise Own + (Parent - Own) * Weight / 256, rounded towards minus
// infinity, so Weight 0 gives Own and the parent's share grows with Weight.
TColor MixTowards(TColor own, TColor parent, int weight) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int o = (own >> shift) & 0xFF;
    const int p = (parent >> shift) & 0xFF;
    out |= static_cast<uint32_t>((o + (((p - o) * weight) >> 8)) & 0xFF) << shift;
  }
  return static_cast<TColor>(out);
}

}  // namespace

TColor TsCommonData::BackgroundColor() {
  const TsGenState* props = StateProps(0);
  if (!props || CustomColor) return OwnColor();
  const int t = props->Transparency;
  if (t <= 0) return props->Color;
  const TColor parent = Owner().Parent() ? ParentBackColor(Owner()) : OwnColor();
  if (t >= 100) return parent;
  return MixTowards(props->Color, parent, t * 255 / 100);
}

int TsCommonData::AnswerSectionAt(TacSectionAtQuery& query) {
  const TacSkinData* sd = CommonSkinData();
  if (Skinned() && !SeeThroughForText(*sd, SkinIndex, LimitState(query.State))) {
    query.SkinIndex = SkinIndex;
    return 1;
  }
  TWinControl* parent = Owner().Parent();
  if (!parent) return 0;
  query.Bounds = query.Bounds.Offset(Owner().Left(), Owner().Top());
  return static_cast<int>(
      SendSkinCommandTo(*parent, SKC_SECTIONAT, reinterpret_cast<LPARAM>(&query)));
}

void TsCommonData::ParentUpdated() {
  const HWND wnd = OwnerHandle();
  if (FUpdating && wnd) {
    FUpdating = false;
    if (!Updating()) RedrawWindow(wnd, nullptr, nullptr, kRedrawNow);
  }
  // Children that waited for this face may paint now.
  ResumeChildren();
}

void TsCommonData::ResumeChildren() {
  auto* win = dynamic_cast<TWinControl*>(&Owner());
  if (!win) return;
  for (TControl* child : win->Controls()) {
    auto* childWin = dynamic_cast<TWinControl*>(child);
    if (childWin && !(childWin->HandleAllocated() && IsWindowVisible(childWin->Handle()))) continue;
    SendSkinCommandTo(*child, SKC_PARENTUPDATED, 0);
  }
}

bool TsCommonData::PrepareOwnerCache() {
  if (BGChanged) SendSkinCommandTo(Owner(), SKC_PREPARECACHE, 0);
  return !BGChanged && !FCacheBmp.Empty();
}

void TsCommonData::AnswerWithImage(TacBgQuery& query) {
  query.Kind = bqImage;
  if (query.PaintToDC) {
    if (PrepareOwnerCache()) {
      const TRect& a = query.Area;
      platform::PresentFace(query.TargetDC, TPoint{a.Left, a.Top}, FCacheBmp.Section(),
                            TRect::XYWH(query.Origin.X, query.Origin.Y, a.Width(), a.Height()));
    }
    return;
  }
  // While a fade runs, children see the frame on screen.
  const TBitmap* frame = CurrentFadeFrame(*this);
  query.Image = frame ? frame : &FCacheBmp;
  query.Origin = TPoint{0, 0};
}

void TsCommonData::AnswerBackgroundQuery(TacBgQuery& query, int state) {
  if (query.PaintToDC) {
    AnswerWithImage(query);
    return;
  }
  if (SkinIndex < 0) {
    query.Kind = bqColor;
    query.Image = nullptr;
    query.Color = OwnColor();
    return;
  }
  const TsGenState* props = StateProps(state);
  if (!props || CustomColor) {
    query.Kind = bqColor;
    query.Color = OwnColor();
    return;
  }
  const TacSkinData& sd = *CommonSkinData();
  const TsGeneralData& g = sd.gd[static_cast<size_t>(SkinIndex)];
  const int t = props->Transparency;
  if (t > 0 && t < 100 && FCacheBmp.Empty()) {
    if (!PrepareOwnerCache()) {
      FUpdating = true;
      query.Kind = bqNotReady;
      return;
    }
    AnswerWithImage(query);
    return;
  }
  if (t >= 100) {
    if (!PrepareOwnerCache()) {
      query.Kind = bqColor;
      query.Image = nullptr;
      query.Origin = TPoint{0, 0};
      query.Color = SectionBackColor(0);
      return;
    }
    AnswerWithImage(query);
    return;
  }
  const bool plain = t == 0 && props->GradientArray.empty() &&
                     !(props->ImagePercent > 0 && props->TextureIndex >= 0) && g.ImgTL < 0 &&
                     g.ImgTR < 0 && g.ImgBL < 0 && g.ImgBR < 0;
  if (plain) {
    // A plain colour inside the border's bands: the child takes the colour,
    // and the bands from the face where it reaches into them.
    query.Kind = bqColor;
    query.Image = nullptr;
    query.Color = SectionBackColor(state);
    if (g.BorderIndex >= 0 && g.BorderIndex < static_cast<int>(sd.ma.size())) {
      const TsMaskData& mask = sd.ma[static_cast<size_t>(g.BorderIndex)];
      if (!HasDrawModeBit(mask.DrawMode, TDrawModeBit::SkipState0) && PrepareOwnerCache()) {
        query.FillArea = TRect{mask.WL, mask.WT, mask.WR, mask.WB};
        query.Image = &FCacheBmp;
        query.Origin = TPoint{0, 0};
      }
    }
    return;
  }
  query.Color = ColorToRGB(SkinManager()->Core.Palette[pcMainColor]);
  if (!PrepareOwnerCache()) {
    query.Kind = bqNotReady;
    return;
  }
  AnswerWithImage(query);
}

}  // namespace ac
