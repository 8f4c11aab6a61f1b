#include <gtest/gtest.h>

#include <functional>

#include "framework/application_test_support.h"
#include "framework/panel.h"
#include "manager/skin_command_test_support.h"
#include "manager/ts_skin_manager.h"
#include "skin/archive_writer.h"

namespace ac {
namespace {

std::vector<uint8_t> OneSectionArchive() {
  const std::string options = "[GLOBALINFO]\r\nVERSION=15.00\r\n[A]\r\nCOLOR=255\r\n";
  return WriteSkinArchive({{"OPTIONS.DAT", {options.begin(), options.end()}}});
}

// A skin command a window heard: its code and LParam.
struct TCommand {
  WORD Code;
  LPARAM LParam;
  bool operator==(const TCommand&) const = default;
};

// The scaling commands among what a window heard (and the announcement that
// follows a rescale), in order.
constexpr WORD kWatched[] = {SKC_GETPPI, SKC_SCALEFORM, SKC_SETPPI, SKC_NEWSKIN};

// Lets Control answer the scaling questions through Answer (code -> result;
// no answer is 0) and logs the watched commands it hears.
void Answer(TControl& control, std::vector<TCommand>& log,
            std::function<LRESULT(WORD code)> answer = nullptr) {
  TWndMethod previous = control.WindowProc;
  control.WindowProc = [previous, &log, answer](TMessage& m) {
    if (m.Msg != WM_SKINCMD) return previous(m);
    const WORD code = SkinCommandCode(m.WParam);
    for (WORD watched : kWatched)
      if (code == watched) log.push_back({code, code == SKC_NEWSKIN ? 0 : m.LParam});
    m.Result = answer ? answer(code) : 0;
  };
}

class ScaleModeTest : public ::testing::Test {
 protected:
  static constexpr std::string_view kSkin = "Scaled";
  void SetUp() override {
    Form->SetBounds(40, 30, 300, 200);
    Form->SetClientSize(200, 100);
    Panel = test::AddControl<TPanel>(Form, Form, 10, 10, 40, 20);
    Form->HandleNeeded();
    Panel->HandleNeeded();
    M = new TsSkinManager(Form);
    M->Messages = &Messages;
    TsStoredSkin& s = M->InternalSkins.Add();
    s.Name = std::string(kSkin);
    s.SetData(OneSectionArchive());
    M->SetSkinName(std::string(kSkin));
    ASSERT_TRUE(M->IsActive());
    ASSERT_EQ(M->Options.ScaleMode, smVCL);
  }

  TRect PanelBounds() const { return Panel->BoundsRect(); }

  // The logs outlive the application, whose forms write to them to the end.
  std::vector<TCommand> FormHeard, PanelHeard;
  test::TTestApplication App;
  TRecordingSink Messages;
  test::TCommandForm* Form = new test::TCommandForm(&App.App);
  TPanel* Panel = nullptr;
  TsSkinManager* M = nullptr;
};

TEST_F(ScaleModeTest, ANewModeReloadsTheSkinRescalesTheFormsAndAnnouncesOnce) {
  Answer(*Form, FormHeard);
  Answer(*Panel, PanelHeard);
  std::vector<TacScaleModeChange> asked;
  M->OnScaleModeChange = [&](TComponent* sender, TacScaleModeChange& q) {
    EXPECT_EQ(sender, M);
    asked.push_back(q);
  };
  // The forms have their new size by the time OnScaleChanged runs.
  std::vector<int> widthsWhenChanged;
  M->OnScaleChanged = [&](TComponent*) {
    widthsWhenChanged.push_back(Form->ClientWidth());
    EXPECT_TRUE(M->Core.HasState(msScaleChanging));
  };
  const RECT placeBefore = [&] {
    RECT r{};
    GetWindowRect(Form->Handle(), &r);
    return r;
  }();

  M->SetScaleMode(sm150);

  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].OldMode, smVCL);
  EXPECT_EQ(asked[0].NewMode, sm150);
  EXPECT_EQ(asked[0].OldPercent, 100);
  EXPECT_EQ(asked[0].NewPercent, 150);
  EXPECT_EQ(asked[0].OldPPI, 96);
  EXPECT_EQ(asked[0].NewPPI, 144);
  EXPECT_EQ(widthsWhenChanged, std::vector<int>{300});
  EXPECT_EQ(M->Options.ScaleMode, sm150);
  EXPECT_FALSE(M->Core.HasState(msScaleChanging));
  EXPECT_FALSE(M->Core.HasState(msFormScaling));

