#include "manager/ts_skin_manager.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/application_test_support.h"
#include "framework/component_reader.h"
#include "framework/form.h"
#include "framework/screen.h"
#include "skin/archive_writer.h"
#include "skin/skin_data_lookup.h"
#include "stream/dfm_text.h"

namespace ac {
namespace {

class TManagerForm : public TForm {
 public:
  using TForm::TForm;
  std::string_view ClassName() const override { return "TManagerForm"; }
};

std::vector<uint8_t> GoodArchive() {
  const std::string options = "[GLOBALINFO]\r\nVERSION=15.00\r\n[A]\r\nCOLOR=255\r\n";
  return WriteSkinArchive(
      {{"OPTIONS.DAT", {options.begin(), options.end()}}, {"MASTER.PNG", {1, 2, 3}}});
}

class SkinManagerTest : public ::testing::Test {
 protected:
  test::TTestApplication App;
  TRecordingSink Messages;
  // An application form, as the program's are: the manager's announcements
  // reach it.
  TManagerForm* Form = new TManagerForm(&App.App);

  // Reads a manager whose description holds Items (text of collection items)
  // and then SkinName.
  TsSkinManager* Read(const std::string& items, const std::string& skinName,
                      const std::vector<uint8_t>& data) {
    const std::string text = "object F: TManagerForm\n  object M: TsSkinManager\n" + items +
                             "    SkinName = '" + skinName + "'\n  end\nend\n";
    auto node = dfm::ParseText(text, [&](std::string_view) { return data; });
    // Messages go to the recording sink from the first property on.
    Form->ReadRoot = Form;
    TClassRegistry classes;
    classes.Register<TRecordingManager>("TsSkinManager");
    Sink = &Messages;
    ReadComponent(*Form, dfm::ReadBinary(dfm::WriteBinary(node)), classes);
    return dynamic_cast<TsSkinManager*>(Form->FindComponent("M"));
  }

  struct TRecordingManager : TsSkinManager {
    explicit TRecordingManager(TComponent* owner) : TsSkinManager(owner) { Messages = Sink; }
  };
  static inline TMessageSink* Sink = nullptr;
};

const char* kOneSkin = R"(    InternalSkins = <
      item
        Name = 'Velmora Light (internal)'
        Version = 15.0
        Author = 'Velmora'
        Data = {@skin}
        OriginName = 'Velmora Light.asz'
      end>
)";

TEST(SkinManagerDefaults, EverySettingStartsAtItsDefault) {
  test::TTestApplication app;
  TsSkinManager m(nullptr);
  EXPECT_TRUE(m.Active());
  EXPECT_TRUE(m.Effects.AllowGlowing);
  EXPECT_FALSE(m.ExtendedBorders);
  EXPECT_EQ(m.SkinDirectory, "c:\\Skins");
  EXPECT_EQ(m.AnimEffects.SkinChanging.Time, 100);
  EXPECT_EQ(m.AnimEffects.Minimizing.Time, 80);
  EXPECT_EQ(m.AnimEffects.BlendOnMoving.BlendValue, 170);
  EXPECT_EQ(m.MenuSupport.AlphaBlend, 254);
  EXPECT_EQ(m.ScrollsOptions.ScrollSize, -1);
  EXPECT_EQ(m.Options.ScaleMode, TacScaleMode::smVCL);
  EXPECT_EQ(m.Options.PixelsPerInch, 96);
  EXPECT_EQ(m.ThirdParty[1], "TButton");
  EXPECT_EQ(m.ThirdParty[0], " ");
  EXPECT_EQ(m.ThirdParty[22], " ");
  EXPECT_EQ(m.SkinInfo(), "N/A");
  EXPECT_EQ(TsSkinManager::DefaultManager(), &m);
  m.SetBrightness(150);
  EXPECT_EQ(m.Brightness(), 100);
}

TEST_F(SkinManagerTest, StoredSettingsAndTheInternalSkinAreRead) {
  const std::string settings = std::string(kOneSkin) +
                               "    Effects.AllowGlowing = False\n"
                               "    ExtendedBorders = True\n"
                               "    SkinDirectory = 'C:\\Skins10'\n"
                               "    SkinInfo = '8'\n"
                               "    ThirdParty.ThirdEdits = ' '\n"
                               "    AnimEffects.Buttons.Events = [beMouseEnter]\n";
  TsSkinManager* m = Read(settings, "Velmora Light (internal)", GoodArchive());
  ASSERT_NE(m, nullptr);
  EXPECT_FALSE(m->Effects.AllowGlowing);
  EXPECT_TRUE(m->ExtendedBorders);
  EXPECT_EQ(m->SkinDirectory, "C:\\Skins10");
  EXPECT_EQ(m->AnimEffects.Buttons.Events, 1u);
  ASSERT_EQ(m->InternalSkins.Count(), 1);
  EXPECT_EQ(m->InternalSkins[0].Version, 15.0);
  EXPECT_EQ(m->InternalSkins[0].OrigName, "Velmora Light.asz");
  EXPECT_EQ(m->InternalSkins[0].PackedData, GoodArchive());
  EXPECT_EQ(m->SkinName(), "Velmora Light (internal)");
  EXPECT_EQ(m->ActiveInternalSkin(), 0);
  EXPECT_TRUE(m->SkinIsPacked());
  EXPECT_TRUE(m->Convertor().Options.has_value());
  EXPECT_EQ(m->Convertor().FileCount(), 1);
  EXPECT_EQ(m->SkinInfo(), "15");
  // The model was loaded while the description was read.
  EXPECT_TRUE(m->IsActive());
  EXPECT_GE(GetSkinIndex(m->Core.CommonSkinData(96), "A"), 0);
  EXPECT_TRUE(Messages.Entries.empty());
}

TEST_F(SkinManagerTest, TheSkinIsAnnouncedToTheFormsWithTheManagerAsLParam) {
  std::vector<std::pair<WORD, LPARAM>> got;
  TWndMethod previous = Form->WindowProc;
  Form->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_SKINCMD) got.emplace_back(SkinCommandCode(m.WParam), m.LParam);
    if (IsSkinCommand(m, SKC_REFRESH)) {
      EXPECT_EQ(SkinCommandParam(m.WParam), 0) << "all sections";
    }
    previous(m);
  };
  TsSkinManager* m = Read(kOneSkin, "Velmora Light (internal)", GoodArchive());
  const auto manager = reinterpret_cast<LPARAM>(m);
  // Load completion: announced, not repainted; no skin picker needs the
  // skin list, so nothing builds it.
  using TGot = std::vector<std::pair<WORD, LPARAM>>;
  EXPECT_EQ(got, (TGot{{SKC_NEWSKIN, manager}}));

  got.clear();
  m->SetActive(false);
  EXPECT_EQ(got, (TGot{{SKC_REMOVESKIN, manager}}));

  got.clear();
  m->SetActive(true);
  EXPECT_EQ(got,
            (TGot{{SKC_NEWSKIN, manager}, {SKC_STOPANIMATIONS, manager}, {SKC_REFRESH, manager}}));

  // No skin under the name and no internal skins: the skin is removed.
  got.clear();
  m->InternalSkins.Clear();
  m->SetSkinName("Nowhere");
  EXPECT_EQ(got, (TGot{{SKC_REMOVESKIN, manager}}));
  EXPECT_FALSE(m->IsActive());
}

