// e2e_probe: looks at the running program from another process, the way an
// accessibility tool would: it finds the main window by its class and asks
// it and its children through window messages. Used by scripts/e2e_app.sh.
//
//   e2e_probe wait SECONDS   exit 0 once the window is visible, 1 on timeout
//   e2e_probe state          print key=value lines (see State)
//   e2e_probe activity       print the program's running timers and the number
//                            of state-fade frames it has shown (timers=, frames=)
//   e2e_probe handles        print the program's live GDI and USER objects,
//                            asked of its application window (gdi=, user=)
//   e2e_probe skincmd WINDOW CODE [LPARAM]
//                            send one skin command to WINDOW (a handle in hex)
//                            and print result=N and skinned=0|1
//   e2e_probe frame          print the main window's frame facts (see Frame)
//   e2e_probe places         print where the window and its controls are, the
//                            focus and the button's state (see Places)
//   e2e_probe region         print the main window's region, one line per
//                            window row: the row, then the start and end
//                            (exclusive) of each run inside it
//   e2e_probe hit X Y        print the main window's answer to WM_NCHITTEST
//                            at window point (X, Y)
//   e2e_probe dialog         print the facts of the program's open dialog
//                            (see Dialog), or exit 1 when none is open
//   e2e_probe activate SECONDS
//                            show a window of the probe's own, take the
//                            activation for SECONDS, then close it
//   e2e_probe menu           print the program's shown popup menu (see Menu),
//                            or exit 1 when none is shown
//   e2e_probe sysmenu [app]  ask the main window (or with "app" the
//                            application window) for the window menu the way
//                            the taskbar does (message 0x313), without waiting
//                            for the menu to close
//   e2e_probe border         print the main window's border and shadow
//                            windows and the program's windows (see Border)
//   e2e_probe white L T W H SECONDS
//                            show a plain white window of the probe's own at
//                            (L, T), W x H, under everything, for SECONDS or
//                            until the program's window, once there, is
//                            gone; print click=X,Y (screen) for each press
//                            on it
//   e2e_probe show 0|1       hide or show the main window
//   e2e_probe syscmd min|restore
//                            post the window command to the main window
//   e2e_probe churn MOVES ACTIVATIONS
//                            move the main window by one pixel and back
//                            MOVES times, then take the activation from it
//                            and give it back ACTIVATIONS times
//   e2e_probe backdrop SECONDS
//                            white over the whole screen
//   e2e_probe junk SEED      send every skin command code 0..127 with junk
//                            parameters and LParams (numbers, -1, addresses
//                            of the probe's own) to every window of the
//                            program, each with a 5 s timeout, then post
//                            them (parameter 0) the same way; print
//                            windows=, sent=, unanswered= (sends that timed
//                            out or met a hung program), stopped=1 when
//                            200 s were not enough, posted=, dialogs= (the program's
//                            dialog windows afterwards) and alive=; exit 1
//                            when anything went unanswered or was not sent

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "framework/application.h"
#include "manager/skin_command_delivery.h"
#include "system/win/unicode.h"
#include "win32/handle_counts.h"
#include "win32/menu_items.h"

