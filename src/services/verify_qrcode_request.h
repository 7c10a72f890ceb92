// The signed request behind QrcodeService: POST "/v2/common/scan/check-domain" with the code.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/json/json_value.h"
#include "module_api/services/qrcode_service.h"
#include "veltosdk/plugin/velto_signal_request.h"

namespace velto {

class VerifyQrcodeRequest : public veltosdk::plugin::VeltoSignalRequest {
 public:
  // Runs on the UI thread after the answer was read (not for a cancelled request).
  using Completion = std::function<void(VerifyQrcodeRequest& request)>;

  VerifyQrcodeRequest(std::string qrcode, uint64_t request_id);

  // URL, method and signing.
  void InitData(bool with_token);
  void SetCompletion(Completion completion) { completion_ = std::move(completion); }

  uint64_t request_id() const { return request_id_; }
  bool success() const { return success_; }
  const QrcodeVerifyResult& result() const { return result_; }

 protected:
  void HandleBizResponse(bool success, const veltosdk::plugin::SignalResult& result,
                         const base::json::JsonValue& body) override;

 private:
  void ParseData(const base::json::JsonValue& data);

  std::string qrcode_;
  uint64_t request_id_;
  Completion completion_;
  QrcodeVerifyResult result_;
  bool success_ = false;
};

}  // namespace velto
