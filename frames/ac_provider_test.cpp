#include "frames/ac_provider.h"

#include <gtest/gtest.h>

#include <functional>

#include "frames/frame_test_support.h"
#include "manager/skin_command_delivery.h"
#include "manager/skin_editor_channel.h"
#include "win32/handle_counts.h"
#include "win32/message_box_sink.h"

namespace ac {
namespace {

// While a message box runs its own modal loop, a thread timer finds the box
// and hands it to the test's inspection, which closes it.
struct TBoxVisit {
  std::function<void(HWND box)> Inspect;
  bool Visited = false;
};
TBoxVisit* CurrentVisit = nullptr;

HWND FindBox() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM lp) -> BOOL {
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(w)) {
          *reinterpret_cast<HWND*>(lp) = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK VisitBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = FindBox();
  if (!box || !CurrentVisit || CurrentVisit->Visited) return;
  KillTimer(nullptr, id);
  CurrentVisit->Visited = true;
  CurrentVisit->Inspect(box);
}

// Shows a message box with Buttons, lets Inspect see (and close) it, and
// answers the box's result.
int RunBox(HWND owner, UINT buttons, std::function<void(HWND)> inspect) {
  TBoxVisit visit{std::move(inspect)};
  CurrentVisit = &visit;
  SetTimer(nullptr, 0, 30, VisitBox);
  const int result = MessageBoxW(owner, L"Текст", L"Вопрос", buttons);
  CurrentVisit = nullptr;
  return visit.Visited ? result : -1;
}

void PressEscape(HWND box) {
  PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
}

void PressEnter(HWND box) {
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
}

// Presses the box's skinned close button and releases it over the button.
void ClickClose(HWND box) {
  TacProvider* p = FindAttachment(box);
  if (!p || !p->ListSW || p->ListSW->Frame().Layout().Buttons.empty()) return;
  const TRect r = p->ListSW->Frame().Layout().Buttons[0].cpRect;
  RECT wr{};
  GetWindowRect(box, &wr);
  POINT at{wr.left + (r.Left + r.Right) / 2, wr.top + (std::max(r.Top, 0) + r.Bottom) / 2};
  const LRESULT hit = SendMessageW(box, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
  SendMessageW(box, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), MAKELPARAM(at.x, at.y));
  ScreenToClient(box, &at);
  SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

class SkinnedDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Program.Manager->IsActive());
    Form->SetBounds(100, 100, 300, 160);
    Form->Show();
    test::PumpUntil([] { return false; }, 100);
  }

  test::TSkinnedProgram Program{test::SkinsFolder(), "VelmoraLight"};
  test::TFrameTestForm* Form = new test::TFrameTestForm(&Program.App.App);
};

TEST_F(SkinnedDialogTest, AMessageBoxIsFramedAndClosesByMouseAndKeyboard) {
  struct TCase {
    const char* Name;
    UINT Buttons;
    void (*Close)(HWND);
    int Result;
  };
  const TCase cases[] = {
      {"close button", MB_OKCANCEL, ClickClose, IDCANCEL},
      {"escape", MB_OKCANCEL, PressEscape, IDCANCEL},
      {"enter on the default button", MB_OK, PressEnter, IDOK},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const int result = RunBox(Form->Handle(), c.Buttons, [&](HWND box) {
      TacProvider* p = FindAttachment(box);
      ASSERT_NE(p, nullptr);
      ASSERT_NE(p->ListSW, nullptr);
      EXPECT_EQ(p->DialogWindow(), box);
      EXPECT_TRUE(p->ListSW->Started());
      EXPECT_TRUE(p->ListSW->Frame().Skinned());
      EXPECT_NE(GetPropW(box, kCommonDataProp), nullptr);
      EXPECT_EQ(SendMessageW(box, WM_SKINCMD, SkinCommandWParam(SKC_ISSKINNED), 0), 1);
      EXPECT_EQ(GetWindowLongW(box, GWL_STYLE) & WS_SYSMENU, 0);
      // Its buttons are dressed by the standard-control adapters.
      int buttons = 0;
      for (HWND b = FindWindowExW(box, nullptr, L"Button", nullptr); b;
           b = FindWindowExW(box, b, L"Button", nullptr)) {
        ++buttons;
        EXPECT_TRUE(IsWindowSkinned(b));
      }
      EXPECT_GT(buttons, 0);
      // The frame shown is the paint layer's render of the DIALOG sections.
      const test::TFrameComparison shown = test::CompareFrame(box, p->ListSW->Frame(), "Вопрос");
      EXPECT_GT(shown.Compared, 0);
      EXPECT_EQ(shown.Differing, 0) << shown.Report;
      c.Close(box);
    });
    EXPECT_EQ(result, c.Result);
  }
}

