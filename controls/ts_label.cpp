#include "controls/ts_label.h"

#include "controls/ts_common_data.h"
#include "framework/property_value.h"
#include "framework/win_control.h"
#include "manager/skin_broadcast.h"
#include "paint/skin_colors.h"
#include "pixels/color.h"

namespace ac {

TsSkinManager* TsLabel::Manager() const {
  return SkinManager ? SkinManager : TsSkinManager::DefaultManager();
}

TColor TsLabel::TextColor() {
  TsSkinManager* manager = Manager();
  const TColor color = UseSkinColor && manager && manager->IsActive()
                           ? SectionFontColor(*this, -1, manager, 0, false)
                           : Font().Color();
  if (Enabled()) return color;
  return static_cast<TColor>(MixColor(static_cast<uint32_t>(ColorToRGB(color)),
                                      static_cast<uint32_t>(ParentBackColor(*this)), 100));
}

TsLabel::TsLabel(TComponent* owner) : TLabel(owner) {
  // The parent shows through a skin engine label unless it is told otherwise.
  ControlStyle &= ~csOpaque;
}

void TsLabel::Paint(TCanvas& canvas) {
  // The text colour already carries the disabled look, so the framework's
  // grey text is not used.
  TRect r = ClientRect();
  if (!Transparent()) {
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
  }
  canvas.Brush.Clear = true;
  canvas.Font.SetColor(TextColor());
  canvas.TextRect(r, Text(), DrawFlags());
}

void TsLabel::WndProc(TMessage& m) {
  if (m.Msg == WM_SKINCMD) {
    switch (SkinCommandCode(m.WParam)) {
      case SKC_SECTIONAT: {
        // The label has no section: the parent answers, for the label's place.
        TsSkinManager* manager = Manager();
        TWinControl* parent = Parent();
        m.Result = 0;
        if (manager && manager->IsActive() && parent && m.LParam) {
          auto& query = *reinterpret_cast<TacSectionAtQuery*>(m.LParam);
          query.Bounds = query.Bounds.Offset(Left(), Top());
          m.Result = SendSkinCommandTo(*parent, SKC_SECTIONAT, m.LParam);
        }
        return;
      }
      case SKC_ISACTIVE: {
        TsSkinManager* manager = Manager();
        m.Result = (manager && manager->IsActive()) || !(ControlStyle & csOpaque) ? 1 : 0;
        return;
      }
      case SKC_NEWSKIN:
      case SKC_REMOVESKIN:
      case SKC_REFRESH:
        Invalidate();
        break;
      default:
        break;
    }
  }
  TLabel::WndProc(m);
}

bool TsLabel::SetStoredProperty(std::string_view name, const dfm::TValue& v) {
  if (name == "UseSkinColor") {
    UseSkinColor = BoolValue(v);
    Invalidate();
    return true;
  }
  return TLabel::SetStoredProperty(name, v);
}

}  // namespace ac
