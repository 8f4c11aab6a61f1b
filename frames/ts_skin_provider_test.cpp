#include "frames/ts_skin_provider.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "controls/ts_edit.h"
#include "controls/ts_panel.h"
#include "frames/ac_provider.h"
#include "frames/frame_classes.h"
#include "frames/frame_test_support.h"
#include "framework/button.h"
#include "framework/label.h"
#include "framework/screen.h"
#include "manager/skin_command_delivery.h"
#include "paint/border_layout.h"
#include "paint/form_frame.h"
#include "pixels/pixel_buffer_test_support.h"
#include "skin/skin_data_lookup.h"
#include "win32/gdi_text.h"
#include "win32/handle_counts.h"

namespace ac {

std::string test::SkinsFolder() {
  // Wine maps the root of the file system to Z:.
  std::string path = "Z:" + std::string(AC_SOURCE_DIR) + "/skins";
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

namespace {

// A form with a plain (not extended) skinned frame: single border, only the
// system-menu icon, shown under the Velmora Light skin.
class SkinnedFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Program.Manager->IsActive())
        << (Program.Messages.Entries.empty() ? "" : Program.Messages.Entries[0].Text);
    ASSERT_TRUE(ActivationHookInstalled());
    Form = NewForm(TFormBorderStyle::bsSingle);
  }
  test::TFrameTestForm* NewForm(TFormBorderStyle style, int tag = 0) {
    auto* f = new test::TFrameTestForm(&Program.App.App);
    f->BorderStyle = style;
    f->BorderIcons = 1u << static_cast<int>(TBorderIcon::biSystemMenu);
    f->Position = TPosition::poDesigned;
    f->Tag = tag;
    f->SetBounds(120, 100, 300, 160);
    f->SetCaption("Рамка");
    return f;
  }

  // Shows F and lets it paint.
  void ShowAndPaint(TCustomForm* f) {
    f->Show();
    test::PumpUntil([] { return false; }, 150);
  }

  // Makes F the active window again: a test program beside this one on the
  // same display may have taken the activation.
  bool Activate(TCustomForm* f) {
    HWND w = f->Handle();
    return test::PumpUntil(
        [&] {
          if (GetForegroundWindow() != w) SetForegroundWindow(w);
          if (GetActiveWindow() != w) SetActiveWindow(w);
          return GetActiveWindow() == w && FrameOf(f) && FrameOf(f)->FormActive();
        },
        2000);
  }

  TacFrameAdapter* FrameOf(TCustomForm* f) {
    TacProvider* p = FindAttachment(f->Handle());
    return p && p->sp ? p->sp->Frame() : nullptr;
  }

  LRESULT HitAt(HWND w, int x, int y) {
    RECT r{};
    GetWindowRect(w, &r);
    return SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
  }

  test::TSkinnedProgram Program{test::SkinsFolder(), "VelmoraLight"};
  TsSkinManager* Manager = Program.Manager;
  test::TFrameTestForm* Form = nullptr;
};

TEST_F(SkinnedFrameTest, FirstActivationAttachesTheFrameAndTakesTheSystemMenuStyle) {
  HWND w = Form->Handle();
  EXPECT_EQ(FindAttachment(w), nullptr);
  EXPECT_NE(GetWindowLongW(w, GWL_STYLE) & WS_SYSMENU, 0);
  ShowAndPaint(Form);
  TacFrameAdapter* frame = FrameOf(Form);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->Skinned());
  EXPECT_NE(GetPropW(w, kCommonDataProp), nullptr);
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & WS_SYSMENU, 0);
  EXPECT_EQ(SendMessageW(w, WM_SKINCMD, SkinCommandWParam(SKC_ISSKINNED), 0), 1);
  EXPECT_EQ(SendMessageW(w, WM_SKINCMD, SkinCommandWParam(SKC_GETKIND), 0), kFormKind);
  // The system menu itself stays, for the skin to show later.
  EXPECT_NE(GetSystemMenu(w, FALSE), nullptr);
}

// A new resolution reaches every skinned control of a framed form, through
// the panel they lie on, and they take the skin loaded for it.
TEST_F(SkinnedFrameTest, AScaleChangeReachesTheControlsOfAFramedForm) {
  auto* panel = test::AddControl<TsPanel>(Form, Form, 1, 3, 260, 97);
  auto* edit = test::AddControl<TsEdit>(Form, panel, 4, 16, 252, 21);
  ShowAndPaint(Form);
  ASSERT_TRUE(Activate(Form));
  ASSERT_TRUE(IsWindowSkinned(Form->Handle()));
  // Stored until the custom mode is chosen, then applied at every change.
  Program.Manager->SetPixelsPerInch(144);
  Program.Manager->SetScaleMode(smCustomPPI);
  for (const int ppi : {144, 120, 96}) {
    SCOPED_TRACE(ppi);
    Program.Manager->SetPixelsPerInch(ppi);
    EXPECT_EQ(FrameOf(Form)->SkinData(), &Program.Manager->Core.CommonSkinData(ppi));
    EXPECT_EQ(panel->SkinData().CurrentPPI, ppi);
    EXPECT_EQ(edit->SkinData().CurrentPPI, ppi);
    EXPECT_EQ(edit->SkinData().CommonSkinData(), &Program.Manager->Core.CommonSkinData(ppi));
  }
}

