#include "controls/ts_common_data.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "controls/state_fade.h"
#include "framework/font.h"
#include "framework/screen.h"
#include "framework/win_control.h"
#include "manager/skin_broadcast.h"
#include "paint/skin_colors.h"
#include "pixels/color.h"
#include "skin/option_values.h"
#include "skin/section_state.h"
#include "skin/skin_data_lookup.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

namespace {

// RedrawWindow flags of a control repaint: invalidate, erase, frame, all
// children, and with the update-now variant paint before returning.
constexpr UINT kRedrawLater = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
constexpr UINT kRedrawNow = kRedrawLater | RDW_UPDATENOW;

std::string UpperCase(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

// Classes that never light up under the mouse: panels, bars, frames.
bool InNoHover(uint8_t coc) {
  return coc == 19 || (coc >= 51 && coc <= 74) || coc == 110 || (coc >= 141 && coc <= 161);
}

// Classes that are active only while focused: edits and their kin.
bool InFocusOnly(uint8_t coc) {
  return (coc >= 2 && coc <= 18) || (coc >= 76 && coc <= 85) || (coc >= 132 && coc <= 140) ||
         coc == 231;
}

// Classes whose Color and font colour follow their active or normal state.
bool InStateColors(uint8_t coc) {
  return (coc >= 2 && coc <= 18) || (coc >= 76 && coc <= 84) || (coc >= 132 && coc <= 140) ||
         coc == 231;
}

// Classes that light up under the mouse without a hover glow from the
// shared handler, and are reported as not active to their children.
bool InNoGlowA(uint8_t coc) {
  switch (coc) {
    case 51:
    case 54:
    case 56:
    case 57:
    case 58:
    case 59:
    case 74:
    case 110:
    case 141:
    case 143:
    case 151:
    case 161:
    case 226:
      return true;
    default:
      return false;
  }
}

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

TColor SectionFontColor(TControl& control, int skinIndex, TsSkinManager* manager, int state,
                        bool customFont) {
  if (customFont || !manager || !manager->IsActive()) return control.Font().Color();
  const TacSkinData& sd = manager->Core.CommonSkinData(Screen ? Screen->PixelsPerInch() : 96);
  int index = skinIndex;
  if (!IsValidSkinIndex(sd, index) ||
      StateProps(sd.gd[static_cast<size_t>(index)], state).Transparency >= 40) {
    TacSectionAtQuery query;
    query.State = state;
    query.Bounds = TRect::XYWH(0, 0, control.Width(), control.Height());
    if (SendSkinCommandTo(control, SKC_SECTIONAT, reinterpret_cast<LPARAM>(&query)) == 0) {
      // No skinned ancestor: the text keeps the colour it would have unskinned.
      const TWinControl* parent = control.Parent();
      return control.ParentFont() && parent ? parent->Font().Color() : control.Font().Color();
    }
    if (query.SkinIndex >= 0) index = query.SkinIndex;
  }
  if (!IsValidSkinIndex(sd, index)) return manager->Core.Palette[pcLabelText];
  return StateProps(sd.gd[static_cast<size_t>(index)], state).FontColor.Color;
}

TsCommonData::TsCommonData(TControl& owner, uint8_t coc, std::string defaultSection)
    : COC(coc), FOwner(owner), FDefaultSection(std::move(defaultSection)) {
  FOwnerControl = &owner;
  // Controls are scaled with their form to the screen's resolution, so they
  // take the skin loaded for that resolution.
  if (Screen) CurrentPPI = Screen->PixelsPerInch();
  // Commands found through "ACSDATA" run the owner's whole chain, hooks
  // included, exactly as a sent message would.
  WndProc = [this](TMessage& m) { FOwner.WindowProc(m); };
}

TsCommonData::~TsCommonData() = default;

void TsCommonData::SetSkinSection(const std::string& value) {
  std::string upper = UpperCase(value);
  if (upper == FSkinSection) return;
  FSkinSection = std::move(upper);
  UpdateIndexes();
  // The children of a container are painted over its face: once it takes
  // another section, what they keep of it is stale.
  auto* win = dynamic_cast<TWinControl*>(&FOwner);
  if (win && win->Parent() && !FOwner.HasState(csLoading | csReading | csDestroying)) {
    FCacheBmp.SetSize(0, 0);
    BroadcastToChildControls(*win, SkinCommandMessage(SKC_BGCHANGED, 0, 1));
  }
  Invalidate();
}

TsSkinManager* TsCommonData::SkinManager() const {
  return FSkinManager ? FSkinManager : TsSkinManager::DefaultManager();
}

const TacSkinData* TsCommonData::CommonSkinData() const {
  TsSkinManager* manager = SkinManager();
  if (!manager || !manager->IsActive()) return nullptr;
  return &manager->Core.CommonSkinData(CurrentPPI);
}

bool TsCommonData::Skinned() const {
  return SkinIndex >= 0 && CommonSkinData() != nullptr;
}

void TsCommonData::UpdateIndexes() {
  BGChanged = true;
  SkinIndex = -1;
  BGType = 0;
  const TacSkinData* sd = CommonSkinData();
  if (!sd) return;
  SkinIndex = GetSkinIndex(*sd, FSkinSection.empty() ? FDefaultSection : FSkinSection);
  // Border masks and gradients stretch with the control, so any size change
  // alters the face of a skinned control.
  if (SkinIndex >= 0) BGType = 3;
}

int TsCommonData::CurrentStateIndex() const {
  if (FOwner.HasState(csDestroying | csDesigning) || !FOwner.Enabled()) return 0;
  if (FFocused) return 1;
  const HWND wnd = OwnerHandle();
  if (wnd && wnd == GetFocus() && COC != kCocPanel) return 1;
  const TsSkinManager* manager = SkinManager();
  if (FMouseAbove && !(manager && manager->Options.NoMouseHover) && !InNoHover(COC) &&
      !InFocusOnly(COC))
    return 1;
  return 0;
}

HWND TsCommonData::OwnerHandle() const {
  auto* win = dynamic_cast<TWinControl*>(&FOwner);
  return win && win->HandleAllocated() ? win->Handle() : nullptr;
}

void TsCommonData::Invalidate(TRepaintTime when) {
  BGChanged = true;
  // A fade would paint the old face over the new one.
  if (IsAnimating(*this) && AnimTimer->ThreadType != TacTimerKind::ttGlowFade)
    StopStateAnimation(*this);
  if (Updating()) return;
  if (HWND wnd = OwnerHandle()) {
    RedrawWindow(wnd, nullptr, nullptr, when == TRepaintTime::rtNow ? kRedrawNow : kRedrawLater);
  } else {
    FOwner.Invalidate();
  }
}

int TsCommonData::LimitState(int state) const {
  const TacSkinData* sd = CommonSkinData();
  if (!sd || !IsValidSkinIndex(*sd, SkinIndex)) return 0;
  return PropsState(sd->gd[static_cast<size_t>(SkinIndex)], state);
}

const TsGenState* TsCommonData::StateProps(int state) const {
  if (!Skinned()) return nullptr;
  const TacSkinData* sd = CommonSkinData();
  if (!IsValidSkinIndex(*sd, SkinIndex)) return nullptr;
  return &ac::StateProps(sd->gd[static_cast<size_t>(SkinIndex)], state);
}

TColor TsCommonData::OwnColor() const {
  return ColorToRGB(FOwner.Color());
}

TColor TsCommonData::SectionBackColor(int state) {
  if (CustomColor) return OwnColor();
  const TsGenState* props = StateProps(state > 0 ? 1 : 0);
  if (!props) return OwnColor();
  const TColor color = props->Color;
  const int t = props->Transparency;
  if (t <= 0) return color;
  if (!FOwner.Parent()) return color;
  const TColor parent = ParentBackColor(FOwner);
  if (t >= 100) return parent;
  return static_cast<TColor>(MixColor(static_cast<uint32_t>(parent), static_cast<uint32_t>(color),
                                      static_cast<uint8_t>(t * 255 / 100)));
}

TColor TsCommonData::SectionFontColor(int state) {
  return ac::SectionFontColor(FOwner, SkinIndex, SkinManager(), state, CustomFont);
}

TColor TsCommonData::GetTextColorMixed(int state, bool plain) {
  if (state <= 0) state = CurrentStateIndex();
  const TColor text =
      Skinned() && !CustomFont ? SectionFontColor(state) : ColorToRGB(FOwner.Font().Color());
  if (plain) return text;
  const TColor back = Skinned() && !CustomColor
                          ? static_cast<TColor>(SendSkinCommandTo(FOwner, SKC_GETBGCOLOR, 0))
                          : OwnColor();
  return static_cast<TColor>(
      MixColor(static_cast<uint32_t>(ColorToRGB(text)), static_cast<uint32_t>(back), 148));
}

void TsCommonData::ApplySkinColors(bool repaint) {
  if (SkinIndex < 0) return;
  if (dynamic_cast<TWinControl*>(&FOwner) && !OwnerHandle()) return;
  if (Skinned() && InStateColors(COC)) {
    const TsGenState* normal = StateProps(0);
    const TsGenState* active = StateProps(1);
    if (normal->Transparency != 100 || active->Transparency != 100) {
      CtrlSkinState |= kStateWritingColors;
      if (!CustomColor) FOwner.SetColor(normal->Color);
      if (!CustomFont && COC != 10) FOwner.Font().SetColor(normal->FontColor.Color);
      CtrlSkinState &= ~kStateWritingColors;
    }
  }
  if (repaint) Invalidate(TRepaintTime::rtNow);
}

void TsCommonData::ApplyStateColors(bool silent) {
  const TsGenState* props = StateProps(CurrentStateIndex());
  if (!props || !InStateColors(COC)) return;
  const HWND wnd = OwnerHandle();
  const bool lock = !silent && wnd && IsWindowVisible(wnd);
  if (lock) SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
  CtrlSkinState |= kStateWritingColors;
  if (!CustomColor) FOwner.SetColor(props->Color);
  if (!CustomFont) FOwner.Font().SetColor(props->FontColor.Color);
  CtrlSkinState &= ~kStateWritingColors;
  if (lock) SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
}

void TsCommonData::ApplyPlainColors() {
  if (!InStateColors(COC)) return;
  CtrlSkinState |= kStateWritingColors;
  if (!CustomColor) FOwner.SetColor(clWindow);
  if (!CustomFont) FOwner.Font().SetColor(clWindowText);
  CtrlSkinState &= ~kStateWritingColors;
}

TColor TsCommonData::BackgroundColor() {
  const TsGenState* props = StateProps(0);
  if (!props || CustomColor) return OwnColor();
  const int t = props->Transparency;
  if (t <= 0) return props->Color;
  const TColor parent = FOwner.Parent() ? ParentBackColor(FOwner) : OwnColor();
  if (t >= 100) return parent;
  return MixTowards(props->Color, parent, t * 255 / 100);
}

int TsCommonData::AnswerSectionAt(TacSectionAtQuery& query) {
  const TacSkinData* sd = CommonSkinData();
  if (Skinned() && !SeeThroughForText(*sd, SkinIndex, LimitState(query.State))) {
    query.SkinIndex = SkinIndex;
    return 1;
  }
  TWinControl* parent = FOwner.Parent();
  if (!parent) return 0;
  query.Bounds = query.Bounds.Offset(FOwner.Left(), FOwner.Top());
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
  auto* win = dynamic_cast<TWinControl*>(&FOwner);
  if (!win) return;
  for (TControl* child : win->Controls()) {
    auto* childWin = dynamic_cast<TWinControl*>(child);
    if (childWin && !(childWin->HandleAllocated() && IsWindowVisible(childWin->Handle()))) continue;
    SendSkinCommandTo(*child, SKC_PARENTUPDATED, 0);
  }
}

bool TsCommonData::PrepareOwnerCache() {
  if (BGChanged) SendSkinCommandTo(FOwner, SKC_PREPARECACHE, 0);
  return !BGChanged && !FCacheBmp.Empty();
}

void TsCommonData::AnswerWithImage(TacBgQuery& query) {
  query.Kind = bqImage;
  if (query.PaintToDC) {
    if (PrepareOwnerCache()) {
      GdiFlush();
      const TRect& a = query.Area;
      BitBlt(query.TargetDC, a.Left, a.Top, a.Width(), a.Height(), FCacheBmp.Canvas().Handle(),
             query.Origin.X, query.Origin.Y, SRCCOPY);
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
    if (IsValidImgIndex(sd, g.BorderIndex)) {
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

void TsCommonData::EndUpdate(TRepaint repaint) {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount == 0 && repaint == TRepaint::rpYes) Invalidate();
}

void TsCommonData::InitCommonProp(HWND window) {
  if (FProp.IsSet() && FProp.Window() == window) return;
  FProp = AttachCommonData(window, *this);
}

namespace {

// The resolutions a skin is loaded for: the four steps, the screen's and the
// manager's custom one. Any other number is no resolution of ours; loading a
// skin for it would only fail or exhaust the program.
bool ResolutionInUse(const TsSkinManager* manager, LPARAM ppi) {
  if (std::find(kStepPPI.begin(), kStepPPI.end(), ppi) != kStepPPI.end()) return true;
  if (Screen && ppi == Screen->PixelsPerInch()) return true;
  return manager && manager->Options.ScaleMode == smCustomPPI &&
         ppi == manager->Options.PixelsPerInch;
}

}  // namespace

bool TsCommonData::ForThisManager(const TMessage& m) const {
  // A command without a manager concerns every control; one from another
  // manager concerns only the controls that use it.
  return m.LParam == 0 || reinterpret_cast<TsSkinManager*>(m.LParam) == SkinManager();
}

bool TsCommonData::HandleSkinCommand(TMessage& m) {
  switch (SkinCommandCode(m.WParam)) {
    case SKC_NEWSKIN:
      if (!ForThisManager(m)) return false;
      UpdateIndexes();
      return true;
    case SKC_REMOVESKIN:
      if (!ForThisManager(m)) return false;
      SkinIndex = -1;
      BGChanged = true;
      FCacheBmp.SetSize(0, 0);
      return true;
    case SKC_REFRESH: {
      // A refresh names one section or, with 0, every section; a control of
      // another section keeps its face. Only the low byte names it.
      const int index = SkinCommandParam(m.WParam) & 0xFF;
      if (index != 0 && index != (SkinIndex & 0xFF)) return false;
      if (!ForThisManager(m)) return false;
      UpdateIndexes();
      Invalidate();
      return true;
    }
    case SKC_ISSKINNED:
      m.Result = Skinned() ? 1 : 0;
      return true;
    case SKC_DEFAULTINDEX: {
      const TacSkinData* sd = CommonSkinData();
      m.Result = sd ? GetSkinIndex(*sd, FDefaultSection) + 1 : 0;
      return true;
    }
    case SKC_SETPPI:
      if (!ResolutionInUse(SkinManager(), m.LParam)) return true;
      CurrentPPI = static_cast<int>(m.LParam);
      UpdateIndexes();
      return true;
    case SKC_GETSKINDATA:
      m.Result = reinterpret_cast<LRESULT>(this);
      return true;
    case SKC_BGCHANGED:
      StopStateAnimation(*this);
      BGChanged = true;
      // What lies behind this control's children changed with its face.
      if (auto* win = dynamic_cast<TWinControl*>(&FOwner)) BroadcastToChildControls(*win, m);
      return true;
    case SKC_CLEARCACHE:
      BGChanged = true;
      return true;
    case SKC_STOPANIMATIONS:
      StopStateAnimation(*this);
      return true;
    case SKC_BEGINUPDATE:
    case SKC_ENDUPDATE:
      // Notifications for the owner about this data's update count; the
      // count itself changes only through BeginUpdate and EndUpdate.
      return false;
    case SKC_ISUPDATING:
      m.Result = Updating() ? 1 : 0;
      return true;
    case SKC_SETUPDATING:
      FUpdating = SkinCommandParam(m.WParam) == 1;
      return true;
    case SKC_MARKHALFVISIBLE:
      HalfVisible = true;
      return true;
    case SKC_ISHALFVISIBLE:
      m.Result = HalfVisible ? 1 : 0;
      return true;
    case SKC_PARENTUPDATED:
      ParentUpdated();
      return true;
    case SKC_PREPARECACHE:
      // Owners with a face of their own answer this themselves.
      BGChanged = false;
      return true;
    case SKC_GETBACKGROUND:
      if (m.LParam == 0) return false;
      AnswerBackgroundQuery(*reinterpret_cast<TacBgQuery*>(m.LParam),
                            FFocused || (FMouseAbove && !InNoGlowA(COC)) ? 1 : 0);
      return true;
    case SKC_GETBGCOLOR:
      m.Result = static_cast<LRESULT>(static_cast<uint32_t>(BackgroundColor()));
      return true;
    case SKC_SECTIONAT:
      m.Result = m.LParam ? AnswerSectionAt(*reinterpret_cast<TacSectionAtQuery*>(m.LParam)) : 0;
      return true;
    case SKC_ISACTIVE: {
      const TsSkinManager* manager = SkinManager();
      m.Result = (manager && manager->IsActive()) || (FOwner.ControlStyle & csOpaque) ? 1 : 0;
      return true;
    }
    default:
      return false;
  }
}

namespace {

// Hover and focus, shared by every skinned control.

// States 0 and 1 of the section are both fully transparent: the control
// shows no change between them, so hover and focus change nothing.
bool StatesInvisible(const TsCommonData& d) {
  const TacSkinData* sd = d.CommonSkinData();
  if (!sd || !IsValidSkinIndex(*sd, d.SkinIndex)) return false;
  const TsGeneralData& section = sd->gd[static_cast<size_t>(d.SkinIndex)];
  return StateProps(section, 0).Transparency == 100 && StateProps(section, 1).Transparency == 100;
}

// The cursor is still over a visible part of the owner: in its client area
// (with its scroll bars), inside what of it is not clipped away, and not
// under another window but the owner's own children. A leave reported while
// the cursor only moved onto a child keeps the hover.
bool CursorStillOver(const TsCommonData& d) {
  POINT cursor{};
  if (!GetCursorPos(&cursor)) return false;
  const HWND under = WindowFromPoint(cursor);
  const HWND wnd = d.OwnerHandle();
  if (!wnd) {
    const TControl* owner = d.FOwnerControl;
    TWinControl* parent = owner ? owner->Parent() : nullptr;
    if (!parent || !parent->HandleAllocated() || under != parent->Handle()) return false;
    POINT p = cursor;
    ScreenToClient(parent->Handle(), &p);
    return owner->BoundsRect().Contains(TPoint{p.x, p.y});
  }
  POINT p = cursor;
  ScreenToClient(wnd, &p);
  RECT area{};
  GetClientRect(wnd, &area);
  const LONG style = GetWindowLongW(wnd, GWL_STYLE);
  if (style & WS_VSCROLL) area.right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) area.bottom += GetSystemMetrics(SM_CYHSCROLL);
  if (!PtInRect(&area, p)) return false;
  RECT clip{};
  {
    platform::ScopedGetDC dc(wnd);
    if (!dc.Get() || GetClipBox(dc.Get(), &clip) == ERROR) return false;
  }
  if (!PtInRect(&clip, p)) return false;
  return under == wnd || IsChild(wnd, under);
}

// The owner's colour and font colour, to see whether a state change wrote
// new ones.
std::pair<TColor, TColor> OwnerColors(const TsCommonData& d) {
  const TControl& owner = *d.FOwnerControl;
  return {owner.Color(), owner.Font().Color()};
}

// Redraws the owner now when its colours changed, then its frame.
void ShowColorChange(HWND wnd, bool changed) {
  if (changed) RedrawWindow(wnd, nullptr, nullptr, kRedrawNow);
  SendMessageW(wnd, WM_NCPAINT, 1, 0);
}

bool Designing(const TsCommonData& d) {
  return d.FOwnerControl && d.FOwnerControl->HasState(csDesigning);
}

void MouseEntered(TsCommonData& d) {
  if (!d.Skinned() || d.FMouseAbove) return;
  // No hover glow and no attention pulse exist in this engine's controls,
  // so a designed, transparent or windowless owner takes the same road.
  if (!InNoHover(d.COC)) d.FMouseAbove = true;
  TsSkinManager* manager = d.SkinManager();
  if (const HWND wnd = d.OwnerHandle(); wnd && manager) manager->SetActiveControl(wnd);
}

void MouseLeft(TsCommonData& d) {
  if (!d.Skinned() || !d.FOwnerControl) return;
  const TsSkinManager* manager = d.SkinManager();
  if ((manager && manager->Options.NoMouseHover) || Designing(d) || CursorStillOver(d)) return;
  if (!InNoHover(d.COC)) d.FMouseAbove = false;
  if (!InStateColors(d.COC)) return;
  const auto before = OwnerColors(d);
  if (d.CurrentStateIndex() == 0 && !StatesInvisible(d)) d.ApplyStateColors(true);
  const HWND wnd = d.OwnerHandle();
  if (wnd && IsWindowVisible(wnd)) {
    d.BGChanged = true;
    ShowColorChange(wnd, OwnerColors(d) != before);
  }
}

void FocusEntered(TsCommonData& d) {
  auto* win = dynamic_cast<TWinControl*>(d.FOwnerControl);
  const HWND wnd = d.OwnerHandle();
  if (!d.Skinned() || !win || !wnd || !win->CanFocus() || !win->TabStop || StatesInvisible(d))
    return;
  d.BGChanged = true;
  d.FFocused = true;
  const auto before = OwnerColors(d);
  // Only a section with an active state has colours to switch to.
  if (d.LimitState(1) == 1) d.ApplyStateColors(true);
  if (!d.FUpdating) ShowColorChange(wnd, OwnerColors(d) != before);
}

void FocusLeft(TsCommonData& d) {
  auto* win = dynamic_cast<TWinControl*>(d.FOwnerControl);
  const HWND wnd = d.OwnerHandle();
  if (!d.Skinned() || !win || !wnd) return;
  StopStateAnimation(d);
  if (win->CanFocus()) d.FFocused = false;
  const auto before = OwnerColors(d);
  if (d.CurrentStateIndex() == 0) d.ApplyStateColors(true);
  d.BGChanged = true;
  if (IsWindowVisible(wnd) && InStateColors(d.COC)) ShowColorChange(wnd, OwnerColors(d) != before);
}

}  // namespace

bool TsCommonData::HandleCommonMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_SKINCMD:
      return HandleSkinCommand(m);
    case WM_SIZE:
      if (BGType != 0) BGChanged = true;
      return false;
    case WM_SETREDRAW:
      // Painting suspended by the system's redraw switch is painting
      // suspended for the skin too, so the face is not rebuilt half-way.
      if (m.WParam == 0) {
        BeginUpdate();
      } else {
        EndUpdate(TRepaint::rpNo);
      }
      return false;
    case WM_DESTROY:
      RemoveCommonProp();
      return false;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
      // The skin writing the owner's colours is no change to show.
      if (CtrlSkinState & kStateWritingColors) return false;
      Invalidate();
      return false;
    case CM_MOUSEENTER:
      MouseEntered(*this);
      return false;
    case CM_MOUSELEAVE:
      MouseLeft(*this);
      return false;
    case WM_SETFOCUS:
      FocusEntered(*this);
      return false;
    case WM_KILLFOCUS:
      FocusLeft(*this);
      return false;
    case WM_SHOWWINDOW:
      StopStateAnimation(*this);
      return false;
    case CM_ENABLEDCHANGED:
      // A disabled control is neither hovered nor focused; enabled again it
      // waits for the next enter.
      FMouseAbove = false;
      FFocused = false;
      Invalidate();
      return false;
    case CM_TEXTCHANGED:
      Invalidate();
      return false;
    default:
      return false;
  }
}

}  // namespace ac