  // The skin in use is the one for 144 pixels per inch.
  ASSERT_FALSE(M->Core.SkinDataArray.empty());
  ASSERT_NE(M->Core.SkinDataArray[0], nullptr);
  EXPECT_EQ(M->Core.SkinDataArray[0]->PPI, 144);
  EXPECT_TRUE(M->IsActive());

  // The form keeps its place; its client area and controls grow by half.
  RECT place{};
  GetWindowRect(Form->Handle(), &place);
  EXPECT_EQ(place.left, placeBefore.left);
  EXPECT_EQ(place.top, placeBefore.top);
  EXPECT_EQ(Form->ClientWidth(), 300);
  EXPECT_EQ(Form->ClientHeight(), 150);
  EXPECT_EQ(PanelBounds(), TRect::XYWH(15, 15, 60, 30));
  EXPECT_EQ(Form->PixelsPerInch, 144);
  EXPECT_FALSE(Form->Scaled);

  // The form is asked, scaled and told; the skin is announced after that.
  const std::vector<TCommand> expectedForm = {
      {SKC_GETPPI, 0}, {SKC_SCALEFORM, 144}, {SKC_SETPPI, 144}, {SKC_NEWSKIN, 0}};
  EXPECT_EQ(FormHeard, expectedForm);
  const std::vector<TCommand> expectedPanel = {{SKC_SETPPI, 144}, {SKC_NEWSKIN, 0}};
  EXPECT_EQ(PanelHeard, expectedPanel);

  // Back to 100 %: the sizes return exactly.
  M->SetScaleMode(sm100);
  EXPECT_EQ(Form->ClientWidth(), 200);
  EXPECT_EQ(Form->ClientHeight(), 100);
  EXPECT_EQ(PanelBounds(), TRect::XYWH(10, 10, 40, 20));
  EXPECT_EQ(M->Core.SkinDataArray[0]->PPI, 96);
  EXPECT_EQ(widthsWhenChanged, (std::vector<int>{300, 200}));
  M->OnScaleChanged = nullptr;
}

