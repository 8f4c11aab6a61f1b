#pragma once
// The "third-party lists": the manager's ThirdParty texts (one per adapter
// kind, kThirdPartyNames) parsed into lists of control class names, and the
// lookup that says which adapter dresses a control of a given class.
// Names match a control's framework class name exactly (case-sensitive, no
// inheritance: a descendant with another name is not in a list).

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "manager/ts_skin_manager.h"

namespace ac {

using TacThirdLists = std::array<std::vector<std::string>, kThirdPartyCount>;

// The list indexes this engine has an adapter for.
enum TacThirdListIndex : int {
  tlEdits = 0,
  tlButtons = 1,
  tlCheckBoxes = 3,
  tlGroupBoxes = 6,
  tlStaticText = 21,
};

// One list per text: a line each, with trailing blanks and carriage returns
// cut; blank lines (a single space included) hold no name.
TacThirdLists MakeThirdLists(const std::array<std::string, kThirdPartyCount>& texts);

// The index of the first list (in index order) that names ClassName, or -1.
int FindThirdList(const TacThirdLists& lists, std::string_view className);

}  // namespace ac
