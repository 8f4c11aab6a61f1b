// Loading a skin beside the work no loader can avoid: inflating the entries of
// its archive and decoding its images (zlib, libpng, our BMP reader). The
// table after the usual output prints each load's CPU time as a ratio of that
// bare work, with the target ratio.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "core/message_sink.h"
#include "pixels/image_codec.h"
#include "skin/archive_folder.h"
#include "skin/archive_reader.h"
#include "skin/archive_writer.h"
#include "skin/skin_convertor.h"
#include "skin/skin_manager_core.h"

namespace ac {
namespace {

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

void BM_BareWork(benchmark::State& state) {
  const auto& archive = SkinArchive();
  for (auto _ : state) {
    std::size_t pixels = 0;
    ReadArchiveEntries(archive, [&](TacArchiveEntry&& e) {
      if (IsImage(e.Name)) pixels += platform::DecodeImage(e.Data).Pixels.size();
      benchmark::DoNotOptimize(e.Data.data());
    });
    benchmark::DoNotOptimize(pixels);
  }
}

// One skin change of a manager whose internal skin is the archive: opening,
// inflating, decoding and loading the model for one resolution.
void BM_Load(benchmark::State& state, int ppi) {
  TRecordingSink sink;
  TacSkinManagerCore m(sink);
  m.SkinDirectory = "/nonexistent-skin-folder";
  m.Scale.Mode = ppi == 96 ? smVCL : smCustomPPI;
  m.Scale.PixelsPerInch = ppi;
  TsStoredSkin& skin = m.InternalSkins.Add();
  skin.Name = "Velmora";
  skin.PackedData = SkinArchive();
  for (auto _ : state) {
    if (!m.ChangeSkin("Velmora") || !m.IsActive()) state.SkipWithError("the skin did not load");
    benchmark::DoNotOptimize(m.SkinDataArray.data());
  }
  if (!sink.Entries.empty()) state.SkipWithError(sink.Entries.front().Text.c_str());
}

class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && r.iterations > 0 && !r.error_occurred)
        Times[r.benchmark_name()] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Times;
};

void PrintRatios(const std::map<std::string, double>& times) {
  const auto bare = times.find("BareWork");
  if (bare == times.end() || bare->second <= 0) return;
  std::printf("\n%-10s %14s %14s %7s %7s\n", "load", "load us", "bare us", "ratio", "target");
  for (const auto& [name, target] : {std::pair{"Load/96", 1.5}, std::pair{"Load/144", 4.0}}) {
    const auto t = times.find(name);
    if (t == times.end()) continue;
    const double ratio = t->second / bare->second;
    std::printf("%-10s %14.0f %14.0f %7.2f %5.1f%s\n", name, t->second, bare->second, ratio, target,
                ratio <= target ? "" : " !");
  }
}

}  // namespace
}  // namespace ac

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RegisterBenchmark("BareWork", ac::BM_BareWork)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Load/96", ac::BM_Load, 96)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Load/144", ac::BM_Load, 144)->Unit(benchmark::kMicrosecond);
  ac::TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  ac::PrintRatios(reporter.Times);
  benchmark::Shutdown();
  return 0;
}
