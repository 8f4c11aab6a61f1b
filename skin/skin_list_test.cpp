#include "skin/skin_list.h"

#include <gtest/gtest.h>

#include <fstream>

#include "pixels/image_codec.h"
#include "skin/archive_file.h"
#include "skin/archive_test_support.h"
#include "skin/archive_writer.h"
#include "skin/skin_list_test_support.h"

namespace ac {
namespace {

using test::FlatPng;
using test::PreviewedSkinArchive;

using test::Bytes;
using test::BytesOf;

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// Every pixel of Image, as 32-bit values $AARRGGBB.
std::vector<uint32_t> PixelsOf(const TsPixelImage& image) {
  std::vector<uint32_t> out;
  const TsPixelBuffer& v = image.View();
  for (int32_t y = 0; y < v.Height; ++y) out.insert(out.end(), v.Row(y), v.Row(y) + v.Width);
  return out;
}

TEST(ListedArchiveName, OnlyTheExactLowerCaseExtensionLists) {
  const struct {
    std::string_view FileName;
    std::optional<std::string> Name;
  } cases[] = {
      {"Velmora Dark.asz", "Velmora Dark"},
      {"x.asz", "x"},
      {"two.dots.asz", "two.dots"},
      {"Upper.ASZ", std::nullopt},
      {"Mixed.Asz", std::nullopt},
      {"old.asz.bak", std::nullopt},
      {"x.aszz", std::nullopt},
      {"xasz", std::nullopt},
      {".asz", std::nullopt},  // nothing would be left of the name
      {"asz", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ListedArchiveName(c.FileName), c.Name) << c.FileName;
}

TEST(SameSkinDirectory, LetterCaseAsideOnly) {
  const struct {
    std::string_view A, B;
    bool Same;
  } cases[] = {
      {"c:\\Skins\\", "C:\\SKINS\\", true},
      {"/tmp/ac-Skins", "/tmp/ac-skins", true},
      {"", "", true},
      {"c:\\Skins", "c:\\Skins\\", false},
      {"c:\\Skins", "c:\\Skinz", false},
  };
  for (const auto& c : cases) EXPECT_EQ(SameSkinDirectory(c.A, c.B), c.Same) << c.A << " " << c.B;
}

TEST(ScalePreview, ExactBytesForCopiesFlatColoursAndStripes) {
  const struct {
    const char* What;
    int32_t Width, Height;
    // Source pixel at (x, y).
    uint32_t (*Source)(int32_t x, int32_t y);
    // Expected preview pixel at (x, y).
    uint32_t (*Expected)(int32_t x, int32_t y);
  } cases[] = {
      {"already the preview size: copied", 140, 100,
       [](int32_t x, int32_t y) { return static_cast<uint32_t>(0xFF000000u | x << 8 | y); },
       [](int32_t x, int32_t y) { return static_cast<uint32_t>(0xFF000000u | x << 8 | y); }},
      {"twice the size, one colour: the colour", 280, 200,
       [](int32_t, int32_t) { return 0xFF332211u; }, [](int32_t, int32_t) { return 0xFF332211u; }},
      {"a single pixel: repeated", 1, 1, [](int32_t, int32_t) { return 0xFF332211u; },
       [](int32_t, int32_t) { return 0xFF332211u; }},
      // Halving with the triangle filter weighs a column 1/2 and each
      // neighbour 1/4: black and white columns meet at 255 * 1/2 = 127 (the
      // weighted sum is truncated). Rows are all alike, so the vertical pass
      // keeps them.
      {"twice the size, black and white columns: 127", 280, 200,
       [](int32_t x, int32_t) { return x % 2 ? 0xFFFFFFFFu : 0xFF000000u; },
       [](int32_t, int32_t) { return 0xFF7F7F7Fu; }},
      {"one row: each column repeated down", 140, 1,
       [](int32_t x, int32_t) { return static_cast<uint32_t>(0xFF000000u | x); },
       [](int32_t x, int32_t) { return static_cast<uint32_t>(0xFF000000u | x); }},
  };
  for (const auto& c : cases) {
    TsPixelImage src(c.Width, c.Height);
    for (int32_t y = 0; y < c.Height; ++y)
      for (int32_t x = 0; x < c.Width; ++x) src.View().At(x, y) = c.Source(x, y);
    const TsPixelImage preview = ScalePreview(src.View());
    ASSERT_EQ(preview.View().Width, kSkinPreviewWidth) << c.What;
    ASSERT_EQ(preview.View().Height, kSkinPreviewHeight) << c.What;
    std::vector<uint32_t> expected;
    for (int32_t y = 0; y < kSkinPreviewHeight; ++y)
      for (int32_t x = 0; x < kSkinPreviewWidth; ++x) expected.push_back(c.Expected(x, y));
    EXPECT_EQ(PixelsOf(preview), expected) << c.What;
  }
  EXPECT_TRUE(ScalePreview(TsPixelBuffer()).View().IsEmpty());
}

TEST(ArchivePreview, BrokenOrMissingTrailersGiveNoPicture) {
  const Bytes png = FlatPng(70, 50, 0xFF302010u);
  Bytes truncated = PreviewedSkinArchive(png);
  truncated.resize(truncated.size() - 10);
  const struct {
    const char* What;
    Bytes Archive;
    bool HasPreview;
  } cases[] = {
      {"a PNG trailer", PreviewedSkinArchive(png), true},
      {"no trailer", PreviewedSkinArchive(std::nullopt), false},
      {"a trailer longer than the archive", truncated, false},
      {"a trailer that is no image", PreviewedSkinArchive(BytesOf("not an image at all")), false},
      {"an empty trailer", PreviewedSkinArchive(Bytes{}), false},
      {"no bytes at all", Bytes{}, false},
  };
  for (const auto& c : cases) {
    const std::optional<TsPixelImage> preview = ArchivePreview(c.Archive);
    ASSERT_EQ(preview.has_value(), c.HasPreview) << c.What;
    if (!preview) continue;
    EXPECT_EQ(preview->View().Width, kSkinPreviewWidth) << c.What;
    EXPECT_EQ(preview->View().Height, kSkinPreviewHeight) << c.What;
    // Doubling a flat picture keeps its colour exactly.
    EXPECT_EQ(preview->View().At(0, 0), 0xFF302010u) << c.What;
    EXPECT_EQ(preview->View().At(139, 99), 0xFF302010u) << c.What;
  }
}

TEST(ArchivePreview, TheProgramsOwnSkinPreviewsFitThePreviewSize) {
  for (const char* name : {"VelmoraLight.preview.png", "VelmoraDark.preview.png"}) {
    const Bytes png = LoadArchiveFile(std::filesystem::path(AC_SOURCE_DIR) / "skins" / name);
    const std::optional<TsPixelImage> preview = ArchivePreview(PreviewedSkinArchive(png));
    ASSERT_TRUE(preview.has_value()) << name;
    EXPECT_EQ(preview->View().Width, kSkinPreviewWidth) << name;
    EXPECT_EQ(preview->View().Height, kSkinPreviewHeight) << name;
  }
}

// A skin directory with everything a picker must and must not show, and two
// internal skins.
class SkinListBuilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto& dir = Folder.Path();
    WriteFile(dir / "beta.asz", PreviewedSkinArchive(FlatPng(280, 200, 0xFFFF0000u)));
    WriteFile(dir / "Alpha.asz", PreviewedSkinArchive(std::nullopt));
    WriteFile(dir / "Gamma.asz", PreviewedSkinArchive(FlatPng(140, 100, 0xFF00FF00u)));
    WriteFile(dir / "Upper.ASZ", PreviewedSkinArchive(std::nullopt));
    WriteFile(dir / "old.asz.bak", PreviewedSkinArchive(std::nullopt));
    WriteFile(dir / "notes.txt", BytesOf("x"));
    // A trailer whose length runs past the end: listed, without a picture.
    Bytes broken = BytesOf("ASzf");
    broken.insert(broken.end(), {1, 0, 0, 0});
    const Bytes marker = BytesOf("previewimg");
    broken.insert(broken.end(), marker.begin(), marker.end());
    broken.insert(broken.end(), {0xFF, 0xFF});
    WriteFile(dir / "broken.asz", broken);
    std::filesystem::create_directory(dir / "Folder.asz");
    std::filesystem::create_directory(dir / "Skin Folder");
    WriteFile(dir / "Skin Folder" / "Options.dat", BytesOf("[GLOBALINFO]\r\n"));

    Internal.Add().Name = "Internal One";
    Internal[0].PackedData = PreviewedSkinArchive(FlatPng(140, 100, 0xFF0000FFu));
    Internal.Add().Name = "Internal Two";
    Internal[1].PackedData = PreviewedSkinArchive(std::nullopt);
  }

