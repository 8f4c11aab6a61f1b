#pragma once
// What the tests of the skinned edit and button share: the program's window
// in small (a panel holding a read-only centred edit and a button, at the
// program's designed places) dressed by a skin folder of the source tree, and
// ways to read faces back: from the screen, and as the painting layer paints
// a section over the panel's face.

#include <windows.h>

#include <cstdio>
#include <string>

#include "controls/ts_button.h"
#include "controls/ts_edit.h"
#include "controls/ts_panel.h"
#include "framework/application_test_support.h"
#include "framework/form.h"
#include "manager/ts_skin_manager.h"
#include "paint/section_paint.h"
#include "pixels/pixel_buffer.h"
#include "skin/skin_data_lookup.h"

namespace ac::test {

class TSkinnedTestForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TSkinnedTestForm"; }
};

// A folder of the machine's file system as a path of the program (the root
// is drive Z:).
inline std::string WindowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

struct TSkinnedControls {
  TTestApplication App;
  TRecordingSink Messages;
  TSkinnedTestForm* Form = new TSkinnedTestForm(&App.App);
  TsPanel* Panel = nullptr;
  TsEdit* Edit = nullptr;
  TsButton* Button = nullptr;
  TsSkinManager* Manager = nullptr;

  // Skin SkinName from the folder SkinDirectory (a Windows path).
  TSkinnedControls(const std::string& skinDirectory, const std::string& skinName) {
    Form->SetBounds(200, 200, 280, 140);
    Panel = AddControl<TsPanel>(Form, Form, 1, 3, 260, 97);
    Edit = AddControl<TsEdit>(Form, Panel, 4, 16, 252, 21);
    Edit->SetAlignment(TAlignment::taCenter);
    Edit->SetReadOnly(true);
    Edit->SetText("VLM7-Q4TD-98KX-M2RF");
    Button = AddControl<TsButton>(Form, Panel, 4, 40, 252, 23);
    Button->SetCaption("Копировать");
    Manager = new TsSkinManager(Form);
    Manager->Messages = &Messages;
    Manager->SkinDirectory = skinDirectory;
    Manager->SetSkinName(skinName);
    Form->Show();
    Panel->SetFocus();
    PaintNow();
  }

  void PaintNow() {
    RedrawWindow(Form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  // The panel's face, which the edit and the button paint over.
  TsPixelBuffer PanelFace() { return Panel->SkinData().FCacheBmp.View(); }
};

// What Window shows on the screen, frame included, read back through GDI.
inline TsPixelImage ReadWindow(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  TBitmap shot(w, h);
  HDC dc = GetWindowDC(window);
  BitBlt(shot.Canvas().Handle(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
  GdiFlush();
  TsPixelImage img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.View().At(x, y) = shot.View().At(x, y);
  return img;
}

inline TsPixelImage Copy(const TsPixelBuffer& b) {
  TsPixelImage img(b.Width, b.Height);
  for (int y = 0; y < b.Height; ++y)
    for (int x = 0; x < b.Width; ++x) img.View().At(x, y) = b.At(x, y);
  return img;
}

// Section Name of the control's skin data in State over Control's place in
// the parent face, as the painting layer paints it.
inline TsPixelImage SectionOverParent(const TacSkinData& sd, const std::string& name, int state,
                                      const TsPixelBuffer& parentFace, const TRect& place) {
  TsPixelImage img(place.Width(), place.Height());
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x)
      img.View().At(x, y) = parentFace.At(place.Left + x, place.Top + y);
  PaintSection(img.View(), img.View().Bounds(), sd, GetSkinIndex(sd, name), state,
               MakeCacheInfo(parentFace, place.Left, place.Top), TPoint{0, 0});
  return img;
}

enum class TBytes { tbAll, tbColour };

// Empty when A and B have the same size and the same pixels outside Hole
// (colour bytes only with tbColour); otherwise where they first differ.
inline std::string FirstDifference(const TsPixelBuffer& a, const TsPixelBuffer& b,
                                   TBytes bytes = TBytes::tbAll, const TRect& hole = TRect{}) {
  if (a.Width != b.Width || a.Height != b.Height)
    return "sizes " + std::to_string(a.Width) + "x" + std::to_string(a.Height) + " and " +
           std::to_string(b.Width) + "x" + std::to_string(b.Height);
  const uint32_t mask = bytes == TBytes::tbAll ? 0xFFFFFFFFu : 0x00FFFFFFu;
  for (int y = 0; y < a.Height; ++y) {
    for (int x = 0; x < a.Width; ++x) {
      if (hole.Contains({x, y})) continue;
      if (((a.At(x, y) ^ b.At(x, y)) & mask) == 0) continue;
      char text[80];
      std::snprintf(text, sizeof text, "pixel %d,%d: %08X and %08X", x, y,
                    static_cast<unsigned>(a.At(x, y)), static_cast<unsigned>(b.At(x, y)));
      return text;
    }
  }
  return {};
}

}  // namespace ac::test
