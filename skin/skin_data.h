#pragma once
// The loaded skin: plain records that painting reads instead of the options
// file. One TacSkinData exists per screen resolution in use; the manager owns
// them together with what all resolutions share (master bitmap, parsed
// options, TacSkinCommonInfo, palette).
//
// Indexes into gd (sections) and ma (masks) are -1 for "none"; every user
// guards them with IsValidSkinIndex / IsValidImgIndex (skin_data_lookup.h).

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/color.h"
#include "core/geometry.h"
#include "pixels/gradient_data.h"
#include "skin/draw_mode.h"
#include "skin/options_file.h"
#include "skin/skin_sections.h"

namespace ac {

struct TsPixelBuffer;       // pixels/pixel_buffer.h
class TacSkinManagerCore;   // the manager that owns the loaded skin (skin_manager_core.h)
struct TacSkinLookupCache;  // the hashed name lookups (skin_data_lookup.cpp)

// A bitmap of the loaded skin. Cached bitmaps (TacBmpData) own theirs; masks
// share them with the cache, so the pointer is shared.
using TsBitmapRef = std::shared_ptr<TsPixelBuffer>;

// Text colours of one state. Outline colours of -1 draw no outline on that side.
struct TsFontColor {
  TColor Color = 0;
  TColor Left = -1;
  TColor Top = -1;
  TColor Right = -1;
  TColor Bottom = -1;

