#include "module_api/members/pinyin.h"

#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "module_api/log.h"
#include "frame/scope_singleton.h"

namespace velto_common::utils {
namespace {

// Nicknames are converted again and again (every member list rebuild, every search keystroke),
// and most of them are a handful of characters drawn from a few thousand common ones. So the
// converter keeps two caches in front of ICU:
//  - one toneless syllable per Han code point, filled on first sight and never evicted: a few
//    thousand short strings at most, in exchange for calling the transliterator once per
//    distinct character instead of once per conversion;
//  - whole results of non-ASCII texts, in two generations of kResultsPerGeneration entries:
//    when the young generation is full the old one is dropped and the young one becomes old, so
//    memory stays bounded (at most twice the generation) while the nicknames of the current
//    meeting stay warm; a meeting with more distinct nicknames than that pays the syllable
//    lookups again, never ICU.
// Converting per character loses no reading: the transliterator's only context-dependent
// readings (a character read differently before one particular character) are taken from its
// own rules once per process and applied here.
constexpr size_t kResultsPerGeneration = 8192;

class ResultCache {
 public:
  std::optional<std::string> Find(const std::string& text) {
    if (auto it = young_.find(text); it != young_.end()) return it->second;
    auto it = old_.find(text);
    if (it == old_.end()) return std::nullopt;
    std::string result = it->second;
    Store(text, result);  // still in use: keep it through the next rotation
    return result;
  }
  void Store(const std::string& text, const std::string& result) {
    if (young_.size() >= kResultsPerGeneration) {
      old_ = std::move(young_);
      young_.clear();
    }
    young_.emplace(text, result);
  }
  void Clear() {
    young_.clear();
    old_.clear();
  }

