#include "frames/check_box_adapter.h"

#include <algorithm>

#include "frames/adapter_paint.h"
#include "paint/glyph_paint.h"
#include "paint/section_paint.h"
#include "skin/skin_data_lookup.h"

namespace ac {

namespace {

// The mark of a skin without glyphs, and the gap between mark and text.
constexpr int kPlainMarkSize = 13;
constexpr int kMarkTextGap = 4;
// The caption of a group box starts this far from its left edge.
constexpr int kGroupCaptionIndent = 8;

bool ValidMask(const TacSkinData* sd, int32_t index) {
  return sd && IsValidImgIndex(*sd, index);
}

// Fills R of Buffer with the colour (RGB) opaque.
void FillRect32(const TsPixelBuffer& buffer, const TRect& r, TColor color) {
  const uint32_t c = static_cast<uint32_t>(color);
  const uint32_t pixel = 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
  for (int y = std::max(0, r.Top); y < std::min(buffer.Height, r.Bottom); ++y)
    for (int x = std::max(0, r.Left); x < std::min(buffer.Width, r.Right); ++x)
      buffer.At(x, y) = pixel;
}

}  // namespace

TacMarkKind TacCheckBoxWnd::MarkKind() const {
  const LONG type = GetWindowLongW(CtrlHandle(), GWL_STYLE) & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ? TacMarkKind::mkRadio
                                                              : TacMarkKind::mkCheck;
}

int TacCheckBoxWnd::CheckState() const {
  return static_cast<int>(SendMessageW(CtrlHandle(), BM_GETCHECK, 0, 0));
}

int32_t TacCheckBoxWnd::MarkIndex() const {
  const TacSkinData* sd = SkinData().CommonSkinData();
  if (!sd) return -1;
  const int check = std::clamp(CheckState(), 0, 2);
  const int32_t index = MarkKind() == TacMarkKind::mkRadio
                            ? sd->RadioButton[static_cast<size_t>(std::min(check, 1))]
                            : sd->CheckBox[static_cast<size_t>(check)];
  return ValidMask(sd, index) ? index : -1;
}

TRect TacCheckBoxWnd::MarkRect() const {
  RECT client;
  GetClientRect(CtrlHandle(), &client);
  int w = kPlainMarkSize, h = kPlainMarkSize;
  const int32_t index = MarkIndex();
  if (index >= 0) {
    const TsMaskData& mask = SkinData().CommonSkinData()->ma[static_cast<size_t>(index)];
    w = mask.Width;
    h = mask.Height;
  }
  const int top = (client.bottom - h) / 2;
  const bool right = (GetWindowLongW(CtrlHandle(), GWL_STYLE) & BS_LEFTTEXT) != 0;
  const int left = right ? client.right - w : 0;
  return TRect::XYWH(left, top, w, h);
}

TRect TacCheckBoxWnd::TextRect() const {
  RECT client;
  GetClientRect(CtrlHandle(), &client);
  const TRect mark = MarkRect();
  if (GetWindowLongW(CtrlHandle(), GWL_STYLE) & BS_LEFTTEXT)
    return TRect::LTRB(0, 0, mark.Left - kMarkTextGap, client.bottom);
  return TRect::LTRB(mark.Right + kMarkTextGap, 0, client.right, client.bottom);
}

int TacCheckBoxWnd::CurrentState() {
  const int state = TacBtnWnd::CurrentState();
  // Default-button looks are no check box's.
  return state == 3 ? 0 : state;
}

void TacCheckBoxWnd::PaintFace(TBitmap& cache, const TFaceBase& base) {
  TsCommonData& cd = SkinData();
  const TRect bounds = base.Bounds;
  const TacBgQuery& background = base.Background;
  FillCacheFromBackground(cache, background, bounds.TopLeft());
  const TacSkinData& sd = *cd.CommonSkinData();
  const int state = CurrentState();
  const TRect mark = MarkRect();
  const TEnabled enabled = IsWindowEnabled(CtrlHandle()) ? TEnabled::Yes : TEnabled::No;
  TCacheInfo behind;  // the mark goes over what the cache holds already
  if (const int32_t index = MarkIndex(); index >= 0) {
    PaintSkinGlyph(cache.View(), mark.TopLeft(), behind, sd, index, state, enabled);
  } else {
    const TRect box = mark.Intersect(TRect::XYWH(0, 0, bounds.Width(), bounds.Height()));
    PaintSection(cache.View(), box, sd, cd.SkinIndex, PaintState(),
                 MakeCacheInfo(cache.View(), 0, 0), TPoint{0, 0});
    if (CheckState() != BST_UNCHECKED)
      FillRect32(cache.View(),
                 TRect::LTRB(mark.Left + 3, mark.Top + 3, mark.Right - 3, mark.Bottom - 3),
                 cd.SectionFontColor(state));
  }
  if (!FCaption.empty()) {
    const LONG style = GetWindowLongW(CtrlHandle(), GWL_STYLE);
    uint32_t flags = DT_VCENTER | DT_EXPANDTABS;
    flags |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    WriteWindowText(cache, CtrlHandle(), TextRect(), FCaption, cd, PaintState(), clNone, flags);
  }
}

TRect TacGroupBoxWnd::TextRect() const {
  const TSize text = MeasureWindowText(CtrlHandle(), FCaption, 0, DT_SINGLELINE);
  if (text.cx == 0) return TRect::XYWH(kGroupCaptionIndent, 0, 0, 0);
  return TRect::XYWH(kGroupCaptionIndent, 0, text.cx + 2, text.cy);
}

TRect TacGroupBoxWnd::FrameRect() const {
  RECT client;
  GetClientRect(CtrlHandle(), &client);
  const TSize line = MeasureWindowText(CtrlHandle(), "Iy", 0, DT_SINGLELINE);
  return TRect::LTRB(0, line.cy / 2, client.right, client.bottom);
}

void TacGroupBoxWnd::PaintFace(TBitmap& cache, const TFaceBase& base) {
  TsCommonData& cd = SkinData();
  const TRect bounds = base.Bounds;
  const TacBgQuery& background = base.Background;
  FillCacheFromBackground(cache, background, bounds.TopLeft());
  const TRect frame = FrameRect().Intersect(TRect::XYWH(0, 0, bounds.Width(), bounds.Height()));
  PaintSection(cache.View(), frame, *cd.CommonSkinData(), cd.SkinIndex, 0,
               CacheInfoFromQuery(background), bounds.TopLeft());
  if (!FCaption.empty()) {
    // The caption interrupts the frame: the parent shows behind it.
    const TRect text = TextRect();
    TBitmap strip;
    if (SizeCache(strip, bounds.Width(), bounds.Height())) {
      FillCacheFromBackground(strip, background, bounds.TopLeft());
      for (int y = std::max(0, text.Top); y < std::min(bounds.Height(), text.Bottom); ++y)
        for (int x = std::max(0, text.Left); x < std::min(bounds.Width(), text.Right); ++x)
          cache.View().At(x, y) = strip.View().At(x, y);
    }
    WriteWindowText(cache, CtrlHandle(), text.Offset(1, 0), FCaption, cd, 0, clNone,
                    DT_SINGLELINE | DT_LEFT);
  }
}

void TacGroupBoxWnd::acWndProc(TMessage& m) {
  if (Skinned()) {
    // A group box never lights up.
    if (IsSkinCommand(m, SKC_HOTENTER) || IsSkinCommand(m, SKC_HOTLEAVE)) return;
    if (m.Msg == WM_NCHITTEST) {
      m.Result = HTTRANSPARENT;
      return;
    }
  }
  TacBtnWnd::acWndProc(m);
}

}  // namespace ac
