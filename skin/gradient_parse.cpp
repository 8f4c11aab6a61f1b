#include "skin/gradient_parse.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/errors.h"
#include "skin/option_values.h"

namespace ac {

namespace {

std::vector<std::string_view> Tokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (i <= text.size()) {
    std::size_t end = text.find(';', i);
    if (end == std::string_view::npos) end = text.size();
    if (end > i) tokens.push_back(text.substr(i, end - i));
    i = end + 1;
  }
  return tokens;
}

class TTokenReader {
 public:
  TTokenReader(std::string_view text, std::vector<std::string_view> tokens)
      : FText(text), FTokens(std::move(tokens)) {}

  std::size_t Count() const { return FTokens.size(); }

  // Colours and modes are 64-bit numbers cut to 32 bits; hexadecimal is taken
  // as the integer reader takes it.
  int32_t Wide(std::size_t i) const {
    std::string_view t = Token(i);
    if (auto v = ParseInt64(t)) return TruncateTo32(*v);
    if (auto v = ParseInteger(t)) return *v;
    Fail(t);
  }
  int32_t Narrow(std::size_t i) const {
    std::string_view t = Token(i);
    if (auto v = ParseInteger(t)) return *v;
    Fail(t);
  }

 private:
  std::string_view Token(std::size_t i) const {
    if (i >= FTokens.size())
      throw EConvertError("Gradient \"" + std::string(FText) + "\" ends before point data");
    return FTokens[i];
  }
  [[noreturn]] void Fail(std::string_view t) const {
    throw EConvertError("\"" + std::string(t) + "\" is not a valid integer value in gradient \"" +
                        std::string(FText) + "\"");
  }

  std::string_view FText;
  std::vector<std::string_view> FTokens;
};

TsGradArray ParseSegments(const TTokenReader& r) {
  TsGradArray points;
  std::size_t count = r.Count() / 5;
  int32_t percent = 0;
  for (std::size_t k = 0; k < count; ++k) {
    TsGradPoint p;
    p.Index = static_cast<uint16_t>(k);
    p.Color = TsColor(static_cast<TColor>(static_cast<uint32_t>(r.Wide(5 * k)) | 0xFF000000u));
    p.Mode = r.Wide(5 * k + 3) & ~kGradSmoothSegment;
    p.Percent = std::min(percent, 100);
    int32_t length = r.Narrow(5 * k + 2);
    percent = std::min(percent + std::clamp(length, 0, 100), 100);
    points.push_back(p);
  }
  if (!points.empty() && (points[0].Mode & kGradKindMask) == kGradTriangle) {
    while (points.size() < 5) {
      TsGradPoint p = points.back();
      p.Index = static_cast<uint16_t>(points.size());
      points.push_back(p);
    }
  }
  return points;
}

TsGradArray ParseStops(const TTokenReader& r, std::size_t count) {
  TsGradArray points;
  bool smooth = false;
  for (std::size_t k = 0; k < count; ++k) {
    TsGradPoint p;
    p.Index = static_cast<uint16_t>(k);
    p.Color = TsColor(r.Wide(3 * k));
    p.Percent = std::clamp(r.Narrow(3 * k + 1), 0, 100);
    p.Mode = r.Wide(3 * k + 2);
    smooth = smooth || (p.Mode & kGradSmoothSegment) != 0;
    points.push_back(p);
  }
  if (smooth && !points.empty()) points[0].Mode |= kGradSmoothTriangle;
  return points;
}

}  // namespace

TsGradArray ParseGradient(std::string_view text) {
  if (text.size() <= 4) return {};
  auto last = static_cast<unsigned char>(text.back());
  TTokenReader reader(text, Tokens(text));
  TsGradArray points;
  if (last == '0')
    points = ParseSegments(reader);
  else if (last > 64)
    points = ParseStops(reader, last - 64u);
  if (!points.empty()) points.back().Percent = 100;
  return points;
}

}  // namespace ac
