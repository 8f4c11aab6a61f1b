#include "pixels/blend_rows.h"

#include <algorithm>
#include <cwchar>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define AC_SSE2 1
#endif
#if AC_SSE2 && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define AC_AVX2 1
#endif

namespace ac::rows {

namespace {

inline uint32_t Ch(uint32_t p, int shift) {
  return (p >> shift) & 0xFFu;
}
inline uint32_t Load(const uint8_t* p) {
  return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
inline void Store(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}

// ---- The formulas, one pixel at a time: the tails, and everything elsewhere.

uint32_t BlendOverPixel(uint32_t sp, uint32_t dp, uint32_t opacity) {
  const uint32_t sa = sp >> 24;
  const uint32_t a = opacity == 255 ? sa : (sa * opacity) >> 8;
  const uint32_t da = dp >> 24;
  uint32_t out = std::max(da, ((a * a) + da * (256 - a)) >> 8) << 24;
  // ((s - d) * a + d * 256) equals s * a + d * (256 - a): never negative.
  for (int sh = 0; sh < 24; sh += 8) out |= ((Ch(sp, sh) * a + Ch(dp, sh) * (256 - a)) >> 8) << sh;
  return out;
}

uint32_t CrossFadePixel(uint32_t ap, uint32_t bp, uint32_t dp, int32_t w) {
  uint32_t out = dp & 0xFF000000u;
  for (int sh = 0; sh < 24; sh += 8) {
    const auto av = static_cast<int32_t>(Ch(ap, sh));
    const auto bv = static_cast<int32_t>(Ch(bp, sh));
    // >> on a negative int is arithmetic (C++20): it rounds toward minus
    // infinity; the byte wraps.
    const int32_t v = bv - ((w * (bv - av) + 255) >> 8);
    out |= (static_cast<uint32_t>(v) & 0xFFu) << sh;
  }
  return out;
}

uint32_t PremultiplyPixel(uint32_t p, bool limitBright) {
  const uint32_t a = p >> 24;
  const bool bright = limitBright && Ch(p, 0) > 244 && Ch(p, 8) > 244 && Ch(p, 16) > 244;
  uint32_t out = p & 0xFF000000u;
  for (int sh = 0; sh < 24; sh += 8) {
    uint32_t v = (Ch(p, sh) * a) >> 8;
    if (bright) v = std::min(v, 244u);
    out |= v << sh;
  }
  // Transparent white ($00FFFFFF) becomes 0 through the multiplication by its
  // alpha of 0, as the rule for it asks.
  return out;
}

#if AC_SSE2

// Two pixels of 16-bit lanes: B G R A B G R A.
inline __m128i Lo16(__m128i v) {
  return _mm_unpacklo_epi8(v, _mm_setzero_si128());
}
inline __m128i Hi16(__m128i v) {
  return _mm_unpackhi_epi8(v, _mm_setzero_si128());
}
inline __m128i AlphaEverywhere16(__m128i p) {
  p = _mm_shufflelo_epi16(p, _MM_SHUFFLE(3, 3, 3, 3));
  return _mm_shufflehi_epi16(p, _MM_SHUFFLE(3, 3, 3, 3));
}
inline __m128i Lanes16(uint16_t colour, uint16_t alpha) {
  return _mm_set_epi16(static_cast<short>(alpha), static_cast<short>(colour),
                       static_cast<short>(colour), static_cast<short>(colour),
                       static_cast<short>(alpha), static_cast<short>(colour),
                       static_cast<short>(colour), static_cast<short>(colour));
}
inline __m128i LoadU(const void* p) {
  return _mm_loadu_si128(static_cast<const __m128i*>(p));
}
inline void StoreU(void* p, __m128i v) {
  _mm_storeu_si128(static_cast<__m128i*>(p), v);
}

// Every sum below is two (or three) byte products whose weights add up to at
// most 256, so it stays below 65281 and 16-bit lanes hold it exactly.
template <bool kFull>
inline __m128i BlendOverHalf(__m128i s, __m128i d, __m128i opacity, __m128i alphaLane,
                             __m128i colourLane, __m128i k256) {
  __m128i a = AlphaEverywhere16(s);
  if (!kFull) {
    a = _mm_srli_epi16(_mm_mullo_epi16(a, opacity), 8);
    s = _mm_or_si128(_mm_and_si128(s, colourLane), _mm_and_si128(a, alphaLane));
  }
  const __m128i v = _mm_srli_epi16(
      _mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, _mm_sub_epi16(k256, a))), 8);
  // The alpha lane is kept at least at the destination's alpha.
  return _mm_max_epi16(v, _mm_and_si128(d, alphaLane));
}

template <bool kFull>
int32_t BlendOverSse2(uint8_t* d, const uint8_t* s, int32_t n, uint32_t opacity) {
  const __m128i op = _mm_set1_epi16(static_cast<short>(opacity));
  const __m128i alphaLane = Lanes16(0, 0xFFFF);
  const __m128i colourLane = Lanes16(0xFFFF, 0);
  const __m128i k256 = _mm_set1_epi16(256);
  int32_t x = 0;
  for (; x + 4 <= n; x += 4) {
    const __m128i sv = LoadU(s + 4 * x);
    const __m128i dv = LoadU(d + 4 * x);
    const __m128i lo = BlendOverHalf<kFull>(Lo16(sv), Lo16(dv), op, alphaLane, colourLane, k256);
    const __m128i hi = BlendOverHalf<kFull>(Hi16(sv), Hi16(dv), op, alphaLane, colourLane, k256);
    StoreU(d + 4 * x, _mm_packus_epi16(lo, hi));
  }
  return x;
}

// d := (d * keep + s * take) >> 8 with per-lane weights; N bytes, 16 at a time.
int32_t MixSse2(uint8_t* d, const uint8_t* s, int32_t n, __m128i keep, __m128i take) {
  int32_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m128i sv = LoadU(s + i);
    const __m128i dv = LoadU(d + i);
    const __m128i lo = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(Lo16(dv), keep), _mm_mullo_epi16(Lo16(sv), take)), 8);
    const __m128i hi = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(Hi16(dv), keep), _mm_mullo_epi16(Hi16(sv), take)), 8);
    StoreU(d + i, _mm_packus_epi16(lo, hi));
  }
  return i;
}

