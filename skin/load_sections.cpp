#include "skin/load_sections.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

#include "skin/gradient_parse.h"
#include "skin/option_values.h"
#include "skin/palette.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_manager_core.h"

namespace ac {

namespace {

using TStateSetter = std::function<void(TsGenState&, std::string_view)>;

std::optional<int32_t> Number(std::string_view text) {
  return ParseInteger(TrimControls(text));
}

TStateSetter IntField(int32_t TsGenState::*field) {
  return [field](TsGenState& s, std::string_view v) {
    if (auto n = Number(v)) s.*field = *n;
  };
}

TStateSetter FontField(TColor TsFontColor::*field) {
  return [field](TsGenState& s, std::string_view v) {
    if (auto n = Number(v)) s.FontColor.*field = *n;
  };
}

struct TStateKey {
  std::array<std::string_view, 3> Names;  // normal, hot, third state
  TStateSetter Set;
};

// The state keys a common section may override, with the field each sets.
const std::vector<TStateKey>& StateKeys() {
  static const std::vector<TStateKey> keys = {
      {{"COLOR", "HOTCOLOR", "COLOR2"}, IntField(&TsGenState::Color)},
      {{"FONTCOLOR", "HOTFONTCOLOR", "FONTCOLOR2"}, FontField(&TsFontColor::Color)},
      {{"TCLEFT", "HOTTCLEFT", "TCLEFT2"}, FontField(&TsFontColor::Left)},
      {{"TCTOP", "HOTTCTOP", "TCTOP2"}, FontField(&TsFontColor::Top)},
      {{"TCRIGHT", "HOTTCRIGHT", "TCRIGHT2"}, FontField(&TsFontColor::Right)},
      {{"TCBOTTOM", "HOTTCBOTTOM", "TCBOTTOM2"}, FontField(&TsFontColor::Bottom)},
      {{"GCOL", "HGCOL", "GCOL2"}, IntField(&TsGenState::GlowColor)},
      {{"GSIZE", "HGSIZE", "GSIZE2"}, IntField(&TsGenState::GlowSize)},
      {{"GRADIENTPERCENT", "HOTGRADIENTPERCENT", "GRADIENTPERCENT2"},
       IntField(&TsGenState::GradientPercent)},
      {{"IMAGEPERCENT", "HOTIMAGEPERCENT", "IMAGEPERCENT2"}, IntField(&TsGenState::ImagePercent)},
      {{"TRANSPARENCY", "HOTTRANSPARENCY", "TRANSPARENCY2"}, IntField(&TsGenState::Transparency)},
      {{"LIGHT0", "LIGHT1", "LIGHT2"}, IntField(&TsGenState::LightColor)},
      {{"BORDERCOLOR0", "BORDERCOLOR1", "BORDERCOLOR2"}, IntField(&TsGenState::BorderColor)},
      {{"GRADIENTDATA", "HOTGRADIENTDATA", "GRADIENTDATA2"},
       [](TsGenState& s, std::string_view v) {
         s.GradientArray = v.size() < 4 ? TsGradArray{} : ParseGradient(v);
       }},
  };
  return keys;
}

TsGenState DefaultState(TColor defLightColor) {
  TsGenState s;
  s.LightColor = defLightColor;
  return s;
}

int32_t FindSection(const std::vector<TsGeneralData>& gd, std::string_view name) {
  for (std::size_t i = 0; i < gd.size(); ++i)
    if (gd[i].ClassName == name) return static_cast<int32_t>(i);
  return -1;
}

void MergeCommonSection(TacSkinManagerCore& m, TacSkinData& sd, const TOptionSection& cs,
                        const TacSectionScale& scale) {
  int32_t index = FindSection(sd.gd, cs.Name());
  if (index < 0) {
    const std::string parent(cs.Value(kParentClassKey).value_or(""));
    const int32_t parentIndex = parent.empty() ? -1 : FindSection(sd.gd, UpperCaseAscii(parent));
    TsGeneralData rec;
    if (parentIndex >= 0) {
      rec = sd.gd[static_cast<std::size_t>(parentIndex)];
    } else {
      rec.States = 3;
      rec.Props.fill(DefaultState(m.SkinCommonInfo.DefLightColor));
    }
    rec.ClassName = cs.Name();
    rec.ParentClass = parent;
    sd.gd.push_back(std::move(rec));
    index = static_cast<int32_t>(sd.gd.size()) - 1;
  }
  TsGeneralData& g = sd.gd[static_cast<std::size_t>(index)];
  auto num = [&](std::string_view key) {
    return cs.Value(key) ? Number(*cs.Value(key)) : std::nullopt;
  };
  if (auto v = num("STATES")) g.States = std::clamp(*v, 1, 255);
  if (auto v = num("USESTATE2")) g.UseState2 = *v == 1;
  if (auto v = cs.Value("RESERVEDBOOLEAN")) g.ReservedBoolean = ParseBoolean(*v);
  if (auto v = cs.Value("GIVEOWNFONT")) g.GiveOwnFont = ParseBoolean(*v);
  if (auto v = num("GLOW")) g.GlowCount = std::min(*v, 255);
  if (auto v = num("GLOWMARGIN")) {
    g.GlowMargin = std::min(*v, 255);
    if (scale.SkinHasMasks)
      g.GlowMargin = static_cast<int32_t>(int64_t{g.GlowMargin} * scale.PPI / 96);
  }
  for (const TStateKey& k : StateKeys())
    for (std::size_t state = 0; state < 3; ++state)
      if (auto v = cs.Value(k.Names[state])) k.Set(g.Props[state], *v);
}

TsGeneralData AlwaysPresentSection(std::string_view name, TColor color, int32_t transparency,
                                   TColor fontColor) {
  TsGeneralData g;
  g.ClassName = std::string(name);
  g.States = 1;
  TsGenState s;
  s.Color = color;
  s.Transparency = transparency;
  s.FontColor = TsFontColor{fontColor, -1, -1, -1, -1};
  g.Props.fill(s);
  return g;
}

}  // namespace

std::vector<int32_t> CommonSectionIndexes(const TOptionsFile& skin, const TOptionsFile& common) {
  std::vector<int32_t> indexes;
  int32_t next = static_cast<int32_t>(skin.Sections().size());
  for (const TOptionSection& cs : common.Sections()) {
    const int32_t own = skin.IndexOf(cs.Name());
    indexes.push_back(own >= 0 ? own : next++);
  }
  return indexes;
}

TacSectionScale SectionScaleOf(const TacSkinManagerCore& m, const TacSkinData& sd) {
  TacSectionScale scale;
  const int32_t step = sd.ScaleValue;
  const TacSkinManagerCore* manager = &m;
  scale.ScaleInt = [manager, step](int32_t v) { return manager->ScaleInt(v, step); };
  scale.PPI = sd.PPI;
  scale.SkinHasMasks = !sd.ma.empty();
  return scale;
}

void LoadAllGeneralData(TacSkinManagerCore& m, TacSkinData& sd) {
  const TOptionsFile& file = m.SkinFile;
  const TacSectionScale scale = SectionScaleOf(m, sd);
  sd.gd.clear();
  for (const TOptionSection& s : file.Sections())
    sd.gd.push_back(ReadGeneralData(file, s.Name(), scale, m.SkinCommonInfo.DefLightColor));

  for (const TOptionSection& cs : m.CommonSectionsFile().Sections())
    MergeCommonSection(m, sd, cs, scale);

  // The palette is made after the sections; its text colour is read here.
  const TColor labelText = ReadInteger(file, kGlobalInfo, "FONTCOLOR", 0);
  if (FindSection(sd.gd, "TRANSPARENT") < 0)
    sd.gd.push_back(AlwaysPresentSection("TRANSPARENT", 0xFFFFFF, 100, labelText));
  if (FindSection(sd.gd, "MAINCOLOR") < 0)
    sd.gd.push_back(AlwaysPresentSection("MAINCOLOR", m.Palette[pcMainColor], 0, labelText));

  std::optional<int> customPPI;
  if (m.Scale.Mode == smCustomPPI && m.Scale.PixelsPerInch < 96) customPPI = m.Scale.PixelsPerInch;
  ReadGlobalNumbers(file, sd, scale.ScaleInt, customPPI);
}

}  // namespace ac
