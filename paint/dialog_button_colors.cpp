#include "paint/dialog_button_colors.h"

namespace ac {

int32_t DialogIdOfModalResult(int32_t result) {
  switch (result) {
    case 1:
    case 6:
      return 1;
    case 2:
    case 7:
      return 7;
    default:
      return 0;
  }
}

std::optional<TColor> DialogButtonColor(const TacDialogButtonPlace& place, TacDialogColorPart part,
                                        int32_t state) {
  const int32_t id = place.Id;
  const bool answer = id == 1 || id == 2 || id == 6 || id == 7;
  if (!answer || !place.DialogHasOkOrYes) return std::nullopt;
  // Rows: OK/Yes, Cancel/No, Cancel beside a No button; columns: normal, active.
  static constexpr uint32_t kBackground[3][2] = {
      {0xFF7BD098, 0xFF3EE275}, {0xFF9E9EFF, 0xFF7E7EFF}, {0xFFFFEDC9, 0xFFFFE9BE}};
  static constexpr uint32_t kGlyph[3][2] = {
      {0xFF28851A, 0xFF008E00}, {0xFF0000B4, 0xFF0000A2}, {0xFFAE7400, 0xFF916000}};
  int row = id == 1 || id == 6 ? 0 : 1;
  if (row == 1 && place.IsCancel && place.DialogHasNo) row = 2;
  const int column = state == 0 ? 0 : 1;
  const uint32_t value =
      part == TacDialogColorPart::dcpBackground ? kBackground[row][column] : kGlyph[row][column];
  return static_cast<TColor>(value);
}

}  // namespace ac