inline __m128i ComposeHalf(__m128i s, __m128i d, __m128i colourLane, __m128i k256) {
  const __m128i a = _mm_and_si128(AlphaEverywhere16(s), colourLane);
  return _mm_srli_epi16(
      _mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, _mm_sub_epi16(k256, a))), 8);
}

// b - ((w * (b - a) + 255) >> 8) with a flooring shift equals
// ((256 - w) * b + w * a) >> 8: b - floor(t / 256) = ceil((256 b - t) / 256) and
// ceil(n / 256) = floor((n + 255) / 256) for every integer n. The plain tail
// keeps the written formula; the tests hold the two together.
inline __m128i CrossFadeHalf(__m128i a, __m128i b, __m128i d, __m128i wa, __m128i wb,
                             __m128i keep) {
  return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(a, wa), _mm_mullo_epi16(b, wb)),
                                      _mm_mullo_epi16(d, keep)),
                        8);
}

inline __m128i CrossFadeMaskedHalf(__m128i a, __m128i b, __m128i d, __m128i m, __m128i colourLane,
                                   __m128i total, __m128i keep) {
  m = _mm_and_si128(m, colourLane);
  return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(a, m),
                                                    _mm_mullo_epi16(b, _mm_sub_epi16(total, m))),
                                      _mm_mullo_epi16(d, keep)),
                        8);
}

#endif  // AC_SSE2

