// The panel's paint from a warm cache beside a memcpy of its pixels: once the
// face is built, a paint only copies it to the window's DC, so it should cost
// about what moving those bytes costs. Both sides are timed in alternation,
// the best of a few runs each per pair, and the median ratio of the pairs is
// printed with its target. A second figure shows the paint with the
// program's three labels on the panel, painted over the face off screen.
//
//   wine panel_paint_bench.exe SKIN.asz [PAIRS]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "bench/win/bench_timing.h"
#include "controls/ts_label.h"
#include "controls/ts_panel.h"
#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/form.h"
#include "framework/label.h"
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
    std::fputs("usage: panel_paint_bench SKIN.asz [PAIRS]\n", stderr);
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
  form->SetBounds(0, 0, 300, 140);
  // The program's panel at its designed size.
  auto* panel = new ac::TsPanel(form);
  panel->SetParent(form);
  panel->SetBounds(1, 3, 260, 97);
  ac::TRecordingSink sink;
  ac::TsSkinManager manager(form);
  manager.Messages = &sink;
  manager.SkinDirectory = "c:\\nonexistent-skin-folder";
  ac::TsStoredSkin& s = manager.InternalSkins.Add();
  s.Name = "Light";
  s.SetData(archive);
  manager.SetSkinName("Light");
  form->HandleNeeded();
  panel->Loaded();
  if (!sink.Entries.empty() || !panel->SkinData().Skinned()) {
    std::fprintf(stderr, "the skin did not load: %s\n",
                 sink.Entries.empty() ? "" : sink.Entries.front().Text.c_str());
    return 1;
  }

  ac::TBitmap target(panel->Width(), panel->Height());
  HDC dc = target.Canvas().Handle();
  // WM_PAINT with a DC, straight to the panel's window procedure as the
  // message loop delivers it (SendMessageW would add the emulator's own
  // cost of a sent message, about twice the memcpy, to both figures).
  const auto paint = [&] {
    panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    GdiFlush();
  };
  paint();  // warms the cache
  const uint32_t rebuilt = panel->SkinData().RebuildCount;
  const size_t bytes = static_cast<size_t>(panel->Width()) * panel->Height() * 4;
  const ac::bench::TRatio face = ac::bench::RatioToMemcpy(pairs, bytes, 200, paint);

  const auto label = [&](ac::TCustomLabel* l, int x, int y, int w, int h, const char* text) {
    l->SetParent(panel);
    l->SetBounds(x, y, w, h);
    l->SetCaption(text);
  };
  label(new ac::TsLabel(form), 96, 2, 65, 13, "Ваш ключ");
  auto* wrap = new ac::TsLabel(form);
  wrap->SetWordWrap(true);
  label(wrap, 29, 66, 224, 26, "Ключ скопируется в буфер обмена. Подробно об этом — в");
  label(new ac::TLabel(form), 166, 79, 36, 13, "статье");
  const ac::bench::TRatio labels = ac::bench::RatioToMemcpy(pairs, bytes, 200, paint);
  if (panel->SkinData().RebuildCount != rebuilt) {
    std::fputs("the face was rebuilt while painting from the cache\n", stderr);
    return 1;
  }
  std::printf(
      "panel paint from a warm cache / memcpy of its %zu bytes: %.2f (spread %.2f..%.2f, "
      "target <= 2)\n",
      bytes, face.Median, face.Low, face.High);
  std::printf(
      "the same with the program's three labels painted over it: %.2f (spread %.2f..%.2f)\n",
      labels.Median, labels.Low, labels.High);
  return 0;
}
