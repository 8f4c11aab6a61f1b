#include "system/system.h"

#include "core/utf8.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace ac::platform {

namespace {

// The classic (Windows 2000 "Windows Standard") scheme, indexed by COLOR_*.
constexpr std::array<TColor, 31> kClassicColors = {
    0xC8C8C8,  // COLOR_SCROLLBAR
    0xA56E3A,  // COLOR_BACKGROUND
    0x6A240A,  // COLOR_ACTIVECAPTION
    0x808080,  // COLOR_INACTIVECAPTION
    0xC8D0D4,  // COLOR_MENU
    0xFFFFFF,  // COLOR_WINDOW
    0x000000,  // COLOR_WINDOWFRAME
    0x000000,  // COLOR_MENUTEXT
    0x000000,  // COLOR_WINDOWTEXT
    0xFFFFFF,  // COLOR_CAPTIONTEXT
    0xC8D0D4,  // COLOR_ACTIVEBORDER
    0xC8D0D4,  // COLOR_INACTIVEBORDER
    0x808080,  // COLOR_APPWORKSPACE
    0x6A240A,  // COLOR_HIGHLIGHT
    0xFFFFFF,  // COLOR_HIGHLIGHTTEXT
    0xC8D0D4,  // COLOR_BTNFACE
    0x808080,  // COLOR_BTNSHADOW
    0x808080,  // COLOR_GRAYTEXT
    0x000000,  // COLOR_BTNTEXT
    0xC8D0D4,  // COLOR_INACTIVECAPTIONTEXT
    0xFFFFFF,  // COLOR_BTNHIGHLIGHT
    0x404040,  // COLOR_3DDKSHADOW
    0xC8D0D4,  // COLOR_3DLIGHT
    0x000000,  // COLOR_INFOTEXT
    0xE1FFFF,  // COLOR_INFOBK
    0xB5B5B5,  // 25, unused by the system
    0x800000,  // COLOR_HOTLIGHT
    0xF0CAA6,  // COLOR_GRADIENTACTIVECAPTION
    0xC0C0C0,  // COLOR_GRADIENTINACTIVECAPTION
    0x6A240A,  // COLOR_MENUHILIGHT
    0xC8D0D4,  // COLOR_MENUBAR
};

// Windows-1252 bytes 0x80..0x9F; zero marks the five unassigned codes, which map
// to the C1 control of the same value as Windows itself does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

TColor SysColor(int index) {
  if (index < 0 || index >= static_cast<int>(kClassicColors.size())) return 0;
  return kClassicColors[static_cast<std::size_t>(index)];
}

std::string AnsiToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    auto b = static_cast<uint8_t>(ch);
    char32_t c = b;
    if (b >= 0x80 && b < 0xA0 && kCp1252High[b - 0x80] != 0) c = kCp1252High[b - 0x80];
    AppendUtf8(out, c);
  }
  return out;
}

// Any distinct non-null value serves as the stand-in's handle.
void* AddPrivateFontResource(const void*, std::size_t) {
  static std::uintptr_t next = 0;
  return reinterpret_cast<void*>(++next);
}

bool RemovePrivateFontResource(void* handle) {
  return handle != nullptr;
}

std::string FormatDecimal(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace ac::platform
