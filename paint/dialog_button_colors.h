#pragma once
// The colours that mark the answer buttons of a dialog (OK/Yes green,
// Cancel/No red, Cancel beside a No button blue) when the manager's modal
// buttons colouring asks for them. A button's dialog identity is 1 for OK
// and Yes, 7 for Cancel and No (a framework button's modal result, folded),
// or a plain window's dialog control ID (1 OK, 2 Cancel, 6 Yes, 7 No).

#include <cstdint>
#include <optional>

#include "core/color.h"

namespace ac {

// The dialog identity of a framework button with modal result Result.
int32_t DialogIdOfModalResult(int32_t result);

// Which part of the face takes the colour.
enum class TacDialogColorPart { dcpBackground, dcpGlyph };

// Where the button stands in its dialog.
struct TacDialogButtonPlace {
  int32_t Id = 0;                 // the button's dialog identity
  bool DialogHasOkOrYes = false;  // a button of the parent (this one included) has identity 1 or 6
  bool DialogHasNo = false;       // a button of the parent has identity 7 (No)
  bool IsCancel = false;          // the button is a Cancel button (modal result 2)
};

// The colour of Part for a button in State (0 normal, any other active), as
// $AABBGGRR with alpha 0xFF; none when the button takes no dialog colour
// (identity not 1, 2, 6 or 7, or no OK/Yes button in the dialog). The text
// of a coloured button takes the glyph colour.
std::optional<TColor> DialogButtonColor(const TacDialogButtonPlace& place, TacDialogColorPart part,
                                        int32_t state);

}  // namespace ac
