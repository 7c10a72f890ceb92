// Web-view navigation: where an address opens, how it is pushed and how it is closed.
#include "module_api/web/web_view.h"

#include <optional>
#include <set>
#include <utility>

#include "base/net/url.h"
#include "module_api/log.h"
#include "module_api/web/web_util.h"
#include "util/crypto/url_encode.h"
#include "util/system/system.h"
#include "util/time/server_time.h"
#include "util/url/url_util.h"
#include "utils/web/address_log.h"
#include "utils/web/web_trust.h"
#include "veltosdk/utils/settings.h"

namespace velto {
namespace {

using base::net::URL;
using base::variant::Variant;
using framework::module::Navigator;
namespace web_internal = velto_common::utils::web::internal;
using Result = base::threading::Future<Variant>;

bool IsHttp(std::string_view url) { return url.substr(0, 4) == "http"; }  // also covers "https"

// Numeric as the style parameters understand it: non-empty, digits with at most one ".", and
// "-" only in front.
bool IsNumeric(std::string_view text) {
  if (text.empty()) return false;
  bool dot = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') continue;
    if (c == '-' && i == 0) continue;
    if (c == '.' && !dot) {
      dot = true;
      continue;
    }
    return false;
  }
  return true;
}

// Reads a numeric text as strtoull does: the integer part, negated modulo 2^64 for a leading
// "-", saturating at the largest value on overflow.
uint64_t ToUint64(std::string_view text) {
  bool negative = false;
  size_t i = 0;
  if (i < text.size() && text[i] == '-') {
    negative = true;
    ++i;
  }
  uint64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const uint64_t digit = static_cast<uint64_t>(text[i] - '0');
    if (value > (UINT64_MAX - digit) / 10) return UINT64_MAX;
    value = value * 10 + digit;
  }
  return negative ? 0 - value : value;
}

std::string PageOf(const NavigateParams& navigate) {
  return navigate.scheme.empty() ? std::string(kWebViewPage) : navigate.scheme;
}

// The address with the client's language for the trusted sites.
std::string PacketNavigateUrl(const std::string& url) {
  if (url.empty()) {
    VELTO_LOG(log::kRejected) << "packet navigate url is empty";
    return {};
  }
  const std::string language = veltosdk::utils::settings::default_settings().app_language;
  return util::url::AddQueryParamToUrl(url, "app_lang", util::crypto::RawUrlEncode(language));
}

void RouterNavigate(const framework::Context& context, const NavigateParams& navigate, const Variant* router_param) {
  Variant router = Variant::Map();
  router["router_scheme"] = PageOf(navigate);
  router["router_navigation_scheme"] =
      navigate.navigation_scheme.empty() ? std::string("navgitaion_none") : navigate.navigation_scheme;
  router["router_action_flag"] = navigate.action_flag;
  if (router_param) {
    router["router_param"] = *router_param;
    router["router_method"] = router_param->GetString("router_method");
  }
  router["router_context"] = context.view_context().view_ref();
  Navigator::Navigate(0, navigate.scheme, router);
}

Result HandleNavigatePush(const std::shared_ptr<const framework::Context>& context, const Variant& params,
                          const NavigateParams& navigate) {
  const std::string page = PageOf(navigate);
  Navigator navigator = Navigator::Of(context, navigate.page_stack);
  if (!navigate.instance_id.empty()) {
    if (navigate.push_type == 0) return navigator.PushWithInstanceId(page, navigate.instance_id, params);
    return navigator.PushModalWithInstanceId(page, navigate.navigation_scheme, navigate.instance_id, params);
  }
  switch (navigate.push_type) {
    case 0:
      if (page == kWebViewPage) VELTO_LOG(log::kNotable) << "navigate_params instance_id is empty";
      return navigator.Push(page, params);
    case 1:
      return navigator.Push(page, navigate.navigation_scheme, params);
    case 2:
      return navigator.PushWithInstanceId(page, navigate.instance_id, params);
    case 3:
      return navigator.PushModal(page, navigate.navigation_scheme, params);
    case 4:
      return navigator.PushModalWithInstanceId(page, navigate.navigation_scheme, navigate.instance_id, params);
    case 5:
      navigator.PushWithClosingOthers(page, params);
      return {};
    case 6:
      RouterNavigate(*context, navigate, &params);
      return {};
    default:
      VELTO_LOG(log::kRejected) << "unknown push type " << navigate.push_type;
      return {};
  }
}

