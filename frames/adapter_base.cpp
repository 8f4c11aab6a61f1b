#include "frames/adapter_base.h"

#include <exception>
#include <vector>

#include "controls/state_fade.h"
#include "frames/adapter_paint.h"
#include "framework/application.h"
#include "framework/win_control.h"
#include "manager/skin_broadcast.h"
#include "manager/skin_command_delivery.h"
#include "system/win/unicode.h"
#include "win32/scoped_gdi_object.h"
#include "win32/window_text.h"

namespace ac {

TacMainWnd::TacMainWnd(HWND window, TsSkinManager* manager, const TacSkinParams& params)
    : FParams(params), FCtrlHandle(window), FSkinManager(manager) {}

TacMainWnd::~TacMainWnd() {
  Unhook();
}

TsSkinManager* TacMainWnd::SkinManager() const {
  return FSkinManager ? FSkinManager : TsSkinManager::DefaultManager();
}

bool TacMainWnd::Create() {
  if (FCreated || !FCtrlHandle || !IsWindow(FCtrlHandle) ||
      GetWindowThreadProcessId(FCtrlHandle, nullptr) != GetCurrentThreadId())
    return false;
  TControl* control = FParams.Control;
  if (!control) FProxy = std::make_unique<TacWindowProxy>(FCtrlHandle);
  FSkinData =
      std::make_unique<TsCommonData>(control ? *control : *FProxy, ControlKind(), DefaultSection());
  TsCommonData& cd = *FSkinData;
  cd.FSkinManager = FSkinManager;
  cd.CustomColor = !FParams.UseSkinColor;
  cd.CustomFont = !FParams.UseSkinFontColor;
  SaveStdParams();
  FCaption = platform::WindowTextUtf8(FCtrlHandle);

  const auto handle = [this](TMessage& m) {
    if (!SkinCommandAccepted(m)) return;
    try {
      acWndProc(m);
    } catch (...) {
      // Nothing crosses a window procedure; the window keeps its own handling.
      ReportBoundaryException();
      CallPrevious(m);
    }
  };
  if (control) {
    FHook = control->HookWindowProc([this, handle](TMessage& m, const TWndMethod& previous) {
      const TWndMethod* saved = FPrevious;
      FPrevious = &previous;
      handle(m);
      FPrevious = saved;
    });
    FOldCtrlStyle = control->ControlStyle;
    control->ControlStyle |= csOpaque;
  } else {
    FLink = TacWindowProcLink(FCtrlHandle, [handle](UINT msg, WPARAM wp, LPARAM lp) {
      TMessage m{msg, wp, lp, 0};
      handle(m);
      return m.Result;
    });
    if (!FLink.Linked()) {
      FSkinData.reset();
      FProxy.reset();
      return false;
    }
    // Commands delivered straight to the skin data reach the same handler.
    FProxy->WindowProc = handle;
  }
  FCreated = true;
  if (!FParams.SkinSection.empty()) cd.SetSkinSection(FParams.SkinSection);
  cd.UpdateIndexes();
  cd.InitCommonProp(FCtrlHandle);
  AfterCreation();
  Repaint();
  return true;
}

LRESULT TacMainWnd::ProcessMessage(UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  if (FDestroyed || !FCreated) return 0;
  if (FParams.Control) {
    FParams.Control->WindowProc(m);
  } else {
    acWndProc(m);
  }
  return m.Result;
}

void TacMainWnd::CallPrevious(TMessage& m) {
  if (FParams.Control) {
    if (FPrevious) {
      (*FPrevious)(m);
    } else {
      // Outside the chain (the hook is gone): the control's own handling.
      FParams.Control->WndProc(m);
    }
    return;
  }
  if (FLink.Linked()) {
    m.Result = FLink.CallPrevious(m.Msg, m.WParam, m.LParam);
  } else if (IsWindow(FCtrlHandle)) {
    m.Result = SendMessageW(FCtrlHandle, m.Msg, m.WParam, m.LParam);
  }
}

void TacMainWnd::CallPreviousQuietly(TMessage& m) {
  const bool visible = IsWindowVisible(FCtrlHandle) != FALSE;
  if (!visible || FQuietDepth > 0) {
    CallPrevious(m);
    if (visible && FQuietDepth == 0) Repaint();
    return;
  }
  // WM_SETREDRAW goes to the system procedure alone: the skin data must not
  // take it for a paint suspension of its own.
  ++FQuietDepth;
  TMessage off{WM_SETREDRAW, FALSE, 0, 0};
  CallPrevious(off);
  CallPrevious(m);
  TMessage on{WM_SETREDRAW, TRUE, 0, 0};
  CallPrevious(on);
  --FQuietDepth;
  if (FQuietDepth == 0) Repaint();
}

bool TacMainWnd::Skinned() const {
  return !FDestroyed && FSkinData && FSkinData->Skinned();
}

TRect TacMainWnd::WindowBounds() const {
  RECT r;
  GetWindowRect(FCtrlHandle, &r);
  if (HWND parent = GetParent(FCtrlHandle))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return FromRECT(r);
}

void TacMainWnd::Repaint() {
  if (IsWindowVisible(FCtrlHandle))
    RedrawWindow(FCtrlHandle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

void TacMainWnd::RenderToCache() {
  TsCommonData& cd = *FSkinData;
  if (!Skinned()) return;
  TFaceBase base{WindowBounds(), {}};
  if (!SizeCache(cd.FCacheBmp, base.Bounds.Width(), base.Bounds.Height())) return;
  base.Background = QueryWindowBackground(FCtrlHandle);
  if (base.Background.Kind == bqNotReady) {
    cd.FUpdating = true;
    return;
  }
  PaintFace(cd.FCacheBmp, base);
  cd.BGChanged = false;
  ++cd.RebuildCount;
}

bool TacMainWnd::FaceStale() const {
  const TsCommonData& cd = *FSkinData;
  const TRect bounds = WindowBounds();
  return cd.BGChanged || cd.FCacheBmp.Width() != bounds.Width() ||
         cd.FCacheBmp.Height() != bounds.Height();
}

void TacMainWnd::AnswerPaint(TMessage& m, const std::function<void(HDC)>& paint) {
  if (m.WParam) {
    paint(reinterpret_cast<HDC>(m.WParam));
  } else {
    platform::ScopedPaint scoped(FCtrlHandle);
    paint(scoped.Get());
  }
  m.Result = 0;
}

void TacMainWnd::RestoreStdParams() {
  if (FSkinData) FSkinData->RemoveCommonProp();
  if (GetPropW(FCtrlHandle, kScrollAdapterProp) == this)
    RemovePropW(FCtrlHandle, kScrollAdapterProp);
}

void TacMainWnd::Unhook() {
  if (FDestroyed || !FCreated) return;
  FDestroyed = true;
  // A framework control may be gone already (its window's last messages
  // never reach replacements): then nothing of it, nor of the skin data's
  // links to it, is touched.
  const bool ownerAlive = !FParams.Control || FHook.Active();
  if (ownerAlive) StopStateAnimation(*FSkinData);
  if (FParams.Control && ownerAlive) FParams.Control->ControlStyle = FOldCtrlStyle;
  FHook.Unhook();
  FLink.Reset();
  if (FProxy) FProxy->WindowProc = [](TMessage&) {};
  if (FSkinData) {
    // The rest of this message and later ones are the window's own.
    FSkinData->SkinIndex = -1;
    FSkinData->FCacheBmp.SetSize(0, 0);
  }
  RestoreStdParams();
  if (IsWindow(FCtrlHandle) && IsWindowVisible(FCtrlHandle)) {
    SetWindowPos(FCtrlHandle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(FCtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
}

bool TacMainWnd::ForThisManager(const TMessage& m) const {
  return m.LParam == 0 || reinterpret_cast<TsSkinManager*>(m.LParam) == SkinManager();
}

void TacMainWnd::PassToChildren(const TMessage& m) {
  if (auto* win = dynamic_cast<TWinControl*>(FParams.Control)) {
    BroadcastToChildControls(*win, m);
  } else {
    BroadcastToChildWindows(FCtrlHandle, m);
  }
}

void TacMainWnd::HandleSkinCommand(TMessage& m) {
  TsCommonData& cd = *FSkinData;
  const WORD code = SkinCommandCode(m.WParam);
  if (code == SKC_REMOVESKIN) {
    if (!ForThisManager(m)) return CallPrevious(m);
    Unhook();
    PassToChildren(m);
    return CallPrevious(m);
  }
  const TsSkinManager* manager = SkinManager();
  if (!manager || !manager->IsActive()) {
    if (code == SKC_SECTIONAT && cd.HandleCommonMessage(m)) return;
    return CallPrevious(m);
  }
  switch (code) {
    case SKC_NEWSKIN:
      if (!ForThisManager(m)) return CallPrevious(m);
      cd.UpdateIndexes();
      PassToChildren(m);
      Repaint();
      return;
    case SKC_REFRESH:
      if (!cd.HandleCommonMessage(m)) {
        PassToChildren(m);
        return;
      }
      cd.FUpdating = false;
      Repaint();
      PassToChildren(m);
      return;
    case SKC_ISSKINNED:
      m.Result = 1;
      return;
    case SKC_GETKIND:
      m.Result = DefaultSectionNumber();
      return;
    case SKC_GETADAPTER:
      m.Result = reinterpret_cast<LRESULT>(this);
      return;
    case SKC_GETAPPLICATION:
      m.Result = reinterpret_cast<LRESULT>(Application);
      return;
    case SKC_GETSKINMANAGER:
      m.Result = reinterpret_cast<LRESULT>(SkinManager());
      return;
    case SKC_PREPARECACHE:
      RenderToCache();
      return;
    case SKC_SETSECTION:
      if (m.LParam == 0) return;
      cd.SetSkinSection(reinterpret_cast<const char*>(m.LParam));
      m.Result = 1;
      return;
    default:
      if (!cd.HandleCommonMessage(m)) CallPrevious(m);
      return;
  }
}

void TacMainWnd::acWndProc(TMessage& m) {
  if (FDestroyed) return CallPrevious(m);
  TsCommonData& cd = *FSkinData;
  switch (m.Msg) {
    case WM_SKINCMD:
      return HandleSkinCommand(m);
    case WM_NCDESTROY:
    case WM_DESTROY: {
      // The window goes: give it back first so that its last messages are
      // all its own.
      Unhook();
      CallPrevious(m);
      return;
    }
    case WM_SIZE:
      cd.BGChanged = true;
      return CallPrevious(m);
    case WM_SETTEXT:
      CallPreviousQuietly(m);
      FCaption.clear();
      if (m.LParam) FCaption = platform::WideToUtf8(reinterpret_cast<const wchar_t*>(m.LParam));
      cd.BGChanged = true;
      Repaint();
      return;
    case WM_MOUSEMOVE:
      if (IsWindowEnabled(FCtrlHandle)) {
        if (TsSkinManager* manager = SkinManager();
            manager && Skinned() && manager->ActiveControl() != FCtrlHandle)
          manager->SetActiveControl(FCtrlHandle);
      }
      return CallPrevious(m);
    case WM_PRINT:
      if (Skinned()) {
        m.Result = SendMessageW(FCtrlHandle, WM_PAINT, m.WParam, 0);
        return;
      }
      return CallPrevious(m);
    default:
      return CallPrevious(m);
  }
}

}  // namespace ac
