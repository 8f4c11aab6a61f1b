#pragma once
// TScopedHandle: the move-only owner the handle owners of win32/ are made of
// (ScopedGdiObject, ScopedMemoryDC, ScopedWindow, ScopedHook, ScopedMenu,
// ScopedKernelHandle). It holds one handle, frees it when replaced or
// destroyed, and tells the counters when it takes and gives one up, so that
// what the program holds can be counted (handle_counts.h).
//
// Traits say how: THandle, the handle type; Free(handle), giving it back to
// the system; Taken() and Given(), the counting. A null handle is none.

#include <utility>

namespace ac::platform {

template <typename Traits>
class TScopedHandle {
 public:
  using THandle = typename Traits::THandle;

  TScopedHandle() = default;
  explicit TScopedHandle(THandle handle) { Reset(handle); }
  TScopedHandle(TScopedHandle&& o) noexcept : FHandle(std::exchange(o.FHandle, THandle{})) {}
  TScopedHandle& operator=(TScopedHandle&& o) noexcept {
    if (this != &o) {
      Reset();
      FHandle = std::exchange(o.FHandle, THandle{});  // already counted
    }
    return *this;
  }
  TScopedHandle(const TScopedHandle&) = delete;
  TScopedHandle& operator=(const TScopedHandle&) = delete;
  ~TScopedHandle() { Reset(); }

  THandle Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != THandle{}; }
  // Frees the handle held (if any) and takes Handle.
  void Reset(THandle handle = THandle{}) {
    if (FHandle != THandle{}) {
      Traits::Free(FHandle);
      Traits::Given();
    }
    FHandle = handle;
    if (FHandle != THandle{}) Traits::Taken();
  }
  // Gives the handle away: from now on it is the caller's, and uncounted.
  THandle Release() {
    if (FHandle != THandle{}) Traits::Given();
    return std::exchange(FHandle, THandle{});
  }

 private:
  THandle FHandle{};
};

}  // namespace ac::platform
