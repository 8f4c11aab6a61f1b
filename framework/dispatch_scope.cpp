#include "framework/dispatch_scope.h"

#include <deque>
#include <utility>

namespace ac {

namespace {

struct TDispatchState {
  int Depth = 0;
  std::deque<std::function<void()>> Pending;
};

TDispatchState& State() {
  thread_local TDispatchState state;
  return state;
}

void RunPending(TDispatchState& s) {
  // The releases count as a dispatch of their own: destroying windows sends
  // messages, whose scopes must not start the queue again underneath.
  ++s.Depth;
  while (!s.Pending.empty()) {
    std::function<void()> release = std::move(s.Pending.front());
    s.Pending.pop_front();
    try {
      release();
    } catch (...) {
    }
  }
  --s.Depth;
}

}  // namespace

TDispatchScope::TDispatchScope() {
  ++State().Depth;
}

TDispatchScope::~TDispatchScope() {
  TDispatchState& s = State();
  if (--s.Depth == 0 && !s.Pending.empty()) RunPending(s);
}

bool InsideDispatch() {
  return State().Depth > 0;
}

void ReleaseAfterDispatch(std::function<void()> release) {
  TDispatchState& s = State();
  s.Pending.push_back(std::move(release));
  if (s.Depth == 0) RunPending(s);
}

}  // namespace ac
