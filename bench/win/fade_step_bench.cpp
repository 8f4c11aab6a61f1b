// One step of a state fade of a 252 x 23 control (the copy button's size)
// against the 12 ms between steps: the step mixes the new state's image into
// the frame and copies the frame to the control's window. The mix alone is
// printed beside it. Each figure is the best of five batches of many steps.
//
//   wine fade_step_bench.exe [STEPS]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/win/bench_timing.h"
#include "controls/state_fade.h"
#include "controls/ts_common_data.h"
#include "framework/application.h"
#include "framework/form.h"
#include "manager/ts_skin_manager.h"

namespace {

constexpr int kWidth = 252;
constexpr int kHeight = 23;
constexpr double kPeriod = 0.012;

class TBenchForm : public ac::TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TBenchForm"; }
};

// A control whose faces are two plain colours, rebuilt on SKC_PREPARECACHE.
class TFadeControl : public ac::TWinControl {
 public:
  explicit TFadeControl(ac::TComponent* owner)
      : TWinControl(owner), Data(*this, ac::kCocButton, "BUTTON") {}
  std::string_view ClassName() const override { return "TFadeControl"; }
  ac::TsCommonData Data;

  void WndProc(ac::TMessage& m) override {
    if (m.Msg == ac::WM_SKINCMD && ac::SkinCommandCode(m.WParam) == ac::SKC_PREPARECACHE) {
      Prepare();
      return;
    }
    if (!Data.HandleCommonMessage(m)) TWinControl::WndProc(m);
  }
  void Prepare() {
    ac::TBitmap& cache = Data.FCacheBmp;
    if (cache.Width() != Width() || cache.Height() != Height()) cache.SetSize(Width(), Height());
    const uint32_t pixel = Data.CurrentStateIndex() == 1 ? 0xFF3060F0u : 0xFFC86400u;
    for (int y = 0; y < cache.Height(); ++y)
      std::fill_n(reinterpret_cast<uint32_t*>(cache.ScanLine(y)), cache.Width(), pixel);
    Data.BGChanged = false;
  }

 protected:
  void CreateWindowHandleDone() override {
    TWinControl::CreateWindowHandleDone();
    Data.InitCommonProp(FHandle);
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int steps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring dir = std::wstring(temp) + L"acfadebench";
  CreateDirectoryW(dir.c_str(), nullptr);
  CreateDirectoryW((dir + L"\\Bench").c_str(), nullptr);
  {
    std::ofstream out(std::filesystem::path(dir + L"\\Bench\\Options.dat"), std::ios::binary);
    out << "[GLOBALINFO]\r\nVERSION=15.00\r\n[BUTTON]\r\nSTATES=3\r\nCOLOR=255\r\n";
  }

  ac::TApplication app;
  app.Initialize();
  auto* form = new TBenchForm(&app);
  form->SetBounds(20, 20, 300, 80);
  auto* control = new TFadeControl(form);
  control->SetParent(form);
  control->SetBounds(10, 10, kWidth, kHeight);
  ac::TRecordingSink sink;
  auto* manager = new ac::TsSkinManager(form);
  manager->Messages = &sink;
  manager->SkinDirectory = std::string(dir.begin(), dir.end());
  manager->SetSkinName("Bench");
  form->Show();
  control->Prepare();
  if (!control->Data.Skinned()) {
    std::fputs("the bench skin did not load\n", stderr);
    return 1;
  }

  // A fade toward the lit face, held at its first steps so every timed step
  // mixes and copies a full frame.
  ac::TsCommonData& data = control->Data;
  data.FMouseAbove = true;
  ac::StartFade(data, 1);
  ac::TacThreadedTimer& timer = *data.AnimTimer;
  timer.SetEnabled(false);
  int i = 0;
  const double step = ac::bench::BestPerCall(steps, [&] {
    timer.Iteration = i++ % 5;
    timer.Glow = 0;
    ac::FadeStep(data, timer.Iteration);
  });
  const double mix = ac::bench::BestPerCall(steps, [&] {
    ac::MixFadeFrame(timer.BmpOut->View(), timer.BmpFrom->View(), timer.BmpTo->View(),
                     static_cast<uint8_t>(i++));
  });
  std::printf("one fade step of %dx%d: %.1f us = %.2f%% of the 12 ms period (target <= 1%%)\n",
              kWidth, kHeight, step * 1e6, step / kPeriod * 100);
  std::printf("  of which the mix: %.1f us = %.3f%% of the period\n", mix * 1e6,
              mix / kPeriod * 100);
  return 0;
}
