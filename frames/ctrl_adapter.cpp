#include "frames/ctrl_adapter.h"

#include <algorithm>
#include <cwctype>

#include "controls/ts_common_data.h"
#include "controls/ts_label.h"
#include "frames/button_adapter.h"
#include "frames/check_box_adapter.h"
#include "frames/edit_adapter.h"
#include "frames/static_adapter.h"
#include "framework/button.h"
#include "framework/screen.h"
#include "manager/skin_broadcast.h"
#include "manager/skin_command_delivery.h"
#include "skin/palette.h"
#include "skin/skin_data_lookup.h"

namespace ac {

namespace {

bool Tagged(const TComponent& c) {
  return (c.Tag & kNoSkinTag) == kNoSkinTag;
}

// System class names compare without regard to case, as the system does.
bool SameClass(const wchar_t* a, const wchar_t* b) {
  for (; *a && *b; ++a, ++b)
    if (std::towlower(*a) != std::towlower(*b)) return false;
  return *a == *b;
}

template <typename T>
std::unique_ptr<TacMainWnd> Make(HWND window, TsSkinManager* manager, const TacSkinParams& params) {
  return std::make_unique<T>(window, manager, params);
}

}  // namespace

std::unique_ptr<TacMainWnd> MakeListAdapter(int listIndex, TWinControl& control,
                                            TsSkinManager* manager, const TacSkinParams& params) {
  HWND window = control.Handle();
  switch (listIndex) {
    case tlEdits:
      return Make<TacEditWnd>(window, manager, params);
    case tlButtons:
      if (auto* button = dynamic_cast<TButton*>(&control))
        return std::make_unique<TacButtonWnd>(*button, manager, params);
      return Make<TacBtnWnd>(window, manager, params);
    case tlCheckBoxes:
      return Make<TacCheckBoxWnd>(window, manager, params);
    case tlGroupBoxes:
      return Make<TacGroupBoxWnd>(window, manager, params);
    case tlStaticText:
      return Make<TacStaticWnd>(window, manager, params);
    default:
      // Lists of kinds this engine has no adapter for dress nothing.
      return nullptr;
  }
}

std::unique_ptr<TacMainWnd> MakeWindowAdapter(HWND window, TsSkinManager* manager,
                                              const TacSkinParams& params) {
  wchar_t name[64] = {};
  if (!GetClassNameW(window, name, 64)) return nullptr;
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  if (SameClass(name, L"Button")) {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        return Make<TacBtnWnd>(window, manager, params);
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        return Make<TacCheckBoxWnd>(window, manager, params);
      case BS_GROUPBOX:
        return Make<TacGroupBoxWnd>(window, manager, params);
      default:
        // Owner-drawn and user buttons paint themselves.
        return nullptr;
    }
  }
  if (SameClass(name, L"Edit")) return Make<TacEditWnd>(window, manager, params);
  if (SameClass(name, L"Static") && TacStaticWnd::IsTextStyle(style))
    return Make<TacStaticWnd>(window, manager, params);
  return nullptr;
}

TacCtrlAdapter::TacCtrlAdapter(TsSkinManager* manager) : FSkinManager(manager) {}

TacCtrlAdapter::~TacCtrlAdapter() {
  RemoveAll();
}

TsSkinManager* TacCtrlAdapter::SkinManager() const {
  return FSkinManager ? FSkinManager : TsSkinManager::DefaultManager();
}

const TacThirdLists& TacCtrlAdapter::ThirdLists() {
  if (OwnLists) return *OwnLists;
  // Read at every walk: the manager's lists may be set after this adapter.
  const TsSkinManager* manager = SkinManager();
  FManagerLists = manager ? MakeThirdLists(manager->ThirdParty) : TacThirdLists{};
  return *FManagerLists;
}

void TacCtrlAdapter::Compact() {
  std::erase_if(FItems, [](const TacAdapterItem& item) {
    return !item.ScrollWnd || item.ScrollWnd->Destroyed() || !IsWindow(item.Window);
  });
}

bool TacCtrlAdapter::Accepts(TComponent& item, TacSkinParams& params) {
  if (Tagged(item)) return false;
  bool canBeAdded = true;
  if (OnSkinItem) OnSkinItem(&item, canBeAdded, params);
  return canBeAdded;
}

