#include "controls/state_fade.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "controls/ts_ctrl_skin_data.h"
#include "controls/ts_panel.h"
#include "framework/application_test_support.h"
#include "framework/form.h"
#include "manager/skin_command_delivery.h"
#include "manager/skin_list_controller.h"
#include "manager/ts_skin_manager.h"
#include "win32/handle_counts.h"
#include "win32/scoped_window.h"

namespace ac {
namespace {

// Pixel bytes blue, green, red, alpha.
using TPixel = std::array<uint8_t, 4>;

// The faces of the probe's states: plain colours, so every frame of a fade
// is one colour and the mix of each step can be read from any pixel.
constexpr TPixel kNormal{200, 100, 0, 255};
constexpr TPixel kActive{0, 50, 250, 255};
constexpr TPixel kPressed{30, 220, 90, 255};

class TFadeForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TFadeForm"; }
};

// A windowed control that lights up under the mouse like the button: it
// starts the fades itself on enter, leave, press and release, then lets the
// shared handler see the message. Its face is one colour per state, painted
// into the cache when SKC_PREPARECACHE asks.
class TFadeProbe : public TWinControl {
 public:
  explicit TFadeProbe(TComponent* owner, uint8_t coc = kCocButton)
      : TWinControl(owner), Data(*this, coc, "BUTTON") {
    TabStop = true;
  }
  std::string_view ClassName() const override { return "TFadeProbe"; }

  // Leaves hover to the shared handler alone (no fades of its own).
  bool OwnHover = true;
  bool Pressed = false;
  TsCtrlSkinData Data;

  void Press() {
    Pressed = true;
    Data.BGChanged = false;
    StartStateChange(Data, 2);
  }
  void Release() {
    Pressed = false;
    Data.BGChanged = false;
    StartStateChange(Data, 1);
  }

  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SKINCMD && SkinCommandCode(m.WParam) == SKC_PREPARECACHE) {
      PrepareCache();
      return;
    }
    if (OwnHover && m.Msg == CM_MOUSEENTER && !Data.FMouseAbove) {
      Data.BGChanged = false;
      Data.FMouseAbove = true;
      StartStateChange(Data, 1);
    } else if (OwnHover && m.Msg == CM_MOUSELEAVE && Data.FMouseAbove) {
      Data.BGChanged = false;
      Data.FMouseAbove = false;
      StartStateChange(Data, 0);
    }
    if (!Data.HandleCommonMessage(m)) TWinControl::WndProc(m);
  }

 protected:
  void CreateWindowHandleDone() override {
    TWinControl::CreateWindowHandleDone();
    Data.InitCommonProp(FHandle);
  }
  void PaintWindow(HDC dc) override {
    if (Data.BGChanged || Data.FCacheBmp.Width() != Width()) PrepareCache();
    const TBitmap& cache = Data.FCacheBmp;
    BitBlt(dc, 0, 0, cache.Width(), cache.Height(), cache.Canvas().Handle(), 0, 0, SRCCOPY);
  }

 private:
  void PrepareCache() {
    TBitmap& cache = Data.FCacheBmp;
    if (cache.Width() != Width() || cache.Height() != Height()) cache.SetSize(Width(), Height());
    const int state = Pressed ? 2 : Data.CurrentStateIndex();
    const TPixel& p = state == 2 ? kPressed : state == 1 ? kActive : kNormal;
    for (int y = 0; y < cache.Height(); ++y)
      for (int x = 0; x < cache.Width(); ++x)
        std::copy(p.begin(), p.end(), cache.ScanLine(y) + x * 4);
    Data.BGChanged = false;
    ++Data.RebuildCount;
  }
};

// Writes skin folder Dir\Name with a three-state BUTTON section and a PANEL.
void WriteSkin(const std::wstring& dir, const std::wstring& name) {
  const std::wstring folder = dir + L"\\" + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  std::ofstream out(std::filesystem::path(folder + L"\\Options.dat"), std::ios::binary);
  out << "[GLOBALINFO]\r\nVERSION=15.00\r\n"
      << "[BUTTON]\r\nSTATES=3\r\nCOLOR=255\r\n"
      << "[PANEL]\r\nSTATES=1\r\nCOLOR=8421504\r\n";
}

