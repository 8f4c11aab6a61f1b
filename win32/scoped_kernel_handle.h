#pragma once
// A move-only owner of a kernel object handle (a thread, an event), closed
// with CloseHandle. Kernel objects are not GDI or USER objects, so they are
// not counted in LiveHandleCounts; LiveKernelHandles counts the ones held
// here (the system's own count is not reliable under Wine).

#include <windows.h>

#include <atomic>

#include "win32/scoped_handle.h"

namespace ac::platform {

inline std::atomic<long>& KernelHandleCounter() {
  static std::atomic<long> count{0};
  return count;
}
// Kernel handles held by ScopedKernelHandle objects now.
inline long LiveKernelHandles() {
  return KernelHandleCounter().load();
}

struct TKernelHandleTraits {
  using THandle = HANDLE;
  static void Free(HANDLE handle) { CloseHandle(handle); }
  static void Taken() { ++KernelHandleCounter(); }
  static void Given() { --KernelHandleCounter(); }
};

class ScopedKernelHandle : public TScopedHandle<TKernelHandleTraits> {
 public:
  ScopedKernelHandle() = default;
  // Takes Handle; null and INVALID_HANDLE_VALUE both mean none.
  explicit ScopedKernelHandle(HANDLE handle)
      : TScopedHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
};

}  // namespace ac::platform
