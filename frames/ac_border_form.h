#pragma once
// TacBorderForm: the border window of a form with extended borders.
//
// Two layered popups owned by the form follow it: the border window, which
// shows the skin's frame and title around the form with a hole over its
// client area and takes the frame's mouse input, and under it the shadow
// window, which shows the shadow and lets every click through
// (WS_EX_TRANSPARENT) to whatever lies below, other programs included. Both
// take their pictures from the one border image the frame paints (see
// paint/border_pixels.h); the form itself is cut down to its client area.
//
// The frame adapter drives it: it calls FormMessage after the form handled
// each message, so the border follows moves, sizes, activation, z-order,
// hiding, minimising and restoring, and it asks ForwardedHit for the code of
// a mouse message the border window forwarded with WParam -1.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "frames/ac_glow_form.h"
#include "frames/border_owner.h"

namespace ac {

class TacBorderForm {
 public:
  // The form's window must exist; the windows are made by the first update.
  explicit TacBorderForm(TacBorderOwner& owner);
  ~TacBorderForm();
  TacBorderForm(const TacBorderForm&) = delete;
  TacBorderForm& operator=(const TacBorderForm&) = delete;

  // Where the mouse pressed a maximized form's caption.
  TPoint LastMousePos{-9999, -9999};
  // The form's region (its client area) is applied.
  bool MainRgnReady = false;
  // A maximized form's caption is pressed: moving the mouse restores and
  // drags it.
  bool MaxMoving = false;
  // All updates suspended.
  bool Locked = false;
  // An update is running: stops re-entry through our own SetWindowPos calls.
  bool ExBorderShowing = false;

  // The border window and its shadow window; null while the form is hidden
  // or minimised.
  HWND BorderHandle() const { return AForm ? AForm->Handle() : nullptr; }
  HWND ShadowHandle() const { return FShadow ? FShadow->Handle() : nullptr; }
  HWND OwnerHandle() const { return FOwner.OwnerHandle(); }
  // The previous owner value of the border window.
  HWND ParentHandle() const { return FParentHandle; }

  // Makes both windows (hidden) when they are missing.
  void CreateNewForm();
  // Drops both windows; the next update makes them again.
  void FreeForms();
  // The image is rebuilt (PaintAll) by the next update.
  void MarkImageChanged() { FImageChanged = true; }
  // Rebuilds the picture when the image changed or Redraw asks, pushes it to
  // both windows and places them around the form, directly above it in
  // z-order. A hidden or minimised form loses its windows instead.
  void UpdateExBordersPos(bool redraw, uint8_t blend = 255);

  // Cuts the form down to its client area (MainRgnReady).
  void ApplyFormRegion();
  // The form's message after the form handled it.
  void FormMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // The hit code of a screen point on the border window.
  int32_t Ex_WMNCHitTest(TPoint screenPoint) const;
  // The code of a mouse message forwarded with WParam -1 (its LParam is the
  // screen point).
  int32_t ForwardedHit(LPARAM lParam) const { return Ex_WMNCHitTest(ScreenPoint(lParam)); }
  // True for a border-window point in the shadow zone, which the mouse passes.
  bool InTransparentZone(TPoint borderPoint) const;
  int32_t OffsetX() const;
  int32_t OffsetY() const;

  // True while a border window of this thread forwards a mouse message to
  // Form (WParam -1) and Form answers that message, not one another thread
  // sent it meanwhile: the only presses a form may take as forwarded.
  static bool ForwardingTo(HWND form);

  static TPoint ScreenPoint(LPARAM lParam) {
    return {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
  }

 private:
  bool BorderMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  TBorderHitInputs HitInputs(const TacBorderFrame& frame) const;
  TRect BorderRect() const;  // where the border window is (or would be) on the screen
  HWND InsertAfter() const;
  void Place(HWND insertAfter, const TRect& at, UINT flags);
  // Splits the owner's image into both windows and pushes it there.
  void Render(const TacBorderFrame& frame, const TRect& at, uint8_t opacity);
  // Both windows shown, lying together with the form.
  bool InPlace() const;
  void SetCursorFor(int32_t code) const;
  TPoint ClientToScreenPoint(LPARAM lParam) const;
  // Sends a mouse message of the frame to the form with WParam -1.
  static void Forward(HWND form, UINT msg, LPARAM lParam);
  // A move of the mouse held on a maximized form's caption: past a few
  // pixels the form is restored under it and dragged.
  void DragMaximized(TPoint screenPoint);
  void DoubleClick(int32_t code);
  void ToggleMaximized(bool horizontal);

  TacBorderOwner& FOwner;
  std::unique_ptr<TacGlowForm> AForm;    // the border window
  std::unique_ptr<TacGlowForm> FShadow;  // the shadow window under it
  HWND FParentHandle = nullptr;
  bool FImageChanged = true;
  bool FTrackingLeave = false;  // the border window asked to hear the mouse leave
  // What the pictures were last split with: while it holds, their zeros and
  // the border window's region are still right.
  struct TLastSplit {
    TRect Zone, Hole;
    const uint8_t* Frame = nullptr;
    const uint8_t* Shadow = nullptr;
    bool operator==(const TLastSplit&) const = default;
  } FLastSplit;
  // What both windows show now: the owner's image version, pushed there
  // with that opacity. Reset when the windows go.
  struct TPresented {
    uint32_t Version = 0;
    TRect At;
    uint8_t Opacity = 0;
    bool operator==(const TPresented&) const = default;
  } FPresented;
  // Bounds saved by a double click on a side border ($4000 vertical, $8000
  // horizontal), restored by the next one.
  uint32_t FFormState = 0;
  TRect FSavedBounds;
};

}  // namespace ac
