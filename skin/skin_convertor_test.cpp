#include "skin/skin_convertor.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "skin/archive_file.h"
#include "skin/archive_test_support.h"

namespace ac {
namespace {

using test::Bytes;
using test::BytesOf;
using test::TArchiveBuilder;

// Reads Archive the way the manager reads an internal skin: borrowed bytes.
struct TReadResult {
  bool Ok = false;
  TacSkinConvertor Sc;
  TRecordingSink Sink;
};

void Read(const Bytes& archive, TReadResult& r) {
  r.Sc.PackedData = archive;
  r.Ok = ReadSkinArchive(r.Sc, r.Sink);
}

std::vector<std::string> Names(const TacSkinConvertor& sc) {
  std::vector<std::string> names;
  for (const auto& f : sc.Files) names.push_back(f.Name);
  return names;
}

TEST(ReadSkinArchive, ReadsOptionsAndFilesInArchiveOrder) {
  const Bytes archive = TArchiveBuilder()
                            .Header(4)
                            .Entry("OPTIONS.DAT", "[FORM]\r\n")
                            .Entry("BUTTONHUGE.BMP", "BM..")
                            .Entry("Font.ttf", "font")
                            .Entry("MASTER COPY.PNG", test::NoiseBytes(5000))
                            .Build();
  TReadResult r;
  Read(archive, r);
  ASSERT_TRUE(r.Ok);
  EXPECT_TRUE(r.Sink.Entries.empty());
  ASSERT_TRUE(r.Sc.Options);
  EXPECT_EQ(*r.Sc.Options, BytesOf("[FORM]\r\n"));
  EXPECT_EQ(r.Sc.FileCount(), 3);
  EXPECT_EQ(Names(r.Sc),
            (std::vector<std::string>{"BUTTONHUGE.BMP", "Font.ttf", "MASTER COPY.PNG"}));
  EXPECT_EQ(r.Sc.Files[0].FileType, TacFileType::ftBmp);
  EXPECT_EQ(r.Sc.Files[1].FileType, TacFileType::ftFont);
  EXPECT_EQ(r.Sc.Files[2].FileType, TacFileType::ftOther);
  EXPECT_EQ(r.Sc.Files[2].Stream, test::NoiseBytes(5000));
  // The borrowed bytes are left to their owner.
  EXPECT_EQ(r.Sc.PackedData.data(), archive.data());
}

TEST(ReadSkinArchive, OptionsMatchInAnyCaseAndAnyPosition) {
  for (const char* name : {"OPTIONS.DAT", "Options.dat", "options.DAT"}) {
    for (int position = 0; position < 3; ++position) {
      TArchiveBuilder b;
      b.Header(3);
      for (int i = 0; i < 3; ++i)
        if (i == position)
          b.Entry(name, "opts");
        else
          b.Entry("IMG" + std::to_string(i) + ".PNG", "png");
      TReadResult r;
      Read(b.Build(), r);
      ASSERT_TRUE(r.Ok);
      ASSERT_TRUE(r.Sc.Options) << name << " at " << position;
      EXPECT_EQ(*r.Sc.Options, BytesOf("opts"));
      EXPECT_EQ(r.Sc.FileCount(), 2);
      EXPECT_EQ(r.Sc.FindFile(UpperCaseName(name)), nullptr);
    }
  }
}

TEST(ReadSkinArchive, SecondOptionsEntryReplacesTheFirst) {
  TReadResult r;
  Read(TArchiveBuilder()
           .Header(3)
           .Entry("OPTIONS.DAT", "first")
           .Entry("A.PNG", "a")
           .Entry("options.dat", "second")
           .Build(),
       r);
  ASSERT_TRUE(r.Ok && r.Sc.Options);
  EXPECT_EQ(*r.Sc.Options, BytesOf("second"));
  EXPECT_EQ(r.Sc.FileCount(), 1);
}

TEST(ReadSkinArchive, WithoutOptionsSucceedsWithOptionsNull) {
  TReadResult r;
  Read(TArchiveBuilder().Header(1).Entry("A.PNG", "a").Build(), r);
  EXPECT_TRUE(r.Ok);
  EXPECT_FALSE(r.Sc.Options);
  EXPECT_EQ(r.Sc.FileCount(), 1);

  TReadResult empty;
  Read(TArchiveBuilder().Header(0).Build(), empty);
  EXPECT_TRUE(empty.Ok);
  EXPECT_FALSE(empty.Sc.Options);
  EXPECT_EQ(empty.Sc.FileCount(), 0);
}

TEST(ReadSkinArchive, WrongMagicShowsTheErrorAndReturnsFalse) {
  for (const Bytes& data : {Bytes{}, BytesOf("ASz"), BytesOf("PK\x03\x04...."),
                            TArchiveBuilder().Text("aszf").U32(0).Build()}) {
    TReadResult r;
    r.Sc.Options = BytesOf("from an earlier skin");
    Read(data, r);
    EXPECT_FALSE(r.Ok);
    EXPECT_FALSE(r.Sc.Options);
    EXPECT_TRUE(r.Sc.Files.empty());
    ASSERT_EQ(r.Sink.Entries.size(), 1u);
    EXPECT_EQ(r.Sink.Entries[0].Text, "Loaded data is not a packed Velmora file");
    EXPECT_EQ(r.Sink.Entries[0].Icon, TMessageIcon::Error);
  }
}

TEST(ReadSkinArchive, TrailingBytesAndPreviewNeverDisturbReading) {
  const Bytes preview = BytesOf("\x89PNG\r\n\x1a\n fake");
  TArchiveBuilder b;
  b.Header(2).Entry("A.PNG", "a").Entry("OPTIONS.DAT", "o");
  for (const Bytes& tail : {TArchiveBuilder().Text("previewimg").U32(13).Raw(preview).Build(),
                            BytesOf("ASzf\x05\x00\x00\x00 garbage"), Bytes(70000, 0xFF)}) {
    Bytes archive = b.Build();
    archive.insert(archive.end(), tail.begin(), tail.end());
    TReadResult r;
    Read(archive, r);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(*r.Sc.Options, BytesOf("o"));
    EXPECT_EQ(Names(r.Sc), std::vector<std::string>{"A.PNG"});
  }
}

TEST(ReadSkinArchive, NamesDifferingOnlyInCaseFindTheFirst) {
  TReadResult r;
  Read(TArchiveBuilder()
           .Header(3)
           .Entry("Glow.png", "first")
           .Entry("GLOW.PNG", "second")
           .Entry("OPTIONS.DAT", "")
           .Build(),
       r);
  ASSERT_TRUE(r.Ok);
  const TacFileItem* found = r.Sc.FindFile("GLOW.PNG");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->Name, "Glow.png");
  EXPECT_EQ(found->Stream, BytesOf("first"));
  EXPECT_EQ(r.Sc.FindFile("MISSING.PNG"), nullptr);
}

struct BrokenCase {
  const char* Label;
  Bytes Archive;
  const char* Expected;  // part of the message
  friend void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.Label; }
};

