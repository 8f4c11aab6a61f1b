#include "manager/skin_broadcast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "framework/application_test_support.h"
#include "framework/form.h"
#include "framework/label.h"
#include "framework/panel.h"
#include "manager/skin_command_test_support.h"
#include "manager/skinned_window_lists.h"

namespace ac {
namespace {

using test::TCommandForm;
using test::TCommandLog;

// The attachment of a standard dialog (a window) or of a form (none).
class TFakeAttachment : public TacAutoAttachment {
 public:
  explicit TFakeAttachment(HWND dialog) : FDialog(dialog), FEntry(RegisterAutoAttachment(*this)) {}
  HWND DialogWindow() const override { return FDialog; }

 private:
  HWND FDialog;
  TacListEntry<TacAutoAttachment> FEntry;
};

// A form with a frame adapter as the broadcasts see it: its window carries
// skin data with a direct handler, and it is registered.
struct TSkinnedForm {
  TCommandForm* Form;
  std::unique_ptr<test::TFakeSkinData> Data;
  TacListEntry<TCustomForm> Entry;
};

class SkinBroadcastTest : public ::testing::Test {
 protected:
  test::TTestApplication App;
  TCommandLog Log;
  const TMessage Command = SkinCommandMessage(SKC_NEWSKIN, 0x77);

  // A form owned by the application, with a window, that logs as Name.
  TCommandForm* AddForm(const std::string& name) {
    auto* form = new TCommandForm(&App.App);
    form->SetName(name);
    form->HandleNeeded();
    test::LogSkinCommands(*form, Log, name);
    return form;
  }

  template <typename T>
  T* AddChild(TWinControl* parent, const std::string& name) {
    auto* c = new T(parent->ParentForm());
    c->SetName(name);
    c->SetParent(parent);
    test::LogSkinCommands(*c, Log, name);
    return c;
  }

  TSkinnedForm AddSkinnedForm(const std::string& name) {
    TCommandForm* form = AddForm(name);
    return {form, std::make_unique<test::TFakeSkinData>(form->Handle(), Log, name),
            RegisterForm(*form)};
  }
};

TEST_F(SkinBroadcastTest, FormsThenRegisteredFormsThenVisibleDialogs) {
  TCommandForm* plain1 = AddForm("plain1");
  auto* panel = AddChild<TPanel>(plain1, "panel");
  AddChild<TLabel>(panel, "label");
  TSkinnedForm skinned = AddSkinnedForm("skinned");
  AddChild<TPanel>(skinned.Form, "skinned.panel");
  AddForm("plain2");
  AddForm("loading")->SetState(csLoading);
  TCommandForm* destroying = AddForm("destroying");
  destroying->SetState(csDestroying);

  test::TLoggingWindow dialog(Log, "dialog");
  ShowWindow(dialog.Handle(), SW_SHOWNA);
  test::TLoggingWindow hiddenDialog(Log, "hidden dialog");
  TFakeAttachment dialogAttachment(dialog.Handle());
  TFakeAttachment hiddenAttachment(hiddenDialog.Handle());
  TFakeAttachment formAttachment(nullptr);

  BroadcastToForms(Command);
  // Application forms from the last created to the first, each followed by
  // its controls; the skinned form only in the second pass, once, through
  // its direct handler.
  const TCommandLog expected = {"plain2",          "plain1",        "panel", "label",
                                "skinned(direct)", "skinned.panel", "dialog"};
  EXPECT_EQ(test::Commands(Log), expected);
  destroying->ClearState(csDestroying);
}

TEST_F(SkinBroadcastTest, AFormWithoutAWindowIsReachedWithoutCreatingOne) {
  auto* form = new TCommandForm(&App.App);
  form->SetName("windowless form");
  test::LogSkinCommands(*form, Log, "form");
  AddChild<TPanel>(form, "panel");
  BroadcastToForms(Command);
  EXPECT_EQ(test::Commands(Log), (TCommandLog{"form", "panel"}));
  EXPECT_FALSE(form->HandleAllocated());
}

TEST_F(SkinBroadcastTest, AnMdiFrameAlsoTellsItsClientWindowAndMdiChildrenAreLeftOut) {
  TCommandForm* frame = AddForm("frame");
  CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
  platform::ScopedWindow client(CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD, 0, 0, 50, 50,
                                                frame->Handle(), nullptr, GetModuleHandleW(nullptr),
                                                &ccs));
  ASSERT_NE(client.Get(), nullptr);
  test::TSystemRoadCounter clientRoad(client.Get());

  // A form whose window is an MDI child of the frame.
  class TMdiChild : public TCommandForm {
   public:
    TMdiChild(TComponent* owner, HWND client) : TCommandForm(owner), FClient(client) {}

   protected:
    void CreateParams(TCreateParams& p) override {
      TCommandForm::CreateParams(p);
      p.Style |= WS_CHILD;
      p.ExStyle |= WS_EX_MDICHILD;
      p.WndParent = FClient;
    }

