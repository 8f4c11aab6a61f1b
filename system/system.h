#pragma once
// What the platform-free core asks of the system. Windows answers with the real
// calls (system/win/system.cpp); the native build answers with the classic
// Windows defaults (system/native/system.cpp) so results are reproducible.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/color.h"

namespace ac::platform {

// The colour of system colour index Index (COLOR_BTNFACE is 15) as $00BBGGRR.
TColor SysColor(int index);

// True when the desktop composes windows (DwmIsCompositionEnabled). Windows
// asks the desktop once per process and remembers the answer; natively the
// answer is true unless a test sets it (native/composition_test_support.h).
bool CompositionEnabled();

// Text in the system's ANSI code page (Windows-1252 natively) as UTF-8.
std::string AnsiToUtf8(std::string_view text);

// The system's calls behind TPrivateFont: AddFontMemResourceEx (null when
// the system refused the font) and RemoveFontMemResourceEx. Natively a
// stand-in that hands out a handle of its own for every font.
void* AddPrivateFontResource(const void* data, std::size_t size);
bool RemovePrivateFontResource(void* handle);

// How many private fonts this process has added and removed, so that tests
// see fonts leave with the skin that brought them.
struct TFontCounts {
  long Added = 0;
  long Removed = 0;
};
inline TFontCounts& FontCountsOfProcess() {
  static TFontCounts counts;
  return counts;
}
inline TFontCounts FontCounts() {
  return FontCountsOfProcess();
}

// A font file held in memory, made available to this process only while the
// object lives; the handle is kept to take it away again.
class TPrivateFont {
 public:
  TPrivateFont() = default;
  // Adds the font; the result is empty when the system refused it.
  static TPrivateFont Add(const void* data, std::size_t size) {
    TPrivateFont font;
    if (data == nullptr || size == 0) return font;
    font.FHandle = AddPrivateFontResource(data, size);
    if (font.FHandle) ++FontCountsOfProcess().Added;
    return font;
  }
  ~TPrivateFont() { Release(); }
  TPrivateFont(TPrivateFont&& other) noexcept : FHandle(other.FHandle) { other.FHandle = nullptr; }
  TPrivateFont& operator=(TPrivateFont&& other) noexcept {
    if (this != &other) {
      Release();
      FHandle = other.FHandle;
      other.FHandle = nullptr;
    }
    return *this;
  }
  TPrivateFont(const TPrivateFont&) = delete;
  TPrivateFont& operator=(const TPrivateFont&) = delete;

  bool Added() const { return FHandle != nullptr; }

 private:
  void Release() {
    if (FHandle && RemovePrivateFontResource(FHandle)) ++FontCountsOfProcess().Removed;
    FHandle = nullptr;
  }
  void* FHandle = nullptr;
};

// Value with Decimals digits after the decimal separator, in the user's
// number format: the separator of the user's locale on Windows, natively
// always ".".
std::string FormatDecimal(double value, int decimals);

}  // namespace ac::platform
