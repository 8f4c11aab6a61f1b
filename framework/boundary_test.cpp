// Where the system calls the framework - window procedures, timer and menu
// callbacks - nothing unwinds into the system, whatever is thrown; the
// failure is reported once, never inside a message another thread sent, and
// the message gets its default answer.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/application_test_support.h"
#include "framework/form.h"
#include "framework/menu.h"
#include "framework/other_thread_test_support.h"
#include "framework/timer.h"

namespace ac {
namespace {

class TBoundaryForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TBoundaryForm"; }
};

constexpr UINT kThrowStd = WM_APP + 11;
constexpr UINT kThrowOther = WM_APP + 12;

// Records each report and whether it was shown inside a message that another
// thread sent (its sender would have waited on the box).
class TWhereSink final : public TMessageSink {
 public:
  struct Entry {
    std::string Text;
    bool InsideForeignMessage;
  };
  void Show(std::string_view text, TMessageIcon) override {
    Entries.push_back({std::string(text), InSendMessage() != FALSE});
  }
  std::vector<Entry> Entries;
};

class BoundaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App.App.Messages = &Sink;
    Form->HandleNeeded();
    Hook = Form->HookWindowProc([](TMessage& m, const TWndMethod& previous) {
      if (m.Msg == kThrowStd) throw std::runtime_error("broken handler");
      if (m.Msg == kThrowOther) throw 42;
      previous(m);
    });
  }
  void TearDown() override { Hook.Unhook(); }

  test::TTestApplication App;
  TWhereSink Sink;
  std::unique_ptr<TBoundaryForm> Form = std::make_unique<TBoundaryForm>(nullptr);
  TWindowProcHook Hook;
};

TEST_F(BoundaryTest, AnythingThrownInAWindowProcedureIsReportedAndAnsweredByDefault) {
  EXPECT_EQ(SendMessageW(Form->Handle(), kThrowStd, 0, 0), 0);
  EXPECT_EQ(SendMessageW(Form->Handle(), kThrowOther, 0, 0), 0);
  ASSERT_EQ(Sink.Entries.size(), 2u);
  EXPECT_EQ(Sink.Entries[0].Text, "broken handler");
  EXPECT_NE(Sink.Entries[1].Text, "");
  EXPECT_TRUE(IsWindow(Form->Handle()));
}

TEST_F(BoundaryTest, AFailureInAnotherThreadsMessageIsReportedAfterIt) {
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(test::SendFromAnotherThread(Form->Handle(), kThrowStd, 0, 0), 0);
  EXPECT_EQ(test::SendFromAnotherThread(Form->Handle(), kThrowOther, 0, 0), 0);
  test::PumpUntil([] { return false; }, 200);
  // Failures while a report waits are not reported again.
  ASSERT_GE(Sink.Entries.size(), 1u);
  EXPECT_LE(Sink.Entries.size(), 4u);
  EXPECT_EQ(Sink.Entries[0].Text, "broken handler");
  for (const TWhereSink::Entry& e : Sink.Entries) EXPECT_FALSE(e.InsideForeignMessage);
}

TEST_F(BoundaryTest, ATimerHandlerThatThrowsAnythingIsReported) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(10);
  timer.SetOnTimer([&](TComponent*) {
    ++ticks;
    throw 7;
  });
  EXPECT_TRUE(test::PumpUntil([&] { return ticks >= 2; }, 3000));
  timer.SetEnabled(false);
  EXPECT_GE(Sink.Entries.size(), 1u);
}

// The measuring DC used to stay taken when an item's handler threw.
TEST_F(BoundaryTest, AMeasureHandlerThatThrowsGivesItsDeviceContextBack) {
  TPopupMenu menu(nullptr);
  TMenuItem& item = menu.Items.Add("drawn", "Drawn");
  HDC measured = nullptr;
  HWND owner = nullptr;
  item.OnMeasureItem = [&](TMenuItem&, HDC dc, int&, int&) {
    measured = dc;
    owner = WindowFromDC(dc);
    throw std::runtime_error("cannot measure");
  };
  item.OnDrawItem = [](TMenuItem&, HDC, const RECT&, const TMenuDrawState&) {};
  int stillTaken = -1;
  menu.OnMenuWindow = [&](HWND) {
    if (stillTaken < 0 && measured) stillTaken = ReleaseDC(owner, measured);
    EndMenu();
  };
  menu.Popup(100, 100);
  ASSERT_NE(measured, nullptr);
  EXPECT_EQ(stillTaken, 0);
  ASSERT_FALSE(Sink.Entries.empty());
  EXPECT_EQ(Sink.Entries[0].Text, "cannot measure");
}

}  // namespace
}  // namespace ac
