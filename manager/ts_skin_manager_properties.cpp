#include "manager/ts_skin_manager.h"

// The manager's stored properties: every name a window description may give
// the skin manager, and the field each one sets.

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "framework/property_value.h"

namespace ac {

namespace {

// Property setters by stored name.
template <typename T>
std::function<void(const dfm::TValue&)> Bool(T& field) {
  return [&field](const dfm::TValue& v) { field = BoolValue(v); };
}
std::function<void(const dfm::TValue&)> Int(int& field) {
  return [&field](const dfm::TValue& v) { field = IntValue(v); };
}
std::function<void(const dfm::TValue&)> Str(std::string& field) {
  return [&field](const dfm::TValue& v) { field = StringValue(v); };
}
template <typename E>
std::function<void(const dfm::TValue&)> Enum(
    E& field, std::initializer_list<std::pair<std::string_view, E>> names) {
  std::vector<std::pair<std::string_view, E>> table(names);
  return [&field, table](const dfm::TValue& v) {
    if (v.Kind != dfm::TValue::TKind::Ident) ThrowKind(v, "identifier");
    for (const auto& [name, value] : table)
      if (name == v.Text) {
        field = value;
        return;
      }
    throw EPropertyError("invalid property value " + v.Text);
  };
}
template <typename E>
std::function<void(const dfm::TValue&)> Set(
    uint32_t& field, std::initializer_list<std::pair<std::string_view, E>> names) {
  std::vector<std::pair<std::string_view, E>> table(names);
  return [&field, table](const dfm::TValue& v) {
    if (v.Kind != dfm::TValue::TKind::Set) ThrowKind(v, "set");
    uint32_t bits = 0;
    for (const auto& element : v.Names) {
      auto it = std::find_if(table.begin(), table.end(),
                             [&](const auto& p) { return p.first == element; });
      if (it == table.end()) throw EPropertyError("invalid set element " + element);
      bits |= 1u << static_cast<int>(it->second);
    }
    field = bits;
  };
}

}  // namespace

void TsSkinManager::BuildPropertyTable() {
  auto& p = FProperties;
  auto anim = [&](const std::string& prefix, TacAnimSettings& s) {
    p[prefix + ".Active"] = Bool(s.Active);
    p[prefix + ".Time"] = Int(s.Time);
    p[prefix + ".Mode"] = Enum<TacAnimType>(s.Mode, {{"atAero", TacAnimType::atAero},
                                                     {"atFading", TacAnimType::atFading},
                                                     {"atcFade", TacAnimType::atcFade},
                                                     {"atNone", TacAnimType::atNone}});
  };
  p["SkinsFilter"] = [this,
                      set = Set<TacSkinsFilterItem>(
                          FStoredSkinsFilter, {{"sfiInternal", TacSkinsFilterItem::sfiInternal},
                                               {"sfiExternal", TacSkinsFilterItem::sfiExternal}})](
                         const dfm::TValue& v) {
    set(v);
    SetSkinsFilter(FStoredSkinsFilter);
  };
  p["Effects.AllowAnimation"] = Bool(Effects.AllowAnimation);
  p["Effects.AllowAeroBluring"] = Bool(Effects.AllowAeroBluring);
  p["Effects.AllowGlowing"] = Bool(Effects.AllowGlowing);
  p["Effects.AllowOuterEffects"] = Bool(Effects.AllowOuterEffects);
  p["Effects.DiscoloredGlyphs"] = Bool(Effects.DiscoloredGlyphs);
  p["AnimEffects.BlendOnMoving.Active"] = Bool(AnimEffects.BlendOnMoving.Active);
  p["AnimEffects.BlendOnMoving.BlendValue"] = Int(AnimEffects.BlendOnMoving.BlendValue);
  p["AnimEffects.BlendOnMoving.Time"] = Int(AnimEffects.BlendOnMoving.Time);
  p["AnimEffects.Buttons.Events"] = Set<TacButtonEvent>(
      AnimEffects.Buttons.Events, {{"beMouseEnter", TacButtonEvent::beMouseEnter},
                                   {"beMouseLeave", TacButtonEvent::beMouseLeave},
                                   {"beMouseDown", TacButtonEvent::beMouseDown},
                                   {"beMouseUp", TacButtonEvent::beMouseUp}});
  p["AnimEffects.Buttons.LightingMode"] = Enum<TacLightingMode>(
      AnimEffects.Buttons.LightingMode,
      {{"lmActiveControl", TacLightingMode::lmActiveControl}, {"lmNone", TacLightingMode::lmNone}});
  p["AnimEffects.Buttons.ClickEffect"] = Enum<TacClickEffect>(
      AnimEffects.Buttons.ClickEffect, {{"ceCircle", TacClickEffect::ceCircle},
                                        {"ceCircleAndWave", TacClickEffect::ceCircleAndWave},
                                        {"ceNone", TacClickEffect::ceNone}});
  anim("AnimEffects.DialogShow", AnimEffects.DialogShow);
  anim("AnimEffects.FormShow", AnimEffects.FormShow);
  anim("AnimEffects.FormHide", AnimEffects.FormHide);
  anim("AnimEffects.DialogHide", AnimEffects.DialogHide);
  anim("AnimEffects.Minimizing", AnimEffects.Minimizing);
  anim("AnimEffects.PageChange", AnimEffects.PageChange);
  anim("AnimEffects.SkinChanging", AnimEffects.SkinChanging);
  p["ButtonsOptions.OldGlyphsMode"] = [this](const dfm::TValue& v) {
    SetOldGlyphsMode(BoolValue(v));
  };
  p["ButtonsOptions.ShowFocusRect"] = Bool(ButtonsOptions.ShowFocusRect);
  p["ButtonsOptions.ShiftContentOnClick"] = Bool(ButtonsOptions.ShiftContentOnClick);
  p["ButtonsOptions.AllowRTLSysButtons"] = Bool(ButtonsOptions.AllowRTLSysButtons);
  p["ButtonsOptions.ModalButtonsColoring"] =
      Set<TacModalButtonsColoring>(ButtonsOptions.ModalButtonsColoring,
                                   {{"bcGlyph", TacModalButtonsColoring::bcGlyph},
                                    {"bcBackground", TacModalButtonsColoring::bcBackground}});
  p["Active"] = [this](const dfm::TValue& v) { SetActive(BoolValue(v)); };
  p["ExtendedBorders"] = [this](const dfm::TValue& v) { SetExtendedBorders(BoolValue(v)); };
  p["IsDefault"] = Bool(IsDefault);
  p["SkinnedPopups"] = Bool(SkinnedPopups);
  p["Brightness"] = [this](const dfm::TValue& v) { SetBrightness(IntValue(v)); };
  p["HueOffset"] = [this](const dfm::TValue& v) { SetHueOffset(IntValue(v)); };
  p["Saturation"] = [this](const dfm::TValue& v) { SetSaturation(IntValue(v)); };
  p["CommonSections.Strings"] = [this](const dfm::TValue& v) {
    SetCommonSections(StringListValue(v));
  };
  p["InternalSkins"] = [this](const dfm::TValue& v) {
    if (v.Kind != dfm::TValue::TKind::Collection) ThrowKind(v, "collection");
    InternalSkins.BeginUpdate();
    InternalSkins.Clear();
    for (const auto& item : v.CollectionItems) {
      TsStoredSkin& s = InternalSkins.Add();
      for (const auto& prop : item.Properties) {
        const auto& n = prop.Name;
        const auto& pv = prop.Value;
        if (n == "Name")
          s.Name = StringValue(pv);
        else if (n == "Author")
          s.Author = StringValue(pv);
        else if (n == "Description")
          s.Description = StringValue(pv);
        else if (n == "Shadow1Blur")
          s.Shadow1Blur = IntValue(pv);
        else if (n == "Shadow1Offset")
          s.Shadow1Offset = IntValue(pv);
        else if (n == "Shadow1Transparency")
          s.Shadow1Transparency = IntValue(pv);
        else if (n == "BorderColor")
          s.BorderColor = ColorValue(pv);
        else if (n == "Shadow1Color")
          s.Shadow1Color = ColorValue(pv);
        else if (n == "Version")
          s.Version = FloatValue(pv);
        else if (n == "MasterBitmap.Data")
          s.MasterBitmap = BinaryValue(pv);
        else if (n == "Data")
          s.SetData(BinaryValue(pv));
        else if (n == "OriginName")
          s.SetOriginName(StringValue(pv));
        else
          throw EPropertyError("InternalSkins item has no property " + n);
      }
    }
    InternalSkins.EndUpdate();
  };
  p["LabelsOptions.TransparentAlways"] = Bool(LabelsOptions.TransparentAlways);
  p["MenuSupport.AlphaBlend"] = Int(MenuSupport.AlphaBlend);
  p["MenuSupport.ExtraLineWidth"] = Int(MenuSupport.ExtraLineWidth);
  p["MenuSupport.IcoLineSkin"] = Str(MenuSupport.IcoLineSkin);
  p["MenuSupport.CustomFont"] = Bool(MenuSupport.CustomFont);
  p["MenuSupport.UseExtraLine"] = Bool(MenuSupport.UseExtraLine);
  p["MenuSupport.SkinnedShadows"] = Bool(MenuSupport.SkinnedShadows);
  p["MenuSupport.ShowAccelCharAlways"] = Bool(MenuSupport.ShowAccelCharAlways);
  for (const char* sub : {"Name", "Height", "Size", "Charset", "Color", "Style"}) {
    p[std::string("MenuSupport.Font.") + sub] = [this, sub](const dfm::TValue& v) {
      MenuFont.SetStoredProperty(sub, v);
    };
    p[std::string("MenuSupport.ExtraLineFont.") + sub] = [this, sub](const dfm::TValue& v) {
      MenuExtraLineFont.SetStoredProperty(sub, v);
    };
  }
  p["Options.ChangeSysColors"] = Bool(Options.ChangeSysColors);
  p["Options.CheckEmptyAlpha"] = Bool(Options.CheckEmptyAlpha);
  p["Options.DrawNonClientArea"] = [this](const dfm::TValue& v) {
    SetDrawNonClientArea(BoolValue(v));
  };
  p["Options.NativeBordersMaximized"] = Bool(Options.NativeBordersMaximized);
  p["Options.NoMouseHover"] = Bool(Options.NoMouseHover);
  p["Options.StdGlyphsOrder"] = Bool(Options.StdGlyphsOrder);
  p["Options.StdImgTransparency"] = Bool(Options.StdImgTransparency);
  p["Options.ArrowsStyle"] = Enum<TacArrowsStyle>(Options.ArrowsStyle, {{"arsDefault", arsDefault},
                                                                        {"arsSolid1", arsSolid1},
                                                                        {"arsLines1", arsLines1},
                                                                        {"arsSolid2", arsSolid2},
                                                                        {"arsLines2", arsLines2},
                                                                        {"arsSolid3", arsSolid3}});
  p["Options.OptimizingPriority"] = Enum<TacOptimizingPriority>(
      Options.OptimizingPriority,
      {{"opSpeed", TacOptimizingPriority::opSpeed}, {"opMemory", TacOptimizingPriority::opMemory}});
  p["Options.ScaleMode"] =
      Enum<TacScaleMode>(Options.ScaleMode, {{"sm100", TacScaleMode::sm100},
                                             {"sm125", TacScaleMode::sm125},
                                             {"sm150", TacScaleMode::sm150},
                                             {"sm200", TacScaleMode::sm200},
                                             {"smAuto", TacScaleMode::smAuto},
                                             {"smOldMode", TacScaleMode::smOldMode},
                                             {"smVCL", TacScaleMode::smVCL},
                                             {"smCustomPPI", TacScaleMode::smCustomPPI}});
  p["Options.PixelsPerInch"] = Int(Options.PixelsPerInch);
  p["Options.RotateArrows"] = Bool(Options.RotateArrows);
  p["Options.GroupBoxStyle"] =
      [this,
       set = Enum<TacGroupBoxStyle>(FStoredGroupBoxStyle,
                                    {{"gsStandard", TacGroupBoxStyle::gsStandard},
                                     {"gsCard", TacGroupBoxStyle::gsCard}})](const dfm::TValue& v) {
        set(v);
        SetGroupBoxStyle(FStoredGroupBoxStyle);
      };
  p["Fonts.MainMode"] = Enum<TacFontMode>(Fonts.MainMode, {{"fmDefault", TacFontMode::fmDefault},
                                                           {"fmFromSkin", TacFontMode::fmFromSkin},
                                                           {"fmCustom", TacFontMode::fmCustom}});
  p["Fonts.MainFont"] = Str(Fonts.MainFont);
  p["ScrollsOptions.ButtonsSize"] = [this](const dfm::TValue& v) {
    SetScrollButtonsSize(IntValue(v));
  };
  p["ScrollsOptions.ScrollSize"] = [this](const dfm::TValue& v) { SetScrollSize(IntValue(v)); };
  p["SkinDirectory"] = [this](const dfm::TValue& v) { SetSkinDirectory(StringValue(v)); };
  p["SkinName"] = [this](const dfm::TValue& v) { SetSkinName(StringValue(v)); };
  // Read-only: a stored value is accepted and ignored.
  p["SkinInfo"] = [](const dfm::TValue& v) { StringValue(v); };
  p["SkinningRules"] =
      Set<TacSkinningRule>(SkinningRules, {{"srStdForms", TacSkinningRule::srStdForms},
                                           {"srStdDialogs", TacSkinningRule::srStdDialogs},
                                           {"srThirdParty", TacSkinningRule::srThirdParty}});
  for (int i = 0; i < kThirdPartyCount; ++i)
    p[std::string("ThirdParty.") + kThirdPartyNames[i]] = Str(ThirdParty[i]);
  p["ExtBordersMode"] = [this,
                         set = Enum<TacExtBordersMode>(
                             FStoredExtBordersMode, {{"ebmFull", TacExtBordersMode::ebmFull},
                                                     {"ebmShadow", TacExtBordersMode::ebmShadow}})](
                            const dfm::TValue& v) {
    set(v);
    SetExtBordersMode(FStoredExtBordersMode);
  };
  auto event = [this](TNotifyEvent& e) {
    return [this, &e](const dfm::TValue& v) { e = ResolveMethod(v); };
  };
  p["OnActivate"] = event(OnActivate);
  p["OnAfterChange"] = event(OnAfterChange);
  p["OnBeforeChange"] = event(OnBeforeChange);
  p["OnDeactivate"] = event(OnDeactivate);
  p["OnScaleChanged"] = event(OnScaleChanged);
  p["OnSkinListChanged"] = event(OnSkinListChanged);
  p["OnSkinLoading"] = event(OnSkinLoading);
}

bool TsSkinManager::SetStoredProperty(std::string_view name, const dfm::TValue& value) {
  const auto it = FProperties.find(name);
  if (it == FProperties.end()) return TComponent::SetStoredProperty(name, value);
  it->second(value);
  return true;
}

}  // namespace ac
