#pragma once
// The 32-bit pixel buffers every picture of the engine is composed in.
//
// TsPixelBuffer is a non-owning view: the address of row 0, a size and a signed
// stride. Row y starts at row 0 + y * Stride, so bottom-up storage (negative
// stride) works everywhere; a buffer of height 1 may have stride 0. Natively the
// pixels belong to a TsPixelImage; on Windows a view can be laid over the bits of
// a 32-bit top-down DIB section, so painting goes straight into the bitmap that
// is later copied to a window.
//
// Pixels are 4 bytes, blue, green, red, alpha (TsPixel); colour bytes are not
// premultiplied unless a caller ran Premultiply over them.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/geometry.h"
#include "pixels/color.h"

namespace ac {

struct TsPixelBuffer {
  uint8_t* Bits = nullptr;  // first byte of row 0
  int32_t Width = 0;
  int32_t Height = 0;
  std::ptrdiff_t Stride = 0;  // bytes from row y to row y + 1

  constexpr TsPixelBuffer() = default;
  // Not validated: Bits must hold Height rows of Width pixels at the given
  // stride. A null Bits or a non-positive size makes an empty view.
  TsPixelBuffer(void* row0, int32_t width, int32_t height, std::ptrdiff_t stride)
      : Bits(static_cast<uint8_t*>(row0)), Width(width), Height(height), Stride(stride) {}

  bool IsEmpty() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
  TSize Size() const { return {Width, Height}; }
  TRect Bounds() const { return TRect::XYWH(0, 0, Width, Height); }
  bool SameSize(const TsPixelBuffer& o) const { return Width == o.Width && Height == o.Height; }
  // Two views of the same storage (Dst "is" the cache image).
  bool SameStorage(const TsPixelBuffer& o) const { return Bits != nullptr && Bits == o.Bits; }

  // Not checked: 0 <= y < Height.
  uint32_t* Row(int32_t y) const {
    return reinterpret_cast<uint32_t*>(Bits + static_cast<std::ptrdiff_t>(y) * Stride);
  }
  uint8_t* RowBytes(int32_t y) const { return Bits + static_cast<std::ptrdiff_t>(y) * Stride; }
  // Not checked: the point lies inside the buffer.
  uint32_t& At(int32_t x, int32_t y) const { return Row(y)[x]; }
  bool Contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
};

// An 8-bit single-channel view, the other side of ExtractChannel/InsertChannel.
struct TsChannelBuffer {
  uint8_t* Bits = nullptr;
  int32_t Width = 0;
  int32_t Height = 0;
  std::ptrdiff_t Stride = 0;

  constexpr TsChannelBuffer() = default;
  TsChannelBuffer(void* row0, int32_t width, int32_t height, std::ptrdiff_t stride)
      : Bits(static_cast<uint8_t*>(row0)), Width(width), Height(height), Stride(stride) {}

  bool IsEmpty() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
  uint8_t* Row(int32_t y) const { return Bits + static_cast<std::ptrdiff_t>(y) * Stride; }
};

enum class TRowOrder { TopDown, BottomUp };

// Owns the pixels of a buffer in plain memory and hands out a view of them.
// Copies copy the pixels; moves keep them where they are, so views taken before
// a move stay valid.
class TsPixelImage {
 public:
  TsPixelImage() = default;
  // Negative sizes give an empty 0 x 0 image. New pixels are 0.
  TsPixelImage(int32_t width, int32_t height, TRowOrder order = TRowOrder::TopDown);

  TsPixelImage(const TsPixelImage& o);
  TsPixelImage& operator=(const TsPixelImage& o);
  TsPixelImage(TsPixelImage&& o) noexcept;
  TsPixelImage& operator=(TsPixelImage&& o) noexcept;

  const TsPixelBuffer& View() const { return FView; }
  operator const TsPixelBuffer&() const { return FView; }
  int32_t Width() const { return FView.Width; }
  int32_t Height() const { return FView.Height; }
  bool IsEmpty() const { return FView.IsEmpty(); }
  TRowOrder Order() const { return FOrder; }

  // Changes the size, keeping the row order; the pixels become 0.
  void Resize(int32_t width, int32_t height);

 private:
  void Point();

  std::vector<uint32_t> FData;
  TsPixelBuffer FView;
  TRowOrder FOrder = TRowOrder::TopDown;
};

// A new zeroed top-down buffer; a negative size gives an empty one.
TsPixelImage NewPixelBuffer(int32_t width, int32_t height);

// An owned 8-bit image for the channel operations.
class TsChannelImage {
 public:
  TsChannelImage() = default;
  TsChannelImage(int32_t width, int32_t height);
  TsChannelImage(const TsChannelImage&) = delete;
  TsChannelImage& operator=(const TsChannelImage&) = delete;
  TsChannelImage(TsChannelImage&&) noexcept = default;
  TsChannelImage& operator=(TsChannelImage&&) noexcept = default;

  const TsChannelBuffer& View() const { return FView; }
  operator const TsChannelBuffer&() const { return FView; }

 private:
  std::vector<uint8_t> FData;
  TsChannelBuffer FView;
};

// Clips an ordinary (exclusive) rectangle to the buffer; empty when nothing is
// left.
inline TRect ClipToBuffer(const TRect& r, const TsPixelBuffer& b) {
  return r.Intersect(b.Bounds());
}

}  // namespace ac
