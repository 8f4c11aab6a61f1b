#pragma once
// A thread's COM apartment (single-threaded), entered for the lifetime of
// this object. A thread already in an apartment of the other kind can still
// use in-process objects; only our own successful join is undone.
//
// Nothing enters COM at start-up: CoInitializeEx is one of the slowest calls
// a starting program can make, and a window drawn from a skin of bitmaps
// needs no COM at all. The users join when they first need it: the system's
// image codecs keep the thread's apartment from their first image on (see
// JoinThreadApartment), the shell for the length of one call.

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

// Joins the calling thread to an apartment that it keeps until it ends. A
// thread that entered and left COM around each image would load and unload
// the codecs for every one.
inline void JoinThreadApartment() {
  thread_local const ScopedComApartment apartment;
}

}  // namespace ac::platform
