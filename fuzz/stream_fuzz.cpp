// The window description reader on arbitrary bytes: it either rejects them with
// EReadError or returns a tree that the writer encodes stably.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "stream/dfm_binary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ac::dfm::TObjectNode root;
  try {
    root = ac::dfm::ReadBinary(std::span(data, size));
  } catch (const ac::dfm::EReadError&) {
    return 0;
  }
  const auto once = ac::dfm::WriteBinary(root);
  const auto twice = ac::dfm::WriteBinary(ac::dfm::ReadBinary(once));
  if (once != twice) std::abort();
  return 0;
}
