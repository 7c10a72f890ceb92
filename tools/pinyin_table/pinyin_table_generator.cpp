// Writes the pinyin table of the member family (src/utils/members/pinyin_table.h) from the ICU
// this build links: for every Han code point, what ICU's "Han-Latin; Latin-ASCII"
// transliteration makes of it alone (spaces trimmed), and the few readings that depend on the
// next character, as stated by the Han-Latin rules ("{X}' '?Y > reading;").
//
//   velto_pinyin_table_generator <output.cpp>
//
// Creating the transliterator takes a tenth of a second or more; doing it here, once per build,
// spares every process that converts a nickname.
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/uclean.h>
#include <unicode/uscript.h>
#include <unicode/unistr.h>
#include <unicode/uversion.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr UChar32 kCodePoints = 0x110000;
constexpr int kPageBits = 8;
constexpr UChar32 kPageSize = 1 << kPageBits;
// Ids 0 and 1 are no syllable: not Han, and Han that the transliteration leaves as it is.
constexpr uint16_t kNotHan = 0;
constexpr uint16_t kItself = 1;

bool IsHan(UChar32 c) {
  if (u_hasBinaryProperty(c, UCHAR_IDEOGRAPHIC)) return true;
  UErrorCode status = U_ZERO_ERROR;
  return uscript_getScript(c, &status) == USCRIPT_HAN && U_SUCCESS(status);
}

std::string Trimmed(const icu::Transliterator& transliterator, const icu::UnicodeString& text) {
  icu::UnicodeString converted(text);
  transliterator.transliterate(converted);
  std::string out;
  converted.toUTF8String(out);
  const size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

class Syllables {
 public:
  uint16_t IdOf(const std::string& text) {
    auto [it, added] = ids_.emplace(text, static_cast<uint16_t>(kItself + 1 + texts_.size()));
    if (added) texts_.push_back(text);
    return it->second;
  }
  const std::vector<std::string>& texts() const { return texts_; }

 private:
  std::map<std::string, uint16_t> ids_;
  std::vector<std::string> texts_;  // by id - 2
};

struct ContextReading {
  UChar32 self;
  UChar32 next;
  uint16_t syllable;
};

// The readings the Han-Latin rules give a character before one particular character (an
// optional space between), by character.
std::vector<ContextReading> ContextReadings(const icu::Transliterator& toneless, Syllables& syllables) {
  std::vector<ContextReading> readings;
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> han(icu::Transliterator::createInstance("Han-Latin", UTRANS_FORWARD, status));
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
    const std::string syllable = Trimmed(toneless, rule.tempSubString(arrow + 1, semicolon - arrow - 1));
    if (!syllable.empty()) readings.push_back({self, next, syllables.IdOf(syllable)});
  }
  // By character, each character's readings still in rule order (a later rule wins).
  std::stable_sort(readings.begin(), readings.end(),
                   [](const ContextReading& a, const ContextReading& b) { return a.self < b.self; });
  return readings;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\' && c != '?') {
      out += static_cast<char>(c);
    } else {
      char octal[8];
      std::snprintf(octal, sizeof octal, "\\%03o", c);
      out += octal;
    }
  }
  return out;
}

template <typename T>
void WriteNumbers(std::ostream& out, const std::vector<T>& numbers) {
  for (size_t i = 0; i < numbers.size(); ++i) {
    out << static_cast<uint64_t>(numbers[i]) << ',';
    if (i % 24 == 23) out << '\n';
  }
  out << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output.cpp>\n", argv[0]);
    return 2;
  }
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> toneless(
      icu::Transliterator::createInstance("Han-Latin; Latin-ASCII", UTRANS_FORWARD, status));
  if (U_FAILURE(status) || !toneless) {
    std::fprintf(stderr, "ICU has no Han-Latin transliteration: %s\n", u_errorName(status));
    return 1;
  }

  Syllables syllables;
  std::vector<uint16_t> ids(kCodePoints, kNotHan);
  for (UChar32 c = 0; c < kCodePoints; ++c) {
    if (!IsHan(c)) continue;
    const icu::UnicodeString alone(c);
    std::string self;
    alone.toUTF8String(self);
    const std::string syllable = Trimmed(*toneless, alone);
    ids[c] = syllable == self ? kItself : syllables.IdOf(syllable);
  }
  const std::vector<ContextReading> contexts = ContextReadings(*toneless, syllables);

  // Two levels: a page number per 256 code points, and the distinct pages (page 0: no Han).
  std::vector<uint16_t> page_of_block;
  std::vector<uint16_t> pages(kPageSize, kNotHan);
  std::map<std::vector<uint16_t>, uint16_t> page_numbers{{pages, 0}};
  for (UChar32 first = 0; first < kCodePoints; first += kPageSize) {
    std::vector<uint16_t> page(ids.begin() + first, ids.begin() + first + kPageSize);
    auto [it, added] = page_numbers.emplace(page, static_cast<uint16_t>(page_numbers.size()));
    if (added) pages.insert(pages.end(), page.begin(), page.end());
    page_of_block.push_back(it->second);
  }

  std::vector<uint32_t> spans;  // by id: offset << 8 | length
  std::string text;
  for (const std::string& syllable : syllables.texts()) {
    if (syllable.size() > 0xff || text.size() > 0xffffff) {
      std::fprintf(stderr, "a syllable table this large does not fit its spans\n");
      return 1;
    }
    spans.push_back(static_cast<uint32_t>(text.size()) << 8 | static_cast<uint32_t>(syllable.size()));
    text += syllable;
  }

  std::ostringstream out;
  out << "// Generated by velto_pinyin_table_generator from ICU " << U_ICU_VERSION
      << " (\"Han-Latin; Latin-ASCII\"). Do not edit.\n"
      << "#include \"utils/members/pinyin_table.h\"\n\n"
      << "namespace velto_common::utils::pinyin_table {\n\n";
  out << "const char kSyllableText[] =\n";
  for (size_t at = 0; at < text.size(); at += 96) out << "    \"" << Escaped(text.substr(at, 96)) << "\"\n";
  out << "    ;\n\n";
  out << "const uint32_t kSyllableSpans[] = {\n";
  WriteNumbers(out, spans);
  out << "};\nconst size_t kSyllableCount = " << spans.size() << ";\n\n";
  out << "const uint16_t kPageOfBlock[" << page_of_block.size() << "] = {\n";
  WriteNumbers(out, page_of_block);
  out << "};\n\nconst uint16_t kPages[] = {\n";
  WriteNumbers(out, pages);
  out << "};\n\nconst ContextReading kContextReadings[] = {\n";
  for (const ContextReading& reading : contexts) {
    out << "    {0x" << std::hex << reading.self << ", 0x" << reading.next << std::dec << ", " << reading.syllable
        << "},\n";
  }
  if (contexts.empty()) out << "    {0, 0, 0},\n";
  out << "};\nconst size_t kContextReadingCount = " << contexts.size() << ";\n\n"
      << "}  // namespace velto_common::utils::pinyin_table\n";

  toneless.reset();
  u_cleanup();
  // Written only when it changed, so that a rebuild of the generator recompiles nothing else.
  const std::string generated = out.str();
  {
    std::ifstream existing(argv[1], std::ios::binary);
    std::ostringstream current;
    current << existing.rdbuf();
    if (existing && current.str() == generated) return 0;
  }
  std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
  file << generated;
  return file.good() ? 0 : 1;
}
