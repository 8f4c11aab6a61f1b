#pragma once
// Answers along "PARENTCLASS" chains in time linear in the number of sections,
// however deep or cyclic the chains of a (possibly forged) skin are.
//
// A chain starts at a section and follows parent links until a section
// without a parent, or a section already visited in the same walk (a cycle).
// For one key, the first section of a chain that holds the key is the one of
// its parent's chain, one step further up, unless the section holds the key
// itself. TParentChains remembers that answer per key and section, so asking
// every section about a key costs each link once instead of once per section
// below it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ac {

// The first section of a chain that holds a key, and how many links up it is
// (0: the section itself). Holder -1: no section of the chain holds it.
struct TChainHit {
  int32_t Holder = -1;
  int32_t Depth = 0;
};

// What a memo answers; each kind keeps its own answers per key.
enum class TChainQuery : std::size_t {
  Text,
  Integer,
  MaskOfSection,
  TextureOfSection,
  TextureByName
};
inline constexpr std::size_t kChainQueryKinds = 5;

class TParentChains {
 public:
  // Parents[i] is the parent of section i, or -1 where a chain ends (no
  // parent, a parent that names the section itself or a missing section).
  explicit TParentChains(std::vector<int32_t> parents = {});

  const std::vector<int32_t>& Parents() const { return FParents; }
  std::size_t Size() const { return FParents.size(); }

  enum class TStart { Unknown, LacksKey };

  // The first section of Start's chain for which Holds(section) is true.
  // Holds must answer the same for a section as long as nothing is
  // forgotten (Forget). Start must be a section; with TStart::LacksKey the
  // caller has asked it already and it lacks the key.
  TChainHit Find(TChainQuery kind, std::string_view key, int32_t start,
                 const std::function<bool(int32_t)>& holds, TStart asked = TStart::Unknown);

  // Section now holds Key (for Kind): answers of the sections whose chains
  // pass through it are dropped and found again on demand.
  void Forget(TChainQuery kind, std::string_view key, int32_t section);
  // Drops every answer about Key.
  void ForgetKey(TChainQuery kind, std::string_view key);

  // True when Section lies on a cycle of parent links, so that its own chain
  // returns to it.
  bool OnCycle(int32_t section) const;

 private:
  struct TNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  // Per section: the holder (or -1 for none, kUnknown before it was asked)
  // and the depth.
  struct TMemo {
    std::vector<int32_t> Holder;
    std::vector<int32_t> Depth;
  };
  using TMemos = std::unordered_map<std::string, TMemo, TNameHash, std::equal_to<>>;

  void BuildChildren() const;

  std::vector<int32_t> FParents;
  std::array<TMemos, kChainQueryKinds> FMemos;
  std::vector<int32_t> FPath;  // scratch of Find
  // Children of each section (built on first use), as offsets into one list.
  mutable std::vector<int32_t> FChildStart, FChildren;
  mutable std::vector<bool> FOnCycle;
  mutable bool FCyclesKnown = false;
};

// A cache that belongs to one object: copying the object starts the copy with
// an empty cache, so two objects never share answers about contents that may
// differ.
template <typename T>
class TCacheSlot {
 public:
  TCacheSlot() = default;
  TCacheSlot(const TCacheSlot&) {}
  TCacheSlot& operator=(const TCacheSlot&) {
    FValue.reset();
    return *this;
  }
  TCacheSlot(TCacheSlot&&) noexcept = default;
  TCacheSlot& operator=(TCacheSlot&&) noexcept = default;

  T* Get() const { return FValue.get(); }
  T& Make() const {
    FValue = std::make_shared<T>();
    return *FValue;
  }
  void Reset() const { FValue.reset(); }

 private:
  // Shared only so that T may be incomplete where the slot is declared.
  mutable std::shared_ptr<T> FValue;
};

}  // namespace ac
