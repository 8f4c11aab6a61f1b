#pragma once
// The 80-bit extended floating-point format of x87 (sign, 15-bit exponent with
// bias 16383, 64-bit significand with an explicit integer bit), little-endian,
// converted to and from double without relying on the compiler's long double.

#include <array>
#include <cstdint>

namespace ac::dfm {

using TExtended80 = std::array<uint8_t, 10>;

// Exact for every finite double; infinities and NaN keep their kind.
TExtended80 EncodeExtended(double value);

// Rounds to the nearest double; magnitudes beyond the double range become
// infinity, below it zero. Pseudo-denormals and unnormals are read by value.
double DecodeExtended(const TExtended80& bytes);

}  // namespace ac::dfm
