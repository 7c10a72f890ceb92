// Masking of personal data before it reaches a log.
#pragma once

#include <string>
#include <string_view>

#include "base/variant/variant.h"

namespace veltosdk::utils::safety {
// Keeps the first and last character of texts longer than 2 and masks the rest with '*'
// (at most 8 of them); shorter texts become "*" per character.
std::string ToSafeString(std::string_view text);
// The JSON text of a Variant with every string value masked as ToSafeString does.
std::string VariantToSafeString(const base::variant::Variant& value);
}  // namespace veltosdk::utils::safety