  friend bool operator==(const TsFontColor&, const TsFontColor&) = default;
};

// One visual state of a section (normal, hot, third).
struct TsGenState {
  int32_t GlowSize = 0;
  int32_t ImagePercent = 0;     // 0..100: how much of the texture shows
  int32_t TextureIndex = -1;    // mask index of the state's texture
  int32_t Transparency = 0;     // 0..100
  int32_t GradientPercent = 0;  // 0..100
  TColor Color = 0xFFFFFF;
  TColor GlowColor = 0xFFFFFF;
  TColor LightColor = -1;          // the skin's DefLightColor when the key is absent
  TColor BorderColor = clFuchsia;  // clFuchsia: no border colour
  TsFontColor FontColor;
  TsGradArray GradientArray;  // empty: no gradient
};

// One section of the skin.
struct TsGeneralData {
  std::string ParentClass;
  std::string ClassName;
  std::array<TsGenState, 3> Props;  // normal, hot, third state
  bool UseState2 = false;
  bool GiveOwnFont = false;
  bool ShiftOnClick = false;
  bool ReservedBoolean = false;
  int32_t States = 3;  // at most 255
  int32_t ScrollBorderOffset = 0;
  int32_t GlowCount = 0;
  int32_t GlowMargin = 0;   // pixels at this object's resolution
  int32_t GlowSize = 0;     // not filled by loading
  int32_t HotGlowSize = 0;  // not filled by loading
  int32_t BorderWidth = 1;
  int32_t BorderRadius = 0;                                // pixels at this object's resolution
  int32_t BorderIndex = -1;                                // mask "BORDERSMASK"
  int32_t ImgTL = -1, ImgTR = -1, ImgBL = -1, ImgBR = -1;  // corner masks
  TColor HotGlowColor = 0;                                 // not filled by loading
  TColor GlowColor = 0;                                    // not filled by loading
  int32_t OuterMode = 2;
  int32_t OuterMask = -1;
  int32_t OuterOpacity = 200;
  // Offsets of the outer effect per side; -2 and -1 mark offsets not given.
  TRect OuterOffset{-2, -2, -2, -2};
  int32_t OuterBlur = 9;
  int32_t OuterRadius = 9;
  TColor OuterColorL = 0, OuterColorT = 0, OuterColorR = 0, OuterColorB = 0;
};

// One skin image: the rectangle R of its own bitmap Bmp or, without one, of
// the skin's master bitmap MasterBmp. Loading sets MasterBmp, so painting needs
// nothing but the entry; an entry with neither bitmap is never painted. Bands
// are already scaled to MulPPi.
struct TsMaskData {
  TsBitmapRef Bmp;
  TsBitmapRef MasterBmp;     // shared with the manager; kept alive while the entry lives
  std::string ClassName;     // the section ("GLOBALINFO" for skin-wide images)
  std::string PropertyName;  // the key the mask came from
  TRect R;
  int32_t ImageCount = 1;  // state images side by side
  int32_t MaskType = 0;    // rows of masks below the image row
  int32_t DrawMode = 0;    // TDrawModeBit bits; a texture's mode number
  TacImgType ImgType = itisaBorder;
  int32_t WL = 0, WT = 0, WR = 0, WB = 0;
  int32_t Cfg = 0;      // bit value 1: a corner pixel is transparent
  int32_t MulPPi = 96;  // the resolution the mask is used at
  int32_t DivPPI = 96;  // the resolution its image was drawn for
  int32_t SkinIndex = -1;
  int32_t Width = 0;   // of one state image
  int32_t Height = 0;  // of the image row
};

// A bitmap made for masks: loaded from a file or cut (and rescaled) out of
// the master bitmap.
struct TacBmpData {
  int32_t MulPPI = 96;
  int32_t DivPPI = 96;
  int32_t MaskType = 0;
  std::string Path;      // section "-" key, or "Outer" and a number
  std::string FileName;  // empty for cuts from the master bitmap
  TsBitmapRef Bmp;
  TRect R;
  TRect SrcRect;     // the area of the master bitmap it was cut from
  bool Ext = false;  // loaded from a file
};

// An element with a fixed role, resolved at load time.
struct TacConstElementData {
  int32_t SkinIndex = -1;
  int32_t MaskIndex = -1;                      // "BORDERSMASK"
  int32_t GlyphIndex = -1;                     // "GLYPHMASK"
  std::array<int32_t, 3> BGIndex{-1, -1, -1};  // "PATTERN", "HOTPATTERN", unused
  std::string SkinSection;                     // the section name that was found
};

// The track-bar elements (index 0 vertical, 1 horizontal) of "TRACKBAR".
struct TacTrackBarData {
  int32_t SkinIndex = -1;
  int32_t MaskIndex = -1;    // "BORDERSMASK"
  int32_t SliderIndex = -1;  // "SLIDERVMASK" (vertical, falling back) / "SLIDERMASK"
  std::array<int32_t, 3> BGIndex{-1, -1, -1};  // "PATTERN", "HOTPATTERN", unused
  int32_t TickIndex = -1;                      // "TICKVERT" / "TICKHORZ"
  int32_t ProgressIndex = -1;                  // "PROGVERT" / "PROGHORZ"
  int32_t ChannelIndex = -1;                   // "SLIDERCHANNEL"
};

// An outer effect of forms: entry 0 from the "LO_" keys, entry 1 from "SH_".
// Widths of -1 are not given.
struct TacOutEffData {
  TColor ColorL = 0, ColorT = 0, ColorR = 0, ColorB = 0;
  int32_t OffsetL = 0, OffsetT = 0, OffsetR = 0, OffsetB = 0;
  int32_t WidthL = -1, WidthT = -1, WidthR = -1, WidthB = -1;
  int32_t Blur = 0;
  int32_t Radius = 0;
  int32_t Mask = -1;
  int32_t Source = 2;
  int32_t Opacity = 0;
};

// What all resolutions of a skin share (the manager's SkinCommonInfo).
struct TacSkinCommonInfo {
  bool Active = false;
  bool UseAeroBluring = false;
  double Version = 0;
  std::string Author;
  std::string SkinPath;  // folder of a skin folder with a trailing "\"; empty otherwise
  std::string MainFont;
  std::string Description;
  TColor FXColor = 0;
  TColor Shadow1Color = 0;
  TColor DefLightColor = -1;
  TColor SysInactiveBorderColor = 0;
  TacArrowsStyle ArrowStyle = arsDefault;
  int32_t BIVAlign = 0;
  int32_t BIKeepHUE = 0;
  int32_t BrightMin = -50;
  int32_t BrightMax = 50;
  int32_t IndexGlobalInfo = -1;
  std::array<int32_t, kSectionCount> Sections = MakeNoSections();
  // The parsed options: the manager's own, not a copy of them (a skin's
  // options may be large). Null while no skin is loaded.
  const TOptionsFile* OptionsDat = nullptr;

