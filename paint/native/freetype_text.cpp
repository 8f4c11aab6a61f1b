#include "paint/native/freetype_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <filesystem>
#include <unordered_map>
#include <vector>

#include "core/utf8.h"
#include "paint/skin_text.h"
#include "pixels/placement.h"
#include "pixels/polygon_fill.h"  // CompositeMask

namespace ac {

namespace {

// UTF-8 to code points; a malformed byte stands for itself.
std::u32string Decode(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (len == 1 || i + len > s.size()) {
      out += c;
      ++i;
      continue;
    }
    char32_t cp = c & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k)
      cp = cp << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out += cp;
    i += len;
  }
  return out;
}

// "&x" shows x (the platform underlines it; previews need not), "&&" one "&".
std::u32string StripPrefixes(const std::u32string& s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == U'&') {
      if (i + 1 < s.size()) out += s[++i];
      continue;
    }
    out += s[i];
  }
  return out;
}

struct TLine {
  std::u32string Text;
  int32_t Width = 0;
  int32_t X = 0;  // left end of the line
  int32_t Y = 0;  // top of the line
};

}  // namespace

struct TFreeTypeRasterizer::TState {
  FT_Library Library = nullptr;
  FT_Face Face = nullptr;
  bool Underline = false;
  int32_t Ascender = 0, LineHeight = 0;
  std::unordered_map<char32_t, int32_t> Advances;

  int32_t Advance(char32_t c) {
    if (const auto it = Advances.find(c); it != Advances.end()) return it->second;
    int32_t a = 0;
    if (FT_Load_Char(Face, c, FT_LOAD_DEFAULT) == 0)
      a = static_cast<int32_t>((Face->glyph->advance.x + 32) >> 6);
    Advances.emplace(c, a);
    return a;
  }

  int32_t Width(const std::u32string& s) {
    int32_t w = 0;
    for (char32_t c : s) w += Advance(c);
    return w;
  }

  // Greedy word wrap of one paragraph at Width; a word wider than a line
  // stands alone on its line.
  void Wrap(const std::u32string& para, int32_t width, std::vector<TLine>& out) {
    std::u32string line;
    std::size_t i = 0;
    while (i < para.size()) {
      std::size_t j = i;
      while (j < para.size() && para[j] != U' ') ++j;
      while (j < para.size() && para[j] == U' ') ++j;  // a word with its spaces
      const std::u32string word = para.substr(i, j - i);
      std::u32string trial = line + word;
      std::u32string trimmed = trial;
      while (!trimmed.empty() && trimmed.back() == U' ') trimmed.pop_back();
      if (!line.empty() && Width(trimmed) > width) {
        while (!line.empty() && line.back() == U' ') line.pop_back();
        out.push_back({line, Width(line)});
        line = word;
      } else {
        line = trial;
      }
      i = j;
    }
    while (!line.empty() && line.back() == U' ') line.pop_back();
    out.push_back({line, Width(line)});
  }

  // Lines of Text laid out in Rect by Flags; Extent gets their size.
  std::vector<TLine> Layout(std::string_view text, const TRect& rect, uint32_t flags,
                            TSize& extent) {
    std::u32string s = Decode(text);
    if ((flags & kDtNoPrefix) == 0) s = StripPrefixes(s);
    std::vector<TLine> lines;
    if ((flags & kDtSingleLine) != 0) {
      std::erase_if(s, [](char32_t c) { return c == U'\r' || c == U'\n'; });
      lines.push_back({s, Width(s)});
    } else {
      std::size_t start = 0;
      while (true) {
        const std::size_t nl = s.find(U'\n', start);
        std::u32string para = s.substr(start, nl == std::u32string::npos ? nl : nl - start);
        if (!para.empty() && para.back() == U'\r') para.pop_back();
        if ((flags & kDtWordBreak) != 0)
          Wrap(para, rect.Width(), lines);
        else
          lines.push_back({para, Width(para)});
        if (nl == std::u32string::npos) break;
        start = nl + 1;
      }
    }
    if ((flags & kDtEndEllipsis) != 0)
      for (TLine& l : lines)
        if (l.Width > rect.Width()) {
          std::string utf8;
          for (char32_t c : l.Text) AppendUtf8(utf8, c);
          l.Text = Decode(CutTextToWidth(*Owner, utf8, rect.Width()));
          l.Width = Width(l.Text);
        }
    extent = {0, static_cast<int32_t>(lines.size()) * LineHeight};
    for (const TLine& l : lines) extent.cx = std::max(extent.cx, l.Width);
    const bool single = (flags & kDtSingleLine) != 0;
    int32_t top = rect.Top;
    if (single && (flags & kDtBottom) != 0)
      top = rect.Bottom - extent.cy;
    else if (single && (flags & kDtVCenter) != 0)
      top = rect.Top + (rect.Height() - extent.cy) / 2;
    for (std::size_t k = 0; k < lines.size(); ++k) {
      TLine& l = lines[k];
      l.Y = top + static_cast<int32_t>(k) * LineHeight;
      l.X = (flags & kDtRight) != 0    ? rect.Right - l.Width
            : (flags & kDtCenter) != 0 ? rect.Left + (rect.Width() - l.Width) / 2
                                       : rect.Left;
    }
    return lines;
  }

