#pragma once
// TsSystemMenu: the window menu of a skinned form. A skinned frame draws its
// own caption buttons and takes WS_SYSMENU off the window, so the system can
// no longer show the window's menu; the frame shows this popup instead (from
// the title icon, Alt+Space and the taskbar's request). It is built from the
// window's own system menu and the form's border settings: Restore, Move,
// Size, Minimize, Maximize, the window's extra commands, Close, each visible
// and enabled as the form's style and state allow.
//
// Its component name starts with "acSysMenu", which is how the popup-menu
// skinner knows system-menu items and gives them their command's glyph.

#include <string>

#include "framework/form.h"
#include "framework/menu.h"
#include "manager/ts_skin_manager.h"

namespace ac {

enum class TacMenuItemPos { ipTop, ipBottom, ipBeforeClose };

// A sub-menu the form adds to its window menu: a copy of PopupMenu's items
// under an item captioned Caption.
struct TacSysSubMenu {
  std::string Caption;
  TPopupMenu* PopupMenu = nullptr;
  TacMenuItemPos Position = TacMenuItemPos::ipBeforeClose;
};

// The captions of the fixed items when the window's menu has none: the
// system's strings where it has them, else the program's own.
struct TSysMenuCaptions {
  std::string Restore, Move, Size, Minimize, Maximize, Close;
};
const TSysMenuCaptions& DefaultSysMenuCaptions();

class TsSystemMenu : public TPopupMenu {
 public:
  TsSystemMenu(TComponent* owner, TCustomForm& form);
  std::string_view ClassName() const override { return "TsSystemMenu"; }

  TacSysSubMenu SysSubMenu;

  // Rebuilds every item from the window's system menu.
  void Generate();
  // With Full, or before the first Generate, rebuilds; then sets each fixed
  // item's visibility and enabled state from the form's style and state.
  void UpdateItems(bool full);

  // Shows the menu with its top-left corner at the screen point (X, Y) while
  // the form is the active one: drawn by Manager's popup skinner when it
  // skins popups, otherwise the window's native menu with the same items
  // enabled and greyed. Returns after the menu closed and the chosen
  // command ran. A request while the menu is open is ignored.
  void Drop(TsSkinManager* manager, int x, int y);

  bool VisibleClose() const;
  bool VisibleMax() const;
  bool VisibleMin() const;
  bool VisibleRestore() const;
  bool VisibleSize() const;
  bool EnabledClose() const;
  bool EnabledMax() const;
  bool EnabledMin() const;
  bool EnabledMove() const;
  bool EnabledRestore() const;
  bool EnabledSize() const;

  TMenuItem* ItemRestore = nullptr;
  TMenuItem* ItemMove = nullptr;
  TMenuItem* ItemSize = nullptr;
  TMenuItem* ItemMinimize = nullptr;
  TMenuItem* ItemMaximize = nullptr;
  TMenuItem* ItemClose = nullptr;
  TMenuItem* SubMenu = nullptr;
  int ExtItemsCount = 0;

 private:
  HWND Window() const { return FForm.HandleAllocated() ? FForm.Handle() : nullptr; }
  HMENU WindowMenu() const;
  bool HasIcon(TBorderIcon icon) const;
  bool SingleOrSizeable() const;
  void AddSubMenu();
  // Adds a fixed item that sends Command to the window.
  TMenuItem* AddFixed(HMENU windowMenu, const char* name, UINT command,
                      const std::string& fallback);

  TCustomForm& FForm;
  bool FDropped = false;  // the menu is open
};

}  // namespace ac