TacMainWnd* TacCtrlAdapter::Keep(std::unique_ptr<TacMainWnd> adapter, TWinControl* control,
                                 HWND window) {
  if (!adapter) return nullptr;
  adapter->Adapter = this;
  if (!adapter->Create()) return nullptr;
  FItems.push_back(TacAdapterItem{this, control, window, std::move(adapter)});
  return FItems.back().ScrollWnd.get();
}

void TacCtrlAdapter::AddNewItem(TWinControl& control, const std::string& section) {
  if (Tagged(control) || !control.Parent() || !control.HandleAllocated()) return;
  HWND window = control.Handle();
  if (IsWindowSkinned(window)) return;
  const int index = FindThirdList(ThirdLists(), control.ClassName());
  if (index < 0) return;
  TacSkinParams params;
  params.Control = &control;
  params.SkinSection = section;
  if (!Accepts(control, params)) return;
  Keep(MakeListAdapter(index, control, FSkinManager, params), &control, window);
}

void TacCtrlAdapter::Walk(TWinControl& owner) {
  // The children may change while they are dressed: walk by index.
  for (size_t i = 0; i < owner.Controls().size(); ++i) {
    TControl* child = owner.Controls()[i];
    if (Tagged(*child)) continue;
    if (auto* win = dynamic_cast<TWinControl*>(child)) {
      AddNewItem(*win, {});
      if (win->HandleAllocated()) Walk(*win);
    } else if (auto* label = dynamic_cast<TCustomLabel*>(child);
               label && !dynamic_cast<TsLabel*>(label)) {
      RecolorLabel(*label, TRecolor::rcOn);
    }
  }
}

void TacCtrlAdapter::AddAllItems(TWinControl& owner) {
  const TsSkinManager* manager = SkinManager();
  const auto thirdParty = 1u << static_cast<int>(TacSkinningRule::srThirdParty);
  if (!manager || !(manager->SkinningRules & thirdParty) || bFlag || Tagged(owner)) return;
  bFlag = true;
  Compact();
  Walk(owner);
  for (HWND root : FWindowRoots)
    if (IsWindow(root)) AdaptChildren(root);
  bFlag = false;
}

TacMainWnd* TacCtrlAdapter::AdaptWindow(HWND window) {
  if (!window || IsWindowSkinned(window)) return nullptr;
  TWinControl* control = TWinControl::FindControl(window);
  if (control) return nullptr;  // framework controls go by the lists
  TacSkinParams params;
  return Keep(MakeWindowAdapter(window, FSkinManager, params), nullptr, window);
}

void TacCtrlAdapter::AdaptChildren(HWND parent) {
  if (!parent || !IsWindow(parent)) return;
  if (std::find(FWindowRoots.begin(), FWindowRoots.end(), parent) == FWindowRoots.end())
    FWindowRoots.push_back(parent);
  Compact();
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  for (HWND child : children) AdaptWindow(child);
}

TacMainWnd* TacCtrlAdapter::AdapterOf(HWND window) const {
  for (const TacAdapterItem& item : FItems)
    if (item.Window == window && item.ScrollWnd && !item.ScrollWnd->Destroyed() && IsWindow(window))
      return item.ScrollWnd.get();
  return nullptr;
}

void TacCtrlAdapter::WndProc(TMessage& m) {
  // By index: an adapter may make the walk add items.
  for (size_t i = 0; i < FItems.size(); ++i) {
    TacMainWnd* adapter = FItems[i].ScrollWnd.get();
    if (adapter && !adapter->Destroyed() && IsWindow(FItems[i].Window))
      adapter->ProcessMessage(m.Msg, m.WParam, m.LParam);
  }
}

void TacCtrlAdapter::RemoveAll() {
  // Last to first: the reverse of the order the windows were taken.
  while (!FItems.empty()) {
    std::unique_ptr<TacMainWnd> adapter = std::move(FItems.back().ScrollWnd);
    FItems.pop_back();
    adapter.reset();
  }
  RestoreLabelColors();
}

