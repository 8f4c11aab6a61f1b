#pragma once
// Where skins are found: the skin directory resolved against the program's
// folder, skin names, and paths of skin files.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ac {

enum class TPathStyle {
  Windows,  // "\" separates; "C:\..." and "\\server\..." are absolute
  Posix,    // "/" separates and is the separator added; "\" is accepted too
};

// The separator style of this build.
#ifdef _WIN32
inline constexpr TPathStyle kNativePathStyle = TPathStyle::Windows;
#else
inline constexpr TPathStyle kNativePathStyle = TPathStyle::Posix;
#endif

// The separator this build adds between folder and file names.
char PathSeparator(TPathStyle style = kNativePathStyle);

// SkinDirectory resolved against AppFolder (the program's folder):
//   "..<sep>X" -> the parent of AppFolder followed by X (from the 4th character)
//   ".\X", "./X" -> AppFolder followed by X;  "." -> AppFolder
//   no ":" and no "\\" (and, Posix, not starting with "/") -> AppFolder + X
//   anything else is used as written.
// The result then ends with a separator: a trailing "/" becomes "\" (Windows),
// a one-character name gets ":\" (Windows), any other name gets a separator.
std::string GetFullSkinDirectory(std::string_view skinDirectory, std::string_view appFolder,
                                 TPathStyle style = kNativePathStyle);

// Name without a final ".asz" in any letter case, when it is longer than four
// characters.
std::string StripSkinArchiveExtension(std::string_view name);

// A path of the file system from a skin path (UTF-8); natively "\" is read
// as a separator.
std::filesystem::path SkinFilePath(std::string_view path);

// The folder of the running program, ending with a separator; empty when the
// system does not tell (Windows callers set the manager's ProgramFolder).
std::string ProgramFolderOfThisProcess();

}  // namespace ac

namespace ac {

// The regular file Path. When it does not exist and the file system tells
// letter cases apart, a file of the same folder whose name differs only in
// ASCII letter case is taken instead, since skins are written for a system
// that ignores case. Empty when there is no such file or it is not a regular
// file.
std::optional<std::filesystem::path> FindSkinDiskFile(const std::filesystem::path& path);

// The bytes of the file FindSkinDiskFile finds for Path. Empty when there is
// none, when it cannot be read or when it is larger than MaxBytes.
std::optional<std::vector<uint8_t>> ReadSkinDiskFile(const std::filesystem::path& path,
                                                     std::uintmax_t maxBytes);

}  // namespace ac