  static constexpr std::array<int32_t, kSectionCount> MakeNoSections() {
    std::array<int32_t, kSectionCount> a{};
    for (auto& i : a) i = -1;
    return a;
  }
};

// One loaded skin for one resolution.
class TacSkinData {
 public:
  TacSkinData(TacSkinManagerCore* owner, int32_t aPPI);

  // Value * PPI / 96, truncated.
  int32_t ScaleIntValue(int32_t value) const;
  // The derived sizes Spacing ... ScrollBtnLength for PPI.
  void LoadParams();
  // Frees the bitmap cache and every image, empties gd, ma and oe.
  void Reset();
  // Free the cached bitmaps and empty BmpArray.
  void FreeBitmaps();
  void ClearBmpArray();

  TsBitmapRef rsta, rsti;  // window shadows, active and inactive, made on demand
  bool Initializing = false;
  std::vector<TacBmpData> BmpArray;
  TacSkinManagerCore* FOwner = nullptr;
  int32_t ScaleValue = 0;  // resolution step 0-3
  int32_t ScalePercent = 100;
  int32_t PPI = 96;

  int32_t Spacing = 4, LineWidth = 2, ArrowSize = 5, SmallArrowSize = 4, ScrollBtnLength = 16;
  int32_t Shadow1Blur = -1, Shadow1Offset = 0;
  int32_t ExBorderWidth = 4, ExTitleHeight = 30, ExMaxHeight = 30, ExContentOffs = 0,
          ExCenterOffs = 0;
  int32_t ExShadowOffs = 0, ExShadowOffsR = 0, ExShadowOffsT = 0, ExShadowOffsB = 0;
  int32_t BIRightMargin = 0, BILeftMargin = 0, BITopMargin = 0, BISpacing = 0;
  int32_t WndShadowRadius = 17, WndShadowSize = 13, WndShadowOffset = 2;
  int32_t Shadow1Transparency = 0;
  int32_t ExDrawMode = 0;
  int32_t ComboBoxMargin = 2;
  int32_t SliderMargin = 1;
  int32_t ScrollsWidth = -1;
  int32_t ThumbWidth = 0;
  int32_t ScrollArrows = -1;
  uint8_t TabsCovering = 0, RibbonCovering = 0;
  TColor WndShadowColorN = static_cast<TColor>(0x44000000);
  TColor WndShadowColorA = static_cast<TColor>(0x99000000);

  std::array<TacConstElementData, 4> Scrolls;     // by TacSide
  std::array<TacConstElementData, 4> ScrollBtns;  // by TacSide
  std::array<TacConstElementData, 4> UpDownBtns;  // by TacSide
  std::array<TacConstElementData, 2> Sliders;     // [0] horizontal, [1] vertical
  TacConstElementData MenuItem, ComboBtn;
  std::array<std::vector<int32_t>, 7> TitleGlows;
  std::array<int32_t, 7> GlowMargins{};
  std::array<int32_t, 13> TitleGlyphs = Filled<13>();
  std::array<int32_t, 2> RadioButton = Filled<2>();
  std::array<int32_t, 3> CheckBox = Filled<3>();
  std::array<int32_t, 3> SmallCheckBox = Filled<3>();
  std::array<TacTrackBarData, 2> TrackBar;                 // [0] vertical, [1] horizontal
  std::array<std::array<TacConstElementData, 4>, 4> Tabs;  // [TacTabLayout][TacSide]
  int32_t ExBorder = -1;
  int32_t GripVertical = -1, GripHorizontal = -1, GripRightBottom = -1;
  TsBitmapRef ShdaTemplate, ShdiTemplate;
  TRect FormShadowSize;
  std::vector<TsMaskData> ma;
  std::vector<TacOutEffData> oe;
  std::vector<TsGeneralData> gd;
  // The name lookups of skin_data_lookup.h, hashed and made on first use;
  // made again when gd is replaced or grows, extended when masks are
  // appended. Records are not renamed in place once looked up.
  TCacheSlot<TacSkinLookupCache> Lookups;

 private:
  template <std::size_t N>
  static constexpr std::array<int32_t, N> Filled() {
    std::array<int32_t, N> a{};
    for (auto& i : a) i = -1;
    return a;
  }
};

}  // namespace ac
