#pragma once
// Reading typed values out of a description's stored values, with errors that
// say what was expected.

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "stream/dfm_value.h"

namespace ac {

// A stored value that does not fit its property: wrong kind, out of range,
// unknown enumeration name.
class EPropertyError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

int32_t IntValue(const dfm::TValue& v);
double FloatValue(const dfm::TValue& v);  // integers are accepted too
bool BoolValue(const dfm::TValue& v);
const std::string& StringValue(const dfm::TValue& v);
const std::vector<uint8_t>& BinaryValue(const dfm::TValue& v);
// A string list: a list of strings.
std::vector<std::string> StringListValue(const dfm::TValue& v);

// An enumeration: the identifier's position in Names.
template <typename E>
E EnumValue(const dfm::TValue& v, std::initializer_list<std::pair<std::string_view, E>> names);

// A set of enumeration values as bits: 1 << the element's value.
template <typename E>
uint32_t SetValue(const dfm::TValue& v,
                  std::initializer_list<std::pair<std::string_view, E>> names);

// A colour: an integer or a colour name ("clBtnFace", "clHighlight", ...).
int32_t ColorValue(const dfm::TValue& v);

[[noreturn]] void ThrowKind(const dfm::TValue& v, const char* expected);

template <typename E>
E EnumValue(const dfm::TValue& v, std::initializer_list<std::pair<std::string_view, E>> names) {
  if (v.Kind != dfm::TValue::TKind::Ident) ThrowKind(v, "identifier");
  for (const auto& [name, value] : names)
    if (name == v.Text) return value;
  throw EPropertyError("invalid property value " + v.Text);
}

template <typename E>
uint32_t SetValue(const dfm::TValue& v,
                  std::initializer_list<std::pair<std::string_view, E>> names) {
  if (v.Kind != dfm::TValue::TKind::Set) ThrowKind(v, "set");
  uint32_t bits = 0;
  for (const auto& element : v.Names) {
    bool found = false;
    for (const auto& [name, value] : names) {
      if (name == element) {
        bits |= 1u << static_cast<int>(value);
        found = true;
      }
    }
    if (!found) throw EPropertyError("invalid set element " + element);
  }
  return bits;
}

}  // namespace ac