#if AC_AVX2
// The keyed copies read two rows and write one for every pixel, so with 16-byte
// vectors they cannot keep pace with a plain copy; where the processor has
// AVX2 they take 32 bytes at a time. Asked once.
bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

__attribute__((target("avx2"))) int32_t CopyKeyedAvx2(uint32_t* d, const uint32_t* s,
                                                      const uint32_t* c, int32_t n, uint32_t key,
                                                      uint32_t orMask) {
  const __m256i k = _mm256_set1_epi32(static_cast<int>(key));
  const __m256i o = _mm256_set1_epi32(static_cast<int>(orMask));
  int32_t x = 0;
  for (; x + 8 <= n; x += 8) {
    const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + x));
    const __m256i cv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c + x));
    const __m256i eq = _mm256_cmpeq_epi32(sv, k);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + x),
                        _mm256_blendv_epi8(_mm256_or_si256(sv, o), cv, eq));
  }
  return x;
}
#endif  // AC_AVX2

}  // namespace

void BlendOver(uint8_t* d, const uint8_t* s, int32_t n, uint32_t opacity) {
  int32_t x = 0;
#if AC_SSE2
  x = opacity == 255 ? BlendOverSse2<true>(d, s, n, opacity)
                     : BlendOverSse2<false>(d, s, n, opacity);
#endif
  for (; x < n; ++x) Store(d + 4 * x, BlendOverPixel(Load(s + 4 * x), Load(d + 4 * x), opacity));
}

void MixBytes(uint8_t* d, const uint8_t* s, int32_t n, uint32_t w) {
  int32_t i = 0;
#if AC_SSE2
  i = MixSse2(d, s, n, _mm_set1_epi16(static_cast<short>(w)),
              _mm_set1_epi16(static_cast<short>(256 - w)));
#endif
  for (; i < n; ++i) d[i] = static_cast<uint8_t>((w * d[i] + (256 - w) * s[i]) >> 8);
}

void MixColour(uint8_t* d, const uint8_t* s, int32_t n, uint32_t w) {
  int32_t x = 0;
#if AC_SSE2
  // Weight 256 on the alpha lane keeps it: (256 * d + 0 * s) >> 8 = d.
  x = MixSse2(d, s, n * 4, Lanes16(static_cast<uint16_t>(w), 256),
              Lanes16(static_cast<uint16_t>(256 - w), 0)) /
      4;
#endif
  for (; x < n; ++x) {
    const uint32_t dp = Load(d + 4 * x);
    const uint32_t sp = Load(s + 4 * x);
    uint32_t out = dp & 0xFF000000u;
    // (Weight * (d - s) + s * 256) equals d * w + s * (256 - w).
    for (int sh = 0; sh < 24; sh += 8)
      out |= ((Ch(dp, sh) * w + Ch(sp, sh) * (256 - w)) >> 8) << sh;
    Store(d + 4 * x, out);
  }
}

void Compose(uint8_t* d, const uint8_t* s, int32_t n) {
  int32_t x = 0;
#if AC_SSE2
  const __m128i colourLane = Lanes16(0xFFFF, 0);
  const __m128i k256 = _mm_set1_epi16(256);
  for (; x + 4 <= n; x += 4) {
    const __m128i sv = LoadU(s + 4 * x);
    const __m128i dv = LoadU(d + 4 * x);
    StoreU(d + 4 * x, _mm_packus_epi16(ComposeHalf(Lo16(sv), Lo16(dv), colourLane, k256),
                                       ComposeHalf(Hi16(sv), Hi16(dv), colourLane, k256)));
  }
#endif
  for (; x < n; ++x) {
    const uint32_t dp = Load(d + 4 * x);
    const uint32_t sp = Load(s + 4 * x);
    const uint32_t a = sp >> 24;
    uint32_t out = dp & 0xFF000000u;
    for (int sh = 0; sh < 24; sh += 8)
      out |= ((Ch(sp, sh) * a + Ch(dp, sh) * (256 - a)) >> 8) << sh;
    Store(d + 4 * x, out);
  }
}

