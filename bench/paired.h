#pragma once
// Measuring our operations against a reference on a machine that other jobs
// share: the timing harness of every *_bench program.
//
// A ratio of two times taken at different moments swings with whatever else the
// machine did meanwhile. So each row times its two sides in alternation: a
// pair is five short batches of each side, ours and the reference interleaved
// (and the order flipped from one pair to the next), and gives one ratio of the
// fastest batch of each side. A row runs several pairs and reports the median
// of their ratios and how far they spread; the buffers are made anew every few
// pairs (see MeasureRow). Times are the calling thread's CPU time, so waiting
// for a core is not counted; what remains of the neighbours' effect (caches,
// memory bandwidth) falls on both sides of a pair alike.
//
// Each row is also registered with Google Benchmark, so
// `--benchmark_filter=REGEX` runs the sides on their own for absolute numbers.
//
//   <name>_bench                       the ratio table
//   <name>_bench --rows=SUBSTRING      only the rows whose name contains it
//   <name>_bench --pairs=N             N pairs per row (default 20)
//   <name>_bench --benchmark_...       Google Benchmark's own run instead

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace ac::bench {

// One call of the measured work. Whatever it needs (buffers, a loaded skin) is
// captured by the closure and lives as long as it.
using TOp = std::function<void()>;
// Makes an operation ready to run: rows set up their buffers only while they
// are measured, so a table of large images never holds them all at once.
using TOpFactory = std::function<TOp()>;

struct TSide {
  std::string Name;  // e.g. "BlendOver" or "pixman_OVER"
  TOpFactory Make;
};

struct TRow {
  TSide Ours;
  TSide Reference;
  std::string Size;   // the case, e.g. "252x23"
  double Target = 0;  // the highest acceptable ratio; 0: none, printed for information
};

struct TRowResult {
  double OursNs = 0;  // per call, median over the pairs of the fastest batch
  double RefNs = 0;
  double Ratio = 0;   // median of the per-pair ratios
  double Spread = 0;  // half the interquartile range of the ratios, relative to Ratio
};

inline double ThreadNanos() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e9 + static_cast<double>(ts.tv_nsec);
}

// Nanoseconds per call over a batch of N calls.
inline double TimeBatch(const TOp& op, int64_t n) {
  const double t0 = ThreadNanos();
  for (int64_t i = 0; i < n; ++i) {
    op();
    benchmark::ClobberMemory();
  }
  return (ThreadNanos() - t0) / static_cast<double>(n);
}

// Calls per batch so that one batch lasts about BatchNs: long enough that the
// clock's resolution does not matter, short enough that a pair rarely straddles
// a change in the machine's load.
inline int64_t BatchSize(const TOp& op, double batchNs) {
  op();  // first touch of the buffers
  double per = TimeBatch(op, 1);
  int64_t n = std::max<int64_t>(1, static_cast<int64_t>(batchNs / std::max(per, 1.0)));
  if (n > 1) {
    per = TimeBatch(op, n);
    n = std::max<int64_t>(1, static_cast<int64_t>(batchNs / std::max(per, 1.0)));
  }
  return n;
}

inline double Quantile(std::vector<double> v, double q) {
  std::sort(v.begin(), v.end());
  const double pos = q * static_cast<double>(v.size() - 1);
  const auto lo = static_cast<std::size_t>(std::floor(pos));
  const std::size_t hi = std::min(lo + 1, v.size() - 1);
  return v[lo] + (v[hi] - v[lo]) * (pos - static_cast<double>(lo));
}

