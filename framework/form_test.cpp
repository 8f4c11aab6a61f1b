// Showing a form, its owner, and the application window's procedure.
#include "framework/form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/application_test_support.h"
#include "framework/edit.h"
#include "win32/handle_counts.h"
#include "win32/scoped_window.h"

namespace ac {
namespace {

class TShownForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TShownForm"; }
};

// One ordered log for what the activation hook and the form's procedure saw.
std::vector<std::string>* gOrder = nullptr;
HWND gWatched = nullptr;

LRESULT CALLBACK LogActivation(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE && gOrder && reinterpret_cast<HWND>(wp) == gWatched)
    gOrder->push_back("activate");
  return CallNextHookEx(nullptr, code, wp, lp);
}

// A frame that attaches on activation must find the form not yet painted.
TEST(Form, ShowingActivatesBeforeTheFirstNonClientPaint) {
  test::TTestApplication app;
  TShownForm form(nullptr);
  form.SetBounds(50, 50, 200, 120);
  form.HandleNeeded();
  std::vector<std::string> order;
  gOrder = &order;
  gWatched = form.Handle();
  platform::ScopedHook hook(WH_CBT, LogActivation);
  ASSERT_TRUE(hook);
  TWindowProcHook paint = form.HookWindowProc([&](TMessage& m, const TWndMethod& previous) {
    if (m.Msg == WM_NCPAINT) order.push_back("ncpaint");
    if (m.Msg == WM_ERASEBKGND) order.push_back("erase");
    previous(m);
  });
  form.Show();
  test::PumpUntil([&] { return std::count(order.begin(), order.end(), "ncpaint") > 0; });
  gOrder = nullptr;
  const auto first = [&](const char* what) {
    return std::find(order.begin(), order.end(), what) - order.begin();
  };
  ASSERT_LT(first("activate"), static_cast<ptrdiff_t>(order.size()));
  ASSERT_LT(first("ncpaint"), static_cast<ptrdiff_t>(order.size()));
  EXPECT_LT(first("activate"), first("ncpaint"));
  EXPECT_LT(first("activate"), first("erase"));
  EXPECT_TRUE(form.Active());
}

TEST(Form, ACentredFormIsMadeWhereItIsShown) {
  test::TTestApplication app;
  TShownForm form(nullptr);
  form.Position = TPosition::poScreenCenter;
  form.SetClientSize(230, 90);
  form.HandleNeeded();
  RECT made{}, client{};
  GetWindowRect(form.Handle(), &made);
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 230);
  EXPECT_EQ(client.bottom, 90);
  EXPECT_EQ(made.left, (GetSystemMetrics(SM_CXSCREEN) - (made.right - made.left)) / 2);
  EXPECT_EQ(made.top, (GetSystemMetrics(SM_CYSCREEN) - (made.bottom - made.top)) / 2);
  // Showing it neither moves nor sizes it.
  int placements = 0;
  TWindowProcHook watch = form.HookWindowProc([&](TMessage& m, const TWndMethod& previous) {
    if (m.Msg == WM_WINDOWPOSCHANGING) {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
      if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) ++placements;
    }
    previous(m);
  });
  form.Show();
  test::PumpUntil([&] { return form.Active(); });
  RECT shown{};
  GetWindowRect(form.Handle(), &shown);
  EXPECT_EQ(placements, 0);
  EXPECT_TRUE(EqualRect(&made, &shown));
}

