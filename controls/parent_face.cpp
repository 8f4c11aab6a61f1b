#include "controls/parent_face.h"

#include "controls/ts_common_data.h"
#include "framework/win_control.h"

namespace ac {

namespace {

bool FaceIsCurrent(const TsCommonData& data, const TWinControl& parent) {
  const TBitmap& face = data.FCacheBmp;
  return data.Skinned() && !data.BGChanged && !face.Empty() && face.Width() == parent.Width() &&
         face.Height() == parent.Height();
}

}  // namespace

TCacheInfo ParentFaceBackground(const TControl& control) {
  TWinControl* parent = control.Parent();
  if (!parent || !parent->HandleAllocated()) return ParentBackground(control);
  auto* data = dynamic_cast<TsCommonData*>(CommonDataOf(parent->Handle()));
  if (!data || !data->Skinned()) return ParentBackground(control);
  if (!FaceIsCurrent(*data, *parent)) {
    // The parent rebuilds its face when asked to prepare it or when it
    // paints; either leaves the image current for this child.
    SendSkinCommand(parent->Handle(), SKC_PREPARECACHE, 0);
    if (!FaceIsCurrent(*data, *parent)) UpdateWindow(parent->Handle());
    if (!FaceIsCurrent(*data, *parent)) return ParentBackground(control);
  }
  GdiFlush();
  return MakeCacheInfo(data->FCacheBmp.View(), control.Left(), control.Top());
}

}  // namespace ac
