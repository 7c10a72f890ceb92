#include "framework/variant_text.h"

#include <algorithm>

namespace framework {
namespace {

using base::variant::Variant;

Variant Without(const Variant& value, std::initializer_list<std::string_view> keys) {
  if (value.IsMap()) {
    Variant result = Variant::Map();
    for (size_t i = 0; i < value.size(); ++i) {
      const std::string_view key = value.KeyAt(i);
      if (std::find(keys.begin(), keys.end(), key) != keys.end()) continue;
      result.Set(key, Without(value.ValueAt(i), keys));
    }
    return result;
  }
  if (value.IsArray()) {
    Variant result = Variant::Array();
    for (const Variant& element : value.Elements()) result.Add(Without(element, keys));
    return result;
  }
  return value;
}

}  // namespace

std::string VariantToStringWithout(const base::variant::Variant& value, std::initializer_list<std::string_view> keys) {
  return Without(value, keys).ToJsonStr();
}

}  // namespace framework
