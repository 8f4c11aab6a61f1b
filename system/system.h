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
// answer is true unless a test sets it (native/composition_testing.h).
bool CompositionEnabled();

// Text in the system's ANSI code page (Windows-1252 natively) as UTF-8.
std::string AnsiToUtf8(std::string_view text);

// Makes a font file held in memory available to this process only
// (AddFontMemResourceEx). Returns false when the system refused it; natively a
// no-op that returns true.
bool AddFontFromMemory(const void* data, std::size_t size);

}  // namespace ac::platform