inline TRowResult MeasureRow(const TRow& row, int pairs) {
  constexpr double kBatchNs = 1e6;
  constexpr int kBatchesPerSide = 5;
  // Where a buffer's pages land in physical memory decides which cache sets
  // they share, and a working set near a cache's size runs fast or slow by
  // that luck for as long as the buffers live. So every few pairs both sides
  // set up anew, and the median spans several placements.
  constexpr int kPairsPerSetup = 4;
  TOp ours, ref;
  int64_t nOurs = 1, nRef = 1;
  std::vector<double> ratios, oursNs, refNs;
  for (int p = 0; p < pairs; ++p) {
    if (p % kPairsPerSetup == 0) {
      ours = nullptr;
      ref = nullptr;
      ours = row.Ours.Make();
      ref = row.Reference.Make();
      nOurs = BatchSize(ours, kBatchNs);
      nRef = BatchSize(ref, kBatchNs);
    }
    double bestOurs = 1e300, bestRef = 1e300;
    for (int b = 0; b < kBatchesPerSide; ++b) {
      if ((p + b) % 2 == 0) {
        bestOurs = std::min(bestOurs, TimeBatch(ours, nOurs));
        bestRef = std::min(bestRef, TimeBatch(ref, nRef));
      } else {
        bestRef = std::min(bestRef, TimeBatch(ref, nRef));
        bestOurs = std::min(bestOurs, TimeBatch(ours, nOurs));
      }
    }
    ratios.push_back(bestOurs / std::max(bestRef, 1e-3));
    oursNs.push_back(bestOurs);
    refNs.push_back(bestRef);
  }
  TRowResult r;
  r.OursNs = Quantile(oursNs, 0.5);
  r.RefNs = Quantile(refNs, 0.5);
  r.Ratio = Quantile(ratios, 0.5);
  r.Spread = (Quantile(ratios, 0.75) - Quantile(ratios, 0.25)) / 2 / r.Ratio;
  return r;
}

inline std::string RowName(const TRow& row) {
  return row.Ours.Name + "/" + row.Reference.Name + "/" + row.Size;
}

inline void PrintTable(const std::vector<TRow>& rows, const std::string& filter, int pairs) {
  std::printf(
      "%d interleaved pairs per row; ratio = median of ours / reference, spread = half "
      "its interquartile range\n\n",
      pairs);
  std::printf("%-30s %-28s %-9s %12s %12s %7s %7s %7s\n", "operation", "reference", "size",
              "ours ns", "ref ns", "ratio", "spread", "target");
  int targets = 0, missed = 0;
  for (const TRow& row : rows) {
    if (!filter.empty() && RowName(row).find(filter) == std::string::npos) continue;
    const TRowResult r = MeasureRow(row, pairs);
    char target[16] = "-";
    if (row.Target > 0) {
      ++targets;
      const bool met = r.Ratio <= row.Target;
      if (!met) ++missed;
      std::snprintf(target, sizeof target, "%.1f%s", row.Target, met ? "" : " !");
    }
    std::printf("%-30s %-28s %-9s %12.0f %12.0f %7.2f %6.0f%% %7s\n", row.Ours.Name.c_str(),
                row.Reference.Name.c_str(), row.Size.c_str(), r.OursNs, r.RefNs, r.Ratio,
                r.Spread * 100, target);
    std::fflush(stdout);
  }
  if (missed == 0) {
    std::printf("\nall %d targets met\n", targets);
  } else {
    std::printf("\n%d of %d targets missed (marked !)\n", missed, targets);
  }
}

// Registers every distinct side of the rows with Google Benchmark as
// "<name>/<size>".
inline void RegisterSides(const std::vector<TRow>& rows) {
  std::set<std::string> seen;
  for (const TRow& row : rows) {
    for (const TSide* side : {&row.Ours, &row.Reference}) {
      const std::string name = side->Name + "/" + row.Size;
      if (!seen.insert(name).second) continue;
      benchmark::RegisterBenchmark(name.c_str(), [make = side->Make](benchmark::State& state) {
        const TOp op = make();
        for (auto _ : state) {
          op();
          benchmark::ClobberMemory();
        }
      });
    }
  }
}

// The main of a *_bench program over its rows.
inline int Main(int argc, char** argv, const std::vector<TRow>& rows) {
  std::string filter;
  int pairs = 20;
  bool google = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--rows=", 0) == 0) {
      filter = arg.substr(7);
    } else if (arg.rfind("--pairs=", 0) == 0) {
      pairs = std::max(3, std::atoi(arg.c_str() + 8));
    } else if (arg.rfind("--benchmark", 0) == 0) {
      google = true;
    } else {
      std::fprintf(stderr, "unknown argument %s (see bench/paired.h)\n", arg.c_str());
      return 2;
    }
  }
  if (google) {
    RegisterSides(rows);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
  }
  PrintTable(rows, filter, pairs);
  return 0;
}

}  // namespace ac::bench
