#include "controls/ts_button.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "controls/skinned_form_test_support.h"
#include "controls/state_fade.h"
#include "framework/button.h"
#include "pixels/color_transform.h"
#include "win32/handle_counts.h"

namespace ac {
namespace {

using test::FirstDifference;
using test::TBytes;

std::string SkinFolder() {
  return test::WindowsPath(AC_SOURCE_DIR "/skins");
}

// The caption and the focus rectangle around it, with room for overhangs.
TRect CaptionHole(const TsButton& b, int state) {
  return b.CaptionRect(state).Inflate(4, 3);
}

LPARAM Centre(const TsButton& b) {
  return MAKELPARAM(b.Width() / 2, b.Height() / 2);
}

// Lets a running fade reach its end.
void Settle(TsButton& b) {
  test::PumpUntil([&] { return !IsAnimating(b.SkinData()); });
}

// Takes a running fade through at most Steps of its steps at once, as its
// timer would over as many periods; by default to its own end.
void RunFade(TsButton& b, int steps = 100) {
  TsCommonData& cd = b.SkinData();
  for (int i = 0; i < steps && IsAnimating(cd); ++i) cd.AnimTimer->StepNow();
}

// The face the button must show in State: the section over the panel's face
// at the button's place, faded over it when disabled.
TsPixelImage Expected(test::TSkinnedControls& c, int state, bool disabled) {
  const TacSkinData& sd = *c.Button->SkinData().CommonSkinData();
  const TRect place = c.Button->BoundsRect();
  TsPixelImage img = test::SectionOverParent(sd, "BUTTON", state, c.PanelFace(), place);
  if (disabled)
    ApplyDisabledLook(img.View(), MakeCacheInfo(c.PanelFace(), place.Left, place.Top), TPoint{0, 0},
                      dkBlended, clFuchsia);
  return img;
}

class SkinnedButtonTest : public ::testing::Test {
 protected:
  test::TSkinnedControls C{SkinFolder(), "VelmoraLight"};
  TsButton* Button = C.Button;

