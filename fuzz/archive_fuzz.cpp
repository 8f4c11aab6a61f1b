// Feeds arbitrary bytes to the skin archive reader the way the engine reads an
// internal skin, then looks up names and the preview in what was read. Bad
// input may only raise ESkinError or be refused by the magic check.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/errors.h"
#include "core/message_sink.h"
#include "skin/archive_preview.h"
#include "skin/skin_convertor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> archive(data, size);
  ac::TacSkinConvertor sc;
  ac::TRecordingSink sink;
  sc.PackedData = archive;
  try {
    if (ac::ReadSkinArchive(sc, sink)) {
      for (const auto& item : sc.Files) {
        const ac::TacFileItem* found = sc.FindFile(ac::UpperCaseName(item.Name));
        if (found == nullptr) __builtin_trap();
      }
    } else if (sink.Entries.size() != 1) {
      __builtin_trap();
    }
  } catch (const ac::ESkinError&) {
    // A broken archive leaves nothing of itself behind.
    if (sc.Options || !sc.Files.empty()) __builtin_trap();
  }
  try {
    ac::ExtractPreview(archive);
  } catch (const ac::ESkinError&) {
  }
  sc.Clear();
  return 0;
}
