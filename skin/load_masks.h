#pragma once
// LoadAllMasks: every mask of a skin for one resolution, each with its
// bitmap (a file, an area of the master bitmap, or a rescaled copy kept in the
// bitmap cache).

#include <string>
#include <string_view>
#include <unordered_map>

#include "skin/mask_notation.h"
#include "skin/skin_data.h"

namespace ac {

class TacSkinManagerCore;

// Frees Sd's bitmap cache, sets the palette's main colour and appends a mask
// for every mask key of the skin's sections and of the manager's common
// sections, choosing each key's resolution variant for Sd. Masks whose file
// is missing or cannot be decoded are left out (a file that cannot be decoded
// is noted in the manager's LoadNotes). Throws EConvertError for a malformed
// mask value and ELimitExceeded for an image beyond the size limit or the
// load's budget.
void LoadAllMasks(TacSkinManagerCore& m, TacSkinData& sd);

// A mask record from a parsed value, before it has its bitmap: MulPPi is
// MulPPI, DivPPI the resolution of the variant, Width and Height from R.
TsMaskData MaskFromReference(TacSkinManagerCore& m, const TMaskReference& ref,
                             std::string_view section, std::string_view key, int32_t skinIndex,
                             int32_t mulPPI, int32_t divPPI);

// Sd's bitmap cache (BmpArray) by what each bitmap was made from: a skin
// file, whatever spelling named it (TacSkinFileRef::Key), or an area of the
// master bitmap.
using TacBitmapCacheIndex = std::unordered_map<std::string, std::size_t>;

// How a mask is given its bitmap: while a resolution loads (into its cache,
// charging the load's budget, noting what is left out or adjusted), or on
// demand for one exact resolution (GetScaledMaskData: no cache, no budget).
struct TacMaskBitmapContext {
  TacSkinData* Sd = nullptr;
  TacBitmapCacheIndex* Cache = nullptr;
  bool Loading = false;
};

// Gives Md its bitmap: shared from the cache, decoded from its file, cut and
// rescaled out of the master bitmap, or left as an area of the master bitmap
// (clamped to it: an area reaching outside is noted and cut back). Returns
// false when Md names a file that is missing or cannot be decoded.
bool GiveMaskBitmap(TacSkinManagerCore& m, const TacMaskBitmapContext& context, TsMaskData& md,
                    std::string_view fileName);

// The resolution of a rescaled copy is limited, so the copy's mask smoothing
// follows the image kind: textures, glows and PNG glyphs are smoothed.
bool IsSmoothedImage(TacImgType type);

}  // namespace ac
