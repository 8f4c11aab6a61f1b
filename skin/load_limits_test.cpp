// What keeps a forged skin from taking the machine: parent chains answered
// in linear time (checked against the plain walk), hashed lookups that
// follow appended masks, and the budgets of one skin load.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/errors.h"
#include "skin/archive_file.h"
#include "skin/archive_test_support.h"
#include "skin/load_budget.h"
#include "skin/load_test_support.h"
#include "skin/option_values.h"
#include "skin/skin_convertor.h"
#include "skin/skin_data_lookup.h"

namespace ac {
namespace {

using test::Canon;
using test::EncodeBmp;
using test::TTestImage;

// The first section up the chain (the plain walk, visited sections ending
// it) whose value of Key passes Holds; -1 when none.
template <typename Holds>
std::pair<int, std::size_t> WalkedHolder(const TOptionsFile& f, std::string_view section,
                                         Holds holds) {
  const TParentChain chain = ResolveParentChain(f, section);
  for (std::size_t d = 0; d < chain.Sections.size(); ++d)
    if (holds(*chain.Sections[d])) return {f.IndexOf(chain.Sections[d]->Name()), d};
  return {-1, 0};
}

// Parent links of every shape (deep chains, cycles, chains into cycles,
// sections naming themselves or nothing) from a fixed generator; every
// section's inherited reading must match the plain walk.
TEST(ParentChains, InheritedReadingMatchesThePlainWalk) {
  uint32_t seed = 12345;
  auto next = [&] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % 1000;
  };
  for (int round = 0; round < 60; ++round) {
    const int n = 5 + static_cast<int>(next() % 40);
    std::string text;
    for (int i = 0; i < n; ++i) {
      text += "[S" + std::to_string(i) + "]\n";
      // Every third round a long chain, every third a long cycle with a
      // tail, the rest at random: walks longer than the few links taken
      // without the kept answers.
      const unsigned shape = round % 3 == 2 ? next() % 10 : 0;
      const int parent = round % 3 == 0   ? i + 1
                         : round % 3 == 1 ? (i < 3 ? i + 1 : 3 + (i - 2) % (n - 3 > 0 ? n - 3 : 1))
                                          : static_cast<int>(next() % n);
      if (shape < 6 && parent < n)
        text += "PARENTCLASS=S" + std::to_string(parent) + "\n";
      else if (shape == 6)
        text += "PARENTCLASS=S" + std::to_string(i) + "\n";
      else if (shape == 7)
        text += "PARENTCLASS=NOWHERE\n";
      if (next() % 9 == 0)
        text += "N=" + std::to_string(i) + "\n";
      else if (next() % 5 == 0)
        text += "N=not a number\n";
      if (next() % 7 == 0) text += "T=\n";
    }
    const TOptionsFile f = TOptionsFile::FromText(text);
    // Asked in two orders, so that answers kept from earlier questions are
    // used from every side.
    for (int pass = 0; pass < 2; ++pass) {
      for (int k = 0; k < n; ++k) {
        const int i = pass == 0 ? k : n - 1 - k;
        const std::string name = "S" + std::to_string(i);
        const auto wantN = WalkedHolder(f, name, [](const TOptionSection& s) {
          auto v = s.Value("N");
          return v && ParseInteger(*v);
        });
        const auto gotN = ReadInheritedInteger(f, name, "N");
        ASSERT_EQ(gotN.has_value(), wantN.first >= 0) << text << name;
        if (gotN) {
          EXPECT_EQ(gotN->Value, wantN.first) << text << name;
          EXPECT_EQ(gotN->Depth, wantN.second) << text << name;
        }
        const auto wantT =
            WalkedHolder(f, name, [](const TOptionSection& s) { return s.Find("T") != nullptr; });
        const auto gotT = ReadInheritedText(f, name, "T");
        ASSERT_EQ(gotT.has_value(), wantT.first >= 0) << text << name;
        if (gotT) {
          EXPECT_EQ(gotT->Depth, wantT.second) << text << name;
        }
      }
    }
  }
}

TsGeneralData Section(const char* name, const char* parent) {
  TsGeneralData g;
  g.ClassName = name;
  g.ParentClass = parent;
  return g;
}

TsMaskData Mask(int32_t skinIndex, const char* section, const char* key) {
  TsMaskData m;
  m.SkinIndex = skinIndex;
  m.ClassName = section;
  m.PropertyName = key;
  return m;
}

// Masks appended after lookups were answered (the generated outer masks)
// are found by the sections below them, and only by those.
TEST(SkinLookups, MasksAppendedAfterALookupAreFound) {
  TacSkinData sd(nullptr, 96);
  sd.gd = {Section("A", ""), Section("B", "A"), Section("C", "B"), Section("X", "Y"),
           Section("Y", "X")};
  sd.ma = {Mask(0, "A", "PATTERN")};
  for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(GetMaskIndex(sd, i, "OUTERMASK"), -1);
  sd.ma.reserve(8);  // appended in place, as loading appends
  sd.ma.push_back(Mask(1, "B", "OUTERMASK"));
  EXPECT_EQ(GetMaskIndex(sd, 2, "OUTERMASK"), 1);
  EXPECT_EQ(GetMaskIndex(sd, 1, "OUTERMASK"), 1);
  EXPECT_EQ(GetMaskIndex(sd, 0, "OUTERMASK"), -1);
  sd.ma.push_back(Mask(0, "A", "OUTERMASK"));
  EXPECT_EQ(GetMaskIndex(sd, 2, "OUTERMASK"), 1);  // B's stays nearer
  EXPECT_EQ(GetMaskIndex(sd, 0, "OUTERMASK"), 2);
  sd.ma.push_back(Mask(4, "Y", "OUTERMASK"));
  EXPECT_EQ(GetMaskIndex(sd, 3, "OUTERMASK"), 3);  // round the cycle
  EXPECT_EQ(GetMaskIndex(sd, 4, "OUTERMASK"), 3);
  // A whole new set of records is looked up afresh.
  sd.gd = {Section("C", ""), Section("B", "C")};
  sd.ma = {Mask(0, "C", "OUTERMASK")};
  EXPECT_EQ(GetSkinIndex(sd, "C"), 0);
  EXPECT_EQ(GetMaskIndex(sd, 1, "OUTERMASK"), 0);
  EXPECT_EQ(GetMaskIndex(sd, "C", "PATTERN"), -1);
}

TEST(LoadBudget, ChargesUntilTheLimitAndNamesIt) {
  TacLoadBudget b;
  b.MaxPixels = 1000;
  b.MaxBytes = 100;
  b.ChargePixels(30, 30, "first");
  b.ChargePixels(0, 5000, "nothing");
  EXPECT_EQ(b.PixelsUsed(), 900);
  try {
    b.ChargePixels(11, 10, "Skin image \"A.PNG\"");
    ADD_FAILURE();
  } catch (const ELimitExceeded& e) {
    EXPECT_STREQ(e.what(),
                 "Skin image \"A.PNG\" (11 x 10 pixels) would pass the limit of 1000 decoded "
                 "pixels for one skin load (900 taken already)");
  }
  b.ChargePixels(10, 10, "last");
  EXPECT_THROW(b.ChargePixels(1, 1, "one more"), ELimitExceeded);
  // Sides whose product does not fit 64 bits are refused, not wrapped.
  EXPECT_THROW(b.ChargePixels(INT64_MAX, INT64_MAX, "huge"), ELimitExceeded);
  b.ChargeBytes(100, "all");
  EXPECT_THROW(b.ChargeBytes(1, "more"), ELimitExceeded);
  b.Reset();
  EXPECT_EQ(b.PixelsUsed(), 0);
  EXPECT_EQ(b.BytesUsed(), 0u);
}

TEST(LoadBudget, ArchiveEntriesAreChargedBeforeTheyInflate) {
  const test::Bytes archive =
      WriteSkinArchive({{"OPTIONS.DAT", test::Bytes(10, 'x')}, {"BIG.BMP", test::Bytes(300, 0)}});
  TacSkinConvertor sc;
  TRecordingSink sink;
  sc.PackedData = archive;
  TacLoadBudget b;
  b.MaxBytes = 200;
  try {
    ReadSkinArchive(sc, sink, &b);
    ADD_FAILURE();
  } catch (const ELimitExceeded& e) {
    EXPECT_NE(std::string(e.what()).find("\"BIG.BMP\" (300 bytes unpacked) would pass the limit "
                                         "of 200 unpacked bytes"),
              std::string::npos)
        << e.what();
  }
  EXPECT_FALSE(sc.Options);
  EXPECT_TRUE(sc.Files.empty());
  b.Reset();
  b.MaxBytes = 310;
  EXPECT_TRUE(ReadSkinArchive(sc, sink, &b));
  EXPECT_EQ(b.BytesUsed(), 310u);
}

TEST(LoadBudget, ASkinPastItsPixelsIsRefusedWithTheLimitNamed) {
  test::TTestManager t;
  t.M.LoadBudget.MaxPixels = 1000;
  const std::string options = "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[BUTTON]\nCOLOR=1\n";
  EXPECT_TRUE(t.Load(options, {{"MASTER.BMP", EncodeBmp(TTestImage(48, 40, 0xFF808080u), 24)}}));
  EXPECT_FALSE(t.M.IsActive());
  ASSERT_EQ(t.Sink.Entries.size(), 1u);
  EXPECT_NE(t.Sink.Entries[0].Text.find("\"MASTER.BMP\" (48 x 40 pixels) would pass the limit of "
                                        "1000 decoded pixels for one skin load"),
            std::string::npos)
      << t.Sink.Entries[0].Text;
}

TEST(LoadBudget, TooManySectionsAreRefused) {
  std::string options = "[GLOBALINFO]\n";
  for (std::size_t i = 0; i < kMaxSkinSections; ++i) options += "[S" + std::to_string(i) + "]\n";
  test::TTestManager t;
  EXPECT_TRUE(t.Load(options));
  EXPECT_FALSE(t.M.IsActive());
  ASSERT_EQ(t.Sink.Entries.size(), 1u);
  EXPECT_EQ(t.Sink.Entries[0].Text,
            "The skin's options have 20001 sections, more than the limit of 20000 sections a "
            "skin may have");
}

// One file named through several spellings is decoded once, charged once and
// shared by every mask that names it.
TEST(ImageCache, SpellingsOfOneFileShareOneBitmap) {
  test::TTempFolder dir("spellings");
  const std::filesystem::path skin = dir.Path() / "Spelt";
  std::filesystem::create_directories(skin / "SUB");
  auto write = [](const std::filesystem::path& p, const test::Bytes& b) {
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  };
  write(skin / "MASTER.BMP", EncodeBmp(TTestImage(16, 16, 0xFF808080u), 24));
  write(skin / "TEX.BMP", EncodeBmp(TTestImage(8, 8, 0xFF102030u), 24));
  std::string options = "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n";
  const char* spellings[] = {"TEX.BMP", "tex.bmp", "./TEX.BMP", ".\\TEX.BMP", "SUB\\..\\TEX.BMP"};
  for (int i = 0; i < 5; ++i)
    options += "[P" + std::to_string(i) +
               "]\nPATTERN=" + Canon(TRect(), 0, 0, 0, 0, 1, 0, 1, 0, spellings[i]) + "\n";
  write(skin / "Options.dat", test::Bytes(options.begin(), options.end()));

  TRecordingSink sink;
  TacSkinManagerCore m(sink);
  m.SkinDirectory = PathToUtf8(dir.Path());
  ASSERT_TRUE(m.ChangeSkin("Spelt"));
  ASSERT_TRUE(m.IsActive());
  const TacSkinData& sd = m.CommonSkinData(96);
  ASSERT_EQ(sd.ma.size(), 5u);
  ASSERT_EQ(sd.BmpArray.size(), 1u);
  for (const TsMaskData& md : sd.ma) EXPECT_EQ(md.Bmp, sd.BmpArray[0].Bmp);
  EXPECT_EQ(m.LoadBudget.PixelsUsed(), 16 * 16 + 8 * 8);
}

TEST(ImageCache, AnImageThatCannotBeDecodedIsLeftOutAndNoted) {
  test::TTestManager t;
  const std::string options = "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[P]\nPATTERN=" +
                              Canon(TRect(), 0, 0, 0, 0, 1, 0, 1, 0, "BAD.BMP") + "\n";
  ASSERT_TRUE(t.Load(options, {{"MASTER.BMP", EncodeBmp(TTestImage(8, 8, 0xFF808080u), 24)},
                               {"BAD.BMP", {'B', 'M', 1, 2, 3}}}));
  EXPECT_TRUE(t.M.IsActive());
  EXPECT_TRUE(t.At(96).ma.empty());
  ASSERT_EQ(t.M.LoadNotes.size(), 1u);
  EXPECT_EQ(t.M.LoadNotes[0].Level, TacLoadNote::lnError);
  EXPECT_NE(t.M.LoadNotes[0].Text.find("mask \"P\" \"PATTERN\" is left out: Skin image "
                                       "\"BAD.BMP\": BMP image"),
            std::string::npos)
      << t.M.LoadNotes[0].Text;
}

TEST(ArchiveNames, LookupsFollowTheArchiveReadLast) {
  TacSkinConvertor sc;
  TRecordingSink sink;
  const test::Bytes first = WriteSkinArchive({{"A.PNG", {1}}, {"a.png", {2}}});
  sc.PackedData = first;
  ASSERT_TRUE(ReadSkinArchive(sc, sink));
  ASSERT_NE(sc.FindFile("A.PNG"), nullptr);
  EXPECT_EQ(sc.FindFile("A.PNG")->Stream, test::Bytes{1});  // the first of equal names
  const test::Bytes second = WriteSkinArchive({{"B.PNG", {3}}});
  sc.PackedData = second;
  ASSERT_TRUE(ReadSkinArchive(sc, sink));
  EXPECT_EQ(sc.FindFile("A.PNG"), nullptr);
  ASSERT_NE(sc.FindFile("B.PNG"), nullptr);
  EXPECT_EQ(sc.FindFile("B.PNG")->Stream, test::Bytes{3});
}

}  // namespace
}  // namespace ac
