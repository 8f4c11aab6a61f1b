#pragma once
// Name lookups in a loaded skin, meant for load time and for a control
// changing its section, not for painting. Names are hashed and the answers
// along parent chains are kept per key (TacSkinData::Lookups), so that a skin
// of many sections or of deep or cyclic chains loads in linear time. Every
// lookup answers -1 when nothing is found.

#include <cstdint>
#include <string_view>

#include "skin/skin_data.h"

namespace ac {

// Index of the first section named exactly Section; -1 for an empty name.
int32_t GetSkinIndex(const TacSkinData& sd, std::string_view section);

// The first mask of section SkinIndex with that key; otherwise, when the
// section's ParentClass is not its own name, the same search in the parent,
// and so on. A parent chain that returns to a section already searched ends
// the search. -1 when SkinIndex is not a section.
int32_t GetMaskIndex(const TacSkinData& sd, int32_t skinIndex, std::string_view skinSection,
                     std::string_view mask);
// The same search, following ParentClass whenever it is not empty.
int32_t GetMaskIndex(const TacSkinData& sd, int32_t skinIndex, std::string_view mask);
// The first mask whose ClassName is Section and whose key is Mask; no
// inheritance.
int32_t GetMaskIndex(const TacSkinData& sd, std::string_view section, std::string_view mask);

// The first texture (itisaTexture) named PropName of the section called
// SkinSection, then through the parent chain as GetMaskIndex.
int32_t GetTextureIndex(const TacSkinData& sd, int32_t skinIndex, std::string_view skinSection,
                        std::string_view propName);
// The same matched on the section index instead of its name.
int32_t GetTextureIndex(const TacSkinData& sd, int32_t skinIndex, std::string_view propName);

inline bool IsValidSkinIndex(const TacSkinData& sd, int32_t i) {
  return i >= 0 && static_cast<std::size_t>(i) < sd.gd.size();
}
inline bool IsValidImgIndex(const TacSkinData& sd, int32_t i) {
  return i >= 0 && static_cast<std::size_t>(i) < sd.ma.size();
}
inline int32_t LengthOfGD(const TacSkinData& sd) {
  return static_cast<int32_t>(sd.gd.size());
}

}  // namespace ac
