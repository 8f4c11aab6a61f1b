// Skin changes at run time: the veto, the error report that keeps the old
// skin, announcements, suspended updates, live colour offsets, the activation
// hook's installer and the editor preview channel (in this process and from
// the skinsend helper in another one).

#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/application_test_support.h"
#include "framework/form.h"
#include "manager/helper_process_test_support.h"
#include "manager/ts_skin_manager.h"
#include "skin/archive_writer.h"
#include "skin/skin_data_lookup.h"
#include "win32/handle_counts.h"

#ifndef AC_SKINSEND
#error "AC_SKINSEND must name the skinsend helper relative to this test's folder"
#endif

namespace ac {
namespace {

class TChangeForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TChangeForm"; }
};

// Options of a skin whose section "A" has the colour Color.
std::string OptionsWithColor(int color) {
  return "[GLOBALINFO]\r\nVERSION=15.00\r\n[A]\r\nCOLOR=" + std::to_string(color) +
         "\r\n[B]\r\nCOLOR=1\r\n";
}

std::vector<uint8_t> ArchiveOf(const std::string& options) {
  return WriteSkinArchive({{"OPTIONS.DAT", {options.begin(), options.end()}}});
}

// Neither grey nor saturated: every colour offset changes it.
constexpr TColor kLight = 0x406080;

// A 64-bit colour that is no number: loading throws.
const std::string kMalformedOptions =
    "[GLOBALINFO]\r\nVERSION=15.00\r\nBTNCOLOR1ACTIVE=green\r\n[A]\r\n";

using TGot = std::vector<std::pair<WORD, WORD>>;  // code, parameter

class SkinChangeTest : public ::testing::Test {
 protected:
  test::TTestApplication App;
  TRecordingSink Messages;
  TChangeForm* Form = new TChangeForm(&App.App);
  TsSkinManager* M = nullptr;
  TGot Got;

  void SetUp() override {
    TWndMethod previous = Form->WindowProc;
    Form->WindowProc = [this, previous](TMessage& m) {
      if (m.Msg == WM_SKINCMD)
        Got.emplace_back(SkinCommandCode(m.WParam), SkinCommandParam(m.WParam));
      previous(m);
    };
    M = new TsSkinManager(Form);
    M->Messages = &Messages;
    for (auto [name, data] : {std::pair{"Light", ArchiveOf(OptionsWithColor(kLight))},
                              std::pair{"Dark", ArchiveOf(OptionsWithColor(0x202020))},
                              std::pair{"Broken", ArchiveOf(kMalformedOptions)}}) {
      TsStoredSkin& s = M->InternalSkins.Add();
      s.Name = name;
      s.SetData(std::move(data));
    }
    M->SetSkinName("Light");
    Got.clear();
  }
  void TearDown() override { SetActivationHookInstaller(nullptr); }

