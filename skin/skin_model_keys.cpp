#include "skin/skin_model_keys.h"

#include <algorithm>
#include <array>

#include "skin/option_values.h"
#include "skin/skin_data_reader.h"
#include "skin/skin_sections.h"

namespace ac {

namespace {

struct TKeyEntry {
  std::string_view Key;
  TKeyKind Kind;
};

using K = TKeyKind;

// Keys of any section (general data and the three states).
constexpr TKeyEntry kSectionKeys[] = {
    {"PARENTCLASS", K::SectionName},
    {"STATES", K::Integer},
    {"BORDERWIDTH", K::Integer},
    {"BORDERRADIUS", K::Integer},
    {"GLOW", K::Integer},
    {"GLOWMARGIN", K::Integer},
    {"OUTERMODE", K::Integer},
    {"OUTOPACITY", K::Integer},
    {"OUTBLUR", K::Integer},
    {"OUTRADIUS", K::Integer},
    {"OUTOFFSL", K::Integer},
    {"OUTOFFST", K::Integer},
    {"OUTOFFSR", K::Integer},
    {"OUTOFFSB", K::Integer},
    {"USESTATE2", K::Integer},
    {"OUTCOLL", K::Color},
    {"OUTCOLT", K::Color},
    {"OUTCOLR", K::Color},
    {"OUTCOLB", K::Color},
    {"GIVEOWNFONT", K::Boolean},
    {"SHIFTCLICK", K::Boolean},
    {"RESERVEDBOOLEAN", K::Boolean},
    // normal state
    {"COLOR", K::Color},
    {"FONTCOLOR", K::Color},
    {"TCLEFT", K::Color},
    {"TCTOP", K::Color},
    {"TCRIGHT", K::Color},
    {"TCBOTTOM", K::Color},
    {"GCOL", K::Color},
    {"GSIZE", K::Integer},
    {"GRADIENTPERCENT", K::Integer},
    {"GRADIENTDATA", K::Gradient},
    {"IMAGEPERCENT", K::Integer},
    {"TRANSPARENCY", K::Integer},
    {"LIGHT0", K::Color},
    {"BORDERCOLOR0", K::Color},
    // hot state
    {"HOTCOLOR", K::Color},
    {"HOTFONTCOLOR", K::Color},
    {"HOTTCLEFT", K::Color},
    {"HOTTCTOP", K::Color},
    {"HOTTCRIGHT", K::Color},
    {"HOTTCBOTTOM", K::Color},
    {"HGCOL", K::Color},
    {"HGSIZE", K::Integer},
    {"HOTGRADIENTPERCENT", K::Integer},
    {"HOTGRADIENTDATA", K::Gradient},
    {"HOTIMAGEPERCENT", K::Integer},
    {"HOTTRANSPARENCY", K::Integer},
    {"LIGHT1", K::Color},
    {"BORDERCOLOR1", K::Color},
    // third state
    {"COLOR2", K::Color},
    {"FONTCOLOR2", K::Color},
    {"TCLEFT2", K::Color},
    {"TCTOP2", K::Color},
    {"TCRIGHT2", K::Color},
    {"TCBOTTOM2", K::Color},
    {"GCOL2", K::Color},
    {"GSIZE2", K::Integer},
    {"GRADIENTPERCENT2", K::Integer},
    {"GRADIENTDATA2", K::Gradient},
    {"IMAGEPERCENT2", K::Integer},
    {"TRANSPARENCY2", K::Integer},
    {"LIGHT2", K::Color},
    {"BORDERCOLOR2", K::Color},
    // images with a fixed role
    {"BORDERSMASK", K::Mask},
    {"IMGTOPLEFT", K::Mask},
    {"IMGTOPRIGHT", K::Mask},
    {"IMGBTMLEFT", K::Mask},
    {"IMGBTMRIGHT", K::Mask},
    {"OUTERMASK", K::Mask},
    {"PATTERN", K::Mask},
    {"HOTPATTERN", K::Mask},
    {"PATTERN2", K::Mask},
    {"GLYPHMASK", K::Mask},
};

constexpr TKeyEntry kTrackBarKeys[] = {
    {"SLIDERCHANNEL", K::Mask}, {"SLIDERMASK", K::Mask}, {"SLIDERVMASK", K::Mask},
    {"TICKHORZ", K::Mask},      {"TICKVERT", K::Mask},   {"PROGHORZ", K::Mask},
    {"PROGVERT", K::Mask},
};

constexpr TKeyEntry kTabCoveringKeys[] = {{"TABSCOVERING", K::Integer}};

constexpr std::string_view kScaledGlobalNumbers[] = {
    "FORMOFFSET",
    "BORDERWIDTH",
    "TITLEHEIGHT",
    "MAXHEIGHT",
    "CENTEROFFSET",
    "ALIGNOFFSET",
    "ALIGNOFFSETR",
    "ALIGNOFFSETT",
    "ALIGNOFFSETB",
    "BISPACE",
    "BIRIGHT",
    "BILEFT",
    "BITOP",
    "BICLOSEALONEGLOWMARGIN",
    "BICONCLOSEGLOWMARGIN",
    "BICONMAXGLOWMARGIN",
    "BICONMINGLOWMARGIN",
    "BICONNORMGLOWMARGIN",
    "SHADOW1OFFSET",
    "SHADOW1BLUR",
    "THUMBWIDTH",
    "WSHRAD",
    "WSHOFFS",
    "WSHSIZE",
};

constexpr TKeyEntry kGlobalKeys[] = {
    // master image and identity
    {"MASTERBITMAP", K::Text},
    {"VERSION", K::Version},
    {"AUTHOR", K::Text},
    {"DESCRIPTION", K::Text},
    {"MainFont", K::Text},
    {"FontCount", K::Integer},
    // skin-wide options
    {"AEROBLUR", K::Integer},
    {"BRIGHTMIN", K::Integer},
    {"BRIGHTMAX", K::Integer},
    {"BIVALIGN", K::Integer},
    {"BIKEEPHUE", K::Integer},
    {"SHADOW1COLOR", K::Color},
    {"DEFLIGHT", K::Color},
    {"ARROWSTYLE", K::Integer},
    // palette
    {"COLOR", K::Color},
    {"FONTCOLOR", K::Color},
    {"TCBOTTOM", K::Color},
    {"TCTOP", K::Color},
    {"BORDERCOLOR", K::Color},
    {"EDITTEXT_OK", K::Color},
    {"EDITTEXT_WARN", K::Color},
    {"EDITTEXT_ALERT", K::Color},
    {"EDITBG_OK", K::Color},
    {"EDITBG_WARN", K::Color},
    {"EDITBG_ALERT", K::Color},
    {"EDITTEXT_H1", K::Color},
    {"EDITTEXT_H2", K::Color},
    {"EDITTEXT_H3", K::Color},
    {"EDITTEXT_INV", K::Color},
    {"EDITBG_INV", K::Color},
    {"EDITBG_ODD", K::Color},
    {"EDITBG_EVEN", K::Color},
    {"BTNCOLOR1ACTIVE", K::Int64Color},
    {"BTNCOLOR2ACTIVE", K::Int64Color},
    {"BTNBORDERACTIVE", K::Color},
    {"BTNFONTACTIVE", K::Color},
    {"BTNCOLOR1NORMAL", K::Int64Color},
    {"BTNCOLOR2NORMAL", K::Int64Color},
    {"BTNBORDERNORMAL", K::Color},
    {"BTNFONTNORMAL", K::Color},
    {"BTNCOLOR1PRESSED", K::Int64Color},
    {"BTNCOLOR2PRESSED", K::Int64Color},
    {"BTNBORDERPRESSED", K::Color},
    {"BTNFONTPRESSED", K::Color},
    {"COLORTONERED", K::Color},
    {"COLORTONEGREEN", K::Color},
    {"COLORTONEBLUE", K::Color},
    {"COLORTONEYELLOW", K::Color},
    {"COLORTONEREDACTIVE", K::Color},
    {"COLORTONEGREENACTIVE", K::Color},
    {"COLORTONEBLUEACTIVE", K::Color},
    {"COLORTONEYELLOWACTIVE", K::Color},
    {"COLORTONEREDTEXT", K::Color},
    {"COLORTONEGREENTEXT", K::Color},
    {"COLORTONEBLUETEXT", K::Color},
    {"COLORTONEYELLOWTEXT", K::Color},
    {"COLORTONEREDTEXTACTIVE", K::Color},
    {"COLORTONEGREENTEXTACTIVE", K::Color},
    {"COLORTONEBLUETEXTActive", K::Color},
    {"COLORTONEYELLOWTEXTActive", K::Color},
    {"GRIDLINE", K::Color},
    // frame geometry without resolution variants
    {"BORDERMODE", K::Integer},
    {"BICONCLOSEGLOW", K::Integer},
    {"SHADOW1TRANSPARENCY", K::Integer},
    {"SCROLLSARROWS", K::Integer},
    {"SCROLLSWIDTH", K::Integer},
    {"COMBOMARGIN", K::Integer},
    {"SLIDERMARGIN", K::Integer},
    // window shadow colours
    {"WSHCOLN", K::Color},
    {"WSHCOLA", K::Color},
    // outer effects
    {"SH_WIDTHL", K::Integer},
    {"SH_WIDTHR", K::Integer},
    {"SH_WIDTHT", K::Integer},
    {"SH_WIDTHB", K::Integer},
    {"SH_OFFSETL", K::Integer},
    {"SH_OFFSETR", K::Integer},
    {"SH_OFFSETT", K::Integer},
    {"SH_OFFSETB", K::Integer},
    {"SH_RADIUS_OE", K::Integer},
    {"SH_BLUR_OE", K::Integer},
    {"SH_COLORL", K::Color},
    {"SH_OPACITY", K::Integer},
    {"SH_SOURCE", K::Integer},
    {"SH_MASK", K::Mask},
    {"LO_COLORL", K::Color},
    {"LO_COLORR", K::Color},
    {"LO_COLORT", K::Color},
    {"LO_COLORB", K::Color},
    {"LO_WIDTHL", K::Integer},
    {"LO_WIDTHR", K::Integer},
    {"LO_WIDTHT", K::Integer},
    {"LO_WIDTHB", K::Integer},
    {"LO_OFFSETL", K::Integer},
    {"LO_OFFSETR", K::Integer},
    {"LO_OFFSETT", K::Integer},
    {"LO_OFFSETB", K::Integer},
    {"LO_RADIUS_OE", K::Integer},
    {"LO_BLUR_OE", K::Integer},
    {"LO_SOURCE", K::Integer},
    {"LO_OPACITY", K::Integer},
    {"LO_MASK", K::Mask},
    // images
    {"EXBORDER", K::Mask},
    {"GRIPIMAGE", K::Mask},
    {"GRIPHORZ", K::Mask},
    {"GRIPVERT", K::Mask},
    {"BOXUNCHECKED", K::Mask},
    {"BOXCHECKED", K::Mask},
    {"BOXGRAYED", K::Mask},
    {"SMALLUNCHECKED", K::Mask},
    {"SMALLCHECKED", K::Mask},
    {"SMALLGRAYED", K::Mask},
    {"RADIOUNCHECKED", K::Mask},
    {"RADIOCHECKED", K::Mask},
    {"CHECK", K::Mask},
    {"BICLOSEALONE", K::Mask},
    {"BICONCLOSE", K::Mask},
    {"BICONMAX", K::Mask},
    {"BICONMIN", K::Mask},
    {"BICONNORM", K::Mask},
    {"BICONHELP", K::Mask},
    {"SICONCLOSE", K::Mask},
    {"SICONMAX", K::Mask},
    {"SICONMIN", K::Mask},
    {"SICONNORM", K::Mask},
    {"SICONHELP", K::Mask},
    {"TITLEBUTTON", K::Mask},
};

template <std::size_t N>
std::optional<TKeyKind> Find(const TKeyEntry (&table)[N], std::string_view key) {
  for (const auto& e : table)
    if (e.Key == key) return e.Kind;
  return std::nullopt;
}

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Keys named by a prefix and a number: "FontFile0", "BICONCLOSEGLOW1".
std::optional<TKeyKind> NumberedGlobalKey(std::string_view key) {
  auto numbered = [&](std::string_view prefix) {
    return key.size() > prefix.size() && key.substr(0, prefix.size()) == prefix &&
           AllDigits(key.substr(prefix.size()));
  };
  if (numbered("FontFile") || numbered("FontName")) return TKeyKind::Text;
  for (std::string_view glyph : kGlowingTitleGlyphs)
    if (numbered(std::string(glyph) + "GLOW")) return TKeyKind::Mask;
  return std::nullopt;
}

std::optional<TKeyKind> PlainKeyKind(std::string_view section, std::string_view key) {
  if (section == kGlobalInfo) {
    if (auto k = Find(kGlobalKeys, key)) return k;
    if (IsScaledGlobalNumber(key)) return TKeyKind::Integer;
    if (auto k = NumberedGlobalKey(key)) return k;
  }
  if (auto k = Find(kSectionKeys, key)) return k;
  if (section == SectionName(ssTrackBar))
    if (auto k = Find(kTrackBarKeys, key)) return k;
  if (section == "TABTOP" || section == "RIBBONTAB")
    if (auto k = Find(kTabCoveringKeys, key)) return k;
  return std::nullopt;
}

}  // namespace

bool IsScaledGlobalNumber(std::string_view key) {
  return std::find(std::begin(kScaledGlobalNumbers), std::end(kScaledGlobalNumbers), key) !=
         std::end(kScaledGlobalNumbers);
}

std::optional<TKeyVariant> SplitVariantKey(std::string_view key) {
  std::size_t star = key.find('*');
  if (star == std::string_view::npos) return TKeyVariant{key, 0};
  std::string_view suffix = key.substr(star);
  for (int step = 1; step < kStepCount; ++step)
    if (suffix == kStepSuffix[static_cast<std::size_t>(step)])
      return TKeyVariant{key.substr(0, star), step};
  return std::nullopt;
}

std::optional<TKeyKind> ReadKeyKind(std::string_view section, std::string_view key) {
  auto variant = SplitVariantKey(key);
  if (!variant) return std::nullopt;
  auto kind = PlainKeyKind(section, variant->Plain);
  if (variant->Step == 0 || !kind) return kind;
  if (*kind == TKeyKind::Mask) return kind;
  if (section == kGlobalInfo && IsScaledGlobalNumber(variant->Plain)) return kind;
  return std::nullopt;
}

}  // namespace ac
