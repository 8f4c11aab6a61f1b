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
#include <string>
#include <vector>

#include "core/color.h"
#include "framework/application.h"
#include "framework/component.h"
#include "framework/font.h"
#include "manager/skin_commands.h"
#include "manager/skin_editor_channel.h"
#include "manager/skinable_menus.h"
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

class TsSkinManager;
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
  std::string SkinDirectory = "c:\\Skins";
  uint32_t SkinningRules = 0x7;
  std::array<std::string, kThirdPartyCount> ThirdParty;
  TacExtBordersMode ExtBordersMode = ebmFull;
  TNotifyEvent OnActivate, OnAfterChange, OnBeforeChange, OnDeactivate, OnScaleChanged,
      OnSkinListChanged, OnSkinLoading;
  TacSkinChangingEvent OnSkinChanging;
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
  // Hands the core's messages to whatever Messages points at when they come.
  class TForwardingSink final : public TMessageSink {
   public:
    explicit TForwardingSink(TsSkinManager& owner) : FOwner(owner) {}
    void Show(std::string_view text, TMessageIcon icon) override {
      FOwner.Messages->Show(text, icon);
    }

   private:
    TsSkinManager& FOwner;
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
  void SkinListChanged() override;

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
  // Stores Value in Field; true when it changed outside reading, so the
  // forms are to be told.
  template <typename T>
  bool Change(T& field, T value) {
    if (field == value) return false;
    field = value;
    return !HasState(csLoading | csReading);
  }
  // The application window's messages the default manager answers.
  bool ApplicationMessage(TMessage& m);
  // Sends one command with this manager as LParam to every form.
  void BroadcastCommand(TacSkinCommand code, WORD param = 0);

  static TsSkinManager* FDefaultManager;

  int FHueOffset = 0;
  int FSaturation = 0;
  bool FNoAutoUpdate = false;
  bool FHookInstalled = false;
  WORD FUpdatedSectionNdx = 0;
  HWND FActiveControl = nullptr;
  std::string FDefStoredFontName, FOldFontName, FNewFontName;
  // Where the description's enum values land before their setters run.
  TacGroupBoxStyle FStoredGroupBoxStyle = TacGroupBoxStyle::gsStandard;
  TacExtBordersMode FStoredExtBordersMode = ebmFull;
  TSkinEditorBuffer FEditorBuffer;
  TMainWindowHook FApplicationHook;

  std::map<std::string, std::function<void(const dfm::TValue&)>, std::less<>> FProperties;
};

}  // namespace ac
