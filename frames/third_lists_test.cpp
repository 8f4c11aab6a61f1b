#include "frames/third_lists.h"

#include <gtest/gtest.h>

namespace ac {
namespace {

TEST(ThirdLists, ClassNamesMatchExactlyInTheFirstListThatHoldsThem) {
  std::array<std::string, kThirdPartyCount> texts;
  texts.fill(" ");
  texts[tlEdits] = "TEdit\r\nTMemo  \r\n\r\n";
  texts[tlButtons] = "TButton\nTMemo";
  texts[tlStaticText] = " \n";
  const TacThirdLists lists = MakeThirdLists(texts);
  const struct {
    const char* Name;
    int Index;
  } cases[] = {
      {"TEdit", tlEdits},
      {"TMemo", tlEdits},  // the lower index wins
      {"TButton", tlButtons},
      {"tbutton", -1},  // names are case-sensitive
      {"TButtonEx", -1},
      {" ", -1},  // a blank line is no name
      {"", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(FindThirdList(lists, c.Name), c.Index) << c.Name;
  EXPECT_TRUE(lists[tlStaticText].empty());
}

}  // namespace
}  // namespace ac
