#include "veltosdk/utils/cgi.h"

#include <string_view>

#include "veltosdk/sdk_state.h"

namespace veltosdk::utils::cgi {

std::string MakeCgiCommonUrlPath(const std::string& path) {
  std::string_view host = host_internal::sdk::Environment().cgi_host;
  std::string_view rest = path;
  while (!host.empty() && host.back() == '/') host.remove_suffix(1);
  while (!rest.empty() && rest.front() == '/') rest.remove_prefix(1);
  std::string url;
  url.reserve(host.size() + 1 + rest.size());
  url.append(host).append(1, '/').append(rest);
  return url;
}

}  // namespace veltosdk::utils::cgi
