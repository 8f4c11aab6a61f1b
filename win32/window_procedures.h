#pragma once
// How the engine takes over a window's messages: three mechanisms, each for
// one kind of window. The headers of the three point here.
//
// 1. A framework control (a TControl, windowed or not): TWindowProcHook
//    (framework/control.h), from TControl::HookWindowProc. It replaces the
//    control's WindowProc, not the system's procedure: every message of a
//    framework control, Perform and a windowless control's included, passes
//    through WindowProc, and a windowless control has no window to subclass.
//    The skinned controls (controls/) and the standard-control adapters over
//    framework controls use it.
//
// 2. A window the engine did not create and dresses from outside, reached by
//    its handle alone: TWindowSubclass (win32/window_subclass.h), comctl32's
//    SetWindowSubclass. System dialogs ("#32770", TacDialogWnd) and popup
//    menus ("#32768", TsSkinableMenus) use it: comctl32 keeps one chain per
//    window, so another program's subclass on the same window stays in it
//    whatever order the two are removed in.
//
// 3. A standard control that is no framework control (a plain BUTTON, EDIT or
//    STATIC, a dialog's children), dressed by a standard-control adapter:
//    TacWindowProcLink (frames/window_proc_link.h), which replaces
//    GWLP_WNDPROC itself. The adapter's handler runs inside the framework's
//    dispatch scope (framework/dispatch_scope.h), so what a skin change frees
//    meanwhile waits until the handler has returned; the link allows one
//    adapter per window and, when someone subclassed the window after it,
//    stays behind as a pass-through so that the later subclass keeps working.
//
// All three keep what comes after them working: removing one never cuts a
// replacement installed later, and nothing thrown by a replacement crosses
// the system's call (the message goes on to the replaced procedure).

#include "win32/window_subclass.h"
