#pragma once
// TsPanel: the skin engine's panel. While its manager has an active skin it
// paints its face from its section (by its outer bevel: "PANEL" raised,
// "PANEL_LOW" lowered, "TRANSPARENT" none, "GROUPBOX" space) in state 0 over
// its parent's colour, keeps that face in its skin data's cache and, on later
// paints, only copies the cache; its windowless children are painted over the
// face in the same paint. Without an active skin it looks and behaves as the
// framework's TPanel.

#include <memory>

#include "controls/ts_common_data.h"
#include "framework/panel.h"

namespace ac {

class TsPanel : public TPanel {
 public:
  explicit TsPanel(TComponent* owner);
  ~TsPanel() override;
  std::string_view ClassName() const override { return "TsPanel"; }

  TsCommonData& SkinData() { return *FCommonData; }
  // The default section for the current bevel.
  const char* DefaultSection() const;

  void Loaded() override;

 protected:
  void CreateWindowHandleDone() override;
  void PaintWindow(HDC dc) override;

 private:
  void SkinnedWndProc(TMessage& m, const TWndMethod& previous);
  // The skin commands the panel answers itself; true when M was answered.
  bool SkinCommand(TMessage& m);
  // The face and the windowless children, unless painting is suspended.
  void PaintWithChildren(HDC dc);
  // Paints the windowless children inside DC's clip box over the face.
  void PaintGraphicChildren(HDC dc);
  // Rebuilds the cached face when it is stale or has another size; false
  // when it could not (no skin, or the parent's background is not ready).
  bool PrepareCache();

  std::unique_ptr<TsCommonData> FCommonData;
  TWindowProcHook FHook;
  // The windowless children are being painted (see PaintGraphicChildren).
  bool FPaintingChildren = false;
};

}  // namespace ac
