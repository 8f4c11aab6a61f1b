#include "paint/fade_plan.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace ac {
namespace {

TEST(RoundHalfEvenTest, TiesGoToTheEvenNeighbour) {
  struct Case {
    double Value;
    int64_t Expected;
  };
  for (const Case& c : std::vector<Case>{{42.5, 42},
                                         {127.5, 128},
                                         {212.5, 212},
                                         {297.5, 298},
                                         {0.5, 0},
                                         {1.5, 2},
                                         {-0.5, 0},
                                         {-1.5, -2},
                                         {-42.5, -42},
                                         {56.6667, 57},
                                         {14.1666, 14},
                                         {-14.17, -14},
                                         {0.49999, 0}})
    EXPECT_EQ(RoundHalfEven(c.Value), c.Expected) << c.Value;
}

// A fade as the timer runs it: the first frame at once, then one frame per
// tick while the plan lasts. Each entry is (Iteration, g) of one frame.
using TFrames = std::vector<std::pair<int, int>>;
TFrames RunFade(TacFadeCounters& c, size_t maxFrames = 100) {
  TFrames frames;
  bool more = true;
  for (bool first = true; more && frames.size() < maxFrames; first = false) {
    if (!first && !NextIteration(c)) break;
    const uint8_t g = AdvanceGlow(c);
    frames.emplace_back(c.Iteration, g);
    more = NextAfterStep(c, g) == TFadeNext::fnContinue;
  }
  return frames;
}

// Counters of a finished fade (as the step that ended it left them).
TacFadeCounters Finished(int state, double glow, int iteration) {
  TacFadeCounters c;
  c.State = state;
  c.Glow = glow;
  c.Iteration = iteration;
  return c;
}

TEST(FadePlanTest, PlansEachTransitionFromWhereTheFadeStands) {
  struct Case {
    const char* Name;
    TacFadeCounters Before;
    int NewState;
    int Carried;  // 0 for a new timer
    TFadeSpeed Speed;
    bool HasFrame;
    // Expected after planning.
    double Glow;
    double GlowStep;
    int Iterations;
    int Iteration;
  };
  const TacFadeCounters rest;
  const Case cases[] = {
      {"rest to active", rest, 1, 0, TFadeSpeed::fsNormal, false, 0, 42.5, 6, 0},
      {"rest to active, fast", rest, 1, 0, TFadeSpeed::fsFast, false, 0, 42.5, 6, 0},
      {"rest to normal", rest, 0, 0, TFadeSpeed::fsNormal, false, 0, 0, 18, 0},
      {"rest to normal, fast", rest, 0, 0, TFadeSpeed::fsFast, false, 0, 0, 9, 0},
      {"rest to pressed", rest, 2, 0, TFadeSpeed::fsNormal, false, 255, 42.5, 6, 0},
      {"rest to pressed, fast", rest, 2, 0, TFadeSpeed::fsFast, false, 255, 85, 3, 0},
      // A finished fade to active leaves Glow past 255; leaving starts at 255.
      {"active to normal", Finished(1, 297.5, 6), 0, 0, TFadeSpeed::fsNormal, true, 255, 255.0 / 18,
       18, 0},
      // Leaving half-way through lighting up: as far into the fade to normal
      // as the light had gone.
      {"half-lit to normal", Finished(1, 127.5, 2), 0, 4, TFadeSpeed::fsNormal, true, 127.5,
       127.5 / 18, 18, 9},
      {"active to pressed", Finished(1, 297.5, 6), 2, 0, TFadeSpeed::fsNormal, true, 255, 42.5, 6,
       0},
      // Pressed while lighting up: the press carries on from the light.
      {"lighting to pressed", Finished(1, 85, 1), 2, 5, TFadeSpeed::fsNormal, true, 85, 85.0 / 6, 6,
       0},
      {"pressed to active", Finished(2, -42.5, 6), 1, 0, TFadeSpeed::fsNormal, true, 0, 42.5, 6, 0},
      // Back in while fading out: only the steps still to go, counted from
      // where the light stands.
      {"fading out to active", Finished(0, 170, 5), 1, 13, TFadeSpeed::fsNormal, true, 170, 42.5, 2,
       4},
      {"to an effect's state", rest, 3, 0, TFadeSpeed::fsNormal, false, 0, 42.5, 6, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    TacFadeCounters c = k.Before;
    PlanFade(c, k.Carried, k.NewState, k.Speed, k.HasFrame);
    EXPECT_DOUBLE_EQ(c.Glow, k.Glow);
    EXPECT_NEAR(c.GlowStep, k.GlowStep, 1e-9);
    EXPECT_EQ(c.Iterations, k.Iterations);
    EXPECT_EQ(c.Iteration, k.Iteration);
    EXPECT_EQ(c.State, k.NewState);
    EXPECT_EQ(c.OldState, k.Before.State);
    EXPECT_EQ(c.Value, 0);
  }
}

TEST(FadePlanTest, ARedirectedFadeCarriesTheStepsItHasLeft) {
  struct Case {
    TacFadeCounters Running;
    int Expected;
  };
  const Case cases[] = {
      {Finished(1, 127.5, 2), 4}, {Finished(1, 297.5, 6), 0}, {Finished(2, 85, 1), 5},
      {Finished(0, 170, 5), 13},  {Finished(0, 0, 18), 0},    {Finished(0, 20, 30), 0},
      {Finished(-1, 0, 0), 6},
  };
  for (const Case& k : cases)
    EXPECT_EQ(CarriedIterations(k.Running), k.Expected)
        << k.Running.State << " at " << k.Running.Iteration;
}

TEST(FadePlanTest, AFadeWithoutAFrameOnScreenStartsAtTheCarriedStep) {
  TacFadeCounters c = Finished(2, 40, 3);
  PlanFade(c, CarriedIterations(c), 2, TFadeSpeed::fsNormal, false);
  EXPECT_EQ(c.Iteration, 3);
  EXPECT_DOUBLE_EQ(c.Glow, 40);  // a redirected press keeps its light
}

TEST(FadePlanTest, LightingUpFromRestShowsSevenFramesEndingFullyLit) {
  TacFadeCounters c;
  PlanFade(c, 0, 1, TFadeSpeed::fsNormal, false);
  EXPECT_EQ(RunFade(c),
            (TFrames{{0, 42}, {1, 85}, {2, 128}, {3, 170}, {4, 212}, {5, 255}, {6, 255}}));
  EXPECT_DOUBLE_EQ(c.Glow, 297.5);
  std::vector<int> weights;
  for (int g : {42, 85, 128, 170, 212, 255}) weights.push_back(FrameWeight(1, uint8_t(g)));
  EXPECT_EQ(weights, (std::vector<int>{213, 170, 127, 85, 43, 0}));
}

TEST(FadePlanTest, LeavingTakesNineteenFramesDownToNormal) {
  TacFadeCounters c = Finished(1, 297.5, 6);
  PlanFade(c, CarriedIterations(c), 0, TFadeSpeed::fsNormal, true);
  EXPECT_EQ(RunFade(c), (TFrames{{0, 241},
                                 {1, 227},
                                 {2, 213},
                                 {3, 198},
                                 {4, 184},
                                 {5, 170},
                                 {6, 156},
                                 {7, 142},
                                 {8, 128},
                                 {9, 113},
                                 {10, 99},
                                 {11, 85},
                                 {12, 71},
                                 {13, 57},
                                 {14, 43},
                                 {15, 28},
                                 {16, 14},
                                 {17, 0},
                                 {18, 0}}));
  EXPECT_EQ(FrameWeight(0, 241), 241);
}

TEST(FadePlanTest, AFadeOutThatStartedLateIsMovedBackUntilTheLightIsSpent) {
  // Lit to 127.5 (three frames), then left.
  TacFadeCounters c;
  PlanFade(c, 0, 1, TFadeSpeed::fsNormal, false);
  ASSERT_EQ(RunFade(c, 3).back(), std::make_pair(2, 128));
  PlanFade(c, CarriedIterations(c), 0, TFadeSpeed::fsNormal, true);
  EXPECT_EQ(RunFade(c), (TFrames{{9, 120},
                                 {10, 113},
                                 {11, 106},
                                 {12, 99},
                                 {13, 92},
                                 {14, 85},
                                 {15, 78},
                                 {16, 71},
                                 {17, 64},
                                 // step 18 still shows 57: back to 9, on to the end
                                 {18, 57},
                                 {10, 50},
                                 {11, 43},
                                 {12, 35},
                                 {13, 28},
                                 {14, 21},
                                 {15, 14},
                                 {16, 7},
                                 {17, 0},
                                 {18, 0}}));
}

TEST(FadePlanTest, PressingWhileLightingUpFadesFromTheCurrentLight) {
  TacFadeCounters c;
  PlanFade(c, 0, 1, TFadeSpeed::fsNormal, false);
  RunFade(c, 2);
  PlanFade(c, CarriedIterations(c), 2, TFadeSpeed::fsNormal, true);
  EXPECT_EQ(RunFade(c), (TFrames{{0, 71}, {1, 57}, {2, 42}, {3, 28}, {4, 14}, {5, 0}, {6, 0}}));
  EXPECT_EQ(FrameWeight(2, 71), 71);
}

TEST(FadePlanTest, ComingBackWhileFadingOutEndsAtTheFirstFrame) {
  // The plan counts two steps still to go but starts at step 4 of them.
  TacFadeCounters c = Finished(0, 170, 5);
  PlanFade(c, CarriedIterations(c), 1, TFadeSpeed::fsNormal, true);
  EXPECT_EQ(RunFade(c), (TFrames{{4, 212}}));
  EXPECT_EQ(FrameWeight(1, 212), 43);
}

TEST(FadePlanTest, AnEffectStateFollowsTheStepCount) {
  TacFadeCounters c;
  PlanFade(c, 0, 3, TFadeSpeed::fsNormal, false);
  EXPECT_EQ(RunFade(c),
            (TFrames{{0, 255}, {1, 212}, {2, 170}, {3, 128}, {4, 85}, {5, 42}, {6, 0}}));
}

// Pixel bytes blue, green, red, alpha.
using TPixel = std::array<uint8_t, 4>;

TsPixelImage Filled(int w, int h, TPixel p) {
  TsPixelImage img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) std::memcpy(img.View().RowBytes(y) + x * 4, p.data(), 4);
  return img;
}

TPixel At(const TsPixelBuffer& b, int x, int y) {
  TPixel p;
  std::memcpy(p.data(), b.RowBytes(y) + x * 4, 4);
  return p;
}

TEST(MixFadeFrameTest, EveryByteKeepsTheWeightOfTheStartImage) {
  struct Case {
    uint8_t Weight;
    TPixel From;
    TPixel To;
    TPixel Expected;  // (w * (from - to) + to * 256) >> 8, each byte
  };
  const Case cases[] = {
      {213, {10, 200, 0, 255}, {250, 40, 255, 255}, {50, 173, 42, 255}},
      {255, {10, 200, 0, 255}, {250, 40, 255, 255}, {10, 199, 0, 255}},
      {0, {10, 200, 0, 255}, {250, 40, 255, 255}, {250, 40, 255, 255}},
      {120, {10, 200, 0, 255}, {250, 40, 255, 128}, {137, 115, 135, 187}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(int(k.Weight));
    const TsPixelImage from = Filled(3, 2, k.From);
    const TsPixelImage to = Filled(3, 2, k.To);
    TsPixelImage out = Filled(3, 2, {1, 2, 3, 4});
    MixFadeFrame(out, from, to, k.Weight);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(At(out, x, y), k.Expected) << x << "," << y;
  }
}

TEST(MixFadeFrameTest, MismatchedSizesLeaveTheFrameAlone) {
  const TsPixelImage from = Filled(3, 2, {9, 9, 9, 9});
  const TsPixelImage to = Filled(2, 2, {7, 7, 7, 7});
  TsPixelImage out = Filled(3, 2, {1, 2, 3, 4});
  MixFadeFrame(out, from, to, 100);
  EXPECT_EQ(At(out, 2, 1), (TPixel{1, 2, 3, 4}));
}

}  // namespace
}  // namespace ac
