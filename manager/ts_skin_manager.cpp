#include "manager/ts_skin_manager.h"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <random>

#include "core/errors.h"
#include "framework/form.h"
#include "framework/screen.h"
#include "manager/posted_command_filter.h"
#include "manager/skin_broadcast.h"
#include "manager/skin_list_controller.h"
#include "skin/skin_data_lookup.h"
#include "skin/skin_finder.h"
#include "system/win/late_library.h"
#include "system/win/unicode.h"

namespace ac {

const std::array<const char*, kThirdPartyCount> kThirdPartyNames = {
    "ThirdEdits",        "ThirdButtons",     "ThirdBitBtns",       "ThirdCheckBoxes",
    "ThirdComboBoxes",   "ThirdGrids",       "ThirdGroupBoxes",    "ThirdListViews",
    "ThirdPanels",       "ThirdTreeViews",   "ThirdWWEdits",       "ThirdGridEh",
    "ThirdVirtualTrees", "ThirdPageControl", "ThirdTabControl",    "ThirdToolBar",
    "ThirdStatusBar",    "ThirdSpeedButton", "ThirdScrollControl", "ThirdUpDown",
    "ThirdScrollBar",    "ThirdStaticText",  "ThirdNativePaint"};

TsSkinManager* TsSkinManager::FDefaultManager = nullptr;
TacScaleMode TsSkinManager::FAuxWindowsScaleMode = smVCL;

namespace {
TacActivationHookInstaller& ActivationHookInstaller() {
  static TacActivationHookInstaller installer;
  return installer;
}
}  // namespace

void SetActivationHookInstaller(TacActivationHookInstaller installer) {
  ActivationHookInstaller() = std::move(installer);
}

namespace {

// The folder of the program file, ending with a backslash.
std::string ProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  return platform::WideToUtf8(folder);
}

// Whether the program was started with "/acpreview" as its first argument.
// Only a command line that holds the word at all is split, by the shell's
// rules, so that the shell is loaded on the rare start from the skin editor
// and not on every start.
bool FirstArgumentIsPreview() {
  static constexpr wchar_t kPreview[] = L"/acpreview";
  const LPCWSTR line = GetCommandLineW();
  if (!std::wcsstr(line, kPreview)) return false;
  static platform::TLateLibrary shell(L"shell32.dll");
  using TSplit = LPWSTR*(WINAPI*)(LPCWSTR, int*);
  const auto split = shell.Find<TSplit>("CommandLineToArgvW");
  int argc = 0;
  LPWSTR* argv = split ? split(line, &argc) : nullptr;
  if (!argv) return false;
  const bool preview = argc > 1 && std::wstring_view(argv[1]) == kPreview;
  LocalFree(argv);
  return preview;
}

}  // namespace

TsSkinManager::TsSkinManager(TComponent* owner) : TComponent(owner) {
  if (!FDefaultManager) FDefaultManager = this;
  IsDefault = FDefaultManager == this;
  PublishScaleMode();
  FillThirdPartyDefaults();
  BuildPropertyTable();
  SkinListController = std::make_unique<TacSkinListController>(*this);
  // The default manager hears the application window: an editor's preview
  // arrives there.
  if (IsDefault && Application && !HasState(csDesigning)) {
    FEditorBuffer = TSkinEditorBuffer::Create(GetCurrentProcessId());
    // Skin commands anyone posts to this thread's windows are emptied for as
    // long as the manager hears the application window.
    auto filter = std::make_shared<platform::ScopedHook>(FilterPostedSkinCommands());
    FApplicationHook =
        Application->HookMainWindow([this, filter](TMessage& m) { return ApplicationMessage(m); });
  }
}

TsSkinManager::~TsSkinManager() {
  SetState(csDestroying);
  // The list's thread reads the internal skins: it ends before they go.
  SkinListController.reset();
  if (Core.Active && Core.IsActive() && OnDeactivate) OnDeactivate(this);
  if (FHookInstalled && ActivationHookInstaller()) ActivationHookInstaller()(*this, false);
  if (FDefaultManager == this) {
    FDefaultManager = nullptr;
    FAuxWindowsScaleMode = smVCL;
  }
}

void TsSkinManager::FillThirdPartyDefaults() {
  for (int i = 0; i < kThirdPartyCount; ++i)
    if (ThirdParty[i].empty()) ThirdParty[i] = i == 1 ? "TButton" : " ";
}

