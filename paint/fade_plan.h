#pragma once
// The arithmetic of a state fade, apart from timers, windows and images.
//
// A fade moves a control's face from the image on screen toward the image of
// its new state in steps. Its progress is Glow, an intensity from 0 (normal)
// to 255 (fully active); every step moves Glow by GlowStep and turns the
// rounded Glow into the weight of one mix. A fade redirected mid-way plans
// its remaining steps from the current Glow, so reversing direction carries
// on from the frame on screen.
//
// States: 0 normal, 1 active (hot or focused), 2 pressed, 3 an effect's own
// target. All divisions are real; rounding is to the nearest integer with
// ties to even (42.5 -> 42, 127.5 -> 128).

#include <cstdint>

#include "pixels/pixel_buffer.h"

namespace ac {

// The states fades go between.
inline constexpr int kFadeNormal = 0;
inline constexpr int kFadeActive = 1;
inline constexpr int kFadePressed = 2;

// What a fade keeps between its steps.
struct TacFadeCounters {
  double Glow = 0;       // intensity, 0..255 once planned
  double Value = 0;      // secondary intensity of effects
  double GlowStep = 0;   // change of Glow per step
  double ValueStep = 0;  // change of Value per step
  int State = -1;        // target of the running fade; -1: none
  int Iteration = 0;     // steps done
  int IntState = -1;
  int OldState = -1;   // target of the previous fade
  int Iterations = 6;  // planned steps
};

// Nearest integer, ties to even, independent of the floating-point mode.
int64_t RoundHalfEven(double value);

// The steps a fade redirected now hands to its successor: more while a fade
// to normal (three times as long) is under way.
int CarriedIterations(const TacFadeCounters& c);

enum class TFadeSpeed { fsNormal, fsFast };

// Plans a fade toward NewState from where C stands: clamps Glow, sets
// Iterations, GlowStep, ValueStep and the starting Iteration, then makes
// NewState the target (the old one goes to OldState). Carried comes from
// CarriedIterations; HasFrame says a frame of the previous fade is still on
// screen. Value is reset to 0.
void PlanFade(TacFadeCounters& c, int carried, int newState, TFadeSpeed speed, bool hasFrame);

// The timer's count before each step after the first: Iteration += 1; false
// once the plan is used up (the step is then not shown).
bool NextIteration(TacFadeCounters& c);

// One step's move of Glow toward the target; returns the weight byte g,
// Round(Glow) limited to 0..255.
uint8_t AdvanceGlow(TacFadeCounters& c);

// The share the frame on screen keeps in a step's mix with the target image.
uint8_t FrameWeight(int targetState, uint8_t g);

// Whether a fade goes on after the step that showed weight G.
enum class TFadeNext {
  fnContinue,  // more steps
  fnFinished,  // the target is reached
};
// Decides after a step. A fade to normal that reaches its last step with
// G still above 0 (it started late) is moved back so that it runs until
// Glow is spent, and goes on.
TFadeNext NextAfterStep(TacFadeCounters& c, uint8_t g);

// The frame of one step: Out := From, then To mixed into it, Out keeping
// Weight / 256 of every byte (alpha included). All three of one size; Out
// must not share pixels with the other two. One-pixel-wide or -high images
// are left as From (the mix needs two columns and two rows).
void MixFadeFrame(const TsPixelBuffer& out, const TsPixelBuffer& from, const TsPixelBuffer& to,
                  uint8_t weight);

}  // namespace ac
