#pragma once
// Colour values as skins and control properties store them: $00BBGGRR, red in
// the low byte. Values with the high byte $FF name a system colour by index
// ($FF00000F is the button face); the engine resolves them through the palette
// of the loaded skin or the platform's system colours.

#include <cstdint>

namespace ac {

using TColor = int32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;     // no colour; switches key tests off
inline constexpr TColor clFuchsia = 0x00FF00FF;  // transparent key of skin images
inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clWhite = 0x00FFFFFF;

// System colours: $FF000000 or'ed with the platform's colour index.
inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000);
inline constexpr TColor SystemColor(int index) {
  return clSystemColor | index;
}
inline constexpr bool IsSystemColor(TColor c) {
  return (static_cast<uint32_t>(c) & 0xFF000000u) == 0xFF000000u;
}

inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);
inline constexpr TColor clHotLight = SystemColor(26);
inline constexpr TColor clGradientActiveCaption = SystemColor(27);
inline constexpr TColor clGradientInactiveCaption = SystemColor(28);
inline constexpr TColor clMenuHighlight = SystemColor(29);
inline constexpr TColor clMenuBar = SystemColor(30);

}  // namespace ac
