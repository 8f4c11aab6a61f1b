// Replacing a control's window procedure with identity, and destroying a
// control whose procedure was replaced.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/application_test_support.h"
#include "framework/edit.h"
#include "framework/form.h"

namespace ac {
namespace {

class THookForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "THookForm"; }
};

constexpr UINT kProbe = WM_APP + 7;

// Counts how often each of several hooks saw kProbe.
struct THookLog {
  std::vector<int> Seen;
  TWndHook Hook(int id) {
    return [this, id](TMessage& m, const TWndMethod& previous) {
      if (m.Msg == kProbe) Seen.push_back(id);
      previous(m);
    };
  }
  std::vector<int> Probe(TControl& c) {
    Seen.clear();
    c.Perform(kProbe);
    return Seen;
  }
};

class WindowProcHookTest : public ::testing::Test {
 protected:
  test::TTestApplication App;
  std::unique_ptr<THookForm> Form = std::make_unique<THookForm>(nullptr);
  THookLog Log;
};

TEST_F(WindowProcHookTest, TheLatestHookRunsFirstAndUnhookingInReverseRestoresEachStep) {
  TWindowProcHook a = Form->HookWindowProc(Log.Hook(1));
  TWindowProcHook b = Form->HookWindowProc(Log.Hook(2));
  EXPECT_EQ(Log.Probe(*Form), (std::vector<int>{2, 1}));
  EXPECT_TRUE(b.Installed());
  EXPECT_FALSE(a.Installed());
  b.Unhook();
  EXPECT_TRUE(a.Installed());
  EXPECT_EQ(Log.Probe(*Form), (std::vector<int>{1}));
  a.Unhook();
  EXPECT_FALSE(a.Active());
  EXPECT_EQ(Log.Probe(*Form), (std::vector<int>{}));
}

// An adapter that goes first must not tear out the one installed after it.
TEST_F(WindowProcHookTest, UnhookingABuriedHookLeavesTheLaterOneInstalled) {
  TWindowProcHook a = Form->HookWindowProc(Log.Hook(1));
  TWindowProcHook b = Form->HookWindowProc(Log.Hook(2));
  a.Unhook();
  EXPECT_TRUE(b.Installed());
  EXPECT_EQ(Log.Probe(*Form), (std::vector<int>{2}));
  // The buried link passes on to the control's own procedure.
  Form->HandleNeeded();
  Form->SetText("still reaches the window");
  EXPECT_EQ(Form->Text(), "still reaches the window");
  b.Unhook();
  EXPECT_EQ(Log.Probe(*Form), (std::vector<int>{}));
}

TEST_F(WindowProcHookTest, AHookMayUnhookItselfWhileItHandlesAMessage) {
  TWindowProcHook self;
  int calls = 0;
  self = Form->HookWindowProc([&](TMessage& m, const TWndMethod& previous) {
    if (m.Msg == kProbe) {
      ++calls;
      self.Unhook();
    }
    previous(m);  // still valid: the running link keeps its chain alive
  });
  Form->HandleNeeded();
  Form->Perform(kProbe);
  Form->Perform(kProbe);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(self.Active());
  Form->SetText("x");
  EXPECT_EQ(Form->Text(), "x");
}

TEST_F(WindowProcHookTest, ATokenOutlivingItsControlDoesNothing) {
  auto* edit = new TEdit(Form.get());
  edit->SetParent(Form.get());
  TWindowProcHook hook = edit->HookWindowProc(Log.Hook(1));
  EXPECT_TRUE(hook.Installed());
  delete edit;
  EXPECT_FALSE(hook.Active());
  EXPECT_FALSE(hook.Installed());
  hook.Unhook();
}

// A skinned control keeps data that its replacement procedure reads. The
// probe records every call that arrives after that data was freed.
struct TFreedProbe {
  bool Freed = false;
  int CallsAfterFree = 0;
  int DestroysWhileWhole = 0;
};

class TSkinnedEdit : public TEdit {
 public:
  TSkinnedEdit(TComponent* owner, std::shared_ptr<TFreedProbe> probe)
      : TEdit(owner), FProbe(std::move(probe)) {
    // Replaced by plain assignment, as an adapter written without tokens
    // would: the framework alone must keep it from running too late.
    WindowProc = [probe = FProbe, previous = WindowProc](TMessage& m) {
      if (probe->Freed) ++probe->CallsAfterFree;
      if (m.Msg == WM_DESTROY && !probe->Freed) ++probe->DestroysWhileWhole;
      previous(m);
    };
  }
  ~TSkinnedEdit() override { FProbe->Freed = true; }
  std::string_view ClassName() const override { return "TSkinnedEdit"; }

 private:
  std::shared_ptr<TFreedProbe> FProbe;
};

TEST_F(WindowProcHookTest, DeletingAControlNeverCallsItsReplacedProcedureAfterItsPartsAreGone) {
  auto probe = std::make_shared<TFreedProbe>();
  auto* edit = new TSkinnedEdit(Form.get(), probe);
  edit->SetParent(Form.get());
  Form->Show();
  edit->SetFocus();
  const HWND window = edit->Handle();
  delete edit;
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(probe->CallsAfterFree, 0);
}

TEST_F(WindowProcHookTest, AnOwnerDestroysTheWindowWhileTheControlIsWhole) {
  auto probe = std::make_shared<TFreedProbe>();
  auto* form = new THookForm(nullptr);
  auto* edit = new TSkinnedEdit(form, probe);
  edit->SetParent(form);
  form->Show();
  edit->SetFocus();
  // The owner of the form deletes it the way the application does.
  TComponent::Free(form);
  EXPECT_EQ(probe->CallsAfterFree, 0);
  EXPECT_EQ(probe->DestroysWhileWhole, 1);
}

TEST_F(WindowProcHookTest, AFormWhoseProcedureWasReplacedIsDeletedSafely) {
  auto probe = std::make_shared<TFreedProbe>();
  struct TSkinnedForm : THookForm {
    std::shared_ptr<TFreedProbe> Probe;
    TSkinnedForm(std::shared_ptr<TFreedProbe> p) : THookForm(nullptr), Probe(std::move(p)) {
      WindowProc = [probe = Probe, previous = WindowProc](TMessage& m) {
        if (probe->Freed) ++probe->CallsAfterFree;
        previous(m);
      };
    }
    ~TSkinnedForm() override { Probe->Freed = true; }
  };
  auto form = std::make_unique<TSkinnedForm>(probe);
  form->Show();
  const HWND window = form->Handle();
  form.reset();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(probe->CallsAfterFree, 0);
}

}  // namespace
}  // namespace ac
