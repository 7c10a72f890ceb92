// JSON text -> Variant, in two tiers. simdjson parses and validates the text (UTF-8 included) at
// several gigabytes per second into its own tape, and a walk over that tape builds the Variant
// with containers allocated at their final size. simdjson refuses a few documents the reader
// accepts (integers past the 64-bit range, which become doubles here) and fails the same way on
// every invalid one, so whatever it refuses goes through the second tier: RapidJSON's SAX reader
// feeding a builder that assembles maps and arrays bottom-up, which gives the verdict and the
// value. Invalid input of any kind (including nesting too deep to be sensible) gives a null value
// and false; the caller decides whether and what to log.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <vector>

#include <rapidjson/reader.h>
#include <simdjson.h>

#include "base/json/json_value.h"
#include "base/variant/variant.h"
#include "base/variant/variant_rep.h"

namespace base::variant {
namespace {

using internal::ArrayRep;
using internal::HeapRep;
using internal::MapKeys;
using internal::MapRep;
using internal::StringRep;

// True when |s| is well-formed UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF). Runs of ASCII, the bulk of real documents, are skipped 32 and 8 bytes at a time.
bool IsValidUtf8(std::string_view s) noexcept {
  constexpr uint64_t kHighBits = 0x8080808080808080ull;
  auto word = [](const unsigned char* at) {
    uint64_t w;
    std::memcpy(&w, at, sizeof w);
    return w;
  };
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const unsigned char* end = p + s.size();
  for (;;) {
    while (end - p >= 32 && ((word(p) | word(p + 8) | word(p + 16) | word(p + 24)) & kHighBits) == 0) p += 32;
    while (end - p >= 8 && (word(p) & kHighBits) == 0) p += 8;
    while (p < end && *p < 0x80) {
      ++p;
      if (end - p >= 8 && (word(p) & kHighBits) == 0) break;  // back to the fast loops
    }
    if (p == end) return true;
    if (*p < 0x80) continue;
    const unsigned char c = *p;
    size_t extra;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      if (c == 0xE0) lo = 0xA0;  // overlong
      if (c == 0xED) hi = 0x9F;  // UTF-16 surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      if (c == 0xF0) lo = 0x90;  // overlong
      if (c == 0xF4) hi = 0x8F;  // past U+10FFFF
    } else {
      return false;
    }
    if (static_cast<size_t>(end - p) <= extra) return false;
    if (p[1] < lo || p[1] > hi) return false;
    for (size_t i = 2; i <= extra; ++i) {
      if ((p[i] & 0xC0) != 0x80) return false;
    }
    p += extra + 1;
  }
}

// Deeper documents are refused rather than built: no real answer nests this far, and the limit
// keeps every later recursive walk over the value (by callers) shallow.
constexpr size_t kMaxDepth = 1000;

// Decoded strings as Variants: short ones inline, medium ones as slices of shared chunks (one
// allocation per 16 KB of text instead of one per string), long ones with a rep of their own.
// A chunk is given, when it is made, a reference for every slice it could ever hold; the slices
// take those, and the ones left over go back when the chunk is full or the sink goes. So a
// string costs a copy, not an atomic count as well.
class StringSink {
 public:
  // Decoded strings are never longer than their source text, so chunks need not be larger.
  explicit StringSink(size_t source_size) : chunk_capacity_(std::min(StringRep::kChunkCapacity, source_size)) {}
  ~StringSink() { Retire(); }
  StringSink(const StringSink&) = delete;
  StringSink& operator=(const StringSink&) = delete;

  // Makes the null |out| the string |text|.
  void MakeInto(Variant& out, std::string_view text) {
    if (text.size() <= kInlineString) return HeapRep::PutInlineString(out, text);
    if (text.size() > kLongString) {
      Variant own(text);
      return HeapRep::MoveIntoNull(out, own);
    }
    if (!chunk_ || chunk_capacity_ - chunk_->size < text.size() + 1) {
      Retire();
      chunk_ = StringRep::CreateChunk(chunk_capacity_);
      // Every slice is longer than an inline string and followed by a NUL.
      unused_ = chunk_capacity_ / (kInlineString + 2) + 1;
      chunk_->refs.fetch_add(static_cast<uint32_t>(unused_), std::memory_order_relaxed);
    }
    --unused_;
    StringRep::AppendSliceInto(out, chunk_, text);
  }
  Variant Make(std::string_view text) {
    Variant out;
    MakeInto(out, text);
    return out;
  }

