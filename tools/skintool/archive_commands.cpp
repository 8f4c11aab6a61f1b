// pack, unpack, list and preview: skin archives from the command line.

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "skin/archive_file.h"
#include "skin/archive_folder.h"
#include "skin/archive_preview.h"
#include "skin/archive_reader.h"
#include "skin/archive_writer.h"
#include "tools/skintool/commands.h"

namespace ac::skintool {

namespace {

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";

int WrongUsage(const char* usage) {
  std::fprintf(stderr, "usage: skintool %s\n", usage);
  return 2;
}

void ReportSkipped(const char* command, const std::vector<std::string>& skipped, const char* why) {
  for (const auto& name : skipped)
    std::fprintf(stderr, "%s: skipped \"%s\": %s\n", command, name.c_str(), why);
}

bool IsPng(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= kPngSignature.size() &&
         std::equal(kPngSignature.begin(), kPngSignature.end(), bytes.begin(),
                    [](char s, std::uint8_t b) { return static_cast<std::uint8_t>(s) == b; });
}

std::vector<std::uint8_t> LoadArchive(const std::string& path) {
  std::vector<std::uint8_t> archive = LoadArchiveFile(PathFromUtf8(path));
  if (!HasArchiveMagic(archive))
    throw ESkinError(path + ": Loaded data is not a packed Velmora file");
  return archive;
}

// Reads the written archive back the way the engine and the skin list will,
// so a pack that could not be read correctly never reports success.
void CheckPacked(const std::vector<std::uint8_t>& archive,
                 const std::vector<TacArchiveSource>& entries,
                 const std::optional<std::vector<std::uint8_t>>& preview) {
  std::size_t index = 0;
  ReadArchiveEntries(archive, [&](TacArchiveEntry&& entry) {
    if (entry.Name != entries[index].Name || entry.Data != entries[index].Data)
      throw ESkinError("\"" + entry.Name + "\" does not read back as written");
    ++index;
  });
  // The preview is found by its first marker anywhere in the archive; a
  // compressed entry that happens to hold the marker would hide it.
  if (ExtractPreview(archive) != preview.value_or(std::vector<std::uint8_t>{}))
    throw ESkinError(
        "the preview marker occurs inside the entries; the preview would not be found");
}

}  // namespace

int Pack(const Args& args) {
  constexpr const char* kUsage = "pack DIR OUT.asz [--preview PNG]";
  std::vector<std::string> positional;
  std::optional<std::string> previewPath;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--preview") {
      if (i + 1 == args.size() || previewPath) return WrongUsage(kUsage);
      previewPath = args[++i];
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) return WrongUsage(kUsage);

  std::vector<std::string> skipped;
  const auto entries = CollectSkinFolder(PathFromUtf8(positional[0]), skipped);
  ReportSkipped("pack", skipped, "not a plain file");
  std::optional<std::vector<std::uint8_t>> preview;
  if (previewPath) {
    preview = LoadArchiveFile(PathFromUtf8(*previewPath));
    if (!IsPng(*preview)) {
      std::fprintf(stderr, "pack: %s is not a PNG image\n", previewPath->c_str());
      return 1;
    }
  }
  const auto archive = WriteSkinArchive(entries, preview);
  CheckPacked(archive, entries, preview);
  if (!SaveArchiveFile(PathFromUtf8(positional[1]), archive)) {
    std::fprintf(stderr, "pack: cannot write %s\n", positional[1].c_str());
    return 1;
  }
  std::printf("packed %zu files into %s (%zu bytes%s)\n", entries.size(), positional[1].c_str(),
              archive.size(), preview ? ", with preview" : "");
  return 0;
}

int Unpack(const Args& args) {
  if (args.size() != 2) return WrongUsage("unpack ARCHIVE DIR");
  const auto archive = LoadArchive(args[0]);
  // Everything is read and checked before anything is written: a broken
  // preview stops the unpack as a broken entry does, leaving no files behind.
  bool hasPreview = false;
  try {
    hasPreview = !ExtractPreview(archive).empty();
  } catch (const ESkinError& e) {
    throw ESkinError(args[0] + ": the preview image is broken (" + e.what() +
                     "); nothing was written");
  }
  std::vector<std::string> skipped;
  const int written = UnpackSkinArchive(archive, PathFromUtf8(args[1]), skipped);
  ReportSkipped("unpack", skipped, "an earlier entry has the same name in upper case");
  std::printf("unpacked %d files into %s\n", written, args[1].c_str());
  if (hasPreview)
    std::printf("the archive has a preview image: skintool preview %s OUT.png\n", args[0].c_str());
  return 0;
}

int List(const Args& args) {
  if (args.size() != 1) return WrongUsage("list ARCHIVE");
  const auto archive = LoadArchive(args[0]);
  std::printf("%10s %10s  %s\n", "unpacked", "packed", "name");
  int count = 0;
  const std::size_t end = ReadArchiveEntries(archive, [&](TacArchiveEntry&& entry) {
    std::printf("%10zu %10zu  %s\n", entry.Data.size(), entry.PackedSize, entry.Name.c_str());
    ++count;
  });
  std::string preview;
  try {
    const auto image = ExtractPreview(archive);
    preview = image.empty() ? "none" : std::to_string(image.size()) + " bytes";
  } catch (const ESkinError& e) {
    preview = std::string("broken (") + e.what() + ")";
  }
  std::printf("%d entries, %zu bytes after them; preview: %s\n", count, archive.size() - end,
              preview.c_str());
  return 0;
}

int Preview(const Args& args) {
  if (args.size() != 2) return WrongUsage("preview ARCHIVE OUT.png");
  const auto image = ExtractPreview(LoadArchive(args[0]));
  if (image.empty()) {
    std::fprintf(stderr, "preview: %s has no preview image\n", args[0].c_str());
    return 1;
  }
  if (!SaveArchiveFile(PathFromUtf8(args[1]), image)) {
    std::fprintf(stderr, "preview: cannot write %s\n", args[1].c_str());
    return 1;
  }
  std::printf("wrote the %zu-byte preview to %s\n", image.size(), args[1].c_str());
  return 0;
}

}  // namespace ac::skintool
