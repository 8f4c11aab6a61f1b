#pragma once
// What the frame tests share: a form class of their own and reading a
// window's pixels as the screen shows them.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/form.h"
#include "framework/test_support.h"
#include "manager/ts_skin_manager.h"
#include "pixels/pixel_buffer.h"

namespace ac::test {

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

}  // namespace ac::test
