#pragma once
// What a border window asks of the frame that owns it. The form's frame
// adapter fills this in: it paints the border image (frame, title and shadow
// around the form, straight alpha) and knows its caption buttons; the border
// window shows the image, keeps it around the form and takes the frame's
// mouse input.

#include <windows.h>

#include <cstdint>
#include <span>

#include "core/geometry.h"
#include "paint/border_layout.h"
#include "pixels/pixel_buffer.h"

namespace ac {

// The frame's description for the border window, valid until the next call
// of Describe.
struct TacBorderFrame {
  TBorderMetrics Metrics{};
  TBorderDrawing Drawing = TBorderDrawing::bdImageFrame;
  TRect AlignOffsets{};                    // "ALIGNOFFSET" and its R/T/B variants
  std::span<const TCaptionHit> Buttons{};  // border-window coordinates, testing order
  TRect IconRect{};                        // border-window coordinates
  TRect GripRect{};
  // The form's border icons as its frame shows them.
  bool SystemMenu = true;
  bool MaximizeEnabled = false;
  bool RestoreEnabled = false;
  uint8_t Opacity = 255;  // the form's own AlphaBlendValue when it blends, else 255
};

class TacBorderOwner {
 public:
  virtual ~TacBorderOwner() = default;
  // The form's window (null before it has one).
  virtual HWND OwnerHandle() const = 0;
  virtual TacBorderFrame Describe() const = 0;
  // Rebuilds the border image for the form's current size and activation.
  virtual void PaintAll() = 0;
  // The image PaintAll built last: BorderImageSize of the form window, straight
  // alpha. Empty before the first PaintAll.
  virtual TsPixelBuffer BorderImage() const = 0;
  // Changes whenever the pixels of BorderImage change, rebuilt or touched up:
  // the border window pushes a picture only when it is not already showing it.
  virtual uint32_t ImageVersion() const = 0;
  // The caption button under the mouse (8, 9, 20, 21, 1000 and above), or 0
  // when the mouse left them.
  virtual void SetHotButton(int32_t code) { (void)code; }
};

}  // namespace ac
