// Percent-encoding of URL components.
#pragma once

#include <string>
#include <string_view>

namespace util::crypto {

// RFC 3986 encoding: every byte but ALPHA / DIGIT / "-" / "." / "_" / "~" becomes %XX
// (upper-case hex); a space becomes "%20".
std::string RawUrlEncode(std::string_view text);

// Form decoding: "%XX" becomes its byte and "+" a space. A "%" not followed by two hex digits
// is kept as it is.
std::string UrlDecode(std::string_view text);

// Percent decoding only: "+" stays "+". Malformed escapes are kept as UrlDecode keeps them.
std::string Decode(std::string_view text);

}  // namespace util::crypto
