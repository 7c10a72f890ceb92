#include "module_api/members/pinyin.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "utils/members/pinyin_table.h"

namespace velto_common::utils {
namespace {

namespace table = pinyin_table;

bool IsAscii(std::string_view text) {
  for (unsigned char c : text) {
    if (c & 0x80) return false;
  }
  return true;
}

// The readings the Han-Latin rules give `c` before one particular character, in rule order
// (a later rule wins); empty for almost every character.
std::span<const table::ContextReading> ContextReadingsOf(int32_t c) {
  const table::ContextReading* first = table::kContextReadings;
  const table::ContextReading* last = first + table::kContextReadingCount;
  const auto [from, to] = std::equal_range(
      first, last, table::ContextReading{static_cast<uint32_t>(c), 0, 0},
      [](const table::ContextReading& a, const table::ContextReading& b) { return a.self < b.self; });
  return {from, to};
}

}  // namespace

// Every Han character reads as the transliteration reads it alone, except for the few readings
// that depend on the next character; both come from the table made from ICU at build time, so
// no conversion (not even a process's first) waits for a transliterator to be built.
std::string ConvertChineseToPinyin(const std::string& text, bool compact) {
  // Most nicknames are plain ASCII: nothing to convert.
  if (IsAscii(text)) return text;

  // Syllables are separated from neighbouring letters by one space, as the transliteration
  // writes them, unless `compact` asks for them joined.
  enum class Last { kOther, kLetter, kHan };
  Last last = Last::kOther;
  std::string out;
  out.reserve(text.size() * 2);
  const int32_t length = static_cast<int32_t>(text.size());
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  for (int32_t i = 0; i < length;) {
    const int32_t begin = i;
    UChar32 c;
    U8_NEXT(bytes, i, length, c);
    const uint16_t id = table::SyllableIdOf(c);
    if (id == table::kNotHan) {
      // Ill-formed bytes and everything that is not Han pass through as they are.
      const bool letter = c >= 0 && u_isalpha(c);
      const bool mark = c >= 0 && (U_GET_GC_MASK(c) & U_GC_M_MASK) != 0;
      if (letter && last == Last::kHan && !compact) out += ' ';
      out.append(text, static_cast<size_t>(begin), static_cast<size_t>(i - begin));
      if (!(mark && last == Last::kLetter)) last = letter ? Last::kLetter : Last::kOther;
      continue;
    }
    const std::string_view itself(text.data() + begin, static_cast<size_t>(i - begin));
    std::string_view syllable = id == table::kItself ? itself : table::SyllableText(id);
    if (const auto readings = ContextReadingsOf(c); !readings.empty()) {
      int32_t j = i;
      UChar32 next = -1;
      if (j < length) U8_NEXT(bytes, j, length, next);
      if (next == ' ' && j < length) U8_NEXT(bytes, j, length, next);
      for (const table::ContextReading& reading : readings) {
        if (static_cast<int32_t>(reading.next) == next) syllable = table::SyllableText(reading.syllable);
      }
    }
    if (syllable.empty()) {
      out.append(itself);
      last = Last::kHan;
      continue;
    }
    if (last != Last::kOther && !compact) out += ' ';
    out.append(syllable);
    last = Last::kHan;
  }
  return out;
}

void ResetPinyinCachesForTesting() {}

}  // namespace velto_common::utils
