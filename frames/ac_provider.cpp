#include "frames/ac_provider.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/dispatch_scope.h"
#include "framework/screen.h"
#include "manager/skin_command_delivery.h"
#include "win32/scoped_window.h"

namespace ac {

namespace {

// Form classes of popups and helper windows that must keep their own look.
constexpr std::array<std::string_view, 14> kExcludedForms = {"TAdvSmoothMessageDialogForm",
                                                             "TApplication",
                                                             "TPopupDBTreeView",
                                                             "TPopupListboxFormEh",
                                                             "TSynBaseCompletionProposalForm",
                                                             "TcxComboBoxPopupWindow",
                                                             "TcxDateEditPopupWindow",
                                                             "TcxGridFilterPopup",
                                                             "TcxPopupEditPopupWindow",
                                                             "TdxPopupEditForm",
                                                             "TfcPopup",
                                                             "TfcxFilterPopup",
                                                             "TfcxMeasurePopup",
                                                             "TfcxSliceFieldsPopup"};

// At most this many visible dialogs are framed at once; more stay plain.
constexpr size_t kMaxDialogAttachments = 16;

constexpr ATOM kDialogAtom = 0x8002;

struct THookState {
  platform::ScopedHook Hook;
  TsSkinManager* Manager = nullptr;
  // The dialogs' attachments, which no form owns.
  std::vector<std::unique_ptr<TacProvider>> Dialogs;
  // Forms' attachments retired by the hook's removal and not yet freed.
  std::vector<TacProvider*> Retired;
};

THookState& State() {
  static THookState state;
  return state;
}

bool Rule(const TsSkinManager& manager, TacSkinningRule rule) {
  return (manager.SkinningRules & (1u << static_cast<int>(rule))) != 0;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int n = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<size_t>(std::max(n, 0)));
}

// A window of class Cls (compared without regard to case) anywhere below
// Window.
bool HasDescendantOfClass(HWND window, const wchar_t* cls) {
  struct TFind {
    const wchar_t* Cls;
    bool Found;
  } find{cls, false};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM lp) -> BOOL {
        auto* f = reinterpret_cast<TFind*>(lp);
        wchar_t name[256] = {};
        GetClassNameW(child, name, 256);
        f->Found = _wcsicmp(name, f->Cls) == 0;
        return f->Found ? FALSE : TRUE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.Found;
}

TCustomForm* FindForm(HWND window) {
  if (!Screen) return nullptr;
  const auto& forms = Screen->CustomForms();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
    TCustomForm* f = *it;
    if (f->HasState(csDestroying) || !f->HandleAllocated()) continue;
    if (f->Handle() == window) return f;
  }
  return nullptr;
}

size_t VisibleDialogs() {
  return static_cast<size_t>(
      std::count_if(State().Dialogs.begin(), State().Dialogs.end(), [](const auto& p) {
        return p->ListSW && p->ListSW->Alive() && IsWindowVisible(p->CtrlHandle);
      }));
}

void AttachForm(TCustomForm& form, TsSkinManager& manager) {
  if ((form.Tag & kNoAutoSkinTag) == kNoAutoSkinTag) return;
  const std::string_view cls = form.ClassName();
  if (IsExcludedFormClass(cls)) return;
  const bool messageForm = cls == "TMessageForm";
  if (!Rule(manager, messageForm ? TacSkinningRule::srStdDialogs : TacSkinningRule::srStdForms))
    return;
  const std::string section = messageForm || cls == "TInputQueryForm" ? "DIALOG" : "FORM";
  auto* provider = new TacProvider(form, section);
  if (!provider->sp || provider->sp->RTEmpty) {
    TComponent::Free(provider);
    return;
  }
  // Desktop composition is off where this runs: a form already on the screen
  // is painted again at once, frame included.
  if (IsWindowVisible(form.Handle())) {
    UpdateWindow(form.Handle());
    RedrawWindow(form.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  }
}

void AttachDialog(HWND window, TsSkinManager& manager) {
  if ((GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0) return;
  if (HasDescendantOfClass(window, L"NativeHWNDHost")) return;
  if (!Rule(manager, TacSkinningRule::srStdDialogs)) return;
  if (VisibleDialogs() >= kMaxDialogAttachments &&
      !HasDescendantOfClass(window, L"toolbarwindow32"))
    return;
  State().Dialogs.push_back(std::make_unique<TacProvider>(window, &manager));
}

}  // namespace

TacProvider::TacProvider(TCustomForm& form, const std::string& section) : TComponent(&form) {
  CtrlHandle = form.HandleAllocated() ? form.Handle() : nullptr;
  sp = TsSkinProvider::CreateRT(form);
  if (sp->RTEmpty) return;
  sp->MakeSkinMenu = false;
  if (section != "FORM") sp->SetSkinSection(section);
  FEntry = RegisterAutoAttachment(*this);
}

TacProvider::TacProvider(HWND dialog, TsSkinManager* manager) : TComponent(nullptr) {
  CtrlHandle = dialog;
  ListSW = std::make_unique<TacDialogWnd>(dialog, manager);
  FEntry = RegisterAutoAttachment(*this);
}

TacProvider::~TacProvider() {
  // Its form may free it before the retired attachments are released.
  std::erase(State().Retired, this);
  FEntry.Reset();
  ListSW.reset();
  // A form being destroyed frees its components itself, the frame adapter
  // perhaps already (without telling its siblings).
  if (sp && !(Owner() && Owner()->HasState(csDestroying))) {
    TsSkinProvider* p = std::exchange(sp, nullptr);
    TComponent::Free(p);
  }
}

void TacProvider::Retire() {
  FEntry.Reset();
  if (sp) sp->Retire();
}

void TacProvider::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == sp) sp = nullptr;
}

