#include "controls/threaded_timer.h"

#include <cstring>
#include <exception>

#include "framework/application.h"

namespace ac {

namespace {

constexpr unsigned kDefaultInterval = 1000;
// A fade step every 12 ms: six steps light a control in about 72 ms.
constexpr unsigned kFadeInterval = 12;

}  // namespace

TacThreadedTimer::TacThreadedTimer(TComponent* owner) : TComponent(owner) {
  FTimerThread.SetEnabled(false);
  FTimerThread.SetInterval(FInterval);
  FTimerThread.SetOnTimer([this](TComponent*) { Step(); });
}

TacThreadedTimer::TacThreadedTimer(TComponent* owner, TChangeEvent changeEvent)
    : TacThreadedTimer(owner) {
  FEnabled = false;
  if (changeEvent == TChangeEvent::ceTimeHandler) FOnTimer = [this](TComponent*) { TimeHandler(); };
}

TacThreadedTimer::~TacThreadedTimer() {
  Destroyed = true;
  SetEnabled(false);
  AnimData = nullptr;
}

void TacThreadedTimer::UpdateTimer() {
  const bool run = FEnabled && FInterval > 0 && (FAnimProc || FOnTimer);
  if (run) FTimerThread.SetInterval(FInterval);
  FTimerThread.SetEnabled(run);
}

void TacThreadedTimer::SetEnabled(bool enabled) {
  FEnabled = enabled;
  UpdateTimer();
}

void TacThreadedTimer::SetInterval(unsigned milliseconds) {
  FInterval = milliseconds;
  UpdateTimer();
}

void TacThreadedTimer::SetOnTimer(TNotifyEvent handler) {
  FOnTimer = std::move(handler);
  UpdateTimer();
}

void TacThreadedTimer::SetAnimProc(TacAnimProc proc) {
  FAnimProc = proc;
  UpdateTimer();
}

void TacThreadedTimer::Step() {
  if (Executing || Destroyed) return;
  Executing = true;
  if (FAnimProc) {
    bool more = false;
    if (NextIteration(*this) && AnimData) {
      try {
        more = FAnimProc(*AnimData, Iteration);
      } catch (...) {
        // A step that fails ends the animation; the control's next paint
        // shows its cached face.
        ReportBoundaryException();
        more = false;
      }
    }
    if (!more) SetEnabled(false);
  } else if (FOnTimer) {
    FOnTimer(this);
  }
  Executing = false;
}

void TacThreadedTimer::TimeHandler() {
  if (!FEnabled || !FAnimProc || Destroyed || !AnimData) return;
  if (!FAnimProc(*AnimData, Iteration)) {
    SetEnabled(false);
    State = -1;
  }
}

void TacThreadedTimer::StepNow() {
  if (Running()) Step();
}

void TacThreadedTimer::InitData(TsCommonData& data, int carried, TacAnimProc proc, int newState,
                                TFadeSpeed speed) {
  SetEnabled(false);
  AnimData = &data;
  const int previous = State;
  PlanFade(*this, carried, newState, speed, BmpOut != nullptr);
  // Into or out of the pressed state the fade starts from what is on screen,
  // even when the caller had another start image.
  const bool fromScreen =
      newState == kFadePressed || (newState == kFadeActive && previous == kFadePressed);
  if (fromScreen && BmpOut)
    CopyFrom(BmpFrom, *BmpOut, TRect::XYWH(0, 0, BmpOut->Width(), BmpOut->Height()));
  if (FInterval == kDefaultInterval) FInterval = kFadeInterval;
  FAnimProc = proc;
  SetEnabled(true);
}

void TacThreadedTimer::CopyFrom(std::unique_ptr<TBitmap>& dst, const TBitmap& src, const TRect& r) {
  const int w = std::max(0, r.Width());
  const int h = std::max(0, r.Height());
  if (!dst) dst = std::make_unique<TBitmap>();
  if (dst->Width() != w || dst->Height() != h) dst->SetSize(w, h);
  if (dst->Empty() || src.Empty()) return;
  // GDI may still be writing into the source's bits.
  GdiFlush();
  const TRect part = TRect::XYWH(r.Left, r.Top, w, h);
  for (int y = 0; y < h; ++y) {
    const int sy = part.Top + y;
    if (sy < 0 || sy >= src.Height()) continue;
    const int left = std::max(0, part.Left);
    const int right = std::min(src.Width(), part.Right);
    if (right <= left) continue;
    std::memcpy(dst->ScanLine(y) + (left - part.Left) * 4, src.ScanLine(sy) + left * 4,
                static_cast<size_t>(right - left) * 4);
  }
}

void TacThreadedTimer::FreeImages() {
  BmpTo.reset();
  BmpFrom.reset();
  BmpOut.reset();
}

}  // namespace ac
