#include "skin/skin_data.h"

#include <algorithm>

#include "skin/skin_data_scale.h"

namespace ac {

TacSkinData::TacSkinData(TacSkinManagerCore* owner, int32_t aPPI)
    : FOwner(owner), ScalePercent(ScalePercentOf(aPPI)), PPI(aPPI) {}

int32_t TacSkinData::ScaleIntValue(int32_t value) const {
  // Held at the ends of the 32-bit range, as every scaled size is.
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{value} * PPI / 96, INT32_MIN, INT32_MAX));
}

void TacSkinData::LoadParams() {
  Spacing = ScaleIntValue(4);
  LineWidth = ScaleIntValue(2);
  ArrowSize = ScaleIntValue(5);
  SmallArrowSize = ScaleIntValue(4);
  ScrollBtnLength = ScaleIntValue(16);
}

void TacSkinData::FreeBitmaps() {
  for (auto& b : BmpArray) b.Bmp.reset();
}

void TacSkinData::ClearBmpArray() {
  FreeBitmaps();
  BmpArray.clear();
}

void TacSkinData::Reset() {
  ClearBmpArray();
  gd.clear();
  ma.clear();
  oe.clear();
  rsta.reset();
  rsti.reset();
  ShdaTemplate.reset();
  ShdiTemplate.reset();
}

}  // namespace ac
