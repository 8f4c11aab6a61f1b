#pragma once
// How the engine scales sizes between the design resolution (96 pixels per
// inch) and the resolution in use, per the manager's scale mode.

#include <cstdint>

namespace ac {

enum TacScaleMode : int {
  sm100,
  sm125,
  sm150,
  sm200,
  smAuto,
  smOldMode,
  smVCL,
  smCustomPPI,
};

// What the manager knows when it scales.
struct TacScaleSettings {
  TacScaleMode Mode = smVCL;
  int32_t PixelsPerInch = 96;  // the custom resolution of smCustomPPI
  bool Designing = false;
  int32_t SysFontScale = 0;  // the system font step 0-3, used by smAuto
  int32_t ScreenPPI = 96;
};

// The current resolution step: 0 while designing or under smOldMode or smVCL;
// the system font step under smAuto; the mode's own step for sm100 ... sm200;
// the step of the custom resolution under smCustomPPI.
int32_t GetScale(const TacScaleSettings& s);

// Value scaled by a step: 0 Value, 1 Value + Value / 4, 2 Value + Value / 2,
// 3 Value * 2 (divisions truncate toward zero); results beyond the 32-bit
// range are held at its ends.
int32_t ScaleIntByStep(int32_t value, int32_t step);

// Value * PixelsPerInch / 96 under smCustomPPI, Value under smOldMode,
// otherwise scaled by SysScale (-1: the current step, GetScale).
int32_t ScaleInt(int32_t value, int32_t sysScale, const TacScaleSettings& s);

// Value * aPPI / 96. An aPPI of 0 means the screen's resolution under smVCL and
// the resolution of the current step otherwise. Under smOldMode nothing is
// scaled.
int32_t ScalePPI(int32_t value, int32_t aPPI, const TacScaleSettings& s);

// The scale of a resolution in percent of 96 pixels per inch (truncated),
// held at the ends of the 32-bit range.
int32_t ScalePercentOf(int32_t aPPI);

}  // namespace ac
