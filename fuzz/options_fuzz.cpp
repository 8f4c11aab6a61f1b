// Feeds arbitrary bytes to the options parser and every value parser: the
// whole input as an options file (then each value as a mask, a gradient and a
// number, inherited reading against a plain walk of the parent chains, the
// model and the checker), and the raw bytes as
// one mask value and one gradient. Bad input may only raise EConvertError (or
// read as an absent value); anything else is a fault.

#include <cstddef>
#include <cstdint>
#include <optional>
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

// Sections whose chain is also walked plainly, to check the kept answers.
constexpr std::size_t kWalkedSections = 16;

// Inherited reading of an integer from the first section of Chain: the
// first section up the chain whose value is a number, at its depth.
void ExpectWalkedInteger(const ac::TOptionsFile& file, const ac::TParentChain& chain,
                         std::string_view key) {
  std::optional<ac::TInheritedInteger> want;
  for (std::size_t d = 0; d < chain.Sections.size() && !want; ++d)
    if (auto v = chain.Sections[d]->Value(key))
      if (auto n = ac::ParseInteger(*v)) want = ac::TInheritedInteger{*n, d};
  auto got = ac::ReadInheritedInteger(file, chain.Sections.front()->Name(), key);
  if (got.has_value() != want.has_value()) __builtin_trap();
  if (got && (got->Value != want->Value || got->Depth != want->Depth)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ParseValue(bytes, "FUZZ", "VALUE");

  ac::TOptionsFile file = ac::TOptionsFile::FromBytes(bytes);
  std::size_t walked = 0;
  for (const auto& section : file.Sections()) {
    // The kept answers of inherited reading must agree with the plain walk
    // of the chain; the walk costs the chain's length, so it is taken for
    // the first sections only.
    const bool walk = walked++ < kWalkedSections;
    ac::TParentChain chain;
    if (walk) {
      chain = ac::ResolveParentChain(file, section.Name());
      if (chain.Sections.empty() || chain.Sections.size() > file.Sections().size())
        __builtin_trap();
    }
    for (const auto& key : section.Keys()) {
      ParseValue(key.Value, section.Name(), key.Name);
      if (walk) ExpectWalkedInteger(file, chain, key.Name);
    }
  }
  try {
    ac::ReadSkinModel(file);
  } catch (const ac::EConvertError&) {
  }
  ac::CheckSkinOptions(file, [](std::string_view name) { return name.size() % 2 == 0; });
  return 0;
}