 private:
  static constexpr size_t kInlineString = HeapRep::kInlineString;
  static constexpr size_t kLongString = StringRep::kChunkCapacity / 8;

  // Gives back the sink's own reference and the references no slice took.
  void Retire() {
    if (!chunk_) return;
    const uint32_t give_back = static_cast<uint32_t>(unused_ + 1);
    if (chunk_->refs.fetch_sub(give_back, std::memory_order_acq_rel) == give_back) StringRep::Destroy(chunk_);
    chunk_ = nullptr;
  }

  StringRep* chunk_ = nullptr;
  size_t unused_ = 0;  // references of the chunk that no slice has taken yet
  size_t chunk_capacity_;
};

// The same characters, for the short texts keys are: a word or two at a time rather than a call.
inline bool SameKey(std::string_view a, std::string_view b) noexcept {
  const size_t n = a.size();
  if (n != b.size()) return false;
  const char* x = a.data();
  const char* y = b.data();
  auto load8 = [](const char* p) {
    uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
  };
  auto load4 = [](const char* p) {
    uint32_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
  };
  if (n >= 8) {
    for (size_t i = 0; i + 8 < n; i += 8) {
      if (load8(x + i) != load8(y + i)) return false;
    }
    return load8(x + n - 8) == load8(y + n - 8);  // the last 8, overlapping what was compared
  }
  if (n >= 4) return load4(x) == load4(y) && load4(x + n - 4) == load4(y + n - 4);
  for (size_t i = 0; i < n; ++i) {
    if (x[i] != y[i]) return false;
  }
  return true;
}

// simdjson's tape -> Variant. Its input was validated as UTF-8 as a whole, and it refuses escapes
// that would decode to a lone surrogate, so strings and keys are taken as they are. Every value
// is made in its final place (a slot of its container), never as a temporary to be moved.
//
// Objects at the same depth are mostly records of one kind, so each object is first matched
// against the key table of the last object built at its depth; when every key matches in order
// the new map shares that table and costs one values vector. A mismatch copies the matched prefix
// into a table of its own, which becomes the one to match at that depth.
class TapeBuilder {
 public:
  explicit TapeBuilder(size_t source_size) : strings_(source_size) {}
  ~TapeBuilder() {
    for (MapKeys* keys : shapes_) {
      if (keys) MapKeys::Release(keys);
    }
  }
  TapeBuilder(const TapeBuilder&) = delete;
  TapeBuilder& operator=(const TapeBuilder&) = delete;

  // Makes the null |out| the value of |element|.
  void BuildInto(Variant& out, simdjson::dom::element element) {
    switch (element.type()) {
      case simdjson::dom::element_type::ARRAY: {
        simdjson::dom::array array = element.get_array().value_unsafe();
        auto* rep = ArrayRep::Create(array.size());
        HeapRep::PutHeap(out, Kind::kArray, rep);
        ++depth_;
        for (simdjson::dom::element item : array) BuildInto(rep->items.emplace_back(), item);
        --depth_;
        return;
      }
      case simdjson::dom::element_type::OBJECT:
        return BuildObject(out, element.get_object().value_unsafe());
      case simdjson::dom::element_type::INT64:
        return HeapRep::PutScalar(out, Kind::kInteger, static_cast<uint64_t>(element.get_int64().value_unsafe()));
      case simdjson::dom::element_type::UINT64:  // only past the signed range
        return HeapRep::PutScalar(out, Kind::kInteger, element.get_uint64().value_unsafe(), true);
      case simdjson::dom::element_type::DOUBLE:
        return HeapRep::PutScalar(out, Kind::kDouble, std::bit_cast<uint64_t>(element.get_double().value_unsafe()));
      case simdjson::dom::element_type::STRING:
        return strings_.MakeInto(out, element.get_string().value_unsafe());
      case simdjson::dom::element_type::BOOL:
        return HeapRep::PutScalar(out, Kind::kBool, element.get_bool().value_unsafe() ? 1 : 0);
      case simdjson::dom::element_type::NULL_VALUE:
        return;
    }
  }

