#pragma once
// TacFrameAdapter: the skinned frame of one top-level window, whoever owns
// the window's procedure (a form's TsSkinProvider, or the adapter of a
// standard dialog). It paints frame and client background from the skin into
// one cache image the window's size, shows the frame part in the non-client
// area, answers hit tests, runs the caption buttons, follows activation and
// cuts the window's rounded region.
//
// The window's own procedure still computes the non-client metrics: the
// skinned frame covers exactly the area the system reserves for its frame,
// so the frame widths and the caption height are the system's, read live from
// the system metrics every time the image is laid out.
//
// While skinned, the window's WS_SYSMENU style is off (the skin draws the
// caption buttons; the system would draw its own over them); unskinning puts
// the style, the icon look and a plain region back exactly as they were.
//
// With extended borders the frame is not drawn in the window at all: the
// cache becomes the border image (the skin's wider frame, title and shadow
// around the window), a border window (TacBorderForm) shows it around the
// window, and the window is cut down to its client area. The border window
// forwards presses on the frame back here (WParam -1).
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frames/ac_border_form.h"
#include "framework/bitmap.h"
#include "framework/control.h"
#include "manager/ts_skin_manager.h"
#include "paint/form_frame.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

// The sections a frame is painted from.
struct TacFrameSections {
  std::string Form = "FORM";
  std::string Title = "FORMTITLE";
  std::string Caption = "CAPTION";
};

class TacFrameAdapter : public TacBorderOwner {
 public:
  // Window: the framed window (not owned; it must outlive this object or be
  // destroyed first, which the owner tells through WM_NCDESTROY).
  TacFrameAdapter(HWND window, TacFrameSections sections);
  ~TacFrameAdapter() override;
  TacFrameAdapter(const TacFrameAdapter&) = delete;
  TacFrameAdapter& operator=(const TacFrameAdapter&) = delete;

  // Takes the skin of Manager (null or inactive: unskins) loaded for PPI
  // pixels per inch: resolves the sections, clears WS_SYSMENU, sets the
  // region and repaints the frame.
  void ApplySkin(TsSkinManager* manager, int ppi);
  // Puts the plain frame back: WS_SYSMENU as it was, no region, a repaint.
  void RemoveSkin();
  // The window may have a border window while the manager's extended
  // borders are on (top-level windows with a frame only); read by ApplySkin.
  bool AllowExtBorders = false;
  // The border window, or null while the frame is drawn in the window.
  TacBorderForm* BorderForm() const { return FBorder.get(); }
  bool Skinned() const { return CurrentData() != nullptr && FFormIndex >= 0; }

  // Shows the window menu with its top-left corner at a screen point (a
  // press on the title icon drops it under the icon); empty: no menu.
  std::function<void(TPoint screen)> OnSystemMenu;

  // The window is being destroyed: nothing of it is to be put back.
  void ForgetWindow() { FWindow = nullptr; }

  // Handles M for the window while skinned; Next passes a message on to the
  // window's previous procedure. True when M was consumed (Result set).
  bool Handle(TMessage& m, const TWndMethod& next);
  // M after the window handled it: the border window follows the window.
  void FollowMessage(const TMessage& m) {
    if (FBorder) FBorder->FormMessage(m.Msg, m.WParam, m.LParam);
  }

  // The frame is drawn in the active look.
  bool FormActive() const { return FFormActive; }
  // The image must be rebuilt before it is shown again.
  void MarkChanged() { FBGChanged = true; }
  // Puts every caption button back to normal unless one is held pressed.
  void LeaveButtons() {
    if (FClicked == 0) ResetButtons();
  }
  // Rebuilds the image when stale and paints frame and client on screen.
  void RepaintFrame();
  // The cache image (the window's size once painted) and what it was laid
  // out from; for tests and for painting single buttons.
  const TBitmap& Cache() const { return FCache; }
  const TsFormFrameInputs& Inputs() const { return FInputs; }
  const TsTitleLayout& Layout() const { return FLayout; }
  // The client area's top-left corner inside the image.
  TPoint ClientOffset() const;
  // The title icon on the screen (empty without one).
  TRect IconScreenRect() const {
    const TPoint origin = ImageOrigin();
    return FLayout.Icon.Offset(origin.X, origin.Y);
  }
  // The live frame inputs of the window as it is now (sections, metrics,
  // buttons, activity).
  TsFormFrameInputs CurrentInputs() const;
  // What the cache is laid out from: CurrentInputs, or with a border window
  // the border image's inputs.
  TsFormFrameInputs ImageInputs() const;

