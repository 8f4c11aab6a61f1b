#include "skin/options_file.h"

#include <cstdint>

#include "core/utf8.h"
#include "skin/skin_sections.h"
#include "system/system.h"

namespace ac {

namespace {

enum class TByteOrder { Little, Big };

std::string Utf16ToUtf8(std::string_view bytes, TByteOrder order) {
  auto unit = [&](std::size_t i) -> char16_t {
    auto lo = static_cast<uint8_t>(bytes[order == TByteOrder::Little ? i : i + 1]);
    auto hi = static_cast<uint8_t>(bytes[order == TByteOrder::Little ? i + 1 : i]);
    return static_cast<char16_t>(lo | (hi << 8));
  };
  std::string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char16_t u = unit(i);
    if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
      char16_t v = unit(i + 2);
      if (v >= 0xDC00 && v < 0xE000) {
        AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (v - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, (u >= 0xD800 && u < 0xE000) ? 0xFFFD : u);
  }
  if (i < bytes.size()) AppendUtf8(out, 0xFFFD);
  return out;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::string_view TrimControls(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<uint8_t>(s[b]) <= 32) ++b;
  while (e > b && static_cast<uint8_t>(s[e - 1]) <= 32) --e;
  return s.substr(b, e - b);
}

std::string UpperCaseAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string DecodeTextFile(std::string_view bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return std::string(bytes.substr(3));
  if (StartsWith(bytes, "\xFF\xFE")) return Utf16ToUtf8(bytes.substr(2), TByteOrder::Little);
  if (StartsWith(bytes, "\xFE\xFF")) return Utf16ToUtf8(bytes.substr(2), TByteOrder::Big);
  return platform::AnsiToUtf8(bytes);
}

TOptionSection::TOptionSection(std::string name, int line) : FName(std::move(name)), FLine(line) {}

const TOptionKey* TOptionSection::Find(std::string_view key) const {
  if (FKeys.size() <= kScannedKeys) {
    for (const TOptionKey& k : FKeys)
      if (k.Name == key) return &k;
    return nullptr;
  }
  auto it = FIndex.find(key);
  return it == FIndex.end() ? nullptr : &FKeys[it->second];
}

std::optional<std::string_view> TOptionSection::Value(std::string_view key) const {
  const TOptionKey* k = Find(key);
  if (!k) return std::nullopt;
  return std::string_view(k->Value);
}

bool TOptionSection::Add(TOptionKey key) {
  if (Find(key.Name)) return false;
  FKeys.push_back(std::move(key));
  if (FKeys.size() == kScannedKeys + 1) {
    for (std::size_t i = 0; i < FKeys.size(); ++i) FIndex.emplace(FKeys[i].Name, i);
  } else if (FKeys.size() > kScannedKeys + 1) {
    FIndex.emplace(FKeys.back().Name, FKeys.size() - 1);
  }
  return true;
}

TOptionSection& TOptionsFile::AddSection(std::string_view name, int line) {
  auto [it, added] = FIndex.emplace(std::string(name), FSections.size());
  if (added) FSections.emplace_back(std::string(name), line);
  return FSections[it->second];
}

const TOptionSection* TOptionsFile::Find(std::string_view section) const {
  const int index = IndexOf(section);
  return index < 0 ? nullptr : &FSections[static_cast<std::size_t>(index)];
}

int TOptionsFile::IndexOf(std::string_view section) const {
  // Readers ask one section for key after key: the last answer is kept.
  if (FLastFound < FSections.size() && FSections[FLastFound].Name() == section)
    return static_cast<int>(FLastFound);
  auto it = FIndex.find(section);
  if (it == FIndex.end()) return -1;
  FLastFound = it->second;
  return static_cast<int>(it->second);
}

std::optional<std::string_view> TOptionsFile::Value(std::string_view section,
                                                    std::string_view key) const {
  const TOptionSection* s = Find(section);
  return s ? s->Value(key) : std::nullopt;
}

TParentChains& TOptionsFile::Chains() const {
  TParentChains* chains = FChains.Get();
  if (chains && chains->Size() == FSections.size()) return *chains;
  std::vector<int32_t> parents(FSections.size(), -1);
  for (std::size_t i = 0; i < FSections.size(); ++i) {
    const auto parent = FSections[i].Value(kParentClassKey);
    if (!parent || parent->empty() || *parent == FSections[i].Name()) continue;
    parents[i] = IndexOf(*parent);
  }
  TParentChains& made = FChains.Make();
  made = TParentChains(std::move(parents));
  return made;
}

TOptionsFile TOptionsFile::FromBytes(std::string_view bytes) {
  return FromText(DecodeTextFile(bytes));
}

TOptionsFile TOptionsFile::FromText(std::string_view text) {
  TOptionsFile file;
  TOptionSection* current = nullptr;
  int lineNo = 0;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    // A line ends at CR LF, LF or CR.
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = text.substr(pos, end - pos);
    pos = end + 1;
    if (end < text.size() && text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    ++lineNo;

    std::string_view line = TrimControls(raw);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      current = &file.AddSection(TrimControls(line.substr(1, line.size() - 2)), lineNo);
      continue;
    }
    if (!current) continue;
    TOptionKey key;
    key.Line = lineNo;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      key.Name = std::string(line);
    } else {
      key.Name = std::string(TrimControls(line.substr(0, eq)));
      key.Value = std::string(TrimControls(line.substr(eq + 1)));
    }
    std::string sectionName = current->Name();
    if (!current->Add(key)) file.FRepeats.emplace_back(std::move(sectionName), std::move(key));
  }
  return file;
}

}  // namespace ac
