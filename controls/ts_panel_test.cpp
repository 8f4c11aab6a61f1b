#include "controls/ts_panel.h"

#include "controls/ts_label.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "framework/form.h"
#include "framework/label.h"
#include "framework/test_support.h"
#include "manager/skin_command_delivery.h"
#include "manager/ts_skin_manager.h"
#include "skin/skin_data_lookup.h"
#include "win32/handle_counts.h"

namespace ac {
namespace {

class TPanelForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TPanelForm"; }
};

// Writes skin folder Dir\Name whose PANEL section is a plain COLOR (no masks,
// so its face is that colour on every pixel) and a second section to refresh.
void WriteSkin(const std::wstring& dir, const std::wstring& name, const char* panelColor) {
  const std::wstring folder = dir + L"\\" + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  std::ofstream out(std::filesystem::path(folder + L"\\Options.dat"), std::ios::binary);
  out << "[GLOBALINFO]\r\nVERSION=15.00\r\n"
      << "[PANEL]\r\nSTATES=1\r\nCOLOR=" << panelColor << "\r\nFONTCOLOR=255\r\nTRANSPARENCY=0\r\n"
      << "[BUTTON]\r\nSTATES=3\r\nCOLOR=255\r\n";
}

std::string Narrow(const std::wstring& w) {
  return std::string(w.begin(), w.end());
}

// Colours as the options file writes them ($00BBGGRR in decimal) and the
// pixel bytes (blue, green, red) they must paint.
constexpr const char* kLightColor = "1193046";  // $00123456
constexpr const char* kDarkColor = "2105376";   // $00202020
constexpr COLORREF kLightRGB = 0x00123456;
constexpr COLORREF kDarkRGB = 0x00202020;

class SkinnedPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    Dir = std::wstring(temp) + L"acpanel" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(Dir.c_str(), nullptr);
    WriteSkin(Dir, L"Light", kLightColor);
    WriteSkin(Dir, L"Dark", kDarkColor);
    Form->SetBounds(50, 50, 300, 200);
    Panel = test::AddControl<TsPanel>(Form, Form, 0, 0, 200, 100);
    Label = test::AddControl<TLabel>(Form, Panel, 10, 10, 60, 20);
    Label->SetCaption("x");
    Label->SetColor(clBtnFace);
    SkinLabel = test::AddControl<TsLabel>(Form, Panel, 100, 10, 60, 20);
    SkinLabel->SetCaption("WWW");
    Manager = new TsSkinManager(Form);
    Manager->Messages = &Messages;
    Manager->SkinDirectory = Narrow(Dir);
    Manager->SetSkinName("Light");
    Form->Show();
    PaintNow();
  }

  void PaintNow() {
    RedrawWindow(Panel->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  // The pixel of the panel's window at (X, Y), as the screen shows it.
  COLORREF ScreenPixel(int x, int y) {
    HDC dc = GetDC(Panel->Handle());
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(Panel->Handle(), dc);
    return c;
  }

  // Every pixel of the cached face has the given RGB colour, opaque.
  ::testing::AssertionResult FaceIs(COLORREF rgb) {
    const TBitmap& cache = Panel->SkinData().FCacheBmp;
    if (cache.Width() != Panel->Width() || cache.Height() != Panel->Height())
      return ::testing::AssertionFailure() << "cache " << cache.Width() << "x" << cache.Height();
    for (int y = 0; y < cache.Height(); ++y) {
      const uint8_t* p = cache.ScanLine(y);
      for (int x = 0; x < cache.Width(); ++x, p += 4) {
        if (p[0] != GetBValue(rgb) || p[1] != GetGValue(rgb) || p[2] != GetRValue(rgb))
          return ::testing::AssertionFailure() << "pixel " << x << "," << y << " = " << int(p[2])
                                               << "," << int(p[1]) << "," << int(p[0]);
      }
    }
    return ::testing::AssertionSuccess();
  }

  std::wstring Dir;
  test::TTestApplication App;
  TRecordingSink Messages;
  TPanelForm* Form = new TPanelForm(&App.App);
  TsPanel* Panel = nullptr;
  TLabel* Label = nullptr;
  TsLabel* SkinLabel = nullptr;
  TsSkinManager* Manager = nullptr;
};

TEST_F(SkinnedPanelTest, TheWindowNamesItsSkinDataAndAnswersAsASkinnedPanel) {
  HWND wnd = Panel->Handle();
  EXPECT_EQ(GetPropW(wnd, kCommonDataProp), static_cast<TacCommonDataBase*>(&Panel->SkinData()));
  // Sent through the system, as another process would.
  EXPECT_EQ(SendMessageW(wnd, WM_SKINCMD, SkinCommandWParam(SKC_ISSKINNED), 0), 1);
  EXPECT_EQ(SendMessageW(wnd, WM_SKINCMD, SkinCommandWParam(SKC_GETKIND), 0), 12);
  const TacSkinData* sd = Panel->SkinData().CommonSkinData();
  ASSERT_NE(sd, nullptr);
  EXPECT_EQ(Panel->SkinData().SkinIndex, GetSkinIndex(*sd, "PANEL"));
  EXPECT_EQ(SendMessageW(wnd, WM_SKINCMD, SkinCommandWParam(SKC_DEFAULTINDEX), 0),
            GetSkinIndex(*sd, "PANEL") + 1);
  // Destroying the window takes the property with it.
  Panel->DestroyHandle();
  EXPECT_FALSE(Panel->SkinData().HasCommonProp());
}

TEST_F(SkinnedPanelTest, TheFaceIsTheSectionAndTheScreenShowsItAroundTheLabel) {
  EXPECT_TRUE(FaceIs(kLightRGB));
  EXPECT_EQ(ScreenPixel(0, 0), kLightRGB);
  EXPECT_EQ(ScreenPixel(199, 99), kLightRGB);
  EXPECT_EQ(ScreenPixel(100, 50), kLightRGB);
}

// Counts the pixels of Rect (panel coordinates) that have exactly Color.
int CountPixels(HWND wnd, const RECT& r, COLORREF color) {
  HDC dc = GetDC(wnd);
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == color ? 1 : 0;
  ReleaseDC(wnd, dc);
  return n;
}

TEST_F(SkinnedPanelTest, LabelsWriteOverTheFaceWithoutABoxOfTheirOwn) {
  constexpr COLORREF kSectionFont = 0x000000FF;  // FONTCOLOR=255
  EXPECT_EQ(SkinLabel->TextColor(), static_cast<TColor>(kSectionFont));
  const RECT skinLabel{100, 10, 160, 30};
  EXPECT_GT(CountPixels(Panel->Handle(), skinLabel, kSectionFont), 0);
  EXPECT_EQ(CountPixels(Panel->Handle(), skinLabel, GetSysColor(COLOR_BTNFACE)), 0);
  // The framework label keeps its own font colour but shows no box.
  const RECT label{10, 10, 70, 30};
  EXPECT_EQ(CountPixels(Panel->Handle(), label, GetSysColor(COLOR_BTNFACE)), 0);
  EXPECT_GT(CountPixels(Panel->Handle(), label, kLightRGB), 0);
  // Without the skin, the label is the framework's again.
  Manager->SetActive(false);
  PaintNow();
  EXPECT_EQ(SkinLabel->TextColor(), SkinLabel->Font().Color());
}

TEST_F(SkinnedPanelTest, SkinSwitchesRepaintAndComeBackByteForByte) {
  Manager->SetSkinName("Dark");
  PaintNow();
  EXPECT_TRUE(FaceIs(kDarkRGB));
  EXPECT_EQ(ScreenPixel(100, 50), kDarkRGB);
  Manager->SetSkinName("Light");
  PaintNow();
  EXPECT_TRUE(FaceIs(kLightRGB));
  EXPECT_EQ(ScreenPixel(100, 50), kLightRGB);
}

TEST_F(SkinnedPanelTest, ManySkinSwitchesHoldNoMoreObjectsThanTheFirst) {
  Manager->SetSkinName("Dark");
  PaintNow();
  Manager->SetSkinName("Light");
  PaintNow();
  const platform::THandleCounts first = platform::LiveHandleCounts();
  for (int i = 0; i < 50; ++i) {
    Manager->SetSkinName("Dark");
    PaintNow();
    Manager->SetSkinName("Light");
    PaintNow();
  }
  EXPECT_EQ(platform::LiveHandleCounts(), first);
  EXPECT_TRUE(FaceIs(kLightRGB));
}

TEST_F(SkinnedPanelTest, RemovingTheSkinRestoresThePlainPanel) {
  Manager->SetActive(false);
  PaintNow();
  EXPECT_EQ(Panel->SkinData().SkinIndex, -1);
  EXPECT_EQ(SendMessageW(Panel->Handle(), WM_SKINCMD, SkinCommandWParam(SKC_ISSKINNED), 0), 0);
  EXPECT_EQ(ScreenPixel(100, 50), static_cast<COLORREF>(GetSysColor(COLOR_BTNFACE)));
  Manager->SetActive(true);
  PaintNow();
  EXPECT_EQ(ScreenPixel(100, 50), kLightRGB);
}

TEST_F(SkinnedPanelTest, ARefreshOfAnotherSectionKeepsTheCachedFace) {
  const TacSkinData* sd = Panel->SkinData().CommonSkinData();
  ASSERT_NE(sd, nullptr);
  const int button = GetSkinIndex(*sd, "BUTTON");
  ASSERT_GE(button, 0);
  ASSERT_NE(button, Panel->SkinData().SkinIndex);
  const uint32_t before = Panel->SkinData().RebuildCount;
  SendMessageW(Panel->Handle(), WM_SKINCMD,
               SkinCommandWParam(SKC_REFRESH, static_cast<WORD>(button)),
               reinterpret_cast<LPARAM>(Manager));
  PaintNow();
  EXPECT_EQ(Panel->SkinData().RebuildCount, before);
  // Its own section (or all of them) rebuilds it.
  SendMessageW(Panel->Handle(), WM_SKINCMD, SkinCommandWParam(SKC_REFRESH, 0),
               reinterpret_cast<LPARAM>(Manager));
  PaintNow();
  EXPECT_EQ(Panel->SkinData().RebuildCount, before + 1);
}

TEST_F(SkinnedPanelTest, AMissingSectionLeavesThePanelPlain) {
  Panel->SkinData().SetSkinSection("nowhere");
  EXPECT_EQ(Panel->SkinData().SkinSection(), "NOWHERE");
  EXPECT_FALSE(Panel->SkinData().Skinned());
  PaintNow();
  EXPECT_EQ(ScreenPixel(100, 50), static_cast<COLORREF>(GetSysColor(COLOR_BTNFACE)));
}

}  // namespace
}  // namespace ac
