// The vector body of the masked-combination row kernel against the formula
// written out plainly, over random pixels, key pixels mixed in at every
// position, and every length through several vectors and remainders.
#include "paint/mask_rows.h"

#include <gtest/gtest.h>

#include <vector>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

constexpr uint32_t kKey = 0x00FF00FFu;

uint32_t Ch(uint32_t p, int sh) {
  return (p >> sh) & 0xFF;
}

// Colour bytes ((d - s) * m + s * 256) >> 8 by their own mask byte; alpha of D.
uint32_t RefCombine(uint32_t d, uint32_t s, uint32_t m) {
  uint32_t out = d & 0xFF000000u;
  for (int sh = 0; sh < 24; sh += 8) {
    const auto dv = static_cast<int32_t>(Ch(d, sh)), sv = static_cast<int32_t>(Ch(s, sh)),
               mv = static_cast<int32_t>(Ch(m, sh));
    out |= (static_cast<uint32_t>((dv - sv) * mv + sv * 256) >> 8) << sh;
  }
  return out;
}

using test::TRandom;

TEST(MaskRows, CombineKeyedMatchesTheFormulaAtEveryLength) {
  TRandom rnd(2024);
  for (int32_t n = 0; n <= 37; ++n) {
    for (int round = 0; round < 40; ++round) {
      std::vector<uint32_t> d(n), s(n), m(n);
      for (int32_t i = 0; i < n; ++i) {
        d[i] = rnd.Pixel();
        // About one in four a key pixel; in some rounds every pixel, so whole
        // vectors of keys are skipped too. A near-key (alpha set) must combine.
        const uint32_t r = rnd.Next() & 3;
        s[i] = round % 8 == 7 || r == 0 ? kKey : r == 1 ? 0xFFFF00FFu : rnd.Pixel();
        m[i] = rnd.Pixel();
      }
      std::vector<uint32_t> want(n);
      for (int32_t i = 0; i < n; ++i) want[i] = s[i] == kKey ? d[i] : RefCombine(d[i], s[i], m[i]);
      mask_rows::CombineKeyed(d.data(), s.data(), m.data(), n, kKey);
      for (int32_t i = 0; i < n; ++i)
        ASSERT_EQ(d[i], want[i]) << "n " << n << " round " << round << " pixel " << i;
    }
  }
}

TEST(MaskRows, CombineKeyedExtremesPerChannel) {
  // Each mask byte takes its own channel: 0 gives S, 255 keeps almost all of D.
  struct {
    uint32_t D, S, M, Want;
  } const cases[] = {
      {0x12FFFFFFu, 0x00000000u, 0x00000000u, 0x12000000u},  // alpha of D kept
      {0x12FFFFFFu, 0x00000000u, 0xFFFFFFFFu, 0x12FEFEFEu},
      {0x80000000u, 0xFFFFFFFFu, 0x00FF0000u, 0x8000FFFFu},
      {0xFF102030u, 0x00405060u, 0x00808080u, 0xFF283848u},
  };
  for (const auto& c : cases) {
    // Five pixels so one goes through the vector body and one the plain tail.
    std::vector<uint32_t> d(5, c.D), s(5, c.S), m(5, c.M);
    mask_rows::CombineKeyed(d.data(), s.data(), m.data(), 5, kKey);
    for (uint32_t v : d) EXPECT_EQ(v, c.Want) << std::hex << c.D << " " << c.S << " " << c.M;
  }
}

}  // namespace
}  // namespace ac
