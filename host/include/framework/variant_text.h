// Texts of Variants for logs.
//
//   VELTO_LOG(6) << framework::VariantToStringWithout(item, {"password", "invite_list"});
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "base/variant/variant.h"

namespace framework {

// The JSON text of `value` with every map entry whose key is in `keys` left out, at any depth.
std::string VariantToStringWithout(const base::variant::Variant& value, std::initializer_list<std::string_view> keys);

}  // namespace framework
