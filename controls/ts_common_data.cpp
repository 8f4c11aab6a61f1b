#include "controls/ts_common_data.h"

#include <algorithm>
#include <cctype>

#include "framework/font.h"
#include "framework/screen.h"
#include "framework/win_control.h"
#include "skin/skin_data_lookup.h"

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

}  // namespace

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
  if (Updating()) return;
  if (HWND wnd = OwnerHandle()) {
    RedrawWindow(wnd, nullptr, nullptr, when == TRepaintTime::rtNow ? kRedrawNow : kRedrawLater);
  } else {
    FOwner.Invalidate();
  }
}

void TsCommonData::EndUpdate(TRepaint repaint) {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount == 0 && repaint == TRepaint::rpYes) Invalidate();
}

void TsCommonData::InitCommonProp(HWND window) {
  if (FProp.IsSet() && FProp.Window() == window) return;
  FProp = AttachCommonData(window, *this);
}

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
      // A refresh names one section (its index in the low word) or, with 0,
      // every section; a control of another section keeps its face.
      const WORD index = SkinCommandParam(m.WParam);
      if (index != 0 && index != SkinIndex) return false;
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
      if (m.LParam > 0) CurrentPPI = static_cast<int>(m.LParam);
      UpdateIndexes();
      return true;
    case SKC_GETSKINDATA:
      m.Result = reinterpret_cast<LRESULT>(this);
      return true;
    case SKC_BGCHANGED:
    case SKC_CLEARCACHE:
      BGChanged = true;
      return true;
    case SKC_BEGINUPDATE:
      BeginUpdate();
      return true;
    case SKC_ENDUPDATE:
      EndUpdate(SkinCommandParam(m.WParam) != 0 ? TRepaint::rpYes : TRepaint::rpNo);
      return true;
    case SKC_ISUPDATING:
      m.Result = Updating() ? 1 : 0;
      return true;
    case SKC_GETBGCOLOR:
      m.Result = static_cast<LRESULT>(ColorToRGB(FOwner.Color()));
      return true;
    default:
      return false;
  }
}

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
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
      Invalidate();
      return false;
    default:
      return false;
  }
}

TCacheInfo ParentBackground(const TControl& control) {
  TCacheInfo ci;
  const TWinControl* parent = control.Parent();
  ci.FillColor = TsColor(parent ? static_cast<TColor>(ColorToRGB(parent->Color())) : clFuchsia);
  ci.Ready = false;
  return ci;
}

}  // namespace ac
