#pragma once
// WM_SKINCMD: the one private message through which the skin manager, the
// frame adapters of forms, the skinned controls and the adapters of standard
// windows talk to each other, and the table of its command codes.
//
// Layout of one command:
//   Msg     WM_SKINCMD, a fixed number in the application range (not
//           registered), so it is the same in every module and process.
//   WParam  bits 16..31: the command code (TacSkinCommand); bits 0..15: the
//           command's parameter (a flag, a state or an index). Higher bits are
//           zero.
//   LParam  command-specific: the sending manager, a pointer to a record or a
//           string the sender owns for the length of the call, a window
//           handle, a colour or a plain number.
//   Result  command-specific. A receiver that does not know a command leaves
//           0, and every query is defined so that 0 means "no answer"; a
//           sender falls back to its own default then.
//
// Senders: any thread of any process on the desktop can send WM_SKINCMD to
// any of our windows, and LParam arrives as the sender wrote it. From
// another thread (InSendMessageEx) only these are answered: the plain
// queries SKC_ISSKINNED, SKC_DEFAULTINDEX, SKC_ISUPDATING, SKC_ISHALFVISIBLE,
// SKC_MOVEREPAINTS, SKC_GETBGCOLOR, SKC_GETCLIENTOFFSET, SKC_ISGLUED,
// SKC_GETFRAMEWIDTH, SKC_GETPPI, SKC_ISACTIVE, SKC_GETKIND, and the skin
// editor's SKC_EDITORPREVIEW (its data comes from our own buffer). Every
// other command - records, strings, managers, controls or windows in
// LParam, pointers in the answer, update counts, resolutions, sections,
// skin removal - is the owning thread's own; receivers ignore it from
// anyone else (SkinCommandAccepted in skin_command_delivery.h).
//
// Results are LRESULT-sized, not 32-bit: several commands answer with object
// pointers (SKC_GETPROVIDER, SKC_GETADAPTER, SKC_GETSKINDATA, ...), and this
// program is 64-bit. LParam values that carry pointers are pointer-sized too.

#include <windows.h>

#include "framework/messages.h"

