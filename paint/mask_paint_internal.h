#pragma once
// Pieces shared by the nine-slice painters (plain, layered, capped), the frame
// painter and the texture filler. Internal to paint/.

#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/geometry.h"
#include "paint/mask_paint_layout.h"
#include "paint/paint_limits.h"
#include "pixels/pixel_buffer.h"
#include "skin/draw_mode.h"
#include "skin/skin_data.h"

namespace ac::mask_detail {

inline constexpr uint32_t kKeyPixel = 0x00FF00FFu;  // clFuchsia with alpha 0

inline uint32_t Ch(uint32_t p, int shift) {
  return (p >> shift) & 0xFFu;
}

// d := ((d - s) * m + s * 256) >> 8 on one byte; never negative.
inline uint32_t MaskMix(uint32_t d, uint32_t s, uint32_t m) {
  return static_cast<uint32_t>((static_cast<int32_t>(d) - static_cast<int32_t>(s)) *
                                   static_cast<int32_t>(m) +
                               static_cast<int32_t>(s) * 256) >>
         8;
}

// The mask combination on the three colour bytes, each with the mask byte of
// its own channel; the alpha byte of D is kept.
inline uint32_t CombineThroughMask(uint32_t d, uint32_t s, uint32_t m) {
  return (d & 0xFF000000u) | (MaskMix(Ch(d, 16), Ch(s, 16), Ch(m, 16)) << 16) |
         (MaskMix(Ch(d, 8), Ch(s, 8), Ch(m, 8)) << 8) | MaskMix(Ch(d, 0), Ch(s, 0), Ch(m, 0));
}

// A same-size transfer after clipping: W x H pixels from (SX, SY) of the
// source to (DX, DY) of the destination; empty when W or H is not positive.
struct TClipped {
  int32_t SX = 0, SY = 0, DX = 0, DY = 0, W = 0, H = 0;
  bool IsEmpty() const { return W <= 0 || H <= 0; }
};

// Clips Src (in a SrcW x SrcH image) placed at DstPoint to both images. The
// rows SrcH limits are those of the image part (mask rows excluded by the
// caller when it passes a smaller SrcH).
TClipped ClipTransfer(const TRect& src, int32_t srcW, int32_t srcH, TPoint dstPoint, int32_t dstW,
                      int32_t dstH);

// Visits each pixel of a same-size piece: the Src rectangle of Img (its image
// part being the first ImageRows rows) meets Dst at At, clipped to both. The
// mask pixel of an image pixel lies MaskOffset rows below it (0: the image
// pixel itself, for pieces without mask rows). Rule(d, s, m, x, y) gets the
// destination pixel to change, the image and mask pixels and the destination
// position.
template <typename PixelRule>
void ForEachPiecePixel(const TsPixelBuffer& dst, TPoint at, const TsPixelBuffer& img,
                       const TRect& src, int32_t imageRows, int32_t maskOffset, PixelRule rule) {
  const TClipped c = ClipTransfer(src, img.Width, imageRows, at, dst.Width, dst.Height);
  if (c.IsEmpty()) return;
  for (int32_t y = 0; y < c.H; ++y) {
    const uint32_t* s = img.Row(c.SY + y) + c.SX;
    const uint32_t* m = img.Row(c.SY + y + maskOffset) + c.SX;
    uint32_t* d = dst.Row(c.DY + y) + c.DX;
    for (int32_t x = 0; x < c.W; ++x) rule(d[x], s[x], m[x], c.DX + x, c.DY + y);
  }
}

// Copies the Src rectangle of Img to Dst at At, all four bytes, clipped to
// both images: a piece that starts outside its image copies nothing.
void CopyClipped(const TsPixelBuffer& dst, TPoint at, const TsPixelBuffer& img, const TRect& src);

// Copies Rect of Src (clamped; pixels outside stay 0) into a new image.
TsPixelImage CopyRegion(const TsPixelBuffer& src, const TRect& rect);

// Scales Rect of Src to Size and returns only the part Window of the result
// (in the scaled piece's coordinates, inside it), so a piece reaching far past
// the destination costs no more than what is seen. With a filter the whole
// piece goes through the resampler; nearest-pixel sampling is used without one,
// for a source piece narrower or lower than 2 pixels, and for a piece larger
// than the area of an 8K screen.
TsPixelImage ScaleWindow(const TsPixelBuffer& src, const TRect& rect, TSize size,
                         const TRect& window, std::optional<int32_t> filter);

// The part of a piece's destination rectangle that lies inside Dst.
TRect VisiblePart(const TRect& to, const TsPixelBuffer& dst);

enum class TImageKind { Keyed, Alpha };

// A stretched edge or centre piece of an entry without mask rows: alpha images
// are blended over Dst at Opacity (a piece at the image's origin smoothed with
// the Mitchell filter, others by nearest pixels), keyed images copied, all four
// bytes, by nearest pixels.
void StretchUnmasked(const TsPixelBuffer& dst, const TRect& to, const TsPixelBuffer& img,
                     const TRect& src, TImageKind kind, uint8_t opacity);

// Whether a stretched masked piece is smoothed with the resampler: both target
// sizes above 1 and either a shrink in one direction with the other size kept,
// or the smoothing flag (the centre piece).
bool UseSmoothScaling(TSize src, TSize dst, bool smoothFlag);

// The image an entry is painted from: its own bitmap, else the skin's master
// bitmap it was cut from. Empty for an entry with neither.
TsPixelBuffer EntryImage(const TsMaskData& mask);

// Stretches a masked piece: the image region Src of Img and its mask region
// MaskOffset rows below are scaled to To's size, separately, and every
// destination pixel inside Dst is passed to Pixel(d, s, m) with the scaled
// image pixel s and mask pixel m. Smoothing (the centre) or a shrink along one
// side resamples them with the given filters when both target sizes exceed 1;
// otherwise nearest pixels are taken. A smoothed 1 x 1 piece is one colour c
// with one mask value g (the mask's red byte): g = 0 fills To with c at alpha
// 255, g = 255 leaves it, and any other g goes to Dot(d, c, g) per pixel.
struct TStretchFilters {
  int32_t Image;
  int32_t Mask;
};

template <typename PixelRule, typename DotRule>
void StretchMasked(const TsPixelBuffer& dst, const TRect& to, const TsPixelBuffer& img,
                   const TRect& src, int32_t maskOffset, bool smooth, TStretchFilters filters,
                   PixelRule pixel, DotRule dot) {
  const TRect maskSrc = src.Offset(0, maskOffset);
  if (smooth && src.Width() == 1 && src.Height() == 1) {
    if (!img.Contains(src.Left, src.Top) || !img.Contains(maskSrc.Left, maskSrc.Top)) return;
    const uint32_t c = img.At(src.Left, src.Top);
    const uint32_t g = Ch(img.At(maskSrc.Left, maskSrc.Top), 16);
    if (g == 255) return;
    const TRect r = to.Intersect(dst.Bounds());
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
      uint32_t* d = dst.Row(y);
      for (int32_t x = r.Left; x < r.Right; ++x)
        d[x] = g == 0 ? (c & 0x00FFFFFFu) | 0xFF000000u : dot(d[x], c, g);
    }
    return;
  }
  const TRect vis = VisiblePart(to, dst);
  if (vis.IsEmpty()) return;
  const TRect window = vis.Offset(-to.Left, -to.Top);
  const TSize size{to.Width(), to.Height()};
  const bool filtered = UseSmoothScaling({src.Width(), src.Height()}, size, smooth);
  const TsPixelImage image =
      ScaleWindow(img, src, size, window, filtered ? std::optional(filters.Image) : std::nullopt);
  const TsPixelImage mask = ScaleWindow(img, maskSrc, size, window,
                                        filtered ? std::optional(filters.Mask) : std::nullopt);
  for (int32_t y = 0; y < vis.Height(); ++y) {
    const uint32_t* s = image.View().Row(y);
    const uint32_t* m = mask.View().Row(y);
    uint32_t* d = dst.Row(vis.Top + y) + vis.Left;
    for (int32_t x = 0; x < vis.Width(); ++x) d[x] = pixel(d[x], s[x], m[x]);
  }
}

