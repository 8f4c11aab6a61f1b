#include "system/win/late_library.h"

namespace ac::platform {

FARPROC TLateLibrary::Address(const char* function) {
  // Never freed: the functions found are called for as long as the program
  // runs, and the system frees the library with the process.
  std::call_once(FLoaded, [this] { FModule = LoadLibraryW(FName); });
  return FModule ? GetProcAddress(FModule, function) : nullptr;
}

}  // namespace ac::platform