void TsSkinManager::SetCommonSections(std::vector<std::string> lines) {
  Core.SetCommonSections(std::move(lines));
  if (!SkinName().empty()) SetSkinName(SkinName());
}

void TsSkinManager::SetActive(bool value) {
  if (value == Core.Active) return;
  Core.Active = value;
  if (value) {
    PublishScaleMode();
    SetSkinName(SkinName());
  } else {
    PublishScaleMode();
    RemoveSkin();
    if (!HasState(csLoading) && OnDeactivate) OnDeactivate(this);
    SkinListController->SendSkinChanged();
  }
}

void TsSkinManager::SyncCoreSettings() {
  Core.Scale.Mode = Options.ScaleMode;
  Core.Scale.PixelsPerInch = Options.PixelsPerInch;
  Core.Scale.Designing = HasState(csDesigning);
  Core.Scale.ScreenPPI = Screen ? Screen->PixelsPerInch() : 96;
  Core.HueOffset = FHueOffset;
  Core.Saturation = FSaturation;
  Core.SkinDirectory = SkinDirectory;
  Core.ExtBordersMode = ExtBordersMode;
  Core.ExtendedBorders = ExtendedBorders;
  Core.AllowRTLSysButtons = ButtonsOptions.AllowRTLSysButtons;
  Core.SizingFrameWidth = GetSystemMetrics(SM_CXSIZEFRAME);
  Core.ProgramFolder = ProgramFolder();
  // A right-to-left main form gets mirrored title buttons.
  Core.RightToLeft = false;
  if (Application && Application->MainForm && Application->MainForm->HandleAllocated()) {
    const LONG_PTR ex = GetWindowLongPtrW(Application->MainForm->Handle(), GWL_EXSTYLE);
    Core.RightToLeft = (ex & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) != 0;
  }
  Core.PreviewMode = FirstArgumentIsPreview();
}

void TsSkinManager::TForwardingSink::Release() {
  if (FHold == 0 || --FHold > 0) return;
  std::vector<TRecordingSink::Entry> held;
  held.swap(FHeld);
  // Called from a destructor: a sink that fails loses the message, nothing more.
  try {
    for (const auto& e : held) FOwner.Messages->Show(e.Text, e.Icon);
  } catch (...) {
  }
}

void TsSkinManager::SetSkinName(const std::string& value) {
  if (!Core.Active) {
    Core.SkinName = value;
    return;
  }
  const THeldMessages held(FForwardingSink);
  const std::string oldName = Core.SkinName;
  const bool wasActive = Core.IsActive();
  if (OnBeforeChange && !HasState(csLoading)) OnBeforeChange(this);
  if (OnSkinChanging) {
    bool allow = true;
    OnSkinChanging(this, value, allow);
    // Refused: the name and the loaded skin stay as they were.
    if (!allow) return;
  }
  SyncCoreSettings();
  // Load errors are shown by the core, which also puts the previous name back.
  bool found = Core.ChangeSkin(value);
  if (Core.LastChangeFailed && wasActive) {
    // The error has been reported; the program goes on with the skin it had.
    Core.PreviewOptions.reset();
    found = Core.ChangeSkin(oldName);
    // What callers ask about is the change they requested.
    Core.LastChangeFailed = true;
  }
  if (!found) {
    RemoveSkin();
  } else if (!HasState(csLoading | csReading) && !FNoAutoUpdate) {
    // Nothing is announced while the description is read; Loaded does it.
    AnnounceSkin(TRepaint::rpYes);
  }
  if (!wasActive && Core.IsActive() && OnActivate && !HasState(csDesigning)) OnActivate(this);
  if (found && !HasState(csLoading | csReading) && !FNoAutoUpdate && OnAfterChange)
    OnAfterChange(this);
  // Pickers mark the skin in use; the same name again is no news to them.
  if (Core.SkinName != oldName && !Core.HasState(msSkinChanging))
    SkinListController->SendSkinChanged();
}

void TsSkinManager::SetBrightness(int value) {
  const int before = Core.Brightness();
  Core.SetBrightness(value);
  if (Core.Brightness() != before) ReloadWithOffsets();
}

void TsSkinManager::SetHueOffset(int value) {
  if (value == FHueOffset) return;
  FHueOffset = value;
  ReloadWithOffsets();
}

void TsSkinManager::SetSaturation(int value) {
  if (value == FSaturation) return;
  FSaturation = value;
  ReloadWithOffsets();
}

