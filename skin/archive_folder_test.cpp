#include "skin/archive_folder.h"

#include <gtest/gtest.h>

#include <map>

#include "core/errors.h"
#include "skin/archive_file.h"
#include "skin/archive_reader.h"
#include "skin/archive_test_support.h"
#include "skin/skin_convertor.h"

namespace ac {
namespace {

using test::Bytes;
using test::BytesOf;
namespace fs = std::filesystem;

std::map<std::string, Bytes> FilesIn(const fs::path& dir) {
  std::map<std::string, Bytes> files;
  for (const auto& item : fs::directory_iterator(dir))
    files[PathToUtf8(item.path().filename())] = LoadArchiveFile(item.path());
  return files;
}

void Write(const fs::path& file, const Bytes& bytes) {
  ASSERT_TRUE(SaveArchiveFile(file, bytes));
}

Bytes Pack(const fs::path& dir) {
  std::vector<std::string> skipped;
  return WriteSkinArchive(CollectSkinFolder(dir, skipped));
}

// What reading an archive gives the engine.
struct TRead {
  std::optional<Bytes> Options;
  std::vector<std::pair<std::string, Bytes>> Files;
  bool operator==(const TRead&) const = default;
};

TRead ReadBack(const Bytes& archive) {
  TacSkinConvertor sc;
  TRecordingSink sink;
  sc.PackedData = archive;
  EXPECT_TRUE(ReadSkinArchive(sc, sink));
  TRead read{sc.Options, {}};
  for (const auto& f : sc.Files) read.Files.emplace_back(f.Name, f.Stream);
  return read;
}

class ArchiveFolder : public testing::Test {
 protected:
  fs::path Sub(const char* name) const { return FFolder.Path() / name; }
  test::TTempFolder FFolder{"folder"};
};

TEST_F(ArchiveFolder, PacksUpperCaseNamesOptionsFirstThenSorted) {
  fs::create_directories(Sub("src") / "notes");
  Write(Sub("src") / "master copy.png", test::NoiseBytes(3000));
  Write(Sub("src") / "Options.dat", BytesOf("[FORM]"));
  Write(Sub("src") / "ButtonHuge.bmp", BytesOf("BM"));
  std::vector<std::string> skipped;
  const auto entries = CollectSkinFolder(Sub("src"), skipped);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].Name, "OPTIONS.DAT");
  EXPECT_EQ(entries[1].Name, "BUTTONHUGE.BMP");
  EXPECT_EQ(entries[2].Name, "MASTER COPY.PNG");
  EXPECT_EQ(entries[0].Data, BytesOf("[FORM]"));
  EXPECT_EQ(skipped, std::vector<std::string>{"notes"});
}

TEST_F(ArchiveFolder, PackThenUnpackGivesTheSameFiles) {
  const std::map<std::string, Bytes> files = {{"OPTIONS.DAT", BytesOf("[FORM]\r\n")},
                                              {"A.BMP", test::NoiseBytes(150000)},
                                              {"EMPTY.PNG", {}},
                                              {"Z.TTF", Bytes(40000, 1)}};
  fs::create_directories(Sub("src"));
  for (const auto& [name, bytes] : files) Write(Sub("src") / name, bytes);
  const Bytes archive = Pack(Sub("src"));
  std::vector<std::string> skipped;
  EXPECT_EQ(UnpackSkinArchive(archive, Sub("out"), skipped), 4);
  EXPECT_TRUE(skipped.empty());
  EXPECT_EQ(FilesIn(Sub("out")), files);
}

TEST_F(ArchiveFolder, UnpackThenPackReadsBackTheSame) {
  // Names and order as pack writes them: the bytes come back too.
  const Bytes canonical = WriteSkinArchive(
      {{"OPTIONS.DAT", BytesOf("o")}, {"EXTBORD.PNG", test::NoiseBytes(999)}, {"GLOW.PNG", {}}},
      BytesOf("preview"));
  std::vector<std::string> skipped;
  UnpackSkinArchive(canonical, Sub("c"), skipped);
  const Bytes repacked = Pack(Sub("c"));
  EXPECT_EQ(ReadBack(repacked), ReadBack(canonical));
  EXPECT_EQ(repacked, WriteSkinArchive({{"OPTIONS.DAT", BytesOf("o")},
                                        {"EXTBORD.PNG", test::NoiseBytes(999)},
                                        {"GLOW.PNG", {}}}));

  // Lower-case names in another order read back under their canonical names.
  const Bytes loose = WriteSkinArchive({{"b.png", BytesOf("b")}, {"Options.dat", BytesOf("o")}});
  UnpackSkinArchive(loose, Sub("l"), skipped);
  const TRead read = ReadBack(Pack(Sub("l")));
  EXPECT_EQ(read.Options, BytesOf("o"));
  EXPECT_EQ(read.Files, (std::vector<std::pair<std::string, Bytes>>{{"B.PNG", BytesOf("b")}}));
}

TEST_F(ArchiveFolder, UnpackKeepsTheFirstOfNamesEqualInUpperCase) {
  const Bytes archive = WriteSkinArchive({{"Glow.png", BytesOf("1")}, {"GLOW.PNG", BytesOf("2")}});
  std::vector<std::string> skipped;
  EXPECT_EQ(UnpackSkinArchive(archive, Sub("out"), skipped), 1);
  EXPECT_EQ(skipped, std::vector<std::string>{"GLOW.PNG"});
  EXPECT_EQ(FilesIn(Sub("out")), (std::map<std::string, Bytes>{{"Glow.png", BytesOf("1")}}));
}

TEST_F(ArchiveFolder, UnpackRefusesNamesThatLeaveTheFolder) {
  for (const char* name :
       {"../evil.png", "..", ".", "", "sub/x.png", "sub\\x.png", "C:x.png", "/etc/x", "a\nb"}) {
    const Bytes archive = WriteSkinArchive({{"OPTIONS.DAT", BytesOf("o")}, {name, BytesOf("x")}});
    std::vector<std::string> skipped;
    EXPECT_THROW(UnpackSkinArchive(archive, Sub("out"), skipped), ESkinError) << name;
    EXPECT_FALSE(fs::exists(Sub("out"))) << name;
  }
  EXPECT_FALSE(fs::exists(FFolder.Path().parent_path() / "evil.png"));
}

TEST_F(ArchiveFolder, UnpackOfABrokenArchiveWritesNothing) {
  Bytes archive =
      WriteSkinArchive({{"OPTIONS.DAT", BytesOf("o")}, {"A.PNG", test::NoiseBytes(500)}});
  archive.resize(archive.size() - 20);
  std::vector<std::string> skipped;
  EXPECT_THROW(UnpackSkinArchive(archive, Sub("out"), skipped), ESkinError);
  EXPECT_FALSE(fs::exists(Sub("out")));
  EXPECT_THROW(UnpackSkinArchive(BytesOf("nope"), Sub("out"), skipped), ESkinError);
}

TEST_F(ArchiveFolder, PackRefusesNamesEqualInUpperCase) {
  fs::create_directories(Sub("src"));
  Write(Sub("src") / "a.png", BytesOf("1"));
  Write(Sub("src") / "A.PNG", BytesOf("2"));
  std::vector<std::string> skipped;
  // A file system that ignores letter case holds one file now.
  if (FilesIn(Sub("src")).size() == 2) {
    EXPECT_THROW(CollectSkinFolder(Sub("src"), skipped), ESkinError);
  }
  EXPECT_THROW(CollectSkinFolder(Sub("none"), skipped), ESkinError);
}

}  // namespace
}  // namespace ac
