#include "win32/private_window_class.h"

namespace ac::platform {

bool RegisterPrivateClass(const TPrivateWindowClass& windowClass) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, windowClass.Name, &wc)) return true;
  wc = WNDCLASSEXW{};
  wc.cbSize = sizeof wc;
  wc.style = windowClass.Style;
  wc.lpfnWndProc = windowClass.Procedure;
  wc.hInstance = instance;
  if (windowClass.ArrowCursor) wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = windowClass.Name;
  return RegisterClassExW(&wc) != 0;
}

ScopedWindow CreateMessageWindow(const TPrivateWindowClass& windowClass, void* param,
                                 const wchar_t* title) {
  if (!RegisterPrivateClass(windowClass)) return {};
  return ScopedWindow(CreateWindowExW(0, windowClass.Name, title, 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, GetModuleHandleW(nullptr), param));
}

}  // namespace ac::platform