TEST_F(SkinManagerTest, UnderFrameworkScalingTheCustomResolutionStartsAtTheScreens) {
  // A stored custom resolution is replaced at load completion while the
  // framework does the scaling.
  TsSkinManager* m = Read("    Options.PixelsPerInch = 120\n", "", {});
  ASSERT_EQ(m->Options.ScaleMode, smVCL);
  EXPECT_EQ(m->Options.PixelsPerInch, Screen->PixelsPerInch());
  EXPECT_NE(m->Options.PixelsPerInch, 120);
}

TEST_F(SkinManagerTest, AnotherNameFallsBackToTheFirstInternalSkin) {
  TsSkinManager* m = Read(kOneSkin, "Missing.ASZ", GoodArchive());
  EXPECT_EQ(m->SkinName(), "Velmora Light (internal)");
  EXPECT_EQ(m->ActiveInternalSkin(), 0);
}

TEST_F(SkinManagerTest, ABrokenInternalSkinIsReportedAtStart) {
  std::vector<uint8_t> broken = GoodArchive();
  broken.resize(broken.size() - 6);  // the last zlib stream is cut short
  TsSkinManager* m = Read(kOneSkin, "Velmora Light (internal)", broken);
  ASSERT_EQ(Messages.Entries.size(), 1u);
  EXPECT_EQ(Messages.Entries[0].Icon, TMessageIcon::Error);
  EXPECT_EQ(m->SkinName(), "");  // the previous name is back
  EXPECT_EQ(m->ActiveInternalSkin(), -1);
  EXPECT_FALSE(m->IsActive());
  EXPECT_FALSE(m->Convertor().Options.has_value());
}

TEST_F(SkinManagerTest, DataThatIsNoArchiveIsReported) {
  TsSkinManager* m = Read(kOneSkin, "Velmora Light (internal)", {'N', 'O', 'P', 'E', 0, 0, 0, 0});
  ASSERT_EQ(Messages.Entries.size(), 1u);
  EXPECT_EQ(Messages.Entries[0].Text, "Loaded data is not a packed Velmora file");
  EXPECT_FALSE(m->Convertor().Options.has_value());
}

}  // namespace
}  // namespace ac
