#include "tools/skintool/skin_source.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/errors.h"
#include "core/message_sink.h"
#include "skin/skin_finder.h"

namespace ac::skintool {

namespace {

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ESkinError("cannot read " + path.string());
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TSkinSource TSkinSource::Open(const std::filesystem::path& path) {
  TSkinSource s;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    s.FFolder = path;
    std::filesystem::path options;
    for (const auto& entry : std::filesystem::directory_iterator(path, ec)) {
      std::string name = entry.path().filename().string();
      s.FFolderNamesUpper.push_back(UpperCaseAscii(name));
      if (UpperCaseAscii(name) == "OPTIONS.DAT" && (options.empty() || name == "Options.dat"))
        options = entry.path();
    }
    if (options.empty()) throw ESkinError(path.string() + " holds no Options.dat");
    s.FOptions = TOptionsFile::FromBytes(ReadWholeFile(options));
    return s;
  }
  TRecordingSink sink;
  if (!ReadSkinArchiveFile(path, s.FArchive, sink)) {
    if (!sink.Entries.empty()) throw ESkinError(path.string() + ": " + sink.Entries[0].Text);
    throw ESkinError(path.string() + " is neither a skin folder nor a skin archive");
  }
  if (!s.FArchive.Options)
    throw ESkinError("Internal format error in the \"" + path.stem().string() +
                     "\" skin: the archive has no Options.dat");
  const auto& bytes = *s.FArchive.Options;
  s.FOptions = TOptionsFile::FromBytes(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  s.FPacked = true;
  return s;
}

bool TSkinSource::HasFile(std::string_view name) const {
  if (name.empty()) return false;
  if (FPacked) return FArchive.FindFile(name) != nullptr;
  if (name.find(':') != std::string_view::npos) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(std::string(name)), ec);
  }
  std::string upper = UpperCaseAscii(name);
  if (std::find(FFolderNamesUpper.begin(), FFolderNamesUpper.end(), upper) !=
      FFolderNamesUpper.end())
    return true;
  // Names with folders in them (".\\IMG.PNG", "SUB\\..\\IMG.PNG") are found as
  // loading finds them.
  return FindSkinDiskFile(FFolder / SkinFilePath(name)).has_value();
}

}  // namespace ac::skintool
