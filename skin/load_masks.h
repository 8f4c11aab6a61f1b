#pragma once
// LoadAllMasks: every mask of a skin for one resolution, each with its
// bitmap (a file, an area of the master bitmap, or a rescaled copy kept in the
// bitmap cache).

#include <string_view>

#include "skin/mask_notation.h"
#include "skin/skin_data.h"

namespace ac {

class TacSkinManagerCore;

// Frees Sd's bitmap cache, sets the palette's main colour and appends a mask
// for every mask key of the skin's sections and of the manager's common
// sections, choosing each key's resolution variant for Sd. Masks whose file
// is missing or cannot be decoded are left out. Throws EConvertError for a
// malformed mask value and ESkinError for an image beyond the size limit.
void LoadAllMasks(TacSkinManagerCore& m, TacSkinData& sd);

// A mask record from a parsed value, before it has its bitmap: MulPPi is
// MulPPI, DivPPI the resolution of the variant, Width and Height from R.
TsMaskData MaskFromReference(TacSkinManagerCore& m, const TMaskReference& ref,
                             std::string_view section, std::string_view key, int32_t skinIndex,
                             int32_t mulPPI, int32_t divPPI);

enum class TUseBitmapCache { No, Yes };

// Gives Md its bitmap: shared from Sd's cache, decoded from its file, cut and
// rescaled out of the master bitmap, or left as an area of the master bitmap.
// Returns false when Md names a file that is missing or cannot be decoded.
bool GiveMaskBitmap(TacSkinManagerCore& m, TacSkinData* sd, TsMaskData& md,
                    std::string_view fileName, TUseBitmapCache cache);

// The resolution of a rescaled copy is limited, so the copy's mask smoothing
// follows the image kind: textures, glows and PNG glyphs are smoothed.
bool IsSmoothedImage(TacImgType type);

}  // namespace ac