// A plain label lying directly on a framed form writes in the colour of the
// form's section, as one on a skinned panel writes in the panel's.
TEST_F(SkinnedFrameTest, APlainLabelOnTheFormTakesTheFormSectionFontColour) {
  auto* label = test::AddControl<TLabel>(Form, Form, 10, 10, 80, 16);
  label->SetCaption("Метка");
  ShowAndPaint(Form);
  ASSERT_TRUE(Activate(Form));
  const TacSkinData& sd = *FrameOf(Form)->SkinData();
  const TColor expected = sd.gd[GetSkinIndex(sd, "FORM")].Props[0].FontColor.Color;
  ASSERT_NE(expected, ColorToRGB(Form->Font().Color()));
  EXPECT_EQ(label->Font().Color(), expected);
}

TEST_F(SkinnedFrameTest, TheFrameWidthAnswerFollowsTheKindAsked) {
  auto* sizeable = NewForm(TFormBorderStyle::bsSizeable);
  ShowAndPaint(Form);
  ASSERT_TRUE(Activate(Form));
  ShowAndPaint(sizeable);
  ASSERT_TRUE(Activate(sizeable));
  const int pad = GetSystemMetrics(SM_CXPADDEDBORDER);
  const auto measured = [](HWND w) {
    RECT r{}, c{};
    GetWindowRect(w, &r);
    GetClientRect(w, &c);
    return ((r.right - r.left) - (c.right - c.left)) / 2;
  };
  struct TCase {
    TCustomForm* F;
    LPARAM Asked;
    int Expected;
  };
  const TCase cases[] = {
      {Form, 1, GetSystemMetrics(SM_CXFRAME)},
      {Form, 2, GetSystemMetrics(SM_CXFIXEDFRAME)},
      {Form, 3, measured(Form->Handle())},
      // Only the low word names the kind.
      {Form, MAKELPARAM(3, 7), measured(Form->Handle())},
      {Form, 0, GetSystemMetrics(SM_CXFIXEDFRAME)},
      {sizeable, 1, GetSystemMetrics(SM_CXFRAME) + pad},
      {sizeable, 2, GetSystemMetrics(SM_CXFIXEDFRAME) + pad},
      {sizeable, 3, measured(sizeable->Handle())},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.F == Form ? 0 : 1) + " asked " + std::to_string(c.Asked));
    EXPECT_EQ(
        SendMessageW(c.F->Handle(), WM_SKINCMD, SkinCommandWParam(SKC_GETFRAMEWIDTH), c.Asked),
        c.Expected);
  }
}

// A right click on the title drops the skinned window menu, never the
// system's own.
TEST_F(SkinnedFrameTest, ARightClickOnTheTitleShowsTheSkinnedWindowMenu) {
  ShowAndPaint(Form);
  ASSERT_TRUE(Activate(Form));
  static HMENU shown;
  shown = nullptr;
  // Read while the menu loop runs: a thread timer fires inside it.
  const auto watch = [] {
    SetTimer(nullptr, 0, 150, [](HWND, UINT, UINT_PTR id, DWORD) {
      EnumThreadWindows(
          GetCurrentThreadId(),
          [](HWND w, LPARAM) -> BOOL {
            if (GetClassLongW(w, GCW_ATOM) != 0x8000 || !IsWindowVisible(w)) return TRUE;
            shown = reinterpret_cast<HMENU>(SendMessageW(w, MN_GETHMENU, 0, 0));
            return FALSE;
          },
          0);
      KillTimer(nullptr, id);
      EndMenu();
    });
  };
  RECT wr{};
  GetWindowRect(Form->Handle(), &wr);
  const LPARAM at = MAKELPARAM(wr.left + 60, wr.top + 8);
  ASSERT_EQ(SendMessageW(Form->Handle(), WM_NCHITTEST, 0, at), HTCAPTION);
  watch();
  SendMessageW(Form->Handle(), WM_NCRBUTTONDOWN, HTCAPTION, at);
  SendMessageW(Form->Handle(), WM_NCRBUTTONUP, HTCAPTION, at);
  test::PumpUntil([] { return false; }, 300);
  TacProvider* p = FindAttachment(Form->Handle());
  ASSERT_NE(p->sp->SystemMenu(), nullptr);
  EXPECT_NE(shown, nullptr);
  EXPECT_NE(shown, GetSystemMenu(Form->Handle(), FALSE));
}

TEST_F(SkinnedFrameTest, TheRegionLeavesOutExactlyTheKeyCornersOfTheBorderImage) {
  ShowAndPaint(Form);
  TacFrameAdapter* frame = FrameOf(Form);
  ASSERT_NE(frame, nullptr);
  HWND w = Form->Handle();
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetWindowRgn(w, rgn), COMPLEXREGION);
  const TsFormFrameInputs in = frame->CurrentInputs();
  const std::vector<TRect> cut = FrameRegionCutouts(*frame->SkinData(), in);
  ASSERT_FALSE(cut.empty());
  const auto isCut = [&](int x, int y) {
    for (const TRect& r : cut)
      if (r.Contains({x, y})) return true;
    return false;
  };
  // Every pixel of the four 12 x 12 corners and of the middle row.
  std::vector<TPoint> probes;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      probes.push_back({x, y});
      probes.push_back({in.Window.cx - 1 - x, y});
      probes.push_back({x, in.Window.cy - 1 - y});
      probes.push_back({in.Window.cx - 1 - x, in.Window.cy - 1 - y});
    }
  for (int x = 0; x < in.Window.cx; ++x) probes.push_back({x, in.Window.cy / 2});
  int cutSeen = 0;
  for (TPoint p : probes) {
    EXPECT_EQ(PtInRegion(rgn, p.X, p.Y) != FALSE, !isCut(p.X, p.Y)) << p.X << "," << p.Y;
    cutSeen += isCut(p.X, p.Y);
  }
  EXPECT_GT(cutSeen, 0);
  DeleteObject(rgn);
}

