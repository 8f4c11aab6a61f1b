#include "controls/ts_edit.h"

#include <gtest/gtest.h>

#include <functional>

#include "controls/skinned_form_test_support.h"
#include "manager/skin_editor_channel.h"
#include "system/win/unicode.h"

namespace ac {
namespace {

using test::FirstDifference;
using test::TBytes;

class SkinnedEditTest : public ::testing::Test {
 protected:
  test::TSkinnedControls C{test::WindowsPath(AC_SOURCE_DIR "/skins"), "VelmoraLight"};
  TsEdit* Edit = C.Edit;

  HWND Wnd() { return Edit->Handle(); }
  const TacSkinData& Skin() { return *Edit->SkinData().CommonSkinData(); }
  const TsGeneralData& Section() { return Skin().gd[GetSkinIndex(Skin(), "EDIT")]; }
  TsPixelImage Expected(int state) {
    return test::SectionOverParent(Skin(), "EDIT", state, C.PanelFace(), Edit->BoundsRect());
  }
  // The text and a pixel of overhang around it.
  TRect TextHole() { return Edit->TextRect().Inflate(1, 1); }
  // The frame bands of Image: everything but the inside.
  TRect Inside() {
    const int b = Edit->FrameWidth();
    return TRect::LTRB(b, b, Edit->Width() - b, Edit->Height() - b);
  }
};

TEST_F(SkinnedEditTest, AnswersAsASkinnedEditOfTheEditSection) {
  EXPECT_EQ(SendMessageW(Wnd(), WM_SKINCMD, SkinCommandWParam(SKC_ISSKINNED), 0), 1);
  EXPECT_EQ(SendMessageW(Wnd(), WM_SKINCMD, SkinCommandWParam(SKC_GETKIND), 0), 1);
  EXPECT_EQ(SendMessageW(Wnd(), WM_SKINCMD, SkinCommandWParam(SKC_DEFAULTINDEX), 0),
            GetSkinIndex(Skin(), "EDIT") + 1);
  EXPECT_EQ(Edit->SkinData().COC, kCocEdit);
}

TEST_F(SkinnedEditTest, UnfocusedTheWholeWindowIsTheSectionWithTheTextFromTheFace) {
  const TsPixelBuffer face = Edit->SkinData().FCacheBmp.View();
  EXPECT_EQ(FirstDifference(face, Expected(0).View(), TBytes::tbAll, TextHole()), "");
  EXPECT_NE(FirstDifference(face, Expected(0).View()), "");
  const TsPixelImage screen = test::ReadWindow(Wnd());
  EXPECT_EQ(FirstDifference(screen.View(), face, TBytes::tbColour), "");
}

TEST_F(SkinnedEditTest, FocusedTheFrameIsTheActiveStateAndTheSystemPaintsTheInside) {
  Edit->SetFocus();
  C.PaintNow();
  ASSERT_EQ(GetFocus(), Wnd());
  const TsGenState& active = Section().Props[1];
  EXPECT_EQ(Edit->Color(), active.Color);
  EXPECT_EQ(Edit->Font().Color(), active.FontColor.Color);
  const TsPixelBuffer face = Edit->SkinData().FCacheBmp.View();
  EXPECT_EQ(FirstDifference(face, Expected(1).View(), TBytes::tbAll, TextHole()), "");
  const TsPixelImage screen = test::ReadWindow(Wnd());
  EXPECT_EQ(FirstDifference(screen.View(), face, TBytes::tbColour, Inside()), "");
  // Left of the centred text, the system's inside shows the active colour.
  const uint32_t inside = screen.View().At(Edit->FrameWidth() + 1, Edit->Height() / 2);
  EXPECT_EQ(inside & 0xFFFFFF, ColorToPixel(static_cast<uint32_t>(active.Color)) & 0xFFFFFF);

  // Losing the focus brings the whole face back, in the normal state.
  C.Panel->SetFocus();
  C.PaintNow();
  const TsGenState& normal = Section().Props[0];
  EXPECT_EQ(Edit->Color(), normal.Color);
  const TsPixelImage after = test::ReadWindow(Wnd());
  EXPECT_EQ(FirstDifference(after.View(), Expected(0).View(), TBytes::tbColour, TextHole()), "");
}

TEST_F(SkinnedEditTest, TheFrameAnswersHitTestsAsTheField) {
  const int w = Edit->Width(), h = Edit->Height();
  const TPoint points[] = {{0, 0}, {1, h / 2}, {w - 1, h - 1}, {w / 2, 0}, {w / 2, h / 2}};
  for (const TPoint& pt : points) {
    SCOPED_TRACE(std::to_string(pt.X) + "," + std::to_string(pt.Y));
    POINT p{pt.X, pt.Y};
    ClientToScreen(C.Panel->Handle(), &p);
    p.x += Edit->Left();
    p.y += Edit->Top();
    EXPECT_EQ(SendMessageW(Wnd(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCLIENT);
  }
}

// Holds the given keys down for the thread while in scope.
class TScopedKeys {
 public:
  explicit TScopedKeys(std::initializer_list<int> keys) {
    GetKeyboardState(FSaved);
    BYTE state[256];
    GetKeyboardState(state);
    for (int k : keys) state[k] = 0x80;
    SetKeyboardState(state);
  }
  ~TScopedKeys() { SetKeyboardState(FSaved); }

 private:
  BYTE FSaved[256];
};

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
      text = p;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return text;
}

TEST_F(SkinnedEditTest, KeyboardSelectionAndCopyWorkAndTheFrameStaysSkinned) {
  if (OpenClipboard(Wnd())) {
    EmptyClipboard();
    CloseClipboard();
  }
  Edit->SetFocus();
  SendMessageW(Wnd(), WM_KEYDOWN, VK_HOME, 0);
  {
    TScopedKeys shift({VK_SHIFT});
    SendMessageW(Wnd(), WM_KEYDOWN, VK_END, 0);
  }
  DWORD from = 0, to = 0;
  SendMessageW(Wnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, Edit->Text().size());
  {
    TScopedKeys ctrl({VK_CONTROL});
    SendMessageW(Wnd(), WM_CHAR, 3, 0);  // Ctrl+C
  }
  EXPECT_EQ(ClipboardText(Wnd()), platform::Utf8ToWide("VLM7-Q4TD-98KX-M2RF"));
  C.PaintNow();
  const TsPixelImage screen = test::ReadWindow(Wnd());
  EXPECT_EQ(FirstDifference(screen.View(), Expected(1).View(), TBytes::tbColour, Inside()), "");
}

// A refresh concerns the controls whose section it names by the low byte of
// its parameter, or every control when that byte is 0.
TEST_F(SkinnedEditTest, ARefreshConcernsTheSectionNamedInItsLowByte) {
  TsPanel& panel = *C.Panel;
  const int own = panel.SkinData().SkinIndex;
  ASSERT_GT(own, 0);
  const int other = GetSkinIndex(Skin(), "BUTTON");
  ASSERT_NE(other & 0xFF, own & 0xFF);
  struct TCase {
    int Param;
    bool Concerns;
  };
  const TCase cases[] = {
      {0, true}, {0x100, true}, {own, true}, {0x300 | own, true}, {other, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Param);
    C.PaintNow();
    ASSERT_FALSE(panel.SkinData().BGChanged);
    // The panel's face goes stale now and is painted again later.
    SendMessageW(panel.Handle(), WM_SKINCMD,
                 SkinCommandWParam(SKC_REFRESH, static_cast<WORD>(c.Param)),
                 reinterpret_cast<LPARAM>(C.Manager));
    EXPECT_EQ(panel.SkinData().BGChanged, c.Concerns);
  }
}

// The dark skin's options without its EDIT section.
std::string OptionsWithoutEdit() {
  std::string text = test::FileText(AC_SOURCE_DIR "/skins/VelmoraDark/Options.dat");
  const size_t from = text.find("[EDIT]");
  if (from == std::string::npos) return {};
  const size_t to = text.find("\n[", from);
  text.erase(from, to == std::string::npos ? std::string::npos : to + 1 - from);
  return text;
}

// Once no section dresses the field, it shows the system's window colours
// again, not the colours the last skin gave it.
TEST(SkinnedEditColours, FollowTheSystemWhenTheSkinGoesOrLacksAnEditSection) {
  const std::string skins = test::WindowsPath(AC_SOURCE_DIR "/skins");
  const std::string partial = OptionsWithoutEdit();
  ASSERT_FALSE(partial.empty());
  struct TCase {
    const char* Name;
    std::function<void(TsSkinManager&)> Leave;
  };
  const TCase cases[] = {
      {"skin switched off", [](TsSkinManager& m) { m.SetActive(false); }},
      {"a skin without an EDIT section",
       [&](TsSkinManager& m) {
         TacSkinEditorData data{};
         ASSERT_EQ(FillSkinEditorData(data, "Partial", "", skins + "\\VelmoraDark", partial), "");
         ASSERT_EQ(m.ApplyEditorPreview(data), eprApplied);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    test::TSkinnedControls controls{skins, "VelmoraDark"};
    TsEdit& edit = *controls.Edit;
    // The focused field shows the system's inside in the skin's colours.
    edit.SetFocus();
    const TacSkinData& dark = *edit.SkinData().CommonSkinData();
    const TsGenState& active = dark.gd[GetSkinIndex(dark, "EDIT")].Props[1];
    ASSERT_EQ(edit.Color(), active.Color);
    ASSERT_EQ(edit.Font().Color(), active.FontColor.Color);

    c.Leave(*controls.Manager);
    controls.PaintNow();
    EXPECT_FALSE(edit.SkinData().Skinned());
    EXPECT_EQ(edit.Color(), clWindow);
    EXPECT_EQ(edit.Font().Color(), clWindowText);
    // The inside, left of the centred text, is painted by the system in
    // those colours.
    const TsPixelImage screen = test::ReadWindow(edit.Handle());
    EXPECT_EQ(screen.View().At(4, edit.Height() / 2) & 0xFFFFFF,
              ColorToPixel(GetSysColor(COLOR_WINDOW)) & 0xFFFFFF);
  }
}

}  // namespace
}  // namespace ac
