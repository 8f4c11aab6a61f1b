#pragma once
// Delivery of one skin command to one window, and the test whether a window
// is already skinned.
//
// A skinned window carries the property "ACSDATA" naming its skin data. When
// that data has a direct handler, commands for the window go straight to the
// handler, without a trip through the system; everything else is sent with
// SendMessageW. Either way delivery is synchronous.

#include <windows.h>

#include "framework/control.h"
#include "manager/skin_commands.h"
#include "win32/scoped_window_prop.h"

namespace ac {

// What the "ACSDATA" property of a skinned window points at: the part of a
// control's skin data (TsCommonData derives from it) that delivering commands
// needs. Not copyable: windows hold its address.
class TacCommonDataBase {
 public:
  TacCommonDataBase() = default;
  virtual ~TacCommonDataBase() = default;
  TacCommonDataBase(const TacCommonDataBase&) = delete;
  TacCommonDataBase& operator=(const TacCommonDataBase&) = delete;

  // The direct command handler (usually the owner's window procedure, or the
  // frame adapter's handler for a skinned form). Empty: commands go through
  // the system.
  TWndMethod WndProc;
  // The control this data belongs to, or null (an adapter of a bare window).
  TControl* FOwnerControl = nullptr;
};

// The property of every skinned control's and skinned form's window; its
// value is the window's TacCommonDataBase.
inline constexpr wchar_t kCommonDataProp[] = L"ACSDATA";
// The property of a standard window that a scroll-capable adapter took over;
// its value is the adapter object.
inline constexpr wchar_t kScrollAdapterProp[] = L"ACSBSC";

// Names Data in Window's "ACSDATA" for the lifetime of the result. The value
// stored is the address of the TacCommonDataBase part, which is what
// CommonDataOf hands back.
platform::ScopedWindowProp AttachCommonData(HWND window, TacCommonDataBase& data);

// The skin data named by Window's "ACSDATA", or null. Only windows of the
// calling thread answer: the property of another process's window holds an
// address in that process, and another thread's window must handle its
// commands on its own thread.
TacCommonDataBase* CommonDataOf(HWND window);

// Delivers one command to Window: to the direct handler of its skin data when
// there is one, else with SendMessageW. An exception that escapes a direct
// handler is swallowed and the result is 0. A window that does not know the
// command answers 0.
LRESULT SendSkinCommand(HWND window, TacSkinCommand code, LPARAM lparam, WORD param = 0);
// Sends one command with SendMessageW, never to a direct handler: for
// receivers that must see it in their window procedure.
LRESULT SendSkinCommandMessage(HWND window, TacSkinCommand code, LPARAM lparam, WORD param = 0);
// The same for a prepared message record (its Result is ignored; the handler
// gets a copy with Result 0).
LRESULT DeliverSkinCommand(HWND window, const TMessage& message);

// Calls Handler with a copy of Message whose Result is 0 and returns the
// Result it set; 0 when it threw.
LRESULT CallDirectHandler(const TWndMethod& handler, const TMessage& message);

// The yes/no form: true when Window answers Code (LParam 0) with exactly 1.
bool SkinCommandAnswersYes(HWND window, TacSkinCommand code);

// ---- Who may send a command ------------------------------------------------
//
// WM_SKINCMD is a fixed number: any thread of any process on the desktop can
// send it to any of our windows, and the system hands LParam over as it is (an
// address of the sender's, or junk). A command sent from another thread is
// therefore handled only when it is open to every sender: a query answered
// with a plain number, or the skin editor's preview request, whose data comes
// from our own buffer (SkinCommandOpenToOtherThreads). Everything else -
// records and managers in LParam, update counts, resolutions, sections,
// skin removal - belongs to the thread that owns the windows.
//
// Messages of our own thread (sent or called directly) are ours; posted ones
// name no sender and are filtered before they are handled
// (posted_command_filter.h). A
// command that one of our delivery routines passes on while this thread
// answers a message from another thread is ours too: the routines mark it
// (TacOwnSkinCommand) for as long as it travels.

// True for the commands another thread or process may send.
bool SkinCommandOpenToOtherThreads(WORD code);

// The receivers' check, made before anything of the command is read: true
// when the command in M may be handled for the sender of the message being
// answered. A receiver that gets false answers 0 and passes nothing on.
bool SkinCommandAccepted(const TMessage& m);

// Marks a command (its WParam and LParam) as this thread's own while it is
// delivered. Only the delivery routines and senders that must bypass them
// make one.
class TacOwnSkinCommand {
 public:
  explicit TacOwnSkinCommand(const TMessage& m);
  ~TacOwnSkinCommand();
  TacOwnSkinCommand(const TacOwnSkinCommand&) = delete;
  TacOwnSkinCommand& operator=(const TacOwnSkinCommand&) = delete;

  // True when a command with M's WParam and LParam is being delivered by
  // this thread now.
  static bool InFlight(const TMessage& m);

 private:
  WPARAM FWParam;
  LPARAM FLParam;
  TacOwnSkinCommand* FOuter;
};

// True when Window carries "ACSDATA" or "ACSBSC" or answers SKC_ISSKINNED
// with 1, checked in that order. Works for windows of other processes too.
// Used so that no window is taken over twice and no skinned form is addressed
// twice by a broadcast.
bool IsWindowSkinned(HWND window);

}  // namespace ac
