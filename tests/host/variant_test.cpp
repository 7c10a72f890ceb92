#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/variant/key_reader.h"
#include "base/variant/variant.h"

namespace {

using base::variant::Kind;
using base::variant::Variant;

struct Sample {
  const char* name;
  Variant value;
};

// One value of every kind; each reader must see its own kind only.
std::vector<Sample> OneOfEachKind(const std::shared_ptr<int>& target, int* pointee) {
  Variant map = Variant::Map();
  map["a"] = 1;
  Variant array = Variant::Array();
  array.Add(1);
  return {
      {"null", Variant()},
      {"bool", Variant(true)},
      {"string", Variant("x")},
      {"long string", Variant("a string that does not fit inline")},
      {"integer", Variant(7)},
      {"double", Variant(2.5)},
      {"pointer", Variant::FromPointer(pointee)},
      {"array", array},
      {"map", map},
      {"weak", Variant::FromWeak(target)},
  };
}

TEST(VariantReaders, EachReaderSeesOnlyItsOwnKind) {
  auto target = std::make_shared<int>(3);
  int pointee = 0;
  for (const Sample& s : OneOfEachKind(target, &pointee)) {
    SCOPED_TRACE(s.name);
    const Variant& v = s.value;
    const Kind k = v.kind();
    EXPECT_EQ(v.type(), static_cast<int>(k));
    EXPECT_EQ(v.AsBoolean(), k == Kind::kBool);
    EXPECT_EQ(v.AsInteger(), k == Kind::kInteger ? 7 : 0);
    EXPECT_EQ(v.AsInt32(), k == Kind::kInteger ? 7 : 0);
    EXPECT_EQ(v.AsUint32(), k == Kind::kInteger ? 7u : 0u);
    EXPECT_EQ(v.AsUint64(), k == Kind::kInteger ? 7u : 0u);
    EXPECT_EQ(v.AsDouble(), k == Kind::kInteger ? 7.0 : k == Kind::kDouble ? 2.5 : 0.0);
    if (k != Kind::kString) {
      EXPECT_EQ(v.AsStr(), "");
      EXPECT_TRUE(v.AsStringView().empty());
      ASSERT_NE(v.AsCStr(), nullptr);
      EXPECT_STREQ(v.AsCStr(), "");
    }
    EXPECT_EQ(v.AsPointer(), k == Kind::kPointer ? &pointee : nullptr);
    EXPECT_EQ(v.LockWeak(), k == Kind::kWeakRef ? target : nullptr);
    EXPECT_EQ(v.size(), k == Kind::kArray || k == Kind::kMap ? 1u : 0u);
    EXPECT_EQ(v.Elements().size(), k == Kind::kArray ? 1u : 0u);
    EXPECT_EQ(v.Has("a"), k == Kind::kMap);
    EXPECT_EQ(v.Find("zzz"), nullptr);
    EXPECT_EQ(v.KeyAt(0), k == Kind::kMap ? "a" : "");
    EXPECT_EQ(v.ValueAt(0).AsInteger(), k == Kind::kMap ? 1 : 0);
    EXPECT_EQ(v.At(0).AsInteger(), k == Kind::kArray ? 1 : 0);
    EXPECT_TRUE(v.At(1).IsNull());
    EXPECT_TRUE(v.ValueAt(5).IsNull());
    if (k != Kind::kMap) {
      EXPECT_EQ(&v.Get("a"), &Variant::EmptyVariant());
    }
  }
}

TEST(VariantReaders, KeyedReadersGiveTheDefaultWhenAbsentOrOfAnotherKind) {
  Variant m = Variant::Map();
  m["i"] = 5;
  m["b"] = true;
  m["s"] = "text";
  m["d"] = 1.5;
  for (const char* key : {"missing", "i", "b", "s", "d"}) {
    SCOPED_TRACE(key);
    std::string k = key;
    EXPECT_EQ(m.GetInteger(key, -1), k == "i" ? 5 : -1);
    EXPECT_EQ(m.GetInt32(key, -1), k == "i" ? 5 : -1);
    EXPECT_EQ(m.GetUint32(key, 9), k == "i" ? 5u : 9u);
    EXPECT_EQ(m.GetUint64(key, 9), k == "i" ? 5u : 9u);
    EXPECT_EQ(m.GetBoolean(key, false), k == "b");
    EXPECT_EQ(m.GetString(key, "def"), k == "s" ? "text" : "def");
    EXPECT_STREQ(m.GetCStr(key, "def"), k == "s" ? "text" : "def");
    EXPECT_EQ(m.GetDouble(key, -2), k == "d" ? 1.5 : k == "i" ? 5.0 : -2.0);
  }
  // Without a default the kind's neutral value comes back, and on a non-map too.
  EXPECT_EQ(Variant("s").GetInteger("i"), 0);
  EXPECT_EQ(Variant().GetString("s"), "");
  EXPECT_STREQ(Variant(3).GetCStr("s"), "");
}

TEST(VariantReaders, IntegersNarrowAndUnsignedValuesAboveInt64MaxSurvive) {
  Variant big(uint64_t{0x1'0000'0005});
  EXPECT_EQ(big.AsInt32(), 5);
  EXPECT_EQ(Variant(-1).AsUint32(), 0xffffffffu);

  const uint64_t huge = std::numeric_limits<uint64_t>::max() - 1;
  Variant u(huge);
  EXPECT_TRUE(u.IsInteger());
  EXPECT_TRUE(u.IsUnsigned());
  EXPECT_EQ(u.AsUint64(), huge);
  EXPECT_DOUBLE_EQ(u.AsDouble(), 18446744073709551614.0);  // not -2.0
  EXPECT_FALSE(Variant(-1).IsUnsigned());
  // Equality is by value: the same bits with another signedness are another number.
  EXPECT_NE(Variant(std::numeric_limits<uint64_t>::max()), Variant(int64_t{-1}));
  EXPECT_EQ(Variant(uint64_t{5}), Variant(int64_t{5}));
  EXPECT_NE(Variant(5), Variant(5.0));
}

TEST(VariantStrings, InlineUpToThirteenBytesThenShared) {
  const std::string thirteen = "abcdefghijklm";
  const std::string fourteen = thirteen + "n";
  Variant a(thirteen);
  Variant b(fourteen);
  EXPECT_EQ(a.AsStr(), thirteen);
  EXPECT_EQ(b.AsStr(), fourteen);
  EXPECT_EQ(std::strlen(a.AsCStr()), 13u);
  EXPECT_EQ(std::strlen(b.AsCStr()), 14u);
  auto inside = [](const Variant& v) {
    auto p = reinterpret_cast<const char*>(&v);
    return v.AsCStr() >= p && v.AsCStr() < p + sizeof(Variant);
  };
  EXPECT_TRUE(inside(a));
  EXPECT_FALSE(inside(b));
  Variant b2 = b;  // shares the characters
  EXPECT_EQ(b2.AsCStr(), b.AsCStr());
  b = Variant();
  EXPECT_EQ(b2.AsStr(), fourteen);

  std::string with_nul("a\0b", 3);
  EXPECT_EQ(Variant(with_nul).AsStringView(), with_nul);
  EXPECT_EQ(Variant(static_cast<const char*>(nullptr)).AsStr(), "");
  EXPECT_TRUE(Variant(static_cast<const char*>(nullptr)).IsString());
  std::string long_text(100, 'z');
  EXPECT_EQ(Variant(std::move(long_text)).AsStr(), std::string(100, 'z'));
}

TEST(VariantContainers, WritersTurnOtherKindsIntoTheContainer) {
  Variant s("text");
  s["k"] = 1;
  EXPECT_TRUE(s.IsMap());
  EXPECT_EQ(s.size(), 1u);

  Variant n;
  n.Add("x");
  EXPECT_TRUE(n.IsArray());

  Variant m = Variant::Map();
  m["a"] = 1;
  m.Add(2);
  ASSERT_TRUE(m.IsArray());
  EXPECT_EQ(m.size(), 1u);
  m.Set("z", 3);
  ASSERT_TRUE(m.IsMap());
  EXPECT_EQ(m.size(), 1u);

  Variant i(4);
  EXPECT_FALSE(i.Remove("a"));
  EXPECT_FALSE(i.RemoveAt(0));
  EXPECT_TRUE(i.IsInteger());
}

TEST(VariantContainers, CopiesAreIndependentAtEveryDepth) {
  Variant original = Variant::Map();
  original["inner"]["x"] = 1;
  original["list"].Add("a");
  original["list"].Add(Variant::Map())["deep"] = "v";

  Variant copy = original;
  EXPECT_EQ(copy, original);
  copy["inner"]["x"] = 2;
  copy["inner"]["new"] = true;
  copy["list"].Add("b");
  copy["top"] = 0;

  EXPECT_EQ(original["inner"].GetInteger("x"), 1);
  EXPECT_FALSE(original["inner"].Has("new"));
  EXPECT_EQ(original["list"].size(), 2u);
  EXPECT_FALSE(original.Has("top"));
  EXPECT_EQ(copy["inner"].GetInteger("x"), 2);

  Variant arrays = Variant::Array();
  arrays.Add(Variant::Array()).Add(1);
  Variant arrays_copy = arrays;
  Variant nested = arrays_copy.At(0);
  nested.Add(2);
  EXPECT_EQ(arrays.At(0).size(), 1u);
  EXPECT_TRUE(arrays_copy.RemoveAt(0));
  EXPECT_EQ(arrays.size(), 1u);

  Variant removal = original;
  EXPECT_TRUE(removal.Remove("inner"));
  EXPECT_TRUE(original.Has("inner"));
}

TEST(VariantContainers, SelfReferencesDoNotLoopOrDangle) {
  Variant v = Variant::Map();
  v["child"]["leaf"] = "kept";
  v = v["child"];  // the child lives inside the value being replaced
  EXPECT_EQ(v.GetString("leaf"), "kept");

  Variant w = Variant::Map();
  w["a"] = 1;
  w.Set("self", w);
  EXPECT_EQ(w["self"].GetInteger("a"), 1);
  EXPECT_FALSE(w["self"].Has("self"));

  Variant x = Variant::Array();
  x.Add(Variant::Array()).Add("y");
  x = std::move(const_cast<Variant&>(x.At(0)));
  EXPECT_EQ(x.At(0).AsStr(), "y");
}

TEST(VariantMaps, KeepInsertionOrderAcrossRemovalAndReinsertion) {
  for (int count : {5, 9, 40}) {
    SCOPED_TRACE(count);
    Variant m = Variant::Map();
    for (int i = 0; i < count; ++i) m["k" + std::to_string(i)] = i;
    EXPECT_TRUE(m.Remove("k0"));
    EXPECT_TRUE(m.Remove("k3"));
    EXPECT_FALSE(m.Remove("k3"));
    m["k0"] = 100;     // back at the end
    m.Set("k1", 101);  // overwritten in place
    ASSERT_EQ(m.size(), static_cast<size_t>(count - 1));
    EXPECT_EQ(m.KeyAt(0), "k1");
    EXPECT_EQ(m.KeyAt(1), "k2");
    EXPECT_EQ(m.KeyAt(2), "k4");
    EXPECT_EQ(m.KeyAt(m.size() - 1), "k0");
    EXPECT_EQ(m.GetInteger("k0"), 100);
    EXPECT_EQ(m.GetInteger("k1"), 101);
    EXPECT_FALSE(m.Has("k3"));
    EXPECT_FALSE(m.Has(std::string_view()));
    for (int i = 4; i < count; ++i) EXPECT_EQ(m.GetInteger("k" + std::to_string(i), -1), i);
  }
}

TEST(VariantMaps, IndexFindsEveryKeyPastEightAndAfterShrinking) {
  Variant m = Variant::Map();
  std::vector<std::string> keys = {"", "a", "ab", "abc", "abcd", "abcdefg", "abcdefgh",
                                   "current_device_media_state", "current_device_media_statf"};
  for (int i = 0; i < 2000; ++i) keys.push_back("user_" + std::to_string(i) + "_field");
  for (size_t i = 0; i < keys.size(); ++i) m[keys[i]] = static_cast<int64_t>(i);
  ASSERT_EQ(m.size(), keys.size());
  for (size_t i = 0; i < keys.size(); ++i) ASSERT_EQ(m.GetInteger(keys[i], -1), static_cast<int64_t>(i)) << keys[i];
  EXPECT_FALSE(m.Has("abcdef"));
  EXPECT_FALSE(m.Has("user_2000_field"));
  EXPECT_EQ(m.GetInteger(std::string_view(), -1), 0);  // the empty key, asked without characters
  // Shrink below the index threshold and grow again.
  while (m.size() > 3) ASSERT_TRUE(m.Remove(m.KeyAt(m.size() - 1)));
  EXPECT_EQ(m.GetInteger("ab", -1), 2);
  EXPECT_FALSE(m.Has("abc"));
  for (int i = 0; i < 20; ++i) m["again" + std::to_string(i)] = i;
  EXPECT_EQ(m.GetInteger("again19", -1), 19);
  EXPECT_EQ(m.GetInteger("", -1), 0);
}

// Records copied from one template and given the same keys in the same order keep one key table
// between them, as a cache that annotates ten thousand member records does.
TEST(VariantKeyTables, MapsThatGainTheSameKeysKeepSharingOneTable) {
  Variant kTemplate = Variant::Map();
  for (int i = 0; i < 24; ++i) kTemplate["field_" + std::to_string(i)] = i;
  std::vector<Variant> records(1000, kTemplate);
  for (size_t i = 0; i < records.size(); ++i) {
    Variant& record = records[i];
    record["field_3"] = static_cast<int64_t>(i);  // a value, not a key: still the template's keys
    record["status"] = 0;
    record["is_bot"] = i % 7 == 0;
    record["nickname_pinyin"] = "pinyin " + std::to_string(i);
    record["user_index"] = static_cast<int64_t>(i + 1);
  }
  for (size_t i = 0; i < records.size(); ++i) {
    ASSERT_TRUE(records[i].SharesKeysWith(records[0])) << i;
    ASSERT_EQ(records[i].size(), 28u);
    EXPECT_EQ(records[i].KeyAt(27), "user_index");
    EXPECT_EQ(records[i].GetInteger("user_index"), static_cast<int64_t>(i + 1));
    EXPECT_EQ(records[i].GetInteger("field_3"), static_cast<int64_t>(i));
    EXPECT_EQ(records[i].GetBoolean("is_bot"), i % 7 == 0);
    EXPECT_EQ(records[i].GetString("nickname_pinyin"), "pinyin " + std::to_string(i));
  }
  EXPECT_FALSE(records[0].SharesKeysWith(kTemplate));
  EXPECT_EQ(kTemplate.size(), 24u);  // the template itself gained nothing
  EXPECT_FALSE(kTemplate.Has("status"));
}

TEST(VariantKeyTables, OneTablePerDistinctKeySequence) {
  Variant base = Variant::Map();
  base["user_id"] = "";
  base["nickname"] = "";
  const std::vector<std::vector<std::string>> sequences = {
      {"a", "b"}, {"b", "a"}, {"a", "b", "c"}, {"a"}, {"c"}, {"a", "c"}};
  std::vector<std::vector<Variant>> groups(sequences.size());
  for (int copy = 0; copy < 50; ++copy) {
    for (size_t s = 0; s < sequences.size(); ++s) {
      Variant record = base;
      for (const std::string& key : sequences[s]) record[key] = copy;
      groups[s].push_back(std::move(record));
    }
  }
  for (size_t s = 0; s < sequences.size(); ++s) {
    for (const Variant& record : groups[s]) {
      ASSERT_EQ(record.size(), 2 + sequences[s].size());
      for (size_t t = 0; t < sequences.size(); ++t) {
        EXPECT_EQ(record.SharesKeysWith(groups[t][0]), s == t) << s << " against " << t;
      }
    }
  }
  // Leaving the tree: a removed key gives the map its own table; the others keep theirs.
  Variant& changed = groups[2][7];
  EXPECT_TRUE(changed.Remove("b"));
  EXPECT_FALSE(changed.SharesKeysWith(groups[2][0]));
  EXPECT_EQ(changed.KeyAt(3), "c");
  EXPECT_TRUE(groups[2][8].SharesKeysWith(groups[2][0]));
  EXPECT_TRUE(groups[2][0].Has("b"));
  // A key only one of them gains is only that one's.
  groups[0][1]["only_here"] = true;
  EXPECT_FALSE(groups[0][1].SharesKeysWith(groups[0][0]));
  EXPECT_FALSE(groups[0][0].Has("only_here"));
  EXPECT_EQ(groups[0][1].KeyAt(4), "only_here");
}

// Transitions are bounded: maps that keep gaining new keys (ids as keys, ever longer records)
// fall back to tables of their own and stay correct, whatever order they are freed in.
TEST(VariantKeyTables, ManyDistinctKeysAndLongChainsStayCorrect) {
  Variant shared = Variant::Map();
  shared["kind"] = "stream map";
  std::vector<Variant> fanned;
  for (int i = 0; i < 40; ++i) {
    Variant m = shared;
    m["stream-" + std::to_string(i)] = i;
    fanned.push_back(std::move(m));
  }
  for (int i = 0; i < 40; ++i) {
    ASSERT_EQ(fanned[static_cast<size_t>(i)].size(), 2u);
    EXPECT_EQ(fanned[static_cast<size_t>(i)].GetInteger("stream-" + std::to_string(i), -1), i);
    EXPECT_FALSE(fanned[static_cast<size_t>(i)].Has("stream-" + std::to_string(i + 1)));
  }
  // A map copied before every key it gains: each step extends a shared table.
  Variant growing = Variant::Map();
  growing["first"] = 0;
  std::vector<Variant> snapshots;
  for (int i = 0; i < 300; ++i) {
    snapshots.push_back(growing);
    growing["key_" + std::to_string(i)] = i;
  }
  ASSERT_EQ(growing.size(), 301u);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(growing.GetInteger("key_" + std::to_string(i), -1), i);
  for (size_t i = 0; i < snapshots.size(); ++i) {
    ASSERT_EQ(snapshots[i].size(), i + 1);
    EXPECT_FALSE(snapshots[i].Has("key_" + std::to_string(i)));
  }
  // Freed from the middle, then the newest, then the oldest.
  snapshots.erase(snapshots.begin() + 100, snapshots.begin() + 200);
  growing = Variant();
  snapshots.erase(snapshots.begin() + 100, snapshots.end());
  snapshots.clear();
  fanned.clear();
}

// A key reader finds where its keys stand once per key table; whatever the maps do meanwhile
// (more shapes than it remembers, keys added and removed, maps of their own table freed), what
// it reads is what Find reads.
TEST(VariantKeyReader, ReadsWhatFindReadsAcrossShapesAndChanges) {
  base::variant::KeyReader reader({"nickname", "user_id", "host", "absent"});
  auto expect_read = [&reader](const Variant& map, const std::string& where) {
    const Variant* values[4];
    reader.Read(map, values);
    const char* const keys[] = {"nickname", "user_id", "host", "absent"};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(values[i], map.Find(keys[i])) << where << " " << keys[i];
  };
  std::vector<Variant> shapes;
  for (int shape = 0; shape < 7; ++shape) {
    Variant record = Variant::Map();
    for (int filler = 0; filler < shape * 3; ++filler) record["filler_" + std::to_string(filler)] = filler;
    if (shape % 2 == 0) record["host"] = shape == 4;
    record["user_id"] = "u-" + std::to_string(shape);
    if (shape != 3) record["nickname"] = "Nick " + std::to_string(shape);
    shapes.push_back(record);
  }
  for (int round = 0; round < 3; ++round) {
    for (size_t i = 0; i < shapes.size(); ++i) expect_read(shapes[i], "shape " + std::to_string(i));
  }
  // The map alone with its table: a key added and one removed after the reader saw the table.
  Variant& own = shapes[5];
  expect_read(own, "before");
  own["absent"] = "now present";
  expect_read(own, "added");
  EXPECT_TRUE(own.Remove("user_id"));
  expect_read(own, "removed");
  own = Variant::Map();
  own["host"] = true;
  expect_read(own, "replaced");
  shapes.clear();  // the maps go; the reader keeps what it needs
  Variant later = Variant::Map();
  later["user_id"] = "u-later";
  expect_read(later, "later");
  expect_read(Variant(), "null");
  expect_read(Variant::Map(), "empty map");
  expect_read(Variant("text"), "string");
}

TEST(VariantEquality, DeepAndIndependentOfKeyOrder) {
  Variant a = Variant::Map();
  a["x"] = 1;
  a["y"]["z"].Add(2.5);
  Variant b = Variant::Map();
  b["y"]["z"].Add(2.5);
  b["x"] = 1;
  EXPECT_EQ(a, b);
  b["y"]["z"].Add(Variant());
  EXPECT_NE(a, b);
  Variant c = a;
  c["y"]["z"] = Variant::Array();
  EXPECT_NE(a, c);
  EXPECT_EQ(Variant(std::nan("")), Variant(std::nan("")));
  EXPECT_NE(Variant("abc"), Variant("abd"));
  EXPECT_NE(Variant(), Variant(false));
  EXPECT_EQ(Variant::Map(), Variant::Map());
  EXPECT_NE(Variant::Map(), Variant::Array());
}

TEST(VariantWeak, FollowsItsTargetAndComparesByTarget) {
  auto target = std::make_shared<int>(1);
  Variant w = Variant::FromWeak(target);
  Variant same = Variant::FromWeak(target);
  Variant other = Variant::FromWeak(std::make_shared<int>(1));
  EXPECT_EQ(w.LockWeak(), target);
  EXPECT_EQ(w, same);
  EXPECT_NE(w, other);
  target.reset();
  EXPECT_EQ(w.LockWeak(), nullptr);
  EXPECT_TRUE(w.IsWeakRef());
  EXPECT_EQ(w, same);
}

TEST(VariantDepth, VeryDeepValuesAreCopiedComparedWrittenAndFreed) {
  constexpr int kDepth = 200000;
  Variant v;
  for (int i = 0; i < kDepth; ++i) {
    Variant outer = (i % 2) ? Variant::Array() : Variant::Map();
    if (outer.IsArray()) {
      outer.Add(std::move(v));
    } else {
      outer["n"] = std::move(v);
    }
    v = std::move(outer);
  }
  Variant copy = v;
  EXPECT_EQ(copy, v);
  Variant rebuilt = Variant::ParseJson(v.ToJsonStr());  // deeper than the parser accepts
  EXPECT_TRUE(rebuilt.IsNull());
  EXPECT_EQ(v.ToJsonStr().size(), kDepth / 2 * (2 + 6) + 4u);  // [{"n":…}] pairs, innermost null
  v = Variant();
  copy = Variant();
}

}  // namespace

