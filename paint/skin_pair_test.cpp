// Velmora Light and Velmora Dark come from one generator and two themes: the
// same shapes in other colours. Tests that must know which of the two a
// window shows read it from the pixels, so every element the main window
// shows (window, panel, field, button states, frame with its shadow, caption
// buttons) has to look different in the two skins at every resolution, and
// the dark one darker.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/message_sink.h"
#include "paint/mask_paint.h"
#include "paint/section_paint.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_manager_core.h"

namespace ac {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kGrey = 0xFF808080u;  // the parent behind sections
// Two pixels differ visibly when a channel (alpha included) moves this much.
constexpr int32_t kVisible = 24;

enum class TSkin { Light, Dark };

const char* Folder(TSkin s) {
  return s == TSkin::Light ? "VelmoraLight" : "VelmoraDark";
}

int32_t Channel(uint32_t p, int32_t shift) {
  return static_cast<int32_t>((p >> shift) & 0xFFu);
}

int32_t Distance(uint32_t a, uint32_t b) {
  int32_t d = 0;
  for (int32_t shift : {0, 8, 16, 24})
    d = std::max(d, std::abs(Channel(a, shift) - Channel(b, shift)));
  return d;
}

// Luma of an opaque pixel, 0..255 (ITU-R BT.601 weights).
double Luma(uint32_t p) {
  return 0.299 * Channel(p, 16) + 0.587 * Channel(p, 8) + 0.114 * Channel(p, 0);
}

struct TComparison {
  int32_t Painted = 0;                 // pixels that count (see the callers)
  int32_t Different = 0;               // of those, the ones that differ visibly between the skins
  double LightLuma = 0, DarkLuma = 0;  // mean luma of the painted pixels
};

// Over an opaque parent a pixel counts where either skin left the parent.
bool LeftTheParent(uint32_t light, uint32_t dark) {
  return light != kGrey || dark != kGrey;
}

// In a layered image a pixel counts where either skin is mostly opaque: the
// faint outer shadow differs by a few alpha steps only, and is checked apart.
bool MostlyOpaque(uint32_t light, uint32_t dark) {
  return std::max(Channel(light, 24), Channel(dark, 24)) >= 128;
}

template <class Counts>
TComparison Compare(const TsPixelImage& light, const TsPixelImage& dark, Counts counts) {
  TComparison c;
  for (int32_t y = 0; y < light.Height(); ++y)
    for (int32_t x = 0; x < light.Width(); ++x) {
      const uint32_t a = light.View().At(x, y), b = dark.View().At(x, y);
      if (!counts(a, b)) continue;
      ++c.Painted;
      c.Different += Distance(a, b) >= kVisible ? 1 : 0;
      c.LightLuma += Luma(a);
      c.DarkLuma += Luma(b);
    }
  if (c.Painted > 0) {
    c.LightLuma /= c.Painted;
    c.DarkLuma /= c.Painted;
  }
  return c;
}

std::string Describe(const TComparison& c) {
  return std::to_string(c.Different) + " of " + std::to_string(c.Painted) +
         " painted pixels differ; mean luma light " + std::to_string(c.LightLuma) + ", dark " +
         std::to_string(c.DarkLuma);
}

class SkinPair : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (TSkin skin : {TSkin::Light, TSkin::Dark})
      for (int32_t ppi : {96, 192}) {
        auto& m = Managers().emplace_back(std::make_unique<TacSkinManagerCore>(Sink()));
        m->SkinDirectory = (fs::path(AC_SOURCE_DIR) / "skins").string();
        m->Scale.Mode = smVCL;
        m->Scale.ScreenPPI = ppi;
        m->ChangeSkin(Folder(skin));
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
  static const TacSkinData* Skin(TSkin skin, int32_t ppi) {
    TacSkinManagerCore& m = *Managers()[(skin == TSkin::Light ? 0 : 2) + (ppi == 96 ? 0 : 1)];
    return m.IsActive() ? &m.CommonSkinData(ppi) : nullptr;
  }

  // The section's state painted over an opaque grey parent.
  static TsPixelImage PaintSectionOnGrey(TSkin skin, int32_t ppi, const char* section,
                                         int32_t state) {
    const TacSkinData* sd = Skin(skin, ppi);
    const int32_t w = 120 * ppi / 96, h = 32 * ppi / 96;
    TsPixelImage parent(w, h);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) parent.View().At(x, y) = kGrey;
    TsPixelImage dst = parent;
    if (sd == nullptr) return dst;
    PaintSection(dst.View(), dst.View().Bounds(), *sd, GetSkinIndex(*sd, section), state,
                 MakeCacheInfo(parent.View(), 0, 0), {});
    return dst;
  }

  // A skin-wide image of GLOBALINFO painted as the layered frame windows
  // paint it, over nothing, at its own size grown by Grow on each side. The
  // centre is painted too: caption glyphs have no bands, so all of a glyph
  // is centre.
  static TsPixelImage PaintGlobalImage(TSkin skin, int32_t ppi, const char* key, int32_t state,
                                       int32_t grow) {
    const TacSkinData* sd = Skin(skin, ppi);
    if (sd == nullptr) return {};
    const int32_t i = GetMaskIndex(*sd, "GLOBALINFO", key);
    if (!IsValidImgIndex(*sd, i)) return {};
    TsMaskData whole = sd->ma[static_cast<std::size_t>(i)];
    whole.DrawMode |= DrawModeBits(TDrawModeBit::Centre);
    TsPixelImage dst(whole.Width + 2 * grow, whole.Height + 2 * grow);
    PaintMaskRectLayered(dst.View(), dst.View().Bounds(), whole, state, TCacheInfo{});
    return dst;
  }
};

