#include "core/geometry.h"

#include <gtest/gtest.h>

namespace ac {
namespace {

TEST(TRect, ExcludesRightAndBottom) {
  TRect r = TRect::XYWH(2, 3, 4, 5);
  EXPECT_EQ(r, TRect::LTRB(2, 3, 6, 8));
  EXPECT_TRUE(r.Contains({2, 3}));
  EXPECT_TRUE(r.Contains({5, 7}));
  EXPECT_FALSE(r.Contains({6, 7}));
  EXPECT_FALSE(r.Contains({5, 8}));
}

TEST(TRect, EmptyAndInvertedIntersectToNothing) {
  EXPECT_TRUE(TRect::LTRB(5, 5, 5, 9).IsEmpty());
  EXPECT_TRUE(TRect::LTRB(5, 5, 4, 9).IsEmpty());
  EXPECT_EQ(TRect::LTRB(0, 0, 4, 4).Intersect(TRect::LTRB(4, 0, 8, 4)), TRect{});
  EXPECT_EQ(TRect::LTRB(0, 0, 4, 4).Intersect(TRect::LTRB(2, -1, 8, 3)), TRect::LTRB(2, 0, 4, 3));
}

TEST(TSourceRect, IncludesRightAndBottomAndClamps) {
  TSourceRect s = TSourceRect::XYWH(1, 1, 3, 2);
  EXPECT_EQ(s.Right, 3);
  EXPECT_EQ(s.Bottom, 2);
  EXPECT_EQ(s.Width(), 3);
  EXPECT_EQ(s.ToExclusive(), TRect::LTRB(1, 1, 4, 3));
  EXPECT_EQ(TSourceRect::FromExclusive(s.ToExclusive()), s);
  EXPECT_EQ(TSourceRect::XYWH(0, 0, 50, 50).ClampedTo(10, 20), (TSourceRect{0, 0, 9, 19}));
}

}  // namespace
}  // namespace ac
