#include "paint/frame_around.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "paint/letter_pictures_test_support.h"

namespace ac {
namespace {

using test::Picture;
using test::Px;
using test::Rows;

const std::vector<std::string> kFive = {"abcde", "fghij", "klmno", "pqrst", "uvwxy"};
const std::vector<std::string> kSix = {"abcdef", "ghijkl", "mnopqr", "stuvwx", "yzABCD", "EFGHIJ"};
constexpr auto kTile = TBandFill::Tile;
constexpr auto kStretch = TBandFill::Stretch;

struct TFrameCase {
  const char* Name;
  const std::vector<std::string>* Source;
  TRect Margins, Inner;
  std::array<TBandFill, 4> Sides;
  std::vector<std::string> Expected;  // '.' where nothing is drawn
};

TEST(PaintFrameAround, BandsCornersAndTheLAroundTheWindowArea) {
  const TFrameCase cases[] = {
      // One-pixel bands out of two-pixel margins: the corners carry the rest
      // of the margin as a one-pixel leg.
      {"thin bands",
       &kFive,
       TRect::LTRB(2, 2, 2, 2),
       TRect::LTRB(1, 1, 1, 1),
       {kTile, kTile, kTile, kTile},
       {"abcccde", "f.....j", "k.....o", "k.....o", "p.....t", "uvwwwxy"}},
      // Bands as thick as the margins: plain nine-slice corners.
      {"full bands",
       &kFive,
       TRect::LTRB(2, 2, 2, 2),
       TRect::LTRB(2, 2, 2, 2),
       {kTile, kTile, kTile, kTile},
       {"abcccde", "fghhhij", "kl...no", "pqrrrst", "uvwwwxy"}},
      // A two-pixel middle strip repeated, the last copy cut.
      {"tiled strip",
       &kSix,
       TRect::LTRB(2, 2, 2, 2),
       TRect::LTRB(1, 1, 1, 1),
       {kTile, kTile, kTile, kTile},
       {"abcdcdcef", "g.......l", "m.......r", "s.......x", "m.......r", "y.......D", "EFGHGHGIJ"}},
      // The same strip stretched by nearest pixels (x * 2 / 5).
      {"stretched strip",
       &kSix,
       TRect::LTRB(2, 2, 2, 2),
       TRect::LTRB(1, 1, 1, 1),
       {kStretch, kStretch, kStretch, kStretch},
       {"abcccddef", "g.......l", "m.......r", "m.......r", "s.......x", "y.......D", "EFGGGHHIJ"}},
      // Narrower than both margins: the left side gets half, the right the rest.
      {"narrow target",
       &kFive,
       TRect::LTRB(2, 2, 2, 2),
       TRect::LTRB(1, 1, 1, 1),
       {kTile, kTile, kTile, kTile},
       {"ade", "f.j", "k.o", "p.t", "uxy"}},
      // No band at all on the left and the bottom.
      {"missing sides",
       &kFive,
       TRect::LTRB(2, 2, 2, 2),
       TRect::LTRB(0, 1, 1, 0),
       {kTile, kTile, kTile, kTile},
       {"abcccde", "......j", "......o", "......t", "......y"}},
  };
  for (const TFrameCase& c : cases) {
    const TsPixelImage src = Picture(*c.Source);
    TsPixelImage dst = Picture(
        std::vector<std::string>(c.Expected.size(), std::string(c.Expected[0].size(), '.')));
    PaintFrameAround(dst, dst.View().Bounds(), src, src.View().Bounds(),
                     {.Inner = c.Inner, .Margins = c.Margins, .Sides = c.Sides});
    EXPECT_EQ(Rows(dst), c.Expected) << c.Name;
  }
}

TEST(PaintFrameAround, AnInnerTargetAndSourceRectangleStayInside) {
  // The source is the second of two state frames side by side, the target a
  // rectangle inside a larger picture that reaches past its right edge.
  const TsPixelImage src =
      Picture({"zzzzzabcde", "zzzzzfghij", "zzzzzklmno", "zzzzzpqrst", "zzzzzuvwxy"});
  TsPixelImage dst =
      Picture({"........", "........", "........", "........", "........", "........", "........"});
  PaintFrameAround(dst, TRect::LTRB(2, 1, 9, 7), src, TRect::LTRB(5, 0, 10, 5),
                   {.Inner = TRect::LTRB(1, 1, 1, 1), .Margins = TRect::LTRB(2, 2, 2, 2)});
  EXPECT_EQ(Rows(dst), (std::vector<std::string>{"........", "..abcccd", "..f.....", "..k.....",
                                                 "..k.....", "..p.....", "..uvwwwx"}));
}

TEST(PaintFrameAround, EmptyAndInvertedInputsDrawNothing) {
  const TsPixelImage src = Picture(kFive);
  const std::vector<std::string> blank(4, std::string(4, '.'));
  const struct {
    TRect To, From;
  } cases[] = {
      {TRect::LTRB(0, 0, 0, 4), TRect::LTRB(0, 0, 5, 5)},
      {TRect::LTRB(3, 3, 1, 1), TRect::LTRB(0, 0, 5, 5)},
      {TRect::LTRB(0, 0, 4, 4), TRect::LTRB(5, 5, 0, 0)},
      {TRect::LTRB(-50, -50, -20, -20), TRect::LTRB(0, 0, 5, 5)},
  };
  for (const auto& c : cases) {
    TsPixelImage dst = Picture(blank);
    PaintFrameAround(dst, c.To, src, c.From,
                     {.Inner = TRect::LTRB(1, 1, 1, 1), .Margins = TRect::LTRB(2, 2, 2, 2)});
    EXPECT_EQ(Rows(dst), blank);
  }
}

}  // namespace
}  // namespace ac
