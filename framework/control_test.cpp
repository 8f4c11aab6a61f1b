#include "framework/control.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "framework/application_test_support.h"
#include "framework/bitmap.h"
#include "framework/button.h"
#include "framework/edit.h"
#include "framework/form.h"
#include "framework/label.h"
#include "framework/panel.h"
#include "win32/handle_counts.h"

namespace ac {
namespace {

class TPlainForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TPlainForm"; }
};

class ControlTest : public ::testing::Test {
 protected:
  test::TTestApplication App;
  std::unique_ptr<TPlainForm> Form = std::make_unique<TPlainForm>(nullptr);

  template <typename T>
  T* Add(TWinControl* parent, int left, int top, int width, int height) {
    return test::AddControl<T>(Form.get(), parent, left, top, width, height);
  }
};

TEST_F(ControlTest, ReplacedWindowProcSeesEveryMessageAndChains) {
  auto* edit = Add<TEdit>(Form.get(), 0, 0, 100, 20);
  std::vector<UINT> seen;
  // The token unhooks before the locals the replacement uses go away.
  TWindowProcHook hook = edit->HookWindowProc([&](TMessage& m, const TWndMethod& previous) {
    seen.push_back(m.Msg);
    previous(m);
  });
  Form->HandleNeeded();
  edit->SetText("abc");
  EXPECT_EQ(edit->Text(), "abc");
  const auto count = [&](UINT msg) { return std::count(seen.begin(), seen.end(), msg); };
  EXPECT_GE(count(WM_SETTEXT), 1);
  EXPECT_EQ(count(CM_TEXTCHANGED), 1);
  // A message through the window itself reaches the replacement too.
  SendMessageW(edit->Handle(), WM_GETTEXTLENGTH, 0, 0);
  EXPECT_GE(count(WM_GETTEXTLENGTH), 1);
  EXPECT_EQ(SendMessageW(edit->Handle(), WM_GETTEXTLENGTH, 0, 0), 3);
}

TEST_F(ControlTest, PropertyChangesAreNotified) {
  auto* label = Add<TLabel>(Form.get(), 0, 0, 50, 13);
  std::vector<UINT> seen;
  // The token unhooks before the locals the replacement uses go away.
  TWindowProcHook hook = label->HookWindowProc([&](TMessage& m, const TWndMethod& previous) {
    // Invalidating is a consequence, not a notification of the property.
    if (m.Msg >= CM_BASE && m.Msg < CM_BASE + 0x100 && m.Msg != CM_INVALIDATE)
      seen.push_back(m.Msg);
    previous(m);
  });
  label->SetEnabled(false);
  label->SetEnabled(false);  // no change, no notification
  label->SetVisible(false);
  label->SetText("x");
  label->SetColor(clWhite);
  label->SetCursor(TCursor::crHandPoint);
  label->Font().SetHeight(-20);
  const std::vector<UINT> expected = {CM_ENABLEDCHANGED, CM_VISIBLECHANGED, CM_TEXTCHANGED,
                                      CM_COLORCHANGED,   CM_CURSORCHANGED,  CM_FONTCHANGED};
  EXPECT_EQ(seen, expected);
  EXPECT_FALSE(label->ParentFont());
}

TEST_F(ControlTest, ParentFontAndColorFollowTheParent) {
  auto* panel = Add<TPanel>(Form.get(), 0, 0, 100, 50);
  auto* own = Add<TLabel>(panel, 0, 0, 10, 10);
  auto* inherits = Add<TLabel>(panel, 0, 20, 10, 10);
  own->Font().SetName("Courier New");
  Form->Font().SetHeight(-15);
  EXPECT_EQ(panel->Font().Height(), -15);
  EXPECT_EQ(inherits->Font().Height(), -15);
  EXPECT_EQ(own->Font().Height(), -11);
  Form->SetColor(clWhite);
  EXPECT_EQ(panel->Color(), clWhite);
}

TEST_F(ControlTest, WindowClassesAreNamedAfterTheirControls) {
  auto* panel = Add<TPanel>(Form.get(), 0, 0, 100, 50);
  auto* edit = Add<TEdit>(panel, 0, 0, 80, 20);
  auto* button = Add<TButton>(panel, 0, 25, 80, 20);
  Form->HandleNeeded();
  wchar_t name[64];
  GetClassNameW(edit->Handle(), name, 64);
  EXPECT_STREQ(name, L"TEdit");
  GetClassNameW(button->Handle(), name, 64);
  EXPECT_STREQ(name, L"TButton");
  EXPECT_EQ(GetParent(edit->Handle()), panel->Handle());
  // The system edit behind the class still edits.
  SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"hello"));
  SendMessageW(edit->Handle(), EM_SETSEL, 1, 3);
  DWORD start = 0, end = 0;
  SendMessageW(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
  EXPECT_EQ(edit->Text(), "hello");
}

