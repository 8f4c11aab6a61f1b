#include "framework/component_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/application_test_support.h"
#include "framework/button.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/label.h"
#include "framework/panel.h"
#include "stream/dfm_text.h"

namespace ac {
namespace {

using dfm::TValue;

class TTestForm : public TForm {
 public:
  explicit TTestForm(TComponent* owner) : TForm(owner) {}
  std::string_view ClassName() const override { return "TTestForm"; }
  TNotifyEvent FindMethod(std::string_view name) override {
    if (name == "ButtonClick") return [this](TComponent* s) { Clicks.push_back(s); };
    return {};
  }
  void BindField(std::string_view name, TComponent* c) override { Bound.emplace_back(name, c); }
  std::vector<TComponent*> Clicks;
  std::vector<std::pair<std::string, TComponent*>> Bound;
};

const char* kDescription = R"(object TestForm: TTestForm
  Caption = 'Проверка'
  ClientWidth = 200
  ClientHeight = 80
  Font.Height = -11
  Font.Name = 'Tahoma'
  object Panel1: TPanel
    Left = 1
    Top = 3
    Width = 198
    Height = 70
    object Label1: TLabel
      Left = 5
      Top = 2
      Caption = 'Label'
      Font.Style = [fsUnderline]
      ParentFont = False
    end
    object Edit1: TEdit
      Left = 4
      Top = 16
      Alignment = taCenter
      ReadOnly = True
      TabOrder = 1
      Text = 'поле'
    end
    object Button1: TButton
      Left = 4
      Top = 40
      Caption = 'Go'
      TabOrder = 0
      OnClick = ButtonClick
    end
  end
end
)";

TClassRegistry FrameworkClasses() {
  TClassRegistry classes;
  RegisterFrameworkClasses(classes);
  return classes;
}

// The description goes through the binary stream, as in the program.
dfm::TObjectNode Stored(const std::string& text) {
  return dfm::ReadBinary(dfm::WriteBinary(dfm::ParseText(text)));
}

class ComponentReaderTest : public ::testing::Test {
 protected:
  test::TTestApplication App;
  std::unique_ptr<TTestForm> Form = std::make_unique<TTestForm>(nullptr);
};

TEST_F(ComponentReaderTest, CreatesChildrenInOrderWithParentsAndProperties) {
  ReadComponent(*Form, Stored(kDescription), FrameworkClasses());
  ASSERT_EQ(Form->ComponentCount(), 4);
  auto* panel = dynamic_cast<TPanel*>(Form->FindComponent("Panel1"));
  auto* label = dynamic_cast<TLabel*>(Form->FindComponent("Label1"));
  auto* edit = dynamic_cast<TEdit*>(Form->FindComponent("Edit1"));
  auto* button = dynamic_cast<TButton*>(Form->FindComponent("Button1"));
  ASSERT_TRUE(panel && label && edit && button);
  EXPECT_EQ(Form->Components()[0], panel);
  EXPECT_EQ(Form->Components()[3], button);
  EXPECT_EQ(panel->Parent(), Form.get());
  EXPECT_EQ(edit->Parent(), panel);
  EXPECT_EQ(Form->Caption(), "Проверка");
  EXPECT_EQ(Form->ClientWidth(), 200);
  EXPECT_EQ(edit->Text(), "поле");
  EXPECT_TRUE(edit->ReadOnly());
  EXPECT_EQ(edit->Alignment(), TAlignment::taCenter);
  EXPECT_EQ(button->TabOrder(), 0);
  EXPECT_TRUE(label->Font().HasStyle(TFontStyle::fsUnderline));
  EXPECT_FALSE(label->ParentFont());
  // The edit takes the panel's font, which is the form's.
  EXPECT_TRUE(edit->ParentFont());
  EXPECT_EQ(edit->Font().Name(), "Tahoma");
  ASSERT_EQ(Form->Bound.size(), 4u);
  EXPECT_EQ(Form->Bound[2].first, "Edit1");
  EXPECT_EQ(Form->Bound[2].second, edit);
  for (TComponent* c : Form->Components())
    EXPECT_EQ(c->ComponentState() & (csLoading | csReading), 0u);
}

TEST_F(ComponentReaderTest, EventsNameTheRootsMethods) {
  ReadComponent(*Form, Stored(kDescription), FrameworkClasses());
  auto* button = dynamic_cast<TButton*>(Form->FindComponent("Button1"));
  button->Click();
  ASSERT_EQ(Form->Clicks.size(), 1u);
  EXPECT_EQ(Form->Clicks[0], button);
}

TEST_F(ComponentReaderTest, ErrorsNameTheComponentAndProperty) {
  struct Case {
    const char* Text;
    const char* Message;
  };
  const Case cases[] = {
      {"object F: TTestForm\n  Bogus = 1\nend\n",
       "Error reading F.Bogus: property Bogus does not exist"},
      {"object F: TTestForm\n  object E: TEdit\n    ReadOnly = 'yes'\n  end\nend\n",
       "Error reading E.ReadOnly: True or False expected, found string"},
      {"object F: TTestForm\n  object E: TEdit\n    Alignment = taMiddle\n  end\nend\n",
       "Error reading E.Alignment: invalid property value taMiddle"},
      {"object F: TTestForm\n  object B: TButton\n    OnClick = Missing\n  end\nend\n",
       "Error reading B.OnClick: method Missing not found"},
      {"object F: TTestForm\n  object X: TWidget\n  end\nend\n", "Class TWidget not found"},
      {"object F: TTestForm\n  object E: TEdit\n  end\n  object E: TEdit\n  end\nend\n",
       "A component named E already exists"},
      {"object F: TOtherForm\nend\n", "the description is of class TOtherForm, not TTestForm"},
      {"object F: TTestForm\n  Left = 99999999999\nend\n",
       "Error reading F.Left: integer out of range: 99999999999"},
  };
  for (const auto& c : cases) {
    auto form = std::make_unique<TTestForm>(nullptr);
    try {
      ReadComponent(*form, Stored(c.Text), FrameworkClasses());
      ADD_FAILURE() << c.Text;
    } catch (const dfm::EReadError& e) {
      EXPECT_STREQ(e.what(), c.Message);
    }
  }
}

// Loaded runs after the whole description, root first, then in creation order.
TEST_F(ComponentReaderTest, LoadedRunsAfterEverythingWasRead) {
  static std::vector<std::string>* order = nullptr;
  std::vector<std::string> seen;
  order = &seen;
  struct TProbe : TComponent {
    using TComponent::TComponent;
    std::string_view ClassName() const override { return "TProbe"; }
    int Value = 0;
    bool SetStoredProperty(std::string_view n, const TValue& v) override {
      if (n != "Value") return TComponent::SetStoredProperty(n, v);
      Value = static_cast<int>(v.Int);
      return true;
    }
    void Loaded() override {
      TComponent::Loaded();
      // Every sibling's properties are there already.
      int sum = 0;
      for (TComponent* c : Owner()->Components())
        if (auto* p = dynamic_cast<TProbe*>(c)) sum += p->Value;
      order->push_back(Name() + ":" + std::to_string(sum));
    }
  };
  TClassRegistry classes;
  classes.Register<TProbe>("TProbe");
  ReadComponent(*Form,
                Stored("object F: TTestForm\n  object A: TProbe\n    Value = 1\n  end\n"
                       "  object B: TProbe\n    Value = 2\n  end\nend\n"),
                classes);
  EXPECT_EQ(seen, (std::vector<std::string>{"A:3", "B:3"}));
  order = nullptr;
}

}  // namespace
}  // namespace ac
