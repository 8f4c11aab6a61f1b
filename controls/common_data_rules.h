#pragma once
// What the shared skin handling of TsCommonData reads about control classes
// and repaints, for its source files alone: which classes light up under the
// mouse, which only while focused, which take their colours from the state,
// and the RedrawWindow flags of a control repaint.

#include <windows.h>

#include <cstdint>

namespace ac {

// RedrawWindow flags of a control repaint: invalidate, erase, frame, all
// children, and with the update-now variant paint before returning.
inline constexpr UINT kRedrawLater = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
inline constexpr UINT kRedrawNow = kRedrawLater | RDW_UPDATENOW;

// Classes that never light up under the mouse: panels, bars, frames.
inline bool InNoHover(uint8_t coc) {
  return coc == 19 || (coc >= 51 && coc <= 74) || coc == 110 || (coc >= 141 && coc <= 161);
}

// Classes that are active only while focused: edits and their kin.
inline bool InFocusOnly(uint8_t coc) {
  return (coc >= 2 && coc <= 18) || (coc >= 76 && coc <= 85) || (coc >= 132 && coc <= 140) ||
         coc == 231;
}

// Classes whose Color and font colour follow their active or normal state.
inline bool InStateColors(uint8_t coc) {
  return (coc >= 2 && coc <= 18) || (coc >= 76 && coc <= 84) || (coc >= 132 && coc <= 140) ||
         coc == 231;
}

// Classes that light up under the mouse without a hover glow from the
// shared handler, and are reported as not active to their children.
inline bool InNoGlowA(uint8_t coc) {
  switch (coc) {
    case 51:
    case 54:
    case 56:
    case 57:
    case 58:
    case 59:
    case 74:
    case 110:
    case 141:
    case 143:
    case 151:
    case 161:
    case 226:
      return true;
    default:
      return false;
  }
}

}  // namespace ac
