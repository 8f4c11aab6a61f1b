#include "win32/gdiplus_text.h"

#include <cstdint>
#include <type_traits>

namespace ac::platform {

namespace {

// The few flat entry points of the library that text needs, declared here so
// the rest of the engine never sees its headers.
using GpStatus = int;
struct TRectF {
  float X, Y, Width, Height;
};
struct TStartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

constexpr int kPixelFormat32bppARGB = 0x0026200A;
constexpr int kTextRenderingHintAntiAliasGridFit = 3;
constexpr int kStringFormatFlagsNoWrap = 0x00001000;
constexpr int kStatusOk = 0;

struct TGdiPlus {
  using Startup = GpStatus(WINAPI*)(ULONG_PTR*, const TStartupInput*, void*);
  using CreateFromHDC = GpStatus(WINAPI*)(HDC, void**);
  using CreateBitmapFromScan0 = GpStatus(WINAPI*)(INT, INT, INT, INT, BYTE*, void**);
  using GetImageGraphicsContext = GpStatus(WINAPI*)(void*, void**);
  using SetTextRenderingHint = GpStatus(WINAPI*)(void*, int);
  using CreateFontFromDC = GpStatus(WINAPI*)(HDC, void**);
  using CreateSolidFill = GpStatus(WINAPI*)(DWORD, void**);
  using CreateStringFormat = GpStatus(WINAPI*)(INT, LANGID, void**);
  using SetStringFormatAlign = GpStatus(WINAPI*)(void*, int);
  using DrawString = GpStatus(WINAPI*)(void*, const WCHAR*, INT, const void*, const TRectF*,
                                       const void*, const void*);
  using MeasureString = GpStatus(WINAPI*)(void*, const WCHAR*, INT, const void*, const TRectF*,
                                          const void*, TRectF*, INT*, INT*);
  using Delete = GpStatus(WINAPI*)(void*);

  bool Ready = false;
  CreateFromHDC GdipCreateFromHDC = nullptr;
  CreateBitmapFromScan0 GdipCreateBitmapFromScan0 = nullptr;
  GetImageGraphicsContext GdipGetImageGraphicsContext = nullptr;
  SetTextRenderingHint GdipSetTextRenderingHint = nullptr;
  CreateFontFromDC GdipCreateFontFromDC = nullptr;
  CreateSolidFill GdipCreateSolidFill = nullptr;
  CreateStringFormat GdipCreateStringFormat = nullptr;
  SetStringFormatAlign GdipSetStringFormatAlign = nullptr;
  SetStringFormatAlign GdipSetStringFormatLineAlign = nullptr;
  DrawString GdipDrawString = nullptr;
  MeasureString GdipMeasureString = nullptr;
  Delete GdipDeleteGraphics = nullptr, GdipDisposeImage = nullptr, GdipDeleteFont = nullptr,
         GdipDeleteBrush = nullptr, GdipDeleteStringFormat = nullptr;

  TGdiPlus() {
    // Kept loaded and started for the rest of the process: text is drawn
    // until the last window goes.
    HMODULE lib = LoadLibraryW(L"gdiplus.dll");
    if (lib == nullptr) return;
    auto get = [&](auto& fn, const char* name) {
      fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(
          reinterpret_cast<void*>(GetProcAddress(lib, name)));
      return fn != nullptr;
    };
    Startup startup = nullptr;
    const bool all =
        get(startup, "GdiplusStartup") && get(GdipCreateFromHDC, "GdipCreateFromHDC") &&
        get(GdipCreateBitmapFromScan0, "GdipCreateBitmapFromScan0") &&
        get(GdipGetImageGraphicsContext, "GdipGetImageGraphicsContext") &&
        get(GdipSetTextRenderingHint, "GdipSetTextRenderingHint") &&
        get(GdipCreateFontFromDC, "GdipCreateFontFromDC") &&
        get(GdipCreateSolidFill, "GdipCreateSolidFill") &&
        get(GdipCreateStringFormat, "GdipCreateStringFormat") &&
        get(GdipSetStringFormatAlign, "GdipSetStringFormatAlign") &&
        get(GdipSetStringFormatLineAlign, "GdipSetStringFormatLineAlign") &&
        get(GdipDrawString, "GdipDrawString") && get(GdipMeasureString, "GdipMeasureString") &&
        get(GdipDeleteGraphics, "GdipDeleteGraphics") &&
        get(GdipDisposeImage, "GdipDisposeImage") && get(GdipDeleteFont, "GdipDeleteFont") &&
        get(GdipDeleteBrush, "GdipDeleteBrush") &&
        get(GdipDeleteStringFormat, "GdipDeleteStringFormat");
    if (!all) return;
    ULONG_PTR token = 0;
    const TStartupInput input;
    Ready = startup(&token, &input, nullptr) == kStatusOk;
  }
};

TGdiPlus& Lib() {
  static TGdiPlus lib;
  return lib;
}

// Owns one object of the library and frees it with its own delete function.
class TOwned {
 public:
  explicit TOwned(TGdiPlus::Delete del) : FDelete(del) {}
  TOwned(const TOwned&) = delete;
  TOwned& operator=(const TOwned&) = delete;
  ~TOwned() {
    if (FObject != nullptr) FDelete(FObject);
  }
  void** Out() { return &FObject; }
  void* Get() const { return FObject; }