namespace {

using ac::platform::WideToUtf8;

std::string ClassOf(HWND w) {
  wchar_t name[256] = L"";
  if (w) GetClassNameW(w, name, 256);
  return WideToUtf8(name);
}

// Asks the window for its text with WM_GETTEXT, as GetWindowTextW does for a
// window of another process.
std::string TextOf(HWND w) {
  wchar_t text[512] = L"";
  SendMessageW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return WideToUtf8(text);
}

// Where a window lies on the screen: its window rectangle, its client
// rectangle and the client area's origin on the screen.
struct TGeometry {
  RECT w{};
  RECT c{};
  POINT origin{0, 0};
};
TGeometry GeometryOf(HWND window) {
  TGeometry g;
  GetWindowRect(window, &g.w);
  GetClientRect(window, &g.c);
  ClientToScreen(window, &g.origin);
  return g;
}

HWND Child(HWND parent, const wchar_t* cls) {
  return FindWindowExW(parent, nullptr, cls, nullptr);
}

// The application window of the program that shows Form.
HWND ApplicationOf(HWND form) {
  DWORD pid = 0;
  if (!form || !GetWindowThreadProcessId(form, &pid)) return nullptr;
  return ac::FindApplicationWindow(pid);
}

void PrintCenter(const char* key, HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  std::printf("%s=%ld,%ld\n", key, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

int VisibleTopLevelWindows(DWORD pid) {
  struct Count {
    DWORD Pid;
    int N;
  } count{pid, 0};
  EnumWindows(
      [](HWND w, LPARAM lp) -> BOOL {
        auto* c = reinterpret_cast<Count*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == c->Pid && IsWindowVisible(w)) ++c->N;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.N;
}

int State() {
  HWND form = FindWindowW(L"TForm1", nullptr);
  if (!form) {
    std::puts("window=none");
    return 1;
  }
  DWORD pid = 0;
  const DWORD thread = GetWindowThreadProcessId(form, &pid);
  RECT client;
  GetClientRect(form, &client);
  std::printf("client=%ldx%ld\n", client.right, client.bottom);
  std::printf("windows=%d\n", VisibleTopLevelWindows(pid));
  std::printf("caption=%s\n", TextOf(form).c_str());
  GUITHREADINFO gti{};
  gti.cbSize = sizeof gti;
  GetGUIThreadInfo(thread, &gti);
  std::printf("focus=%s\n", ClassOf(gti.hwndFocus).c_str());
  std::printf("active=%s\n", ClassOf(gti.hwndActive).c_str());
  std::printf("owner=%s\n", ClassOf(GetWindow(form, GW_OWNER)).c_str());
  const HWND app = ApplicationOf(form);
  std::printf("application=%s\n", ClassOf(app).c_str());
  std::printf("application_message_only=%d\n",
              app && GetAncestor(app, GA_PARENT) != GetDesktopWindow() ? 1 : 0);
  HWND panel = Child(form, L"TsPanel");
  HWND button = Child(panel, L"TsButton");
  HWND edit = Child(panel, L"TsEdit");
  std::printf("button_text=%s\n", TextOf(button).c_str());
  std::printf("button_enabled=%d\n", IsWindowEnabled(button) ? 1 : 0);
  std::printf("edit_text=%s\n", TextOf(edit).c_str());
  std::printf("edit_readonly=%d\n", (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) ? 1 : 0);
  PrintCenter("button_center", button);
  PrintCenter("edit_center", edit);
  // The link is windowless: its place is the designed one, scaled like the
  // window (client width 262 at 96 pixels per inch).
  POINT link{MulDiv(166 + 14, client.right, 262), MulDiv(79 + 6, client.right, 262)};
  ClientToScreen(panel, &link);
  std::printf("link_center=%ld,%ld\n", link.x, link.y);
  RECT panelRect;
  GetWindowRect(panel, &panelRect);
  POINT origin{0, 0};
  ClientToScreen(form, &origin);
  std::printf("panel=%ld,%ld,%ld,%ld\n", panelRect.left - origin.x, panelRect.top - origin.y,
              panelRect.right - panelRect.left, panelRect.bottom - panelRect.top);
  // Where the panel's face can be read on the screen, the windows over it,
  // and the colour it is painted over (the form's, clBtnFace).
  std::printf("panel_screen=%ld,%ld\n", panelRect.left, panelRect.top);
  const auto printRelative = [&](const char* key, HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    std::printf("%s=%ld,%ld,%ld,%ld\n", key, r.left - panelRect.left, r.top - panelRect.top,
                r.right - panelRect.left, r.bottom - panelRect.top);
  };
  printRelative("edit_in_panel", edit);
  printRelative("button_in_panel", button);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  std::printf("form_color=%02X%02X%02X\n", GetRValue(face), GetGValue(face), GetBValue(face));
  // What the form paints its client area with: the skin's colour while its
  // frame is skinned, else the face colour.
  const COLORREF clientColour =
      SendMessageW(form, ac::WM_SKINCMD, ac::SkinCommandWParam(ac::SKC_ISSKINNED), 0) != 0
          ? static_cast<COLORREF>(
                SendMessageW(form, ac::WM_SKINCMD, ac::SkinCommandWParam(ac::SKC_GETBGCOLOR), 0))
          : face;
  std::printf("form_client=%02X%02X%02X\n", GetRValue(clientColour), GetGValue(clientColour),
              GetBValue(clientColour));
  // The panel's skin data as seen from outside: the property naming it, and
  // the answers to skin commands that must travel as messages.
  const auto ask = [&](ac::TacSkinCommand code) {
    return static_cast<long>(SendMessageW(panel, ac::WM_SKINCMD, ac::SkinCommandWParam(code), 0));
  };
  std::printf("panel_acsdata=%d\n", GetPropW(panel, ac::kCommonDataProp) ? 1 : 0);
  std::printf("panel_skinned=%ld\n", ask(ac::SKC_ISSKINNED));
  std::printf("panel_kind=%ld\n", ask(ac::SKC_GETKIND));
  std::printf("panel_section_found=%d\n", ask(ac::SKC_DEFAULTINDEX) > 0 ? 1 : 0);
  // The button and the field on the screen (x,y,width,height), the colour
  // the panel reports behind its children, and how the two answer hit tests
  // from here: at their top-left corner and in their middle.
  const auto printScreenRect = [](const char* key, HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    std::printf("%s=%ld,%ld,%ld,%ld\n", key, r.left, r.top, r.right - r.left, r.bottom - r.top);
  };
  printScreenRect("button_screen", button);
  printScreenRect("edit_screen", edit);
  const auto bg = static_cast<COLORREF>(ask(ac::SKC_GETBGCOLOR));
  std::printf("panel_bgcolor=%02X%02X%02X\n", GetRValue(bg), GetGValue(bg), GetBValue(bg));
  const auto hit = [](HWND w, int dx, int dy) {
    RECT r;
    GetWindowRect(w, &r);
    const LPARAM at = MAKELPARAM(r.left + (dx < 0 ? (r.right - r.left) / 2 : dx),
                                 r.top + (dy < 0 ? (r.bottom - r.top) / 2 : dy));
    return static_cast<long>(SendMessageW(w, WM_NCHITTEST, 0, at));
  };
  std::printf("button_corner_hit=%ld\n", hit(button, 0, 0));
  std::printf("button_middle_hit=%ld\n", hit(button, -1, -1));
  std::printf("edit_frame_hit=%ld\n", hit(edit, 0, -1));
  std::printf("edit_corner_hit=%ld\n", hit(edit, 0, 0));
  const auto askEdit = [&](ac::TacSkinCommand code) {
    return static_cast<long>(SendMessageW(edit, ac::WM_SKINCMD, ac::SkinCommandWParam(code), 0));
  };
  const auto askButton = [&](ac::TacSkinCommand code) {
    return static_cast<long>(SendMessageW(button, ac::WM_SKINCMD, ac::SkinCommandWParam(code), 0));
  };
  std::printf("edit_kind=%ld\n", askEdit(ac::SKC_GETKIND));
  std::printf("button_kind=%ld\n", askButton(ac::SKC_GETKIND));
  return 0;
}

// The program's object counters, or with Activity its running timers and the
// fade frames it has shown.
int Handles(bool activity) {
  HWND form = FindWindowW(L"TForm1", nullptr);
  HWND app = ApplicationOf(form);
  if (!app) {
    std::puts("application=none");
    return 1;
  }
  const UINT query = RegisterWindowMessageW(ac::platform::kHandleCountsMessageName);
  const auto ask = [&](unsigned which) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(app, query, which, 0, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<long>(result);
  };
  if (activity) {
    std::printf("timers=%ld\n", ask(ac::platform::kHandleCountTimers));
    std::printf("frames=%ld\n", ask(ac::platform::kFadeFramesShown));
  } else {
    std::printf("gdi=%ld\n", ask(ac::platform::kHandleCountGdi));
    std::printf("user=%ld\n", ask(ac::platform::kHandleCountUser));
  }
  return 0;
}

// Sends a skin command the way the engine's own code does, from outside the
// window's process: the property "ACSDATA" names an object of that process, so
// the command must travel as a message, and a pointer-sized answer must come
// back whole.
int SkinCommand(int argc, char** argv) {
  auto* window =
      reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(argv[2], nullptr, 16)));
  const auto code = static_cast<ac::TacSkinCommand>(std::atoi(argv[3]));
  const LPARAM lparam = argc > 4 ? static_cast<LPARAM>(std::strtoll(argv[4], nullptr, 0)) : 0;
  if (!IsWindow(window)) {
    std::puts("window=none");
    return 1;
  }
  std::printf("result=%lld\n", static_cast<long long>(ac::SendSkinCommand(window, code, lparam)));
  std::printf("skinned=%d\n", ac::IsWindowSkinned(window) ? 1 : 0);
  return 0;
}

HWND MainForm() {
  return FindWindowW(L"TForm1", nullptr);
}

// The program's windows: its visible top-level ones in z-order from the top,
// or every window of its process (top-level ones shown or not, their
// descendants and the message-only application window).
enum class TProgramWindows { pwShownTopLevel, pwAll };
std::vector<HWND> ProgramWindows(HWND form,
                                 TProgramWindows which = TProgramWindows::pwShownTopLevel) {
  struct TFind {
    DWORD Pid;
    bool All;
    std::vector<HWND> Found;
  } find{0, which == TProgramWindows::pwAll, {}};
  GetWindowThreadProcessId(form, &find.Pid);
  const auto add = [](HWND w, LPARAM lp) -> BOOL {
    auto* f = reinterpret_cast<TFind*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == f->Pid && (f->All || IsWindowVisible(w))) f->Found.push_back(w);
    return TRUE;
  };
  EnumWindows(add, reinterpret_cast<LPARAM>(&find));
  if (!find.All) return find.Found;
  const std::vector<HWND> tops = find.Found;
  for (HWND top : tops) EnumChildWindows(top, add, reinterpret_cast<LPARAM>(&find));
  if (HWND app = ac::FindApplicationWindow(find.Pid)) find.Found.push_back(app);
  return find.Found;
}

// The program's first visible top-level window of class Cls, or null.
HWND ProgramWindowOfClass(HWND form, const char* cls) {
  for (HWND w : ProgramWindows(form))
    if (ClassOf(w) == cls) return w;
  return nullptr;
}

// The union of the visible layered top-level windows of FORM's process.
RECT LayeredAround(HWND form) {
  RECT around{};
  for (HWND w : ProgramWindows(form)) {
    if (w == form || !(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_LAYERED)) continue;
    RECT r{};
    GetWindowRect(w, &r);
    UnionRect(&around, &around, &r);
  }
  return around;
}

// Where a screenshot of the window with its frame and shadow lies: the
// layered windows around it, or without them the form grown by more than
// any skin's shadow.
RECT ShotRect(HWND form) {
  RECT shot = LayeredAround(form);
  if (IsRectEmpty(&shot)) {
    GetWindowRect(form, &shot);
    InflateRect(&shot, 40, 40);
  }
  return shot;
}

// The main window's frame as the system sees it: whether it carries ACSDATA
// and WS_SYSMENU, its size, where its client area starts, and the system's
// fixed-frame width and caption height.
int Frame() {
  HWND form = MainForm();
  if (!form) return 1;
  const auto [w, c, origin] = GeometryOf(form);
  std::printf("frame_acsdata=%d\n", GetPropW(form, ac::kCommonDataProp) ? 1 : 0);
  std::printf("frame_sysmenu=%d\n", (GetWindowLongW(form, GWL_STYLE) & WS_SYSMENU) ? 1 : 0);
  std::printf("frame_size=%ldx%ld\n", w.right - w.left, w.bottom - w.top);
  std::printf("frame_client=%ld,%ld,%ld,%ld\n", origin.x - w.left, origin.y - w.top, c.right,
              c.bottom);
  std::printf("frame_metrics=%d,%d\n", GetSystemMetrics(SM_CXFIXEDFRAME),
              GetSystemMetrics(SM_CYCAPTION));
  std::printf("frame_window=%ld,%ld,%ld,%ld\n", w.left, w.top, w.right - w.left, w.bottom - w.top);
  // What the program shows around the form in layered windows of its own
  // (its border and shadow): their union on the screen, or none.
  const RECT around = LayeredAround(form);
  if (IsRectEmpty(&around))
    std::puts("frame_border=none");
  else
    std::printf("frame_border=%ld,%ld,%ld,%ld\n", around.left, around.top,
                around.right - around.left, around.bottom - around.top);
  const RECT shot = ShotRect(form);
  std::printf("frame_shot=%ld,%ld,%ld,%ld\n", shot.left, shot.top, shot.right - shot.left,
              shot.bottom - shot.top);
  // The title icon as the window answers for it (HTSYSMENU), in window
  // coordinates: left, top, right, bottom (exclusive). It is looked for over
  // the frame above the client area, in the window or around it.
  const RECT frame = IsRectEmpty(&around) ? w : around;
  LONG left = frame.right, right = frame.left, top = frame.bottom, bottom = frame.top;
  for (LONG y = frame.top; y < origin.y; ++y)
    for (LONG x = frame.left; x < frame.left + (frame.right - frame.left) / 2; ++x)
      if (SendMessageW(form, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTSYSMENU) {
        left = std::min(left, x);
        right = std::max(right, x + 1);
        top = std::min(top, y);
        bottom = std::max(bottom, y + 1);
      }
  if (left < right)
    std::printf("frame_icon=%ld,%ld,%ld,%ld\n", left - w.left, top - w.top, right - w.left,
                bottom - w.top);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  std::printf("frame_region=%d\n", GetWindowRgn(form, rgn));
  DeleteObject(rgn);
  return 0;
}

int Region() {
  HWND form = MainForm();
  if (!form) return 1;
  RECT w{};
  GetWindowRect(form, &w);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const bool has = GetWindowRgn(form, rgn) != ERROR;
  for (LONG y = 0; y < w.bottom - w.top; ++y) {
    std::printf("%ld", y);
    LONG start = -1;
    for (LONG x = 0; x <= w.right - w.left; ++x) {
      const bool inside = x < w.right - w.left && (!has || PtInRegion(rgn, x, y));
      if (inside && start < 0) start = x;
      if (!inside && start >= 0) {
        std::printf(" %ld %ld", start, x);
        start = -1;
      }
    }
    std::printf("\n");
  }
  DeleteObject(rgn);
  return 0;
}

int Hit(int x, int y) {
  HWND form = MainForm();
  if (!form) return 1;
  RECT w{};
  GetWindowRect(form, &w);
  const LRESULT code = SendMessageW(form, WM_NCHITTEST, 0, MAKELPARAM(w.left + x, w.top + y));
  std::printf("hit=%ld\n", static_cast<long>(code));
  return 0;
}

// The program's visible standard dialog ("#32770"): whether it carries
// ACSDATA and WS_SYSMENU, and the screen centre of the area that answers
// HTCLOSE across processes (found by asking its title band point by point).
int Dialog() {
  HWND form = MainForm();
  if (!form) return 1;
  HWND box = ProgramWindowOfClass(form, "#32770");
  if (!box) return 1;
  std::printf("dialog_acsdata=%d\n", GetPropW(box, ac::kCommonDataProp) ? 1 : 0);
  std::printf("dialog_sysmenu=%d\n", (GetWindowLongW(box, GWL_STYLE) & WS_SYSMENU) ? 1 : 0);
  RECT r{};
  GetWindowRect(box, &r);
  const int band = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFIXEDFRAME);
  LONG left = r.right, right = r.left, top = r.bottom, bottom = r.top;
  for (LONG y = r.top; y < r.top + band; ++y)
    for (LONG x = r.right - 1; x >= r.left && x >= r.right - 80; --x)
      if (SendMessageW(box, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
        left = std::min(left, x);
        right = std::max(right, x + 1);
        top = std::min(top, y);
        bottom = std::max(bottom, y + 1);
      }
  if (left < right) std::printf("dialog_close=%ld,%ld\n", (left + right) / 2, (top + bottom) / 2);
  return 0;
}

// A small window of the probe that holds the activation for a while, so the
// program's frame shows its inactive look.
int Activate(int seconds) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"E2EProbeWindow";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(0, wc.lpszClassName, L"probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           160, 80, nullptr, nullptr, wc.hInstance, nullptr);
  if (!w) return 1;
  SetForegroundWindow(w);
  SetActiveWindow(w);
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  while (GetTickCount64() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  DestroyWindow(w);
  return 0;
}

void PrintRect(const char* key, HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  std::printf("%s=%ld,%ld,%ld,%ld\n", key, r.left, r.top, r.right, r.bottom);
}

// The main window's companions, as the system sees them: its client area on
// the screen and its region's kind; the program's visible top-level windows
// (windows=); the layered windows it owns, the border window (taking the
// mouse) and the shadow window (WS_EX_TRANSPARENT): rectangles, whether the
// form owns them, extended styles; their z-order (the three together with
// nothing between: in_place=1); and whether a visible dialog of
// the program lies above both (dialog_above=1, or none when there is none).
int Border() {
  HWND form = MainForm();
  if (!form) return 1;
  PrintRect("form_rect", form);
  RECT c{};
  GetClientRect(form, &c);
  MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&c), 2);
  std::printf("form_client=%ld,%ld,%ld,%ld\n", c.left, c.top, c.right, c.bottom);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  RECT box{};
  const int kind = GetWindowRgn(form, rgn);
  GetRgnBox(rgn, &box);
  DeleteObject(rgn);
  std::printf("form_region=%d,%ld,%ld,%ld,%ld\n", kind, box.left, box.top, box.right, box.bottom);
  const std::vector<HWND> windows = ProgramWindows(form);
  std::printf("windows=%zu\n", windows.size());
  HWND border = nullptr, shadow = nullptr, dialog = nullptr;
  for (HWND w : windows) {
    const LONG ex = GetWindowLongW(w, GWL_EXSTYLE);
    if (ClassOf(w) == "#32770" && !dialog) dialog = w;
    if (!(ex & WS_EX_LAYERED) || GetWindow(w, GW_OWNER) != form) continue;
    (ex & WS_EX_TRANSPARENT ? shadow : border) = w;
  }
  for (auto [name, w] : {std::pair{"border", border}, std::pair{"shadow", shadow}}) {
    if (!w) continue;
    std::printf("%s=1\n", name);
    PrintRect((std::string(name) + "_rect").c_str(), w);
    std::printf("%s_owned=%d\n", name, GetWindow(w, GW_OWNER) == form ? 1 : 0);
    std::printf("%s_exstyle=0x%lx\n", name,
                static_cast<unsigned long>(GetWindowLongW(w, GWL_EXSTYLE)));
  }
  // Among the visible windows of every program: hidden ones (the
  // application's own, the input method's) do not come between.
  std::vector<HWND> all;
  EnumWindows(
      [](HWND w, LPARAM lp) -> BOOL {
        if (IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  // The three lie together, in any order: the pictures of border and shadow
  // never overlap, and the form shows only its client area.
  const auto formAt = std::find(all.begin(), all.end(), form);
  bool placed = border && shadow && formAt != all.end();
  if (placed) {
    const auto ours = [&](HWND w) { return w == border || w == shadow || w == form; };
    auto top = formAt;
    while (top != all.begin() && ours(*(top - 1))) --top;
    placed = all.end() - top >= 3 && ours(top[1]) && ours(top[2]);
  }
  std::printf("in_place=%d\n", placed ? 1 : 0);
  // The visible windows from the top down, for the record.
  std::printf("zorder=");
  for (HWND w : all)
    std::printf("%s ", w == border ? "border" : w == shadow ? "shadow" : ClassOf(w).c_str());
  std::printf("\n");
  if (dialog) {
    const auto at = [&](HWND w) { return std::find(windows.begin(), windows.end(), w); };
    const bool above = at(dialog) < at(border) && at(dialog) < at(shadow);
    std::printf("dialog_above=%d\n", above ? 1 : 0);
  }
  return 0;
}

LRESULT CALLBACK WhiteProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_LBUTTONDOWN) {
    POINT p{static_cast<int16_t>(LOWORD(lp)), static_cast<int16_t>(HIWORD(lp))};
    ClientToScreen(w, &p);
    std::printf("click=%ld,%ld\n", p.x, p.y);
    std::fflush(stdout);
    return 0;
  }
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcW(w, msg, wp, lp);
}

// Another program's window under the main window: white, never active, at
// the bottom of the z-order, reporting every press that reaches it.
int White(int left, int top, int width, int height, int seconds) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WhiteProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"E2EProbeWhite";
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&wc);
  HWND w =
      CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, wc.lpszClassName, L"white", WS_POPUP,
                      left, top, width, height, nullptr, nullptr, wc.hInstance, nullptr);
  if (!w) return 1;
  ShowWindow(w, SW_SHOWNOACTIVATE);
  SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  UpdateWindow(w);
  std::puts("ready");
  std::fflush(stdout);
  // It goes with the program's window, so that no white screen outlives the
  // program for the checks that run after it on the same display.
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  bool seen = false;
  while (GetTickCount64() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    const bool there = MainForm() != nullptr;
    if (seen && !there) break;
    seen = seen || there;
    Sleep(5);
  }
  DestroyWindow(w);
  return 0;
}

