#include "manager/skin_command_delivery.h"

namespace ac {

platform::ScopedWindowProp AttachCommonData(HWND window, TacCommonDataBase& data) {
  return platform::ScopedWindowProp(window, kCommonDataProp, &data);
}

TacCommonDataBase* CommonDataOf(HWND window) {
  if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return nullptr;
  return static_cast<TacCommonDataBase*>(GetPropW(window, kCommonDataProp));
}

LRESULT CallDirectHandler(const TWndMethod& handler, const TMessage& message) {
  // The handler is called through a copy: a receiver may drop its skin data
  // (and with it the handler) while it handles the command, e.g. on
  // SKC_REMOVESKIN.
  const TWndMethod call = handler;
  TMessage record{message.Msg, message.WParam, message.LParam, 0};
  try {
    call(record);
  } catch (...) {
    // Commands come from window procedures and broadcasts; nothing may
    // unwind through them. A failed handler is a handler with no answer.
    return 0;
  }
  return record.Result;
}

LRESULT DeliverSkinCommand(HWND window, const TMessage& message) {
  if (TacCommonDataBase* data = CommonDataOf(window); data && data->WndProc)
    return CallDirectHandler(data->WndProc, message);
  return SendMessageW(window, message.Msg, message.WParam, message.LParam);
}

LRESULT SendSkinCommand(HWND window, TacSkinCommand code, LPARAM lparam, WORD param) {
  return DeliverSkinCommand(window, SkinCommandMessage(code, lparam, param));
}

bool SkinCommandAnswersYes(HWND window, TacSkinCommand code) {
  return SendSkinCommand(window, code, 0) == 1;
}

bool IsWindowSkinned(HWND window) {
  if (!window) return false;
  return GetPropW(window, kCommonDataProp) || GetPropW(window, kScrollAdapterProp) ||
         SkinCommandAnswersYes(window, SKC_ISSKINNED);
}

}  // namespace ac
