#pragma once
// The question a child that paints over its parent asks about what lies
// behind it, and the parent's answer. The parent's skin data answers with its
// painted face (bqImage), with a plain colour, possibly framed by the bands of
// its border (bqColor), or with bqNotReady when its face cannot be built yet:
// the child then waits for SKC_PARENTUPDATED.

#include <windows.h>

#include <cstdint>

#include "core/color.h"
#include "core/geometry.h"
#include "framework/bitmap.h"
#include "framework/control.h"
#include "pixels/cache_info.h"

namespace ac {

enum TacBgKind : uint8_t { bqNone = 0, bqColor = 1, bqImage = 2, bqNotReady = 3 };

struct TacBgQuery {
  const TBitmap* Image = nullptr;
  TColor Color = clNone;
  TPoint Origin;   // where the child's area starts inside Image
  TRect Area;      // destination rectangle in TargetDC
  TRect FillArea;  // border widths (left, top, right, bottom) framing a plain colour
  TacBgKind Kind = bqNone;
  bool PaintToDC = false;
  HDC TargetDC = nullptr;
};

// Asks Child's parent what lies behind Child (SKC_GETBACKGROUND). When no
// skinned parent answers, the answer is the parent's background colour.
TacBgQuery QueryParentBackground(TControl& child);

// The answer as the section painters take it: an image answer shows the
// image at Origin; any other answer stands for the colour (as RGB) framed
// by FillArea.
TCacheInfo CacheInfoFromQuery(const TacBgQuery& query);

// The background colour Control's parent reports (SKC_GETBGCOLOR from a
// skinned parent, else its own colour), as RGB; magenta without a parent.
TColor ParentBackColor(TControl& control);

}  // namespace ac
