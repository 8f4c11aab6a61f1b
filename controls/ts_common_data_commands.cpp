// TsCommonData: the skin commands every skinned control answers alike.

#include "controls/ts_common_data.h"

#include <algorithm>

#include "controls/common_data_rules.h"
#include "controls/state_fade.h"
#include "framework/screen.h"
#include "framework/win_control.h"
#include "manager/skin_broadcast.h"
#include "skin/option_values.h"
#include "skin/skin_data_lookup.h"

namespace ac {

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
      if (auto* win = dynamic_cast<TWinControl*>(&Owner())) BroadcastToChildControls(*win, m);
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
      m.Result = (manager && manager->IsActive()) || (Owner().ControlStyle & csOpaque) ? 1 : 0;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace ac
