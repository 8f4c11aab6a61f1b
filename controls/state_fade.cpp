#include "controls/state_fade.h"

#include "controls/ts_ctrl_skin_data.h"
#include "manager/skin_command_delivery.h"
#include "win32/dib_section.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

namespace {

TFadeFrameWatch* gWatch = nullptr;

TacAnimUpdateEvent* UpdateLightOf(TsCommonData& data) {
  auto* ctrl = dynamic_cast<TsCtrlSkinData*>(&data);
  return ctrl && ctrl->OnUpdateLight ? &ctrl->OnUpdateLight : nullptr;
}

TRect WholeOf(const TBitmap& bmp) {
  return TRect::XYWH(0, 0, bmp.Width(), bmp.Height());
}

// Asks the owner to rebuild its face for the state it is in now.
void PrepareOwnerCache(TsCommonData& data) {
  if (HWND wnd = data.OwnerHandle()) {
    SendSkinCommand(wnd, SKC_PREPARECACHE, 0);
  } else if (data.FOwnerControl) {
    const TMessage prepare = SkinCommandMessage(SKC_PREPARECACHE, 0);
    const TacOwnSkinCommand own(prepare);
    data.FOwnerControl->Perform(prepare.Msg, prepare.WParam, prepare.LParam);
  }
}

bool AnimationsAllowedBy(const TsCommonData& data) {
  const TsSkinManager* manager = data.SkinManager();
  return manager && manager->Effects.AllowAnimation;
}

// Copies Frame to the owner's window at (0, 0), unmirrored.
void ShowFrame(HWND wnd, const TBitmap& frame) {
  platform::ScopedGetDC dc(wnd);
  if (!dc.Get()) return;
  // A right-to-left window's DC would mirror the image, which is already
  // laid out as the window shows it.
  if (GetLayout(dc.Get()) & LAYOUT_RTL) SetLayout(dc.Get(), 0);
  platform::PresentFace(dc.Get(), frame.Section());
  platform::CountFadeFrame();
}

}  // namespace

TFadeFrameWatch::TFadeFrameWatch(TFadeFrameObserver observer)
    : FObserver(std::move(observer)), FPrevious(gWatch) {
  gWatch = this;
}

TFadeFrameWatch::~TFadeFrameWatch() {
  gWatch = FPrevious;
}

