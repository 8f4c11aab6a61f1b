#include "stream/extended_float.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace ac::dfm {

TExtended80 EncodeExtended(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const uint16_t sign = static_cast<uint16_t>((bits >> 63) << 15);
  const int exp = static_cast<int>((bits >> 52) & 0x7FF);
  uint64_t frac = bits & ((uint64_t{1} << 52) - 1);

  uint16_t e80 = 0;
  uint64_t mant = 0;
  if (exp == 0x7FF) {  // infinity or NaN
    e80 = 0x7FFF;
    mant = (uint64_t{1} << 63) | (frac << 11);
  } else if (exp == 0) {
    if (frac != 0) {  // a double denormal is a normal extended value
      int shift = 0;
      while ((frac & (uint64_t{1} << 52)) == 0) {
        frac <<= 1;
        ++shift;
      }
      e80 = static_cast<uint16_t>(1 - 1023 - shift + 16383);
      mant = frac << 11;
    }
  } else {
    e80 = static_cast<uint16_t>(exp - 1023 + 16383);
    mant = (uint64_t{1} << 63) | (frac << 11);
  }
  TExtended80 out{};
  for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(mant >> (8 * i));
  const uint16_t top = sign | e80;
  out[8] = static_cast<uint8_t>(top);
  out[9] = static_cast<uint8_t>(top >> 8);
  return out;
}

double DecodeExtended(const TExtended80& bytes) {
  uint64_t mant = 0;
  for (int i = 0; i < 8; ++i) mant |= uint64_t{bytes[i]} << (8 * i);
  const uint16_t top = static_cast<uint16_t>(bytes[8] | (bytes[9] << 8));
  const bool negative = (top & 0x8000) != 0;
  const int exp = top & 0x7FFF;
  double magnitude;
  if (exp == 0x7FFF) {
    magnitude = (mant << 1) == 0 ? std::numeric_limits<double>::infinity()
                                 : std::numeric_limits<double>::quiet_NaN();
  } else if (mant == 0) {
    magnitude = 0;
  } else {
    // value = mant * 2^(exp - 16383 - 63); exp 0 means the denormal exponent 1.
    const int e = (exp == 0 ? 1 : exp) - 16383 - 63;
    // Split the scaling so that an intermediate never leaves the double range
    // while the final result is still representable.
    const double m = static_cast<double>(mant);
    if (e < -1074 - 64) {
      magnitude = 0;
    } else if (e > 1024) {
      magnitude = std::numeric_limits<double>::infinity();
    } else {
      magnitude = std::ldexp(m, e);
    }
  }
  return negative ? -magnitude : magnitude;
}

}  // namespace ac::dfm
