#include "framework/font.h"

#include "framework/property_value.h"
#include "system/win/unicode.h"

namespace ac {

TFont::TFont() = default;

void TFont::Changed() {
  FHandle.Reset();
  if (OnChange) OnChange();
}

void TFont::SetName(std::string name) {
  if (name == FName) return;
  FName = std::move(name);
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == FHeight) return;
  FHeight = height;
  Changed();
}

int TFont::Size() const {
  return -MulDiv(FHeight, 72, PixelsPerInch);
}

void TFont::SetSize(int points) {
  SetHeight(-MulDiv(points, PixelsPerInch, 72));
}

void TFont::SetCharset(int charset) {
  if (charset == FCharset) return;
  FCharset = charset;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  // The colour is not part of the GDI font; keep the handle.
  if (OnChange) OnChange();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TFont::Assign(const TFont& source) {
  if (SameAs(source)) return;
  FName = source.FName;
  FHeight = source.FHeight;
  FCharset = source.FCharset;
  FColor = source.FColor;
  FStyle = source.FStyle;
  Changed();
}

bool TFont::SameAs(const TFont& o) const {
  return FName == o.FName && FHeight == o.FHeight && FCharset == o.FCharset && FColor == o.FColor &&
         FStyle == o.FStyle;
}

HFONT TFont::Handle() const {
  if (!FHandle) {
    LOGFONTW lf{};
    lf.lfHeight = FHeight;
    lf.lfWeight = HasStyle(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = HasStyle(TFontStyle::fsItalic);
    lf.lfUnderline = HasStyle(TFontStyle::fsUnderline);
    lf.lfStrikeOut = HasStyle(TFontStyle::fsStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(FCharset);
    lf.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = platform::Utf8ToWide(FName);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    FHandle.Reset(CreateFontIndirectW(&lf));
  }
  return FHandle.Get();
}

bool TFont::SetStoredProperty(std::string_view name, const dfm::TValue& value) {
  if (name == "Name") {
    SetName(StringValue(value));
  } else if (name == "Height") {
    SetHeight(IntValue(value));
  } else if (name == "Size") {
    SetSize(IntValue(value));
  } else if (name == "Color") {
    SetColor(ColorValue(value));
  } else if (name == "Charset") {
    SetCharset(value.Kind == dfm::TValue::TKind::Int
                   ? IntValue(value)
                   : EnumValue<int>(value, {{"DEFAULT_CHARSET", DEFAULT_CHARSET},
                                            {"ANSI_CHARSET", ANSI_CHARSET},
                                            {"RUSSIAN_CHARSET", RUSSIAN_CHARSET}}));
  } else if (name == "Style") {
    SetStyle(SetValue<TFontStyle>(value, {{"fsBold", TFontStyle::fsBold},
                                          {"fsItalic", TFontStyle::fsItalic},
                                          {"fsUnderline", TFontStyle::fsUnderline},
                                          {"fsStrikeOut", TFontStyle::fsStrikeOut}}));
  } else {
    return false;
  }
  return true;
}

}  // namespace ac
