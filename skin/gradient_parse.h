#pragma once
// Gradient descriptions ("GRADIENTDATA", "HOTGRADIENTDATA", "GRADIENTDATA2")
// into the gradient points that painting uses.
//
// Two forms, told apart by the last character, with tokens separated by ";"
// (empty tokens are skipped):
//   stop form, last character "A", "B", ... (the count of points):
//     colour;percent;mode per point ("16777215;0;0;255;100;0;B")
//   segment form, last character "0":
//     start colour;end colour;length;mode;unused per segment
// Text of four characters or fewer ("N/A") is the empty gradient.

#include <string_view>

#include "pixels/gradient_data.h"

namespace ac {

// Throws EConvertError when a token that a point needs is missing or is not a
// number. A last character that is neither "0" nor above "@" gives no points.
TsGradArray ParseGradient(std::string_view text);

}  // namespace ac
