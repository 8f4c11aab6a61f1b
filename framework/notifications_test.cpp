// The CM_ notifications the framework sends, and the mouse entry points.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/application_test_support.h"
#include "framework/button.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/label.h"
#include "framework/panel.h"

namespace ac {
namespace {

class TNotifyForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TNotifyForm"; }
};

// The CM_ messages a control received, with their LParam.
struct TSeen {
  UINT Msg;
  LPARAM LParam;
  bool operator==(const TSeen&) const = default;
};

class TRecorder {
 public:
  void Watch(TControl* c) {
    FHooks.push_back(c->HookWindowProc([this, c](TMessage& m, const TWndMethod& previous) {
      if (m.Msg >= CM_BASE && m.Msg < CM_BASE + 0x100) Log.push_back({c, {m.Msg, m.LParam}});
      previous(m);
    }));
  }
  int Count(TControl* c, UINT msg) const {
    return static_cast<int>(std::count_if(Log.begin(), Log.end(), [&](const auto& e) {
      return e.first == c && e.second.Msg == msg;
    }));
  }
  std::vector<LPARAM> Params(TControl* c, UINT msg) const {
    std::vector<LPARAM> out;
    for (const auto& e : Log)
      if (e.first == c && e.second.Msg == msg) out.push_back(e.second.LParam);
    return out;
  }
  std::vector<std::pair<TControl*, TSeen>> Log;

 private:
  std::vector<TWindowProcHook> FHooks;
};

class NotificationsTest : public ::testing::Test {
 protected:
  test::TTestApplication App;
  std::unique_ptr<TNotifyForm> Form = std::make_unique<TNotifyForm>(nullptr);
  TRecorder Seen;

