#include "pixels/blur.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ac {

namespace {

constexpr int32_t kMaxTap = 16;

// Mean of N values whose sum is Sum, rounded half to even. N is odd, so the
// exact mean never lies on a half and the integer form is exact.
inline uint8_t RoundedMean(int32_t sum, int32_t n) {
  return static_cast<uint8_t>(std::min(255, (2 * sum + n) / (2 * n)));
}

// Box-filters Count values spaced Step bytes apart starting at First, using
// Line as scratch space of Count bytes; ends repeat the edge values.
void BlurLine(uint8_t* first, std::ptrdiff_t step, int32_t count, int32_t half,
              std::vector<uint8_t>& line) {
  for (int32_t i = 0; i < count; ++i) line[i] = first[i * step];
  auto at = [&](int32_t i) -> int32_t { return line[std::clamp(i, 0, count - 1)]; };
  const int32_t n = 2 * half + 1;
  int32_t sum = 0;
  for (int32_t t = -half; t <= half; ++t) sum += at(t);
  for (int32_t i = 0; i < count; ++i) {
    first[i * step] = RoundedMean(sum, n);
    sum += at(i + half + 1) - at(i - half);
  }
}

}  // namespace

int32_t BlurHalfWidth(int32_t radius) {
  if (radius < 1) return 0;
  // Rounded Gaussian weights, normalised by their sum.
  double w[kMaxTap + 1];
  double total = 0;
  for (int32_t t = 0; t <= kMaxTap; ++t) {
    const double x = static_cast<double>(t) / radius;
    w[t] = std::nearbyint(std::exp(-x * x / 2));
    total += t == 0 ? w[t] : 2 * w[t];
  }
  for (double& v : w) v /= total;
  // Taps from the outside in are dropped while their running share stays
  // below what one byte's rounding can show.
  int32_t j = kMaxTap;
  double s = 0;
  while (s < 1.0 / 510 && j > 1) {
    s += 2 * w[j];
    --j;
  }
  return j;
}

void BlurMask8(const TsChannelBuffer& mask, int32_t radius) {
  if (mask.IsEmpty()) return;
  const int32_t half = BlurHalfWidth(radius);
  if (half == 0) return;
  std::vector<uint8_t> line(static_cast<std::size_t>(std::max(mask.Width, mask.Height)));
  for (int32_t y = 0; y < mask.Height; ++y) BlurLine(mask.Row(y), 1, mask.Width, half, line);
  for (int32_t x = 0; x < mask.Width; ++x)
    BlurLine(mask.Row(0) + x, mask.Stride, mask.Height, half, line);
}

}  // namespace ac