  TColor ColorOfA() {
    TacSkinData& sd = M->Core.CommonSkinData(96);
    const int i = GetSkinIndex(sd, "A");
    return i < 0 ? -1 : sd.gd[static_cast<std::size_t>(i)].Props[0].Color;
  }
  static inline const TGot kAnnounced{{SKC_NEWSKIN, 0}, {SKC_STOPANIMATIONS, 0}, {SKC_REFRESH, 0}};
};

TEST_F(SkinChangeTest, AChangeIsAnnouncedAndRepaintsEveryForm) {
  int after = 0;
  M->OnAfterChange = [&](TComponent*) { ++after; };
  M->SetSkinName("Dark");
  EXPECT_EQ(Got, kAnnounced);
  EXPECT_EQ(ColorOfA(), 0x202020);
  EXPECT_EQ(after, 1);
}

// OnActivate says that skinning began: a change from one skin to another,
// or the same skin announced again, is no such news.
TEST_F(SkinChangeTest, OnActivateFiresOnlyWhenTheManagerBecomesActive) {
  int activated = 0;
  M->OnActivate = [&](TComponent* sender) {
    EXPECT_EQ(sender, M);
    ++activated;
  };
  M->SetSkinName("Dark");
  M->UpdateSkin(true);
  M->SetBrightness(20);
  EXPECT_EQ(activated, 0);
  M->SetActive(false);
  EXPECT_EQ(activated, 0);
  M->SetActive(true);
  EXPECT_EQ(activated, 1);
  M->SetSkinName("Light");
  EXPECT_EQ(activated, 1);
}

TEST_F(SkinChangeTest, ARefusedChangeKeepsTheNameAndTheLoadedSkin) {
  std::string asked;
  M->OnSkinChanging = [&](TComponent* sender, const std::string& name, bool& allow) {
    EXPECT_EQ(sender, M);
    asked = name;
    allow = false;
  };
  M->SetSkinName("Dark");
  EXPECT_EQ(asked, "Dark");
  EXPECT_EQ(M->SkinName(), "Light");
  EXPECT_EQ(ColorOfA(), kLight);
  EXPECT_TRUE(M->IsActive());
  EXPECT_TRUE(Got.empty());
  EXPECT_FALSE(M->Core.HasState(msSkinChanging));
}

TEST_F(SkinChangeTest, ALoadErrorIsReportedAndThePreviousSkinStaysInUse) {
  M->SetSkinName("Broken");
  ASSERT_EQ(Messages.Entries.size(), 1u);
  EXPECT_EQ(Messages.Entries[0].Icon, TMessageIcon::Error);
  EXPECT_NE(Messages.Entries[0].Text.find("green"), std::string::npos) << Messages.Entries[0].Text;
  EXPECT_EQ(M->SkinName(), "Light");
  EXPECT_TRUE(M->IsActive());
  EXPECT_EQ(ColorOfA(), kLight);
  // The program goes on: the next change works.
  M->SetSkinName("Dark");
  EXPECT_EQ(ColorOfA(), 0x202020);
}

TEST_F(SkinChangeTest, SuspendedUpdatesAnnounceOnceAtTheEnd) {
  int after = 0;
  M->OnAfterChange = [&](TComponent*) { ++after; };
  M->BeginUpdate();
  M->SetSkinName("Dark");
  M->SetSkinName("Light");
  EXPECT_TRUE(Got.empty());
  EXPECT_EQ(after, 0);
  M->EndUpdate(true, false);
  EXPECT_EQ(Got, kAnnounced);
  EXPECT_EQ(after, 1);
  EXPECT_TRUE(M->AnimEffects.SkinChanging.Active) << "the fade is off for one announcement only";
}

TEST_F(SkinChangeTest, ColourOffsetsReloadTheSkinLive) {
  // Each offset on its own changes the loaded colour; setting the same value
  // again does nothing.
  struct TCase {
    const char* Name;
    void (TsSkinManager::*Set)(int);
  };
  for (const TCase& c : {TCase{"hue", &TsSkinManager::SetHueOffset},
                         TCase{"saturation", &TsSkinManager::SetSaturation},
                         TCase{"brightness", &TsSkinManager::SetBrightness}}) {
    SCOPED_TRACE(c.Name);
    Got.clear();
    (M->*c.Set)(40);
    EXPECT_NE(ColorOfA(), kLight);
    EXPECT_EQ(Got, kAnnounced);
    Got.clear();
    (M->*c.Set)(40);
    EXPECT_TRUE(Got.empty());
    (M->*c.Set)(0);
    EXPECT_EQ(ColorOfA(), kLight);
  }
}

TEST_F(SkinChangeTest, OffsetsSetWhileInactiveWaitForTheNextSkin) {
  M->SetActive(false);
  Got.clear();
  M->SetBrightness(50);
  EXPECT_TRUE(Got.empty());
  M->SetActive(true);
  EXPECT_NE(ColorOfA(), kLight);
}

TEST_F(SkinChangeTest, TheActivationHookIsInstalledOnceAndRemovedWithTheSkin) {
  std::vector<bool> calls;
  SetActivationHookInstaller([&](TsSkinManager& m, bool install) {
    EXPECT_EQ(&m, M);
    calls.push_back(install);
  });
  M->SetSkinName("Dark");
  M->UpdateSkin(false);
  EXPECT_EQ(calls, (std::vector<bool>{true}));
  M->SetActive(false);
  EXPECT_EQ(calls, (std::vector<bool>{true, false}));
}

TEST_F(SkinChangeTest, ASectionUpdateNamesTheSectionInCapitals) {
  std::string named;
  TWndMethod previous = Form->WindowProc;
  Form->WindowProc = [&](TMessage& m) {
    if (IsSkinCommand(m, SKC_SECTIONUPDATED)) named = reinterpret_cast<const char*>(m.LParam);
    previous(m);
  };
  M->UpdateSkinSection("Panel");
  EXPECT_EQ(named, "PANEL");
}

TEST_F(SkinChangeTest, SettingsThatReachTheFormsAtOnce) {
  const TGot repaint{{SKC_STOPANIMATIONS, 0}, {SKC_REFRESH, 0}};
  struct TCase {
    const char* Name;
    std::function<void()> Change, Again;
    TGot Expected;
  };
  LPARAM frameSkin = -1;
  TWndMethod previous = Form->WindowProc;
  Form->WindowProc = [&](TMessage& m) {
    if (IsSkinCommand(m, SKC_SETFRAMESKIN)) frameSkin = m.LParam;
    previous(m);
  };
  const std::vector<TCase> cases = {
      {"frame",
       [&] { M->SetDrawNonClientArea(false); },
       [&] { M->SetDrawNonClientArea(false); },
       {{SKC_SETFRAMESKIN, 0}}},
      {"group boxes", [&] { M->SetGroupBoxStyle(TacGroupBoxStyle::gsCard); },
       [&] { M->SetGroupBoxStyle(TacGroupBoxStyle::gsCard); }, repaint},
      {"glyph mode", [&] { M->SetOldGlyphsMode(true); }, [&] { M->SetOldGlyphsMode(true); },
       repaint},
      {"scroll size",
       [&] { M->SetScrollSize(20); },
       [&] { M->SetScrollSize(20); },
       {{SKC_SCROLLSCHANGED, 0}}},
      {"scroll buttons", [&] { M->SetScrollButtonsSize(15); }, [&] { M->SetScrollButtonsSize(15); },
       repaint},
      {"extended borders", [&] { M->SetExtendedBorders(true); },
       [&] { M->SetExtendedBorders(true); }, kAnnounced},
      {"border mode", [&] { M->SetExtBordersMode(ebmShadow); },
       [&] { M->SetExtBordersMode(ebmShadow); }, kAnnounced},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Got.clear();
    c.Change();
    EXPECT_EQ(Got, c.Expected);
    Got.clear();
    c.Again();
    EXPECT_TRUE(Got.empty()) << "the same value again tells nobody";
  }
  EXPECT_EQ(frameSkin, 0);
  EXPECT_FALSE(M->Options.DrawNonClientArea);
  EXPECT_EQ(M->Core.ExtBordersMode, ebmShadow) << "the reload used the new mode";
}

TEST_F(SkinChangeTest, TheApplicationFontFollowsTheFontMode) {
  std::vector<std::pair<std::string, std::string>> changes;
  M->OnFontChanged = [&](TComponent*, const std::string& from, const std::string& to) {
    changes.emplace_back(from, to);
  };
  M->Fonts.MainMode = TacFontMode::fmCustom;
  M->Fonts.MainFont = "Arial";
  M->UpdateSkin(false);
  EXPECT_EQ(Got, (TGot{{SKC_NEWSKIN, 0}, {SKC_FONTCHANGED, 0}}));
  // The same font again changes nothing.
  Got.clear();
  M->ChangeAppFont("Arial");
  EXPECT_TRUE(Got.empty());
  // A skin without a font of its own brings the stored default back, and so
  // does removing the skin that set it.
  M->Fonts.MainMode = TacFontMode::fmFromSkin;
  M->UpdateSkin(false);
  M->ChangeAppFont("Verdana");
  M->SetActive(false);
  const std::string def = M->DefaultFontName();
  using TChanges = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(changes,
            (TChanges{{def, "Arial"}, {"Arial", def}, {def, "Verdana"}, {"Verdana", def}}));
  EXPECT_EQ(M->AppFontName(), def);
  EXPECT_FALSE(M->Core.HasState(msFontChanging));
}

TEST_F(SkinChangeTest, TheHotStateMovesBetweenWindows) {
  Form->HandleNeeded();
  std::vector<std::pair<HWND, WORD>> got;
  auto record = [&](HWND w) {
    return [&, w](TMessage& m) {
      if (m.Msg == WM_SKINCMD && m.LParam == reinterpret_cast<LPARAM>(M))
        got.emplace_back(w, SkinCommandCode(m.WParam));
    };
  };
  TWndMethod previous = Form->WindowProc;
  const HWND form = Form->Handle();
  Form->WindowProc = [&, previous](TMessage& m) {
    record(form)(m);
    previous(m);
  };
  M->SetActiveControl(form);
  M->SetActiveControl(form);
  M->SetActiveControl(nullptr);
  using TGotHot = std::vector<std::pair<HWND, WORD>>;
  EXPECT_EQ(got, (TGotHot{{form, SKC_HOTENTER}, {form, SKC_HOTLEAVE}}));
  EXPECT_EQ(M->ActiveControl(), nullptr);
}

TEST_F(SkinChangeTest, HundredSwitchesHoldNoMoreHandlesThanOne) {
  M->SetSkinName("Dark");
  const platform::THandleCounts first = platform::LiveHandleCounts();
  for (int i = 0; i < 100; ++i) M->SetSkinName(i % 2 ? "Dark" : "Light");
  EXPECT_EQ(platform::LiveHandleCounts(), first);
}

TEST(SkinEditorData, FieldsAreFilledWholeOrNotAtAll) {
  auto data = std::make_unique<TacSkinEditorData>();
  data->Magic = 0;
  EXPECT_EQ(FillSkinEditorData(*data, "Skin", "", "c:\\Skins\\", "[A]"), "");
  EXPECT_EQ(data->Magic, kSkinEditorMagic);
  EXPECT_EQ(FieldText(data->Name1), "Skin");
  EXPECT_EQ(FieldText(data->Data2), "[A]");
  // A field one byte too long (no room for its zero), and an embedded zero.
  EXPECT_EQ(FillSkinEditorData(*data, std::string(128, 'n'), "", "", ""), "skin name");
  EXPECT_EQ(FillSkinEditorData(*data, "S", "", std::string(512, 'd'), ""), "skin directory");
  EXPECT_EQ(FillSkinEditorData(*data, "S", std::string("A\0B", 3), "", ""), "section name");
  EXPECT_EQ(FillSkinEditorData(*data, "S", "", "", std::string(40001, 'o')), "options text");
  EXPECT_EQ(FieldText(data->Name1), "Skin") << "a refused fill changes nothing";
  EXPECT_EQ(FillSkinEditorData(*data, "S", "", "", std::string(40000, 'o')), "");
}

class EditorPreviewTest : public SkinChangeTest {
 protected:
  std::unique_ptr<TacSkinEditorData> Data = std::make_unique<TacSkinEditorData>();
};

TEST_F(EditorPreviewTest, TheBufferLoadsItsOptionsTextUnderItsName) {
  ASSERT_EQ(FillSkinEditorData(*Data, "Edited", "", "c:\\Nowhere\\", OptionsWithColor(0x00FF00)),
            "");
  EXPECT_EQ(M->ApplyEditorPreview(*Data), eprApplied);
  EXPECT_EQ(M->SkinName(), "Edited");
  EXPECT_EQ(M->SkinDirectory, "c:\\Nowhere\\");
  EXPECT_EQ(ColorOfA(), 0x00FF00);
  EXPECT_EQ(Got, kAnnounced);
  EXPECT_FALSE(M->Core.PreviewOptions.has_value()) << "the pending text is dropped";
  EXPECT_FALSE(M->Updating());
}

TEST_F(EditorPreviewTest, ANamedSectionRefreshesOnlyThatSection) {
  ASSERT_EQ(FillSkinEditorData(*Data, "Light", "B", "c:\\Nowhere\\", OptionsWithColor(7)), "");
  EXPECT_EQ(M->ApplyEditorPreview(*Data), eprApplied);
  const WORD b = static_cast<WORD>(GetSkinIndex(M->Core.CommonSkinData(96), "B"));
  ASSERT_GT(b, 0);
  EXPECT_EQ(Got, (TGot{{SKC_STOPANIMATIONS, 0}, {SKC_REFRESH, b}}));
  EXPECT_EQ(ColorOfA(), 7);
}

TEST_F(EditorPreviewTest, WithoutTheMagicNothingHappens) {
  ASSERT_EQ(FillSkinEditorData(*Data, "Edited", "", "", OptionsWithColor(1)), "");
  Data->Magic = 0xA401;
  EXPECT_EQ(M->ApplyEditorPreview(*Data), eprNoData);
  EXPECT_EQ(M->SkinName(), "Light");
  EXPECT_TRUE(Got.empty());
}

TEST_F(EditorPreviewTest, AMalformedSkinIsReportedAndTheOldOneStays) {
  ASSERT_EQ(FillSkinEditorData(*Data, "Edited", "", "c:\\Nowhere\\", kMalformedOptions), "");
  EXPECT_EQ(M->ApplyEditorPreview(*Data), eprLoadFailed);
  ASSERT_EQ(Messages.Entries.size(), 1u);
  EXPECT_EQ(Messages.Entries[0].Icon, TMessageIcon::Error);
  EXPECT_EQ(M->SkinName(), "Light");
  EXPECT_EQ(M->SkinDirectory, "c:\\Skins");
  EXPECT_EQ(ColorOfA(), kLight);
}

TEST_F(EditorPreviewTest, APreviewWithoutANameSwitchesTheSkinOffAndTheNextOneOn) {
  ASSERT_EQ(FillSkinEditorData(*Data, "", "", "", ""), "");
  EXPECT_EQ(M->ApplyEditorPreview(*Data), eprApplied);
  EXPECT_FALSE(M->IsActive());
  EXPECT_EQ(Got, (TGot{{SKC_REMOVESKIN, 0}}));
  Got.clear();
  ASSERT_EQ(FillSkinEditorData(*Data, "Edited", "", "c:\\Nowhere\\", OptionsWithColor(9)), "");
  EXPECT_EQ(M->ApplyEditorPreview(*Data), eprApplied);
  EXPECT_TRUE(M->IsActive());
  EXPECT_EQ(ColorOfA(), 9);
  EXPECT_EQ(Got, kAnnounced);
}

// The whole road: a skin folder on disk, the skinsend helper in another
// process, the named buffer, the command to the application window.
TEST_F(EditorPreviewTest, SkinsendFromAnotherProcessSwitchesTheSkin) {
  ASSERT_NE(M->EditorBuffer(), nullptr);
  namespace fs = std::filesystem;
  const fs::path root =
      fs::temp_directory_path() / ("velmora_skinsend_" + std::to_string(GetCurrentProcessId()));
  wchar_t window[32];
  std::swprintf(window, 32, L"%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(App.App.Handle())));
  // Writes a skin folder and answers skinsend's arguments for it.
  auto sendArgs = [&](const char* name, const std::string& options) {
    fs::create_directories(root / name);
    std::ofstream(root / name / "Options.dat", std::ios::binary) << options;
    return L"\"" + (root / name).wstring() + L"\" --window " + window;
  };

  test::THelperRun run =
      test::RunHelperProgram(AC_SKINSEND, sendArgs("Green", OptionsWithColor(0xFF00)));
  ASSERT_TRUE(run.Finished);
  EXPECT_EQ(run.ExitCode, 0u) << run.Output;
  EXPECT_EQ(M->SkinName(), "Green");
  EXPECT_EQ(ColorOfA(), 0xFF00);

  run = test::RunHelperProgram(AC_SKINSEND, sendArgs("Bad", kMalformedOptions));
  ASSERT_TRUE(run.Finished);
  EXPECT_EQ(run.ExitCode, 3u) << run.Output;
  EXPECT_EQ(Messages.Entries.size(), 1u);
  EXPECT_EQ(M->SkinName(), "Green");
  EXPECT_EQ(ColorOfA(), 0xFF00);

  // A folder without options is refused before anything is sent.
  fs::create_directories(root / "Empty");
  run = test::RunHelperProgram(AC_SKINSEND, L"\"" + (root / "Empty").wstring() + L"\"");
  EXPECT_EQ(run.ExitCode, 1u) << run.Output;
  fs::remove_all(root);
}

}  // namespace
}  // namespace ac
