#pragma once
// TacSkinManagerCore: the platform-free part of the skin manager. It holds the
// settings that loading reads and the state that loading fills, and it finds,
// opens and loads skins for every resolution in use. The Windows
// TsSkinManager is (or contains) one of these and adds what faces windows:
// announcing skins, hooks, repainting. Tools and tests drive it natively.
//
// Nothing here is global: messages go to the sink given at construction, the
// program's folder and the screen's resolution are settings.
//
// Errors: loading throws ESkinError (or EConvertError) with a message for the
// user when a skin cannot be loaded: a broken archive, a master image that
// cannot be decoded, a malformed mask field, gradient or 64-bit colour, and
// ELimitExceeded for an image beyond kMaxLoadedImagePixels or a load past its
// budget of decoded pixels or unpacked bytes (load_budget.h). ChangeSkin
// catches them, restores the previous name and shows the message on the
// sink, as a skin change does. A missing master image or mask file is not an
// error; what loading leaves out or adjusts is noted in LoadNotes.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/message_sink.h"
#include "skin/load_budget.h"
#include "skin/options_file.h"
#include "skin/palette.h"
#include "skin/skin_convertor.h"
#include "skin/skin_data.h"
#include "skin/skin_data_scale.h"
#include "skin/stored_skin.h"
#include "system/system.h"

namespace ac {

enum TacExtBordersMode : int { ebmFull, ebmShadow };

// TsSkinManager.ManagerState as bits.
enum TacManagerStateValue : uint32_t {
  msFontChanging = 1u << 0,
  msScaleChanging = 1u << 1,
  msSkinRemoving = 1u << 2,
  msSkinChanging = 1u << 3,  // a skin is being loaded: CommonSkinData loads on demand
  msBroadCasting = 1u << 4,
  msAnimScaling = 1u << 5,
  msFormScaling = 1u << 6,
  msRTLFlipped = 1u << 7,  // the title-button images are mirrored
};

// A font file of the skin, made available to the process while the skin is
// active (EmbeddedFonts). The font leaves the process with the item.
struct TacEmbeddedFont {
  std::string FFileName;          // without a path
  std::string FFontName;          // GLOBALINFO "FontName<n>", empty when no entry names the file
  platform::TPrivateFont Handle;  // empty when the system refused the font
  std::vector<uint8_t> FontData;
};

// Something loading left out or adjusted without stopping, for tools that
// check skins (the engine goes on as the skin allows).
struct TacLoadNote {
  enum TLevel { lnWarning, lnError };
  TLevel Level = lnWarning;
  std::string Text;
};

// A skin file as loading finds it: an entry of the archive or a file on disk.
// Every spelling of one file gives the same Key, so that caches keyed by it
// hold the file once.
struct TacSkinFileRef {
  std::string Key;
  std::string Name;                    // as the options wrote it
  const TacFileItem* Entry = nullptr;  // the archive's entry, or
  std::filesystem::path DiskPath;      // the file on disk
};

// The largest image (in pixels) loading decodes or makes: a master bitmap, a
// mask file, a rescaled image or a generated shadow. Anything larger is
// refused with ESkinError before its pixels are allocated; no skin needs
// more, and a forged skin must not make the engine take gigabytes.
inline constexpr int64_t kMaxLoadedImagePixels = int64_t{1} << 24;

class TacSkinManagerCore {
 public:
  // Sink shows the engine's messages and must outlive the manager; SkinsOwner
  // (may be null) is told when InternalSkins changes.
  explicit TacSkinManagerCore(TMessageSink& sink, TsStoredSkinsOwner* skinsOwner = nullptr);
  virtual ~TacSkinManagerCore();
  TacSkinManagerCore(const TacSkinManagerCore&) = delete;
  TacSkinManagerCore& operator=(const TacSkinManagerCore&) = delete;

  // ---- Settings read by loading --------------------------------------------

