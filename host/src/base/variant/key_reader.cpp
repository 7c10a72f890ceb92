#include "base/variant/key_reader.h"

#include "base/variant/variant_rep.h"

namespace base::variant {

using internal::MapKeys;
using internal::MapRep;

KeyReader::KeyReader(std::initializer_list<std::string_view> keys) {
  for (std::string_view key : keys) keys_.emplace_back(key);
}

KeyReader::~KeyReader() {
  for (Table& table : tables_) {
    if (table.keys) MapKeys::Release(table.keys);
  }
}

void KeyReader::Read(const Variant& map, const Variant** values) {
  const MapRep* rep = map.map_rep();
  if (!rep || !rep->keys) {
    for (size_t i = 0; i < keys_.size(); ++i) values[i] = nullptr;
    return;
  }
  const Table* found = nullptr;
  for (const Table& table : tables_) {
    if (table.keys == rep->keys) {
      found = &table;
      break;
    }
  }
  if (!found) {
    // The table is kept alive by the reader, so the same address is never another table's.
    Table& table = tables_[next_];
    next_ = (next_ + 1) % kTables;
    if (table.keys) MapKeys::Release(table.keys);
    MapKeys::AddRef(rep->keys);
    table.keys = rep->keys;
    table.positions.resize(keys_.size());
    for (size_t i = 0; i < keys_.size(); ++i) {
      const size_t at = rep->keys->IndexOf(keys_[i]);
      table.positions[i] = at == MapKeys::kAbsent ? kAbsent : static_cast<uint32_t>(at);
    }
    found = &table;
  }
  const uint32_t* positions = found->positions.data();
  const Variant* entries = rep->values.data();
  for (size_t i = 0; i < keys_.size(); ++i) values[i] = positions[i] == kAbsent ? nullptr : entries + positions[i];
}

}  // namespace base::variant