   private:
    HWND FClient;
  };
  auto* child = new TMdiChild(&App.App, client.Get());
  child->HandleNeeded();
  ASSERT_TRUE(GetWindowLongPtrW(child->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
  test::LogSkinCommands(*child, Log, "mdi child");

  BroadcastToForms(Command);
  EXPECT_EQ(test::Commands(Log), TCommandLog{"frame"});
  EXPECT_EQ(clientRoad.Count(), 1);
}

TEST_F(SkinBroadcastTest, RegisteredFormsLeaveByMovingTheLastEntryAndLateComersAreReached) {
  TSkinnedForm a = AddSkinnedForm("a");
  TSkinnedForm b = AddSkinnedForm("b");
  TSkinnedForm c = AddSkinnedForm("c");
  TSkinnedForm d = AddSkinnedForm("d");
  b.Entry.Reset();
  EXPECT_EQ(SkinnedWindowLists().RegisteredForms,
            (std::vector<TCustomForm*>{a.Form, d.Form, c.Form}));

  // While "a" handles the command, "e" gets a frame adapter: it is reached at
  // the end of the same pass.
  // (Not an application form, so the first pass does not reach it before it
  // is skinned.)
  TCommandForm eForm(nullptr);
  eForm.HandleNeeded();
  TSkinnedForm e{&eForm, nullptr, {}};
  a.Data->WndProc = [&](TMessage&) {
    Log.push_back("a(direct)");
    e.Data = std::make_unique<test::TFakeSkinData>(e.Form->Handle(), Log, "e");
    e.Entry = RegisterForm(*e.Form);
  };
  c.Form->SetState(csDestroying);
  BroadcastToForms(Command);
  c.Form->ClearState(csDestroying);
  // "b" is skinned but no longer registered: nobody addresses it.
  EXPECT_EQ(test::Commands(Log), (TCommandLog{"a(direct)", "d(direct)", "e(direct)"}));
}

TEST_F(SkinBroadcastTest, ComponentsVanishingUnderTheFirstPassEndTheWholeBroadcast) {
  TSkinnedForm registered = AddSkinnedForm("registered");
  TCommandForm* first = AddForm("first");
  TCommandForm* second = AddForm("second");
  TCommandForm* last = AddForm("last");
  AddChild<TPanel>(last, "last.panel");
  test::TLoggingWindow dialog(Log, "dialog");
  ShowWindow(dialog.Handle(), SW_SHOWNA);
  TFakeAttachment attachment(dialog.Handle());
  // "last" closes two other forms while it handles the command: the next
  // index is past the end of the components.
  TWndMethod logged = last->WindowProc;
  last->WindowProc = [&, logged](TMessage& m) {
    logged(m);
    if (IsSkinCommand(m, SKC_NEWSKIN)) {
      delete first;
      delete second;
    }
  };
  BroadcastToForms(Command);
  EXPECT_EQ(test::Commands(Log), (TCommandLog{"last", "last.panel"}));
}

TEST_F(SkinBroadcastTest, ChildControlsAreDescendedUnlessSkinnedOrWithoutAWindow) {
  TCommandForm* form = AddForm("form");
  auto* outer = AddChild<TPanel>(form, "outer");
  AddChild<TLabel>(outer, "outer.label");
  auto* inner = AddChild<TPanel>(outer, "inner");
  AddChild<TLabel>(inner, "inner.label");
  AddChild<TPanel>(inner, "inner.panel");
  // A skinned panel passes commands to its children itself.
  auto* skinned = AddChild<TPanel>(form, "skinned");
  AddChild<TPanel>(skinned, "skinned.child");
  // A panel whose window is not created: reached, not descended into.
  auto* unborn = AddChild<TPanel>(form, "unborn");
  AddChild<TLabel>(unborn, "unborn.label");
  // A child being destroyed ends the walk of its level only.
  auto* dying = AddChild<TPanel>(form, "dying-parent");
  auto* dyingChild = AddChild<TLabel>(dying, "dying");
  AddChild<TLabel>(dying, "after dying");
  AddChild<TLabel>(form, "form.label");
  form->HandleNeeded();
  const test::TFakeSkinData skinnedData(skinned->Handle(), Log, "skinned");
  unborn->DestroyHandle();
  dyingChild->SetState(csDestroying);

  BroadcastToChildControls(*form, Command);
  dyingChild->ClearState(csDestroying);
  const TCommandLog expected = {"outer",       "outer.label",  "inner",
                                "inner.label", "inner.panel",  "skinned(direct)",
                                "unborn",      "dying-parent", "form.label"};
  EXPECT_EQ(test::Commands(Log), expected);
}

TEST_F(SkinBroadcastTest, ChildWindowsAreOnlyTheDirectOnes) {
  test::TLoggingWindow parent(Log, "parent");
  test::TLoggingWindow first(Log, "first", parent.Handle());
  test::TLoggingWindow grandchild(Log, "grandchild", first.Handle());
  test::TLoggingWindow second(Log, "second", parent.Handle());
  const test::TFakeSkinData secondData(second.Handle(), Log, "second");

  BroadcastToChildWindows(parent.Handle(), Command);
  std::sort(Log.begin(), Log.end());
  EXPECT_EQ(test::Commands(Log), (TCommandLog{"first", "second(direct)"}));
}

TEST_F(SkinBroadcastTest, ThePlainVariantSendsInZOrderPastDirectHandlers) {
  test::TLoggingWindow parent(Log, "parent");
  test::TLoggingWindow a(Log, "a", parent.Handle());
  test::TLoggingWindow b(Log, "b", parent.Handle());
  test::TLoggingWindow c(Log, "c", parent.Handle());
  test::TLoggingWindow grandchild(Log, "grandchild", a.Handle());
  const test::TFakeSkinData bData(b.Handle(), Log, "b");
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  SetWindowPos(b.Handle(), HWND_TOP, 0, 0, 0, 0, flags);
  SetWindowPos(a.Handle(), b.Handle(), 0, 0, 0, 0, flags);
  SetWindowPos(c.Handle(), a.Handle(), 0, 0, 0, 0, flags);

  SendToChildWindowsInZOrder(parent.Handle(), Command);
  EXPECT_EQ(test::Commands(Log), (TCommandLog{"b", "a", "c"}));
}

}  // namespace
}  // namespace ac
