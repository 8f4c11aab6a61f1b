#include "manager/skin_list_controller.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "framework/application_test_support.h"
#include "framework/panel.h"
#include "manager/skin_command_test_support.h"
#include "manager/ts_skin_manager.h"
#include "pixels/image_codec.h"
#include "skin/archive_file.h"
#include "skin/archive_writer.h"
#include "skin/skin_list_test_support.h"
#include "win32/handle_counts.h"
#include "win32/scoped_kernel_handle.h"

namespace ac {
namespace {

using test::FlatPng;
using test::PreviewedSkinArchive;

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

void AddInternalSkin(TsSkinManager& m, std::string name, Bytes data) {
  TsStoredSkin& s = m.InternalSkins.Add();
  s.Name = std::move(name);
  s.SetData(std::move(data));
}

// A skin directory of its own for each test, removed with it.
class TSkinFolder {
 public:
  TSkinFolder() {
    std::random_device seed;
    FPath = fs::temp_directory_path() / ("ac-skinlist-" + std::to_string(seed()));
    fs::create_directories(FPath);
  }
  ~TSkinFolder() {
    std::error_code ec;
    fs::remove_all(FPath, ec);
  }
  void Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream out(FPath / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  std::string Text() const { return PathToUtf8(FPath); }

 private:
  fs::path FPath;
};

// Which SKC_DELAYEDLOAD and SKC_LISTCHANGED a form and a registered control
// heard, with their LParam, and on which thread.
struct THeard {
  std::vector<LPARAM> DelayedLoad;
  std::vector<LPARAM> ListChanged;
  std::vector<LPARAM> ListSkinChanged;
  std::vector<DWORD> Threads;
};

void Listen(TControl& control, THeard& heard) {
  TWndMethod previous = control.WindowProc;
  control.WindowProc = [previous, &heard](TMessage& m) {
    if (m.Msg == WM_SKINCMD) heard.Threads.push_back(GetCurrentThreadId());
    if (IsSkinCommand(m, SKC_DELAYEDLOAD)) heard.DelayedLoad.push_back(m.LParam);
    if (IsSkinCommand(m, SKC_LISTCHANGED)) heard.ListChanged.push_back(m.LParam);
    if (IsSkinCommand(m, SKC_LISTSKINCHANGED)) heard.ListSkinChanged.push_back(m.LParam);
    previous(m);
  };
}

class SkinListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder.Write("Ember.asz", PreviewedSkinArchive(FlatPng(280, 200, 0xFF2040C0u)));
    Folder.Write("frost.asz", PreviewedSkinArchive(std::nullopt));
    Folder.Write("Loud.ASZ", PreviewedSkinArchive(std::nullopt));
    Form->SetBounds(10, 10, 200, 100);
    Listen(*Form, FormHeard);
    Picker = test::AddControl<TPanel>(Form, Form, 0, 0, 50, 50);
    Picker->HandleNeeded();
    Start = platform::LiveHandleCounts();
    StartKernel = platform::LiveKernelHandles();
    M = new TsSkinManager(Form);
    M->Messages = &Messages;
    AddInternalSkin(*M, "Inside", PreviewedSkinArchive(FlatPng(140, 100, 0xFF00FF00u)));
    AddInternalSkin(*M, "Inside Too", PreviewedSkinArchive(std::nullopt));
    M->SetSkinDirectory(Folder.Text());
  }
  void TearDown() override {
    delete M;
    M = nullptr;
  }

