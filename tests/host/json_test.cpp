#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "base/json/json_value.h"
#include "base/variant/variant.h"

namespace {

using base::json::JsonValue;
using base::variant::Variant;

std::string Nested(size_t depth, const std::string& open, const std::string& inner, const std::string& close) {
  std::string s;
  s.reserve(depth * (open.size() + close.size()) + inner.size());
  for (size_t i = 0; i < depth; ++i) s += open;
  s += inner;
  for (size_t i = 0; i < depth; ++i) s += close;
  return s;
}

TEST(JsonRoundTrip, CompactTextComesBackByteForByteInKeyOrder) {
  const std::string text =
      R"({"z":true,"n":null,"i":-3,"d":0.5,"s":"x","a":[1,"two",{},[]],"m":{"y":1,"b":2},"e":""})";
  bool ok = false;
  Variant v = Variant::ParseJson(text, &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(v.KeyAt(0), "z");
  EXPECT_TRUE(v["a"].At(2).IsMap());
  EXPECT_EQ(v.ToJsonStr(), text);
  for (const char* scalar : {"42", "\"s\"", "null", "false", "-0.25", "{}", "[]"}) {
    EXPECT_EQ(Variant::ParseJson(scalar, &ok).ToJsonStr(), scalar);
    EXPECT_TRUE(ok) << scalar;
  }
}

TEST(JsonRoundTrip, IntegersKeepTheirRangeAndDoublesTheirBits) {
  Variant v = Variant::ParseJson(
      "[9223372036854775807,-9223372036854775808,9223372036854775808,18446744073709551615,"
      "18446744073709551616,-9223372036854775809,1.0,3]");
  ASSERT_EQ(v.size(), 8u);
  EXPECT_EQ(v.At(0).AsInteger(), std::numeric_limits<int64_t>::max());
  EXPECT_FALSE(v.At(0).IsUnsigned());
  EXPECT_EQ(v.At(1).AsInteger(), std::numeric_limits<int64_t>::min());
  EXPECT_TRUE(v.At(2).IsUnsigned());
  EXPECT_EQ(v.At(2).AsUint64(), uint64_t{1} << 63);
  EXPECT_EQ(v.At(3).AsUint64(), std::numeric_limits<uint64_t>::max());
  EXPECT_TRUE(v.At(4).IsDouble());
  EXPECT_TRUE(v.At(5).IsDouble());
  EXPECT_TRUE(v.At(6).IsDouble());
  EXPECT_TRUE(v.At(7).IsInteger());
  EXPECT_EQ(v.ToJsonStr(),
            "[9223372036854775807,-9223372036854775808,9223372036854775808,18446744073709551615,"
            "18446744073709553000.0,-9223372036854776000.0,1.0,3]");

  for (double d : {0.1, 1.0 / 3, 1e308, 5e-324, 2.2250738585072014e-308, -123456789.12345678, -0.0,
                   9007199254740993.0}) {
    Variant back = Variant::ParseJson(Variant(d).ToJsonStr());
    ASSERT_TRUE(back.IsDouble()) << d;
    EXPECT_EQ(std::bit_cast<uint64_t>(back.AsDouble()), std::bit_cast<uint64_t>(d)) << d;
  }
  // Just above the midpoint between 0.3 and the next double: only a full-precision parse rounds up.
  EXPECT_EQ(Variant::ParseJson("0.30000000000000001665334536937734810635447502136230468750001").AsDouble(),
            std::nextafter(0.3, 1.0));

  // The integer past 64 bits sends the whole document down the second tier, which must read
  // every number as exactly: long mantissas, underflow to a signed zero.
  const std::string long_mantissa = "2" + std::string(300, '5') + ".4444e-567";
  bool ok = false;
  Variant slow = Variant::ParseJson(
      "[123456789012345678901234567890," + long_mantissa + ",1e-400,-1e-400,0.0,0.30000000000000001665334536937734810635447502136230468750001,-7]",
      &ok);
  ASSERT_TRUE(ok);
  ASSERT_EQ(slow.size(), 7u);
  EXPECT_EQ(slow.At(0).AsDouble(), 1.2345678901234568e29);
  EXPECT_EQ(slow.At(1).AsDouble(), Variant::ParseJson(long_mantissa).AsDouble());
  EXPECT_GT(slow.At(1).AsDouble(), 0.0);
  EXPECT_EQ(std::bit_cast<uint64_t>(slow.At(2).AsDouble()), std::bit_cast<uint64_t>(0.0));
  EXPECT_EQ(std::bit_cast<uint64_t>(slow.At(3).AsDouble()), std::bit_cast<uint64_t>(-0.0));
  EXPECT_EQ(slow.At(4).AsDouble(), 0.0);
  EXPECT_EQ(slow.At(5).AsDouble(), std::nextafter(0.3, 1.0));
  EXPECT_EQ(slow.At(6).AsInteger(), -7);
  EXPECT_TRUE(slow.At(6).IsInteger());
}

TEST(JsonRoundTrip, ValuesJsonCannotCarryBecomeNull) {
  int x = 0;
  auto target = std::make_shared<int>(1);
  Variant v = Variant::Map();
  v["p"] = Variant::FromPointer(&x);
  v["w"] = Variant::FromWeak(target);
  v["nan"] = std::numeric_limits<double>::quiet_NaN();
  v["inf"] = -std::numeric_limits<double>::infinity();
  EXPECT_EQ(v.ToJsonStr(), R"({"p":null,"w":null,"nan":null,"inf":null})");
}

TEST(JsonStrings, UnicodeIsKeptAndEscapesDecoded) {
  const std::string chinese = "会议成员 张三";
  EXPECT_EQ(Variant(chinese).ToJsonStr(), "\"" + chinese + "\"");
  EXPECT_EQ(Variant::ParseJson("\"" + chinese + "\"").AsStr(), chinese);
  EXPECT_EQ(Variant::ParseJson(R"("\u4f1a\u8bae")").AsStr(), "会议");
  EXPECT_EQ(Variant::ParseJson(R"("\ud83d\ude00!")").AsStr(), "\xF0\x9F\x98\x80!");
  EXPECT_EQ(Variant::ParseJson(R"({"\u540d":1})").KeyAt(0), "名");

  const std::string tricky = std::string("q\"b\\s/\n\t\x01", 9) + std::string(1, '\0') + "end";
  const std::string written = Variant(tricky).ToJsonStr();
  EXPECT_EQ(written, R"("q\"b\\s/\n\t\u0001\u0000end")");
  EXPECT_EQ(Variant::ParseJson(written).AsStr(), tricky);
}

TEST(JsonStrings, StringsOfEveryLengthOutliveTheirDocument) {
  // Lengths around the inline limit, many medium ones (several share storage), and long ones.
  std::vector<std::string> texts;
  for (size_t len : {0, 1, 12, 13, 14, 15, 100, 2047, 2048, 2049, 5000, 70000}) texts.push_back(std::string(len, 'a'));
  for (int i = 0; i < 3000; ++i) texts.push_back("medium string number " + std::to_string(i));
  std::string text = "[";
  for (size_t i = 0; i < texts.size(); ++i) text += (i ? ",\"" : "\"") + texts[i] + "\"";
  text += "]";

  Variant kept;
  Variant first_medium;
  {
    Variant doc = Variant::ParseJson(text);
    ASSERT_EQ(doc.size(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
      ASSERT_EQ(doc.At(i).AsStringView(), texts[i]) << i;
      ASSERT_EQ(std::string(doc.At(i).AsCStr()), texts[i]) << i;  // NUL-terminated in place
    }
    kept = doc.At(texts.size() - 1);
    first_medium = doc.At(12);
  }
  EXPECT_EQ(kept.AsStr(), "medium string number 2999");
  EXPECT_EQ(first_medium.AsStr(), "medium string number 0");
  EXPECT_EQ(Variant("medium string number 0"), first_medium);
}

TEST(JsonObjects, DuplicateKeysKeepTheFirstPlaceAndTheLastValue) {
  Variant small = Variant::ParseJson(R"({"a":1,"b":2,"a":3})");
  ASSERT_EQ(small.size(), 2u);
  EXPECT_EQ(small.KeyAt(0), "a");
  EXPECT_EQ(small.GetInteger("a"), 3);

  std::string text = "{";
  for (int i = 0; i < 12; ++i) text += "\"k" + std::to_string(i) + "\":" + std::to_string(i) + ",";
  text += R"("k3":"again","k11":"last"})";
  Variant big = Variant::ParseJson(text);
  ASSERT_EQ(big.size(), 12u);
  EXPECT_EQ(big.KeyAt(3), "k3");
  EXPECT_EQ(big.GetString("k3"), "again");
  EXPECT_EQ(big.GetString("k11"), "last");
  EXPECT_EQ(big.GetInteger("k10"), 10);
}

TEST(JsonObjects, ParsedLargeObjectsAreIndexedAndStayEditable) {
  std::string text = "{";
  for (int i = 0; i < 40; ++i) text += (i ? ",\"" : "\"") + std::string("field_") + std::to_string(i) + "\":" + std::to_string(i);
  text += "}";
  Variant v = Variant::ParseJson(text);
  ASSERT_EQ(v.size(), 40u);
  for (int i = 0; i < 40; ++i) ASSERT_EQ(v.GetInteger("field_" + std::to_string(i), -1), i);
  Variant copy = v;
  EXPECT_TRUE(copy.Remove("field_7"));
  copy["field_40"] = 40;
  EXPECT_EQ(copy.GetInteger("field_40"), 40);
  EXPECT_FALSE(copy.Has("field_7"));
  EXPECT_EQ(copy.GetInteger("field_39"), 39);
  EXPECT_TRUE(v.Has("field_7"));
  EXPECT_FALSE(v.Has("field_40"));
}

// A parsed object keeps its values in the room it was read into until it grows past it; the
// values (strings and containers that others also hold) must survive the move out of that room,
// the removals in it and the copies taken on the way.
TEST(JsonObjects, ParsedObjectsGrowAndShrinkWithoutLosingValues) {
  const std::string long_text(40, 'x');
  Variant v = Variant::ParseJson(R"({"s":")" + long_text + R"(","list":[1,2,3],"inner":{"d":1},"n":7})");
  ASSERT_EQ(v.size(), 4u);
  Variant list = v["list"];
  Variant before_growth = v;
  for (int i = 0; i < 20; ++i) v.Set("k" + std::to_string(i), long_text + std::to_string(i));
  EXPECT_TRUE(v.Remove("list"));
  EXPECT_TRUE(v.Remove("k0"));
  v["inner"]["e"] = 2;
  ASSERT_EQ(v.size(), 22u);
  EXPECT_EQ(v.KeyAt(0), "s");
  EXPECT_EQ(v.KeyAt(1), "inner");
  EXPECT_EQ(v.KeyAt(3), "k1");
  EXPECT_EQ(v.GetString("s"), long_text);
  EXPECT_EQ(v.GetString("k19"), long_text + "19");
  EXPECT_EQ(v["inner"].GetInteger("e"), 2);
  EXPECT_EQ(list.size(), 3u);
  EXPECT_EQ(before_growth.size(), 4u);
  EXPECT_EQ(before_growth["list"], list);
  EXPECT_FALSE(before_growth["inner"].Has("e"));
  Variant copy = v;
  copy.Set("extra", 1);
  EXPECT_FALSE(v.Has("extra"));
  EXPECT_TRUE(copy.Remove("extra"));
  EXPECT_EQ(copy, v);
}

// Arrays read from a document keep their items the same way: growing past the room they were
// read into, removing from it and copying must neither drop nor share an item by mistake.
TEST(JsonArrays, ParsedArraysGrowAndShrinkWithoutLosingItems) {
  const std::string long_text(40, 'y');
  Variant v = Variant::ParseJson(R"([")" + long_text + R"(",{"a":1},[2]])");
  ASSERT_EQ(v.size(), 3u);
  Variant before_growth = v;
  for (int i = 0; i < 20; ++i) v.Add(long_text + std::to_string(i));
  EXPECT_TRUE(v.RemoveAt(1));
  v.MutableElements()[1].Add(3);
  ASSERT_EQ(v.size(), 22u);
  EXPECT_EQ(v.At(0).AsStringView(), long_text);
  EXPECT_EQ(v.At(1).size(), 2u);
  EXPECT_EQ(v.At(21).AsStringView(), long_text + "19");
  ASSERT_EQ(before_growth.size(), 3u);
  EXPECT_EQ(before_growth.At(1).GetInteger("a"), 1);
  EXPECT_EQ(before_growth.At(2).size(), 1u);
  Variant copy = v;
  copy.Add(1);
  EXPECT_EQ(v.size(), 22u);
  EXPECT_TRUE(copy.RemoveAt(22));
  EXPECT_EQ(copy, v);
}

// Records of one shape share their key table inside the reader, and records that break the
// pattern (keys reordered, missing, added or repeated) get their own. A document with an integer
// past 64 bits takes the RapidJSON tier instead; both must give the same value.
TEST(JsonObjects, RecordsReadAlikeWhateverTheirShapeAndEditIndependently) {
  auto record = [](const std::vector<std::string>& keys) {
    std::string r = "{";
    for (size_t i = 0; i < keys.size(); ++i) r += (i ? ",\"" : "\"") + keys[i] + "\":\"" + keys[i] + "_v\"";
    return r + "}";
  };
  std::vector<std::string> shape;
  for (int i = 0; i < 12; ++i) shape.push_back("a_rather_long_key_" + std::to_string(i));
  std::vector<std::string> reordered = shape;
  std::swap(reordered[5], reordered[6]);
  std::vector<std::string> shorter(shape.begin(), shape.begin() + 7);
  std::vector<std::string> longer = shape;
  longer.push_back("extra");
  const std::vector<std::vector<std::string>> records = {shape, shape, reordered, shape, shorter, {}, shape, longer, shape};
  std::string body = "[";
  for (size_t i = 0; i < records.size(); ++i) body += (i ? "," : "") + record(records[i]);
  body += R"(,{"a_rather_long_key_0":1,"a_rather_long_key_0":2}])";

  for (const std::string& big : {std::string("1"), std::string("123456789012345678901234567890")}) {
    bool ok = false;
    Variant doc = Variant::ParseJson(R"({"big":)" + big + R"(,"users":)" + body + "}", &ok);
    ASSERT_TRUE(ok) << big;
    Variant users = doc["users"];
    ASSERT_EQ(users.size(), records.size() + 1);
    for (size_t r = 0; r < records.size(); ++r) {
      const Variant& u = users.At(r);
      ASSERT_EQ(u.size(), records[r].size()) << r;
      for (size_t k = 0; k < records[r].size(); ++k) {
        EXPECT_EQ(u.KeyAt(k), records[r][k]) << r;
        EXPECT_EQ(u.GetString(records[r][k]), records[r][k] + "_v") << r;
      }
      EXPECT_FALSE(u.Has("extra") && r != 7) << r;
    }
    EXPECT_EQ(users.At(records.size()).size(), 1u);
    EXPECT_EQ(users.At(records.size()).GetInteger("a_rather_long_key_0"), 2);
    EXPECT_EQ(users.At(0), users.At(2));  // same keys and values, another order

    // Writing keys into one record leaves its look-alikes untouched, and they stay writable.
    Variant first = users.At(0);
    first["new_key"] = 1;
    EXPECT_TRUE(first.Remove("a_rather_long_key_3"));
    first.Set("a_rather_long_key_4", "changed");
    EXPECT_FALSE(users.At(1).Has("new_key"));
    EXPECT_TRUE(users.At(3).Has("a_rather_long_key_3"));
    EXPECT_EQ(users.At(6).GetString("a_rather_long_key_4"), "a_rather_long_key_4_v");
    EXPECT_TRUE(first.Has("a_rather_long_key_11"));
    EXPECT_FALSE(first.Has("a_rather_long_key_3"));
    Variant second = users.At(1);
    EXPECT_TRUE(second.Remove("a_rather_long_key_0"));
    EXPECT_EQ(second.KeyAt(0), "a_rather_long_key_1");
    EXPECT_EQ(users.At(3).KeyAt(0), "a_rather_long_key_0");
    EXPECT_NE(users.At(1), second);
  }
}

TEST(JsonInvalid, EveryBrokenDocumentFailsCleanly) {
  const std::vector<std::string> broken = {
      "",
      "   ",
      "{",
      "[1,2",
      R"({"a":})",
      R"({"a" 1})",
      R"({"a":1,})",
      "[1,]",
      R"("abc)",
      R"("\x")",
      R"("\u12")",
      R"("\ud800")",
      R"("\ud800\u0041")",
      R"("\udc00")",
      "\"\xff\"",
      "\"\xc0\xaf\"",
      "\"\xed\xa0\x80\"",
      "\"\xe4\xb8\"",
      "\xef\xbb\xbf{}",
      "{} x",
      "[1] [2]",
      "nul",
      "01",
      "1.",
      "NaN",
      "1e400",
      "[2e0308]",
      "[123456789012345678901234567890,1e400]",
      "[123456789012345678901234567890,-2e0308]",
      "{'a':1}",
      std::string("[1]\0", 4),
      std::string("\"a\0b\"", 5),
      "\"tab\there\"",
  };
  for (const std::string& text : broken) {
    SCOPED_TRACE(testing::PrintToString(text));
    bool ok = true;
    EXPECT_TRUE(Variant::ParseJson(text, &ok).IsNull());
    EXPECT_FALSE(ok);

    Variant previous = Variant::Map();
    previous["kept"] = 1;
    EXPECT_FALSE(previous.FromJsonStr(text));
    EXPECT_TRUE(previous.IsNull());

    JsonValue doc;
    ASSERT_TRUE(doc.ParseFromJson(R"({"a":1})"));
    EXPECT_FALSE(doc.ParseFromJson(text));
    EXPECT_TRUE(doc.IsNull());
  }
}

TEST(JsonInvalid, NestingIsAcceptedToAThousandLevelsAndRefusedBeyond) {
  const std::string deepest = Nested(1000, "[", "1", "]");
  bool ok = false;
  Variant v = Variant::ParseJson(deepest, &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(v.ToJsonStr(), deepest);

  const std::string objects = Nested(1000, R"({"a":)", "{}", "}");
  EXPECT_FALSE(Variant::ParseJson(objects, &ok).IsMap());  // 1001 levels with the innermost {}
  EXPECT_FALSE(ok);
  EXPECT_TRUE(Variant::ParseJson(Nested(999, R"({"a":)", "{}", "}"), &ok).IsMap());
  EXPECT_TRUE(ok);

  for (const std::string& text : {Nested(1001, "[", "", "]"), Nested(100000, "[", "", "]"),
                                  Nested(100000, R"({"k":)", "0", "}"), std::string(100000, '['),
                                  Nested(50000, "[{\"x\":", "", "")}) {
    EXPECT_TRUE(Variant::ParseJson(text, &ok).IsNull());
    EXPECT_FALSE(ok);
  }
}

TEST(JsonValueView, ReadersAreTotalOverTheParsedTree) {
  JsonValue doc;
  ASSERT_TRUE(doc.ParseFromJson(R"({"data":{"url":"https://x.test/a","list":[1,2.5,"t"]},"ok":true})"));
  EXPECT_TRUE(doc.IsObject());
  EXPECT_TRUE(doc.Contain("data"));
  EXPECT_EQ(doc["data"]["url"].AsString(), "https://x.test/a");
  EXPECT_EQ(doc["data"]["list"].size(), 3u);
  EXPECT_EQ(doc["data"]["list"][size_t{0}].AsInteger(), 1);
  EXPECT_EQ(doc["data"]["list"][1].AsDouble(), 2.5);
  EXPECT_EQ(doc["data"]["list"][2].AsInteger(), 0);
  EXPECT_TRUE(doc["data"]["list"][7].IsNull());
  EXPECT_EQ(doc["missing"]["deeper"].AsString(), "");
  EXPECT_FALSE(doc["data"]["url"].Contain("x"));
  EXPECT_TRUE(doc["ok"].AsBoolean());
  EXPECT_EQ(doc.KeyAt(1), "ok");
  EXPECT_TRUE(doc.ValueAt(0).IsObject());
  EXPECT_EQ(JsonValue(doc.variant()).ToJson(), doc.ToJson());
}

}  // namespace
