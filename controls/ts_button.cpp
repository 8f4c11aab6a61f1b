#include "controls/ts_button.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/background_query.h"
#include "controls/disabled_kind_value.h"
#include "controls/face_rebuild.h"
#include "controls/state_fade.h"
#include "paint/control_paint.h"
#include "paint/section_text.h"
#include "pixels/color.h"
#include "skin/skin_data_lookup.h"
#include "win32/dib_section.h"
#include "win32/gdi_text.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

namespace {

// "BUTTON" in the table of default sections.
constexpr LRESULT kButtonKind = 2;

// The system draws themed controls: then a focused button shows no dotted
// rectangle unless the manager asks for one. Looked up at run time, since
// the theme library may be missing.
bool VisualStylesEnabled() {
  HMODULE theme = GetModuleHandleW(L"uxtheme.dll");
  if (!theme) return false;
  using TBoolProc = BOOL(WINAPI*)();
  auto appThemed =
      reinterpret_cast<TBoolProc>(reinterpret_cast<void*>(GetProcAddress(theme, "IsAppThemed")));
  auto themeActive =
      reinterpret_cast<TBoolProc>(reinterpret_cast<void*>(GetProcAddress(theme, "IsThemeActive")));
  return appThemed && themeActive && appThemed() && themeActive();
}

const TsGeneralData* SectionOf(const TsCommonData& data) {
  const TacSkinData* sd = data.CommonSkinData();
  if (!sd || !IsValidSkinIndex(*sd, data.SkinIndex)) return nullptr;
  return &sd->gd[static_cast<size_t>(data.SkinIndex)];
}

}  // namespace

TsButton::TsButton(TComponent* owner)
    : TButton(owner), FCommonData(std::make_unique<TsCtrlSkinData>(*this, kCocButton, "BUTTON")) {
  // The face is always drawn by this class: from the skin, or by the
  // framework's owner-drawn painting while there is none.
  SetOwnerDraw(true);
  // The button repaints itself from its rebuilt face when a fade ends, so a
  // fade cut short on a mixed frame never stays on the screen. It paints no
  // mouse light, so a change shown without a fade is left to the repaint.
  FCommonData->OnUpdateLight = [](TControl&, TacAnimUpdate&) {};
  ControlStyle &= ~(csOpaque | csDoubleClicks);
  FHook = HookWindowProc(
      [this](TMessage& m, const TWndMethod& previous) { SkinnedWndProc(m, previous); });
}

TsButton::~TsButton() {
  // The hook and any running fade call into this object.
  StopStateAnimation(*FCommonData);
  FHook.Unhook();
}

void TsButton::Loaded() {
  TButton::Loaded();
  FCommonData->UpdateIndexes();
}

void TsButton::CreateWindowHandleDone() {
  TButton::CreateWindowHandleDone();
  FCommonData->InitCommonProp(FHandle);
}

void TsButton::SetDown(bool value) {
  if (value == FDown) return;
  FDown = value;
  FCommonData->Invalidate();
}

bool TsButton::SetStoredProperty(std::string_view name, const dfm::TValue& v) {
  if (name == "ShowFocus") {
    ShowFocus = BoolValue(v);
  } else if (name == "Down") {
    SetDown(BoolValue(v));
  } else if (name == "FocusMargin") {
    FocusMargin = IntValue(v);
  } else if (name == "ContentMargin") {
    ContentMargin = IntValue(v);
  } else if (name == "DisabledKind") {
    DisabledKind = DisabledKindValue(v);
  } else {
    return TButton::SetStoredProperty(name, v);
  }
  return true;
}

