#include "manager/skin_command_delivery.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

#include "framework/application_test_support.h"
#include "framework/form.h"
#include "framework/label.h"
#include "framework/panel.h"
#include "manager/skin_broadcast.h"
#include "manager/skin_command_test_support.h"

namespace ac {
namespace {

using test::TCommandForm;
using test::TCommandLog;

class SkinCommandDeliveryTest : public ::testing::Test {
 protected:
  test::TTestApplication App;
  std::unique_ptr<TCommandForm> Form = std::make_unique<TCommandForm>(nullptr);
  TCommandLog Log;

  SkinCommandDeliveryTest() { Form->HandleNeeded(); }
};

TEST(SkinCommandLayout, CodeInTheHighWordParameterInTheLowWord) {
  static_assert(WM_SKINCMD == 0xA100);
  EXPECT_EQ(SkinCommandWParam(SKC_REFRESH, 0x1234), WPARAM{0x0003'1234});
  EXPECT_EQ(SkinCommandWParam(SKC_DELAYEDLOAD), WPARAM{97} << 16);
  EXPECT_EQ(SkinCommandCode(0x0043'FFFF), SKC_GETFRAMEWIDTH);
  EXPECT_EQ(SkinCommandParam(0x0043'FFFF), 0xFFFF);
  const TMessage m = SkinCommandMessage(SKC_SETUPDATING, -5, 1);
  EXPECT_EQ(m.Msg, WM_SKINCMD);
  EXPECT_EQ(m.WParam, WPARAM{0x0008'0001});
  EXPECT_EQ(m.LParam, -5);
  EXPECT_EQ(m.Result, 0);
}

TEST_F(SkinCommandDeliveryTest, ADirectHandlerTakesTheCommandAndTheWindowProcedureNeverSeesIt) {
  test::LogSkinCommands(*Form, Log, "procedure");
  TMessage seen;
  LRESULT resultOnEntry = -1;
  TacCommonDataBase data;
  // A pointer-sized answer, as SKC_GETPROVIDER gives: all 64 bits come back.
  const LRESULT provider = static_cast<LRESULT>(0x0000'7FF1'2345'6789);
  data.WndProc = [&](TMessage& m) {
    seen = m;
    resultOnEntry = m.Result;
    m.Result = provider;
  };
  const auto prop = AttachCommonData(Form->Handle(), data);

  EXPECT_EQ(SendSkinCommand(Form->Handle(), SKC_GETPROVIDER, 0x55, 7), provider);
  EXPECT_EQ(seen.Msg, WM_SKINCMD);
  EXPECT_EQ(seen.WParam, WPARAM{0x0004'0007});
  EXPECT_EQ(seen.LParam, 0x55);
  EXPECT_EQ(resultOnEntry, 0);
  EXPECT_TRUE(Log.empty());

  // Another process cannot call the handler: its message reaches the window
  // procedure.
  SendMessageW(Form->Handle(), WM_SKINCMD, SkinCommandWParam(SKC_GETPROVIDER), 0);
  EXPECT_EQ(Log, TCommandLog{"procedure"});
}

TEST_F(SkinCommandDeliveryTest, WithoutADirectHandlerTheCommandGoesThroughTheSystem) {
  test::LogSkinCommands(*Form, Log, "procedure", 1);
  test::TSystemRoadCounter road(Form->Handle());
  EXPECT_EQ(SendSkinCommand(Form->Handle(), SKC_ISSKINNED, 0), 1);
  // Skin data whose handler is not assigned yet changes nothing.
  TacCommonDataBase data;
  const auto prop = AttachCommonData(Form->Handle(), data);
  EXPECT_EQ(SendSkinCommand(Form->Handle(), SKC_ISSKINNED, 0), 1);
  EXPECT_EQ(road.Count(), 2);
  EXPECT_EQ(Log, (TCommandLog{"procedure?", "procedure?"}));
}

TEST_F(SkinCommandDeliveryTest, AnExceptionInADirectHandlerGivesZero) {
  const std::vector<std::pair<const char*, std::function<void()>>> throwers = {
      {"std::exception", [] { throw std::runtime_error("broken section"); }},
      {"not derived from std::exception", [] { throw 42; }},
  };
  for (const auto& [kind, thrower] : throwers) {
    SCOPED_TRACE(kind);
    TacCommonDataBase data;
    data.WndProc = [&thrower](TMessage& m) {
      m.Result = 5;
      thrower();
    };
    const auto prop = AttachCommonData(Form->Handle(), data);
    EXPECT_EQ(SendSkinCommand(Form->Handle(), SKC_GETBGCOLOR, 0xFF00FF), 0);
  }
  // Nothing reached the application's exception box either.
  EXPECT_TRUE(App.Sink.Entries.empty());
}

TEST_F(SkinCommandDeliveryTest, AHandlerMayDropItsSkinDataWhileItRuns) {
  auto data = std::make_unique<TacCommonDataBase>();
  auto prop = std::make_unique<platform::ScopedWindowProp>(AttachCommonData(Form->Handle(), *data));
  data->WndProc = [&](TMessage& m) {
    prop.reset();
    data.reset();  // the handler being run goes with it
    m.Result = 9;
  };
  EXPECT_EQ(SendSkinCommand(Form->Handle(), SKC_REMOVESKIN, 0), 9);
  EXPECT_EQ(GetPropW(Form->Handle(), kCommonDataProp), nullptr);
}

TEST_F(SkinCommandDeliveryTest, IsWindowSkinnedByPropertyOrByAnswer) {
  struct TCase {
    const char* Name;
    const wchar_t* Property;  // set on the window, or null
    LRESULT Answer;           // to SKC_ISSKINNED through the window procedure
    bool Skinned;
  };
  const TCase cases[] = {
      {"plain window", nullptr, 0, false},
      {"ACSDATA only", kCommonDataProp, 0, true},
      {"ACSBSC only", kScrollAdapterProp, 0, true},
      {"answers 1 and carries no property", nullptr, 1, true},
      {"answers 2: only 1 means yes", nullptr, 2, false},
      {"answers -1", nullptr, -1, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    test::TLoggingWindow window(Log, c.Name, nullptr, c.Answer);
    // Commands to a window with ACSDATA go to its skin data, so the property
    // must name real skin data (one without a handler).
    TacCommonDataBase data;
    platform::ScopedWindowProp prop;
    if (c.Property) prop = platform::ScopedWindowProp(window.Handle(), c.Property, &data);
    EXPECT_EQ(IsWindowSkinned(window.Handle()), c.Skinned);
    EXPECT_EQ(SkinCommandAnswersYes(window.Handle(), SKC_ISSKINNED), c.Answer == 1);
  }
  EXPECT_FALSE(IsWindowSkinned(nullptr));
  HWND gone;
  {
    test::TLoggingWindow window(Log, "gone", nullptr, 1);
    gone = window.Handle();
  }
  EXPECT_FALSE(IsWindowSkinned(gone));
}

TEST_F(SkinCommandDeliveryTest, ThePropertyLeavesWithItsOwnerButNotSomeoneElsesValue) {
  TacCommonDataBase data;
  {
    const auto prop = AttachCommonData(Form->Handle(), data);
    EXPECT_EQ(CommonDataOf(Form->Handle()), &data);
    EXPECT_TRUE(IsWindowSkinned(Form->Handle()));
  }
  EXPECT_EQ(CommonDataOf(Form->Handle()), nullptr);
  EXPECT_FALSE(IsWindowSkinned(Form->Handle()));

  TacCommonDataBase other;
  {
    const auto prop = AttachCommonData(Form->Handle(), data);
    SetPropW(Form->Handle(), kCommonDataProp, static_cast<TacCommonDataBase*>(&other));
  }
  EXPECT_EQ(CommonDataOf(Form->Handle()), &other);
  RemovePropW(Form->Handle(), kCommonDataProp);
}

// SendSkinCommandTo: which road a command takes to a framework control.
class SendSkinCommandToTest : public SkinCommandDeliveryTest {
 protected:
  TPanel* AddPanel(const char* name) {
    auto* panel = new TPanel(Form.get());
    panel->SetName(name);
    panel->SetParent(Form.get());
    return panel;
  }
};

TEST_F(SendSkinCommandToTest, AWindowlessControlGetsItThroughItsWindowProc) {
  auto* label = new TLabel(Form.get());
  label->SetParent(Form.get());
  test::LogSkinCommands(*label, Log, "label", 0x1234'5678'9A);
  EXPECT_EQ(SendSkinCommandTo(*label, SKC_GETSKINDATA, 0), 0x1234'5678'9A);
  EXPECT_EQ(Log, TCommandLog{"label"});
}

TEST_F(SendSkinCommandToTest, AControlWithoutAWindowOrBeingDestroyedGetsNothing) {
  auto* panel = AddPanel("panel");
  test::LogSkinCommands(*panel, Log, "panel", 1);
  panel->DestroyHandle();
  EXPECT_EQ(SendSkinCommandTo(*panel, SKC_ISSKINNED, 0), 0);
  EXPECT_FALSE(panel->HandleAllocated()) << "delivery must not create a window";

  panel->HandleNeeded();
  panel->SetState(csDestroying);
  EXPECT_EQ(SendSkinCommandTo(*panel, SKC_ISSKINNED, 0), 0);
  panel->ClearState(csDestroying);
  EXPECT_TRUE(Log.empty());
}

TEST_F(SendSkinCommandToTest, SkinDataWithAnOwnerTakesTheControlsWindowProcAsItsHandler) {
  struct TCase {
    const char* Name;
    bool HasOwner;
    bool HasHandler;
    bool Direct;  // the command did not travel through the system
  };
  const TCase cases[] = {
      {"owner, no handler yet: recorded and called directly", true, false, true},
      {"no owner: sent", false, false, false},
      {"handler already assigned: sent", true, true, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Log.clear();
    auto* panel = AddPanel("panel");
    panel->HandleNeeded();
    test::LogSkinCommands(*panel, Log, "panel", 3);
    TacCommonDataBase data;
    if (c.HasOwner) data.FOwnerControl = panel;
    if (c.HasHandler) data.WndProc = [](TMessage& m) { m.Result = 99; };
    const auto prop = AttachCommonData(panel->Handle(), data);
    test::TSystemRoadCounter road(panel->Handle());

    EXPECT_EQ(SendSkinCommandTo(*panel, SKC_GETPPI, 0), 3);
    EXPECT_EQ(road.Count(), c.Direct ? 0 : 1);
    EXPECT_EQ(Log, TCommandLog{"panel"});
    if (c.Direct) {
      // From now on the window's commands go straight to the control.
      EXPECT_EQ(SendSkinCommand(panel->Handle(), SKC_GETPPI, 0), 3);
      EXPECT_EQ(road.Count(), 0);
    } else {
      EXPECT_EQ(static_cast<bool>(data.WndProc), c.HasHandler);
    }
    delete panel;
  }
}

}  // namespace
}  // namespace ac
