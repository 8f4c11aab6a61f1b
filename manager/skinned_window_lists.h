#pragma once
// The process-wide lists that the broadcasts to forms walk besides the
// application's own forms:
//
//   RegisteredForms   forms that own a frame adapter. The adapter registers
//                     its form when it is created and unregisters it when it
//                     is destroyed, through a TacListEntry it holds.
//   AutoAttachments   the frame attachments that the activation hook made for
//                     forms and standard dialogs; the hook adds them and
//                     releases them when it is removed.
//
// Both lists belong to the user-interface thread and live as long as the
// process; SkinnedWindowLists() is their one owner. Entries are not owned:
// whoever registers an object keeps it alive while it is listed.

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/form.h"

namespace ac {

// One automatic attachment as the broadcasts see it. The attachment of a
// standard dialog holds a dialog adapter whose window is the dialog; the
// attachment of a form holds none.
class TacAutoAttachment {
 public:
  virtual ~TacAutoAttachment() = default;
  // The dialog's window, or null for a form's attachment.
  virtual HWND DialogWindow() const = 0;
};

struct TacSkinnedWindowLists {
  std::vector<TCustomForm*> RegisteredForms;
  std::vector<TacAutoAttachment*> AutoAttachments;
};

TacSkinnedWindowLists& SkinnedWindowLists();

// Keeps Item in List from construction to destruction. Removal moves the last
// entry into the leaving entry's place and shortens the list: the order of the
// others changes, which the broadcasts allow for. Move-only.
template <typename T>
class TacListEntry {
 public:
  TacListEntry() = default;
  TacListEntry(std::vector<T*>& list, T* item) : FList(&list), FItem(item) { list.push_back(item); }
  TacListEntry(TacListEntry&& o) noexcept
      : FList(std::exchange(o.FList, nullptr)), FItem(std::exchange(o.FItem, nullptr)) {}
  TacListEntry& operator=(TacListEntry&& o) noexcept {
    if (this != &o) {
      Reset();
      FList = std::exchange(o.FList, nullptr);
      FItem = std::exchange(o.FItem, nullptr);
    }
    return *this;
  }
  TacListEntry(const TacListEntry&) = delete;
  TacListEntry& operator=(const TacListEntry&) = delete;
  ~TacListEntry() { Reset(); }

  void Reset() {
    if (!FList) return;
    auto& list = *FList;
    if (auto it = std::find(list.begin(), list.end(), FItem); it != list.end()) {
      *it = list.back();
      list.pop_back();
    }
    FList = nullptr;
    FItem = nullptr;
  }

 private:
  std::vector<T*>* FList = nullptr;
  T* FItem = nullptr;
};

// A form in the registered forms list, for as long as this object lives.
inline TacListEntry<TCustomForm> RegisterForm(TCustomForm& form) {
  return {SkinnedWindowLists().RegisteredForms, &form};
}

// An attachment in the automatic attachments list, for as long as this object
// lives.
inline TacListEntry<TacAutoAttachment> RegisterAutoAttachment(TacAutoAttachment& attachment) {
  return {SkinnedWindowLists().AutoAttachments, &attachment};
}

}  // namespace ac
