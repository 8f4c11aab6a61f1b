#include "stream/dfm_binary.h"

#include <cstring>
#include <iterator>
#include <limits>

#include "stream/extended_float.h"

namespace ac::dfm {
namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};
// Deep enough for any real form, shallow enough that a crafted stream cannot
// exhaust the stack.
constexpr int kMaxDepth = 64;

class TWriter {
 public:
  std::vector<uint8_t> Out;

  void Byte(uint8_t b) { Out.push_back(b); }
  void Raw(const void* p, size_t n) {
    auto* b = static_cast<const uint8_t*>(p);
    Out.insert(Out.end(), b, b + n);
  }
  void Le(uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) Byte(static_cast<uint8_t>(v >> (8 * i)));
  }
  void ShortStr(const std::string& s) {
    if (s.size() > 255) throw std::invalid_argument("name longer than 255 bytes: " + s);
    Byte(static_cast<uint8_t>(s.size()));
    Raw(s.data(), s.size());
  }
  void Type(TValueType t) { Byte(static_cast<uint8_t>(t)); }

  void Int(int64_t v) {
    if (v >= INT8_MIN && v <= INT8_MAX) {
      Type(TValueType::vaInt8);
      Le(static_cast<uint64_t>(v), 1);
    } else if (v >= INT16_MIN && v <= INT16_MAX) {
      Type(TValueType::vaInt16);
      Le(static_cast<uint64_t>(v), 2);
    } else if (v >= INT32_MIN && v <= INT32_MAX) {
      Type(TValueType::vaInt32);
      Le(static_cast<uint64_t>(v), 4);
    } else {
      Type(TValueType::vaInt64);
      Le(static_cast<uint64_t>(v), 8);
    }
  }

  void Properties(const std::vector<TProperty>& props) {
    for (const auto& p : props) {
      if (p.Name.empty()) throw std::invalid_argument("empty property name");
      ShortStr(p.Name);
      Value(p.Value);
    }
    Byte(0);
  }

  void Value(const TValue& v) {
    using K = TValue::TKind;
    switch (v.Kind) {
      case K::Int:
        Int(v.Int);
        break;
      case K::Float: {
        Type(TValueType::vaExtended);
        const TExtended80 e = EncodeExtended(v.Float);
        Raw(e.data(), e.size());
        break;
      }
      case K::String:
        Type(TValueType::vaUtf8String);
        Le(v.Text.size(), 4);
        Raw(v.Text.data(), v.Text.size());
        break;
      case K::Ident:
        Type(TValueType::vaIdent);
        ShortStr(v.Text);
        break;
      case K::Bool:
        Type(v.Bool ? TValueType::vaTrue : TValueType::vaFalse);
        break;
      case K::Set:
        Type(TValueType::vaSet);
        for (const auto& n : v.Names) {
          if (n.empty()) throw std::invalid_argument("empty set element");
          ShortStr(n);
        }
        Byte(0);
        break;
      case K::Binary:
        Type(TValueType::vaBinary);
        Le(v.Bytes.size(), 4);
        Raw(v.Bytes.data(), v.Bytes.size());
        break;
      case K::List:
        Type(TValueType::vaList);
        for (const auto& i : v.Items) Value(i);
        Type(TValueType::vaNull);
        break;
      case K::Collection:
        Type(TValueType::vaCollection);
        for (const auto& item : v.CollectionItems) {
          Type(TValueType::vaList);
          Properties(item.Properties);
        }
        Type(TValueType::vaNull);
        break;
      case K::Nil:
        Type(TValueType::vaNil);
        break;
    }
  }

  void Object(const TObjectNode& node) {
    if (node.ClassName.empty()) throw std::invalid_argument("component without a class name");
    ShortStr(node.ClassName);
    ShortStr(node.Name);
    Properties(node.Properties);
    for (const auto& c : node.Children) Object(c);
    Byte(0);
  }
};

class TReader {
 public:
  explicit TReader(std::span<const uint8_t> data) : Data(data) {}

  TObjectNode Stream() {
    if (Data.size() < 4 || std::memcmp(Data.data(), kSignature, 4) != 0)
      Fail("not a component stream (signature TPF0 missing)");
    Pos = 4;
    TObjectNode root = Object(0);
    if (Pos != Data.size()) Fail("unexpected bytes after the root component");
    return root;
  }

 private:
  std::span<const uint8_t> Data;
  size_t Pos = 0;

