// Pinyin of nicknames: ICU's readings without tones, spacing as the transliteration writes it,
// everything that is not Han untouched. The readings come from a table made from ICU when the
// library is built; the tests hold it against ICU itself, code point by code point over the CJK
// Unified Ideographs blocks and name by name over a corpus of Chinese names.
#include <gtest/gtest.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "module_api/members/pinyin.h"

namespace {

using velto_common::utils::ConvertChineseToPinyin;
using velto_common::utils::ResetPinyinCachesForTesting;

icu::Transliterator& Toneless() {
  static icu::Transliterator* const transliterator = [] {
    UErrorCode status = U_ZERO_ERROR;
    return icu::Transliterator::createInstance("Han-Latin; Latin-ASCII", UTRANS_FORWARD, status);
  }();
  return *transliterator;
}

std::string IcuPinyin(const std::string& text) {
  icu::UnicodeString converted = icu::UnicodeString::fromUTF8(text);
  Toneless().transliterate(converted);
  std::string out;
  converted.toUTF8String(out);
  return out;
}

std::string Utf8(UChar32 c) {
  std::string out;
  icu::UnicodeString(c).toUTF8String(out);
  return out;
}

// What a Han character alone reads as, straight from ICU: its transliteration without the
// surrounding spaces, or the character itself when that is empty. Anything else stays as it is.
std::string IcuReadingAlone(UChar32 c) {
  UErrorCode status = U_ZERO_ERROR;
  const bool han = u_hasBinaryProperty(c, UCHAR_IDEOGRAPHIC) ||
                   (uscript_getScript(c, &status) == USCRIPT_HAN && U_SUCCESS(status));
  const std::string text = Utf8(c);
  if (!han) return text;
  const std::string out = IcuPinyin(text);
  const size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return text;
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::string WithoutSpaces(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
  return text;
}

// The pairs whose first character the Han-Latin rules read differently before the second
// ("{X}' '?Y > reading;"), from ICU's own rules.
std::vector<std::pair<std::string, std::string>> ContextPairs() {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> han(icu::Transliterator::createInstance("Han-Latin", UTRANS_FORWARD, status));
  icu::UnicodeString rules;
  han->toRules(rules, false);
  std::string text;
  rules.toUTF8String(text);
  std::vector<std::pair<std::string, std::string>> pairs;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const icu::UnicodeString line = icu::UnicodeString::fromUTF8(text.substr(start, end - start));
    start = end + 1;
    if (line.length() < 6 || line.charAt(0) != u'{') continue;
    const UChar32 self = line.char32At(1);
    int32_t i = 1 + U16_LENGTH(self);
    if (line.charAt(i++) != u'}') continue;
    if (line.tempSubString(i, 4) == icu::UnicodeString(u"' '?")) i += 4;
    pairs.emplace_back(Utf8(self), Utf8(line.char32At(i)));
  }
  return pairs;
}

TEST(Pinyin, HanBecomesTonelessSyllablesSpacedOrJoined) {
  EXPECT_EQ(ConvertChineseToPinyin("张三", false), "zhang san");
  EXPECT_EQ(ConvertChineseToPinyin("张三", true), "zhangsan");
  EXPECT_EQ(ConvertChineseToPinyin("张三 Li", true), "zhangsan Li");
  EXPECT_EQ(ConvertChineseToPinyin("张三 Li", false), "zhang san Li");
  // A syllable and an adjacent letter are spaced apart; digits and punctuation are not.
  EXPECT_EQ(ConvertChineseToPinyin("ab张cd", false), "ab zhang cd");
  EXPECT_EQ(ConvertChineseToPinyin("ab张cd", true), "abzhangcd");
  EXPECT_EQ(ConvertChineseToPinyin("张1-三", false), "zhang1-san");
}

TEST(Pinyin, EverythingButHanPassesThroughUnchanged) {
  EXPECT_EQ(ConvertChineseToPinyin("Alice Smith", true), "Alice Smith");
  EXPECT_EQ(ConvertChineseToPinyin("", false), "");
  EXPECT_EQ(ConvertChineseToPinyin("José", true), "José");           // no accent stripping
  EXPECT_EQ(ConvertChineseToPinyin("Ｌ张", false), "Ｌ zhang");        // no width folding
  EXPECT_EQ(ConvertChineseToPinyin("a,b张", true), "a,bzhang");        // no space after a comma
  EXPECT_EQ(ConvertChineseToPinyin("😀张", true), "😀zhang");
  const std::string broken = std::string("\xff\xfe") + "张" + "\xe5";
  EXPECT_EQ(ConvertChineseToPinyin(broken, true), "\xff\xfezhang\xe5");
}

TEST(Pinyin, ReadingsThatDependOnTheNextCharacterAreKept) {
  EXPECT_EQ(ConvertChineseToPinyin("重庆", true), "chongqing");
  EXPECT_EQ(ConvertChineseToPinyin("重 庆", false), "chong qing");
  EXPECT_EQ(ConvertChineseToPinyin("重要", true), "zhongyao");
  EXPECT_EQ(ConvertChineseToPinyin("沈阳", true), "shenyang");
  EXPECT_EQ(ConvertChineseToPinyin("重", true), "zhong");
}

TEST(Pinyin, EveryCjkUnifiedIdeographReadsAsIcuReadsItAlone) {
  // The CJK Unified Ideographs block and its extensions A to I (what this ICU does not know yet
  // passes through unchanged, in ICU's reading as in ours).
  constexpr std::pair<UChar32, UChar32> kBlocks[] = {
      {0x4E00, 0x9FFF},   {0x3400, 0x4DBF},   {0x20000, 0x2A6DF}, {0x2A700, 0x2B73F}, {0x2B740, 0x2B81F},
      {0x2B820, 0x2CEAF}, {0x2CEB0, 0x2EBEF}, {0x2EBF0, 0x2EE5F}, {0x30000, 0x3134F}, {0x31350, 0x323AF},
  };
  size_t checked = 0;
  size_t mismatches = 0;
  for (const auto& [first, last] : kBlocks) {
    for (UChar32 c = first; c <= last; ++c) {
      const std::string text = Utf8(c);
      const std::string expected = IcuReadingAlone(c);
      const std::string spaced = ConvertChineseToPinyin(text, false);
      const std::string compact = ConvertChineseToPinyin(text, true);
      ++checked;
      if (spaced == expected && compact == expected) continue;
      if (++mismatches <= 10) ADD_FAILURE() << "U+" << std::hex << c << ": " << spaced << " / " << compact << " vs " << expected;
    }
  }
  EXPECT_EQ(mismatches, 0u);
  EXPECT_GT(checked, 97000u);
}

TEST(Pinyin, ReadingsBeforeAParticularCharacterAreIcus) {
  const auto pairs = ContextPairs();
  ASSERT_FALSE(pairs.empty());
  for (const auto& [self, next] : pairs) {
    for (const std::string& name : {self + next, self + next + self, "李" + self + next}) {
      EXPECT_EQ(ConvertChineseToPinyin(name, false), IcuPinyin(name)) << name;
      EXPECT_EQ(ConvertChineseToPinyin(name, true), WithoutSpaces(IcuPinyin(name))) << name;
    }
    // A space between still selects the reading; joined output keeps the name's own space.
    const std::string spaced = self + " " + next;
    EXPECT_EQ(ConvertChineseToPinyin(spaced, false), IcuPinyin(spaced)) << spaced;
    EXPECT_EQ(ConvertChineseToPinyin(spaced, true), IcuPinyin(spaced)) << spaced;
  }
}

TEST(Pinyin, ACorpusOfNamesReadsAsIcuReadsTheWholeName) {
  // Common surnames (a few of two characters) and characters of given names, among them
  // characters with several readings.
  const std::vector<std::string> surnames = {
      "王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周", "徐", "孙", "马", "朱", "胡", "郭", "何",
      "高", "林", "罗", "郑", "梁", "谢", "宋", "唐", "许", "韩", "冯", "邓", "曹", "彭", "曾", "肖", "田",
      "董", "袁", "潘", "于", "蒋", "蔡", "余", "杜", "叶", "程", "苏", "魏", "吕", "丁", "任", "沈", "姚",
      "卢", "姜", "崔", "钟", "谭", "陆", "汪", "范", "金", "石", "廖", "贾", "夏", "韦", "付", "方", "白",
      "邹", "孟", "熊", "秦", "邱", "江", "尹", "薛", "闫", "段", "雷", "侯", "龙", "史", "陶", "黎", "贺",
      "顾", "毛", "郝", "龚", "邵", "万", "钱", "严", "覃", "武", "戴", "莫", "孔", "向", "汤", "单", "解",
      "查", "曾", "区", "仇", "朴", "欧阳", "司马", "诸葛", "上官", "尉迟"};
  const std::vector<std::string> given = {
      "伟", "芳", "娜", "秀", "英", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳", "杰", "娟", "涛",
      "明", "超", "霞", "平", "刚", "桂", "华", "文", "辉", "建", "国", "红", "玲", "鹏", "飞", "宇", "浩",
      "然", "子", "涵", "欣", "怡", "梓", "轩", "雨", "萱", "晨", "博", "思", "佳", "琪", "嘉", "乐", "长",
      "重", "行", "朝", "乐", "和", "传", "调", "藏", "秘", "阳", "庆", "鲁", "文", "广", "银", "好", "还",
      "都", "觉", "降", "曲", "参", "大", "少", "几", "模", "仆", "会", "率", "薄", "差", "弹", "便", "兴"};
  std::vector<std::string> names;
  for (const std::string& surname : surnames) {
    for (const std::string& first : given) names.push_back(surname + first);
  }
  uint32_t state = 7;
  auto pick = [&state](size_t n) {
    state = state * 1103515245u + 12345u;
    return static_cast<size_t>((state >> 8) % n);
  };
  for (int i = 0; i < 4000; ++i) {
    names.push_back(surnames[pick(surnames.size())] + given[pick(given.size())] + given[pick(given.size())]);
  }
  size_t mismatches = 0;
  for (const std::string& name : names) {
    const std::string icu = IcuPinyin(name);
    const std::string spaced = ConvertChineseToPinyin(name, false);
    const std::string compact = ConvertChineseToPinyin(name, true);
    if (spaced == icu && compact == WithoutSpaces(icu)) continue;
    if (++mismatches <= 10) ADD_FAILURE() << name << ": " << spaced << " / " << compact << " vs " << icu;
  }
  EXPECT_EQ(mismatches, 0u);
}

TEST(Pinyin, MatchesTheTransliterationOfWholeNamesWarmAndCold) {
  const char* const names[] = {"张伟", "王秀英", "李娜", "刘洋", "陈静", "杨磊", "黄艳", "赵强", "周杰",
                               "吴敏", "徐丽", "孙明", "马超", "朱霞", "胡平", "郭涛", "何娟", "高勇",
                               "林芳", "罗军", "藏文", "秘鲁", "银行", "长城", "你好世界", "龘"};
  for (int pass = 0; pass < 3; ++pass) {
    if (pass == 2) ResetPinyinCachesForTesting();
    for (const char* name : names) {
      EXPECT_EQ(ConvertChineseToPinyin(name, false), IcuPinyin(name)) << name << " pass " << pass;
      std::string joined = IcuPinyin(name);
      joined.erase(std::remove(joined.begin(), joined.end(), ' '), joined.end());
      EXPECT_EQ(ConvertChineseToPinyin(name, true), joined) << name << " pass " << pass;
    }
  }
}

}  // namespace
