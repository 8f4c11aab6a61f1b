#include "stream/dfm_value.h"

#include <utility>

namespace ac::dfm {

TValue TValue::MakeInt(int64_t v) {
  TValue r;
  r.Kind = TKind::Int;
  r.Int = v;
  return r;
}

TValue TValue::MakeFloat(double v) {
  TValue r;
  r.Kind = TKind::Float;
  r.Float = v;
  return r;
}

TValue TValue::MakeString(std::string v) {
  TValue r;
  r.Kind = TKind::String;
  r.Text = std::move(v);
  return r;
}

TValue TValue::MakeIdent(std::string v) {
  TValue r;
  r.Kind = TKind::Ident;
  r.Text = std::move(v);
  return r;
}

TValue TValue::MakeBool(bool v) {
  TValue r;
  r.Kind = TKind::Bool;
  r.Bool = v;
  return r;
}

TValue TValue::MakeSet(std::vector<std::string> names) {
  TValue r;
  r.Kind = TKind::Set;
  r.Names = std::move(names);
  return r;
}

TValue TValue::MakeBinary(std::vector<uint8_t> bytes) {
  TValue r;
  r.Kind = TKind::Binary;
  r.Bytes = std::move(bytes);
  return r;
}

TValue TValue::MakeList(std::vector<TValue> items) {
  TValue r;
  r.Kind = TKind::List;
  r.Items = std::move(items);
  return r;
}

TValue TValue::MakeCollection(std::vector<TCollectionItem> items) {
  TValue r;
  r.Kind = TKind::Collection;
  r.CollectionItems = std::move(items);
  return r;
}

bool operator==(const TCollectionItem& a, const TCollectionItem& b) {
  return a.Properties == b.Properties;
}

bool operator==(const TValue& a, const TValue& b) {
  return a.Kind == b.Kind && a.Int == b.Int && a.Float == b.Float && a.Bool == b.Bool &&
         a.Text == b.Text && a.Names == b.Names && a.Bytes == b.Bytes && a.Items == b.Items &&
         a.CollectionItems == b.CollectionItems;
}

TValue TValue::MakeNil() {
  return TValue();
}

const char* KindName(TValue::TKind kind) {
  switch (kind) {
    case TValue::TKind::Int:
      return "integer";
    case TValue::TKind::Float:
      return "float";
    case TValue::TKind::String:
      return "string";
    case TValue::TKind::Ident:
      return "identifier";
    case TValue::TKind::Bool:
      return "boolean";
    case TValue::TKind::Set:
      return "set";
    case TValue::TKind::Binary:
      return "byte block";
    case TValue::TKind::List:
      return "list";
    case TValue::TKind::Collection:
      return "collection";
    case TValue::TKind::Nil:
      return "nil";
  }
  return "?";
}

}  // namespace ac::dfm
