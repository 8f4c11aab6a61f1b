#pragma once
// The fonts a skin brings with it (GLOBALINFO "FontCount", "FontFile<n>",
// "FontName<n>", and the font files of an archive).

namespace ac {

class TacSkinManagerCore;

// The most "FontCount" entries that are looked at; a larger count is read as
// this many, so that a forged count cannot keep the loader busy.
inline constexpr int kMaxEmbeddedFonts = 256;

// Empties the manager's EmbeddedFonts and fills it from the active skin: for
// an archive, every font file (named by the "FontFile<n>" that matches its
// name exactly); for a skin folder, every "FontFile<n>" that exists (used as
// written, not joined to the skin's folder). Each font is added to the
// process as a private font.
void LoadEmbeddedFonts(TacSkinManagerCore& m);

}  // namespace ac
