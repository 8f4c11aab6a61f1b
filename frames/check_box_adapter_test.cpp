#include "frames/check_box_adapter.h"

#include <gtest/gtest.h>

#include <string>

#include "controls/skinned_form_test_support.h"
#include "frames/adapter_paint.h"
#include "frames/ctrl_adapter.h"
#include "paint/glyph_paint.h"
#include "win32/scoped_window.h"

namespace ac {
namespace {

// Check boxes and radio buttons of a skin that has mark glyphs: the mark on
// the screen is the skin's glyph entry for the check state, painted by the
// painting layer over the parent's colour, pixel for pixel.
TEST(CheckBoxGlyphs, TheMarkOnTheScreenIsTheSkinsGlyphForTheCheckState) {
  test::TTestApplication app;
  TRecordingSink messages;
  auto* form = new test::TSkinnedTestForm(&app.App);
  form->SetBounds(100, 100, 300, 180);
  auto* manager = new TsSkinManager(form);
  manager->Messages = &messages;
  manager->SkinDirectory = test::WindowsPath(AC_SOURCE_DIR "/skins");
  manager->SetSkinName("VelmoraLight");
  form->Show();
  const auto make = [&](DWORD style, int y) {
    return platform::ScopedWindow(CreateWindowExW(0, L"BUTTON", L"Mark",
                                                  WS_CHILD | WS_VISIBLE | style, 10, y, 120, 24,
                                                  form->Handle(), nullptr, nullptr, nullptr));
  };
  platform::ScopedWindow check = make(BS_AUTOCHECKBOX, 10);
  platform::ScopedWindow radio = make(BS_AUTORADIOBUTTON, 40);
  platform::ScopedWindow threeState = make(BS_AUTO3STATE, 70);
  TacCtrlAdapter adapter;
  adapter.AdaptChildren(form->Handle());
  const TacSkinData& sd = manager->Core.CommonSkinData(96);
  const struct {
    HWND Window;
    WPARAM Check;
    int32_t Entry;
  } cases[] = {
      {check.Get(), BST_UNCHECKED, sd.CheckBox[0]},
      {check.Get(), BST_CHECKED, sd.CheckBox[1]},
      {threeState.Get(), BST_INDETERMINATE, sd.CheckBox[2]},
      {radio.Get(), BST_UNCHECKED, sd.RadioButton[0]},
      {radio.Get(), BST_CHECKED, sd.RadioButton[1]},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.Entry << " check " << c.Check);
    ASSERT_GE(c.Entry, 0);
    SendMessageW(c.Window, BM_SETCHECK, c.Check, 0);
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    auto& box = *dynamic_cast<TacCheckBoxWnd*>(adapter.AdapterOf(c.Window));
    EXPECT_EQ(box.MarkIndex(), c.Entry);
    const TRect mark = box.MarkRect();
    const TsMaskData& glyph = sd.ma[static_cast<size_t>(c.Entry)];
    EXPECT_EQ(mark.Width(), glyph.Width);
    EXPECT_EQ(mark.Height(), glyph.Height);
    // The expected face: the form's colour with the glyph in state 0.
    TBitmap expected(120, 24);
    FillCacheFromBackground(expected, QueryWindowBackground(c.Window), TPoint{0, 0});
    PaintSkinGlyph(expected.View(), mark.TopLeft(), TCacheInfo{}, sd, c.Entry, 0, TEnabled::Yes);
    HDC dc = GetDC(c.Window);
    for (int y = mark.Top; y < mark.Bottom; ++y)
      for (int x = mark.Left; x < mark.Right; ++x) {
        const uint32_t want = expected.View().At(x, y);
        const COLORREF rgb = RGB(want >> 16 & 0xFF, want >> 8 & 0xFF, want & 0xFF);
        ASSERT_EQ(GetPixel(dc, x, y), rgb) << x << "," << y;
      }
    ReleaseDC(c.Window, dc);
  }
}

}  // namespace
}  // namespace ac
