#include "skin/mask_notation.h"

#include <algorithm>

#include "core/errors.h"
#include "skin/option_values.h"
#include "skin/options_file.h"

namespace ac {

namespace {

constexpr std::string_view kZeros16 = "0000000000000000";
constexpr std::string_view kReserved = "000000";
constexpr std::size_t kFixedEnd = 38;  // characters 1-38 hold the fields that are read
constexpr std::size_t kFileStart = 44;

// The fields after the marker; a run of separators counts as one.
std::vector<std::string> SplitFields(std::string_view value) {
  std::vector<std::string> fields;
  char sep = value.front();
  std::size_t i = 1;
  while (i < value.size()) {
    while (i < value.size() && value[i] == sep) ++i;
    if (i >= value.size()) break;
    std::size_t end = value.find(sep, i);
    if (end == std::string_view::npos) end = value.size();
    fields.emplace_back(value.substr(i, end - i));
    i = end;
  }
  return fields;
}

std::string Field(const std::vector<std::string>& f, std::size_t i) {
  return i < f.size() ? f[i] : std::string();
}

std::string PadLeft(std::string s, std::size_t width) {
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return s;
}

std::string FourDigits(int32_t v) {
  return PadLeft(std::to_string(std::max(v, 0)), 4);
}

// The "!" notation's type field is lenient: a non-number reads as 0.
int32_t LenientType(const std::vector<std::string>& f) {
  return ParseInteger(Field(f, 3)).value_or(0);
}

char NotationTypeDigit(std::string_view value) {
  switch (value.front()) {
    case '@':
      return '2';
    case '^':
      return '0';
    case '!': {
      auto t = LenientType(SplitFields(value));
      return (t >= 0 && t <= 9) ? static_cast<char>('0' + t) : '0';
    }
    default:
      return '1';
  }
}

std::string FromAt(const std::vector<std::string>& f) {
  std::string c = "&";
  for (std::size_t i = 0; i < 4; ++i) c += Field(f, i);
  c += kZeros16;
  c += Field(f, 4) + Field(f, 5) + "2" + "00";
  return c + std::string(kReserved);
}

// Bands left at "0000" in a long value are derived from the image size: half
// of a state image less one pixel, or the twelfth field when it is not zero.
void DeriveCaretBands(std::string_view value, const std::vector<std::string>& f,
                      std::string bands[4]) {
  if (value.size() <= 47) return;
  for (int i = 0; i < 4; ++i)
    if (bands[i] != "0000") return;
  std::string m = PadLeft(Field(f, 11), 4);
  if (m != "0000") {
    for (int i = 0; i < 4; ++i) bands[i] = m;
    return;
  }
  auto l = ParseInteger(Field(f, 0)), t = ParseInteger(Field(f, 1)), r = ParseInteger(Field(f, 2)),
       b = ParseInteger(Field(f, 3)), ic = ParseInteger(Field(f, 8)),
       mt = ParseInteger(Field(f, 9));
  if (!l || !t || !r || !b || !ic || !mt) return;  // the strict parse reports these
  // 64-bit so that absurd numbers cannot overflow; a zero count divides by one.
  int64_t width = int64_t{*r} - *l, height = int64_t{*b} - *t;
  int64_t count = *ic > 0 ? *ic : 1, rows = int64_t{*mt} + 1 > 0 ? int64_t{*mt} + 1 : 1;
  auto half = [](int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>((v - 1) / 2, 0, 9999));
  };
  bands[0] = bands[2] = FourDigits(half(width / count));
  bands[1] = bands[3] = FourDigits(half(height / rows));
}

std::string FromCaret(std::string_view value, const std::vector<std::string>& f) {
  std::string bands[4] = {Field(f, 4), Field(f, 5), Field(f, 6), Field(f, 7)};
  DeriveCaretBands(value, f, bands);
  std::string c = "&";
  for (std::size_t i = 0; i < 4; ++i) c += Field(f, i);
  for (const auto& b : bands) c += b;
  c += Field(f, 8) + Field(f, 9) + "0" + PadLeft(Field(f, 10), 2);
  return c + std::string(kReserved);
}

std::string FromTilde(std::string_view value, const std::vector<std::string>& f) {
  // The mask type is read from a fixed position of the value, not from its
  // field: with a two-digit draw mode the two coincide.
  char maskType = value.size() >= 25 ? value[24] : '0';
  std::string c = "&";
  for (std::size_t i = 0; i < 4; ++i) c += Field(f, i);
  c += kZeros16;
  c += "1";
  c += maskType;
  c += '1';
  c += PadLeft(Field(f, 4), 2);
  c += kReserved;
  if (f.size() > 6) c += f[6];
  return c;
}

std::string FromBang(const std::vector<std::string>& f) {
  int32_t type = LenientType(f);
  bool bare = f.size() < 5;  // no band or rectangle fields
  bool bareGlow = type == 3 && bare;
  std::string abcd = Field(f, 4) + Field(f, 5) + Field(f, 6) + Field(f, 7);
  std::string_view rect = kZeros16, bands = kZeros16;
  if (type == 0 || (type == 3 && !bare)) bands = abcd;
  if (type == 2 || type >= 4 || type < 0) {  // the glyph kinds
    if (!bare) rect = abcd;
  }
  std::string c = "&";
  c += rect;
  c += bands;
  c += bareGlow ? std::string_view("1") : std::string_view(Field(f, 1));
  c += bareGlow ? std::string_view("0") : std::string_view(Field(f, 2));
  c += std::to_string(type);
  c += bareGlow ? std::string("00") : PadLeft(Field(f, 8), 2);
  c += kReserved;
  c += Field(f, 0);
  return c;
}

[[noreturn]] void Fail(std::string_view what, std::string_view field, std::string_view section,
                       std::string_view key, std::string_view written) {
  throw EConvertError("Invalid mask value \"" + std::string(written) + "\" (section \"" +
                      std::string(section) + "\", key \"" + std::string(key) + "\"): " +
                      std::string(what) + " \"" + std::string(field) + "\" is not a number");
}

}  // namespace

