#include "skin/stored_skin_extract.h"

#include <gtest/gtest.h>

#include "skin/archive_file.h"
#include "skin/archive_test_support.h"

namespace ac {
namespace {

using test::Bytes;

#ifdef _WIN32
constexpr char kSep = '\\';
#else
constexpr char kSep = '/';
#endif

std::string S(std::string text) {
  for (char& c : text)
    if (c == '|') c = kSep;
  return text;
}

TEST(WithTrailingSeparator, EndsEveryFolderNameWithASeparator) {
  EXPECT_EQ(WithTrailingSeparator("skins"), S("skins|"));
  EXPECT_EQ(WithTrailingSeparator("skins/"), S("skins|"));
  EXPECT_EQ(WithTrailingSeparator("skins\\"), S("skins|"));
  EXPECT_EQ(WithTrailingSeparator("/"), S("|"));
  EXPECT_EQ(WithTrailingSeparator(""), "");
#ifdef _WIN32
  EXPECT_EQ(WithTrailingSeparator("D"), "D:\\");
  EXPECT_EQ(WithTrailingSeparator("C:\\Skins"), "C:\\Skins\\");
#else
  EXPECT_EQ(WithTrailingSeparator("D"), "D/");
#endif
}

class Extract : public testing::Test {
 protected:
  Extract() {
    TsStoredSkin& skin = FSkins.Add();
    skin.Name = "Velmora";
    skin.PackedData =
        test::TArchiveBuilder().Header(1).Entry("OPTIONS.DAT", "o").Text("tail").Build();
    FSkins.Add().Name = "Other";
  }
  std::string Dir(const std::string& sub = "") const {
    return PathToUtf8(FFolder.Path()) + (sub.empty() ? "" : S("|" + sub));
  }
  Bytes Extracted(const std::string& dir, const std::string& name) const {
    return LoadArchiveFile(PathFromUtf8(dir) / PathFromUtf8(name + " extracted.asz"));
  }

  test::TTempFolder FFolder{"extract"};
  TsStoredSkins FSkins;
  TRecordingSink FSink;
};

TEST_F(Extract, WritesTheStoredBytesVerbatim) {
  ExtractInternalSkin(FSkins, "Velmora", Dir(), FSink);
  EXPECT_TRUE(FSink.Entries.empty());
  EXPECT_EQ(Extracted(Dir(), "Velmora"), FSkins[0].PackedData);
  EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(Dir()) / "Other extracted.asz"));
}

TEST_F(Extract, AcceptsEitherTrailingSeparator) {
  for (const char* tail : {"/", "\\"}) {
    EXPECT_TRUE(ExtractByIndex(FSkins, 1, Dir() + tail, FSink));
    EXPECT_EQ(Extracted(Dir(), "Other"), FSkins[1].PackedData);
  }
  EXPECT_TRUE(FSink.Entries.empty());
}

TEST_F(Extract, MissingDirectoryOrSkin) {
  ExtractInternalSkin(FSkins, "Velmora", Dir("missing"), FSink);
  ExtractInternalSkin(FSkins, "velmora", Dir(), FSink);
  ASSERT_EQ(FSink.Entries.size(), 2u);
  EXPECT_EQ(FSink.Entries[0].Text, "Directory does not exists.");
  EXPECT_EQ(FSink.Entries[0].Icon, TMessageIcon::Error);
  EXPECT_EQ(FSink.Entries[1].Text, "Skin does not exists.");
  EXPECT_FALSE(std::filesystem::exists(PathFromUtf8(Dir("missing"))));
}

TEST_F(Extract, EveryItemOfTheNameIsExtracted) {
  TsStoredSkin& twin = FSkins.Add();
  twin.Name = "Velmora";
  twin.PackedData = {'A', 'S', 'z', 'f', 0, 0, 0, 0};
  ExtractInternalSkin(FSkins, "Velmora", Dir(), FSink);
  EXPECT_TRUE(FSink.Entries.empty());
  // Both went to the same file; the last one stays.
  EXPECT_EQ(Extracted(Dir(), "Velmora"), twin.PackedData);
}

TEST_F(Extract, ByIndexCreatesTheFolder) {
  const std::string dir = Dir("new|deeper");
  EXPECT_TRUE(ExtractByIndex(FSkins, 0, dir, FSink));
  EXPECT_TRUE(FSink.Entries.empty());
  EXPECT_EQ(Extracted(dir, "Velmora"), FSkins[0].PackedData);
}

TEST_F(Extract, ByIndexReportsAFolderThatCannotBeCreated) {
  ASSERT_TRUE(SaveArchiveFile(PathFromUtf8(Dir("file")), Bytes{1}));
  EXPECT_FALSE(ExtractByIndex(FSkins, 0, Dir("file|sub"), FSink));
  ASSERT_EQ(FSink.Entries.size(), 1u);
  EXPECT_EQ(FSink.Entries[0].Text, Dir("file|sub|") + " directory creation error.");
  EXPECT_EQ(FSink.Entries[0].Icon, TMessageIcon::Error);
}

TEST_F(Extract, ByIndexOutOfRange) {
  EXPECT_FALSE(ExtractByIndex(FSkins, 2, Dir(), FSink));
  EXPECT_FALSE(ExtractByIndex(FSkins, -1, Dir(), FSink));
  ASSERT_EQ(FSink.Entries.size(), 2u);
  EXPECT_EQ(FSink.Entries[0].Text, "Skin does not exists.");
}

TEST_F(Extract, EmptyFolderNameIsACreationError) {
  EXPECT_FALSE(ExtractByIndex(FSkins, 0, "", FSink));
  ASSERT_EQ(FSink.Entries.size(), 1u);
  EXPECT_EQ(FSink.Entries[0].Text, " directory creation error.");
}

}  // namespace
}  // namespace ac
