#pragma once
// TsSkinManager: the skin manager as a framework component with every stored
// setting and its default, read from the window description in stored order.
//
// The skin itself is found, opened and loaded by the platform-free manager
// core (Core), which this component contains: the stored settings are handed
// to it before every skin change. Setting SkinName (also while the
// description is read, where InternalSkins already arrived) loads the skin for
// every resolution in use, so a broken internal skin is reported at start-up.
// Announcing the skin to the forms happens at load completion (Loaded), never
// while reading.

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/color.h"
#include "core/message_sink.h"
#include "framework/application.h"
#include "framework/component.h"
#include "framework/font.h"
#include "manager/skin_commands.h"
#include "manager/skin_editor_channel.h"
#include "manager/skinable_menus.h"
#include "skin/skin_list.h"
#include "skin/skin_manager_core.h"
#include "skin/stored_skin.h"
#include "win32/message_box_sink.h"

namespace ac {

enum class TacAnimType { atAero, atFading, atcFade, atNone };
enum class TacLightingMode { lmActiveControl, lmNone };
enum class TacClickEffect { ceCircle, ceCircleAndWave, ceNone };
enum class TacButtonEvent { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
enum class TacModalButtonsColoring { bcGlyph, bcBackground };
enum class TacOptimizingPriority { opSpeed, opMemory };
enum class TacGroupBoxStyle { gsStandard, gsCard };
enum class TacFontMode { fmDefault, fmFromSkin, fmCustom };
enum class TacSkinsFilterItem { sfiInternal, sfiExternal };
enum class TacSkinningRule { srStdForms, srStdDialogs, srThirdParty };

struct TacSkinEffects {
  bool AllowAnimation = true;
  bool AllowAeroBluring = true;
  bool AllowGlowing = true;
  bool AllowOuterEffects = true;
  bool DiscoloredGlyphs = false;
};

// One animation's settings: on or off, duration in milliseconds, kind.
struct TacAnimSettings {
  bool Active = true;
  int Time = 0;
  TacAnimType Mode = TacAnimType::atAero;
};

struct TacBlendOnMoving {
  bool Active = false;
  int BlendValue = 170;
  int Time = 1000;
};

struct TacBtnEffects {
  uint32_t Events = 0xF;  // all four TacButtonEvent bits
  TacLightingMode LightingMode = TacLightingMode::lmActiveControl;
  TacClickEffect ClickEffect = TacClickEffect::ceCircle;
};

struct TacAnimEffects {
  TacBlendOnMoving BlendOnMoving;
  TacBtnEffects Buttons;
  TacAnimSettings DialogShow;
  TacAnimSettings FormShow;
  TacAnimSettings FormHide;
  TacAnimSettings DialogHide;
  TacAnimSettings Minimizing{true, 80, TacAnimType::atAero};
  TacAnimSettings PageChange{true, 0, TacAnimType::atcFade};
  TacAnimSettings SkinChanging{true, 100, TacAnimType::atFading};
};

struct TacButtonsSupport {
  bool OldGlyphsMode = false;
  bool ShowFocusRect = false;
  bool ShiftContentOnClick = true;
  bool AllowRTLSysButtons = true;
  uint32_t ModalButtonsColoring = 1u << static_cast<int>(TacModalButtonsColoring::bcGlyph);
};

struct TacLabelsSupport {
  bool TransparentAlways = true;
};

struct TacScrollBarsSupport {
  int ButtonsSize = -1;  // -1: from the skin or the system
  int ScrollSize = -1;
};

struct TacMenuSupport {
  int AlphaBlend = 254;
  int ExtraLineWidth = 32;
  std::string IcoLineSkin;  // "ICOLINE" at load completion when empty
  bool CustomFont = false;
  bool UseExtraLine = false;
  bool SkinnedShadows = true;
  bool ShowAccelCharAlways = false;
};

struct TacFonts {
  TacFontMode MainMode = TacFontMode::fmDefault;
  std::string MainFont;
};

struct TacOptions {
  // Stored and read back, but the process's system colours are never
  // redirected to skin colours, whatever its value. Redirecting them means
  // overwriting the first bytes of GetSysColor, GetSysColorBrush and
  // CreatePen in the system's modules with a jump to our replacements and
  // putting the saved bytes back around every call that falls through to
  // the system. On a 64-bit process that cannot be done soundly: a jump to
  // an arbitrary 64-bit address needs 12 to 14 bytes, which cuts through
  // instructions of the system's prologue that we would have to relocate,
  // and restoring the bytes around a call races with every other thread of
  // the process that calls the same function meanwhile (the skin list's
  // thread paints nothing, but the system's own threads do). A skin's
  // colours reach our controls through the skin itself instead.
  bool ChangeSysColors = false;
  bool CheckEmptyAlpha = false;
  bool DrawNonClientArea = true;
  bool NativeBordersMaximized = false;
  bool NoMouseHover = false;
  bool StdGlyphsOrder = false;
  bool StdImgTransparency = false;
  TacArrowsStyle ArrowsStyle = TacArrowsStyle::arsDefault;
  TacOptimizingPriority OptimizingPriority = TacOptimizingPriority::opSpeed;
  TacScaleMode ScaleMode = smVCL;
  int PixelsPerInch = 96;
  bool RotateArrows = false;
  TacGroupBoxStyle GroupBoxStyle = TacGroupBoxStyle::gsStandard;
};

// The class-name lists of the control adapters, in their index order.
inline constexpr int kThirdPartyCount = 23;
extern const std::array<const char*, kThirdPartyCount> kThirdPartyNames;

// OnSkinChanging: clearing Allow keeps the loaded skin.
using TacSkinChangingEvent =
    std::function<void(TComponent* sender, const std::string& newName, bool& allow)>;

// What OnScaleModeChange is asked before the scale mode (or the custom
// resolution) changes: the old and the new mode, their percentages of 96
// pixels per inch and their resolutions. Clearing Allow keeps the old mode.
struct TacScaleModeChange {
  TacScaleMode OldMode = smVCL;
  TacScaleMode NewMode = smVCL;
  int OldPercent = 100;
  int NewPercent = 100;
  int OldPPI = 96;
  int NewPPI = 96;
  bool Allow = true;
};
using TacScaleModeChangeEvent = std::function<void(TComponent* sender, TacScaleModeChange& query)>;

class TCustomForm;
class TsSkinManager;
class TacSkinListController;
// The activation hook that skins forms and dialogs automatically lives above
// this layer; the layer that has it registers how to install it here. Install
// is called with true when a skin has been announced, false when it goes;
// installing twice must do nothing.
using TacActivationHookInstaller = std::function<void(TsSkinManager& manager, bool install)>;
void SetActivationHookInstaller(TacActivationHookInstaller installer);

class TsSkinManager : public TComponent, public TsStoredSkinsOwner {
 public:
  explicit TsSkinManager(TComponent* owner);
  ~TsSkinManager() override;
  std::string_view ClassName() const override { return "TsSkinManager"; }

