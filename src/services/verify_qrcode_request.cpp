#include "services/verify_qrcode_request.h"

#include <utility>

#include "module_api/log.h"
#include "veltosdk/utils/cgi.h"
#include "veltosdk/utils/safety.h"

namespace velto {
namespace {

constexpr char kCheckDomainPath[] = "/v2/common/scan/check-domain";

// A scanned code may carry tickets or invitation codes: logs get its masked form.
std::string Masked(const std::string& qrcode) { return veltosdk::utils::safety::ToSafeString(qrcode); }

void ReadString(const base::json::JsonValue& data, const char* key, std::string* field) {
  if (data[key].IsString()) *field = data[key].AsString();
}

void ReadInteger(const base::json::JsonValue& data, const char* key, int64_t* field) {
  if (data[key].IsInteger()) *field = data[key].AsInteger();
}

}  // namespace

VerifyQrcodeRequest::VerifyQrcodeRequest(std::string qrcode, uint64_t request_id)
    : qrcode_(std::move(qrcode)), request_id_(request_id) {}

void VerifyQrcodeRequest::InitData(bool with_token) {
  const std::string url = veltosdk::utils::cgi::MakeCgiCommonUrlPath(kCheckDomainPath);
  SetUrl(url);
  SetMethod(veltosdk::plugin::kSignalMethodPostForm);
  WithAppUid(true);
  WithCommonParams(true);
  WithToken(with_token);
  WithSign(true);
  AddParams("qrcode", qrcode_);
  VELTO_LOG(velto::log::kTrace) << "verify qrcode : qrcode=" << Masked(qrcode_) << ", url=" << url;
}

void VerifyQrcodeRequest::HandleBizResponse(bool success, const veltosdk::plugin::SignalResult& result,
                                            const base::json::JsonValue& body) {
  VELTO_LOG(velto::log::kTrace) << "verify qrcode : qrcode=" << Masked(qrcode_) << ", suc=" << success
                                << ", status_code=" << result.status_code << ", biz_code=" << result.biz_code
                                << ", msg=" << result.msg;
  success_ = success;
  if (success) ParseData(body["data"]);
  if (!completion_) {
    VELTO_LOG(velto::log::kFailure) << "verify qrcode callback has not set";
    return;
  }
  // The completion may hand this request to a later task for deletion, never delete it now.
  completion_(*this);
}

void VerifyQrcodeRequest::ParseData(const base::json::JsonValue& data) {
  if (!data.IsObject()) {
    VELTO_LOG(velto::log::kFailure) << "verify qrcode data is not a object!";
    return;
  }
  ReadInteger(data, "trust_type", &result_.trust_type);
  ReadInteger(data, "open_type", &result_.open_type);
  ReadString(data, "redirect", &result_.redirect);
  ReadString(data, "warning_title", &result_.warning_title);
  ReadString(data, "warning_msg", &result_.warning_msg);
  ReadString(data, "warning_confirm", &result_.warning_confirm);
  ReadString(data, "warning_cancel", &result_.warning_cancel);
}

}  // namespace velto
