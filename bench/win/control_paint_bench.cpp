// The button's and the field's paint from a warm cache beside a memcpy of
// their pixels: once a face is built, a paint only copies it to a DC, so it
// should cost about what moving those bytes costs. Both sides are timed in
// alternation, the best of a few batches each per pair, and the median ratio
// of the pairs is printed with its target.
//
//   wine control_paint_bench.exe SKIN.asz [PAIRS]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "bench/win/bench_timing.h"
#include "controls/ts_button.h"
#include "controls/ts_edit.h"
#include "controls/ts_panel.h"
#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/form.h"
#include "manager/ts_skin_manager.h"

namespace {

class TBenchForm : public ac::TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TBenchForm"; }
};

// Median, lowest and highest of Pairs ratios of a paint of Control into a
// bitmap of its size to a memcpy of as many bytes.
template <typename TControlClass>
void Report(const char* name, TControlClass& control, int pairs) {
  ac::TBitmap target(control.Width(), control.Height());
  HDC dc = target.Canvas().Handle();
  // WM_PAINT with a DC straight to the window procedure, as the message loop
  // delivers it.
  const auto paint = [&] {
    control.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    GdiFlush();
  };
  paint();  // warms the cache
  const uint32_t rebuilt = control.SkinData().RebuildCount;
  const size_t bytes = static_cast<size_t>(control.Width()) * control.Height() * 4;
  const ac::bench::TRatio ratio = ac::bench::RatioToMemcpy(pairs, bytes, 200, paint);
  if (control.SkinData().RebuildCount != rebuilt)
    std::printf("%s: the face was rebuilt while painting from the cache\n", name);
  std::printf(
      "%s paint from a warm cache / memcpy of its %zu bytes: %.2f (spread %.2f..%.2f, "
      "target <= 2)\n",
      name, bytes, ratio.Median, ratio.Low, ratio.High);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: control_paint_bench SKIN.asz [PAIRS]\n", stderr);
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
  // The program's controls at their designed places.
  auto* panel = new ac::TsPanel(form);
  panel->SetParent(form);
  panel->SetBounds(1, 3, 260, 97);
  auto* edit = new ac::TsEdit(form);
  edit->SetParent(panel);
  edit->SetBounds(4, 16, 252, 21);
  edit->SetAlignment(ac::TAlignment::taCenter);
  edit->SetText("VLM7-Q4TD-98KX-M2RF");
  auto* button = new ac::TsButton(form);
  button->SetParent(panel);
  button->SetBounds(4, 40, 252, 23);
  button->SetCaption("Копировать");
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
  edit->Loaded();
  button->Loaded();
  if (!sink.Entries.empty() || !button->SkinData().Skinned() || !edit->SkinData().Skinned()) {
    std::fprintf(stderr, "the skin did not load: %s\n",
                 sink.Entries.empty() ? "" : sink.Entries.front().Text.c_str());
    return 1;
  }
  Report("button", *button, pairs);
  Report("field", *edit, pairs);
  return 0;
}
