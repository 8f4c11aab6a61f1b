#include "frames/ts_skin_provider.h"

#include "manager/skin_broadcast.h"

namespace ac {

TsSkinProvider::TsSkinProvider(TComponent* owner) : TComponent(owner) {
  FForm = dynamic_cast<TCustomForm*>(owner);
  if (!FForm) return;
  // A form already served by another adapter keeps it: this one stays idle.
  if (FForm->HandleAllocated() &&
      SendSkinCommandMessage(FForm->Handle(), SKC_GETPROVIDER, 0) != 0) {
    RTEmpty = true;
    return;
  }
  FCommonData = std::make_unique<TsCommonData>(*FForm, kCocForm, "FORM");
  FCommonData->UpdateIndexes();
  FRegistered = RegisterForm(*FForm);
  FHook = FForm->HookWindowProc(
      [this](TMessage& m, const TWndMethod& previous) { WndProc(m, previous); });
  EnsureFrame();
}

TsSkinProvider* TsSkinProvider::CreateRT(TCustomForm& form) {
  auto* provider = new TsSkinProvider(&form);
  provider->RTInit = true;
  provider->UseGlobalColor = false;
  return provider;
}

TsSkinProvider::~TsSkinProvider() {
  // The controls are given back and the frame goes (it puts the plain frame
  // back), then the hook, so no message reaches this object half destroyed.
  FAdapter.reset();
  if (FFrame && FForm && !FForm->HasState(csDestroying)) FFrame->RemoveSkin();
  FFrame.reset();
  FHook.Unhook();
}

void TsSkinProvider::Retire() {
  // The hook goes first: the repaint that gives the plain frame back is the
  // form's own. Unhooking is safe while this adapter's WndProc runs.
  FHook.Unhook();
  FAdapter.reset();
  if (FFrame && FForm && !FForm->HasState(csDestroying)) FFrame->RemoveSkin();
  if (FCommonData) FCommonData->RemoveCommonProp();
  FRegistered.Reset();
  RTInit = false;
  RTEmpty = true;
}

void TsSkinProvider::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
}

void TsSkinProvider::SetSkinSection(const std::string& section) {
  FFormSection = section;
  if (FCommonData) FCommonData->SetDefaultSection(section);
  if (FFrame) {
    FFrame.reset();
    EnsureFrame();
    if (!RTInit) PrepareForm();
  }
}

void TsSkinProvider::EnsureFrame() {
  if (FFrame || RTEmpty || !FForm || !FForm->HandleAllocated()) return;
  TacFrameSections sections;
  sections.Form = FFormSection;
  if (FFormSection == "DIALOG") sections.Title = "DIALOGTITLE";
  FFrame = std::make_unique<TacFrameAdapter>(FForm->Handle(), sections);
  FCommonData->InitCommonProp(FForm->Handle());
}

bool TsSkinProvider::ForThisManager(const TMessage& m) const {
  return m.LParam == 0 || reinterpret_cast<TsSkinManager*>(m.LParam) == FCommonData->SkinManager();
}

void TsSkinProvider::PrepareForm() {
  if (RTEmpty || RTInit || !FForm) return;
  EnsureFrame();
  if (!FFrame) return;
  FPrepared = true;
  FCommonData->UpdateIndexes();
  TsSkinManager* manager = FCommonData->SkinManager();
  if (!DrawNonClientArea || !manager || !manager->IsActive()) {
    FFrame->RemoveSkin();
    return;
  }
  if (!FSystemMenu) FSystemMenu = new TsSystemMenu(this, *FForm);
  FFrame->OnSystemMenu = [this](TPoint at) { DropSysMenu(at.X, at.Y); };
  // A top-level form may show its frame in a border window.
  FFrame->AllowExtBorders = AllowExtBorders && FForm->Parent() == nullptr;
  // The client background comes from the skin like the frame; a form that
  // paints its own client area shows its own colour there.
  FFrame->SetClientColor(DrawClientArea ? clNone : static_cast<TColor>(ColorToRGB(FForm->Color())));
  FFrame->ApplySkin(manager, FCommonData->CurrentPPI);
  if (AllowSkin3rdParty && FFrame->Skinned() && !FAdapter) {
    FAdapter = std::make_unique<TacCtrlAdapter>(FCommonData->FSkinManager);
    FAdapter->AddAllItems(*FForm);
    FAdapter->AdaptChildren(FForm->Handle());
  }
}

