// Masking of paths and other texts that may carry personal data, before they reach a log.
#pragma once

#include <string>
#include <string_view>

namespace util::convert {

// Masks every part between '/' or '\\' separators as veltosdk::utils::safety::ToSafeString does
// (first and last character kept); the separators stay, so the shape of a path stays readable.
std::string ConvertSensitiveMask(std::string_view text);

}  // namespace util::convert
