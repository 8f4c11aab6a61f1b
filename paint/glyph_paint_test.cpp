#include "paint/glyph_paint.h"

#include <gtest/gtest.h>

#include "paint/mask_paint_test_support.h"
#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::Filled;
using test::Hex;
using test::MakeImage;

TEST(PaintSkinGlyph, StateFramesAndTheDisabledLook) {
  // Two 1 x 1 frames of a keyed glyph; the second is the key colour.
  test::TMaskFixture f =
      test::MakeMask(MakeImage(3, 1, {0xFF102030, 0xFF405060, 0x00FF00FF}), 3, 0, 0, 0, 0, 0, 0);
  TacSkinData sd(test::FakeManager(), 96);
  sd.ma.push_back(f.Mask);
  struct Case {
    int32_t Index, State;
    TEnabled Enabled;
    uint32_t Expected;
  };
  // State 9 shows the last frame (key: nothing); disabled mixes by 180:
  // (180 * (s - d) + d * 256) >> 8 over 0xFF808080.
  for (const Case c :
       {Case{0, 0, TEnabled::Yes, 0xFF102030}, Case{0, 1, TEnabled::Yes, 0xFF405060},
        Case{0, 9, TEnabled::Yes, 0xFF808080}, Case{0, 0, TEnabled::No, 0xFF313C47},
        Case{1, 0, TEnabled::Yes, 0xFF808080}, Case{-1, 0, TEnabled::Yes, 0xFF808080}}) {
    TsPixelImage dst = Filled(2, 2, 0xFF808080);
    PaintSkinGlyph(dst.View(), {1, 1}, TCacheInfo{}, sd, c.Index, c.State, c.Enabled);
    EXPECT_EQ(Hex(dst.View()), Hex(2, {0xFF808080, 0xFF808080, 0xFF808080, c.Expected}))
        << "index " << c.Index << " state " << c.State;
  }
}

}  // namespace
}  // namespace ac
