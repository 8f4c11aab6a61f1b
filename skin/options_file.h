#pragma once
// The skin options file ("Options.dat"): an INI-style text of sections and keys.
//
// Parsing never fails: every byte sequence gives some (possibly empty) set of
// sections. Names are case-sensitive. Sections and keys keep the order of their
// first appearance in the file, because loading walks them in that order.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "skin/parent_chains.h"

namespace ac {

// Lets the name indexes be searched with a string_view, without a copy.
struct TOptionNameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
using TOptionNameIndex =
    std::unordered_map<std::string, std::size_t, TOptionNameHash, std::equal_to<>>;

struct TOptionKey {
  std::string Name;
  std::string Value;  // trimmed; empty for a key line without "="
  int Line = 0;       // 1-based line of the file, for messages
};

class TOptionSection {
 public:
  explicit TOptionSection(std::string name, int line = 0);

  const std::string& Name() const { return FName; }
  int Line() const { return FLine; }
  // Keys in file order, each name once (the first occurrence wins).
  const std::vector<TOptionKey>& Keys() const { return FKeys; }
  // Null when the key is not in this section.
  const TOptionKey* Find(std::string_view key) const;
  // The value, or nullopt when the key is not in this section. A key written
  // with an empty value is present with an empty value.
  std::optional<std::string_view> Value(std::string_view key) const;

  // Adds a key; a name already present is not changed and false is returned.
  bool Add(TOptionKey key);

 private:
  // A section of a few keys is searched key by key, which costs less than
  // hashing the name and takes no index at all; larger ones are hashed.
  static constexpr std::size_t kScannedKeys = 8;

  std::string FName;
  int FLine = 0;
  std::vector<TOptionKey> FKeys;
  TOptionNameIndex FIndex;  // only past kScannedKeys keys
};

class TOptionsFile {
 public:
  // Decodes Bytes as a text file: a byte-order mark selects UTF-8, UTF-16 LE or
  // UTF-16 BE; without one the system ANSI code page is used. Then parses it.
  static TOptionsFile FromBytes(std::string_view bytes);
  // Parses text that is already UTF-8 (no byte-order mark expected).
  static TOptionsFile FromText(std::string_view utf8);

  const std::vector<TOptionSection>& Sections() const { return FSections; }
  // Null when there is no section of that exact name.
  const TOptionSection* Find(std::string_view section) const;
  // Index of the section in file order, or -1.
  int IndexOf(std::string_view section) const;
  std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;

  // Key lines that repeated a key already given in the same section; they are
  // not part of Keys() and never read. Kept so that a checker can point at them.
  const std::vector<std::pair<std::string, TOptionKey>>& Repeats() const { return FRepeats; }

  // Appends or continues a section and returns it.
  TOptionSection& AddSection(std::string_view name, int line = 0);

  // The sections linked by "PARENTCLASS" (a section without one, naming
  // itself or naming no section ends its chain), with the answers of
  // inherited reading kept per key. Made on first use and made again when
  // sections were added since.
  TParentChains& Chains() const;

 private:
  std::vector<TOptionSection> FSections;
  TOptionNameIndex FIndex;
  std::vector<std::pair<std::string, TOptionKey>> FRepeats;
  TCacheSlot<TParentChains> FChains;
  mutable std::size_t FLastFound = SIZE_MAX;  // the section IndexOf found last
};

// Removes characters with codes 0-32 from both ends.
std::string_view TrimControls(std::string_view s);
// ASCII upper case; other bytes are kept.
std::string UpperCaseAscii(std::string_view s);
// UTF-8 for the text in Bytes after a byte-order mark, or from the ANSI code
// page when there is none. Broken UTF-16 (an odd byte count, an unpaired
// surrogate) decodes to U+FFFD where it breaks.
std::string DecodeTextFile(std::string_view bytes);

}  // namespace ac
