// Shared representations behind a heap Variant. Private to the host's base library: the JSON
// reader builds maps and arrays directly from these to avoid re-hashing and re-copying.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "base/variant/variant.h"

namespace base::variant::internal {

struct StringRep;

// Common header. A rep starts with one reference; Release frees it when the last one goes.
struct HeapRep {
  explicit HeapRep(Kind k) noexcept : kind(k) {}

  std::atomic<uint32_t> refs{1};
  Kind kind;

  void AddRef() noexcept { refs.fetch_add(1, std::memory_order_relaxed); }
  bool IsShared() const noexcept { return refs.load(std::memory_order_acquire) != 1; }

  // Drops one reference and frees the rep (and, without recursion, everything only it held).
  static void Release(HeapRep* rep) noexcept;

  // Hands |rep| (one reference) to a new Variant of |kind|.
  static Variant Wrap(Kind kind, HeapRep* rep) noexcept {
    Variant v;
    v.SetHeap(kind, rep);
    return v;
  }
  static HeapRep* Of(const Variant& v) noexcept { return v.IsHeap() ? v.heap() : nullptr; }
  // The characters of |s|, which must be a string: AsStringView without the kind check.
  static std::string_view StringOf(const Variant& s) noexcept {
    return s.IsHeap() ? s.HeapString() : std::string_view(s.bytes_ + 2, s.raw_.len);
  }
  // Moves |from| into |to|, which must be null (so there is nothing to release).
  static void MoveIntoNull(Variant& to, Variant& from) noexcept {
    to.raw_ = from.raw_;
    from.raw_.tag = 0;
    from.raw_.word = 0;
  }
  // Writers into a null Variant |to| (every byte zero), for the JSON reader: the value is made in
  // its final place, with no call and no temporary.
  static void PutScalar(Variant& to, Kind kind, uint64_t word, bool is_unsigned = false) noexcept {
    to.raw_.tag = static_cast<uint8_t>(static_cast<uint8_t>(kind) | (is_unsigned ? Variant::kUnsignedFlag : 0));
    to.raw_.word = word;
  }
  static constexpr size_t kInlineString = Variant::kInlineCapacity;
  // |s| of at most kInlineString characters.
  static void PutInlineString(Variant& to, std::string_view s) noexcept {
    to.raw_.tag = static_cast<uint8_t>(Kind::kString);
    to.raw_.len = static_cast<uint8_t>(s.size());
    if (!s.empty()) std::memcpy(to.bytes_ + 2, s.data(), s.size());
  }
  // Hands |rep| (one reference) to |to|.
  static void PutHeap(Variant& to, Kind kind, HeapRep* rep) noexcept { to.SetHeap(kind, rep); }
  // Hands |to| a slice of the characters of |chars| (one reference).
  static void PutSlice(Variant& to, HeapRep* chars, uint16_t offset, uint32_t length) noexcept {
    to.SetHeap(Kind::kString, chars);
    to.raw_.slice_offset = offset;
    to.raw_.slice_length = length;
  }
  // A string Variant over |length| characters at |offset| of |chars| (whose reference it takes).
  static Variant Slice(HeapRep* chars, uint16_t offset, uint32_t length) noexcept {
    Variant v = Wrap(Kind::kString, chars);
    v.raw_.slice_offset = offset;
    v.raw_.slice_length = length;
    return v;
  }
};

// Characters of strings too long to live inline. A string made in code owns a rep of its own;
// the JSON reader packs the strings of one document into shared chunks, each string followed by
// a NUL, and its Variants refer to a slice (offset, length) of a chunk. That saves one
// allocation per string, the dominant cost of reading a large document.
struct StringRep : HeapRep {
  size_t size;  // bytes in use, NULs included for a chunk

  const char* data() const noexcept { return reinterpret_cast<const char*>(this + 1); }
  char* data() noexcept { return reinterpret_cast<char*>(this + 1); }

  static StringRep* Create(std::string_view s);
  // Room for |capacity| bytes of slices, none in use yet.
  static StringRep* CreateChunk(size_t capacity);
  static void Destroy(StringRep* rep) noexcept;

  // Chunks stay small enough for a slice offset, and so that one retained string keeps little
  // else alive.
  static constexpr size_t kChunkCapacity = 16 * 1024;

