#pragma once
// The in-memory form of a window description: a tree of components, each with
// its properties in stored order and its child components in creation order.
// The binary component stream (dfm_binary.h) and the readable text form
// (dfm_text.h) are two encodings of this one tree.

#include <cstdint>
#include <string>
#include <vector>

namespace ac::dfm {

// The kinds of stored values. The numbers are the type bytes of the binary
// stream and never change.
enum class TValueType : uint8_t {
  vaNull = 0,  // end of a list
  vaList = 1,  // a list of values, ended by vaNull (string lists)
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,  // 80-bit extended float
  vaIdent = 7,     // an identifier: enumeration value or event handler name
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,  // a byte block with a 32-bit length
  vaSet = 11,     // a set: identifiers ended by an empty one
  vaNil = 13,
  vaCollection = 14,  // collection items, each a property list, ended by vaNull
  vaInt64 = 16,
  vaUtf8String = 20,  // a string with a 32-bit length, UTF-8
};

struct TProperty;

// One collection item: its properties in stored order.
struct TCollectionItem {
  std::vector<TProperty> Properties;
  friend bool operator==(const TCollectionItem& a, const TCollectionItem& b);
};

// A stored value. Which fields are meaningful depends on Kind: Int for the
// integer kinds, Float for vaExtended, Text for strings and identifiers, Names
// for sets, Bytes for byte blocks, Items for lists, CollectionItems for
// collections. The integer width is chosen when writing; readers see vaInt.
struct TValue {
  enum class TKind { Int, Float, String, Ident, Bool, Set, Binary, List, Collection, Nil };
  TKind Kind = TKind::Nil;
  int64_t Int = 0;
  double Float = 0;
  bool Bool = false;
  std::string Text;
  std::vector<std::string> Names;
  std::vector<uint8_t> Bytes;
  std::vector<TValue> Items;
  std::vector<TCollectionItem> CollectionItems;

  static TValue MakeInt(int64_t v);
  static TValue MakeFloat(double v);
  static TValue MakeString(std::string v);
  static TValue MakeIdent(std::string v);
  static TValue MakeBool(bool v);
  static TValue MakeSet(std::vector<std::string> names);
  static TValue MakeBinary(std::vector<uint8_t> bytes);
  static TValue MakeList(std::vector<TValue> items);
  static TValue MakeCollection(std::vector<TCollectionItem> items);
  static TValue MakeNil();

  // Compares what Kind makes meaningful, and the rest, member by member.
  friend bool operator==(const TValue& a, const TValue& b);
};

// A property: its name (dotted for properties of sub-objects, "Font.Height")
// and its value.
struct TProperty {
  std::string Name;
  TValue Value;
  friend bool operator==(const TProperty&, const TProperty&) = default;
};

// A component: its class name, its name, its properties in stored order and
// the components it contains, in creation order.
struct TObjectNode {
  std::string ClassName;
  std::string Name;
  std::vector<TProperty> Properties;
  std::vector<TObjectNode> Children;
  friend bool operator==(const TObjectNode&, const TObjectNode&) = default;
};

// Returns a readable name of Kind for error messages ("string", "integer").
const char* KindName(TValue::TKind kind);

}  // namespace ac::dfm