void CrossFade(uint8_t* d, const uint8_t* a, const uint8_t* b, int32_t n, uint32_t w) {
  int32_t x = 0;
#if AC_SSE2
  const __m128i wa = Lanes16(static_cast<uint16_t>(w), 0);
  const __m128i wb = Lanes16(static_cast<uint16_t>(256 - w), 0);
  const __m128i keep = Lanes16(0, 256);
  for (; x + 4 <= n; x += 4) {
    const __m128i av = LoadU(a + 4 * x);
    const __m128i bv = LoadU(b + 4 * x);
    const __m128i dv = LoadU(d + 4 * x);
    StoreU(d + 4 * x, _mm_packus_epi16(CrossFadeHalf(Lo16(av), Lo16(bv), Lo16(dv), wa, wb, keep),
                                       CrossFadeHalf(Hi16(av), Hi16(bv), Hi16(dv), wa, wb, keep)));
  }
#endif
  for (; x < n; ++x) {
    Store(d + 4 * x, CrossFadePixel(Load(a + 4 * x), Load(b + 4 * x), Load(d + 4 * x),
                                    static_cast<int32_t>(w)));
  }
}

void CrossFadeMasked(uint8_t* d, const uint8_t* a, const uint8_t* b, const uint8_t* m, int32_t n) {
  int32_t x = 0;
#if AC_SSE2
  const __m128i colourLane = Lanes16(0xFFFF, 0);
  const __m128i total = Lanes16(256, 0);
  const __m128i keep = Lanes16(0, 256);
  for (; x + 4 <= n; x += 4) {
    const __m128i av = LoadU(a + 4 * x);
    const __m128i bv = LoadU(b + 4 * x);
    const __m128i dv = LoadU(d + 4 * x);
    const __m128i mv = LoadU(m + 4 * x);
    StoreU(
        d + 4 * x,
        _mm_packus_epi16(
            CrossFadeMaskedHalf(Lo16(av), Lo16(bv), Lo16(dv), Lo16(mv), colourLane, total, keep),
            CrossFadeMaskedHalf(Hi16(av), Hi16(bv), Hi16(dv), Hi16(mv), colourLane, total, keep)));
  }
#endif
  for (; x < n; ++x) {
    const uint32_t ap = Load(a + 4 * x);
    const uint32_t bp = Load(b + 4 * x);
    const uint32_t mp = Load(m + 4 * x);
    uint32_t out = Load(d + 4 * x) & 0xFF000000u;
    for (int sh = 0; sh < 24; sh += 8) {
      // (a - b) * m + b * 256 equals a * m + b * (256 - m).
      out |= ((Ch(ap, sh) * Ch(mp, sh) + Ch(bp, sh) * (256 - Ch(mp, sh))) >> 8) << sh;
    }
    Store(d + 4 * x, out);
  }
}

void Premultiply(uint8_t* p, int32_t n, bool limitBright) {
  PremultiplyCopy(p, p, n, limitBright);
}