void TsSkinManager::ReloadWithOffsets() {
  if (!Core.Active || !Core.IsActive() || HasState(csLoading | csReading) ||
      Core.HasState(msSkinChanging))
    return;
  ReloadResolutions();
  if (FNoAutoUpdate) return;
  AnnounceSkin(TRepaint::rpYes);
  if (OnAfterChange) OnAfterChange(this);
}

void TsSkinManager::ReloadResolutions() {
  SyncCoreSettings();
  Core.SetState(msSkinChanging, true);
  try {
    Core.ClearSkinData();
    Core.LoadResolutionsInUse();
  } catch (const std::exception& e) {
    Core.Sink().Show(e.what(), TMessageIcon::Error);
  }
  Core.SetState(msSkinChanging, false);
  Core.SkinCommonInfo.Active =
      !Core.SkinDataArray.empty() && Core.SkinDataArray[0] && !Core.SkinDataArray[0]->gd.empty();
}

void TsSkinManager::SetDrawNonClientArea(bool value) {
  if (Change(Options.DrawNonClientArea, value) && !HasState(csDesigning))
    BroadcastToForms(SkinCommandMessage(SKC_SETFRAMESKIN, value ? 1 : 0));
}

void TsSkinManager::SetGroupBoxStyle(TacGroupBoxStyle value) {
  if (Change(Options.GroupBoxStyle, value)) RepaintForms();
}

void TsSkinManager::SetOldGlyphsMode(bool value) {
  if (Change(ButtonsOptions.OldGlyphsMode, value)) RepaintForms();
}

void TsSkinManager::SetScrollSize(int value) {
  if (Change(ScrollsOptions.ScrollSize, value)) BroadcastCommand(SKC_SCROLLSCHANGED);
}

void TsSkinManager::SetScrollButtonsSize(int value) {
  if (Change(ScrollsOptions.ButtonsSize, value)) RepaintForms();
}

void TsSkinManager::SetExtendedBorders(bool value) {
  if (Change(ExtendedBorders, value)) ReloadWithOffsets();
}

void TsSkinManager::SetExtBordersMode(TacExtBordersMode value) {
  if (Change(ExtBordersMode, value)) ReloadWithOffsets();
}

void TsSkinManager::StoreDefFont() {
  if (!FDefStoredFontName.empty()) return;
  FDefStoredFontName =
      Application && Application->MainForm ? Application->MainForm->Font().Name() : TFont().Name();
  if (FOldFontName.empty()) FOldFontName = FDefStoredFontName;
}

void TsSkinManager::ChangeAppFont(const std::string& fontName) {
  StoreDefFont();
  if (HasState(csDesigning) || fontName == FOldFontName) return;
  Core.SetState(msFontChanging, true);
  FNewFontName = fontName;
  BroadcastCommand(SKC_FONTCHANGED);
  if (OnFontChanged) OnFontChanged(this, FOldFontName, FNewFontName);
  FOldFontName = fontName;
  Core.SetState(msFontChanging, false);
}

void TsSkinManager::ApplyMainFontMode() {
  if (Fonts.MainMode == TacFontMode::fmDefault) return;
  StoreDefFont();
  const std::string& wanted =
      Fonts.MainMode == TacFontMode::fmFromSkin ? Core.SkinCommonInfo.MainFont : Fonts.MainFont;
  ChangeAppFont(wanted.empty() ? FDefStoredFontName : wanted);
}

void TsSkinManager::UpdateSkin(bool repaint) {
  if (Core.Active) AnnounceSkin(repaint ? TRepaint::rpYes : TRepaint::rpNo);
}

void TsSkinManager::UpdateSkinSection(std::string_view sectionName) {
  std::string upper(sectionName);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  BroadcastToForms(SkinCommandMessage(SKC_SECTIONUPDATED, reinterpret_cast<LPARAM>(upper.c_str())));
}

void TsSkinManager::EndUpdate(bool repaint, bool allowAnimation) {
  FNoAutoUpdate = false;
  // The skin-changing fade is switched off for this announcement only.
  const bool fade = AnimEffects.SkinChanging.Active;
  if (!allowAnimation) AnimEffects.SkinChanging.Active = false;
  UpdateSkin(repaint);
  AnimEffects.SkinChanging.Active = fade;
  if (OnAfterChange) OnAfterChange(this);
}

