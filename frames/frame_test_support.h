#pragma once
// What the frame tests share: a program with the skin manager and the
// activation hook of the frames layer, a form class of their own, and the
// comparison of a frame on the screen with the paint layer's render.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "frames/ac_provider.h"
#include "frames/frame_adapter.h"
#include "frames/frame_classes.h"
#include "framework/application_test_support.h"
#include "framework/form.h"
#include "manager/skin_list_controller.h"
#include "manager/ts_skin_manager.h"
#include "pixels/pixel_buffer.h"
#include "win32/gdi_text.h"

namespace ac::test {

// The source tree's skins folder as a Windows path; defined beside the tests,
// which know where the source tree is.
std::string SkinsFolder();

// An application whose default skin manager has Skin from the skins folder
// Folder active, with plain (not extended, unless asked) borders and the
// activation hook installed. Removing it removes the hook and every
// attachment.
struct TSkinnedProgram {
  TTestApplication App;
  TRecordingSink Messages;
  TsSkinManager* Manager = nullptr;

  TSkinnedProgram(const std::string& folder, const std::string& skin,
                  bool extendedBorders = false) {
    RegisterFrameClasses(App.App.Classes());
    Manager = new TsSkinManager(&App.App);
    Manager->Messages = &Messages;
    Manager->ExtendedBorders = extendedBorders;
    Manager->SkinDirectory = folder;
    Manager->SetSkinName(skin);
    // The manager lists the skins it can offer in the background; finished
    // now, its helper window is gone before any test counts objects.
    Manager->SkinListController->UpdateIfNeeded(true);
  }
  ~TSkinnedProgram() {
    UninstallActivationHook();
    SetActivationHookInstaller(nullptr);
  }
  TSkinnedProgram(const TSkinnedProgram&) = delete;
  TSkinnedProgram& operator=(const TSkinnedProgram&) = delete;
};

class TFrameTestForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TFrameTestForm"; }
};

// Every pixel of Window (frame included) as the screen shows it, top-down
// BGRA with alpha 0.
inline TsPixelImage WindowPixels(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  TsPixelImage img(w, h);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetWindowDC(window);
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  GdiFlush();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.View().At(x, y) = static_cast<const uint32_t*>(bits)[y * w + x] & 0x00FFFFFFu;
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(bmp);
  ReleaseDC(window, screen);
  return img;
}

// How the frame of Window on the screen differs from the paint layer's render
// of Frame at the window's size with caption Caption, its caption buttons in
// the states the frame holds: the pixels outside the
// client area, outside the region's cut-outs and outside the system's icon
// are compared. Compared and Differing count them; the first differing
// pixels are described in Report.
struct TFrameComparison {
  int Compared = 0;
  int Differing = 0;
  std::string Report;
  TsPixelImage Shown;
};

inline TFrameComparison CompareFrame(HWND window, const TacFrameAdapter& frame,
                                     const std::string& caption) {
  TFrameComparison out;
  const TsFormFrameInputs in = frame.CurrentInputs();
  TsTitleLayout layout = LayoutTitle(*frame.SkinData(), in);
  // The buttons in the states the frame shows them in.
  for (TsCaptionButton& b : layout.Buttons)
    for (const TsCaptionButton& shown : frame.Layout().Buttons)
      if (shown.cpHitCode == b.cpHitCode) b.cpState = shown.cpState;
  TsPixelImage expected(in.Window.cx, in.Window.cy);
  platform::TGdiTextRasterizer font(frame.CaptionFont());
  PaintFormFrame(expected.View(), *frame.SkinData(), in, layout, {caption, &font});
  out.Shown = WindowPixels(window);
  const TPoint o = frame.ClientOffset();
  RECT client{};
  GetClientRect(window, &client);
  const TRect clientRect = TRect::XYWH(o.X, o.Y, client.right, client.bottom);
  const std::vector<TRect> cut = FrameRegionCutouts(*frame.SkinData(), in);
  for (int y = 0; y < out.Shown.Height(); ++y)
    for (int x = 0; x < out.Shown.Width(); ++x) {
      const TPoint p{x, y};
      if (clientRect.Contains(p) || layout.Icon.Contains(p)) continue;
      bool outside = false;
      for (const TRect& r : cut) outside |= r.Contains(p);
      if (outside) continue;
      ++out.Compared;
      const uint32_t shown = out.Shown.View().At(x, y);
      const uint32_t painted = expected.View().At(x, y) & 0x00FFFFFFu;
      if (shown != painted && out.Differing++ < 5)
        out.Report += std::to_string(x) + "," + std::to_string(y) + " shown " +
                      std::to_string(shown) + " painted " + std::to_string(painted) + "; ";
    }
  return out;
}

}  // namespace ac::test
