// Percent-encoding of URL components.
#pragma once

#include <string>
#include <string_view>

namespace util::crypto {

// RFC 3986 encoding: every byte but ALPHA / DIGIT / "-" / "." / "_" / "~" becomes %XX
// (upper-case hex); a space becomes "%20".
std::string RawUrlEncode(std::string_view text);

}  // namespace util::crypto