  // The first manager created; the one controls without a manager use.
  static TsSkinManager* DefaultManager() { return FDefaultManager; }
  // The scale mode the default manager publishes for the engine's own
  // auxiliary windows (glow and border windows), which let the framework
  // scale them only under smVCL: its Options.ScaleMode when it becomes the
  // default, at load completion and whenever the mode is set; smVCL once it
  // is switched off.
  static TacScaleMode AuxWindowsScaleMode() { return FAuxWindowsScaleMode; }

  // sfiInternal and sfiExternal as bits (kFilterInternal, kFilterExternal).
  // Set through SetSkinsFilter so that the skin list starts again.
  uint32_t SkinsFilter = 0x3;
  TacSkinEffects Effects;
  TacAnimEffects AnimEffects;
  TacButtonsSupport ButtonsOptions;
  bool ExtendedBorders = false;
  bool IsDefault = true;
  bool SkinnedPopups = true;
  TacLabelsSupport LabelsOptions;
  TacMenuSupport MenuSupport;
  TFont MenuFont;           // MenuSupport.Font
  TFont MenuExtraLineFont;  // MenuSupport.ExtraLineFont
  TacOptions Options;
  TacFonts Fonts;
  TacScrollBarsSupport ScrollsOptions;
  // Folder of skin folders and archives; relative values are taken from the
  // program's folder. Set through SetSkinDirectory so that the skin list
  // starts again at once (a value assigned directly is noticed the next time
  // the list is read).
  std::string SkinDirectory = "c:\\Skins";
  uint32_t SkinningRules = 0x7;
  std::array<std::string, kThirdPartyCount> ThirdParty;
  TacExtBordersMode ExtBordersMode = ebmFull;
  TNotifyEvent OnActivate, OnAfterChange, OnBeforeChange, OnDeactivate, OnScaleChanged,
      OnSkinListChanged, OnSkinLoading;
  TacSkinChangingEvent OnSkinChanging;
  TacScaleModeChangeEvent OnScaleModeChange;
  // After the application font was replaced: the old and the new name.
  std::function<void(TComponent* sender, const std::string& oldName, const std::string& newName)>
      OnFontChanged;

