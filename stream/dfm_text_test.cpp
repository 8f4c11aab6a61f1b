#include "stream/dfm_text.h"

#include <gtest/gtest.h>

namespace ac::dfm {
namespace {

TEST(DfmText, ParsesEveryValueForm) {
  const char* text = R"(object Form1: TForm1
  // a comment
  Left = -786
  Version = 15.0
  Caption = 'It''s ' + 'Копировать'#13#10'x'
  Position = poScreenCenter
  Enabled = False
  Icons = [biSystemMenu, biHelp]
  Lines = ('a' ' ')
  Data = {0a FF}
  Blob = {@skin}
  Skins = <
    item
      Name = 'n'
    end>
  object sPanel1: TsPanel
    Font.Height = -11
  end
end
)";
  auto blobs = [](std::string_view name) {
    EXPECT_EQ(name, "skin");
    return std::vector<uint8_t>{7, 8};
  };
  const TObjectNode n = ParseText(text, blobs);
  EXPECT_EQ(n.ClassName, "TForm1");
  EXPECT_EQ(n.Name, "Form1");
  ASSERT_EQ(n.Properties.size(), 10u);
  EXPECT_EQ(n.Properties[0].Value, TValue::MakeInt(-786));
  EXPECT_EQ(n.Properties[1].Value, TValue::MakeFloat(15));
  EXPECT_EQ(n.Properties[2].Value, TValue::MakeString("It's Копировать\r\nx"));
  EXPECT_EQ(n.Properties[3].Value, TValue::MakeIdent("poScreenCenter"));
  EXPECT_EQ(n.Properties[4].Value, TValue::MakeBool(false));
  EXPECT_EQ(n.Properties[5].Value, TValue::MakeSet({"biSystemMenu", "biHelp"}));
  EXPECT_EQ(n.Properties[6].Value,
            TValue::MakeList({TValue::MakeString("a"), TValue::MakeString(" ")}));
  EXPECT_EQ(n.Properties[7].Value, TValue::MakeBinary({0x0A, 0xFF}));
  EXPECT_EQ(n.Properties[8].Value, TValue::MakeBinary({7, 8}));
  EXPECT_EQ(n.Properties[9].Name, "Skins");
  ASSERT_EQ(n.Properties[9].Value.CollectionItems.size(), 1u);
  ASSERT_EQ(n.Children.size(), 1u);
  EXPECT_EQ(n.Children[0].Properties[0].Name, "Font.Height");
}

TEST(DfmText, ErrorsNameTheLine) {
  struct Case {
    const char* Text;
    const char* Message;
  };
  const Case cases[] = {
      {"object A: T\n  P = 'open\nend\n", "line 2: unterminated string"},
      {"object A: T\n  P = ]\nend\n", "line 2: value expected"},
      {"object A: T\n  P = {ABC}\nend\n", "line 2: odd number of hex digits"},
      {"object A: T\n  P = {@x}\nend\n", "line 2: blob @x named but no blobs given"},
      {"object A: T\n", "line 2: identifier expected"},
      {"object A: T\nend\nend\n", "line 3: text after the root object's end"},
      {"thing A: T\nend\n", "line 1: 'object' expected"},
      {"object A: T\n P = 99999999999999999999\nend\n",
       "line 2: number out of range 99999999999999999999"},
  };
  for (const auto& c : cases) {
    try {
      ParseText(c.Text);
      ADD_FAILURE() << c.Text;
    } catch (const EParseError& e) {
      EXPECT_STREQ(e.what(), c.Message);
    }
  }
}

}  // namespace
}  // namespace ac::dfm