bool TacCtrlAdapter::HandleFormCommand(TWinControl& form, TMessage& m) {
  if (m.Msg != WM_SKINCMD) return false;
  switch (SkinCommandCode(m.WParam)) {
    case SKC_NEWSKIN:
    case SKC_REFRESH:
      AddAllItems(form);
      return false;
    case SKC_ADAPTCONTROLS: {
      auto* control = reinterpret_cast<TControl*>(m.LParam);
      auto* win = dynamic_cast<TWinControl*>(control);
      if (win && win != &form) {
        AddNewItem(*win, {});
        if (win->HandleAllocated()) Walk(*win);
      } else {
        AddAllItems(form);
      }
      return false;
    }
    case SKC_REMOVESKIN: {
      if (m.LParam != 0 && reinterpret_cast<TsSkinManager*>(m.LParam) != SkinManager())
        return false;
      WndProc(m);
      Compact();
      RestoreLabelColors();
      return false;
    }
    default:
      return false;
  }
}

TColor TacCtrlAdapter::LabelColorFromSkin(TCustomLabel& label) const {
  TsSkinManager* manager = SkinManager();
  TWinControl* parent = label.Parent();
  const TacSkinData& sd = manager->Core.CommonSkinData(Screen ? Screen->PixelsPerInch() : 96);
  TacSectionAtQuery query;
  query.Bounds = parent->BoundsRect();
  const LRESULT answer =
      SendSkinCommandTo(*parent, SKC_SECTIONAT, reinterpret_cast<LPARAM>(&query));
  if (answer == 0) {
    // Nothing skinned under it: the colour of the parent's parent.
    const TWinControl* above = parent->Parent() ? parent->Parent() : parent;
    return above->Font().Color();
  }
  if (!IsValidSkinIndex(sd, query.SkinIndex)) return manager->Core.Palette[pcLabelText];
  return sd.gd[static_cast<size_t>(query.SkinIndex)].Props[0].FontColor.Color;
}

void TacCtrlAdapter::RestoreLabelColors() {
  std::erase_if(FSavedLabelColors, [](const TacLabelColor& c) { return c.Alive.expired(); });
  while (!FSavedLabelColors.empty())
    RecolorLabel(*FSavedLabelColors.back().Control, TRecolor::rcOff);
}

void TacCtrlAdapter::RecolorLabel(TCustomLabel& label, TRecolor mode) {
  // A freed label's entry goes first: a new label may have its address.
  std::erase_if(FSavedLabelColors, [](const TacLabelColor& c) { return c.Alive.expired(); });
  auto saved = std::find_if(FSavedLabelColors.begin(), FSavedLabelColors.end(),
                            [&](const TacLabelColor& c) { return c.Control == &label; });
  const TsSkinManager* manager = SkinManager();
  const bool transparentAlways = manager && manager->LabelsOptions.TransparentAlways;
  if (mode == TRecolor::rcOff) {
    if (saved == FSavedLabelColors.end()) return;
    if (!saved->ParentFont) {
      label.Font().SetColor(saved->Color);
    } else if (label.ParentFont() && label.Parent()) {
      label.Font().SetColor(label.Parent()->Font().Color());
    } else {
      label.SetParentFont(true);
    }
    *saved = FSavedLabelColors.back();
    FSavedLabelColors.pop_back();
    return;
  }
  if (Tagged(label) || !label.Parent()) return;
  TacSkinParams params;
  params.Control = &label;
  // A label with a font of its own (a link) keeps its colour unless a
  // handler asks otherwise.
  params.UseSkinFontColor = label.ParentFont();
  bool canBeAdded = true;
  if (OnSkinItem) OnSkinItem(&label, canBeAdded, params);
  if (!canBeAdded) return;
  if (saved == FSavedLabelColors.end())
    FSavedLabelColors.push_back(
        {label.Font().Color(), &label, label.ParentFont(), label.LifeToken()});
  if (label.Transparent() || transparentAlways) label.ControlStyle &= ~csOpaque;
  if (!params.UseSkinFontColor || !manager || !manager->IsActive()) return;
  label.Font().SetColor(LabelColorFromSkin(label));
}

}  // namespace ac
