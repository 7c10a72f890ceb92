// base::variant::Variant is the dynamic value that crosses every model boundary: command
// arguments, answers and event payloads.
//
//   Variant user = Variant::Map();
//   user["nick_name"] = "Alice";
//   user.Set("user_index", int64_t{42});
//   int64_t index = user.GetInteger("user_index", -1);   // 42
//   std::string n = user.GetString("missing", "none");    // "none"
//
// Every reader is total: reading a key of a non-map, an index of a non-array or a value of the
// wrong kind yields the default (or the kind's neutral value: false, 0, "", null) and never
// crashes. Readers are strict about kinds; the only conversion is integer -> double.
//
// A Variant is 16 bytes. Null, bool, integer, double, pointer and strings of up to 13 bytes live
// inline; longer strings, arrays, maps and weak references live in a shared, reference-counted
// representation that is copied only when a shared one is written to (copy on write). A copy is
// therefore cheap; a reference returned by operator[], Set or Add stays valid until the owning
// Variant is next copied or changed in its shape.
//
// Maps keep their keys in insertion order and index them by hash once they grow past a few keys.
// Maps with the same keys in the same order (a copy and its original, the records of one JSON
// array) share one key table, and keep sharing when they gain the same keys in the same order
// (as hidden classes do); a removed key gives a map a table of its own. A list of like records
// therefore costs little more than its values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace base::variant {

// Kind tags, as found in the low 4 bits of the first byte of a Variant.
enum class Kind : uint8_t {
  kNull = 0,
  kBool = 1,
  kString = 2,
  kInteger = 3,
  kDouble = 4,
  kPointer = 5,
  kArray = 6,
  kMap = 7,
  kWeakRef = 9,
};

class KeyReader;

namespace internal {
struct HeapRep;
struct StringRep;
struct ArrayRep;
struct MapRep;
struct WeakRep;
}  // namespace internal

class Variant {
 public:
  using Kind = base::variant::Kind;

  Variant() noexcept = default;
  Variant(std::nullptr_t) noexcept : Variant() {}
  Variant(bool value) noexcept;
  Variant(int value) noexcept : Variant(static_cast<long long>(value)) {}
  Variant(long value) noexcept : Variant(static_cast<long long>(value)) {}
  Variant(long long value) noexcept;
  Variant(unsigned value) noexcept : Variant(static_cast<unsigned long long>(value)) {}
  Variant(unsigned long value) noexcept : Variant(static_cast<unsigned long long>(value)) {}
  Variant(unsigned long long value) noexcept;
  Variant(double value) noexcept;
  Variant(const char* value);  // null pointer gives the empty string
  Variant(std::string_view value);
  Variant(const std::string& value) : Variant(std::string_view(value)) {}
  Variant(std::string&& value);
  // Pointers are stored as plain addresses (kind 5); the Variant never owns them.
  template <typename T>
  Variant(T* pointer) noexcept = delete;  // use FromPointer: avoids char* / bool surprises

  static Variant FromPointer(const void* pointer) noexcept;
  static Variant FromWeak(std::weak_ptr<void> target);
  static Variant Array();  // an empty array
  static Variant Map();    // an empty map

  Variant(const Variant& other) noexcept;
  Variant(Variant&& other) noexcept : raw_(other.raw_) { other.raw_.tag = 0; other.raw_.word = 0; }
  Variant& operator=(const Variant& other) noexcept;
  Variant& operator=(Variant&& other) noexcept {
    // Takes the new value before letting go of the old one: |other| may live inside it.
    if (this == &other) return *this;
    const Raw incoming = other.raw_;
    other.raw_.tag = 0;
    other.raw_.word = 0;
    if (IsHeap()) Release();
    raw_ = incoming;
    return *this;
  }
  ~Variant() { if (IsHeap()) Release(); }

  // The shared null value: what Get and At hand out for anything absent.
  static const Variant& EmptyVariant() noexcept;

  Kind kind() const noexcept { return static_cast<Kind>(raw_.tag & 0x0f); }
  int type() const noexcept { return raw_.tag & 0x0f; }
  bool IsNull() const noexcept { return kind() == Kind::kNull; }
  bool IsBool() const noexcept { return kind() == Kind::kBool; }
  bool IsString() const noexcept { return kind() == Kind::kString; }
  bool IsInteger() const noexcept { return kind() == Kind::kInteger; }
  bool IsDouble() const noexcept { return kind() == Kind::kDouble; }
  bool IsNumber() const noexcept { return IsInteger() || IsDouble(); }
  bool IsPointer() const noexcept { return kind() == Kind::kPointer; }
  bool IsArray() const noexcept { return kind() == Kind::kArray; }
  bool IsMap() const noexcept { return kind() == Kind::kMap; }
  bool IsWeakRef() const noexcept { return kind() == Kind::kWeakRef; }
  // True for an integer built from an unsigned value.
  bool IsUnsigned() const noexcept { return IsInteger() && (raw_.tag & kUnsignedFlag); }