TEST_F(ScaleModeTest, WhichFormsAreScaledAndHow) {
  TsSkinManager* other = reinterpret_cast<TsSkinManager*>(0x1000);
  const struct {
    const char* What;
    std::function<LRESULT(WORD)> FormAnswers;
    int ClientWidth;  // after the change to sm150
    std::vector<TCommand> Heard;
  } cases[] = {
      {"no answers: scaled from the framework's resolution",
       nullptr,
       300,
       {{SKC_GETPPI, 0}, {SKC_SCALEFORM, 144}, {SKC_SETPPI, 144}, {SKC_NEWSKIN, 0}}},
      {"a form at 120 pixels per inch grows by 144 / 120",
       [](WORD code) -> LRESULT { return code == SKC_GETPPI ? 120 : 0; },
       240,
       {{SKC_GETPPI, 0}, {SKC_SCALEFORM, 144}, {SKC_SETPPI, 144}, {SKC_NEWSKIN, 0}}},
      {"a form already at 144 stays",
       [](WORD code) -> LRESULT { return code == SKC_GETPPI ? 144 : 0; },
       200,
       {{SKC_GETPPI, 0}, {SKC_NEWSKIN, 0}}},
      {"a form that does not scale stays",
       [](WORD code) -> LRESULT { return code == SKC_GETPPI ? -1 : 0; },
       200,
       {{SKC_GETPPI, 0}, {SKC_NEWSKIN, 0}}},
      {"a form that scales itself is not scaled again",
       [](WORD code) -> LRESULT { return code == SKC_SCALEFORM ? 1 : 0; },
       200,
       {{SKC_GETPPI, 0}, {SKC_SCALEFORM, 144}, {SKC_SETPPI, 144}, {SKC_NEWSKIN, 0}}},
      {"a form of another manager stays",
       [other](WORD code) -> LRESULT {
         return code == SKC_GETSKINMANAGER ? reinterpret_cast<LRESULT>(other) : 0;
       },
       200,
       {{SKC_NEWSKIN, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    M->SetScaleMode(smVCL);
    auto* form = new test::TCommandForm(&App.App);
    form->SetClientSize(200, 100);
    form->HandleNeeded();
    std::vector<TCommand> heard;
    Answer(*form, heard, c.FormAnswers);
    M->SetScaleMode(sm150);
    EXPECT_EQ(form->ClientWidth(), c.ClientWidth);
    EXPECT_EQ(heard, c.Heard);
    TComponent::Free(form);
  }
}

TEST_F(ScaleModeTest, TheDefaultManagerPublishesItsModeForAuxiliaryWindows) {
  ASSERT_EQ(TsSkinManager::DefaultManager(), M);
  TsSkinManager second(nullptr);
  const struct {
    const char* What;
    std::function<void()> Change;
    TacScaleMode Published;
  } cases[] = {
      {"the default's new mode", [&] { M->SetScaleMode(sm125); }, sm125},
      {"another manager's mode is not published", [&] { second.SetScaleMode(sm200); }, sm125},
      {"switched off: the framework's", [&] { M->SetActive(false); }, smVCL},
      {"switched on again", [&] { M->SetActive(true); }, sm125},
      {"the default gone",
       [&] {
         delete M;
         M = nullptr;
       },
       smVCL},
  };
  for (const auto& c : cases) {
    c.Change();
    EXPECT_EQ(TsSkinManager::AuxWindowsScaleMode(), c.Published) << c.What;
  }
}

TEST_F(ScaleModeTest, ARefusedChangeKeepsEverything) {
  int changed = 0;
  M->OnScaleChanged = [&](TComponent*) { ++changed; };
  M->OnScaleModeChange = [](TComponent*, TacScaleModeChange& q) { q.Allow = false; };
  M->SetScaleMode(sm200);
  EXPECT_EQ(M->Options.ScaleMode, smVCL);
  EXPECT_EQ(Form->ClientWidth(), 200);
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(M->Core.SkinDataArray[0]->PPI, 96);
}

TEST_F(ScaleModeTest, TheCustomResolutionScalesOnlyUnderTheCustomMode) {
  M->SetPixelsPerInch(192);  // stored: the mode is not the custom one
  EXPECT_EQ(M->Options.PixelsPerInch, 192);
  EXPECT_EQ(Form->ClientWidth(), 200);

  M->SetScaleMode(smCustomPPI);
  EXPECT_EQ(Form->ClientWidth(), 400);
  EXPECT_EQ(M->Core.SkinDataArray[0]->PPI, 192);

  std::vector<TacScaleModeChange> asked;
  M->OnScaleModeChange = [&](TComponent*, TacScaleModeChange& q) { asked.push_back(q); };
  M->SetPixelsPerInch(120);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].OldPPI, 192);
  EXPECT_EQ(asked[0].NewPPI, 120);
  EXPECT_EQ(asked[0].NewPercent, 125);
  EXPECT_EQ(Form->ClientWidth(), 250);
  EXPECT_EQ(Form->ClientHeight(), 125);
  EXPECT_EQ(M->Core.SkinDataArray[0]->PPI, 120);
}

}  // namespace
}  // namespace ac
