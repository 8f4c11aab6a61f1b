#include "controls/ts_panel.h"

#include "controls/ts_button.h"
#include "controls/ts_label.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <string>

#include "framework/application_test_support.h"
#include "framework/form.h"
#include "framework/graphic_control.h"
#include "framework/label.h"
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
// so its face is that colour on every pixel), the other sections a panel's
// bevel may choose, and a BUTTON that shows whatever lies behind it.
void WriteSkin(const std::wstring& dir, const std::wstring& name, const char* panelColor,
               const char* transparency = "0") {
  const std::wstring folder = dir + L"\\" + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  std::ofstream out(std::filesystem::path(folder + L"\\Options.dat"), std::ios::binary);
  out << "[GLOBALINFO]\r\nVERSION=15.00\r\n"
      << "[PANEL]\r\nSTATES=1\r\nCOLOR=" << panelColor
      << "\r\nFONTCOLOR=255\r\nTRANSPARENCY=" << transparency << "\r\n"
      << "[BUTTON]\r\nSTATES=3\r\nCOLOR=255\r\nTRANSPARENCY=100\r\n"
      << "[PANEL_LOW]\r\nSTATES=1\r\nCOLOR=6636321\r\nFONTCOLOR=255\r\n"
      << "[TRANSPARENT]\r\nSTATES=1\r\nTRANSPARENCY=100\r\n"
      << "[GROUPBOX]\r\nSTATES=1\r\nCOLOR=65280\r\n";
}

// Writes skin folder Dir\Name whose PANEL is a gradient: its face is an image
// that must be built before a child can be painted over it.
void WriteGradientSkin(const std::wstring& dir, const std::wstring& name) {
  const std::wstring folder = dir + L"\\" + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  std::ofstream out(std::filesystem::path(folder + L"\\Options.dat"), std::ios::binary);
  out << "[GLOBALINFO]\r\nVERSION=15.00\r\n"
      << "[PANEL]\r\nSTATES=1\r\nCOLOR=1193046\r\nGRADIENTPERCENT=100\r\n"
      << "GRADIENTDATA=16777215;1193046;100;0;0;1193046;1193046;0;0;0\r\n"
      << "[BUTTON]\r\nSTATES=3\r\nCOLOR=255\r\nTRANSPARENCY=50\r\n";
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

// A windowless child whose first painting fails the way a bitmap that
// cannot be made fails: with an exception.
class TFailingOnce : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  std::string_view ClassName() const override { return "TFailingOnce"; }
  bool Failed = false;

 protected:
  void Paint(TCanvas&) override {
    if (Failed) return;
    Failed = true;
    throw std::bad_alloc();
  }
};

