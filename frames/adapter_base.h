#pragma once
// TacMainWnd: the base of the adapters that dress a standard window without
// changing its class. An adapter takes over the window's messages, paints the
// window from its skin section into its skin data's cache, answers skin
// commands, and on skin removal, window destruction or release puts back
// everything it changed.
//
// Two ways in, one handler:
//   - a framework control (its window names a TWinControl): the adapter
//     replaces the control's WindowProc through a HookWindowProc token, so a
//     later replacement by someone else stays in the chain;
//   - any other window: the adapter replaces the window procedure through a
//     TacWindowProcLink, which puts the old one back only while it is still
//     ours.
// Either way acWndProc sees every message first and passes what it does not
// consume to the replaced procedure with CallPrevious.
//
// Life: construct, then Create (the virtual steps run there), then messages;
// Unhook happens once (skin removed, window destroyed or adapter released);
// the destructor releases. The window must belong to the calling thread.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "controls/ts_common_data.h"
#include "frames/window_proc_link.h"
#include "frames/window_proxy.h"
#include "framework/control.h"
#include "manager/ts_skin_manager.h"

namespace ac {

class TacCtrlAdapter;

// What every adapter is created with.
struct TacSkinParams {
  TControl* Control = nullptr;  // the framework control, or null for a bare window
  std::string SkinSection;      // empty: the adapter's default section
  bool UseSkinColor = true;
  bool UseSkinFontColor = true;
  int32_t VertScrollSize = -1;  // -1: from the skin
  int32_t HorzScrollSize = -1;
  int32_t VertScrollBtnSize = -1;
  int32_t HorzScrollBtnSize = -1;
};

class TacMainWnd {
 public:
  // Window: the adapted window. Manager: the manager whose skin dresses it
  // (null: the default manager).
  TacMainWnd(HWND window, TsSkinManager* manager, const TacSkinParams& params);
  virtual ~TacMainWnd();
  TacMainWnd(const TacMainWnd&) = delete;
  TacMainWnd& operator=(const TacMainWnd&) = delete;

  // Creates the skin data, takes the window over and names the data in
  // "ACSDATA". False when the window could not be taken over (then nothing
  // was changed).
  bool Create();

  // Runs one message through the adapter's handler.
  LRESULT ProcessMessage(UINT msg, WPARAM wp, LPARAM lp);

  // Gives the window back (once): the replaced procedure where it is still
  // ours, the standard colours and properties, and a repaint of the frame.
  void Unhook();
  bool Destroyed() const { return FDestroyed; }

  HWND CtrlHandle() const { return FCtrlHandle; }
  TsCommonData& SkinData() { return *FSkinData; }
  const TsCommonData& SkinData() const { return *FSkinData; }
  TsSkinManager* SkinManager() const;
  // The framework control adapted, or null for a bare window.
  TControl* OwnerControl() const { return FParams.Control; }
  TacCtrlAdapter* Adapter = nullptr;

 protected:
  // The skin data's control class code and default section.
  virtual uint8_t ControlKind() const { return 0; }
  virtual std::string DefaultSection() const { return "TRANSPARENT"; }
  // The number of the default section in the table of kinds ("EDIT" 1,
  // "BUTTON" 2, "TRANSPARENT" 3, ...), the answer to SKC_GETKIND.
  virtual int32_t DefaultSectionNumber() const { return 3; }
  virtual void AfterCreation() {}
  // Remembers what the skin will change (colours); RestoreStdParams puts it
  // back and drops the properties.
  virtual void SaveStdParams() {}
  virtual void RestoreStdParams();
  // Rebuilds the cached face (SKC_PREPARECACHE): sizes the cache, asks the
  // parent for the background, lets PaintFace paint, and marks the face
  // current. Nothing when the face cannot be built now (not skinned, no
  // size, or a parent not ready yet: then it waits for SKC_PARENTUPDATED).
  void RenderToCache();
  // The message handler. Descendants handle their own messages first and
  // fall back to this one, which passes what it does not consume on.
  virtual void acWndProc(TMessage& m);

  // Passes M on to the procedure the adapter replaced.
  void CallPrevious(TMessage& m);
  // Passes M on with the window's own painting switched off, then repaints
  // the face once: for messages on which the system class paints directly.
  void CallPreviousQuietly(TMessage& m);
  // The skin is active and this window has a section in it.
  bool Skinned() const;
  // The window's size and its position in its parent's client area.
  TRect WindowBounds() const;
  // Repaints the window now (client and frame).
  void Repaint();

  // What a face is rebuilt over: the window's bounds in its parent and the
  // parent's background there.
  struct TFaceBase {
    TRect Bounds;
    TacBgQuery Background;
  };
  // Paints the face into Cache, which has the window's size.
  virtual void PaintFace(TBitmap& cache, const TFaceBase& base) { (void)cache, (void)base; }
  // The cached face is stale or of another size than the window.
  bool FaceStale() const;
  // WM_PAINT: Paint into the DC in WParam, else between BeginPaint and
  // EndPaint.
  void AnswerPaint(TMessage& m, const std::function<void(HDC)>& paint);

  TacSkinParams FParams;
  std::string FCaption;  // the window text, re-read on WM_SETTEXT

 private:
  void HandleSkinCommand(TMessage& m);
  void PassToChildren(const TMessage& m);
  bool ForThisManager(const TMessage& m) const;

  HWND FCtrlHandle;
  TsSkinManager* FSkinManager;
  std::unique_ptr<TacWindowProxy> FProxy;  // owner of the skin data for a bare window
  std::unique_ptr<TsCommonData> FSkinData;
  TWindowProcHook FHook;
  TacWindowProcLink FLink;
  // The previous procedure of the framework chain, for the call under way.
  const TWndMethod* FPrevious = nullptr;
  uint32_t FOldCtrlStyle = 0;
  int FQuietDepth = 0;
  bool FDestroyed = false;
  bool FCreated = false;
};

}  // namespace ac
