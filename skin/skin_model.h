#pragma once
// A skin as its options file describes it, read at 96 pixels per inch without
// any image: the sections with their states, the masks as the options give
// them, the skin-wide values and the palette. Tools show it; loading proper
// (images, rescaling, fixed indexes) builds on the same readers.

#include <string>
#include <vector>

#include "skin/mask_notation.h"
#include "skin/options_file.h"
#include "skin/palette.h"
#include "skin/skin_data.h"

namespace ac {

struct TSkinModelMask {
  std::string Section;
  std::string Key;
  std::string Value;      // upper case, the variant chosen at 96 pixels per inch
  std::string Canonical;  // the value in the "&" notation
  int32_t SkinIndex = -1;
  int32_t DivPPI = 96;  // the resolution of the variant
  TMaskReference Ref;
};

struct TSkinModel {
  TacSkinCommonInfo Common;
  TacSkinData Data{nullptr, 96};  // gd, ma (without bitmaps), oe and the GLOBALINFO numbers
  std::vector<TSkinModelMask> Masks;
  TacPalette Palette{};
};

// The option keys of Section that become masks, in file order: every key
// without "*" whose value (upper case, not empty) is a mask reference, except
// GLOBALINFO's "MASTERBITMAP".
std::vector<const TOptionKey*> MaskKeysOf(const TOptionSection& section);

// Reads the model. Throws EConvertError where loading the skin would: a
// malformed canonical mask field, a malformed gradient, a malformed 64-bit
// button colour.
TSkinModel ReadSkinModel(const TOptionsFile& file);

}  // namespace ac