  TacSkinListBuilder::TSources Sources(uint32_t filter) const {
    return {&Internal, PathToUtf8(Folder.Path()), filter};
  }

  // Runs every step, checking that each one lists exactly one more skin.
  TacSkinList BuildStepByStep(uint32_t filter) {
    TacSkinListBuilder builder;
    builder.Start(Sources(filter));
    TacSkinList list;
    bool more = true;
    while (more) {
      const std::size_t before = list.SkinList.size();
      more = builder.Step(list);
      EXPECT_EQ(list.SkinList.size(), before + 1) << "every step lists one skin";
    }
    EXPECT_TRUE(builder.Done());
    EXPECT_FALSE(builder.Step(list));
    return list;
  }

  test::TTempFolder Folder{"skinlist"};
  TsStoredSkins Internal;
};

TEST_F(SkinListBuilderTest, ListsInternalSkinsThenArchiveFilesByName) {
  const TacSkinList list = BuildStepByStep(kFilterInternal | kFilterExternal);
  const std::vector<TacSkinListData> expected = {
      {smInternal, 0, "Internal One"}, {smInternal, -1, "Internal Two"}, {smExtPacked, -1, "Alpha"},
      {smExtPacked, 1, "beta"},        {smExtPacked, -1, "broken"},      {smExtPacked, 2, "Gamma"},
  };
  EXPECT_EQ(list.SkinList, expected);
  ASSERT_EQ(list.ImgList.size(), 3u);
  // Each preview is the picture of its own skin, at the preview size.
  const uint32_t colours[] = {0xFF0000FFu, 0xFFFF0000u, 0xFF00FF00u};
  for (std::size_t i = 0; i < 3; ++i) {
    const TsPixelBuffer& v = list.ImgList[i].View();
    EXPECT_EQ(v.Width, kSkinPreviewWidth);
    EXPECT_EQ(v.Height, kSkinPreviewHeight);
    EXPECT_EQ(v.At(70, 50), colours[i]) << i;
  }
}

TEST_F(SkinListBuilderTest, TheFilterChoosesTheSources) {
  const struct {
    uint32_t Filter;
    std::vector<std::string> Names;
  } cases[] = {
      {kFilterInternal, {"Internal One", "Internal Two"}},
      {kFilterExternal, {"Alpha", "beta", "broken", "Gamma"}},
  };
  for (const auto& c : cases) {
    const TacSkinList list = BuildStepByStep(c.Filter);
    std::vector<std::string> names;
    for (const auto& item : list.SkinList) names.push_back(item.skName);
    EXPECT_EQ(names, c.Names) << c.Filter;
  }
  // Nothing to list: one step finds that out.
  TacSkinListBuilder builder;
  builder.Start(Sources(0));
  TacSkinList list;
  EXPECT_FALSE(builder.Step(list));
  EXPECT_TRUE(list.SkinList.empty());
}

TEST_F(SkinListBuilderTest, AMissingDirectoryListsTheInternalSkinsOnly) {
  TacSkinListBuilder builder;
  builder.Start(
      {&Internal, PathToUtf8(Folder.Path() / "nowhere"), kFilterInternal | kFilterExternal});
  TacSkinList list;
  while (builder.Step(list)) {
  }
  ASSERT_EQ(list.SkinList.size(), 2u);
  EXPECT_EQ(list.SkinList[1].skName, "Internal Two");
}

TEST_F(SkinListBuilderTest, AnInternalSkinRemovedMeanwhileIsNotReached) {
  TacSkinListBuilder builder;
  builder.Start(Sources(kFilterInternal));
  TacSkinList list;
  EXPECT_TRUE(builder.Step(list));
  Internal.Delete(1);
  EXPECT_FALSE(builder.Step(list));
  ASSERT_EQ(list.SkinList.size(), 1u);
}

TEST(SelectSkinNames, TheSkinTypeSelectsInternalOrFileSkins) {
  TacSkinList list;
  list.SkinList = {{smExtPacked, 0, "File A"},
                   {smInternal, -1, "Inside"},
                   {smExtUnpacked, -1, "Folder B"},
                   {smExtPacked, 1, "File C"}};
  const struct {
    TacSkinTypes Type;
    std::vector<TacSkinName> Names;
  } cases[] = {
      {stUnpacked, {{"File A", 0}, {"Folder B", -1}, {"File C", 1}}},
      {stPacked, {{"Inside", -1}}},
      {stAllSkins, {{"File A", 0}, {"Inside", -1}, {"Folder B", -1}, {"File C", 1}}},
  };
  for (const auto& c : cases) EXPECT_EQ(SelectSkinNames(list, c.Type), c.Names) << c.Type;
}

}  // namespace
}  // namespace ac
