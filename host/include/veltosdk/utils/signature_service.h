// The platform SDK's signature service: signs a text the way signed requests are signed
// (veltosdk/plugin/velto_signal_request.h), for callers that build their own exchanges.
//
//   if (auto* signer = veltosdk::utils::service::GetSignatureService())
//     headers["X-Velto-Signature"] = signer->Sign(canonical);
#pragma once

#include <string>

namespace veltosdk {

class ISignatureService {
 public:
  virtual ~ISignatureService() = default;
  // Lowercase hex HMAC-SHA256 of `text` under the SDK configuration's signing key.
  virtual std::string Sign(const std::string& text) = 0;
};

}  // namespace veltosdk

namespace veltosdk::utils::service {
ISignatureService* GetSignatureService();
}  // namespace veltosdk::utils::service
