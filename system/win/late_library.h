#pragma once
// TLateLibrary: a system library the program needs only for a rare action
// (opening a link, subclassing a dialog), loaded when one of its functions is
// first asked for instead of with the program. Every library a program
// imports is loaded and initialised before its first line runs; some, such
// as comctl32 with its window classes, take long over that, and the window
// would wait for them.
//
// Thread-safe: the library is loaded once, by whichever thread asks first,
// and stays loaded for the rest of the process (callers keep no handle).

#include <windows.h>

#include <mutex>

namespace ac::platform {

class TLateLibrary {
 public:
  // Name: the library's file name, found the way LoadLibraryW finds it.
  explicit TLateLibrary(const wchar_t* name) : FName(name) {}
  TLateLibrary(const TLateLibrary&) = delete;
  TLateLibrary& operator=(const TLateLibrary&) = delete;

  // The address of Function as type T (a function pointer), loading the
  // library on first use; null when the library or the function is missing.
  template <typename T>
  T Find(const char* function) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(Address(function)));
  }

 private:
  FARPROC Address(const char* function);

  const wchar_t* FName;
  std::once_flag FLoaded;
  HMODULE FModule = nullptr;
};

}  // namespace ac::platform