void TsSkinProvider::DropSysMenu(int x, int y) {
  if (FSystemMenu && FFrame && FFrame->Skinned())
    FSystemMenu->Drop(FCommonData->SkinManager(), x, y);
}

bool TsSkinProvider::KeyMenuRequest(const TMessage& m) const {
  // Alt alone or F10 (LParam 0) would open a menu bar, which this form has
  // not; only Alt+Space names the window menu.
  return (m.WParam & 0xFFF0) == SC_KEYMENU && m.LParam == VK_SPACE && FFrame && FFrame->Skinned() &&
         FForm->BorderStyle != TFormBorderStyle::bsNone &&
         (FForm->BorderIcons & (1u << static_cast<int>(TBorderIcon::biSystemMenu))) != 0;
}

TPoint TsSkinProvider::KeyMenuPoint() const {
  // Under the title icon's left edge, one icon height below the top frame
  // (16 higher while the window is minimized).
  // A border window's taller title puts the icon lower: there the menu
  // drops just below the icon, as a press on the icon drops it.
  const TRect icon = FFrame->IconScreenRect();
  RECT wr{};
  GetWindowRect(FForm->Handle(), &wr);
  int y = FFrame->BorderForm() ? icon.Bottom
                               : wr.top + FFrame->CurrentInputs().FrameWidth + icon.Height();
  if (IsIconic(FForm->Handle())) y -= 16;
  return {icon.Left, y};
}

int TsSkinProvider::FrameWidthOfKind(WORD kind, WORD fallback) const {
  const bool padded = FForm->BorderStyle == TFormBorderStyle::bsSizeable ||
                      FForm->BorderStyle == TFormBorderStyle::bsSizeToolWin;
  const int padding = padded ? GetSystemMetrics(SM_CXPADDEDBORDER) : 0;
  switch (kind) {
    case kFrameWidthSizing:
      return GetSystemMetrics(SM_CXFRAME) + padding;
    case kFrameWidthFixed:
      return GetSystemMetrics(SM_CXFIXEDFRAME) + padding;
    case kFrameWidthMeasured: {
      RECT w{}, c{};
      GetWindowRect(FForm->Handle(), &w);
      GetClientRect(FForm->Handle(), &c);
      const int measured = ((w.right - w.left) - (c.right - c.left)) / 2;
      if (measured != 0 || (fallback != kFrameWidthSizing && fallback != kFrameWidthFixed))
        return measured;
      return FrameWidthOfKind(fallback, 0);
    }
    default:
      // The width of the frame the skin replaces now.
      return FFrame->CurrentInputs().FrameWidth;
  }
}

void TsSkinProvider::InitRT() {
  if (!RTInit) return;
  RTInit = false;
  PrepareForm();
}

void TsSkinProvider::Unskin() {
  if (FFrame) FFrame->RemoveSkin();
}

