#include "frames/ts_system_menu.h"

#include "system/win/unicode.h"

namespace ac {

namespace {

// The menu text of Command in Menu split at its tab into caption and
// shortcut; false when Menu has no such command.
bool CommandText(HMENU menu, UINT command, std::string& caption, std::string& shortcut) {
  wchar_t text[256];
  if (!menu || GetMenuStringW(menu, command, text, 255, MF_BYCOMMAND) <= 0) return false;
  const std::string all = platform::WideToUtf8(text);
  const size_t tab = all.find('\t');
  caption = all.substr(0, tab);
  shortcut = tab == std::string::npos ? std::string() : all.substr(tab + 1);
  return true;
}

std::string LibraryString(const wchar_t* library, UINT id, const char* fallback) {
  HMODULE module = GetModuleHandleW(library);
  if (!module) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  const wchar_t* text = nullptr;
  const int n = module ? LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0) : 0;
  return n > 0 ? platform::WideToUtf8(std::wstring_view(text, static_cast<size_t>(n))) : fallback;
}

// Copies Source's items under Target, recursively, as "<name>Copy".
void CopyItems(TMenuItem& target, const TMenuItem& source) {
  for (int i = 0; i < source.Count(); ++i) {
    const TMenuItem& s = source[i];
    TMenuItem& c = target.Add(s.Name + "Copy", s.Caption);
    c.ShortCutText = s.ShortCutText;
    c.Checked = s.Checked;
    c.Enabled = s.Enabled;
    c.ImageIndex = s.ImageIndex;
    c.OnClick = s.OnClick;
    c.Command = s.Command;
    CopyItems(c, s);
  }
}

}  // namespace

const TSysMenuCaptions& DefaultSysMenuCaptions() {
  // Read once: the system's strings do not change while the program runs.
  static const TSysMenuCaptions captions{
      LibraryString(L"comctl32.dll", 33056, "Restore"),
      LibraryString(L"comctl32.dll", 32784, "Move"),
      LibraryString(L"comctl32.dll", 32768, "Size"),
      LibraryString(L"comctl32.dll", 32800, "Minimize"),
      LibraryString(L"comctl32.dll", 32816, "Maximize"),
      LibraryString(L"user32.dll", 905, "Close"),
  };
  return captions;
}

TsSystemMenu::TsSystemMenu(TComponent* owner, TCustomForm& form) : TPopupMenu(owner), FForm(form) {
  SetName("acSysMenu" + std::to_string(GetTickCount()));
  Generate();
}

HMENU TsSystemMenu::WindowMenu() const {
  const HWND wnd = Window();
  return wnd ? GetSystemMenu(wnd, FALSE) : nullptr;
}

bool TsSystemMenu::HasIcon(TBorderIcon icon) const {
  return (FForm.BorderIcons & (1u << static_cast<int>(icon))) != 0;
}

bool TsSystemMenu::SingleOrSizeable() const {
  return FForm.BorderStyle == TFormBorderStyle::bsSingle ||
         FForm.BorderStyle == TFormBorderStyle::bsSizeable;
}

TMenuItem* TsSystemMenu::AddFixed(HMENU windowMenu, const char* name, UINT command,
                                  const std::string& fallback) {
  TMenuItem& item = Items.Add(name, fallback);
  item.Command = command;
  CommandText(windowMenu, command, item.Caption, item.ShortCutText);
  // Fixed items send their command and wait for it, as the system's menu does.
  item.OnClick = [this, command](TComponent*) {
    if (const HWND wnd = Window()) SendMessageW(wnd, WM_SYSCOMMAND, command, 0);
    if (command == SC_RESTORE || command == SC_MINIMIZE || command == SC_MAXIMIZE)
      UpdateItems(false);
  };
  return &item;
}

void TsSystemMenu::AddSubMenu() {
  if (SysSubMenu.Caption.empty() || !SysSubMenu.PopupMenu) return;
  SubMenu = &Items.Add("ac_SubMenu", SysSubMenu.Caption);
  CopyItems(*SubMenu, SysSubMenu.PopupMenu->Items);
}