  HWND Wnd() { return Button->Handle(); }
  const TacSkinData& Skin() { return *Button->SkinData().CommonSkinData(); }
};

TEST_F(SkinnedButtonTest, AnswersAsASkinnedButtonOfTheButtonSection) {
  EXPECT_EQ(SendMessageW(Wnd(), WM_SKINCMD, SkinCommandWParam(SKC_ISSKINNED), 0), 1);
  EXPECT_EQ(SendMessageW(Wnd(), WM_SKINCMD, SkinCommandWParam(SKC_GETKIND), 0), 2);
  EXPECT_EQ(SendMessageW(Wnd(), WM_SKINCMD, SkinCommandWParam(SKC_DEFAULTINDEX), 0),
            GetSkinIndex(Skin(), "BUTTON") + 1);
  EXPECT_EQ(Button->SkinData().COC, kCocButton);
  EXPECT_EQ(GetWindowLongW(Wnd(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

struct TStateCase {
  const char* Name;
  std::function<void(TsButton&)> Drive;
  int State;
  bool Disabled;
};

TEST(SkinnedButtonFaces, EachStateShowsTheSectionPaintedForItOverThePanel) {
  const TStateCase cases[] = {
      {"normal", [](TsButton&) {}, 0, false},
      {"hot", [](TsButton& b) { b.Perform(CM_MOUSEENTER, 0, 0); }, 1, false},
      {"pressed",
       [](TsButton& b) { SendMessageW(b.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Centre(b)); }, 2,
       false},
      {"disabled", [](TsButton& b) { b.SetEnabled(false); }, 0, true},
  };
  for (const TStateCase& c : cases) {
    SCOPED_TRACE(c.Name);
    test::TSkinnedControls form(SkinFolder(), "VelmoraLight");
    TsButton& b = *form.Button;
    c.Drive(b);
    Settle(b);
    EXPECT_EQ(b.CurrentState(), c.State);
    const TsPixelBuffer face = b.SkinData().FCacheBmp.View();
    const TsPixelImage want = Expected(form, c.State, c.Disabled);
    // The disabled look fades toward the panel's colour, whose alpha is not
    // the panel face's; the screen shows colour bytes only.
    const TBytes bytes = c.Disabled ? TBytes::tbColour : TBytes::tbAll;
    EXPECT_EQ(FirstDifference(face, want.View(), bytes, CaptionHole(b, c.State)), "");
    // The caption is written into the hole.
    EXPECT_NE(FirstDifference(face, want.View()), "");
    // The screen shows the face, caption included.
    const TsPixelImage screen = test::ReadWindow(b.Handle());
    EXPECT_EQ(FirstDifference(screen.View(), face, TBytes::tbColour), "");
  }
}

// Writes a skin whose button states differ in nothing but the state number,
// so a pressed face can be laid over a hot one.
void WriteFlatSkin(const std::filesystem::path& folder, bool shiftOnClick) {
  std::filesystem::create_directories(folder);
  std::ofstream out(folder / "Options.dat", std::ios::binary);
  out << "[GLOBALINFO]\r\nVERSION=15.00\r\n"
      << "[PANEL]\r\nSTATES=1\r\nCOLOR=16777215\r\nFONTCOLOR=0\r\n"
      << "[BUTTON]\r\nSTATES=3\r\nCOLOR=15790320\r\nHOTCOLOR=15790320\r\nCOLOR2=15790320\r\n"
      << "FONTCOLOR=0\r\nHOTFONTCOLOR=0\r\nFONTCOLOR2=0\r\n"
      << (shiftOnClick ? "SHIFTCLICK=TRUE\r\n" : "");
}

TEST(SkinnedButtonCaption, PressingMovesTheCaptionOnePixelRightAndDownWhenTheSkinSaysSo) {
  struct TCase {
    const char* Name;
    bool ManagerShifts;
    bool SectionShifts;
    int Moves;
  } cases[] = {
      {"manager shifts", true, false, 1},
      {"section shifts", false, true, 1},
      {"neither", false, false, 0},
  };
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::filesystem::path dir =
        std::filesystem::path(temp) / ("acbutton" + std::to_string(GetCurrentProcessId()));
    WriteFlatSkin(dir / "Flat", c.SectionShifts);
    test::TSkinnedControls form(dir.string(), "Flat");
    form.Manager->ButtonsOptions.ShiftContentOnClick = c.ManagerShifts;
    TsButton& b = *form.Button;
    form.Panel->SetFocus();
    b.Perform(CM_MOUSEENTER, 0, 0);
    ASSERT_TRUE(b.PrepareCache());
    const TsPixelImage hot = test::Copy(b.SkinData().FCacheBmp.View());
    SendMessageW(b.Handle(), BM_SETSTATE, TRUE, 0);
    ASSERT_EQ(b.CurrentState(), 2);
    ASSERT_TRUE(b.PrepareCache());
    const TsPixelBuffer pressed = b.SkinData().FCacheBmp.View();
    EXPECT_EQ(b.CaptionRect(2).Left - b.CaptionRect(1).Left, c.Moves);
    EXPECT_EQ(b.CaptionRect(2).Top - b.CaptionRect(1).Top, c.Moves);
    // The pressed face is the hot face moved by the same amount.
    const TRect caption = b.CaptionRect(1).Inflate(2, 2);
    bool same = true;
    for (int y = caption.Top; y < caption.Bottom; ++y)
      for (int x = caption.Left; x < caption.Right; ++x)
        same = same && pressed.At(x + c.Moves, y + c.Moves) == hot.View().At(x, y);
    EXPECT_TRUE(same);
    if (c.Moves != 0) {
      EXPECT_NE(FirstDifference(hot.View(), pressed), "");
    }
    std::filesystem::remove_all(dir);
  }
}

TEST_F(SkinnedButtonTest, TheClearOutsideOfTheRoundedCornersLetsTheMouseThrough) {
  const int w = Button->Width(), h = Button->Height();
  struct TCase {
    int X, Y;
    LRESULT Hit;
  } cases[] = {
      {0, 0, HTTRANSPARENT},
      {w - 1, 0, HTTRANSPARENT},
      {0, h - 1, HTTRANSPARENT},
      {w - 1, h - 1, HTTRANSPARENT},
      {w / 2, h / 2, HTCLIENT},
      {w / 2, 0, HTCLIENT},
      {0, h / 2, HTCLIENT},
      {w - 1, h / 2, HTCLIENT},
      // Clear inside the border band, but inside the face: not a corner.
      {2, 2, HTCLIENT},
      {w - 3, h - 3, HTCLIENT},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.X) + "," + std::to_string(c.Y));
    POINT p{c.X, c.Y};
    ClientToScreen(Wnd(), &p);
    EXPECT_EQ(SendMessageW(Wnd(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), c.Hit);
    // The system follows the answer: a see-through point belongs to the panel.
    EXPECT_EQ(WindowFromPoint(p), c.Hit == HTTRANSPARENT ? C.Panel->Handle() : Wnd());
  }
}

TEST_F(SkinnedButtonTest, AClickThatDisablesTheButtonShowsTheDisabledFaceAtOnce) {
  int clicks = 0;
  Button->OnClick = [&](TComponent*) {
    ++clicks;
    Button->SetCaption("Скопировано");
    Button->SetEnabled(false);
  };
  // The press holds the mouse only in the active window: another program on
  // the same display may hold the activation when this test starts.
  SetForegroundWindow(C.Form->Handle());
  test::PumpUntil([&] { return GetActiveWindow() == C.Form->Handle(); });
  Button->Perform(CM_MOUSEENTER, 0, 0);
  Settle(*Button);
  SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, Centre(*Button));
  ASSERT_EQ(GetCapture(), Wnd());
  // The press fade runs to its end at once: the release follows the press
  // without a pause in which anything could take the mouse away.
  RunFade(*Button);
  ASSERT_FALSE(IsAnimating(Button->SkinData()));
  SendMessageW(Wnd(), WM_LBUTTONUP, 0, Centre(*Button));
  ASSERT_EQ(clicks, 1);
  // Before any message is pumped, the screen already holds the disabled face
  // with the new caption.
  const TsPixelImage expected = Expected(C, 0, true);
  const TsPixelImage first = test::ReadWindow(Wnd());
  EXPECT_EQ(
      FirstDifference(first.View(), expected.View(), TBytes::tbColour, CaptionHole(*Button, 0)),
      "");
  EXPECT_EQ(FirstDifference(first.View(), Button->SkinData().FCacheBmp.View(), TBytes::tbColour),
            "");
  EXPECT_EQ(Button->Caption(), "Скопировано");
  // Nothing that was under way shows over it later.
  test::PumpUntil([] { return false; }, 300);
  C.PaintNow();
  const TsPixelImage later = test::ReadWindow(Wnd());
  EXPECT_EQ(FirstDifference(later.View(), first.View(), TBytes::tbColour), "");
}

TEST_F(SkinnedButtonTest, SpaceAndEnterClickAsTheyDoOnTheFrameworksButton) {
  auto* plain = test::AddControl<TButton>(C.Form, C.Panel, 4, 70, 100, 23);
  plain->SetCaption("plain");
  ASSERT_EQ(GetActiveWindow(), C.Form->Handle());
  // Keys go through the application's message loop, where the dialog
  // manager sees them: Tab moves the focus onto the button and makes it the
  // default one, Enter then clicks the default button.
  const auto key = [&](HWND w, WPARAM vk) {
    PostMessageW(w, WM_KEYDOWN, vk, 1);
    PostMessageW(w, WM_KEYUP, vk, 0xC0000001);
    C.App.App.ProcessMessages();
  };
  struct TCase {
    const char* Name;
    TWinControl* Before;  // the control the Tab starts from
    TButton* Target;
  } cases[] = {{"skinned", C.Edit, Button}, {"framework", Button, plain}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    int clicks = 0;
    c.Target->OnClick = [&](TComponent*) { ++clicks; };
    c.Before->SetFocus();
    key(c.Before->Handle(), VK_TAB);
    ASSERT_EQ(GetFocus(), c.Target->Handle());
    key(c.Target->Handle(), VK_SPACE);
    EXPECT_EQ(clicks, 1);
    key(c.Target->Handle(), VK_RETURN);
    EXPECT_EQ(clicks, 2);
    c.Target->OnClick = nullptr;
  }
}

TEST_F(SkinnedButtonTest, HoldingSpaceShowsThePressedFace) {
  Button->SetFocus();
  SendMessageW(Wnd(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  Settle(*Button);
  EXPECT_EQ(Button->CurrentState(), 2);
  const TsPixelImage pressed = Expected(C, 2, false);
  const TsPixelImage screen = test::ReadWindow(Wnd());
  EXPECT_EQ(
      FirstDifference(screen.View(), pressed.View(), TBytes::tbColour, CaptionHole(*Button, 2)),
      "");
  SendMessageW(Wnd(), WM_KEYUP, VK_SPACE, 0xC0390001);
  Settle(*Button);
  EXPECT_EQ(Button->CurrentState(), 1);  // focused
}

TEST_F(SkinnedButtonTest, ANewCaptionShowsNothingOfTheSystemsOverTheFace) {
  ASSERT_TRUE(Button->Enabled());
  ASSERT_TRUE(IsWindowVisible(Wnd()));
  const TsPixelImage before = test::ReadWindow(Wnd());
  SendMessageW(Wnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Вставить"));
  // Nothing cleared the old caption on the screen...
  const TsPixelImage meanwhile = test::ReadWindow(Wnd());
  EXPECT_EQ(FirstDifference(meanwhile.View(), before.View(), TBytes::tbColour), "");
  // ...and the next paint shows the face with the new caption.
  UpdateWindow(Wnd());
  EXPECT_EQ(Button->Caption(), "Вставить");
  const TsPixelImage screen = test::ReadWindow(Wnd());
  EXPECT_EQ(FirstDifference(screen.View(), Button->SkinData().FCacheBmp.View(), TBytes::tbColour),
            "");
  EXPECT_NE(FirstDifference(screen.View(), before.View(), TBytes::tbColour), "");
  const TsPixelImage face = Expected(C, 0, false);
  EXPECT_EQ(FirstDifference(screen.View(), face.View(), TBytes::tbColour, CaptionHole(*Button, 0)),
            "");
}

TEST_F(SkinnedButtonTest, ComingBackDuringTheLeaveFadeEndsOnTheHotFace) {
  SetCursorPos(0, 0);
  const TsPixelImage hot = Expected(C, 1, false);
  // 5, 8 and 13 steps of 12 ms into the fade out: 60 to 160 ms. The fade
  // back in has only a step or two left, and its last frame is still a mix.
  for (const int steps : {5, 8, 13}) {
    SCOPED_TRACE(steps);
    Button->Perform(CM_MOUSEENTER, 0, 0);
    RunFade(*Button);
    Button->Perform(CM_MOUSELEAVE, 0, 0);
    RunFade(*Button, steps);
    ASSERT_TRUE(IsAnimating(Button->SkinData()));
    Button->Perform(CM_MOUSEENTER, 0, 0);
    RunFade(*Button);
    ASSERT_FALSE(IsAnimating(Button->SkinData()));
    ASSERT_EQ(Button->CurrentState(), 1);
    const TsPixelImage screen = test::ReadWindow(Wnd());
    EXPECT_EQ(FirstDifference(screen.View(), hot.View(), TBytes::tbColour, CaptionHole(*Button, 1)),
              "");
    EXPECT_EQ(FirstDifference(screen.View(), Button->SkinData().FCacheBmp.View(), TBytes::tbColour),
              "");
    Button->Perform(CM_MOUSELEAVE, 0, 0);
    RunFade(*Button);
  }
}

TEST_F(SkinnedButtonTest, EnteringMakesTheButtonTheActiveControlAndLightsItUnlessHoverIsOff) {
  SetCursorPos(0, 0);
  struct TCase {
    const char* Name;
    bool NoMouseHover;
    size_t Frames;
    int State;
  } cases[] = {{"hover shown", false, 7, 1}, {"no mouse hover", true, 0, 0}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    C.Manager->Options.NoMouseHover = c.NoMouseHover;
    C.Manager->SetActiveControl(C.Panel->Handle());
    size_t frames = 0;
    const TFadeFrameWatch watch([&](const TsCommonData&, const TBitmap&) { ++frames; });
    Button->Perform(CM_MOUSEENTER, 0, 0);
    RunFade(*Button);
    EXPECT_EQ(C.Manager->ActiveControl(), Wnd());
    EXPECT_EQ(frames, c.Frames);
    EXPECT_EQ(Button->CurrentState(), c.State);
    const TsPixelImage face = Expected(C, c.State, false);
    const TsPixelImage screen = test::ReadWindow(Wnd());
    EXPECT_EQ(FirstDifference(screen.View(), face.View(), TBytes::tbColour,
                              CaptionHole(*Button, c.State)),
              "");
    Button->Perform(CM_MOUSELEAVE, 0, 0);
    RunFade(*Button);
  }
}

TEST_F(SkinnedButtonTest, ThousandsOfHoversAndPressesHoldNoMoreObjects) {
  // Each fade starts for real (its images, its timer) and is then taken
  // through all of its steps at once, so a thousand of them take no wall
  // time.
  const auto finish = [&] {
    RunFade(*Button);
    EXPECT_FALSE(IsAnimating(Button->SkinData()));
    test::PumpUntil([] { return true; });
  };
  Button->Perform(CM_MOUSEENTER, 0, 0);
  Settle(*Button);
  Button->Perform(CM_MOUSELEAVE, 0, 0);
  Settle(*Button);
  const platform::THandleCounts before = platform::LiveHandleCounts();
  for (int i = 0; i < 1000; ++i) {
    Button->Perform(CM_MOUSEENTER, 0, 0);
    finish();
    Button->Perform(CM_MOUSELEAVE, 0, 0);
    finish();
  }
  for (int i = 0; i < 1000; ++i) {
    SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, Centre(*Button));
    finish();
    SendMessageW(Wnd(), WM_LBUTTONUP, 0, Centre(*Button));
    finish();
  }
  // At rest a control keeps no fade images, as when the count was taken.
  StopStateAnimation(Button->SkinData());
  EXPECT_EQ(platform::LiveHandleCounts(), before);
}

}  // namespace
}  // namespace ac
