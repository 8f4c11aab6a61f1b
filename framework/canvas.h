#pragma once
// TCanvas: drawing on a device context with a font and a brush. The canvas
// does not own the DC; whoever gives it one (a paint, a TBitmap) takes it back.
// Lock and Unlock serialise drawing between threads (the skin-list loader
// draws previews into bitmaps).

#include <windows.h>

#include <mutex>
#include <string_view>

#include "core/color.h"
#include "core/geometry.h"
#include "framework/font.h"

namespace ac {

struct TBrush {
  TColor Color = clWhite;
  bool Clear = false;  // bsClear: text and fills leave the background alone
};

class TCanvas {
 public:
  TCanvas() = default;
  explicit TCanvas(HDC dc) : FHandle(dc) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return FHandle; }
  void SetHandle(HDC dc) { FHandle = dc; }

  TFont Font;
  TBrush Brush;

  void Lock() { FLock.lock(); }
  void Unlock() { FLock.unlock(); }

  void FillRect(const TRect& r);
  // Text is UTF-8; drawn with Font and, unless Brush.Clear, on Brush.Color.
  void TextOut(int x, int y, std::string_view text);
  TSize TextExtent(std::string_view text);
  // DrawTextW with the given DT_ flags inside R (DT_CALCRECT updates R).
  void TextRect(TRect& r, std::string_view text, UINT flags);

 private:
  void PrepareText();

  HDC FHandle = nullptr;
  std::recursive_mutex FLock;
};

RECT ToRECT(const TRect& r);
TRect FromRECT(const RECT& r);

}  // namespace ac
