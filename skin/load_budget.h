#pragma once
// What one skin load may take.
//
// Skins are files people download. Without limits a few forged megabytes
// could make the loader unpack or decode gigabytes: an entry that inflates a
// thousandfold, one large image named by many masks, masks that each rescale
// a large area. A skin load therefore draws from two budgets, both far above
// what any real skin needs (the program's own skin unpacks to 180 KB and
// decodes to 0.1 M pixels):
//   - unpacked bytes: archive entries as inflated, and files read from a skin
//     folder;
//   - decoded pixels: every image decoded, rescaled or generated for the
//     loaded skin (master bitmap, mask files, rescaled copies, shadows).
// Reaching either ends the load with ELimitExceeded, whose message names the
// limit. The charge is made before the memory is taken.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ac {

// 24 M pixels: 96 MiB of 32-bit pixels. A large skin (a 2 M pixel master
// bitmap, rescaled for 120, 144 and 192 pixels per inch in one program) takes
// about 15 M.
inline constexpr int64_t kMaxDecodedPixelsPerLoad = int64_t{24} << 20;
// 64 MiB of unpacked skin files.
inline constexpr uint64_t kMaxUnpackedBytesPerLoad = uint64_t{64} << 20;

// A skin of more sections than this is refused: real skins have a few
// hundred, and each section costs memory and reading at every resolution.
inline constexpr std::size_t kMaxSkinSections = 20000;

// Throws ELimitExceeded when an options file of Sections sections has more
// than kMaxSkinSections.
void CheckSectionCount(std::size_t sections);

class TacLoadBudget {
 public:
  // Takes Width x Height pixels (none for a non-positive side) for What, or
  // throws ELimitExceeded naming What, its size and the budget.
  void ChargePixels(int64_t width, int64_t height, std::string_view what);
  // Takes Bytes of unpacked data for What, or throws ELimitExceeded.
  void ChargeBytes(uint64_t bytes, std::string_view what);
  // A new load starts with the whole budget.
  void Reset() {
    FPixels = 0;
    FBytes = 0;
  }

  int64_t PixelsUsed() const { return FPixels; }
  uint64_t BytesUsed() const { return FBytes; }

  // The limits; tests lower them.
  int64_t MaxPixels = kMaxDecodedPixelsPerLoad;
  uint64_t MaxBytes = kMaxUnpackedBytesPerLoad;

 private:
  int64_t FPixels = 0;
  uint64_t FBytes = 0;
};

}  // namespace ac