 private:
  std::unordered_map<std::string, std::string> young_;
  std::unordered_map<std::string, std::string> old_;
};

struct ContextReading {
  UChar32 next;  // the character that selects this reading (an optional space may come between)
  std::string syllable;
};

using ContextTable = std::unordered_map<UChar32, std::vector<ContextReading>>;

std::string Transliterate(const icu::Transliterator& transliterator, const icu::UnicodeString& text) {
  icu::UnicodeString converted(text);
  transliterator.transliterate(converted);
  std::string out;
  converted.toUTF8String(out);
  const size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

// The Han-Latin rules state a context-dependent reading as "{X}' '?Y > reading;". Reading them
// back from ICU takes milliseconds, so the table is made once per process; it never changes.
const ContextTable& ContextReadings(const icu::Transliterator& toneless) {
  static const ContextTable table = [&toneless] {
    ContextTable readings;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> han(
        icu::Transliterator::createInstance("Han-Latin", UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !han) return readings;
    icu::UnicodeString rules;
    han->toRules(rules, false);
    std::string text;
    rules.toUTF8String(text);
    for (size_t start = 0; start < text.size();) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      const std::string_view line(text.data() + start, end - start);
      start = end + 1;
      if (line.size() < 6 || line[0] != '{') continue;
      const icu::UnicodeString rule =
          icu::UnicodeString::fromUTF8(icu::StringPiece(line.data(), static_cast<int32_t>(line.size())));
      int32_t i = 1;
      const UChar32 self = rule.char32At(i);
      i += U16_LENGTH(self);
      if (rule.charAt(i++) != u'}') continue;
      if (rule.tempSubString(i, 4) == icu::UnicodeString(u"' '?")) i += 4;
      const UChar32 next = rule.char32At(i);
      const int32_t arrow = rule.indexOf(u'>', i);
      const int32_t semicolon = rule.indexOf(u';', arrow);
      if (arrow < 0 || semicolon < 0) continue;
      std::string syllable = Transliterate(toneless, rule.tempSubString(arrow + 1, semicolon - arrow - 1));
      if (!syllable.empty()) readings[self].push_back({next, std::move(syllable)});
    }
    return readings;
  }();
  return table;
}

class PinyinConverter {
 public:
  PinyinConverter();

  std::string Convert(const std::string& text, bool compact);
  void ClearCaches();

 private:
  const std::string& Syllable(UChar32 c);

  std::mutex mutex_;
  std::unique_ptr<icu::Transliterator> transliterator_;  // "Han-Latin; Latin-ASCII"
  const ContextTable* contexts_ = nullptr;
  std::unordered_map<UChar32, std::string> syllables_;
  ResultCache results_[2];  // [compact]
};

ScopeSingleton<PinyinConverter> g_converter;

PinyinConverter::PinyinConverter() {
  UErrorCode status = U_ZERO_ERROR;
  transliterator_.reset(icu::Transliterator::createInstance("Han-Latin; Latin-ASCII", UTRANS_FORWARD, status));
  if (U_FAILURE(status) || !transliterator_) {
    transliterator_.reset();
    VELTO_LOG(velto::log::kFailure) << "pinyin transliterator unavailable: " << u_errorName(status);
    return;
  }
  contexts_ = &ContextReadings(*transliterator_);
}

const std::string& PinyinConverter::Syllable(UChar32 c) {
  auto it = syllables_.find(c);
  if (it != syllables_.end()) return it->second;
  return syllables_.emplace(c, Transliterate(*transliterator_, icu::UnicodeString(c))).first->second;
}

bool IsHan(UChar32 c) {
  if (u_hasBinaryProperty(c, UCHAR_IDEOGRAPHIC)) return true;
  UErrorCode status = U_ZERO_ERROR;
  return uscript_getScript(c, &status) == USCRIPT_HAN && U_SUCCESS(status);
}

bool IsAscii(std::string_view text) {
  for (unsigned char c : text) {
    if (c & 0x80) return false;
  }
  return true;
}

std::string PinyinConverter::Convert(const std::string& text, bool compact) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!transliterator_) return text;
  ResultCache& cache = results_[compact ? 1 : 0];
  if (std::optional<std::string> cached = cache.Find(text)) return std::move(*cached);

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
    if (c < 0 || !IsHan(c)) {
      // Ill-formed bytes and everything that is not Han pass through as they are.
      const bool letter = c >= 0 && u_isalpha(c);
      const bool mark = c >= 0 && (U_GET_GC_MASK(c) & U_GC_M_MASK) != 0;
      if (letter && last == Last::kHan && !compact) out += ' ';
      out.append(text, static_cast<size_t>(begin), static_cast<size_t>(i - begin));
      if (!(mark && last == Last::kLetter)) last = letter ? Last::kLetter : Last::kOther;
      continue;
    }
    const std::string* syllable = nullptr;
    if (auto context = contexts_->find(c); context != contexts_->end()) {
      int32_t j = i;
      UChar32 next = -1;
      if (j < length) U8_NEXT(bytes, j, length, next);
      if (next == ' ' && j < length) U8_NEXT(bytes, j, length, next);
      for (const ContextReading& reading : context->second) {
        if (reading.next == next) syllable = &reading.syllable;
      }
    }
    if (!syllable) syllable = &Syllable(c);
    if (syllable->empty()) {
      out.append(text, static_cast<size_t>(begin), static_cast<size_t>(i - begin));
      last = Last::kHan;
      continue;
    }
    if (last != Last::kOther && !compact) out += ' ';
    out += *syllable;
    last = Last::kHan;
  }
  cache.Store(text, out);
  return out;
}

void PinyinConverter::ClearCaches() {
  std::lock_guard<std::mutex> lock(mutex_);
  syllables_.clear();
  results_[0].Clear();
  results_[1].Clear();
}

}  // namespace

std::string ConvertChineseToPinyin(const std::string& text, bool compact) {
  // Most nicknames are plain ASCII: nothing to convert, no lock, no cache.
  if (IsAscii(text)) return text;
  return g_converter.Get()->Convert(text, compact);
}

void ResetPinyinCachesForTesting() {
  if (PinyinConverter* converter = g_converter.Peek()) converter->ClearCaches();
}

}  // namespace velto_common::utils
