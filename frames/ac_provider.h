#pragma once
// Automatic frame attachment: the thread's activation hook that gives every
// form of the program a frame adapter the first time it is activated, and a
// frame to standard system dialogs ("#32770", such as a message box) when
// they are created.
//
// TacProvider is one such attachment: for a form it is owned by the form and
// holds the form's run-time TsSkinProvider; for a dialog it is ownerless and
// holds the dialog's TacDialogWnd. Every attachment is in the automatic
// attachments list (manager/skinned_window_lists.h) while it lives; removing
// the hook frees them all.
//
// Not attached: a window already skinned, a form whose Tag has all bits of
// 0x100, a form of a class in the exclusion list, a form or dialog the
// manager's SkinningRules leave out, a dialog that is a child window or hosts
// a "NativeHWNDHost".
#include <windows.h>

#include <memory>
#include <string_view>

#include "frames/ac_dialog_wnd.h"
#include "frames/ts_skin_provider.h"
#include "manager/skinned_window_lists.h"
#include "manager/ts_skin_manager.h"

namespace ac {

// A form's Tag with all these bits set keeps the form and its children plain.
inline constexpr int kNoAutoSkinTag = 0x100;

class TacProvider : public TComponent, public TacAutoAttachment {
 public:
  // The attachment of Form: a run-time frame adapter in Section.
  TacProvider(TCustomForm& form, const std::string& section);
  // The attachment of a standard dialog, for Manager's skin.
  TacProvider(HWND dialog, TsSkinManager* manager);
  ~TacProvider() override;
  std::string_view ClassName() const override { return "TacProvider"; }

  HWND DialogWindow() const override { return ListSW ? CtrlHandle : nullptr; }
  // Leaves the automatic attachments and retires the frame adapter (see
  // TsSkinProvider::Retire): the object only waits to be freed.
  void Retire();
  void Notification(TComponent* component, TOperation operation) override;

  TsSkinProvider* sp = nullptr;
  HWND CtrlHandle = nullptr;
  std::unique_ptr<TacDialogWnd> ListSW;

 private:
  TacListEntry<TacAutoAttachment> FEntry;
};

// True when Name is a form class that is never attached automatically.
bool IsExcludedFormClass(std::string_view name);

// Attaches a frame to Window when the rules allow (see above). ClassName is
// the class the window is created with when known (empty: asked of the
// window). True when an attachment exists for the window afterwards.
bool AttachToWindow(HWND window, std::wstring_view className = {});

// The attachment serving Window, or null.
TacProvider* FindAttachment(HWND window);

// Installs (once) and removes the activation hook for Manager, the default
// manager; installing attaches the forms already shown (AttachShownForms),
// removing frees every attachment. A form's attachment gives the
// plain frame back at once but is freed only once no window procedure of
// the thread runs any more (see framework/dispatch_scope.h): the skin can go
// while the form's window menu is open or its caption is held in the
// system's move loop, and that code goes on with the attachment's frame
// adapter, frame, border window and menu after the loop ends.
void InstallActivationHook(TsSkinManager& manager);
void UninstallActivationHook();
bool ActivationHookInstalled();
// Attaches every visible form of the program that has no attachment yet.
void AttachShownForms();

// Frees the attachments of dialogs that have closed since. Runs by itself
// at every hook call; the hook's removal frees the rest.
void ReleaseClosedDialogs();

}  // namespace ac
