#include "skin/stored_skin.h"

#include <gtest/gtest.h>

namespace ac {
namespace {

TEST(TsStoredSkin, Defaults) {
  const TsStoredSkin skin;
  EXPECT_EQ(skin.Name, "");
  EXPECT_EQ(skin.Author, "");
  EXPECT_EQ(skin.Description, "");
  EXPECT_EQ(skin.Shadow1Blur, -1);
  EXPECT_EQ(skin.Shadow1Offset, 0);
  EXPECT_EQ(skin.Shadow1Transparency, 0);
  EXPECT_EQ(skin.BorderColor, 0xFF00FF);
  EXPECT_EQ(skin.Shadow1Color, 0);
  EXPECT_EQ(skin.Version, 0.0);
  EXPECT_TRUE(skin.MasterBitmap.empty());
  EXPECT_EQ(skin.OrigName, "");
  EXPECT_TRUE(skin.PackedData.empty());
}

TEST(TsStoredSkin, AssignCopiesEverythingButTheOriginName) {
  TsStoredSkin source;
  // Whole strings rather than literals: g++ 12 warns falsely (-Wrestrict) on
  // assigning short literals to fresh strings.
  source.Name = std::string("Velmora");
  source.Author = std::string("A");
  source.Description = std::string("D");
  source.Shadow1Blur = 7;
  source.Shadow1Offset = 2;
  source.Shadow1Transparency = 40;
  source.BorderColor = 0x123456;
  source.Shadow1Color = 0x654321;
  source.Version = 15;
  source.MasterBitmap = {1, 2};
  source.OrigName = "Velmora.asz";
  source.PackedData = {'A', 'S', 'z', 'f'};

  TsStoredSkin copy;
  copy.OrigName = "kept.asz";
  copy.Assign(source);
  EXPECT_EQ(copy.Name, "Velmora");
  EXPECT_EQ(copy.Author, "A");
  EXPECT_EQ(copy.Description, "D");
  EXPECT_EQ(copy.Shadow1Blur, 7);
  EXPECT_EQ(copy.Shadow1Offset, 2);
  EXPECT_EQ(copy.Shadow1Transparency, 40);
  EXPECT_EQ(copy.BorderColor, 0x123456);
  EXPECT_EQ(copy.Shadow1Color, 0x654321);
  EXPECT_EQ(copy.Version, 15.0);
  EXPECT_EQ(copy.MasterBitmap, source.MasterBitmap);
  EXPECT_EQ(copy.PackedData, source.PackedData);
  EXPECT_EQ(copy.OrigName, "kept.asz");
}

TEST(TsStoredSkin, PersistedValuesAreTheArchiveBytesAndOriginName) {
  TsStoredSkin skin;
  EXPECT_TRUE(skin.Data().empty());
  skin.SetData({'A', 'S', 'z', 'f', 0, 0, 0, 0});
  skin.SetOriginName("Velmora.asz");
  EXPECT_EQ(skin.PackedData, (std::vector<std::uint8_t>{'A', 'S', 'z', 'f', 0, 0, 0, 0}));
  EXPECT_EQ(&skin.Data(), &skin.PackedData);
  EXPECT_EQ(skin.OrigName, "Velmora.asz");
  EXPECT_EQ(skin.OriginName(), "Velmora.asz");
}

class TCountingOwner : public TsStoredSkinsOwner {
 public:
  void SkinListChanged() override { ++Changed; }
  void SkinListInvalidated() override { ++Invalidated; }
  int Changed = 0;
  int Invalidated = 0;
};

TEST(TsStoredSkins, IndexOfIsExactAndFindsTheFirst) {
  TsStoredSkins skins;
  skins.Add().Name = "Velmora";
  skins.Add().Name = "Other";
  skins.Add().Name = "Velmora";
  EXPECT_EQ(skins.IndexOf("Velmora"), 0);
  EXPECT_EQ(skins.IndexOf("Other"), 1);
  EXPECT_EQ(skins.IndexOf("velmora"), -1);
  EXPECT_EQ(skins.IndexOf("Velmora "), -1);
  EXPECT_EQ(skins.IndexOf(""), -1);
}

TEST(TsStoredSkins, ChangesReachTheOwner) {
  TCountingOwner owner;
  TsStoredSkins skins(&owner);
  skins.Add();
  EXPECT_EQ(owner.Invalidated, 1);
  EXPECT_EQ(owner.Changed, 1);
  skins.Update();
  EXPECT_EQ(owner.Changed, 2);
  skins.Delete(0);
  EXPECT_EQ(owner.Changed, 3);
  skins.Delete(5);  // nothing to delete
  EXPECT_EQ(owner.Changed, 3);

  skins.BeginUpdate();
  skins.Add();
  skins.Add();
  skins.Clear();
  EXPECT_EQ(owner.Changed, 3);
  skins.EndUpdate();
  EXPECT_EQ(owner.Changed, 4);
  EXPECT_EQ(owner.Invalidated, 3);
}

TEST(TsStoredSkins, WithoutOwnerUpdateDoesNothing) {
  TsStoredSkins skins;
  skins.Add();
  skins.Update();
  EXPECT_EQ(skins.Count(), 1);
}

TEST(TsStoredSkins, ItemsKeepTheirAddress) {
  TsStoredSkins skins;
  const TsStoredSkin* first = &skins.Add();
  for (int i = 0; i < 100; ++i) skins.Add();
  EXPECT_EQ(&skins[0], first);
}

}  // namespace
}  // namespace ac