  // Starts the background building and records the list's length after each
  // message the user-interface thread handles, until the list is complete.
  std::vector<std::size_t> BuildInBackground() {
    std::vector<std::size_t> lengths;
    M->SkinListController->UpdateIfNeeded(false);
    EXPECT_NE(M->SkinListController->Thread(), nullptr);
    // The pacing thread yields to the program's own work.
    if (M->SkinListController->Thread()) {
      EXPECT_EQ(M->SkinListController->Thread()->Priority(), THREAD_PRIORITY_BELOW_NORMAL);
    }
    // Nothing is listed before the user-interface thread runs a step.
    EXPECT_TRUE(M->SkinListController->CurrentList().SkinList.empty());
    const bool done = test::PumpUntil(
        [&] {
          const std::size_t n = M->SkinListController->CurrentList().SkinList.size();
          if (lengths.empty() || lengths.back() != n) lengths.push_back(n);
          return !M->SkinListController->UpdateNeeded && !M->SkinListController->Thread();
        },
        10000);
    EXPECT_TRUE(done);
    return lengths;
  }

  static inline const std::vector<TacSkinListData> kComplete = {
      {smInternal, 0, "Inside"},
      {smInternal, -1, "Inside Too"},
      {smExtPacked, 1, "Ember"},
      {smExtPacked, -1, "frost"},
  };

