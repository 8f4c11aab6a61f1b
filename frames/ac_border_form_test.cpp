#include "frames/ac_border_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "frames/border_test_support.h"
#include "system/system.h"
#include "win32/handle_counts.h"
#include "win32/window_region.h"

namespace ac {
namespace {

using test::PumpUntil;
using test::TBorderFixture;

TRect WindowRect(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return TRect::LTRB(r.left, r.top, r.right, r.bottom);
}

// The border window's rectangle from live metrics and the skin's sizes: the
// extended frame reaches B - f past the form at the sides and the bottom,
// the title T - c - f above it, and the shadow S around all of that.
// The visible top-level windows of this thread, in handle order.
std::vector<HWND> ShownWindows() {
  std::vector<HWND> shown;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM list) {
        if (IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&shown));
  std::sort(shown.begin(), shown.end());
  return shown;
}

// The form's window region: its client area in window coordinates.
::testing::AssertionResult RegionIsTheClientArea(HWND form) {
  platform::ScopedRegion rgn(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(form, rgn.Get()) != SIMPLEREGION)
    return ::testing::AssertionFailure() << "no simple region";
  RECT box{}, client{}, window{};
  GetRgnBox(rgn.Get(), &box);
  GetClientRect(form, &client);
  MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&client), 2);
  GetWindowRect(form, &window);
  OffsetRect(&client, -window.left, -window.top);
  if (!EqualRect(&box, &client))
    return ::testing::AssertionFailure()
           << "region " << box.left << "," << box.top << "-" << box.right << "," << box.bottom
           << ", client " << client.left << "," << client.top << "-" << client.right << ","
           << client.bottom;
  return ::testing::AssertionSuccess();
}

TRect ExpectedBorderRect(const TBorderFixture& f) {
  const TacSkinData& sd = f.Skin();
  const bool sizeable = (GetWindowLongW(f.Form->Handle(), GWL_STYLE) & WS_THICKFRAME) != 0;
  const int32_t fw = sizeable ? GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER)
                              : GetSystemMetrics(SM_CXFIXEDFRAME);
  const int32_t c = GetSystemMetrics(SM_CYCAPTION);
  const TRect s = sd.FormShadowSize;
  const TRect form = WindowRect(f.Form->Handle());
  return TRect::LTRB(form.Left - (sd.ExBorderWidth - fw) - s.Left,
                     form.Top - (sd.ExTitleHeight - c - fw) - s.Top,
                     form.Right + (sd.ExBorderWidth - fw) + s.Right,
                     form.Bottom + (sd.ExBorderWidth - fw) + s.Bottom);
}

class BorderWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    F.Form->Show();
    PumpUntil(
        [&] { return F.Border->BorderHandle() && IsWindowVisible(F.Border->BorderHandle()); });
  }
  TBorderFixture F{test::SkinsFolder(AC_SOURCE_DIR)};
};

TEST_F(BorderWindowTest, TheSkinHasTheExtendedBorderThisTestExpects) {
  const TacSkinData& sd = F.Skin();
  EXPECT_EQ(sd.ExDrawMode, 1);
  EXPECT_GE(sd.ExBorder, 0);
  ASSERT_TRUE(sd.ShdaTemplate && sd.ShdiTemplate);
  // "FORMOFFSET", "BORDERWIDTH" and "TITLEHEIGHT" at the screen's resolution.
  const struct {
    int32_t Ppi, Shadow, Border, Title;
  } sizes[] = {{96, 14, 4, 32}, {120, 18, 5, 40}, {144, 21, 6, 48}, {192, 28, 8, 64}};
  for (const auto& z : sizes) {
    if (z.Ppi != sd.PPI) continue;
    EXPECT_EQ(sd.FormShadowSize, TRect::LTRB(z.Shadow, z.Shadow, z.Shadow, z.Shadow));
    EXPECT_EQ(sd.ExBorderWidth, z.Border);
    EXPECT_EQ(sd.ExTitleHeight, z.Title);
  }
}

