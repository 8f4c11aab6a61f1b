// The manager's scale mode at run time: reloading the skin for the
// resolutions the new mode uses and rescaling the forms to it.

#include <windows.h>

#include <algorithm>
#include <optional>

#include "framework/form.h"
#include "framework/screen.h"
#include "manager/skin_broadcast.h"
#include "manager/ts_skin_manager.h"
#include "skin/option_values.h"

namespace ac {

namespace {

int PercentOf(int ppi) {
  return MulDiv(ppi, 100, 96);
}

// Stops drawing a window for the length of a rescale, so that no half-scaled
// state reaches the screen; drawing resumes and everything is redrawn when
// the object goes.
class TFrozenDrawing {
 public:
  explicit TFrozenDrawing(HWND window) : FWindow(window) {
    SendMessageW(FWindow, WM_SETREDRAW, FALSE, 0);
  }
  ~TFrozenDrawing() {
    SendMessageW(FWindow, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(FWindow, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  TFrozenDrawing(const TFrozenDrawing&) = delete;
  TFrozenDrawing& operator=(const TFrozenDrawing&) = delete;

 private:
  HWND FWindow;
};

}  // namespace

int TsSkinManager::ScaleModePPI(TacScaleMode mode, int customPPI) const {
  if (mode == smCustomPPI) return customPPI;
  // Under smVCL the framework scales forms to the screen's resolution.
  if (mode == smVCL) return Screen ? Screen->PixelsPerInch() : 96;
  TacScaleSettings settings = Core.Scale;
  settings.Mode = mode;
  return kStepPPI[static_cast<std::size_t>(GetScale(settings))];
}

void TsSkinManager::SetScaleMode(TacScaleMode value) {
  if (value == Options.ScaleMode) return;
  if (HasState(csLoading | csReading)) {
    Options.ScaleMode = value;
    return;
  }
  ChangeScale(value, Options.PixelsPerInch);
  PublishScaleMode();
}

void TsSkinManager::SetPixelsPerInch(int value) {
  if (value == Options.PixelsPerInch) return;
  // Only the custom mode scales by it; elsewhere it waits for that mode.
  if (HasState(csLoading | csReading) || Options.ScaleMode != smCustomPPI) {
    Options.PixelsPerInch = value;
    return;
  }
  ChangeScale(smCustomPPI, value);
}

void TsSkinManager::ChangeScale(TacScaleMode mode, int customPPI) {
  TacScaleModeChange query;
  query.OldMode = Options.ScaleMode;
  query.NewMode = mode;
  query.OldPPI = ScaleModePPI(Options.ScaleMode, Options.PixelsPerInch);
  query.NewPPI = ScaleModePPI(mode, customPPI);
  query.OldPercent = PercentOf(query.OldPPI);
  query.NewPercent = PercentOf(query.NewPPI);
  if (OnScaleModeChange) OnScaleModeChange(this, query);
  if (!query.Allow) return;

  Options.ScaleMode = mode;
  Options.PixelsPerInch = customPPI;
  Core.SetState(msScaleChanging, true);
  // The skin is announced once, after the forms have their new size.
  const bool suspendedHere = !FNoAutoUpdate;
  FNoAutoUpdate = true;
  if (Core.Active && Core.IsActive()) ReloadResolutions();
  UpdateAllScale();
  if (suspendedHere) EndUpdate(true, true);
  if (OnScaleChanged) OnScaleChanged(this);
  Core.SetState(msScaleChanging, false);
  Core.SetState(msFormScaling, false);
}

void TsSkinManager::UpdateAllScale() {
  if (!Screen) return;
  // A rescale may create or free forms: walk a copy, skipping the gone.
  const std::vector<TCustomForm*> forms = Screen->CustomForms();
  for (TCustomForm* form : forms) {
    const auto& now = Screen->CustomForms();
    if (std::find(now.begin(), now.end(), form) != now.end()) UpdateScale(*form);
  }
}

void TsSkinManager::UpdateScale(TCustomForm& form, int currentPPI, int newPPI) {
  if (form.HasState(csDestroying | csLoading)) return;
  // Forms without a frame adapter of their own belong to the default manager.
  if (form.HandleAllocated()) {
    const auto owner =
        reinterpret_cast<TsSkinManager*>(SendSkinCommandTo(form, SKC_GETSKINMANAGER, 0));
    if (owner ? owner != this : !IsDefault) return;
  }
  // The framework scales a form by itself only under smVCL.
  form.Scaled = Options.ScaleMode == smVCL;
  if (currentPPI <= 0) {
    const LRESULT asked = form.HandleAllocated() ? SendSkinCommandTo(form, SKC_GETPPI, 0) : 0;
    if (asked == -1) return;
    // A form without a frame adapter does not answer; the framework keeps the
    // resolution it was last scaled to.
    currentPPI = asked > 0 ? static_cast<int>(asked) : form.PixelsPerInch;
  }
  if (newPPI <= 0) newPPI = ScaleModePPI(Options.ScaleMode, Options.PixelsPerInch);
  if (newPPI == currentPPI || currentPPI <= 0) return;

  Core.SetState(msFormScaling, true);
  const bool animation = Effects.AllowAnimation;
  Effects.AllowAnimation = false;
  const bool windowed = form.HandleAllocated();
  RECT before{};
  if (windowed) GetWindowRect(form.Handle(), &before);
  {
    std::optional<TFrozenDrawing> frozen;
    if (windowed) frozen.emplace(form.Handle());
    // A frame adapter scales its form itself and says so; otherwise the
    // framework's scaling keeps the form's position and scales its client
    // size, its fonts and its controls.
    const LRESULT scaledItself = windowed ? SendSkinCommandTo(form, SKC_SCALEFORM, newPPI) : 0;
    if (scaledItself == 0) form.ScaleBy(newPPI, currentPPI);
    form.PixelsPerInch = newPPI;
    const TMessage setPPI = SkinCommandMessage(SKC_SETPPI, newPPI);
    if (windowed) {
      // The form, then its controls, as every broadcast reaches them; a
      // skinned container passes it on to its own children.
      DeliverSkinCommand(form.Handle(), setPPI);
      BroadcastToChildControls(form, setPPI);
    }
  }
  if (windowed && newPPI < currentPPI) {
    // What the larger form covered is painted again by whatever lies there.
    RedrawWindow(nullptr, &before, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  Effects.AllowAnimation = animation;
}

}  // namespace ac