 private:
  TGdiPlus::Delete FDelete;
  void* FObject = nullptr;
};

int Alignment(TTextAlign a) {
  return a == TTextAlign::Near ? 0 : a == TTextAlign::Centre ? 1 : 2;
}

}  // namespace

bool GdiPlusMeasureText(HDC dc, std::wstring_view text, int32_t wrapWidth, double& width,
                        double& height) {
  TGdiPlus& g = Lib();
  if (!g.Ready) return false;
  TOwned graphics(g.GdipDeleteGraphics), font(g.GdipDeleteFont), format(g.GdipDeleteStringFormat);
  if (g.GdipCreateFromHDC(dc, graphics.Out()) != kStatusOk ||
      g.GdipCreateFontFromDC(dc, font.Out()) != kStatusOk ||
      g.GdipCreateStringFormat(wrapWidth > 0 ? 0 : kStringFormatFlagsNoWrap, 0, format.Out()) !=
          kStatusOk)
    return false;
  g.GdipSetTextRenderingHint(graphics.Get(), kTextRenderingHintAntiAliasGridFit);
  const TRectF layout{0, 0, wrapWidth > 0 ? static_cast<float>(wrapWidth) : 2147483648.0f, 0};
  TRectF box{};
  if (g.GdipMeasureString(graphics.Get(), text.data(), static_cast<INT>(text.size()), font.Get(),
                          &layout, format.Get(), &box, nullptr, nullptr) != kStatusOk)
    return false;
  width = box.Width;
  height = box.Height;
  return true;
}

bool GdiPlusDrawText(HDC dc, const TsPixelBuffer& dst, const TsSmoothTextLayout& layout,
                     std::wstring_view text, TColor color, uint8_t opacity) {
  TGdiPlus& g = Lib();
  if (!g.Ready || dst.IsEmpty()) return false;
  TOwned bitmap(g.GdipDisposeImage), graphics(g.GdipDeleteGraphics), font(g.GdipDeleteFont),
      brush(g.GdipDeleteBrush), format(g.GdipDeleteStringFormat);
  const TsPixel c(ColorToPixel(static_cast<uint32_t>(color)));
  const DWORD argb = static_cast<DWORD>(opacity) << 24 | (c.V & 0x00FFFFFFu);
  if (g.GdipCreateBitmapFromScan0(dst.Width, dst.Height, static_cast<INT>(dst.Stride),
                                  kPixelFormat32bppARGB, dst.Bits, bitmap.Out()) != kStatusOk ||
      g.GdipGetImageGraphicsContext(bitmap.Get(), graphics.Out()) != kStatusOk ||
      g.GdipCreateFontFromDC(dc, font.Out()) != kStatusOk ||
      g.GdipCreateSolidFill(argb, brush.Out()) != kStatusOk ||
      g.GdipCreateStringFormat(0, 0, format.Out()) != kStatusOk)
    return false;
  g.GdipSetTextRenderingHint(graphics.Get(), kTextRenderingHintAntiAliasGridFit);
  g.GdipSetStringFormatAlign(format.Get(), Alignment(layout.Horizontal));
  g.GdipSetStringFormatLineAlign(format.Get(), Alignment(layout.Vertical));
  const TRect& r = layout.Layout;
  const TRectF box{static_cast<float>(r.Left), static_cast<float>(r.Top),
                   static_cast<float>(r.Width()), static_cast<float>(r.Height())};
  return g.GdipDrawString(graphics.Get(), text.data(), static_cast<INT>(text.size()), font.Get(),
                          &box, format.Get(), brush.Get()) == kStatusOk;
}

}  // namespace ac::platform
