// PNG and JPEG through the Windows Imaging Component, BMP through our own
// reader: the system's BMP codec reads 32-bit files as having no alpha, while
// skin images keep their alpha in the fourth byte.

#include "pixels/image_codec.h"

#include <windows.h>

#include <objbase.h>
#include <wincodec.h>

#include <cstdio>
#include <string>
#include <utility>

#include "core/errors.h"
#include "system/win/com_apartment.h"

namespace ac::platform {
namespace {

// Owns one reference to a COM object.
template <class T>
class TComPtr {
 public:
  TComPtr() = default;
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;
  TComPtr(TComPtr&& other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
  TComPtr& operator=(TComPtr&& other) noexcept {
    std::swap(FPtr, other.FPtr);
    return *this;
  }
  ~TComPtr() {
    if (FPtr) FPtr->Release();
  }
  T* operator->() const { return FPtr; }
  T* Get() const { return FPtr; }
  // For the out-parameter of a creating call; the pointer must be empty.
  T** Receive() { return &FPtr; }

 private:
  T* FPtr = nullptr;
};

// Turns a failed step into ESkinError naming the format and the step.
class TWicSteps {
 public:
  explicit TWicSteps(const char* format) : FFormat(format) {}

  void Check(HRESULT hr, const char* step) const {
    if (FAILED(hr)) {
      char code[16];
      std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(hr));
      throw ESkinError(std::string(FFormat) + " image: " + step + " failed (error $" + code + ")");
    }
  }

  void CheckSize(UINT width, UINT height) const {
    if (width == 0 || height == 0)
      throw ESkinError(std::string(FFormat) + " image: empty dimensions");
    if (width > static_cast<UINT>(kMaxImageSide) || height > static_cast<UINT>(kMaxImageSide) ||
        uint64_t{width} * height > static_cast<uint64_t>(kMaxImagePixels))
      throw ELimitExceeded(std::string(FFormat) + " image: " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels is over the limit of " +
                           std::to_string(kMaxImageSide) + " pixels a side and " +
                           std::to_string(kMaxImagePixels) + " pixels an image");
  }

 private:
  const char* FFormat;
};

// Bits per pixel as the PNG header states them: channels × bit depth. The
// system codec reports the format it decodes to, which for grey with alpha is
// already widened.
int PngSourceBits(std::span<const uint8_t> data) {
  if (data.size() < 26) return 0;
  const int depth = data[24];
  switch (data[25]) {
    case 0:
    case 3:
      return depth;
    case 2:
      return 3 * depth;
    case 4:
      return 2 * depth;
    case 6:
      return 4 * depth;
  }
  return 0;
}

int JpegSourceBits(const WICPixelFormatGUID& format) {
  if (IsEqualGUID(format, GUID_WICPixelFormat8bppGray)) return 8;
  if (IsEqualGUID(format, GUID_WICPixelFormat32bppCMYK)) return 32;
  return 24;
}

// The imaging factory, made on this thread's apartment (joined first).
TComPtr<IWICImagingFactory> ImagingFactory(const TWicSteps& wic) {
  JoinThreadApartment();
  TComPtr<IWICImagingFactory> factory;
  wic.Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                             IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Receive())),
            "creating the imaging factory");
  return factory;
}

