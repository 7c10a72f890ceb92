// The map representation: insertion-ordered entries plus, for larger maps, a hash index.
#include <algorithm>
#include <bit>

#include "base/variant/variant_rep.h"

namespace base::variant::internal {
namespace {

// Smallest power of two that keeps |n| entries at a load of at most 3/4.
uint32_t SlotCountFor(size_t n) noexcept {
  size_t want = (n * 4 + 2) / 3 + 1;
  return static_cast<uint32_t>(std::bit_ceil(std::max<size_t>(want, 16)));
}

}  // namespace

MapRep::MapRep(const MapRep& other) : HeapRep(Kind::kMap), entries(other.entries), mask(other.mask) {
  if (other.slots) {
    slots.reset(new Slot[size_t{mask} + 1]);
    std::memcpy(slots.get(), other.slots.get(), (size_t{mask} + 1) * sizeof(Slot));
  }
}

MapRep::MapRep(std::vector<MapEntry>&& taken) : HeapRep(Kind::kMap), entries(std::move(taken)) {
  Deduplicate();
}

void MapRep::InsertSlot(uint64_t hash, uint32_t index) noexcept {
  size_t pos = hash & mask;
  while (slots[pos].index_plus_one != 0) pos = (pos + 1) & mask;
  slots[pos] = Slot{static_cast<uint32_t>(hash >> 32), index + 1};
}

void MapRep::RebuildIndex() {
  if (entries.size() <= kIndexThreshold) {
    slots.reset();
    mask = 0;
    return;
  }
  const uint32_t count = SlotCountFor(entries.size());
  slots.reset(new Slot[count]());
  mask = count - 1;
  for (size_t i = 0; i < entries.size(); ++i) InsertSlot(entries[i].hash, static_cast<uint32_t>(i));
}

void MapRep::Append(std::string&& key, uint64_t hash) {
  entries.push_back(MapEntry{std::move(key), hash, Variant()});
  const size_t n = entries.size();
  if (n <= kIndexThreshold) return;
  if (!slots || n * 4 > (size_t{mask} + 1) * 3) {
    RebuildIndex();
  } else {
    InsertSlot(hash, static_cast<uint32_t>(n - 1));
  }
}

Variant& MapRep::FindOrInsert(std::string_view key) {
  uint64_t hash;
  if (slots) {
    hash = HashKey(key);
    if (const MapEntry* e = FindIndexed(key, hash)) return const_cast<MapEntry*>(e)->value;
  } else {
    if (MapEntry* e = Find(key)) return e->value;
    hash = HashKey(key);
  }
  Append(std::string(key), hash);
  return entries.back().value;
}

bool MapRep::Erase(std::string_view key) {
  const MapEntry* e = Find(key);
  if (!e) return false;
  entries.erase(entries.begin() + (e - entries.data()));
  RebuildIndex();
  return true;
}

void MapRep::Deduplicate() {
  const size_t n = entries.size();
  std::vector<bool> dead;
  auto fold = [&](size_t into, size_t from) {
    entries[into].value = std::move(entries[from].value);
    if (dead.empty()) dead.resize(n);
    dead[from] = true;
  };
  if (n > kIndexThreshold) {
    const uint32_t count = SlotCountFor(n);
    slots.reset(new Slot[count]());
    mask = count - 1;
    for (size_t i = 0; i < n; ++i) {
      const MapEntry& e = entries[i];
      if (const MapEntry* earlier = FindIndexed(e.key, e.hash)) {
        fold(static_cast<size_t>(earlier - entries.data()), i);
      } else {
        InsertSlot(e.hash, static_cast<uint32_t>(i));
      }
    }
  } else {
    for (size_t i = 1; i < n; ++i) {
      for (size_t j = 0; j < i; ++j) {
        if ((dead.empty() || !dead[j]) && entries[j].hash == entries[i].hash &&
            entries[j].key == entries[i].key) {
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
    if (out != i) entries[out] = std::move(entries[i]);
    ++out;
  }
  entries.erase(entries.begin() + static_cast<ptrdiff_t>(out), entries.end());
  RebuildIndex();
}

}  // namespace base::variant::internal