TEST_F(SkinnedDialogTest, AHundredMessageBoxesLeaveNoObjectsBehind) {
  const auto cycle = [&] {
    return RunBox(Form->Handle(), MB_OK, [](HWND box) { PressEnter(box); });
  };
  ASSERT_EQ(cycle(), IDOK);
  ReleaseClosedDialogs();
  const platform::THandleCounts before = platform::LiveHandleCounts();
  for (int i = 0; i < 100; ++i) ASSERT_EQ(cycle(), IDOK) << i;
  ReleaseClosedDialogs();
  const platform::THandleCounts after = platform::LiveHandleCounts();
  EXPECT_EQ(after.Gdi, before.Gdi);
  EXPECT_EQ(after.User, before.User);
  EXPECT_TRUE(SkinnedWindowLists().AutoAttachments.size() <= 1u);
}

// A skin refused with an error box, then the skin in use sent again, many
// times: nothing of the boxes stays behind, the regions of their skinned
// frames included.
TEST_F(SkinnedDialogTest, RefusedSkinsShownInBoxesLeaveNoObjectsBehind) {
  platform::TMessageBoxSink boxes;
  Program.Manager->Messages = &boxes;
  const std::string broken =
      "[GLOBALINFO]\r\nVERSION=15.00\r\nBTNCOLOR1ACTIVE=green\r\n[A]\r\nCOLOR=1\r\n";
  const std::string light = test::FileText(AC_SOURCE_DIR "/skins/VelmoraLight/Options.dat");
  const auto cycle = [&] {
    TBoxVisit visit{PressEnter};
    CurrentVisit = &visit;
    SetTimer(nullptr, 0, 30, VisitBox);
    TacSkinEditorData data{};
    FillSkinEditorData(data, "Broken", "", test::SkinsFolder(), broken);
    const LRESULT refused = Program.Manager->ApplyEditorPreview(data);
    CurrentVisit = nullptr;
    FillSkinEditorData(data, "VelmoraLight", "", test::SkinsFolder(), light);
    const LRESULT applied = Program.Manager->ApplyEditorPreview(data);
    return visit.Visited && refused == eprLoadFailed && applied == eprApplied;
  };
  ASSERT_TRUE(cycle());
  ReleaseClosedDialogs();
  const platform::THandleCounts before = platform::LiveHandleCounts();
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(cycle()) << i;
  ReleaseClosedDialogs();
  const platform::THandleCounts after = platform::LiveHandleCounts();
  EXPECT_EQ(after.Gdi, before.Gdi);
  EXPECT_EQ(after.User, before.User);
  Program.Manager->Messages = &Program.Messages;
}