// The frames the fades show, as their first pixel, each checked to be one
// colour from corner to corner.
struct TFrameLog {
  std::vector<TPixel> Frames;
  bool AllPlain = true;
  TFadeFrameWatch Watch{[this](const TsCommonData&, const TBitmap& frame) {
    TPixel first{};
    std::copy(frame.ScanLine(0), frame.ScanLine(0) + 4, first.begin());
    const uint8_t* last = frame.ScanLine(frame.Height() - 1) + (frame.Width() - 1) * 4;
    if (!std::equal(first.begin(), first.end(), last)) AllPlain = false;
    Frames.push_back(first);
  }};
};

class StateFadeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    Dir = std::wstring(temp) + L"acfade" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(Dir.c_str(), nullptr);
    WriteSkin(Dir, L"Fades");
    Form->SetBounds(60, 60, 320, 200);
    Probe = test::AddControl<TFadeProbe>(Form, Form, 10, 10, 252, 23);
    Manager = new TsSkinManager(Form);
    Manager->Messages = &Messages;
    Manager->SkinDirectory = std::string(Dir.begin(), Dir.end());
    Manager->SetSkinName("Fades");
    // The manager lists the skins it can offer in the background; finished
    // now, its helper window is gone before any count is taken.
    Manager->SkinListController->UpdateIfNeeded(true);
    Form->Show();
    RedrawWindow(Form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ASSERT_TRUE(Probe->Data.Skinned());
    ASSERT_FALSE(Probe->Data.FCacheBmp.Empty());
    // The cursor away from the probe, so no real mouse move interferes.
    SetCursorPos(0, 0);
  }

  // Handles messages one at a time until Frames frames were shown in all
  // (or the fade ended, or nothing came for long): each message shows at
  // most one frame, so the count is exact.
  void PumpFrames(size_t frames) {
    const ULONGLONG end = GetTickCount64() + 3000;
    while (Log.Frames.size() < frames && IsAnimating(Probe->Data) && GetTickCount64() < end) {
      MSG msg;
      if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      } else {
        Sleep(1);
      }
    }
  }
  void PumpToEnd() { PumpFrames(SIZE_MAX); }

  void Enter() { Probe->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(Probe)); }
  void Leave() { Probe->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Probe)); }

  TPixel ScreenPixel(int x, int y) {
    HDC dc = GetDC(Probe->Handle());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(Probe->Handle(), dc);
    return {GetBValue(c), GetGValue(c), GetRValue(c), 255};
  }

  const TacThreadedTimer& Timer() { return *Probe->Data.AnimTimer; }

  std::wstring Dir;
  test::TTestApplication App;
  TRecordingSink Messages;
  TFadeForm* Form = new TFadeForm(&App.App);
  TFadeProbe* Probe = nullptr;
  TsSkinManager* Manager = nullptr;
  TFrameLog Log;
};

TEST_F(StateFadeTest, HoveringFromRestShowsSevenFramesOfTheMixEndingOnTheActiveFace) {
  const long timersAtRest = platform::LiveHandleCounts().Timers;
  Enter();
  // The first frame is on screen before the enter returns.
  ASSERT_EQ(Log.Frames.size(), 1u);
  EXPECT_TRUE(IsAnimating(Probe->Data));
  EXPECT_EQ(platform::LiveHandleCounts().Timers, timersAtRest + 1);
  PumpToEnd();
  // Each byte (w * (normal - active) + active * 256) >> 8, w = 213, 170,
  // 127, 85, 43, 0, 0.
  EXPECT_EQ(Log.Frames, (std::vector<TPixel>{{166, 91, 41, 255},
                                             {132, 83, 83, 255},
                                             {99, 74, 125, 255},
                                             {66, 66, 166, 255},
                                             {33, 58, 208, 255},
                                             kActive,
                                             kActive}));
  EXPECT_TRUE(Log.AllPlain);
  EXPECT_EQ(ScreenPixel(0, 0), kActive);
  EXPECT_EQ(ScreenPixel(251, 22), kActive);
  // At rest again: no timer runs, the lit images stay for the way back.
  EXPECT_FALSE(IsAnimating(Probe->Data));
  EXPECT_EQ(platform::LiveHandleCounts().Timers, timersAtRest);
  EXPECT_EQ(Timer().State, 1);
  EXPECT_NE(Timer().BmpOut, nullptr);
}

