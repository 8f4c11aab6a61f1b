#include "skin/skin_finder.h"

#include <system_error>

#include "skin/archive_file.h"

namespace ac {

namespace {

bool IsSeparator(char c, TPathStyle style) {
  return c == '\\' || (style == TPathStyle::Posix && c == '/');
}

std::string WithSeparator(std::string_view folder, TPathStyle style) {
  std::string s(folder);
  if (!s.empty() && !IsSeparator(s.back(), style) && s.back() != '/') s += PathSeparator(style);
  return s;
}

// AppFolder without its last folder name, still ending with a separator.
std::string ParentFolder(std::string_view appFolder, TPathStyle style) {
  std::string_view s = appFolder;
  while (!s.empty() && (IsSeparator(s.back(), style) || s.back() == '/')) s.remove_suffix(1);
  while (!s.empty() && !IsSeparator(s.back(), style) && s.back() != '/') s.remove_suffix(1);
  return std::string(s);
}

bool IsAbsolute(std::string_view dir, TPathStyle style) {
  if (dir.find(':') != std::string_view::npos || dir.find("\\\\") != std::string_view::npos)
    return true;
  return style == TPathStyle::Posix && !dir.empty() && dir.front() == '/';
}

}  // namespace

char PathSeparator(TPathStyle style) {
  return style == TPathStyle::Windows ? '\\' : '/';
}

std::string GetFullSkinDirectory(std::string_view dir, std::string_view appFolder,
                                 TPathStyle style) {
  const std::string app = WithSeparator(appFolder, style);
  std::string s;
  if (dir.starts_with("..")) {
    s = ParentFolder(app, style) + std::string(dir.size() > 3 ? dir.substr(3) : "");
  } else if (dir.starts_with(".\\") || dir.starts_with("./")) {
    s = app + std::string(dir.substr(2));
  } else if (dir == ".") {
    s = app;
  } else if (!IsAbsolute(dir, style)) {
    s = app + std::string(dir);
  } else {
    s = std::string(dir);
  }
  if (s.empty()) return std::string(1, PathSeparator(style));
  if (style == TPathStyle::Windows) {
    if (s.back() == '/')
      s.back() = '\\';
    else if (s.size() == 1)
      s += ":\\";
    else if (s.back() != '\\')
      s += '\\';
  } else if (!IsSeparator(s.back(), style)) {
    s += '/';
  }
  return s;
}

std::string StripSkinArchiveExtension(std::string_view name) {
  if (name.size() > 4) {
    std::string_view ext = name.substr(name.size() - 4);
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(ext[0]) == '.' && lower(ext[1]) == 'a' && lower(ext[2]) == 's' &&
        lower(ext[3]) == 'z')
      return std::string(name.substr(0, name.size() - 4));
  }
  return std::string(name);
}

std::filesystem::path SkinFilePath(std::string_view path) {
#ifdef _WIN32
  return PathFromUtf8(path);
#else
  std::string s(path);
  for (char& c : s)
    if (c == '\\') c = '/';
  return PathFromUtf8(s);
#endif
}

std::string ProgramFolderOfThisProcess() {
#ifdef _WIN32
  return {};
#else
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return WithSeparator(PathToUtf8(exe.parent_path()), TPathStyle::Posix);
#endif
}

}  // namespace ac

namespace ac {

namespace {

#ifndef _WIN32
bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto up = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
    if (up(a[i]) != up(b[i])) return false;
  }
  return true;
}
#endif

}  // namespace

std::optional<std::filesystem::path> FindSkinDiskFile(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path found = path;
  if (!fs::exists(found, ec)) {
#ifdef _WIN32
    return std::nullopt;
#else
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string wanted = PathToUtf8(path.filename());
    found.clear();
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      if (SameNameIgnoringCase(PathToUtf8(it->path().filename()), wanted)) {
        found = it->path();
        break;
      }
    }
    if (found.empty()) return std::nullopt;
#endif
  }
  // Devices and pipes could be read forever; a skin's files are plain files.
  if (!fs::is_regular_file(found, ec)) return std::nullopt;
  return found;
}

std::optional<std::vector<uint8_t>> ReadSkinDiskFile(const std::filesystem::path& path,
                                                     std::uintmax_t maxBytes) {
  const auto found = FindSkinDiskFile(path);
  if (!found) return std::nullopt;
  std::error_code ec;
  const auto size = std::filesystem::file_size(*found, ec);
  if (ec || size > maxBytes) return std::nullopt;
  try {
    return LoadArchiveFile(*found);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace ac
