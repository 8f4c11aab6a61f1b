// Loading faults a review found: each case below failed before its fix.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "skin/archive_file.h"
#include "skin/archive_test_support.h"
#include "skin/load_test_support.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_loader.h"
#include "system/system.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace ac {
namespace {

using test::Canon;
using test::EncodeBmp;
using test::TTestImage;
using test::TTestManager;

std::string Options(std::string_view globalInfo, std::string_view sections = {}) {
  return "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\nVERSION=15\n" + std::string(globalInfo) +
         "[BUTTON]\nCOLOR=255\n" + std::string(sections);
}

std::vector<test::TTestFile> Files() {
  return {{"MASTER.BMP", EncodeBmp(TTestImage(48, 40, 0xFF808080u), 24)}};
}

// ALIGNOFFSETR, ...T and ...B default to the ALIGNOFFSET the skin gives at
// the resolution, which is scaled once: 4 at 96 is 8 at 192 on every side.
TEST(LoadFaults, AlignOffsetsAreScaledOnce) {
  struct Case {
    const char* Keys;
    int Ppi;
    std::array<int32_t, 4> Want;  // ALIGNOFFSET, R, T, B
  };
  const Case cases[] = {
      {"ALIGNOFFSET=4\n", 96, {4, 4, 4, 4}},
      {"ALIGNOFFSET=4\n", 120, {5, 5, 5, 5}},
      {"ALIGNOFFSET=4\n", 144, {6, 6, 6, 6}},
      {"ALIGNOFFSET=4\n", 192, {8, 8, 8, 8}},
      {"ALIGNOFFSET=4\nALIGNOFFSETR=3\n", 192, {8, 6, 8, 8}},
      // A variant drawn for 192 is taken as it is, and so is its default.
      {"ALIGNOFFSET=4\nALIGNOFFSET*200=10\nALIGNOFFSETB=1\n", 192, {10, 10, 10, 2}},
      {"ALIGNOFFSET*200=10\n", 96, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    TTestManager t(c.Ppi);
    ASSERT_TRUE(t.Load(Options(c.Keys), Files()));
    const TacSkinData& sd = t.At(c.Ppi);
    EXPECT_EQ((std::array{sd.ExShadowOffs, sd.ExShadowOffsR, sd.ExShadowOffsT, sd.ExShadowOffsB}),
              c.Want)
        << c.Keys << " at " << c.Ppi;
  }
}

TEST(LoadFaults, InternalSkinWithoutOptionsIsNotActivated) {
  TTestManager t;
  t.AddInternal("Bare", WriteSkinArchive({{"MASTER.BMP", Files()[0].Data}}));
  t.M.ChangeSkin("Bare");
  EXPECT_FALSE(t.M.IsActive());
  EXPECT_TRUE(t.At(96).gd.empty());
  ASSERT_EQ(t.Sink.Entries.size(), 1u);
  EXPECT_EQ(t.Sink.Entries[0].Text,
            "Internal format error in the \"Bare\" skin. Please, update this skin to latest "
            "version.");
}

TEST(LoadFaults, ArchiveFileWithWrongMagicAlsoReportsTheFormatError) {
  test::TTempFolder folder("faults");
  std::ofstream(folder.Path() / "Broken.asz", std::ios::binary) << "ASzF not an archive";
  TRecordingSink sink;
  TacSkinManagerCore m(sink);
  m.SkinDirectory = PathToUtf8(folder.Path());
  m.ChangeSkin("Broken");
  EXPECT_FALSE(m.IsActive());
  ASSERT_EQ(sink.Entries.size(), 2u);
  EXPECT_EQ(sink.Entries[0].Text, "Loaded data is not a packed Velmora file");
  EXPECT_EQ(sink.Entries[1].Text,
            "Internal format error in the \"Broken\" skin. Please, update this skin to latest "
            "version.");
}

// Bytes the system takes as a font: the native stand-in takes any, Windows
// only a real font file (one the system or Wine ships).
std::optional<test::Bytes> FontFileBytes() {
#ifdef _WIN32
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  for (const std::filesystem::path& p :
       {std::filesystem::path(windows) / "Fonts" / "tahoma.ttf",
        std::filesystem::path("Z:\\usr\\share\\wine\\fonts\\tahoma.ttf")}) {
    std::ifstream in(p, std::ios::binary);
    if (in) return test::Bytes(std::istreambuf_iterator<char>(in), {});
  }
  return std::nullopt;
#else
  return test::Bytes{1, 2, 3};
#endif
}

TEST(LoadFaults, EmbeddedFontsLeaveWithTheSkin) {
  auto live = [] {
    const platform::TFontCounts c = platform::FontCounts();
    return c.Added - c.Removed;
  };
  const auto font = FontFileBytes();
  if (!font) GTEST_SKIP() << "no font file to add";
  const long before = live();
  std::string options = Options("FontCount=1\nFontFile0=FACE.TTF\nFontName0=Face\n");
  auto files = Files();
  files.push_back({"FACE.TTF", *font});
  {
    TTestManager t;
    ASSERT_TRUE(t.Load(options, files));
    ASSERT_EQ(t.M.EmbeddedFonts.size(), 1u);
    EXPECT_TRUE(t.M.EmbeddedFonts[0].Handle.Added());
    EXPECT_EQ(live(), before + 1);
    // Loading the skin again replaces its font instead of adding another.
    ASSERT_TRUE(t.M.ChangeSkin("Test"));
    EXPECT_EQ(live(), before + 1);
    // So does a skin without fonts, and unloading.
    t.AddInternal("Plain", test::PackSkin(Options(""), Files()));
    ASSERT_TRUE(t.M.ChangeSkin("Plain"));
    EXPECT_EQ(live(), before);
    ASSERT_TRUE(t.M.ChangeSkin("Test"));
    EXPECT_EQ(live(), before + 1);
    t.M.ClearSkinData();
    EXPECT_EQ(live(), before);
    ASSERT_TRUE(t.M.ChangeSkin("Test"));
  }
  // And the manager takes them with it.
  EXPECT_EQ(live(), before);
}

TEST(LoadFaults, VersionWarningShowsTwoDecimals) {
  EXPECT_NE(VersionWarningText(17.5).find("(v" + platform::FormatDecimal(17.5, 2) + ")"),
            std::string::npos);
#ifndef _WIN32
  EXPECT_EQ(platform::FormatDecimal(17.5, 2), "17.50");
#endif
}

#ifdef _WIN32
// The number is shown in the user's number format, whatever the C library
// thinks the decimal separator is.
TEST(LoadFaults, VersionWarningUsesTheUsersDecimalSeparator) {
  wchar_t saved[8] = {};
  ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved, 8), 0);
  ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L","));
  const std::string text = VersionWarningText(17.5);
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved);
  EXPECT_NE(text.find("(v17,50)"), std::string::npos) << text;
}
#endif