int TsButton::CurrentState() const {
  const bool pushed =
      HandleAllocated() && (SendMessageW(FHandle, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  const TsSkinManager* manager = FCommonData->SkinManager();
  // A press that the mouse dragged off the button shows it up again; a press
  // of the space key has no mouse to ask.
  const bool leftHeld = GetKeyState(VK_LBUTTON) < 0;
  if (pushed &&
      (FCommonData->FMouseAbove || !leftHeld || (manager && manager->Options.NoMouseHover)))
    return 2;
  if (FDown) return 2;
  if (FCommonData->CurrentStateIndex() == 0) return (Default || FIsDefaultLook) ? 3 : 0;
  return 1;
}

TRect TsButton::CaptionRect(int state) const {
  const std::string caption = Caption();
  if (caption.empty()) return TRect::XYWH(Width() / 2, Height() / 2, 0, 0);
  platform::TGdiTextRasterizer font(Font().Handle());
  TRect extent = TRect::XYWH(0, 0, std::max(Width() - 4 * ContentMargin, 1), 0);
  font.DrawText(TsPixelBuffer{}, extent, caption, clBlack,
                kDtCalcRect | DT_EXPANDTABS | kDtWordBreak);
  const int w = extent.Width(), h = extent.Height();
  TRect r = TRect::XYWH((Width() - w) / 2, (Height() - h) / 2, w, h);
  if (state == 2) {
    const TsSkinManager* manager = FCommonData->SkinManager();
    const TsGeneralData* gd = SectionOf(*FCommonData);
    if ((manager && manager->ButtonsOptions.ShiftContentOnClick) || !gd || gd->ShiftOnClick)
      r = r.Offset(1, 1);
  }
  return r;
}

bool TsButton::PrepareCache() {
  TsCommonData& cd = *FCommonData;
  const std::optional<TFaceRebuild> rebuild = StartFaceRebuild(*this, cd);
  if (!rebuild) return false;
  const TsGeneralData* gd = SectionOf(cd);
  const int current = CurrentState();
  const int state = (current == 3 && gd->States < 4) ? 1 : std::min(current, gd->States - 1);
  PaintFaceSection(*rebuild, cd, state);
  WriteCaption(state);
  DrawFocusRect(state);
  FinishFaceRebuild(*this, cd, *rebuild, DisabledKind);
  return true;
}

void TsButton::WriteCaption(int state) {
  const std::string caption = Caption();
  if (caption.empty()) return;
  TsCommonData& cd = *FCommonData;
  const TBitmap& cache = cd.FCacheBmp;
  platform::TGdiTextRasterizer font(Font().Handle());
  TsControlTextData text;
  text.SkinData = cd.CommonSkinData();
  text.SkinIndex = cd.SkinIndex;
  text.ParentFontColor =
      static_cast<TColor>(ColorToRGB(Parent() ? Parent()->Font().Color() : Font().Color()));
  text.CacheImage = cache.View();
  const uint32_t flags = kDtNoClip | DT_EXPANDTABS | kDtVCenter | kDtWordBreak | kDtCenter;
  // The skin shows a disabled button by fading the whole face afterwards, so
  // the caption is always written in its enabled colours.
  WriteControlText({cache.View(), &font, static_cast<TColor>(ColorToRGB(Font().Color()))},
                   CaptionRect(state), caption, TEnabled::Yes, TUseGlow::Yes, state, text, flags);
}

bool TsButton::ShowsFocusRect() const {
  if (!HandleAllocated() || GetFocus() != FHandle) return false;
  const TsSkinManager* manager = FCommonData->SkinManager();
  if (manager && !manager->ButtonsOptions.ShowFocusRect && VisualStylesEnabled()) return false;
  return Enabled() && !Caption().empty() && ShowFocus;
}

void TsButton::DrawFocusRect(int state) {
  if (!ShowsFocusRect()) return;
  const TsGeneralData* gd = SectionOf(*FCommonData);
  const TsPixelBuffer& face = FCommonData->FCacheBmp.View();
  TRect r = CaptionRect(state);
  r = TRect::LTRB(r.Left - FocusMargin - 1, std::max(r.Top - FocusMargin, 3),
                  r.Right + FocusMargin + 1, std::min(r.Bottom + FocusMargin, Height() - 3));
  r = r.Intersect(face.Bounds());
  if (r.IsEmpty()) return;
  const int colourState = gd->States < 3 ? gd->States : 2;
  const uint32_t dot =
      0xFF000000u | ColorToPixel(static_cast<uint32_t>(gd->Props[colourState].FontColor.Color));
  // Every second pixel of each edge, the corners included.
  for (int x = r.Left; x < r.Right; x += 2) {
    face.At(x, r.Top) = dot;
    face.At(x, r.Bottom - 1) = dot;
  }
  for (int y = r.Top; y < r.Bottom; y += 2) {
    face.At(r.Left, y) = dot;
    face.At(r.Right - 1, y) = dot;
  }
}

void TsButton::PaintFromCache(HDC dc) {
  TsCommonData& cd = *FCommonData;
  const TBitmap& cache = cd.FCacheBmp;
  if (cd.BGChanged || cache.Width() != Width() || cache.Height() != Height()) {
    if (!PrepareCache()) return;
  }
  platform::PresentFace(dc, cache.Section());
}

void TsButton::RepaintNow() {
  StopStateAnimation(*FCommonData);
  FCommonData->Invalidate(TsCommonData::TRepaintTime::rtNow);
}

bool TsButton::Interactive() const {
  return FCommonData->Skinned() && Enabled() && !HasState(csDesigning | csDestroying);
}

void TsButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TButton::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || FDown || !Interactive()) return;
  FMouseClicked = true;
  // The cache still holds the face on screen: the fade starts from it.
  FCommonData->BGChanged = false;
  StartStateChange(*FCommonData, 2);
}

void TsButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TButton::MouseUp(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !FMouseClicked) return;
  FMouseClicked = false;
  // A click handler that disabled the button has shown the disabled face
  // already; nothing of the release may show over it.
  if (!Interactive()) return;
  // A press fade still running turns round from the frame on screen.
  FCommonData->BGChanged = false;
  StartStateChange(*FCommonData, CurrentState());
}

int TsButton::HitTest(TPoint screen) {
  const TsGeneralData* gd = SectionOf(*FCommonData);
  const TacSkinData* sd = FCommonData->CommonSkinData();
  if (!gd || !IsValidImgIndex(*sd, gd->BorderIndex)) return HTCLIENT;
  const TsMaskData& mask = sd->ma[static_cast<size_t>(gd->BorderIndex)];
  const TSize size{Width(), Height()};
  if (FSeeThroughMask != &mask || FSeeThrough.Size() != size) {
    FSeeThrough = TsSeeThroughMap(mask, size);
    FSeeThroughMask = &mask;
  }
  POINT p{screen.X, screen.Y};
  ScreenToClient(FHandle, &p);
  return FSeeThrough.SeeThrough({p.x, p.y}) ? HTTRANSPARENT : HTCLIENT;
}

bool TsButton::HandleSkinCommand(TMessage& m, const TWndMethod& previous) {
  TsCommonData& cd = *FCommonData;
  switch (SkinCommandCode(m.WParam)) {
    case SKC_GETKIND:
      m.Result = kButtonKind;
      return true;
    case SKC_PREPARECACHE:
      m.Result = PrepareCache() ? 1 : 0;
      return true;
    case SKC_NEWSKIN:
    case SKC_REMOVESKIN:
    case SKC_REFRESH: {
      StopStateAnimation(cd);
      FSeeThroughMask = nullptr;
      const bool consumed = cd.HandleCommonMessage(m);
      if (consumed) cd.Invalidate();
      if (!consumed) previous(m);
      return true;
    }
    default:
      return false;
  }
}

