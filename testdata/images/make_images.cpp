// Writes the decoder fixtures of this folder and, beside each, the pixels a
// decoder must produce (<name>.bgra: width and height as little-endian 32-bit
// words, then B, G, R, A bytes top-down).
//
// The expectations of PNG and BMP files come from the pixel model the file was
// written from, not from any decoder. Those of JPEG files, which have no exact
// model, come from the native decoder; the Windows build must match them.
// Rebuild from the repository's root with:
//
//   c++ -std=c++20 -O2 -I. -o /tmp/make_images testdata/images/make_images.cpp
//       pixels/native/image_codec*.cpp pixels/bmp_reader.cpp -lpng -ljpeg
//   /tmp/make_images testdata/images

#include <png.h>
#include <cstdio>

#include <jpeglib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "pixels/image_codec.h"

namespace {

std::string g_dir;

uint32_t g_seed = 12345;
uint32_t Rand() {
  g_seed = g_seed * 1103515245u + 12345u;
  return g_seed >> 8;
}

struct Px {
  uint8_t B, G, R, A;
};

struct Expected {
  int W, H;
  std::vector<Px> P;
  Expected(int w, int h) : W(w), H(h), P(static_cast<size_t>(w) * h, Px{0, 0, 0, 255}) {}
  Px& At(int x, int y) { return P[static_cast<size_t>(y) * W + x]; }
};

void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  std::ofstream f(g_dir + "/" + name, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) {
    std::fprintf(stderr, "cannot write %s\n", name.c_str());
    std::exit(1);
  }
}

void Put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}
void Put16(std::vector<uint8_t>& v, uint16_t x) {
  v.push_back(static_cast<uint8_t>(x));
  v.push_back(static_cast<uint8_t>(x >> 8));
}

void WriteExpected(const std::string& name, const Expected& e) {
  std::vector<uint8_t> out;
  Put32(out, e.W);
  Put32(out, e.H);
  for (const Px& p : e.P) {
    out.push_back(p.B);
    out.push_back(p.G);
    out.push_back(p.R);
    out.push_back(p.A);
  }
  WriteFile(name.substr(0, name.rfind('.')) + ".bgra", out);
}

// ---- PNG ----

struct PngSpec {
  std::string Name;
  int W = 17, H = 13;
  int ColorType = PNG_COLOR_TYPE_RGB;
  int Depth = 8;
  bool Interlaced = false;
  std::vector<png_color> Palette;
  std::vector<png_byte> PaletteAlpha;
  bool HasTrnsColor = false;
  png_color_16 TrnsColor{};
};

void PngWriteCb(png_structp png, png_bytep data, png_size_t n) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}

// Samples: the file's samples per pixel as integers at the file's depth.
void WritePng(const PngSpec& s, const std::vector<std::vector<uint16_t>>& samples,
              const Expected& e) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, PngWriteCb, nullptr);
  png_set_IHDR(png, info, s.W, s.H, s.Depth, s.ColorType,
               s.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!s.Palette.empty())
    png_set_PLTE(png, info, s.Palette.data(), static_cast<int>(s.Palette.size()));
  if (!s.PaletteAlpha.empty())
    png_set_tRNS(png, info, s.PaletteAlpha.data(), static_cast<int>(s.PaletteAlpha.size()),
                 nullptr);
  if (s.HasTrnsColor) png_set_tRNS(png, info, nullptr, 0, &s.TrnsColor);
  png_write_info(png, info);
  // Pack each row at the file's depth, big-endian, by hand.
  std::vector<std::vector<uint8_t>> rows(s.H);
  for (int y = 0; y < s.H; ++y) {
    std::vector<uint8_t>& r = rows[y];
    int bitPos = 0;
    for (uint16_t v : samples[y]) {
      if (s.Depth == 16) {
        r.push_back(static_cast<uint8_t>(v >> 8));
        r.push_back(static_cast<uint8_t>(v));
      } else if (s.Depth == 8) {
        r.push_back(static_cast<uint8_t>(v));
      } else {
        if (bitPos % 8 == 0) r.push_back(0);
        r.back() |= static_cast<uint8_t>(v << (8 - s.Depth - bitPos % 8));
        bitPos += s.Depth;
      }
    }
  }
  std::vector<png_bytep> ptrs;
  for (auto& r : rows) ptrs.push_back(r.data());
  png_write_image(png, ptrs.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  WriteFile(s.Name, out);
  WriteExpected(s.Name, e);
}