class BrokenArchive : public testing::TestWithParam<BrokenCase> {};

// A broken archive raises an error that names the entry and leaves no part of
// the skin behind.
TEST_P(BrokenArchive, RaisesAnErrorNamingTheEntry) {
  TReadResult r;
  r.Sc.Options = BytesOf("from an earlier skin");
  r.Sc.PackedData = GetParam().Archive;
  try {
    ReadSkinArchive(r.Sc, r.Sink);
    ADD_FAILURE() << "no error";
  } catch (const ESkinError& e) {
    EXPECT_NE(std::string(e.what()).find(GetParam().Expected), std::string::npos) << e.what();
  }
  EXPECT_FALSE(r.Sc.Options);
  EXPECT_TRUE(r.Sc.Files.empty());
  EXPECT_TRUE(r.Sink.Entries.empty());
}

Bytes Corrupted() {
  Bytes archive = TArchiveBuilder().Header(1).Entry("MASTER.PNG", test::NoiseBytes(100)).Build();
  archive[8 + 4 + 10 + 4] = 0x77;  // zlib header of the stream
  return archive;
}

Bytes Truncated() {
  Bytes archive = TArchiveBuilder().Header(1).Entry("MASTER.PNG", test::NoiseBytes(1000)).Build();
  archive.resize(archive.size() - 10);
  return archive;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenArchive,
    testing::Values(
        BrokenCase{"HeaderCut", BytesOf("ASzf\x01\x00"), "ends inside its header"},
        BrokenCase{"NoEntries", TArchiveBuilder().Header(2).Entry("A.PNG", "a").Build(),
                   "entry 2: the archive ends before its name length"},
        BrokenCase{"NameLengthPastEnd", TArchiveBuilder().Header(1).U32(1000).Text("A.PNG").Build(),
                   "entry 1: name length 1000 runs past the end"},
        BrokenCase{"HugeNameLength", TArchiveBuilder().Header(1).U32(0xFFFFFFFF).Build(),
                   "entry 1: name length 4294967295 runs past the end"},
        BrokenCase{"SizePastEnd",
                   TArchiveBuilder().Header(1).U32(5).Text("A.PNG").Raw({1, 0}).Build(),
                   "\"A.PNG\": the archive ends before its unpacked size"},
        BrokenCase{"CorruptStream", Corrupted(), "\"MASTER.PNG\": corrupt zlib stream"},
        BrokenCase{"TruncatedStream", Truncated(), "\"MASTER.PNG\": the archive ends inside"},
        BrokenCase{"StreamShort",
                   TArchiveBuilder()
                       .Header(1)
                       .U32(5)
                       .Text("A.BMP")
                       .U32(100)
                       .Raw(test::Zlib(BytesOf("only this")))
                       .Build(),
                   "\"A.BMP\": the zlib stream ends after 9 of 100 bytes"},
        BrokenCase{"SizeNoInputCouldGive",
                   TArchiveBuilder()
                       .Header(1)
                       .U32(5)
                       .Text("A.BMP")
                       .U32(0xFFFFFFFF)
                       .Raw(test::Zlib(BytesOf("x")))
                       .Build(),
                   "\"A.BMP\": declared size of 4294967295 bytes"}),
    [](const auto& p) { return std::string(p.param.Label); });