void TsSkinManager::SetActiveControl(HWND window) {
  if (window == FActiveControl) return;
  if (FActiveControl && IsWindow(FActiveControl) && window && IsChild(window, FActiveControl)) {
    // Moving onto an ancestor while the cursor is still over the old window
    // keeps the hot state where it is.
    POINT cursor{};
    RECT r{};
    if (GetCursorPos(&cursor) && GetWindowRect(FActiveControl, &r) && PtInRect(&r, cursor) &&
        IsWindowVisible(FActiveControl))
      return;
  }
  const auto manager = reinterpret_cast<LPARAM>(this);
  if (FActiveControl && IsWindow(FActiveControl))
    SendSkinCommandMessage(FActiveControl, SKC_HOTLEAVE, manager);
  FActiveControl = window;
  if (window) SendSkinCommandMessage(window, SKC_HOTENTER, manager);
}

bool TsSkinManager::ApplicationMessage(TMessage& m) {
  if (m.Msg == kPopupSystemMenu) return PassMenuRequest(m);
  if (!IsSkinCommand(m, SKC_EDITORPREVIEW)) return false;
  const TacSkinEditorData* data = FEditorBuffer.Data();
  m.Result = data ? ApplyEditorPreview(*data) : eprNoData;
  return true;
}

bool TsSkinManager::PassMenuRequest(TMessage& m) {
  // The main form's frame adapter shows its skinned window menu at the
  // cursor. A form without one hands the request back to the application
  // window, which then answers it itself.
  TCustomForm* main = Application ? Application->MainForm : nullptr;
  if (FPassingMenuRequest || !main || !main->HandleAllocated()) return false;
  FPassingMenuRequest = true;
  m.Result = SendMessageW(main->Handle(), m.Msg, m.WParam, m.LParam);
  FPassingMenuRequest = false;
  return true;
}

TacEditorPreviewResult TsSkinManager::ApplyEditorPreview(const TacSkinEditorData& data) {
  if (data.Magic != kSkinEditorMagic) return eprNoData;
  // A load error is shown once the skin in use again has been announced.
  const THeldMessages held(FForwardingSink);
  // The sender may write again while the skin loads: work on a copy.
  const std::string name = FieldText(data.Name1);
  const std::string section = FieldText(data.Name2);
  const std::string directory = FieldText(data.Data1);
  // A preview without a skin name shows the program as it is without a skin.
  if (name.empty()) {
    SetActive(false);
    return eprApplied;
  }
  if (!Core.Active) {
    // Switched off by an earlier preview: the named skin switches it on.
    Core.Active = true;
    Core.SkinName.clear();
  }
  const std::string oldDirectory = SkinDirectory;
  Core.LastChangeFailed = false;
  Core.PreviewOptions = FieldText(data.Data2);
  SetSkinDirectory(directory);
  const bool oneSection =
      !section.empty() && FHueOffset == 0 && FSaturation == 0 && Core.Brightness() == 0;
  BeginUpdate();
  SetSkinName(name);
  const bool failed = Core.LastChangeFailed;
  Core.PreviewOptions.reset();
  if (failed) SetSkinDirectory(oldDirectory);
  if (oneSection && !failed) {
    FNoAutoUpdate = false;
    const int index = GetSkinIndex(Core.CommonSkinData(96), section);
    FUpdatedSectionNdx = static_cast<WORD>(index > 0 ? index : 0);
    RepaintForms();
    FUpdatedSectionNdx = 0;
    if (OnAfterChange) OnAfterChange(this);
  } else {
    EndUpdate(true, true);
  }
  return failed ? eprLoadFailed : eprApplied;
}
int TsSkinManager::ActiveInternalSkin() const {
  // An internal skin has no folder of its own.
  if (!Core.IsActive() || !Core.SkinCommonInfo.SkinPath.empty()) return -1;
  return InternalSkins.IndexOf(SkinName());
}

void TsSkinManager::AnnounceSkin(TRepaint repaint) {
  Core.SetState(msBroadCasting, true);
  BroadcastCommand(SKC_NEWSKIN);
  if (IsDefault && !FHookInstalled && Core.IsActive() && ActivationHookInstaller()) {
    ActivationHookInstaller()(*this, true);
    FHookInstalled = true;
  }
  ApplyMainFontMode();
  Core.SetState(msBroadCasting, false);
  if (repaint == TRepaint::rpYes) RepaintForms();
}

