#pragma once
// The sections of a skin that have a fixed role, and the small enumerations
// that index the loaded skin's element tables.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace ac {

// Sections the engine reaches by index (TacSkinCommonInfo::Sections). The order
// is part of the model: fallbacks are applied in this order while loading.
enum TacSection : int {
  ssMenuItem,
  ssCheckBox,
  ssSpeedButton,
  ssSpeedButton_Small,
  ssToolButton,
  ssTransparent,
  ssGroupBox,
  ssDivider,
  ssWebBtn,
  ssButton,
  ssComboNoEdit,
  ssButtonHuge,
  ssToolBar,
  ssEdit,
  ssGauge,
  ssSelection,
  ssStatusBar,
  ssPanel,
  ssPanelLow,
  ssTrackBar,
  ssProgressV,
  ssDragBar,
  ssGripH,
  ssGripV,
  ssProgressH,
  ssTabSheet,
  ssComboBox,
  ssCaption,
  ssMainMenu,
  ssSplitter,
  ssComboBtn,
  ssFormTitle,
  ssHint,
  ssDividerV,
  ssPageControl,
  ssTabTop,
  ssBarPanel,
  ssBarTitle,
  ssDialog,
  ssForm,
  ssScrollBtnLeft,
  ssScrollBtnTop,
  ssScrollBtnRight,
  ssScrollBtnBottom,
  ssScrollBar1H,
  ssScrollBar1V,
  ssScrollBar2H,
  ssScrollBar2V,
  ssScrollSliderH,
  ssScrollSliderV,
  ssSlider_Off,
  ssSlider_On,
  ssThumb_On,
  ssThumb_Off,
  ssMenuCaption,
  ssDialogTitle,
  ssMenuButton,
  ssMenuLine,
  ssFormHeader,
  ssTBBtn,
  ssTBMenuBtn,
  ssTBTab,
  ssColHeader,
  ssColHeaderA,
  ssColHeaderL,
  ssColHeaderR,
  ssUpDown,
};

inline constexpr std::size_t kSectionCount = 67;

// The options-file name of a fixed section ("MENUITEM" for ssMenuItem).
std::string_view SectionName(TacSection section);

enum TacSide : int { asLeft, asTop, asRight, asBottom };
enum TacTabLayout : int { tlFirst, tlLast, tlMiddle, tlSingle };

// What a mask image is; the digit at position 36 of a canonical mask value.
enum TacImgType : int { itisaBorder, itisaTexture, itisaGlyph, itisaGlow, itisaPngGlyph };

// GLOBALINFO "ARROWSTYLE".
enum TacArrowsStyle : int { arsDefault, arsSolid1, arsLines1, arsSolid2, arsLines2, arsSolid3 };

// Names of the section records that never take a fixed-role index.
inline constexpr std::string_view kGlobalInfo = "GLOBALINFO";
inline constexpr std::string_view kParentClassKey = "PARENTCLASS";

}  // namespace ac
