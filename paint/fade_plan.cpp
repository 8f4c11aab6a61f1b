#include "paint/fade_plan.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "pixels/blend.h"

namespace ac {

namespace {

// Steps of a fade to any state but normal; a fade to normal takes three times
// as many, so leaving a control is slower than lighting it.
constexpr int kSteps = 6;
constexpr int kFastSteps = 3;
constexpr int kNormalStepsFactor = 3;

}  // namespace

int64_t RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double diff = value - floor;
  auto result = static_cast<int64_t>(floor);
  if (diff > 0.5 || (diff == 0.5 && (result % 2) != 0)) ++result;
  return result;
}

int CarriedIterations(const TacFadeCounters& c) {
  const int base = c.State == kFadeNormal ? 2 * kSteps : 0;
  return std::max(0, base - c.Iteration + kSteps);
}

void PlanFade(TacFadeCounters& c, int carried, int newState, TFadeSpeed speed, bool hasFrame) {
  const int previous = c.State;
  c.Value = 0;
  c.Glow = std::clamp(c.Glow, 0.0, 255.0);
  c.Iterations = speed == TFadeSpeed::fsFast ? kFastSteps : kSteps;
  switch (newState) {
    case kFadeNormal:
      c.Iterations *= kNormalStepsFactor;
      c.GlowStep = c.Glow / c.Iterations;
      break;
    case kFadePressed:
      // A press that is not a redirection of a running fade starts from the
      // full intensity.
      if (carried >= c.Iterations || carried == 0) c.Glow = 255;
      c.GlowStep = c.Glow / c.Iterations;
      break;
    default:
      // Lighting up from rest takes the share of the steps that is still
      // to go; a redirection from another lit state takes all of them.
      if (previous <= kFadeNormal)
        c.Iterations = static_cast<int>(RoundHalfEven((255 - c.Glow) * kSteps / 255));
      c.Iterations = std::max(c.Iterations, 1);
      c.GlowStep = (255 - c.Glow) / c.Iterations;
      break;
  }
  c.ValueStep = (255 - c.Value) / c.Iterations;
  if (newState == kFadeActive && previous <= kFadeNormal) {
    c.Iteration = static_cast<int>(RoundHalfEven(c.Glow * kSteps / 255));
  } else if (newState != kFadeNormal || previous != kFadeActive) {
    c.Iteration = hasFrame ? 0 : carried;
  } else if (c.Glow != 0) {
    // Leaving a lit control: as far into the fade to normal as the light
    // has already gone.
    c.Iteration = static_cast<int>(RoundHalfEven((255 - c.Glow) * c.Iterations / 255));
  } else {
    c.Iteration = 0;
  }
  c.OldState = previous;
  c.State = newState;
}

bool NextIteration(TacFadeCounters& c) {
  ++c.Iteration;
  return c.Iteration <= c.Iterations;
}

uint8_t AdvanceGlow(TacFadeCounters& c) {
  switch (c.State) {
    case kFadeNormal:
    case kFadePressed:
      c.Glow -= c.GlowStep;
      break;
    case kFadeActive:
      c.Glow += c.GlowStep;
      break;
    default:
      c.Glow = 255 - static_cast<double>(c.Iteration) / c.Iterations * 255;
      break;
  }
  return static_cast<uint8_t>(std::clamp<int64_t>(RoundHalfEven(c.Glow), 0, 255));
}

uint8_t FrameWeight(int targetState, uint8_t g) {
  // Glow rises toward the active state and falls toward the others, so the
  // frame's share is its complement only when lighting up.
  return targetState == kFadeActive ? static_cast<uint8_t>(255 - g) : g;
}

TFadeNext NextAfterStep(TacFadeCounters& c, uint8_t g) {
  if (c.Iteration < c.Iterations) return TFadeNext::fnContinue;
  if (c.State != kFadeNormal || g == 0 || c.GlowStep <= 0) return TFadeNext::fnFinished;
  c.Iteration = c.Iterations - static_cast<int>(RoundHalfEven(c.Glow / c.GlowStep)) - 1;
  return TFadeNext::fnContinue;
}

void MixFadeFrame(const TsPixelBuffer& out, const TsPixelBuffer& from, const TsPixelBuffer& to,
                  uint8_t weight) {
  if (out.IsEmpty() || !out.SameSize(from) || !out.SameSize(to)) return;
  for (int32_t y = 0; y < out.Height; ++y)
    std::memcpy(out.RowBytes(y), from.RowBytes(y), static_cast<size_t>(out.Width) * 4);
  MixArea(out, TPoint{0, 0}, to, TSourceRect::XYWH(0, 0, to.Width, to.Height), weight);
}

}  // namespace ac
