#pragma once
// A test form with a border window: the form, a border owner that paints the
// border image from the loaded skin (the form's colour inside, the skin's
// extended border and shadow template around it) and the hook a frame
// adapter would install to keep the border in step and to take the
// forwarded caption presses.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "frames/ac_border_form.h"
#include "framework/application_test_support.h"
#include "framework/form.h"
#include "manager/ts_skin_manager.h"
#include "paint/border_shadow.h"

namespace ac::test {

class TBorderTestForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TBorderTestForm"; }
};

class TTestBorderOwner : public TacBorderOwner {
 public:
  TTestBorderOwner(TForm& form, TacSkinData& skin) : FForm(form), FSkin(skin) {}

  bool Active = false;
  int32_t HotButton = 0;
  uint32_t FormColor = 0xFFF3F4F6u;  // opaque pixel of the window area

  HWND OwnerHandle() const override { return FForm.HandleAllocated() ? FForm.Handle() : nullptr; }

  bool MaximizeEnabled = false;
  uint8_t Opacity = 255;  // the form's own AlphaBlendValue

  // The system frame and caption of the form, from live metrics.
  TBorderMetrics Metrics() const {
    TBorderMetrics m;
    m.BorderWidth = FSkin.ExBorderWidth;
    m.CaptionHeight = FSkin.ExTitleHeight;
    const bool sizeable = (GetWindowLongW(OwnerHandle(), GWL_STYLE) & WS_THICKFRAME) != 0;
    m.SysFrameWidth = sizeable ? GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER)
                               : GetSystemMetrics(SM_CXFIXEDFRAME);
    m.SysCaptionHeight = GetSystemMetrics(SM_CYCAPTION);
    m.Shadow = FSkin.FormShadowSize;
    return m;
  }
  // The close button: the title's top-right square inside the frame.
  TRect CloseRect(TSize window) const {
    const TBorderMetrics m = Metrics();
    const int32_t right = window.cx - m.Shadow.Right - m.BorderWidth;
    return TRect::LTRB(right - 30, m.Shadow.Top + 4, right, m.Shadow.Top + m.CaptionHeight - 4);
  }

  TacBorderFrame Describe() const override {
    TacBorderFrame f;
    f.Metrics = Metrics();
    f.Drawing = FSkin.ExDrawMode == 1 ? TBorderDrawing::bdImageFrame : TBorderDrawing::bdOther;
    f.AlignOffsets = TRect::LTRB(FSkin.ExShadowOffs, FSkin.ExShadowOffsT, FSkin.ExShadowOffsR,
                                 FSkin.ExShadowOffsB);
    RECT r{};
    GetWindowRect(OwnerHandle(), &r);
    const TSize window = BorderImageSize({r.right - r.left, r.bottom - r.top}, f.Metrics);
    FButtons.assign(1, TCaptionHit{CloseRect(window), kHitClose});
    f.Buttons = FButtons;
    f.MaximizeEnabled = MaximizeEnabled;
    f.RestoreEnabled = MaximizeEnabled;
    f.Opacity = Opacity;
    return f;
  }

  void PaintAll() override {
    RECT r{};
    GetWindowRect(OwnerHandle(), &r);
    const TSize size = BorderImageSize({r.right - r.left, r.bottom - r.top}, Metrics());
    if (FImage.Width() != size.cx || FImage.Height() != size.cy)
      FImage = NewPixelBuffer(size.cx, size.cy);
    for (int32_t y = 0; y < FImage.Height(); ++y)
      std::fill_n(FImage.View().Row(y), FImage.Width(), FormColor);
    PaintBorderShadow(FImage, BorderShadowTemplate(FSkin, Active),
                      BorderShadowInputs(FSkin, ebmFull, FSkin.ExTitleHeight, 0));
    ++Paints;
  }
  TsPixelBuffer BorderImage() const override { return FImage.View(); }
  uint32_t ImageVersion() const override { return static_cast<uint32_t>(Paints); }
  void SetHotButton(int32_t code) override { HotButton = code; }

  int Paints = 0;

 private:
  TForm& FForm;
  TacSkinData& FSkin;
  TsPixelImage FImage;
  mutable std::vector<TCaptionHit> FButtons;
};

// The skin sources of the tree at SourceDir (a Unix path), as a program under
// Wine finds them.
inline std::string SkinsFolder(const char* sourceDir) {
  std::string dir = std::string("Z:") + sourceDir + "/skins";
  for (char& c : dir)
    if (c == '/') c = '\\';
  return dir;
}

// A bsSingle form with a 262 x 102 client and a border window in step with it.
struct TBorderFixture {
  TTestApplication App;
  TRecordingSink Messages;
  TBorderTestForm* Form = new TBorderTestForm(&App.App);
  TsSkinManager* Manager = nullptr;
  std::unique_ptr<TTestBorderOwner> Owner;
  std::unique_ptr<TacBorderForm> Border;
  TWindowProcHook Hook;
  // Codes of the caption presses the border window forwarded.
  std::vector<int32_t> Forwarded;
  int32_t Pressed = 0;
  bool CloseAsked = false;

