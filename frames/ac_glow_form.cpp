#include "frames/ac_glow_form.h"

#include "framework/application.h"
#include "framework/dispatch_scope.h"
#include "win32/private_window_class.h"
#include "win32/window_region.h"

namespace ac {
namespace {

constexpr wchar_t kClassName[] = L"TacGlowForm";

// CS_DBLCLKS: the border window turns non-client double clicks into the
// frame's maximize and restore.
bool RegisterGlowClass(WNDPROC proc) {
  return platform::RegisterPrivateClass(
      {.Name = kClassName, .Procedure = proc, .Style = CS_DBLCLKS, .ArrowCursor = true});
}

}  // namespace

TacGlowForm::TacGlowForm(HWND owner, DWORD exStyle, THandler handler)
    : FHandler(std::move(handler)) {
  if (!RegisterGlowClass(&TacGlowForm::WindowProc)) return;
  HWND w = CreateWindowExW(exStyle, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleW(nullptr), this);
  if (!w) return;
  FWindow.Reset(w);
  // Owned by the form: it follows the form's minimising and stays above it.
  FParentHandle = reinterpret_cast<HWND>(
      SetWindowLongPtrW(w, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner)));
  // The class is ours and has no drop shadow; the style is exactly what the
  // caller asked for, whatever the system added on creation.
  SetWindowLongPtrW(w, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
}

LRESULT CALLBACK TacGlowForm::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<TacGlowForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || msg == WM_NCDESTROY) {
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      platform::WindowRegionGone(window);
    }
    return DefWindowProcW(window, msg, wParam, lParam);
  }
  const TDispatchScope dispatch;
  // Nothing may throw through the system's call.
  try {
    return self->Handle(window, msg, wParam, lParam);
  } catch (...) {
    ReportBoundaryException();
    return DefWindowProcW(window, msg, wParam, lParam);
  }
}

TacGlowForm::~TacGlowForm() {
  // The window goes first, without its handler: what the handler reaches
  // may be on its way out already.
  FHandler = nullptr;
  FWindow.Reset();
}

LRESULT TacGlowForm::Handle(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (FHandler && FHandler(msg, wParam, lParam, result)) return result;
  switch (msg) {
    case WM_NCHITTEST:
      if (TransparentMouse) return HTTRANSPARENT;
      break;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_SHOWWINDOW:
      // Hidden without activating anything or redrawing what lies below
      // before the next picture.
      if (!wParam && IsWindowVisible(w)) {
        SetWindowPos(w, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOMOVE | SWP_NOSIZE |
                         SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(w, msg, wParam, lParam);
}

TsPixelBuffer TacGlowForm::Surface(TSize size) {
  if (size.cx <= 0 || size.cy <= 0) return {};
  if (FSurface.Width() == size.cx && FSurface.Height() == size.cy) return FSurface.View();
  // The old picture goes first: a size the system refuses leaves none.
  FSurface.Reset();
  if (!FSurface.Create(size.cx, size.cy)) return {};
  return FSurface.View();
}

bool TacGlowForm::Present(TPoint position, uint8_t opacity) {
  if (!FWindow.Get() || FSurface.Empty()) return false;
  POINT at{position.X, position.Y};
  SIZE size{FSurface.Width(), FSurface.Height()};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
  platform::ScopedGetDC screen(nullptr);
  return UpdateLayeredWindow(FWindow.Get(), screen.Get(), &at, &size, FSurface.DC(), &origin, 0,
                             &blend, ULW_ALPHA) != FALSE;
}

}  // namespace ac
