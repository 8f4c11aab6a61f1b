#pragma once
// The geometry of nine-slice painting, apart from any pixel transfer: which
// source piece goes to which destination rectangle, how the bands shrink when
// the destination is too small, and where tiles fall along an edge.
//
//   +----+--------------+----+
//   | 1  |      3       | 7  |     1, 4, 6, 7: corners, copied at their size
//   +----+--------------+----+     2, 3, 5, 8: edges, tiled or stretched along
//   |    |              |    |                 their length
//   | 2  |      9       | 8  |     9: centre, only with draw-mode bit value 4
//   |    |              |    |
//   +----+--------------+----+     The numbers are the painting order.
//   | 4  |      5       | 6  |
//   +----+--------------+----+

#include <array>
#include <cstdint>

#include "core/geometry.h"

namespace ac {

// Border widths: left and right columns, top and bottom rows.
struct TMaskBands {
  int32_t L = 0;
  int32_t T = 0;
  int32_t R = 0;
  int32_t B = 0;

  friend bool operator==(const TMaskBands&, const TMaskBands&) = default;
};

// Shrinks the bands to a Width x Height destination: when l + r exceeds the
// width by o, each side loses o div 2 and the right side one more when o is
// odd; the same for t and b (b takes the odd pixel). Negative results become 0.
TMaskBands FitMaskBands(TMaskBands bands, int32_t width, int32_t height);

enum class TMaskPieceKind { Corner, Edge, Centre };

// One piece: Src in the source image (exclusive), Dst in the destination.
// Edge and centre pieces have Src and Dst of different sizes; corners do not.
struct TMaskPiece {
  TMaskPieceKind Kind = TMaskPieceKind::Corner;
  TRect Src;
  TRect Dst;
};

struct TNineSliceLayout {
  std::array<TMaskPiece, 9> Pieces;
  int32_t Count = 0;  // 0 when nothing is painted (negative centre size)
};

// The pieces in painting order for one frame whose top-left corner in the
// source image is SrcOrigin, FrameSize the size of one frame without mask rows
// and BottomSrc the row just below the frame's image rows. Bands must already
// be fitted. With TCentre::Skip the centre piece is left out.
enum class TCentre { Skip, Paint };
TNineSliceLayout LayoutNineSlice(const TRect& dst, TPoint srcOrigin, TSize frameSize,
                                 int32_t bottomSrc, TMaskBands bands, TCentre centre);

// Tiling one dimension of Length pixels with a source piece of PieceLength:
// whole tiles at 0, PieceLength, ... while a tile's start is before
// Length - PieceLength, then one final piece of LastLength at LastStart, cut
// from the start of the source piece. With PieceLength 0 there are no whole
// tiles and the final piece is the whole length.
struct TTileRun {
  int32_t WholeTiles = 0;
  int32_t LastStart = 0;
  int32_t LastLength = 0;

  friend bool operator==(const TTileRun&, const TTileRun&) = default;
};
TTileRun TileRun(int32_t length, int32_t pieceLength);

// The frame index of State in an entry of ImageCount frames: the last frame
// serves every state past it.
inline int32_t MaskFrameIndex(int32_t state, int32_t imageCount) {
  if (state < 0) state = 0;
  return imageCount <= 1 ? 0 : (state < imageCount ? state : imageCount - 1);
}

}  // namespace ac