bool TsSkinProvider::SkinCommand(TMessage& m) {
  TsCommonData& cd = *FCommonData;
  switch (SkinCommandCode(m.WParam)) {
    case SKC_GETPROVIDER:
      m.Result = reinterpret_cast<LRESULT>(this);
      return true;
    case SKC_ISSKINNED:
      m.Result = 1;
      return true;
    case SKC_GETKIND:
      m.Result = kFormKind;
      return true;
    case SKC_GETSKINDATA:
      m.Result = reinterpret_cast<LRESULT>(&cd);
      return true;
    case SKC_DEFAULTINDEX:
    case SKC_SECTIONAT:
      // Labels lying on the form ask which section is under them.
      return cd.HandleCommonMessage(m);
    case SKC_GETBGCOLOR:
      if (!FFrame || !FFrame->Skinned()) return false;
      m.Result = static_cast<LRESULT>(static_cast<uint32_t>(FFrame->ClientColor()));
      return true;
    case SKC_GETBACKGROUND: {
      if (!FFrame || !FFrame->Skinned() || m.LParam == 0) return false;
      // The client is one colour: the form section's, or the form's own
      // while the form paints its client area itself.
      auto& query = *reinterpret_cast<TacBgQuery*>(m.LParam);
      query.Kind = bqColor;
      query.Image = nullptr;
      query.Color = FFrame->ClientColor();
      return true;
    }
    case SKC_GETFRAMEWIDTH:
      if (!FFrame) return false;
      m.Result = FrameWidthOfKind(LOWORD(m.LParam), HIWORD(m.LParam));
      return true;
    case SKC_GETCLIENTOFFSET:
      if (FFrame) {
        const TPoint o = FFrame->ClientOffset();
        m.Result = MAKELONG(o.X, o.Y);
        return true;
      }
      return false;
    case SKC_NEWSKIN:
      if (!ForThisManager(m)) return false;
      cd.UpdateIndexes();
      if (!RTInit) PrepareForm();
      return false;
    case SKC_REMOVESKIN:
      if (!ForThisManager(m)) return false;
      cd.HandleCommonMessage(m);
      Unskin();
      return false;
    case SKC_HOTLEAVE:
      // The mouse left the caption: no button stays lit.
      if (FFrame) FFrame->LeaveButtons();
      return false;
    case SKC_SETPPI:
      // The skin loaded for the new resolution dresses the frame.
      cd.HandleCommonMessage(m);
      if (!RTInit) PrepareForm();
      return false;
    case SKC_REFRESH:
    case SKC_SETFRAMESKIN:
      if (!ForThisManager(m) && SkinCommandCode(m.WParam) == SKC_REFRESH) return false;
      if (!RTInit) {
        PrepareForm();
        if (FFrame && FFrame->Skinned())
          RedrawWindow(FForm->Handle(), nullptr, nullptr,
                       RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      }
      return false;
    default:
      return false;
  }
}

void TsSkinProvider::WndProc(TMessage& m, const TWndMethod& previous) {
  if (!SkinCommandAccepted(m)) return;
  // The controls' adapter hears the form's skin commands after the frame.
  if (m.Msg == WM_SKINCMD && FAdapter) {
    HandleMessage(m, previous);
    if (FAdapter) FAdapter->HandleFormCommand(*FForm, m);
    if (FAdapter && SkinCommandCode(m.WParam) == SKC_REMOVESKIN && ForThisManager(m))
      FAdapter.reset();
    return;
  }
  HandleMessage(m, previous);
}

void TsSkinProvider::HandleMessage(TMessage& m, const TWndMethod& previous) {
  // A declared adapter exists before its form's window: the window is named
  // in ACSDATA as soon as it is there, so the activation hook passes it by.
  if (!FFrame && !RTEmpty && m.Msg != WM_NCDESTROY && FForm->HandleAllocated()) {
    EnsureFrame();
    FPrepared = false;
  }
  if (m.Msg == WM_SKINCMD) {
    if (!SkinCommand(m)) previous(m);
    return;
  }
  // The frame is skinned before anything of it can be seen or hit.
  if (m.Msg == WM_NCHITTEST || m.Msg == WM_NCPAINT || (m.Msg == WM_SHOWWINDOW && m.WParam != 0) ||
      (m.Msg == CM_SHOWINGCHANGED && FForm->Showing())) {
    if (RTInit) {
      InitRT();
    } else if (!FPrepared) {
      PrepareForm();
    }
  }
  // Alt+Space and the taskbar's request for the window menu, which the
  // system can no longer show without WS_SYSMENU.
  if (m.Msg == WM_SYSCOMMAND && KeyMenuRequest(m)) {
    const TPoint at = KeyMenuPoint();
    DropSysMenu(at.X, at.Y);
    m.Result = 0;
    return;
  }
  if (m.Msg == kPopupSystemMenu && FFrame && FFrame->Skinned()) {
    // The taskbar asks on behalf of a program that need not be active: the
    // form comes to the front, as its menu is for it.
    if (!FForm->Active()) SetForegroundWindow(FForm->Handle());
    POINT at{};
    GetCursorPos(&at);
    DropSysMenu(at.x, at.y);
    m.Result = 0;
    return;
  }
  if (m.Msg == WM_NCDESTROY) {
    // The window is going: nothing of the frame is put back on it.
    if (FFrame) FFrame->ForgetWindow();
    FFrame.reset();
    previous(m);
    return;
  }
  if (!FFrame || !FFrame->Handle(m, previous)) previous(m);
  // The border window follows what the form did.
  if (FFrame) FFrame->FollowMessage(m);
}

}  // namespace ac
