#pragma once
// Saving internal skins as archive files. These are the skin manager's
// ExtractInternalSkin and ExtractByIndex, written over the collection so they
// work without a manager; messages are shown on Sink with the error icon.

#include <string>
#include <string_view>

#include "core/message_sink.h"
#include "skin/stored_skin.h"

namespace ac {

// DestDir made to end with a folder separator: a trailing separator becomes
// the system's own, a one-character name becomes a drive ("C" -> "C:\") on
// Windows, any other name gets a separator appended. Natively "/" is the
// separator and "\" is accepted as one too. Empty stays empty.
std::string WithTrailingSeparator(std::string_view destDir);

// For every item whose Name equals NameOfSkin exactly: when the folder DestDir
// exists, ExtractByIndex for it, else shows "Directory does not exists.".
// Shows "Skin does not exists." when no item matched.
void ExtractInternalSkin(const TsStoredSkins& skins, std::string_view nameOfSkin,
                         std::string_view destDir, TMessageSink& sink);

// Writes item Index's PackedData verbatim to "<Name> extracted.asz" in the
// folder DestDir (UTF-8), creating the folder when it is missing. Shows
// "<folder> directory creation error." when it cannot be created, and
// "Skin does not exists." for an index out of range. Returns true when the
// file was written; a write failure is shown as "<file> could not be written.".
bool ExtractByIndex(const TsStoredSkins& skins, int index, std::string_view destDir,
                    TMessageSink& sink);

}  // namespace ac