bool TsButton::HandleMessage(TMessage& m, const TWndMethod& previous) {
  TsCommonData& cd = *FCommonData;
  switch (m.Msg) {
    case WM_SKINCMD:
      return HandleSkinCommand(m, previous);
    case WM_PAINT: {
      if (!cd.Skinned()) return false;
      // A running fade copies each of its frames to the window itself; the
      // cache already holds the end state, which would flash between two of
      // them.
      if (m.WParam != 0) {
        if (!IsAnimating(cd)) PaintFromCache(reinterpret_cast<HDC>(m.WParam));
        return true;
      }
      platform::ScopedPaint paint(FHandle);
      if (!IsAnimating(cd)) PaintFromCache(paint.Get());
      return true;
    }
    case WM_ERASEBKGND:
      if (!cd.Skinned()) return false;
      m.Result = 1;
      return true;
    case CN_DRAWITEM:
      // The system asks for the face after a press, a focus change or a new
      // caption; the skinned face is painted by WM_PAINT and the fades.
      if (!cd.Skinned()) return false;
      m.Result = TRUE;
      return true;
    case WM_NCHITTEST:
      if (!cd.Skinned()) return false;
      m.Result = HitTest({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
      return true;
    case WM_ENABLE:
      // The system would paint the owner-drawn face; the enabled change
      // repaints the skinned one.
      if (!cd.Skinned()) return false;
      previous(m);
      return true;
    case BM_SETSTYLE: {
      // The dialog manager marks the focused push button as the default one;
      // an owner-drawn button must keep its style and only remembers it.
      const bool isDefault = (m.WParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      if (isDefault != FIsDefaultLook) {
        FIsDefaultLook = isDefault;
        cd.Invalidate();
      }
      return true;
    }
    case WM_GETDLGCODE:
      // As a push button: Enter on the default (focused) one clicks it.
      m.Result = DLGC_BUTTON | (FIsDefaultLook ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      return true;
    case CM_MOUSEENTER: {
      const TsSkinManager* manager = cd.SkinManager();
      if (!Interactive() || cd.FMouseAbove || (manager && manager->Options.NoMouseHover))
        return false;
      // The shared handling first: it makes the button the manager's active
      // control, which it does only for a control not yet hovered.
      cd.HandleCommonMessage(m);
      previous(m);
      cd.BGChanged = false;
      cd.FMouseAbove = true;
      StartStateChange(cd, 1);
      return true;
    }
    case CM_MOUSELEAVE: {
      const TsSkinManager* manager = cd.SkinManager();
      if (!Interactive() || !cd.FMouseAbove) return false;
      cd.BGChanged = false;
      cd.FMouseAbove = false;
      // Without hover the face never lit up: nothing to fade back from.
      if (!(manager && manager->Options.NoMouseHover)) StartStateChange(cd, CurrentState());
      return false;
    }
    case CM_TEXTCHANGED:
      // Shown with the next paint, so that a handler that also disables the
      // button shows the new caption in the disabled face only.
      StopStateAnimation(cd);
      cd.Invalidate();
      return true;
    default:
      return false;
  }
}

void TsButton::SkinnedWndProc(TMessage& m, const TWndMethod& previous) {
  if (!SkinCommandAccepted(m)) return;
  if (HandleMessage(m, previous)) return;
  TsCommonData& cd = *FCommonData;
  const bool skinned = cd.Skinned();
  switch (m.Msg) {
    case WM_SETTEXT:
      if (!skinned || HasState(csDesigning) || !HandleAllocated() || !IsWindowVisible(FHandle)) {
        previous(m);
        if (skinned) cd.Invalidate();
        return;
      }
      // The system clears the old caption with the class brush straight onto
      // the screen; with redraw off it paints nothing. The face with the new
      // caption comes with the next paint, so that a click handler that also
      // disables the button shows the new caption in the disabled face only.
      SendMessageW(FHandle, WM_SETREDRAW, FALSE, 0);
      previous(m);
      SendMessageW(FHandle, WM_SETREDRAW, TRUE, 0);
      cd.Invalidate();
      return;
    case WM_SETFOCUS:
      // A press takes the focus before it is seen as a press: a running
      // fade goes on to its end and then shows the focused face.
      previous(m);
      if (skinned && !IsAnimating(cd)) cd.Invalidate();
      return;
    case WM_KILLFOCUS:
      if (skinned) StopStateAnimation(cd);
      previous(m);
      if (skinned) cd.Invalidate();
      return;
    case WM_KEYDOWN:
    case WM_KEYUP:
      previous(m);
      // The space key presses and releases the system button without a
      // mouse: its face follows at once.
      if (skinned && m.WParam == VK_SPACE && HandleAllocated()) RepaintNow();
      return;
    case CM_ENABLEDCHANGED:
      previous(m);
      cd.FMouseAbove = false;
      if (skinned) {
        StopStateAnimation(cd);
        cd.BGChanged = true;
        if (HandleAllocated())
          RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      }
      return;
    default:
      break;
  }
  if (!cd.HandleCommonMessage(m)) previous(m);
}

}  // namespace ac
