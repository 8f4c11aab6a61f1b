#pragma once
// TControl: a component with a place on a parent, a caption, a font, a
// colour, a cursor, visibility and an enabled state, and one message path.
//
// Every message for a control goes through WindowProc. It starts as the
// control's own WndProc; a skinned control or an adapter may replace it and
// chain to the previous one. WndProc handles what the framework handles and
// passes the rest down the class chain to DefaultHandler (for a windowed
// control, the window class's own procedure). Perform sends a message straight
// through WindowProc.
//
// Property changes are announced with the CM_ notifications of messages.h:
// CM_ENABLEDCHANGED, CM_VISIBLECHANGED, CM_TEXTCHANGED, CM_FONTCHANGED,
// CM_COLORCHANGED, CM_CURSORCHANGED, CM_MOUSEENTER, CM_MOUSELEAVE and the
// parent notifications CM_PARENTFONTCHANGED, CM_PARENTCOLORCHANGED.

#include <functional>
#include <string>

#include "core/color.h"
#include "core/geometry.h"
#include "framework/component.h"
#include "framework/font.h"
#include "framework/messages.h"

namespace ac {

class TWinControl;
class TCustomForm;

enum class TCursor { crDefault, crArrow, crIBeam, crHandPoint, crHourGlass, crCross, crNo };

// Control style bits.
enum TControlStyleBits : uint32_t {
  csOpaque = 1,        // paints its whole area
  csDoubleClicks = 2,  // double clicks reach it as such
  csClickEvents = 4,   // a press and release inside it is a click
  csSetCaption = 8,    // a new Name becomes the caption while designing
};

// Control state bits.
enum TControlStateBits : uint32_t {
  csClicked = 1,  // the left button went down inside it and is still down
  csFocusing = 2,
};

using TWndMethod = std::function<void(TMessage&)>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);

  // Bounds in the parent's client coordinates (a form: on the screen).
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  TRect BoundsRect() const { return TRect::XYWH(FLeft, FTop, FWidth, FHeight); }
  virtual void SetBounds(int left, int top, int width, int height);
  virtual TRect ClientRect() const { return TRect::XYWH(0, 0, FWidth, FHeight); }

  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  // Visible and every parent up to a form showing.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);

  // Caption and Text are the same string (UTF-8).
  virtual std::string Text() const { return FText; }
  void SetText(const std::string& text);
  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& text) { SetText(text); }

  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor);

  uint32_t ControlStyle = csClickEvents | csDoubleClicks;
  uint32_t ControlState = 0;

  TWndMethod WindowProc;
  LRESULT Perform(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
  virtual void WndProc(TMessage& m);
  virtual void DefaultHandler(TMessage& m);

  TNotifyEvent OnClick;
  virtual void Click();

  // Repaints the control's area (of its parent, for a windowless control).
  virtual void Invalidate();
  virtual void Update();
  void Repaint() {
    Invalidate();
    Update();
  }

  // Multiplies position, size and an own font by M / D (resolution scaling).
  virtual void ScaleBy(int m, int d);
  TCustomForm* ParentForm() const;

  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;
  void Loaded() override;

 protected:
  // Stores a new text without the window; windowed controls override to set
  // the window's text.
  virtual void TextChanging(const std::string& text);
  virtual void BoundsChanged() {}
  virtual void VisibleChanging() {}
  virtual void EnabledChanging() {}
  // Called after the font or colour came from the parent.
  void ParentFontChanged();
  void ParentColorChanged();

  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  std::string FText;

 private:
  TWinControl* FParent = nullptr;
  bool FVisible = true;
  bool FEnabled = true;
  TFont FFont;
  TColor FColor = clWindow;
  bool FParentColor = true;
  bool FParentFont = true;
  bool FFontFromParent = false;  // the change under way came from the parent
  TCursor FCursor = TCursor::crDefault;
};

// The system cursor of Cursor (null for crDefault).
HCURSOR CursorHandle(TCursor cursor);

}  // namespace ac
