#pragma once
// Skin commands posted to our windows. A posted message names no sender:
// while it is handled the receiver cannot tell it from a message of its own
// thread, so the receivers' check (SkinCommandAccepted) would let anyone's
// post through. The filter looks at every message this thread takes from its
// queue, in every message loop (the program's own, menus, the move loop,
// message boxes), and empties the posted skin commands that are not open to
// other senders, except the skin-list notification the manager posts itself.

#include <windows.h>

#include "win32/scoped_window.h"

namespace ac {

// True for the posted commands the filter lets through (WParam as posted).
bool PostedSkinCommandAccepted(WPARAM wparam);

// Installs the filter for the calling thread until the result goes.
platform::ScopedHook FilterPostedSkinCommands();

}  // namespace ac