uint8_t Scale(uint16_t v, int depth) {
  if (depth == 16) return static_cast<uint8_t>(v >> 8);
  if (depth == 8) return static_cast<uint8_t>(v);
  return static_cast<uint8_t>(v * 255 / ((1 << depth) - 1));
}

void MakePalettePng(const std::string& name, int depth, bool alpha, bool interlaced) {
  PngSpec s;
  s.Name = name;
  s.ColorType = PNG_COLOR_TYPE_PALETTE;
  s.Depth = depth;
  s.Interlaced = interlaced;
  const int count = depth == 8 ? 200 : 1 << depth;
  for (int i = 0; i < count; ++i)
    s.Palette.push_back(i == 0 ? png_color{255, 0, 255}
                               : png_color{static_cast<png_byte>(Rand()),
                                           static_cast<png_byte>(Rand()),
                                           static_cast<png_byte>(Rand())});
  // A tRNS shorter than the palette: the rest stays opaque.
  if (alpha)
    for (int i = 0; i < count * 2 / 3; ++i)
      s.PaletteAlpha.push_back(i == 0 ? 0 : static_cast<png_byte>(Rand()));
  Expected e(s.W, s.H);
  std::vector<std::vector<uint16_t>> samples(s.H);
  for (int y = 0; y < s.H; ++y)
    for (int x = 0; x < s.W; ++x) {
      const uint16_t i = static_cast<uint16_t>(Rand() % count);
      samples[y].push_back(i);
      const png_color c = s.Palette[i];
      const uint8_t a = i < s.PaletteAlpha.size() ? s.PaletteAlpha[i] : 255;
      e.At(x, y) = Px{c.blue, c.green, c.red, a};
    }
  WritePng(s, samples, e);
}

// Grey (1 channel), grey and alpha (2), RGB (3) or RGBA (4) at a depth, with a
// tRNS key colour when asked: some pixels are made to equal it.
void MakeDirectPng(const std::string& name, int colorType, int depth, bool trns, bool interlaced) {
  PngSpec s;
  s.Name = name;
  s.ColorType = colorType;
  s.Depth = depth;
  s.Interlaced = interlaced;
  const bool grey = colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA;
  const bool alpha = colorType & PNG_COLOR_MASK_ALPHA;
  const int channels = (grey ? 1 : 3) + (alpha ? 1 : 0);
  const uint32_t maxv = (1u << depth) - 1;
  std::vector<uint16_t> key(3);
  for (auto& k : key) k = static_cast<uint16_t>(Rand() % (maxv + 1));
  if (!grey && depth == 8) key = {255, 0, 255};
  if (trns) {
    s.HasTrnsColor = true;
    s.TrnsColor.gray = key[0];
    s.TrnsColor.red = key[0];
    s.TrnsColor.green = key[1];
    s.TrnsColor.blue = key[2];
  }
  Expected e(s.W, s.H);
  std::vector<std::vector<uint16_t>> samples(s.H);
  for (int y = 0; y < s.H; ++y)
    for (int x = 0; x < s.W; ++x) {
      std::vector<uint16_t> v(channels);
      const bool keyed = (x + 2 * y) % 7 == 0;
      for (int c = 0; c < channels; ++c) {
        v[c] = static_cast<uint16_t>(Rand() % (maxv + 1));
        if (keyed && c < (grey ? 1 : 3)) v[c] = key[c];
      }
      // Near-key pixels that differ in one sample only must stay opaque.
      if (trns && !keyed && (x + y) % 5 == 0 && !grey) {
        v = {key[0], key[1], static_cast<uint16_t>(key[2] ^ 1)};
      }
      samples[y].insert(samples[y].end(), v.begin(), v.end());
      Px p;
      if (grey) {
        p.B = p.G = p.R = Scale(v[0], depth);
        p.A = alpha ? Scale(v[1], depth) : 255;
        if (trns && v[0] == key[0]) p.A = 0;
      } else {
        p.R = Scale(v[0], depth);
        p.G = Scale(v[1], depth);
        p.B = Scale(v[2], depth);
        p.A = alpha ? Scale(v[3], depth) : 255;
        if (trns && v[0] == key[0] && v[1] == key[1] && v[2] == key[2]) p.A = 0;
      }
      e.At(x, y) = p;
    }
  WritePng(s, samples, e);
}