TEST(Form, TheMainFormHasTheTaskbarButtonAndOwnsTheOtherForms) {
  test::TTestApplication t;
  TShownForm* main = nullptr;
  TShownForm* second = nullptr;
  t.App.CreateForm(main);
  t.App.CreateForm(second);
  EXPECT_EQ(GetWindow(main->Handle(), GW_OWNER), nullptr);
  EXPECT_EQ(GetWindow(second->Handle(), GW_OWNER), main->Handle());
  EXPECT_TRUE(GetWindowLongW(main->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_FALSE(GetWindowLongW(second->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST(Form, TheApplicationWindowIsMessageOnly) {
  test::TTestApplication t;
  TShownForm* main = nullptr;
  t.App.CreateForm(main);
  main->Show();
  ASSERT_NE(t.App.Handle(), nullptr);
  // Not a top-level window: nothing of it reaches the display or the taskbar.
  EXPECT_NE(GetAncestor(t.App.Handle(), GA_PARENT), GetDesktopWindow());
  EXPECT_FALSE(IsWindowVisible(t.App.Handle()));
  // How tools outside the program find it.
  EXPECT_EQ(FindApplicationWindow(GetCurrentProcessId()), t.App.Handle());
  EXPECT_EQ(FindApplicationWindow(0), nullptr);
}

class ApplicationWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    T.App.CreateForm(Main);
    Main->SetBounds(60, 60, 200, 120);
    Main->Show();
    ASSERT_TRUE(test::PumpUntil([&] { return Main->Active(); }));
  }
  test::TTestApplication T;
  TShownForm* Main = nullptr;
};

TEST_F(ApplicationWindowTest, TheMainFormsMinimiseRestoreAndTaskbarMenuReachTheHooks) {
  std::vector<std::pair<UINT, WPARAM>> seen;
  TMainWindowHook hook = T.App.HookMainWindow([&](TMessage& m) {
    if (m.Msg == WM_SYSCOMMAND || m.Msg == 0x313) seen.push_back({m.Msg, m.WParam & 0xFFF0});
    // The taskbar's menu request is answered here instead of by the system.
    return m.Msg == 0x313;
  });
  SendMessageW(Main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(Main->Handle()));
  SendMessageW(Main->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(Main->Handle()));
  SendMessageW(Main->Handle(), 0x313, 0, MAKELPARAM(10, 10));
  // Other system commands stay the form's.
  SendMessageW(Main->Handle(), WM_SYSCOMMAND, 0xF200, 0);
  const std::vector<std::pair<UINT, WPARAM>> expected = {
      {WM_SYSCOMMAND, SC_MINIMIZE}, {WM_SYSCOMMAND, SC_RESTORE}, {0x313, 0}};
  EXPECT_EQ(seen, expected);
}

TEST_F(ApplicationWindowTest, TheLatestHookIsAskedFirstAndAConsumingHookEndsTheSearch) {
  std::vector<int> asked;
  const auto hookNumber = [&](int n, bool consume) {
    return [&asked, n, consume](TMessage& m) {
      if (m.Msg != WM_SYSCOMMAND) return false;
      asked.push_back(n);
      return consume;
    };
  };
  TMainWindowHook first = T.App.HookMainWindow(hookNumber(1, false));
  TMainWindowHook second = T.App.HookMainWindow(hookNumber(2, true));
  SendMessageW(Main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(asked, (std::vector<int>{2}));
  // Consumed: the program was not minimised.
  EXPECT_FALSE(IsIconic(Main->Handle()));
  second.Unhook();
  asked.clear();
  SendMessageW(Main->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(asked, (std::vector<int>{1}));
  EXPECT_TRUE(IsIconic(Main->Handle()));
}

// The counters another process reads (e2e_probe handles) are the program's.
TEST_F(ApplicationWindowTest, TheApplicationWindowAnswersTheHandleCountQuery) {
  const UINT query = RegisterWindowMessageW(platform::kHandleCountsMessageName);
  const platform::THandleCounts counts = platform::LiveHandleCounts();
  EXPECT_GT(counts.Gdi, 0);
  EXPECT_GE(counts.User, 2);  // the application window and the form
  EXPECT_EQ(SendMessageW(T.App.Handle(), query, platform::kHandleCountGdi, 0), counts.Gdi);
  EXPECT_EQ(SendMessageW(T.App.Handle(), query, platform::kHandleCountUser, 0), counts.User);
  EXPECT_EQ(SendMessageW(T.App.Handle(), query, platform::kHandleCountTimers, 0), counts.Timers);
}

}  // namespace
}  // namespace ac
