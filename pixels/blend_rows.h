#pragma once
// Row kernels of the hot blends, shared by the buffer operations. Each works on
// N pixels from the given row pointers and produces exactly the bytes of its
// formula; on x86-64 the bulk runs four pixels at a time in SSE2 and the rest,
// like every other platform, in plain code. Not for use outside pixels/.

#include <cstdint>

namespace ac::rows {

// d := BlendOver of s with effective alpha sA (Opacity 255) or (sA * Opacity) >> 8.
void BlendOver(uint8_t* d, const uint8_t* s, int32_t n, uint32_t opacity);
// All four bytes d := (w * d + (256 - w) * s) >> 8; N counts bytes.
void MixBytes(uint8_t* d, const uint8_t* s, int32_t n, uint32_t w);
// Colour bytes d := (w * d + (256 - w) * s) >> 8; alpha kept.
void MixColour(uint8_t* d, const uint8_t* s, int32_t n, uint32_t w);
// Colour bytes d := (s * sA + d * (256 - sA)) >> 8; alpha kept.
void Compose(uint8_t* d, const uint8_t* s, int32_t n);
// Colour bytes d := b - ((w * (b - a) + 255) >> 8), arithmetic shift; alpha kept.
void CrossFade(uint8_t* d, const uint8_t* a, const uint8_t* b, int32_t n, uint32_t w);
// Colour bytes d := (a * m + b * (256 - m)) >> 8 per channel; alpha kept.
void CrossFadeMasked(uint8_t* d, const uint8_t* a, const uint8_t* b, const uint8_t* m, int32_t n);
// Colour bytes := (ch * A) >> 8; with LimitBright a pixel whose colour bytes all
// exceeded 244 has each result held at 244.
void Premultiply(uint8_t* p, int32_t n, bool limitBright);
// The same from S into D in one pass (D may be S).
void PremultiplyCopy(uint8_t* d, const uint8_t* s, int32_t n, bool limitBright);
// d := (s == key) ? c : (s | orMask), 32-bit pixels. C may be D.
void CopyKeyed(uint32_t* d, const uint32_t* s, const uint32_t* c, int32_t n, uint32_t key,
               uint32_t orMask);
// d := (s == key) ? fill : s.
void CopyKeyedFill(uint32_t* d, const uint32_t* s, int32_t n, uint32_t key, uint32_t fill);
void Fill(uint32_t* d, int32_t n, uint32_t v);

}  // namespace ac::rows
