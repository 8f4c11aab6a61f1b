#pragma once
// Releases that wait until the thread's window procedures have returned.
//
// A skin change can arrive while code of the objects it frees is still on the
// stack: a message sent from another process is delivered inside any modal
// loop (a popup menu's tracking, the system's move loop under a forwarded
// caption press), and the procedures that started that loop go on with their
// objects once it ends. Freeing such an object at once leaves those
// procedures running on freed memory.
//
// Every window procedure of the framework and the engine holds a
// TDispatchScope for the time of one message. ReleaseAfterDispatch runs a
// release at once when no such procedure is running on this thread, and
// otherwise right after the outermost one returns: then no code of the
// released objects can be on the stack any more, however deeply the skin
// change was nested. Only the freeing waits; what the user sees (a frame
// given back to the system, for instance) is done by the caller at once.
//
// Per thread: a release queued on one thread runs on that thread.
#include <functional>

namespace ac {

class TDispatchScope {
 public:
  TDispatchScope();
  // The outermost scope runs the queued releases, in the order queued.
  ~TDispatchScope();
  TDispatchScope(const TDispatchScope&) = delete;
  TDispatchScope& operator=(const TDispatchScope&) = delete;
};

// True while a window procedure of this thread holds a TDispatchScope.
bool InsideDispatch();

// Runs Release now outside every dispatch, otherwise once the outermost one
// returned. Release must not throw (what it throws is dropped).
void ReleaseAfterDispatch(std::function<void()> release);

}  // namespace ac