  template <typename T>
  T* Add(TWinControl* parent, int left, int top, int width, int height) {
    return test::AddControl<T>(Form.get(), parent, left, top, width, height);
  }
  // Shows the form and waits until it is the active window.
  void ShowForm() {
    Form->SetBounds(100, 100, 300, 200);
    Form->Show();
    ASSERT_TRUE(test::PumpUntil([&] { return Form->Active(); }));
  }
};

TEST_F(NotificationsTest, InvalidateSendsCMInvalidateToWindowedAndWindowlessControls) {
  auto* panel = Add<TPanel>(Form.get(), 0, 0, 100, 50);
  auto* label = Add<TLabel>(panel, 0, 0, 40, 13);
  Form->HandleNeeded();
  Seen.Watch(panel);
  Seen.Watch(label);
  panel->Invalidate();
  label->Invalidate();
  label->SetColor(TColor{0x000000FF});  // a property change invalidates through the same road
  EXPECT_EQ(Seen.Count(panel, CM_INVALIDATE), 1);
  EXPECT_EQ(Seen.Count(label, CM_INVALIDATE), 2);
}

TEST_F(NotificationsTest, ShowingChangesReachTheControlAndEveryChild) {
  auto* panel = Add<TPanel>(Form.get(), 0, 0, 100, 50);
  auto* edit = Add<TEdit>(panel, 0, 0, 80, 20);
  auto* label = Add<TLabel>(panel, 0, 25, 40, 13);
  Form->HandleNeeded();
  for (TControl* c : std::vector<TControl*>{Form.get(), panel, edit, label}) Seen.Watch(c);
  ShowForm();
  for (TControl* c : std::vector<TControl*>{Form.get(), panel, edit, label})
    EXPECT_EQ(Seen.Count(c, CM_SHOWINGCHANGED), 1) << c->ClassName();
  EXPECT_TRUE(label->Showing());

  panel->SetVisible(false);
  EXPECT_FALSE(edit->Showing());
  EXPECT_FALSE(label->Showing());
  for (TControl* c : std::vector<TControl*>{panel, edit, label})
    EXPECT_EQ(Seen.Count(c, CM_SHOWINGCHANGED), 2) << c->ClassName();
  EXPECT_EQ(Seen.Count(Form.get(), CM_SHOWINGCHANGED), 1);

  // Hidden inside a hidden panel: nothing turns for the edit.
  edit->SetVisible(false);
  EXPECT_EQ(Seen.Count(edit, CM_SHOWINGCHANGED), 2);
  panel->SetVisible(true);
  EXPECT_EQ(Seen.Count(edit, CM_SHOWINGCHANGED), 2);
  EXPECT_EQ(Seen.Count(label, CM_SHOWINGCHANGED), 3);

  // Hidden by the system rather than through Visible.
  ShowWindow(Form->Handle(), SW_HIDE);
  EXPECT_EQ(Seen.Count(label, CM_SHOWINGCHANGED), 4);
  EXPECT_FALSE(label->Showing());
}

TEST_F(NotificationsTest, AnEditAnnouncesItsChangesWithCMChangedThenOnChange) {
  auto* edit = Add<TEdit>(Form.get(), 0, 0, 80, 20);
  Form->HandleNeeded();
  Seen.Watch(edit);
  std::vector<UINT> order;
  edit->OnChange = [&](TComponent*) { order.push_back(0); };
  edit->SetText("typed");
  EXPECT_EQ(Seen.Params(edit, CM_CHANGED), std::vector<LPARAM>{reinterpret_cast<LPARAM>(edit)});
  EXPECT_EQ(order.size(), 1u);
  // Typing into the window changes it the same way.
  SendMessageW(edit->Handle(), WM_CHAR, L'x', 0);
  EXPECT_EQ(Seen.Count(edit, CM_CHANGED), 2);
  EXPECT_EQ(order.size(), 2u);
}

// A character the focused control does not take goes to the form as
// CM_DIALOGCHAR and from there to every control until one uses it.
TEST_F(NotificationsTest, DialogCharsClickTheButtonWhoseAcceleratorTheyAre) {
  auto* panel = Add<TPanel>(Form.get(), 0, 0, 200, 100);
  auto* button = Add<TButton>(panel, 0, 0, 80, 25);
  auto* edit = Add<TEdit>(panel, 0, 30, 80, 20);
  auto* label = Add<TLabel>(panel, 0, 60, 40, 13);
  button->SetCaption("&Копировать");
  int clicks = 0;
  button->OnClick = [&](TComponent*) { ++clicks; };
  ShowForm();
  Seen.Watch(label);
  panel->SetFocus();
  ASSERT_TRUE(panel->Focused());

  struct TCase {
    wchar_t Char;
    UINT Message;
    int Clicks;
  };
  const TCase cases[] = {
      {L'к', WM_CHAR, 1},     // the accelerator, lower case
      {L'К', WM_SYSCHAR, 2},  // Alt+accelerator
      {L'x', WM_CHAR, 2},     // no accelerator: nobody uses it
  };
  for (const TCase& c : cases) {
    PostMessageW(panel->Handle(), c.Message, c.Char, 0);
    App.App.ProcessMessages();
    EXPECT_EQ(clicks, c.Clicks) << static_cast<int>(c.Char);
  }
  EXPECT_EQ(Seen.Params(label, CM_DIALOGCHAR).size(), 1u);  // the one nobody used before it

  // An edit takes its characters itself.
  edit->SetFocus();
  PostMessageW(edit->Handle(), WM_CHAR, L'к', 0);
  App.App.ProcessMessages();
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(edit->Text(), "к");
}

TEST_F(NotificationsTest, FocusChangesReachEveryControlAndCancelTheLeavingOnesMode) {
  auto* panel = Add<TPanel>(Form.get(), 0, 0, 200, 100);
  auto* first = Add<TEdit>(panel, 0, 0, 80, 20);
  auto* second = Add<TEdit>(panel, 0, 30, 80, 20);
  auto* label = Add<TLabel>(panel, 0, 60, 40, 13);
  ShowForm();
  first->SetFocus();
  for (TControl* c : std::vector<TControl*>{panel, first, second, label}) Seen.Watch(c);
  second->SetFocus();
  const auto to = reinterpret_cast<LPARAM>(second);
  for (TControl* c : std::vector<TControl*>{panel, first, second, label})
    EXPECT_EQ(Seen.Params(c, CM_FOCUSCHANGED), std::vector<LPARAM>{to}) << c->ClassName();
  EXPECT_EQ(Seen.Params(first, CM_CANCELMODE), std::vector<LPARAM>{to});
  EXPECT_EQ(Seen.Count(first, CM_EXIT), 1);
  EXPECT_EQ(Seen.Count(second, CM_ENTER), 1);
  EXPECT_EQ(Seen.Count(second, CM_UIACTIVATE), 1);
  EXPECT_EQ(Seen.Count(second, CM_CANCELMODE), 0);
}

TEST_F(NotificationsTest, PressingAnotherControlCancelsTheFocusedControlsMode) {
  auto* edit = Add<TEdit>(Form.get(), 0, 0, 80, 20);
  auto* label = Add<TLabel>(Form.get(), 10, 50, 40, 13);
  ShowForm();
  edit->SetFocus();
  Seen.Watch(edit);
  SendMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 55));
  SendMessageW(Form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(15, 55));
  EXPECT_EQ(Seen.Params(edit, CM_CANCELMODE), std::vector<LPARAM>{reinterpret_cast<LPARAM>(label)});
}

