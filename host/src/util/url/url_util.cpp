#include "util/url/url_util.h"

namespace util::url {
namespace {

struct Split {
  std::string_view head;      // up to the fragment
  std::string_view fragment;  // "#..." or empty
};

Split SplitFragment(std::string_view url) {
  const size_t hash = url.find('#');
  if (hash == std::string_view::npos) return {url, {}};
  return {url.substr(0, hash), url.substr(hash)};
}

}  // namespace

std::string AppendQueryParams(std::string_view url, const QueryParams& params) {
  if (params.empty()) return std::string(url);
  const Split split = SplitFragment(url);
  std::string out(split.head);
  const size_t question = out.find('?');
  if (question == std::string::npos) {
    out += '?';
  } else if (out.back() != '?' && out.back() != '&') {
    out += '&';
  }
  bool first = true;
  for (const auto& [name, value] : params) {
    if (!first) out += '&';
    first = false;
    out += name;
    out += '=';
    out += value;
  }
  out += split.fragment;
  return out;
}

std::string AddQueryParamToUrl(std::string_view url, std::string_view name, std::string_view value) {
  const Split split = SplitFragment(url);
  const size_t question = split.head.find('?');
  if (question != std::string_view::npos && !name.empty()) {
    size_t start = question + 1;
    while (start <= split.head.size()) {
      size_t end = split.head.find('&', start);
      if (end == std::string_view::npos) end = split.head.size();
      std::string_view pair = split.head.substr(start, end - start);
      std::string_view key = pair.substr(0, pair.find('='));
      if (key == name) {
        std::string out(split.head.substr(0, start));
        out.append(name).append("=").append(value);
        out.append(split.head.substr(end));
        out.append(split.fragment);
        return out;
      }
      start = end + 1;
    }
  }
  return AppendQueryParams(url, {{std::string(name), std::string(value)}});
}

}  // namespace util::url
