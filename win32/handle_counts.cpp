#include "win32/handle_counts.h"

namespace ac::platform {
namespace {

std::atomic<long> gGdi{0};
std::atomic<long> gUser{0};

std::atomic<long>& Counter(THandleKind kind) {
  return kind == THandleKind::hkGdi ? gGdi : gUser;
}

}  // namespace

THandleCounts LiveHandleCounts() {
  return {gGdi.load(), gUser.load()};
}

void HandleCreated(THandleKind kind) {
  ++Counter(kind);
}

void HandleReleased(THandleKind kind) {
  --Counter(kind);
}

}  // namespace ac::platform
