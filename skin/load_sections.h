#pragma once
// LoadAllGeneralData: the section records of a skin for one resolution, with
// the manager's common sections merged over them and the two sections every
// skin must have.

#include <cstdint>
#include <vector>

#include "skin/options_file.h"
#include "skin/skin_data.h"
#include "skin/skin_data_reader.h"

namespace ac {

class TacSkinManagerCore;

// For each section of Common, the index its record takes in gd: the skin's
// section of the same name, or the next index after the skin's sections for
// one that the skin lacks (appended in order). Masks of common sections take
// these indexes, so that they belong to the record their keys were merged
// into.
std::vector<int32_t> CommonSectionIndexes(const TOptionsFile& skin, const TOptionsFile& common);

// How sizes of Sd's sections are scaled by the manager.
TacSectionScale SectionScaleOf(const TacSkinManagerCore& m, const TacSkinData& sd);

// Fills Sd.gd from the skin's sections in file order (GLOBALINFO included),
// merges the common sections, appends "TRANSPARENT" and "MAINCOLOR" when
// missing, and reads the GLOBALINFO numbers and outer effects of Sd. Masks
// must be loaded already (the glow margin scales only in a skin with masks).
// Throws EConvertError for a malformed gradient.
void LoadAllGeneralData(TacSkinManagerCore& m, TacSkinData& sd);

}  // namespace ac
