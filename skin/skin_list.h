#pragma once
// The list of skins a program can switch to, with a preview picture of each,
// for skin pickers: the internal skins and the skin archive files of the skin
// directory. This is the platform-free half; the manager's
// TacSkinListController (manager/) decides when the list is built and runs
// the steps of TacSkinListBuilder on the user-interface thread.
//
// Listing rules:
//   - internal skins (sfiInternal): every item in collection order, with the
//     preview of its archive's preview trailer;
//   - skin archive files (sfiExternal): every regular file of the skin
//     directory whose name ends exactly in ".asz" (lower case; ".ASZ" and
//     "x.asz.bak" are not archives here), listed by name without ".asz".
//     Folders are never listed, skin folders included, even one named "x.asz".
//     Files are taken in the order of their names compared without letter
//     case (the order a Windows directory search gives), so the list is the
//     same on every file system.
// Previews are scaled to kSkinPreviewWidth x kSkinPreviewHeight whatever
// their own size and kept in the list's image list; a skin without a preview
// trailer, or whose preview cannot be decoded, gets image index -1.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pixels/pixel_buffer.h"
#include "skin/stored_skin.h"

namespace ac {

enum TacSkinMode : int { smInternal, smExtPacked, smExtUnpacked };

// Which entries a name query selects (GetSkinNames' SkinType).
enum TacSkinTypes : int {
  stUnpacked = 0,  // the skins of files: archives (and skin folders, not listed today)
  stPacked = 1,    // the internal skins
  stAllSkins = 2,
};

// SkinsFilter bits of the manager.
enum TacSkinsFilterBits : uint32_t {
  kFilterInternal = 1u << 0,  // sfiInternal
  kFilterExternal = 1u << 1,  // sfiExternal
};

struct TacSkinListData {
  TacSkinMode skSkinMode = smInternal;
  int32_t skImageIndex = -1;  // into the list's ImgList, -1 without a preview
  std::string skName;
  bool operator==(const TacSkinListData&) const = default;
};

inline constexpr int32_t kSkinPreviewWidth = 140;
inline constexpr int32_t kSkinPreviewHeight = 100;

// An archive file larger than this is listed without reading it for its
// preview: no real skin comes near, and a picker must not read gigabytes.
inline constexpr std::uintmax_t kMaxPreviewArchiveBytes = std::uintmax_t{64} << 20;

// The list and its previews. ImgList holds kSkinPreviewWidth x
// kSkinPreviewHeight images only.
struct TacSkinList {
  std::vector<TacSkinListData> SkinList;
  std::vector<TsPixelImage> ImgList;

  void Clear() {
    SkinList.clear();
    ImgList.clear();
  }
};

// Two spellings of a skin directory name the same one when they differ only
// in ASCII letter case, as on the file systems skins are written for.
bool SameSkinDirectory(std::string_view a, std::string_view b);

// The skin name of a directory entry called FileName: FileName without its
// final ".asz" when it ends exactly so and something is left; otherwise none.
// Whether the entry is a folder is the caller's question.
std::optional<std::string> ListedArchiveName(std::string_view fileName);

// Src scaled to the preview size: copied when it already has that size,
// otherwise resampled (a triangle filter; a source of one pixel in a
// direction is stretched by repetition). Empty when Src is empty.
TsPixelImage ScalePreview(const TsPixelBuffer& src);

// The preview of a skin archive: its preview trailer decoded and scaled to
// the preview size. None when the archive has no trailer or the trailer or
// its image is broken; bad input never throws out of here.
std::optional<TsPixelImage> ArchivePreview(std::span<const std::uint8_t> archive);

// One entry of a name query: the skin's name and its preview's index.
struct TacSkinName {
  std::string Name;
  int32_t ImageIndex = -1;
  bool operator==(const TacSkinName&) const = default;
};

// The entries of List selected by SkinType, in list order.
std::vector<TacSkinName> SelectSkinNames(const TacSkinList& list, TacSkinTypes skinType);

// Builds a TacSkinList one step at a time: one internal skin, or one listed
// archive file, per step. Start takes the sources; Step appends what the next
// step finds. The internal skins are read at the step that lists them, so
// the collection must outlive the building (an item added meanwhile resets
// the list in the controller; items removed meanwhile are simply not
// reached).
class TacSkinListBuilder {
 public:
  struct TSources {
    const TsStoredSkins* InternalSkins = nullptr;  // may be null: none
    std::string Directory;                         // the resolved skin directory (UTF-8)
    uint32_t Filter = kFilterInternal | kFilterExternal;
  };

  // Starts a new building; the directory is searched here, once. An unreadable
  // or missing directory lists no files.
  void Start(TSources sources);
  // Appends the next skin to List, with its preview in List.ImgList. Returns
  // true while more steps follow; false (and does nothing) once done.
  bool Step(TacSkinList& list);
  bool Done() const { return DosCode != 0; }

  // The resolved skin directory of this building.
  const std::string& sPath() const { return FSources.Directory; }
  // The next internal skin to list.
  int32_t CurrentInternalIndex = 0;
  // The result of the last directory step: 0 while more files follow.
  int32_t DosCode = 1;

 private:
  void AddEntry(TacSkinList& list, TacSkinMode mode, std::string name,
                std::optional<TsPixelImage> preview);

  TSources FSources;
  // The directory search in progress: the files to list, and the next one.
  std::vector<std::filesystem::path> FileInfo;
  std::size_t FNextFile = 0;
};

}  // namespace ac
