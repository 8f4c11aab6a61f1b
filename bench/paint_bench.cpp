// Section and mask painting of a real skin (Velmora Light), each measured
// beside one memcpy of the same destination size in the same run. The
// counter "memcpys" is the time of one call in memcpy-equivalents; a
// control's face should stay under 40.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/message_sink.h"
#include "paint/control_paint.h"
#include "paint/mask_paint.h"
#include "paint/section_paint.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_manager_core.h"

namespace {

using namespace ac;

struct TSkin {
  TRecordingSink Sink;
  TacSkinManagerCore Manager{Sink};
  const TacSkinData* Sd = nullptr;

  TSkin() {
    const std::filesystem::path dir = std::filesystem::path(AC_SOURCE_DIR) / "skins";
    Manager.SkinDirectory = dir.string();
    Manager.ChangeSkin("VelmoraLight");
    if (Manager.IsActive()) Sd = &Manager.CommonSkinData(96);
  }
};

TSkin& Skin() {
  static TSkin skin;
  return skin;
}

// CPU time of the calling thread: the machines these run on are shared, and
// wall time counts the waits for a core.
double ThreadNanos() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e9 + ts.tv_nsec;
}

// Nanoseconds of one memcpy of W x H pixels, the median of a few timed runs.
double MemcpyNanos(int32_t w, int32_t h) {
  const std::size_t bytes = static_cast<std::size_t>(w) * h * 4;
  std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
  std::vector<double> runs;
  for (int r = 0; r < 7; ++r) {
    const int n = 2000;
    const double t0 = ThreadNanos();
    for (int i = 0; i < n; ++i) {
      std::memcpy(b.data(), a.data(), bytes);
      benchmark::DoNotOptimize(b.data());
      benchmark::ClobberMemory();
    }
    runs.push_back((ThreadNanos() - t0) / n);
  }
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

// Runs Paint in the benchmark loop and reports memcpy-equivalents.
template <typename Paint>
void Measure(benchmark::State& state, int32_t w, int32_t h, Paint&& paint) {
  const double ref = MemcpyNanos(w, h);
  const double t0 = ThreadNanos();
  int64_t n = 0;
  for (auto _ : state) {
    paint();
    ++n;
  }
  const double per = (ThreadNanos() - t0) / static_cast<double>(std::max<int64_t>(n, 1));
  state.counters["memcpy_ns"] = ref;
  state.counters["memcpys"] = per / ref;
}

void FillParent(const TsPixelBuffer& b) {
  for (int32_t y = 0; y < b.Height; ++y)
    for (int32_t x = 0; x < b.Width; ++x) b.At(x, y) = 0xFFF0F0F0u;
}

void BM_Memcpy(benchmark::State& state) {
  const int32_t w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
  const std::size_t bytes = static_cast<std::size_t>(w) * h * 4;
  std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), bytes);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Memcpy)->Args({252, 23})->Args({260, 97})->Args({800, 600});

void ControlFace(benchmark::State& state, const char* section) {
  const TacSkinData* sd = Skin().Sd;
  if (sd == nullptr) {
    state.SkipWithError("the skin did not load");
    return;
  }
  const int32_t w = 252, h = 23;
  TsPixelImage parent(w, h), dst(w, h);
  FillParent(parent.View());
  TsControlPaintData ctrl;
  ctrl.SkinData = sd;
  ctrl.SkinIndex = GetSkinIndex(*sd, section);
  const TCacheInfo cache = MakeCacheInfo(parent.View(), 0, 0);
  const int32_t st = static_cast<int32_t>(state.range(0));
  Measure(state, w, h, [&] {
    PaintControlSection(dst.View(), dst.View().Bounds(), ctrl, st, cache, {}, TUseParent::Yes);
    benchmark::DoNotOptimize(dst.View().Bits);
  });
}
void BM_ControlButton(benchmark::State& state) {
  ControlFace(state, "BUTTON");
}
void BM_ControlEdit(benchmark::State& state) {
  ControlFace(state, "EDIT");
}
BENCHMARK(BM_ControlButton)->DenseRange(0, 2);
BENCHMARK(BM_ControlEdit)->DenseRange(0, 2);

void SectionAt(benchmark::State& state, const char* section, int32_t w, int32_t h) {
  const TacSkinData* sd = Skin().Sd;
  if (sd == nullptr) {
    state.SkipWithError("the skin did not load");
    return;
  }
  TsPixelImage parent(w, h), dst(w, h);
  FillParent(parent.View());
  const int32_t index = GetSkinIndex(*sd, section);
  const TCacheInfo cache = MakeCacheInfo(parent.View(), 0, 0);
  Measure(state, w, h, [&] {
    PaintSection(dst.View(), dst.View().Bounds(), *sd, index, 0, cache, {});
    benchmark::DoNotOptimize(dst.View().Bits);
  });
}
void BM_PanelSection(benchmark::State& state) {
  SectionAt(state, "PANEL", 260, 97);
}
void BM_FormFrame(benchmark::State& state) {
  SectionAt(state, "FORM", 800, 600);
}
BENCHMARK(BM_PanelSection);
BENCHMARK(BM_FormFrame);

// The button's border entry painted nine-slice with its edges tiled
// (range 0) or stretched (range 1), centre included.
void BM_MaskRect(benchmark::State& state) {
  const TacSkinData* sd = Skin().Sd;
  if (sd == nullptr) {
    state.SkipWithError("the skin did not load");
    return;
  }
  const int32_t index = sd->gd[GetSkinIndex(*sd, "BUTTON")].BorderIndex;
  if (!IsValidImgIndex(*sd, index)) {
    state.SkipWithError("no border entry");
    return;
  }
  TsMaskData m = sd->ma[index];
  m.DrawMode = (m.DrawMode & ~1) | 4 | static_cast<int32_t>(state.range(0));
  const int32_t w = 252, h = 23;
  TsPixelImage parent(w, h), dst(w, h);
  FillParent(parent.View());
  const TCacheInfo cache = MakeCacheInfo(parent.View(), 0, 0);
  Measure(state, w, h, [&] {
    PaintMaskRect(dst.View(), dst.View().Bounds(), m, 1, cache, TUseParent::Yes);
    benchmark::DoNotOptimize(dst.View().Bits);
  });
}
BENCHMARK(BM_MaskRect)->Arg(0)->Arg(1);

}  // namespace
