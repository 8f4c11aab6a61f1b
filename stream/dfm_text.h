#pragma once
// The readable text form of a window description, from which the build writes
// the binary stream:
//
//   object sPanel1: TsPanel          components nest; "end" closes one
//     Left = 1                       integers; 15.0 or 1e3 is a float
//     Caption = 'Копировать'         UTF-8 text; '' is a quote; #13#10 adds
//                                    characters by code point; pieces join with +
//     Font.Style = [fsUnderline]     sets
//     Alignment = taCenter           identifiers (enumerations, event handlers)
//     ReadOnly = True                True / False; nil
//     Lines = ('one' 'two')          lists
//     Data = {0A1B2C}                byte blocks in hex, or {@name}: the bytes of
//                                    the blob Name given to the parser
//     InternalSkins = <              collections of items
//       item
//         Name = 'x'
//       end>
//   end
//
// "//" starts a comment that runs to the end of the line.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "stream/dfm_value.h"

namespace ac::dfm {

// A text description that cannot be parsed; the message names the line.
class EParseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Supplies the bytes of a named blob ({@name}); throws or returns them.
using TBlobSource = std::function<std::vector<uint8_t>(std::string_view name)>;

// Parses one root object. Blobs may be empty when the text names none.
TObjectNode ParseText(std::string_view text, const TBlobSource& blobs = {});

// Writes Root in the text form; ParseText(WriteText(x)) == x for every tree
// whose names are identifiers.
std::string WriteText(const TObjectNode& root);

}  // namespace ac::dfm
