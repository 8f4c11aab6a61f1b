#include "paint/mask_paint_layout.h"

#include <algorithm>

namespace ac {

namespace {

void FitPair(int32_t& near, int32_t& far, int32_t size) {
  const int32_t o = near + far - size;
  if (o <= 0) return;
  near -= o / 2;
  far -= o / 2 + (o % 2);
  near = std::max(near, 0);
  far = std::max(far, 0);
}

}  // namespace

TMaskBands FitMaskBands(TMaskBands bands, int32_t width, int32_t height) {
  FitPair(bands.L, bands.R, width);
  FitPair(bands.T, bands.B, height);
  return bands;
}

TNineSliceLayout LayoutNineSlice(const TRect& dst, TPoint srcOrigin, TSize frameSize,
                                 int32_t bottomSrc, TMaskBands b, TCentre centre) {
  TNineSliceLayout out;
  const int32_t cw = frameSize.cx - b.L - b.R;
  const int32_t ch = frameSize.cy - b.T - b.B;
  if (cw < 0 || ch < 0) return out;
  const int32_t sx = srcOrigin.X, sy = srcOrigin.Y;
  const int32_t sb = bottomSrc - b.B;  // first source row of the bottom band
  const int32_t sr = sx + b.L + cw;    // first source column of the right band
  const int32_t dl = dst.Left + b.L, dr = dst.Right - b.R;
  const int32_t dt = dst.Top + b.T, db = dst.Bottom - b.B;
  auto add = [&](TMaskPieceKind kind, TRect src, TRect d) {
    out.Pieces[out.Count++] = TMaskPiece{kind, src, d};
  };
  using K = TMaskPieceKind;
  add(K::Corner, TRect::XYWH(sx, sy, b.L, b.T), TRect::XYWH(dst.Left, dst.Top, b.L, b.T));
  add(K::Edge, TRect::XYWH(sx, sy + b.T, b.L, ch), TRect::LTRB(dst.Left, dt, dl, db));
  add(K::Edge, TRect::XYWH(sx + b.L, sy, cw, b.T), TRect::LTRB(dl, dst.Top, dr, dt));
  add(K::Corner, TRect::XYWH(sx, sb, b.L, b.B), TRect::XYWH(dst.Left, db, b.L, b.B));
  add(K::Edge, TRect::XYWH(sx + b.L, sb, cw, b.B), TRect::LTRB(dl, db, dr, dst.Bottom));
  add(K::Corner, TRect::XYWH(sr, sb, b.R, b.B), TRect::XYWH(dr, db, b.R, b.B));
  add(K::Corner, TRect::XYWH(sr, sy, b.R, b.T), TRect::XYWH(dr, dst.Top, b.R, b.T));
  add(K::Edge, TRect::XYWH(sr, sy + b.T, b.R, ch), TRect::LTRB(dr, dt, dst.Right, db));
  if (centre == TCentre::Paint)
    add(K::Centre, TRect::XYWH(sx + b.L, sy + b.T, cw, ch), TRect::LTRB(dl, dt, dr, db));
  return out;
}

TTileRun TileRun(int32_t length, int32_t pieceLength) {
  TTileRun run;
  if (length <= 0) return run;
  if (pieceLength > 0) {
    // A tile is placed while its start lies before Length - PieceLength.
    const int32_t limit = length - pieceLength;
    run.WholeTiles = limit > 0 ? (limit + pieceLength - 1) / pieceLength : 0;
  }
  run.LastStart = run.WholeTiles * pieceLength;
  run.LastLength = length - run.LastStart;
  return run;
}

}  // namespace ac
