#pragma once
// Whole-file reading and writing of skin archives.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace ac {

// The bytes of the file Path. Throws ESkinError naming the file when it cannot
// be opened or read.
std::vector<std::uint8_t> LoadArchiveFile(const std::filesystem::path& path);

// Replaces the file Path with Bytes. Returns false when it cannot be written.
bool SaveArchiveFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// A path from UTF-8 text, as core strings hold it.
std::filesystem::path PathFromUtf8(std::string_view text);

// Path as UTF-8 text.
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace ac
