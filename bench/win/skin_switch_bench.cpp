// A skin switch of the running program beside a bare load of the same skin:
// the switch (TsSkinManager::SetSkinName) loads, announces SKC_NEWSKIN and
// repaints every form; the load is the platform-free manager core alone. Both
// sides are timed in alternation, the best of a few runs each per pair, and
// the median ratio of the pairs is printed with its target.
//
//   wine skin_switch_bench.exe SKIN.asz [PAIRS]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "bench/win/bench_timing.h"
#include "framework/application.h"
#include "framework/form.h"
#include "framework/panel.h"
#include "manager/ts_skin_manager.h"

namespace {

class TBenchForm : public ac::TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TBenchForm"; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: skin_switch_bench SKIN.asz [PAIRS]\n", stderr);
    return 1;
  }
  std::ifstream file(argv[1], std::ios::binary);
  const std::vector<uint8_t> archive((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
  if (archive.empty()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  const int pairs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;

  ac::TApplication app;
  app.Initialize();
  auto* form = new TBenchForm(&app);
  form->SetBounds(0, 0, 400, 200);
  auto* panel = new ac::TPanel(form);
  panel->SetParent(form);
  form->HandleNeeded();
  ac::TRecordingSink sink;

  ac::TsSkinManager manager(form);
  manager.Messages = &sink;
  manager.SkinDirectory = "c:\\nonexistent-skin-folder";
  for (const char* name : {"One", "Two"}) {
    ac::TsStoredSkin& s = manager.InternalSkins.Add();
    s.Name = name;
    s.SetData(archive);
  }
  manager.SetSkinName("One");

  ac::TacSkinManagerCore core(sink);
  core.SkinDirectory = manager.SkinDirectory;
  core.Scale = manager.Core.Scale;
  ac::TsStoredSkin& s = core.InternalSkins.Add();
  s.Name = "One";
  s.SetData(archive);

  std::vector<double> ratios;
  bool toggle = false;
  for (int p = 0; p < pairs; ++p) {
    const double load = ac::bench::BestPerCall(
        1, [&] { core.ChangeSkin("One"); }, 3);
    const double change = ac::bench::BestPerCall(
        1,
        [&] {
          toggle = !toggle;
          manager.SetSkinName(toggle ? "Two" : "One");
        },
        3);
    ratios.push_back(change / load);
  }
  if (!sink.Entries.empty() || !manager.IsActive() || !core.IsActive()) {
    std::fprintf(stderr, "the skin did not load: %s\n",
                 sink.Entries.empty() ? "" : sink.Entries.front().Text.c_str());
    return 1;
  }
  std::sort(ratios.begin(), ratios.end());
  const double median = ratios[ratios.size() / 2];
  std::printf("skin switch / load of the internal skin: %.2f (spread %.2f..%.2f, target <= 1.5)\n",
              median, ratios.front(), ratios.back());
  return 0;
}
