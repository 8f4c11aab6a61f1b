#include "pixels/pixel_buffer.h"

#include <utility>

namespace ac {

TsPixelImage::TsPixelImage(int32_t width, int32_t height, TRowOrder order) : FOrder(order) {
  Resize(width, height);
}

TsPixelImage::TsPixelImage(const TsPixelImage& o)
    : FData(o.FData), FView(o.FView), FOrder(o.FOrder) {
  Point();
}

TsPixelImage& TsPixelImage::operator=(const TsPixelImage& o) {
  if (this != &o) {
    FData = o.FData;
    FView = o.FView;
    FOrder = o.FOrder;
    Point();
  }
  return *this;
}

// A moved vector keeps its heap block, so the view stays valid as it is.
TsPixelImage::TsPixelImage(TsPixelImage&& o) noexcept
    : FData(std::move(o.FData)), FView(o.FView), FOrder(o.FOrder) {
  o.FView = TsPixelBuffer();
}

TsPixelImage& TsPixelImage::operator=(TsPixelImage&& o) noexcept {
  if (this != &o) {
    FData = std::move(o.FData);
    FView = o.FView;
    FOrder = o.FOrder;
    o.FView = TsPixelBuffer();
  }
  return *this;
}

void TsPixelImage::Resize(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) width = height = 0;
  FData.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0u);
  FView.Width = width;
  FView.Height = height;
  Point();
}

// Lays the view over the storage in the chosen row order. A single row has
// stride 0, as every buffer of height 1 does.
void TsPixelImage::Point() {
  const int32_t w = FView.Width;
  const int32_t h = FView.Height;
  if (FData.empty()) {
    FView = TsPixelBuffer();
    return;
  }
  auto* base = reinterpret_cast<uint8_t*>(FData.data());
  const std::ptrdiff_t pitch = static_cast<std::ptrdiff_t>(w) * 4;
  if (h == 1) {
    FView = TsPixelBuffer(base, w, h, 0);
  } else if (FOrder == TRowOrder::BottomUp) {
    FView = TsPixelBuffer(base + pitch * (h - 1), w, h, -pitch);
  } else {
    FView = TsPixelBuffer(base, w, h, pitch);
  }
}

TsPixelImage NewPixelBuffer(int32_t width, int32_t height) {
  return TsPixelImage(width, height);
}

TsChannelImage::TsChannelImage(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return;
  FData.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  FView = TsChannelBuffer(FData.data(), width, height, width);
}

}  // namespace ac