// ---- JPEG ----

enum class Content { Smooth, Noise };

void MakeJpeg(const std::string& name, bool grey, bool progressive, int sampling,
              Content content = Content::Smooth) {
  const int w = content == Content::Noise ? 64 : 37, h = content == Content::Noise ? 48 : 23;
  const int comps = grey ? 1 : 3;
  std::vector<uint8_t> src(static_cast<size_t>(w) * h * comps);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < comps; ++c)
        src[(static_cast<size_t>(y) * w + x) * comps + c] =
            content == Content::Noise
                ? static_cast<uint8_t>(Rand())
                : static_cast<uint8_t>(x * 6 + y * 3 * (c + 1) + (Rand() % 24));

  jpeg_compress_struct cc;
  jpeg_error_mgr err;
  cc.err = jpeg_std_error(&err);
  jpeg_create_compress(&cc);
  unsigned char* mem = nullptr;
  unsigned long memSize = 0;
  jpeg_mem_dest(&cc, &mem, &memSize);
  cc.image_width = w;
  cc.image_height = h;
  cc.input_components = comps;
  cc.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cc);
  jpeg_set_quality(&cc, content == Content::Noise ? 98 : 85, TRUE);
  if (!grey) {
    cc.comp_info[0].h_samp_factor = sampling;
    cc.comp_info[0].v_samp_factor = sampling;
  }
  if (progressive) jpeg_simple_progression(&cc);
  jpeg_start_compress(&cc, TRUE);
  while (cc.next_scanline < cc.image_height) {
    JSAMPROW row = &src[static_cast<size_t>(cc.next_scanline) * w * comps];
    jpeg_write_scanlines(&cc, &row, 1);
  }
  jpeg_finish_compress(&cc);
  std::vector<uint8_t> file(mem, mem + memSize);
  jpeg_destroy_compress(&cc);
  std::free(mem);
  WriteFile(name, file);

  const ac::platform::TDecodedImage decoded = ac::platform::DecodeImage(file);
  Expected e(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const ac::TsPixel p = decoded.At(x, y);
      e.At(x, y) = Px{p.B(), p.G(), p.R(), p.A()};
    }
  WriteExpected(name, e);
}

// ---- BMP ----

enum class Order { BottomUp, TopDown };

struct BmpOut {
  std::vector<uint8_t> Header;  // info header (and masks), palette
  std::vector<uint8_t> Pixels;
};

std::vector<uint8_t> FinishBmp(const BmpOut& b) {
  std::vector<uint8_t> f = {'B', 'M'};
  Put32(f, static_cast<uint32_t>(14 + b.Header.size() + b.Pixels.size()));
  Put32(f, 0);
  Put32(f, static_cast<uint32_t>(14 + b.Header.size()));
  f.insert(f.end(), b.Header.begin(), b.Header.end());
  f.insert(f.end(), b.Pixels.begin(), b.Pixels.end());
  return f;
}

void InfoHeader(std::vector<uint8_t>& v, uint32_t size, int w, int h, int bits,
                uint32_t compression, uint32_t colors) {
  Put32(v, size);
  Put32(v, static_cast<uint32_t>(w));
  Put32(v, static_cast<uint32_t>(h));
  Put16(v, 1);
  Put16(v, static_cast<uint16_t>(bits));
  Put32(v, compression);
  Put32(v, 0);
  Put32(v, 2835);
  Put32(v, 2835);
  Put32(v, colors);
  Put32(v, 0);
}

std::vector<Px> RandomPalette(int n) {
  std::vector<Px> p;
  for (int i = 0; i < n; ++i)
    p.push_back(i == 1 ? Px{255, 0, 255, 255}
                       : Px{static_cast<uint8_t>(Rand()), static_cast<uint8_t>(Rand()),
                            static_cast<uint8_t>(Rand()), 255});
  return p;
}

void PutPalette(std::vector<uint8_t>& v, const std::vector<Px>& pal, int entry) {
  for (const Px& p : pal) {
    v.push_back(p.B);
    v.push_back(p.G);
    v.push_back(p.R);
    if (entry == 4) v.push_back(0);
  }
}