TEST_F(BorderWindowTest, RectangleOwnerAndStylesOfBothWindows) {
  HWND border = F.Border->BorderHandle(), shadow = F.Border->ShadowHandle();
  ASSERT_TRUE(border && shadow);
  EXPECT_EQ(WindowRect(border), ExpectedBorderRect(F));
  EXPECT_EQ(WindowRect(shadow), ExpectedBorderRect(F));
  EXPECT_EQ(GetWindow(border, GW_OWNER), F.Form->Handle());
  EXPECT_EQ(GetWindow(shadow, GW_OWNER), F.Form->Handle());
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(border, GWL_EXSTYLE)), DWORD{WS_EX_LAYERED});
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(shadow, GWL_EXSTYLE)),
            DWORD{WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW});
  EXPECT_TRUE(IsWindowVisible(border));
  EXPECT_TRUE(IsWindowVisible(shadow));
  // Both directly above the form; their pictures never overlap, so either
  // may be the higher.
  const HWND above = GetWindow(F.Form->Handle(), GW_HWNDPREV);
  EXPECT_TRUE(above == border || above == shadow);
  EXPECT_EQ(GetWindow(above, GW_HWNDPREV), above == border ? shadow : border);
  // The form, its border and its shadow are all this thread shows.
  std::vector<HWND> expected{F.Form->Handle(), border, shadow};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ShownWindows(), expected);
}