  bool Active() const { return Core.Active; }
  void SetActive(bool value);
  int Brightness() const { return Core.Brightness(); }
  // The colour offsets. Setting one to a new value while a skin is active
  // reloads the skin with it and repaints every form.
  void SetBrightness(int value);  // clamped to -100..100
  int HueOffset() const { return FHueOffset; }
  void SetHueOffset(int value);
  int Saturation() const { return FSaturation; }
  void SetSaturation(int value);
  const std::vector<std::string>& CommonSections() const { return Core.CommonSections(); }
  // Lines not starting with ";" lose their blanks; the skin is set again.
  void SetCommonSections(std::vector<std::string> lines);
  const std::string& SkinName() const { return Core.SkinName; }
  void SetSkinName(const std::string& value);
  // The active skin's version, "N/A" while no skin is active.
  std::string SkinInfo() const;
  static constexpr const char* Version = "16.16";

  // Options.ScaleMode and Options.PixelsPerInch at run time (while the
  // description is read they are only stored): OnScaleModeChange is asked,
  // the skin is reloaded for the new resolutions, every form is rescaled
  // (UpdateAllScale) and the skin announced again with repainting; then
  // OnScaleChanged. A custom resolution only matters under smCustomPPI.
  void SetScaleMode(TacScaleMode value);
  void SetPixelsPerInch(int value);
  // Rescales Form to the resolution of the scale mode (NewPPI when given),
  // from CurrentPPI (when 0: what the form answers to SKC_GETPPI, else the
  // resolution the form was last scaled to). A form whose frame belongs to
  // another manager, and a form answering SKC_GETPPI with -1, stay as they
  // are. The form then hears SKC_SETPPI with the new resolution.
  void UpdateScale(TCustomForm& form, int currentPPI = 0, int newPPI = 0);
  // UpdateScale for every form of the program.
  void UpdateAllScale();
  // The resolution the forms are scaled to under Mode (CustomPPI is used
  // under smCustomPPI).
  int ScaleModePPI(TacScaleMode mode, int customPPI) const;

  void SetSkinDirectory(const std::string& value);
  void SetSkinsFilter(uint32_t value);
  // SkinDirectory resolved against the program's folder, ending with a
  // separator.
  std::string GetFullSkinDirectory() const;

  // The skin list (reading it builds what is missing at once). GetSkinNames
  // fills Names with the entries SkinType selects, in list order, each with
  // its preview's index when CreateDataObject is set (else -1), and returns
  // the first name (empty when none). GetExternalSkinNames: the file skins.
  // GetRandomSkin: any skin's name, empty when there is none.
  std::string GetSkinNames(std::vector<TacSkinName>& names, bool createDataObject = false,
                           TacSkinTypes skinType = stAllSkins);
  std::string GetExternalSkinNames(std::vector<TacSkinName>& names, bool createDataObject = false);
  std::string GetRandomSkin();
  // Never null while the manager lives.
  std::unique_ptr<TacSkinListController> SkinListController;