namespace {

// Maps against a plain model of themselves (insertion-ordered pairs) through random writes,
// removals, copies and JSON round trips. Copies and parsed records of one shape share their key
// table, so this is where a table written while shared, or a value left at the wrong position,
// shows up.
using ModelMap = std::vector<std::pair<std::string, int64_t>>;

class MapOracle {
 public:
  explicit MapOracle(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {
    for (int i = 0; i < 24; ++i) {
      keys_.push_back(i % 3 ? "k" + std::to_string(i) : "a_key_too_long_to_be_inline_" + std::to_string(i));
    }
    for (size_t i = 0; i < kPool; ++i) values_.push_back(Variant::Map());
    models_.resize(kPool);
  }

  void Step() {
    const size_t i = Below(kPool);
    const std::string& key = keys_[Below(keys_.size())];
    switch (Below(10)) {
      case 0:
      case 1:
      case 2:
      case 3: {  // write
        const auto value = static_cast<int64_t>(Below(1000));
        values_[i][key] = value;
        auto it = Locate(models_[i], key);
        if (it == models_[i].end()) {
          models_[i].emplace_back(key, value);
        } else {
          it->second = value;
        }
        break;
      }
      case 4:
      case 5: {  // remove
        auto it = Locate(models_[i], key);
        EXPECT_EQ(values_[i].Remove(key), it != models_[i].end());
        if (it != models_[i].end()) models_[i].erase(it);
        break;
      }
      case 6:
      case 7: {  // copy
        const size_t j = Below(kPool);
        values_[j] = values_[i];
        models_[j] = models_[i];
        break;
      }
      default: {  // the whole pool through JSON, as one array of records
        Variant array = Variant::Array();
        for (const Variant& v : values_) array.Add(v);
        bool ok = false;
        Variant parsed = Variant::ParseJson(array.ToJsonStr(), &ok);
        ASSERT_TRUE(ok);
        for (size_t k = 0; k < kPool; ++k) values_[k] = parsed.At(k);
        break;
      }
    }
  }

  void Check() const {
    for (size_t i = 0; i < kPool; ++i) {
      const Variant& v = values_[i];
      const ModelMap& model = models_[i];
      ASSERT_EQ(v.size(), model.size()) << "map " << i;
      for (size_t n = 0; n < model.size(); ++n) {
        ASSERT_EQ(v.KeyAt(n), model[n].first) << "map " << i << " position " << n;
        ASSERT_EQ(v.ValueAt(n).AsInteger(), model[n].second);
        ASSERT_EQ(v.GetInteger(model[n].first, -1), model[n].second);
      }
      for (const std::string& key : keys_) {
        ASSERT_EQ(v.Has(key), Locate(model, key) != model.end()) << key;
      }
    }
  }

 private:
  static constexpr size_t kPool = 6;

  template <typename Model>  // ModelMap, const or not
  static auto Locate(Model& model, const std::string& key) -> decltype(model.begin()) {
    return std::find_if(model.begin(), model.end(), [&](const auto& entry) { return entry.first == key; });
  }
  size_t Below(size_t n) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<size_t>((state_ >> 33) % n);
  }

  uint64_t state_;
  std::vector<std::string> keys_;
  std::vector<Variant> values_;
  std::vector<ModelMap> models_;
};

TEST(VariantMaps, RandomEditsCopiesAndRoundTripsMatchAPlainModel) {
  for (uint64_t seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    MapOracle oracle(seed);
    for (int step = 0; step < 1500; ++step) {
      oracle.Step();
      oracle.Check();
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
