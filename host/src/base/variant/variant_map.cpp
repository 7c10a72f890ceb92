// The map representation: values in insertion order beside a key table that maps may share.
#include <algorithm>
#include <bit>
#include <mutex>

#include "base/variant/variant_rep.h"

namespace base::variant::internal {
namespace {

// Guards the transition lists of shared tables, which maps on any thread may extend or leave.
std::mutex& TreeLock() {
  static std::mutex* const lock = new std::mutex();
  return *lock;
}

// A reference to a table that may be on its way out (its count already at zero): false then.
bool TryAddRef(MapKeys* keys) noexcept {
  uint32_t refs = keys->refs.load(std::memory_order_relaxed);
  while (refs != 0) {
    if (keys->refs.compare_exchange_weak(refs, refs + 1, std::memory_order_acq_rel)) return true;
  }
  return false;
}

// Smallest power of two that keeps |n| names at a load of at most 3/4.
uint32_t SlotCountFor(size_t n) noexcept {
  size_t want = (n * 4 + 2) / 3 + 1;
  return static_cast<uint32_t>(std::bit_ceil(std::max<size_t>(want, 16)));
}

}  // namespace

MapKeys::MapKeys(const MapKeys& other) : names(other.names), hashes(other.hashes), mask(other.mask) {
  if (other.slots) {
    slots.reset(new Slot[size_t{mask} + 1]);
    std::memcpy(slots.get(), other.slots.get(), (size_t{mask} + 1) * sizeof(Slot));
  }
}

void MapKeys::Free(MapKeys* keys) noexcept {
  // Up the tree without recursion: each freed table lets go of the one it extends.
  while (keys) {
    MapKeys* parent = keys->parent;
    if (parent) {
      std::lock_guard<std::mutex> lock(TreeLock());
      auto& siblings = parent->extended;
      siblings.erase(std::find(siblings.begin(), siblings.end(), keys));
    }
    delete keys;
    keys = parent && parent->refs.fetch_sub(1, std::memory_order_acq_rel) == 1 ? parent : nullptr;
  }
}

MapKeys* MapKeys::Extended(MapKeys* from, std::string_view key, uint64_t hash) {
  if (from->depth >= kMaxTransitionDepth || from->names.size() >= kMaxTransitionNames) return nullptr;
  std::lock_guard<std::mutex> lock(TreeLock());
  for (MapKeys* next : from->extended) {
    if (next->hashes.back() == hash && next->Name(next->size() - 1) == key && TryAddRef(next)) return next;
  }
  if (from->extended.size() >= kMaxTransitions) return nullptr;
  auto* next = new MapKeys(*from);
  next->Append(Variant(key), hash);
  next->parent = from;
  AddRef(from);
  next->depth = static_cast<uint8_t>(from->depth + 1);
  from->extended.push_back(next);
  return next;
}

void MapKeys::AllocateIndex(size_t count) {
  const uint32_t slot_count = SlotCountFor(count);
  slots.reset(new Slot[slot_count]());
  mask = slot_count - 1;
}

void MapKeys::InsertSlot(uint64_t hash, uint32_t index) noexcept {
  size_t pos = hash & mask;
  while (slots[pos].index_plus_one != 0) pos = (pos + 1) & mask;
  slots[pos] = Slot{static_cast<uint32_t>(hash >> 32), index + 1};
}

void MapKeys::RebuildIndex() {
  if (names.size() <= kIndexThreshold) {
    slots.reset();
    mask = 0;
    return;
  }
  AllocateIndex(names.size());
  for (size_t i = 0; i < names.size(); ++i) InsertSlot(hashes[i], static_cast<uint32_t>(i));
}

void MapKeys::Append(Variant name, uint64_t hash) {
  names.push_back(std::move(name));
  hashes.push_back(hash);
  const size_t n = names.size();
  if (n <= kIndexThreshold) return;
  if (!slots || n * 4 > (size_t{mask} + 1) * 3) {
    RebuildIndex();
  } else {
    InsertSlot(hash, static_cast<uint32_t>(n - 1));
  }
}

void MapKeys::EraseAt(size_t index) {
  names.erase(names.begin() + static_cast<ptrdiff_t>(index));
  hashes.erase(hashes.begin() + static_cast<ptrdiff_t>(index));
  RebuildIndex();
}

void MapKeys::IndexMerging(ValueList& values) {
  const size_t n = names.size();
  std::vector<bool> dead;
  auto fold = [&](size_t into, size_t from) {
    values[into] = std::move(values[from]);
    if (dead.empty()) dead.resize(n);
    dead[from] = true;
  };
  if (n > kIndexThreshold) {
    AllocateIndex(n);
    for (size_t i = 0; i < n; ++i) {
      const size_t earlier = IndexOf(Name(i), hashes[i]);
      if (earlier != kAbsent) {
        fold(earlier, i);
      } else {
        InsertSlot(hashes[i], static_cast<uint32_t>(i));
      }
    }
  } else {
    for (size_t i = 1; i < n; ++i) {
      for (size_t j = 0; j < i; ++j) {
        if ((dead.empty() || !dead[j]) && hashes[j] == hashes[i] && Name(j) == Name(i)) {
          fold(j, i);
          break;
        }
      }
    }
  }
  if (dead.empty()) return;
  size_t out = 0;
  for (size_t i = 0; i < n; ++i) {
    if (dead[i]) continue;
    if (out != i) {
      names[out] = std::move(names[i]);
      hashes[out] = hashes[i];
      values[out] = std::move(values[i]);
    }
    ++out;
  }
  names.resize(out);
  hashes.resize(out);
  values.Truncate(out);
  RebuildIndex();
}

MapRep* MapRep::Create(MapKeys* table, size_t capacity) {
  void* block = ::operator new(sizeof(MapRep) + capacity * sizeof(Variant));
  return new (block) MapRep(table, capacity);
}

MapRep* MapRep::CopyOf(const MapRep& other) {
  MapRep* rep = Create(nullptr, other.values.size());
  rep->keys = other.keys;
  if (rep->keys) MapKeys::AddRef(rep->keys);
  for (const Variant& value : other.values) rep->values.emplace_back() = value;
  return rep;
}

void MapRep::Destroy(MapRep* rep) noexcept {
  rep->~MapRep();
  ::operator delete(static_cast<void*>(rep));
}

MapKeys* MapRep::MutableKeys() {
  if (!keys) {
    keys = new MapKeys();
  } else if (!keys->IsWritable()) {
    auto* own = new MapKeys(*keys);
    MapKeys::Release(keys);
    keys = own;
  }
  return keys;
}

Variant& MapRep::FindOrInsert(std::string_view key) {
  uint64_t hash;
  if (keys && keys->slots) {
    hash = HashKey(key);
    const size_t i = keys->IndexOf(key, hash);
    if (i != MapKeys::kAbsent) return values[i];
  } else {
    const size_t i = keys ? keys->IndexOf(key) : MapKeys::kAbsent;
    if (i != MapKeys::kAbsent) return values[i];
    hash = HashKey(key);
  }
  if (keys && !keys->IsWritable()) {
    // Others have this table: move to the one they move to when they gain the same key.
    if (MapKeys* next = MapKeys::Extended(keys, key, hash)) {
      MapKeys::Release(keys);
      keys = next;
      values.emplace_back();
      return values.back();
    }
  }
  MutableKeys()->Append(Variant(key), hash);
  values.emplace_back();
  return values.back();
}

bool MapRep::Erase(std::string_view key) {
  const size_t i = keys ? keys->IndexOf(key) : MapKeys::kAbsent;
  if (i == MapKeys::kAbsent) return false;
  MutableKeys()->EraseAt(i);
  values.EraseAt(i);
  return true;
}

}  // namespace base::variant::internal
