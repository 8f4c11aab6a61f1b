#include "skin/archive_file.h"

#include <fstream>
#include <string>

#include "core/errors.h"

namespace ac {

std::vector<std::uint8_t> LoadArchiveFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ESkinError("Cannot open " + PathToUtf8(path));
  std::vector<std::uint8_t> bytes;
  char block[65536];
  // Read to the end rather than trusting the reported size, which may change
  // while the file is read.
  while (in) {
    in.read(block, sizeof block);
    bytes.insert(bytes.end(), block, block + in.gcount());
  }
  if (in.bad()) throw ESkinError("Cannot read " + PathToUtf8(path));
  return bytes;
}

bool SaveArchiveFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(
      std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

}  // namespace ac