  // Glyph coverage of the lines into Mask, whose pixel (0, 0) is Origin.
  void Render(const TsChannelBuffer& mask, TPoint origin, const std::vector<TLine>& lines) {
    for (const TLine& l : lines) {
      int32_t pen = l.X;
      const int32_t baseline = l.Y + Ascender;
      for (char32_t c : l.Text) {
        if (FT_Load_Char(Face, c, FT_LOAD_RENDER) == 0) {
          const FT_Bitmap& bm = Face->glyph->bitmap;
          const int32_t gx = pen + Face->glyph->bitmap_left - origin.X;
          const int32_t gy = baseline - Face->glyph->bitmap_top - origin.Y;
          for (int32_t y = 0; y < static_cast<int32_t>(bm.rows); ++y) {
            if (gy + y < 0 || gy + y >= mask.Height) continue;
            const uint8_t* src = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
            uint8_t* row = mask.Row(gy + y);
            for (int32_t x = 0; x < static_cast<int32_t>(bm.width); ++x) {
              const int32_t mx = gx + x;
              if (mx >= 0 && mx < mask.Width) row[mx] = std::max(row[mx], src[x]);
            }
          }
        }
        pen += Advance(c);
      }
      if (Underline) {
        const int32_t uy = baseline + 1 - origin.Y;
        if (uy >= 0 && uy < mask.Height)
          for (int32_t x = std::max(0, l.X - origin.X);
               x < std::min(mask.Width, l.X + l.Width - origin.X); ++x)
            mask.Row(uy)[x] = 255;
      }
    }
  }

  TFreeTypeRasterizer* Owner = nullptr;
};