// Rows of packed pixels, padded to four bytes, in file order.
void PutRows(BmpOut& b, int w, int h, Order order, int bits,
             const std::function<uint32_t(int, int)>& value) {
  for (int row = 0; row < h; ++row) {
    const int y = order == Order::TopDown ? row : h - 1 - row;
    std::vector<uint8_t> r;
    int bitPos = 0;
    for (int x = 0; x < w; ++x) {
      const uint32_t v = value(x, y);
      if (bits >= 8) {
        for (int i = 0; i < bits / 8; ++i) r.push_back(static_cast<uint8_t>(v >> (8 * i)));
      } else {
        if (bitPos % 8 == 0) r.push_back(0);
        r.back() |= static_cast<uint8_t>(v << (8 - bits - bitPos % 8));
        bitPos += bits;
      }
    }
    while (r.size() % 4) r.push_back(0);
    b.Pixels.insert(b.Pixels.end(), r.begin(), r.end());
  }
}

void MakePaletteBmp(const std::string& name, int bits, Order order, bool core) {
  const int w = 19, h = 7;
  const int n = bits == 8 ? 150 : 1 << bits;
  const std::vector<Px> pal = RandomPalette(n);
  BmpOut b;
  if (core) {
    Put32(b.Header, 12);
    Put16(b.Header, w);
    Put16(b.Header, h);
    Put16(b.Header, 1);
    Put16(b.Header, static_cast<uint16_t>(bits));
    // A core header always lists the full palette.
    std::vector<Px> full = pal;
    full.resize(1 << bits, Px{0, 0, 0, 255});
    PutPalette(b.Header, full, 3);
  } else {
    InfoHeader(b.Header, 40, w, order == Order::TopDown ? -h : h, bits, 0,
               bits == 8 ? static_cast<uint32_t>(n) : 0);
    PutPalette(b.Header, pal, 4);
  }
  Expected e(w, h);
  std::vector<uint32_t> idx(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      idx[y * w + x] = Rand() % n;
      e.At(x, y) = pal[idx[y * w + x]];
    }
  PutRows(b, w, h, order, bits, [&](int x, int y) { return idx[y * w + x]; });
  WriteFile(name, FinishBmp(b));
  WriteExpected(name, e);
}

// Run-length coded rows with runs, literal stretches and two deltas (one in
// the row, one to the next row); skipped pixels stay black.
void MakeRleBmp(const std::string& name, int bits) {
  const int w = 23, h = 9;
  const int n = 1 << bits == 256 ? 40 : 16;
  const std::vector<Px> pal = RandomPalette(n);
  std::vector<int> idx(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) idx[y * w + x] = (x / 4 + y) % 3 == 0 ? 5 : Rand() % n;
  Expected e(w, h);
  std::vector<uint8_t> data;
  // Encodes pixels [x0, x1) of file row `row` (counted from the bottom).
  auto encode = [&](int row, int x0, int x1) {
    const int y = h - 1 - row;
    int x = x0;
    while (x < x1) {
      int run = 1;
      while (x + run < x1 && run < 255 && idx[y * w + x + run] == idx[y * w + x]) ++run;
      if (run >= 2 || x1 - x < 3) {
        run = std::max(run, 1);
        data.push_back(static_cast<uint8_t>(run));
        const int v = idx[y * w + x];
        data.push_back(static_cast<uint8_t>(bits == 4 ? v << 4 | v : v));
      } else {
        int lit = 0;
        while (x + lit < x1 && lit < 254 &&
               !(x + lit + 1 < x1 && idx[y * w + x + lit] == idx[y * w + x + lit + 1]))
          ++lit;
        if (lit < 3) lit = std::min(3, x1 - x);
        run = lit;
        data.push_back(0);
        data.push_back(static_cast<uint8_t>(lit));
        std::vector<uint8_t> bytes;
        for (int i = 0; i < lit; ++i) {
          const int v = idx[y * w + x + i];
          if (bits == 8) {
            bytes.push_back(static_cast<uint8_t>(v));
          } else if (i % 2 == 0) {
            bytes.push_back(static_cast<uint8_t>(v << 4));
          } else {
            bytes.back() |= static_cast<uint8_t>(v);
          }
        }
        if (bytes.size() % 2) bytes.push_back(0);
        data.insert(data.end(), bytes.begin(), bytes.end());
      }
      for (int i = 0; i < run; ++i) e.At(x + i, y) = pal[idx[y * w + x + i]];
      x += run;
    }
  };
  for (int row = 0; row < h; ++row) {
    if (row == 2) {
      encode(row, 0, 3);
      data.insert(data.end(), {0, 2, 5, 0});  // right by 5
      encode(row, 8, w);
    } else if (row == 5) {
      encode(row, 0, 4);
      data.insert(data.end(), {0, 2, 3, 1});  // right by 3, up a row
      encode(row + 1, 7, w);
      ++row;
    } else {
      encode(row, 0, w);
    }
    if (row == h - 1)
      data.insert(data.end(), {0, 1});
    else
      data.insert(data.end(), {0, 0});
  }
  BmpOut b;
  InfoHeader(b.Header, 40, w, h, bits, bits == 8 ? 1 : 2, static_cast<uint32_t>(n));
  PutPalette(b.Header, pal, 4);
  b.Pixels = data;
  WriteFile(name, FinishBmp(b));
  WriteExpected(name, e);
}

