#include "paint/dialog_button_colors.h"

#include <gtest/gtest.h>

namespace ac {
namespace {

TEST(DialogButtonColors, ModalResultsFoldIntoTwoIdentities) {
  const struct {
    int32_t Result, Id;
  } cases[] = {{0, 0}, {1, 1}, {6, 1}, {2, 7}, {7, 7}, {3, 0}, {8, 0}, {-1, 0}};
  for (const auto& c : cases) EXPECT_EQ(DialogIdOfModalResult(c.Result), c.Id) << c.Result;
}

TEST(DialogButtonColors, EachAnswerButtonTakesItsRowAndColumn) {
  using P = TacDialogColorPart;
  const struct {
    TacDialogButtonPlace Place;
    P Part;
    int32_t State;
    uint32_t Expected;
  } cases[] = {
      {{1, true, false, false}, P::dcpGlyph, 0, 0xFF28851A},
      {{6, true, false, false}, P::dcpGlyph, 1, 0xFF008E00},
      {{1, true, false, false}, P::dcpBackground, 0, 0xFF7BD098},
      {{6, true, false, false}, P::dcpBackground, 2, 0xFF3EE275},
      {{2, true, false, true}, P::dcpGlyph, 0, 0xFF0000B4},
      {{7, true, true, false}, P::dcpGlyph, 1, 0xFF0000A2},
      {{2, true, false, false}, P::dcpBackground, 0, 0xFF9E9EFF},
      {{7, true, false, false}, P::dcpBackground, 3, 0xFF7E7EFF},
      // A Cancel button beside a No button: the third row.
      {{7, true, true, true}, P::dcpGlyph, 0, 0xFFAE7400},
      {{7, true, true, true}, P::dcpGlyph, 1, 0xFF916000},
      {{7, true, true, true}, P::dcpBackground, 0, 0xFFFFEDC9},
      {{2, true, true, true}, P::dcpBackground, 1, 0xFFFFE9BE},
  };
  for (const auto& c : cases) {
    const auto color = DialogButtonColor(c.Place, c.Part, c.State);
    ASSERT_TRUE(color.has_value()) << c.Place.Id;
    EXPECT_EQ(static_cast<uint32_t>(*color), c.Expected) << c.Place.Id << " " << c.State;
  }
}

TEST(DialogButtonColors, OtherButtonsAndDialogsWithoutOkTakeNone) {
  const TacDialogButtonPlace none[] = {
      {0, true, false, false},   // not an answer button
      {3, true, false, false},   // Abort
      {8, true, false, false},   // Close
      {2, false, false, true},   // a Cancel alone
      {1, false, false, false},  // the dialog knows no OK (the caller says so)
  };
  for (const auto& place : none)
    EXPECT_FALSE(DialogButtonColor(place, TacDialogColorPart::dcpGlyph, 0).has_value()) << place.Id;
}

}  // namespace
}  // namespace ac
