// The signed request's canonical string and HMAC (veltosdk/plugin/velto_signal_request.h
// describes both). Not installed; not for modules.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host_internal::sdk {

using SignalParams = std::vector<std::pair<std::string, std::string>>;

// "name=value&..." with names and values percent-encoded, in the given order.
std::string EncodeSignalParams(const SignalParams& params);
std::string CanonicalSignalString(std::string_view method, std::string_view path, const SignalParams& params,
                                  std::string_view timestamp, std::string_view token);
// Lowercase hex; "" when the digest cannot be made.
std::string HmacSha256Hex(std::string_view key, std::string_view text);

}  // namespace host_internal::sdk
