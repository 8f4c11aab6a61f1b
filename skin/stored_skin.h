#pragma once
// Internal skins: skin archives held in memory by the skin manager's
// InternalSkins collection and persisted in the main window's description.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/color.h"

namespace ac {

class TsStoredSkin {
 public:
  std::string Name;  // the key by which the manager selects the skin
  std::string Author;
  std::string Description;
  int Shadow1Blur = -1;
  int Shadow1Offset = 0;
  int Shadow1Transparency = 0;
  TColor BorderColor = clFuchsia;
  TColor Shadow1Color = 0;
  double Version = 0;
  // The persisted bytes of the stored master bitmap. Informational only: the
  // engine never draws it, so it stays an opaque block here.
  std::vector<std::uint8_t> MasterBitmap;
  std::string OrigName;                  // the file name the archive had
  std::vector<std::uint8_t> PackedData;  // the whole skin archive

  // Copies the archive bytes, the master bitmap, Name, Author, Version,
  // BorderColor, Description and the four Shadow1 values; OrigName stays.
  void Assign(const TsStoredSkin& source);

  // The two values persisted besides the published properties: "Data" holds
  // the archive bytes exactly as in an archive file (always written, even when
  // empty), "OriginName" holds OrigName.
  const std::vector<std::uint8_t>& Data() const { return PackedData; }
  void SetData(std::vector<std::uint8_t> bytes) { PackedData = std::move(bytes); }
  const std::string& OriginName() const { return OrigName; }
  void SetOriginName(std::string name) { OrigName = std::move(name); }
};

// What the collection tells the skin manager that owns it.
class TsStoredSkinsOwner {
 public:
  virtual ~TsStoredSkinsOwner() = default;
  // After the collection changed: the manager calls its OnSkinListChanged
  // event when one is assigned.
  virtual void SkinListChanged() {}
  // An item was created: the manager stops a running skin-list loader and marks
  // the list as needing an update.
  virtual void SkinListInvalidated() {}
};

// The ordered collection of internal skins. Items keep their address while
// they are in the collection, so a convertor may borrow an item's PackedData.
class TsStoredSkins {
 public:
  // Owner may be null (no manager yet); otherwise it must outlive the
  // collection.
  explicit TsStoredSkins(TsStoredSkinsOwner* owner = nullptr) : FOwner(owner) {}

  int Count() const { return static_cast<int>(FItems.size()); }
  TsStoredSkin& operator[](int index) { return *FItems.at(static_cast<std::size_t>(index)); }
  const TsStoredSkin& operator[](int index) const {
    return *FItems.at(static_cast<std::size_t>(index));
  }

  // Appends a new item with the defaults; the owner's skin list is invalidated.
  TsStoredSkin& Add();
  // Removes the item at Index (ignored when out of range).
  void Delete(int index);
  void Clear();

  // The index of the first item whose Name equals SkinName exactly
  // (case-sensitive), else -1.
  int IndexOf(std::string_view skinName) const;

  // Tells the owner that the collection changed. Add, Delete and Clear call it
  // unless changes are batched between BeginUpdate and EndUpdate, which then
  // calls it once.
  void Update();
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

 private:
  void Changed();

  TsStoredSkinsOwner* FOwner;
  std::vector<std::unique_ptr<TsStoredSkin>> FItems;
  int FUpdateCount = 0;
};

}  // namespace ac
