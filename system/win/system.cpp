#include "system/system.h"

#include <dwmapi.h>
#include <windows.h>

#include "system/win/unicode.h"

namespace ac::platform {

TColor SysColor(int index) {
  return static_cast<TColor>(GetSysColor(index));
}

bool CompositionEnabled() {
  // The answer cannot change in a way the engine handles while it runs, and
  // the call is costly on old systems, so it is asked once.
  static const bool answer = [] {
    BOOL enabled = FALSE;
    return SUCCEEDED(DwmIsCompositionEnabled(&enabled)) && enabled;
  }();
  return answer;
}

std::string AnsiToUtf8(std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return WideToUtf8(wide);
}

bool AddFontFromMemory(const void* data, std::size_t size) {
  DWORD installed = 0;
  // The handle is released by the system when the process ends, which is the
  // lifetime embedded skin fonts need.
  return AddFontMemResourceEx(const_cast<void*>(data), static_cast<DWORD>(size), nullptr,
                              &installed) != nullptr;
}

}  // namespace ac::platform