TEST_F(StateFadeTest, LeavingMidFadeReversesFromTheFrameOnScreenAndFreesEverything) {
  const platform::THandleCounts atRest = platform::LiveHandleCounts();
  Enter();
  PumpFrames(3);
  ASSERT_EQ(Log.Frames.size(), 3u);
  ASSERT_EQ(Log.Frames.back(), (TPixel{99, 74, 125, 255}));
  Log.Frames.clear();
  Leave();
  PumpToEnd();
  // From the third frame toward normal: w = 120, 113, ... down to 0; the
  // fade started late, so it runs on past its planned end until the light
  // is spent.
  EXPECT_EQ(Log.Frames, (std::vector<TPixel>{{152, 87, 58, 255},
                                             {155, 88, 55, 255},
                                             {158, 89, 51, 255},
                                             {160, 89, 48, 255},
                                             {163, 90, 44, 255},
                                             {166, 91, 41, 255},
                                             {169, 92, 38, 255},
                                             {171, 92, 34, 255},
                                             {174, 93, 31, 255},
                                             {177, 94, 27, 255},
                                             {180, 94, 24, 255},
                                             {183, 95, 20, 255},
                                             {186, 96, 17, 255},
                                             {188, 97, 13, 255},
                                             {191, 97, 10, 255},
                                             {194, 98, 6, 255},
                                             {197, 99, 3, 255},
                                             kNormal,
                                             kNormal}));
  EXPECT_EQ(ScreenPixel(100, 10), kNormal);
  EXPECT_EQ(Timer().BmpOut, nullptr);
  EXPECT_EQ(Timer().BmpFrom, nullptr);
  EXPECT_EQ(Timer().BmpTo, nullptr);
  EXPECT_EQ(Timer().State, -1);
  EXPECT_EQ(platform::LiveHandleCounts(), atRest);
}

TEST_F(StateFadeTest, PressingWhileLightingUpFadesFromTheCurrentFrame) {
  Enter();
  PumpFrames(2);
  ASSERT_EQ(Log.Frames.back(), (TPixel{132, 83, 83, 255}));
  Log.Frames.clear();
  Probe->Press();
  PumpToEnd();
  EXPECT_EQ(Log.Frames, (std::vector<TPixel>{{58, 182, 88, 255},
                                             {52, 189, 88, 255},
                                             {46, 197, 88, 255},
                                             {41, 205, 89, 255},
                                             {35, 212, 89, 255},
                                             kPressed,
                                             kPressed}));
  EXPECT_EQ(ScreenPixel(5, 5), kPressed);
  // Released: back to the lit face in six steps from the pressed one.
  Log.Frames.clear();
  Probe->Release();
  PumpToEnd();
  ASSERT_EQ(Log.Frames.size(), 7u);
  EXPECT_EQ(Log.Frames.back(), kActive);
}

TEST_F(StateFadeTest, ASecondRequestForTheSameTargetIsIgnored) {
  Enter();
  PumpFrames(2);
  const TacFadeCounters before = Timer();
  Probe->Data.BGChanged = false;
  StartStateChange(Probe->Data, 1);
  EXPECT_EQ(Log.Frames.size(), 2u);
  EXPECT_EQ(Timer().Iteration, before.Iteration);
  EXPECT_EQ(Timer().Glow, before.Glow);
  PumpToEnd();
  EXPECT_EQ(Log.Frames.size(), 7u);
}

TEST_F(StateFadeTest, WithoutAnimationEveryChangeIsAnImmediateRepaint) {
  Manager->Effects.AllowAnimation = false;
  const uint32_t rebuilt = Probe->Data.RebuildCount;
  Enter();
  EXPECT_FALSE(IsAnimating(Probe->Data));
  EXPECT_EQ(ScreenPixel(7, 7), kActive);
  Probe->Press();
  EXPECT_EQ(ScreenPixel(7, 7), kPressed);
  Probe->Release();
  Leave();
  EXPECT_EQ(ScreenPixel(7, 7), kNormal);
  EXPECT_TRUE(Log.Frames.empty());
  EXPECT_EQ(Probe->Data.AnimTimer, nullptr);
  EXPECT_EQ(Probe->Data.RebuildCount, rebuilt + 4);
}

// While it lives, the system refuses every message timer's window, as it
// does when the program is out of window handles.
class TRefusedTimerWindows {
 public:
  TRefusedTimerWindows() = default;

 private:
  static LRESULT CALLBACK Refuse(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) {
      wchar_t name[64] = {};
      GetClassNameW(reinterpret_cast<HWND>(wp), name, 64);
      if (std::wstring_view(name) == L"TTimerWindow") return 1;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }
  platform::ScopedHook FHook{WH_CBT, Refuse};
};