void TsSkinManager::RemoveSkin() {
  Core.SetState(msSkinRemoving, true);
  // The skin's font goes with it.
  if (Fonts.MainMode == TacFontMode::fmFromSkin &&
      !HasState(csLoading | csReading | csDestroying) && !FDefStoredFontName.empty())
    ChangeAppFont(FDefStoredFontName);
  if (FHookInstalled && ActivationHookInstaller()) ActivationHookInstaller()(*this, false);
  FHookInstalled = false;
  Core.ClearSkinData();
  Core.sc.Clear();
  if (!HasState(csLoading | csReading)) BroadcastCommand(SKC_REMOVESKIN);
  Core.SetState(msSkinRemoving, false);
}

void TsSkinManager::RepaintForms() {
  BroadcastCommand(SKC_STOPANIMATIONS);
  // Parameter 0: every section may have changed.
  BroadcastCommand(SKC_REFRESH, FUpdatedSectionNdx);
}

void TsSkinManager::BroadcastCommand(TacSkinCommand code, WORD param) {
  // Receivers compare LParam with their own manager's address.
  BroadcastToForms(SkinCommandMessage(code, reinterpret_cast<LPARAM>(this), param));
}

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  if (SkinDirectory.empty()) SkinDirectory = "c:\\Skins";
  if (MenuSupport.IcoLineSkin.empty()) MenuSupport.IcoLineSkin = "ICOLINE";
  FillThirdPartyDefaults();
  if (Core.Active && Core.IsActive()) AnnounceSkin(TRepaint::rpNo);
  // The list is built afresh for the settings just read, once something
  // needs it: a registered skin picker, or a reader.
  SkinListController->Reset();
  if (SkinListController->HasControls()) SkinListController->UpdateIfNeeded(false);
  // Under smVCL the framework scales to the screen: the custom resolution
  // starts from there should the custom mode be chosen later.
  if (Options.ScaleMode == smVCL) Options.PixelsPerInch = Screen ? Screen->PixelsPerInch() : 96;
  PublishScaleMode();
}

void TsSkinManager::PublishScaleMode() {
  if (FDefaultManager == this) FAuxWindowsScaleMode = Core.Active ? Options.ScaleMode : smVCL;
}

void TsSkinManager::SkinListChanged() {
  if (OnSkinListChanged) OnSkinListChanged(this);
}

void TsSkinManager::SkinListInvalidated() {
  // Also reached while the collection is read, before the controller exists.
  if (SkinListController) SkinListController->Reset();
}

void TsSkinManager::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && SkinListController)
    if (auto* control = dynamic_cast<TControl*>(component))
      SkinListController->DelControl(*control);
}

void TsSkinManager::SetSkinDirectory(const std::string& value) {
  const bool changed = !SameSkinDirectory(value, SkinDirectory);
  SkinDirectory = value;
  if (changed && SkinListController) SkinListController->Reset();
}

void TsSkinManager::SetSkinsFilter(uint32_t value) {
  if (value == SkinsFilter) return;
  SkinsFilter = value;
  if (SkinListController) SkinListController->Reset();
}

std::string TsSkinManager::GetFullSkinDirectory() const {
  return ac::GetFullSkinDirectory(SkinDirectory, ProgramFolder());
}

std::string TsSkinManager::GetSkinNames(std::vector<TacSkinName>& names, bool createDataObject,
                                        TacSkinTypes skinType) {
  names = SelectSkinNames(SkinListController->List(), skinType);
  if (!createDataObject)
    for (TacSkinName& n : names) n.ImageIndex = -1;
  return names.empty() ? std::string() : names.front().Name;
}

std::string TsSkinManager::GetExternalSkinNames(std::vector<TacSkinName>& names,
                                                bool createDataObject) {
  return GetSkinNames(names, createDataObject, stUnpacked);
}

std::string TsSkinManager::GetRandomSkin() {
  const std::vector<TacSkinName> names = SelectSkinNames(SkinListController->List(), stAllSkins);
  if (names.empty()) return {};
  static std::minstd_rand random(std::random_device{}());
  std::uniform_int_distribution<std::size_t> pick(0, names.size() - 1);
  return names[pick(random)].Name;
}

std::string TsSkinManager::SkinInfo() const {
  if (!Core.Active || !Core.IsActive()) return "N/A";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", Core.SkinCommonInfo.Version);
  return buf;
}

}  // namespace ac