// `url` as the browser gets it: blanks and braces escaped, and through the user-centre middle
// login page with the user's ticket when the page asks for the login state. Only trusted
// addresses get the ticket, and only web addresses reach the browser at all.
void OpenInBrowser(const std::string& url, bool trusted, const Variant& style) {
  std::string address = url;
  if (address.empty()) {
    VELTO_LOG(log::kRejected) << "navigate_url is empty";
    return;
  }
  if (IsHttp(address)) {
    std::string escaped;
    escaped.reserve(address.size());
    for (char c : address) {
      if (c == ' ') {
        escaped += "%20";
      } else if (c == '{') {
        escaped += "%7B";
      } else if (c == '}') {
        escaped += "%7D";
      } else {
        escaped += c;
      }
    }
    address = std::move(escaped);
  }
  if (!web_internal::IsOpenableWebText(address)) {
    VELTO_LOG(log::kFailure) << "not a web address, not opened: " << web_internal::AddressForLog(address);
    return;
  }
  const Variant* need_login = style.Find("is_need_login_state");
  if (need_login && need_login->AsBoolean()) {
    if (!trusted) {
      VELTO_LOG(log::kFailure) << "login state refused for untrusted address: " << web_internal::AddressForLog(address);
    } else if (std::optional<std::string> with_ticket = web_internal::TicketAddress(
                   velto_common::utils::web::GetUserCenterMiddleLoginUrl(), util::crypto::RawUrlEncode(address),
                   framework::module::TokenType::kWebTicket)) {
      address = std::move(*with_ticket);
    }
  }
  VELTO_LOG(log::kTrace) << "open in browser: " << web_internal::AddressForLog(address);
  util::system::Open(address);
}

// The navigate style of `url`. The decoded address is parsed unless decoding changed nothing
// and the caller already parsed it.
bool ReadNavigateStyle(const std::string& url, const URL* parsed, Variant& out) {
  const std::string decoded = util::crypto::UrlDecode(url);
  if (!IsHttp(decoded)) {
    VELTO_LOG(log::kRejected) << "no http or https url";
    return false;
  }
  std::optional<URL> own;
  if (!parsed || decoded != url) parsed = &own.emplace(URL::From(decoded));
  const std::string value = parsed->GetQueryParam("wv_navigate_style");
  if (!IsNumeric(value)) return false;
  const uint64_t style = ToUint64(value);
  out["is_support_set_open_in_app_state"] = (style & 1u) != 0;
  out["open_in_app_state"] = (style & 2u) != 0;
  return true;
}

bool ReadWvSetting(const std::string& url, const URL& parsed, Variant& out) {
  if (!IsHttp(url)) {
    VELTO_LOG(log::kRejected) << "no http or https url";
    return false;
  }
  const std::string value = util::crypto::UrlDecode(parsed.GetQueryParam("vl_wv_setting"));
  if (!IsNumeric(value)) {
    VELTO_LOG(log::kTrace) << "no vl_wv_setting param.";
    return false;
  }
  const uint64_t setting = ToUint64(value);
  if (setting == 0) {
    VELTO_LOG(log::kTrace) << "vl_wv_setting_val == 0.";
    return false;
  }
  out["is_need_login_state"] = (setting & 1u) != 0;
  out["is_open_by_browser"] = (setting & 2u) != 0;
  return true;
}

}  // namespace

bool ParseNavigateStyleFromUrl(const std::string& url, Variant& out) {
  if (!web_internal::WithinAddressLimit(url)) return false;
  return ReadNavigateStyle(url, nullptr, out);
}

