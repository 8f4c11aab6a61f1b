#include "frames/ac_dialog_wnd.h"

#include <utility>

#include "framework/application.h"
#include "framework/screen.h"
#include "manager/skin_broadcast.h"
#include "skin/skin_data_lookup.h"

namespace ac {

namespace {

TacDialogChildrenAdapter& ChildrenAdapter() {
  static TacDialogChildrenAdapter adapter;
  return adapter;
}

TacFrameSections DialogSections() {
  TacFrameSections s;
  s.Form = "DIALOG";
  s.Title = "DIALOGTITLE";
  return s;
}

}  // namespace

void SetDialogChildrenAdapter(TacDialogChildrenAdapter adapter) {
  ChildrenAdapter() = std::move(adapter);
}

TacDialogWnd::TacDialogWnd(HWND dialog, TsSkinManager* manager)
    : FWindow(dialog),
      FManager(manager),
      FFrame(std::make_unique<TacFrameAdapter>(dialog, DialogSections())) {
  FProp = AttachCommonData(dialog, FData);
  FSubclass = std::make_unique<platform::TWindowSubclass>(
      dialog, [this](HWND w, UINT msg, WPARAM wp, LPARAM lp) { return Procedure(w, msg, wp, lp); });
  FSubclass->OnException = [] { ReportBoundaryException(); };
}

TacDialogWnd::~TacDialogWnd() {
  const bool attached = Alive();
  FSubclass.reset();
  if (attached) RemoveSkin();
}

void TacDialogWnd::Start() {
  if (!FPending) return;
  FPending = false;
  ApplySkin();
}

void TacDialogWnd::ApplySkin() {
  // A system dialog is laid out at the screen's resolution.
  FFrame->ApplySkin(FManager, Screen ? Screen->PixelsPerInch() : 96);
  FBrush.Reset();
  FTextColor = clNone;
  if (const TacSkinData* sd = FFrame->SkinData(); sd && FFrame->Skinned()) {
    const TColor back = FFrame->ClientColor();
    FBrush.Reset(CreateSolidBrush(static_cast<COLORREF>(back & 0xFFFFFF)));
    const int32_t index = FFrame->Inputs().FormIndex >= 0 ? FFrame->Inputs().FormIndex
                                                          : FFrame->CurrentInputs().FormIndex;
    if (IsValidSkinIndex(*sd, index))
      FTextColor = sd->gd[static_cast<size_t>(index)].Props[0].FontColor.Color;
    if (!FChildren && ChildrenAdapter()) FChildren = ChildrenAdapter()(FWindow);
  }
  RedrawWindow(FWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void TacDialogWnd::RemoveSkin() {
  FChildren.reset();
  FFrame->RemoveSkin();
  FBrush.Reset();
  FTextColor = clNone;
}

bool TacDialogWnd::SkinCommand(TMessage& m) {
  const auto* manager = reinterpret_cast<TsSkinManager*>(m.LParam);
  switch (SkinCommandCode(m.WParam)) {
    case SKC_ISSKINNED:
      m.Result = 1;
      return true;
    case SKC_GETBGCOLOR:
      // The dressed texts and buttons are painted over the skinned client.
      if (!FFrame->Skinned()) return false;
      m.Result = static_cast<LRESULT>(static_cast<uint32_t>(FFrame->ClientColor()));
      return true;
    case SKC_NEWSKIN:
    case SKC_REFRESH:
      if (manager && manager != FManager) return true;
      if (!FPending) ApplySkin();
      // The dressed controls take the skin too.
      if (FChildren) BroadcastToChildWindows(FWindow, m);
      return true;
    case SKC_REMOVESKIN:
      if (manager && manager != FManager) return true;
      RemoveSkin();
      return true;
    default:
      return false;
  }
}

LRESULT TacDialogWnd::Procedure(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  if (msg == WM_SKINCMD) {
    if (!SkinCommandAccepted(m)) return 0;
    if (SkinCommand(m)) return m.Result;
    return platform::TWindowSubclass::Next(window, msg, wp, lp);
  }
  if (FPending && (msg == WM_NCPAINT || msg == WM_NCHITTEST || msg == WM_ERASEBKGND ||
                   (msg == WM_SHOWWINDOW && wp != 0)))
    Start();
  if (msg == WM_INITDIALOG) {
    const LRESULT r = platform::TWindowSubclass::Next(window, msg, wp, lp);
    Start();
    return r;
  }
  if (msg == WM_NCDESTROY) {
    // The window takes its properties and region along; nothing to put back.
    FChildren.reset();
    FFrame->ForgetWindow();
    return platform::TWindowSubclass::Next(window, msg, wp, lp);
  }
  if (FFrame->Skinned()) {
    if ((msg == WM_CTLCOLORDLG || msg == WM_CTLCOLORSTATIC) && FBrush.Get()) {
      const auto dc = reinterpret_cast<HDC>(wp);
      SetBkMode(dc, TRANSPARENT);
      SetBkColor(dc, static_cast<COLORREF>(FFrame->ClientColor() & 0xFFFFFF));
      if (FTextColor != clNone) SetTextColor(dc, static_cast<COLORREF>(FTextColor & 0xFFFFFF));
      return reinterpret_cast<LRESULT>(FBrush.Get());
    }
    const TWndMethod next = [window](TMessage& pass) {
      pass.Result = platform::TWindowSubclass::Next(window, pass.Msg, pass.WParam, pass.LParam);
    };
    if (FFrame->Handle(m, next)) return m.Result;
  }
  return platform::TWindowSubclass::Next(window, msg, wp, lp);
}

}  // namespace ac