TEST_F(BorderWindowTest, RegionsCutTheFormToItsClientAndTheBorderToItsFrame) {
  HWND form = F.Form->Handle(), border = F.Border->BorderHandle();
  const int32_t fw = GetSystemMetrics(SM_CXFIXEDFRAME), c = GetSystemMetrics(SM_CYCAPTION);
  const TRect formRect = WindowRect(form);
  platform::ScopedRegion formRgn(CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(GetWindowRgn(form, formRgn.Get()), SIMPLEREGION);
  RECT box{};
  GetRgnBox(formRgn.Get(), &box);
  EXPECT_EQ(TRect::LTRB(box.left, box.top, box.right, box.bottom),
            TRect::LTRB(fw, fw + c, formRect.Width() - fw, formRect.Height() - fw));

  // Border window (298 x 166 at 96 PPI): its frame takes the mouse, the hole
  // over the client and the shadow around (14 pixels at 96 PPI) do not.
  const TRect b = WindowRect(border);
  const TRect& s = F.Skin().FormShadowSize;
  RECT client{};
  GetClientRect(form, &client);
  const TRect hole = TRect::XYWH(formRect.Left + fw - b.Left, formRect.Top + fw + c - b.Top,
                                 client.right, client.bottom);
  platform::ScopedRegion rgn(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(border, rgn.Get()), ERROR);
  const struct {
    TPoint P;
    bool In;
  } cases[] = {
      {{s.Left, s.Top}, true},
      {{s.Left - 1, s.Top}, false},
      {{b.Width() - s.Right - 1, b.Height() - s.Bottom - 1}, true},
      {{b.Width() - s.Right, s.Top + 10}, false},
      {{hole.Left, hole.Top}, false},
      {{hole.Right - 1, hole.Bottom - 1}, false},
      {{hole.Left - 1, hole.Top}, true},
      {{hole.Left, hole.Bottom}, true},
      {{b.Width() / 2, s.Top + 6}, true},
  };
  for (const auto& cs : cases)
    EXPECT_EQ(PtInRegion(rgn.Get(), cs.P.X, cs.P.Y) != FALSE, cs.In) << cs.P.X << "," << cs.P.Y;
}

TEST_F(BorderWindowTest, HidingAndMinimisingTakeBorderAndShadowAway) {
  struct TStep {
    const char* Name;
    int Show;
    bool Border;
  } steps[] = {
      {"hidden", SW_HIDE, false},
      {"shown", SW_SHOW, true},
      {"minimised", SW_MINIMIZE, false},
      {"restored", SW_RESTORE, true},
      {"minimised again", SW_SHOWMINNOACTIVE, false},
      {"restored again", SW_RESTORE, true},
  };
  for (const TStep& s : steps) {
    ShowWindow(F.Form->Handle(), s.Show);
    PumpUntil([&] { return (F.Border->BorderHandle() != nullptr) == s.Border; }, 1000);
    HWND border = F.Border->BorderHandle(), shadow = F.Border->ShadowHandle();
    EXPECT_EQ(border != nullptr, s.Border) << s.Name;
    EXPECT_EQ(shadow != nullptr, s.Border) << s.Name;
    if (!s.Border) continue;
    EXPECT_TRUE(IsWindowVisible(border) && IsWindowVisible(shadow)) << s.Name;
    EXPECT_EQ(WindowRect(border), ExpectedBorderRect(F)) << s.Name;
    EXPECT_EQ(WindowRect(shadow), ExpectedBorderRect(F)) << s.Name;
  }
  // No window of ours is left anywhere on the screen while hidden.
  ShowWindow(F.Form->Handle(), SW_HIDE);
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(ShownWindows(), std::vector<HWND>{});
}

TEST_F(BorderWindowTest, MovesAndSizesAreFollowed) {
  const TRect cases[] = {TRect::XYWH(40, 60, 268, 131), TRect::XYWH(500, 300, 268, 131),
                         TRect::XYWH(-100, -50, 268, 131), TRect::XYWH(300, 200, 400, 250)};
  for (const TRect& r : cases) {
    SetWindowPos(F.Form->Handle(), nullptr, r.Left, r.Top, r.Width(), r.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(WindowRect(F.Border->BorderHandle()), ExpectedBorderRect(F));
    EXPECT_EQ(WindowRect(F.Border->ShadowHandle()), ExpectedBorderRect(F));
  }
}

// The screen over a white window shows each shadow pixel as the template's
// premultiplied pixel over white: colour + (255 - alpha). The corners of the
// image come from the template's corners unchanged (top-left from its
// top-left, bottom-right from its bottom-right), so the expected pixel is
// read straight from the skin's template.
::testing::AssertionResult ShadowMatchesTemplate(const TsPixelBuffer& screen,
                                                 const TsPixelBuffer& tpl, const TacSkinData& sd,
                                                 uint32_t opacity = 255) {
  const int32_t W = screen.Width, H = screen.Height;
  const TRect& s = sd.FormShadowSize;
  const TsMaskData& md = sd.ma[static_cast<std::size_t>(sd.ExBorder)];
  // The corner pieces: the whole margin wide, as high as the band drawn
  // outside the form (the shadow and the title above, the shadow and the
  // border below).
  const TRect topLeft = TRect::XYWH(0, 0, md.WL, std::min(md.WT, s.Top + sd.ExTitleHeight));
  const int32_t bottomBand = std::min(md.WB, sd.ExBorderWidth + s.Bottom);
  const TRect bottomRight = TRect::XYWH(W - md.WR, H - bottomBand, md.WR, bottomBand);
  const TRect frame = TRect::LTRB(s.Left, s.Top, W - s.Right, H - s.Bottom);
  bool translucent = false;
  auto check = [&](int32_t x, int32_t y, int32_t tx, int32_t ty) -> ::testing::AssertionResult {
    const uint32_t t = tpl.At(tx, ty), got = screen.At(x, y);
    const uint32_t a = t >> 24;
    translucent = translucent || (a > 0 && a < 255);
    const bool bright = ((t >> 0) & 255) > 244 && ((t >> 8) & 255) > 244 && ((t >> 16) & 255) > 244;
    for (int sh = 0; sh < 24; sh += 8) {
      uint32_t premul = (((t >> sh) & 255) * a) >> 8;
      if (bright && !platform::CompositionEnabled()) premul = std::min(premul, 244u);
      // With a constant opacity as well, both the colour and the alpha are
      // scaled by it (rounded once more, so one more of tolerance).
      const int expected =
          static_cast<int>((premul * opacity + 127) / 255 + 255 - (a * opacity + 127) / 255);
      const int actual = static_cast<int>((got >> sh) & 255);
      if (std::abs(actual - expected) > (opacity == 255 ? 1 : 2))
        return ::testing::AssertionFailure()
               << "screen pixel " << x << "," << y << " byte " << sh / 8 << " is " << actual
               << ", template " << tx << "," << ty << " gives " << expected;
    }
    return ::testing::AssertionSuccess();
  };
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) {
      if (frame.Contains({x, y})) continue;  // the frame, not the shadow
      if (topLeft.Contains({x, y})) {
        if (auto r = check(x, y, x, y); !r) return r;
      } else if (bottomRight.Contains({x, y})) {
        if (auto r = check(x, y, tpl.Width - (W - x), tpl.Height - (H - y)); !r) return r;
      }
    }
  if (!translucent) return ::testing::AssertionFailure() << "no translucent shadow pixel compared";
  return ::testing::AssertionSuccess();
}

// The form shown over a white window that was there first.
class BorderOverWhiteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    White = std::make_unique<test::TWhiteWindow>(ExpectedBorderRect(F).Inflate(40, 40));
    F.Form->Show();
    SetForegroundWindow(F.Form->Handle());
    PumpUntil([&] { return F.Border->BorderHandle() && F.Owner->Active; });
    PumpUntil([] { return false; }, 300);
  }
  TBorderFixture F{test::SkinsFolder(AC_SOURCE_DIR)};
  std::unique_ptr<test::TWhiteWindow> White;
};