TEST_F(SkinPair, BothSkinsLoadAtEveryResolution) {
  for (TSkin skin : {TSkin::Light, TSkin::Dark})
    for (int32_t ppi : {96, 192}) {
      const TacSkinData* sd = Skin(skin, ppi);
      ASSERT_NE(sd, nullptr) << Folder(skin) << " did not load at " << ppi;
      EXPECT_EQ(sd->PPI, ppi) << Folder(skin);
    }
  for (const auto& e : Sink().Entries) ADD_FAILURE() << "message while loading: " << e.Text;
}

struct TSectionCase {
  const char* Section;
  int32_t State;
};

TEST_F(SkinPair, SectionsDifferAndTheDarkOneIsDarker) {
  const TSectionCase cases[] = {
      {"MAINCOLOR", 0}, {"FORM", 0},   {"FORM", 1},   {"PANEL", 0},  {"EDIT", 0},
      {"EDIT", 1},      {"BUTTON", 0}, {"BUTTON", 1}, {"BUTTON", 2},
  };
  for (int32_t ppi : {96, 192})
    for (const TSectionCase& c : cases) {
      SCOPED_TRACE(std::string(c.Section) + " state " + std::to_string(c.State) + " at " +
                   std::to_string(ppi));
      const TComparison d =
          Compare(PaintSectionOnGrey(TSkin::Light, ppi, c.Section, c.State),
                  PaintSectionOnGrey(TSkin::Dark, ppi, c.Section, c.State), LeftTheParent);
      // Rounded corners show the parent in both skins; everything else differs.
      ASSERT_GT(d.Painted, 0);
      EXPECT_GE(d.Different * 10, d.Painted * 9) << Describe(d);
      EXPECT_GE(d.LightLuma - d.DarkLuma, 100.0) << Describe(d);
    }
}

struct TImageCase {
  const char* Key;
  int32_t State;
};

TEST_F(SkinPair, FrameAndCaptionButtonsDiffer) {
  // EXBORDER state 0 is the inactive window, 1 the active one; caption
  // buttons rest, hot and pressed.
  const TImageCase cases[] = {
      {"EXBORDER", 0},   {"EXBORDER", 1},     {"BICONCLOSE", 0}, {"BICONCLOSE", 1},
      {"BICONCLOSE", 2}, {"BICLOSEALONE", 1}, {"BICONMIN", 0},   {"BICONMIN", 1},
      {"BICONMAX", 0},   {"BICONMAX", 2},     {"BICONNORM", 0},  {"BICONHELP", 0},
  };
  for (int32_t ppi : {96, 192})
    for (const TImageCase& c : cases) {
      SCOPED_TRACE(std::string(c.Key) + " state " + std::to_string(c.State) + " at " +
                   std::to_string(ppi));
      const TsPixelImage light = PaintGlobalImage(TSkin::Light, ppi, c.Key, c.State, 0);
      const TsPixelImage dark = PaintGlobalImage(TSkin::Dark, ppi, c.Key, c.State, 0);
      ASSERT_FALSE(light.IsEmpty());
      // The two skins share their shapes, so the images have the same size.
      ASSERT_EQ(light.Width(), dark.Width());
      ASSERT_EQ(light.Height(), dark.Height());
      const TComparison d = Compare(light, dark, MostlyOpaque);
      ASSERT_GT(d.Painted, 0);
      EXPECT_GE(d.Different * 10, d.Painted * 9) << Describe(d);
    }
}

TEST_F(SkinPair, TheDarkWindowCastsTheDeeperShadow) {
  // Down the middle of the top shadow band the dark skin's shadow is nowhere
  // fainter and as a whole more opaque, in both activation states.
  for (int32_t ppi : {96, 192})
    for (int32_t state : {0, 1}) {
      SCOPED_TRACE("state " + std::to_string(state) + " at " + std::to_string(ppi));
      const TsPixelImage light = PaintGlobalImage(TSkin::Light, ppi, "EXBORDER", state, 40);
      const TsPixelImage dark = PaintGlobalImage(TSkin::Dark, ppi, "EXBORDER", state, 40);
      ASSERT_FALSE(light.IsEmpty());
      const int32_t shadow = Skin(TSkin::Light, ppi)->ExContentOffs;
      ASSERT_GT(shadow, 2);
      const int32_t x = light.Width() / 2;
      int32_t lightSum = 0, darkSum = 0;
      for (int32_t y = 0; y < shadow; ++y) {
        const int32_t a = Channel(light.View().At(x, y), 24);
        const int32_t b = Channel(dark.View().At(x, y), 24);
        EXPECT_GE(b, a) << "row " << y;
        lightSum += a;
        darkSum += b;
      }
      EXPECT_GE(darkSum * 10, lightSum * 13) << "light " << lightSum << ", dark " << darkSum;
    }
}

}  // namespace
}  // namespace ac
