#pragma once
// What the adapters of standard windows share when they paint: the
// background their window sits on, the window's font, text in the cache, and
// copying the cache to a device context.

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "controls/background_query.h"
#include "controls/ts_common_data.h"
#include "core/color.h"
#include "core/geometry.h"
#include "framework/bitmap.h"

namespace ac {

// Asks the parent of Window what lies behind Window (SKC_GETBACKGROUND);
// when nobody skinned answers, the parent's colour (ParentWindowColor). The
// answer is in the parent's client coordinates: paint with Offset = Window's
// position there.
TacBgQuery QueryWindowBackground(HWND window);

// The colour of Window's parent: a skinned parent's SKC_GETBGCOLOR, a
// framework parent's Color, else the system's button face.
TColor ParentWindowColor(HWND window);

// The font Window draws its text with (WM_GETFONT), or the system's GUI font.
HFONT WindowFont(HWND window);

// Makes Cache Width x Height (kept when it has that size already); false
// when the bitmap could not be made.
bool SizeCache(TBitmap& cache, int width, int height);

// Fills Cache with the background answer (the parent's image under the
// window, or its colour).
void FillCacheFromBackground(TBitmap& cache, const TacBgQuery& query, TPoint offset);

// Writes Text in Window's font into Rect of Cache: in the section colours of
// Data's section for State (Part of the skin's text effects), or, with Forced
// set (not clNone), plainly in that colour.
void WriteWindowText(TBitmap& cache, HWND window, TRect rect, std::string_view text,
                     const TsCommonData& data, int32_t state, TColor forced, uint32_t flags);

// The size of Text in Window's font with Flags (DT_CALCRECT within Width).
TSize MeasureWindowText(HWND window, std::string_view text, int width, uint32_t flags);

}  // namespace ac
