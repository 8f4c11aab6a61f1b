#include "framework/label.h"

#include "framework/property_value.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  ControlStyle |= csOpaque;
}

UINT TCustomLabel::DrawFlags() const {
  UINT flags = DT_EXPANDTABS | DT_NOPREFIX;
  flags |= FWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  return flags;
}

void TCustomLabel::Paint(TCanvas& canvas) {
  TRect r = ClientRect();
  if (!Transparent()) {
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
  }
  canvas.Brush.Clear = true;
  if (!Enabled()) canvas.Font.SetColor(clGrayText);
  canvas.TextRect(r, Text(), DrawFlags());
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || HasState(csLoading) || HasState(csDestroying)) return;
  platform::ScopedGetDC screen(nullptr);
  TCanvas canvas(screen.Get());
  canvas.Font.Assign(Font());
  TRect r = TRect::XYWH(0, 0, FWordWrap ? Width() : 0x7FFF, 0);
  // An empty label keeps the height of one line.
  const std::string text = Text();
  canvas.TextRect(r, text.empty() ? std::string_view(" ") : std::string_view(text),
                  DrawFlags() | DT_CALCRECT);
  SetBounds(Left(), Top(), FWordWrap ? Width() : r.Width(), r.Height());
}

void TCustomLabel::SetAutoSize(bool value) {
  FAutoSize = value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool value) {
  FWordWrap = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
  if (value == Transparent()) return;
  if (value)
    ControlStyle &= ~csOpaque;
  else
    ControlStyle |= csOpaque;
  Invalidate();
}

void TCustomLabel::WndProc(TMessage& m) {
  if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED) {
    AdjustBounds();
    Invalidate();
    return;
  }
  TGraphicControl::WndProc(m);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

bool TCustomLabel::SetStoredProperty(std::string_view name, const dfm::TValue& v) {
  if (name == "AutoSize") {
    SetAutoSize(BoolValue(v));
  } else if (name == "WordWrap") {
    SetWordWrap(BoolValue(v));
  } else if (name == "Transparent") {
    SetTransparent(BoolValue(v));
  } else {
    return TGraphicControl::SetStoredProperty(name, v);
  }
  return true;
}

}  // namespace ac
