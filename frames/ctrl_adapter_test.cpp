#include "frames/ctrl_adapter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "controls/state_fade.h"
#include "controls/ts_panel.h"
#include "frames/button_adapter.h"
#include "frames/check_box_adapter.h"
#include "frames/edit_adapter.h"
#include "framework/application_test_support.h"
#include "framework/button.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/label.h"
#include "framework/other_thread_test_support.h"
#include "manager/skin_command_delivery.h"
#include "paint/section_paint.h"
#include "skin/skin_data_lookup.h"
#include "win32/handle_counts.h"
#include "win32/scoped_window.h"

namespace ac {
namespace {

class TAdapterForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TAdapterForm"; }
};

// A framework button class of another name: not in the buttons list.
class TMyButton : public TButton {
 public:
  using TButton::TButton;
  std::string_view ClassName() const override { return "TMyButton"; }
};

// Section colours as the options file writes them ($00BBGGRR) and as
// COLORREF values, which have the same layout.
constexpr COLORREF kButtonNormal = 0x00203040;
constexpr COLORREF kButtonHot = 0x00506070;
constexpr COLORREF kButtonPressed = 0x00112233;
constexpr COLORREF kButtonText = 0x000000F0;
constexpr COLORREF kButtonHotText = 0x0000F000;
constexpr COLORREF kCheckColor = 0x00405060;
constexpr COLORREF kCheckText = 0x00F00000;
constexpr COLORREF kEditNormal = 0x00A0B0C0;
constexpr COLORREF kEditFocused = 0x00C0B0A0;
constexpr COLORREF kGroupColor = 0x00607080;
constexpr COLORREF kStaticText = 0x000080F0;
constexpr COLORREF kPanelColor = 0x00E0E0E0;
constexpr COLORREF kPanelText = 0x00102030;

// A skin of plain colours (no masks): each section's face is its colour on
// every pixel, so expected pixels are exact.
void WriteSkin(const std::wstring& folder) {
  CreateDirectoryW(folder.c_str(), nullptr);
  std::ofstream out(std::filesystem::path(folder + L"\\Options.dat"), std::ios::binary);
  const auto n = [](COLORREF c) { return std::to_string(c); };
  out << "[GLOBALINFO]\r\nVERSION=15.00\r\n"
      << "[BUTTON]\r\nSTATES=3\r\nUSESTATE2=1\r\nCOLOR=" << n(kButtonNormal)
      << "\r\nHOTCOLOR=" << n(kButtonHot) << "\r\nCOLOR2=" << n(kButtonPressed)
      << "\r\nFONTCOLOR=" << n(kButtonText) << "\r\nHOTFONTCOLOR=" << n(kButtonHotText)
      << "\r\nFONTCOLOR2=" << n(kButtonHotText) << "\r\n"
      << "[CHECKBOX]\r\nSTATES=3\r\nCOLOR=" << n(kCheckColor) << "\r\nHOTCOLOR=" << n(kCheckColor)
      << "\r\nCOLOR2=" << n(kCheckColor) << "\r\nFONTCOLOR=" << n(kCheckText)
      << "\r\nHOTFONTCOLOR=" << n(kCheckText) << "\r\nFONTCOLOR2=" << n(kCheckText) << "\r\n"
      << "[EDIT]\r\nSTATES=2\r\nCOLOR=" << n(kEditNormal) << "\r\nHOTCOLOR=" << n(kEditFocused)
      << "\r\nFONTCOLOR=0\r\nHOTFONTCOLOR=0\r\n"
      << "[GROUPBOX]\r\nSTATES=1\r\nCOLOR=" << n(kGroupColor) << "\r\nFONTCOLOR=0\r\n"
      << "[TRANSPARENT]\r\nSTATES=1\r\nCOLOR=0\r\nTRANSPARENCY=100\r\nFONTCOLOR=" << n(kStaticText)
      << "\r\n"
      << "[PANEL]\r\nSTATES=1\r\nCOLOR=" << n(kPanelColor) << "\r\nFONTCOLOR=" << n(kPanelText)
      << "\r\n";
}

std::string Narrow(const std::wstring& w) {
  return std::string(w.begin(), w.end());
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

LRESULT Skc(HWND window, TacSkinCommand code, LPARAM lp = 0) {
  // Through the system, as another process would ask.
  return SendMessageW(window, WM_SKINCMD, SkinCommandWParam(code), lp);
}

// A window class that copies BUTTON under another name.
const wchar_t* MyButtonClass() {
  static const wchar_t* name = [] {
    WNDCLASSW wc{};
    GetClassInfoW(nullptr, L"BUTTON", &wc);
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VelmoraTestButton";
    RegisterClassW(&wc);
    return L"VelmoraTestButton";
  }();
  return name;
}

class CtrlAdapterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    Dir = std::wstring(temp) + L"acadapt" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(Dir.c_str(), nullptr);
    WriteSkin(Dir + L"\\Plain");
    Form->SetBounds(40, 40, 420, 300);
    Button = test::AddControl<TButton>(Form, Form, 10, 10, 90, 24);
    Button->SetCaption("Framework");
    Button->OnClick = [this](TComponent*) { ++FrameworkClicks; };
    Edit = test::AddControl<TEdit>(Form, Form, 10, 40, 120, 22);
    Other = test::AddControl<TMyButton>(Form, Form, 10, 70, 90, 24);
    Tagged = test::AddControl<TButton>(Form, Form, 10, 100, 90, 24);
    Tagged->Tag = kNoSkinTag;
    Manager = new TsSkinManager(Form);
    Manager->Messages = &Messages;
    Manager->SkinDirectory = Narrow(Dir);
    Manager->ThirdParty[0] = "TEdit";
    Manager->SetSkinName("Plain");
    // The form hands its skin commands to the adapter, as a frame adapter does.
    FormHook = Form->HookWindowProc([this](TMessage& m, const TWndMethod& previous) {
      if (m.Msg == WM_COMMAND && HIWORD(m.WParam) == BN_CLICKED &&
          reinterpret_cast<HWND>(m.LParam) == Push.Get())
        Clicked.push_back(LOWORD(m.WParam));
      Adapter.HandleFormCommand(*Form, m);
      previous(m);
    });
    Form->Show();
    HWND form = Form->Handle();
    const auto make = [&](const wchar_t* cls, DWORD style, const wchar_t* text, int x, int y, int w,
                          int h, int id, DWORD exStyle = 0) {
      return platform::ScopedWindow(CreateWindowExW(
          exStyle, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, w, h, form,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr));
    };
    Push = make(L"BUTTON", BS_PUSHBUTTON, L"Push", 150, 10, 90, 24, 101);
    Check = make(L"BUTTON", BS_AUTOCHECKBOX, L"Check", 150, 40, 120, 20, 102);
    Radio = make(L"BUTTON", BS_AUTORADIOBUTTON, L"Radio", 150, 64, 120, 20, 103);
    Group = make(L"BUTTON", BS_GROUPBOX, L"Group", 290, 10, 120, 80, 104);
    // A sunken frame, as a dialog's edit has.
    PlainEdit = make(L"EDIT", ES_AUTOHSCROLL, L"", 150, 90, 120, 22, 105, WS_EX_CLIENTEDGE);
    Static = make(L"STATIC", SS_LEFT, L"Static text", 150, 120, 120, 20, 106);
    Foreign = make(MyButtonClass(), BS_PUSHBUTTON, L"Mine", 150, 150, 90, 24, 107);
    for (HWND w : {Push.Get(), Check.Get(), Radio.Get(), Group.Get(), PlainEdit.Get(), Static.Get(),
                   Foreign.Get()})
      OriginalProcs.push_back(GetWindowLongPtrW(w, GWLP_WNDPROC));
    AdaptAll();
  }

