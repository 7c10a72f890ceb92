// base::net::URL: a parsed absolute URL (RFC 3986), for checking addresses and reading their
// parts and query parameters.
//
//   base::net::URL url = base::net::URL::From("https://meeting.velto.example/p?lang=en&x=a%20b");
//   if (url.IsValid()) {
//     url.host();                   // "meeting.velto.example"
//     url.GetQueryParam("x");       // "a b"
//   }
//
// From never fails loudly: a text that is not an absolute URL gives an invalid URL whose
// readers all answer empty. Web addresses ("http", "https", "ws", "wss", "ftp") also need a
// host, and are only valid when a browser would read the same host: no user info ("a@b"), no
// backslash, a port of at most 65535, and a host of ASCII letters, digits, "-" and "." (or an
// IPv6 literal, given back in the browsers' short form). Hosts a browser would decode or convert
// first (percent escapes, non-ASCII, "xn--" labels, numeric forms other than a.b.c.d) are refused.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace base::net {

class URL {
 public:
  using QueryParam = std::pair<std::string, std::string>;

  URL() = default;
  static URL From(std::string_view text);

  bool IsValid() const { return valid_; }
  // The text the URL was made from (also when invalid).
  const std::string& spec() const { return spec_; }
  // Lower-case scheme without ":".
  const std::string& scheme() const { return scheme_; }
  // Host, lower-cased (and percent-decoded for other schemes); IPv6 literals keep their brackets.
  const std::string& host() const { return host_; }
  const std::string& port() const { return port_; }
  const std::string& path() const { return path_; }      // still encoded
  const std::string& query() const { return query_; }    // encoded, without "?"
  const std::string& fragment() const { return fragment_; }

  // Query parameters in order, names and values decoded ("+" reads as a space).
  const std::vector<QueryParam>& QueryParams() const { return params_; }
  bool HasQueryParam(std::string_view name) const;
  // The decoded value of the first parameter of that name; "" when absent.
  std::string GetQueryParam(std::string_view name) const;

 private:
  bool valid_ = false;
  std::string spec_;
  std::string scheme_;
  std::string host_;
  std::string port_;
  std::string path_;
  std::string query_;
  std::string fragment_;
  std::vector<QueryParam> params_;
};

}  // namespace base::net
