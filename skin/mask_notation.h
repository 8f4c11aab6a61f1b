#pragma once
// Mask references: the option values that name a skin image (a border frame, a
// texture, a glyph, a glow) and where it lies.
//
// Six notations exist. Each is first rewritten to the canonical notation, which
// begins with "&" and has fixed-width decimal fields:
//
//   pos  1     "&"
//        2-17  R: Left, Top, Right, Bottom (4 digits each, right/bottom exclusive)
//       18-33  band widths WL, WT, WR, WB (4 digits each)
//       34     ImageCount      35  MaskType      36  ImgType (above 4 reads 4)
//       37-38  DrawMode        39-44 reserved    45- file name (may be empty)
//
// Only the canonical form is interpreted, strictly: a fixed field that is not
// made of digits raises EConvertError.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/geometry.h"
#include "skin/skin_sections.h"

namespace ac {

struct TMaskReference {
  TRect R;  // inside the master bitmap; ignored when FileName is given
  int32_t WL = 0, WT = 0, WR = 0, WB = 0;
  int32_t ImageCount = 0;
  int32_t MaskType = 0;
  TacImgType ImgType = itisaBorder;
  int32_t DrawMode = 0;
  std::string FileName;  // empty: the rectangle R of the master bitmap

  friend bool operator==(const TMaskReference&, const TMaskReference&) = default;
};

// True when an option value (already upper case) is loaded as a mask: it
// begins with "!", "&", "@", "^" or "~", or it contains ".JPG" or ".BMP".
bool IsMaskValue(std::string_view upperValue);

// Rewrites Value (converted to upper case first) to the canonical notation.
// Never fails; a malformed value gives a canonical text that the strict parse
// rejects or that names a file which cannot be found.
std::string ToCanonicalMask(std::string_view value);

// Parses a canonical value. Section and Key only serve the error message,
// which names them with the value as written.
TMaskReference ParseCanonicalMask(std::string_view canonical, std::string_view section,
                                  std::string_view key, std::string_view written = {});

// ToCanonicalMask then ParseCanonicalMask.
TMaskReference ParseMaskValue(std::string_view value, std::string_view section,
                              std::string_view key);

// For a skin checker: the fields of a non-canonical value whose width does not
// fit its fixed position (which shifts every field after it), one text each.
std::vector<std::string> MaskNotationProblems(std::string_view value);

}  // namespace ac
