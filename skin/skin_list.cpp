#include "skin/skin_list.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <fstream>
#include <system_error>

#include "pixels/image_codec.h"
#include "pixels/resample.h"
#include "skin/archive_file.h"
#include "skin/archive_preview.h"

namespace ac {

namespace {

constexpr std::string_view kArchiveExtension = ".asz";
// What DosCode holds when the search has no more files: the system's own
// "no more files" code, so the field reads as it would after a real search.
constexpr int32_t kNoMoreFiles = 18;

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const auto lower = [](unsigned char c) { return std::tolower(c); };
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [&](unsigned char x, unsigned char y) { return lower(x) < lower(y); });
}

// Sources of one pixel in a direction are below what the resampler takes:
// each preview pixel repeats the source pixel it falls on.
TsPixelImage StretchByRepetition(const TsPixelBuffer& src) {
  TsPixelImage out(kSkinPreviewWidth, kSkinPreviewHeight);
  const TsPixelBuffer& dst = out.View();
  for (int32_t y = 0; y < dst.Height; ++y) {
    const uint32_t* s = src.Row(y * src.Height / dst.Height);
    uint32_t* d = dst.Row(y);
    for (int32_t x = 0; x < dst.Width; ++x) d[x] = s[x * src.Width / dst.Width];
  }
  return out;
}

// The bytes of an archive file for its preview; none when it cannot be read
// or is beyond kMaxPreviewArchiveBytes.
std::optional<std::vector<std::uint8_t>> ReadArchiveForPreview(const std::filesystem::path& path) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec || size > kMaxPreviewArchiveBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<std::uintmax_t>(in.gcount()) != size) return std::nullopt;
  return bytes;
}

}  // namespace

bool SameSkinDirectory(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

std::optional<std::string> ListedArchiveName(std::string_view fileName) {
  if (fileName.size() <= kArchiveExtension.size() || !fileName.ends_with(kArchiveExtension))
    return std::nullopt;
  return std::string(fileName.substr(0, fileName.size() - kArchiveExtension.size()));
}

TsPixelImage ScalePreview(const TsPixelBuffer& src) {
  if (src.IsEmpty()) return {};
  if (src.Width < 2 || src.Height < 2) return StretchByRepetition(src);
  TsPixelImage out;
  ResampleBuffer(out, src, kSkinPreviewWidth, kSkinPreviewHeight, rfTriangle);
  return out;
}

std::optional<TsPixelImage> ArchivePreview(std::span<const std::uint8_t> archive) {
  try {
    const std::vector<std::uint8_t> png = ExtractPreview(archive);
    if (png.empty()) return std::nullopt;
    platform::TDecodedImage image = platform::DecodeImage(png);
    const TsPixelBuffer view(image.Pixels.data(), image.Width, image.Height,
                             static_cast<std::ptrdiff_t>(image.Width) * 4);
    TsPixelImage preview = ScalePreview(view);
    if (preview.View().IsEmpty()) return std::nullopt;
    return preview;
  } catch (const std::exception&) {
    // A broken trailer or image only costs the skin its picture.
    return std::nullopt;
  }
}

std::vector<TacSkinName> SelectSkinNames(const TacSkinList& list, TacSkinTypes skinType) {
  std::vector<TacSkinName> names;
  for (const TacSkinListData& item : list.SkinList) {
    const bool internal = item.skSkinMode == smInternal;
    if ((skinType == stPacked && !internal) || (skinType == stUnpacked && internal)) continue;
    names.push_back({item.skName, item.skImageIndex});
  }
  return names;
}

void TacSkinListBuilder::Start(TSources sources) {
  FSources = std::move(sources);
  CurrentInternalIndex = 0;
  FileInfo.clear();
  FNextFile = 0;
  DosCode = 0;
  if (!(FSources.Filter & kFilterExternal) || FSources.Directory.empty()) return;
  std::vector<std::pair<std::string, std::filesystem::path>> found;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(PathFromUtf8(FSources.Directory), ec), end;
       !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    // Only files count; a folder is skipped whatever its name says.
    if (!it->is_regular_file(typeError)) continue;
    std::string fileName = PathToUtf8(it->path().filename());
    if (ListedArchiveName(fileName)) found.emplace_back(std::move(fileName), it->path());
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    if (LessIgnoringCase(a.first, b.first)) return true;
    if (LessIgnoringCase(b.first, a.first)) return false;
    return a.first < b.first;
  });
  for (auto& [name, path] : found) FileInfo.push_back(std::move(path));
}

bool TacSkinListBuilder::Step(TacSkinList& list) {
  if (Done()) return false;
  const TsStoredSkins* internal = FSources.InternalSkins;
  if ((FSources.Filter & kFilterInternal) && internal && CurrentInternalIndex < internal->Count()) {
    const TsStoredSkin& item = (*internal)[CurrentInternalIndex++];
    AddEntry(list, smInternal, item.Name, ArchivePreview(item.PackedData));
  } else if (FNextFile < FileInfo.size()) {
    const std::filesystem::path& path = FileInfo[FNextFile++];
    std::optional<TsPixelImage> preview;
    if (auto bytes = ReadArchiveForPreview(path)) preview = ArchivePreview(*bytes);
    AddEntry(list, smExtPacked, *ListedArchiveName(PathToUtf8(path.filename())),
             std::move(preview));
  }
  const bool moreInternal =
      (FSources.Filter & kFilterInternal) && internal && CurrentInternalIndex < internal->Count();
  if (!moreInternal && FNextFile >= FileInfo.size()) DosCode = kNoMoreFiles;
  return !Done();
}

void TacSkinListBuilder::AddEntry(TacSkinList& list, TacSkinMode mode, std::string name,
                                  std::optional<TsPixelImage> preview) {
  int32_t imageIndex = -1;
  if (preview) {
    imageIndex = static_cast<int32_t>(list.ImgList.size());
    list.ImgList.push_back(std::move(*preview));
  }
  list.SkinList.push_back({mode, imageIndex, std::move(name)});
}

}  // namespace ac
