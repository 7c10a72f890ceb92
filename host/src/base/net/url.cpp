#include "base/net/url.h"

#include <algorithm>
#include <cctype>

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
  if (view.has_authority()) {
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
