#pragma once
// Timing shared by the Windows benchmarks: a monotonic clock in seconds and
// the best time per call over a few batches, so that a stray stall of the
// machine (or of Wine) does not decide a figure.

#include <windows.h>

#include <algorithm>

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

}  // namespace ac::bench
