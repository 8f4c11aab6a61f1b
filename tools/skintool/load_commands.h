#pragma once
// The loaded skin as the engine holds it at a resolution: for "skintool info
// --ppi N" and for the load check of "skintool check".

#include <string>

namespace ac::skintool {

// Loads the skin folder or archive at Path for Ppi pixels per inch and prints
// its masks (with their resolutions, rescaled sizes and bitmaps), bitmap
// cache, sections and frame metrics. Returns the exit code.
int PrintLoadedSkin(const std::string& path, int ppi);

// Loads the skin at 96, 120, 144 and 192 pixels per inch and prints a line
// for each load that fails or reports something. Returns the number of
// failed loads.
int CheckSkinLoads(const std::string& path);

}  // namespace ac::skintool