uint8_t Widen(uint32_t v, int bits) {
  return static_cast<uint8_t>(bits == 5 ? (v << 3 | v >> 2) : (v << 2 | v >> 4));
}

void Make16Bmp(const std::string& name, bool r565) {
  const int w = 11, h = 6;
  BmpOut b;
  InfoHeader(b.Header, 40, w, h, 16, r565 ? 3 : 0, 0);
  if (r565) {
    Put32(b.Header, 0xF800);
    Put32(b.Header, 0x07E0);
    Put32(b.Header, 0x001F);
  }
  Expected e(w, h);
  std::vector<uint32_t> v(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t p = Rand() & 0xFFFF;
      if (x == 0) p = r565 ? 0xFFFF : 0x7FFF;
      v[y * w + x] = p;
      if (r565)
        e.At(x, y) = Px{Widen(p & 31, 5), Widen(p >> 5 & 63, 6), Widen(p >> 11 & 31, 5), 255};
      else
        e.At(x, y) = Px{Widen(p & 31, 5), Widen(p >> 5 & 31, 5), Widen(p >> 10 & 31, 5), 255};
    }
  PutRows(b, w, h, Order::BottomUp, 16, [&](int x, int y) { return v[y * w + x]; });
  WriteFile(name, FinishBmp(b));
  WriteExpected(name, e);
}

void MakeTrueColorBmp(const std::string& name, int bits, Order order) {
  const int w = 13, h = 5;
  BmpOut b;
  InfoHeader(b.Header, 40, w, order == Order::TopDown ? -h : h, bits, 0, 0);
  Expected e(w, h);
  std::vector<uint32_t> v(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t p = Rand() | Rand() << 24;
      if ((x + y) % 4 == 0) p = 0xFFFF00FF;  // opaque magenta, the key colour
      if (bits == 24) p &= 0xFFFFFF;
      v[y * w + x] = p;
      e.At(x, y) =
          Px{static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p >> 16),
             bits == 32 ? static_cast<uint8_t>(p >> 24) : uint8_t{255}};
    }
  PutRows(b, w, h, order, bits, [&](int x, int y) { return v[y * w + x]; });
  WriteFile(name, FinishBmp(b));
  WriteExpected(name, e);
}

