// The vector bodies of the row kernels against the formulas written out plainly,
// over random pixels and every remainder of four, so a vector shortcut can never
// change a byte.
#include "pixels/blend_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "pixels/pixel_buffer_test_support.h"

namespace ac {
namespace {

using test::TRandom;

uint32_t Ch(uint32_t p, int sh) {
  return (p >> sh) & 0xFF;
}
uint32_t Byte(int32_t v) {
  return static_cast<uint32_t>(v) & 0xFF;
}

// The formulas as written, each on one pixel.
uint32_t RefBlendOver(uint32_t d, uint32_t s, int32_t opacity) {
  const int32_t sa = static_cast<int32_t>(s >> 24);
  const int32_t a = opacity == 255 ? sa : (sa * opacity) >> 8;
  const int32_t da = static_cast<int32_t>(d >> 24);
  uint32_t out = Byte(std::max(da, ((a - da) * a + da * 256) >> 8)) << 24;
  for (int sh = 0; sh < 24; sh += 8) {
    const auto sv = static_cast<int32_t>(Ch(s, sh)), dv = static_cast<int32_t>(Ch(d, sh));
    out |= Byte(((sv - dv) * a + dv * 256) >> 8) << sh;
  }
  return out;
}
uint32_t RefMix(uint32_t d, uint32_t s, int32_t w, int lanes) {
  uint32_t out = lanes == 3 ? d & 0xFF000000u : 0;
  for (int sh = 0; sh < 8 * lanes; sh += 8) {
    const auto sv = static_cast<int32_t>(Ch(s, sh)), dv = static_cast<int32_t>(Ch(d, sh));
    out |= Byte((w * (dv - sv) + sv * 256) >> 8) << sh;
  }
  return out;
}
uint32_t RefCompose(uint32_t d, uint32_t s) {
  const auto a = static_cast<int32_t>(s >> 24);
  uint32_t out = d & 0xFF000000u;
  for (int sh = 0; sh < 24; sh += 8) {
    const auto sv = static_cast<int32_t>(Ch(s, sh)), dv = static_cast<int32_t>(Ch(d, sh));
    out |= Byte(((sv - dv) * a + dv * 256) >> 8) << sh;
  }
  return out;
}
uint32_t RefCrossFade(uint32_t d, uint32_t a, uint32_t b, int32_t w) {
  uint32_t out = d & 0xFF000000u;
  for (int sh = 0; sh < 24; sh += 8) {
    const auto av = static_cast<int32_t>(Ch(a, sh)), bv = static_cast<int32_t>(Ch(b, sh));
    const int32_t t = w * (bv - av) + 255;
    const int32_t fl = t >= 0 ? t / 256 : -((-t + 255) / 256);  // floor, spelled out
    out |= Byte(bv - fl) << sh;
  }
  return out;
}
uint32_t RefCrossFadeMasked(uint32_t d, uint32_t a, uint32_t b, uint32_t m) {
  uint32_t out = d & 0xFF000000u;
  for (int sh = 0; sh < 24; sh += 8) {
    const auto av = static_cast<int32_t>(Ch(a, sh)), bv = static_cast<int32_t>(Ch(b, sh));
    const auto mv = static_cast<int32_t>(Ch(m, sh));
    out |= Byte(((av - bv) * mv + bv * 256) >> 8) << sh;
  }
  return out;
}
uint32_t RefPremultiply(uint32_t p, bool limit) {
  if (p == 0x00FFFFFFu) return 0;
  const uint32_t a = p >> 24;
  const bool bright = limit && Ch(p, 0) > 244 && Ch(p, 8) > 244 && Ch(p, 16) > 244;
  uint32_t out = p & 0xFF000000u;
  for (int sh = 0; sh < 24; sh += 8) {
    uint32_t v = (Ch(p, sh) * a) >> 8;
    if (bright && v > 244) v = 244;
    out |= v << sh;
  }
  return out;
}

std::vector<uint32_t> Row(TRandom& r, int32_t n) {
  std::vector<uint32_t> v(static_cast<std::size_t>(n));
  for (uint32_t& p : v) p = r.Pixel();
  return v;
}
uint8_t* B(std::vector<uint32_t>& v) {
  return reinterpret_cast<uint8_t*>(v.data());
}
const uint8_t* B(const std::vector<uint32_t>& v) {
  return reinterpret_cast<const uint8_t*>(v.data());
}

TEST(RowKernels, MatchTheWrittenFormulasOnRandomPixels) {
  TRandom r;
  for (int32_t n = 1; n <= 37; ++n) {
    for (int round = 0; round < 20; ++round) {
      const auto w = static_cast<int32_t>(r.Next() % 256);
      const auto d0 = Row(r, n), s = Row(r, n), b = Row(r, n), m = Row(r, n);
      for (int32_t opacity : {255, w}) {
        auto d = d0;
        rows::BlendOver(B(d), B(s), n, static_cast<uint32_t>(opacity));
        for (int32_t i = 0; i < n; ++i) ASSERT_EQ(d[i], RefBlendOver(d0[i], s[i], opacity)) << n;
      }
      {
        auto d = d0;
        rows::MixBytes(B(d), B(s), n * 4, static_cast<uint32_t>(w));
        for (int32_t i = 0; i < n; ++i) ASSERT_EQ(d[i], RefMix(d0[i], s[i], w, 4)) << n;
      }
      {
        auto d = d0;
        rows::MixColour(B(d), B(s), n, static_cast<uint32_t>(w));
        for (int32_t i = 0; i < n; ++i) ASSERT_EQ(d[i], RefMix(d0[i], s[i], w, 3)) << n;
      }
      {
        auto d = d0;
        rows::Compose(B(d), B(s), n);
        for (int32_t i = 0; i < n; ++i) ASSERT_EQ(d[i], RefCompose(d0[i], s[i])) << n;
      }
      {
        auto d = d0;
        rows::CrossFade(B(d), B(s), B(b), n, static_cast<uint32_t>(w));
        for (int32_t i = 0; i < n; ++i) ASSERT_EQ(d[i], RefCrossFade(d0[i], s[i], b[i], w)) << n;
      }
      {
        auto d = d0;
        rows::CrossFadeMasked(B(d), B(s), B(b), B(m), n);
        for (int32_t i = 0; i < n; ++i) {
          ASSERT_EQ(d[i], RefCrossFadeMasked(d0[i], s[i], b[i], m[i])) << n;
        }
      }
      for (bool limit : {false, true}) {
        auto d = d0;
        d[0] = 0x00FFFFFF;
        if (n > 3) d[3] = 0x80F5FFF6;
        const auto before = d;
        rows::Premultiply(B(d), n, limit);
        for (int32_t i = 0; i < n; ++i) ASSERT_EQ(d[i], RefPremultiply(before[i], limit)) << n;
      }
      {
        auto d = d0;
        auto src = s;
        for (int32_t i = 0; i < n; i += 3) src[i] = 0x00FF00FF;
        rows::CopyKeyed(d.data(), src.data(), b.data(), n, 0x00FF00FF, 0xFF000000u);
        for (int32_t i = 0; i < n; ++i) {
          ASSERT_EQ(d[i], src[i] == 0x00FF00FFu ? b[i] : (src[i] | 0xFF000000u)) << n;
        }
      }
      {
        auto d = d0;
        auto src = s;
        for (int32_t i = 0; i < n; i += 3) src[i] = 0x00FF00FF;
        rows::CopyKeyedFill(d.data(), src.data(), n, 0x00FF00FF, m[0]);
        for (int32_t i = 0; i < n; ++i) ASSERT_EQ(d[i], src[i] == 0x00FF00FFu ? m[0] : src[i]) << n;
      }
      {
        // The pixel after the row stays as it was.
        auto d = d0;
        d.push_back(0x12345678u);
        rows::Fill(d.data(), n, b[0]);
        for (int32_t i = 0; i < n; ++i) ASSERT_EQ(d[i], b[0]) << n;
        ASSERT_EQ(d[n], 0x12345678u) << n;
      }
    }
  }
}

TEST(RowKernels, CrossFadeNeverWrapsAByte) {
  // Every a, b and weight: the written formula stays inside 0..255, so the
  // wrap it allows never changes a result.
  for (int32_t w = 0; w < 256; ++w) {
    for (int32_t a = 0; a < 256; a += 5) {
      for (int32_t b = 0; b < 256; b += 3) {
        const int32_t v = b - ((w * (b - a) + 255) >> 8);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 255);
        ASSERT_EQ(v, ((256 - w) * b + w * a) >> 8);
      }
    }
  }
}

}  // namespace
}  // namespace ac