TEST_F(BorderOverWhiteTest, ShadowIsThePremultipliedTemplateActiveAndInactive) {
  const TacSkinData& sd = F.Skin();
  const TRect b = WindowRect(F.Border->BorderHandle());
  ASSERT_TRUE(F.Owner->Active);
  TsPixelImage shot = test::SettledScreenPixels(b);
  EXPECT_TRUE(ShadowMatchesTemplate(shot, *sd.ShdaTemplate, sd)) << "active";

  // Another window takes the activation: the inactive template.
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 900, 800, 40, 40, nullptr,
                               nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  SetActiveWindow(other);
  PumpUntil([&] { return !F.Owner->Active; }, 1000);
  PumpUntil([] { return false; }, 300);
  shot = test::SettledScreenPixels(b);
  EXPECT_TRUE(ShadowMatchesTemplate(shot, *sd.ShdiTemplate, sd)) << "inactive";
  DestroyWindow(other);
}

TEST_F(BorderOverWhiteTest, APictureIsPushedOnlyWhenTheWindowsDoNotShowItYet) {
  // Showing, sizing and activating a form each ask for the picture; the
  // owner's image version tells whether the windows already show it.
  const TRect b = WindowRect(F.Border->BorderHandle());
  const TPoint p{b.Width() / 2, F.Skin().FormShadowSize.Top + 3};  // in the title band
  const auto shown = [&] { return test::SettledScreenPixels(b).View().At(p.X, p.Y) & 0xFFFFFFu; };
  const uint32_t before = shown();
  ASSERT_GT(before & 0xFFu, 0xE0u) << "not the light title band";
  F.Owner->BorderImage().At(p.X, p.Y) = 0xFFFF0000u;  // opaque red

  F.Border->UpdateExBordersPos(true);
  EXPECT_EQ(shown(), before) << "the same version was pushed again";

  ++F.Owner->Paints;  // the owner's pixels changed
  F.Border->UpdateExBordersPos(true);
  const uint32_t after = shown();
  EXPECT_TRUE(after >> 16 > 0xF0u && (after & 0xFFFFu) < 0x1010u) << std::hex << after;
}

TEST_F(BorderOverWhiteTest, AFormsOwnOpacityScalesBorderAndShadow) {
  const TacSkinData& sd = F.Skin();
  F.Owner->Opacity = 200;
  F.Border->MarkImageChanged();
  F.Border->UpdateExBordersPos(true);
  const TsPixelImage shot = test::SettledScreenPixels(WindowRect(F.Border->BorderHandle()));
  EXPECT_TRUE(ShadowMatchesTemplate(shot, *sd.ShdaTemplate, sd, 200));
}

// Moves the real mouse from From by Delta with the left button held, in
// steps, from another thread: the form's move loop runs on this one.
void DragMouse(TPoint from, TPoint delta) {
  std::thread input([=] {
    SetCursorPos(from.X, from.Y);
    Sleep(100);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Sleep(100);
    for (int i = 1; i <= 10; ++i) {
      SetCursorPos(from.X + delta.X * i / 10, from.Y + delta.Y * i / 10);
      Sleep(30);
    }
    Sleep(100);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  });
  const ULONGLONG end = GetTickCount64() + 3000;
  while (GetTickCount64() < end) PumpUntil([] { return false; }, 50);
  input.join();
}

