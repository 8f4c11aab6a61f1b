#include "stream/extended_float.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ac::dfm {
namespace {

TEST(ExtendedFloat, KnownEncodings) {
  struct Case {
    double Value;
    TExtended80 Bytes;
  };
  const Case cases[] = {
      {0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {1.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
      {-2.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}},
      {15.0, {0, 0, 0, 0, 0, 0, 0, 0xF0, 0x02, 0x40}},
      {0.5, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeExtended(c.Value), c.Bytes) << c.Value;
    EXPECT_EQ(DecodeExtended(c.Bytes), c.Value) << c.Value;
  }
}

TEST(ExtendedFloat, EveryKindOfDoubleRoundTrips) {
  const double values[] = {16.16,
                           -0.1,
                           1e300,
                           -1e-300,
                           std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::min(),
                           std::numeric_limits<double>::denorm_min(),
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity()};
  for (double v : values) EXPECT_EQ(DecodeExtended(EncodeExtended(v)), v) << v;
  EXPECT_TRUE(std::isnan(DecodeExtended(EncodeExtended(std::nan("")))));
  EXPECT_TRUE(std::signbit(DecodeExtended(EncodeExtended(-0.0))));
}

TEST(ExtendedFloat, OutOfDoubleRangeSaturates) {
  // 2^16000 and 2^-16000.
  const TExtended80 big = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x7F, 0x7E};
  const TExtended80 tiny = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x7F, 0x01};
  EXPECT_EQ(DecodeExtended(big), std::numeric_limits<double>::infinity());
  EXPECT_EQ(DecodeExtended(tiny), 0.0);
}

}  // namespace
}  // namespace ac::dfm