TEST_F(SkinnedFrameTest, HitTestsAnswerFromTheLiveSystemMetrics) {
  ShowAndPaint(Form);
  HWND w = Form->Handle();
  const TacSkinData* sd = FrameOf(Form)->SkinData();
  RECT wr{};
  GetWindowRect(w, &wr);
  const int width = wr.right - wr.left, height = wr.bottom - wr.top;
  const int f = GetSystemMetrics(SM_CXFIXEDFRAME);
  const int c = GetSystemMetrics(SM_CYCAPTION);
  const int centre = c / 2 + f / 2;
  // The lone close button: one frame of its glyph wide, the close glyph high,
  // at the title's right edge, centred on the title's centre line.
  const TsMaskData& glyph = sd->ma[static_cast<size_t>(sd->TitleGlyphs[tgCloseAlone])];
  const int right = width - std::max(f, 4);
  const int closeLeft = right - glyph.Width;
  struct TCase {
    int X, Y;
    LRESULT Code;
  };
  const TCase cases[] = {
      {closeLeft + glyph.Width / 2, centre, HTCLOSE},
      {closeLeft, centre, HTCLOSE},
      {right - 1, centre, HTCLOSE},
      {closeLeft - 1, centre, HTCAPTION},
      {width / 2, f + c / 2, HTCAPTION},
      {width / 2, 0, HTCAPTION},
      {f + 8, centre, HTSYSMENU},
      {f + 16, centre, HTCAPTION},
      {0, height / 2, HTBORDER},
      {width - 1, height / 2, HTBORDER},
      {width / 2, height - 1, HTBORDER},
      {width / 2, height / 2, HTCLIENT},
  };
  for (const TCase& k : cases) EXPECT_EQ(HitAt(w, k.X, k.Y), k.Code) << k.X << "," << k.Y;
}

TEST_F(SkinnedFrameTest, ASizingFrameAnswersTheResizeCodesInItsBorderBands) {
  auto* sizeable = NewForm(TFormBorderStyle::bsSizeable);
  ShowAndPaint(sizeable);
  HWND w = sizeable->Handle();
  ASSERT_NE(FrameOf(sizeable), nullptr);
  RECT wr{};
  GetWindowRect(w, &wr);
  const int width = wr.right - wr.left, height = wr.bottom - wr.top;
  const int f = GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
  struct TCase {
    int X, Y;
    LRESULT Code;
  };
  const TCase cases[] = {
      {0, 0, HTTOPLEFT},
      {width - 1, 0, HTTOPRIGHT},
      {0, height - 1, HTBOTTOMLEFT},
      {width - 1, height - 1, HTBOTTOMRIGHT},
      {width / 2, 0, HTTOP},
      {width / 2, f - 1, HTTOP},
      {width / 2, height - 1, HTBOTTOM},
      {0, height / 2, HTLEFT},
      {f - 1, height / 2, HTLEFT},
      {width - f, height / 2, HTRIGHT},
      {width / 2, f, HTCAPTION},
      {width / 2, height / 2, HTCLIENT},
  };
  for (const TCase& k : cases) EXPECT_EQ(HitAt(w, k.X, k.Y), k.Code) << k.X << "," << k.Y;
}

// The frame on the screen: the pixels outside the client area and inside the
// window region are the paint layer's render of the frame at the window's
// size (the system's icon excepted), in the active and the inactive look.
TEST_F(SkinnedFrameTest, TheScreenShowsThePaintedFrameActiveAndInactive) {
  ShowAndPaint(Form);
  HWND w = Form->Handle();
  TacFrameAdapter* frame = FrameOf(Form);
  ASSERT_NE(frame, nullptr);
  const auto compare = [&](const char* look) {
    const test::TFrameComparison c = test::CompareFrame(w, *frame, "Рамка");
    EXPECT_EQ(c.Differing, 0) << look << ": " << c.Report;
    EXPECT_GT(c.Compared, 0) << look;
    return c.Shown;
  };
  ASSERT_TRUE(Activate(Form));
  const TsPixelImage active = compare("active");
  // Another window takes the activation: the frame turns inactive.
  auto* other = NewForm(TFormBorderStyle::bsSingle);
  other->SetBounds(500, 400, 200, 100);
  ShowAndPaint(other);
  ASSERT_FALSE(frame->FormActive());
  const TsPixelImage inactive = compare("inactive");
  EXPECT_NE(test::Pixels(active.View()), test::Pixels(inactive.View()));
}

TEST_F(SkinnedFrameTest, ANewCaptionIsWrittenIntoTheSkinnedTitle) {
  ShowAndPaint(Form);
  HWND w = Form->Handle();
  TacFrameAdapter* frame = FrameOf(Form);
  ASSERT_NE(frame, nullptr);
  Form->SetCaption("Другая рамка");
  const test::TFrameComparison c = test::CompareFrame(w, *frame, "Другая рамка");
  EXPECT_EQ(c.Differing, 0) << c.Report;
  EXPECT_GT(test::CompareFrame(w, *frame, "Рамка").Differing, 0);
}

// Records the system commands that reach the form below its frame adapter.
struct TCommandRecorder {
  std::vector<WPARAM> Commands;
  TWindowProcHook Hook;
  explicit TCommandRecorder(TControl& c) {
    Hook = c.HookWindowProc([this](TMessage& m, const TWndMethod& previous) {
      if (m.Msg == WM_SYSCOMMAND) {
        Commands.push_back(m.WParam & 0xFFF0);
        return;  // the form stays open
      }
      previous(m);
    });
  }
};

