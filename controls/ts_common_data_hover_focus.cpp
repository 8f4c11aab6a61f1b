// TsCommonData: hover and focus, and the standard messages every skinned
// control handles alike (HandleCommonMessage).

#include "controls/ts_common_data.h"

#include <utility>

#include "controls/common_data_rules.h"
#include "controls/state_fade.h"
#include "framework/win_control.h"
#include "skin/section_state.h"
#include "skin/skin_data_lookup.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

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
    const TControl& owner = d.Owner();
    TWinControl* parent = owner.Parent();
    if (!parent || !parent->HandleAllocated() || under != parent->Handle()) return false;
    POINT p = cursor;
    ScreenToClient(parent->Handle(), &p);
    return owner.BoundsRect().Contains(TPoint{p.x, p.y});
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
  const TControl& owner = d.Owner();
  return {owner.Color(), owner.Font().Color()};
}

// Redraws the owner now when its colours changed, then its frame.
void ShowColorChange(HWND wnd, bool changed) {
  if (changed) RedrawWindow(wnd, nullptr, nullptr, kRedrawNow);
  SendMessageW(wnd, WM_NCPAINT, 1, 0);
}

bool Designing(const TsCommonData& d) {
  return d.Owner().HasState(csDesigning);
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
  if (!d.Skinned()) return;
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
  auto* win = dynamic_cast<TWinControl*>(&d.Owner());
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
  auto* win = dynamic_cast<TWinControl*>(&d.Owner());
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
