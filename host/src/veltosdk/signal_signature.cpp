#include "veltosdk/signal_signature.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <algorithm>

#include "util/crypto/url_encode.h"

namespace host_internal::sdk {
namespace {

SignalParams Encoded(const SignalParams& params) {
  SignalParams encoded;
  encoded.reserve(params.size());
  for (const auto& [name, value] : params) {
    encoded.emplace_back(util::crypto::RawUrlEncode(name), util::crypto::RawUrlEncode(value));
  }
  return encoded;
}

std::string Join(const SignalParams& encoded) {
  std::string text;
  for (const auto& [name, value] : encoded) {
    if (!text.empty()) text += '&';
    text.append(name).append(1, '=').append(value);
  }
  return text;
}

}  // namespace

std::string EncodeSignalParams(const SignalParams& params) { return Join(Encoded(params)); }

std::string CanonicalSignalString(std::string_view method, std::string_view path, const SignalParams& params,
                                  std::string_view timestamp, std::string_view token) {
  SignalParams encoded = Encoded(params);
  // Encoded forms are sorted, so that the order is one the server can rebuild from the wire.
  std::sort(encoded.begin(), encoded.end());
  std::string text;
  text.append(method).append(1, '\n');
  text.append(path.empty() ? std::string_view("/") : path).append(1, '\n');
  text.append(Join(encoded)).append(1, '\n');
  text.append(timestamp).append(1, '\n');
  text.append(token);
  return text;
}

std::string HmacSha256Hex(std::string_view key, std::string_view text) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (!HMAC(EVP_sha256(), key.data(), static_cast<int>(key.size()), reinterpret_cast<const unsigned char*>(text.data()),
            text.size(), digest, &length)) {
    return {};
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(length * 2);
  for (unsigned int i = 0; i < length; ++i) {
    hex += kHex[digest[i] >> 4];
    hex += kHex[digest[i] & 0x0f];
  }
  return hex;
}

}  // namespace host_internal::sdk