TEST_F(ControlTest, ChildWindowsAreOrderedByTabOrder) {
  auto* a = Add<TEdit>(Form.get(), 0, 0, 80, 20);
  auto* b = Add<TButton>(Form.get(), 0, 25, 80, 20);
  auto* c = Add<TEdit>(Form.get(), 0, 50, 80, 20);
  a->SetTabOrder(2);
  b->SetTabOrder(0);
  c->SetTabOrder(1);
  Form->HandleNeeded();
  HWND first = GetWindow(Form->Handle(), GW_CHILD);
  EXPECT_EQ(first, b->Handle());
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), c->Handle());
  EXPECT_EQ(GetNextDlgTabItem(Form->Handle(), b->Handle(), FALSE), c->Handle());
  EXPECT_EQ(GetNextDlgTabItem(Form->Handle(), c->Handle(), FALSE), a->Handle());
  // Windows that exist follow a later change.
  a->SetTabOrder(0);
  first = GetWindow(Form->Handle(), GW_CHILD);
  EXPECT_EQ(first, a->Handle());
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), b->Handle());
  EXPECT_EQ(GetWindow(b->Handle(), GW_HWNDNEXT), c->Handle());
}

TEST_F(ControlTest, OnlyWindowsOfFrameworkClassesOfThisProcessHaveAControl) {
  auto* edit = Add<TEdit>(Form.get(), 0, 0, 80, 20);
  Form->HandleNeeded();
  EXPECT_EQ(TWinControl::FindControl(Form->Handle()), Form.get());
  EXPECT_EQ(TWinControl::FindControl(edit->Handle()), edit);
  // Someone else's procedure on top does not hide the control.
  const auto previous =
      SetWindowLongPtrW(edit->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
  EXPECT_EQ(TWinControl::FindControl(edit->Handle()), edit);
  SetWindowLongPtrW(edit->Handle(), GWLP_WNDPROC, previous);
  EXPECT_EQ(TWinControl::FindControl(nullptr), nullptr);
  EXPECT_EQ(TWinControl::FindControl(GetDesktopWindow()), nullptr);
  // A dialog keeps data of its own in the first bytes after its window.
  const HWND dialog = CreateWindowExW(0, L"#32770", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(TWinControl::FindControl(dialog), nullptr);
  DestroyWindow(dialog);
  const HWND gone = edit->Handle();
  Form->DestroyHandle();
  EXPECT_EQ(TWinControl::FindControl(gone), nullptr);
}

TEST_F(ControlTest, ButtonClickComesFromTheSystemButton) {
  auto* button = Add<TButton>(Form.get(), 0, 0, 80, 20);
  int clicks = 0;
  button->OnClick = [&](TComponent* s) {
    EXPECT_EQ(s, button);
    ++clicks;
  };
  Form->HandleNeeded();
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlTest, ActiveControlGetsTheFocusWhenTheFormIsShown) {
  auto* panel = Add<TPanel>(Form.get(), 0, 0, 100, 50);
  auto* edit = Add<TEdit>(panel, 0, 0, 80, 20);
  Form->OnShow = [&](TComponent*) { panel->SetFocus(); };
  Form->Show();
  EXPECT_TRUE(test::PumpUntil([&] { return panel->Focused(); }));
  EXPECT_EQ(Form->ActiveControl(), panel);
  edit->SetFocus();
  EXPECT_TRUE(edit->Focused());
  // A disabled control gives the focus back to its form.
  edit->SetEnabled(false);
  EXPECT_FALSE(edit->Focused());
  EXPECT_EQ(GetFocus(), Form->Handle());
}

TEST_F(ControlTest, ScalingMultipliesBoundsAndOwnFonts) {
  auto* panel = Add<TPanel>(Form.get(), 1, 3, 260, 97);
  auto* label = Add<TLabel>(panel, 166, 79, 36, 13);
  label->SetAutoSize(false);
  label->SetParentFont(false);
  Form->SetClientSize(262, 102);
  Form->ScaleBy(144, 96);
  EXPECT_EQ(panel->BoundsRect(), TRect::LTRB(2, 5, 392, 150));
  EXPECT_EQ(label->BoundsRect(), TRect::LTRB(249, 119, 303, 138));
  EXPECT_EQ(label->Font().Height(), -17);
  Form->HandleNeeded();
  EXPECT_EQ(Form->ClientWidth(), 393);
  EXPECT_EQ(Form->ClientHeight(), 153);
}

TEST_F(ControlTest, AutoSizeLabelTakesItsTextsSize) {
  auto* label = Add<TLabel>(Form.get(), 0, 0, 5, 5);
  label->SetText("Some text");
  const int oneLine = label->Height();
  EXPECT_GT(label->Width(), 20);
  EXPECT_GT(oneLine, 8);
  label->SetWordWrap(true);
  label->SetBounds(0, 0, 40, 5);
  label->SetText("Some longer text that wraps");
  EXPECT_EQ(label->Width(), 40);
  EXPECT_GE(label->Height(), 2 * oneLine);
}

TEST_F(ControlTest, WindowlessLabelClickArrivesThroughItsParent) {
  auto* label = Add<TLabel>(Form.get(), 10, 10, 40, 13);
  label->SetCursor(TCursor::crHandPoint);
  int clicks = 0;
  label->OnClick = [&](TComponent*) { ++clicks; };
  Form->HandleNeeded();
  const LPARAM inside = MAKELPARAM(15, 15), outside = MAKELPARAM(100, 100);
  SendMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
  SendMessageW(Form->Handle(), WM_LBUTTONUP, 0, inside);
  EXPECT_EQ(clicks, 1);
  // Released elsewhere: no click.
  SendMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
  SendMessageW(Form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
  SendMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, outside);
  SendMessageW(Form->Handle(), WM_LBUTTONUP, 0, outside);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlTest, TheCursorIsTheOneOfTheControlUnderTheMouse) {
  auto* label = Add<TLabel>(Form.get(), 10, 10, 40, 13);
  label->SetCursor(TCursor::crHandPoint);
  Form->Show();
  POINT p{20, 15};
  ClientToScreen(Form->Handle(), &p);
  SetCursorPos(p.x, p.y);
  SendMessageW(Form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Form->Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(ControlTest, MouseEnterAndLeaveFollowTheControlUnderTheMouse) {
  auto* label = Add<TLabel>(Form.get(), 10, 10, 40, 13);
  std::vector<UINT> seen;
  // The token unhooks before the locals the replacement uses go away.
  TWindowProcHook hook = label->HookWindowProc([&](TMessage& m, const TWndMethod& previous) {
    if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) seen.push_back(m.Msg);
    previous(m);
  });
  Form->HandleNeeded();
  SendMessageW(Form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 12));
  SendMessageW(Form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(13, 12));
  SendMessageW(Form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
  EXPECT_EQ(seen, (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE}));
}

// Every window and GDI font the framework made is gone with its owner.
TEST_F(ControlTest, DestroyingAFormReleasesItsWindowsAndFonts) {
  auto* panel = Add<TPanel>(Form.get(), 0, 0, 100, 50);
  auto* edit = Add<TEdit>(panel, 0, 0, 80, 20);
  edit->Font().SetName("Courier New");
  Form->Show();
  const HWND form = Form->Handle(), child = edit->Handle();
  const HFONT font = edit->Font().Handle();
  ASSERT_NE(GetObjectType(font), 0u);
  Form.reset();
  EXPECT_FALSE(IsWindow(form));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(GetObjectType(font), 0u);
}

// Blue, green, red of a bitmap pixel (GDI leaves the alpha byte at 0).
std::array<uint8_t, 3> Bgr(const TBitmap& b, int x, int y) {
  const uint8_t* p = b.ScanLine(y) + x * 4;
  return {p[0], p[1], p[2]};
}

// Transparency is one rule, csOpaque: whoever sets or clears it (the label's
// own property or an adapter dressing plain labels) decides whether the label
// fills its rectangle.
TEST_F(ControlTest, ALabelFillsItsRectangleExactlyWhenItIsOpaque) {
  enum class TWay { Default, PropertyOn, PropertyOff, StyleCleared };
  struct TCase {
    TWay Way;
    bool Transparent;
  };
  const TCase cases[] = {{TWay::Default, false},
                         {TWay::PropertyOn, true},
                         {TWay::PropertyOff, false},
                         {TWay::StyleCleared, true}};
  for (const TCase& c : cases) {
    auto* label = Add<TLabel>(Form.get(), 0, 0, 20, 10);
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 20, 10);
    label->SetColor(TColor{0x000000FF});
    if (c.Way == TWay::PropertyOn) label->SetTransparent(true);
    if (c.Way == TWay::PropertyOff) {
      label->SetTransparent(true);
      label->SetTransparent(false);
    }
    if (c.Way == TWay::StyleCleared) label->ControlStyle &= ~csOpaque;
    EXPECT_EQ(label->Transparent(), c.Transparent);
    // A sibling's pixels under the label, then the label painted over them.
    TBitmap bitmap(20, 10);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 20; ++x) {
        uint8_t* p = bitmap.ScanLine(y) + x * 4;
        p[0] = 0x30, p[1] = 0x20, p[2] = 0x10, p[3] = 0xFF;
      }
    label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()));
    GdiFlush();
    const std::array<uint8_t, 3> expected = c.Transparent ? std::array<uint8_t, 3>{0x30, 0x20, 0x10}
                                                          : std::array<uint8_t, 3>{0, 0, 0xFF};
    EXPECT_EQ(Bgr(bitmap, 19, 9), expected) << static_cast<int>(c.Way);
    EXPECT_EQ(Bgr(bitmap, 0, 0), expected) << static_cast<int>(c.Way);
    delete label;
  }
}

