#include "manager/posted_command_filter.h"

#include "manager/skin_command_delivery.h"

namespace ac {
namespace {

LRESULT CALLBACK FilterProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && lp) {
    auto* msg = reinterpret_cast<MSG*>(lp);
    // Emptied, not removed: the loop that asked for a message gets one.
    if (msg->message == WM_SKINCMD && !PostedSkinCommandAccepted(msg->wParam))
      msg->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

bool PostedSkinCommandAccepted(WPARAM wparam) {
  if (wparam > 0xFFFFFFFFu) return false;
  const WORD code = SkinCommandCode(wparam);
  return code == SKC_LISTSKINCHANGED || SkinCommandOpenToOtherThreads(code);
}

platform::ScopedHook FilterPostedSkinCommands() {
  return platform::ScopedHook(WH_GETMESSAGE, FilterProc);
}

}  // namespace ac