TEST_F(BorderOverWhiteTest, DraggingTheTitleMovesByTheDeltaAndLeavesNoStrip) {
  const TRect before = WindowRect(F.Form->Handle());
  const TRect oldBorder = WindowRect(F.Border->BorderHandle());
  const TRect& s = F.Skin().FormShadowSize;
  const TPoint grip{oldBorder.Left + 100, oldBorder.Top + s.Top + 12};
  ASSERT_EQ(F.Border->Ex_WMNCHitTest(grip), kHitCaption);
  DragMouse(grip, {60, 40});
  EXPECT_EQ(F.Forwarded, std::vector<int32_t>{kHitCaption});
  EXPECT_EQ(WindowRect(F.Form->Handle()), before.Offset(60, 40));
  const TRect now = WindowRect(F.Border->BorderHandle());
  EXPECT_EQ(now, oldBorder.Offset(60, 40));
  EXPECT_EQ(WindowRect(F.Border->ShadowHandle()), now);

  // Where the border was and is no more, the white window shows again.
  const TRect area = TRect::LTRB(oldBorder.Left, oldBorder.Top, now.Right, now.Bottom);
  const TsPixelImage shot = test::SettledScreenPixels(area);
  for (int32_t y = 0; y < area.Height(); ++y)
    for (int32_t x = 0; x < area.Width(); ++x) {
      const TPoint p{area.Left + x, area.Top + y};
      if (now.Contains(p) || !White->Rect().Contains(p)) continue;
      ASSERT_EQ(shot.View().At(x, y) & 0xFFFFFF, 0xFFFFFFu) << "left behind at " << x << "," << y;
    }
}

void ClickMouse(TPoint at, int times = 1) {
  std::thread input([=] {
    SetCursorPos(at.X, at.Y);
    Sleep(150);
    for (int i = 0; i < times; ++i) {
      mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
      mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
      Sleep(40);
    }
  });
  const ULONGLONG end = GetTickCount64() + 1200;
  while (GetTickCount64() < end) PumpUntil([] { return false; }, 50);
  input.join();
}