  // Skins: the folder holding VelmoraLight.
  explicit TBorderFixture(const std::string& skins,
                          TFormBorderStyle style = TFormBorderStyle::bsSingle) {
    Manager = new TsSkinManager(Form);
    Manager->Messages = &Messages;
    Manager->ExtendedBorders = true;
    Manager->SkinDirectory = skins;
    Manager->SetSkinName("VelmoraLight");
    Form->BorderStyle = style;
    Form->BorderIcons = 1u << 0;  // biSystemMenu only
    Form->Position = TPosition::poDesigned;
    Form->SetBounds(620, 480, 300, 200);
    Form->SetClientSize(262, 102);
    Form->HandleNeeded();
    Owner = std::make_unique<TTestBorderOwner>(*Form, Skin());
    Border = std::make_unique<TacBorderForm>(*Owner);
    Hook = Form->HookWindowProc(
        [this](TMessage& m, const TWndMethod& previous) { Handle(m, previous); });
  }
  // The skin at the screen's resolution, as the program's forms use it.
  TacSkinData& Skin() const {
    platform::ScopedGetDC screen(nullptr);
    return Manager->Core.CommonSkinData(GetDeviceCaps(screen.Get(), LOGPIXELSY));
  }

  ~TBorderFixture() {
    Hook.Unhook();
    Border.reset();
  }

  void Handle(TMessage& m, const TWndMethod& previous) {
    if (m.Msg == WM_NCACTIVATE) Owner->Active = m.WParam != 0;
    if ((m.Msg == WM_NCLBUTTONDOWN || m.Msg == WM_NCLBUTTONUP) &&
        static_cast<int32_t>(m.WParam) == -1) {
      // What the frame adapter does with a forwarded press: the code at the
      // point, a caption press moving the form, the close button closing it
      // when released over it.
      const int32_t code = Border->ForwardedHit(m.LParam);
      if (m.Msg == WM_NCLBUTTONDOWN) {
        Forwarded.push_back(code);
        Pressed = code;
        // A caption press moves the form, a press on a sizing band sizes
        // it: the system's loops, told the code the border window found.
        if (code == kHitCaption || (code >= kHitLeft && code <= kHitBottomRight)) {
          TMessage press{WM_NCLBUTTONDOWN, static_cast<WPARAM>(code), m.LParam, 0};
          previous(press);
        }
      } else {
        if (code == kHitClose && Pressed == kHitClose) CloseAsked = true;
        Pressed = 0;
      }
      return;
    }
    previous(m);
    if (Border) Border->FormMessage(m.Msg, m.WParam, m.LParam);
  }
};

}  // namespace ac::test

namespace ac::test {

// The screen's pixels in R (top-down BGRA, alpha bytes undefined), read back
// through the screen's device context: what the compositor shows.
inline TsPixelImage ScreenPixels(const TRect& r) {
  TsPixelImage out(r.Width(), r.Height());
  platform::ScopedGetDC screen(nullptr);
  platform::ScopedMemoryDC dc(screen.Get());
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = r.Width();
  bi.bmiHeader.biHeight = -r.Height();
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  platform::ScopedBitmap bmp(CreateDIBSection(dc.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp || !bits) return out;
  {
    platform::ScopedSelectObject select(dc.Get(), bmp.Get());
    BitBlt(dc.Get(), 0, 0, r.Width(), r.Height(), screen.Get(), r.Left, r.Top, SRCCOPY);
    GdiFlush();
  }
  for (int32_t y = 0; y < r.Height(); ++y)
    std::memcpy(out.View().Row(y),
                static_cast<uint8_t*>(bits) + static_cast<size_t>(y) * r.Width() * 4,
                static_cast<size_t>(r.Width()) * 4);
  return out;
}

// The screen in R once the compositor has caught up: two readings 50 ms
// apart that agree (or the last one after two seconds).
inline TsPixelImage SettledScreenPixels(const TRect& r) {
  TsPixelImage last = ScreenPixels(r);
  for (int i = 0; i < 40; ++i) {
    PumpUntil([] { return false; }, 50);
    TsPixelImage now = ScreenPixels(r);
    bool same = true;
    for (int32_t y = 0; y < r.Height() && same; ++y)
      same = std::memcmp(now.View().Row(y), last.View().Row(y),
                         static_cast<size_t>(r.Width()) * 4) == 0;
    if (same) return now;
    last = std::move(now);
  }
  return last;
}

// A plain white top-level window of this process at R, for pictures over a
// known background. Windows shown after it lie above it: the display's own
// stacking decides under Wine, and a window that appears goes on top.
class TWhiteWindow {
 public:
  explicit TWhiteWindow(const TRect& r)
      : FRect(r),
        FWindow(CreateWindowExW(WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP | SS_WHITERECT, r.Left,
                                r.Top, r.Width(), r.Height(), nullptr, nullptr, nullptr, nullptr)) {
    ShowWindow(FWindow.Get(), SW_SHOWNOACTIVATE);
    UpdateWindow(FWindow.Get());
  }
  HWND Handle() const { return FWindow.Get(); }
  const TRect& Rect() const { return FRect; }

 private:
  TRect FRect;
  platform::ScopedWindow FWindow;
};

}  // namespace ac::test
