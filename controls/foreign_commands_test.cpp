// Skin commands that other threads and processes send to the skinned
// controls: WM_SKINCMD is a fixed number anyone on the desktop can send, and
// the system hands LParam over as it is. Only plain queries are answered
// for them; records, managers, update counts and resolutions are the
// controls' own thread's business.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>

#include "controls/skinned_form_test_support.h"
#include "framework/other_thread_test_support.h"

namespace ac {
namespace {

std::string SkinFolder() {
  return test::WindowsPath(AC_SOURCE_DIR "/skins");
}

LRESULT FromElsewhere(HWND window, TacSkinCommand code, LPARAM lparam, WORD param = 0) {
  return test::SendFromAnotherThread(window, WM_SKINCMD, SkinCommandWParam(code, param), lparam);
}

LRESULT FromHere(HWND window, TacSkinCommand code, LPARAM lparam, WORD param = 0) {
  return SendMessageW(window, WM_SKINCMD, SkinCommandWParam(code, param), lparam);
}

class CommandsFromElsewhere : public ::testing::Test {
 protected:
  test::TSkinnedControls C{SkinFolder(), "VelmoraLight"};
  const std::array<TWinControl*, 3> Controls{C.Panel, C.Edit, C.Button};
};

TEST_F(CommandsFromElsewhere, PlainQueriesAreAnswered) {
  for (TWinControl* control : Controls) {
    SCOPED_TRACE(std::string(control->ClassName()));
    EXPECT_EQ(FromElsewhere(control->Handle(), SKC_ISSKINNED, 0), 1);
    EXPECT_EQ(FromElsewhere(control->Handle(), SKC_GETKIND, 0),
              FromHere(control->Handle(), SKC_GETKIND, 0));
  }
  EXPECT_EQ(FromElsewhere(C.Panel->Handle(), SKC_GETBGCOLOR, 0),
            FromHere(C.Panel->Handle(), SKC_GETBGCOLOR, 0));
}

// The records stand for an address the sender made up: here it is a valid
// one, so that what the receiver would have written shows.
TEST_F(CommandsFromElsewhere, RecordsInLParamAreNotTouched) {
  HWND panel = C.Panel->Handle();
  TacBgQuery background;
  EXPECT_EQ(FromElsewhere(panel, SKC_GETBACKGROUND, reinterpret_cast<LPARAM>(&background)), 0);
  EXPECT_EQ(background.Kind, bqNone);
  EXPECT_EQ(background.Image, nullptr);
  TacSectionAtQuery sectionAt;
  sectionAt.Bounds = TRect::XYWH(4, 4, 10, 10);
  EXPECT_EQ(FromElsewhere(panel, SKC_SECTIONAT, reinterpret_cast<LPARAM>(&sectionAt)), 0);
  EXPECT_EQ(sectionAt.SkinIndex, -1);
  // This thread's own questions are still answered.
  FromHere(panel, SKC_GETBACKGROUND, reinterpret_cast<LPARAM>(&background));
  EXPECT_NE(background.Kind, bqNone);
  EXPECT_EQ(FromHere(panel, SKC_SECTIONAT, reinterpret_cast<LPARAM>(&sectionAt)), 1);
  EXPECT_EQ(sectionAt.SkinIndex, C.Panel->SkinData().SkinIndex);
}

// A posted command names no sender: it is emptied before anyone reads it,
// whoever posted it.
TEST_F(CommandsFromElsewhere, PostedCommandsAreNotHandled) {
  HWND panel = C.Panel->Handle();
  TacBgQuery background;
  PostMessageW(panel, WM_SKINCMD, SkinCommandWParam(SKC_GETBACKGROUND),
               reinterpret_cast<LPARAM>(&background));
  std::thread([panel] {
    PostMessageW(panel, WM_SKINCMD, SkinCommandWParam(SKC_REMOVESKIN), 0);
  }).join();
  test::PumpUntil([] { return false; }, 100);
  EXPECT_EQ(background.Kind, bqNone);
  EXPECT_TRUE(C.Panel->SkinData().Skinned());
}

// LParam 0 names no manager, which receivers take as "every manager".
TEST_F(CommandsFromElsewhere, NoOneElseRemovesOrReloadsTheSkin) {
  for (TWinControl* control : Controls) {
    SCOPED_TRACE(std::string(control->ClassName()));
    const TsCommonData& data =
        *reinterpret_cast<TsCommonData*>(FromHere(control->Handle(), SKC_GETSKINDATA, 0));
    const int section = data.SkinIndex;
    ASSERT_GE(section, 0);
    FromElsewhere(control->Handle(), SKC_REMOVESKIN, 0);
    EXPECT_EQ(data.SkinIndex, section);
    EXPECT_TRUE(data.Skinned());
  }
  // Nor is the panel's face rebuilt for anyone else.
  C.PaintNow();
  const uint32_t rebuilt = C.Panel->SkinData().RebuildCount;
  FromElsewhere(C.Panel->Handle(), SKC_REFRESH, 0);
  C.PaintNow();
  EXPECT_EQ(C.Panel->SkinData().RebuildCount, rebuilt);
}

// One stray SKC_BEGINUPDATE used to leave a control that never repainted.
TEST_F(CommandsFromElsewhere, UpdateNotificationsLeaveTheUpdateCountAlone) {
  for (TWinControl* control : Controls) {
    SCOPED_TRACE(std::string(control->ClassName()));
    const TsCommonData& data =
        *reinterpret_cast<TsCommonData*>(FromHere(control->Handle(), SKC_GETSKINDATA, 0));
    FromElsewhere(control->Handle(), SKC_BEGINUPDATE, 0);
    FromHere(control->Handle(), SKC_BEGINUPDATE, 0);
    FromHere(control->Handle(), SKC_BEGINUPDATE, 0);
    EXPECT_FALSE(data.Updating());
    FromHere(control->Handle(), SKC_ENDUPDATE, 0);
    EXPECT_FALSE(data.Updating());
  }
}

// 65536 and 2^31 - 1 used to start a skin load at that resolution, which
// failed with a message box and left an empty skin in a resolution slot.
TEST_F(CommandsFromElsewhere, ResolutionsOutsideTheStepsAreIgnored) {
  const size_t slots = C.Manager->Core.SkinDataArray.size();
  for (const LPARAM ppi : {LPARAM{65536}, LPARAM{0x7FFFFFFF}, LPARAM{-1}, LPARAM{1000}}) {
    for (TWinControl* control : Controls) {
      SCOPED_TRACE(std::string(control->ClassName()) + " " + std::to_string(ppi));
      const TsCommonData& data =
          *reinterpret_cast<TsCommonData*>(FromHere(control->Handle(), SKC_GETSKINDATA, 0));
      FromElsewhere(control->Handle(), SKC_SETPPI, ppi);
      FromHere(control->Handle(), SKC_SETPPI, ppi);
      EXPECT_EQ(data.CurrentPPI, 96);
      C.PaintNow();
    }
  }
  EXPECT_EQ(C.Manager->Core.SkinDataArray.size(), slots);
  EXPECT_TRUE(C.Messages.Entries.empty());
  // A supported step is still taken from this thread.
  const TsCommonData& panel = C.Panel->SkinData();
  FromHere(C.Panel->Handle(), SKC_SETPPI, 144);
  EXPECT_EQ(panel.CurrentPPI, 144);
  FromHere(C.Panel->Handle(), SKC_SETPPI, 96);
  EXPECT_EQ(panel.CurrentPPI, 96);
}

}  // namespace
}  // namespace ac