  // Appends |s| and a NUL to a chunk with enough room left and makes the null |to| a slice of
  // it. The slice takes a reference the caller has already added to the chunk (see
  // StringSink in the JSON reader: one count per chunk rather than one per string).
  static void AppendSliceInto(Variant& to, StringRep* chunk, std::string_view s) noexcept {
    const size_t offset = chunk->size;
    std::memcpy(chunk->data() + offset, s.data(), s.size());
    chunk->data()[offset + s.size()] = '\0';
    chunk->size = offset + s.size() + 1;
    PutSlice(to, chunk, static_cast<uint16_t>(offset), static_cast<uint32_t>(s.size()));
  }

 private:
  explicit StringRep(size_t n) noexcept : HeapRep(Kind::kString), size(n) {}
};

static_assert(StringRep::kChunkCapacity <= 0x10000, "slice offsets are 16 bits");


struct WeakRep : HeapRep {
  explicit WeakRep(std::weak_ptr<void> t) noexcept : HeapRep(Kind::kWeakRef), target(std::move(t)) {}

  std::weak_ptr<void> target;
};

namespace hash_detail {

__extension__ typedef unsigned __int128 uint128;

constexpr uint64_t kSeed0 = 0xa0761d6478bd642full;
constexpr uint64_t kSeed1 = 0xe7037ed1a0b428dbull;
constexpr uint64_t kSeed2 = 0x8ebc6af09c88c6e3ull;

inline uint64_t Fold(uint64_t a, uint64_t b) noexcept {
  uint128 r = static_cast<uint128>(a) * b;
  return static_cast<uint64_t>(r) ^ static_cast<uint64_t>(r >> 64);
}

inline uint64_t Load64(const char* p) noexcept {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

inline uint64_t Load32(const char* p) noexcept {
  uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

}  // namespace hash_detail

// Hash of a map key: 8 bytes at a time with a 64x64->128 multiply-fold, so that short keys
// (the common case) cost a couple of multiplications.
inline uint64_t HashKey(std::string_view key) noexcept {
  const char* p = key.data();
  const size_t n = key.size();
  using namespace hash_detail;
  uint64_t seed = kSeed0 ^ n;
  uint64_t a;
  uint64_t b;
  if (n <= 16) {
    if (n >= 8) {
      a = Load64(p);
      b = Load64(p + n - 8);
    } else if (n >= 4) {
      a = Load32(p);
      b = Load32(p + n - 4);
    } else if (n > 0) {
      a = (static_cast<uint64_t>(static_cast<uint8_t>(p[0])) << 16) |
          (static_cast<uint64_t>(static_cast<uint8_t>(p[n >> 1])) << 8) |
          static_cast<uint8_t>(p[n - 1]);
      b = 0;
    } else {
      a = b = 0;
    }
  } else {
    size_t left = n;
    while (left > 16) {
      seed = Fold(Load64(p) ^ kSeed1, Load64(p + 8) ^ seed);
      p += 16;
      left -= 16;
    }
    // The last 16 bytes, overlapping what the loop already took when the tail is short.
    a = Load64(p + left - 16);
    b = Load64(p + left - 8);
  }
  return Fold(kSeed2 ^ n, Fold(a ^ kSeed1, b ^ seed));
}

// The key side of a map: names in insertion order, their hashes and, past kIndexThreshold
// names, an open-addressing index (linear probing, load <= 3/4) from hash to position. Maps with
// the same keys in the same order share one table: a copy shares its original's, and the JSON
// reader gives the records of an array one table between them, which takes the keys, their
// hashes and the index out of the per-record cost (and most of the per-record memory). A table
// is only written while it has a single owner.
//
// Maps that share a table and then gain the same key keep sharing, as hidden classes do: the
// shared table records a transition to the table extended by that key, and every map that gains
// the key moves to it. So records that start alike and are given the same keys in the same order
// (the member records a cache annotates) end with one table per distinct key sequence, not one
// each. A transition belongs to the tree of tables: the extended table holds a reference to the
// table it extends, and the extended table is listed, without a reference, among that table's
// transitions until it is freed. Tables in a tree are never written. Trees are bounded in depth
// and breadth, so that maps that gain ever new keys fall back to a table of their own.
//
// Names are string Variants: inline up to 13 characters, and the JSON reader packs longer ones
// into its string chunks instead of giving each an allocation of its own.
class ValueList;

struct MapKeys {
  static constexpr size_t kIndexThreshold = 8;
  static constexpr size_t kAbsent = static_cast<size_t>(-1);
  // Bounds of a transition tree: levels below a table of its own, transitions per table, and
  // names of the tables in a tree.
  static constexpr uint8_t kMaxTransitionDepth = 32;
  static constexpr size_t kMaxTransitions = 8;
  static constexpr size_t kMaxTransitionNames = 256;

  // A slot holds the upper hash bits, to reject most mismatches without touching the names, and
  // the position plus one (0 marks a free slot).
  struct Slot {
    uint32_t tag;
    uint32_t index_plus_one;
  };

  MapKeys() noexcept = default;
  // A table of its own with the same names (outside any transition tree).
  MapKeys(const MapKeys& other);
  MapKeys& operator=(const MapKeys&) = delete;

  std::atomic<uint32_t> refs{1};
  std::vector<Variant> names;
  std::vector<uint64_t> hashes;
  std::unique_ptr<Slot[]> slots;
  uint32_t mask = 0;  // slot count - 1 when indexed
  // Transition tree (guarded by a lock of the tree code while a table is shared).
  MapKeys* parent = nullptr;        // the table this one extends by its last name; referenced
  std::vector<MapKeys*> extended;   // the tables extending this one; not referenced
  uint8_t depth = 0;                // transitions from a table of its own

  static void AddRef(MapKeys* keys) noexcept { keys->refs.fetch_add(1, std::memory_order_relaxed); }
  // Frees the table with its last reference (and the tables above it that only it kept).
  static void Release(MapKeys* keys) noexcept {
    if (keys->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) Free(keys);
  }
  bool IsShared() const noexcept { return refs.load(std::memory_order_acquire) != 1; }
  // False for a table that other maps may come to share through a transition.
  bool IsWritable() const noexcept { return !IsShared() && !parent; }

  // The table |from| extended by |key| that other maps extending |from| by |key| share, with a
  // reference for the caller; null where the tree has no room (the caller takes a copy).
  static MapKeys* Extended(MapKeys* from, std::string_view key, uint64_t hash);

  size_t size() const noexcept { return names.size(); }
  std::string_view Name(size_t i) const noexcept { return HeapRep::StringOf(names[i]); }

  // Position of |key|, or kAbsent.
  size_t IndexOf(std::string_view key) const noexcept {
    if (!slots) {
      for (size_t i = 0; i < names.size(); ++i) {
        if (Name(i) == key) return i;
      }
      return kAbsent;
    }
    return IndexOf(key, HashKey(key));
  }
  size_t IndexOf(std::string_view key, uint64_t hash) const noexcept {
    const uint32_t tag = static_cast<uint32_t>(hash >> 32);
    size_t pos = hash & mask;
    for (;;) {
      const Slot& s = slots[pos];
      if (s.index_plus_one == 0) return kAbsent;
      if (s.tag == tag) {
        const size_t i = s.index_plus_one - 1;
        if (Name(i) == key) return i;
      }
      pos = (pos + 1) & mask;
    }
  }

  void Append(Variant name, uint64_t hash);
  void EraseAt(size_t index);
  // Builds the index of names taken as they came (a JSON object). A name met again folds its
  // value (from the parallel |values|) into the first one's position, as a later write would.
  void IndexMerging(ValueList& values);

 private:
  static void Free(MapKeys* keys) noexcept;
  void RebuildIndex();
  void AllocateIndex(size_t count);
  void InsertSlot(uint64_t hash, uint32_t index) noexcept;
};

// The values of a map or the items of an array, in order. A container made for a known number
// of values (a JSON object or array, a copy) keeps them in its own allocation, right after the
// rep, which halves the allocations of reading a document; one that grows past that room moves
// them to a buffer of their own, as a vector would.
class ValueList {
 public:
  ValueList(Variant* room, size_t capacity) noexcept : data_(room), capacity_(capacity) {}
  ~ValueList() {
    Clear();
    if (data_ != room()) ::operator delete(static_cast<void*>(data_));
  }
  ValueList(const ValueList&) = delete;
  ValueList& operator=(const ValueList&) = delete;

  size_t size() const noexcept { return size_; }
  bool empty() const noexcept { return size_ == 0; }
  Variant* data() noexcept { return data_; }
  const Variant* data() const noexcept { return data_; }
  Variant& operator[](size_t i) noexcept { return data_[i]; }
  const Variant& operator[](size_t i) const noexcept { return data_[i]; }
  Variant* begin() noexcept { return data_; }
  Variant* end() noexcept { return data_ + size_; }
  const Variant* begin() const noexcept { return data_; }
  const Variant* end() const noexcept { return data_ + size_; }
  Variant& back() noexcept { return data_[size_ - 1]; }

  // A null value at the end.
  Variant& emplace_back() {
    if (size_ == capacity_) Grow();
    return *new (data_ + size_++) Variant();
  }
  void EraseAt(size_t i) noexcept {
    for (size_t j = i + 1; j < size_; ++j) data_[j - 1] = std::move(data_[j]);
    data_[--size_].~Variant();
  }
  // Drops the values from |n| on.
  void Truncate(size_t n) noexcept {
    while (size_ > n) data_[--size_].~Variant();
  }

 private:
  // The room the rep was made with, right after it (see MapRep::Create, ArrayRep::Create).
  Variant* room() noexcept;

  void Clear() noexcept { Truncate(0); }
  void Grow() {
    const size_t capacity = capacity_ < 4 ? 4 : capacity_ * 2;
    auto* grown = static_cast<Variant*>(::operator new(capacity * sizeof(Variant)));
    for (size_t i = 0; i < size_; ++i) {
      new (grown + i) Variant(std::move(data_[i]));
      data_[i].~Variant();
    }
    if (data_ != room()) ::operator delete(static_cast<void*>(data_));
    data_ = grown;
    capacity_ = capacity;
  }

  Variant* data_;
  size_t size_ = 0;
  size_t capacity_;
};

// An array's items, like a map's values, in the rep's own allocation while they fit its room.
struct ArrayRep : HeapRep {
  // An empty array with room for |capacity| items.
  static ArrayRep* Create(size_t capacity);
  static ArrayRep* CopyOf(const ArrayRep& other);
  static void Destroy(ArrayRep* rep) noexcept;

  ValueList items;

 private:
  explicit ArrayRep(size_t capacity) noexcept
      : HeapRep(Kind::kArray), items(reinterpret_cast<Variant*>(this + 1), capacity) {}
};

static_assert(sizeof(ArrayRep) == sizeof(HeapRep) + sizeof(ValueList) && sizeof(ArrayRep) % alignof(Variant) == 0,
              "the items' room starts where the list ends");

struct MapRep : HeapRep {
  // A map with room for |capacity| values in its own allocation, taking one reference to |table|
  // (null for no keys); the caller adds values matching the names one to one.
  static MapRep* Create(MapKeys* table, size_t capacity);
  // A copy sharing |other|'s key table.
  static MapRep* CopyOf(const MapRep& other);
  static void Destroy(MapRep* rep) noexcept;

  MapKeys* keys = nullptr;
  ValueList values;

  const Variant* Find(std::string_view key) const noexcept {
    if (!keys) return nullptr;
    const size_t i = keys->IndexOf(key);
    return i == MapKeys::kAbsent ? nullptr : &values[i];
  }
  std::string_view KeyAt(size_t i) const noexcept { return keys->Name(i); }

  // The value under |key|, appended as null when absent.
  Variant& FindOrInsert(std::string_view key);
  bool Erase(std::string_view key);

 private:
  MapRep(MapKeys* table, size_t capacity) noexcept
      : HeapRep(Kind::kMap), keys(table), values(reinterpret_cast<Variant*>(this + 1), capacity) {}
  ~MapRep() {
    if (keys) MapKeys::Release(keys);
  }

  // The table, made this map's own first when others may see it.
  MapKeys* MutableKeys();
};

static_assert(sizeof(MapRep) == sizeof(HeapRep) + sizeof(MapKeys*) + sizeof(ValueList) &&
                  sizeof(MapRep) % alignof(Variant) == 0,
              "the values' room starts where the list ends");

inline Variant* ValueList::room() noexcept {
  // The list is the last member of its rep, and the room starts where the rep ends.
  return reinterpret_cast<Variant*>(reinterpret_cast<char*>(this) + sizeof(ValueList));
}

}  // namespace base::variant::internal

namespace base::variant {

inline internal::HeapRep* Variant::heap() const noexcept {
  return reinterpret_cast<internal::HeapRep*>(static_cast<uintptr_t>(raw_.word));
}

inline void Variant::SetHeap(Kind kind, internal::HeapRep* rep) noexcept {
  raw_.tag = static_cast<uint8_t>(kind) | kHeapFlag;
  raw_.len = 0;
  raw_.slice_offset = 0;
  raw_.slice_length = kWholeRep;
  raw_.word = reinterpret_cast<uintptr_t>(rep);
}

inline std::string_view Variant::HeapString() const noexcept {
  const auto* rep = static_cast<const internal::StringRep*>(heap());
  if (raw_.slice_length == kWholeRep) return {rep->data(), rep->size};
  return {rep->data() + raw_.slice_offset, raw_.slice_length};
}

}  // namespace base::variant
