#pragma once
// TControl: a component with a place on a parent, a caption, a font, a
// colour, a cursor, visibility and an enabled state, and one message path.
//
// Every message for a control goes through WindowProc. It starts as the
// control's own WndProc; a skinned control or an adapter replaces it with
// HookWindowProc, which chains to the previous one and hands back a token that
// restores it. WndProc handles what the framework handles and passes the rest
// down the class chain to DefaultHandler (for a windowed control, the window
// class's own procedure). Perform sends a message straight through WindowProc.
//
// Destruction: once the most-derived destructor has run, WindowProc is the
// control's own WndProc again (resolved at the level still alive), so no
// replacement installed by a derived part or an adapter is called into freed
// data; an owner destroys a windowed control's window while the control is
// still whole (BeforeDestruction).
//
// Property changes are announced with the CM_ notifications of messages.h:
// CM_ENABLEDCHANGED, CM_VISIBLECHANGED, CM_TEXTCHANGED, CM_FONTCHANGED,
// CM_COLORCHANGED, CM_CURSORCHANGED, CM_MOUSEENTER, CM_MOUSELEAVE, the parent
// notifications CM_PARENTFONTCHANGED, CM_PARENTCOLORCHANGED, and
// CM_SHOWINGCHANGED (Showing turned), CM_INVALIDATE (every Invalidate),
// CM_CHANGED (Changed, LParam the control), CM_CANCELMODE (to the focused
// control of the form when another control is pressed or takes the focus,
// LParam the control that caused it).

#include <functional>
#include <memory>
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

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Keys and mouse buttons held during a mouse event, as bits.
using TShiftState = uint32_t;
enum TShiftStateBits : uint32_t {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
  ssDouble = 1u << 6,  // the press is the second of a double click
};

using TWndMethod = std::function<void(TMessage&)>;
// A replacement window procedure: handles M and, for what it does not
// consume, calls Previous (the procedure it replaced).
using TWndHook = std::function<void(TMessage& m, const TWndMethod& previous)>;
using TMouseEvent =
    std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;

struct TWindowProcHookState;

// The token of one window-procedure replacement (TControl::HookWindowProc),
// the way into a framework control's messages (win32/window_procedures.h
// says which mechanism serves which window). Move-only; destroying it
// unhooks. A control that died first makes every operation a no-op.
class TWindowProcHook {
 public:
  TWindowProcHook() = default;
  TWindowProcHook(TWindowProcHook&&) noexcept = default;
  TWindowProcHook& operator=(TWindowProcHook&& o) noexcept;
  TWindowProcHook(const TWindowProcHook&) = delete;
  TWindowProcHook& operator=(const TWindowProcHook&) = delete;
  ~TWindowProcHook() { Unhook(); }

  // From HookWindowProc until Unhook.
  bool Active() const;
  // This replacement is the control's WindowProc now: nothing was put over it.
  bool Installed() const;
  // Puts the previous procedure back, but only while this replacement is
  // still the installed one. When another replaced it since, the chain stays
  // as it is and this link only passes messages on to its previous procedure,
  // so the later replacement keeps working.
  void Unhook();

 private:
  friend class TControl;
  explicit TWindowProcHook(std::shared_ptr<TWindowProcHookState> state)
      : FState(std::move(state)) {}
  std::shared_ptr<TWindowProcHookState> FState;
};

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
  // Recomputes Showing and sends CM_SHOWINGCHANGED when it turned; windowed
  // controls carry the update to their children. Called by the framework
  // wherever showing may turn.
  virtual void UpdateShowing();
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
  // Replaces WindowProc with Hook, which receives the procedure it replaced.
  [[nodiscard]] TWindowProcHook HookWindowProc(TWndHook hook);
  // Expires when the control's destruction reaches TControl: whoever keeps
  // a pointer to the control and may outlive it checks it before use.
  std::weak_ptr<TControl*> LifeToken() const { return FAlive; }
  LRESULT Perform(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
  virtual void WndProc(TMessage& m);
  virtual void DefaultHandler(TMessage& m);

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  virtual void Click();

  // Repaints the control's area (of its parent, for a windowless control):
  // sends CM_INVALIDATE, whose handling does the invalidation.
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
  // A mouse button went down or up over the control; X and Y are in its
  // client coordinates. Called after the window's own handling of the press
  // or release (so a system button's click has run before MouseUp). The
  // defaults call OnMouseDown and OnMouseUp.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // Announces a change of the control's value: CM_CHANGED with LParam this.
  void Changed();
  // Tells the focused control of this control's form to end a mode (a
  // dropped list, a press) that Sender is about to interrupt.
  void SendCancelMode(TControl* sender);
  // Puts the control's own WndProc back as WindowProc (the destructors' first
  // step: replacements may belong to parts already destroyed).
  void RestoreOwnWindowProc();
  // Forgets the control for outstanding hook tokens.
  void EndHookTokens() { FAlive.reset(); }
  virtual void BoundsChanged() {}
  virtual void VisibleChanging() {}
  virtual void EnabledChanging() {}
  // Called after the font or colour came from the parent.
  void ParentFontChanged();
  void ParentColorChanged();

  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  std::string FText;

 private:
  bool HandleMouseButton(TMessage& m);

  TWinControl* FParent = nullptr;
  // Hook tokens hold it weakly to know whether the control still exists.
  std::shared_ptr<TControl*> FAlive = std::make_shared<TControl*>(this);
  bool FShowing = false;  // the last Showing announced
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

// Whether Key is the accelerator of Caption (the character after a single
// '&', compared without regard to case).
bool IsAccel(wchar_t key, std::string_view caption);

}  // namespace ac
