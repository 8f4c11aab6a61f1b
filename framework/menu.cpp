#include "framework/menu.h"

#include <algorithm>
#include <exception>

#include "framework/application.h"
#include "framework/dispatch_scope.h"
#include "system/win/unicode.h"
#include "win32/private_window_class.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

namespace {

// The class atom of the system's popup-menu windows ("#32768").
constexpr DWORD kPopupMenuAtom = 0x8000;

// Items without a command of their own are numbered from here, above the
// commands programs give their items and below the system's window commands,
// skipping any command an item of the menu uses.
constexpr UINT kFirstAutoId = 0xE000;

void CollectCommands(const TMenuItem& parent, std::vector<UINT>& commands) {
  for (int i = 0; i < parent.Count(); ++i) {
    if (parent[i].Command != 0) commands.push_back(parent[i].Command);
    CollectCommands(parent[i], commands);
  }
}

}  // namespace

TMenuItem& TMenuItem::Add(std::string name, std::string caption, int index) {
  auto item = std::make_unique<TMenuItem>();
  item->Name = std::move(name);
  item->Caption = std::move(caption);
  item->FParent = this;
  const auto at = index < 0 || index > Count() ? FItems.end() : FItems.begin() + index;
  return **FItems.insert(at, std::move(item));
}

void TMenuItem::Delete(int index) {
  if (index >= 0 && index < Count()) FItems.erase(FItems.begin() + index);
}

TMenuItem* TMenuItem::Find(const std::string& name) {
  for (auto& item : FItems) {
    if (item->Name == name) return item.get();
    if (TMenuItem* found = item->Find(name)) return found;
  }
  return nullptr;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[static_cast<size_t>(i)].get() == item) return i;
  return -1;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {}

TPopupMenu::~TPopupMenu() = default;

HMENU TPopupMenu::Build(const TMenuItem& parent) {
  HMENU menu = CreatePopupMenu();
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem& item = parent[i];
    if (!item.Visible) continue;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    std::wstring text;
    if (item.IsLine()) {
      mii.fType = MFT_SEPARATOR;
    } else {
      text = platform::Utf8ToWide(
          item.ShortCutText.empty() ? item.Caption : item.Caption + "\t" + item.ShortCutText);
      mii.fMask |= MIIM_STRING;
      mii.dwTypeData = text.data();
      if (item.RadioItem) mii.fType |= MFT_RADIOCHECK;
    }
    if (item.OnDrawItem && item.OnMeasureItem) mii.fType |= MFT_OWNERDRAW;
    if (item.Break) mii.fType |= MFT_MENUBARBREAK;
    if (!item.Enabled) mii.fState |= MFS_GRAYED;
    if (item.Checked) mii.fState |= MFS_CHECKED;
    if (item.Default) mii.fState |= MFS_DEFAULT;
    // An item's own command is kept as its id so that readers see what it
    // stands for; the others get ids no command can be taken for.
    mii.wID = item.Command != 0 ? item.Command : NextAutoId();
    FById.emplace_back(mii.wID, &item);
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
    if (item.Count() > 0) {
      mii.fMask |= MIIM_SUBMENU;
      mii.hSubMenu = Build(item);
    }
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &mii);
  }
  return menu;
}

UINT TPopupMenu::NextAutoId() {
  while (std::find(FCommands.begin(), FCommands.end(), FNextAutoId) != FCommands.end())
    ++FNextAutoId;
  return FNextAutoId++;
}

TMenuItem* TPopupMenu::ItemOf(ULONG_PTR data) const {
  for (const auto& [id, item] : FById)
    if (reinterpret_cast<ULONG_PTR>(item) == data) return item;
  return nullptr;
}

LRESULT CALLBACK TPopupMenu::OwnerProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* menu = reinterpret_cast<TPopupMenu*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (!menu) return DefWindowProcW(wnd, msg, wp, lp);
  const TDispatchScope dispatch;
  try {
    return menu->OwnerMessage(wnd, msg, wp, lp);
  } catch (...) {
    ReportBoundaryException();
    return DefWindowProcW(wnd, msg, wp, lp);
  }
}

LRESULT TPopupMenu::OwnerMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      TMenuItem* item = mis->CtlType == ODT_MENU ? ItemOf(mis->itemData) : nullptr;
      if (!item || !item->OnMeasureItem) break;
      int width = 0, height = 0;
      {
        // Released whether or not the item's handler throws.
        const platform::ScopedGetDC dc(wnd);
        item->OnMeasureItem(*item, dc.Get(), width, height);
      }
      mis->itemWidth = static_cast<UINT>(std::max(width, 0));
      mis->itemHeight = static_cast<UINT>(std::max(height, 0));
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      TMenuItem* item = dis->CtlType == ODT_MENU ? ItemOf(dis->itemData) : nullptr;
      if (!item || !item->OnDrawItem) break;
      TMenuDrawState state;
      state.Selected = (dis->itemState & ODS_SELECTED) != 0;
      state.Disabled = (dis->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
      state.Checked = (dis->itemState & ODS_CHECKED) != 0;
      state.Default = (dis->itemState & ODS_DEFAULT) != 0;
      item->OnDrawItem(*item, dis->hDC, dis->rcItem, state);
      return TRUE;
    }
    case WM_ENTERIDLE:
      // The menu loop is waiting: every popup window it shows exists now.
      // (Some systems name the popup in LParam, others the owner; the
      // thread's visible popup-menu windows are looked up instead.)
      if (wp == MSGF_MENU && OnMenuWindow) {
        std::vector<HWND> popups;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND w, LPARAM list) -> BOOL {
              if (GetClassLongW(w, GCW_ATOM) == kPopupMenuAtom && IsWindowVisible(w))
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&popups));
        for (HWND popup : popups) {
          if (std::find(FMenuWindows.begin(), FMenuWindows.end(), popup) != FMenuWindows.end())
            continue;
          FMenuWindows.push_back(popup);
          OnMenuWindow(popup);
        }
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

TMenuItem* TPopupMenu::Popup(int x, int y) {
  if (FMenu.Get()) return nullptr;  // already shown
  constexpr wchar_t kClass[] = L"TPopupMenuOwner";
  platform::RegisterPrivateClass({.Name = kClass, .Procedure = OwnerProc});
  // A hidden window of the menu's own receives the menu's messages, so the
  // form that shows it needs no knowledge of menus.
  platform::ScopedWindow owner(CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP, 0, 0, 0, 0,
                                               nullptr, nullptr, GetModuleHandleW(nullptr),
                                               nullptr));
  SetWindowLongPtrW(owner.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  FById.clear();
  FMenuWindows.clear();
  FCommands.clear();
  CollectCommands(Items, FCommands);
  FNextAutoId = kFirstAutoId;
  FMenu = platform::ScopedMenu(Build(Items));
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenuEx(FMenu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON,
                       x, y, owner.Get(), nullptr));
  TMenuItem* item = nullptr;
  for (const auto& [id, candidate] : FById) {
    if (chosen != 0 && id == chosen) {
      item = candidate;
      break;
    }
  }
  FMenu.Reset();
  FMenuWindows.clear();
  SetWindowLongPtrW(owner.Get(), GWLP_USERDATA, 0);
  owner.Reset();
  FById.clear();
  if (item && item->OnClick) item->OnClick(this);
  return item;
}

}  // namespace ac
