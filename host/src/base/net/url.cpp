#include "base/net/url.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

#include <boost/url/encoding_opts.hpp>
#include <boost/url/parse.hpp>
#include <boost/url/url_view.hpp>

namespace base::net {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Schemes whose addresses are meaningless without a host (the web's "special" schemes).
bool NeedsHost(const std::string& scheme) {
  return scheme == "http" || scheme == "https" || scheme == "ws" || scheme == "wss" || scheme == "ftp";
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool AllHexDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

// A browser reads a host whose last label looks like a number as an IPv4 address, in any of the
// old forms ("0x7f.1", "2130706433", "127.1"). Only the plain dotted form reads the same here;
// the other forms are refused rather than converted.
bool IsPlainIpv4(std::string_view host) {
  int parts = 0;
  while (true) {
    const size_t dot = host.find('.');
    const std::string_view part = host.substr(0, dot);
    if (part.empty() || part.size() > 3 || !AllDigits(part)) return false;
    if (part.size() > 1 && part[0] == '0') return false;
    if (std::stoi(std::string(part)) > 255) return false;
    ++parts;
    if (dot == std::string_view::npos) break;
    host.remove_prefix(dot + 1);
  }
  return parts == 4;
}

bool EndsInNumber(std::string_view host) {
  if (!host.empty() && host.back() == '.') host.remove_suffix(1);
  const size_t dot = host.rfind('.');
  const std::string_view last = dot == std::string_view::npos ? host : host.substr(dot + 1);
  if (last.empty()) return false;
  if (AllDigits(last)) return true;
  return last.size() >= 2 && last[0] == '0' && (last[1] == 'x' || last[1] == 'X') && AllHexDigits(last.substr(2));
}

// A registered name as a browser would give it back: ASCII letters (lower-cased), digits, "-"
// and ".". Anything that a browser would decode, map or convert first (percent escapes,
// non-ASCII, punycode labels, numeric forms) is refused instead.
bool ReadDomain(std::string_view text, std::string* host) {
  if (text.empty()) return false;
  for (unsigned char c : text) {
    if (!std::isalnum(c) && c != '-' && c != '.') return false;
  }
  std::string lower = Lower(std::string(text));
  for (size_t start = 0; start <= lower.size();) {
    const size_t end = std::min(lower.find('.', start), lower.size());
    if (lower.compare(start, 4, "xn--") == 0) return false;
    start = end + 1;
  }
  if (EndsInNumber(lower) && !IsPlainIpv4(lower)) return false;
  *host = std::move(lower);
  return true;
}

// An IPv6 literal in the form browsers print: lower-case hex pieces without leading zeros, the
// first longest run of two or more zero pieces shortened to "::".
bool ReadIpv6(std::string_view text, std::string* host) {
  in6_addr address{};
  if (!inet_pton(AF_INET6, std::string(text).c_str(), &address)) return false;
  uint16_t pieces[8];
  for (int i = 0; i < 8; ++i) {
    pieces[i] = static_cast<uint16_t>(address.s6_addr[2 * i] << 8 | address.s6_addr[2 * i + 1]);
  }
  int best_start = -1;
  int best_length = 1;
  for (int i = 0; i < 8;) {
    int j = i;
    while (j < 8 && pieces[j] == 0) ++j;
    if (j - i > best_length) {
      best_start = i;
      best_length = j - i;
    }
    i = j == i ? i + 1 : j;
  }
  std::string out = "[";
  for (int i = 0; i < 8; ++i) {
    if (i == best_start) {
      out += i == 0 ? "::" : ":";
      i += best_length - 1;
      continue;
    }
    char piece[8];
    std::snprintf(piece, sizeof(piece), "%x", static_cast<unsigned>(pieces[i]));
    out += piece;
    if (i < 7) out += ':';
  }
  *host = out + "]";
  return true;
}

// Browsers end the authority of a web address at the first "/", "?", "#" (or "\"), take the
// host after the last "@", and give up on a bad port. Boost.URL reads some hostile authorities
// differently ("https://a@trusted@evil/" has host "evil" in a browser), so a web address is only
// valid when its authority is a bare host with an optional port, read here the browsers' way.
bool ReadWebAuthority(std::string_view text, size_t scheme_length, std::string* host, std::string* port) {
  if (text.find('\\') != std::string_view::npos) return false;
  std::string_view rest = text.substr(scheme_length + 1);
  if (rest.substr(0, 2) != "//") return false;
  rest.remove_prefix(2);
  const std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
  if (authority.find('@') != std::string_view::npos) return false;  // user info, even empty

  std::string_view host_text = authority;
  std::string_view port_text;
  bool has_port = false;
  if (!authority.empty() && authority.front() == '[') {
    const size_t close = authority.find(']');
    if (close == std::string_view::npos) return false;
    host_text = authority.substr(1, close - 1);
    const std::string_view after = authority.substr(close + 1);
    if (!after.empty()) {
      if (after.front() != ':') return false;
      has_port = true;
      port_text = after.substr(1);
    }
    if (!ReadIpv6(host_text, host)) return false;
  } else {
    const size_t colon = authority.find(':');
    if (colon != std::string_view::npos) {
      has_port = true;
      host_text = authority.substr(0, colon);
      port_text = authority.substr(colon + 1);
    }
    if (!ReadDomain(host_text, host)) return false;
  }
  if (has_port) {
    if (!AllDigits(port_text)) return false;
    const size_t significant = std::min(port_text.find_first_not_of('0'), port_text.size());
    if (port_text.size() - significant > 5) return false;
    if (!port_text.empty() && std::stoul(std::string(port_text)) > 65535) return false;
  }
  *port = std::string(port_text);
  return true;
}

}  // namespace

URL URL::From(std::string_view text) {
  URL url;
  url.spec_ = std::string(text);
  auto parsed = boost::urls::parse_uri(boost::core::string_view(text.data(), text.size()));
  if (!parsed) return url;
  const boost::urls::url_view& view = *parsed;

  URL result;
  result.spec_ = url.spec_;
  result.scheme_ = Lower(std::string(view.scheme()));
  if (NeedsHost(result.scheme_)) {
    if (!ReadWebAuthority(text, view.scheme().size(), &result.host_, &result.port_)) return url;
  } else if (view.has_authority()) {
    result.host_ = Lower(std::string(view.host()));
    result.port_ = std::string(view.port());
  }
  if (NeedsHost(result.scheme_) && result.host_.empty()) return url;
  result.path_ = std::string(view.encoded_path());
  result.query_ = std::string(view.encoded_query());
  result.fragment_ = std::string(view.encoded_fragment());
  if (view.has_query()) {
    boost::urls::encoding_opts opts;
    opts.space_as_plus = true;
    for (const auto& param : view.params(opts)) {
      result.params_.emplace_back(std::string(param.key), param.has_value ? std::string(param.value) : std::string());
    }
  }
  result.valid_ = true;
  return result;
}

bool URL::HasQueryParam(std::string_view name) const {
  return std::any_of(params_.begin(), params_.end(), [&](const QueryParam& p) { return p.first == name; });
}

std::string URL::GetQueryParam(std::string_view name) const {
  for (const QueryParam& param : params_) {
    if (param.first == name) return param.second;
  }
  return {};
}

}  // namespace base::net
