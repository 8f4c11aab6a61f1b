#pragma once
// Which of a section's states a requested state number takes. These are the
// only places that say it; every painter and control asks them.
//
// A section defines States states (0 normal, 1 active, 2 pressed, ...), and
// its Props hold the data of the first three: loading copies state 0 into
// state 1 when States is below 2, and state 1 into state 2 without
// USESTATE2.

#include <algorithm>
#include <cstdint>

#include "skin/skin_data.h"

namespace ac {

// The state a section is painted in: State limited to the section's last
// state (States - 1), never below 0. Glyphs, masks and corner images take
// this one; they may have more than three state images.
constexpr int32_t SectionState(const TsGeneralData& gd, int32_t state) {
  const int64_t last = int64_t{gd.States} - 1;
  return static_cast<int32_t>(std::max<int64_t>(0, std::min<int64_t>(state, last)));
}

// The index into Props for State: the section state, and data beyond the
// third state is that of the third.
constexpr int32_t PropsState(const TsGeneralData& gd, int32_t state) {
  return std::min(SectionState(gd, state), 2);
}

constexpr const TsGenState& StateProps(const TsGeneralData& gd, int32_t state) {
  return gd.Props[static_cast<std::size_t>(PropsState(gd, state))];
}

// The index into Props for a caption's text colours in State: limited to
// 0..2 only, not to the section's States. A section with two states and
// USESTATE2 thus paints its pressed background from state 1 but writes its
// pressed text in state 2's colours.
constexpr int32_t TextPropsState(int32_t state) {
  return std::clamp(state, 0, 2);
}

}  // namespace ac