namespace ac {

inline constexpr UINT WM_SKINCMD = 0xA100;

// The command codes. "Param" is the low word of WParam; "Result: none" marks a
// notification. The manager is the skin manager; the frame adapter is a
// form's TsSkinProvider; common skin data is a control's TsCommonData; an
// adapter takes over a standard window's procedure.
enum TacSkinCommand : WORD {
  // A new skin is active. LParam: the manager. Receivers of that manager drop
  // cached skin data and images, re-resolve their section, re-apply skin
  // colours and fonts and pass the command to their children; the frame
  // adapter also rebuilds its frame. Result: none.
  SKC_NEWSKIN = 1,
  // The skin is being removed. LParam: the manager. Receivers of that manager
  // set their section index to -1, free caches, restore standard colours, the
  // class background brush (COLOR_BTNFACE) and window procedures, and pass the
  // command on. Result: none.
  SKC_REMOVESKIN = 2,
  // Skin data or settings changed. Param: the changed section index, 0 = all.
  // LParam: the manager. An affected receiver rebuilds its image and
  // repaints (with a non-zero Param a windowed one also sends
  // SKC_REPAINTIFMOVED to its children); an unaffected one only passes the
  // command to its children. Result: none.
  SKC_REFRESH = 3,
  // Asked of a form window. Result: the form's TsSkinProvider, or 0.
  SKC_GETPROVIDER = 4,
  // A track-bar adapter is about to paint (forwarded by the MDI client
  // adapter to its form); nobody acts on it. Result: none.
  SKC_CHILDPAINT = 5,
  // The sender left its painting-suspended state. A suspended receiver
  // redraws itself now and sends SKC_PARENTUPDATED to its visible child
  // controls. Result: 1 when the form repainted, else 0.
  SKC_PARENTUPDATED = 6,
  // Result: 1 from every skinned control, skinned form and adapter.
  SKC_ISSKINNED = 7,
  // Param: 1 = suspend painting, 0 = resume. The frame adapter also marks its
  // frame background changed when the flag ends cleared. Result: none.
  SKC_SETUPDATING = 8,
  // Asked of the parent by a child without a section of its own. Result:
  // 1 + the section index the child must use, or 0.
  SKC_DEFAULTINDEX = 9,
  // Asked of a parent. Result: non-zero while it cannot supply its background
  // (painting suspended, cache not ready or of the wrong size); 0 from a
  // control with its own colour.
  SKC_ISUPDATING = 10,
  // Result: the receiver's half-visible flag.
  SKC_ISHALFVISIBLE = 11,
  // Asked of a standard window taken over by an adapter. Result: the adapter
  // object, or 0.
  SKC_GETADAPTER = 12,
  // LParam: a section name in upper case; a control whose section has that
  // name invalidates itself. Result: none.
  SKC_SECTIONUPDATED = 13,
  // A skinned menu window sets its opacity and shadow. Result: none.
  SKC_MENUBORDER = 14,
  // LParam: pointer to a section-name string. Sets the receiver's section.
  // Result: 1 when set, else 0.
  SKC_SETSECTION = 15,
  // LParam: the manager. Stop any running state animation now. Result: none.
  SKC_STOPANIMATIONS = 16,
  // Param: 0 or 1. The receiver's background must be rebuilt, its state
  // animation stops; windowed receivers pass it to their child controls.
  // Result: none.
  SKC_BGCHANGED = 17,
  // Param: 1 = update now. Invalidate and repaint (a form: invalidate, erase,
  // all children, frame). Result: none.
  SKC_REPAINT = 18,
  // Asked of a parent by a semi-transparent child. Result: 1 when the
  // parent's background varies so that a moved child must repaint, else 0.
  SKC_MOVEREPAINTS = 19,
  // Param: 1 = redraw now. After a move or resize the receiver re-checks its
  // background; when it changed, each child control gets SKC_REPAINTIFMOVED
  // with Param 1. Result: none.
  SKC_REPAINTIFMOVED = 20,
  // LParam: 0 (senders may pass clFuchsia). Result: the receiver's effective
  // background colour; an unskinned control answers its own colour.
  SKC_GETBGCOLOR = 21,
  // Sets the half-visible flag. Result: none.
  SKC_MARKHALFVISIBLE = 22,
  // Render the current look into the cache bitmap without painting on
  // screen. Result: 0 when done; -2 from a frame adapter that cannot paint.
  SKC_PREPARECACHE = 23,
  // Asked of a form. LParam: a control, or 0 for the whole form. Runs the
  // standard-control adapter over it. Result: none.
  SKC_ADAPTCONTROLS = 25,
  // LParam: a record whose second 32-bit field receives the receiver's
  // section index. Result: none.
  SKC_QUERYSKININDEX = 26,
  // Result: the receiver's manager.
  SKC_GETSKINMANAGER = 27,
  // An adapted standard window enters its hot (mouse-over) state.
  // Result: none.
  SKC_HOTENTER = 29,
  // LParam: the manager. The hot state ends; a form clears the highlight of
  // its title buttons. Result: none.
  SKC_HOTLEAVE = 30,
  // Sent by common skin data to its own owner when its update count rises
  // from 0 / falls to 0. Result: none.
  SKC_BEGINUPDATE = 31,
  SKC_ENDUPDATE = 32,
  // Free the cache bitmap and mark the background changed; windowed
  // receivers send it to their windowed children first. Result: none.
  SKC_CLEARCACHE = 33,
  // LParam: pointer to a TacBgQuery. A child asks its parent for the
  // background behind it; the parent fills the record. Result: per the record.
  SKC_GETBACKGROUND = 34,
  // LParam: the manager. The application font was replaced; receivers of that
  // manager take the new font name and pass it on. Result: none.
  SKC_FONTCHANGED = 36,
  // Result: the receiver's TsCommonData.
  SKC_GETSKINDATA = 37,
  // Param: 1 = begin, 0 = end. LParam: the target DC, painted into instead of
  // the window while printing. Result: none.
  SKC_PRINTING = 38,
  // A mouse-light effect step. Result: none.
  SKC_LIGHTTICK = 39,
  // Paint the control's outer effects. Result: none.
  SKC_OUTEREFFECTS = 40,
  // Param: 1 adds the window in LParam to the form's blur list, else removes
  // it. Result: none.
  SKC_FLUENTHANDLE = 41,
  // Initialise the transparency mode. Result: Param in the low word, the mode
  // in the high word.
  SKC_GLASSMODE = 42,
  // A control that must be opaque repaints. Result: 1.
  SKC_FORCEOPAQUE = 44,
  // A form whose background varies stops (LOCK) and resumes (UNLOCK)
  // redrawing around a move of its children. Result: none.
  SKC_LOCKIFMOVED = 51,
  SKC_UNLOCKIFMOVED = 52,
  // Scroll-bar options changed: recalculate the frame and pass it on.
  // Result: none.
  SKC_SCROLLSCHANGED = 53,
  // Glow colours of a dialog button by its dialog ID. Result: none.
  SKC_MODALCOLORS = 54,
  // Param non-zero registers the frame adapter in LParam with the form, zero
  // removes it. Result: none.
  SKC_FRAMEADAPTER = 55,
  // Result: the Application object of the receiver's module, so that a
  // sender can tell windows of its own module from foreign ones.
  SKC_GETAPPLICATION = 60,
  // Result: the offset of the form's client area in its window, X in the low
  // word, Y in the high word.
  SKC_GETCLIENTOFFSET = 61,
  // LParam: 1 = repaint the frame. The title bar content changed.
  // Result: none.
  SKC_TITLECHANGED = 62,
  // Set, clear (SETGLUED) and read (ISGLUED) a form's glued-forms state bit.
  SKC_SETGLUED = 63,
  SKC_ISGLUED = 64,
  // LParam: opacity 0..255. The form and its border window become layered
  // with it; 255 removes the layered style from the form. Result: none.
  SKC_SETFORMALPHA = 65,
  // Asked of a parent to pick a text colour. LParam: pointer to a query
  // record (state index, output section index, rectangle in the receiver's
  // client coordinates). Result: 1 = answered, -1 = none, 0 = not skinned.
  SKC_SECTIONAT = 66,
  // Form only. LParam: 1 = sizing-frame width, 2 = fixed-frame width,
  // 3 = measured. Only the low 16 bits of LParam are read: a value whose low
  // word is 3 selects the measured width whatever its high word holds (the
  // high word then picks metric 1 or 2 when the measurement is 0).
  // Result: the width in pixels.
  SKC_GETFRAMEWIDTH = 67,
  // LParam: the new pixels per inch; receivers take the matching loaded skin
  // and pass the command on. Result: none.
  SKC_SETPPI = 68,
  // Result: pixels per inch; -1 from a form that does not scale.
  SKC_GETPPI = 69,
  // LParam: a record of four 32-bit fields that receives the bounds.
  // Result: none.
  SKC_GETBOUNDS = 70,
  // Sent by a skin editor to the application window once the manager's
  // preview buffer is filled. Result: none.
  SKC_EDITORPREVIEW = 71,
  // Positions a menu window's shadow. Result: none.
  SKC_MENUSHADOWPOS = 73,
  // Skin-list controller notifications, LParam: the manager. LISTSKINCHANGED
  // is posted when the manager's skin name changed or skinning went off;
  // LISTCHANGED is sent when the list was built again and when a control
  // registers. Result: none.
  SKC_LISTSKINCHANGED = 74,
  SKC_LISTCHANGED = 75,
  // The following go to a form and are passed to its own window procedure.
  // LParam: the border window's image; sent after it was rebuilt.
  SKC_EXBORDERPAINTED = 76,
  // Sent after the frame was skinned, re-skinned or unskinned.
  SKC_FRAMESKINNED = 77,
  // LParam: the new opacity.
  SKC_ALPHACHANGED = 78,
  // Result: the window after which the border window goes, 0 = top.
  SKC_BORDERZORDER = 79,
  // LParam: 1. Sent after a size-state change.
  SKC_SIZECHANGED = 80,
  // Blending while moving starts.
  SKC_MOVEBLENDSTART = 81,
  // Drop hover, glow and click effects; passed on to children. Result: none.
  SKC_RESETEFFECTS = 82,
  // LParam non-zero switches a form's skinned frame on, zero off.
  SKC_SETFRAMESKIN = 83,
  // Result: 1 when the receiver's manager is active.
  SKC_ISACTIVE = 85,
  // Result: the loaded skin in use, also stored at LParam.
  SKC_GETCOMMONSKINDATA = 86,
  // A form scales itself to a new resolution. LParam: the new pixels per
  // inch. Result: 1 when the receiver scaled the form itself; 0 (no frame
  // adapter answered) leaves the scaling to the framework.
  SKC_SCALEFORM = 87,
  // Result: a control-kind number; a form answers 13.
  SKC_GETKIND = 88,
  // Rectangles of glow or click effects, or of a bound label. Nobody answers
  // them here: senders use their own rectangle or skip the effect.
  SKC_GETEFFECTRECT = 89,
  SKC_GETLABELRECT = 90,
  // Param non-zero registers the status bar control in LParam with the form,
  // zero clears it. Result: none.
  SKC_SETSTATUSBAR = 92,
  // Broadcast to the forms by the skin-list controller: LParam 1 when its
  // background building starts, 0 when a direct read of the list finished a
  // building that was under way. Result: none.
  SKC_DELAYEDLOAD = 97,
};

// WParam of a command: the code in bits 16..31, the parameter in bits 0..15.
constexpr WPARAM SkinCommandWParam(TacSkinCommand code, WORD param = 0) {
  return (static_cast<WPARAM>(code) << 16) | param;
}
constexpr WORD SkinCommandCode(WPARAM wparam) {
  return static_cast<WORD>(wparam >> 16);
}
constexpr WORD SkinCommandParam(WPARAM wparam) {
  return static_cast<WORD>(wparam);
}

// The message record of one command, Result 0.
constexpr TMessage SkinCommandMessage(TacSkinCommand code, LPARAM lparam, WORD param = 0) {
  return TMessage{WM_SKINCMD, SkinCommandWParam(code, param), lparam, 0};
}

// True when M is a skin command with the given code.
constexpr bool IsSkinCommand(const TMessage& m, TacSkinCommand code) {
  return m.Msg == WM_SKINCMD && SkinCommandCode(m.WParam) == code;
}

}  // namespace ac