TEST_F(StateFadeTest, AFadeWhoseTimerCannotRunEndsAtOnceOnTheNewFace) {
  const long timersAtRest = platform::LiveHandleCounts().Timers;
  {
    const TRefusedTimerWindows refused;
    Enter();
  }
  EXPECT_FALSE(IsAnimating(Probe->Data));
  EXPECT_EQ(platform::LiveHandleCounts().Timers, timersAtRest);
  test::PumpUntil([] { return false; }, 60);
  EXPECT_EQ(ScreenPixel(0, 0), kActive);
  EXPECT_EQ(ScreenPixel(251, 22), kActive);
  // The next fade gets its timer and runs as usual.
  Leave();
  EXPECT_TRUE(IsAnimating(Probe->Data));
  PumpToEnd();
  EXPECT_EQ(ScreenPixel(0, 0), kNormal);
}

TEST_F(StateFadeTest, DestroyingAControlMidFadeLeavesNoTimer) {
  const long timersAtRest = platform::LiveHandleCounts().Timers;
  Enter();
  PumpFrames(2);
  ASSERT_TRUE(IsAnimating(Probe->Data));
  TComponent::Free(Probe);
  Probe = nullptr;
  EXPECT_EQ(platform::LiveHandleCounts().Timers, timersAtRest);
  // A step that was already due finds nothing to paint.
  test::PumpUntil([] { return false; }, 60);
  EXPECT_EQ(Log.Frames.size(), 2u);
}

TEST_F(StateFadeTest, WhatStopsARunningFade) {
  struct Case {
    const char* Name;
    std::function<void(TFadeProbe&)> Stop;
  };
  const Case cases[] = {
      {"SKC_STOPANIMATIONS",
       [](TFadeProbe& p) { SendSkinCommand(p.Handle(), SKC_STOPANIMATIONS, 0); }},
      {"SKC_BGCHANGED", [](TFadeProbe& p) { SendSkinCommand(p.Handle(), SKC_BGCHANGED, 0); }},
      {"WM_SHOWWINDOW", [](TFadeProbe& p) { SendMessageW(p.Handle(), WM_SHOWWINDOW, TRUE, 0); }},
      {"Invalidate", [](TFadeProbe& p) { p.Data.Invalidate(); }},
      {"WM_KILLFOCUS", [](TFadeProbe& p) { SendMessageW(p.Handle(), WM_KILLFOCUS, 0, 0); }},
  };
  const long timersAtRest = platform::LiveHandleCounts().Timers;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Leave();
    PumpToEnd();
    Enter();
    ASSERT_TRUE(IsAnimating(Probe->Data));
    c.Stop(*Probe);
    EXPECT_FALSE(IsAnimating(Probe->Data));
    EXPECT_EQ(Timer().BmpOut, nullptr);
    EXPECT_EQ(Timer().State, -1);
    EXPECT_EQ(platform::LiveHandleCounts().Timers, timersAtRest);
  }
}

TEST_F(StateFadeTest, HoverCyclesKeepTheObjectCountsFlat) {
  // One cycle first, so that everything made once (the fade's images, the
  // timer object) exists before counting.
  Enter();
  PumpToEnd();
  Leave();
  PumpToEnd();
  const platform::THandleCounts first = platform::LiveHandleCounts();
  for (int i = 0; i < 1000; ++i) {
    Enter();
    PumpFrames(Log.Frames.size() + 1);
    Leave();
    // Every fiftieth fade out runs to its end and frees its images.
    if (i % 50 == 49) PumpToEnd();
  }
  PumpToEnd();
  if (Probe->Data.FMouseAbove) {
    Leave();
    PumpToEnd();
  }
  EXPECT_EQ(platform::LiveHandleCounts(), first);
  EXPECT_EQ(ScreenPixel(3, 3), kNormal);
}

TEST_F(StateFadeTest, ComingBackWhileFadingOutEndsOnTheFaceOfAControlThatRepaintsItself) {
  // Back in while the fade out is a third of the way: the plan has two steps
  // left but starts at step 4, so its only frame is a mix. A control that
  // repaints itself (OnUpdateLight set, as the button does) then shows its
  // rebuilt face.
  Probe->Data.OnUpdateLight = [](TControl&, TacAnimUpdate&) {};
  Enter();
  PumpToEnd();
  Leave();
  PumpFrames(Log.Frames.size() + 6);
  Log.Frames.clear();
  const uint32_t rebuilt = Probe->Data.RebuildCount;
  Enter();
  ASSERT_EQ(Log.Frames.size(), 1u);
  EXPECT_FALSE(IsAnimating(Probe->Data));
  EXPECT_NE(Log.Frames[0], kActive);
  EXPECT_EQ(ScreenPixel(9, 9), kActive);
  // Once for the fade's new image, once for the repaint after its end.
  EXPECT_EQ(Probe->Data.RebuildCount, rebuilt + 2);
}

