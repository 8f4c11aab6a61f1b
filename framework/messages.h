#pragma once
// The framework's own messages. CM_ notifications tell a control that one of
// its properties changed or that the mouse entered or left it; CN_ messages are
// the notifications a parent window receives for a child (WM_COMMAND,
// WM_CTLCOLOR..., WM_DRAWITEM), reflected to the child control itself so that
// each control answers for its own window.

#include <windows.h>

namespace ac {

// One message on its way through a control's WindowProc chain. Handlers set
// Result; it becomes the window procedure's return value.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// The taskbar's request for a window's menu (WM_POPUPSYSTEMMENU, which the
// SDK headers do not name).
inline constexpr UINT kPopupSystemMenu = 0x313;

inline constexpr UINT CM_BASE = 0xB000;
enum : UINT {
  CM_ACTIVATE = CM_BASE,
  CM_DEACTIVATE,
  CM_FOCUSCHANGED,  // to the form, passed on to every control; LParam: the control
                    // that has the focus now
  CM_PARENTFONTCHANGED,
  CM_PARENTCOLORCHANGED,
  CM_HITTEST,  // LParam: point in client coordinates packed as in WM_*; 1 = hit
  CM_VISIBLECHANGED,
  CM_ENABLEDCHANGED,
  CM_COLORCHANGED,
  CM_FONTCHANGED,
  CM_CURSORCHANGED,
  CM_TEXTCHANGED,
  CM_MOUSEENTER,  // LParam: the control the mouse entered (the receiver or a child)
  CM_MOUSELEAVE,
  CM_SHOWINGCHANGED,  // Showing turned (the control or a parent was shown or hidden)
  CM_ENTER,           // the control received the focus within its form
  CM_EXIT,
  CM_DIALOGCHAR,  // a character the focused control does not take; WParam: the character,
                  // LParam: key data; Result 1 = used (an accelerator)
  CM_CANCELMODE,  // end a mode (dropped list, press); LParam: the control interrupting it
  CM_CHANGED,     // the control's value changed; LParam: the control
  CM_INVALIDATE,  // Invalidate was called; its handling invalidates
  CM_CONTROLLISTCHANGE,
  CM_PARENTBIDIMODECHANGED,
  CM_UIACTIVATE,  // the control took the focus, or its form was activated with it focused
  CM_ACTIONUPDATE,
  CM_UNDOCKCLIENT,
  CM_RELEASE,
};

inline constexpr UINT CN_BASE = 0xBC00;
enum : UINT {
  CN_COMMAND = CN_BASE + WM_COMMAND,
  CN_NOTIFY = CN_BASE + WM_NOTIFY,
  CN_DRAWITEM = CN_BASE + WM_DRAWITEM,
  CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM,
  CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT,
  CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN,
  CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC,
};

}  // namespace ac
