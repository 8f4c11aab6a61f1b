// e2e_probe: looks at the running program from another process, the way an
// accessibility tool would: it finds the main window by its class and asks
// it and its children through window messages. Used by scripts/e2e_app.sh.
//
//   e2e_probe wait SECONDS   exit 0 once the window is visible, 1 on timeout
//   e2e_probe state          print key=value lines (see State)
//   e2e_probe handles        print the program's live GDI and USER objects,
//                            asked of its application window (gdi=, user=)
//   e2e_probe skincmd WINDOW CODE [LPARAM]
//                            send one skin command to WINDOW (a handle in hex)
//                            and print result=N and skinned=0|1

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "manager/skin_command_delivery.h"
#include "win32/handle_counts.h"

namespace {

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                      nullptr);
  return s;
}

std::string ClassOf(HWND w) {
  wchar_t name[256] = L"";
  if (w) GetClassNameW(w, name, 256);
  return Utf8(name);
}

// Asks the window for its text with WM_GETTEXT, as GetWindowTextW does for a
// window of another process.
std::string TextOf(HWND w) {
  wchar_t text[512] = L"";
  SendMessageW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return Utf8(text);
}

HWND Child(HWND parent, const wchar_t* cls) {
  return FindWindowExW(parent, nullptr, cls, nullptr);
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

int Handles() {
  HWND form = FindWindowW(L"TForm1", nullptr);
  HWND app = form ? GetWindow(form, GW_OWNER) : nullptr;
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
  std::printf("gdi=%ld\n", ask(ac::platform::kHandleCountGdi));
  std::printf("user=%ld\n", ask(ac::platform::kHandleCountUser));
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
  if (command == "handles") return Handles();
  if (command == "skincmd" && argc >= 4) return SkinCommand(argc, argv);
  std::fputs("usage: e2e_probe wait SECONDS | state | handles | skincmd WINDOW CODE [LPARAM]\n",
             stderr);
  return 2;
}