  // Scalar readers: the value when the kind matches, else the kind's neutral value.
  bool AsBoolean() const noexcept { return IsBool() && raw_.word != 0; }
  // Integers are narrowed as static_cast does.
  int32_t AsInt32() const noexcept { return IsInteger() ? static_cast<int32_t>(raw_.word) : 0; }
  uint32_t AsUint32() const noexcept { return IsInteger() ? static_cast<uint32_t>(raw_.word) : 0; }
  int64_t AsInteger() const noexcept { return IsInteger() ? static_cast<int64_t>(raw_.word) : 0; }
  int64_t AsInt64() const noexcept { return AsInteger(); }
  uint64_t AsUint64() const noexcept { return IsInteger() ? raw_.word : 0; }
  double AsDouble() const noexcept;  // integers convert
  std::string AsStr() const;
  std::string_view AsStringView() const noexcept;  // valid while this Variant is unchanged
  const char* AsCStr() const noexcept;             // "" unless a string; NUL-terminated
  void* AsPointer() const noexcept;
  std::shared_ptr<void> LockWeak() const noexcept;  // null unless a live weak reference

  // Map access. On a non-map these see nothing and change nothing, except the writers below,
  // which first turn a null Variant into an empty map.
  bool Has(std::string_view key) const noexcept { return Find(key) != nullptr; }
  const Variant* Find(std::string_view key) const noexcept;
  const Variant& Get(std::string_view key) const noexcept;  // EmptyVariant() when absent
  const Variant& operator[](std::string_view key) const noexcept { return Get(key); }
  // Creates the key (null) when absent. A Variant that is neither null nor a map becomes an
  // empty map first: writing a key always succeeds.
  Variant& operator[](std::string_view key);
  Variant& Set(std::string_view key, Variant value);  // same rules as operator[]; returns the value
  bool Remove(std::string_view key);

  bool GetBoolean(std::string_view key, bool def = false) const noexcept;
  int32_t GetInt32(std::string_view key, int32_t def = 0) const noexcept;
  uint32_t GetUint32(std::string_view key, uint32_t def = 0) const noexcept;
  int64_t GetInteger(std::string_view key, int64_t def = 0) const noexcept;
  int64_t GetInt64(std::string_view key, int64_t def = 0) const noexcept { return GetInteger(key, def); }
  uint64_t GetUint64(std::string_view key, uint64_t def = 0) const noexcept;
  double GetDouble(std::string_view key, double def = 0) const noexcept;
  std::string GetString(std::string_view key, std::string_view def = {}) const;
  const char* GetCStr(std::string_view key, const char* def = "") const noexcept;

  // Element count of an array or entry count of a map; 0 for every other kind.
  size_t size() const noexcept;
  bool empty() const noexcept { return size() == 0; }

  // Array access. Add turns a null Variant (or any non-array) into an array first.
  const Variant& At(size_t index) const noexcept;  // EmptyVariant() out of range
  Variant& Add(Variant value);
  bool RemoveAt(size_t index);
  std::span<const Variant> Elements() const noexcept;  // empty unless an array
  // Writable elements of an array, for reordering in place (empty unless an array). A shared
  // array is unshared first, so copies keep their order; the span is valid until this Variant
  // is next copied, assigned or resized.
  std::span<Variant> MutableElements();

  // Map iteration in insertion order: KeyAt/ValueAt for i < size().
  std::string_view KeyAt(size_t index) const noexcept;
  const Variant& ValueAt(size_t index) const noexcept;
  // True when both are maps with keys that live in one shared key table (the same keys in the
  // same order, kept once for both).
  bool SharesKeysWith(const Variant& other) const noexcept;

  // JSON. Pointers and weak references serialise as null. FromJsonStr replaces this value and
  // returns false (leaving null) on an invalid document.
  std::string ToJsonStr() const;
  bool FromJsonStr(std::string_view json);
  static Variant ParseJson(std::string_view json, bool* ok = nullptr);

  // Deep equality; integers compare by value whatever their signedness flag.
  bool operator==(const Variant& other) const noexcept;
  bool operator!=(const Variant& other) const noexcept { return !(*this == other); }

 private:
  friend struct internal::HeapRep;
  friend class KeyReader;
  static constexpr uint8_t kUnsignedFlag = 0x10;
  static constexpr uint8_t kHeapFlag = 0x20;
  static constexpr size_t kInlineCapacity = 13;  // + NUL terminator + length byte
  static constexpr uint32_t kWholeRep = 0xffffffff;

  // An inline string occupies bytes 2..15 (characters, then NUL). A heap string refers to
  // slice_length characters at slice_offset of its rep, or to all of it (kWholeRep).
  struct Raw {
    uint8_t tag;            // kind in the low nibble, flags above
    uint8_t len;            // inline string length
    uint16_t slice_offset;  // heap string
    uint32_t slice_length;  // heap string
    uint64_t word;          // payload
  };
  // Every byte starts at zero, so that copying a value copies no indeterminate bytes.
  union {
    Raw raw_{};
    char bytes_[16];
  };

  bool IsHeap() const noexcept { return raw_.tag & kHeapFlag; }
  internal::HeapRep* heap() const noexcept;
  void Release() noexcept;
  internal::MapRep* MutableMap();
  internal::ArrayRep* MutableArray();
  const internal::MapRep* map_rep() const noexcept;
  const internal::ArrayRep* array_rep() const noexcept;
  void SetHeap(Kind kind, internal::HeapRep* rep) noexcept;
  void AssignString(std::string_view value);
  std::string_view HeapString() const noexcept;
};

static_assert(sizeof(Variant) == 16, "Variant must stay two words");

}  // namespace base::variant

namespace base {
using variant::Variant;
}  // namespace base