int Show(bool visible) {
  HWND form = MainForm();
  if (!form) return 1;
  ShowWindow(form, visible ? SW_SHOW : SW_HIDE);
  return 0;
}

int SysCommand(const std::string& what) {
  HWND form = MainForm();
  if (!form) return 1;
  PostMessageW(form, WM_SYSCOMMAND, what == "min" ? SC_MINIMIZE : SC_RESTORE, 0);
  return 0;
}

void Pump(int ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(1);
  } while (GetTickCount64() < end);
}

int Churn(int moves, int activations) {
  HWND form = MainForm();
  if (!form) return 1;
  RECT r{};
  GetWindowRect(form, &r);
  for (int i = 0; i < moves; ++i) {
    const int d = i % 2 == 0 ? 1 : 0;
    SetWindowPos(form, nullptr, r.left + d, r.top + d, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump(2);
  }
  SetWindowPos(form, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"E2EProbeChurn";
  RegisterClassW(&wc);
  HWND other = CreateWindowExW(0, wc.lpszClassName, L"churn", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                               0, 120, 60, nullptr, nullptr, wc.hInstance, nullptr);
  for (int i = 0; i < activations && other; ++i) {
    SetForegroundWindow(other);
    Pump(15);
    SetForegroundWindow(form);
    Pump(15);
  }
  if (other) DestroyWindow(other);
  Pump(200);
  return 0;
}

// A window of the probe that receives the program's description of a menu.
struct TMenuReader {
  std::string Text;
  bool Answered = false;

  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* reader = reinterpret_cast<TMenuReader*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (msg == WM_COPYDATA && reader) {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
      if (data->dwData == ac::platform::kMenuItemsCopyData) {
        reader->Text.assign(static_cast<const char*>(data->lpData), data->cbData);
        reader->Answered = true;
        return TRUE;
      }
    }
    return DefWindowProcW(w, msg, wp, lp);
  }
};

// The items of the menu shown in Popup: read directly where the system lets
// another process read a menu (Windows), otherwise asked of the program,
// which reads the same menu in its own process (Wine keeps a menu's items in
// the process that made it).
std::string MenuItemsOf(HWND popup, HWND app) {
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  if (menu && GetMenuItemCount(menu) >= 0) return ac::platform::DescribeMenuItems(menu);
  if (!app) return {};
  WNDCLASSW wc{};
  wc.lpfnWndProc = TMenuReader::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"E2EProbeMenuReader";
  RegisterClassW(&wc);
  TMenuReader reader;
  HWND w = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           wc.hInstance, nullptr);
  if (!w) return {};
  SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&reader));
  DWORD_PTR result = 0;
  SendMessageTimeoutW(app, RegisterWindowMessageW(ac::platform::kMenuItemsMessageName),
                      reinterpret_cast<WPARAM>(popup), reinterpret_cast<LPARAM>(w),
                      SMTO_ABORTIFHUNG, 5000, &result);
  DestroyWindow(w);
  return reader.Text;
}

