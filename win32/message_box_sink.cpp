#include "win32/message_box_sink.h"

#include <windows.h>

#include "system/win/unicode.h"

namespace ac::platform {

void TMessageBoxSink::Show(std::string_view text, TMessageIcon icon) {
  UINT flags = MB_OK;
  switch (icon) {
    case TMessageIcon::Error:
      flags |= MB_ICONERROR;
      break;
    case TMessageIcon::Warning:
      flags |= MB_ICONWARNING;
      break;
    case TMessageIcon::Information:
      flags |= MB_ICONINFORMATION;
      break;
  }
  // Owned by the active window of this thread so the box is modal to it.
  MessageBoxW(GetActiveWindow(), Utf8ToWide(text).c_str(), nullptr, flags);
}

}  // namespace ac::platform