TFreeTypeRasterizer::TFreeTypeRasterizer(const std::string& fontFile, int32_t pixelHeight)
    : F(std::make_unique<TState>()) {
  F->Owner = this;
  if (FT_Init_FreeType(&F->Library) != 0) throw EFontError("FreeType could not start");
  if (FT_New_Face(F->Library, fontFile.c_str(), 0, &F->Face) != 0) {
    FT_Done_FreeType(F->Library);
    throw EFontError("cannot open the font file \"" + fontFile + "\"");
  }
  if (pixelHeight < 1 || FT_Set_Pixel_Sizes(F->Face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
    FT_Done_Face(F->Face);
    FT_Done_FreeType(F->Library);
    throw EFontError("the font \"" + fontFile + "\" has no size of " + std::to_string(pixelHeight) +
                     " pixels");
  }
  const FT_Size_Metrics& m = F->Face->size->metrics;
  F->Ascender = static_cast<int32_t>((m.ascender + 63) >> 6);
  F->LineHeight = static_cast<int32_t>((m.height + 63) >> 6);
}

TFreeTypeRasterizer::~TFreeTypeRasterizer() {
  FT_Done_Face(F->Face);
  FT_Done_FreeType(F->Library);
}

int32_t TFreeTypeRasterizer::LineHeight() const {
  return F->LineHeight;
}

void TFreeTypeRasterizer::DrawText(const TsPixelBuffer& dst, TRect& rect, std::string_view text,
                                   TColor color, uint32_t flags) {
  TSize extent;
  const std::vector<TLine> lines = F->Layout(text, rect, flags, extent);
  if ((flags & kDtCalcRect) != 0) {
    rect.Right = rect.Left + extent.cx;
    rect.Bottom = rect.Top + extent.cy;
    return;
  }
  const TRect clip = (flags & kDtNoClip) != 0 ? dst.Bounds() : ClipToBuffer(rect, dst);
  if (dst.IsEmpty() || clip.IsEmpty() || text.empty()) return;
  TsChannelImage mask(clip.Width(), clip.Height());
  F->Render(mask.View(), clip.TopLeft(), lines);
  // Colour bytes move toward the text colour by the coverage; alpha stays.
  const TsPixel c(ColorToPixel(static_cast<uint32_t>(color)));
  ForEachMaskPixel(dst, clip.TopLeft(), mask.View(), [&](uint32_t a, uint8_t* p) {
    if (a == 0) return;
    p[0] = static_cast<uint8_t>((p[0] * (255 - a) + c.B() * a + 127) / 255);
    p[1] = static_cast<uint8_t>((p[1] * (255 - a) + c.G() * a + 127) / 255);
    p[2] = static_cast<uint8_t>((p[2] * (255 - a) + c.R() * a + 127) / 255);
  });
}

TSize TFreeTypeRasterizer::TextExtent(std::string_view text) {
  TSize extent;
  F->Layout(text, TRect{}, kDtSingleLine | kDtNoPrefix, extent);
  return extent;
}

bool TFreeTypeRasterizer::MeasureSmoothText(std::string_view text, int32_t wrapWidth, double& width,
                                            double& height) {
  TSize extent;
  F->Layout(text, TRect::XYWH(0, 0, wrapWidth, 0),
            wrapWidth > 0 ? kDtWordBreak | kDtNoPrefix : kDtSingleLine | kDtNoPrefix, extent);
  width = extent.cx;
  height = extent.cy;
  return true;
}

bool TFreeTypeRasterizer::DrawSmoothText(const TsPixelBuffer& dst, const TsSmoothTextLayout& layout,
                                         std::string_view text, TColor color, uint8_t opacity) {
  uint32_t flags = kDtWordBreak | kDtNoPrefix;
  if (layout.Horizontal == TTextAlign::Far) flags |= kDtRight;
  if (layout.Horizontal == TTextAlign::Centre) flags |= kDtCenter;
  TSize extent;
  std::vector<TLine> lines = F->Layout(text, layout.Layout, flags, extent);
  // Vertical alignment of the whole block, wrapped or not.
  const int32_t room = layout.Layout.Height() - extent.cy;
  const int32_t shift = layout.Vertical == TTextAlign::Far      ? room
                        : layout.Vertical == TTextAlign::Centre ? room / 2
                                                                : 0;
  for (TLine& l : lines) l.Y += shift;
  const TRect clip = ClipToBuffer(layout.Layout, dst);
  if (clip.IsEmpty()) return true;
  TsChannelImage mask(clip.Width(), clip.Height());
  F->Render(mask.View(), clip.TopLeft(), lines);
  if (opacity != 255)
    for (int32_t y = 0; y < clip.Height(); ++y)
      for (int32_t x = 0; x < clip.Width(); ++x) {
        uint8_t& m = mask.View().Row(y)[x];
        m = static_cast<uint8_t>((m * opacity + 127) / 255);
      }
  CompositeMask(dst, clip.TopLeft(), mask.View(), color);
  return true;
}

bool TFreeTypeRasterizer::Underline() const {
  return F->Underline;
}

void TFreeTypeRasterizer::SetUnderline(bool on) {
  F->Underline = on;
}

std::string FindPlatformFontFile() {
  for (const char* path :
       {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "/usr/share/fonts/TTF/DejaVuSans.ttf",
        "/usr/share/fonts/dejavu/DejaVuSans.ttf"}) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) return path;
  }
  return {};
}

}  // namespace ac