TEST_F(NotificationsTest, ActivatingTheFormUIActivatesItAndItsFocusedControl) {
  auto* edit = Add<TEdit>(Form.get(), 0, 0, 80, 20);
  ShowForm();
  edit->SetFocus();
  Seen.Watch(Form.get());
  Seen.Watch(edit);
  SendMessageW(Form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(Seen.Count(Form.get(), CM_UIACTIVATE), 1);
  EXPECT_EQ(Seen.Count(edit, CM_UIACTIVATE), 1);
}

// What a mouse entry point received.
struct TMouseCall {
  bool Down;
  TMouseButton Button;
  TShiftState Shift;
  int X, Y;
  bool operator==(const TMouseCall&) const = default;
};

TEST_F(NotificationsTest, MouseDownAndUpReachAWindowlessControlInItsCoordinates) {
  auto* label = Add<TLabel>(Form.get(), 10, 20, 40, 13);
  std::vector<TMouseCall> calls;
  label->OnMouseDown = [&](TComponent*, TMouseButton b, TShiftState s, int x, int y) {
    calls.push_back({true, b, s, x, y});
  };
  label->OnMouseUp = [&](TComponent*, TMouseButton b, TShiftState s, int x, int y) {
    calls.push_back({false, b, s, x, y});
  };
  Form->HandleNeeded();
  const HWND w = Form->Handle();
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(13, 25));
  SendMessageW(w, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(14, 26));
  SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(11, 21));
  SendMessageW(w, WM_RBUTTONUP, 0, MAKELPARAM(11, 21));
  SendMessageW(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(12, 22));
  const std::vector<TMouseCall> expected = {
      {true, TMouseButton::mbLeft, ssShift | ssLeft, 3, 5},
      {false, TMouseButton::mbLeft, ssShift, 4, 6},
      {true, TMouseButton::mbRight, ssCtrl | ssRight, 1, 1},
      {false, TMouseButton::mbRight, 0, 1, 1},
      {true, TMouseButton::mbLeft, ssLeft | ssDouble, 2, 2},
  };
  EXPECT_EQ(calls, expected);
}

// The system button reports its click while it handles the release: the
// click runs before MouseUp, so a handler that disables the button is seen.
TEST_F(NotificationsTest, ASystemButtonsClickComesBeforeItsMouseUp) {
  auto* button = Add<TButton>(Form.get(), 10, 10, 80, 25);
  std::vector<std::string> order;
  button->OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) {
    order.push_back("down");
  };
  button->OnClick = [&](TComponent*) {
    order.push_back("click");
    button->SetEnabled(false);
  };
  button->OnMouseUp = [&](TComponent*, TMouseButton, TShiftState, int, int) {
    order.push_back(button->Enabled() ? "up enabled" : "up disabled");
  };
  ShowForm();
  SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(order, (std::vector<std::string>{"down", "click", "up disabled"}));
}

}  // namespace
}  // namespace ac