  // A skin is loaded and in use.
  bool IsActive() const { return Core.IsActive(); }
  // The unpacked archive of the active skin (empty for a skin folder).
  const TacSkinConvertor& Convertor() const { return Core.sc; }
  bool SkinIsPacked() const { return Core.SkinIsPacked; }
  // The internal skin in use, or -1.
  int ActiveInternalSkin() const;

  // Announces the current skin again (when Active), repainting every form
  // with Repaint.
  void UpdateSkin(bool repaint);
  // Tells every form that one section changed (SKC_SECTIONUPDATED, LParam:
  // the name in upper case, owned by this call).
  void UpdateSkinSection(std::string_view sectionName);
  // Between BeginUpdate and EndUpdate skin changes load but are not
  // announced; EndUpdate announces once and calls OnAfterChange. With
  // AllowAnimation false the skin-changing fade is off for that announcement.
  void BeginUpdate() { FNoAutoUpdate = true; }
  void EndUpdate(bool repaint = true, bool allowAnimation = true);
  bool Updating() const { return FNoAutoUpdate; }
  // Stops the forms' state animations, then refreshes everything
  // (SKC_STOPANIMATIONS, SKC_REFRESH with the updated section, 0 = all).
  void RepaintForms();
  // Moves the hot (mouse-over) state to Window: the previous holder gets
  // SKC_HOTLEAVE, the new one SKC_HOTENTER, both with this manager.
  void SetActiveControl(HWND window);
  HWND ActiveControl() const { return FActiveControl; }

  // Settings whose change reaches the forms at once (while the description
  // is read they are only stored): the frame painting (SKC_SETFRAMESKIN with
  // the new value), the scroll-bar size (SKC_SCROLLSCHANGED), the group-box
  // style, the glyph mode and the scroll-button size (every form repaints),
  // and the extended borders (the skin is reloaded with them).
  void SetDrawNonClientArea(bool value);
  void SetGroupBoxStyle(TacGroupBoxStyle value);
  void SetOldGlyphsMode(bool value);
  void SetScrollSize(int value);
  void SetScrollButtonsSize(int value);
  void SetExtendedBorders(bool value);
  void SetExtBordersMode(TacExtBordersMode value);

  // Replaces the application font: every form hears SKC_FONTCHANGED and
  // OnFontChanged follows. Nothing happens while designing or when FontName
  // is already the font in use.
  void ChangeAppFont(const std::string& fontName);
  // The font in use after the last change (the stored default before any).
  const std::string& AppFontName() const { return FOldFontName; }
  // The application font before any change: the main form's, remembered once.
  const std::string& DefaultFontName() const { return FDefStoredFontName; }

  // Loads the skin an editor put into Data (the preview channel); the answer
  // of SKC_EDITORPREVIEW.
  TacEditorPreviewResult ApplyEditorPreview(const TacSkinEditorData& data);
  // The default manager's preview buffer (null for other managers and when
  // the system refused the mapping).
  TacSkinEditorData* EditorBuffer() const { return FEditorBuffer.Data(); }

  // Draws popup menus from the skin while SkinnedPopups is on.
  TsSkinableMenus SkinableMenus{*this};

 private:
  // Hands the core's messages to whatever Messages points at. While a skin
  // change is under way they are held and shown when it is over: the
  // previous skin is back in use by then, so the message box is dressed by
  // it instead of appearing while no skin is loaded.
  class TForwardingSink final : public TMessageSink {
   public:
    explicit TForwardingSink(TsSkinManager& owner) : FOwner(owner) {}
    void Show(std::string_view text, TMessageIcon icon) override {
      if (FHold > 0) {
        FHeld.push_back({std::string(text), icon});
        return;
      }
      FOwner.Messages->Show(text, icon);
    }
    void Hold() { ++FHold; }
    // Ends one Hold; the last one shows what was held, in order.
    void Release();