// The program's visible popup-menu window ("#32768"): its screen rectangle
// (menu_rect=left,top,right,bottom), the number of items (menu_items=N) and
// one line per item: item=ID|FLAGS|LEFT,TOP,RIGHT,BOTTOM|TEXT (FLAGS as in
// win32/menu_items.h; a shortcut follows the caption after a written \t).
int Menu() {
  HWND form = MainForm();
  if (!form) return 1;
  const HWND found = ProgramWindowOfClass(form, "#32768");
  if (!found) {
    std::puts("menu=none");
    return 1;
  }
  RECT r{};
  GetWindowRect(found, &r);
  std::printf("menu_rect=%ld,%ld,%ld,%ld\n", r.left, r.top, r.right, r.bottom);
  const std::string items = MenuItemsOf(found, ApplicationOf(form));
  int n = 0;
  for (size_t at = 0; at < items.size(); ++n) {
    const size_t end = std::min(items.find('\n', at), items.size());
    // The first three tabs part the fields; one inside the text (before a
    // shortcut) is written as \t.
    std::string line;
    int fields = 0;
    for (size_t i = at; i < end; ++i) {
      if (items[i] != '\t')
        line += items[i];
      else
        line += ++fields <= 3 ? "|" : "\\t";
    }
    std::printf("item=%s\n", line.c_str());
    at = end + 1;
  }
  std::printf("menu_items=%d\n", n);
  return 0;
}

