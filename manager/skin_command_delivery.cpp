#include "manager/skin_command_delivery.h"

namespace ac {
namespace {

// The commands this thread is delivering now, innermost first.
thread_local TacOwnSkinCommand* tOwnCommands = nullptr;

// True while this thread answers a message that another thread (of this or
// another process) sent, including SendNotifyMessage and callbacks.
bool AnsweringAnotherThread() {
  return (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) != 0;
}

}  // namespace

TacOwnSkinCommand::TacOwnSkinCommand(const TMessage& m)
    : FWParam(m.WParam), FLParam(m.LParam), FOuter(tOwnCommands) {
  tOwnCommands = this;
}

TacOwnSkinCommand::~TacOwnSkinCommand() {
  tOwnCommands = FOuter;
}

bool TacOwnSkinCommand::InFlight(const TMessage& m) {
  for (const TacOwnSkinCommand* c = tOwnCommands; c; c = c->FOuter)
    if (c->FWParam == m.WParam && c->FLParam == m.LParam) return true;
  return false;
}

bool SkinCommandOpenToOtherThreads(WORD code) {
  switch (code) {
    case SKC_ISSKINNED:
    case SKC_DEFAULTINDEX:
    case SKC_ISUPDATING:
    case SKC_ISHALFVISIBLE:
    case SKC_MOVEREPAINTS:
    case SKC_GETBGCOLOR:
    case SKC_GETCLIENTOFFSET:
    case SKC_ISGLUED:
    case SKC_GETFRAMEWIDTH:
    case SKC_GETPPI:
    case SKC_EDITORPREVIEW:
    case SKC_ISACTIVE:
    case SKC_GETKIND:
      return true;
    default:
      return false;
  }
}

bool SkinCommandAccepted(const TMessage& m) {
  if (m.Msg != WM_SKINCMD) return true;
  // Higher WParam bits are always zero in our commands.
  if (m.WParam > 0xFFFFFFFFu) return false;
  if (!AnsweringAnotherThread()) return true;
  return SkinCommandOpenToOtherThreads(SkinCommandCode(m.WParam)) || TacOwnSkinCommand::InFlight(m);
}

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
  const TacOwnSkinCommand own(record);
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
  const TacOwnSkinCommand own(message);
  if (TacCommonDataBase* data = CommonDataOf(window); data && data->WndProc)
    return CallDirectHandler(data->WndProc, message);
  return SendMessageW(window, message.Msg, message.WParam, message.LParam);
}

LRESULT SendSkinCommand(HWND window, TacSkinCommand code, LPARAM lparam, WORD param) {
  return DeliverSkinCommand(window, SkinCommandMessage(code, lparam, param));
}

LRESULT SendSkinCommandMessage(HWND window, TacSkinCommand code, LPARAM lparam, WORD param) {
  const TMessage m = SkinCommandMessage(code, lparam, param);
  const TacOwnSkinCommand own(m);
  return SendMessageW(window, m.Msg, m.WParam, m.LParam);
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
