// startup_reference: the program's window made with bare Win32 calls (same
// size, fonts, controls and texts, no framework, no description, no skin),
// the yardstick scripts/e2e_startup.sh measures the program's start against.

#include <windows.h>

namespace {

HFONT gFont, gLinkFont;

LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_BTNFACE));
      if (GetDlgCtrlID(reinterpret_cast<HWND>(lp)) == 3)
        SetTextColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_HIGHLIGHT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(wnd, msg, wp, lp);
  }
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
           int h, int id, HFONT font, DWORD exStyle = 0) {
  HWND c = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
  SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return c;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
  SetProcessDPIAware();
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = L"StartupReference";
  RegisterClassW(&wc);
  gFont = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  gLinkFont =
      CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, TRUE, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_CLIPCHILDREN;
  RECT r{0, 0, 262, 102};
  AdjustWindowRectEx(&r, style, FALSE, WS_EX_CONTROLPARENT);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HWND form = CreateWindowExW(WS_EX_CONTROLPARENT, L"StartupReference", L"Velmora reference", style,
                              (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                              (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, nullptr, nullptr, inst,
                              nullptr);
  HWND panel = Child(form, L"STATIC", L"", SS_ETCHEDFRAME, 1, 3, 260, 97, 1, gFont);
  Child(form, L"STATIC", L"Ваш ключ", SS_LEFT, 97, 5, 65, 13, 2, gFont);
  Child(form, L"STATIC", L"Ключ скопируется в буфер обмена. Подробно об этом — в статье", SS_LEFT,
        30, 69, 224, 26, 4, gFont);
  Child(form, L"STATIC", L"статье", SS_LEFT | SS_NOTIFY, 167, 82, 36, 13, 3, gLinkFont);
  Child(form, L"EDIT", L"VLM7-Q4TD-98KX-M2RF", ES_CENTER | ES_READONLY | WS_TABSTOP, 5, 19, 252, 21,
        5, gFont, WS_EX_CLIENTEDGE);
  Child(form, L"BUTTON", L"Копировать", BS_PUSHBUTTON | WS_TABSTOP, 5, 43, 252, 23, 6, gFont);
  ShowWindow(form, SW_SHOW);
  SetFocus(panel);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(form, &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  DeleteObject(gFont);
  DeleteObject(gLinkFont);
  return 0;
}
