#pragma once
// TsSkinProvider: the frame adapter of a form. Owned by the form it serves,
// it takes over the form's window procedure (HookWindowProc), names the
// form's skin data in "ACSDATA" (section "FORM", kind 224), keeps the form in
// the registered forms list, and lets a TacFrameAdapter paint and run the
// skinned frame while the skin manager has an active skin.
//
// An adapter attached at run time (CreateRT) starts lazily: the first
// non-client hit test or paint, or the form becoming visible, skins it, so
// the frame the system would paint never reaches the screen first.
//
// While the frame is skinned, a TacCtrlAdapter dresses the form's standard
// controls (AllowSkin3rdParty) and hears the form's skin commands.
//
// Skin commands: SKC_NEWSKIN re-skins, SKC_REMOVESKIN puts the plain frame
// back, SKC_REFRESH rebuilds and repaints; the common ones (SKC_ISSKINNED,
// SKC_GETPROVIDER, SKC_GETKIND, ...) are answered here; all commands then
// reach the form's own procedure as well.
#include <memory>

#include "controls/ts_common_data.h"
#include "frames/ctrl_adapter.h"
#include "frames/frame_adapter.h"
#include "frames/ts_system_menu.h"
#include "framework/form.h"
#include "manager/skinned_window_lists.h"

namespace ac {

// The control kind code of a form's skin data.
inline constexpr uint8_t kCocForm = 224;
// What a form answers to SKC_GETKIND.
inline constexpr int kFormKind = 13;
// The frame widths SKC_GETFRAMEWIDTH asks for (the low word of LParam): the
// system's sizing or fixed frame, or the frame the window measures; with the
// last, a high word of 1 or 2 names the metric used when it measures 0. Any
// other value asks for the width of the frame the skin replaces.
inline constexpr WORD kFrameWidthSizing = 1;
inline constexpr WORD kFrameWidthFixed = 2;
inline constexpr WORD kFrameWidthMeasured = 3;

class TsSkinProvider : public TComponent {
 public:
  // Owner: the form to serve. Any other owner leaves the adapter unattached.
  explicit TsSkinProvider(TComponent* owner);
  // An adapter for a live form, attached at run time: initialised lazily.
  static TsSkinProvider* CreateRT(TCustomForm& form);
  ~TsSkinProvider() override;
  std::string_view ClassName() const override { return "TsSkinProvider"; }

  bool DrawNonClientArea = true;
  bool DrawClientArea = true;
  bool UseGlobalColor = true;
  bool ShowAppIcon = true;
  bool AllowExtBorders = true;
  bool AllowSkin3rdParty = true;  // dress the form's standard controls
  bool MakeSkinMenu = false;

  // Attached at run time, initialisation pending.
  bool RTInit = false;
  // Another adapter already serves the form; this one stays idle.
  bool RTEmpty = false;

  TCustomForm* Form() const { return FForm; }
  TsCommonData& SkinData() { return *FCommonData; }
  // The adapter that dresses the form's standard controls, or null.
  TacCtrlAdapter* Adapter() const { return FAdapter.get(); }
  // The window menu the skinned frame shows (made with the first skinning).
  TsSystemMenu* SystemMenu() const { return FSystemMenu; }
  // Shows the window menu at the screen point (X, Y).
  void DropSysMenu(int x, int y);
  // The frame of the form's window, or null while the form has no window.
  TacFrameAdapter* Frame() const { return FFrame.get(); }
  // The skin section of the form ("FORM", or "DIALOG" for message forms).
  void SetSkinSection(const std::string& section);

  // Skins the form now (the lazy start of a run-time adapter, or a skin
  // change): sections, style, region, repaint.
  void PrepareForm();

  // Stops serving the form for good, short of being freed: the controls and
  // the plain frame are given back, the form's procedure and "ACSDATA" no
  // longer lead here and the form leaves the registered forms. Used when the
  // adapter is to be freed later, while code of it may still be running.
  void Retire();

  void Notification(TComponent* component, TOperation operation) override;

 private:
  void WndProc(TMessage& m, const TWndMethod& previous);
  // The frame's part of WndProc.
  void HandleMessage(TMessage& m, const TWndMethod& previous);
  // True when M was answered here and must not go on.
  bool SkinCommand(TMessage& m);
  // Alt+Space on a form with a window menu: WM_SYSCOMMAND SC_KEYMENU ' '.
  bool KeyMenuRequest(const TMessage& m) const;
  // Where Alt+Space shows the window menu (screen).
  TPoint KeyMenuPoint() const;
  // The answer to SKC_GETFRAMEWIDTH (see kFrameWidthSizing).
  int FrameWidthOfKind(WORD kind, WORD fallback) const;
  void InitRT();
  void EnsureFrame();
  void Unskin();
  bool ForThisManager(const TMessage& m) const;

  TCustomForm* FForm = nullptr;
  std::unique_ptr<TsCommonData> FCommonData;
  std::unique_ptr<TacFrameAdapter> FFrame;
  std::unique_ptr<TacCtrlAdapter> FAdapter;
  TacListEntry<TCustomForm> FRegistered;
  TWindowProcHook FHook;
  bool FPrepared = false;               // the frame took the skin since the window came
  TsSystemMenu* FSystemMenu = nullptr;  // owned as a component of this adapter
  std::string FFormSection = "FORM";
};

}  // namespace ac