TEST_F(SkinnedFrameTest, TheCloseButtonClosesOnlyWhenReleasedOverIt) {
  TCommandRecorder recorder(*Form);
  ShowAndPaint(Form);
  HWND w = Form->Handle();
  TacFrameAdapter* frame = FrameOf(Form);
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(frame->Layout().Buttons.size(), 1u);
  const TRect close = frame->Layout().Buttons[0].cpRect;
  RECT wr{};
  GetWindowRect(w, &wr);
  const POINT on{wr.left + (close.Left + close.Right) / 2, wr.top + std::max(close.Top, 0) + 4};
  const auto clientPoint = [&](POINT screen) {
    ScreenToClient(w, &screen);
    return MAKELPARAM(screen.x, screen.y);
  };
  struct TCase {
    const char* Name;
    POINT Release;
    size_t Commands;
  };
  const TCase cases[] = {
      {"released off the button", {wr.left + 40, wr.top + 60}, 0},
      {"released on the button", on, 1},
  };
  for (const TCase& c : cases) {
    recorder.Commands.clear();
    ASSERT_EQ(HitAt(w, on.x - wr.left, on.y - wr.top), HTCLOSE);
    SendMessageW(w, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(on.x, on.y));
    EXPECT_EQ(frame->Layout().Buttons[0].cpState, kButtonPressed) << c.Name;
    EXPECT_EQ(GetCapture(), w) << c.Name;
    SendMessageW(w, WM_LBUTTONUP, 0, clientPoint(c.Release));
    test::PumpUntil([&] { return !recorder.Commands.empty(); }, 300);
    EXPECT_EQ(frame->Layout().Buttons[0].cpState, kButtonNormal) << c.Name;
    EXPECT_NE(GetCapture(), w) << c.Name;
    ASSERT_EQ(recorder.Commands.size(), c.Commands) << c.Name;
    if (c.Commands) {
      EXPECT_EQ(recorder.Commands[0], static_cast<WPARAM>(SC_CLOSE));
    }
  }
}

TEST_F(SkinnedFrameTest, TheMaximizeButtonMaximizesAndRestoresWithItsGlyphAndRegion) {
  auto* f = NewForm(TFormBorderStyle::bsSizeable);
  f->BorderIcons = (1u << static_cast<int>(TBorderIcon::biSystemMenu)) |
                   (1u << static_cast<int>(TBorderIcon::biMaximize)) |
                   (1u << static_cast<int>(TBorderIcon::biMinimize));
  ShowAndPaint(f);
  HWND w = f->Handle();
  TacFrameAdapter* frame = FrameOf(f);
  ASSERT_NE(frame, nullptr);
  const auto glyphs = [&] {
    std::vector<TacTitleGlyph> g;
    for (const TsCaptionButton& b : frame->Layout().Buttons) g.push_back(b.cpGlyphType);
    return g;
  };
  const auto clickMax = [&] {
    const TsCaptionButton* max = nullptr;
    for (const TsCaptionButton& b : frame->Layout().Buttons)
      if (b.cpHitCode == HTMAXBUTTON) max = &b;
    ASSERT_NE(max, nullptr);
    RECT wr{};
    GetWindowRect(w, &wr);
    POINT at{wr.left + (max->cpRect.Left + max->cpRect.Right) / 2,
             wr.top + (std::max(max->cpRect.Top, 0) + max->cpRect.Bottom) / 2};
    ASSERT_EQ(SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)), HTMAXBUTTON);
    SendMessageW(w, WM_NCLBUTTONDOWN, HTMAXBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(w, WM_NCLBUTTONUP, HTMAXBUTTON, MAKELPARAM(at.x, at.y));
    test::PumpUntil([] { return false; }, 200);
  };
  const auto regionKind = [&](RECT* box) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(w, rgn);
    GetRgnBox(rgn, box);
    DeleteObject(rgn);
    return kind;
  };
  EXPECT_EQ(glyphs(), (std::vector<TacTitleGlyph>{tgClose, tgMax, tgMin}));
  clickMax();
  ASSERT_TRUE(IsZoomed(w));
  frame->RepaintFrame();
  EXPECT_EQ(glyphs(), (std::vector<TacTitleGlyph>{tgClose, tgNormal, tgMin}));
  // On the screen the maximized window shows without its frame band: the
  // region is that rectangle, square.
  RECT box{};
  EXPECT_EQ(regionKind(&box), SIMPLEREGION);
  RECT wr{};
  GetWindowRect(w, &wr);
  const int fw = GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
  EXPECT_EQ(box.left, fw);
  EXPECT_EQ(box.right, wr.right - wr.left - fw);
  clickMax();
  ASSERT_FALSE(IsZoomed(w));
  frame->RepaintFrame();
  EXPECT_EQ(glyphs(), (std::vector<TacTitleGlyph>{tgClose, tgMax, tgMin}));
  EXPECT_EQ(regionKind(&box), COMPLEXREGION);
}

// Only this thread's menus count: another test program on the same display
// may show one of its own.
HWND ShownMenuOfThisThread() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM lp) -> BOOL {
        if (GetClassLongW(w, GCW_ATOM) != 0x8000 || !IsWindowVisible(w)) return TRUE;
        *reinterpret_cast<HWND*>(lp) = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// A thread timer that notes whether a popup menu is on the screen and closes
// it: the press on the icon runs the menu's own modal loop.
bool MenuSeen = false;
RECT MenuRect{};
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
  if (HWND menu = ShownMenuOfThisThread()) {
    MenuSeen = true;
    GetWindowRect(menu, &MenuRect);
    KillTimer(nullptr, id);
    EndMenu();
  }
}

