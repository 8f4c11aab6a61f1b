// TsCommonData: the colours a skinned control shows and writes into its owner.

#include "controls/ts_common_data.h"

#include <algorithm>

#include "controls/common_data_rules.h"
#include "framework/screen.h"
#include "framework/win_control.h"
#include "manager/skin_broadcast.h"
#include "paint/skin_colors.h"
#include "pixels/color.h"
#include "skin/section_state.h"
#include "skin/skin_data_lookup.h"

namespace ac {

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

TColor TsCommonData::OwnColor() const {
  return ColorToRGB(Owner().Color());
}

TColor TsCommonData::SectionBackColor(int state) {
  if (CustomColor) return OwnColor();
  const TsGenState* props = StateProps(state > 0 ? 1 : 0);
  if (!props) return OwnColor();
  const TColor color = props->Color;
  const int t = props->Transparency;
  if (t <= 0) return color;
  if (!Owner().Parent()) return color;
  const TColor parent = ParentBackColor(Owner());
  if (t >= 100) return parent;
  return static_cast<TColor>(MixColor(static_cast<uint32_t>(parent), static_cast<uint32_t>(color),
                                      static_cast<uint8_t>(t * 255 / 100)));
}

TColor TsCommonData::SectionFontColor(int state) {
  return ac::SectionFontColor(Owner(), SkinIndex, SkinManager(), state, CustomFont);
}

TColor TsCommonData::GetTextColorMixed(int state, bool plain) {
  if (state <= 0) state = CurrentStateIndex();
  const TColor text =
      Skinned() && !CustomFont ? SectionFontColor(state) : ColorToRGB(Owner().Font().Color());
  if (plain) return text;
  const TColor back = Skinned() && !CustomColor
                          ? static_cast<TColor>(SendSkinCommandTo(Owner(), SKC_GETBGCOLOR, 0))
                          : OwnColor();
  return static_cast<TColor>(
      MixColor(static_cast<uint32_t>(ColorToRGB(text)), static_cast<uint32_t>(back), 148));
}

void TsCommonData::ApplySkinColors(bool repaint) {
  if (SkinIndex < 0) return;
  if (dynamic_cast<TWinControl*>(&Owner()) && !OwnerHandle()) return;
  if (Skinned() && InStateColors(COC)) {
    const TsGenState* normal = StateProps(0);
    const TsGenState* active = StateProps(1);
    if (normal->Transparency != 100 || active->Transparency != 100) {
      CtrlSkinState |= kStateWritingColors;
      if (!CustomColor) Owner().SetColor(normal->Color);
      if (!CustomFont && COC != 10) Owner().Font().SetColor(normal->FontColor.Color);
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
  if (!CustomColor) Owner().SetColor(props->Color);
  if (!CustomFont) Owner().Font().SetColor(props->FontColor.Color);
  CtrlSkinState &= ~kStateWritingColors;
  if (lock) SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
}

void TsCommonData::ApplyPlainColors() {
  if (!InStateColors(COC)) return;
  CtrlSkinState |= kStateWritingColors;
  if (!CustomColor) Owner().SetColor(clWindow);
  if (!CustomFont) Owner().Font().SetColor(clWindowText);
  CtrlSkinState &= ~kStateWritingColors;
}

}  // namespace ac
