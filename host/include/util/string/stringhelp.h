// String helpers of the host base library.
//
//   std::vector<std::string> names = ...;
//   std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
//     return util::stringhelp::CompareLocalizedString(a, b) < 0;
//   });
//
// Localized comparison follows the collation of the interface language
// (framework::Resource::GetLanguage()): under "zh-cn" Chinese text orders by pinyin, Latin text
// alphabetically and case-insensitively before case. The collator is made once per thread and
// made again only when the language changes. Text is UTF-8; ill-formed bytes compare as U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace util::stringhelp {

// Negative, zero or positive as `a` sorts before, together with or after `b`.
int CompareLocalizedString(std::string_view a, std::string_view b);

// A byte string whose plain byte order (memcmp, std::string operator<) is the order of
// CompareLocalizedString under the current language; for sorting many strings, where one key
// per string beats a collation per comparison. Keys of different languages do not compare.
std::string LocalizedSortKey(std::string_view text);

}  // namespace util::stringhelp