TEST_F(SkinnedFrameTest, APressOnTheIconDropsTheWindowMenuUnderIt) {
  ShowAndPaint(Form);
  HWND w = Form->Handle();
  TacFrameAdapter* frame = FrameOf(Form);
  ASSERT_NE(frame, nullptr);
  const TRect icon = frame->Layout().Icon;
  ASSERT_FALSE(icon.IsEmpty());
  RECT wr{};
  GetWindowRect(w, &wr);
  const POINT at{wr.left + icon.Left + 2, wr.top + icon.Top + 2};
  ASSERT_EQ(HitAt(w, icon.Left + 2, icon.Top + 2), HTSYSMENU);
  // The window menu drops for the active form only.
  ASSERT_TRUE(Activate(Form));
  MenuSeen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, CloseMenu);
  SendMessageW(w, WM_NCLBUTTONDOWN, HTSYSMENU, MAKELPARAM(at.x, at.y));
  KillTimer(nullptr, timer);
  EXPECT_TRUE(MenuSeen);
  TacProvider* p = FindAttachment(w);
  ASSERT_NE(p, nullptr);
  ASSERT_NE(p->sp->SystemMenu(), nullptr);
  EXPECT_NE(p->sp->SystemMenu()->ItemClose, nullptr);
}

TEST_F(SkinnedFrameTest, AltSpaceDropsTheWindowMenuOneIconBelowTheTopFrame) {
  ShowAndPaint(Form);
  HWND w = Form->Handle();
  TacFrameAdapter* frame = FrameOf(Form);
  ASSERT_NE(frame, nullptr);
  const TRect icon = frame->Layout().Icon;
  ASSERT_FALSE(icon.IsEmpty());
  RECT wr{};
  GetWindowRect(w, &wr);
  // The skinned frame took WS_SYSMENU, so the system's own handling of the
  // keys opens nothing: the menu that shows is the skinned one.
  const POINT expected{wr.left + icon.Left,
                       wr.top + GetSystemMetrics(SM_CXFIXEDFRAME) + icon.Height()};
  struct TCase {
    const char* Keys;
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    bool Drops;
  };
  const TCase cases[] = {
      // What the system makes of Alt+Space: WM_SYSCHAR ' ' with Alt down,
      // which its default handling turns into SC_KEYMENU ' '.
      {"Alt+Space", WM_SYSCHAR, VK_SPACE, static_cast<LPARAM>(KF_ALTDOWN) << 16, true},
      {"SC_KEYMENU ' '", WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE, true},
      // Alt alone or F10 asks for a menu bar, which the form has not.
      {"Alt alone", WM_SYSCOMMAND, SC_KEYMENU, 0, false},
      {"Alt+M", WM_SYSCOMMAND, SC_KEYMENU, 'm', false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Keys);
    ASSERT_TRUE(Activate(Form));
    MenuSeen = false;
    MenuRect = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, CloseMenu);
    SendMessageW(w, c.Msg, c.WParam, c.LParam);
    test::PumpUntil([] { return MenuSeen; }, c.Drops ? 0 : 200);
    KillTimer(nullptr, timer);
    EXPECT_EQ(MenuSeen, c.Drops);
    if (!c.Drops) continue;
    EXPECT_EQ(MenuRect.left, expected.x);
    EXPECT_EQ(MenuRect.top, expected.y);
  }
  // A form that is not the active one shows no menu.
  ShowWindow(w, SW_SHOWNA);
  TForm* other = NewForm(TFormBorderStyle::bsSingle);
  ShowAndPaint(other);
  ASSERT_TRUE(Activate(other));
  MenuSeen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, CloseMenu);
  SendMessageW(w, WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE);
  test::PumpUntil([] { return MenuSeen; }, 200);
  KillTimer(nullptr, timer);
  EXPECT_FALSE(MenuSeen);
}

TEST_F(SkinnedFrameTest, TheTaskbarsRequestDropsTheWindowMenuAtTheCursor) {
  // The taskbar asks the window with the button, or the application window,
  // which passes the request to the main form.
  TApplication& app = Program.App.App;
  app.MainForm = Form;
  ShowAndPaint(Form);
  const POINT cursor{260, 230};
  for (HWND to : {Form->Handle(), app.Handle()}) {
    SCOPED_TRACE(to == app.Handle() ? "application window" : "form");
    ASSERT_TRUE(Activate(Form));
    SetCursorPos(cursor.x, cursor.y);
    MenuSeen = false;
    MenuRect = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, CloseMenu);
    SendMessageW(to, kPopupSystemMenu, 0, 0);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(MenuSeen);
    EXPECT_EQ(MenuRect.left, cursor.x);
    EXPECT_EQ(MenuRect.top, cursor.y);
  }
  // While another form is active, the request brings the form forward and
  // drops its menu all the same.
  TForm* other = NewForm(TFormBorderStyle::bsSingle);
  ShowAndPaint(other);
  ASSERT_TRUE(Activate(other));
  MenuSeen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, CloseMenu);
  SendMessageW(app.Handle(), kPopupSystemMenu, 0, 0);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(MenuSeen);
  EXPECT_TRUE(Form->Active());
  app.MainForm = nullptr;
}

// A request that arrives while the menu is open leaves the open menu alone.
TEST_F(SkinnedFrameTest, ARequestWhileTheWindowMenuIsOpenIsIgnored) {
  ShowAndPaint(Form);
  ASSERT_TRUE(Activate(Form));
  TacProvider* p = FindAttachment(Form->Handle());
  ASSERT_NE(p, nullptr);
  static HWND target;
  static TsSystemMenu* open;
  static int popups;
  static bool stillSkinned;
  target = Form->Handle();
  open = p->sp->SystemMenu();
  ASSERT_NE(open, nullptr);
  popups = 0;
  stillSkinned = false;
  SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    // Inside the open menu's loop: the taskbar asks again.
    SendMessageW(target, kPopupSystemMenu, 0, 0);
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM) -> BOOL {
          if (GetClassLongW(w, GCW_ATOM) == 0x8000 && IsWindowVisible(w)) ++popups;
          return TRUE;
        },
        0);
    // The items the open menu shows are still drawn by the skin.
    stillSkinned = open->ItemClose && open->ItemClose->OnDrawItem != nullptr;
    EndMenu();
  });
  SendMessageW(Form->Handle(), kPopupSystemMenu, 0, 0);
  EXPECT_EQ(popups, 1);
  EXPECT_TRUE(stillSkinned);
}