   private:
    TsSkinManager& FOwner;
    int FHold = 0;
    std::vector<TRecordingSink::Entry> FHeld;
  };
  // Holds the core's messages for the lifetime of this object.
  class THeldMessages {
   public:
    explicit THeldMessages(TForwardingSink& sink) : FSink(sink) { FSink.Hold(); }
    THeldMessages(const THeldMessages&) = delete;
    THeldMessages& operator=(const THeldMessages&) = delete;
    ~THeldMessages() { FSink.Release(); }

   private:
    TForwardingSink& FSink;
  };
  platform::TMessageBoxSink FMessageBox;
  TForwardingSink FForwardingSink{*this};

 public:
  // Where messages of skin changes are shown: a system message box unless a
  // caller (a test, a tool) points it elsewhere; must outlive the manager.
  TMessageSink* Messages = &FMessageBox;
  // The loading settings and the loaded skin of every resolution in use.
  TacSkinManagerCore Core{FForwardingSink, this};
  TsStoredSkins& InternalSkins = Core.InternalSkins;

  bool SetStoredProperty(std::string_view name, const dfm::TValue& value) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void SkinListChanged() override;
  void SkinListInvalidated() override;

 private:
  void BuildPropertyTable();
  void FillThirdPartyDefaults();
  // Copies the stored settings that loading reads into Core.
  void SyncCoreSettings();
  enum class TRepaint { rpNo, rpYes };
  // Tells every form that this manager's skin is the new one (SKC_NEWSKIN)
  // and, with rpYes, repaints them all (RepaintForms).
  void AnnounceSkin(TRepaint repaint);
  // Drops the loaded skin and tells every form (SKC_REMOVESKIN), except while
  // the description is read.
  void RemoveSkin();
  void StoreDefFont();
  // Fonts.MainMode at an announcement: the skin's font or the custom one.
  void ApplyMainFontMode();
  // Reloads the resolutions in use after a colour offset or the borders
  // changed, and announces the skin again.
  void ReloadWithOffsets();
  // Clears skin data and loads the resolutions in use; an error is shown.
  void ReloadResolutions();
  void ChangeScale(TacScaleMode mode, int customPPI);
  // Stores Value in Field; true when it changed outside reading, so the
  // forms are to be told.
  template <typename T>
  bool Change(T& field, T value) {
    if (field == value) return false;
    field = value;
    return !HasState(csLoading | csReading);
  }
  // The application window's messages the default manager answers: the
  // editor's preview and the taskbar's window-menu request (0x313).
  bool ApplicationMessage(TMessage& m);
  bool PassMenuRequest(TMessage& m);
  // Sends one command with this manager as LParam to every form.
  void BroadcastCommand(TacSkinCommand code, WORD param = 0);

  static TsSkinManager* FDefaultManager;
  static TacScaleMode FAuxWindowsScaleMode;
  // Publishes Options.ScaleMode (smVCL when switched off) if this is the
  // default manager.
  void PublishScaleMode();

  int FHueOffset = 0;
  int FSaturation = 0;
  bool FNoAutoUpdate = false;
  bool FHookInstalled = false;
  // The taskbar's window-menu request is on its way to the main form.
  bool FPassingMenuRequest = false;
  WORD FUpdatedSectionNdx = 0;
  HWND FActiveControl = nullptr;
  std::string FDefStoredFontName, FOldFontName, FNewFontName;
  // Where the description's enum values land before their setters run.
  TacGroupBoxStyle FStoredGroupBoxStyle = TacGroupBoxStyle::gsStandard;
  TacExtBordersMode FStoredExtBordersMode = ebmFull;
  uint32_t FStoredSkinsFilter = 0x3;
  TSkinEditorBuffer FEditorBuffer;
  TMainWindowHook FApplicationHook;

  std::map<std::string, std::function<void(const dfm::TValue&)>, std::less<>> FProperties;
};

}  // namespace ac
