// Base64 (RFC 4648, standard alphabet) of byte strings.
#pragma once

#include <string>
#include <string_view>

namespace util::crypto {

std::string Encode64(std::string_view bytes);
// Whitespace is skipped and padding is optional; any other byte outside the alphabet makes the
// whole text invalid, which decodes to "".
std::string Decode64(std::string_view text);

}  // namespace util::crypto