TDecodedImage DecodeWithWic(std::span<const uint8_t> data, TImageFormat format,
                            const TDecodeLimits& limits) {
  const bool png = format == TImageFormat::ifPng;
  const TWicSteps wic(png ? "PNG" : "JPEG");
  if (data.size() > MAXDWORD)
    throw ESkinError(std::string(png ? "PNG" : "JPEG") + " image: too large");
  // The system codec refuses an oversized PNG only as a header it cannot
  // read; the size is judged first so that the message says what is wrong.
  if (int64_t w = 0, h = 0;
      png && PngHeaderSize(data, w, h) && w > 0 && h > 0 && w <= UINT32_MAX && h <= UINT32_MAX)
    wic.CheckSize(static_cast<UINT>(w), static_cast<UINT>(h));
  const TComPtr<IWICImagingFactory> factory = ImagingFactory(wic);
  TComPtr<IWICStream> stream;
  wic.Check(factory->CreateStream(stream.Receive()), "creating a stream");
  // The stream reads the caller's bytes in place; it is released before they
  // go away.
  wic.Check(
      stream->InitializeFromMemory(const_cast<BYTE*>(data.data()), static_cast<DWORD>(data.size())),
      "opening the data");
  TComPtr<IWICBitmapDecoder> decoder;
  wic.Check(factory->CreateDecoder(png ? GUID_ContainerFormatPng : GUID_ContainerFormatJpeg,
                                   nullptr, decoder.Receive()),
            "creating the decoder");
  wic.Check(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand),
            "reading the header");
  TComPtr<IWICBitmapFrameDecode> frame;
  wic.Check(decoder->GetFrame(0, frame.Receive()), "reading the image");
  UINT width = 0, height = 0;
  wic.Check(frame->GetSize(&width, &height), "reading the size");
  wic.CheckSize(width, height);
  if (limits.BeforePixels) limits.BeforePixels(static_cast<int>(width), static_cast<int>(height));
  WICPixelFormatGUID sourceFormat{};
  wic.Check(frame->GetPixelFormat(&sourceFormat), "reading the pixel format");

  // Straight (not premultiplied) B, G, R, A, as every other decoder gives.
  TComPtr<IWICFormatConverter> converter;
  wic.Check(factory->CreateFormatConverter(converter.Receive()), "creating a converter");
  wic.Check(
      converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                            nullptr, 0.0, WICBitmapPaletteTypeCustom),
      "converting to 32 bits");

  TDecodedImage image;
  image.Format = format;
  image.Width = static_cast<int>(width);
  image.Height = static_cast<int>(height);
  image.SourceBitsPerPixel = png ? PngSourceBits(data) : JpegSourceBits(sourceFormat);
  image.Pixels.resize(static_cast<std::size_t>(width) * height);
  const UINT stride = width * 4;
  wic.Check(converter->CopyPixels(nullptr, stride, stride * height,
                                  reinterpret_cast<BYTE*>(image.Pixels.data())),
            "decoding the pixels");
  return image;
}

// Copies what a memory stream holds.
std::vector<uint8_t> StreamBytes(IStream* stream, const TWicSteps& wic) {
  STATSTG stat{};
  wic.Check(stream->Stat(&stat, STATFLAG_NONAME), "measuring the output");
  if (stat.cbSize.QuadPart > MAXDWORD) throw ESkinError("PNG image: output too large");
  std::vector<uint8_t> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
  LARGE_INTEGER start{};
  wic.Check(stream->Seek(start, STREAM_SEEK_SET, nullptr), "rewinding the output");
  ULONG read = 0;
  wic.Check(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read),
            "reading the output");
  bytes.resize(read);
  return bytes;
}

}  // namespace

TDecodedImage DecodeImage(std::span<const uint8_t> data, const TDecodeLimits& limits) {
  const TImageFormat format = RequireImageFormat(data);
  if (format == TImageFormat::ifBmp) return DecodeBmp(data, limits);
  return DecodeWithWic(data, format, limits);
}

std::vector<uint8_t> EncodePng(const TDecodedImage& image) {
  RequireEncodable(image);
  const TWicSteps wic("PNG");
  const TComPtr<IWICImagingFactory> factory = ImagingFactory(wic);
  TComPtr<IStream> stream;
  wic.Check(CreateStreamOnHGlobal(nullptr, TRUE, stream.Receive()), "creating a stream");
  TComPtr<IWICBitmapEncoder> encoder;
  wic.Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Receive()),
            "creating the encoder");
  wic.Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), "starting the file");
  TComPtr<IWICBitmapFrameEncode> frame;
  TComPtr<IPropertyBag2> options;
  wic.Check(encoder->CreateNewFrame(frame.Receive(), options.Receive()), "creating the image");
  wic.Check(frame->Initialize(options.Get()), "starting the image");
  wic.Check(frame->SetSize(static_cast<UINT>(image.Width), static_cast<UINT>(image.Height)),
            "setting the size");
  // The encoder may answer with another format it prefers; only straight
  // 8-bit B, G, R, A keeps every byte.
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  wic.Check(frame->SetPixelFormat(&format), "setting the pixel format");
  if (!IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA))
    throw ESkinError("PNG image: the system encoder cannot write 32-bit pixels");
  const UINT stride = static_cast<UINT>(image.Width) * 4;
  wic.Check(frame->WritePixels(static_cast<UINT>(image.Height), stride,
                               stride * static_cast<UINT>(image.Height),
                               reinterpret_cast<BYTE*>(const_cast<TsPixel*>(image.Pixels.data()))),
            "writing the pixels");
  wic.Check(frame->Commit(), "finishing the image");
  wic.Check(encoder->Commit(), "finishing the file");
  return StreamBytes(stream.Get(), wic);
}

}  // namespace ac::platform
