#include "skin/skin_data_lookup.h"

#include <vector>

namespace ac {

namespace {

// Walks section Start and its parents; Match(index, name) answers a mask index
// or -1. RequireOtherName stops at a ParentClass equal to the section's own
// name (the first form of GetMaskIndex); either way a section already visited
// ends the walk, so a cycle of parents cannot recurse forever.
template <typename Match>
int32_t SearchChain(const TacSkinData& sd, int32_t start, Match match) {
  std::vector<bool> visited(sd.gd.size(), false);
  int32_t i = start;
  while (IsValidSkinIndex(sd, i) && !visited[static_cast<std::size_t>(i)]) {
    visited[static_cast<std::size_t>(i)] = true;
    const TsGeneralData& g = sd.gd[static_cast<std::size_t>(i)];
    if (int32_t found = match(i, g.ClassName); found >= 0) return found;
    if (g.ParentClass.empty() || g.ParentClass == g.ClassName) return -1;
    i = GetSkinIndex(sd, g.ParentClass);
  }
  return -1;
}

int32_t FirstMask(const TacSkinData& sd, int32_t skinIndex, std::string_view mask) {
  for (std::size_t m = 0; m < sd.ma.size(); ++m)
    if (sd.ma[m].SkinIndex == skinIndex && sd.ma[m].PropertyName == mask)
      return static_cast<int32_t>(m);
  return -1;
}

}  // namespace

int32_t GetSkinIndex(const TacSkinData& sd, std::string_view section) {
  if (section.empty()) return -1;
  for (std::size_t i = 0; i < sd.gd.size(); ++i)
    if (sd.gd[i].ClassName == section) return static_cast<int32_t>(i);
  return -1;
}

int32_t GetMaskIndex(const TacSkinData& sd, int32_t skinIndex, std::string_view,
                     std::string_view mask) {
  return SearchChain(sd, skinIndex,
                     [&](int32_t i, const std::string&) { return FirstMask(sd, i, mask); });
}

int32_t GetMaskIndex(const TacSkinData& sd, int32_t skinIndex, std::string_view mask) {
  // This form follows a ParentClass even when it names the section itself;
  // that parent is the section just searched, so the walk ends there too.
  return SearchChain(sd, skinIndex,
                     [&](int32_t i, const std::string&) { return FirstMask(sd, i, mask); });
}

int32_t GetMaskIndex(const TacSkinData& sd, std::string_view section, std::string_view mask) {
  for (std::size_t m = 0; m < sd.ma.size(); ++m)
    if (sd.ma[m].ClassName == section && sd.ma[m].PropertyName == mask)
      return static_cast<int32_t>(m);
  return -1;
}

int32_t GetTextureIndex(const TacSkinData& sd, int32_t skinIndex, std::string_view skinSection,
                        std::string_view propName) {
  // The first section is matched by the name the caller gave, its parents by
  // their own names.
  return SearchChain(sd, skinIndex, [&](int32_t i, const std::string& name) -> int32_t {
    std::string_view wanted = i == skinIndex ? skinSection : std::string_view(name);
    for (std::size_t m = 0; m < sd.ma.size(); ++m) {
      const TsMaskData& md = sd.ma[m];
      if (md.ImgType == itisaTexture && md.PropertyName == propName && md.ClassName == wanted)
        return static_cast<int32_t>(m);
    }
    return -1;
  });
}

int32_t GetTextureIndex(const TacSkinData& sd, int32_t skinIndex, std::string_view propName) {
  return SearchChain(sd, skinIndex, [&](int32_t i, const std::string&) -> int32_t {
    for (std::size_t m = 0; m < sd.ma.size(); ++m) {
      const TsMaskData& md = sd.ma[m];
      if (md.ImgType == itisaTexture && md.PropertyName == propName && md.SkinIndex == i)
        return static_cast<int32_t>(m);
    }
    return -1;
  });
}

}  // namespace ac
