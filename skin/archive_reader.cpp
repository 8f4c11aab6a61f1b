#include "skin/archive_reader.h"

#include <algorithm>

#include "core/errors.h"
#include "skin/archive_inflate.h"
#include "skin/load_budget.h"

namespace ac {

namespace {

std::uint32_t LoadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::string Label(std::uint32_t number) {
  return "Skin archive entry " + std::to_string(number + 1);
}

std::string Label(const std::string& name) {
  return "Skin archive entry \"" + name + "\"";
}

bool Fits(std::span<const std::uint8_t> archive, std::size_t at, std::size_t count) {
  return at <= archive.size() && count <= archive.size() - at;
}

}  // namespace

bool HasArchiveMagic(std::span<const std::uint8_t> archive) {
  return archive.size() >= kArchiveMagic.size() &&
         std::equal(kArchiveMagic.begin(), kArchiveMagic.end(), archive.begin(),
                    [](char m, std::uint8_t b) { return static_cast<std::uint8_t>(m) == b; });
}

std::size_t ReadArchiveEntries(std::span<const std::uint8_t> archive,
                               const std::function<void(TacArchiveEntry&&)>& onEntry,
                               TacLoadBudget* budget) {
  TacLoadBudget own;
  TacLoadBudget& unpacked = budget ? *budget : own;
  if (!Fits(archive, 0, kArchiveHeaderSize))
    throw ESkinError("Skin archive ends inside its header");
  const std::uint32_t count = LoadU32(archive, 4);
  std::size_t at = kArchiveHeaderSize;
  for (std::uint32_t i = 0; i < count; ++i) {
    TacArchiveEntry entry;
    entry.Offset = at;
    if (!Fits(archive, at, 4))
      throw ESkinError(Label(i) + ": the archive ends before its name length");
    const std::uint32_t nameLength = LoadU32(archive, at);
    at += 4;
    if (!Fits(archive, at, nameLength))
      throw ESkinError(Label(i) + ": name length " + std::to_string(nameLength) +
                       " runs past the end of the archive");
    entry.Name.assign(reinterpret_cast<const char*>(archive.data() + at), nameLength);
    at += nameLength;
    if (!Fits(archive, at, 4))
      throw ESkinError(Label(entry.Name) + ": the archive ends before its unpacked size");
    const std::uint32_t size = LoadU32(archive, at);
    at += 4;
    const std::size_t streamStart = at;
    // A size no input could produce is refused by the inflater with its own
    // message; only a believable one counts against the budget.
    if (size <= MaxInflatedSize(archive.size() - at)) unpacked.ChargeBytes(size, Label(entry.Name));
    entry.Data = InflateArchiveEntry(archive, at, size, entry.Name);
    entry.PackedSize = at - streamStart;
    onEntry(std::move(entry));
  }
  return at;
}

}  // namespace ac
