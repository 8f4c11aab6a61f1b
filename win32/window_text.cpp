#include "win32/window_text.h"

#include "system/win/unicode.h"

namespace ac::platform {

std::string WindowTextUtf8(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  // The text may have shrunk since its length was read.
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return WideToUtf8(text);
}

}  // namespace ac::platform