bool FadeStep(TsCommonData& data, int) {
  TacThreadedTimer* t = data.AnimTimer.get();
  if (!t || t->Destroyed || t->Iterations <= 0) return false;
  const HWND wnd = data.OwnerHandle();
  // A skin removed under the fade takes its images' meaning with it.
  if (!wnd || !t->BmpFrom || !t->BmpTo || !data.Skinned()) return false;
  const TBitmap& cache = data.FCacheBmp;
  // A face that changed size under the fade has no frame to go on from.
  if (t->BmpFrom->Width() != cache.Width() || t->BmpFrom->Height() != cache.Height() ||
      t->BmpTo->Width() != cache.Width() || t->BmpTo->Height() != cache.Height())
    return false;
  if (!t->BmpOut) t->BmpOut = std::make_unique<TBitmap>();
  if (t->BmpOut->Width() != cache.Width() || t->BmpOut->Height() != cache.Height())
    t->BmpOut->SetSize(cache.Width(), cache.Height());
  const uint8_t g = AdvanceGlow(*t);
  GdiFlush();
  MixFadeFrame(t->BmpOut->View(), t->BmpFrom->View(), t->BmpTo->View(), FrameWeight(t->State, g));
  ShowFrame(wnd, *t->BmpOut);
  if (gWatch && gWatch->FObserver) gWatch->FObserver(data, *t->BmpOut);
  if (NextAfterStep(*t, g) == TFadeNext::fnContinue) return true;
  if (t->State == kFadeNormal) StopStateAnimation(data);
  if (UpdateLightOf(data)) {
    // The last frame was a mix; the owner shows its rebuilt face itself. The
    // timer stops first: an owner does not paint over a running fade.
    t->SetEnabled(false);
    data.BGChanged = true;
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  return false;
}

void StartStateChange(TsCommonData& data, int newState, TacAnimProc proc, bool updateGlow,
                      bool allowAnimation) {
  const HWND wnd = data.OwnerHandle();
  if (!data.Skinned() || (wnd && !IsWindowVisible(wnd))) {
    data.Invalidate(TsCommonData::TRepaintTime::rtLater);
    return;
  }
  if (allowAnimation && !data.FCacheBmp.Empty() && !data.BGChanged && AnimationsAllowedBy(data)) {
    data.BGChanged = true;
    StartFade(data, newState, proc, TFadeSpeed::fsNormal);
    return;
  }
  bool repainted = false;
  if (TacAnimUpdateEvent* update = UpdateLightOf(data); update && data.FOwnerControl) {
    TacAnimUpdate record;
    (*update)(*data.FOwnerControl, record);
    repainted = record.Repainted;
  }
  if (!repainted) data.Invalidate(TsCommonData::TRepaintTime::rtNow);
  if (TacThreadedTimer* t = data.AnimTimer.get()) {
    if (!data.FMouseAbove) {
      t->Glow = 0;
    } else if (updateGlow) {
      t->Glow = 255;
    }
  }
}

void StartFade(TsCommonData& data, int newState, TacAnimProc proc, TFadeSpeed speed) {
  int carried = 0;
  if (data.AnimTimer) {
    carried = CarriedIterations(*data.AnimTimer);
  } else {
    data.AnimTimer = std::make_unique<TacThreadedTimer>(nullptr);
    // Leaving a control that was lit before any fade ran starts fully lit.
    if (newState == kFadeNormal) data.AnimTimer->Glow = 255;
  }
  TacThreadedTimer& t = *data.AnimTimer;
  if (t.State != -1 && t.State == newState) return;
  const TBitmap& cache = data.FCacheBmp;
  if (t.BmpOut && (t.BmpOut->Width() != cache.Width() || t.BmpOut->Height() != cache.Height()))
    t.BmpOut.reset();
  // What is on screen: the last frame of a fade, else the old face.
  if (t.BmpOut) {
    TacThreadedTimer::CopyFrom(t.BmpFrom, *t.BmpOut, WholeOf(*t.BmpOut));
  } else {
    TacThreadedTimer::CopyFrom(t.BmpFrom, cache, WholeOf(cache));
  }
  if (data.BGChanged) PrepareOwnerCache(data);
  // The owner may have been unable to rebuild: the fade then ends on the
  // image it had.
  TacThreadedTimer::CopyFrom(t.BmpTo, data.FCacheBmp, WholeOf(data.FCacheBmp));
  t.InitData(data, carried, proc, newState, speed);
  t.TimeHandler();
  // No steps will come when the system refused the timer: the fade ends
  // now and the owner shows its new face.
  if (t.Enabled() && !t.Running()) {
    StopStateAnimation(data);
    data.Invalidate(TsCommonData::TRepaintTime::rtNow);
  }
}

void StopStateAnimation(TsCommonData& data) {
  TacThreadedTimer* t = data.AnimTimer.get();
  if (!t || t->Destroyed) return;
  t->SetEnabled(false);
  if (t->State == kFadeNormal) t->Glow = 0;
  t->State = -1;
  t->FreeImages();
}

void FinishStateAnimation(TacThreadedTimer* timer) {
  if (!timer || timer->Destroyed) return;
  timer->Iteration = timer->Iterations - 1;
  timer->Glow = timer->State <= kFadeNormal ? 0 : 255;
  timer->SetEnabled(false);
  timer->TimeHandler();
  timer->BmpOut.reset();
}

bool IsAnimating(const TsCommonData& data) {
  return data.AnimTimer && data.AnimTimer->Running();
}

const TBitmap* CurrentFadeFrame(const TsCommonData& data) {
  if (!IsAnimating(data) || !data.AnimTimer->BmpOut) return nullptr;
  return data.AnimTimer->BmpOut.get();
}

}  // namespace ac