TEST_F(SkinnedFrameTest, TheMouseOverTheCloseButtonLightsItAndLeavingPutsItBack) {
  ShowAndPaint(Form);
  HWND w = Form->Handle();
  TacFrameAdapter* frame = FrameOf(Form);
  ASSERT_NE(frame, nullptr);
  const TRect close = frame->Layout().Buttons[0].cpRect;
  RECT wr{};
  GetWindowRect(w, &wr);
  const POINT on{wr.left + (close.Left + close.Right) / 2, wr.top + std::max(close.Top, 0) + 4};
  const auto buttonPixels = [&](const TsPixelImage& shot) {
    std::vector<uint32_t> px;
    for (int y = std::max(close.Top, 0); y < close.Bottom; ++y)
      for (int x = close.Left; x < close.Right; ++x) px.push_back(shot.View().At(x, y));
    return px;
  };
  struct TStep {
    const char* Name;
    UINT Msg;
    WPARAM Hit;
    int32_t State;
  };
  const TStep steps[] = {
      {"over the close button", WM_NCMOUSEMOVE, HTCLOSE, kButtonHot},
      {"over the caption", WM_NCMOUSEMOVE, HTCAPTION, kButtonNormal},
      {"back over the close button", WM_NCMOUSEMOVE, HTCLOSE, kButtonHot},
      {"off the window", WM_NCMOUSELEAVE, 0, kButtonNormal},
  };
  std::vector<std::vector<uint32_t>> shown;
  for (const TStep& s : steps) {
    SendMessageW(w, s.Msg, s.Hit, MAKELPARAM(on.x, on.y));
    EXPECT_EQ(frame->Layout().Buttons[0].cpState, s.State) << s.Name;
    const test::TFrameComparison c = test::CompareFrame(w, *frame, "Рамка");
    EXPECT_EQ(c.Differing, 0) << s.Name << ": " << c.Report;
    shown.push_back(buttonPixels(c.Shown));
  }
  EXPECT_NE(shown[0], shown[1]);
  EXPECT_EQ(shown[0], shown[2]);
  EXPECT_EQ(shown[1], shown[3]);
}

TEST_F(SkinnedFrameTest, ADeclaredAdapterFramesItsFormAndTheHookAddsNone) {
  auto* declared = NewForm(TFormBorderStyle::bsSingle);
  auto* provider = new TsSkinProvider(declared);
  EXPECT_FALSE(provider->RTInit);
  ShowAndPaint(declared);
  HWND w = declared->Handle();
  EXPECT_EQ(FindAttachment(w), nullptr);
  ASSERT_NE(provider->Frame(), nullptr);
  EXPECT_TRUE(provider->Frame()->Skinned());
  EXPECT_EQ(GetPropW(w, kCommonDataProp), static_cast<TacCommonDataBase*>(&provider->SkinData()));
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & WS_SYSMENU, 0);
  EXPECT_EQ(SendMessageW(w, WM_SKINCMD, SkinCommandWParam(SKC_GETPROVIDER), 0),
            reinterpret_cast<LRESULT>(provider));
  // A second adapter on the same form stays idle.
  auto* second = new TsSkinProvider(declared);
  EXPECT_TRUE(second->RTEmpty);
  EXPECT_EQ(second->Frame(), nullptr);
}

TEST_F(SkinnedFrameTest, ADeclaredAdapterUnskinsWithTheSkinAndReskinsWithTheNext) {
  auto* declared = NewForm(TFormBorderStyle::bsSingle);
  auto* provider = new TsSkinProvider(declared);
  ShowAndPaint(declared);
  HWND w = declared->Handle();
  ASSERT_TRUE(provider->Frame()->Skinned());
  const auto region = [&] {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(w, rgn);
    DeleteObject(rgn);
    return kind;
  };
  EXPECT_EQ(region(), COMPLEXREGION);
  Manager->SetActive(false);
  // The adapter stays with its form, unskinned: the system's frame is back.
  EXPECT_FALSE(provider->Frame()->Skinned());
  EXPECT_NE(GetPropW(w, kCommonDataProp), nullptr);
  EXPECT_NE(GetWindowLongW(w, GWL_STYLE) & WS_SYSMENU, 0);
  EXPECT_EQ(region(), ERROR);
  Manager->SetActive(true);
  // The next skin dresses it again, without waiting for an activation.
  EXPECT_TRUE(provider->Frame()->Skinned());
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & WS_SYSMENU, 0);
  EXPECT_EQ(region(), COMPLEXREGION);
  test::PumpUntil([] { return false; }, 100);
  const test::TFrameComparison c = test::CompareFrame(w, *provider->Frame(), "Рамка");
  EXPECT_EQ(c.Differing, 0) << c.Report;
}

