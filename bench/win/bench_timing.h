#pragma once
// Timing shared by the Windows benchmarks: a monotonic clock in seconds and
// the best time per call over a few batches, so that a stray stall of the
// machine (or of Wine) does not decide a figure.

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace ac::bench {

inline double Now() {
  LARGE_INTEGER t, f;
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// Seconds per call of Run: the best of Batches batches of Reps calls.
template <typename F>
double BestPerCall(int reps, F&& run, int batches = 5) {
  double best = 1e9;
  for (int b = 0; b < batches; ++b) {
    const double t0 = Now();
    for (int r = 0; r < reps; ++r) run();
    best = std::min(best, (Now() - t0) / reps);
  }
  return best;
}

// A ratio's median and spread over the pairs it was measured in.
struct TRatio {
  double Median, Low, High;
};

// Pairs ratios of Run to a memcpy of Bytes, each side the best per call of
// Reps calls, the two timed in alternation so that a change of the
// machine's load touches both.
template <typename F>
TRatio RatioToMemcpy(int pairs, std::size_t bytes, int reps, F&& run) {
  std::vector<uint8_t> from(bytes, 0x5A), to(bytes);
  std::vector<double> ratios;
  for (int p = 0; p < pairs; ++p) {
    const double copy = BestPerCall(reps, [&] {
      std::memcpy(to.data(), from.data(), bytes);
      from[static_cast<std::size_t>(p) % bytes] ^= to[bytes / 2];
    });
    ratios.push_back(BestPerCall(reps, run) / copy);
  }
  std::sort(ratios.begin(), ratios.end());
  return {ratios[ratios.size() / 2], ratios.front(), ratios.back()};
}

}  // namespace ac::bench
