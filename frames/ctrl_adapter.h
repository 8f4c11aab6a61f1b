#pragma once
// TacCtrlAdapter: dresses the standard controls of one form (or dialog).
//
// Two walks:
//   - AddAllItems walks the framework controls under a control: a windowed
//     control whose framework class name is in one of the class-name lists
//     gets the adapter of that list; a framework label (not the engine's
//     own) gets the font colour of the section it sits on (RecolorLabel).
//   - AdaptChildren walks the child windows of a window that no framework
//     control owns (a "#32770" dialog, a plain form's own BUTTONs): each is
//     dressed by its system class ("Button" by its style, "Edit", a text
//     "Static"). A window of another class, even one whose class copies a
//     listed one under its own name, is left alone.
// Nothing is taken over twice: a window that is already skinned ("ACSDATA",
// "ACSBSC", SKC_ISSKINNED) is skipped, and neither a control whose Tag has
// all bits of 0x100 nor its children are touched.
//
// The form's frame adapter owns one and hands it the form's skin commands
// (HandleFormCommand); without one, a test or a caller does the same. The
// adapter owns its window adapters: destroying it gives every window back.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frames/adapter_base.h"
#include "frames/third_lists.h"
#include "framework/label.h"
#include "framework/win_control.h"
#include "manager/ts_skin_manager.h"

namespace ac {

// A component whose Tag has all of these bits is never dressed automatically.
inline constexpr int kNoSkinTag = 0x100;

class TacCtrlAdapter;

struct TacAdapterItem {
  TacCtrlAdapter* Adapter = nullptr;
  TWinControl* WinCtrl = nullptr;  // the framework control, or null
  HWND Window = nullptr;           // the adapted window
  std::unique_ptr<TacMainWnd> ScrollWnd;
};

// A label's font before the skin coloured it.
struct TacLabelColor {
  TColor Color = clNone;
  // Read only while Alive holds: a label can be freed while it is coloured.
  TCustomLabel* Control = nullptr;
  bool ParentFont = false;
  std::weak_ptr<TControl*> Alive;
};

// Asked before a control is dressed: clearing CanBeAdded leaves it alone;
// Params may be changed (section, colours).
using TacSkinItemEvent =
    std::function<void(TComponent* item, bool& canBeAdded, TacSkinParams& params)>;

class TacCtrlAdapter {
 public:
  // Manager: whose skin and lists are used; null for the default manager.
  explicit TacCtrlAdapter(TsSkinManager* manager = nullptr);
  ~TacCtrlAdapter();
  TacCtrlAdapter(const TacCtrlAdapter&) = delete;
  TacCtrlAdapter& operator=(const TacCtrlAdapter&) = delete;

  TsSkinManager* SkinManager() const;
  // Lists of the form's own; empty: the manager's.
  std::optional<TacThirdLists> OwnLists;
  const TacThirdLists& ThirdLists();
  TacSkinItemEvent OnSkinItem;

  // Dresses the framework controls under Owner (Owner itself is not dressed).
  void AddAllItems(TWinControl& owner);
  // Dresses one framework control by the lists with Section (empty: the
  // adapter's default); nothing when it is not listed, tagged, has no
  // window or parent, or is skinned already.
  void AddNewItem(TWinControl& control, const std::string& section);
  // Dresses the child windows of Parent by their system class (see above),
  // and remembers Parent so that later walks come back to it.
  void AdaptChildren(HWND parent);
  // Dresses one bare window by its system class; the adapter or null.
  TacMainWnd* AdaptWindow(HWND window);

  // The skin commands of the form: a new skin, a refresh and
  // SKC_ADAPTCONTROLS (LParam: the control to walk, 0 for the whole form)
  // walk again; a removed skin gives every window and label back. Returns
  // false: the form's own handling goes on.
  bool HandleFormCommand(TWinControl& form, TMessage& m);
  // Runs M through every live window adapter.
  void WndProc(TMessage& m);
  // Gives every window back now and forgets the items; labels get their
  // colours back.
  void RemoveAll();

  // The live adapter of Window, or null.
  TacMainWnd* AdapterOf(HWND window) const;
  const std::vector<TacAdapterItem>& Items() const { return FItems; }

  // Gives Label the font colour of the section under it (On), or its own
  // colour back (Off).
  enum class TRecolor { rcOff, rcOn };
  void RecolorLabel(TCustomLabel& label, TRecolor mode);
  const std::vector<TacLabelColor>& SavedLabelColors() const { return FSavedLabelColors; }

 private:
  // Gives every live recoloured label its colour back and forgets the freed.
  void RestoreLabelColors();
  // Drops items whose adapter gave its window back or whose window is gone.
  void Compact();
  void Walk(TWinControl& owner);
  bool Accepts(TComponent& item, TacSkinParams& params);
  TacMainWnd* Keep(std::unique_ptr<TacMainWnd> adapter, TWinControl* control, HWND window);
  TColor LabelColorFromSkin(TCustomLabel& label) const;

  TsSkinManager* FSkinManager;
  std::optional<TacThirdLists> FManagerLists;
  std::vector<TacAdapterItem> FItems;
  std::vector<TacLabelColor> FSavedLabelColors;
  std::vector<HWND> FWindowRoots;
  bool bFlag = false;
};

// The adapter a list index dresses a framework control with (null: none).
std::unique_ptr<TacMainWnd> MakeListAdapter(int listIndex, TWinControl& control,
                                            TsSkinManager* manager, const TacSkinParams& params);
// The adapter a bare window's system class and style ask for (null: none).
std::unique_ptr<TacMainWnd> MakeWindowAdapter(HWND window, TsSkinManager* manager,
                                              const TacSkinParams& params);

}  // namespace ac