void TsSystemMenu::Generate() {
  Items.Clear();
  ItemRestore = ItemMove = ItemSize = ItemMinimize = ItemMaximize = ItemClose = SubMenu = nullptr;
  ExtItemsCount = 0;
  const HMENU windowMenu = WindowMenu();
  if (!windowMenu) return;
  if (SysSubMenu.Position == TacMenuItemPos::ipTop && SysSubMenu.PopupMenu) {
    AddSubMenu();
    Items.Add("ac_TopDiv", "-");
  }
  const TSysMenuCaptions& d = DefaultSysMenuCaptions();
  ItemRestore = AddFixed(windowMenu, "acIR", SC_RESTORE, d.Restore);
  ItemMove = AddFixed(windowMenu, "acIM", SC_MOVE, d.Move);
  ItemSize = AddFixed(windowMenu, "acIS", SC_SIZE, d.Size);
  ItemMinimize = AddFixed(windowMenu, "acIN", SC_MINIMIZE, d.Minimize);
  ItemMaximize = AddFixed(windowMenu, "acIX", SC_MAXIMIZE, d.Maximize);
  Items.Add("", "-");
  // The window's own commands outside the system range come next; they are
  // posted, as the system posts a menu command.
  const int n = GetMenuItemCount(windowMenu);
  for (int i = 0; i < n; ++i) {
    const UINT id = GetMenuItemID(windowMenu, i);
    if (id >= 0xF000 && id <= 0xF1FF) continue;
    if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separators and sub-menus
    wchar_t text[256];
    if (GetMenuStringW(windowMenu, static_cast<UINT>(i), text, 255, MF_BYPOSITION) <= 0) continue;
    const std::string all = platform::WideToUtf8(text);
    const size_t tab = all.find('\t');
    TMenuItem& item = Items.Add("", all.substr(0, tab));
    if (tab != std::string::npos) item.ShortCutText = all.substr(tab + 1);
    item.Command = id;
    item.OnClick = [this, id](TComponent*) {
      if (const HWND wnd = Window()) PostMessageW(wnd, WM_SYSCOMMAND, id, 0);
    };
    ++ExtItemsCount;
  }
  if (ExtItemsCount > 0) Items.Add("", "-");
  if (SysSubMenu.Position == TacMenuItemPos::ipBeforeClose && SysSubMenu.PopupMenu) {
    AddSubMenu();
    Items.Add("ac_TopDiv", "-");
  }
  ItemClose = AddFixed(windowMenu, "acIC", SC_CLOSE, d.Close);
  ItemClose->Enabled = EnabledClose();
  if (SysSubMenu.Position == TacMenuItemPos::ipBottom && SysSubMenu.PopupMenu) {
    Items.Add("ac_BtmDiv", "-");
    AddSubMenu();
  }
}

void TsSystemMenu::UpdateItems(bool full) {
  if (full || !ItemClose) Generate();
  if (!ItemClose) return;
  ItemRestore->Visible = VisibleRestore();
  ItemRestore->Enabled = EnabledRestore();
  ItemMove->Enabled = EnabledMove();
  ItemSize->Visible = VisibleSize();
  ItemSize->Enabled = EnabledSize();
  ItemMinimize->Visible = VisibleMin();
  ItemMinimize->Enabled = EnabledMin();
  ItemMaximize->Visible = VisibleMax();
  ItemMaximize->Enabled = EnabledMax();
  ItemClose->Visible = VisibleClose();
  ItemClose->Enabled = EnabledClose();
}

