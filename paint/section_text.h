#pragma once
// Text in the colours a skin gives a section and a state: the main font
// colour, up to four one-pixel contours, an optional glow, and the faded
// colour of disabled text. Also the caption of a skinned control, which may
// take the colours of the section behind it.
//
// State numbers pick the state's colour data, limited to 0..2.

#include <cstdint>
#include <functional>
#include <string_view>

#include "core/color.h"
#include "core/geometry.h"
#include "paint/skin_text.h"
#include "paint/text_rasterizer.h"
#include "pixels/alpha_text.h"  // TKeepAlpha
#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"

namespace ac {

enum class TEnabled { No, Yes };
enum class TUseGlow { No, Yes };

// Text in section SectionIndex's font colours for State on a transparent
// background: each contour colour that is not -1 first (Left one pixel left,
// Top up, Right right, Bottom down, in that order), then the main colour at
// Rect. Disabled text is one pass in MixColor(state 0 font colour, state 0
// Color, 100). Without skin data or a valid section: enabled text in the
// canvas's font colour, disabled in the system's grey-text colour.
void WriteSectionText(const TsTextCanvas& canvas, const TRect& rect, std::string_view text,
                      TEnabled enabled, const TacSkinData* sd, int32_t sectionIndex, int32_t state,
                      uint32_t flags);

// WriteSectionText into an image with alpha through WriteAlphaText: with
// KeepAlpha the contours and then the main colour, otherwise the main colour
// only. Without skin data or a valid section: the canvas's font colour.
void WriteAlphaSectionText(const TsTextCanvas& canvas, const TRect& rect, std::string_view text,
                           TKeepAlpha keepAlpha, const TacSkinData* sd, int32_t sectionIndex,
                           int32_t state, uint32_t flags);

// What a control's parent answers when asked which section lies under the
// control: Result -1 keeps the control's own section, 1 names SkinIndex (of
// SkinData, which may belong to another manager), 0 means no skinned parent.
struct TsSectionAtAnswer {
  int32_t Result = 0;
  int32_t SkinIndex = -1;
  const TacSkinData* SkinData = nullptr;
};

// What the caption of a skinned control needs from the control's skin data.
// Colours are RGB values; ColorTone clNone means no tone.
struct TsControlTextData {
  const TacSkinData* SkinData = nullptr;  // null: not skinned
  int32_t SkinIndex = -1;
  bool CustomFont = false;  // the control keeps its own font colour
  TColor ColorTone = clNone;
  int32_t HueOffset = 0;   // degrees
  int32_t Saturation = 0;  // percent, -100..100
  TColor ParentFontColor = clBlack;
  // The control's painted image (the glow goes there); empty: none.
  TsPixelBuffer CacheImage;
  // Asks the parent which section lies under the control's bounds in State;
  // empty when the control has no parent.
  std::function<TsSectionAtAnswer(int32_t state)> SectionAt;
};

// Color passed through the control's colour effects: toned as ToneByColor
// does to a pixel when ColorTone is set, then ShiftHueColor by HueOffset,
// then ScaleSaturationColor by Saturation * 256 / 100.
TColor AdjustTextColor(TColor color, const TsControlTextData& ctrl);

// The caption of a skinned control. A web-button section underlines the text
// in every state but 0. Unskinned controls and those with their own font
// colour draw plainly: enabled in the canvas's font colour, disabled once one
// pixel right and down in the button-highlight colour, then in the
// button-shadow colour. Menu items, check boxes, speed, tool and title-bar
// buttons, transparent sections, group boxes, dividers, web buttons and
// buttons that have a parent take the section their parent names (see
// TsSectionAtAnswer); with none they draw plainly in the parent's font colour.
// Then, with UseGlow, a cache image and a glow in the state, DrawTextGlow into
// the cache image within Rect; disabled text in AdjustTextColor(MixColor(font
// colour, the manager's main colour, 100)); enabled text with contours and
// main colour as WriteSectionText, each through AdjustTextColor.
void WriteControlText(const TsTextCanvas& canvas, const TRect& rect, std::string_view text,
                      TEnabled enabled, TUseGlow useGlow, int32_t state,
                      const TsControlTextData& ctrl, uint32_t flags);

}  // namespace ac
