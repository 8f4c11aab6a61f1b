#include "skin/skin_finder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "skin/archive_file.h"
#include "skin/load_test_support.h"

namespace ac {
namespace {

TEST(GetFullSkinDirectory, WindowsRules) {
  struct Case {
    const char* Dir;
    const char* Expected;
  };
  const char* app = "C:\\Prog\\Bin\\";
  for (const Case& c : {
           Case{"Skins", "C:\\Prog\\Bin\\Skins\\"},
           Case{"..\\Skins", "C:\\Prog\\Skins\\"},
           Case{"..", "C:\\Prog\\"},
           Case{".\\Skins", "C:\\Prog\\Bin\\Skins\\"},
           Case{"./Skins/", "C:\\Prog\\Bin\\Skins\\"},
           Case{".", "C:\\Prog\\Bin\\"},
           Case{"c:\\Skins", "c:\\Skins\\"},
           Case{"c:\\Skins\\", "c:\\Skins\\"},
           Case{"D:/Skins/", "D:/Skins\\"},
           Case{"\\\\server\\share", "\\\\server\\share\\"},
           Case{"D:", "D:\\"},
           Case{"Sub\\Dir", "C:\\Prog\\Bin\\Sub\\Dir\\"},
       })
    EXPECT_EQ(GetFullSkinDirectory(c.Dir, app, TPathStyle::Windows), c.Expected) << c.Dir;
  // The program's folder may come without its trailing separator.
  EXPECT_EQ(GetFullSkinDirectory("Skins", "C:\\Prog\\Bin", TPathStyle::Windows),
            "C:\\Prog\\Bin\\Skins\\");
  EXPECT_EQ(GetFullSkinDirectory("X", "", TPathStyle::Windows), "X:\\");
}

TEST(GetFullSkinDirectory, PosixAcceptsSlashes) {
  const char* app = "/opt/prog/bin/";
  EXPECT_EQ(GetFullSkinDirectory("Skins", app, TPathStyle::Posix), "/opt/prog/bin/Skins/");
  EXPECT_EQ(GetFullSkinDirectory("../Skins", app, TPathStyle::Posix), "/opt/prog/Skins/");
  EXPECT_EQ(GetFullSkinDirectory("..\\Skins", app, TPathStyle::Posix), "/opt/prog/Skins/");
  EXPECT_EQ(GetFullSkinDirectory("./Skins", app, TPathStyle::Posix), "/opt/prog/bin/Skins/");
  EXPECT_EQ(GetFullSkinDirectory("/srv/skins", app, TPathStyle::Posix), "/srv/skins/");
  EXPECT_EQ(GetFullSkinDirectory(".", "/opt/prog/bin", TPathStyle::Posix), "/opt/prog/bin/");
}

TEST(StripSkinArchiveExtension, AnyLetterCase) {
  EXPECT_EQ(StripSkinArchiveExtension("Velmora.ASZ"), "Velmora");
  EXPECT_EQ(StripSkinArchiveExtension("Velmora.aSz"), "Velmora");
  EXPECT_EQ(StripSkinArchiveExtension(".asz"), ".asz");
  EXPECT_EQ(StripSkinArchiveExtension("Velmora"), "Velmora");
}

// A scratch folder of skins next to a pretend program folder.
class SkinFinding : public ::testing::Test {
 protected:
  void SetUp() override {
    FRoot = std::filesystem::temp_directory_path() /
            ("skin_finding_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(FRoot);
    std::filesystem::create_directories(FRoot / "bin" / "Skins");
    T.M.ProgramFolder = PathToUtf8(FRoot / "bin");
    T.M.SkinDirectory = "Skins";
  }
  void TearDown() override { std::filesystem::remove_all(FRoot); }

  static std::string Options(std::string_view description) {
    return "[GLOBALINFO]\nDESCRIPTION=" + std::string(description) + "\n[BUTTON]\nCOLOR=1\n";
  }
  void WriteFolder(const std::string& name, std::string_view description) {
    std::filesystem::create_directories(Skins() / name);
    std::ofstream(Skins() / name / "Options.dat", std::ios::binary) << Options(description);
  }
  void WriteArchive(const std::string& name, const test::Bytes& bytes) {
    SaveArchiveFile(Skins() / (name + ".asz"), bytes);
  }
  std::filesystem::path Skins() const { return FRoot / "bin" / "Skins"; }
  std::string Loaded() const { return T.M.SkinCommonInfo.Description; }

  std::filesystem::path FRoot;
  test::TTestManager T;
};

TEST_F(SkinFinding, FolderThenArchiveThenInternalSkins) {
  WriteFolder("Foo", "folder");
  WriteArchive("Foo", test::PackSkin(Options("archive"), {}));
  T.AddInternal("Foo", test::PackSkin(Options("internal"), {}));

  ASSERT_TRUE(T.M.ChangeSkin("Foo"));
  EXPECT_EQ(Loaded(), "folder");
  EXPECT_FALSE(T.M.SkinIsPacked);
  EXPECT_EQ(T.M.SkinCommonInfo.SkinPath, PathToUtf8(Skins() / "Foo") + PathSeparator());

  std::filesystem::remove_all(Skins() / "Foo");
  ASSERT_TRUE(T.M.ChangeSkin("Foo.ASZ"));
  EXPECT_EQ(T.M.SkinName, "Foo");
  EXPECT_EQ(Loaded(), "archive");
  EXPECT_TRUE(T.M.SkinIsPacked);

  std::filesystem::remove(Skins() / "Foo.asz");
  ASSERT_TRUE(T.M.ChangeSkin("Foo"));
  EXPECT_EQ(Loaded(), "internal");
  EXPECT_EQ(T.M.SkinCommonInfo.SkinPath, "");
  EXPECT_TRUE(T.M.IsActive());
  EXPECT_TRUE(T.Sink.Entries.empty());
}

TEST_F(SkinFinding, InternalSkinsByExactNameElseTheFirst) {
  T.AddInternal("Alpha", test::PackSkin(Options("alpha"), {}));
  T.AddInternal("Beta", test::PackSkin(Options("beta"), {}));
  ASSERT_TRUE(T.M.ChangeSkin("Beta"));
  EXPECT_EQ(Loaded(), "beta");
  ASSERT_TRUE(T.M.ChangeSkin("beta"));
  EXPECT_EQ(Loaded(), "alpha");
  EXPECT_EQ(T.M.SkinName, "Alpha");
}

TEST_F(SkinFinding, NoSkinAtAllMakesTheManagerInactive) {
  EXPECT_FALSE(T.M.ChangeSkin("Nothing"));
  EXPECT_FALSE(T.M.Active);
  EXPECT_FALSE(T.M.IsActive());
  EXPECT_TRUE(T.Sink.Entries.empty());
}

TEST_F(SkinFinding, AnArchiveWithoutOptionsIsReported) {
  WriteArchive("Bare", WriteSkinArchive({{"A.BMP", {1, 2}}}));
  EXPECT_TRUE(T.M.ChangeSkin("Bare"));
  ASSERT_EQ(T.Sink.Entries.size(), 1u);
  EXPECT_EQ(T.Sink.Entries[0].Text,
            "Internal format error in the \"Bare\" skin. Please, update this skin to latest "
            "version.");
  EXPECT_FALSE(T.M.IsActive());
  EXPECT_FALSE(T.M.HasState(msSkinChanging));
}

TEST_F(SkinFinding, ABrokenArchiveRaisesItsErrorAndKeepsTheOldName) {
  T.M.SkinName = "Before";
  auto bytes = test::PackSkin(Options("x"), {});
  bytes.resize(bytes.size() - 5);
  WriteArchive("Broken", bytes);
  T.M.ChangeSkin("Broken");
  ASSERT_EQ(T.Sink.Entries.size(), 1u);
  EXPECT_EQ(T.Sink.Entries[0].Icon, TMessageIcon::Error);
  EXPECT_EQ(T.M.SkinName, "Before");
}

TEST_F(SkinFinding, PendingPreviewOptionsComeFirst) {
  WriteFolder("Foo", "folder");
  T.M.PreviewOptions = Options("preview");
  ASSERT_TRUE(T.M.ChangeSkin("Foo"));
  EXPECT_EQ(Loaded(), "preview");
}

#ifndef _WIN32
TEST_F(SkinFinding, FolderFilesAreFoundWhateverTheirLetterCase) {
  WriteFolder("Foo", "folder");
  test::TTestImage img(4, 4, 0xFF112233u);
  std::ofstream out(Skins() / "Foo" / "Master.bmp", std::ios::binary);
  const auto bmp = test::EncodeBmp(img, 24);
  out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  out.close();
  std::ofstream(Skins() / "Foo" / "Options.dat", std::ios::binary)
      << "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[BUTTON]\nCOLOR=1\n";
  ASSERT_TRUE(T.M.ChangeSkin("Foo"));
  EXPECT_EQ(T.M.MasterBitmap->Width, 4);
}
#endif

}  // namespace
}  // namespace ac