 private:
  // The values are built straight into the map's own room, before the map knows its keys.
  void BuildObject(Variant& out, simdjson::dom::object object) {
    const size_t depth = depth_;
    if (shapes_.size() <= depth) shapes_.resize(depth + 1, nullptr);
    MapKeys* shape = shapes_[depth];
    MapKeys* own = nullptr;  // once the keys part from |shape|
    MapRep* map = MapRep::Create(nullptr, object.size());
    HeapRep::PutHeap(out, Kind::kMap, map);
    internal::ValueList& values = map->values;
    ++depth_;
    for (simdjson::dom::key_value_pair field : object) {
      const size_t i = values.size();
      if (!own && !(shape && i < shape->size() && SameKey(shape->Name(i), field.key))) own = Diverge(shape, i);
      if (own) {
        strings_.MakeInto(own->names.emplace_back(), field.key);
        own->hashes.push_back(internal::HashKey(field.key));
      }
      BuildInto(values.emplace_back(), field.value);
    }
    --depth_;
    if (!own && !(shape && values.size() == shape->size())) own = Diverge(shape, values.size());
    if (!own) {
      MapKeys::AddRef(shape);
      map->keys = shape;
      return;
    }
    if (own->names.empty()) {  // {} is no pattern for its siblings
      delete own;
      return;
    }
    own->IndexMerging(values);
    if (shape) MapKeys::Release(shape);
    MapKeys::AddRef(own);
    shapes_[depth] = own;
    map->keys = own;
  }

  // A fresh key table holding the first |matched| names of |shape|.
  static MapKeys* Diverge(const MapKeys* shape, size_t matched) {
    auto* own = new MapKeys();
    if (matched > 0) {
      own->names.assign(shape->names.begin(), shape->names.begin() + static_cast<ptrdiff_t>(matched));
      own->hashes.assign(shape->hashes.begin(), shape->hashes.begin() + static_cast<ptrdiff_t>(matched));
    }
    return own;
  }

