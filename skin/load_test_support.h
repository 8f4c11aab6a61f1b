#pragma once
// Small skins made in memory for the loading tests: options text, images
// encoded as BMP or PNG, archives and a manager that loads them.

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "core/message_sink.h"
#include "pixels/pixel_buffer.h"
#include "skin/archive_writer.h"
#include "skin/skin_manager_core.h"

namespace ac::test {

using Bytes = std::vector<std::uint8_t>;

// Pixels in TsPixel order ($AARRGGBB), rows top-down.
struct TTestImage {
  int W = 0;
  int H = 0;
  std::vector<uint32_t> Px;

  TTestImage(int w, int h, uint32_t fill) : W(w), H(h), Px(static_cast<std::size_t>(w) * h, fill) {}
  uint32_t& At(int x, int y) { return Px[static_cast<std::size_t>(y) * W + x]; }
  void Fill(const TRect& r, uint32_t v) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) At(x, y) = v;
  }
};

inline void Put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline void Put32BE(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}

// A bottom-up BMP of 24 bits (alpha dropped) or 32 bits (alpha kept).
inline Bytes EncodeBmp(const TTestImage& img, int bits) {
  const int rowBytes = bits == 32 ? img.W * 4 : (img.W * 3 + 3) / 4 * 4;
  Bytes b;
  b.push_back('B');
  b.push_back('M');
  Put32(b, 54 + static_cast<uint32_t>(rowBytes * img.H));
  Put32(b, 0);
  Put32(b, 54);
  Put32(b, 40);
  Put32(b, static_cast<uint32_t>(img.W));
  Put32(b, static_cast<uint32_t>(img.H));
  Put16(b, 1);
  Put16(b, static_cast<uint32_t>(bits));
  for (int i = 0; i < 6; ++i) Put32(b, 0);
  for (int y = img.H - 1; y >= 0; --y) {
    std::size_t start = b.size();
    for (int x = 0; x < img.W; ++x) {
      const uint32_t p = img.Px[static_cast<std::size_t>(y) * img.W + x];
      b.push_back(static_cast<uint8_t>(p));
      b.push_back(static_cast<uint8_t>(p >> 8));
      b.push_back(static_cast<uint8_t>(p >> 16));
      if (bits == 32) b.push_back(static_cast<uint8_t>(p >> 24));
    }
    while (b.size() - start < static_cast<std::size_t>(rowBytes)) b.push_back(0);
  }
  return b;
}

// An 8-bit RGBA PNG.
inline Bytes EncodePngRgba(const TTestImage& img) {
  auto chunk = [](Bytes& out, const char* type, const Bytes& data) {
    Put32BE(out, static_cast<uint32_t>(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    Put32BE(out, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
  };
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes ihdr;
  Put32BE(ihdr, static_cast<uint32_t>(img.W));
  Put32BE(ihdr, static_cast<uint32_t>(img.H));
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
  chunk(out, "IHDR", ihdr);
  Bytes raw;
  for (int y = 0; y < img.H; ++y) {
    raw.push_back(0);
    for (int x = 0; x < img.W; ++x) {
      const uint32_t p = img.Px[static_cast<std::size_t>(y) * img.W + x];
      raw.insert(raw.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                             static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 24)});
    }
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes z(size);
  compress2(z.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 6);
  z.resize(size);
  chunk(out, "IDAT", z);
  chunk(out, "IEND", {});
  return out;
}

// A mask value in the canonical "&" notation.
inline std::string Canon(const TRect& r, int wl, int wt, int wr, int wb, int imageCount,
                         int maskType, int imgType, int drawMode, std::string_view file = {}) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "&%04d%04d%04d%04d%04d%04d%04d%04d%d%d%d%02d000000", r.Left, r.Top,
                r.Right, r.Bottom, wl, wt, wr, wb, imageCount, maskType, imgType, drawMode);
  return std::string(buf) + std::string(file);
}

struct TTestFile {
  std::string Name;
  Bytes Data;
};

inline Bytes PackSkin(std::string_view options, const std::vector<TTestFile>& files) {
  std::vector<TacArchiveSource> entries;
  entries.push_back({"OPTIONS.DAT", Bytes(options.begin(), options.end())});
  for (const auto& f : files) entries.push_back({f.Name, f.Data});
  return WriteSkinArchive(entries);
}

// A manager whose only skin is an internal one, with no folder to find.
struct TTestManager {
  TRecordingSink Sink;
  TacSkinManagerCore M{Sink};

  explicit TTestManager(int screenPPI = 96) {
    M.SkinDirectory = "/nonexistent-skin-folder";
    M.Scale.ScreenPPI = screenPPI;
  }
  void AddInternal(std::string name, Bytes archive) {
    TsStoredSkin& s = M.InternalSkins.Add();
    s.Name = std::move(name);
    s.PackedData = std::move(archive);
  }
  // Loads Options with Files as the internal skin "Test".
  bool Load(std::string_view options, const std::vector<TTestFile>& files = {}) {
    AddInternal("Test", PackSkin(options, files));
    return M.ChangeSkin("Test");
  }
  TacSkinData& At(int ppi) { return M.CommonSkinData(ppi); }
};

}  // namespace ac::test
