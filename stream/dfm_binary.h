#pragma once
// The binary component stream: how a window description is stored as a
// resource of the program.
//
//   stream     = "TPF0" object
//   object     = shortstr(class name) shortstr(name) property* 0x00 object* 0x00
//   property   = shortstr(name) value            (name not empty)
//   value      = type byte (TValueType) payload:
//     Int8/Int16/Int32/Int64  little-endian two's complement of that width
//     Extended                10 bytes, x87 80-bit (extended_float.h)
//     Utf8String              u32 length, UTF-8 bytes
//     Ident                   shortstr
//     False/True/Nil          nothing
//     Binary                  u32 length, bytes
//     Set                     shortstr* 0x00
//     List                    value* vaNull
//     Collection              (vaList property* 0x00)* vaNull
//   shortstr   = u8 length, bytes
//
// Integers are written in the smallest width that holds them.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "stream/dfm_value.h"

namespace ac::dfm {

// A stream that cannot be read: the message names what was wrong and the byte
// offset where it was found.
class EReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Encodes Root as a complete stream. Throws std::invalid_argument for a name
// longer than 255 bytes or an empty property name, which the format cannot hold.
std::vector<uint8_t> WriteBinary(const TObjectNode& root);

// Decodes a complete stream. Throws EReadError on a wrong signature, an unknown
// value type, a length beyond the end of the data, nesting deeper than 64
// levels or bytes after the root object. Never reads outside Data.
TObjectNode ReadBinary(std::span<const uint8_t> data);

}  // namespace ac::dfm
