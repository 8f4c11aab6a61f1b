#pragma once
// Delivery of a skin command to a framework control, and the broadcasts that
// carry one command through the program's windows. All of them run on the
// user-interface thread and return when every receiver has handled the
// command.

#include <windows.h>

#include "framework/win_control.h"
#include "manager/skin_command_delivery.h"

namespace ac {

// Delivers one command to Control, which may have no window of its own:
//   - a windowless control gets it through its WindowProc (Perform);
//   - a windowed control that is being destroyed or has no window yet gets
//     nothing (result 0; no window is created for it);
//   - when the control's window names skin data that has an owner control but
//     no direct handler yet, the control's current WindowProc becomes that
//     handler and is called directly;
//   - otherwise the command is sent with SendMessageW.
// Exceptions from a direct call are swallowed (result 0).
LRESULT SendSkinCommandTo(TControl& control, TacSkinCommand code, LPARAM lparam, WORD param = 0);

// Delivers Message to every form of the application, in three passes:
//   1. The application's components from the last to the first: each form
//      that is no MDI child, is neither loading nor being destroyed, and whose
//      window is not skinned gets it, then its child controls
//      (BroadcastToChildControls), then its MDI client window if it has one.
//      When components were removed so that the next index is past the end,
//      the whole broadcast ends there.
//   2. The registered forms from the first on, re-reading the list's length
//      at every step (forms registered meanwhile are reached too; a form
//      being destroyed is skipped): the form, its child controls, its MDI
//      client window.
//   3. The automatic attachments: each dialog attachment whose window is
//      visible gets it with SendMessageW.
// So a form with a frame adapter (skinned, registered) gets it exactly once,
// in the second pass. A form without a window gets it through its
// WindowProc; no window is created by a broadcast.
void BroadcastToForms(const TMessage& message);

// Delivers Message to every child control of Control, walking the children by
// index (the count is re-read at every step):
//   - a child that is being destroyed ends the walk at this level;
//   - a windowed child with a window gets it with DeliverSkinCommand, and is
//     descended into unless its window is skinned (a skinned control passes
//     commands to its children itself);
//   - a windowed child without a window and every windowless child get it
//     through their WindowProc (Perform), and are not descended into.
void BroadcastToChildControls(TWinControl& control, const TMessage& message);

// Delivers Message with DeliverSkinCommand to the direct child windows of
// Window (grandchildren are not reached), in the system's enumeration order.
void BroadcastToChildWindows(HWND window, const TMessage& message);

// Sends Message with plain SendMessageW to the direct child windows of Window
// in z-order (first child, then each next sibling); direct handlers are not
// used. The dialog adapter's variant.
void SendToChildWindowsInZOrder(HWND window, const TMessage& message);

}  // namespace ac
