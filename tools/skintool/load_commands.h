#pragma once
// The loaded skin as the engine holds it at a resolution: for "skintool info
// --ppi N" and for the load check of "skintool check".

#include <string>

namespace ac::skintool {

// Loads the skin folder or archive at Path for Ppi pixels per inch and prints
// its masks (with their resolutions, rescaled sizes and bitmaps), bitmap
// cache, sections, frame metrics and what loading noted. Returns the exit
// code: 1 when the skin could not be loaded, its load reported an error or
// left an image out.
int PrintLoadedSkin(const std::string& path, int ppi);

struct TLoadCheck {
  int Errors = 0;    // failed loads and images left out
  int Warnings = 0;  // what loading adjusted
};

// Loads the skin at 96, 120, 144 and 192 pixels per inch and prints a line
// for each load that fails or reports something.
TLoadCheck CheckSkinLoads(const std::string& path);

}  // namespace ac::skintool
