#pragma once
// A move-only owner of a kernel object handle (a thread, an event), closed
// with CloseHandle. Kernel objects are not GDI or USER objects, so they are
// not counted in LiveHandleCounts; LiveKernelHandles counts the ones held
// here (the system's own count is not reliable under Wine).

#include <windows.h>

#include <atomic>
#include <utility>

namespace ac::platform {

inline std::atomic<long>& KernelHandleCounter() {
  static std::atomic<long> count{0};
  return count;
}
// Kernel handles held by ScopedKernelHandle objects now.
inline long LiveKernelHandles() {
  return KernelHandleCounter().load();
}

class ScopedKernelHandle {
 public:
  ScopedKernelHandle() = default;
  // Takes Handle; null and INVALID_HANDLE_VALUE both mean none.
  explicit ScopedKernelHandle(HANDLE handle)
      : FHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {
    if (FHandle) ++KernelHandleCounter();
  }
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
    if (!FHandle) return;
    CloseHandle(FHandle);
    --KernelHandleCounter();
    FHandle = nullptr;
  }

 private:
  HANDLE FHandle = nullptr;
};

}  // namespace ac::platform
