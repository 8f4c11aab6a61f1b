#pragma once
// A move-only owner of a kernel object handle (a thread, an event), closed
// with CloseHandle. Kernel objects are not GDI or USER objects, so they are
// not counted in LiveHandleCounts.

#include <windows.h>

#include <utility>

namespace ac::platform {

class ScopedKernelHandle {
 public:
  ScopedKernelHandle() = default;
  // Takes Handle; null and INVALID_HANDLE_VALUE both mean none.
  explicit ScopedKernelHandle(HANDLE handle)
      : FHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ScopedKernelHandle(ScopedKernelHandle&& o) noexcept
      : FHandle(std::exchange(o.FHandle, nullptr)) {}
  ScopedKernelHandle& operator=(ScopedKernelHandle&& o) noexcept {
    if (this != &o) {
      Reset();
      FHandle = std::exchange(o.FHandle, nullptr);
    }
    return *this;
  }
  ScopedKernelHandle(const ScopedKernelHandle&) = delete;
  ScopedKernelHandle& operator=(const ScopedKernelHandle&) = delete;
  ~ScopedKernelHandle() { Reset(); }

  HANDLE Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  void Reset() {
    if (FHandle) CloseHandle(FHandle);
    FHandle = nullptr;
  }

 private:
  HANDLE FHandle = nullptr;
};

}  // namespace ac::platform
