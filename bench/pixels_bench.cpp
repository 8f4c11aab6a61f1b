// The hot pixel operations beside pixman's composites and memcpy of the same
// sizes, at a control's size, a window's and a skin master image's. After the
// usual benchmark output a table prints each operation's time as a ratio of its
// reference, with the target ratio.
//
//   build/<dir>/bench/pixels_bench [--benchmark_filter=...]

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "pixels/blend.h"
#include "pixels/blend_fill.h"
#include "pixels/blend_parent.h"
#include "pixels/blend_premultiply.h"
#include "pixels/gradient_paint.h"
#include "pixels/pixel_buffer.h"
#include "pixels/resample.h"

namespace ac {
namespace {

struct TSizeCase {
  const char* Name;
  int32_t W, H;
};
const TSizeCase kSizes[] = {{"252x23", 252, 23}, {"512x512", 512, 512}, {"1024x768", 1024, 768}};

// Deterministic varied pixels: every alpha from 0 to 255 occurs, so neither we
// nor pixman can take an all-opaque or all-clear shortcut.
void Scribble(const TsPixelBuffer& b, uint32_t seed) {
  uint32_t s = seed;
  for (int32_t y = 0; y < b.Height; ++y) {
    for (int32_t x = 0; x < b.Width; ++x) {
      s = s * 1664525u + 1013904223u;
      b.At(x, y) = s;
    }
  }
}

TsPixelImage Image(const TSizeCase& c, uint32_t seed) {
  TsPixelImage img(c.W, c.H);
  Scribble(img, seed);
  return img;
}

pixman_image_t* PixmanOver(const TsPixelBuffer& b) {
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, b.Width, b.Height,
                                  reinterpret_cast<uint32_t*>(b.Bits), static_cast<int>(b.Stride));
}

void SetBytes(benchmark::State& state, const TSizeCase& c) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * c.W * c.H * 4);
}

// ---- ours ----

void BM_BlendOver(benchmark::State& state, TSizeCase c) {
  TsPixelImage dst = Image(c, 1), src = Image(c, 2);
  for (auto _ : state) {
    BlendOver(dst, src, TSourceRect::XYWH(0, 0, c.W, c.H), 255, {0, 0});
    benchmark::DoNotOptimize(dst.View().Bits);
    benchmark::ClobberMemory();
  }
  SetBytes(state, c);
}

void BM_MixArea(benchmark::State& state, TSizeCase c) {
  TsPixelImage dst = Image(c, 1), src = Image(c, 2);
  for (auto _ : state) {
    MixArea(dst, src, 100, {0, 0}, TSourceRect::XYWH(0, 0, c.W, c.H));
    benchmark::DoNotOptimize(dst.View().Bits);
    benchmark::ClobberMemory();
  }
  SetBytes(state, c);
}

void BM_MixBuffers(benchmark::State& state, TSizeCase c) {
  TsPixelImage dst = Image(c, 1), src = Image(c, 2);
  for (auto _ : state) {
    MixBuffers(dst, src, 100);
    benchmark::DoNotOptimize(dst.View().Bits);
    benchmark::ClobberMemory();
  }
  SetBytes(state, c);
}

void BM_CrossFade(benchmark::State& state, TSizeCase c) {
  TsPixelImage dst = Image(c, 1), a = Image(c, 2), b = Image(c, 3);
  for (auto _ : state) {
    CrossFade(dst, a, b, 100);
    benchmark::DoNotOptimize(dst.View().Bits);
    benchmark::ClobberMemory();
  }
  SetBytes(state, c);
}

void BM_CopyOverParent(benchmark::State& state, TSizeCase c) {
  TsPixelImage dst = Image(c, 1), src = Image(c, 2), parent = Image(c, 3);
  // One pixel in eight is the key, as in a skin image with transparent parts.
  for (int32_t y = 0; y < c.H; ++y)
    for (int32_t x = 0; x < c.W; x += 8) src.View().At(x, y) = 0x00FF00FF;
  const TCacheInfo cache = MakeCacheInfo(parent, 0, 0);
  for (auto _ : state) {
    CopyOverParent(dst, src, 0, TUseParent::Yes, cache, clFuchsia,
                   TSourceRect::XYWH(0, 0, c.W, c.H), 0);
    benchmark::DoNotOptimize(dst.View().Bits);
    benchmark::ClobberMemory();
  }
  SetBytes(state, c);
}

void BM_FillPixels(benchmark::State& state, TSizeCase c) {
  TsPixelImage dst = Image(c, 1);
  for (auto _ : state) {
    FillPixels(dst, dst.View().Bounds(), 0x123456, 0xFF);
    benchmark::DoNotOptimize(dst.View().Bits);
    benchmark::ClobberMemory();
  }
  SetBytes(state, c);
}