void PremultiplyCopy(uint8_t* d, const uint8_t* s, int32_t n, bool limitBright) {
  int32_t x = 0;
#if AC_SSE2
  const __m128i colourLane = Lanes16(0xFFFF, 0);
  const __m128i alpha256 = Lanes16(0, 256);
  const __m128i colour32 = _mm_set1_epi32(0x00FFFFFF);
  const __m128i over244 = _mm_set1_epi8(static_cast<char>(245));
  const __m128i cut = _mm_set1_epi32(0x000B0B0B);  // 255 - 244 on the colour bytes
  const __m128i ones = _mm_set1_epi32(-1);
  for (; x + 4 <= n; x += 4) {
    const __m128i v = LoadU(s + 4 * x);
    const __m128i lo = Lo16(v);
    const __m128i hi = Hi16(v);
    const __m128i mlo = _mm_or_si128(_mm_and_si128(AlphaEverywhere16(lo), colourLane), alpha256);
    const __m128i mhi = _mm_or_si128(_mm_and_si128(AlphaEverywhere16(hi), colourLane), alpha256);
    __m128i out = _mm_packus_epi16(_mm_srli_epi16(_mm_mullo_epi16(lo, mlo), 8),
                                   _mm_srli_epi16(_mm_mullo_epi16(hi, mhi), 8));
    if (limitBright) {
      // Bytes above 244 are those whose min with 245 is 245; a pixel is bright
      // when its three colour bytes are.
      const __m128i above = _mm_cmpeq_epi8(_mm_min_epu8(v, over244), over244);
      const __m128i bright = _mm_cmpeq_epi32(_mm_and_si128(above, colour32), colour32);
      out = _mm_min_epu8(out, _mm_xor_si128(ones, _mm_and_si128(bright, cut)));
    }
    StoreU(d + 4 * x, out);
  }
#endif
  for (; x < n; ++x) Store(d + 4 * x, PremultiplyPixel(Load(s + 4 * x), limitBright));
}

void CopyKeyed(uint32_t* d, const uint32_t* s, const uint32_t* c, int32_t n, uint32_t key,
               uint32_t orMask) {
  int32_t x = 0;
#if AC_AVX2
  if (HasAvx2()) x = CopyKeyedAvx2(d, s, c, n, key, orMask);
#endif
#if AC_SSE2
  const __m128i k = _mm_set1_epi32(static_cast<int>(key));
  const __m128i o = _mm_set1_epi32(static_cast<int>(orMask));
  for (; x + 4 <= n; x += 4) {
    const __m128i sv = LoadU(s + x);
    const __m128i cv = LoadU(c + x);
    const __m128i eq = _mm_cmpeq_epi32(sv, k);
    StoreU(d + x, _mm_or_si128(_mm_and_si128(eq, cv), _mm_andnot_si128(eq, _mm_or_si128(sv, o))));
  }
#endif
  for (; x < n; ++x) d[x] = s[x] == key ? c[x] : (s[x] | orMask);
}

void CopyKeyedFill(uint32_t* d, const uint32_t* s, int32_t n, uint32_t key, uint32_t fill) {
  int32_t x = 0;
#if AC_SSE2
  const __m128i k = _mm_set1_epi32(static_cast<int>(key));
  const __m128i f = _mm_set1_epi32(static_cast<int>(fill));
  for (; x + 4 <= n; x += 4) {
    const __m128i sv = LoadU(s + x);
    const __m128i eq = _mm_cmpeq_epi32(sv, k);
    StoreU(d + x, _mm_or_si128(_mm_and_si128(eq, f), _mm_andnot_si128(eq, sv)));
  }
#endif
  for (; x < n; ++x) d[x] = s[x] == key ? fill : s[x];
}

void Fill(uint32_t* d, int32_t n, uint32_t v) {
#if defined(__GLIBC__) && WCHAR_MAX > 0xFFFF
  // glibc's wide fill is a 32-bit fill tuned for each processor (aligned
  // stores as wide as it has); unaligned vector stores that split cache lines
  // make a hand-written loop slower at control sizes.
  if (n > 0) std::wmemset(reinterpret_cast<wchar_t*>(d), static_cast<wchar_t>(v), n);
  return;
#endif
  int32_t x = 0;
#if AC_SSE2
  const __m128i f = _mm_set1_epi32(static_cast<int>(v));
  for (; x + 16 <= n; x += 16) {
    StoreU(d + x, f);
    StoreU(d + x + 4, f);
    StoreU(d + x + 8, f);
    StoreU(d + x + 12, f);
  }
  for (; x + 4 <= n; x += 4) StoreU(d + x, f);
#endif
  for (; x < n; ++x) d[x] = v;
}

}  // namespace ac::rows
