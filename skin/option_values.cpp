#include "skin/option_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/errors.h"
#include "skin/skin_sections.h"

namespace ac {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decimal digits with an optional leading "-" into a value whose magnitude is
// at most Limit for positive and Limit + 1 for negative numbers.
std::optional<int64_t> ParseDecimal(std::string_view text, uint64_t limit) {
  bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  uint64_t v = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    v = v * 10 + static_cast<uint64_t>(c - '0');
    if (v > limit + 1) return std::nullopt;
  }
  if (!negative && v > limit) return std::nullopt;
  if (negative) return v == limit + 1 ? -static_cast<int64_t>(limit) - 1 : -static_cast<int64_t>(v);
  return static_cast<int64_t>(v);
}

std::string Quoted(std::string_view s) {
  std::string q;
  q.reserve(s.size() + 2);
  q += '"';
  q += s;
  q += '"';
  return q;
}

}  // namespace

std::optional<int32_t> ParseInteger(std::string_view text) {
  std::string_view hex;
  if (!text.empty() && text.front() == '$')
    hex = text.substr(1);
  else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    hex = text.substr(2);
  else if (auto v = ParseDecimal(text, INT32_MAX))
    return static_cast<int32_t>(*v);
  else
    return std::nullopt;
  if (hex.empty()) return std::nullopt;
  uint64_t v = 0;
  for (char c : hex) {
    int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    v = v * 16 + static_cast<uint64_t>(d);
    if (v > UINT32_MAX) return std::nullopt;
  }
  return static_cast<int32_t>(static_cast<uint32_t>(v));
}

std::optional<int64_t> ParseInt64(std::string_view text) {
  return ParseDecimal(text, INT64_MAX);
}

bool ParseBoolean(std::string_view text) {
  return text == "TRUE" || text == "1";
}

std::optional<double> ParseVersion(std::string_view text) {
  // from_chars ignores the locale, which is the point: "15.00" is 15 on a
  // system whose decimal separator is ",".
  if (text.empty() || text.front() == '+') return std::nullopt;
  double v = 0;
  auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
    return std::nullopt;
  return v;
}

std::optional<int32_t> ReadInteger(const TOptionsFile& file, std::string_view section,
                                   std::string_view key) {
  auto v = file.Value(section, key);
  return v ? ParseInteger(*v) : std::nullopt;
}

int32_t ReadInteger(const TOptionsFile& file, std::string_view section, std::string_view key,
                    int32_t def) {
  return ReadInteger(file, section, key).value_or(def);
}

int32_t ReadInt64Truncated(const TOptionsFile& file, std::string_view section, std::string_view key,
                           int32_t def) {
  auto text = file.Value(section, key);
  if (!text || text->empty()) return def;
  auto v = ParseInt64(*text);
  if (!v)
    throw EConvertError(Quoted(*text) + " is not a valid integer value (section " +
                        Quoted(section) + ", key " + Quoted(key) + ")");
  return TruncateTo32(*v);
}

bool ReadBoolean(const TOptionsFile& file, std::string_view section, std::string_view key,
                 bool def) {
  auto v = file.Value(section, key);
  return v ? ParseBoolean(*v) : def;
}

std::string ReadText(const TOptionsFile& file, std::string_view section, std::string_view key,
                     std::string_view def) {
  auto v = file.Value(section, key);
  return std::string(v ? *v : def);
}

double ReadVersion(const TOptionsFile& file, std::string_view section, std::string_view key,
                   double def) {
  auto v = file.Value(section, key);
  if (!v) return def;
  return ParseVersion(*v).value_or(def);
}

int PpiToStep(int ppi) {
  if (ppi <= 110) return 0;
  if (ppi <= 134) return 1;
  if (ppi <= 170) return 2;
  return 3;
}

std::string VariantKey(std::string_view key, int step) {
  std::string k(key);
  if (step > 0 && step < kStepCount) k += kStepSuffix[static_cast<std::size_t>(step)];
  return k;
}

int32_t MulDivRound(int32_t value, int32_t mul, int32_t div) {
  if (div == 0) return value;
  int64_t n = static_cast<int64_t>(value) * mul, d = div;
  if (d < 0) {
    n = -n;
    d = -d;
  }
  int64_t q = n / d, r = n % d;
  if (r < 0) {  // floor division, so that 0 <= r < d
    q -= 1;
    r += d;
  }
  if (2 * r > d || (2 * r == d && (q & 1) != 0)) q += 1;
  return static_cast<int32_t>(std::clamp<int64_t>(q, INT32_MIN, INT32_MAX));
}

std::optional<TVariantValue> FindImageVariant(const TOptionSection& section, std::string_view key,
                                              int ppi, int step) {
  int s = std::clamp(step, 0, kStepCount - 1);
  if (kStepPPI[static_cast<std::size_t>(s)] < ppi && s < kStepCount - 1) ++s;
  auto tryStep = [&](int i) -> std::optional<TVariantValue> {
    auto v = section.Value(VariantKey(key, i));
    if (v && !v->empty()) return TVariantValue{*v, i};
    return std::nullopt;
  };
  for (int i = s; i < kStepCount; ++i)
    if (auto v = tryStep(i)) return v;
  for (int i = s - 1; i >= 0; --i)
    if (auto v = tryStep(i)) return v;
  return std::nullopt;
}

