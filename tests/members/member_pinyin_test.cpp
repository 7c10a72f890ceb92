// Pinyin of nicknames: ICU's readings without tones, spacing as the transliteration writes it,
// everything that is not Han untouched, and the caches giving the same answers as a cold run.
#include <gtest/gtest.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>
#include <string>

#include "module_api/members/pinyin.h"

namespace {

using velto_common::utils::ConvertChineseToPinyin;
using velto_common::utils::ResetPinyinCachesForTesting;

std::string IcuPinyin(const std::string& text) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> transliterator(
      icu::Transliterator::createInstance("Han-Latin; Latin-ASCII", UTRANS_FORWARD, status));
  icu::UnicodeString converted = icu::UnicodeString::fromUTF8(text);
  transliterator->transliterate(converted);
  std::string out;
  converted.toUTF8String(out);
  return out;
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
