#include "frames/ts_system_menu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frames/frame_test_support.h"
#include "framework/application_test_support.h"
#include "framework/bitmap.h"
#include "framework/screen.h"
#include "paint/glyph_paint.h"
#include "skin/skin_data_lookup.h"
#include "system/win/unicode.h"

namespace ac {
namespace {

class TMenuForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TMenuForm"; }
};

// One visible item as a reader of the menu sees it.
struct TSeen {
  std::string Name;
  UINT Command;
  bool Enabled;
  friend bool operator==(const TSeen&, const TSeen&) = default;
};

std::vector<TSeen> Visible(const TMenuItem& items) {
  std::vector<TSeen> seen;
  for (int i = 0; i < items.Count(); ++i)
    if (items[i].Visible) seen.push_back({items[i].Name, items[i].Command, items[i].Enabled});
  return seen;
}

class SystemMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form->BorderStyle = TFormBorderStyle::bsSingle;
    Form->BorderIcons = 1u << static_cast<int>(TBorderIcon::biSystemMenu);
    Form->SetBounds(40, 40, 300, 200);
    Form->HandleNeeded();
  }

  test::TTestApplication App;
  TMenuForm* Form = new TMenuForm(&App.App);
};

TEST_F(SystemMenuTest, ASingleBorderFormWithOnlyTheMenuIconShowsTheFixedItems) {
  TsSystemMenu menu(Form, *Form);
  menu.UpdateItems(true);
  EXPECT_EQ(menu.Name().rfind("acSysMenu", 0), 0u);
  const std::vector<TSeen> expected{
      {"acIR", SC_RESTORE, false}, {"acIM", SC_MOVE, true}, {"acIS", SC_SIZE, false}, {"", 0, true},
      {"acIC", SC_CLOSE, true},
  };
  EXPECT_EQ(Visible(menu.Items), expected);
  // The captions come from the window's own menu, the close item's shortcut
  // from the text after its tab.
  std::string caption, shortcut;
  wchar_t text[256];
  ASSERT_GT(GetMenuStringW(GetSystemMenu(Form->Handle(), FALSE), SC_CLOSE, text, 255, MF_BYCOMMAND),
            0);
  const std::string closeText = platform::WideToUtf8(text);
  EXPECT_EQ(menu.ItemClose->Caption + "\t" + menu.ItemClose->ShortCutText, closeText);
  EXPECT_FALSE(menu.ItemClose->ShortCutText.empty());
}

TEST_F(SystemMenuTest, TheBorderSettingsDecideVisibilityAndEnabling) {
  Form->BorderStyle = TFormBorderStyle::bsSizeable;
  Form->BorderIcons = (1u << static_cast<int>(TBorderIcon::biSystemMenu)) |
                      (1u << static_cast<int>(TBorderIcon::biMinimize)) |
                      (1u << static_cast<int>(TBorderIcon::biMaximize));
  TsSystemMenu menu(Form, *Form);
  menu.UpdateItems(true);
  const std::vector<TSeen> expected{
      {"acIR", SC_RESTORE, false}, {"acIM", SC_MOVE, true},     {"acIS", SC_SIZE, true},
      {"acIN", SC_MINIMIZE, true}, {"acIX", SC_MAXIMIZE, true}, {"", 0, true},
      {"acIC", SC_CLOSE, true},
  };
  EXPECT_EQ(Visible(menu.Items), expected);
  // A dialog frame has no Size item; without the menu icon only Move stays.
  Form->BorderStyle = TFormBorderStyle::bsDialog;
  menu.UpdateItems(false);
  EXPECT_FALSE(menu.ItemSize->Visible);
  Form->BorderIcons = 0;
  menu.UpdateItems(false);
  EXPECT_EQ(Visible(menu.Items), (std::vector<TSeen>{{"acIM", SC_MOVE, true}, {"", 0, true}}));
}