  // The logs outlive the application, whose forms write to them to the end.
  THeard FormHeard;
  THeard PickerHeard;
  test::TTestApplication App;
  TRecordingSink Messages;
  TSkinFolder Folder;
  test::TCommandForm* Form = new test::TCommandForm(&App.App);
  TPanel* Picker = nullptr;
  TsSkinManager* M = nullptr;
  platform::THandleCounts Start;
  long StartKernel = 0;
};

TEST_F(SkinListTest, TheThreadHandsItsStepsToTheUserInterfaceThreadOneAtATime) {
  Listen(*Picker, PickerHeard);
  FormHeard = {};
  // Registering tells the picker at once and starts the building.
  M->SkinListController->AddControl(*Picker);
  EXPECT_EQ(PickerHeard.ListChanged, std::vector<LPARAM>{reinterpret_cast<LPARAM>(M)});
  int changedEvents = 0;
  DWORD eventThread = 0;
  M->OnSkinListChanged = [&](TComponent* sender) {
    EXPECT_EQ(sender, M);
    ++changedEvents;
    eventThread = GetCurrentThreadId();
  };

  // Each step lists one more skin; the list never jumps.
  EXPECT_EQ(BuildInBackground(), (std::vector<std::size_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(M->SkinListController->CurrentList().SkinList, kComplete);
  EXPECT_EQ(FormHeard.DelayedLoad, std::vector<LPARAM>{1});
  EXPECT_EQ(PickerHeard.ListChanged,
            (std::vector<LPARAM>{reinterpret_cast<LPARAM>(M), reinterpret_cast<LPARAM>(M)}));
  for (DWORD thread : PickerHeard.Threads) EXPECT_EQ(thread, GetCurrentThreadId());
  EXPECT_EQ(changedEvents, 1);
  EXPECT_EQ(eventThread, GetCurrentThreadId());
  // Previews are at the preview size, in the order of their skins.
  const TacSkinList& list = M->SkinListController->CurrentList();
  ASSERT_EQ(list.ImgList.size(), 2u);
  EXPECT_EQ(list.ImgList[0].View().At(3, 3), 0xFF00FF00u);
  EXPECT_EQ(list.ImgList[1].View().At(139, 99), 0xFF2040C0u);
  for (const auto& image : list.ImgList) {
    EXPECT_EQ(image.View().Width, kSkinPreviewWidth);
    EXPECT_EQ(image.View().Height, kSkinPreviewHeight);
  }

  // A control that left hears nothing of the next building.
  M->SkinListController->DelControl(*Picker);
  M->SetSkinDirectory(Folder.Text() + "-elsewhere");
  M->SkinListController->UpdateIfNeeded(true);
  EXPECT_EQ(PickerHeard.ListChanged.size(), 2u);
  EXPECT_EQ(changedEvents, 2);
}

TEST_F(SkinListTest, StoppingAHalfBuiltListLeavesNothingBehind) {
  const struct {
    const char* What;
    void (*Stop)(TsSkinManager*& m);
    // What the list holds afterwards: empty, or complete.
    bool Complete;
  } cases[] = {
      {"reset", [](TsSkinManager*& m) { m->SkinListController->Reset(); }, false},
      {"internal skin created", [](TsSkinManager*& m) { AddInternalSkin(*m, "Late", {}); }, false},
      {"filter changed", [](TsSkinManager*& m) { m->SetSkinsFilter(kFilterInternal); }, false},
      {"direct read", [](TsSkinManager*& m) { m->SkinListController->List(); }, true},
      {"manager destroyed",
       [](TsSkinManager*& m) {
         delete m;
         m = nullptr;
       },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    // Each case starts from a manager of its own.
    delete M;
    M = new TsSkinManager(Form);
    M->Messages = &Messages;
    AddInternalSkin(*M, "Inside", PreviewedSkinArchive(std::nullopt));
    AddInternalSkin(*M, "Inside Too", PreviewedSkinArchive(std::nullopt));
    M->SetSkinDirectory(Folder.Text());
    FormHeard = {};
    M->SkinListController->UpdateIfNeeded(false);
    ASSERT_TRUE(test::PumpUntil(
        [&] { return M->SkinListController->CurrentList().SkinList.size() == 1; }, 10000));
    c.Stop(M);
    if (!M) {
      // Every window and handle of the list and its thread is gone.
      test::PumpUntil([] { return false; }, 50);
      EXPECT_EQ(platform::LiveHandleCounts(), Start);
      EXPECT_EQ(platform::LiveKernelHandles(), StartKernel);
      continue;
    }
    EXPECT_EQ(M->SkinListController->Thread(), nullptr);
    // No step runs after the thread was stopped.
    const std::size_t length = M->SkinListController->CurrentList().SkinList.size();
    test::PumpUntil([] { return false; }, 100);
    EXPECT_EQ(M->SkinListController->CurrentList().SkinList.size(), length);
    EXPECT_EQ(length, c.Complete ? 4u : 0u);
    EXPECT_EQ(M->SkinListController->UpdateNeeded, !c.Complete);
    // A reader that waited for the thread tells the forms it finished.
    EXPECT_EQ(FormHeard.DelayedLoad,
              c.Complete ? (std::vector<LPARAM>{1, 0}) : std::vector<LPARAM>{1});
  }
}

TEST_F(SkinListTest, BuildingAndFreeingTheListHoldsNoHandles) {
  for (int round = 0; round < 3; ++round) {
    BuildInBackground();
    M->SkinListController->Reset();
    // Stopped before its first step.
    M->SkinListController->UpdateIfNeeded(false);
    M->SkinListController->Reset();
  }
  delete M;
  M = nullptr;
  test::PumpUntil([] { return false; }, 50);
  EXPECT_EQ(platform::LiveHandleCounts(), Start);
  // The thread's own kernel objects (thread, event) are closed too.
  EXPECT_EQ(platform::LiveKernelHandles(), StartKernel);
}

TEST_F(SkinListTest, WhatResetsTheList) {
  M->SkinListController->List();
  const struct {
    const char* What;
    void (*Change)(TsSkinManager& m, const std::string& folder);
    bool Resets;
  } cases[] = {
      {"the same directory in other letter case",
       [](TsSkinManager& m, const std::string& folder) {
         std::string upper = folder;
         for (char& ch : upper)
           ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
         m.SetSkinDirectory(upper);
       },
       false},
      {"the same filter", [](TsSkinManager& m, const std::string&) { m.SetSkinsFilter(3); }, false},
      {"another directory",
       [](TsSkinManager& m, const std::string& folder) { m.SetSkinDirectory(folder + "x"); }, true},
      {"another filter", [](TsSkinManager& m, const std::string&) { m.SetSkinsFilter(1); }, true},
      {"an internal skin item created",
       [](TsSkinManager& m, const std::string&) { m.InternalSkins.Add(); }, true},
      {"a directory assigned directly",
       [](TsSkinManager& m, const std::string& folder) { m.SkinDirectory = folder + "y"; }, true},
  };
  // A reset shows as a new list announced to the registered picker (the
  // collection of internal skins also calls OnSkinListChanged by itself).
  Listen(*Picker, PickerHeard);
  M->SkinListController->AddControl(*Picker);
  for (const auto& c : cases) {
    M->SetSkinDirectory(Folder.Text());
    M->SetSkinsFilter(3);
    M->SkinListController->List();
    ASSERT_FALSE(M->SkinListController->UpdateNeeded) << c.What;
    PickerHeard = {};
    c.Change(*M, Folder.Text());
    M->SkinListController->UpdateIfNeeded(true);
    EXPECT_EQ(PickerHeard.ListChanged.size(), c.Resets ? 1u : 0u) << c.What;
  }
}

TEST_F(SkinListTest, NamesBySkinTypeAndAtRandom) {
  std::vector<TacSkinName> names;
  EXPECT_EQ(M->GetSkinNames(names, true), "Inside");
  EXPECT_EQ(names, (std::vector<TacSkinName>{
                       {"Inside", 0}, {"Inside Too", -1}, {"Ember", 1}, {"frost", -1}}));
  EXPECT_EQ(M->GetSkinNames(names, false, stPacked), "Inside");
  EXPECT_EQ(names, (std::vector<TacSkinName>{{"Inside", -1}, {"Inside Too", -1}}));
  EXPECT_EQ(M->GetExternalSkinNames(names, true), "Ember");
  EXPECT_EQ(names, (std::vector<TacSkinName>{{"Ember", 1}, {"frost", -1}}));
  for (int i = 0; i < 20; ++i) {
    const std::string name = M->GetRandomSkin();
    EXPECT_TRUE(name == "Inside" || name == "Inside Too" || name == "Ember" || name == "frost")
        << name;
  }
  M->SetSkinsFilter(kFilterExternal);
  M->SetSkinDirectory(Folder.Text() + "-none");
  EXPECT_EQ(M->GetSkinNames(names), "");
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(M->GetRandomSkin(), "");
}

TEST_F(SkinListTest, ASecondManagerOfTheSameDirectoryCopiesTheDefaultList) {
  ASSERT_EQ(TsSkinManager::DefaultManager(), M);
  M->SkinListController->List();
  TsSkinManager second(Form);
  ASSERT_FALSE(second.IsDefault);
  // Skins of its own would show if it built its list itself.
  AddInternalSkin(second, "Only Mine", {});
  std::string folder = Folder.Text();
  for (char& ch : folder) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  second.SetSkinDirectory(folder);
  EXPECT_EQ(second.SkinListController->List().SkinList, kComplete);
  EXPECT_EQ(second.SkinListController->List().ImgList.size(), 2u);

  second.SetSkinDirectory(Folder.Text() + "-other");
  const auto& own = second.SkinListController->List().SkinList;
  ASSERT_EQ(own.size(), 1u);
  EXPECT_EQ(own[0].skName, "Only Mine");
}

TEST_F(SkinListTest, PickersHearOfAnotherSkinNameOnly) {
  Listen(*Picker, PickerHeard);
  M->SkinListController->AddControl(*Picker);
  M->SetSkinName("Inside");
  M->SetSkinName("Inside");
  M->SetSkinName("Inside Too");
  test::PumpUntil([] { return false; }, 50);
  EXPECT_EQ(PickerHeard.ListSkinChanged,
            (std::vector<LPARAM>{reinterpret_cast<LPARAM>(M), reinterpret_cast<LPARAM>(M)}));
  M->SetActive(false);
  test::PumpUntil([] { return false; }, 50);
  EXPECT_EQ(PickerHeard.ListSkinChanged.size(), 3u);
}

}  // namespace
}  // namespace ac
