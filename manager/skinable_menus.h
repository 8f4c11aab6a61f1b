#pragma once
// TsSkinableMenus: the manager's popup-menu skinner. It dresses the items of
// a popup menu that draw nothing of their own: each item is painted from the
// skin's "MENUITEM" section (its hot state while selected) with the item's
// caption and shortcut in the section's font colours, separators as a thin
// line, and the system's popup window gets the section's colour around the
// items and a one-pixel border in the skin's border colour. Items of a
// window menu (a menu named "acSysMenu...") show their command's small
// caption-button image from the skin.
//
// Margin, Spacing and BorderWidth are pixels at 96 PPI, scaled with the
// screen's resolution.

#include <windows.h>

#include <vector>

#include "framework/menu.h"
#include "win32/window_subclass.h"

namespace ac {

class TsSkinManager;

class TsSkinableMenus {
 public:
  explicit TsSkinableMenus(TsSkinManager& manager) : FManager(manager) {}

  int Margin = 2;
  int Spacing = 8;
  int BorderWidth = 3;

  // Dresses Menu's items that have no drawing of their own, recursively, and
  // its popup windows while it is shown; Unskin takes the drawing off again.
  void Skin(TPopupMenu& menu);
  void Unskin(TPopupMenu& menu);

  // The item's size as the skinner draws it, at the screen's resolution.
  void MeasureItem(const TMenuItem& item, HDC dc, int& width, int& height) const;
  // Draws Item into Rect of DC; with CommandGlyph an item of a window menu
  // shows its command's picture.
  void DrawItem(const TMenuItem& item, HDC dc, const RECT& rect, const TMenuDrawState& state,
                bool commandGlyph) const;

 private:
  int Scaled(int value) const;
  void SkinItems(TMenuItem& parent, bool systemMenu);
  void DressPopup(HWND popup);
  // The popup window's frame: the section's colour inside a one-pixel line
  // of the skin's border colour, around the items.
  void PaintPopupFrame(HWND popup) const;

  TsSkinManager& FManager;
  std::vector<TMenuItem*> FDressed;
  std::vector<platform::TWindowSubclass> FPopups;
};

}  // namespace ac
