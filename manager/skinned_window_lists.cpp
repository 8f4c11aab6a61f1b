#include "manager/skinned_window_lists.h"

namespace ac {

TacSkinnedWindowLists& SkinnedWindowLists() {
  // Built on first use and never destroyed, so that a frame adapter that goes
  // during process exit can still unregister itself.
  static auto* lists = new TacSkinnedWindowLists;
  return *lists;
}

}  // namespace ac
