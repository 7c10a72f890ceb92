// base::json::JsonValue: a parsed JSON document (web answers, configuration documents).
//
//   base::json::JsonValue doc;
//   if (!doc.ParseFromJson(text)) { /* invalid: doc is null */ }
//   if (doc.IsObject() && doc.Contain("data")) std::string s = doc["data"]["url"].AsString();
//
// It is a view over the same tree as base::variant::Variant (objects are maps, arrays are
// arrays), so converting between the two costs a reference-count increment. Readers are total:
// a missing key or a value of another kind reads as null, "", 0 or false.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/variant/variant.h"

namespace base::json {

class JsonValue {
 public:
  JsonValue() = default;
  explicit JsonValue(variant::Variant value) : value_(std::move(value)) {}

  // Replaces the value; false (and a null value) on an invalid document.
  bool ParseFromJson(std::string_view text);
  std::string ToJson() const { return value_.ToJsonStr(); }

  bool IsNull() const { return value_.IsNull(); }
  bool IsObject() const { return value_.IsMap(); }
  bool IsArray() const { return value_.IsArray(); }
  bool IsString() const { return value_.IsString(); }
  bool IsBool() const { return value_.IsBool(); }
  bool IsInteger() const { return value_.IsInteger(); }
  bool IsDouble() const { return value_.IsDouble(); }
  bool IsNumber() const { return value_.IsNumber(); }

  bool Contain(std::string_view key) const { return value_.Has(key); }
  JsonValue operator[](std::string_view key) const { return JsonValue(value_.Get(key)); }
  JsonValue operator[](size_t index) const { return JsonValue(value_.At(index)); }
  size_t size() const { return value_.size(); }

  std::string AsString() const { return value_.AsStr(); }
  int64_t AsInteger() const { return value_.AsInteger(); }
  double AsDouble() const { return value_.AsDouble(); }
  bool AsBoolean() const { return value_.AsBoolean(); }

  // Iteration: objects by KeyAt/ValueAt, arrays by operator[](i), for i < size().
  std::string_view KeyAt(size_t index) const { return value_.KeyAt(index); }
  JsonValue ValueAt(size_t index) const { return JsonValue(value_.ValueAt(index)); }

  const variant::Variant& variant() const { return value_; }

 private:
  variant::Variant value_;
};

}  // namespace base::json
