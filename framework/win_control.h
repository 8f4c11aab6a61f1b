#pragma once
// TWinControl: a control with a real window. It holds child controls (windowed
// ones and windowless TGraphicControls it paints and routes the mouse to),
// takes part in focus and tab order, and reflects the notifications its window
// receives for a child (WM_COMMAND, WM_CTLCOLOR..., WM_DRAWITEM) to that child
// as CN_ messages.
//
// CM_FOCUSCHANGED, CM_DIALOGCHAR and CM_SHOWINGCHANGED updates pass from a
// windowed control to all its children (CM_DIALOGCHAR until one answers
// non-zero).
//
// The window is created on demand (HandleNeeded), after its parent's. Its
// window class is named after the framework class; a control that wraps a
// system class ("EDIT", "BUTTON") registers a copy of that class under its own
// name whose procedure is the framework's, and passes what it does not handle
// to the system procedure (DefaultHandler). Children's windows are ordered by
// TabOrder, which is the order Tab moves the focus in.

#include <windows.h>

#include <string>
#include <vector>

#include "framework/control.h"

namespace ac {

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // The system class this control's window class copies ("EDIT"); empty for
  // a class of the framework's own.
  std::wstring SysClassName;
  UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  HWND Handle() {
    HandleNeeded();
    return FHandle;
  }
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // Destroys the window (and with it the children's), keeping the control.
  void DestroyHandle();
  // Destroys and creates the window again, for a style the system reads only
  // at creation; nothing when there is no window yet.
  void RecreateWnd();

  // All child controls in insertion order.
  const std::vector<TControl*>& Controls() const { return FControls; }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int order);
  bool TabStop = false;

  bool Showing() const override;
  void UpdateShowing() override;
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();

  // The windowless child under P (client coordinates), last inserted first.
  TControl* ControlAtPos(TPoint p, bool allowDisabled) const;

  TRect ClientRect() const override;
  void Update() override;
  void BeforeDestruction() override;
  void ScaleBy(int m, int d) override;

  void WndProc(TMessage& m) override;
  void DefaultHandler(TMessage& m) override;

  std::string Text() const override;
  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;

  // The control whose window this is, or null.
  static TWinControl* FindControl(HWND window);

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // The window exists: send the font, create the children's windows.
  virtual void CreateWindowHandleDone();
  // Paints the control's own face into Dc, then its windowless children.
  virtual void PaintWindow(HDC dc);
  void PaintControls(HDC dc, const RECT& update);

  void TextChanging(const std::string& text) override;
  void BoundsChanged() override;
  void VisibleChanging() override;
  void EnabledChanging() override;

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = DefWindowProcW;
  bool FOwnPaint = true;  // false for system classes, which paint themselves

 private:
  static LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  void Attach(HWND wnd);
  void Detach();
  // The extra-byte offset of WINDOW's control address, or -1 for a window
  // that is not of a framework class of this process.
  static int ControlSlot(HWND window);
  bool RouteMouse(TMessage& m);
  bool ReflectToChild(TMessage& m);
  void SortChildWindows();

  std::vector<TControl*> FControls;
  int FTabOrder = -1;
  TControl* FCaptureControl = nullptr;
  bool FTrackingLeave = false;
};

}  // namespace ac