// A rectangle of the master bitmap that reaches outside it is cut back to
// the image, and a checker hears of it.
TEST(LoadFaults, MaskRectanglesOutsideTheMasterAreClamped) {
  struct Case {
    TRect Rect;
    TRect Want;
  };
  const Case cases[] = {
      {TRect::LTRB(0, 0, 24, 12), TRect::LTRB(0, 0, 24, 12)},      // inside: unchanged
      {TRect::LTRB(40, 30, 60, 50), TRect::LTRB(40, 30, 48, 40)},  // over two edges
      {TRect::LTRB(500, 500, 600, 600), TRect()},                  // wholly outside
  };
  for (const Case& c : cases) {
    TTestManager t;
    ASSERT_TRUE(t.Load(Options("", "BORDERSMASK=" + Canon(c.Rect, 3, 3, 3, 3, 1, 0, 0, 0) + "\n"),
                       Files()));
    const TacSkinData& sd = t.At(96);
    const int32_t i = GetMaskIndex(sd, GetSkinIndex(sd, "BUTTON"), "BORDERSMASK");
    ASSERT_GE(i, 0);
    const TsMaskData& md = sd.ma[static_cast<std::size_t>(i)];
    EXPECT_EQ(md.R, c.Want);
    EXPECT_EQ(md.Width, c.Want.Width());
    EXPECT_LE(md.WL + md.WR, std::max(0, md.Width - 1) + 3);
    const bool clamped = c.Want != c.Rect;
    ASSERT_EQ(t.M.LoadNotes.size(), clamped ? 1u : 0u);
    if (clamped) {
      EXPECT_EQ(t.M.LoadNotes[0].Level, TacLoadNote::lnWarning);
      EXPECT_NE(t.M.LoadNotes[0].Text.find("reaches outside the 48 x 40 master bitmap"),
                std::string::npos)
          << t.M.LoadNotes[0].Text;
    }
  }
}

}  // namespace
}  // namespace ac