TEST_F(BorderWindowTest, TheCloseButtonClosesOnlyWhenReleasedOverIt) {
  const TRect b = WindowRect(F.Border->BorderHandle());
  const TRect close = F.Owner->CloseRect({b.Width(), b.Height()}).Offset(b.Left, b.Top);
  const TPoint centre{(close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2};
  ASSERT_EQ(F.Border->Ex_WMNCHitTest(centre), kHitClose);
  // Pressed, then released over the caption: nothing.
  DragMouse(centre, {-80, 0});
  EXPECT_EQ(F.Forwarded, std::vector<int32_t>{kHitClose});
  EXPECT_FALSE(F.CloseAsked);
  ClickMouse(centre);
  EXPECT_TRUE(F.CloseAsked);
}

TEST_F(BorderWindowTest, AClickOnTheFrameActivatesTheFormNotTheBorder) {
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 60, 60, 40, 40, nullptr,
                               nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  PumpUntil([&] { return !F.Owner->Active; }, 1000);
  ASSERT_FALSE(F.Owner->Active);
  const TRect b = WindowRect(F.Border->BorderHandle());
  const TRect& s = F.Skin().FormShadowSize;
  ClickMouse({b.Left + s.Left + 1, b.Top + b.Height() / 2});  // the left border
  PumpUntil([&] { return F.Owner->Active; }, 1000);
  EXPECT_EQ(GetForegroundWindow(), F.Form->Handle());
  EXPECT_TRUE(F.Owner->Active);
  EXPECT_EQ(F.Forwarded.size(), 1u);
  DestroyWindow(other);
}

TEST_F(BorderWindowTest, DoubleClickingTheCaptionMaximizesOnlyWhereAllowed) {
  const TRect b = WindowRect(F.Border->BorderHandle());
  const TPoint caption{b.Left + 100, b.Top + F.Skin().FormShadowSize.Top + 6};
  const TRect before = WindowRect(F.Form->Handle());
  // The program's window: system menu only, never maximized.
  ClickMouse(caption, 2);
  EXPECT_FALSE(IsZoomed(F.Form->Handle()));
  EXPECT_EQ(WindowRect(F.Form->Handle()), before);
  // A form that may maximize does, and a second double click restores it.
  F.Owner->MaximizeEnabled = true;
  ClickMouse(caption, 2);
  ASSERT_TRUE(IsZoomed(F.Form->Handle()));
  const TRect zoomed = WindowRect(F.Border->BorderHandle());
  const TPoint title{zoomed.Left + 100, zoomed.Top + F.Skin().FormShadowSize.Top + 6};
  ASSERT_EQ(F.Border->Ex_WMNCHitTest(title), kHitCaption);
  SendMessageW(F.Border->BorderHandle(), WM_NCLBUTTONDBLCLK, kHitBorderWindow,
               MAKELPARAM(title.X, title.Y));
  EXPECT_FALSE(IsZoomed(F.Form->Handle()));
  EXPECT_EQ(WindowRect(F.Form->Handle()), before);
}

// The cursor the border window sets at a point of its own (border-window
// coordinates), or null when it leaves the cursor to the system.
HCURSOR CursorAt(const TBorderFixture& f, TPoint p) {
  HWND border = f.Border->BorderHandle();
  const TRect b = WindowRect(border);
  SetCursorPos(b.Left + p.X, b.Top + p.Y);
  SetCursor(nullptr);
  SendMessageW(border, WM_SETCURSOR, reinterpret_cast<WPARAM>(border),
               MAKELPARAM(kHitBorderWindow, WM_MOUSEMOVE));
  return GetCursor();
}

TEST(BorderCursors, ShapesByTheFramePartUnderTheMouse) {
  struct TCase {
    TPoint P;
    const wchar_t* Shape;
  };
  const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  {
    // The program's fixed frame: the arrow everywhere on the frame.
    TBorderFixture f(test::SkinsFolder(AC_SOURCE_DIR));
    f.Form->Show();
    PumpUntil([&] { return f.Border->BorderHandle() != nullptr; });
    const TRect& s = f.Skin().FormShadowSize;
    for (TPoint p :
         {TPoint{100, s.Top + 6}, TPoint{s.Left + 1, 100}, TPoint{s.Left + 1, s.Top + 1}})
      EXPECT_EQ(CursorAt(f, p), arrow) << p.X << "," << p.Y;
  }
  TBorderFixture f(test::SkinsFolder(AC_SOURCE_DIR), TFormBorderStyle::bsSizeable);
  f.Form->Show();
  PumpUntil([&] { return f.Border->BorderHandle() != nullptr; });
  const TRect b = WindowRect(f.Border->BorderHandle());
  const int32_t w = b.Width(), h = b.Height();
  // Just inside the window area: the sizing bands of a frame drawn by one image.
  const TRect& s = f.Skin().FormShadowSize;
  const int32_t l = s.Left + 1, t = s.Top + 1, r = w - s.Right - 1, bt = h - s.Bottom - 1;
  const TCase cases[] = {
      {{100, s.Top + 6}, IDC_ARROW}, {{l, 100}, IDC_SIZEWE},  {{r, 100}, IDC_SIZEWE},
      {{100, t}, IDC_SIZENS},        {{100, bt}, IDC_SIZENS}, {{l, t}, IDC_SIZENWSE},
      {{r, bt}, IDC_SIZENWSE},       {{r, t}, IDC_SIZENESW},  {{l, bt}, IDC_SIZENESW},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(CursorAt(f, c.P), LoadCursorW(nullptr, c.Shape)) << c.P.X << "," << c.P.Y;
}

// A sizeable form with its border shown.
class SizeableBorderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    F.Form->Show();
    PumpUntil(
        [&] { return F.Border->BorderHandle() && IsWindowVisible(F.Border->BorderHandle()); });
  }
  TBorderFixture F{test::SkinsFolder(AC_SOURCE_DIR), TFormBorderStyle::bsSizeable};
};

TEST_F(SizeableBorderTest, DraggingTheLeftBorderSizesTheForm) {
  const TRect before = WindowRect(F.Form->Handle());
  const TRect b = WindowRect(F.Border->BorderHandle());
  const TPoint band{b.Left + F.Skin().FormShadowSize.Left + 1, b.Top + b.Height() / 2};
  ASSERT_EQ(F.Border->Ex_WMNCHitTest(band), kHitLeft);
  DragMouse(band, {-30, 0});
  EXPECT_EQ(F.Forwarded, std::vector<int32_t>{kHitLeft});
  EXPECT_EQ(WindowRect(F.Form->Handle()),
            TRect::LTRB(before.Left - 30, before.Top, before.Right, before.Bottom));
  EXPECT_EQ(WindowRect(F.Border->BorderHandle()), ExpectedBorderRect(F));
  EXPECT_EQ(WindowRect(F.Border->ShadowHandle()), ExpectedBorderRect(F));
}