TEST_F(SkinnedFrameTest, TheFramedFormsStandardControlsAreDressedAndGivenBack) {
  auto* button = test::AddControl<TButton>(Form, Form, 10, 10, 80, 24);
  button->SetCaption("OK");
  ShowAndPaint(Form);
  TacProvider* p = FindAttachment(Form->Handle());
  ASSERT_NE(p, nullptr);
  ASSERT_NE(p->sp->Adapter(), nullptr);
  EXPECT_TRUE(IsWindowSkinned(button->Handle()));
  Manager->SetActive(false);
  EXPECT_FALSE(IsWindowSkinned(button->Handle()));
}

TEST_F(SkinnedFrameTest, AFormTaggedToStayPlainIsNotAttached) {
  auto* plain = NewForm(TFormBorderStyle::bsSingle, 0x100);
  ShowAndPaint(plain);
  HWND w = plain->Handle();
  EXPECT_EQ(FindAttachment(w), nullptr);
  EXPECT_EQ(GetPropW(w, kCommonDataProp), nullptr);
  EXPECT_NE(GetWindowLongW(w, GWL_STYLE) & WS_SYSMENU, 0);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(w, rgn), ERROR);
  DeleteObject(rgn);
}

TEST_F(SkinnedFrameTest, RemovingTheSkinPutsThePlainFrameBackAndANewSkinReattaches) {
  ShowAndPaint(Form);
  HWND w = Form->Handle();
  ASSERT_NE(FrameOf(Form), nullptr);
  Manager->SetActive(false);
  EXPECT_FALSE(ActivationHookInstalled());
  EXPECT_EQ(FindAttachment(w), nullptr);
  EXPECT_EQ(GetPropW(w, kCommonDataProp), nullptr);
  EXPECT_NE(GetWindowLongW(w, GWL_STYLE) & WS_SYSMENU, 0);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(w, rgn), ERROR);
  DeleteObject(rgn);
  Manager->SetActive(true);
  ASSERT_TRUE(ActivationHookInstalled());
  // The next activation attaches again.
  auto* other = NewForm(TFormBorderStyle::bsSingle);
  ShowAndPaint(other);
  SetActiveWindow(w);
  test::PumpUntil([] { return false; }, 100);
  ASSERT_NE(FrameOf(Form), nullptr);
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & WS_SYSMENU, 0);
}

// Owned by a frame adapter: notes when the adapter is freed (the adapter
// frees what it owns last).
class TLifeWitness : public TComponent {
 public:
  TLifeWitness(TComponent* owner, bool& freed) : TComponent(owner), FFreed(freed) {}
  ~TLifeWitness() override { FFreed = true; }
  std::string_view ClassName() const override { return "TLifeWitness"; }

 private:
  bool& FFreed;
};

// The skin is removed from inside a modal loop that code of the form's frame
// adapter started (its window menu, the system's move loop under a press the
// border window forwarded), as a preview from another process removes it.
struct TRemovalInLoop {
  TsSkinManager* Manager = nullptr;
  HWND Form = nullptr;
  bool InLoop = false;       // the loop's starter has not returned yet
  bool Removed = false;      // the removal ran inside the loop
  bool Freed = false;        // the witness, owned by the adapter
  bool FreedInLoop = false;  // the adapter was freed with its code on the stack
  bool PlainAtOnce = false;  // the frame was the system's as the removal returned
};
TRemovalInLoop* gRemoval = nullptr;

void RemoveSkinNow() {
  TRemovalInLoop& r = *gRemoval;
  r.Removed = r.InLoop;
  r.Manager->SetActive(false);
  r.FreedInLoop = r.Freed;
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  r.PlainAtOnce = (GetWindowLongW(r.Form, GWL_STYLE) & WS_SYSMENU) != 0 &&
                  GetWindowRgn(r.Form, rgn) == ERROR && FindAttachment(r.Form) == nullptr &&
                  GetPropW(r.Form, kCommonDataProp) == nullptr;
  DeleteObject(rgn);
}

void CALLBACK RemoveSkinInMenu(HWND, UINT, UINT_PTR id, DWORD) {
  if (!ShownMenuOfThisThread()) return;
  KillTimer(nullptr, id);
  RemoveSkinNow();
  EndMenu();
}

void CALLBACK RemoveSkinInMoveLoop(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  RemoveSkinNow();
  // The move loop ends with Esc, wherever it is sent.
  PostMessageW(gRemoval->Form, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
}

TEST_F(SkinnedFrameTest, RemovingTheSkinWhileTheWindowMenuIsOpenFreesTheAdapterAfterTheMenu) {
  ShowAndPaint(Form);
  HWND w = Form->Handle();
  ASSERT_TRUE(Activate(Form));
  TacProvider* p = FindAttachment(w);
  ASSERT_TRUE(p && p->sp);
  TRemovalInLoop r{Manager, w};
  gRemoval = &r;
  new TLifeWitness(p->sp, r.Freed);
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, RemoveSkinInMenu);
  r.InLoop = true;
  SendMessageW(w, WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE);
  r.InLoop = false;
  KillTimer(nullptr, timer);
  gRemoval = nullptr;
  ASSERT_TRUE(r.Removed) << "the menu did not show";
  EXPECT_FALSE(r.FreedInLoop);
  EXPECT_TRUE(r.PlainAtOnce);
  // Freed as soon as the menu's caller returned.
  EXPECT_TRUE(r.Freed);
}

