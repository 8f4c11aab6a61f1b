#include "framework/property_value.h"

#include <limits>

#include "core/color.h"

namespace ac {

using K = dfm::TValue::TKind;

void ThrowKind(const dfm::TValue& v, const char* expected) {
  throw EPropertyError(std::string(expected) + " expected, found " + dfm::KindName(v.Kind));
}

int32_t IntValue(const dfm::TValue& v) {
  if (v.Kind != K::Int) ThrowKind(v, "integer");
  if (v.Int < std::numeric_limits<int32_t>::min() || v.Int > std::numeric_limits<int32_t>::max())
    throw EPropertyError("integer out of range: " + std::to_string(v.Int));
  return static_cast<int32_t>(v.Int);
}

double FloatValue(const dfm::TValue& v) {
  if (v.Kind == K::Int) return static_cast<double>(v.Int);
  if (v.Kind != K::Float) ThrowKind(v, "float");
  return v.Float;
}

bool BoolValue(const dfm::TValue& v) {
  if (v.Kind != K::Bool) ThrowKind(v, "True or False");
  return v.Bool;
}

const std::string& StringValue(const dfm::TValue& v) {
  if (v.Kind != K::String) ThrowKind(v, "string");
  return v.Text;
}

const std::vector<uint8_t>& BinaryValue(const dfm::TValue& v) {
  if (v.Kind != K::Binary) ThrowKind(v, "byte block");
  return v.Bytes;
}

std::vector<std::string> StringListValue(const dfm::TValue& v) {
  if (v.Kind != K::List) ThrowKind(v, "string list");
  std::vector<std::string> lines;
  for (const auto& item : v.Items) lines.push_back(StringValue(item));
  return lines;
}

int32_t ColorValue(const dfm::TValue& v) {
  if (v.Kind == K::Int) return IntValue(v);
  if (v.Kind != K::Ident) ThrowKind(v, "colour");
  static const std::pair<std::string_view, TColor> kNames[] = {
      {"clNone", clNone},           {"clBlack", clBlack},
      {"clWhite", clWhite},         {"clFuchsia", clFuchsia},
      {"clWindow", clWindow},       {"clWindowText", clWindowText},
      {"clBtnFace", clBtnFace},     {"clBtnText", clBtnText},
      {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText},
      {"clHotLight", clHotLight},   {"clGrayText", clGrayText},
      {"clInfoBk", clInfoBk},       {"clInfoText", clInfoText},
  };
  for (const auto& [name, color] : kNames)
    if (name == v.Text) return color;
  throw EPropertyError("unknown colour " + v.Text);
}

}  // namespace ac