class TDrawnButton : public TButton {
 public:
  using TButton::TButton;
  std::vector<HWND> Drawn;
  void DrawNow(const DRAWITEMSTRUCT& item) { TButton::DrawItem(item); }

 protected:
  void DrawItem(const DRAWITEMSTRUCT& item) override {
    Drawn.push_back(item.hwndItem);
    TButton::DrawItem(item);
  }
};

TEST_F(ControlTest, AnOwnerDrawnButtonGetsItsDrawItemThroughItsParent) {
  auto* panel = Add<TPanel>(Form.get(), 0, 0, 200, 100);
  auto* button = Add<TDrawnButton>(panel, 10, 10, 80, 25);
  int clicks = 0;
  button->OnClick = [&](TComponent*) { ++clicks; };
  Form->Show();
  EXPECT_EQ(GetWindowLongW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  button->SetOwnerDraw(true);
  EXPECT_EQ(GetWindowLongW(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_EQ(GetParent(button->Handle()), panel->Handle());
  button->Drawn.clear();
  RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_FALSE(button->Drawn.empty());
  EXPECT_EQ(button->Drawn.back(), button->Handle());
  // Still a button: it clicks.
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlTest, TheOwnerDrawnFaceIsAClassicButton) {
  auto* button = Add<TDrawnButton>(Form.get(), 0, 0, 40, 20);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const std::array<uint8_t, 3> faceBgr = {GetBValue(face), GetGValue(face), GetRValue(face)};
  struct TCase {
    bool Default;
    UINT State;
    bool BlackOutline;
  };
  const TCase cases[] = {{false, 0, false}, {true, 0, true}, {false, ODS_FOCUS, true}};
  const std::array<uint8_t, 3> black = {0, 0, 0};
  for (const TCase& c : cases) {
    button->Default = c.Default;
    TBitmap bitmap(40, 20);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.itemState = c.State;
    item.hDC = bitmap.Canvas().Handle();
    item.rcItem = RECT{0, 0, 40, 20};
    button->DrawNow(item);
    GdiFlush();
    EXPECT_EQ(Bgr(bitmap, 0, 0) == black, c.BlackOutline) << c.Default << " " << c.State;
    EXPECT_EQ(Bgr(bitmap, 39, 19) == black, c.BlackOutline) << c.Default << " " << c.State;
    EXPECT_EQ(Bgr(bitmap, 5, 10), faceBgr);  // left of the (empty) caption
  }
}

// Every window, font, brush, bitmap and device context the framework makes is
// counted while it lives and given back with its owner.
TEST_F(ControlTest, CreatingAndDestroyingAFormReturnsTheHandleCounts) {
  Form.reset();
  const platform::THandleCounts before = platform::LiveHandleCounts();
  {
    auto form = std::make_unique<TPlainForm>(nullptr);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* edit = new TEdit(panel);
    edit->SetParent(panel);
    edit->Font().SetName("Courier New");
    auto* button = new TButton(panel);
    button->SetParent(panel);
    button->SetOwnerDraw(true);
    auto* label = new TLabel(panel);
    label->SetParent(panel);
    label->SetText("counted");
    TBitmap bitmap(16, 16);
    bitmap.Canvas().Font.Assign(edit->Font());
    bitmap.Canvas().TextOut(0, 0, "x");
    form->Show();
    test::PumpUntil([] { return false; }, 100);
    const platform::THandleCounts during = platform::LiveHandleCounts();
    EXPECT_GE(during.User - before.User, 4);  // form, panel, edit, button
    EXPECT_GE(during.Gdi - before.Gdi, 4);    // fonts, the bitmap and its DC
  }
  EXPECT_EQ(platform::LiveHandleCounts(), before);
}

}  // namespace
}  // namespace ac
