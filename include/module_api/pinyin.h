// Chinese text as toneless pinyin, for member search and ordering.
//
//   velto_common::utils::ConvertChineseToPinyin("张三 Li", true);    // "zhangsan li"
//   velto_common::utils::ConvertChineseToPinyin("张三", false);      // "zhang san"
//
// Han characters become their pinyin syllables without tones; everything else passes through
// unchanged. Results are cached, so converting the same nickname again costs a lookup.
#pragma once

#include <string>

#include "module_api/export.h"

namespace velto_common::utils {

// `compact`: join consecutive syllables without the space the transliteration puts between them.
VELTO_API std::string ConvertChineseToPinyin(const std::string& text, bool compact);

}  // namespace velto_common::utils
