// Signed requests to the product's web back end.
//
//   class PingRequest : public veltosdk::plugin::VeltoSignalRequest {
//    protected:
//     void HandleBizResponse(bool success, const veltosdk::plugin::SignalResult& result,
//                            const base::json::JsonValue& body) override { ... body["data"] ... }
//   };
//   auto request = std::make_unique<PingRequest>();
//   request->SetUrl(veltosdk::utils::cgi::MakeCgiCommonUrlPath("/v2/ping"));
//   request->SetMethod(veltosdk::plugin::kSignalMethodPostForm);
//   request->AddParams("id", "7");
//   request->WithSign(true);
//   request->Run();      // the answer comes later, as a task on the main looper
//
// Threads. Configure, Run, Cancel and destroy a request on the UI thread. Run hands the
// exchange to the host's network looper (base/threading/network_looper.h); HandleBizResponse and
// then the Run callback run as a task on the main looper, never inside Run. A request that is
// cancelled or destroyed before that task never hears of its answer. HandleBizResponse must not
// destroy the request; the Run callback may.
//
// Methods. kSignalMethodGet: the parameters go in the query. kSignalMethodPost: the parameters
// go in the query and SetBody's text is the body ("Content-Type: application/json").
// kSignalMethodPostForm: the parameters are the body ("application/x-www-form-urlencoded");
// SetBody is not sent.
//
// Parameters. AddParams in the order given; WithAppUid adds "app_uid" (the SDK's self id) and
// WithCommonParams adds "client_version", "instance_id" and "platform". Names and values are
// percent-encoded as util::crypto::RawUrlEncode does, in the query, the form body and the
// canonical string alike.
//
// Signature (WithSign). Two headers:
//   "X-Velto-Timestamp": seconds since the epoch, from the host clock (util::time::GetTimestampMsec
//     divided by 1000, so hostkit's pinned wall clock gives a known value);
//   "X-Velto-Signature": lowercase hex of HMAC-SHA256, keyed by the SDK configuration's signing
//     key (SdkEnvironment::cgi_sign_key), over the canonical string, five lines joined by "\n":
//       METHOD      "GET" or "POST"
//       PATH        the URL's path, "/" when it has none (no query, no fragment)
//       PARAMS      every parameter as encoded-name "=" encoded-value, sorted by encoded name then
//                   encoded value, joined by "&" ("" without parameters)
//       TIMESTAMP   the "X-Velto-Timestamp" value
//       TOKEN       the user's token (SdkEnvironment::user_token) with WithToken(true), else ""
//   e.g. "POST\n/v2/common/scan/check-domain\napp_uid=u1&qrcode=abc\n1700000000\ntk".
// Token (WithToken). The token also travels in "X-Velto-Token". Key and token never reach a log.
//
// Answer. The back end answers a JSON object {"code": integer, "msg": string, "data": ...}.
// success is true only for an HTTP 2xx answer whose body is such an object with "code" 0.
// Timeouts: SetTimeout in milliseconds (default 10000); values under 1000 are raised to 1000
// unless ForceAllowCustomTimeout(true). SetHttpsOnly(true) refuses a URL that is not https.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/json/json_value.h"

namespace veltosdk::plugin {

inline constexpr int kSignalMethodGet = 1;
inline constexpr int kSignalMethodPost = 2;
inline constexpr int kSignalMethodPostForm = 3;

// Why an exchange did not succeed.
enum class SignalError {
  kNone = 0,
  kTimeout = 1,     // no full answer within the timeout
  kTransport = 2,   // no HTTP answer: refused, reset, bad address
  kHttpStatus = 3,  // an HTTP answer outside 2xx
  kBadBody = 4,     // 2xx, but the body is not a JSON object with an integer "code"
  kBizCode = 5,     // "code" is not 0
  kRefused = 6,     // not sent: no URL, an unknown method, or not https when required
};

struct SignalResult {
  int status_code = 0;  // HTTP status; 0 when none came
  int64_t biz_code = -1;  // the body's "code"; -1 without one
  std::string msg;        // the body's "msg", or what went wrong on the way
  SignalError error = SignalError::kNone;
};

}  // namespace veltosdk::plugin

namespace VELTO_CGI {

class VeltoSignalRequestBase {
 public:
  // Runs after HandleBizResponse, with the request; may destroy it.
  using Callback = std::function<void(VeltoSignalRequestBase* request)>;

  VeltoSignalRequestBase();
  virtual ~VeltoSignalRequestBase();  // cancels a running exchange
  VeltoSignalRequestBase(const VeltoSignalRequestBase&) = delete;
  VeltoSignalRequestBase& operator=(const VeltoSignalRequestBase&) = delete;

  void SetUrl(const std::string& url);
  void SetMethod(int method);  // kSignalMethod...; default GET
  void SetBody(const std::string& body);
  void AddParams(const std::string& name, const std::string& value);
  void AddHeader(const std::string& name, const std::string& value);
  void SetTimeout(int64_t timeout_ms);
  void ForceAllowCustomTimeout(bool force);
  // Accepted for the real SDK's scheduling; the stand-in runs every exchange at once.
  void SetHighPriority(bool high);
  void SetHttpsOnly(bool https_only);
  // The push subscription an answer belongs to; kept, not sent.
  void SetSubscribeToken(uint64_t token);
  void WithAppUid(bool on);
  void WithCommonParams(bool on);
  void WithSign(bool on);
  void WithToken(bool on);

  // Starts the exchange; false (and no answer ever) when one is running already. A request
  // that cannot be sent (see kRefused) is still answered, with success false.
  bool Run(Callback callback = {});
  // Drops the running exchange: neither HandleBizResponse nor the callback runs for it.
  void Cancel();
  bool IsRunning() const { return static_cast<bool>(exchange_); }

  const std::string& url() const { return url_; }
  int method() const { return method_; }
  uint64_t subscribe_token() const { return subscribe_token_; }

 protected:
  // On the UI thread, once per Run that was not cancelled.
  virtual void HandleBizResponse(bool success, const veltosdk::plugin::SignalResult& result,
                                 const base::json::JsonValue& body) = 0;

 private:
  struct Exchange;
  void Deliver(const std::shared_ptr<Exchange>& exchange);

  std::string url_;
  int method_ = veltosdk::plugin::kSignalMethodGet;
  std::string body_;
  std::vector<std::pair<std::string, std::string>> params_;
  std::vector<std::pair<std::string, std::string>> headers_;
  int64_t timeout_ms_ = 10000;
  bool force_custom_timeout_ = false;
  bool high_priority_ = false;
  bool https_only_ = false;
  uint64_t subscribe_token_ = 0;
  bool with_app_uid_ = false;
  bool with_common_params_ = false;
  bool with_sign_ = false;
  bool with_token_ = false;
  std::shared_ptr<Exchange> exchange_;
};

}  // namespace VELTO_CGI

namespace veltosdk::plugin {

// The class the library's request classes derive from.
class VeltoSignalRequest : public VELTO_CGI::VeltoSignalRequestBase {};

}  // namespace veltosdk::plugin
