// Feeds arbitrary bytes to the options parser and every value parser: the
// whole input as an options file (then each value as a mask, a gradient and a
// number, the parent chains, the model and the checker), and the raw bytes as
// one mask value and one gradient. Bad input may only raise EConvertError (or
// read as an absent value); anything else is a fault.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/errors.h"
#include "skin/gradient_parse.h"
#include "skin/mask_notation.h"
#include "skin/option_values.h"
#include "skin/options_file.h"
#include "skin/skin_model.h"
#include "skin/skin_model_check.h"

namespace {

void ParseValue(std::string_view value, std::string_view section, std::string_view key) {
  try {
    ac::TMaskReference m = ac::ParseMaskValue(value, section, key);
    if (m.ImgType < ac::itisaBorder || m.ImgType > ac::itisaPngGlyph) __builtin_trap();
  } catch (const ac::EConvertError&) {
  }
  try {
    ac::TsGradArray g = ac::ParseGradient(value);
    for (const auto& p : g)
      if (p.Percent < 0 || p.Percent > 100) __builtin_trap();
    if (!g.empty() && g.back().Percent != 100) __builtin_trap();
  } catch (const ac::EConvertError&) {
  }
  ac::MaskNotationProblems(value);
  ac::ParseInteger(value);
  ac::ParseInt64(value);
  ac::ParseVersion(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ParseValue(bytes, "FUZZ", "VALUE");

  ac::TOptionsFile file = ac::TOptionsFile::FromBytes(bytes);
  for (const auto& section : file.Sections()) {
    ac::TParentChain chain = ac::ResolveParentChain(file, section.Name());
    if (chain.Sections.empty() || chain.Sections.size() > file.Sections().size()) __builtin_trap();
    for (const auto& key : section.Keys()) {
      ParseValue(key.Value, section.Name(), key.Name);
      ac::ReadInheritedInteger(file, section.Name(), key.Name);
    }
  }
  try {
    ac::ReadSkinModel(file);
  } catch (const ac::EConvertError&) {
  }
  ac::CheckSkinOptions(file, [](std::string_view name) { return name.size() % 2 == 0; });
  return 0;
}
