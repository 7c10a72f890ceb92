// The stand-in's signed request: built and signed on the UI thread, exchanged by libcurl on the
// network looper, answered on the main looper.
#include "veltosdk/plugin/velto_signal_request.h"

#include <algorithm>
#include <utility>

#include "base/net/http_transfer.h"
#include "base/net/url.h"
#include "base/threading/looper.h"
#include "util/time/time_util.h"
#include "veltosdk/sdk_state.h"
#include "veltosdk/signal_signature.h"
#include "veltosdk/user_id_manager.h"

namespace VELTO_CGI {
namespace {

using host_internal::net::HttpTransfer;
using host_internal::net::TransferError;
using veltosdk::plugin::SignalError;
using veltosdk::plugin::SignalResult;

constexpr int64_t kShortestTimeoutMs = 1000;

bool IsKnownMethod(int method) {
  return method == veltosdk::plugin::kSignalMethodGet || method == veltosdk::plugin::kSignalMethodPost ||
         method == veltosdk::plugin::kSignalMethodPostForm;
}

// The URL up to its query or fragment.
std::string WithoutQuery(const std::string& url) { return url.substr(0, url.find_first_of("?#")); }

void ReadBody(const std::string& text, SignalResult* result, base::json::JsonValue* body) {
  if (!body->ParseFromJson(text) || !body->IsObject()) {
    *body = base::json::JsonValue();
    return;
  }
  if ((*body)["code"].IsInteger()) result->biz_code = (*body)["code"].AsInteger();
  if ((*body)["msg"].IsString()) result->msg = (*body)["msg"].AsString();
}

}  // namespace

struct VeltoSignalRequestBase::Exchange {
  VeltoSignalRequestBase* owner = nullptr;  // UI thread only; null once cancelled
  Callback callback;
  std::shared_ptr<HttpTransfer> transfer;    // null when the request was refused before sending
  std::string refusal;
};

VeltoSignalRequestBase::VeltoSignalRequestBase() = default;
VeltoSignalRequestBase::~VeltoSignalRequestBase() { Cancel(); }

void VeltoSignalRequestBase::SetUrl(const std::string& url) { url_ = url; }
void VeltoSignalRequestBase::SetMethod(int method) { method_ = method; }
void VeltoSignalRequestBase::SetBody(const std::string& body) { body_ = body; }
void VeltoSignalRequestBase::AddParams(const std::string& name, const std::string& value) {
  params_.emplace_back(name, value);
}
void VeltoSignalRequestBase::AddHeader(const std::string& name, const std::string& value) {
  headers_.emplace_back(name, value);
}
void VeltoSignalRequestBase::SetTimeout(int64_t timeout_ms) { timeout_ms_ = timeout_ms; }
void VeltoSignalRequestBase::ForceAllowCustomTimeout(bool force) { force_custom_timeout_ = force; }
void VeltoSignalRequestBase::SetHighPriority(bool high) { high_priority_ = high; }
void VeltoSignalRequestBase::SetHttpsOnly(bool https_only) { https_only_ = https_only; }
void VeltoSignalRequestBase::SetSubscribeToken(uint64_t token) { subscribe_token_ = token; }
void VeltoSignalRequestBase::WithAppUid(bool on) { with_app_uid_ = on; }
void VeltoSignalRequestBase::WithCommonParams(bool on) { with_common_params_ = on; }
void VeltoSignalRequestBase::WithSign(bool on) { with_sign_ = on; }
void VeltoSignalRequestBase::WithToken(bool on) { with_token_ = on; }

bool VeltoSignalRequestBase::Run(Callback callback) {
  if (exchange_) return false;
  auto exchange = std::make_shared<Exchange>();
  exchange->owner = this;
  exchange->callback = std::move(callback);
  exchange_ = exchange;

  const base::net::URL url = base::net::URL::From(url_);
  const bool web = url.IsValid() && (url.scheme() == "http" || url.scheme() == "https");
  if (!web) {
    exchange->refusal = "not a web address";
  } else if (https_only_ && url.scheme() != "https") {
    exchange->refusal = "https required";
  } else if (!IsKnownMethod(method_)) {
    exchange->refusal = "unknown method";
  }
  if (!exchange->refusal.empty()) {
    std::weak_ptr<Exchange> weak = exchange;
    base::threading::LooperThread::MainLooper()->PostTask([weak] {
      if (auto live = weak.lock(); live && live->owner) live->owner->Deliver(live);
    });
    return true;
  }

  const veltosdk::SdkEnvironment& environment = host_internal::sdk::Environment();
  // A query already in the URL counts as parameters given first.
  host_internal::sdk::SignalParams params(url.QueryParams().begin(), url.QueryParams().end());
  params.insert(params.end(), params_.begin(), params_.end());
  if (with_app_uid_) params.emplace_back("app_uid", veltosdk::UserIdManager::SharedInstance()->GetSelfId());
  if (with_common_params_) {
    params.emplace_back("client_version", environment.package_version);
    params.emplace_back("instance_id", environment.instance_id);
    params.emplace_back("platform", "linux");
  }

  auto transfer = std::make_shared<HttpTransfer>();
  const bool post = method_ != veltosdk::plugin::kSignalMethodGet;
  const std::string encoded = host_internal::sdk::EncodeSignalParams(params);
  transfer->url = WithoutQuery(url_);
  transfer->post = post;
  if (method_ == veltosdk::plugin::kSignalMethodPostForm) {
    transfer->body = encoded;
    transfer->headers.push_back("Content-Type: application/x-www-form-urlencoded");
  } else {
    if (!encoded.empty()) transfer->url += "?" + encoded;
    if (post) {
      transfer->body = body_;
      transfer->headers.push_back("Content-Type: application/json");
    }
  }
  for (const auto& [name, value] : headers_) transfer->headers.push_back(name + ": " + value);
  const std::string token = with_token_ ? environment.user_token : std::string();
  if (with_token_) transfer->headers.push_back("X-Velto-Token: " + token);
  if (with_sign_) {
    const std::string timestamp = std::to_string(util::time::GetTimestampMsec() / 1000);
    const std::string canonical = host_internal::sdk::CanonicalSignalString(post ? "POST" : "GET", url.path(), params,
                                                                             timestamp, token);
    transfer->headers.push_back("X-Velto-Timestamp: " + timestamp);
    transfer->headers.push_back("X-Velto-Signature: " +
                                host_internal::sdk::HmacSha256Hex(environment.cgi_sign_key, canonical));
  }
  transfer->timeout_ms = force_custom_timeout_ ? timeout_ms_ : std::max(timeout_ms_, kShortestTimeoutMs);
  // On the network thread: hand the finished exchange back to the UI thread. The exchange is
  // held weakly there, so a request that is gone keeps nothing alive on that thread.
  std::weak_ptr<Exchange> weak = exchange;
  transfer->done = [weak](const std::shared_ptr<HttpTransfer>&) {
    std::shared_ptr<Exchange> live = weak.lock();
    if (!live) return;
    base::threading::LooperThread::MainLooper()->PostTask([live = std::move(live)] {
      if (live->owner) live->owner->Deliver(live);
    });
  };
  exchange->transfer = transfer;
  host_internal::net::Submit(std::move(transfer));
  return true;
}

void VeltoSignalRequestBase::Cancel() {
  if (!exchange_) return;
  std::shared_ptr<Exchange> exchange = std::move(exchange_);
  exchange->owner = nullptr;
  exchange->callback = nullptr;  // whatever it holds is released here, on the UI thread
  if (exchange->transfer) host_internal::net::Abort(exchange->transfer);
}

void VeltoSignalRequestBase::Deliver(const std::shared_ptr<Exchange>& exchange) {
  if (exchange != exchange_) return;
  Callback callback = std::move(exchange->callback);
  exchange->owner = nullptr;
  exchange_.reset();

  SignalResult result;
  base::json::JsonValue body;
  const HttpTransfer* transfer = exchange->transfer.get();
  if (!transfer) {
    result.error = SignalError::kRefused;
    result.msg = exchange->refusal;
  } else if (transfer->error == TransferError::kTimeout) {
    result.error = SignalError::kTimeout;
    result.msg = transfer->error_text;
  } else if (transfer->error != TransferError::kNone) {
    result.error = SignalError::kTransport;
    result.msg = transfer->error_text;
  } else {
    result.status_code = static_cast<int>(transfer->status_code);
    ReadBody(transfer->response, &result, &body);
    if (result.status_code < 200 || result.status_code > 299) {
      result.error = SignalError::kHttpStatus;
      if (result.msg.empty()) result.msg = "http status " + std::to_string(result.status_code);
    } else if (!body.IsObject() || !body["code"].IsInteger()) {
      result.error = SignalError::kBadBody;
      result.msg = "answer is not a JSON object with a code";
    } else if (result.biz_code != 0) {
      result.error = SignalError::kBizCode;
    }
  }
  HandleBizResponse(result.error == SignalError::kNone, result, body);
  if (callback) callback(this);
}

}  // namespace VELTO_CGI