  StringSink strings_;
  size_t depth_ = 0;
  std::vector<MapKeys*> shapes_;  // by depth: the last key table built there (one reference each)
};

// The tape and string buffers of a parser are worth keeping between documents (allocating and
// faulting them in costs more than parsing a small one), so each thread keeps one; it grows to
// the largest document it has met, up to this much text. Larger documents get a parser of their
// own that goes away with the parse.
constexpr size_t kKeptParserCapacity = 16 * 1024 * 1024;

std::unique_ptr<simdjson::dom::parser> NewParser(size_t capacity) {
  auto parser = std::make_unique<simdjson::dom::parser>(std::max<size_t>(capacity, kKeptParserCapacity));
  // Grows with the documents (keeping this depth) from a small start.
  if (parser->allocate(std::min<size_t>(capacity, 64 * 1024), kMaxDepth) != simdjson::SUCCESS) return nullptr;
  return parser;
}

// The simdjson tier; false when simdjson refuses the document (the caller falls back). The
// parser copies the text into a padded buffer of its own that it keeps with the parser, so a
// large document costs one memcpy rather than a fresh allocation faulted in page by page.
bool ParseWithSimdjson(std::string_view json, Variant& out) {
  thread_local std::unique_ptr<simdjson::dom::parser> kept_parser;
  std::unique_ptr<simdjson::dom::parser> own_parser;
  simdjson::dom::parser* parser;
  if (json.size() > kKeptParserCapacity) {
    own_parser = NewParser(json.size());
    parser = own_parser.get();
  } else {
    if (!kept_parser) kept_parser = NewParser(json.size());
    parser = kept_parser.get();
  }
  if (!parser) return false;
  simdjson::dom::element root;
  if (parser->parse(json.data(), json.size(), true).get(root) != simdjson::SUCCESS) return false;
  out = Variant();
  TapeBuilder(json.size()).BuildInto(out, root);
  return true;
}

// A JSON number's text as a Variant: an integer when it has neither fraction nor exponent and
// fits 64 bits (signed, else unsigned), otherwise a double. A number too large for a double is
// refused, as no JSON number stands for infinity; one too small becomes a zero of its sign.
bool ConvertNumber(std::string_view text, Variant& out) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (text.find_first_of(".eE") == std::string_view::npos) {
    long long signed_value = 0;
    if (std::from_chars(begin, end, signed_value).ec == std::errc()) {
      out = Variant(signed_value);
      return true;
    }
    unsigned long long unsigned_value = 0;
    if (text[0] != '-' && std::from_chars(begin, end, unsigned_value).ec == std::errc()) {
      out = Variant(unsigned_value);
      return true;
    }
  }
  double value = 0;
  const std::from_chars_result result = std::from_chars(begin, end, value);
  if (result.ec == std::errc() && std::isfinite(value)) {
    out = Variant(value);
    return true;
  }
  if (result.ec != std::errc::result_out_of_range) return false;
  // Out of range. The decimal exponent of the leading significant digit says which way: the
  // position of the point relative to that digit, plus the written exponent.
  const size_t exponent_at = text.find_first_of("eE");
  const std::string_view mantissa = text.substr(0, exponent_at);
  const size_t first_digit = mantissa.find_first_of("123456789");
  if (first_digit != std::string_view::npos) {
    long long magnitude = static_cast<long long>(std::min(mantissa.find('.'), mantissa.size())) -
                          static_cast<long long>(first_digit);
    if (exponent_at != std::string_view::npos) {
      std::string_view digits = text.substr(exponent_at + 1);
      if (digits.front() == '+') digits.remove_prefix(1);
      long long exponent = 0;
      if (std::from_chars(digits.data(), digits.data() + digits.size(), exponent).ec != std::errc()) {
        // Past the range of long long: only its sign matters.
        constexpr long long kHuge = std::numeric_limits<long long>::max() / 2;
        exponent = digits.front() == '-' ? -kHuge : kHuge;
      }
      magnitude += exponent;
    }
    if (magnitude > 0) return false;
  }
  out = Variant(text[0] == '-' ? -0.0 : 0.0);
  return true;
}

// RapidJSON's events -> Variant, for the documents simdjson refuses: the rare tier, so it keeps
// to plain stacks and builds every object its own key table.
class TreeBuilder : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, TreeBuilder> {
 public:
  explicit TreeBuilder(size_t source_size) : strings_(source_size) {}
  TreeBuilder(const TreeBuilder&) = delete;
  TreeBuilder& operator=(const TreeBuilder&) = delete;

  bool Null() { return Put(Variant()); }
  bool Bool(bool b) { return Put(Variant(b)); }
  // Numbers arrive as their text (RapidJSON has checked the grammar) and are converted here:
  // RapidJSON's own full-precision conversion reads out of bounds on long mantissas with large
  // negative exponents, and lets some overflows through as infinity.
  bool RawNumber(const char* s, rapidjson::SizeType n, bool) {
    Variant number;
    return ConvertNumber(std::string_view(s, n), number) && Put(std::move(number));
  }
  bool String(const char* s, rapidjson::SizeType n, bool) {
    std::string_view text(s, n);
    if (!IsValidUtf8(text)) return false;
    return Put(strings_.Make(text));
  }

  bool StartObject() { return Open(kObject); }
  bool Key(const char* s, rapidjson::SizeType n, bool) {
    std::string_view key(s, n);
    if (!IsValidUtf8(key)) return false;
    names_.push_back(strings_.Make(key));
    hashes_.push_back(internal::HashKey(key));
    return true;
  }
  bool EndObject(rapidjson::SizeType count) {
    open_.pop_back();
    if (count == 0) return Put(HeapRep::Wrap(Kind::kMap, MapRep::Create(nullptr, 0)));
    auto* keys = new MapKeys();
    keys->names = TakeTail(names_, count);
    keys->hashes = TakeTail(hashes_, count);
    MapRep* map = MapRep::Create(keys, count);
    Variant result = HeapRep::Wrap(Kind::kMap, map);
    TakeTailInto(map->values, count);
    keys->IndexMerging(map->values);
    return Put(std::move(result));
  }

