#include "frames/frame_adapter.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "skin/skin_data_lookup.h"
#include "system/win/unicode.h"
#include "win32/dib_section.h"
#include "win32/gdi_text.h"
#include "win32/window_region.h"
#include "win32/window_text.h"

namespace ac {

namespace {

// The width of the frame the system gives a window of this style.
int32_t SystemFrameWidth(HWND window, LONG style) {
  if ((style & WS_THICKFRAME) != 0)
    return GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
  if ((style & WS_BORDER) != 0) return GetSystemMetrics(SM_CXFIXEDFRAME);
  RECT w{}, c{};
  GetWindowRect(window, &w);
  GetClientRect(window, &c);
  return ((w.right - w.left) - (c.right - c.left)) / 2;
}

bool SameInputs(const TsFormFrameInputs& a, const TsFormFrameInputs& b) {
  const auto& x = a.Buttons;
  const auto& y = b.Buttons;
  return a.Window == b.Window && a.FrameWidth == b.FrameWidth &&
         a.CaptionHeight == b.CaptionHeight && a.Active == b.Active && a.Maximized == b.Maximized &&
         a.Sizeable == b.Sizeable && a.ShowIcon == b.ShowIcon && x.Close == y.Close &&
         x.Maximize == y.Maximize && x.Minimize == y.Minimize && x.Help == y.Help &&
         x.CloseEnabled == y.CloseEnabled && x.MaximizeEnabled == y.MaximizeEnabled &&
         x.MinimizeEnabled == y.MinimizeEnabled && x.Big == y.Big && a.FormIndex == b.FormIndex &&
         a.TitleIndex == b.TitleIndex && a.CaptionIndex == b.CaptionIndex &&
         a.BorderWindow == b.BorderWindow && a.Shadow == b.Shadow && a.TitleHeight == b.TitleHeight;
}

std::string CaptionFontName(const TsSkinManager& manager) {
  switch (manager.Fonts.MainMode) {
    case TacFontMode::fmFromSkin:
      if (!manager.Core.SkinCommonInfo.MainFont.empty())
        return manager.Core.SkinCommonInfo.MainFont;
      break;
    case TacFontMode::fmCustom:
      if (!manager.Fonts.MainFont.empty()) return manager.Fonts.MainFont;
      break;
    case TacFontMode::fmDefault:
      break;
  }
  return manager.AppFontName().empty() ? "Tahoma" : manager.AppFontName();
}

platform::ScopedFont MakeCaptionFont(const std::string& name, int ppi) {
  LOGFONTW lf{};
  // The skin's caption font is 13 pixels high at 96 pixels per inch.
  lf.lfHeight = -MulDiv(13, ppi, 96);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  // A name too long for the face name field is no name: the system's default.
  const std::wstring face = platform::Utf8ToWide(name);
  if (face.size() < LF_FACESIZE) face.copy(lf.lfFaceName, face.size());
  return platform::ScopedFont(CreateFontIndirectW(&lf));
}

}  // namespace

TacFrameAdapter::TacFrameAdapter(HWND window, TacFrameSections sections)
    : FWindow(window), FSections(std::move(sections)) {}

TacFrameAdapter::~TacFrameAdapter() {
  if (IsWindow(FWindow)) RemoveSkin();
}

const TacSkinData* TacFrameAdapter::CurrentData() const {
  if (!FManager) return nullptr;
  const TacSkinManagerCore& core = FManager->Core;
  if (FSkinData && FDataGeneration == core.SkinDataGeneration()) return FSkinData;
  // The data taken before is gone (or none was taken). While a skin loads
  // nothing is taken: asking would load on demand in the middle of it.
  FSkinData = nullptr;
  if (!FManager->IsActive() || core.HasState(msSkinChanging)) return nullptr;
  FSkinData = &FManager->Core.CommonSkinData(FPPI);
  FDataGeneration = core.SkinDataGeneration();
  FFormIndex = GetSkinIndex(*FSkinData, FSections.Form);
  FTitleIndex = GetSkinIndex(*FSkinData, FSections.Title);
  FCaptionIndex = GetSkinIndex(*FSkinData, FSections.Caption);
  // The image was painted from the data that went.
  FBGChanged = true;
  return FSkinData;
}

void TacFrameAdapter::ApplySkin(TsSkinManager* manager, int ppi) {
  if (!manager || !manager->IsActive() || !manager->Options.DrawNonClientArea) {
    RemoveSkin();
    return;
  }
  FManager = manager;
  FPPI = ppi;
  FSkinData = nullptr;
  if (!CurrentData() || FFormIndex < 0) {
    RemoveSkin();
    return;
  }
  FCaptionFont = MakeCaptionFont(CaptionFontName(*manager), FSkinData->PPI);
  const LONG style = GetWindowLongW(FWindow, GWL_STYLE);
  if (!FStyleTaken) {
    FHadSysMenu = (style & WS_SYSMENU) != 0;
    FStyleTaken = true;
    if (FHadSysMenu) SetWindowLongW(FWindow, GWL_STYLE, style & ~WS_SYSMENU);
  }
  FBGChanged = true;
  FRegionSize = {};
  CheckBorderWindow();
  if (FBorder) return;
  UpdateRegion();
  RepaintFrame();
}

void TacFrameAdapter::CheckBorderWindow() {
  const LONG style = GetWindowLongW(FWindow, GWL_STYLE);
  const bool framed = (style & (WS_CAPTION | WS_THICKFRAME)) != 0;
  const bool wanted = AllowExtBorders && Skinned() && FManager->ExtendedBorders && framed &&
                      (style & WS_CHILD) == 0 &&
                      !(IsZoomed(FWindow) && FManager->Options.NativeBordersMaximized);
  if (!wanted) {
    if (FBorder) {
      // The frame goes back into the window: its own region and picture.
      FBorder.reset();
      FBGChanged = true;
      FRegionSize = {};
      UpdateRegion();
      RepaintFrame();
    }
    return;
  }
  if (!FBorder) {
    FBorder = std::make_unique<TacBorderForm>(*this);
    // The window shows its client area only from now on, before its border
    // window is first shown: the system's frame never reaches the screen.
    FRegionSet = false;
    FBorder->ApplyFormRegion();
  }
  FBGChanged = true;
  FBorder->MarkImageChanged();
  FBorder->UpdateExBordersPos(true);
}

void TacFrameAdapter::RemoveSkin() {
  const bool wasSkinned = Skinned() || FStyleTaken || FRegionSet || FBorder;
  // The border window goes first and gives the window its whole area back.
  FBorder.reset();
  FSkinData = nullptr;
  FManager = nullptr;
  FFormIndex = FTitleIndex = FCaptionIndex = -1;
  FClicked = CurrentHT = 0;
  FLayout = {};
  FCache.SetSize(0, 0);
  FCaptionFont.Reset();
  if (!IsWindow(FWindow) || !wasSkinned) return;
  if (FStyleTaken) {
    const LONG style = GetWindowLongW(FWindow, GWL_STYLE);
    if (FHadSysMenu) SetWindowLongW(FWindow, GWL_STYLE, style | WS_SYSMENU);
    FStyleTaken = false;
  }
  if (FRegionSet) {
    FRegionSet = false;
    FRegionSize = {};
    platform::SetWindowRegion(FWindow, {}, platform::TRegionRedraw::rrRedraw);
  }
  // The system frame comes back with the next frame recalculation.
  SetWindowPos(FWindow, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(FWindow, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

TsFormFrameInputs TacFrameAdapter::CurrentInputs() const {
  TsFormFrameInputs in;
  RECT wr{};
  GetWindowRect(FWindow, &wr);
  const LONG style = GetWindowLongW(FWindow, GWL_STYLE);
  const LONG ex = GetWindowLongW(FWindow, GWL_EXSTYLE);
  in.Window = {wr.right - wr.left, wr.bottom - wr.top};
  in.FrameWidth = SystemFrameWidth(FWindow, style);
  const bool caption = (style & WS_CAPTION) == WS_CAPTION;
  const bool tool = (ex & WS_EX_TOOLWINDOW) != 0;
  in.CaptionHeight =
      caption || IsIconic(FWindow) ? GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION) : 0;
  in.Active = FFormActive;
  in.Maximized = IsZoomed(FWindow) != FALSE;
  in.Sizeable = (style & WS_THICKFRAME) != 0;
  const bool sysMenu = FStyleTaken ? FHadSysMenu : (style & WS_SYSMENU) != 0;
  in.ShowIcon = sysMenu && !tool && (ex & WS_EX_DLGMODALFRAME) == 0;
  TsCaptionButtonSet& b = in.Buttons;
  b.Big = !tool;
  b.Close = false;
  if (sysMenu) {
    if (HMENU menu = GetSystemMenu(FWindow, FALSE)) {
      const UINT state = GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
      b.Close = state != static_cast<UINT>(-1);
      b.CloseEnabled = b.Close && (state & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    b.Maximize = (style & WS_MAXIMIZEBOX) != 0;
    b.Minimize = (style & WS_MINIMIZEBOX) != 0;
  }
  b.Help = (ex & WS_EX_CONTEXTHELP) != 0;
  in.FormIndex = FFormIndex;
  in.TitleIndex = FTitleIndex;
  in.CaptionIndex = FCaptionIndex;
  return in;
}

TsFormFrameInputs TacFrameAdapter::ImageInputs() const {
  const TsFormFrameInputs in = CurrentInputs();
  const TacSkinData* sd = CurrentData();
  return FBorder && sd ? BorderFrameInputs(*sd, in) : in;
}

TPoint TacFrameAdapter::ImageOrigin() const {
  RECT wr{};
  GetWindowRect(FWindow, &wr);
  const TPoint origin{wr.left, wr.top};
  const TacSkinData* sd = CurrentData();
  if (!FBorder || !sd) return origin;
  return origin - BorderOffset(BorderMetricsFor(*sd, CurrentInputs()));
}

TacBorderFrame TacFrameAdapter::Describe() const {
  TacBorderFrame f;
  if (!Skinned()) return f;
  const TacSkinData& sd = *FSkinData;
  const TsFormFrameInputs in = CurrentInputs();
  f.Metrics = BorderMetricsFor(sd, in);
  const bool imageFrame =
      sd.ExDrawMode == 1 && FManager->Core.ExtBordersMode == ebmFull && sd.ExBorder >= 0;
  f.Drawing = imageFrame ? TBorderDrawing::bdImageFrame : TBorderDrawing::bdOther;
  f.AlignOffsets =
      TRect::LTRB(sd.ExShadowOffs, sd.ExShadowOffsT, sd.ExShadowOffsR, sd.ExShadowOffsB);
  const TsFormFrameInputs image = BorderFrameInputs(sd, in);
  const TsTitleLayout layout = SameInputs(image, FInputs) ? FLayout : LayoutTitle(sd, image);
  // A disabled button is part of the caption.
  FBorderHits.clear();
  for (const TsCaptionButton& b : layout.Buttons)
    FBorderHits.push_back({b.cpRect, b.Enabled ? b.cpHitCode : htCaption});
  f.Buttons = FBorderHits;
  f.IconRect = layout.Icon;
  const LONG style = GetWindowLongW(FWindow, GWL_STYLE);
  const bool zoomed = IsZoomed(FWindow) != FALSE;
  f.SystemMenu = FStyleTaken ? FHadSysMenu : (style & WS_SYSMENU) != 0;
  f.MaximizeEnabled = (style & WS_MAXIMIZEBOX) != 0 && !zoomed;
  f.RestoreEnabled = zoomed || IsIconic(FWindow);
  return f;
}

void TacFrameAdapter::SetHotButton(int32_t code) {
  if (FClicked == 0) SetHot(code);
}

TPoint TacFrameAdapter::ClientOffset() const {
  if (const TacSkinData* sd = CurrentData(); FBorder && sd)
    return ClientHole({}, BorderMetricsFor(*sd, CurrentInputs())).TopLeft();
  RECT wr{};
  GetWindowRect(FWindow, &wr);
  POINT origin{0, 0};
  ClientToScreen(FWindow, &origin);
  return {origin.x - wr.left, origin.y - wr.top};
}

void TacFrameAdapter::ForgetWindow() {
  platform::WindowRegionGone(FWindow);
  FWindow = nullptr;
}

TColor TacFrameAdapter::ClientColor() const {
  if (FClientColor != clNone) return FClientColor;
  if (!Skinned()) return clNone;
  const TsGeneralData& g = FSkinData->gd[static_cast<size_t>(FFormIndex)];
  return g.Props[static_cast<size_t>(FrameState(*FSkinData, FFormIndex, FFormActive))].Color;
}

bool TacFrameAdapter::PrepareImage() {
  if (!Skinned()) return false;
  const TsFormFrameInputs in = ImageInputs();
  if (in.Window.cx <= 0 || in.Window.cy <= 0) return false;
  if (!FBGChanged && FCache.Width() == in.Window.cx && FCache.Height() == in.Window.cy &&
      SameInputs(in, FInputs))
    return true;
  // Button states survive a rebuild: hover and press follow the mouse.
  std::vector<TsCaptionButton> old = FLayout.Buttons;
  FInputs = in;
  FLayout = LayoutTitle(*FSkinData, FInputs);
  for (TsCaptionButton& b : FLayout.Buttons)
    for (const TsCaptionButton& o : old)
      if (o.cpHitCode == b.cpHitCode) b.cpState = o.cpState;
  if (FCache.Width() != in.Window.cx || FCache.Height() != in.Window.cy)
    FCache.SetSize(in.Window.cx, in.Window.cy);
  if (FCache.Empty()) return false;
  const std::string caption = platform::WindowTextUtf8(FWindow);
  platform::TGdiTextRasterizer font(FCaptionFont.Get());
  GdiFlush();
  const TsPixelBuffer image = FCache.View();
  const TsFrameShadow shadow =
      FBorder ? BorderFrameShadow(*FSkinData, FManager->Core.ExtBordersMode, FInputs)
              : TsFrameShadow{};
  PaintFormFrameUnderButtons(image, *FSkinData, FInputs, FLayout,
                             {caption, FCaptionFont.Get() ? &font : nullptr}, shadow);
  PaintIcon();
  // What lies under the buttons is kept before they go over it.
  FUnderButtonsRect = {};
  for (const TsCaptionButton& b : FLayout.Buttons)
    FUnderButtonsRect = FUnderButtonsRect.IsEmpty()
                            ? b.cpRect
                            : TRect::LTRB(std::min(FUnderButtonsRect.Left, b.cpRect.Left),
                                          std::min(FUnderButtonsRect.Top, b.cpRect.Top),
                                          std::max(FUnderButtonsRect.Right, b.cpRect.Right),
                                          std::max(FUnderButtonsRect.Bottom, b.cpRect.Bottom));
  FUnderButtonsRect = FUnderButtonsRect.Intersect(image.Bounds());
  FUnderButtons.Resize(FUnderButtonsRect.Width(), FUnderButtonsRect.Height());
  for (int32_t y = 0; y < FUnderButtonsRect.Height(); ++y)
    for (int32_t x = 0; x < FUnderButtonsRect.Width(); ++x)
      FUnderButtons.View().At(x, y) =
          image.At(FUnderButtonsRect.Left + x, FUnderButtonsRect.Top + y);
  for (const TsCaptionButton& b : FLayout.Buttons)
    PaintCaptionButton(image, *FSkinData, b, FInputs.Active);
  FBGChanged = false;
  ++FImageVersion;
  return true;
}

void TacFrameAdapter::RepaintButton(const TsCaptionButton& button) {
  if (!Skinned()) return;
  if (FBGChanged || FCache.Empty() || FUnderButtons.IsEmpty()) {
    FBGChanged = true;
    RepaintFrame();
    return;
  }
  const TsPixelBuffer image = FCache.View();
  const TRect r = button.cpRect.Intersect(FUnderButtonsRect);
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    for (int32_t x = r.Left; x < r.Right; ++x)
      image.At(x, y) =
          FUnderButtons.View().At(x - FUnderButtonsRect.Left, y - FUnderButtonsRect.Top);
  PaintCaptionButton(image, *FSkinData, button, FInputs.Active);
  ++FImageVersion;
  if (FBorder) {
    // The border window shows the image as it is now.
    FBorder->UpdateExBordersPos(true);
    return;
  }
  if (!IsWindowVisible(FWindow)) return;
  platform::ScopedWindowDC dc(FWindow);
  platform::PresentFace(dc.Get(), TPoint{r.Left, r.Top}, FCache.Section(), r);
}

void TacFrameAdapter::PaintIcon() {
  const TRect r = FLayout.Icon;
  if (r.IsEmpty()) return;
  const bool big = r.Height() > 16;
  auto icon =
      reinterpret_cast<HICON>(SendMessageW(FWindow, WM_GETICON, big ? ICON_BIG : ICON_SMALL2, 0));
  if (!icon)
    icon = reinterpret_cast<HICON>(GetClassLongPtrW(FWindow, big ? GCLP_HICON : GCLP_HICONSM));
  if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
  if (!icon) return;
  // The icon is drawn by the system; the pixels it changed become opaque.
  const TsPixelBuffer v = FCache.View();
  const TRect area = r.Intersect(v.Bounds());
  std::vector<uint32_t> before;
  for (int32_t y = area.Top; y < area.Bottom; ++y)
    for (int32_t x = area.Left; x < area.Right; ++x) before.push_back(v.At(x, y));
  GdiFlush();
  DrawIconEx(FCache.Canvas().Handle(), r.Left, r.Top, icon, r.Width(), r.Height(), 0, nullptr,
             DI_NORMAL);
  GdiFlush();
  size_t i = 0;
  for (int32_t y = area.Top; y < area.Bottom; ++y)
    for (int32_t x = area.Left; x < area.Right; ++x, ++i)
      if (v.At(x, y) != before[i]) v.At(x, y) |= 0xFF000000u;
}

void TacFrameAdapter::UpdateRegion() {
  if (!Skinned()) return;
  const TsFormFrameInputs in = CurrentInputs();
  if (in.Window.cx <= 0 || in.Window.cy <= 0) return;
  // Setting a region moves the window's frame, which comes back here as a
  // position change: the size it is cut for is noted first.
  FRegionSize = in.Window;
  platform::ScopedRegion region;
  if (in.Maximized) {
    // A maximized window reaches past the screen by its frame: what shows is
    // square, without rounded corners.
    const int32_t f = in.FrameWidth;
    region.Reset(CreateRectRgn(f, f, in.Window.cx - f, in.Window.cy - f));
  } else {
    region.Reset(CreateRectRgn(0, 0, in.Window.cx, in.Window.cy));
    for (const TRect& r : FrameRegionCutouts(*FSkinData, in)) {
      platform::ScopedRegion cut(CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom));
      CombineRgn(region.Get(), region.Get(), cut.Get(), RGN_DIFF);
    }
  }
  if (platform::SetWindowRegion(FWindow, std::move(region),
                                IsWindowVisible(FWindow) ? platform::TRegionRedraw::rrRedraw
                                                         : platform::TRegionRedraw::rrNone))
    FRegionSet = true;
}

void TacFrameAdapter::PaintNonClient(HDC dc) {
  // With a border window nothing of the frame lies in the window.
  if (FBorder || !PrepareImage()) return;
  const TPoint o = ClientOffset();
  RECT client{};
  GetClientRect(FWindow, &client);
  const platform::ScopedSaveDC saved(dc);
  ExcludeClipRect(dc, o.X, o.Y, o.X + client.right, o.Y + client.bottom);
  platform::PresentFace(dc, FCache.Section());
}

void TacFrameAdapter::PaintClientBackground(HDC dc) {
  RECT clip{};
  if (GetClipBox(dc, &clip) == ERROR) GetClientRect(FWindow, &clip);
  if (FClientColor != clNone) {
    platform::ScopedBrush brush(CreateSolidBrush(static_cast<COLORREF>(FClientColor & 0xFFFFFF)));
    FillRect(dc, &clip, brush.Get());
    return;
  }
  if (!PrepareImage()) return;
  const TPoint o = ClientOffset();
  platform::PresentFace(dc, TPoint{clip.left, clip.top}, FCache.Section(),
                        FromRECT(clip).Offset(o.X, o.Y));
}

void TacFrameAdapter::RepaintFrame() {
  if (!Skinned() || !IsWindowVisible(FWindow)) return;
  if (FBorder) {
    // The border window shows it once the window has handled the message.
    if (FBGChanged) FBorder->MarkImageChanged();
    return;
  }
  platform::ScopedWindowDC dc(FWindow);
  if (dc.Get()) PaintNonClient(dc.Get());
}

int32_t TacFrameAdapter::HitTest(TPoint screen) const {
  if (FBorder) {
    RECT client{};
    GetClientRect(FWindow, &client);
    MapWindowPoints(FWindow, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (PtInRect(&client, POINT{screen.X, screen.Y})) return htClient;
    const int32_t code = FBorder->Ex_WMNCHitTest(screen);
    return code == kHitTransparent ? htNowhere : code;
  }
  const TsFormFrameInputs in = CurrentInputs();
  const TsTitleLayout layout = SameInputs(in, FInputs) ? FLayout : LayoutTitle(*FSkinData, in);
  RECT wr{}, client{};
  GetWindowRect(FWindow, &wr);
  GetClientRect(FWindow, &client);
  const TPoint o = ClientOffset();
  const TRect clientRect = TRect::XYWH(o.X, o.Y, client.right, client.bottom);
  return FrameHitTest(in, layout, clientRect, {screen.X - wr.left, screen.Y - wr.top});
}

TsCaptionButton* TacFrameAdapter::Button(int32_t hitCode) {
  for (TsCaptionButton& b : FLayout.Buttons)
    if (b.cpHitCode == hitCode) return &b;
  return nullptr;
}

void TacFrameAdapter::SetHot(int32_t hitCode) {
  if (CurrentHT == hitCode) return;
  CurrentHT = hitCode;
  for (TsCaptionButton& b : FLayout.Buttons) {
    int32_t state = kButtonNormal;
    if (FClicked != 0) {
      if (b.cpHitCode == FClicked && hitCode == FClicked) state = kButtonPressed;
    } else if (b.cpHitCode == hitCode && b.Enabled) {
      state = kButtonHot;
    }
    if (b.cpState == state) continue;
    b.cpState = state;
    RepaintButton(b);
  }
}

void TacFrameAdapter::SetPressed(int32_t hitCode) {
  FClicked = hitCode;
  CurrentHT = -1;
  SetHot(hitCode);
}

void TacFrameAdapter::ResetButtons() {
  FClicked = 0;
  CurrentHT = -1;
  SetHot(0);
}

void TacFrameAdapter::RunButtonCommand(int32_t hitCode) {
  WPARAM command = 0;
  switch (hitCode) {
    case htClose:
      command = SC_CLOSE;
      break;
    case htMinButton:
      command = IsIconic(FWindow) ? SC_RESTORE : SC_MINIMIZE;
      break;
    case htMaxButton:
      command = IsZoomed(FWindow) ? SC_RESTORE : SC_MAXIMIZE;
      break;
    case htHelp:
      command = SC_CONTEXTHELP;
      break;
    default:
      return;
  }
  // Posted, not sent: closing destroys the window and its adapters, which
  // must not happen under the mouse message still being handled here.
  PostMessageW(FWindow, WM_SYSCOMMAND, command, 0);
}

bool TacFrameAdapter::HandleButtonRelease(TPoint screen) {
  if (FClicked == 0) return false;
  const int32_t pressed = FClicked;
  const int32_t code = HitTest(screen);
  FClicked = 0;
  if (GetCapture() == FWindow) ReleaseCapture();
  ResetButtons();
  if (code == pressed) RunButtonCommand(pressed);
  return true;
}

bool TacFrameAdapter::HandleForwarded(TMessage& m, const TWndMethod& next) {
  if (m.Msg != WM_NCLBUTTONDOWN && m.Msg != WM_NCLBUTTONUP && m.Msg != WM_NCRBUTTONUP) return false;
  if (static_cast<int32_t>(m.WParam) != -1) return false;
  m.Result = 0;
  // Anyone can send a form this message; only its border window's is a
  // press (or release) of the frame.
  if (!TacBorderForm::ForwardingTo(FWindow)) return true;
  const TPoint at = TacBorderForm::ScreenPoint(m.LParam);
  const int32_t code = FBorder->ForwardedHit(m.LParam);
  m.Result = 0;
  switch (m.Msg) {
    case WM_NCLBUTTONUP:
      HandleButtonRelease(at);
      return true;
    case WM_NCRBUTTONUP:
      if (code == htCaption && OnSystemMenu) OnSystemMenu(at);
      return true;
    default:
      break;
  }
  if (const TsCaptionButton* b = Button(code); b && b->Enabled) {
    SetPressed(code);
    SetCapture(FWindow);
    return true;
  }
  // The system's move and size loops, told the part the border window found.
  if (code == htCaption || (code >= htLeft && code <= htBottomRight)) {
    TMessage press{WM_NCLBUTTONDOWN, static_cast<WPARAM>(code), m.LParam, 0};
    next(press);
  }
  return true;
}

bool TacFrameAdapter::Handle(TMessage& m, const TWndMethod& next) {
  if (!Skinned()) return false;
  if (FBorder && HandleForwarded(m, next)) return true;
  const auto screenPoint = [&] {
    return TPoint{static_cast<int16_t>(LOWORD(m.LParam)), static_cast<int16_t>(HIWORD(m.LParam))};
  };
  switch (m.Msg) {
    case WM_NCPAINT: {
      platform::ScopedWindowDC dc(FWindow);
      if (dc.Get()) PaintNonClient(dc.Get());
      m.Result = 0;
      return true;
    }
    case WM_NCACTIVATE: {
      const bool active = m.WParam != 0;
      if (active != FFormActive) FBGChanged = true;
      FFormActive = active;
      // LParam -1 keeps the system from drawing its own caption over ours.
      TMessage pass{m.Msg, m.WParam, static_cast<LPARAM>(-1), 0};
      next(pass);
      m.Result = TRUE;
      RepaintFrame();
      return true;
    }
    case WM_SETTEXT:
    case WM_SETICON:
      // The system repaints its caption for both: ours goes over it at once.
      next(m);
      FBGChanged = true;
      RepaintFrame();
      return true;
    case WM_NCHITTEST:
      m.Result = HitTest(screenPoint());
      return true;
    case WM_NCMOUSEMOVE: {
      if (!FTrackingLeave) {
        TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE | TME_NONCLIENT, FWindow, 0};
        FTrackingLeave = TrackMouseEvent(&t) != FALSE;
      }
      SetHot(static_cast<int32_t>(m.WParam));
      return false;
    }
    case WM_NCMOUSELEAVE:
      FTrackingLeave = false;
      if (FClicked == 0) SetHot(0);
      return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      const auto code = static_cast<int32_t>(m.WParam);
      if (const TsCaptionButton* b = Button(code); b && b->Enabled) {
        SetPressed(code);
        // The release may come anywhere: it must reach this window.
        SetCapture(FWindow);
        m.Result = 0;
        return true;
      }
      if (code == htSysMenu) {
        if (m.Msg == WM_NCLBUTTONDBLCLK) {
          PostMessageW(FWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else if (OnSystemMenu) {
          const TRect icon = IconScreenRect();
          OnSystemMenu({icon.Left, icon.Bottom});
        }
        m.Result = 0;
        return true;
      }
      if (code == htCaption && m.Msg == WM_NCLBUTTONDBLCLK) {
        const LONG style = GetWindowLongW(FWindow, GWL_STYLE);
        if ((style & WS_MAXIMIZEBOX) != 0 && (style & WS_THICKFRAME) != 0)
          PostMessageW(FWindow, WM_SYSCOMMAND, IsZoomed(FWindow) ? SC_RESTORE : SC_MAXIMIZE, 0);
        m.Result = 0;
        return true;
      }
      return false;
    }
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP: {
      // A right click on the title shows the skinned window menu where it
      // was released; passed on, the system would show its own, unskinned.
      const auto code = static_cast<int32_t>(m.WParam);
      if (code != htCaption && code != htSysMenu) return false;
      if (m.Msg == WM_NCRBUTTONUP && OnSystemMenu) OnSystemMenu(screenPoint());
      m.Result = 0;
      return true;
    }
    case WM_CONTEXTMENU: {
      // The system's answer to a right click it saw on the frame itself.
      if (reinterpret_cast<HWND>(m.WParam) != FWindow || m.LParam == -1) return false;
      const int32_t code = HitTest(screenPoint());
      if (code != htCaption && code != htSysMenu) return false;
      if (OnSystemMenu) OnSystemMenu(screenPoint());
      m.Result = 0;
      return true;
    }
    case WM_NCLBUTTONUP:
      if (HandleButtonRelease(screenPoint())) {
        m.Result = 0;
        return true;
      }
      return false;
    case WM_LBUTTONUP: {
      if (FClicked == 0) return false;
      POINT p{static_cast<int16_t>(LOWORD(m.LParam)), static_cast<int16_t>(HIWORD(m.LParam))};
      ClientToScreen(FWindow, &p);
      HandleButtonRelease({p.x, p.y});
      m.Result = 0;
      return true;
    }
    case WM_CAPTURECHANGED:
      if (FClicked != 0 && reinterpret_cast<HWND>(m.LParam) != FWindow) ResetButtons();
      return false;
    case WM_ERASEBKGND:
      if (m.WParam != 0) PaintClientBackground(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return true;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: {
      next(m);
      RECT wr{};
      GetWindowRect(FWindow, &wr);
      const TSize size{wr.right - wr.left, wr.bottom - wr.top};
      if (size != FRegionSize) {
        FBGChanged = true;
        FRegionSize = size;
        // A border window keeps the window's region to its client area.
        if (!FBorder) UpdateRegion();
      }
      return true;
    }
    default:
      return false;
  }
}

}  // namespace ac
