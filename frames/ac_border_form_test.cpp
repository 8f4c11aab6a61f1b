#include "frames/ac_border_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "frames/border_test_support.h"
#include "system/system.h"
#include "win32/handle_counts.h"

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
TRect ExpectedBorderRect(const TBorderFixture& f) {
  const TacSkinData& sd = f.Manager->Core.CommonSkinData(96);
  const int32_t fw = GetSystemMetrics(SM_CXFIXEDFRAME), c = GetSystemMetrics(SM_CYCAPTION);
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
  const TacSkinData& sd = F.Manager->Core.CommonSkinData(96);
  EXPECT_EQ(sd.ExDrawMode, 1);
  EXPECT_GE(sd.ExBorder, 0);
  ASSERT_TRUE(sd.ShdaTemplate && sd.ShdiTemplate);
  EXPECT_EQ(sd.FormShadowSize, TRect::LTRB(14, 14, 14, 14));
  EXPECT_EQ(sd.ExBorderWidth, 4);
  EXPECT_EQ(sd.ExTitleHeight, 32);
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
  // Shadow directly under the border window.
  EXPECT_EQ(GetWindow(border, GW_HWNDNEXT), shadow);
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
  // over the client and the 14-pixel shadow around do not.
  const TRect b = WindowRect(border);
  const TRect hole =
      TRect::XYWH(formRect.Left + fw - b.Left, formRect.Top + fw + c - b.Top, 262, 102);
  platform::ScopedRegion rgn(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(border, rgn.Get()), ERROR);
  const struct {
    TPoint P;
    bool In;
  } cases[] = {
      {{14, 14}, true},
      {{13, 14}, false},
      {{b.Width() - 15, b.Height() - 15}, true},
      {{b.Width() - 14, 50}, false},
      {{hole.Left, hole.Top}, false},
      {{hole.Right - 1, hole.Bottom - 1}, false},
      {{hole.Left - 1, hole.Top}, true},
      {{hole.Left, hole.Bottom}, true},
      {{b.Width() / 2, 20}, true},
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
  EXPECT_EQ(
      FindWindowExW(HWND_DESKTOP, nullptr, L"TacGlowForm", nullptr) == nullptr ||
          GetWindowThreadProcessId(FindWindowExW(HWND_DESKTOP, nullptr, L"TacGlowForm", nullptr),
                                   nullptr) != GetCurrentThreadId(),
      true);
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
                                                 const TsPixelBuffer& tpl, const TacSkinData& sd) {
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
      const int expected = static_cast<int>(premul + 255 - a);
      const int actual = static_cast<int>((got >> sh) & 255);
      if (std::abs(actual - expected) > 1)
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
  const TacSkinData& sd = F.Manager->Core.CommonSkinData(96);
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
