// base::variant::KeyReader reads one fixed list of keys from many maps, as a comparison reads
// the same few keys of thousands of records: where each key stands is looked up once per key
// table and reused for every map that shares the table (records of one shape), so reading a map
// costs a few array accesses instead of a hashed lookup per key.
//
//   thread_local base::variant::KeyReader reader({"nickname", "user_id"});
//   const base::variant::Variant* values[2];
//   reader.Read(record, values);     // values[0]: the "nickname" value, or null when absent
//
// The values read are the map's own and valid while the map is unchanged. A reader remembers a
// few key tables (and keeps them alive); it is not thread-safe: one per thread or per caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "base/variant/variant.h"

namespace base::variant {

namespace internal {
struct MapKeys;
}  // namespace internal

class KeyReader {
 public:
  explicit KeyReader(std::initializer_list<std::string_view> keys);
  ~KeyReader();
  KeyReader(const KeyReader&) = delete;
  KeyReader& operator=(const KeyReader&) = delete;

  size_t size() const noexcept { return keys_.size(); }
  // values[i] = the value of key i in |map|, or null when absent or |map| is not a map.
  // |values| has room for size() pointers.
  void Read(const Variant& map, const Variant** values);

 private:
  static constexpr uint32_t kAbsent = 0xffffffff;
  static constexpr size_t kTables = 4;
  struct Table {
    internal::MapKeys* keys = nullptr;  // referenced
    std::vector<uint32_t> positions;    // of each key in |keys|, or kAbsent
  };

  std::vector<std::string> keys_;
  Table tables_[kTables];
  size_t next_ = 0;  // the table to replace next
};

}  // namespace base::variant
