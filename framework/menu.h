#pragma once
// TMenuItem / TPopupMenu: a popup menu described by a tree of items and shown
// with the system's menu tracking. The items are turned into a system menu
// only while the menu is shown, so the tree can change freely in between.
//
// Items with drawing handlers are owner-drawn and keep their caption as the
// menu string, so tools reading the menu from outside (MN_GETHMENU) still see
// the captions. While the menu is shown its messages go to a hidden window of
// the menu's own; OnMenuWindow hands out the system's popup window ("#32768")
// once it exists, for code that dresses it.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/component.h"
#include "win32/scoped_window.h"

namespace ac {

class TMenuItem;

// What a drawing handler is asked to draw: the item's rectangle in DC and
// whether it is selected, disabled, checked, the default item.
struct TMenuDrawState {
  bool Selected = false;
  bool Disabled = false;
  bool Checked = false;
  bool Default = false;
};
using TMenuDrawEvent =
    std::function<void(TMenuItem& item, HDC dc, const RECT& rect, const TMenuDrawState& state)>;
using TMenuMeasureEvent = std::function<void(TMenuItem& item, HDC dc, int& width, int& height)>;

class TMenuItem {
 public:
  TMenuItem() = default;
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  std::string Name;
  std::string Caption;  // "-" makes a separator
  std::string ShortCutText;
  // The command the item stands for (a system command, an application id);
  // 0 lets the menu number it.
  UINT Command = 0;
  bool Enabled = true;
  bool Visible = true;
  bool Checked = false;
  bool RadioItem = false;
  bool Default = false;
  bool Break = false;  // starts a new column
  int ImageIndex = -1;
  TNotifyEvent OnClick;
  // Owner drawing; both set makes the item owner-drawn.
  TMenuDrawEvent OnDrawItem;
  TMenuMeasureEvent OnMeasureItem;

  bool IsLine() const { return Caption == "-"; }
  TMenuItem* Parent() const { return FParent; }

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem& operator[](int index) const { return *FItems[static_cast<size_t>(index)]; }
  // Appends (or inserts at Index) a new item and returns it.
  TMenuItem& Add(std::string name, std::string caption, int index = -1);
  void Delete(int index);
  void Clear() { FItems.clear(); }
  // The first item of this name below this one, depth first; null if none.
  TMenuItem* Find(const std::string& name);
  int IndexOf(const TMenuItem* item) const;

 private:
  TMenuItem* FParent = nullptr;
  std::vector<std::unique_ptr<TMenuItem>> FItems;
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;
  std::string_view ClassName() const override { return "TPopupMenu"; }

  TMenuItem Items;
  // Handed the system's popup window of each level while the menu is shown.
  std::function<void(HWND menuWindow)> OnMenuWindow;
  // The menu shown now, while Popup runs; null otherwise.
  HMENU Handle() const { return FMenu.Get(); }

  // Shows the menu with its top-left corner at the screen point (X, Y) and
  // returns when it closes; the chosen item's OnClick runs before that.
  // Returns the chosen item, or null.
  TMenuItem* Popup(int x, int y);

 private:
  static LRESULT CALLBACK OwnerProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OwnerMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  // The system menu for Parent's visible items (and their sub-menus).
  HMENU Build(const TMenuItem& parent);
  // The id of the next item without a command of its own.
  UINT NextAutoId();
  TMenuItem* ItemOf(ULONG_PTR data) const;

  platform::ScopedMenu FMenu;
  // Items of the shown menu with the id each was given.
  std::vector<std::pair<UINT, TMenuItem*>> FById;
  // The commands of the shown menu's items, and the next id to try for an
  // item without one.
  std::vector<UINT> FCommands;
  UINT FNextAutoId = 0;
  // Popup windows already handed to OnMenuWindow.
  std::vector<HWND> FMenuWindows;
};

}  // namespace ac
