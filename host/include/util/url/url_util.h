// Building query strings onto addresses. Values are appended as given: encode them first
// (util::crypto::RawUrlEncode) when they may hold reserved characters.
//
//   util::url::AppendQueryParams("https://h/p", {{"a", "1"}});     // "https://h/p?a=1"
//   util::url::AppendQueryParams("https://h/p?x=0", {{"a", "1"}}); // "https://h/p?x=0&a=1"
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace util::url {

using QueryParams = std::vector<std::pair<std::string, std::string>>;

// Appends "name=value" pairs in order, joined by "&", after "?" when the address has no query
// yet and after "&" when it has one (nothing when it already ends in "?" or "&"). A fragment
// stays at the end. No parameters: the address unchanged.
std::string AppendQueryParams(std::string_view url, const QueryParams& params);

// Sets one parameter: the value of the first parameter of that name is replaced in place;
// otherwise the pair is appended as AppendQueryParams does.
std::string AddQueryParamToUrl(std::string_view url, std::string_view name, std::string_view value);

}  // namespace util::url
