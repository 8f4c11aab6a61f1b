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
// The same for a prepared message record (its Result is ignored; the handler
// gets a copy with Result 0).
LRESULT DeliverSkinCommand(HWND window, const TMessage& message);

// Calls Handler with a copy of Message whose Result is 0 and returns the
// Result it set; 0 when it threw.
LRESULT CallDirectHandler(const TWndMethod& handler, const TMessage& message);

// The yes/no form: true when Window answers Code (LParam 0) with exactly 1.
bool SkinCommandAnswersYes(HWND window, TacSkinCommand code);

// True when Window carries "ACSDATA" or "ACSBSC" or answers SKC_ISSKINNED
// with 1, checked in that order. Works for windows of other processes too.
// Used so that no window is taken over twice and no skinned form is addressed
// twice by a broadcast.
bool IsWindowSkinned(HWND window);

}  // namespace ac
