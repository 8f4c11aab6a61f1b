#include "paint/skin_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "pixels/blend_channel.h"
#include "pixels/blur.h"
#include "pixels/glow_mask.h"

namespace ac {

namespace {

// Bytes of the UTF-8 sequence starting with Lead; a stray byte counts alone.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// The byte offsets where each character of Text ends.
std::vector<std::size_t> CharacterEnds(std::string_view text) {
  std::vector<std::size_t> ends;
  for (std::size_t i = 0; i < text.size();) {
    i = std::min(text.size(), i + SequenceLength(static_cast<unsigned char>(text[i])));
    ends.push_back(i);
  }
  return ends;
}

TsPixelImage WhiteImage(int32_t w, int32_t h, uint32_t white = 0xFFFFFFFFu) {
  TsPixelImage img(w, h);
  for (int32_t y = 0; y < h; ++y) std::fill_n(img.View().Row(y), w, white);
  return img;
}

// Masks larger than this are not made: a glow is for captions, and a
// rectangle this large is a caller's mistake that must not exhaust memory.
constexpr int64_t kMaxGlowPixels = int64_t{1} << 24;

}  // namespace

std::string_view LeadingUtf16Units(std::string_view text, std::size_t units) {
  std::size_t used = 0, i = 0;
  while (i < text.size()) {
    const std::size_t len = SequenceLength(static_cast<unsigned char>(text[i]));
    const std::size_t cost = len == 4 ? 2 : 1;  // outside the basic plane: a surrogate pair
    if (used + cost > units) break;
    used += cost;
    i = std::min(text.size(), i + len);
  }
  return text.substr(0, i);
}

void DrawSkinText(const TsTextCanvas& canvas, TRect& rect, std::string_view text, uint32_t flags,
                  const TsPixelBuffer* buffer) {
  if (canvas.Font == nullptr) return;
  TacTextRasterizer& font = *canvas.Font;
  const uint32_t plain = flags & ~kDtSmoothText;
  if ((flags & kDtSmoothText) == 0) {
    font.DrawText(canvas.Bmp, rect, LeadingUtf16Units(text, kMaxDrawnTextLength), canvas.FontColor,
                  plain);
    return;
  }
  if ((flags & kDtCalcRect) != 0) {
    if (text.empty()) {
      rect.Right = rect.Left;
      rect.Bottom = rect.Top;
      return;
    }
    double w = 0, h = 0;
    const int32_t wrap = (flags & kDtWordBreak) != 0 ? rect.Width() : 0;
    if (font.MeasureSmoothText(text, wrap, w, h)) {
      rect.Right = rect.Left + static_cast<int32_t>(std::nearbyint(w)) + 1;
      rect.Bottom = rect.Top + static_cast<int32_t>(std::nearbyint(h)) + 1;
    } else {
      font.DrawText(canvas.Bmp, rect, LeadingUtf16Units(text, kMaxDrawnTextLength),
                    canvas.FontColor, plain);
    }
    return;
  }
  if (text.empty() || rect.IsEmpty()) return;
  TsSmoothTextLayout layout;
  layout.Layout = TRect::XYWH(rect.Left, rect.Top, rect.Width() + 1, rect.Height() + 1);
  layout.Horizontal = (flags & kDtRight) != 0    ? TTextAlign::Far
                      : (flags & kDtCenter) != 0 ? TTextAlign::Centre
                                                 : TTextAlign::Near;
  layout.Vertical = (flags & kDtBottom) != 0    ? TTextAlign::Far
                    : (flags & kDtVCenter) != 0 ? TTextAlign::Centre
                                                : TTextAlign::Near;
  if (font.DrawSmoothText(canvas.Bmp, layout, text, canvas.FontColor, 255)) return;
  if (buffer != nullptr)
    WriteAlphaText({*buffer, &font, canvas.FontColor}, rect, text, TKeepAlpha::Yes,
                   canvas.FontColor, plain);
}

void WriteAlphaText(const TsTextCanvas& canvas, const TRect& rect, std::string_view text,
                    TKeepAlpha keepAlpha, TColor color, uint32_t flags) {
  if (canvas.Font == nullptr || text.empty()) return;
  // Only the part of Rect inside the image is drawn; the text is still laid
  // out in the whole of Rect.
  const TRect visible = ClipToBuffer(rect, canvas.Bmp);
  if (visible.IsEmpty()) return;
  // White with alpha 0, as the platform fills a bitmap: the text keeps that
  // alpha, so a fully covered pixel is 0 (black, alpha 0) and takes the
  // composition's rule for full cover.
  TsPixelImage temp = WhiteImage(visible.Width(), visible.Height(), 0x00FFFFFFu);
  TRect r = rect.Offset(-visible.Left, -visible.Top);
  DrawSkinText({temp.View(), canvas.Font, clBlack}, r, text, flags & ~kDtSmoothText);
  ComposeTextImage(canvas.Bmp, visible.TopLeft(), temp.View(), color, keepAlpha);
}

void DrawTextGlow(const TsTextCanvas& canvas, const TRect& rect, std::string_view text,
                  TsChannelImage& maskCache, TColor glowColor, int32_t glowSize, uint32_t sides,
                  uint32_t flags) {
  if (canvas.Font == nullptr || glowSize < 1 || glowSize > kMaxGlowSize || text.empty() ||
      rect.IsEmpty())
    return;
  const TRect r = rect.Offset(1, 1);
  const int32_t g = glowSize + 4;
  const TRect outer = r.Inflate(g, g);
  if (int64_t{outer.Width()} * outer.Height() > kMaxGlowPixels) return;
  const TsChannelBuffer& cached = maskCache.View();
  if (cached.Width != outer.Width() || cached.Height != outer.Height()) {
    TsPixelImage temp = WhiteImage(outer.Width(), outer.Height());
    const TsTextCanvas onTemp{temp.View(), canvas.Font, clBlack};
    const TRect at = TRect::XYWH(g, g, r.Width(), r.Height());
    struct TCopy {
      uint32_t Bit;
      int32_t Dx, Dy;
    };
    for (const TCopy c : {TCopy{0, 0, 0}, TCopy{gsLeft, -1, 0}, TCopy{gsTop, 0, -1},
                          TCopy{gsRight, 1, 0}, TCopy{gsBottom, 0, 1}}) {
      if (c.Bit != 0 && (sides & c.Bit) == 0) continue;
      TRect copy = at.Offset(c.Dx, c.Dy);
      DrawSkinText(onTemp, copy, text, flags, &temp.View());
    }
    maskCache = TsChannelImage(outer.Width(), outer.Height());
    // Black text on white: any colour byte is the mask.
    ExtractChannel(maskCache.View(), temp.View(), 1);
    BlurMask8(maskCache.View(), glowSize);
  }
  BlendGlowMask(canvas.Bmp, outer.TopLeft(), maskCache.View(), glowColor);
}

std::string CutTextToWidth(TacTextRasterizer& font, std::string_view text, int32_t width) {
  if (width < 1) return {};
  if (font.TextExtent(text).cx <= width) return std::string(text);
  const std::vector<std::size_t> ends = CharacterEnds(text);
  // A beginning wider than Width stays too wide with the dots after it, so
  // the search for the longest one that fits can start below the longest
  // beginning that fits alone.
  std::size_t lo = 0, hi = ends.size() - 1;  // characters kept; all of them do not fit
  while (lo < hi) {
    const std::size_t mid = (lo + hi + 1) / 2;
    if (font.TextExtent(text.substr(0, ends[mid - 1])).cx <= width)
      lo = mid;
    else
      hi = mid - 1;
  }
  for (std::size_t kept = lo; kept > 0; --kept) {
    std::string candidate(text.substr(0, ends[kept - 1]));
    candidate += "...";
    if (font.TextExtent(candidate).cx <= width) return candidate;
  }
  return {};
}

TSize MeasureText(TacTextRasterizer& font, std::string_view text, uint32_t flags, int32_t wrapWidth,
                  TAddI addI, TMultiLine multiLine) {
  TSize size;
  if (multiLine == TMultiLine::Yes) {
    TRect r = TRect::XYWH(0, 0, wrapWidth, 0);
    DrawSkinText({TsPixelBuffer(), &font, clBlack}, r, text, flags | kDtCalcRect | kDtWordBreak);
    size = {r.Width(), r.Height()};
  } else {
    size = font.TextExtent(text);
  }
  if (addI == TAddI::Yes) size.cx += font.TextExtent("I").cx;
  return size;
}

}  // namespace ac