void TsSystemMenu::Drop(TsSkinManager* manager, int x, int y) {
  const HWND wnd = Window();
  // A second request (the taskbar's, or a key) while the menu is open would
  // rebuild the items the open menu shows.
  if (!wnd || FDropped || !FForm.Active()) return;
  FDropped = true;
  const struct TDropEnd {
    bool& Dropped;
    ~TDropEnd() { Dropped = false; }
  } dropEnd{FDropped};
  if (!manager || manager->SkinnedPopups) {
    UpdateItems(ExtItemsCount > 0 || SysSubMenu.PopupMenu != nullptr);
    if (manager) manager->SkinableMenus.Skin(*this);
    Popup(x, y);
    if (manager) manager->SkinableMenus.Unskin(*this);
    return;
  }
  // The native menu, with the same rules deciding what can be chosen. The
  // window is marked invisible meanwhile so that the system does not repaint
  // its own caption for the menu.
  const HMENU menu = WindowMenu();
  if (!menu) return;
  UpdateItems(false);
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  SetWindowLongPtrW(wnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_VISIBLE));
  const bool iconic = IsIconic(wnd) != 0;
  const bool normal = !iconic && !IsZoomed(wnd);
  const auto enable = [&](UINT command, bool on) {
    EnableMenuItem(menu, command, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
  };
  enable(SC_RESTORE, VisibleRestore() && EnabledRestore());
  enable(SC_MOVE, EnabledMove() && !iconic);
  enable(SC_SIZE, VisibleSize() && EnabledSize() && normal);
  enable(SC_MINIMIZE, VisibleMin() && EnabledMin());
  enable(SC_MAXIMIZE, VisibleMax() && EnabledMax());
  enable(SC_CLOSE, VisibleClose() && EnabledClose());
  SetWindowLongPtrW(wnd, GWL_STYLE, style);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, wnd, nullptr));
  if (chosen != 0) PostMessageW(wnd, WM_SYSCOMMAND, chosen, 0);
}

bool TsSystemMenu::VisibleRestore() const {
  return HasIcon(TBorderIcon::biSystemMenu) && SingleOrSizeable();
}

bool TsSystemMenu::EnabledRestore() const {
  const HWND wnd = Window();
  const bool iconic = wnd && IsIconic(wnd);
  const bool normal = !wnd || (!iconic && !IsZoomed(wnd));
  return (HasIcon(TBorderIcon::biMaximize) && !normal) || iconic;
}

bool TsSystemMenu::EnabledMove() const {
  const HWND wnd = Window();
  return !(wnd && IsZoomed(wnd));
}

bool TsSystemMenu::VisibleSize() const {
  switch (FForm.BorderStyle) {
    case TFormBorderStyle::bsNone:
    case TFormBorderStyle::bsDialog:
    case TFormBorderStyle::bsToolWindow:
      return false;
    default:
      return true;
  }
}

bool TsSystemMenu::EnabledSize() const {
  const HWND wnd = Window();
  return FForm.BorderStyle != TFormBorderStyle::bsSingle && !(wnd && IsIconic(wnd));
}

bool TsSystemMenu::VisibleMin() const {
  const HWND wnd = Window();
  return HasIcon(TBorderIcon::biSystemMenu) &&
         ((wnd && IsIconic(wnd)) || (SingleOrSizeable() && HasIcon(TBorderIcon::biMinimize)));
}

bool TsSystemMenu::EnabledMin() const {
  return HasIcon(TBorderIcon::biMinimize);
}

bool TsSystemMenu::VisibleMax() const {
  return HasIcon(TBorderIcon::biSystemMenu) && SingleOrSizeable() &&
         HasIcon(TBorderIcon::biMaximize);
}

bool TsSystemMenu::EnabledMax() const {
  return SingleOrSizeable() && HasIcon(TBorderIcon::biMaximize);
}

bool TsSystemMenu::VisibleClose() const {
  if (!HasIcon(TBorderIcon::biSystemMenu)) return false;
  const HMENU menu = WindowMenu();
  return menu ? GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1) : true;
}

bool TsSystemMenu::EnabledClose() const {
  const HMENU menu = WindowMenu();
  if (!menu) return HasIcon(TBorderIcon::biSystemMenu);
  const UINT state = GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_DISABLED) == 0;
}

}  // namespace ac
