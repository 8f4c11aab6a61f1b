#pragma once
// The calling thread's COM apartment (single-threaded), entered for the
// lifetime of this object. The user-interface thread keeps one for the
// program's life: the system's image codecs run in it, and a thread that
// entered and left COM around each image would load and unload them for
// every one.

#include <objbase.h>

namespace ac::platform {

class ScopedComApartment {
 public:
  ScopedComApartment() : FResult(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ScopedComApartment() {
    if (SUCCEEDED(FResult)) CoUninitialize();
  }
  ScopedComApartment(const ScopedComApartment&) = delete;
  ScopedComApartment& operator=(const ScopedComApartment&) = delete;

 private:
  HRESULT FResult;
};

}  // namespace ac::platform
