#include "controls/ts_label.h"

#include "controls/ts_common_data.h"
#include "framework/property_value.h"
#include "framework/win_control.h"

namespace ac {

std::optional<TColor> ParentSectionFontColor(const TControl& control) {
  TWinControl* parent = control.Parent();
  if (!parent || !parent->HandleAllocated()) return std::nullopt;
  auto* data = dynamic_cast<TsCommonData*>(CommonDataOf(parent->Handle()));
  if (!data || !data->Skinned()) return std::nullopt;
  const TacSkinData* sd = data->CommonSkinData();
  return sd->gd[static_cast<size_t>(data->SkinIndex)].Props[0].FontColor.Color;
}

TColor TsLabel::TextColor() const {
  if (UseSkinColor) {
    if (const std::optional<TColor> c = ParentSectionFontColor(*this)) return *c;
  }
  return Font().Color();
}

void TsLabel::Paint(TCanvas& canvas) {
  if (!UseSkinColor || !ParentSectionFontColor(*this)) {
    TLabel::Paint(canvas);
    return;
  }
  canvas.Font.SetColor(TextColor());
  // Over a skinned face the label draws text only: the face is its
  // background. The style bit is put back without an invalidation, since
  // nothing about the label itself changed.
  const uint32_t style = ControlStyle;
  ControlStyle &= ~csOpaque;
  TLabel::Paint(canvas);
  ControlStyle = style;
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
