#pragma once
// Row kernel of the masked combination that tiled edges and centres spend
// their time in. It produces exactly the bytes of CombineThroughMask; on
// x86-64 the bulk runs four pixels at a time in SSE2 and the rest, like every
// other platform, in plain code. Internal to paint/.

#include <cstdint>

namespace ac::mask_rows {

// For each of N pixels whose S is not Key: D := CombineThroughMask(D, S, M),
// that is colour bytes ((d - s) * m + s * 256) >> 8 with the mask byte of
// their own channel, alpha byte of D kept. Pixels whose S equals Key are left.
void CombineKeyed(uint32_t* d, const uint32_t* s, const uint32_t* m, int32_t n, uint32_t key);

}  // namespace ac::mask_rows
