#pragma once
// The loading order of one resolution: open the skin, load what all
// resolutions share once per activation, then masks, sections, indexes, frame
// metrics, palette and colour offsets, shadows, and tell the manager.

#include <string>

namespace ac {

class TacSkinManagerCore;
class TacSkinData;

// The version of the skin engine that skins are checked against.
inline constexpr const char* kEngineVersion = "16.16";

// The warning shown for a skin newer than the engine supports, the version
// with two decimals in the user's number format.
std::string VersionWarningText(double version);

// Runs the loading order for Sd. Returns false when the skin could not be
// opened (nothing is loaded then); throws on load errors.
bool LoadSkinResolution(TacSkinManagerCore& m, TacSkinData& sd);

// The master bitmap and SkinCommonInfo of the opened skin, then the version
// check. A missing master file leaves an empty master bitmap; one that cannot
// be decoded throws ESkinError.
void LoadSkinCommonData(TacSkinManagerCore& m);

}  // namespace ac