// In a dark skin a box's message text lies on the dark client like every
// other part of the box, not on the system's light face colour.
TEST(SkinnedDialogColours, TheMessageTextLiesOnTheSkinnedClient) {
  test::TSkinnedProgram program{test::SkinsFolder(), "VelmoraDark"};
  auto* form = new test::TFrameTestForm(&program.App.App);
  form->SetBounds(100, 100, 300, 160);
  form->Show();
  test::PumpUntil([] { return false; }, 50);
  bool inspected = false;
  RunBox(form->Handle(), MB_OK, [&](HWND box) {
    TacProvider* p = FindAttachment(box);
    ASSERT_NE(p, nullptr);
    ASSERT_TRUE(p->ListSW->Frame().Skinned());
    const uint32_t client =
        ColorToPixel(static_cast<uint32_t>(p->ListSW->Frame().ClientColor())) & 0xFFFFFFu;
    ASSERT_NE(client, ColorToPixel(GetSysColor(COLOR_BTNFACE)) & 0xFFFFFFu);
    HWND text = nullptr;
    for (HWND s = FindWindowExW(box, nullptr, L"Static", nullptr); s && !text;
         s = FindWindowExW(box, s, L"Static", nullptr))
      if (GetWindowTextLengthW(s) > 0) text = s;
    ASSERT_NE(text, nullptr);
    RedrawWindow(box, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const TsPixelImage shown = test::WindowPixels(text);
    // The corners hold no glyph.
    const int w = shown.Width(), h = shown.Height();
    for (const TPoint at : {TPoint{0, 0}, TPoint{w - 1, 0}, TPoint{0, h - 1}, TPoint{w - 1, h - 1}})
      EXPECT_EQ(shown.View().At(at.X, at.Y), client) << at.X << "," << at.Y;
    inspected = true;
    PressEnter(box);
  });
  EXPECT_TRUE(inspected);
}

// A form that stays active while the skin goes and comes back is never
// activated again: the returning skin must frame it all the same, exactly as
// a fresh start would (the border window included).
TEST(SkinAppliedAgain, FramesTheFormShownMeanwhileAsAtAFreshStart) {
  for (const bool extended : {false, true}) {
    SCOPED_TRACE(extended ? "extended borders" : "frame in the window");
    test::TSkinnedProgram program{test::SkinsFolder(), "VelmoraLight"};
    program.Manager->ExtendedBorders = extended;
    auto* form = new test::TFrameTestForm(&program.App.App);
    form->SetBounds(100, 100, 300, 160);
    form->Show();
    SetActiveWindow(form->Handle());
    test::PumpUntil([] { return false; }, 50);
    const auto frame = [&]() -> const TacFrameAdapter* {
      TacProvider* p = FindAttachment(form->Handle());
      return p && p->sp ? p->sp->Frame() : nullptr;
    };
    ASSERT_NE(frame(), nullptr);
    ASSERT_TRUE(frame()->Skinned());
    EXPECT_EQ(frame()->BorderForm() != nullptr, extended);

    for (const char* next : {"VelmoraLight", "VelmoraDark"}) {
      SCOPED_TRACE(next);
      program.Manager->SetActive(false);
      test::PumpUntil([] { return false; }, 20);
      EXPECT_EQ(FindAttachment(form->Handle()), nullptr);
      EXPECT_NE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_SYSMENU, 0);
      EXPECT_FALSE(IsWindowSkinned(form->Handle()));

      // While inactive the name is only stored; activating applies it.
      program.Manager->SetSkinName(next);
      program.Manager->SetActive(true);
      test::PumpUntil([] { return false; }, 20);
      ASSERT_NE(frame(), nullptr);
      EXPECT_TRUE(frame()->Skinned());
      EXPECT_TRUE(IsWindowSkinned(form->Handle()));
      EXPECT_EQ(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_SYSMENU, 0);
      EXPECT_EQ(frame()->BorderForm() != nullptr, extended);
      if (!extended) {
        const test::TFrameComparison shown = test::CompareFrame(form->Handle(), *frame(), "");
        EXPECT_GT(shown.Compared, 0);
        EXPECT_EQ(shown.Differing, 0) << shown.Report;
      }
    }
  }
}

}  // namespace
}  // namespace ac
