#include "win32/menu_items.h"

#include "system/win/unicode.h"

namespace ac::platform {

namespace {

// The class atom of the system's popup-menu windows ("#32768").
constexpr DWORD kPopupMenuAtom = 0x8000;

std::string Flags(const MENUITEMINFOW& mii) {
  std::string flags;
  const auto add = [&](bool on, const char* name) {
    if (!on) return;
    if (!flags.empty()) flags += ',';
    flags += name;
  };
  add((mii.fType & MFT_SEPARATOR) != 0, "separator");
  // MFS_GRAYED carries the disabled bit as well; each is named for itself.
  add((mii.fState & MF_GRAYED) != 0, "grayed");
  add((mii.fState & MF_DISABLED) != 0, "disabled");
  add((mii.fState & MFS_CHECKED) != 0, "checked");
  add((mii.fState & MFS_DEFAULT) != 0, "default");
  add((mii.fType & MFT_OWNERDRAW) != 0, "ownerdraw");
  add(mii.hSubMenu != nullptr, "popup");
  return flags.empty() ? "-" : flags;
}

}  // namespace

std::string DescribeMenuItems(HMENU menu) {
  std::string text;
  const int n = menu ? GetMenuItemCount(menu) : -1;
  for (int i = 0; i < n; ++i) {
    wchar_t buffer[256] = L"";
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    mii.dwTypeData = buffer;
    mii.cch = 255;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
    RECT r{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &r);
    text += std::to_string(mii.wID) + '\t' + Flags(mii) + '\t' + std::to_string(r.left) + ',' +
            std::to_string(r.top) + ',' + std::to_string(r.right) + ',' + std::to_string(r.bottom) +
            '\t' + WideToUtf8(buffer) + '\n';
  }
  return text;
}

LRESULT AnswerMenuItems(HWND popup, HWND reader) {
  if (!IsWindow(popup) || GetWindowThreadProcessId(popup, nullptr) != GetCurrentThreadId() ||
      GetClassLongW(popup, GCW_ATOM) != kPopupMenuAtom)
    return -1;
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  const std::string text = DescribeMenuItems(menu);
  COPYDATASTRUCT data{kMenuItemsCopyData, static_cast<DWORD>(text.size()),
                      const_cast<char*>(text.data())};
  // The reader is a window of anyone's: one that does not answer (hung, or
  // just not reading its messages) must not stop this thread, which is
  // showing the menu.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(reader, WM_COPYDATA, reinterpret_cast<WPARAM>(popup),
                      reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                      kMenuItemsReaderTimeoutMs, &ignored);
  return menu ? GetMenuItemCount(menu) : 0;
}

}  // namespace ac::platform
