// The pinyin of every Han code point, generated at build time from the ICU the build links
// (tools/pinyin_table): what ICU's "Han-Latin; Latin-ASCII" transliteration makes of the code
// point alone, and the few readings that depend on the next character. Reading it needs no
// transliterator, whose creation costs a tenth of a second.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velto_common::utils::pinyin_table {

// Syllable ids besides the syllables themselves.
inline constexpr uint16_t kNotHan = 0;
inline constexpr uint16_t kItself = 1;  // Han that the transliteration leaves as it is

struct ContextReading {
  uint32_t self;
  uint32_t next;  // the character that selects this reading (an optional space may come between)
  uint16_t syllable;
};

extern const char kSyllableText[];
extern const uint32_t kSyllableSpans[];  // by id - 2: offset << 8 | length
extern const size_t kSyllableCount;
extern const uint16_t kPageOfBlock[0x1100];  // by code point >> 8
extern const uint16_t kPages[];              // 256 ids per page
extern const ContextReading kContextReadings[];
extern const size_t kContextReadingCount;

// The syllable id of a code point (kNotHan outside Unicode's range).
inline uint16_t SyllableIdOf(int32_t c) {
  if (c < 0 || c >= 0x110000) return kNotHan;
  return kPages[static_cast<size_t>(kPageOfBlock[c >> 8]) * 256 + (static_cast<uint32_t>(c) & 0xff)];
}

// The text of a syllable id (not kNotHan or kItself).
inline std::string_view SyllableText(uint16_t id) {
  const uint32_t span = kSyllableSpans[id - 2];
  return std::string_view(kSyllableText + (span >> 8), span & 0xff);
}

}  // namespace velto_common::utils::pinyin_table