// Skin commands as anyone on the desktop can send them (see the usage).
int Junk(unsigned seed) {
  HWND form = MainForm();
  if (!form) return 1;
  std::mt19937 random(seed);
  // Addresses that are good in this process and mean nothing (or something
  // else) in the program's.
  static char block[256];
  auto heap = std::make_unique<char[]>(4096);
  const LPARAM fixed[] = {0,
                          1,
                          2,
                          3,
                          96,
                          255,
                          65536,
                          0x7FFFFFFF,
                          -1,
                          static_cast<LPARAM>(0xFF00FF),
                          reinterpret_cast<LPARAM>(block),
                          reinterpret_cast<LPARAM>(heap.get()),
                          reinterpret_cast<LPARAM>(&seed),
                          reinterpret_cast<LPARAM>(GetModuleHandleW(nullptr))};
  const WORD params[] = {0, 1, 2, 3, 0xFFFF};
  const std::vector<HWND> windows = ProgramWindows(form, TProgramWindows::pwAll);
  long sent = 0, unanswered = 0;
  // A program that blocks in its answers would keep the probe for hours.
  const ULONGLONG deadline = GetTickCount64() + 200000;
  bool stopped = false;
  for (HWND w : windows) {
    for (unsigned code = 0; code < 128 && !stopped; ++code) {
      std::vector<LPARAM> lparams(std::begin(fixed), std::end(fixed));
      lparams.push_back(static_cast<LPARAM>(random()));
      lparams.push_back(static_cast<LPARAM>((uint64_t{random()} << 32) | random()));
      for (const WORD param : params) {
        for (const LPARAM lp : lparams) {
          if (GetTickCount64() > deadline) stopped = true;
          if (stopped || !IsWindow(w)) break;
          DWORD_PTR answer = 0;
          ++sent;
          if (!SendMessageTimeoutW(w, ac::WM_SKINCMD, (WPARAM{code} << 16) | param, lp,
                                   SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, &answer)) {
            if (++unanswered <= 5)
              std::printf("no_answer=%p,%u,%u,%lld\n", static_cast<void*>(w), code, param,
                          static_cast<long long>(lp));
          }
        }
      }
    }
  }
  // The same junk posted: a posted message names no sender at all. A window
  // at a time, so that no queue overflows.
  long posted = 0;
  for (HWND w : windows) {
    for (unsigned code = 0; code < 128 && IsWindow(w); ++code)
      for (const LPARAM lp : fixed)
        if (PostMessageW(w, ac::WM_SKINCMD, WPARAM{code} << 16, lp)) ++posted;
    Sleep(300);
  }
  Sleep(1000);
  int dialogs = 0;
  for (HWND w : ProgramWindows(form, TProgramWindows::pwAll)) {
    wchar_t cls[64] = L"";
    GetClassNameW(w, cls, 64);
    if (std::wstring(cls) == L"#32770") ++dialogs;
  }
  std::printf(
      "windows=%zu\nsent=%ld\nunanswered=%ld\nstopped=%d\nposted=%ld\ndialogs=%d\nalive=%d\n",
      windows.size(), sent, unanswered, stopped ? 1 : 0, posted, dialogs, IsWindow(form) ? 1 : 0);
  return unanswered == 0 && !stopped ? 0 : 1;
}