// The first of Whole tiles of Length, laid from Start, that reaches column
// or row 0.
inline int32_t FirstVisibleTile(int32_t start, int32_t length, int32_t whole) {
  if (start >= 0 || length <= 0) return 0;
  return static_cast<int32_t>(std::min<int64_t>(whole, -int64_t{start} / length));
}

// Nine-slice driver shared by the three border painters. Transfer provides
//   Corner(src, dstPoint)   a corner piece at its own size,
//   Tile(kind, src, dstPoint)   an edge or centre tile at its own size,
//   Stretch(kind, src, dstRect)   an edge or centre piece scaled to dstRect,
// and may provide
//   bool TileArea(kind, src, dstRect)   a whole tiled piece at once (false:
//   not handled, the driver places the tiles one by one).
template <typename Transfer>
void PaintNineSlice(const TsPixelBuffer& dst, const TRect& rect, const TsMaskData& mask,
                    int32_t state, TMaskBands bands, Transfer& transfer) {
  // Mask rows lie Height rows below the image rows: without image rows there
  // is nothing to combine. Bands below 0 are taken as 0.
  if (mask.MaskType != 0 && mask.Height <= 0) return;
  bands = {std::max(bands.L, 0), std::max(bands.T, 0), std::max(bands.R, 0), std::max(bands.B, 0)};
  bands = FitMaskBands(bands, rect.Width(), rect.Height());
  const int32_t frame = MaskFrameIndex(state, mask.ImageCount);
  const int64_t left = mask.R.Left + int64_t{frame} * mask.Width;
  if (!paint_limits::InPaintRange(left)) return;
  const TPoint origin{static_cast<int32_t>(left), mask.R.Top};
  const int32_t bottomSrc = mask.MaskType != 0 ? mask.R.Top + mask.Height : mask.R.Bottom;
  const TCentre centre =
      HasDrawModeBit(mask.DrawMode, TDrawModeBit::Centre) ? TCentre::Paint : TCentre::Skip;
  const TNineSliceLayout layout =
      LayoutNineSlice(rect, origin, {mask.Width, mask.Height}, bottomSrc, bands, centre);
  const bool stretch = HasDrawModeBit(mask.DrawMode, TDrawModeBit::Stretch);
  for (int32_t i = 0; i < layout.Count; ++i) {
    const TMaskPiece& p = layout.Pieces[i];
    if (p.Dst.IsEmpty() || p.Dst.Intersect(dst.Bounds()).IsEmpty()) continue;
    if (p.Kind == TMaskPieceKind::Corner) {
      if (!p.Src.IsEmpty()) transfer.Corner(p.Src, p.Dst.TopLeft());
      continue;
    }
    if (stretch) {
      if (!p.Src.IsEmpty()) transfer.Stretch(p.Kind, p.Src, p.Dst);
      continue;
    }
    // A transfer may tile a whole piece in one pass: the runs of TileRun start
    // every piece length from the edge's start, so the source column of a
    // destination column is its offset modulo the piece length.
    if constexpr (requires { transfer.TileArea(p.Kind, p.Src, p.Dst); }) {
      if (!p.Src.IsEmpty() && transfer.TileArea(p.Kind, p.Src, p.Dst)) continue;
    }
    // Tiled: along x for the top and bottom edges and the centre, along y for
    // the side edges and the centre.
    const bool alongX = p.Kind == TMaskPieceKind::Centre || p.Src.Height() == p.Dst.Height();
    const bool alongY = p.Kind == TMaskPieceKind::Centre || !alongX;
    const TTileRun rx =
        alongX ? TileRun(p.Dst.Width(), p.Src.Width()) : TTileRun{0, 0, p.Dst.Width()};
    const TTileRun ry =
        alongY ? TileRun(p.Dst.Height(), p.Src.Height()) : TTileRun{0, 0, p.Dst.Height()};
    // Whole tiles that end above or left of the destination are not visited.
    const int32_t firstX = FirstVisibleTile(p.Dst.Left, p.Src.Width(), rx.WholeTiles);
    const int32_t firstY = FirstVisibleTile(p.Dst.Top, p.Src.Height(), ry.WholeTiles);
    for (int32_t ty = firstY; ty <= ry.WholeTiles; ++ty) {
      const int32_t y = ty < ry.WholeTiles ? ty * p.Src.Height() : ry.LastStart;
      const int32_t h = ty < ry.WholeTiles ? p.Src.Height() : ry.LastLength;
      if (h <= 0) continue;
      if (p.Dst.Top + y >= dst.Height) break;
      for (int32_t tx = firstX; tx <= rx.WholeTiles; ++tx) {
        const int32_t x = tx < rx.WholeTiles ? tx * p.Src.Width() : rx.LastStart;
        const int32_t w = tx < rx.WholeTiles ? p.Src.Width() : rx.LastLength;
        if (w <= 0) continue;
        if (p.Dst.Left + x >= dst.Width) break;
        transfer.Tile(p.Kind, TRect::XYWH(p.Src.Left, p.Src.Top, w, h),
                      TPoint{p.Dst.Left + x, p.Dst.Top + y});
      }
    }
  }
}

}  // namespace ac::mask_detail
