#include "controls/ts_common_data.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "controls/common_data_rules.h"
#include "controls/state_fade.h"
#include "framework/screen.h"
#include "framework/win_control.h"
#include "manager/skin_broadcast.h"
#include "skin/section_state.h"
#include "skin/skin_data_lookup.h"

namespace ac {

namespace {

std::string UpperCase(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

}  // namespace

TsCommonData::TsCommonData(TControl& owner, uint8_t coc, std::string defaultSection)
    : COC(coc), FDefaultSection(std::move(defaultSection)) {
  FOwnerControl = &owner;
  // Controls are scaled with their form to the screen's resolution, so they
  // take the skin loaded for that resolution.
  if (Screen) CurrentPPI = Screen->PixelsPerInch();
  // Commands found through "ACSDATA" run the owner's whole chain, hooks
  // included, exactly as a sent message would.
  WndProc = [this](TMessage& m) { Owner().WindowProc(m); };
}

TsCommonData::~TsCommonData() = default;

void TsCommonData::SetSkinSection(const std::string& value) {
  std::string upper = UpperCase(value);
  if (upper == FSkinSection) return;
  FSkinSection = std::move(upper);
  UpdateIndexes();
  // The children of a container are painted over its face: once it takes
  // another section, what they keep of it is stale.
  auto* win = dynamic_cast<TWinControl*>(&Owner());
  if (win && win->Parent() && !Owner().HasState(csLoading | csReading | csDestroying)) {
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
  if (Owner().HasState(csDestroying | csDesigning) || !Owner().Enabled()) return 0;
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
  auto* win = dynamic_cast<TWinControl*>(&Owner());
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
    Owner().Invalidate();
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

void TsCommonData::EndUpdate(TRepaint repaint) {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount == 0 && repaint == TRepaint::rpYes) Invalidate();
}

void TsCommonData::InitCommonProp(HWND window) {
  if (FProp.IsSet() && FProp.Window() == window) return;
  FProp = AttachCommonData(window, *this);
}

}  // namespace ac
