#pragma once
// TsEdit: the skin engine's single-line edit. The system's edit keeps doing
// text input, caret and selection; the skin replaces what is drawn. While its
// manager has an active skin the edit's face (frame, background and text)
// is built from its section ("EDIT") into its skin data's cache:
//
// - without the focus the whole window, frame included, is copied from the
//   cache (state 0);
// - with the focus the frame still comes from the cache (state 1) through
//   WM_NCPAINT, while the system edit paints the inside in the section's
//   active colours, which the edit takes into Color and Font.Color.
//
// The frame answers hit tests as client area. Without an active skin it looks
// and behaves as the framework's TEdit.

#include <memory>

#include "controls/ts_common_data.h"
#include "framework/edit.h"
#include "pixels/color_transform.h"

namespace ac {

class TsEdit : public TEdit {
 public:
  explicit TsEdit(TComponent* owner);
  ~TsEdit() override;
  std::string_view ClassName() const override { return "TsEdit"; }

  TsCommonData& SkinData() { return *FCommonData; }

  // How the disabled face is made (bits of TsDisabledKind).
  TsDisabledKinds DisabledKind = dkBlended;

  // Width of the frame in pixels: 2 for the sunken single border.
  int FrameWidth() const { return 2; }
  // Where the text is written in the face, in window coordinates.
  TRect TextRect() const;
  // Rebuilds the cached face for the current state. False without a section.
  bool PrepareCache();

  void Loaded() override;
  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;

 protected:
  void CreateWindowHandleDone() override;

 private:
  void SkinnedWndProc(TMessage& m, const TWndMethod& previous);
  bool HandleSkinCommand(TMessage& m, const TWndMethod& previous);
  // True when M was handled whole.
  bool HandlePaint(TMessage& m, const TWndMethod& previous);
  bool FaceIsCurrent() const;
  // Copies the whole face, its four frame bands, or its four corners as
  // far as the border image reaches into them, to the window.
  enum class TPart { tpWhole, tpFrame, tpCorners };
  void PaintFromCache(TPart part);
  void PaintFromCache(TPart part, HDC dst);
  // The border image's corners: at least the frame, wider where the rounded
  // corner reaches into the inside, which the system edit paints over.
  TSize CornerSize() const;
  void RedrawFrameAndInside();
  bool NativeInside() const;

  std::unique_ptr<TsCommonData> FCommonData;
  TWindowProcHook FHook;
};

}  // namespace ac