// A V5 header with bit fields in R, G, B, A byte order.
void MakeV5Bmp(const std::string& name) {
  const int w = 9, h = 4;
  BmpOut b;
  InfoHeader(b.Header, 124, w, -h, 32, 3, 0);
  Put32(b.Header, 0x000000FF);
  Put32(b.Header, 0x0000FF00);
  Put32(b.Header, 0x00FF0000);
  Put32(b.Header, 0xFF000000);
  Put32(b.Header, 0x73524742);  // 'sRGB'
  b.Header.resize(124, 0);
  Expected e(w, h);
  std::vector<uint32_t> v(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t p = Rand() | Rand() << 24;
      v[y * w + x] = p;
      e.At(x, y) = Px{static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                      static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 24)};
    }
  PutRows(b, w, h, Order::TopDown, 32, [&](int x, int y) { return v[y * w + x]; });
  WriteFile(name, FinishBmp(b));
  WriteExpected(name, e);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_images OUTPUT_DIR\n");
    return 2;
  }
  g_dir = argv[1];

  MakePalettePng("png_palette8.png", 8, false, false);
  MakePalettePng("png_palette4_trns.png", 4, true, false);
  MakePalettePng("png_palette1.png", 1, false, false);
  MakePalettePng("png_palette2_trns_interlaced.png", 2, true, true);
  MakePalettePng("png_palette8_trns_interlaced.png", 8, true, true);
  MakeDirectPng("png_grey1.png", PNG_COLOR_TYPE_GRAY, 1, false, false);
  MakeDirectPng("png_grey2_trns.png", PNG_COLOR_TYPE_GRAY, 2, true, false);
  MakeDirectPng("png_grey4.png", PNG_COLOR_TYPE_GRAY, 4, false, false);
  MakeDirectPng("png_grey8.png", PNG_COLOR_TYPE_GRAY, 8, false, false);
  MakeDirectPng("png_grey8_trns.png", PNG_COLOR_TYPE_GRAY, 8, true, false);
  MakeDirectPng("png_grey8_interlaced.png", PNG_COLOR_TYPE_GRAY, 8, false, true);
  MakeDirectPng("png_grey16.png", PNG_COLOR_TYPE_GRAY, 16, false, false);
  MakeDirectPng("png_grey16_trns.png", PNG_COLOR_TYPE_GRAY, 16, true, false);
  MakeDirectPng("png_grey_alpha8.png", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false);
  MakeDirectPng("png_grey_alpha16.png", PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, false);
  MakeDirectPng("png_rgb8.png", PNG_COLOR_TYPE_RGB, 8, false, false);
  MakeDirectPng("png_rgb8_trns.png", PNG_COLOR_TYPE_RGB, 8, true, false);
  MakeDirectPng("png_rgb16.png", PNG_COLOR_TYPE_RGB, 16, false, false);
  MakeDirectPng("png_rgb16_trns.png", PNG_COLOR_TYPE_RGB, 16, true, false);
  MakeDirectPng("png_rgb16_interlaced.png", PNG_COLOR_TYPE_RGB, 16, false, true);
  MakeDirectPng("png_rgba8.png", PNG_COLOR_TYPE_RGBA, 8, false, false);
  MakeDirectPng("png_rgba8_interlaced.png", PNG_COLOR_TYPE_RGBA, 8, false, true);
  MakeDirectPng("png_rgba16.png", PNG_COLOR_TYPE_RGBA, 16, false, false);
  MakeJpeg("jpeg_baseline_420.jpg", false, false, 2);
  MakeJpeg("jpeg_baseline_444.jpg", false, false, 1);
  MakeJpeg("jpeg_progressive.jpg", false, true, 2);
  MakeJpeg("jpeg_grey.jpg", true, false, 1);
  MakePaletteBmp("bmp1.bmp", 1, Order::BottomUp, false);
  MakePaletteBmp("bmp4.bmp", 4, Order::BottomUp, false);
  MakePaletteBmp("bmp8.bmp", 8, Order::BottomUp, false);
  MakePaletteBmp("bmp8_topdown.bmp", 8, Order::TopDown, false);
  MakePaletteBmp("bmp4_topdown.bmp", 4, Order::TopDown, false);
  MakePaletteBmp("bmp8_core.bmp", 8, Order::BottomUp, true);
  MakeRleBmp("bmp4_rle.bmp", 4);
  MakeRleBmp("bmp8_rle.bmp", 8);
  Make16Bmp("bmp16_555.bmp", false);
  Make16Bmp("bmp16_565.bmp", true);
  MakeTrueColorBmp("bmp24.bmp", 24, Order::BottomUp);
  MakeTrueColorBmp("bmp24_topdown.bmp", 24, Order::TopDown);
  MakeTrueColorBmp("bmp32.bmp", 32, Order::BottomUp);
  MakeTrueColorBmp("bmp32_topdown.bmp", 32, Order::TopDown);
  MakeV5Bmp("bmp32_v5_bitfields.bmp");
  // Saturated noise: every chroma value, so colour conversion rounding shows.
  MakeJpeg("jpeg_noise_444.jpg", false, false, 1, Content::Noise);
  MakeJpeg("jpeg_noise_420.jpg", false, false, 2, Content::Noise);
  return 0;
}
