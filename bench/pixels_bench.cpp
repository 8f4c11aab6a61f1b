// The hot pixel operations beside pixman's composites and memcpy of the same
// sizes, at a control's size, a window's and a skin master image's. Each row
// times ours and its reference interleaved (bench/paired.h) and prints the
// ratio with its target.
//
//   build/host/bench/pixels_bench [--rows=SUBSTRING] [--pairs=N]

#include <pixman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "paired.h"
#include "pixels/blend.h"
#include "pixels/blend_fill.h"
#include "pixels/blend_parent.h"
#include "pixels/blend_premultiply.h"
#include "pixels/gradient_paint.h"
#include "pixels/pixel_buffer.h"
#include "pixels/resample.h"

namespace ac {
namespace {

using bench::TOp;
using bench::TOpFactory;
using bench::TRow;

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

// Images that an operation keeps for as long as it lives.
struct TImages {
  std::vector<TsPixelImage> Images;
  const TsPixelBuffer& operator[](std::size_t i) const { return Images[i].View(); }
};

std::shared_ptr<TImages> Images(const TSizeCase& c, std::initializer_list<uint32_t> seeds) {
  auto set = std::make_shared<TImages>();
  for (uint32_t seed : seeds) set->Images.push_back(Image(c, seed));
  return set;
}

// ---- ours ----

TOpFactory BlendOverOp(TSizeCase c) {
  return [c] {
    auto im = Images(c, {1, 2});
    return TOp([im, c] {
      BlendOver((*im)[0], {0, 0}, (*im)[1], TSourceRect::XYWH(0, 0, c.W, c.H), 255);
    });
  };
}

TOpFactory MixAreaOp(TSizeCase c) {
  return [c] {
    auto im = Images(c, {1, 2});
    return TOp([im, c] {
      MixArea((*im)[0], {0, 0}, (*im)[1], TSourceRect::XYWH(0, 0, c.W, c.H), 100);
    });
  };
}

TOpFactory MixBuffersOp(TSizeCase c) {
  return [c] {
    auto im = Images(c, {1, 2});
    return TOp([im] { MixBuffers((*im)[0], (*im)[1], 100); });
  };
}

TOpFactory CrossFadeOp(TSizeCase c) {
  return [c] {
    auto im = Images(c, {1, 2, 3});
    return TOp([im] { CrossFade((*im)[0], (*im)[1], (*im)[2], 100); });
  };
}

// Images in rotation: a side that cycles through this many sets of its buffers
// finds each call's images evicted from the core's private caches (2 MB of
// second-level cache here) by the calls before it, as a control's paint finds
// the images of a paint that ran a while ago.
constexpr int64_t kColdBytes = 16 << 20;
int32_t ColdSets(TSizeCase c, int32_t buffers) {
  const int64_t bytes = int64_t{c.W} * c.H * 4 * buffers;
  return static_cast<int32_t>(std::max<int64_t>(1, (kColdBytes + bytes - 1) / bytes));
}

// Sets = 1: the same images every call, so they stay in whichever cache holds
// them.
TOpFactory CopyOverParentOp(TSizeCase c, int32_t sets) {
  return [c, sets] {
    auto im = std::make_shared<TImages>();
    for (int32_t i = 0; i < sets; ++i) {
      // Destination, image and parent.
      for (uint32_t seed : {1u, 2u, 3u}) im->Images.push_back(Image(c, seed + 3 * i));
      // One pixel in eight is the key, as in a skin image with transparent parts.
      const TsPixelBuffer& src = (*im)[im->Images.size() - 2];
      for (int32_t y = 0; y < c.H; ++y)
        for (int32_t x = 0; x < c.W; x += 8) src.At(x, y) = 0x00FF00FF;
    }
    auto next = std::make_shared<int32_t>(0);
    return TOp([im, c, sets, next] {
      const std::size_t i = static_cast<std::size_t>(*next) * 3;
      *next = (*next + 1) % sets;
      const TCacheInfo cache = MakeCacheInfo((*im)[i + 2], 0, 0);
      CopyOverParent((*im)[i], {0, 0}, (*im)[i + 1], TSourceRect::XYWH(0, 0, c.W, c.H),
                     {cache, TUseParent::Yes, clFuchsia});
    });
  };
}

TOpFactory FillPixelsOp(TSizeCase c) {
  return [c] {
    auto im = Images(c, {1});
    return TOp([im] { FillPixels((*im)[0], (*im)[0].Bounds(), 0x123456, 0xFF); });
  };
}

TOpFactory PremultiplyOp(TSizeCase c) {
  return [c] {
    auto im = Images(c, {1});
    // Premultiplying in place drives everything toward 0; the work is the same
    // per pixel whatever the values, so the image is not refreshed.
    return TOp([im] { PremultiplyWith((*im)[0], (*im)[0].Bounds(), TComposition::Off); });
  };
}

TOpFactory PaintGradientOp(TSizeCase c, int32_t kind) {
  return [c, kind] {
    auto im = Images(c, {1});
    const TsGradArray g = {TsGradPoint{0, kind, TsColor(0x203040), 0},
                           TsGradPoint{1, 0, TsColor(0xF0E0D0), 40},
                           TsGradPoint{2, 0, TsColor(0x808080), 100}};
    return TOp([im, g] { PaintGradient((*im)[0], (*im)[0].Bounds(), g); });
  };
}

TOpFactory ResampleOp(TSizeCase c, double scale) {
  return [c, scale] {
    auto im = Images(c, {2});
    auto dst = std::make_shared<TsPixelImage>();
    const auto w = static_cast<int32_t>(c.W * scale);
    const auto h = static_cast<int32_t>(c.H * scale);
    return TOp([im, dst, w, h] { ResampleBuffer(*dst, (*im)[0], w, h, rfMitchell); });
  };
}

// ---- references ----

TOpFactory MemcpyOp(TSizeCase c, int32_t sets = 1) {
  return [c, sets] {
    const std::size_t n = static_cast<std::size_t>(c.W) * c.H;
    auto buf = std::make_shared<std::vector<uint32_t>>(n * 2 * static_cast<std::size_t>(sets), 1);
    auto next = std::make_shared<int32_t>(0);
    return TOp([buf, n, sets, next] {
      uint32_t* from = buf->data() + n * 2 * static_cast<std::size_t>(*next);
      *next = (*next + 1) % sets;
      std::memcpy(from + n, from, n * 4);
      benchmark::DoNotOptimize(from);
    });
  };
}

pixman_image_t* PixmanImage(const TsPixelBuffer& b, pixman_format_code_t format) {
  return pixman_image_create_bits(format, b.Width, b.Height, reinterpret_cast<uint32_t*>(b.Bits),
                                  static_cast<int>(b.Stride));
}

// pixman images over our buffers, unreferenced with them.
struct TPixman {
  std::shared_ptr<TImages> Buffers;
  pixman_image_t* Dst = nullptr;
  pixman_image_t* Src = nullptr;
  pixman_image_t* Mask = nullptr;
  pixman_fixed_t* Filter = nullptr;
  ~TPixman() {
    for (pixman_image_t* i : {Dst, Src, Mask})
      if (i != nullptr) pixman_image_unref(i);
    std::free(Filter);
  }
};

TOpFactory PixmanCompositeOp(TSizeCase c, pixman_op_t op) {
  return [c, op] {
    auto p = std::make_shared<TPixman>();
    p->Buffers = Images(c, {1, 2});
    p->Dst = PixmanImage((*p->Buffers)[0], PIXMAN_a8r8g8b8);
    p->Src = PixmanImage((*p->Buffers)[1], PIXMAN_a8r8g8b8);
    return TOp([p, c, op] {
      pixman_image_composite32(op, p->Src, nullptr, p->Dst, 0, 0, 0, 0, 0, 0, c.W, c.H);
    });
  };
}

// OVER through a constant mask: dst := src * m + dst * (1 - m), the lerp of two
// buffers by one weight that MixBuffers, MixArea and CrossFade compute.
TOpFactory PixmanOverSolidMaskOp(TSizeCase c) {
  return [c] {
    auto p = std::make_shared<TPixman>();
    p->Buffers = Images(c, {1, 2});
    p->Dst = PixmanImage((*p->Buffers)[0], PIXMAN_a8r8g8b8);
    p->Src = PixmanImage((*p->Buffers)[1], PIXMAN_x8r8g8b8);
    const pixman_color_t weight = {0x6464, 0x6464, 0x6464, 0x6464};
    p->Mask = pixman_image_create_solid_fill(&weight);
    return TOp([p, c] {
      pixman_image_composite32(PIXMAN_OP_OVER, p->Src, p->Mask, p->Dst, 0, 0, 0, 0, 0, 0, c.W, c.H);
    });
  };
}

// A Mitchell (pixman's cubic) separable convolution scale, widened by the
// reduction factor as our weight table is.
TOpFactory PixmanSeparableOp(TSizeCase c, double scale) {
  return [c, scale] {
    const auto w = static_cast<int32_t>(c.W * scale);
    const auto h = static_cast<int32_t>(c.H * scale);
    auto p = std::make_shared<TPixman>();
    p->Buffers = Images(c, {2});
    p->Buffers->Images.emplace_back(w, h);
    p->Src = PixmanImage((*p->Buffers)[0], PIXMAN_a8r8g8b8);
    p->Dst = PixmanImage((*p->Buffers)[1], PIXMAN_a8r8g8b8);
    const double sx = static_cast<double>(c.W) / w;
    const double sy = static_cast<double>(c.H) / h;
    pixman_transform_t t;
    pixman_transform_init_scale(&t, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy));
    pixman_image_set_transform(p->Src, &t);
    int n = 0;
    p->Filter = pixman_filter_create_separable_convolution(
        &n, pixman_double_to_fixed(sx > 1 ? sx : 1), pixman_double_to_fixed(sy > 1 ? sy : 1),
        PIXMAN_KERNEL_IMPULSE, PIXMAN_KERNEL_IMPULSE, PIXMAN_KERNEL_CUBIC, PIXMAN_KERNEL_CUBIC, 4,
        4);
    pixman_image_set_filter(p->Src, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, p->Filter, n);
    pixman_image_set_repeat(p->Src, PIXMAN_REPEAT_PAD);
    return TOp([p, w, h] {
      pixman_image_composite32(PIXMAN_OP_SRC, p->Src, nullptr, p->Dst, 0, 0, 0, 0, 0, 0, w, h);
    });
  };
}

std::vector<TRow> Rows() {
  std::vector<TRow> rows;
  auto add = [&](const std::string& ours, TOpFactory (*makeOurs)(TSizeCase), const std::string& ref,
                 auto makeRef, double target) {
    for (const TSizeCase& c : kSizes)
      rows.push_back(TRow{{ours, makeOurs(c)}, {ref, makeRef(c)}, c.Name, target});
  };
  auto pixmanOver = [](TSizeCase c) { return PixmanCompositeOp(c, PIXMAN_OP_OVER); };
  auto pixmanAdd = [](TSizeCase c) { return PixmanCompositeOp(c, PIXMAN_OP_ADD); };
  auto solidMask = [](TSizeCase c) { return PixmanOverSolidMaskOp(c); };
  auto memcpyRef = [](TSizeCase c) { return MemcpyOp(c); };
  add("BlendOver", BlendOverOp, "pixman_OVER", pixmanOver, 1.5);
  add("MixBuffers", MixBuffersOp, "pixman_OVER_solid_mask", solidMask, 1.5);
  add("CrossFade", CrossFadeOp, "pixman_OVER_solid_mask", solidMask, 1.5);
  add("MixArea", MixAreaOp, "pixman_OVER_solid_mask", solidMask, 1.5);
  // A saturating add does no multiplication: a floor no lerp can reach.
  add("MixArea", MixAreaOp, "pixman_ADD", pixmanAdd, 0);
  add("FillPixels", FillPixelsOp, "memcpy", memcpyRef, 2.0);
  // The keyed copy reads two images and writes a third. With the same images
  // every call, a memcpy's two 252x23 buffers fit the first-level cache (48 KB)
  // and its two 512x512 ones the second (2 MB) while the copy's three do not,
  // so those rows compare cache levels more than code: printed for
  // information. The target holds for both sides reading memory that earlier
  // calls evicted.
  for (const TSizeCase& c : kSizes) {
    rows.push_back(
        TRow{{"CopyOverParent", CopyOverParentOp(c, 1)}, {"memcpy", MemcpyOp(c)}, c.Name, 0});
  }
  for (const TSizeCase& c : kSizes) {
    rows.push_back(TRow{{"CopyOverParent_cold", CopyOverParentOp(c, ColdSets(c, 3))},
                        {"memcpy_cold", MemcpyOp(c, ColdSets(c, 2))},
                        c.Name,
                        2.0});
  }
  add("Premultiply", PremultiplyOp, "memcpy", memcpyRef, 0);
  for (const TSizeCase& c : kSizes) {
    rows.push_back(TRow{{"PaintGradient_vertical", PaintGradientOp(c, kGradVertical)},
                        {"memcpy", MemcpyOp(c)},
                        c.Name,
                        0});
  }
  for (const TSizeCase& c : kSizes) {
    rows.push_back(TRow{{"PaintGradient_horizontal", PaintGradientOp(c, kGradHorizontal)},
                        {"memcpy", MemcpyOp(c)},
                        c.Name,
                        0});
  }
  for (const double scale : {1.25, 0.5}) {
    const std::string s = scale > 1 ? "x1.25" : "x0.5";
    for (const TSizeCase& c : kSizes) {
      rows.push_back(TRow{{"ResampleBuffer_Mitchell_" + s, ResampleOp(c, scale)},
                          {"pixman_separable_cubic_" + s, PixmanSeparableOp(c, scale)},
                          c.Name,
                          2.0});
    }
  }
  return rows;
}

}  // namespace
}  // namespace ac

int main(int argc, char** argv) {
  return ac::bench::Main(argc, argv, ac::Rows());
}
