// MD5 digests, for names derived from identities (not for security).
#pragma once

#include <string>
#include <string_view>

namespace util::crypto {

// The 32-character lower-case hex digest of `data`.
std::string Md5(std::string_view data);

}  // namespace util::crypto
