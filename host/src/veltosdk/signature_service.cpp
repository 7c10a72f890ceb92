#include "veltosdk/utils/signature_service.h"

#include "veltosdk/sdk_state.h"
#include "veltosdk/signal_signature.h"

namespace veltosdk::utils::service {
namespace {

class SignatureService : public ISignatureService {
 public:
  std::string Sign(const std::string& text) override {
    return host_internal::sdk::HmacSha256Hex(host_internal::sdk::Environment().cgi_sign_key, text);
  }
};

}  // namespace

ISignatureService* GetSignatureService() {
  static SignatureService service;
  return &service;
}

}  // namespace veltosdk::utils::service