void BM_Premultiply(benchmark::State& state, TSizeCase c) {
  TsPixelImage dst = Image(c, 1);
  for (auto _ : state) {
    // Premultiplying in place drives everything toward 0; the work is the same
    // per pixel whatever the values, so the image is not refreshed.
    PremultiplyWith(dst, dst.View().Bounds(), TComposition::Off);
    benchmark::DoNotOptimize(dst.View().Bits);
    benchmark::ClobberMemory();
  }
  SetBytes(state, c);
}

void BM_PaintGradient(benchmark::State& state, TSizeCase c, int32_t kind) {
  TsPixelImage dst(c.W, c.H);
  const TsGradArray g = {TsGradPoint{0, kind, TsColor(0x203040), 0},
                         TsGradPoint{1, 0, TsColor(0xF0E0D0), 40},
                         TsGradPoint{2, 0, TsColor(0x808080), 100}};
  for (auto _ : state) {
    PaintGradient(dst, dst.View().Bounds(), g);
    benchmark::DoNotOptimize(dst.View().Bits);
    benchmark::ClobberMemory();
  }
  SetBytes(state, c);
}

void BM_ResampleBuffer(benchmark::State& state, TSizeCase c, double scale) {
  TsPixelImage src = Image(c, 2);
  TsPixelImage dst;
  const auto w = static_cast<int32_t>(c.W * scale);
  const auto h = static_cast<int32_t>(c.H * scale);
  for (auto _ : state) {
    ResampleBuffer(src, dst, w, h, rfMitchell);
    benchmark::DoNotOptimize(dst.View().Bits);
    benchmark::ClobberMemory();
  }
  SetBytes(state, c);
}

// ---- references ----

void BM_Memcpy(benchmark::State& state, TSizeCase c) {
  std::vector<uint32_t> a(static_cast<std::size_t>(c.W) * c.H, 1), b(a.size(), 2);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  SetBytes(state, c);
}

void BM_PixmanOver(benchmark::State& state, TSizeCase c) {
  TsPixelImage dst = Image(c, 1), src = Image(c, 2);
  pixman_image_t* pd = PixmanOver(dst);
  pixman_image_t* ps = PixmanOver(src);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, ps, nullptr, pd, 0, 0, 0, 0, 0, 0, c.W, c.H);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(ps);
  pixman_image_unref(pd);
  SetBytes(state, c);
}

// OVER through a constant mask: dst := src * m + dst * (1 - m), the lerp of two
// buffers by one weight that MixBuffers, MixArea and CrossFade compute.
void BM_PixmanOverSolidMask(benchmark::State& state, TSizeCase c) {
  TsPixelImage dst = Image(c, 1), src = Image(c, 2);
  for (int32_t y = 0; y < c.H; ++y)
    for (int32_t x = 0; x < c.W; ++x) src.View().At(x, y) |= 0xFF000000u;
  pixman_image_t* pd = PixmanOver(dst);
  pixman_image_t* ps = pixman_image_create_bits(PIXMAN_x8r8g8b8, c.W, c.H,
                                                reinterpret_cast<uint32_t*>(src.View().Bits),
                                                static_cast<int>(src.View().Stride));
  const pixman_color_t weight = {0x6464, 0x6464, 0x6464, 0x6464};
  pixman_image_t* pm = pixman_image_create_solid_fill(&weight);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, ps, pm, pd, 0, 0, 0, 0, 0, 0, c.W, c.H);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(pm);
  pixman_image_unref(ps);
  pixman_image_unref(pd);
  SetBytes(state, c);
}

void BM_PixmanAdd(benchmark::State& state, TSizeCase c) {
  TsPixelImage dst = Image(c, 1), src = Image(c, 2);
  pixman_image_t* pd = PixmanOver(dst);
  pixman_image_t* ps = PixmanOver(src);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_ADD, ps, nullptr, pd, 0, 0, 0, 0, 0, 0, c.W, c.H);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(ps);
  pixman_image_unref(pd);
  SetBytes(state, c);
}

// A Mitchell (pixman's cubic) separable convolution scale, widened by the
// reduction factor as our weight table is.
void BM_PixmanSeparable(benchmark::State& state, TSizeCase c, double scale) {
  TsPixelImage src = Image(c, 2);
  const auto w = static_cast<int32_t>(c.W * scale);
  const auto h = static_cast<int32_t>(c.H * scale);
  TsPixelImage dst(w, h);
  pixman_image_t* ps = PixmanOver(src);
  pixman_image_t* pd = PixmanOver(dst);
  const double sx = static_cast<double>(c.W) / w;
  const double sy = static_cast<double>(c.H) / h;
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy));
  pixman_image_set_transform(ps, &t);
  int n = 0;
  pixman_fixed_t* params = pixman_filter_create_separable_convolution(
      &n, pixman_double_to_fixed(sx > 1 ? sx : 1), pixman_double_to_fixed(sy > 1 ? sy : 1),
      PIXMAN_KERNEL_IMPULSE, PIXMAN_KERNEL_IMPULSE, PIXMAN_KERNEL_CUBIC, PIXMAN_KERNEL_CUBIC, 4, 4);
  pixman_image_set_filter(ps, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, n);
  pixman_image_set_repeat(ps, PIXMAN_REPEAT_PAD);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, ps, nullptr, pd, 0, 0, 0, 0, 0, 0, w, h);
    benchmark::ClobberMemory();
  }
  free(params);
  pixman_image_unref(ps);
  pixman_image_unref(pd);
  SetBytes(state, c);
}

