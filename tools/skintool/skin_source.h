#pragma once
// A skin opened for inspection: a skin folder holding "Options.dat" or a skin
// archive (.asz). Only the options are parsed; files are looked up on demand.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "skin/options_file.h"
#include "skin/skin_convertor.h"

namespace ac::skintool {

class TSkinSource {
 public:
  // Throws ESkinError when Path is neither a skin folder nor a readable skin
  // archive with an options file.
  static TSkinSource Open(const std::filesystem::path& path);

  bool Packed() const { return FPacked; }
  const TOptionsFile& Options() const { return FOptions; }
  // Whether the skin holds the file Name as the engine finds it: archive
  // entries by their upper-cased names, folder files by name in any letter
  // case (as the Windows file system matches them), full paths with ":" as
  // they are.
  bool HasFile(std::string_view name) const;

 private:
  bool FPacked = false;
  std::filesystem::path FFolder;
  std::vector<std::string> FFolderNamesUpper;
  TacSkinConvertor FArchive;
  TOptionsFile FOptions;
};

}  // namespace ac::skintool