TEST(ReadSkinArchive, ErrorInALaterEntryDropsTheEarlierOnes) {
  Bytes archive = TArchiveBuilder().Header(3).Entry("OPTIONS.DAT", "o").Entry("A.PNG", "a").Build();
  archive.push_back(0);  // the third entry's name length is cut
  TReadResult r;
  r.Sc.PackedData = archive;
  EXPECT_THROW(ReadSkinArchive(r.Sc, r.Sink), ESkinError);
  EXPECT_FALSE(r.Sc.Options);
  EXPECT_TRUE(r.Sc.Files.empty());
}

TEST(ReadSkinArchive, RereadingReplacesTheEarlierContent) {
  TReadResult r;
  Read(TArchiveBuilder().Header(2).Entry("OPTIONS.DAT", "1").Entry("A.PNG", "a").Build(), r);
  const Bytes second = TArchiveBuilder().Header(1).Entry("B.PNG", "b").Build();
  Read(second, r);
  ASSERT_TRUE(r.Ok);
  EXPECT_FALSE(r.Sc.Options);
  EXPECT_EQ(Names(r.Sc), std::vector<std::string>{"B.PNG"});
}

TEST(TacSkinConvertor, ClearEmptiesEverything) {
  TacSkinConvertor sc;
  sc.OwnPackedData(
      TArchiveBuilder().Header(2).Entry("OPTIONS.DAT", "1").Entry("A.PNG", "a").Build());
  TRecordingSink sink;
  ASSERT_TRUE(ReadSkinArchive(sc, sink));
  sc.Clear();
  EXPECT_FALSE(sc.Options);
  EXPECT_TRUE(sc.Files.empty());
  EXPECT_TRUE(sc.PackedData.empty());
  EXPECT_EQ(sc.FindFile("A.PNG"), nullptr);
}

TEST(ReadSkinArchiveFile, ReadsTheFileAndFreesThePackedBytes) {
  test::TTempFolder folder("convertor");
  const auto path = folder.Path() / "Skin.asz";
  const Bytes archive =
      TArchiveBuilder().Header(2).Entry("Options.dat", "o").Entry("A.PNG", "a").Build();
  ASSERT_TRUE(SaveArchiveFile(path, archive));

  TacSkinConvertor sc;
  sc.Files.push_back({"OLD.PNG", TacFileType::ftOther, {}});
  TRecordingSink sink;
  ASSERT_TRUE(ReadSkinArchiveFile(path, sc, sink));
  EXPECT_TRUE(sc.PackedData.empty());
  ASSERT_TRUE(sc.Options);
  EXPECT_EQ(*sc.Options, BytesOf("o"));
  EXPECT_EQ(Names(sc), std::vector<std::string>{"A.PNG"});
}

TEST(ReadSkinArchiveFile, MissingFileIsFalseWithoutMessage) {
  test::TTempFolder folder("convertor");
  TacSkinConvertor sc;
  TRecordingSink sink;
  EXPECT_FALSE(ReadSkinArchiveFile(folder.Path() / "none.asz", sc, sink));
  EXPECT_TRUE(sink.Entries.empty());
}

TEST(ReadSkinArchiveFile, WrongMagicShowsTheError) {
  test::TTempFolder folder("convertor");
  const auto path = folder.Path() / "Skin.asz";
  ASSERT_TRUE(SaveArchiveFile(path, BytesOf("not an archive")));
  TacSkinConvertor sc;
  TRecordingSink sink;
  EXPECT_FALSE(ReadSkinArchiveFile(path, sc, sink));
  ASSERT_EQ(sink.Entries.size(), 1u);
  EXPECT_EQ(sink.Entries[0].Text, "Loaded data is not a packed Velmora file");
  EXPECT_TRUE(sc.PackedData.empty());
}

TEST(FileTypeOf, ComparesTheExtensionInUpperCase) {
  const std::pair<const char*, TacFileType> cases[] = {
      {"A.BMP", TacFileType::ftBmp},           {"a.bmp", TacFileType::ftBmp},
      {"x.Ttf", TacFileType::ftFont},          {"X.OTF", TacFileType::ftFont},
      {"MASTER.PNG", TacFileType::ftOther},    {"P.JPG", TacFileType::ftOther},
      {"BMP", TacFileType::ftOther},           {"A.BMP.PNG", TacFileType::ftOther},
      {"DIR.BMP\\FILE", TacFileType::ftOther}, {"", TacFileType::ftOther},
  };
  for (const auto& [name, type] : cases) EXPECT_EQ(FileTypeOf(name), type) << name;
}

}  // namespace
}  // namespace ac
