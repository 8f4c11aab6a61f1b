#pragma once
// TFont: the description of a font (name, height in pixels, character set,
// colour, style) and the GDI font made from it on demand.
//
// Height is in pixels of the screen: negative for the character height,
// positive for the cell height, as LOGFONT. Size is the same in points at
// PixelsPerInch.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/color.h"
#include "paint/skin_colors.h"
#include "stream/dfm_value.h"
#include "win32/scoped_gdi_object.h"

namespace ac {

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = uint32_t;  // bits 1 << TFontStyle

class TFont {
 public:
  TFont();
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  const std::string& Name() const { return FName; }
  void SetName(std::string name);
  int Height() const { return FHeight; }
  void SetHeight(int height);
  // Points at PixelsPerInch, rounded as MulDiv.
  int Size() const;
  void SetSize(int points);
  int Charset() const { return FCharset; }
  void SetCharset(int charset);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style);
  bool HasStyle(TFontStyle s) const { return (FStyle >> static_cast<int>(s)) & 1; }
  int PixelsPerInch = 96;

  // Copies name, height, charset, colour and style (one change notification).
  void Assign(const TFont& source);
  bool SameAs(const TFont& other) const;

  // The GDI font, created on first use and after every change; owned here.
  HFONT Handle() const;

  // Sets one stored sub-property ("Name", "Height", "Size", "Charset",
  // "Color", "Style"); false for an unknown name.
  bool SetStoredProperty(std::string_view name, const dfm::TValue& value);

  // Called after every change.
  std::function<void()> OnChange;

 private:
  void Changed();

  std::string FName = "Tahoma";
  int FHeight = -11;
  int FCharset = DEFAULT_CHARSET;
  TColor FColor = clWindowText;
  TFontStyles FStyle = 0;
  mutable platform::ScopedFont FHandle;
};

// ColorToRGB (the $00BBGGRR value of a colour, system colours resolved) is
// the paint layer's: one definition for the whole program.

}  // namespace ac