// Records each run's CPU time per iteration for the ratio table.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.run_type == Run::RT_Iteration && r.iterations > 0) {
        Times[r.benchmark_name()] = r.GetAdjustedCPUTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Times;
};

struct TPair {
  const char* Ours;
  const char* Reference;
  double Target;  // 0: no target, printed for information
};

const TPair kPairs[] = {
    {"BlendOver", "pixman_OVER", 1.5},
    {"MixBuffers", "pixman_OVER_solid_mask", 1.5},
    {"CrossFade", "pixman_OVER_solid_mask", 1.5},
    {"MixArea", "pixman_OVER_solid_mask", 0},
    {"MixArea", "pixman_ADD", 0},
    {"FillPixels", "memcpy", 2.0},
    {"CopyOverParent", "memcpy", 2.0},
    {"Premultiply", "memcpy", 0},
    {"PaintGradient_vertical", "memcpy", 0},
    {"PaintGradient_horizontal", "memcpy", 0},
    {"ResampleBuffer_Mitchell_x1.25", "pixman_separable_cubic_x1.25", 2.0},
    {"ResampleBuffer_Mitchell_x0.5", "pixman_separable_cubic_x0.5", 2.0},
};

void Register() {
  for (const TSizeCase& c : kSizes) {
    const std::string s = std::string("/") + c.Name;
    benchmark::RegisterBenchmark(("BlendOver" + s).c_str(), BM_BlendOver, c);
    benchmark::RegisterBenchmark(("MixArea" + s).c_str(), BM_MixArea, c);
    benchmark::RegisterBenchmark(("MixBuffers" + s).c_str(), BM_MixBuffers, c);
    benchmark::RegisterBenchmark(("CrossFade" + s).c_str(), BM_CrossFade, c);
    benchmark::RegisterBenchmark(("CopyOverParent" + s).c_str(), BM_CopyOverParent, c);
    benchmark::RegisterBenchmark(("FillPixels" + s).c_str(), BM_FillPixels, c);
    benchmark::RegisterBenchmark(("Premultiply" + s).c_str(), BM_Premultiply, c);
    benchmark::RegisterBenchmark(("PaintGradient_vertical" + s).c_str(), BM_PaintGradient, c,
                                 kGradVertical);
    benchmark::RegisterBenchmark(("PaintGradient_horizontal" + s).c_str(), BM_PaintGradient, c,
                                 kGradHorizontal);
    benchmark::RegisterBenchmark(("ResampleBuffer_Mitchell_x1.25" + s).c_str(), BM_ResampleBuffer,
                                 c, 1.25);
    benchmark::RegisterBenchmark(("ResampleBuffer_Mitchell_x0.5" + s).c_str(), BM_ResampleBuffer, c,
                                 0.5);
    benchmark::RegisterBenchmark(("memcpy" + s).c_str(), BM_Memcpy, c);
    benchmark::RegisterBenchmark(("pixman_OVER" + s).c_str(), BM_PixmanOver, c);
    benchmark::RegisterBenchmark(("pixman_OVER_solid_mask" + s).c_str(), BM_PixmanOverSolidMask, c);
    benchmark::RegisterBenchmark(("pixman_ADD" + s).c_str(), BM_PixmanAdd, c);
    benchmark::RegisterBenchmark(("pixman_separable_cubic_x1.25" + s).c_str(), BM_PixmanSeparable,
                                 c, 1.25);
    benchmark::RegisterBenchmark(("pixman_separable_cubic_x0.5" + s).c_str(), BM_PixmanSeparable, c,
                                 0.5);
  }
}

void PrintRatios(const std::map<std::string, double>& times) {
  std::printf("\n%-32s %-30s %-9s %10s %10s %7s %7s\n", "operation", "reference", "size", "ours ns",
              "ref ns", "ratio", "target");
  for (const TPair& p : kPairs) {
    for (const TSizeCase& c : kSizes) {
      const auto a = times.find(std::string(p.Ours) + "/" + c.Name);
      const auto b = times.find(std::string(p.Reference) + "/" + c.Name);
      if (a == times.end() || b == times.end() || b->second <= 0) continue;
      const double ratio = a->second / b->second;
      char target[16] = "-";
      if (p.Target > 0) {
        std::snprintf(target, sizeof target, "%.1f%s", p.Target, ratio <= p.Target ? "" : " !");
      }
      std::printf("%-32s %-30s %-9s %10.0f %10.0f %7.2f %7s\n", p.Ours, p.Reference, c.Name,
                  a->second, b->second, ratio, target);
    }
  }
}

}  // namespace
}  // namespace ac

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  ac::Register();
  ac::TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  ac::PrintRatios(reporter.Times);
  benchmark::Shutdown();
  return 0;
}