TEST_F(SystemMenuTest, TheWindowsOwnCommandsComeBeforeCloseAndArePosted) {
  AppendMenuW(GetSystemMenu(Form->Handle(), FALSE), MF_STRING, 0x120, L"About\tF1");
  TsSystemMenu menu(Form, *Form);
  menu.UpdateItems(true);
  ASSERT_EQ(menu.ExtItemsCount, 1);
  const int close = menu.Items.IndexOf(menu.ItemClose);
  const TMenuItem& extra = menu.Items[close - 2];
  EXPECT_EQ(extra.Caption, "About");
  EXPECT_EQ(extra.ShortCutText, "F1");
  EXPECT_EQ(extra.Command, 0x120u);
  EXPECT_TRUE(menu.Items[close - 1].IsLine());
  extra.OnClick(&menu);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, Form->Handle(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 0x120u);
}

TEST_F(SystemMenuTest, TheFormsSubMenuGoesWhereItsPositionSays) {
  TPopupMenu extra(Form);
  extra.Items.Add("Tools", "Tools");
  struct Case {
    TacMenuItemPos Position;
    int Offset;  // of the sub-menu item from Close
    const char* Divider;
  };
  for (const Case c : {Case{TacMenuItemPos::ipBeforeClose, -2, "ac_TopDiv"},
                       Case{TacMenuItemPos::ipBottom, 2, "ac_BtmDiv"}}) {
    TsSystemMenu menu(Form, *Form);
    menu.SysSubMenu = {"More", &extra, c.Position};
    menu.UpdateItems(true);
    const int close = menu.Items.IndexOf(menu.ItemClose);
    ASSERT_NE(menu.SubMenu, nullptr);
    EXPECT_EQ(menu.Items.IndexOf(menu.SubMenu), close + c.Offset);
    EXPECT_EQ(menu.SubMenu->Caption, "More");
    ASSERT_EQ(menu.SubMenu->Count(), 1);
    EXPECT_EQ((*menu.SubMenu)[0].Name, "ToolsCopy");
    EXPECT_NE(menu.Items.Find(c.Divider), nullptr);
  }
}

// Under the program's own skin the window menu's commands show the skin's
// small caption-button images (the frame's buttons show the same shapes),
// centred in the glyph column: whatever fonts the system has.
TEST_F(SystemMenuTest, CommandsShowTheSkinsSmallButtonImagesInTheGlyphColumn) {
  auto* manager = new TsSkinManager(Form);
  TRecordingSink messages;
  manager->Messages = &messages;
  manager->SkinDirectory = test::SkinsFolder();
  manager->SetSkinName("VelmoraLight");
  ASSERT_TRUE(manager->IsActive());
  TsSystemMenu menu(Form, *Form);
  menu.UpdateItems(true);
  const int ppi = Screen->PixelsPerInch();
  const TacSkinData& sd = manager->Core.CommonSkinData(ppi);
  const int h = MulDiv(24, ppi, 96), column = MulDiv(24, ppi, 96);
  // MENUITEM's normal face in this skin: plain white (the same in BGRA).
  constexpr uint32_t kFace = 0xFFFFFF;
  struct TCase {
    TMenuItem* Item;
    TacTitleGlyph Glyph;
    bool Disabled;
  };
  for (const TCase& c :
       {TCase{menu.ItemClose, tgSmallClose, false}, TCase{menu.ItemRestore, tgSmallNormal, true},
        TCase{menu.ItemMove, tgNone, false}}) {
    SCOPED_TRACE(c.Item->Name);
    TBitmap drawn(MulDiv(160, ppi, 96), h);
    const RECT r{0, 0, drawn.Width(), h};
    manager->SkinableMenus.DrawItem(*c.Item, drawn.Canvas().Handle(), r, {.Disabled = c.Disabled},
                                    true);
    GdiFlush();
    TsPixelImage expected(column, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < column; ++x) expected.View().At(x, y) = kFace;
    if (c.Glyph != tgNone) {
      const int32_t index = sd.TitleGlyphs[static_cast<size_t>(c.Glyph)];
      ASSERT_TRUE(IsValidImgIndex(sd, index));
      const TsMaskData& m = sd.ma[static_cast<size_t>(index)];
      const int spacing = MulDiv(8, ppi, 96), width = MulDiv(16, ppi, 96);
      TCacheInfo behind = MakeCacheInfo(expected.View(), 0, 0);
      behind.Ready = true;
      PaintSkinGlyph(expected.View(), {spacing / 2 + (width - m.Width) / 2, (h - m.Height) / 2},
                     behind, sd, index, 0, c.Disabled ? TEnabled::No : TEnabled::Yes);
    }
    int differ = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < column; ++x)
        differ += (drawn.View().At(x, y) & 0xFFFFFFu) != (expected.View().At(x, y) & 0xFFFFFFu);
    EXPECT_EQ(differ, 0);
  }
}