TEST_F(SkinnedFrameTest, RemovingTheSkinDuringAForwardedCaptionDragFreesTheAdapterAfterIt) {
  Manager->SetExtendedBorders(true);
  ShowAndPaint(Form);
  HWND w = Form->Handle();
  ASSERT_TRUE(Activate(Form));
  TacFrameAdapter* frame = FrameOf(Form);
  ASSERT_TRUE(frame && frame->BorderForm());
  TacProvider* p = FindAttachment(w);
  TRemovalInLoop r{Manager, w};
  gRemoval = &r;
  new TLifeWitness(p->sp, r.Freed);
  // A press on the caption of the border window, which forwards it to the
  // form (WParam -1, the screen point in LParam).
  const TRect icon = frame->IconScreenRect();
  const POINT at{icon.Right + 40, icon.Top + icon.Height() / 2};
  ASSERT_EQ(frame->BorderForm()->Ex_WMNCHitTest({at.x, at.y}), kHitCaption);
  const UINT_PTR timer = SetTimer(nullptr, 0, 60, RemoveSkinInMoveLoop);
  r.InLoop = true;
  SendMessageW(frame->BorderForm()->BorderHandle(), WM_NCLBUTTONDOWN, kHitCaption,
               MAKELPARAM(at.x, at.y));
  r.InLoop = false;
  KillTimer(nullptr, timer);
  test::PumpUntil([&] { return r.Removed; }, 300);
  gRemoval = nullptr;
  ASSERT_TRUE(r.Removed) << "the move loop did not run";
  EXPECT_FALSE(r.FreedInLoop);
  EXPECT_TRUE(r.PlainAtOnce);
  EXPECT_TRUE(r.Freed);
}

// Copies the skin folder Name into a fresh temporary folder as NewName with
// one more section ahead of FORM, so that FORM has another index there.
std::string ShiftedSkinFolder(const std::string& name, const std::string& newName) {
  namespace fs = std::filesystem;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const fs::path root = fs::path(temp) / ("acshifted" + std::to_string(GetCurrentProcessId()));
  const fs::path to = root / newName;
  fs::create_directories(to);
  fs::copy(fs::path(test::SkinsFolder()) / name, to,
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  std::ifstream in(to / "Options.dat", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  const size_t form = text.find("[FORM]");
  if (form != std::string::npos) text.insert(form, "[SHIFT]\r\nSTATES=1\r\n");
  std::ofstream(to / "Options.dat", std::ios::binary) << text;
  return root.string();
}

TEST_F(SkinnedFrameTest, AFrameReadsTheSkinLoadedUnderBeginUpdateNotTheFreedOne) {
  ShowAndPaint(Form);
  HWND w = Form->Handle();
  TacFrameAdapter* frame = FrameOf(Form);
  ASSERT_NE(frame, nullptr);
  const int before = frame->CurrentInputs().FormIndex;
  Manager->SkinDirectory = ShiftedSkinFolder("VelmoraLight", "VelmoraShifted");
  // The new skin is loaded and the old one freed; the forms hear of it only
  // at EndUpdate, and meanwhile the system asks the frame as usual.
  Manager->BeginUpdate();
  Manager->SetSkinName("VelmoraShifted");
  ASSERT_TRUE(Manager->IsActive());
  // The resolution the frame was skinned for.
  const TacSkinData& now = Manager->Core.CommonSkinData(Screen->PixelsPerInch());
  const int shifted = GetSkinIndex(now, "FORM");
  ASSERT_EQ(shifted, before + 1);
  RECT wr{};
  GetWindowRect(w, &wr);
  SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(wr.left + 40, wr.top + 8));
  RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(frame->SkinData(), &now);
  EXPECT_EQ(frame->CurrentInputs().FormIndex, shifted);
  Manager->EndUpdate(true, true);
  EXPECT_EQ(frame->CurrentInputs().FormIndex, shifted);
}

TEST_F(SkinnedFrameTest, WhileAScaleChangeSizesTheFormTheFrameReadsOnlyLiveSkinData) {
  ShowAndPaint(Form);
  TacFrameAdapter* frame = FrameOf(Form);
  ASSERT_NE(frame, nullptr);
  // The skin is reloaded for the new resolution first; the form is then
  // scaled (its size messages reach the frame) before SKC_SETPPI tells the
  // frame. Outside the frame's hook, every size message checks what the
  // frame reads without reading it: one of the manager's objects, or none.
  int sizes = 0, stale = 0;
  TWindowProcHook watch = Form->HookWindowProc([&](TMessage& m, const TWndMethod& previous) {
    if (m.Msg == WM_SIZE || m.Msg == WM_WINDOWPOSCHANGED || m.Msg == WM_NCPAINT) {
      ++sizes;
      const TacSkinData* sd = frame->SkinData();
      const auto& live = Manager->Core.SkinDataArray;
      if (sd &&
          std::none_of(live.begin(), live.end(), [&](const auto& p) { return p.get() == sd; }))
        ++stale;
    }
    previous(m);
  });
  Manager->Options.PixelsPerInch = 144;
  Manager->SetScaleMode(smCustomPPI);
  watch.Unhook();
  ASSERT_GT(sizes, 0);
  EXPECT_EQ(stale, 0);
  EXPECT_EQ(frame->SkinData()->PPI, 144);
}

TEST_F(SkinnedFrameTest, AFormDestroyedWithItsAttachmentLeavesNoTraceInTheLists) {
  const platform::THandleCounts before = platform::LiveHandleCounts();
  auto* doomed = NewForm(TFormBorderStyle::bsSingle);
  ShowAndPaint(doomed);
  HWND w = doomed->Handle();
  ASSERT_NE(FindAttachment(w), nullptr);
  // The form frees its frame adapter and its attachment itself, in its own
  // order, while the hook stays installed.
  TComponent::Free(doomed);
  EXPECT_EQ(FindAttachment(w), nullptr);
  const auto& forms = SkinnedWindowLists().RegisteredForms;
  EXPECT_EQ(std::count(forms.begin(), forms.end(), doomed), 0);
  EXPECT_EQ(platform::LiveHandleCounts(), before);
}

}  // namespace
}  // namespace ac
