#pragma once
// The items of a shown popup menu as text, for readers outside the process.
//
// A reader in another process finds the system's popup window ("#32768") and
// asks it for its menu (MN_GETHMENU); on Windows it can then read the items
// itself. Under Wine a menu's items live in the process that made it and
// every other process gets ERROR_INVALID_MENU_HANDLE, so the program answers
// the same question for its own popup windows: the registered message
// kMenuItemsMessageName sent to its application window with WParam the popup
// window and LParam a window of the reader, which receives the text in one
// WM_COPYDATA (dwData kMenuItemsCopyData) before the send returns. A reader
// that does not take it within kMenuItemsReaderTimeoutMs goes without.
//
// The text has one line per item, fields separated by tabs:
//   ID  FLAGS  LEFT,TOP,RIGHT,BOTTOM  TEXT
// FLAGS is a comma list of "separator", "grayed", "disabled", "checked",
// "default", "ownerdraw", "popup" ("-" for none); the rectangle is the item's
// on the screen; TEXT is the item's string (caption, a tab, shortcut), UTF-8.

#include <windows.h>

#include <string>

namespace ac::platform {

inline constexpr wchar_t kMenuItemsMessageName[] = L"VelmoraMenuItems";
inline constexpr ULONG_PTR kMenuItemsCopyData = 0x4D454E55;  // "MENU"
// How long the answer waits for the reader to take the text.
inline constexpr UINT kMenuItemsReaderTimeoutMs = 2000;

// Menu's items in the format above; an unreadable menu gives "".
std::string DescribeMenuItems(HMENU menu);

// Answers the registered message for Popup (a popup-menu window of the
// calling thread): sends the description of its menu to Reader. Returns the
// number of items, or -1 when Popup is not a menu window of this thread.
LRESULT AnswerMenuItems(HWND popup, HWND reader);

}  // namespace ac::platform
