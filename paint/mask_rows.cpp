#include "paint/mask_rows.h"

#include "paint/mask_paint_internal.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define AC_SSE2 1
#endif

namespace ac::mask_rows {

namespace {

#if AC_SSE2

// ((d - s) * m + s * 256) >> 8 equals (d * m + s * (256 - m)) >> 8: two byte
// products whose weights add up to 256, below 65536, so 16-bit lanes hold the
// sum exactly. The alpha lane takes weight 256 on D and 0 on S, which keeps D.
inline __m128i CombineHalf(__m128i d, __m128i s, __m128i m, __m128i total) {
  return _mm_srli_epi16(
      _mm_add_epi16(_mm_mullo_epi16(d, m), _mm_mullo_epi16(s, _mm_sub_epi16(total, m))), 8);
}

int32_t CombineKeyedSse2(uint32_t* d, const uint32_t* s, const uint32_t* m, int32_t n,
                         uint32_t key) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i k = _mm_set1_epi32(static_cast<int>(key));
  // The mask's alpha byte is replaced by 256 so that D's alpha comes through.
  const __m128i colourLane = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
  const __m128i alpha256 = _mm_set_epi16(256, 0, 0, 0, 256, 0, 0, 0);
  const __m128i total = _mm_set1_epi16(256);
  int32_t x = 0;
  for (; x + 4 <= n; x += 4) {
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + x));
    const __m128i keyed = _mm_cmpeq_epi32(sv, k);
    // Four key pixels: nothing to write (the usual case on a keyed border's
    // transparent run).
    if (_mm_movemask_epi8(keyed) == 0xFFFF) continue;
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + x));
    const __m128i mv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m + x));
    const __m128i mlo =
        _mm_or_si128(_mm_and_si128(_mm_unpacklo_epi8(mv, zero), colourLane), alpha256);
    const __m128i mhi =
        _mm_or_si128(_mm_and_si128(_mm_unpackhi_epi8(mv, zero), colourLane), alpha256);
    const __m128i lo =
        CombineHalf(_mm_unpacklo_epi8(dv, zero), _mm_unpacklo_epi8(sv, zero), mlo, total);
    const __m128i hi =
        CombineHalf(_mm_unpackhi_epi8(dv, zero), _mm_unpackhi_epi8(sv, zero), mhi, total);
    const __m128i out = _mm_packus_epi16(lo, hi);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x),
                     _mm_or_si128(_mm_and_si128(keyed, dv), _mm_andnot_si128(keyed, out)));
  }
  return x;
}

#endif  // AC_SSE2

}  // namespace

void CombineKeyed(uint32_t* d, const uint32_t* s, const uint32_t* m, int32_t n, uint32_t key) {
  int32_t x = 0;
#if AC_SSE2
  x = CombineKeyedSse2(d, s, m, n, key);
#endif
  for (; x < n; ++x)
    if (s[x] != key) d[x] = mask_detail::CombineThroughMask(d[x], s[x], m[x]);
}

}  // namespace ac::mask_rows
