// Chinese text as toneless pinyin, for member search and ordering.
//
//   velto_common::utils::ConvertChineseToPinyin("张三 Li", true);    // "zhangsan Li"
//   velto_common::utils::ConvertChineseToPinyin("张三", false);      // "zhang san"
//
// Han characters become their pinyin syllables without tones; everything else passes through
// unchanged (callers that search case-insensitively lower the text first). The readings are
// ICU's Han-Latin transliteration, taken into a table when the library is built, so a
// conversion (the first in a process too) costs table lookups; plain ASCII is returned at once.
#pragma once

#include <string>

#include "module_api/export.h"

namespace velto_common::utils {

// `compact`: join consecutive syllables without the space the transliteration puts between them
// (and between a syllable and an adjacent letter).
VELTO_API std::string ConvertChineseToPinyin(const std::string& text, bool compact);

// Nothing is cached any more, so this does nothing; kept for the tests and benchmarks that
// measured a cold conversion.
VELTO_API void ResetPinyinCachesForTesting();

}  // namespace velto_common::utils