  bool Active = true;      // the Active property: skinning on or off
  TacScaleSettings Scale;  // ScaleMode, custom PixelsPerInch, ScreenPPI, Designing
  int32_t HueOffset = 0;   // degrees
  int32_t Saturation = 0;  // percent, -100..100
  std::string SkinDirectory = "c:\\Skins";
  std::string SkinName;
  TsStoredSkins InternalSkins;
  TacExtBordersMode ExtBordersMode = ebmFull;
  bool ExtendedBorders = false;  // and the system has layered windows
  // The folder of the program file, with or without a trailing separator;
  // relative SkinDirectory values are taken from here.
  std::string ProgramFolder;
  // The first command-line argument was "/acpreview": no version warning.
  bool PreviewMode = false;
  // The application or its main form is right-to-left, and the manager's
  // ButtonsOptions.AllowRTLSysButtons is on.
  bool RightToLeft = false;
  bool AllowRTLSysButtons = true;
  // The system's sizing-frame width at 96 pixels per inch, the default of the
  // skin's "FORMOFFSET" (GetSystemMetrics(SM_CXSIZEFRAME) on Windows).
  int32_t SizingFrameWidth = 4;
  // An options text from the skin editor's preview, parsed instead of the
  // skin's own options while it is set.
  std::optional<std::string> PreviewOptions;
  // After a skin was loaded for one resolution, before it is announced.
  std::function<void(TacSkinData&)> OnSkinLoading;

  int32_t Brightness() const { return FBrightness; }
  // Clamped to -100..100.
  void SetBrightness(int32_t value);
  const std::vector<std::string>& CommonSections() const { return FCommonSections; }
  // Every line that does not begin with ";" loses all its blanks. The caller
  // then changes the skin again with the current name.
  void SetCommonSections(std::vector<std::string> lines);
  const TOptionsFile& CommonSectionsFile() const { return FCommonSectionsFile; }

  // ---- State filled by loading ---------------------------------------------

  uint32_t ManagerState = 0;  // TacManagerStateValue bits
  bool CommonDataLoaded = false;
  bool SkinIsPacked = false;
  TacSkinConvertor sc;  // the unpacked archive of the active skin
  TOptionsFile SkinFile;
  TsBitmapRef MasterBitmap;  // never null; 0 x 0 when the skin has none
  TacSkinCommonInfo SkinCommonInfo;
  TacPalette Palette{};
  std::vector<TacEmbeddedFont> EmbeddedFonts;
  // What the current skin load has taken of its limits; clearing skin data
  // starts it again.
  TacLoadBudget LoadBudget;
  // Since skin data was last cleared.
  std::vector<TacLoadNote> LoadNotes;
  // One object per resolution step under smVCL, else only entry 0. Entries
  // between loaded steps may be null.
  std::vector<std::unique_ptr<TacSkinData>> SkinDataArray;

  bool HasState(TacManagerStateValue v) const { return (ManagerState & v) != 0; }
  void SetState(TacManagerStateValue v, bool on) {
    ManagerState = on ? (ManagerState | v) : (ManagerState & ~uint32_t{v});
  }
  // A skin is loaded and in use.
  bool IsActive() const { return SkinCommonInfo.Active; }
  TMessageSink& Sink() const { return FSink; }

  // ---- Operations ----------------------------------------------------------

  // SkinDirectory resolved against ProgramFolder, ending with a separator.
  std::string GetFullSkinDirectory() const;

  // The skin change of SkinName := Value, without what faces windows: when
  // Active, a name ending in ".asz" (any case) loses it, skin data is cleared
  // and the resolutions in use are loaded, and the title glyphs are mirrored
  // for right-to-left. A load error restores the previous name and is shown on
  // the sink. Afterwards SkinCommonInfo.Active tells whether the 96 object has
  // sections. Returns false when no skin could be found (Active became
  // false): the caller then removes the skin; otherwise it announces it.
  bool ChangeSkin(std::string_view value);
  // The last ChangeSkin met a load error (shown on the sink, name restored).
  bool LastChangeFailed = false;