TEST_F(SizeableBorderTest, DoubleClicksOnSideBordersStretchAcrossTheWorkAreaAndBack) {
  const TacSkinData& sd = F.Skin();
  const TBorderMetrics m = F.Owner->Metrics();
  const int32_t e = m.BorderWidth - m.SysFrameWidth;
  const int32_t g = m.CaptionHeight - m.SysCaptionHeight - m.SysFrameWidth;
  RECT wa{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
  const TRect before = WindowRect(F.Form->Handle());
  auto doubleClick = [&](TPoint borderPoint) {
    const TRect b = WindowRect(F.Border->BorderHandle());
    SendMessageW(F.Border->BorderHandle(), WM_NCLBUTTONDBLCLK, kHitBorderWindow,
                 MAKELPARAM(b.Left + borderPoint.X, b.Top + borderPoint.Y));
  };
  const int32_t left = sd.FormShadowSize.Left + 1, top = sd.FormShadowSize.Top + 1;
  // Left border: across the work area, less the extra border on each side.
  doubleClick({left, 100});
  EXPECT_EQ(WindowRect(F.Form->Handle()),
            TRect::LTRB(wa.left + e, before.Top, wa.right - e, before.Bottom));
  EXPECT_EQ(WindowRect(F.Border->BorderHandle()), ExpectedBorderRect(F));
  // Top border: down the work area, less the extra title above and border below.
  doubleClick({200, top});
  EXPECT_EQ(WindowRect(F.Form->Handle()),
            TRect::LTRB(wa.left + e, wa.top + g, wa.right - e, wa.bottom - e));
  EXPECT_TRUE(RegionIsTheClientArea(F.Form->Handle()));
  // Each again: back where it was.
  doubleClick({left, 100});
  doubleClick({200, top});
  EXPECT_EQ(WindowRect(F.Form->Handle()), before);
  EXPECT_EQ(WindowRect(F.Border->BorderHandle()), ExpectedBorderRect(F));
}

TEST_F(SizeableBorderTest, DraggingTheTitleOfAMaximizedFormRestoresItUnderTheMouse) {
  F.Owner->MaximizeEnabled = true;
  const TRect restored = WindowRect(F.Form->Handle());
  ShowWindow(F.Form->Handle(), SW_MAXIMIZE);
  PumpUntil([&] { return IsZoomed(F.Form->Handle()) && F.Border->BorderHandle(); });
  ASSERT_TRUE(F.Border->BorderHandle());
  const TRect b = WindowRect(F.Border->BorderHandle());
  const TPoint title{(b.Left + b.Right) / 2, b.Top + F.Owner->Metrics().Shadow.Top + 20};
  ASSERT_EQ(F.Border->Ex_WMNCHitTest(title), kHitCaption);
  const TPoint delta{-150, 120};
  DragMouse(title, delta);
  ASSERT_FALSE(IsZoomed(F.Form->Handle()));
  const TRect now = WindowRect(F.Form->Handle());
  EXPECT_EQ(now.Width(), restored.Width());
  EXPECT_EQ(now.Height(), restored.Height());
  // Restored centred under the mouse at its first step; the mouse was within
  // 24 pixels of the screen's top, so the form's top went to -8; then dragged
  // on with the mouse.
  const TPoint first = title + TPoint{delta.X / 10, delta.Y / 10};
  const TPoint end = title + delta;
  ASSERT_LE(first.Y, 24);
  EXPECT_EQ(now.Left, end.X - restored.Width() / 2);
  EXPECT_EQ(now.Top, -8 + end.Y - first.Y);
  EXPECT_EQ(WindowRect(F.Border->BorderHandle()), ExpectedBorderRect(F));
}

// Drives a modal box over the border: once the box is active it is moved
// over the border's top-left corner (shadow and frame), and the screen in
// the box's rectangle is read three times: as it is, with border and shadow
// hidden (the box alone), and after the form moved under the box, which
// makes the border repaint and move. The first and last must show the box
// alone: nothing of the border may come over it.
struct TModalProbe {
  static inline TBorderFixture* Fixture = nullptr;
  static inline int Phase = 0;
  static inline int Ticks = 0;
  static inline bool Busy = false;
  static inline TsPixelImage AsShown, BoxAlone, AfterMove;

  static BOOL CALLBACK FindBox(HWND w, LPARAM out) {
    wchar_t name[16] = {};
    GetClassNameW(w, name, 16);
    if (IsWindowVisible(w) && std::wstring(name) == L"#32770") {
      *reinterpret_cast<HWND*>(out) = w;
      return FALSE;
    }
    return TRUE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (Busy || !box || GetActiveWindow() != box || ++Ticks < 4) return;
    Busy = true;
    TacBorderForm& border = *Fixture->Border;
    HWND form = Fixture->Form->Handle();
    const TRect b = WindowRect(border.BorderHandle());
    switch (Phase++) {
      case 0:
        SetWindowPos(box, nullptr, b.Left + 3, b.Top + 3, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
      case 1: {
        const TRect r = WindowRect(box);
        AsShown = test::SettledScreenPixels(r);
        ShowWindow(border.BorderHandle(), SW_HIDE);
        ShowWindow(border.ShadowHandle(), SW_HIDE);
        BoxAlone = test::SettledScreenPixels(r);
        SetWindowPos(form, nullptr, b.Left + 40, b.Top + 30, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        border.MarkImageChanged();
        border.UpdateExBordersPos(true);
        AfterMove = test::SettledScreenPixels(r);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        break;
      }
      default:
        break;
    }
    Busy = false;
  }
};

bool SamePixels(const TsPixelImage& a, const TsPixelImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height() || a.IsEmpty()) return false;
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x)
      if ((a.View().At(x, y) & 0xFFFFFF) != (b.View().At(x, y) & 0xFFFFFF)) return false;
  return true;
}

TEST_F(BorderWindowTest, AModalMessageBoxIsNeverCovered) {
  TModalProbe::Fixture = &F;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &TModalProbe::Tick);
  MessageBoxW(F.Form->Handle(), L"Над рамкой", L"Velmora", MB_OK);
  KillTimer(nullptr, timer);
  ASSERT_GE(TModalProbe::Phase, 2);
  EXPECT_TRUE(SamePixels(TModalProbe::AsShown, TModalProbe::BoxAlone));
  EXPECT_TRUE(SamePixels(TModalProbe::AfterMove, TModalProbe::BoxAlone));
  // Back with the form active: the border is shown around it again.
  PumpUntil([&] { return F.Border->BorderHandle() && IsWindowVisible(F.Border->BorderHandle()); });
  EXPECT_TRUE(IsWindowVisible(F.Border->BorderHandle()));
}

