#include "framework/dpi_awareness.h"

#include <windows.h>

namespace ac {
namespace {

// A library loaded for a look-up and freed afterwards.
class ScopedLibrary {
 public:
  explicit ScopedLibrary(const wchar_t* name) : FModule(LoadLibraryW(name)) {}
  ScopedLibrary(const ScopedLibrary&) = delete;
  ScopedLibrary& operator=(const ScopedLibrary&) = delete;
  ~ScopedLibrary() {
    if (FModule) FreeLibrary(FModule);
  }
  FARPROC Find(const char* name) const { return FModule ? GetProcAddress(FModule, name) : nullptr; }

 private:
  HMODULE FModule;
};

}  // namespace

TDpiAwareness MakeProcessDpiAware() {
  TDpiAwareness awareness;
  {
    ScopedLibrary user32(L"user32.dll");
    using TSetProcessDPIAware = BOOL(WINAPI*)();
    if (auto f = reinterpret_cast<TSetProcessDPIAware>(
            reinterpret_cast<void*>(user32.Find("SetProcessDPIAware"))))
      awareness.ProcessDpiAware = f() != FALSE;
  }
  ScopedLibrary shcore(L"Shcore.dll");
  using TGetProcessDpiAwareness = HRESULT(WINAPI*)(HANDLE, int*);
  if (auto f = reinterpret_cast<TGetProcessDpiAwareness>(
          reinterpret_cast<void*>(shcore.Find("GetProcessDpiAwareness")))) {
    int value = 0;
    awareness.PerMonitorAware = SUCCEEDED(f(GetCurrentProcess(), &value)) && value == 2;
  }
  return awareness;
}

}  // namespace ac
