#include "skin/section_state.h"

#include <gtest/gtest.h>

namespace ac {
namespace {

TEST(SectionState, BackgroundStatesStopAtTheSectionsLastStateAndAtTwo) {
  struct Case {
    int32_t States, Requested, Section, Props;
  };
  const Case cases[] = {
      {1, 0, 0, 0}, {1, 2, 0, 0}, {2, 1, 1, 1},  {2, 2, 1, 1}, {3, 2, 2, 2},
      {5, 4, 4, 2}, {5, 9, 4, 2}, {3, -1, 0, 0}, {0, 1, 0, 0},
  };
  for (const Case& c : cases) {
    TsGeneralData gd;
    gd.States = c.States;
    EXPECT_EQ(SectionState(gd, c.Requested), c.Section) << c.States << " " << c.Requested;
    EXPECT_EQ(PropsState(gd, c.Requested), c.Props) << c.States << " " << c.Requested;
  }
}

// A two-state section with its own pressed state: the pressed background is
// that of state 1, the pressed text takes state 2's colours.
TEST(SectionState, TextLimitsToTwoButNotToTheSectionsStates) {
  TsGeneralData gd;
  gd.States = 2;
  gd.UseState2 = true;
  gd.Props[1].FontColor.Color = 0x111111;
  gd.Props[2].FontColor.Color = 0x222222;
  EXPECT_EQ(StateProps(gd, 2).FontColor.Color, 0x111111);
  EXPECT_EQ(gd.Props[TextPropsState(2)].FontColor.Color, 0x222222);
  EXPECT_EQ(TextPropsState(7), 2);
  EXPECT_EQ(TextPropsState(-3), 0);
}

}  // namespace
}  // namespace ac
