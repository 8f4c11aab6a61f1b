#pragma once
// The skinned frame of a form drawn in the form's own non-client area: the
// title layout (icon, caption text, caption buttons), the frame image (form
// section, title section, the title-bar strip, caption text, caption-button
// glyphs), the corners the window region leaves out, and the hit code of a
// point of the window.
//
// Everything is in window coordinates: (0, 0) is the window's top-left
// corner, the image is the window's size. The frame widths come from the
// caller (the system's metrics at the form's resolution), so nothing here asks
// the system. The title icon is the caller's: only its rectangle is laid out.
//
// Invalid section or image indexes paint nothing and count as absent, as
// everywhere in painting; nothing here reports errors.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/geometry.h"
#include "paint/border_layout.h"
#include "paint/border_shadow.h"
#include "paint/text_rasterizer.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data.h"

namespace ac {

// The glyph kinds of caption buttons, in the order of TacSkinData::TitleGlyphs.
enum TacTitleGlyph : int32_t {
  tgCloseAlone,
  tgClose,
  tgMax,
  tgMin,
  tgNormal,
  tgHelp,
  tgSmallClose,
  tgSmallMax,
  tgSmallMin,
  tgSmallNormal,
  tgSmallHelp,
  tgUser,
  tgNone
};

// The hit codes of the platform's WM_NCHITTEST that a skinned frame answers.
enum TacHitCode : int32_t {
  htNowhere = 0,
  htClient = 1,
  htCaption = 2,
  htSysMenu = 3,
  htMinButton = 8,
  htMaxButton = 9,
  htLeft = 10,
  htRight = 11,
  htTop = 12,
  htTopLeft = 13,
  htTopRight = 14,
  htBottom = 15,
  htBottomLeft = 16,
  htBottomRight = 17,
  htBorder = 18,
  htClose = 20,
  htHelp = 21,
};

// Size of a caption button, and of the close glyph's height, when the skin
// has no image for it.
inline constexpr int32_t kDefaultCaptionButtonSize = 21;

// The caption button states (cpState).
inline constexpr int32_t kButtonNormal = 0;
inline constexpr int32_t kButtonHot = 1;
inline constexpr int32_t kButtonPressed = 2;

// One caption button: its rectangle in window coordinates, the hit code it
// answers, its glyph kind and state.
struct TsCaptionButton {
  int32_t cpState = kButtonNormal;
  TRect cpRect;
  int32_t cpHitCode = htNowhere;
  bool cpHaveAlignment = false;
  TacTitleGlyph cpGlyphType = tgNone;
  bool Enabled = true;
};

// Which caption buttons the form shows.
struct TsCaptionButtonSet {
  bool Close = true;
  bool Maximize = false;
  bool Minimize = false;
  bool Help = false;
  bool CloseEnabled = true;
  bool MaximizeEnabled = true;
  bool MinimizeEnabled = true;
  // Big buttons: single, sizeable and dialog frames; tool windows have small ones.
  bool Big = true;
};

// What a frame is laid out and painted from.
struct TsFormFrameInputs {
  TSize Window;               // the window's size in pixels
  int32_t FrameWidth = 0;     // the system frame width at the form's resolution
  int32_t CaptionHeight = 0;  // the system caption height; 0: no caption
  bool Active = true;         // drawn in the active look
  bool Maximized = false;
  bool Sizeable = false;  // a sizing frame: its border bands answer resize codes
  bool ShowIcon = false;  // the title shows the form's icon
  TsCaptionButtonSet Buttons;
  // Sections of the skin (-1: none): the form, its title, the caption text
  // background.
  int32_t FormIndex = -1;
  int32_t TitleIndex = -1;
  int32_t CaptionIndex = -1;
  // With a border window the image is the border window's (BorderFrameInputs):
  // the window area lies inside it by Shadow, FrameWidth and CaptionHeight
  // are the skin's border width and title height (the title band, top border
  // included), and the title is centred on TitleHeight.
  bool BorderWindow = false;
  TRect Shadow{};
  int32_t TitleHeight = 0;
};

// The extended border and shadow a border window's image takes from the
// skin's template around its window area: over the form section, under the
// title. An empty template paints nothing.
struct TsFrameShadow {
  TsPixelBuffer Template;
  TBorderShadowInputs Inputs;
};

// The border window's sizes around a form window whose own frame In
// describes (its system frame and caption): the skin's border width (the
// system's when the skin gives none), its title height (the maximized one
// while maximized, none without a caption) and its shadow margins.
TBorderMetrics BorderMetricsFor(const TacSkinData& sd, const TsFormFrameInputs& in);
// The inputs that lay out and paint the border window's image for that form.
TsFormFrameInputs BorderFrameInputs(const TacSkinData& sd, const TsFormFrameInputs& in);
// The template and bands for a border image laid out by Border (made by
// BorderFrameInputs), in its activation state.
TsFrameShadow BorderFrameShadow(const TacSkinData& sd, TacExtBordersMode mode,
                                const TsFormFrameInputs& border);

// Where the title's parts go, in window coordinates.
struct TsTitleLayout {
  int32_t VCenter = 0;       // the title's vertical centre line
  int32_t HeaderHeight = 0;  // bottom of the title band
  TRect Icon;                // empty without an icon
  int32_t TextLeft = 0;      // where the caption text starts
  // Caption buttons from the right: close, maximize, minimize, help (the
  // visible ones only).
  std::vector<TsCaptionButton> Buttons;
  // From the left edge of the leftmost button to the window's right edge; 0
  // without buttons.
  int32_t ButtonsWidth = 0;
};

// The state of the form section a frame in the active or inactive look uses:
// 1 when active and the section has a second state, else 0.
int32_t FrameState(const TacSkinData& sd, int32_t formIndex, bool active);

TsTitleLayout LayoutTitle(const TacSkinData& sd, const TsFormFrameInputs& in);

// The caption text and the font it is written in; a null Font writes none.
struct TsFrameCaption {
  std::string_view Text;
  TacTextRasterizer* Font = nullptr;
};

// The whole window image: the form section over all of Dst (Dst is the
// window's size), the title section over the title band, the form section's
// "TITLEBAR" strip behind the buttons, the caption text and the buttons.
// Window pixels outside the skin's rounded corners keep the key colour the
// section painter leaves there; the window region cuts them away.
// With a border window the window area gets Shadow's template around it
// before the title goes over it.
void PaintFormFrame(const TsPixelBuffer& dst, const TacSkinData& sd, const TsFormFrameInputs& in,
                    const TsTitleLayout& layout, const TsFrameCaption& caption,
                    const TsFrameShadow& shadow = {});
// PaintFormFrame without the caption buttons: what lies under them, kept by
// a window to repaint one button alone when its state changes.
void PaintFormFrameUnderButtons(const TsPixelBuffer& dst, const TacSkinData& sd,
                                const TsFormFrameInputs& in, const TsTitleLayout& layout,
                                const TsFrameCaption& caption, const TsFrameShadow& shadow = {});

// One caption button's glyph over what Dst holds: state cpState; the
// inactive look (the glyph at half strength) for state 0 of an inactive form
// or a disabled button. A glyph kind without an image paints nothing.
void PaintCaptionButton(const TsPixelBuffer& dst, const TacSkinData& sd,
                        const TsCaptionButton& button, bool formActive);

// The rectangles (one pixel high runs) the window region leaves out: the key
// coloured corner pixels of the form section's border image (frame 0), or,
// without one, the pixels outside the corner discs of its BorderRadius; and
// the same for the title section's top corners.
std::vector<TRect> FrameRegionCutouts(const TacSkinData& sd, const TsFormFrameInputs& in);

// The hit code of window point P: caption buttons first (a disabled one
// answers htCaption), then the border bands of a sizing frame (htClient for a
// maximized form), the icon (htSysMenu) and the caption band (htCaption); any
// other point outside Client is htBorder, inside it htClient, and a point
// outside the window is htNowhere.
int32_t FrameHitTest(const TsFormFrameInputs& in, const TsTitleLayout& layout, const TRect& client,
                     TPoint p);

}  // namespace ac
