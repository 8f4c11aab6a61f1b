#include "skin/load_budget.h"

#include <string>

#include "core/errors.h"

namespace ac {

void CheckSectionCount(std::size_t sections) {
  if (sections > kMaxSkinSections)
    throw ELimitExceeded("The skin's options have " + std::to_string(sections) +
                         " sections, more than the limit of " + std::to_string(kMaxSkinSections) +
                         " sections a skin may have");
}

void TacLoadBudget::ChargePixels(int64_t width, int64_t height, std::string_view what) {
  if (width <= 0 || height <= 0) return;
  // Sides come from files and options; their product is taken in 64 bits
  // and compared without overflow.
  const bool over =
      width > MaxPixels || height > MaxPixels / width || width * height > MaxPixels - FPixels;
  if (over)
    throw ELimitExceeded(std::string(what) + " (" + std::to_string(width) + " x " +
                         std::to_string(height) + " pixels) would pass the limit of " +
                         std::to_string(MaxPixels) + " decoded pixels for one skin load (" +
                         std::to_string(FPixels) + " taken already)");
  FPixels += width * height;
}

void TacLoadBudget::ChargeBytes(uint64_t bytes, std::string_view what) {
  if (bytes > MaxBytes - FBytes)
    throw ELimitExceeded(std::string(what) + " (" + std::to_string(bytes) +
                         " bytes unpacked) would pass the limit of " + std::to_string(MaxBytes) +
                         " unpacked bytes for one skin load (" + std::to_string(FBytes) +
                         " taken already)");
  FBytes += bytes;
}

}  // namespace ac
