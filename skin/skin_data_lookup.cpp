#include "skin/skin_data_lookup.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "skin/parent_chains.h"

namespace ac {

struct TacSkinLookupCache {
  struct TNameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  template <typename V>
  using TByName = std::unordered_map<std::string, V, TNameHash, std::equal_to<>>;

  const TsGeneralData* GdData = nullptr;
  std::size_t GdSize = 0;
  const TsMaskData* MaData = nullptr;
  std::size_t MaCount = 0;  // masks indexed so far

  TByName<int32_t> Sections;  // the first section of each name
  TParentChains Chains;
  // By key, then by section index or section name: the first mask, and the
  // first texture.
  TByName<std::unordered_map<int32_t, int32_t>> MaskOfSection, TextureOfSection;
  TByName<TByName<int32_t>> MaskByName, TextureByName;
};

namespace {

void IndexSections(TacSkinLookupCache& c, const TacSkinData& sd) {
  c.GdData = sd.gd.data();
  c.GdSize = sd.gd.size();
  c.Sections.clear();
  for (std::size_t i = 0; i < sd.gd.size(); ++i)
    c.Sections.emplace(sd.gd[i].ClassName, static_cast<int32_t>(i));
  // A parent that names the section itself ends the chain, as one that
  // names no section does.
  std::vector<int32_t> parents(sd.gd.size(), -1);
  for (std::size_t i = 0; i < sd.gd.size(); ++i) {
    const TsGeneralData& g = sd.gd[i];
    if (g.ParentClass.empty() || g.ParentClass == g.ClassName) continue;
    if (auto it = c.Sections.find(g.ParentClass); it != c.Sections.end()) parents[i] = it->second;
  }
  c.Chains = TParentChains(std::move(parents));
  c.MaData = nullptr;
  c.MaCount = 0;
}

template <typename Map, typename Key>
bool InsertFirst(Map& byKey, std::string_view key, const Key& where, int32_t mask) {
  auto it = byKey.find(key);
  if (it == byKey.end()) it = byKey.emplace(std::string(key), typename Map::mapped_type{}).first;
  return it->second.emplace(where, mask).second;
}

void IndexMasks(TacSkinLookupCache& c, const TacSkinData& sd) {
  if (c.MaData != sd.ma.data() || c.MaCount > sd.ma.size()) {
    // Replaced or moved: index every mask again and drop every answer.
    c.MaskOfSection.clear();
    c.TextureOfSection.clear();
    c.MaskByName.clear();
    c.TextureByName.clear();
    c.Chains = TParentChains(std::vector<int32_t>(c.Chains.Parents()));
    c.MaCount = 0;
  }
  const bool appending = c.MaCount > 0;
  for (std::size_t m = c.MaCount; m < sd.ma.size(); ++m) {
    const TsMaskData& md = sd.ma[m];
    const auto index = static_cast<int32_t>(m);
    // A section that gains its first mask of a key changes the answers of
    // the sections below it.
    if (InsertFirst(c.MaskOfSection, md.PropertyName, md.SkinIndex, index) && appending)
      c.Chains.Forget(TChainQuery::MaskOfSection, md.PropertyName, md.SkinIndex);
    InsertFirst(c.MaskByName, md.PropertyName, md.ClassName, index);
    if (md.ImgType != itisaTexture) continue;
    if (InsertFirst(c.TextureOfSection, md.PropertyName, md.SkinIndex, index) && appending)
      c.Chains.Forget(TChainQuery::TextureOfSection, md.PropertyName, md.SkinIndex);
    if (InsertFirst(c.TextureByName, md.PropertyName, md.ClassName, index) && appending)
      c.Chains.ForgetKey(TChainQuery::TextureByName, md.PropertyName);
  }
  c.MaData = sd.ma.data();
  c.MaCount = sd.ma.size();
}

TacSkinLookupCache& CacheOf(const TacSkinData& sd) {
  TacSkinLookupCache* c = sd.Lookups.Get();
  if (!c || c->GdData != sd.gd.data() || c->GdSize != sd.gd.size()) {
    c = &sd.Lookups.Make();
    IndexSections(*c, sd);
  }
  IndexMasks(*c, sd);
  return *c;
}

template <typename Map, typename Key>
int32_t FindFirst(const Map& byKey, std::string_view key, const Key& where) {
  auto it = byKey.find(key);
  if (it == byKey.end()) return -1;
  auto found = it->second.find(where);
  return found == it->second.end() ? -1 : found->second;
}

// The first mask of Query up the chain of section Start. A start outside gd
// finds nothing.
int32_t SearchChain(const TacSkinData& sd, int32_t start, TChainQuery query, std::string_view key) {
  if (!IsValidSkinIndex(sd, start)) return -1;
  TacSkinLookupCache& c = CacheOf(sd);
  auto maskAt = [&](int32_t section) {
    switch (query) {
      case TChainQuery::TextureOfSection:
        return FindFirst(c.TextureOfSection, key, section);
      case TChainQuery::TextureByName:
        return FindFirst(c.TextureByName, key,
                         std::string_view(sd.gd[static_cast<std::size_t>(section)].ClassName));
      default:
        return FindFirst(c.MaskOfSection, key, section);
    }
  };
  const TChainHit hit =
      c.Chains.Find(query, key, start, [&](int32_t section) { return maskAt(section) >= 0; });
  return hit.Holder < 0 ? -1 : maskAt(hit.Holder);
}

}  // namespace

int32_t GetSkinIndex(const TacSkinData& sd, std::string_view section) {
  if (section.empty()) return -1;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const TacSkinLookupCache& c = CacheOf(sd);
    auto it = c.Sections.find(section);
    if (it == c.Sections.end()) return -1;
    if (sd.gd[static_cast<std::size_t>(it->second)].ClassName == section) return it->second;
    sd.Lookups.Reset();  // a record was renamed in place: index again
  }
  return -1;
}

int32_t GetMaskIndex(const TacSkinData& sd, int32_t skinIndex, std::string_view,
                     std::string_view mask) {
  return SearchChain(sd, skinIndex, TChainQuery::MaskOfSection, mask);
}

int32_t GetMaskIndex(const TacSkinData& sd, int32_t skinIndex, std::string_view mask) {
  // This form follows a ParentClass even when it names the section itself;
  // that parent is the section just searched, so the walk ends there too.
  return SearchChain(sd, skinIndex, TChainQuery::MaskOfSection, mask);
}

int32_t GetMaskIndex(const TacSkinData& sd, std::string_view section, std::string_view mask) {
  return FindFirst(CacheOf(sd).MaskByName, mask, section);
}

int32_t GetTextureIndex(const TacSkinData& sd, int32_t skinIndex, std::string_view skinSection,
                        std::string_view propName) {
  if (!IsValidSkinIndex(sd, skinIndex)) return -1;
  // The first section is matched by the name the caller gave, its parents by
  // their own names.
  const int32_t own = FindFirst(CacheOf(sd).TextureByName, propName, skinSection);
  if (own >= 0) return own;
  const int32_t parent = CacheOf(sd).Chains.Parents()[static_cast<std::size_t>(skinIndex)];
  return parent < 0 || parent == skinIndex
             ? -1
             : SearchChain(sd, parent, TChainQuery::TextureByName, propName);
}

int32_t GetTextureIndex(const TacSkinData& sd, int32_t skinIndex, std::string_view propName) {
  return SearchChain(sd, skinIndex, TChainQuery::TextureOfSection, propName);
}

}  // namespace ac
