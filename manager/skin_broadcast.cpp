#include "manager/skin_broadcast.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/form.h"
#include "manager/skinned_window_lists.h"

namespace ac {
namespace {

// Our framework has no form styles of its own: MDI frames and children are
// told apart by their windows.
bool IsMdiChild(TCustomForm& form) {
  return form.HandleAllocated() &&
         (GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

HWND MdiClientOf(TCustomForm& form) {
  return form.HandleAllocated() ? FindWindowExW(form.Handle(), nullptr, L"MDICLIENT", nullptr)
                                : nullptr;
}

template <typename List, typename T>
bool Contains(const List& list, T* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

LRESULT PerformMessage(TControl& control, const TMessage& m) {
  return control.Perform(m.Msg, m.WParam, m.LParam);
}

// The form, then its child controls, then its MDI client window. A receiver
// may free the form while it handles the command; StillThere tells whether
// the form is still listed before each next step.
template <typename StillThere>
void DeliverToForm(TCustomForm& form, const TMessage& m, StillThere stillThere) {
  if (form.HandleAllocated()) {
    DeliverSkinCommand(form.Handle(), m);
  } else {
    PerformMessage(form, m);
  }
  if (!stillThere()) return;
  BroadcastToChildControls(form, m);
  if (!stillThere()) return;
  if (HWND client = MdiClientOf(form)) SendMessageW(client, m.Msg, m.WParam, m.LParam);
}

// The first pass of BroadcastToForms; false when the application's components
// went away under it, which ends the whole broadcast.
bool DeliverToApplicationForms(const TMessage& m) {
  if (!Application) return true;
  for (int i = Application->ComponentCount() - 1; i >= 0; --i) {
    if (i >= Application->ComponentCount()) return false;
    auto* form = dynamic_cast<TCustomForm*>(Application->Components()[static_cast<size_t>(i)]);
    if (!form || form->HasState(csLoading | csDestroying) || IsMdiChild(*form)) continue;
    if (form->HandleAllocated() && IsWindowSkinned(form->Handle())) continue;
    DeliverToForm(*form, m, [&] { return Contains(Application->Components(), form); });
  }
  return true;
}

void DeliverToRegisteredForms(const TMessage& m) {
  const auto& forms = SkinnedWindowLists().RegisteredForms;
  for (size_t i = 0; i < forms.size(); ++i) {
    TCustomForm* form = forms[i];
    if (form->HasState(csDestroying)) continue;
    DeliverToForm(*form, m, [&] { return Contains(forms, form); });
  }
}

void DeliverToDialogAttachments(const TMessage& m) {
  const auto& attachments = SkinnedWindowLists().AutoAttachments;
  for (size_t i = 0; i < attachments.size(); ++i) {
    HWND dialog = attachments[i]->DialogWindow();
    if (dialog && IsWindowVisible(dialog)) SendMessageW(dialog, m.Msg, m.WParam, m.LParam);
  }
}

}  // namespace

LRESULT SendSkinCommandTo(TControl& control, TacSkinCommand code, LPARAM lparam, WORD param) {
  const TMessage m = SkinCommandMessage(code, lparam, param);
  const TacOwnSkinCommand own(m);
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  if (!windowed) return PerformMessage(control, m);
  if (windowed->HasState(csDestroying) || !windowed->HandleAllocated()) return 0;
  HWND window = windowed->Handle();
  if (TacCommonDataBase* data = CommonDataOf(window);
      data && !data->WndProc && data->FOwnerControl) {
    // The data was attached before anyone took over the control's messages:
    // its current WindowProc is the handler from now on.
    data->WndProc = control.WindowProc;
    return CallDirectHandler(data->WndProc, m);
  }
  return SendMessageW(window, m.Msg, m.WParam, m.LParam);
}

void BroadcastToForms(const TMessage& message) {
  const TacOwnSkinCommand own(message);
  if (!DeliverToApplicationForms(message)) return;
  DeliverToRegisteredForms(message);
  DeliverToDialogAttachments(message);
}

void BroadcastToChildControls(TWinControl& control, const TMessage& message) {
  const TacOwnSkinCommand own(message);
  const auto& children = control.Controls();
  for (size_t i = 0; i < children.size(); ++i) {
    TControl* child = children[i];
    if (child->HasState(csDestroying)) return;
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed || !windowed->HandleAllocated()) {
      PerformMessage(*child, message);
      continue;
    }
    HWND window = windowed->Handle();
    DeliverSkinCommand(window, message);
    if (Contains(children, child) && !IsWindowSkinned(window))
      BroadcastToChildControls(*windowed, message);
  }
}

void BroadcastToChildWindows(HWND window, const TMessage& message) {
  struct TContext {
    HWND Parent;
    TMessage Message;
  } context{window, message};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM lp) -> BOOL {
        const auto* c = reinterpret_cast<const TContext*>(lp);
        if (GetAncestor(child, GA_PARENT) == c->Parent) DeliverSkinCommand(child, c->Message);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&context));
}

void SendToChildWindowsInZOrder(HWND window, const TMessage& message) {
  const TacOwnSkinCommand own(message);
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    SendMessageW(child, message.Msg, message.WParam, message.LParam);
}

}  // namespace ac