bool IsExcludedFormClass(std::string_view name) {
  return std::find(kExcludedForms.begin(), kExcludedForms.end(), name) != kExcludedForms.end();
}

TacProvider* FindAttachment(HWND window) {
  for (TacAutoAttachment* a : SkinnedWindowLists().AutoAttachments) {
    auto* p = static_cast<TacProvider*>(a);
    if (p->CtrlHandle == window) return p;
  }
  return nullptr;
}

bool AttachToWindow(HWND window, std::wstring_view className) {
  TsSkinManager* manager = TsSkinManager::DefaultManager();
  if (!manager || !window || !Application || Application->HasState(csDestroying)) return false;
  if (FindAttachment(window)) return true;
  if (IsWindowSkinned(window)) return false;
  if (TCustomForm* form = FindForm(window)) {
    AttachForm(*form, *manager);
  } else {
    const std::wstring cls = className.empty() ? ClassOf(window) : std::wstring(className);
    if (cls == L"#32770") AttachDialog(window, *manager);
  }
  return FindAttachment(window) != nullptr;
}

void ReleaseClosedDialogs() {
  auto& dialogs = State().Dialogs;
  dialogs.erase(std::remove_if(dialogs.begin(), dialogs.end(),
                               [](const auto& p) { return !p->ListSW || !p->ListSW->Alive(); }),
                dialogs.end());
}

namespace {

// One at a time: each one leaves the list as it is freed, and freeing one
// may free others (a form closing with its attachment).
void ReleaseRetiredAttachments() {
  auto& retired = State().Retired;
  while (!retired.empty()) TComponent::Free(retired.back());
}

LRESULT CALLBACK CbtHook(int code, WPARAM wp, LPARAM lp) {
  const LRESULT result = CallNextHookEx(nullptr, code, wp, lp);
  if (!Application || Application->HasState(csDestroying) || code < 0) return result;
  // Nothing may leave a hook procedure: the system is in the middle of
  // creating or activating a window.
  try {
    if (code == HCBT_ACTIVATE) {
      ReleaseClosedDialogs();
      AttachToWindow(reinterpret_cast<HWND>(wp));
    } else if (code == HCBT_CREATEWND) {
      ReleaseClosedDialogs();
      const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lp);
      const LPCWSTR cls = create && create->lpcs ? create->lpcs->lpszClass : nullptr;
      if (cls && IS_INTRESOURCE(cls)) {
        if (reinterpret_cast<ULONG_PTR>(cls) == kDialogAtom)
          AttachToWindow(reinterpret_cast<HWND>(wp), L"#32770");
      } else if (cls && std::wstring_view(cls) == L"#32770") {
        AttachToWindow(reinterpret_cast<HWND>(wp), L"#32770");
      }
    }
  } catch (...) {
    ReportBoundaryException();
  }
  return result;
}

}  // namespace

void InstallActivationHook(TsSkinManager& manager) {
  THookState& s = State();
  s.Manager = &manager;
  if (s.Hook) return;
  s.Hook = platform::ScopedHook(WH_CBT, CbtHook);
  AttachShownForms();
}

void AttachShownForms() {
  if (!Screen) return;
  // A form on the screen when the skin arrives (a skin applied again after
  // it was removed) may never be activated again: it is attached now, as
  // its first activation would have done. Attaching may make or free forms.
  const std::vector<TCustomForm*> forms = Screen->CustomForms();
  for (TCustomForm* form : forms) {
    const auto& live = Screen->CustomForms();
    if (std::find(live.begin(), live.end(), form) == live.end()) continue;
    if (form->HasState(csDestroying) || !form->HandleAllocated()) continue;
    if (IsWindowVisible(form->Handle())) AttachToWindow(form->Handle());
  }
}

void UninstallActivationHook() {
  THookState& s = State();
  s.Hook.Reset();
  s.Manager = nullptr;
  s.Dialogs.clear();
  // The forms' attachments: each is owned by its form. The frames are plain
  // again at once; the objects are freed once their code has left the stack.
  std::vector<TacProvider*> forms;
  for (TacAutoAttachment* a : SkinnedWindowLists().AutoAttachments)
    forms.push_back(static_cast<TacProvider*>(a));
  for (TacProvider* p : forms) {
    p->Retire();
    s.Retired.push_back(p);
  }
  if (!forms.empty()) ReleaseAfterDispatch(ReleaseRetiredAttachments);
}

bool ActivationHookInstalled() {
  return static_cast<bool>(State().Hook);
}

}  // namespace ac
