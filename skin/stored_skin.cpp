#include "skin/stored_skin.h"

namespace ac {

void TsStoredSkin::Assign(const TsStoredSkin& source) {
  if (&source == this) return;
  PackedData = source.PackedData;
  MasterBitmap = source.MasterBitmap;
  Name = source.Name;
  Author = source.Author;
  Version = source.Version;
  BorderColor = source.BorderColor;
  Description = source.Description;
  Shadow1Blur = source.Shadow1Blur;
  Shadow1Color = source.Shadow1Color;
  Shadow1Offset = source.Shadow1Offset;
  Shadow1Transparency = source.Shadow1Transparency;
}

TsStoredSkin& TsStoredSkins::Add() {
  FItems.push_back(std::make_unique<TsStoredSkin>());
  if (FOwner) FOwner->SkinListInvalidated();
  Changed();
  return *FItems.back();
}

void TsStoredSkins::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TsStoredSkins::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

int TsStoredSkins::IndexOf(std::string_view skinName) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[static_cast<std::size_t>(i)]->Name == skinName) return i;
  return -1;
}

void TsStoredSkins::Update() {
  if (FOwner) FOwner->SkinListChanged();
}

void TsStoredSkins::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Update();
}

void TsStoredSkins::Changed() {
  if (FUpdateCount == 0) Update();
}

}  // namespace ac