int32_t ReadScaledInteger(const TOptionsFile& file, std::string_view section, std::string_view key,
                          int32_t def, int ppi, int step, std::optional<int> customPPI) {
  if (auto v = ReadInteger(file, section, VariantKey(key, step)))
    return customPPI ? MulDivRound(*v, *customPPI, 96) : *v;
  if (step <= 0) return def;
  return MulDivRound(ReadInteger(file, section, key, def), ppi, 96);
}

int32_t ReadScaledIntegerTied(const TOptionsFile& file, std::string_view section,
                              std::string_view key, int32_t def, int ppi, int maskDivPPI) {
  int step = PpiToStep(maskDivPPI);
  if (step > 0) {
    if (auto v = ReadInteger(file, section, VariantKey(key, step)))
      return MulDivRound(*v, ppi, kStepPPI[static_cast<std::size_t>(step)]);
  }
  return MulDivRound(ReadInteger(file, section, key, def), ppi, 96);
}

TParentChain ResolveParentChain(const TOptionsFile& file, std::string_view section) {
  TParentChain chain;
  int index = file.IndexOf(section);
  if (index < 0) return chain;
  const auto& sections = file.Sections();
  // Visited by section index, so that a long chain costs linear time.
  std::vector<bool> visited(sections.size(), false);
  const TOptionSection* current = &sections[static_cast<std::size_t>(index)];
  visited[static_cast<std::size_t>(index)] = true;
  chain.Sections.push_back(current);
  for (;;) {
    auto parent = current->Value(kParentClassKey);
    if (!parent || parent->empty()) {
      chain.Stop = TChainStop::NoParent;
      return chain;
    }
    chain.StopName = std::string(*parent);
    if (*parent == current->Name()) {
      chain.Stop = TChainStop::SelfReference;
      return chain;
    }
    int next = file.IndexOf(*parent);
    if (next < 0) {
      chain.Stop = TChainStop::MissingParent;
      return chain;
    }
    if (visited[static_cast<std::size_t>(next)]) {
      chain.Stop = TChainStop::Cycle;
      return chain;
    }
    visited[static_cast<std::size_t>(next)] = true;
    current = &sections[static_cast<std::size_t>(next)];
    chain.Sections.push_back(current);
  }
}

std::optional<TInheritedText> ReadInheritedText(const TOptionsFile& file, std::string_view section,
                                                std::string_view key) {
  // Most keys are found in the section itself; the chains are asked only when
  // not, and remember their answers for the sections below.
  const int index = file.IndexOf(section);
  if (index < 0) return std::nullopt;
  const auto& sections = file.Sections();
  const TOptionSection& own = sections[static_cast<std::size_t>(index)];
  if (auto v = own.Value(key)) return TInheritedText{*v, 0, &own};
  TParentChains& chains = file.Chains();
  if (chains.Parents()[static_cast<std::size_t>(index)] < 0) return std::nullopt;
  const TChainHit hit = chains.Find(
      TChainQuery::Text, key, index,
      [&](int32_t i) { return sections[static_cast<std::size_t>(i)].Find(key) != nullptr; },
      TParentChains::TStart::LacksKey);
  if (hit.Holder < 0) return std::nullopt;
  const TOptionSection& holder = sections[static_cast<std::size_t>(hit.Holder)];
  return TInheritedText{*holder.Value(key), static_cast<std::size_t>(hit.Depth), &holder};
}

std::optional<TInheritedInteger> ReadInheritedInteger(const TOptionsFile& file,
                                                      std::string_view section,
                                                      std::string_view key) {
  const int index = file.IndexOf(section);
  if (index < 0) return std::nullopt;
  const auto& sections = file.Sections();
  auto number = [&](int32_t i) -> std::optional<int32_t> {
    auto v = sections[static_cast<std::size_t>(i)].Value(key);
    return v ? ParseInteger(*v) : std::nullopt;
  };
  if (auto n = number(index)) return TInheritedInteger{*n, 0};
  TParentChains& chains = file.Chains();
  if (chains.Parents()[static_cast<std::size_t>(index)] < 0) return std::nullopt;
  const TChainHit hit = chains.Find(
      TChainQuery::Integer, key, index, [&](int32_t i) { return number(i).has_value(); },
      TParentChains::TStart::LacksKey);
  if (hit.Holder < 0) return std::nullopt;
  return TInheritedInteger{*number(hit.Holder), static_cast<std::size_t>(hit.Depth)};
}

bool ReadInheritedBoolean(const TOptionsFile& file, std::string_view section, std::string_view key,
                          bool def) {
  auto v = ReadInheritedText(file, section, key);
  return v ? ParseBoolean(v->Value) : def;
}

}  // namespace ac
