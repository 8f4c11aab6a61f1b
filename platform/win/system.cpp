#include "platform/system.h"

#include <windows.h>
#include <dwmapi.h>

#include <cstdio>

#include "platform/win/unicode.h"

namespace ac::platform {

TColor SysColor(int index) { return static_cast<TColor>(GetSysColor(index)); }

bool CompositionEnabled() {
  BOOL enabled = FALSE;
  return SUCCEEDED(DwmIsCompositionEnabled(&enabled)) && enabled;
}

std::string AnsiToUtf8(std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return WideToUtf8(wide);
}

namespace {

TFontCounts gFontCounts;

}  // namespace

TPrivateFont TPrivateFont::Add(const void* data, std::size_t size) {
  TPrivateFont font;
  if (data == nullptr || size == 0 || size > MAXDWORD) return font;
  DWORD installed = 0;
  font.FHandle =
      AddFontMemResourceEx(const_cast<void*>(data), static_cast<DWORD>(size), nullptr, &installed);
  if (font.FHandle) ++gFontCounts.Added;
  return font;
}

TPrivateFont::~TPrivateFont() {
  if (FHandle && RemoveFontMemResourceEx(FHandle)) ++gFontCounts.Removed;
}

TPrivateFont& TPrivateFont::operator=(TPrivateFont&& other) noexcept {
  if (this != &other) {
    if (FHandle && RemoveFontMemResourceEx(FHandle)) ++gFontCounts.Removed;
    FHandle = other.FHandle;
    other.FHandle = nullptr;
  }
  return *this;
}

TFontCounts FontCounts() {
  return gFontCounts;
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
