// Address composition: host revision, common parameters, language, trusted domains and the
// external-browser address with a login ticket.
#include <re2/re2.h>

#include <cctype>
#include <optional>

#include "model/auth_data.h"
#include "base/net/url.h"
#include "framework/module/module.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/web/web_util.h"
#include "util/crypto/url_encode.h"
#include "util/deviceinfo/device_info.h"
#include "util/url/url_util.h"
#include "veltosdk/utils/environment.h"
#include "veltosdk/utils/settings.h"
#include "utils/web/address_log.h"
#include "utils/web/web_page_slots.h"
#include "utils/web/web_trust.h"

namespace velto_common::utils::web {
namespace {

const RE2& HostRevisionPattern() {
  static const RE2 pattern("^https?://([^/]+)");
  return pattern;
}

// The product's web domain and the overseas edition's, with any subdomain, matched against the
// host in ASCII lower case. No "(?i)": in UTF-8 it would let the Kelvin sign (U+212A) pass for
// "k" and the long s (U+017F) for "s".
const std::vector<std::unique_ptr<RE2>>& TrustedDomainPatterns() {
  static const auto* patterns = [] {
    auto* list = new std::vector<std::unique_ptr<RE2>>();
    list->push_back(std::make_unique<RE2>(R"((?:[a-z0-9-]+\.)*velto\.example)"));
    list->push_back(std::make_unique<RE2>(R"((?:[a-z0-9-]+\.)*veltomeet\.example)"));
    return list;
  }();
  return *patterns;
}

std::string AsciiLower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// "^(?:[A-Za-z0-9-]+\.)*[Vv][Ee]...$": whole labels before the domain, and either case of each
// ASCII letter spelled out, so that the pattern holds whether or not the web view lower-cases
// the host first, and without "(?i)".
std::string SkipSecurityCheckPattern(std::string_view domain) {
  std::string pattern = R"(^(?:[A-Za-z0-9-]+\.)*)";
  for (char c : domain) {
    if (c == '.') {
      pattern += R"(\.)";
    } else if (std::isalpha(static_cast<unsigned char>(c))) {
      pattern += '[';
      pattern += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      pattern += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      pattern += ']';
    } else {
      pattern += c;
    }
  }
  return pattern + "$";
}

// A login ticket goes only to a trusted address.
bool MayCarryTicket(const std::string& base) {
  if (!internal::IsTrustedAddress(base::net::URL::From(base))) {
    VELTO_LOG(velto::log::kFailure) << "ticket refused for untrusted address: " << internal::AddressForLog(base);
    return false;
  }
  return true;
}

std::string WithTicket(const std::string& base, const std::string& redirect, const std::string& ticket) {
  std::string address = base + "?client_key=" + ticket + "&redirect_url=" + redirect;
  VELTO_LOG(velto::log::kTrace) << "contact_url is " << internal::AddressForLog(address);
  return address;
}

std::optional<std::string> WebTicket(framework::module::TokenType token_type) {
  framework::module::IModuleService* service = framework::module::GetModuleService();
  framework::module::ITicketProvider* provider = service ? service->GetTicketProvider() : nullptr;
  std::string ticket;
  if (!provider || !provider->GetWebTicket(token_type, &ticket)) {
    VELTO_LOG(velto::log::kRejected) << "get ticket failed";
    return std::nullopt;
  }
  return ticket;
}

std::string VersionLanguage() { return veltosdk::utils::settings::default_settings().version_language; }

}  // namespace

std::string ReviseWebUrl(const std::string& url) {
  const std::string user_host = internal::UserWebHost();
  if (user_host.empty()) return url;
  if (!internal::WithinAddressLimit(url)) return {};
  std::string revised = url;
  // RE2 rewrites treat "\" as an escape; a host never holds one, but a caller's text might.
  std::string rewrite = "https://";
  for (char c : user_host) {
    if (c == '\\') rewrite += '\\';
    rewrite += c;
  }
  if (RE2::Replace(&revised, HostRevisionPattern(), rewrite)) {
    VELTO_LOG(velto::log::kTrace) << "url revised: " << internal::AddressForLog(revised);
  }
  return revised;
}

void AddCommonParam(std::string& url) {
  using util::crypto::RawUrlEncode;
  const base::variant::Variant auth = utils::internal::QueryAuthData();
  std::string language = VersionLanguage();
  if (language.empty()) language = "zh-cn";
  const std::pair<const char*, std::string> params[] = {
      {"client_version", RawUrlEncode(veltosdk::utils::environment::PackageVersion())},
      {"os", RawUrlEncode(util::deviceinfo::GetOSName())},
      {"os_version", RawUrlEncode(util::deviceinfo::GetOSVersion())},
      {"imei", RawUrlEncode(util::deviceinfo::GetUniqueDeviceId())},
      {"app_id", RawUrlEncode(auth.GetString("app_id"))},
      {"app_uid", RawUrlEncode(auth.GetString("app_uid"))},
      {"c_lang", language},
      {"model", RawUrlEncode(util::deviceinfo::GetDeviceModel())},
      {"district", "0"},
  };
  for (const auto& [name, value] : params) url = util::url::AppendQueryParams(url, {{name, value}});
}

std::string GetLanguageParam() { return VersionLanguage() == "en-us" ? "?lang=en" : ""; }

std::string GetWebLanguage() {
  return ConvertToWebLanguage(velto::model::ReadClientSetting("meeting.setting.language", ""));
}

std::string ConvertToWebLanguage(const std::string& lang) {
  if (lang == "en-us") return "en";
  if (lang == "zh-tc") return "zh-TW";
  if (lang == "ja" || lang == "ko" || lang == "ms" || lang == "ru") return lang;
  return "zh-CN";
}

std::string PreHandleUrl(const std::string& url) {
  const std::string language = GetWebLanguage();
  if (language == "zh-CN") return "/sg" + url;
  if (language == "zh-TW") return "/hk" + url;
  return url;
}

std::string ReplaceUrlDomain(const std::string& url) { return url; }

bool IsUrlValid(const std::string& url) {
  return internal::WithinAddressLimit(url) && base::net::URL::From(url).IsValid();
}

bool IsUrlValidInternal(const std::string& url) {
  return internal::WithinAddressLimit(url) && base::net::URL::From(url).IsValid();
}

bool IsVeltoDomain(const std::string& host) {
  const std::string lower = AsciiLower(host);
  for (const auto& pattern : TrustedDomainPatterns()) {
    if (RE2::FullMatch(lower, *pattern)) return true;
  }
  return false;
}

std::vector<std::string> GetDefaultSkipSecurityCheckHostList() {
  static const std::vector<std::string> hosts = {
      SkipSecurityCheckPattern("velto.example"),
      SkipSecurityCheckPattern("veltomeet.example"),
      SkipSecurityCheckPattern("nordil.example"),
      SkipSecurityCheckPattern("nordilcdn.example"),
  };
  return hosts;
}

std::vector<std::string> GetDefaultThirdAppUrlSchemeList() {
  static const std::vector<std::string> schemes = {
      "sms://", "tel:", "mailto:", "nordilim://", "nordilwork://", "nordilmail://", "nordildocs://", "nordilpay://",
  };
  return schemes;
}

std::string Generate2ExternalBrowserUrlByToken(const std::string& url, const std::string& redirect,
                                               const std::string& ticket) {
  if (!internal::WithinAddressLimit(url) || !internal::WithinAddressLimit(redirect)) return {};
  const std::string base = ReplaceUrlDomain(url);
  if (!MayCarryTicket(base) || ticket.empty()) {
    if (ticket.empty()) VELTO_LOG(velto::log::kRejected) << "get ticket failed";
    return util::crypto::UrlDecode(redirect);
  }
  return WithTicket(base, redirect, ticket);
}

std::string Generate2ExternalBrowserUrlByTokenType(const std::string& url, const std::string& redirect,
                                                   framework::module::TokenType token_type) {
  if (!internal::WithinAddressLimit(url) || !internal::WithinAddressLimit(redirect)) return {};
  const std::string base = ReplaceUrlDomain(url);
  // Refused before the ticket is even asked for.
  if (!MayCarryTicket(base)) return redirect;
  const std::optional<std::string> ticket = WebTicket(token_type);
  if (!ticket) return redirect;
  if (ticket->empty()) {
    VELTO_LOG(velto::log::kRejected) << "get ticket failed";
    return util::crypto::UrlDecode(redirect);
  }
  return WithTicket(base, redirect, *ticket);
}

std::string Generate2ExternalBrowserUrlByToken(const std::string& url, const std::string& redirect) {
  return Generate2ExternalBrowserUrlByTokenType(url, redirect, framework::module::TokenType::kWebTicket);
}

namespace internal {

std::optional<std::string> TicketAddress(const std::string& base, const std::string& redirect,
                                         framework::module::TokenType token_type) {
  if (!MayCarryTicket(base)) return std::nullopt;
  std::optional<std::string> ticket = WebTicket(token_type);
  if (ticket && ticket->empty()) {
    VELTO_LOG(velto::log::kRejected) << "get ticket failed";
    ticket.reset();
  }
  if (!ticket) return std::nullopt;
  return WithTicket(base, redirect, *ticket);
}

}  // namespace internal

std::string GetNetworkTypeStrById(int32_t id) {
  switch (id) {
    case 1: return "wifi";
    case 2: return "2G";
    case 3: return "3G";
    case 4: return "4G";
    case 5: return "ethernet";
    case 6: return "5G";
    default: return "unknown";
  }
}

}  // namespace velto_common::utils::web