TEST_F(SkinnedPanelTest, APaintingThatFailsLeavesTheChildrenPaintingAfterwards) {
  constexpr COLORREF kSectionFont = 0x000000FF;
  const RECT skinLabel{100, 10, 160, 30};
  auto* failing = test::AddControl<TFailingOnce>(Form, Panel, 170, 60, 20, 20);
  // The window procedure catches the failure; the face is there, the
  // children's copy is not.
  PaintNow();
  ASSERT_TRUE(failing->Failed);
  EXPECT_EQ(CountPixels(Panel->Handle(), skinLabel, kSectionFont), 0);
  PaintNow();
  EXPECT_GT(CountPixels(Panel->Handle(), skinLabel, kSectionFont), 0);
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

TEST_F(SkinnedPanelTest, ChildrenAskingForTheBackgroundGetThePlainSectionColour) {
  TacBgQuery query = QueryParentBackground(*SkinLabel);
  EXPECT_EQ(query.Kind, bqColor);
  EXPECT_EQ(query.Color, static_cast<TColor>(kLightRGB));
  EXPECT_EQ(SendMessageW(Panel->Handle(), WM_SKINCMD, SkinCommandWParam(SKC_GETBGCOLOR), 0),
            static_cast<LRESULT>(kLightRGB));
}

TEST_F(SkinnedPanelTest, ADisabledLabelKeeps100PartsOfItsColourOverTheFace) {
  SkinLabel->SetEnabled(false);
  // FONTCOLOR 255 (red) mixed with the face $123456, 100 parts of 255:
  // red (255*100 + $56*155) >> 8 = $97, green ($34*155) >> 8 = $1F,
  // blue ($12*155) >> 8 = $0A.
  EXPECT_EQ(SkinLabel->TextColor(), 0x000A1F97);
  PaintNow();
  EXPECT_GT(CountPixels(Panel->Handle(), RECT{100, 10, 160, 30}, 0x000A1F97), 0);
}

TEST_F(SkinnedPanelTest, AChildThatFoundTheFaceNotReadyPaintsAsSoonAsThePanelHasIt) {
  WriteGradientSkin(Dir, L"Ramp");
  Manager->SetSkinName("Ramp");
  auto* button = test::AddControl<TsButton>(Form, Panel, 10, 40, 80, 30);
  button->SkinData().UpdateIndexes();
  PaintNow();
  TsCommonData& panel = Panel->SkinData();
  TsCommonData& child = button->SkinData();
  ASSERT_TRUE(child.Skinned());
  struct TCase {
    const char* Name;
    std::function<void()> Event;
  };
  const TCase cases[] = {
      {"the panel paints",
       [&] {
         RedrawWindow(Panel->Handle(), nullptr, nullptr,
                      RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
       }},
      {"the panel is resized", [&] { Panel->SetBounds(0, 0, Panel->Width() + 10, 100); }},
      {"the panel is shown again",
       [&] {
         Panel->SetVisible(false);
         Panel->SetVisible(true);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    // While the panel's painting is suspended its stale face cannot be
    // built: the button, repainted meanwhile, is told it is not ready.
    panel.BeginUpdate();
    panel.Invalidate();
    child.Invalidate(TsCommonData::TRepaintTime::rtNow);
    ASSERT_TRUE(child.FUpdating);
    panel.EndUpdate(TsCommonData::TRepaint::rpNo);
    const uint32_t rebuilt = child.RebuildCount;
    c.Event();
    // The panel tells the button, which paints before any message is pumped.
    EXPECT_FALSE(child.FUpdating);
    EXPECT_EQ(child.RebuildCount, rebuilt + 1);
    EXPECT_FALSE(panel.BGChanged);
  }
}

TEST_F(SkinnedPanelTest, TheOuterBevelChoosesTheDefaultSection) {
  const TacSkinData* sd = Panel->SkinData().CommonSkinData();
  ASSERT_NE(sd, nullptr);
  struct TCase {
    TBevelCut Bevel;
    const char* Section;
  } cases[] = {{TBevelCut::bvNone, "TRANSPARENT"},
               {TBevelCut::bvLowered, "PANEL_LOW"},
               {TBevelCut::bvRaised, "PANEL"},
               {TBevelCut::bvSpace, "GROUPBOX"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Section);
    Panel->BevelOuter = c.Bevel;
    SendMessageW(Panel->Handle(), WM_SKINCMD, SkinCommandWParam(SKC_REFRESH, 0),
                 reinterpret_cast<LPARAM>(Manager));
    const int index = GetSkinIndex(*sd, c.Section);
    ASSERT_GE(index, 0);
    EXPECT_EQ(Panel->SkinData().SkinIndex, index);
    EXPECT_EQ(SendMessageW(Panel->Handle(), WM_SKINCMD, SkinCommandWParam(SKC_DEFAULTINDEX), 0),
              index + 1);
  }
}

TEST_F(SkinnedPanelTest, TakingAnotherSectionRepaintsTheChildrenOverTheNewFace) {
  // The button's section is clear: its face is the panel's face under it.
  auto* button = test::AddControl<TsButton>(Form, Panel, 10, 40, 80, 30);
  button->SkinData().UpdateIndexes();
  PaintNow();
  const auto buttonPixel = [&] {
    HDC dc = GetDC(button->Handle());
    const COLORREF c = GetPixel(dc, 3, 3);
    ReleaseDC(button->Handle(), dc);
    return c;
  };
  ASSERT_EQ(buttonPixel(), kLightRGB);
  Panel->SkinData().SetSkinSection("panel_low");
  PaintNow();
  constexpr COLORREF kLowRGB = 0x00654321;  // COLOR=6636321
  EXPECT_TRUE(FaceIs(kLowRGB));
  EXPECT_EQ(buttonPixel(), kLowRGB);
}

// A panel whose section lets its parent show through: half transparent over a
// form of a known colour.
class TranslucentPanelTest : public SkinnedPanelTest {
 protected:
  void SetUp() override {
    SkinnedPanelTest::SetUp();
    WriteSkin(Dir, L"Glass", kLightColor, "50");
    WriteSkin(Dir, L"Mist", kLightColor, "60");
    WriteSkin(Dir, L"Clear", kLightColor, "100");
  }
};

TEST_F(TranslucentPanelTest, TheBackgroundColourMixesTowardsTheParentByTheTransparency) {
  // Own $123456, weight 50 * 255 / 100 = 127, per byte own + ((parent - own) * 127 >> 8),
  // rounded down also when the parent is darker.
  struct Case {
    TColor Parent;
    TColor Expected;
  };
  const Case cases[] = {
      {0x00FFFFFF, 0x008798A9},  // $12+117, $34+100, $56+83
      {0x00000000, 0x00091A2B},  // $12-9, $34-26, $56-43
  };
  Manager->SetSkinName("Glass");
  for (const Case& c : cases) {
    Form->SetColor(c.Parent);
    EXPECT_EQ(SendMessageW(Panel->Handle(), WM_SKINCMD, SkinCommandWParam(SKC_GETBGCOLOR), 0),
              static_cast<LRESULT>(c.Expected))
        << std::hex << c.Parent;
  }
}

TEST_F(TranslucentPanelTest, ChildrenGetTheFaceItselfAndSeeThroughItForTheirTextColour) {
  Manager->SetSkinName("Glass");
  PaintNow();
  const TacBgQuery query = QueryParentBackground(*SkinLabel);
  EXPECT_EQ(query.Kind, bqImage);
  EXPECT_EQ(query.Image, &Panel->SkinData().FCacheBmp);
  // Half see-through still dresses the text; more than half with no border
  // mask lets the label take the colour it would have without a skin.
  EXPECT_EQ(SkinLabel->TextColor(), 255);
  Manager->SetSkinName("Mist");
  EXPECT_EQ(SkinLabel->TextColor(), Panel->Font().Color());
}

TEST_F(TranslucentPanelTest, AClearSectionWithoutAFaceHandsTheQuestionToItsParent) {
  Manager->SetSkinName("Clear");
  Form->SetColor(0x00336699);
  Panel->SkinData().FCacheBmp.SetSize(0, 0);
  Panel->SkinData().BGChanged = true;
  TacBgQuery query;
  query.Kind = bqNone;
  Panel->SkinData().AnswerBackgroundQuery(query, 0);
  // The panel builds its face on demand, which is the parent's colour.
  EXPECT_EQ(query.Kind, bqImage);
  EXPECT_EQ(Panel->SkinData().FCacheBmp.Width(), Panel->Width());
  EXPECT_EQ(SendMessageW(Panel->Handle(), WM_SKINCMD, SkinCommandWParam(SKC_GETBGCOLOR), 0),
            0x00336699);
}

}  // namespace
}  // namespace ac
