#pragma once
// Readers for the values of a skin options file: numbers, colours, booleans,
// the version, texts, resolution variants of keys and inherited reading through
// "PARENTCLASS".
//
// Missing data is never an error: a reader answers nullopt (or the default it
// was given). The one exception is the 64-bit reader of the button colours,
// whose malformed values raise EConvertError.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/color.h"
#include "skin/options_file.h"

namespace ac {

// ---- Value grammar ----------------------------------------------------------

// Optional "-" and decimal digits, or hexadecimal digits after "$", "0x" or
// "0X" (at most 32 bits, read as a signed value: "$FFFFFFFF" is -1). Anything
// else, an empty text or a decimal out of the 32-bit range is nullopt.
std::optional<int32_t> ParseInteger(std::string_view text);
// Optional "-" and decimal digits within the 64-bit range; else nullopt.
std::optional<int64_t> ParseInt64(std::string_view text);
// The low 32 bits of a 64-bit value (4294967295 becomes -1).
constexpr int32_t TruncateTo32(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}
// Exactly "TRUE" or exactly "1".
bool ParseBoolean(std::string_view text);
// A decimal number with "." as the separator whatever the user's locale.
std::optional<double> ParseVersion(std::string_view text);

// ---- Plain readers (one section, no inheritance) ----------------------------

// Integer and colour keys: an absent key, an empty value and a text that is not
// a number all read as nullopt.
std::optional<int32_t> ReadInteger(const TOptionsFile& file, std::string_view section,
                                   std::string_view key);
int32_t ReadInteger(const TOptionsFile& file, std::string_view section, std::string_view key,
                    int32_t def);
inline TColor ReadColor(const TOptionsFile& file, std::string_view section, std::string_view key,
                        TColor def) {
  return ReadInteger(file, section, key, def);
}
// The button-colour reader: decimal 64-bit value truncated to 32 bits. Absent
// or empty reads Def; any other malformed text throws EConvertError naming the
// section, key and value.
int32_t ReadInt64Truncated(const TOptionsFile& file, std::string_view section, std::string_view key,
                           int32_t def);
// Present (even empty) values are read; absent keys give Def.
bool ReadBoolean(const TOptionsFile& file, std::string_view section, std::string_view key,
                 bool def);
std::string ReadText(const TOptionsFile& file, std::string_view section, std::string_view key,
                     std::string_view def = {});
double ReadVersion(const TOptionsFile& file, std::string_view section, std::string_view key,
                   double def);

// ---- Resolution steps and key variants --------------------------------------

inline constexpr int kStepCount = 4;
inline constexpr std::array<int, kStepCount> kStepPPI = {96, 120, 144, 192};
inline constexpr std::array<std::string_view, kStepCount> kStepSuffix = {"", "*125", "*150",
                                                                         "*200"};

// Up to 110 pixels per inch step 0, 111-134 step 1, 135-170 step 2, above 3.
int PpiToStep(int ppi);
// Key followed by the suffix of Step ("BICONMIN*200"); the plain key for 0.
std::string VariantKey(std::string_view key, int step);

// Value * Mul / Div rounded to the nearest integer, halves to even (the
// rounding the engine uses wherever a size is "rounded"). Div 0 gives Value.
int32_t MulDivRound(int32_t value, int32_t mul, int32_t div);

struct TVariantValue {
  std::string_view Value;
  int Step = 0;  // the resolution step whose key held the value
};

// The value an image key takes at resolution Ppi for an object of step Step:
// the first step whose resolution is not below Ppi, then the higher steps, then
// the lower ones; the first non-empty value wins.
std::optional<TVariantValue> FindImageVariant(const TOptionSection& section, std::string_view key,
                                              int ppi, int step);

// The scaled reader of GLOBALINFO numbers, not tied to a mask: the key of Step
// if present (times CustomPPI / 96 when CustomPPI is given, i.e. the custom
// resolution mode with a resolution below 96); else at step 0 Def unscaled;
// else the plain key (default Def) times Ppi / 96, rounded.
int32_t ReadScaledInteger(const TOptionsFile& file, std::string_view section, std::string_view key,
                          int32_t def, int ppi, int step,
                          std::optional<int> customPPI = std::nullopt);
// The same tied to a mask drawn for MaskDivPPI: the key of that resolution's
// step, else the plain key (default Def) taken as drawn for 96; the number is
// then scaled to Ppi, rounded.
int32_t ReadScaledIntegerTied(const TOptionsFile& file, std::string_view section,
                              std::string_view key, int32_t def, int ppi, int maskDivPPI);

// ---- Inheritance through "PARENTCLASS" --------------------------------------

enum class TChainStop {
  NoParent,       // a section without (or with an empty) "PARENTCLASS"
  SelfReference,  // "PARENTCLASS" names the section itself
  MissingParent,  // "PARENTCLASS" names a section that does not exist
  Cycle,          // "PARENTCLASS" names a section already in the chain
  NoSection,      // the starting section does not exist
};

struct TParentChain {
  // The section itself first, then its parent, its parent's parent, ...
  std::vector<const TOptionSection*> Sections;
  TChainStop Stop = TChainStop::NoSection;
  std::string StopName;  // the "PARENTCLASS" value where the chain stopped
};

TParentChain ResolveParentChain(const TOptionsFile& file, std::string_view section);

// A value found by inherited reading; Depth 0 is the section itself, 1 its
// direct parent, and so on.
struct TInheritedText {
  std::string_view Value;
  std::size_t Depth = 0;
  const TOptionSection* Section = nullptr;  // where the value was found
};
struct TInheritedInteger {
  int32_t Value = 0;
  std::size_t Depth = 0;
};

// For boolean, text and gradient keys: the first section up the chain that has
// the key, empty values included.
std::optional<TInheritedText> ReadInheritedText(const TOptionsFile& file, std::string_view section,
                                                std::string_view key);
// For integer and colour keys: the first section up the chain whose value is a
// number; empty or non-numeric values are passed over.
std::optional<TInheritedInteger> ReadInheritedInteger(const TOptionsFile& file,
                                                      std::string_view section,
                                                      std::string_view key);
bool ReadInheritedBoolean(const TOptionsFile& file, std::string_view section, std::string_view key,
                          bool def);

}  // namespace ac
