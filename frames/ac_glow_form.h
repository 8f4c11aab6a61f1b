#pragma once
// TacGlowForm: the borderless layered popup behind the engine's auxiliary
// windows (a form's border window and its shadow window). It never takes the
// activation and shows a premultiplied 32-bit picture with per-pixel alpha
// through UpdateLayeredWindow.
//
// The picture lives in a top-down DIB section kept with the window, so a
// repaint writes straight into the bits the system reads and allocates
// nothing unless the size changed.

#include <windows.h>

#include <functional>

#include "core/geometry.h"
#include "pixels/pixel_buffer.h"
#include "win32/dib_section.h"
#include "win32/scoped_window.h"

namespace ac {

class TacGlowForm {
 public:
  // A handler sees every message first; true means it set Result and the
  // message is done.
  using THandler = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

  // Creates the hidden window, owned by Owner, with exactly ExStyle as its
  // extended style. Handle() is null when the system refused.
  TacGlowForm(HWND owner, DWORD exStyle, THandler handler = nullptr);
  ~TacGlowForm();
  TacGlowForm(const TacGlowForm&) = delete;
  TacGlowForm& operator=(const TacGlowForm&) = delete;

  HWND Handle() const { return FWindow.Get(); }
  // The previous owner value, as the system returned it when the owner was set.
  HWND ParentHandle() const { return FParentHandle; }
  // While on, the window answers hit tests with HTTRANSPARENT (unless its
  // handler answers first).
  bool TransparentMouse = true;

  // The picture's pixels for a window of Size: premultiplied BGRA, top-down.
  // Valid until the next call with another size; empty when the size is
  // empty or the bitmap could not be made.
  TsPixelBuffer Surface(TSize size);
  // Shows the surface at Position (screen) with the surface's size and the
  // constant Opacity over its per-pixel alpha. False when the system refused.
  bool Present(TPoint position, uint8_t opacity);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  THandler FHandler;
  platform::ScopedWindow FWindow;
  HWND FParentHandle = nullptr;
  platform::TDibSection FSurface;
};

}  // namespace ac