bool IsMaskValue(std::string_view v) {
  if (v.empty()) return false;
  if (std::string_view("!&@^~").find(v.front()) != std::string_view::npos) return true;
  return v.find(".JPG") != std::string_view::npos || v.find(".BMP") != std::string_view::npos;
}

std::string ToCanonicalMask(std::string_view raw) {
  std::string value = UpperCaseAscii(raw);
  if (value.size() <= 3) {
    std::string c = "&" + std::string(kZeros16) + std::string(kZeros16) + "30";
    c += value.empty() ? '1' : NotationTypeDigit(value);
    return c + "01" + std::string(kReserved) + value;
  }
  switch (value.front()) {
    case '&':
      return value;
    case '@':
      return FromAt(SplitFields(value));
    case '^':
      return FromCaret(value, SplitFields(value));
    case '~':
      return FromTilde(value, SplitFields(value));
    case '!':
      return FromBang(SplitFields(value));
    default:
      return "&" + std::string(kZeros16) + std::string(kZeros16) + "10100" +
             std::string(kReserved) + value;
  }
}

TMaskReference ParseCanonicalMask(std::string_view c, std::string_view section,
                                  std::string_view key, std::string_view written) {
  if (written.empty()) written = c;
  if (c.empty() || c.front() != '&') Fail("marker", c.substr(0, 1), section, key, written);
  auto number = [&](std::size_t pos, std::size_t width, std::string_view what) -> int32_t {
    std::string_view f = pos < c.size() ? c.substr(pos, width) : std::string_view{};
    if (f.size() != width ||
        !std::all_of(f.begin(), f.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
      Fail(what, f, section, key, written);
    int32_t v = 0;
    for (char ch : f) v = v * 10 + (ch - '0');
    return v;
  };
  TMaskReference m;
  int32_t l = number(1, 4, "Left"), t = number(5, 4, "Top"), r = number(9, 4, "Right"),
          b = number(13, 4, "Bottom");
  m.R = TRect::LTRB(l, t, r, b);
  m.WL = number(17, 4, "WL");
  m.WT = number(21, 4, "WT");
  m.WR = number(25, 4, "WR");
  m.WB = number(29, 4, "WB");
  m.ImageCount = number(33, 1, "ImageCount");
  m.MaskType = number(34, 1, "MaskType");
  m.ImgType = static_cast<TacImgType>(std::min(number(35, 1, "ImgType"), 4));
  m.DrawMode = number(36, 2, "DrawMode");
  static_assert(kFixedEnd == 38);
  if (c.size() > kFileStart) m.FileName = std::string(c.substr(kFileStart));
  return m;
}

TMaskReference ParseMaskValue(std::string_view value, std::string_view section,
                              std::string_view key) {
  std::string upper = UpperCaseAscii(value);
  return ParseCanonicalMask(ToCanonicalMask(upper), section, key, upper);
}

std::vector<std::string> MaskNotationProblems(std::string_view raw) {
  std::vector<std::string> problems;
  std::string value = UpperCaseAscii(raw);
  if (value.size() <= 3) return problems;
  // Widths of the fields each notation inserts at fixed positions; 0 marks a
  // field that is padded or not inserted.
  std::vector<std::size_t> widths;
  std::size_t minFields = 0;
  switch (value.front()) {
    case '@':
      widths = {4, 4, 4, 4, 1, 1};
      minFields = 6;
      break;
    case '^':
      widths = {4, 4, 4, 4, 4, 4, 4, 4, 1, 1, 0, 0};
      minFields = 11;
      break;
    case '~':
      widths = {4, 4, 4, 4, 2, 1, 0};
      minFields = 6;
      break;
    case '!': {
      widths = {0, 1, 1, 0, 4, 4, 4, 4, 0};
      minFields = 4;
      break;
    }
    case '&':
      if (value.size() < kFixedEnd) problems.push_back("shorter than the 38 fixed characters");
      return problems;
    default:
      return problems;
  }
  auto f = SplitFields(value);
  if (f.size() < minFields)
    problems.push_back("has " + std::to_string(f.size()) + " fields, needs " +
                       std::to_string(minFields));
  std::size_t checked = std::min(f.size(), widths.size());
  if (value.front() == '!') {
    // Only the fields that the type puts in place matter.
    int32_t type = LenientType(f);
    if (type == 1 || (f.size() < 5)) checked = std::min<std::size_t>(checked, 3);
  }
  for (std::size_t i = 0; i < checked; ++i) {
    if (widths[i] == 0 || f[i].size() == widths[i]) continue;
    problems.push_back("field " + std::to_string(i + 1) + " \"" + f[i] + "\" should have " +
                       std::to_string(widths[i]) + (widths[i] == 1 ? " digit" : " digits"));
  }
  return problems;
}

}  // namespace ac
