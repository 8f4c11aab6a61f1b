#pragma once
// Skin folders to archives and back, as the skin tool does it.
//
// Packing stores every plain file of the folder under its name in upper case
// ("Options.dat" becomes "OPTIONS.DAT", as stored skins name it), "OPTIONS.DAT"
// first and the others sorted by name, so the same folder always gives the
// same archive. Unpacking writes each entry under its stored name. Packing an
// unpacked archive therefore gives back the archive itself when its names were
// upper case and in that order, and otherwise an archive that reads the same
// way up to names and order.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "skin/archive_writer.h"

namespace ac {

// The plain files of Dir in archive order, read whole. Sub-folders are not
// entered; their names are added to Skipped. Throws ESkinError when Dir is not
// a folder, a file cannot be read, or two names differ only in letter case.
std::vector<TacArchiveSource> CollectSkinFolder(const std::filesystem::path& dir,
                                                std::vector<std::string>& skipped);

// True when Name can be written inside a folder as one plain file: not empty,
// not "." or "..", no separator, no drive colon, no control character.
bool IsSafeEntryName(std::string_view name);

// Writes every entry of the skin archive Archive into Dir (created when
// missing) under its stored name and returns how many were written. An entry
// whose name equals an earlier one in upper case is not written (lookups find
// the earlier one) and its name is added to Skipped. Throws ESkinError when
// the magic is wrong, the archive is broken (nothing is written then), a name
// is not a safe file name, or a file cannot be written.
int UnpackSkinArchive(std::span<const std::uint8_t> archive, const std::filesystem::path& dir,
                      std::vector<std::string>& skipped);

}  // namespace ac