  // The border window's questions.
  HWND OwnerHandle() const override { return FWindow; }
  TacBorderFrame Describe() const override;
  void PaintAll() override { PrepareImage(); }
  TsPixelBuffer BorderImage() const override { return FCache.View(); }
  uint32_t ImageVersion() const override { return FImageVersion; }
  void SetHotButton(int32_t code) override;
  // The font the caption is written in (null while unskinned).
  HFONT CaptionFont() const { return FCaptionFont.Get(); }
  // The skin in use, or null.
  const TacSkinData* SkinData() const { return CurrentData(); }

  // The colour of the client area (RGB): the one SetClientColor gave, else
  // the form section's colour in the current state.
  TColor ClientColor() const;
  // Paints the client area in Color (RGB) instead of the skin's client image;
  // clNone goes back to the skin's.
  void SetClientColor(TColor color) { FClientColor = color; }

 private:
  // The manager's skin data the frame paints from, or null. The manager
  // frees its data with every reload (a scale change, a colour change under
  // BeginUpdate) before the frame hears of it: a reference taken before the
  // last clearing is taken again, with the section indexes, for the
  // resolution the skin was applied for. Null while the manager has no skin
  // or is loading one.
  const TacSkinData* CurrentData() const;
  bool PrepareImage();
  // Makes or drops the border window as the skin, the manager and the
  // window's style ask.
  void CheckBorderWindow();
  // The screen point of the cache image's top-left corner.
  TPoint ImageOrigin() const;
  // A press or release the border window forwarded: true when handled.
  bool HandleForwarded(TMessage& m, const TWndMethod& next);
  void PaintNonClient(HDC dc);
  void PaintClientBackground(HDC dc);
  void PaintIcon();
  void UpdateRegion();
  void SetHot(int32_t hitCode);
  void SetPressed(int32_t hitCode);
  void ResetButtons();
  // Shows one button in its current state: what lies under it from the kept
  // strip, its glyph over that, then that rectangle on the screen.
  void RepaintButton(const TsCaptionButton& button);
  bool HandleButtonRelease(TPoint screen);
  int32_t HitTest(TPoint screen) const;
  void RunButtonCommand(int32_t hitCode);
  TsCaptionButton* Button(int32_t hitCode);

  HWND FWindow;
  TacFrameSections FSections;
  TsSkinManager* FManager = nullptr;
  // What CurrentData gives, valid while the manager's data generation is
  // FDataGeneration; taken again from the manager after a reload.
  mutable const TacSkinData* FSkinData = nullptr;
  mutable uint32_t FDataGeneration = 0;
  mutable int32_t FFormIndex = -1, FTitleIndex = -1, FCaptionIndex = -1;
  int FPPI = 96;  // the resolution the skin was applied for
  // WS_SYSMENU as the window had it before skinning.
  bool FHadSysMenu = false;
  bool FStyleTaken = false;
  bool FFormActive = true;
  mutable bool FBGChanged = true;
  uint32_t FImageVersion = 0;  // see ImageVersion
  bool FRegionSet = false;
  TSize FRegionSize;  // the window size the region was cut for
  bool FTrackingLeave = false;
  // The button pressed and not yet released (a hit code), or 0.
  int32_t FClicked = 0;
  int32_t CurrentHT = 0;
  TColor FClientColor = clNone;
  TBitmap FCache;
  // The image under the caption buttons (from the leftmost button's left
  // edge to the right edge, over the title's height), kept to repaint one
  // button alone.
  TsPixelImage FUnderButtons;
  TRect FUnderButtonsRect;
  TsFormFrameInputs FInputs;
  TsTitleLayout FLayout;
  platform::ScopedFont FCaptionFont;
  std::unique_ptr<TacBorderForm> FBorder;
  mutable std::vector<TCaptionHit> FBorderHits;  // what Describe gave last
};

}  // namespace ac
