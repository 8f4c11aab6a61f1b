// Loading a skin beside the work no loader can avoid: inflating the entries of
// its archive and decoding its images (zlib, libpng, our BMP reader), the two
// timed interleaved (bench/paired.h). The table prints each load's CPU time as
// a ratio of that bare work, with the target ratio.
//
//   build/host/bench/load_bench [--rows=SUBSTRING] [--pairs=N]

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "paired.h"

#include "core/message_sink.h"
#include "pixels/image_codec.h"
#include "skin/archive_folder.h"
#include "skin/archive_reader.h"
#include "skin/archive_writer.h"
#include "skin/skin_convertor.h"
#include "skin/skin_manager_core.h"

namespace ac {
namespace {

using bench::TOp;
using bench::TOpFactory;
using bench::TRow;

const std::vector<uint8_t>& SkinArchive() {
  static const std::vector<uint8_t> archive = [] {
    std::vector<std::string> skipped;
    return WriteSkinArchive(
        CollectSkinFolder(std::string(AC_SOURCE_DIR) + "/skins/VelmoraLight", skipped));
  }();
  return archive;
}

bool IsImage(const std::string& name) {
  const std::string upper = UpperCaseName(name);
  return upper.find(".PNG") != std::string::npos || upper.find(".BMP") != std::string::npos ||
         upper.find(".JPG") != std::string::npos;
}

TOpFactory BareWorkOp() {
  return [] {
    return TOp([] {
      std::size_t pixels = 0;
      ReadArchiveEntries(SkinArchive(), [&](TacArchiveEntry&& e) {
        if (IsImage(e.Name)) pixels += platform::DecodeImage(e.Data).Pixels.size();
        benchmark::DoNotOptimize(e.Data.data());
      });
      benchmark::DoNotOptimize(pixels);
    });
  };
}

// One skin change of a manager whose internal skin is the archive: opening,
// inflating, decoding and loading the model for one resolution.
TOpFactory LoadOp(int ppi) {
  return [ppi] {
    auto sink = std::make_shared<TRecordingSink>();
    auto m = std::make_shared<TacSkinManagerCore>(*sink);
    m->SkinDirectory = "/nonexistent-skin-folder";
    m->Scale.Mode = ppi == 96 ? smVCL : smCustomPPI;
    m->Scale.PixelsPerInch = ppi;
    TsStoredSkin& skin = m->InternalSkins.Add();
    skin.Name = "Velmora";
    skin.PackedData = SkinArchive();
    return TOp([sink, m] {
      if (!m->ChangeSkin("Velmora") || !m->IsActive() || !sink->Entries.empty()) {
        std::fprintf(stderr, "the skin did not load: %s\n",
                     sink->Entries.empty() ? "" : sink->Entries.front().Text.c_str());
        std::exit(1);
      }
      benchmark::DoNotOptimize(m->SkinDataArray.data());
    });
  };
}

std::vector<TRow> Rows() {
  return {TRow{{"Load", LoadOp(96)}, {"BareWork", BareWorkOp()}, "96ppi", 1.5},
          TRow{{"Load", LoadOp(144)}, {"BareWork", BareWorkOp()}, "144ppi", 4.0}};
}

}  // namespace
}  // namespace ac

int main(int argc, char** argv) {
  return ac::bench::Main(argc, argv, ac::Rows());
}