TEST_F(StateFadeTest, WithoutAnimationAControlThatRepaintsItselfIsAskedInsteadOfInvalidated) {
  Manager->Effects.AllowAnimation = false;
  int asked = 0;
  Probe->Data.OnUpdateLight = [&](TControl& owner, TacAnimUpdate& update) {
    EXPECT_EQ(&owner, Probe);
    ++asked;
    update.Repainted = true;
  };
  const uint32_t rebuilt = Probe->Data.RebuildCount;
  Enter();
  Leave();
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(Probe->Data.RebuildCount, rebuilt);
  EXPECT_TRUE(Log.Frames.empty());
}

// The shared handler's own hover rules, for a control that lets it keep the
// hover state.
class SharedHoverTest : public StateFadeTest {
 protected:
  void SetUp() override {
    StateFadeTest::SetUp();
    Probe->OwnHover = false;
  }
  void CursorAt(TWinControl& c, int x, int y) {
    POINT p{x, y};
    ClientToScreen(c.Handle(), &p);
    SetCursorPos(p.x, p.y);
  }
};

TEST_F(SharedHoverTest, EnteringLightsTheControlAndMakesItTheActiveOne) {
  Enter();
  EXPECT_TRUE(Probe->Data.FMouseAbove);
  EXPECT_EQ(Probe->Data.CurrentStateIndex(), 1);
  EXPECT_EQ(Manager->ActiveControl(), Probe->Handle());
  // A panel never lights up, but still becomes the active control.
  auto* panel = test::AddControl<TsPanel>(Form, Form, 10, 60, 100, 50);
  panel->SkinData().UpdateIndexes();
  panel->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(panel));
  EXPECT_FALSE(panel->SkinData().FMouseAbove);
  EXPECT_EQ(Manager->ActiveControl(), panel->Handle());
}

TEST_F(SharedHoverTest, ALeaveWhileTheCursorIsStillOverTheControlOrItsChildKeepsTheHover) {
  auto* child = test::AddControl<TFadeProbe>(Form, Probe, 200, 2, 40, 18);
  child->OwnHover = false;
  child->HandleNeeded();
  ShowWindow(child->Handle(), SW_SHOWNA);
  Enter();
  struct Case {
    const char* Where;
    TWinControl* Over;
    int X, Y;
    bool StillHovered;
  };
  const Case cases[] = {
      {"inside", Probe, 5, 5, true},
      {"on its child window", child, 5, 5, true},
      {"on the form beside it", Form, 300, 150, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Where);
    Probe->Data.FMouseAbove = true;
    CursorAt(*c.Over, c.X, c.Y);
    Leave();
    EXPECT_EQ(Probe->Data.FMouseAbove, c.StillHovered);
  }
}

TEST_F(SharedHoverTest, DisablingForgetsHoverAndFocus) {
  Enter();
  Probe->SetFocus();
  EXPECT_TRUE(Probe->Data.FFocused);
  Probe->SetEnabled(false);
  EXPECT_FALSE(Probe->Data.FMouseAbove);
  EXPECT_FALSE(Probe->Data.FFocused);
  EXPECT_EQ(Probe->Data.CurrentStateIndex(), 0);
}

TEST_F(SharedHoverTest, FocusIsSeenOnlyByAFocusableTabStop) {
  Probe->SetFocus();
  EXPECT_TRUE(Probe->Data.FFocused);
  EXPECT_TRUE(Probe->Data.BGChanged);
  auto* other = test::AddControl<TFadeProbe>(Form, Form, 10, 120, 50, 20);
  other->Data.UpdateIndexes();
  other->SetFocus();
  EXPECT_FALSE(Probe->Data.FFocused);
  EXPECT_TRUE(other->Data.FFocused);
  Probe->TabStop = false;
  Probe->SetFocus();
  EXPECT_FALSE(Probe->Data.FFocused);
}

}  // namespace
}  // namespace ac
