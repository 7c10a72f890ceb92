// Shared representations behind a heap Variant. Private to the host's base library: the JSON
// reader builds maps and arrays directly from these to avoid re-hashing and re-copying.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
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
  // Moves |from| into |to|, which must be null (so there is nothing to release).
  static void MoveIntoNull(Variant& to, Variant& from) noexcept {
    to.raw_ = from.raw_;
    from.raw_.tag = 0;
    from.raw_.word = 0;
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

  // Appends |s| and a NUL to a chunk with enough room left; the new Variant holds a reference.
  static Variant AppendSlice(StringRep* chunk, std::string_view s) noexcept {
    const size_t offset = chunk->size;
    std::memcpy(chunk->data() + offset, s.data(), s.size());
    chunk->data()[offset + s.size()] = '\0';
    chunk->size = offset + s.size() + 1;
    chunk->AddRef();
    return Slice(chunk, static_cast<uint16_t>(offset), static_cast<uint32_t>(s.size()));
  }

 private:
  explicit StringRep(size_t n) noexcept : HeapRep(Kind::kString), size(n) {}
};

static_assert(StringRep::kChunkCapacity <= 0x10000, "slice offsets are 16 bits");

struct ArrayRep : HeapRep {
  ArrayRep() noexcept : HeapRep(Kind::kArray) {}
  ArrayRep(const ArrayRep& other) : HeapRep(Kind::kArray), items(other.items) {}

  std::vector<Variant> items;
};

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

struct MapEntry {
  std::string key;
  uint64_t hash;
  Variant value;
};

// Entries in insertion order. Small maps are scanned; past kIndexThreshold entries an
// open-addressing table (linear probing, load <= 3/4) maps hashes to entry positions.
struct MapRep : HeapRep {
  static constexpr size_t kIndexThreshold = 8;

  // A slot holds the upper hash bits, to reject most mismatches without touching the entry,
  // and the entry position plus one (0 marks a free slot).
  struct Slot {
    uint32_t tag;
    uint32_t index_plus_one;
  };

  MapRep() noexcept : HeapRep(Kind::kMap) {}
  MapRep(const MapRep& other);
  // Takes |entries| as they come (a JSON object): later duplicates overwrite the earlier value
  // in the earlier position.
  explicit MapRep(std::vector<MapEntry>&& entries);

  std::vector<MapEntry> entries;
  std::unique_ptr<Slot[]> slots;
  uint32_t mask = 0;  // slot count - 1 when indexed

  const MapEntry* Find(std::string_view key) const noexcept {
    if (!slots) {
      for (const MapEntry& e : entries) {
        if (std::string_view(e.key) == key) return &e;
      }
      return nullptr;
    }
    return FindIndexed(key, HashKey(key));
  }
  MapEntry* Find(std::string_view key) noexcept {
    return const_cast<MapEntry*>(static_cast<const MapRep*>(this)->Find(key));
  }

  // The value under |key|, appended as null when absent.
  Variant& FindOrInsert(std::string_view key);
  bool Erase(std::string_view key);

 private:
  const MapEntry* FindIndexed(std::string_view key, uint64_t hash) const noexcept {
    const uint32_t tag = static_cast<uint32_t>(hash >> 32);
    size_t pos = hash & mask;
    for (;;) {
      const Slot& s = slots[pos];
      if (s.index_plus_one == 0) return nullptr;
      if (s.tag == tag) {
        const MapEntry& e = entries[s.index_plus_one - 1];
        if (e.hash == hash && std::string_view(e.key) == key) return &e;
      }
      pos = (pos + 1) & mask;
    }
  }
  void Append(std::string&& key, uint64_t hash);
  void RebuildIndex();
  void InsertSlot(uint64_t hash, uint32_t index) noexcept;
  void Deduplicate();
};

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
