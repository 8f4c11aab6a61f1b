#pragma once
// The vocabulary of the options file: which keys the engine reads, and as
// what. One table, so that a checker can tell a skin author which keys are
// never read. To teach it a new key, add the key to the table of its kind in
// skin_model_keys.cpp.

#include <optional>
#include <string_view>

namespace ac {

enum class TKeyKind {
  Integer,
  Color,
  Int64Color,  // the six 64-bit button colours of the palette
  Boolean,
  Version,
  Text,
  Gradient,
  Mask,
  SectionName,  // "PARENTCLASS"
};

// How the engine reads Key in Section, or nullopt when it never reads it.
// Keys with a resolution suffix ("*125", "*150", "*200") are answered for the
// plain key when that key may have variants (images and the scaled GLOBALINFO
// numbers), else nullopt. A key whose value is a mask reference is a mask
// whatever its name; callers test the value for that themselves.
std::optional<TKeyKind> ReadKeyKind(std::string_view section, std::string_view key);

// True for GLOBALINFO numbers read through the scaled reader (which may have
// resolution variants).
bool IsScaledGlobalNumber(std::string_view key);

// Splits "KEY*150" into "KEY" and the step (2); a key without a suffix gives
// step 0; an unknown suffix gives nullopt.
struct TKeyVariant {
  std::string_view Plain;
  int Step = 0;
};
std::optional<TKeyVariant> SplitVariantKey(std::string_view key);

}  // namespace ac
