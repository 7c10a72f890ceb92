#include "utils/web/web_trust.h"

#include <cctype>

#include "module_api/log.h"
#include "module_api/web/web_util.h"

namespace velto_common::utils::web::internal {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

bool WithinAddressLimit(std::string_view address, base::Location from) {
  if (address.size() <= kMaxAddressLength) return true;
  VELTO_LOG_AT(velto::log::kFailure, from) << "url is too long: " << address.size() << " bytes, refused";
  return false;
}

bool IsWebAddress(const base::net::URL& url) {
  return url.IsValid() && (url.scheme() == "http" || url.scheme() == "https");
}

bool IsTrustedAddress(const base::net::URL& url) { return IsWebAddress(url) && IsVeltoDomain(url.host()); }

bool IsOpenableWebText(std::string_view address) {
  if (!StartsWithNoCase(address, "http:") && !StartsWithNoCase(address, "https:")) return false;
  for (unsigned char c : address) {
    if (c < 0x20 || c == 0x7f) return false;
  }
  return true;
}

}  // namespace velto_common::utils::web::internal
