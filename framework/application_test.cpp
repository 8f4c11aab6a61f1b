#include "framework/application.h"

#include <gtest/gtest.h>

#include "framework/application_test_support.h"
#include "framework/form.h"
#include "framework/screen.h"

namespace ac {
namespace {

// A form class whose description is not among the program's resources.
class TMissingForm : public TForm {
 public:
  explicit TMissingForm(TComponent* owner) : TForm(owner) { ReadDescription(); }
  std::string_view ClassName() const override { return "TMissingForm"; }
};

TEST(Application, AFormThatCannotBeReadIsShownAndEndsTheProgram) {
  test::TTestApplication t;
  TMissingForm* form = reinterpret_cast<TMissingForm*>(1);
  t.App.CreateForm(form);
  EXPECT_EQ(form, nullptr);
  ASSERT_EQ(t.Sink.Entries.size(), 1u);
  EXPECT_EQ(t.Sink.Entries[0].Text, "resource TMISSINGFORM not found");
  EXPECT_EQ(t.Sink.Entries[0].Icon, TMessageIcon::Error);
  EXPECT_TRUE(t.App.Terminated());
  EXPECT_EQ(t.App.ExitCode(), 1);
  EXPECT_EQ(t.App.MainForm, nullptr);
  // Nothing half-built stays registered.
  EXPECT_EQ(Screen->CustomFormCount(), 0);
  t.App.Run();  // returns at once
}

TEST(Application, TheFirstFormIsTheMainFormAndClosingItEndsTheLoop) {
  test::TTestApplication t;
  struct TPlain : TForm {
    using TForm::TForm;
    std::string_view ClassName() const override { return "TPlainAppForm"; }
  };
  TPlain* first = nullptr;
  TPlain* second = nullptr;
  t.App.CreateForm(first);
  t.App.CreateForm(second);
  EXPECT_EQ(t.App.MainForm, first);
  EXPECT_EQ(Screen->CustomFormCount(), 2);
  first->HandleNeeded();
  PostMessageW(first->Handle(), WM_CLOSE, 0, 0);
  t.App.Run();
  EXPECT_TRUE(t.App.Terminated());
  EXPECT_EQ(t.App.ExitCode(), 0);
}

}  // namespace
}  // namespace ac
