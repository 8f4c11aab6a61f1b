#include "win32/handle_counts.h"

namespace ac::platform {
namespace {

std::atomic<long> gGdi{0};
std::atomic<long> gUser{0};
std::atomic<long> gTimers{0};

std::atomic<long>& Counter(THandleKind kind) {
  switch (kind) {
    case THandleKind::hkGdi:
      return gGdi;
    case THandleKind::hkUser:
      return gUser;
    case THandleKind::hkTimer:
      break;
  }
  return gTimers;
}

}  // namespace

THandleCounts LiveHandleCounts() {
  return {gGdi.load(), gUser.load(), gTimers.load()};
}

void HandleCreated(THandleKind kind) {
  ++Counter(kind);
}

void HandleReleased(THandleKind kind) {
  --Counter(kind);
}

}  // namespace ac::platform
