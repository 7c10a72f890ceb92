// The byte format of a change batch: records one after another, each
//   type (1 byte: a ValueType, or 0xFF for a removed key) | key length (LEB128) | key |
//   value (bool 1 byte; 32-bit kinds 4 bytes and 64-bit kinds 8 bytes, little-endian;
//          string: length (LEB128) then bytes; nothing for a removal).
// Later records of a key override earlier ones, across batches too.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/tkv/tkv.h"

namespace host_internal::tkv {

inline constexpr uint8_t kRemovedType = 0xFF;

// One key's value in memory. Scalars keep their bit pattern in `bits` (floats as IEEE bits).
struct Entry {
  base::tkv::ValueType type = base::tkv::kTypeNone;  // kTypeNone marks a removal not yet synced
  bool dirty = false;
  uint64_t bits = 0;
  std::string text;
};

size_t ValueSize(const Entry& entry);
// Bytes one record of `key` with `entry` takes.
size_t RecordSize(std::string_view key, const Entry& entry);
void AppendRecord(std::string& out, std::string_view key, const Entry& entry);

// Calls `apply(key, entry)` for each record (entry.type kTypeNone for a removal). False, with
// `error` saying why, when the batch is malformed; the records before the fault were applied.
bool DecodeBatch(std::string_view batch, const std::function<void(std::string_view, Entry&&)>& apply,
                 std::string* error);

}  // namespace host_internal::tkv