TEST_F(SystemMenuTest, TheShownMenuCarriesTheItemsForReadersAndTheChosenOneRuns) {
  TsSystemMenu menu(Form, *Form);
  menu.UpdateItems(true);
  std::vector<std::wstring> texts;
  std::vector<UINT> states;
  DWORD atom = 0;
  menu.OnMenuWindow = [&](HWND popup) {
    atom = GetClassLongW(popup, GCW_ATOM);
    const auto shown = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(shown); ++i) {
      wchar_t text[256] = L"";
      GetMenuStringW(shown, static_cast<UINT>(i), text, 255, MF_BYPOSITION);
      texts.push_back(text);
      states.push_back(GetMenuState(shown, static_cast<UINT>(i), MF_BYPOSITION));
    }
    EndMenu();
  };
  ShowWindow(Form->Handle(), SW_SHOW);
  SetForegroundWindow(Form->Handle());
  EXPECT_EQ(menu.Popup(60, 60), nullptr);
  // The system's popup-menu class, "#32768".
  EXPECT_EQ(atom, 0x8000u);
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_TRUE(states[0] & MF_GRAYED);     // Restore
  EXPECT_FALSE(states[1] & MF_GRAYED);    // Move
  EXPECT_TRUE(states[2] & MF_GRAYED);     // Size
  EXPECT_TRUE(states[3] & MF_SEPARATOR);  // the line before Close
  EXPECT_EQ(platform::WideToUtf8(texts[4]),
            menu.ItemClose->Caption + "\t" + menu.ItemClose->ShortCutText);
}

}  // namespace
}  // namespace ac

namespace ac {
namespace {

// A skin whose menu items are plain colours: white, hot pale blue.
class SkinnedMenuTest : public SystemMenuTest {
 protected:
  void SetUp() override {
    SystemMenuTest::SetUp();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    Dir = std::wstring(temp) + L"acmenu" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(Dir.c_str(), nullptr);
    CreateDirectoryW((Dir + L"\\Menus").c_str(), nullptr);
    std::ofstream out(std::filesystem::path(Dir + L"\\Menus\\Options.dat"), std::ios::binary);
    out << "[GLOBALINFO]\r\nVERSION=15.00\r\nBORDERCOLOR=255\r\n"
        << "[MENUITEM]\r\nSTATES=2\r\nCOLOR=16777215\r\nHOTCOLOR=16642539\r\n"
        << "FONTCOLOR=2630431\r\nHOTFONTCOLOR=2630431\r\n";
    out.close();
    Manager = new TsSkinManager(Form);
    Manager->Messages = &Messages;
    Manager->SkinDirectory = std::filesystem::path(Dir).string();
    Manager->SetSkinName("Menus");
    ASSERT_TRUE(Manager->IsActive());
  }
  void TearDown() override { std::filesystem::remove_all(std::filesystem::path(Dir)); }