  bool StartArray() { return Open(kArray); }
  bool EndArray(rapidjson::SizeType count) {
    open_.pop_back();
    auto* rep = ArrayRep::Create(count);
    Variant array = HeapRep::Wrap(Kind::kArray, rep);
    TakeTailInto(rep->items, count);
    return Put(std::move(array));
  }

  Variant TakeRoot() { return std::move(root_); }

 private:
  enum : uint8_t { kArray, kObject };

  bool Open(uint8_t container) {
    if (open_.size() >= kMaxDepth) return false;
    open_.push_back(container);
    return true;
  }

  bool Put(Variant&& v) {
    if (open_.empty()) {
      root_ = std::move(v);
    } else {
      values_.push_back(std::move(v));
    }
    return true;
  }

  // Moves the last |count| values into the empty |into|.
  void TakeTailInto(internal::ValueList& into, size_t count) {
    for (auto it = values_.end() - static_cast<ptrdiff_t>(count); it != values_.end(); ++it) {
      HeapRep::MoveIntoNull(into.emplace_back(), *it);
    }
    values_.resize(values_.size() - count);
  }

  template <typename T>
  static std::vector<T> TakeTail(std::vector<T>& stack, size_t count) {
    auto first = stack.end() - static_cast<ptrdiff_t>(count);
    std::vector<T> tail(std::make_move_iterator(first), std::make_move_iterator(stack.end()));
    stack.erase(first, stack.end());
    return tail;
  }

  std::vector<uint8_t> open_;  // kind of every open container, innermost last
  // Members and elements of the open containers, innermost last; a closing container takes its
  // own off the end (a Variant moves as two words).
  std::vector<Variant> values_;
  std::vector<Variant> names_;
  std::vector<uint64_t> hashes_;
  Variant root_;
  StringSink strings_;
};

}  // namespace

Variant Variant::ParseJson(std::string_view json, bool* ok) {
  Variant value;
  if (ParseWithSimdjson(json, value)) {
    if (ok) *ok = true;
    return value;
  }
  // Text outside strings is ASCII by grammar, and the builder checks every decoded string and
  // key for well-formed UTF-8 itself: several times faster than RapidJSON's per-character
  // kParseValidateEncodingFlag, and it also refuses the surrogate that a lone \uDC00-\uDFFF
  // escape would leave in a string.
  // Iterative parsing keeps RapidJSON itself off the call stack however deep the input nests.
  // In-situ parsing of a private, NUL-terminated copy lets RapidJSON read without bounds checks
  // and decode strings in place instead of through its own stack, which saves more than the
  // copy costs.
  constexpr unsigned kFlags =
      rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag | rapidjson::kParseInsituFlag;
  std::unique_ptr<char[]> text(new char[json.size() + 1]);
  if (!json.empty()) std::memcpy(text.get(), json.data(), json.size());
  text[json.size()] = '\0';
  rapidjson::InsituStringStream stream(text.get());
  TreeBuilder builder(json.size());
  rapidjson::Reader reader;
  rapidjson::ParseResult result = reader.Parse<kFlags>(stream, builder);
  // A NUL byte inside the text ends the stream early; that is an invalid document too.
  bool parsed = !result.IsError() && stream.Tell() == json.size();
  if (ok) *ok = parsed;
  return parsed ? builder.TakeRoot() : Variant();
}

bool Variant::FromJsonStr(std::string_view json) {
  bool ok = false;
  *this = ParseJson(json, &ok);
  return ok;
}

}  // namespace base::variant

namespace base::json {

bool JsonValue::ParseFromJson(std::string_view text) {
  bool ok = false;
  value_ = variant::Variant::ParseJson(text, &ok);
  return ok;
}

}  // namespace base::json
