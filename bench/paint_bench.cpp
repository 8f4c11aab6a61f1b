// Section and mask painting of a real skin (Velmora Light), each timed
// interleaved with a memcpy of the same destination size (bench/paired.h): the
// ratio is one paint in memcpy-equivalents, and a control's face should stay
// under 40.
//
//   build/host/bench/paint_bench [--rows=SUBSTRING] [--pairs=N]

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "paired.h"

#include "core/message_sink.h"
#include "paint/control_paint.h"
#include "paint/mask_paint.h"
#include "paint/section_paint.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_manager_core.h"

namespace {

using namespace ac;
using bench::TOp;
using bench::TOpFactory;
using bench::TRow;

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

// Nothing to paint without the skin: the program stops and says why.
const TacSkinData& LoadedSkin() {
  const TacSkinData* sd = Skin().Sd;
  if (sd == nullptr) {
    std::fprintf(stderr, "the skin did not load\n");
    std::exit(1);
  }
  return *sd;
}

void FillParent(const TsPixelBuffer& b) {
  for (int32_t y = 0; y < b.Height; ++y)
    for (int32_t x = 0; x < b.Width; ++x) b.At(x, y) = 0xFFF0F0F0u;
}

// The parent's background and the destination of one paint.
struct TCanvas {
  TsPixelImage Parent, Dst;
  TCacheInfo Cache;
  TCanvas(int32_t w, int32_t h) : Parent(w, h), Dst(w, h) {
    FillParent(Parent.View());
    Cache = MakeCacheInfo(Parent.View(), 0, 0);
  }
};

TOpFactory MemcpyOp(int32_t w, int32_t h) {
  return [w, h] {
    const std::size_t bytes = static_cast<std::size_t>(w) * h * 4;
    auto a = std::make_shared<std::vector<uint8_t>>(bytes, 1);
    auto b = std::make_shared<std::vector<uint8_t>>(bytes, 2);
    return TOp([a, b] {
      std::memcpy(b->data(), a->data(), a->size());
      benchmark::DoNotOptimize(b->data());
    });
  };
}

TOpFactory ControlFaceOp(const char* section, int32_t state) {
  return [section, state] {
    const TacSkinData& sd = LoadedSkin();
    auto canvas = std::make_shared<TCanvas>(252, 23);
    TsControlPaintData ctrl;
    ctrl.SkinData = &sd;
    ctrl.SkinIndex = GetSkinIndex(sd, section);
    return TOp([canvas, ctrl, state] {
      const TsPixelBuffer& dst = canvas->Dst.View();
      PaintControlSection(dst, dst.Bounds(), ctrl, state, canvas->Cache, {}, TUseParent::Yes);
      benchmark::DoNotOptimize(dst.Bits);
    });
  };
}

TOpFactory SectionOp(const char* section, int32_t w, int32_t h) {
  return [section, w, h] {
    const TacSkinData& sd = LoadedSkin();
    auto canvas = std::make_shared<TCanvas>(w, h);
    const int32_t index = GetSkinIndex(sd, section);
    return TOp([canvas, &sd, index] {
      const TsPixelBuffer& dst = canvas->Dst.View();
      PaintSection(dst, dst.Bounds(), sd, index, 0, canvas->Cache, {});
      benchmark::DoNotOptimize(dst.Bits);
    });
  };
}

// The button's border entry painted nine-slice with its edges tiled
// (Stretch 0) or stretched (1), centre included.
TOpFactory MaskRectOp(int32_t stretch) {
  return [stretch] {
    const TacSkinData& sd = LoadedSkin();
    const int32_t index = sd.gd[GetSkinIndex(sd, "BUTTON")].BorderIndex;
    if (!IsValidImgIndex(sd, index)) {
      std::fprintf(stderr, "the button has no border entry\n");
      std::exit(1);
    }
    TsMaskData m = sd.ma[index];
    m.DrawMode = (m.DrawMode & ~DrawModeBits(TDrawModeBit::Stretch)) |
                 DrawModeBits(TDrawModeBit::Centre) | stretch;
    auto canvas = std::make_shared<TCanvas>(252, 23);
    return TOp([canvas, m] {
      const TsPixelBuffer& dst = canvas->Dst.View();
      PaintMaskRect(dst, dst.Bounds(), m, 1, canvas->Cache, TUseParent::Yes);
      benchmark::DoNotOptimize(dst.Bits);
    });
  };
}

std::vector<TRow> Rows() {
  std::vector<TRow> rows;
  for (const char* section : {"BUTTON", "EDIT"}) {
    for (int32_t state = 0; state < 3; ++state) {
      rows.push_back(TRow{{std::string("Control_") + section + "_state" + std::to_string(state),
                           ControlFaceOp(section, state)},
                          {"memcpy", MemcpyOp(252, 23)},
                          "252x23",
                          40});
    }
  }
  rows.push_back(TRow{
      {"Section_PANEL", SectionOp("PANEL", 260, 97)}, {"memcpy", MemcpyOp(260, 97)}, "260x97", 0});
  rows.push_back(TRow{
      {"Section_FORM", SectionOp("FORM", 800, 600)}, {"memcpy", MemcpyOp(800, 600)}, "800x600", 0});
  rows.push_back(
      TRow{{"MaskRect_tiled", MaskRectOp(0)}, {"memcpy", MemcpyOp(252, 23)}, "252x23", 0});
  rows.push_back(
      TRow{{"MaskRect_stretched", MaskRectOp(1)}, {"memcpy", MemcpyOp(252, 23)}, "252x23", 0});
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  return ac::bench::Main(argc, argv, Rows());
}
