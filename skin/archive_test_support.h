#pragma once
// Byte-level helpers for tests that build skin archives, well-formed or not.

#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace ac::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes BytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

// Deterministic bytes that deflate cannot shrink.
inline Bytes NoiseBytes(std::size_t size, unsigned seed = 1) {
  std::mt19937 random(seed);
  Bytes bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

inline Bytes Zlib(const Bytes& data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  Bytes out(size);
  compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), Z_BEST_COMPRESSION);
  out.resize(size);
  return out;
}

// Appends the raw pieces of an archive, so tests can break any of them.
class TArchiveBuilder {
 public:
  TArchiveBuilder& Raw(const Bytes& bytes) {
    FBytes.insert(FBytes.end(), bytes.begin(), bytes.end());
    return *this;
  }
  TArchiveBuilder& Text(std::string_view text) { return Raw(BytesOf(text)); }
  TArchiveBuilder& U32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
      FBytes.push_back(static_cast<std::uint8_t>(value >> shift));
    return *this;
  }
  TArchiveBuilder& Header(std::uint32_t count) { return Text("ASzf").U32(count); }
  // A well-formed entry holding Data.
  TArchiveBuilder& Entry(std::string_view name, const Bytes& data) {
    return U32(static_cast<std::uint32_t>(name.size()))
        .Text(name)
        .U32(static_cast<std::uint32_t>(data.size()))
        .Raw(Zlib(data));
  }
  TArchiveBuilder& Entry(std::string_view name, std::string_view text) {
    return Entry(name, BytesOf(text));
  }
  const Bytes& Build() const { return FBytes; }

 private:
  Bytes FBytes;
};

// A fresh folder under the system's temporary folder, removed with the object.
class TTempFolder {
 public:
  explicit TTempFolder(std::string_view tag) {
    std::random_device seed;
    FPath = std::filesystem::temp_directory_path() /
            ("ac-" + std::string(tag) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(FPath);
  }
  ~TTempFolder() {
    std::error_code error;
    std::filesystem::remove_all(FPath, error);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  const std::filesystem::path& Path() const { return FPath; }

 private:
  std::filesystem::path FPath;
};

}  // namespace ac::test
