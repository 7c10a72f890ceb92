#include "base/tkv/tkv_record.h"

namespace host_internal::tkv {
namespace {

using base::tkv::ValueType;

size_t VarintSize(uint64_t value) {
  size_t size = 1;
  while (value >= 0x80) {
    value >>= 7;
    ++size;
  }
  return size;
}

void AppendVarint(std::string& out, uint64_t value) {
  while (value >= 0x80) {
    out.push_back(static_cast<char>((value & 0x7F) | 0x80));
    value >>= 7;
  }
  out.push_back(static_cast<char>(value));
}

void AppendFixed(std::string& out, uint64_t value, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

size_t FixedSize(ValueType type) {
  switch (type) {
    case base::tkv::kTypeBool:
      return 1;
    case base::tkv::kTypeInt32:
    case base::tkv::kTypeUInt32:
    case base::tkv::kTypeFloat:
      return 4;
    case base::tkv::kTypeInt64:
    case base::tkv::kTypeUInt64:
    case base::tkv::kTypeDouble:
      return 8;
    default:
      return 0;
  }
}

class Reader {
 public:
  explicit Reader(std::string_view data) : data_(data) {}
  bool done() const { return pos_ == data_.size(); }
  size_t pos() const { return pos_; }
  bool Byte(uint8_t* out) {
    if (pos_ >= data_.size()) return false;
    *out = static_cast<uint8_t>(data_[pos_++]);
    return true;
  }
  bool Varint(uint64_t* out) {
    uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      uint8_t byte;
      if (!Byte(&byte)) return false;
      value |= static_cast<uint64_t>(byte & 0x7F) << shift;
      if (!(byte & 0x80)) {
        *out = value;
        return true;
      }
    }
    return false;
  }
  bool Fixed(size_t bytes, uint64_t* out) {
    if (data_.size() - pos_ < bytes) return false;
    uint64_t value = 0;
    for (size_t i = 0; i < bytes; ++i) value |= static_cast<uint64_t>(static_cast<uint8_t>(data_[pos_ + i])) << (8 * i);
    pos_ += bytes;
    *out = value;
    return true;
  }
  bool Bytes(uint64_t length, std::string_view* out) {
    if (data_.size() - pos_ < length) return false;
    *out = data_.substr(pos_, length);
    pos_ += length;
    return true;
  }

 private:
  std::string_view data_;
  size_t pos_ = 0;
};

}  // namespace

size_t ValueSize(const Entry& entry) {
  if (entry.type == base::tkv::kTypeString) return VarintSize(entry.text.size()) + entry.text.size();
  return FixedSize(entry.type);
}

size_t RecordSize(std::string_view key, const Entry& entry) {
  return 1 + VarintSize(key.size()) + key.size() + ValueSize(entry);
}

void AppendRecord(std::string& out, std::string_view key, const Entry& entry) {
  out.push_back(static_cast<char>(entry.type == base::tkv::kTypeNone ? kRemovedType : static_cast<uint8_t>(entry.type)));
  AppendVarint(out, key.size());
  out.append(key);
  if (entry.type == base::tkv::kTypeString) {
    AppendVarint(out, entry.text.size());
    out.append(entry.text);
  } else {
    AppendFixed(out, entry.bits, FixedSize(entry.type));
  }
}

bool DecodeBatch(std::string_view batch, const std::function<void(std::string_view, Entry&&)>& apply,
                 std::string* error) {
  Reader reader(batch);
  while (!reader.done()) {
    const size_t start = reader.pos();
    auto fail = [&](const char* what) {
      if (error) *error = std::string(what) + " in the record at byte " + std::to_string(start);
      return false;
    };
    uint8_t type;
    uint64_t key_length;
    std::string_view key;
    if (!reader.Byte(&type)) return fail("truncated type");
    if (type != kRemovedType && type > base::tkv::kTypeString) return fail("unknown value type");
    if (!reader.Varint(&key_length) || !reader.Bytes(key_length, &key)) return fail("truncated key");
    Entry entry;
    if (type == kRemovedType) {
      entry.type = base::tkv::kTypeNone;
    } else {
      entry.type = static_cast<ValueType>(type);
      if (entry.type == base::tkv::kTypeString) {
        uint64_t length;
        std::string_view text;
        if (!reader.Varint(&length) || !reader.Bytes(length, &text)) return fail("truncated string value");
        entry.text.assign(text);
      } else if (!reader.Fixed(FixedSize(entry.type), &entry.bits)) {
        return fail("truncated value");
      }
      if (entry.type == base::tkv::kTypeBool && entry.bits > 1) return fail("invalid bool value");
    }
    apply(key, std::move(entry));
  }
  return true;
}

}  // namespace host_internal::tkv