bool ParseUIStyleOfWVSetting(const std::string& url, Variant& out) {
  if (!web_internal::WithinAddressLimit(url)) return false;
  return ReadWvSetting(url, IsHttp(url) ? URL::From(url) : URL(), out);
}

Result OpenWebPage(const std::string& url, std::shared_ptr<const framework::Context> context, bool use_inner_webview,
                   std::optional<Variant> params, NavigateParams navigate) {
  base::threading::Promise<Variant> promise;
  if (!web_internal::WithinAddressLimit(url)) return promise.GetFuture();
  Variant page_params = params ? std::move(*params) : Variant::Map();
  if (!page_params.IsMap()) {
    VELTO_LOG(log::kRejected) << "params is not map, dropped";
    page_params = Variant::Map();
  }

  // One parse of the address serves both style parameters and the trust decision.
  const URL parsed = URL::From(url);
  bool inner = use_inner_webview;
  Variant style = Variant::Map();
  if (ReadNavigateStyle(url, &parsed, style)) {
    const Variant* supported = style.Find("is_support_set_open_in_app_state");
    if (supported && supported->AsBoolean()) inner = style.GetBoolean("open_in_app_state");
  }
  if (ReadWvSetting(url, parsed, style)) {
    if (const Variant* by_browser = style.Find("is_open_by_browser")) inner = !by_browser->AsBoolean();
  }

  page_params["use_inner_webview"] = inner;
  page_params["add_new_task_flag"] = navigate.add_new_task_flag;
  page_params["click_web_from_start"] = util::time::GetServerTimestampMsec(1);

  const bool trusted = web_internal::IsTrustedAddress(parsed);
  const std::string address = trusted ? PacketNavigateUrl(url) : url;
  page_params["is_use_standard_interface"] = true;

  if (inner) {
    if (!context) {
      VELTO_LOG(log::kFailure) << "context is nullptr.";
      return promise.GetFuture();
    }
    if (!address.empty()) page_params["url"] = address;
    return HandleNavigatePush(context, page_params, navigate);
  }
  OpenInBrowser(address, trusted, style);
  return promise.GetFuture();
}

void CloseWebPage(std::shared_ptr<const framework::Context> context, NavigateParams navigate) {
  if (!context) {
    VELTO_LOG(log::kFailure) << "context is nullptr.";
    return;
  }
  const std::string page = PageOf(navigate);
  Navigator navigator = Navigator::Of(context, framework::PageStack::kWindow);
  if (!navigate.instance_id.empty()) {
    navigator.PopOtherWithInstanceId(page, navigate.instance_id);
    return;
  }
  switch (navigate.pop_type) {
    case 0: navigator.PopOther(page); break;
    case 1: navigator.PopOtherWithInstanceId(page, navigate.instance_id); break;
    case 2: navigator.Pop(Variant()); break;
    case 3: navigator.PopAll(); break;
    case 4: navigator.PopUntil(page); break;
    case 5: RouterNavigate(*context, navigate, nullptr); break;
    default: VELTO_LOG(log::kRejected) << "unknown pop type " << navigate.pop_type; break;
  }
}

std::string ParseWebTicketTypeFromUrl(const std::string& url) {
  if (url.empty()) {
    VELTO_LOG(log::kRejected) << "invalid params";
    return {};
  }
  if (!IsHttp(url)) {
    VELTO_LOG(log::kRejected) << "no http or https url";
    return {};
  }
  if (!web_internal::WithinAddressLimit(url)) return {};
  const URL parsed = URL::From(url);
  if (!web_internal::IsTrustedAddress(parsed)) return {};
  static const std::set<std::string, std::less<>> kAccepted = {"W9", "W10", "W14"};
  std::string type = parsed.GetQueryParam("web_ticket_type");
  if (IsWebTicketNull(type) || kAccepted.count(type)) return type;
  if (!type.empty()) VELTO_LOG(log::kRejected) << "invalid web ticket type";
  return {};
}

bool IsWebTicketNull(const std::string& ticket) { return ticket == "NULL"; }

}  // namespace velto
