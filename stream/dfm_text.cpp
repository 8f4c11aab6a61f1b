#include "stream/dfm_text.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "core/utf8.h"

namespace ac::dfm {
namespace {

bool IsIdentStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

class TParser {
 public:
  TParser(std::string_view text, const TBlobSource& blobs) : Text(text), Blobs(blobs) {}

  TObjectNode Root() {
    TObjectNode root = Object(0);
    SkipBlanks();
    if (Pos != Text.size()) Fail("text after the root object's end");
    return root;
  }

 private:
  std::string_view Text;
  const TBlobSource& Blobs;
  size_t Pos = 0;
  int Line = 1;

  [[noreturn]] void Fail(const std::string& what) const {
    throw EParseError("line " + std::to_string(Line) + ": " + what);
  }

  void SkipBlanks() {
    while (Pos < Text.size()) {
      const char c = Text[Pos];
      if (c == '\n') {
        ++Line;
        ++Pos;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++Pos;
      } else if (c == '/' && Pos + 1 < Text.size() && Text[Pos + 1] == '/') {
        while (Pos < Text.size() && Text[Pos] != '\n') ++Pos;
      } else {
        return;
      }
    }
  }
  char Peek() {
    SkipBlanks();
    return Pos < Text.size() ? Text[Pos] : '\0';
  }
  void Expect(char c) {
    if (Peek() != c) Fail(std::string("'") + c + "' expected");
    ++Pos;
  }
  std::string Ident() {
    SkipBlanks();
    if (Pos >= Text.size() || !IsIdentStart(Text[Pos])) Fail("identifier expected");
    const size_t start = Pos;
    while (Pos < Text.size() && IsIdentChar(Text[Pos])) ++Pos;
    return std::string(Text.substr(start, Pos - start));
  }
  bool AtWord(std::string_view w) {
    SkipBlanks();
    if (Text.substr(Pos, w.size()) != w) return false;
    const size_t end = Pos + w.size();
    return end >= Text.size() || !IsIdentChar(Text[end]);
  }

  TObjectNode Object(int depth) {
    if (depth > 64) Fail("components nested too deeply");
    if (!AtWord("object")) Fail("'object' expected");
    Ident();
    TObjectNode node;
    node.Name = Ident();
    Expect(':');
    node.ClassName = Ident();
    for (;;) {
      if (AtWord("end")) {
        Ident();
        return node;
      }
      if (AtWord("object")) {
        node.Children.push_back(Object(depth + 1));
        continue;
      }
      node.Properties.push_back(Property(depth));
    }
  }

  TProperty Property(int depth) {
    TProperty p;
    p.Name = Ident();
    while (Pos < Text.size() && Text[Pos] == '.') {
      ++Pos;
      p.Name += '.';
      p.Name += Ident();
    }
    Expect('=');
    p.Value = Value(depth + 1);
    return p;
  }

  TValue Value(int depth) {
    if (depth > 64) Fail("values nested too deeply");
    const char c = Peek();
    if (c == '\'' || c == '#') return TValue::MakeString(String());
    if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) return Number();
    if (c == '[') return Set();
    if (c == '(') {
      ++Pos;
      std::vector<TValue> items;
      while (Peek() != ')') {
        if (Pos >= Text.size()) Fail("')' expected");
        items.push_back(Value(depth + 1));
      }
      ++Pos;
      return TValue::MakeList(std::move(items));
    }
    if (c == '{') return Binary();
    if (c == '<') return Collection(depth);
    if (IsIdentStart(c)) {
      std::string id = Ident();
      if (id == "True") return TValue::MakeBool(true);
      if (id == "False") return TValue::MakeBool(false);
      if (id == "nil") return TValue::MakeNil();
      return TValue::MakeIdent(std::move(id));
    }
    Fail("value expected");
  }

