// Whole sections of the Velmora Light skin painted over a checkerboard and
// compared exactly with the images in testdata/golden.
//
// The images are regenerated only on purpose, after a change that is meant
// to alter the pixels (in the engine or in the skin):
//
//   AC_UPDATE_GOLDEN=1 build/<dir>/paint/paint_tests --gtest_filter='SectionGolden*'
//
// On a mismatch the actual and expected images are written next to the test
// executable's working directory and their paths printed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/message_sink.h"
#include "paint/section_paint.h"
#include "pixels/image_codec.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_manager_core.h"

namespace ac {
namespace {

namespace fs = std::filesystem;

struct TGoldenCase {
  const char* File;
  const char* Section;
  int32_t State;
  int32_t Width, Height;
  int32_t PPI;
};

const TGoldenCase kCases[] = {
    {"button_normal_96", "BUTTON", 0, 120, 23, 96},  {"button_hot_96", "BUTTON", 1, 120, 23, 96},
    {"button_pressed_96", "BUTTON", 2, 120, 23, 96}, {"edit_normal_96", "EDIT", 0, 120, 23, 96},
    {"panel_normal_96", "PANEL", 0, 130, 50, 96},    {"form_normal_96", "FORM", 0, 160, 100, 96},
    {"button_hot_144", "BUTTON", 1, 180, 34, 144},
};

fs::path GoldenDir() {
  return fs::path(AC_SOURCE_DIR) / "testdata" / "golden";
}

std::vector<uint32_t> Render(const TacSkinData& sd, const TGoldenCase& c) {
  TsPixelImage parent(c.Width, c.Height);
  for (int32_t y = 0; y < c.Height; ++y)
    for (int32_t x = 0; x < c.Width; ++x)
      parent.View().At(x, y) = ((x / 8 + y / 8) % 2 == 0) ? 0xFFFFFFFFu : 0xFFCCCCCCu;
  TsPixelImage dst = parent;
  PaintSection(dst.View(), dst.View().Bounds(), sd, GetSkinIndex(sd, c.Section), c.State,
               MakeCacheInfo(parent.View(), 0, 0), {});
  std::vector<uint32_t> out;
  for (int32_t y = 0; y < c.Height; ++y)
    for (int32_t x = 0; x < c.Width; ++x) out.push_back(dst.View().At(x, y) | 0xFF000000u);
  return out;
}

#ifndef _WIN32
platform::TDecodedImage AsImage(const std::vector<uint32_t>& px, int32_t w, int32_t h) {
  platform::TDecodedImage img;
  img.Format = platform::TImageFormat::ifPng;
  img.Width = w;
  img.Height = h;
  for (uint32_t p : px) img.Pixels.push_back(TsPixel(p));
  return img;
}

void WritePng(const fs::path& path, const std::vector<uint32_t>& px, int32_t w, int32_t h) {
  const std::vector<uint8_t> bytes = platform::EncodePng(AsImage(px, w, h));
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}
#endif

class SectionGolden : public ::testing::TestWithParam<TGoldenCase> {
 protected:
  static void SetUpTestSuite() {
    for (int32_t ppi : {96, 144}) {
      auto& m = Managers().emplace_back(std::make_unique<TacSkinManagerCore>(Sink()));
      m->SkinDirectory = (fs::path(AC_SOURCE_DIR) / "skins").string();
      m->Scale.Mode = smVCL;
      m->Scale.ScreenPPI = ppi;
      m->ChangeSkin("VelmoraLight");
    }
  }
  static void TearDownTestSuite() { Managers().clear(); }
  static TRecordingSink& Sink() {
    static TRecordingSink sink;
    return sink;
  }
  static std::vector<std::unique_ptr<TacSkinManagerCore>>& Managers() {
    static std::vector<std::unique_ptr<TacSkinManagerCore>> m;
    return m;
  }
  static const TacSkinData* Skin(int32_t ppi) {
    TacSkinManagerCore& m = *Managers()[ppi == 96 ? 0 : 1];
    return m.IsActive() ? &m.CommonSkinData(ppi) : nullptr;
  }
};

TEST_P(SectionGolden, MatchesTheRecordedImage) {
  const TGoldenCase& c = GetParam();
  const TacSkinData* sd = Skin(c.PPI);
  ASSERT_NE(sd, nullptr) << "the skin did not load";
  ASSERT_GE(GetSkinIndex(*sd, c.Section), 0);
  const std::vector<uint32_t> actual = Render(*sd, c);
  const fs::path golden = GoldenDir() / (std::string(c.File) + ".png");
#ifndef _WIN32
  if (const char* up = std::getenv("AC_UPDATE_GOLDEN"); up != nullptr && std::string(up) == "1") {
    WritePng(golden, actual, c.Width, c.Height);
    GTEST_SKIP() << "rewrote " << golden;
  }
#endif
  std::ifstream in(golden, std::ios::binary);
  ASSERT_TRUE(in) << "missing " << golden << " (AC_UPDATE_GOLDEN=1 writes it)";
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  const platform::TDecodedImage want = platform::DecodeImage(bytes);
  ASSERT_EQ(want.Width, c.Width);
  ASSERT_EQ(want.Height, c.Height);
  std::vector<uint32_t> expected;
  for (const TsPixel& p : want.Pixels) expected.push_back(p.V);
  if (expected == actual) return;
  int32_t first = 0;
  while (expected[first] == actual[first]) ++first;
#ifndef _WIN32
  const fs::path a = fs::current_path() / (std::string(c.File) + ".actual.png");
  const fs::path e = fs::current_path() / (std::string(c.File) + ".expected.png");
  WritePng(a, actual, c.Width, c.Height);
  WritePng(e, expected, c.Width, c.Height);
  ADD_FAILURE() << "pixels differ from " << golden << ", first at (" << first % c.Width << ", "
                << first / c.Width << "); actual " << a << ", expected " << e;
#else
  ADD_FAILURE() << "pixels differ from " << golden << ", first at (" << first % c.Width << ", "
                << first / c.Width << ")";
#endif
}

INSTANTIATE_TEST_SUITE_P(VelmoraLight, SectionGolden, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.File); });

}  // namespace
}  // namespace ac
