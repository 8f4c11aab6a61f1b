#include "skin/skin_data_scale.h"

#include <algorithm>

#include "skin/option_values.h"

namespace ac {

int32_t GetScale(const TacScaleSettings& s) {
  if (s.Designing) return 0;
  switch (s.Mode) {
    case smOldMode:
    case smVCL:
      return 0;
    case smAuto:
      return std::clamp(s.SysFontScale, 0, kStepCount - 1);
    // The custom mode has no step of its own; the nearest step of its
    // resolution keeps step-indexed tables in range.
    case smCustomPPI:
      return PpiToStep(s.PixelsPerInch);
    default:
      return static_cast<int32_t>(s.Mode);
  }
}

namespace {

// Sizes come from options files and may lie near 2^31: results past the
// 32-bit range are held at its ends rather than wrapped.
int32_t Saturated(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

int32_t ScaleIntByStep(int32_t value, int32_t step) {
  const int64_t v = value;
  switch (step) {
    case 0:
      return value;
    case 1:
      return Saturated(v + v / 4);
    case 2:
      return Saturated(v + v / 2);
    default:
      return step > 0 ? Saturated(v * 2) : value;
  }
}

int32_t ScaleInt(int32_t value, int32_t sysScale, const TacScaleSettings& s) {
  if (s.Mode == smCustomPPI) return Saturated(int64_t{value} * s.PixelsPerInch / 96);
  if (s.Mode == smOldMode) return value;
  return ScaleIntByStep(value, sysScale == -1 ? GetScale(s) : sysScale);
}

int32_t ScalePercentOf(int32_t aPPI) {
  return Saturated(int64_t{aPPI} * 100 / 96);
}

int32_t ScalePPI(int32_t value, int32_t aPPI, const TacScaleSettings& s) {
  // Scaling to zero under the old mode would erase every size; the old mode
  // means "do not scale".
  if (s.Mode == smOldMode) return value;
  if (aPPI == 0)
    aPPI = s.Mode == smVCL ? s.ScreenPPI : kStepPPI[static_cast<std::size_t>(GetScale(s))];
  return Saturated(int64_t{value} * aPPI / 96);
}

}  // namespace ac