  [[noreturn]] void Fail(const std::string& what) const {
    throw EReadError("component stream: " + what + " at offset " + std::to_string(Pos));
  }
  void Need(size_t n) const {
    if (n > Data.size() - Pos) Fail("unexpected end of data");
  }
  uint8_t Byte() {
    Need(1);
    return Data[Pos++];
  }
  uint8_t PeekByte() const {
    Need(1);
    return Data[Pos];
  }
  uint64_t Le(int bytes) {
    Need(bytes);
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= uint64_t{Data[Pos + i]} << (8 * i);
    Pos += bytes;
    return v;
  }
  std::string Bytes(size_t n) {
    Need(n);
    std::string s(reinterpret_cast<const char*>(Data.data() + Pos), n);
    Pos += n;
    return s;
  }
  std::string ShortStr() { return Bytes(Byte()); }
  void Depth(int depth) const {
    if (depth > kMaxDepth) Fail("nesting deeper than " + std::to_string(kMaxDepth) + " levels");
  }

  std::vector<TProperty> Properties(int depth) {
    std::vector<TProperty> props;
    for (;;) {
      std::string name = ShortStr();
      if (name.empty()) return props;
      TValue v = Value(depth + 1);
      props.push_back({std::move(name), std::move(v)});
    }
  }

  TValue Value(int depth) {
    Depth(depth);
    const size_t at = Pos;
    const auto type = static_cast<TValueType>(Byte());
    switch (type) {
      case TValueType::vaInt8:
        return TValue::MakeInt(static_cast<int8_t>(Le(1)));
      case TValueType::vaInt16:
        return TValue::MakeInt(static_cast<int16_t>(Le(2)));
      case TValueType::vaInt32:
        return TValue::MakeInt(static_cast<int32_t>(Le(4)));
      case TValueType::vaInt64:
        return TValue::MakeInt(static_cast<int64_t>(Le(8)));
      case TValueType::vaExtended: {
        Need(10);
        TExtended80 e;
        std::memcpy(e.data(), Data.data() + Pos, 10);
        Pos += 10;
        return TValue::MakeFloat(DecodeExtended(e));
      }
      case TValueType::vaUtf8String: {
        const size_t n = Le(4);
        return TValue::MakeString(Bytes(n));
      }
      case TValueType::vaIdent: {
        std::string id = ShortStr();
        if (id.empty()) Fail("empty identifier");
        return TValue::MakeIdent(std::move(id));
      }
      case TValueType::vaFalse:
        return TValue::MakeBool(false);
      case TValueType::vaTrue:
        return TValue::MakeBool(true);
      case TValueType::vaNil:
        return TValue::MakeNil();
      case TValueType::vaBinary: {
        const size_t n = Le(4);
        Need(n);
        std::vector<uint8_t> b(Data.begin() + Pos, Data.begin() + Pos + n);
        Pos += n;
        return TValue::MakeBinary(std::move(b));
      }
      case TValueType::vaSet: {
        std::vector<std::string> names;
        for (std::string n = ShortStr(); !n.empty(); n = ShortStr()) names.push_back(std::move(n));
        return TValue::MakeSet(std::move(names));
      }
      case TValueType::vaList: {
        std::vector<TValue> items;
        while (PeekByte() != static_cast<uint8_t>(TValueType::vaNull))
          items.push_back(Value(depth + 1));
        ++Pos;
        return TValue::MakeList(std::move(items));
      }
      case TValueType::vaCollection: {
        std::vector<TCollectionItem> items;
        for (;;) {
          const uint8_t b = Byte();
          if (b == static_cast<uint8_t>(TValueType::vaNull)) break;
          if (b != static_cast<uint8_t>(TValueType::vaList)) {
            --Pos;
            Fail("collection item expected");
          }
          items.push_back({Properties(depth + 1)});
        }
        return TValue::MakeCollection(std::move(items));
      }
      case TValueType::vaNull:
        break;
    }
    Pos = at;
    Fail("unknown value type " + std::to_string(static_cast<int>(type)));
  }

  TObjectNode Object(int depth) {
    Depth(depth);
    TObjectNode node;
    node.ClassName = ShortStr();
    if (node.ClassName.empty()) Fail("component class name expected");
    node.Name = ShortStr();
    node.Properties = Properties(depth);
    while (PeekByte() != 0) node.Children.push_back(Object(depth + 1));
    ++Pos;
    return node;
  }
};

}  // namespace

std::vector<uint8_t> WriteBinary(const TObjectNode& root) {
  TWriter w;
  w.Out.assign(std::begin(kSignature), std::end(kSignature));
  w.Object(root);
  return std::move(w.Out);
}

TObjectNode ReadBinary(std::span<const uint8_t> data) {
  return TReader(data).Stream();
}

}  // namespace ac::dfm