// What a randomized run needs before each step, in one call: the main
// window's rectangle (window=), where its client area starts in it
// (client_origin=), where a screenshot of it with frame and shadow lies
// (shot=, as in Frame), the centres of the field, the button and the link
// on the screen, the focus and whether the button is enabled.
int Places() {
  HWND form = MainForm();
  if (!form) {
    std::puts("window=none");
    return 1;
  }
  const auto [w, c, origin] = GeometryOf(form);
  std::printf("window=%ld,%ld,%ld,%ld\n", w.left, w.top, w.right - w.left, w.bottom - w.top);
  std::printf("client_origin=%ld,%ld\n", origin.x - w.left, origin.y - w.top);
  const RECT shot = ShotRect(form);
  std::printf("shot=%ld,%ld,%ld,%ld\n", shot.left, shot.top, shot.right - shot.left,
              shot.bottom - shot.top);
  HWND panel = Child(form, L"TsPanel");
  HWND button = Child(panel, L"TsButton");
  PrintCenter("edit_center", Child(panel, L"TsEdit"));
  PrintCenter("button_center", button);
  POINT link{MulDiv(166 + 14, c.right, 262), MulDiv(79 + 6, c.right, 262)};
  ClientToScreen(panel, &link);
  std::printf("link_center=%ld,%ld\n", link.x, link.y);
  DWORD pid = 0;
  GUITHREADINFO gti{};
  gti.cbSize = sizeof gti;
  GetGUIThreadInfo(GetWindowThreadProcessId(form, &pid), &gti);
  std::printf("focus=%s\n", ClassOf(gti.hwndFocus).c_str());
  std::printf("active=%s\n", ClassOf(gti.hwndActive).c_str());
  std::printf("button_enabled=%d\n", IsWindowEnabled(button) ? 1 : 0);
  for (auto [key, control] :
       {std::pair{"button_screen", button}, std::pair{"edit_screen", Child(panel, L"TsEdit")}}) {
    RECT r{};
    GetWindowRect(control, &r);
    std::printf("%s=%ld,%ld,%ld,%ld\n", key, r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // A crash ends the probe at once with exit code 3, so that its caller
  // reports it instead of waiting for a debugger.
  SetUnhandledExceptionFilter([](EXCEPTION_POINTERS*) -> LONG {
    std::fputs("crashed\n", stdout);
    std::fflush(stdout);
    ExitProcess(3);
  });
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "wait") {
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
    for (int i = 0; i < seconds * 10; ++i) {
      HWND form = FindWindowW(L"TForm1", nullptr);
      if (form && IsWindowVisible(form)) return 0;
      Sleep(100);
    }
    return 1;
  }
  if (command == "state") return State();
  if (command == "handles") return Handles(false);
  if (command == "activity") return Handles(true);
  if (command == "skincmd" && argc >= 4) return SkinCommand(argc, argv);
  if (command == "junk")
    return Junk(argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1);
  if (command == "frame") return Frame();
  if (command == "places") return Places();
  if (command == "region") return Region();
  if (command == "hit" && argc >= 4) return Hit(std::atoi(argv[2]), std::atoi(argv[3]));
  if (command == "activate" && argc >= 3) return Activate(std::atoi(argv[2]));
  if (command == "dialog") return Dialog();
  if (command == "menu") return Menu();
  if (command == "sysmenu") {
    // Posted: the program shows the menu in its own modal loop.
    HWND form = MainForm();
    HWND to = argc > 2 && std::string(argv[2]) == "app" ? ApplicationOf(form) : form;
    return to && PostMessageW(to, 0x313, 0, 0) ? 0 : 1;
  }
  if (command == "border") return Border();
  if (command == "white" && argc >= 7)
    return White(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                 std::atoi(argv[6]));
  if (command == "show" && argc >= 3) return Show(std::atoi(argv[2]) != 0);
  if (command == "syscmd" && argc >= 3) return SysCommand(argv[2]);
  if (command == "churn" && argc >= 4) return Churn(std::atoi(argv[2]), std::atoi(argv[3]));
  if (command == "backdrop" && argc >= 3)
    return White(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 std::atoi(argv[2]));
  std::fputs(
      "usage: e2e_probe wait SECONDS | state | handles | skincmd WINDOW CODE [LPARAM] | frame | "
      "places | region | hit X Y | dialog | activate SECONDS | border | white L T W H SECONDS | "
      "show 0|1 | "
      "syscmd min|restore | churn MOVES ACTIVATIONS | backdrop SECONDS | menu | sysmenu [app]\n",
      stderr);
  return 2;
}