  // Pieces written back to back ('a'#13'b') form one string, as do pieces
  // joined by '+'; pieces apart with only blanks between are separate values
  // (the items of a list).
  std::string String() {
    std::string s;
    Peek();
    for (;;) {
      const char c = Pos < Text.size() ? Text[Pos] : '\0';
      if (c == '\'') {
        ++Pos;
        for (;;) {
          if (Pos >= Text.size() || Text[Pos] == '\n') Fail("unterminated string");
          if (Text[Pos] == '\'') {
            if (Pos + 1 < Text.size() && Text[Pos + 1] == '\'') {
              s += '\'';
              Pos += 2;
              continue;
            }
            ++Pos;
            break;
          }
          s += Text[Pos++];
        }
      } else if (c == '#') {
        ++Pos;
        const size_t start = Pos;
        while (Pos < Text.size() && std::isdigit(static_cast<unsigned char>(Text[Pos]))) ++Pos;
        if (Pos == start || Pos - start > 7) Fail("character code expected after '#'");
        const unsigned long cp =
            std::strtoul(std::string(Text.substr(start, Pos - start)).c_str(), nullptr, 10);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) Fail("invalid character code");
        AppendUtf8(s, static_cast<char32_t>(cp));
      } else {
        const size_t save = Pos;
        const int saveLine = Line;
        if (Peek() != '+') {
          Pos = save;
          Line = saveLine;
          return s;
        }
        ++Pos;
        const char n = Peek();
        if (n != '\'' && n != '#') Fail("string expected after '+'");
      }
    }
  }

  TValue Number() {
    const size_t start = Pos;
    if (Text[Pos] == '-') ++Pos;
    bool isFloat = false;
    while (Pos < Text.size()) {
      const char c = Text[Pos];
      if (std::isdigit(static_cast<unsigned char>(c))) {
        ++Pos;
      } else if (c == '.' || c == 'e' || c == 'E') {
        isFloat = true;
        ++Pos;
        if ((c == 'e' || c == 'E') && Pos < Text.size() && (Text[Pos] == '-' || Text[Pos] == '+'))
          ++Pos;
      } else {
        break;
      }
    }
    const std::string s(Text.substr(start, Pos - start));
    char* end = nullptr;
    errno = 0;
    if (isFloat) {
      const double d = std::strtod(s.c_str(), &end);
      if (*end != '\0') Fail("malformed number " + s);
      return TValue::MakeFloat(d);
    }
    const long long v = std::strtoll(s.c_str(), &end, 10);
    if (*end != '\0' || s == "-") Fail("malformed number " + s);
    if (errno == ERANGE) Fail("number out of range " + s);
    return TValue::MakeInt(v);
  }

  TValue Set() {
    Expect('[');
    std::vector<std::string> names;
    if (Peek() != ']') {
      names.push_back(Ident());
      while (Peek() == ',') {
        ++Pos;
        names.push_back(Ident());
      }
    }
    Expect(']');
    return TValue::MakeSet(std::move(names));
  }

  TValue Binary() {
    Expect('{');
    if (Peek() == '@') {
      ++Pos;
      std::string name = Ident();
      Expect('}');
      if (!Blobs) Fail("blob @" + name + " named but no blobs given");
      return TValue::MakeBinary(Blobs(name));
    }
    std::vector<uint8_t> bytes;
    int half = -1;
    for (;;) {
      const char c = Peek();
      if (c == '}') break;
      int d;
      if (c >= '0' && c <= '9')
        d = c - '0';
      else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
      else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
      else
        Fail("hex digit or '}' expected");
      ++Pos;
      if (half < 0) {
        half = d;
      } else {
        bytes.push_back(static_cast<uint8_t>(half * 16 + d));
        half = -1;
      }
    }
    if (half >= 0) Fail("odd number of hex digits");
    ++Pos;
    return TValue::MakeBinary(std::move(bytes));
  }