  std::wstring Dir;
  TRecordingSink Messages;
  TsSkinManager* Manager = nullptr;
};

TEST_F(SkinnedMenuTest, ItemsArePaintedFromTheMenuSectionInTheirState) {
  TsSystemMenu menu(Form, *Form);
  menu.UpdateItems(true);
  TBitmap image(120, 24);
  HDC dc = image.Canvas().Handle();
  const RECT r{0, 0, 120, 24};
  struct Case {
    TMenuDrawState State;
    COLORREF Background;
  };
  for (const Case& c : {Case{{}, 0x00FFFFFF}, Case{{.Selected = true}, 16642539},
                        Case{{.Selected = true, .Disabled = true}, 16642539},
                        Case{{.Disabled = true}, 0x00FFFFFF}}) {
    Manager->SkinableMenus.DrawItem(*menu.ItemMove, dc, r, c.State, true);
    GdiFlush();
    // The far right end of the item carries no text.
    EXPECT_EQ(GetPixel(dc, 118, 2), c.Background);
  }
}

TEST_F(SkinnedMenuTest, TheShownMenuHasTheSectionsColourInsideTheSkinsBorder) {
  ShowWindow(Form->Handle(), SW_SHOW);
  SetForegroundWindow(Form->Handle());
  ASSERT_TRUE(test::PumpUntil([&] { return Form->Active(); }));
  TsSystemMenu menu(Form, *Form);
  static COLORREF corner, inside;
  static bool seen;
  seen = false;
  // Read while the menu loop runs: a thread timer fires inside it.
  SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM) -> BOOL {
          if (GetClassLongW(w, GCW_ATOM) != 0x8000 || !IsWindowVisible(w)) return TRUE;
          RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
          HDC dc = GetWindowDC(w);
          RECT wr;
          GetWindowRect(w, &wr);
          corner = GetPixel(dc, 0, 0);
          inside = GetPixel(dc, wr.right - wr.left - 3, 4);
          ReleaseDC(w, dc);
          seen = true;
          return FALSE;
        },
        0);
    EndMenu();
  });
  menu.Drop(Manager, 60, 60);
  ASSERT_TRUE(seen);
  EXPECT_EQ(corner, 0x000000FFu);  // BORDERCOLOR=255
  EXPECT_EQ(inside, 0x00FFFFFFu);
}

// The keyboard's selection shows the item in its hot look, as the mouse's
// does.
TEST_F(SkinnedMenuTest, TheItemTheKeyboardSelectsIsDrawnHot) {
  ShowWindow(Form->Handle(), SW_SHOW);
  SetForegroundWindow(Form->Handle());
  ASSERT_TRUE(test::PumpUntil([&] { return Form->Active(); }));
  TsSystemMenu menu(Form, *Form);
  static int ticks, hilited;
  static COLORREF right;
  ticks = 0;
  hilited = -1;
  right = CLR_INVALID;
  // The menu loop runs the thread timer: first the key, then the look.
  SetTimer(nullptr, 0, 150, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM found) -> BOOL {
          if (GetClassLongW(w, GCW_ATOM) != 0x8000 || !IsWindowVisible(w)) return TRUE;
          *reinterpret_cast<HWND*>(found) = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&popup));
    if (!popup) return;
    if (++ticks == 1) {
      PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
      return;
    }
    const auto shown = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(shown); ++i) {
      if (!(GetMenuState(shown, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)) continue;
      hilited = i;
      RECT item{}, window{};
      GetMenuItemRect(nullptr, shown, static_cast<UINT>(i), &item);
      GetWindowRect(popup, &window);
      HDC dc = GetWindowDC(popup);
      // The far right end of the item carries no text.
      right = GetPixel(dc, item.right - window.left - 2, item.top - window.top + 2);
      ReleaseDC(popup, dc);
    }
    KillTimer(nullptr, id);
    EndMenu();
  });
  menu.Drop(Manager, 60, 60);
  ASSERT_GE(hilited, 0);
  EXPECT_EQ(right, 16642539u) << hilited;  // HOTCOLOR
}

}  // namespace
}  // namespace ac
