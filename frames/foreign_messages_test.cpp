// Messages other threads and processes send to a skinned form with extended
// borders: the forwarded presses of the border window and the skin commands
// whose LParam is an address are this thread's own.

#include <gtest/gtest.h>

#include <optional>

#include "frames/ac_border_form.h"
#include "frames/frame_test_support.h"
#include "frames/ts_skin_provider.h"
#include "framework/other_thread_test_support.h"
#include "paint/border_layout.h"

namespace ac {
namespace {

class ForeignMessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Program.Manager->IsActive());
    Form = new test::TFrameTestForm(&Program.App.App);
    Form->BorderStyle = TFormBorderStyle::bsSingle;
    Form->BorderIcons = 1u << static_cast<int>(TBorderIcon::biSystemMenu);
    Form->Position = TPosition::poDesigned;
    Form->SetBounds(160, 120, 300, 160);
    Form->Show();
    HWND w = Form->Handle();
    ASSERT_TRUE(test::PumpUntil(
        [&] {
          if (GetActiveWindow() != w) SetActiveWindow(w);
          return Frame() && Frame()->BorderForm() && Frame()->BorderForm()->BorderHandle();
        },
        3000));
    test::PumpUntil([] { return false; }, 100);
  }

  TacFrameAdapter* Frame() {
    TacProvider* p = FindAttachment(Form->Handle());
    return p && p->sp ? p->sp->Frame() : nullptr;
  }

  // A screen point of the close button, as the border window's LParam.
  std::optional<LPARAM> ClosePoint() {
    TacBorderForm& border = *Frame()->BorderForm();
    RECT r{};
    GetWindowRect(border.BorderHandle(), &r);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.right - 1; x >= r.left; --x)
        if (border.ForwardedHit(MAKELPARAM(x, y)) == kHitClose) return MAKELPARAM(x - 4, y + 4);
    return std::nullopt;
  }

  test::TSkinnedProgram Program{test::SkinsFolder(), "VelmoraLight", true};
  test::TFrameTestForm* Form = nullptr;
};

// A press forwarded with WParam -1 is the border window's: sent by anyone
// else it used to make the form capture the mouse with no button down, and a
// release over the close button then closed the form.
TEST_F(ForeignMessagesTest, OnlyTheBorderWindowForwardsPresses) {
  const std::optional<LPARAM> close = ClosePoint();
  ASSERT_TRUE(close.has_value());
  HWND form = Form->Handle();
  HWND border = Frame()->BorderForm()->BorderHandle();
  const auto wasNotTaken = [&] {
    return GetCapture() != form && IsWindowVisible(form) && Form->Visible();
  };
  // From another thread (another process's messages arrive the same way).
  test::SendFromAnotherThread(form, WM_NCLBUTTONDOWN, static_cast<WPARAM>(-1), *close);
  EXPECT_NE(GetCapture(), form);
  test::SendFromAnotherThread(form, WM_NCLBUTTONUP, static_cast<WPARAM>(-1), *close);
  test::PumpUntil([] { return false; }, 100);
  EXPECT_TRUE(wasNotTaken());
  // Sent by this thread, but not through the border window.
  SendMessageW(form, WM_NCLBUTTONDOWN, static_cast<WPARAM>(-1), *close);
  EXPECT_NE(GetCapture(), form);
  SendMessageW(form, WM_NCLBUTTONUP, static_cast<WPARAM>(-1), *close);
  test::PumpUntil([] { return false; }, 100);
  EXPECT_TRUE(wasNotTaken());
  // The border window's own press and release still close the form.
  SendMessageW(border, WM_NCLBUTTONDOWN, kHitClose, *close);
  EXPECT_EQ(GetCapture(), form);
  SendMessageW(border, WM_NCLBUTTONUP, kHitClose, *close);
  EXPECT_TRUE(test::PumpUntil([&] { return !Form->Visible() || !IsWindowVisible(form); }, 2000));
}

// The form's own skin commands with an address in LParam: a background
// query and the adapter of its standard controls.
TEST_F(ForeignMessagesTest, TheFormReadsNothingOtherThreadsPointAt) {
  HWND form = Form->Handle();
  const auto fromElsewhere = [&](TacSkinCommand code, LPARAM lp) {
    return test::SendFromAnotherThread(form, WM_SKINCMD, SkinCommandWParam(code), lp);
  };
  TacBgQuery query;
  EXPECT_EQ(fromElsewhere(SKC_GETBACKGROUND, reinterpret_cast<LPARAM>(&query)), 0);
  EXPECT_EQ(query.Kind, bqNone);
  EXPECT_EQ(query.Image, nullptr);
  EXPECT_EQ(fromElsewhere(SKC_GETPROVIDER, 0), 0);
  EXPECT_EQ(fromElsewhere(SKC_ISSKINNED, 0), 1);
  fromElsewhere(SKC_REMOVESKIN, 0);
  EXPECT_NE(Frame(), nullptr);
  EXPECT_TRUE(Frame()->Skinned());
  // This thread's question is answered.
  SendMessageW(form, WM_SKINCMD, SkinCommandWParam(SKC_GETBACKGROUND),
               reinterpret_cast<LPARAM>(&query));
  EXPECT_NE(query.Kind, bqNone);
}

}  // namespace
}  // namespace ac