TEST_F(BorderWindowTest, FormAndBorderHoldTheirRegionsCountedUntilTheBorderGoes) {
  HWND form = F.Form->Handle();
  EXPECT_TRUE(platform::HoldsCountedRegion(form));
  EXPECT_TRUE(platform::HoldsCountedRegion(F.Border->BorderHandle()));
  const long gdi = platform::LiveHandleCounts().Gdi;
  F.Border.reset();
  EXPECT_FALSE(platform::HoldsCountedRegion(form));
  // The form's region and the border window's went, with the border's own
  // picture (its bitmap and memory DC, and the shadow window's).
  EXPECT_LE(platform::LiveHandleCounts().Gdi, gdi - 2);
}

TEST_F(BorderWindowTest, HandleCountsStayFlatOverMovesAndActivations) {
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 700, 700, 50, 50, nullptr,
                               nullptr, nullptr, nullptr);
  auto cycle = [&](int moves, int activations) {
    for (int i = 0; i < moves; ++i)
      SetWindowPos(F.Form->Handle(), nullptr, 100 + i % 37, 100 + i % 23, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < activations; ++i) {
      SetForegroundWindow(i % 2 ? F.Form->Handle() : other);
      SetActiveWindow(i % 2 ? F.Form->Handle() : other);
    }
  };
  cycle(5, 2);
  const platform::THandleCounts before = platform::LiveHandleCounts();
  const int paints = F.Owner->Paints;
  cycle(500, 100);
  EXPECT_EQ(platform::LiveHandleCounts(), before);
  // The activations did reach the border: each one repainted it.
  EXPECT_GE(F.Owner->Paints - paints, 100);
  DestroyWindow(other);
}

}  // namespace
}  // namespace ac