  TValue Collection(int depth) {
    Expect('<');
    std::vector<TCollectionItem> items;
    while (Peek() != '>') {
      if (!AtWord("item")) Fail("'item' or '>' expected");
      Ident();
      TCollectionItem item;
      while (!AtWord("end")) {
        if (Pos >= Text.size()) Fail("'end' expected");
        item.Properties.push_back(Property(depth + 1));
      }
      Ident();
      items.push_back(std::move(item));
    }
    ++Pos;
    return TValue::MakeCollection(std::move(items));
  }
};

void Indent(std::string& out, int level) {
  out.append(static_cast<size_t>(level) * 2, ' ');
}

void WriteString(std::string& out, const std::string& s) {
  // Control characters are written as codes so that the text stays one line.
  bool open = false;
  auto close = [&] {
    if (open) out += '\'';
    open = false;
  };
  if (s.empty()) out += "''";
  for (char c : s) {
    if (static_cast<unsigned char>(c) < 0x20) {
      close();
      out += '#' + std::to_string(static_cast<int>(c));
      continue;
    }
    if (!open) out += '\'';
    open = true;
    if (c == '\'') out += '\'';
    out += c;
  }
  close();
}

void WriteValue(std::string& out, const TValue& v, int level);

void WriteProperties(std::string& out, const std::vector<TProperty>& props, int level) {
  for (const auto& p : props) {
    Indent(out, level);
    out += p.Name + " = ";
    WriteValue(out, p.Value, level);
    out += '\n';
  }
}

void WriteValue(std::string& out, const TValue& v, int level) {
  using K = TValue::TKind;
  switch (v.Kind) {
    case K::Int:
      out += std::to_string(v.Int);
      break;
    case K::Float: {
      char buf[40];
      std::snprintf(buf, sizeof buf, "%.17g", v.Float);
      std::string s = buf;
      if (s.find_first_of(".e") == std::string::npos) s += ".0";
      out += s;
      break;
    }
    case K::String:
      WriteString(out, v.Text);
      break;
    case K::Ident:
      out += v.Text;
      break;
    case K::Bool:
      out += v.Bool ? "True" : "False";
      break;
    case K::Nil:
      out += "nil";
      break;
    case K::Set:
      out += '[';
      for (size_t i = 0; i < v.Names.size(); ++i) out += (i ? ", " : "") + v.Names[i];
      out += ']';
      break;
    case K::Binary: {
      static const char* hex = "0123456789ABCDEF";
      out += '{';
      for (size_t i = 0; i < v.Bytes.size(); ++i) {
        if (i % 32 == 0 && v.Bytes.size() > 32) {
          out += '\n';
          Indent(out, level + 1);
        }
        out += hex[v.Bytes[i] >> 4];
        out += hex[v.Bytes[i] & 15];
      }
      out += '}';
      break;
    }
    case K::List:
      out += '(';
      for (size_t i = 0; i < v.Items.size(); ++i) {
        if (i) out += ' ';
        WriteValue(out, v.Items[i], level + 1);
      }
      out += ')';
      break;
    case K::Collection:
      out += "<";
      for (const auto& item : v.CollectionItems) {
        out += '\n';
        Indent(out, level + 1);
        out += "item\n";
        WriteProperties(out, item.Properties, level + 2);
        Indent(out, level + 1);
        out += "end";
      }
      out += ">";
      break;
  }
}

void WriteObject(std::string& out, const TObjectNode& node, int level) {
  Indent(out, level);
  out += "object " + node.Name + ": " + node.ClassName + '\n';
  WriteProperties(out, node.Properties, level + 1);
  for (const auto& c : node.Children) WriteObject(out, c, level + 1);
  Indent(out, level);
  out += "end\n";
}

}  // namespace

TObjectNode ParseText(std::string_view text, const TBlobSource& blobs) {
  return TParser(text, blobs).Root();
}

std::string WriteText(const TObjectNode& root) {
  std::string out;
  WriteObject(out, root, 0);
  return out;
}

}  // namespace ac::dfm