  void TearDown() override {
    Adapter.RemoveAll();
    FormHook.Unhook();
  }

  void AdaptAll() {
    Adapter.AddAllItems(*Form);
    Adapter.AdaptChildren(Form->Handle());
    PaintNow();
  }

  void PaintNow() {
    RedrawWindow(Form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  TacSkinData& Skin() { return Manager->Core.CommonSkinData(96); }

  // The screen pixel of Window's client area at (X, Y).
  static COLORREF ScreenPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
  }

  // True when some pixel of R (client coordinates) on screen has Color.
  static bool ShowsColor(HWND window, const RECT& r, COLORREF color) {
    HDC dc = GetDC(window);
    bool found = false;
    for (int y = r.top; y < r.bottom && !found; ++y)
      for (int x = r.left; x < r.right && !found; ++x) found = GetPixel(dc, x, y) == color;
    ReleaseDC(window, dc);
    return found;
  }

  // The cached face of an adapter equals what the paint layer renders for
  // Section in State over the parent's colour, outside Skip.
  ::testing::AssertionResult FaceIsSection(TacMainWnd& adapter, const char* section, int state,
                                           const TRect& skip) {
    const TBitmap& cache = adapter.SkinData().FCacheBmp;
    if (cache.Empty()) return ::testing::AssertionFailure() << "no face";
    TBitmap expected(cache.Width(), cache.Height());
    TCacheInfo parent;
    parent.FillColor = TsColor(static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    PaintSection(expected.View(), TRect::XYWH(0, 0, cache.Width(), cache.Height()), Skin(),
                 GetSkinIndex(Skin(), section), state, parent, TPoint{0, 0});
    for (int y = 0; y < cache.Height(); ++y)
      for (int x = 0; x < cache.Width(); ++x) {
        if (skip.Contains(TPoint{x, y})) continue;
        const uint32_t got = cache.View().At(x, y) & 0xFFFFFF;
        const uint32_t want = expected.View().At(x, y) & 0xFFFFFF;
        if (got != want)
          return ::testing::AssertionFailure()
                 << section << " state " << state << " pixel " << x << "," << y << " is "
                 << std::hex << got << " not " << want;
      }
    return ::testing::AssertionSuccess();
  }

  std::wstring Dir;
  test::TTestApplication App;
  TRecordingSink Messages;
  TAdapterForm* Form = new TAdapterForm(&App.App);
  TButton* Button = nullptr;
  TEdit* Edit = nullptr;
  TMyButton* Other = nullptr;
  TButton* Tagged = nullptr;
  TsSkinManager* Manager = nullptr;
  TacCtrlAdapter Adapter;
  TWindowProcHook FormHook;
  platform::ScopedWindow Push, Check, Radio, Group, PlainEdit, Static, Foreign;
  std::vector<LONG_PTR> OriginalProcs;
  std::vector<WORD> Clicked;
  int FrameworkClicks = 0;
};

// WM_SKINCMD is a fixed number: another thread or process may send it with
// an LParam that is an address of its own, or junk. The adapters read no
// section name or record for it and answer only plain questions.
TEST_F(CtrlAdapterTest, AdaptersReadNothingOtherThreadsPointAt) {
  const auto fromElsewhere = [](HWND w, TacSkinCommand code, LPARAM lp) {
    return test::SendFromAnotherThread(w, WM_SKINCMD, SkinCommandWParam(code), lp);
  };
  auto* push = reinterpret_cast<TacMainWnd*>(Skc(Push.Get(), SKC_GETADAPTER));
  ASSERT_NE(push, nullptr);
  const std::string section = push->SkinData().SkinSection();
  const int index = push->SkinData().SkinIndex;
  static const char kOther[] = "EDIT";
  EXPECT_EQ(fromElsewhere(Push.Get(), SKC_SETSECTION, reinterpret_cast<LPARAM>(kOther)), 0);
  EXPECT_EQ(push->SkinData().SkinSection(), section);
  TacSectionAtQuery query;
  query.Bounds = TRect::XYWH(2, 2, 10, 10);
  EXPECT_EQ(fromElsewhere(Push.Get(), SKC_SECTIONAT, reinterpret_cast<LPARAM>(&query)), 0);
  EXPECT_EQ(query.SkinIndex, -1);
  fromElsewhere(Push.Get(), SKC_REMOVESKIN, 0);
  EXPECT_EQ(push->SkinData().SkinIndex, index);
  EXPECT_EQ(GetWindowLongPtrW(Push.Get(), GWLP_WNDPROC) == OriginalProcs[0], false);
  EXPECT_EQ(fromElsewhere(Push.Get(), SKC_ISSKINNED, 0), 1);
  // This thread's own commands still set it.
  EXPECT_EQ(Skc(Push.Get(), SKC_SETSECTION, reinterpret_cast<LPARAM>(kOther)), 1);
  EXPECT_EQ(push->SkinData().SkinSection(), kOther);
}

TEST_F(CtrlAdapterTest, EachStandardControlIsTakenOverByItsKindAndNamesItsSkinData) {
  const struct {
    HWND Window;
    LRESULT Kind;  // number of the default section in the table of kinds
    bool ScrollCapable;
  } cases[] = {
      {Button->Handle(), 2, false}, {Push.Get(), 2, false},   {Check.Get(), 5, false},
      {Radio.Get(), 5, false},      {Group.Get(), 9, false},  {Edit->Handle(), 1, true},
      {PlainEdit.Get(), 1, true},   {Static.Get(), 3, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(TextOf(c.Window).size());
    TacMainWnd* adapter = Adapter.AdapterOf(c.Window);
    ASSERT_NE(adapter, nullptr);
    EXPECT_EQ(GetPropW(c.Window, kCommonDataProp),
              static_cast<TacCommonDataBase*>(&adapter->SkinData()));
    EXPECT_EQ(GetPropW(c.Window, kScrollAdapterProp) != nullptr, c.ScrollCapable);
    EXPECT_EQ(Skc(c.Window, SKC_ISSKINNED), 1);
    EXPECT_EQ(Skc(c.Window, SKC_GETKIND), c.Kind);
    EXPECT_EQ(Skc(c.Window, SKC_GETADAPTER), reinterpret_cast<LRESULT>(adapter));
  }
  // Another class name, even one copying a listed class, or the no-skin tag.
  for (HWND plain : {Other->Handle(), Foreign.Get(), Tagged->Handle()}) {
    EXPECT_EQ(Adapter.AdapterOf(plain), nullptr);
    EXPECT_EQ(GetPropW(plain, kCommonDataProp), nullptr);
    EXPECT_EQ(Skc(plain, SKC_ISSKINNED), 0);
  }
  // A second walk takes nothing twice.
  const size_t items = Adapter.Items().size();
  AdaptAll();
  EXPECT_EQ(Adapter.Items().size(), items);
}

TEST_F(CtrlAdapterTest, PushButtonsPaintTheirSectionInTheStateTheyAreIn) {
  auto& push = *dynamic_cast<TacBtnWnd*>(Adapter.AdapterOf(Push.Get()));
  const TRect skip = TRect::LTRB(4, 2, 86, 22);  // where a caption may be
  const struct {
    const char* What;
    std::function<void()> Act;
    int State;
    COLORREF Face;
  } cases[] = {
      {"normal", [] {}, 0, kButtonNormal},
      {"focused", [&] { SetFocus(Push.Get()); }, 1, kButtonHot},
      {"pressed", [&] { SendMessageW(Push.Get(), BM_SETSTATE, TRUE, 0); }, 2, kButtonPressed},
      {"released", [&] { SendMessageW(Push.Get(), BM_SETSTATE, FALSE, 0); }, 1, kButtonHot},
      {"default button of a plain window",
       [&] {
         SetFocus(Form->Handle());
         SendMessageW(Push.Get(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
       },
       1, kButtonHot},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    c.Act();
    PaintNow();
    EXPECT_TRUE(FaceIsSection(push, "BUTTON", c.State, skip));
    EXPECT_EQ(ScreenPixel(Push.Get(), 1, 1), c.Face);
    EXPECT_EQ(ScreenPixel(Push.Get(), 88, 22), c.Face);
  }
}

TEST_F(CtrlAdapterTest, TheMouseOverAButtonFadesItToItsHotFaceAndLeavingFadesItBack) {
  auto& push = *Adapter.AdapterOf(Push.Get());
  std::vector<uint32_t> corners;  // the corner pixel of every frame shown
  TFadeFrameWatch watch([&](const TsCommonData& data, const TBitmap& frame) {
    if (&data == &push.SkinData()) corners.push_back(frame.View().At(1, 1) & 0xFFFFFF);
  });
  const auto pixel = [](COLORREF c) {  // COLORREF as the bytes of a pixel
    return static_cast<uint32_t>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
  };
  const struct {
    const char* What;
    std::function<void()> Act;
    COLORREF From, To;
  } cases[] = {
      {"enter", [&] { SendMessageW(Push.Get(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3)); }, kButtonNormal,
       kButtonHot},
      {"leave", [&] { SendMessageW(Push.Get(), WM_MOUSELEAVE, 0, 0); }, kButtonHot, kButtonNormal},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    corners.clear();
    c.Act();
    ASSERT_TRUE(test::PumpUntil([&] { return !IsAnimating(push.SkinData()); }));
    ASSERT_FALSE(corners.empty());
    // Frames move from the old face to the new one and end on it.
    EXPECT_NE(corners.front(), pixel(c.From));
    EXPECT_EQ(corners.back(), pixel(c.To));
    EXPECT_EQ(ScreenPixel(Push.Get(), 1, 1), c.To);
  }
}

TEST_F(CtrlAdapterTest, CaptionsAreWrittenInTheSectionFontColourOfTheirState) {
  PaintNow();
  const RECT whole{0, 0, 90, 24};
  EXPECT_TRUE(ShowsColor(Push.Get(), whole, kButtonText));
  EXPECT_FALSE(ShowsColor(Push.Get(), whole, kButtonHotText));
  SetFocus(Push.Get());
  PaintNow();
  EXPECT_TRUE(ShowsColor(Push.Get(), whole, kButtonHotText));
  // The framework button is dressed the same way.
  EXPECT_TRUE(ShowsColor(Button->Handle(), whole, kButtonText));
  EXPECT_TRUE(ShowsColor(Static.Get(), RECT{0, 0, 120, 20}, kStaticText));
  EXPECT_TRUE(ShowsColor(Check.Get(), RECT{17, 0, 120, 20}, kCheckText));
}

TEST_F(CtrlAdapterTest, AnOkButtonOfADialogWritesInTheDialogGreen) {
  platform::ScopedWindow ok(CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE, 10, 200, 90,
                                            24, Form->Handle(), reinterpret_cast<HMENU>(IDOK),
                                            nullptr, nullptr));
  Adapter.AdaptChildren(Form->Handle());
  ASSERT_NE(Adapter.AdapterOf(ok.Get()), nullptr);
  PaintNow();
  const RECT whole{0, 0, 90, 24};
  EXPECT_TRUE(ShowsColor(ok.Get(), whole, 0x0028851A));
  EXPECT_FALSE(ShowsColor(ok.Get(), whole, kButtonText));
}

TEST_F(CtrlAdapterTest, CheckBoxesAndRadioButtonsToggleByMouseAndShowTheirMark) {
  for (HWND box : {Check.Get(), Radio.Get()}) {
    auto& adapter = *dynamic_cast<TacCheckBoxWnd*>(Adapter.AdapterOf(box));
    const TRect mark = adapter.MarkRect();
    const POINT centre{(mark.Left + mark.Right) / 2, (mark.Top + mark.Bottom) / 2};
    PaintNow();
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(ScreenPixel(box, centre.x, centre.y), kCheckColor);
    const LPARAM at = MAKELPARAM(centre.x, centre.y);
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(box, WM_LBUTTONUP, 0, at);
    PaintNow();
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    // Checked: a square of the section's font colour inside the box.
    EXPECT_EQ(ScreenPixel(box, centre.x, centre.y), kCheckText);
    EXPECT_EQ(ScreenPixel(box, mark.Left, mark.Top), kCheckColor);
  }
}

TEST_F(CtrlAdapterTest, ButtonsClickAndEditsTakeTypingThroughTheAdapters) {
  // Space presses and releases a focused button.
  for (HWND button : {Push.Get(), Button->Handle()}) {
    SetFocus(button);
    SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageW(button, WM_KEYUP, VK_SPACE, 0xC0390001);
  }
  EXPECT_EQ(Clicked, std::vector<WORD>{101});
  EXPECT_EQ(FrameworkClicks, 1);
  // A mouse click.
  SendMessageW(Push.Get(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(Push.Get(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Clicked, (std::vector<WORD>{101, 101}));
  for (HWND edit : {PlainEdit.Get(), Edit->Handle()}) {
    SetFocus(edit);
    for (wchar_t ch : std::wstring(L"ab")) SendMessageW(edit, WM_CHAR, ch, 1);
    EXPECT_EQ(TextOf(edit), L"ab");
  }
  EXPECT_EQ(Edit->Text(), "ab");
}

TEST_F(CtrlAdapterTest, EditFramesAreTheirSectionAndLightUpWithTheFocus) {
  for (HWND edit : {PlainEdit.Get(), Edit->Handle()}) {
    HDC dc = GetWindowDC(edit);
    SetFocus(Form->Handle());
    PaintNow();
    EXPECT_EQ(GetPixel(dc, 0, 0), kEditNormal);
    SetFocus(edit);
    PaintNow();
    EXPECT_EQ(GetPixel(dc, 0, 0), kEditFocused);
    ReleaseDC(edit, dc);
  }
}

TEST_F(CtrlAdapterTest, RemovingTheSkinGivesEveryWindowBackAndANewSkinTakesThemAgain) {
  Manager->SetActive(false);
  const HWND windows[] = {Push.Get(),      Check.Get(),  Radio.Get(),  Group.Get(),
                          PlainEdit.Get(), Static.Get(), Foreign.Get()};
  for (size_t i = 0; i < std::size(windows); ++i) {
    EXPECT_EQ(GetWindowLongPtrW(windows[i], GWLP_WNDPROC), OriginalProcs[i]) << i;
    EXPECT_EQ(GetPropW(windows[i], kCommonDataProp), nullptr) << i;
    EXPECT_EQ(GetPropW(windows[i], kScrollAdapterProp), nullptr) << i;
  }
  for (HWND framework : {Button->Handle(), Edit->Handle()}) {
    EXPECT_EQ(GetPropW(framework, kCommonDataProp), nullptr);
    EXPECT_EQ(Skc(framework, SKC_ISSKINNED), 0);
  }
  // The system paints them again.
  PaintNow();
  EXPECT_NE(ScreenPixel(Push.Get(), 1, 1), kButtonNormal);
  Manager->SetActive(true);
  PaintNow();
  for (HWND w : {Push.Get(), Button->Handle(), Edit->Handle(), Static.Get()})
    EXPECT_EQ(Skc(w, SKC_ISSKINNED), 1);
  EXPECT_EQ(ScreenPixel(Push.Get(), 1, 1), kButtonNormal);
}

LONG_PTR gBeneath = 0;
LRESULT CALLBACK OnTop(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  return CallWindowProcW(reinterpret_cast<WNDPROC>(gBeneath), w, msg, wp, lp);
}

TEST_F(CtrlAdapterTest, AProcedurePutOnTopOfTheAdapterStaysAndKeepsTheWindowWorking) {
  HWND edit = PlainEdit.Get();
  gBeneath = SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OnTop));
  Manager->SetActive(false);
  EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OnTop));
  EXPECT_EQ(GetPropW(edit, kCommonDataProp), nullptr);
  EXPECT_EQ(Skc(edit, SKC_ISSKINNED), 0);
  SendMessageW(edit, WM_CHAR, L'z', 1);
  EXPECT_EQ(TextOf(edit), L"z");
  // The window still goes cleanly with our pass-through beneath the other.
  PlainEdit.Reset();
}

TEST_F(CtrlAdapterTest, AControlDestroyedBeforeItsAdapterLeavesNothingBehind) {
  HWND window = Button->Handle();
  delete Button;
  Button = nullptr;
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Adapter.AdapterOf(window), nullptr);
  // The next walk drops the item; giving everything back touches no freed
  // control.
  AdaptAll();
  for (const TacAdapterItem& item : Adapter.Items()) EXPECT_NE(item.Window, window);
  Adapter.RemoveAll();
  EXPECT_TRUE(Adapter.Items().empty());
}

TEST_F(CtrlAdapterTest, ATaggedParentKeepsItsChildrenPlain) {
  auto* holder = test::AddControl<TsPanel>(Form, Form, 10, 200, 120, 60);
  holder->Tag = kNoSkinTag | 1;
  auto* inside = test::AddControl<TButton>(Form, holder, 5, 5, 80, 24);
  Adapter.AddAllItems(*Form);
  EXPECT_EQ(Adapter.AdapterOf(inside->Handle()), nullptr);
  holder->Tag = 0;
  Adapter.AddAllItems(*Form);
  EXPECT_NE(Adapter.AdapterOf(inside->Handle()), nullptr);
}

TEST_F(CtrlAdapterTest, AHundredAdaptAndRemoveCyclesHoldNoMoreObjects) {
  const auto cycle = [&] {
    Adapter.RemoveAll();
    PaintNow();
    AdaptAll();
  };
  cycle();
  const platform::THandleCounts first = platform::LiveHandleCounts();
  for (int i = 0; i < 100; ++i) cycle();
  EXPECT_EQ(platform::LiveHandleCounts(), first);
  EXPECT_EQ(ScreenPixel(Push.Get(), 1, 1), kButtonNormal);
}

TEST_F(CtrlAdapterTest, LabelsTakeTheColourOfTheSectionUnderThemAndGiveItBack) {
  auto* panel = test::AddControl<TsPanel>(Form, Form, 10, 200, 200, 60);
  auto* plain = test::AddControl<TLabel>(Form, panel, 5, 5, 60, 16);
  auto* link = test::AddControl<TLabel>(Form, panel, 70, 5, 60, 16);
  link->Font().SetColor(clHighlight);
  auto* tagged = test::AddControl<TLabel>(Form, panel, 5, 30, 60, 16);
  tagged->Tag = kNoSkinTag;
  auto* parented = test::AddControl<TLabel>(Form, Form, 250, 200, 60, 16);
  panel->SkinData().UpdateIndexes();
  const TColor formFont = Form->Font().Color();
  Adapter.AddAllItems(*Form);
  EXPECT_EQ(plain->Font().Color(), static_cast<TColor>(kPanelText));
  EXPECT_EQ(link->Font().Color(), clHighlight);
  EXPECT_EQ(tagged->Font().Color(), formFont);
  // A label on an unskinned form keeps what the form would give it.
  EXPECT_EQ(parented->Font().Color(), formFont);
  EXPECT_TRUE(plain->Transparent());
  Manager->SetActive(false);
  EXPECT_EQ(plain->Font().Color(), formFont);
  EXPECT_TRUE(plain->ParentFont());
  EXPECT_EQ(link->Font().Color(), clHighlight);
  EXPECT_TRUE(Adapter.SavedLabelColors().empty());
}

TEST_F(CtrlAdapterTest, ALabelFreedWhileColouredIsForgottenNotWrittenThrough) {
  auto* panel = test::AddControl<TsPanel>(Form, Form, 10, 200, 200, 60);
  auto* doomed = test::AddControl<TLabel>(Form, panel, 5, 5, 60, 16);
  panel->SkinData().UpdateIndexes();
  Adapter.AddAllItems(*Form);
  ASSERT_EQ(doomed->Font().Color(), static_cast<TColor>(kPanelText));
  const void* freed = doomed;
  TComponent::Free(doomed);
  // The allocator hands the freed memory to the next label of the same
  // size: a label the adapter never coloured, with a colour of its own.
  TLabel* heir = nullptr;
  for (int i = 0; i < 16 && !heir; ++i) {
    auto* label = test::AddControl<TLabel>(Form, Form, 250, 200 + 20 * i, 60, 16);
    label->Tag = kNoSkinTag;
    label->Font().SetColor(clHighlight);
    if (label == freed) heir = label;
  }
  ASSERT_NE(heir, nullptr) << "no label took the freed one's place";
  Manager->SetActive(false);
  EXPECT_EQ(heir->Font().Color(), clHighlight);
  EXPECT_FALSE(heir->ParentFont());
  EXPECT_TRUE(Adapter.SavedLabelColors().empty());
}

// A MessageBox's child windows, handed to the adapter when it activates.
struct TDialogCatch {
  TacCtrlAdapter* Adapter = nullptr;
  HWND Dialog = nullptr;
  bool OkAdapted = false;
  bool TextAdapted = false;
  bool ByKeyboard = false;
};
TDialogCatch* gCatch = nullptr;

LRESULT CALLBACK CatchDialogs(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE && gCatch && !gCatch->Dialog) {
    HWND dialog = reinterpret_cast<HWND>(wp);
    wchar_t cls[16] = {};
    GetClassNameW(dialog, cls, 16);
    if (std::wstring(cls) == L"#32770") {
      gCatch->Dialog = dialog;
      gCatch->Adapter->AdaptChildren(dialog);
      HWND ok = GetDlgItem(dialog, IDOK);
      gCatch->OkAdapted =
          gCatch->Adapter->AdapterOf(ok) != nullptr && GetPropW(ok, kCommonDataProp) != nullptr;
      HWND text = GetDlgItem(dialog, 0xFFFF);
      gCatch->TextAdapted = text && gCatch->Adapter->AdapterOf(text) != nullptr;
      if (gCatch->ByKeyboard) {
        PostMessageW(ok, WM_KEYDOWN, VK_SPACE, 0x00390001);
        PostMessageW(ok, WM_KEYUP, VK_SPACE, 0xC0390001);
      } else {
        PostMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
      }
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(CtrlAdapterTest, AMessageBoxHandedToTheAdapterHasItsButtonsDressedAndCloses) {
  for (bool keyboard : {false, true}) {
    SCOPED_TRACE(keyboard ? "keyboard" : "mouse");
    TDialogCatch caught{&Adapter};
    caught.ByKeyboard = keyboard;
    gCatch = &caught;
    HHOOK hook = SetWindowsHookExW(WH_CBT, CatchDialogs, nullptr, GetCurrentThreadId());
    const int result = MessageBoxW(Form->Handle(), L"Adapted", L"Velmora", MB_OK);
    UnhookWindowsHookEx(hook);
    gCatch = nullptr;
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(caught.OkAdapted);
    EXPECT_TRUE(caught.TextAdapted);
    EXPECT_FALSE(IsWindow(caught.Dialog));
    // The dialog's items go with it.
    Adapter.AdaptChildren(Form->Handle());
    for (const TacAdapterItem& item : Adapter.Items()) EXPECT_TRUE(IsWindow(item.Window));
  }
}

}  // namespace
}  // namespace ac
