#include "system/system.h"

#include <dwmapi.h>
#include <windows.h>

#include <cstdio>

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

void* AddPrivateFontResource(const void* data, std::size_t size) {
  if (size > MAXDWORD) return nullptr;
  DWORD installed = 0;
  return AddFontMemResourceEx(const_cast<void*>(data), static_cast<DWORD>(size), nullptr,
                              &installed);
}

bool RemovePrivateFontResource(void* handle) {
  return RemoveFontMemResourceEx(handle) != FALSE;
}

std::string FormatDecimal(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string out(text);
  // The digits are the same everywhere; only the separator is the user's.
  wchar_t separator[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 1) {
    const std::string user = WideToUtf8(separator);
    if (const auto dot = out.find('.'); dot != std::string::npos) out.replace(dot, 1, user);
  }
  return out;
}

}  // namespace ac::platform