  // Loads every resolution in use through CommonSkinData: under smVCL 96 and
  // the screen's resolution, under smCustomPPI the custom resolution,
  // otherwise the resolution of the current step. Throws on load errors.
  void LoadResolutionsInUse();

  // Stops using the loaded skin: SkinCommonInfo.Active false, every section
  // index -1, SkinDataArray emptied, embedded fonts removed, common data to
  // be loaded again, the load budget and notes started afresh. Every object
  // of SkinDataArray is freed: SkinDataGeneration counts the clearings.
  void ClearSkinData();
  // Changes with every ClearSkinData: a holder of a CommonSkinData reference
  // taken under another value must take it again before reading it.
  uint32_t SkinDataGeneration() const { return FSkinDataGeneration; }

  // The loaded skin for a resolution, loaded on demand; one of four
  // never-loaded fallback objects while no skin is active. Load errors
  // propagate during a skin change; otherwise they are shown on the sink and
  // the resolution stays empty. The reference stays valid until skin data is
  // cleared.
  TacSkinData& CommonSkinData(int32_t aPPI = 96);

  // Loads the skin into Sd (the loading order of one resolution). Throws on
  // load errors; returns false when the skin could not be opened.
  bool ReloadSkin(TacSkinData& sd);

  // A mask of SectionName / PropName for exactly MulPPI pixels per inch, in
  // an image of its own (outside ma). Returns MulPPI, or -1 when the manager
  // is inactive or the mask is missing or cannot be loaded.
  int32_t GetScaledMaskData(std::string_view sectionName, std::string_view propName, TsMaskData& md,
                            int32_t mulPPI);

  // ScaleInt of the manager (SysScale -1: the current step).
  int32_t ScaleInt(int32_t value, int32_t sysScale = -1) const;

  // Mirrors the title glyphs "BICONCLOSE", "BICONMAX", "BICONMIN",
  // "BICONNORM" and their first glow images in every loaded resolution, each
  // state image within its own cell, and toggles msRTLFlipped.
  void MirrorTitleGlyphs();

  // Finding and opening a skin: fills SkinFile (and sc for an archive).
  // Returns false when there is nothing to load: no skin and no internal
  // skins (Active becomes false), or an archive file or internal skin
  // without options (reported on the sink). Throws ESkinError for a broken
  // archive, ELimitExceeded for one past the load budget.
  bool OpenSkinFile();

  // A skin file named as the options name it: from the archive (upper-cased
  // names compared) or from disk. Empty when missing.
  std::optional<TacSkinFileRef> FindSkinFile(std::string_view name) const;
  // The bytes of a found file. A disk file is read and charged to Budget
  // when one is given (throwing ELimitExceeded past it); empty when it cannot
  // be read. An archive entry's bytes are already in memory (and were
  // charged as they were inflated): the view stays valid while the archive
  // is.
  struct TFileBytes {
    std::vector<uint8_t> Own;
    std::span<const uint8_t> View;
  };
  std::optional<TFileBytes> ReadSkinFile(const TacSkinFileRef& file, TacLoadBudget* budget);
  // Finds and reads a file while a skin loads, charging LoadBudget.
  std::optional<TFileBytes> ReadSkinFile(std::string_view name);

  // The four fallback objects of CommonSkinData, by resolution step.
  std::array<std::unique_ptr<TacSkinData>, 4> FallbackSkinData;
  // The colour offsets reached the targets all resolutions share (master
  // bitmap, palette, Shadow1Color): they are adjusted once per activation.
  bool SharedOffsetsApplied = false;

 private:
  // "Internal format error in the ... skin": a skin archive without options.
  void ReportFormatError();

  TMessageSink& FSink;
  int32_t FBrightness = 0;
  uint32_t FSkinDataGeneration = 0;
  std::vector<std::string> FCommonSections;
  TOptionsFile FCommonSectionsFile;
};

}  // namespace ac
