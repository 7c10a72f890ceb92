#include "utils/user_list/user_list_bulk_placement.h"

#include <algorithm>

#include "framework/resource.h"
#include "utils/members/member_internal.h"

namespace velto::internal {

using base::variant::Variant;

// ---------------------------------------------------------------------------------------------
// SlotSequence

size_t SlotSequence::BlockOf(size_t position) const {
  // The last block whose first entry is at or before `position`.
  return static_cast<size_t>(std::upper_bound(starts_.begin(), starts_.end(), position) - starts_.begin()) - 1;
}

uint32_t SlotSequence::At(size_t position) const {
  const size_t block = BlockOf(position);
  return blocks_[block][position - starts_[block]];
}

void SlotSequence::Insert(size_t position, uint32_t slot) {
  if (blocks_.empty()) {
    blocks_.emplace_back();
    starts_.push_back(0);
  }
  const size_t block = position == size_ ? blocks_.size() - 1 : BlockOf(position);
  std::vector<uint32_t>& entries = blocks_[block];
  entries.insert(entries.begin() + static_cast<ptrdiff_t>(position - starts_[block]), slot);
  ++size_;
  for (size_t later = block + 1; later < starts_.size(); ++later) ++starts_[later];
  if (entries.size() <= kMaxBlock) return;
  // Split in halves.
  const size_t half = entries.size() / 2;
  std::vector<uint32_t> upper(entries.begin() + static_cast<ptrdiff_t>(half), entries.end());
  entries.resize(half);
  blocks_.insert(blocks_.begin() + static_cast<ptrdiff_t>(block + 1), std::move(upper));
  starts_.insert(starts_.begin() + static_cast<ptrdiff_t>(block + 1), starts_[block] + half);
}

bool SlotSequence::Erase(uint32_t slot) {
  for (size_t block = 0; block < blocks_.size(); ++block) {
    std::vector<uint32_t>& entries = blocks_[block];
    auto it = std::find(entries.begin(), entries.end(), slot);
    if (it == entries.end()) continue;
    entries.erase(it);
    --size_;
    for (size_t later = block + 1; later < starts_.size(); ++later) --starts_[later];
    if (entries.empty() && blocks_.size() > 1) {
      blocks_.erase(blocks_.begin() + static_cast<ptrdiff_t>(block));
      starts_.erase(starts_.begin() + static_cast<ptrdiff_t>(block));
    }
    return true;
  }
  return false;
}

void SlotSequence::Assign(const std::vector<uint32_t>& slots) {
  blocks_.clear();
  starts_.clear();
  size_ = slots.size();
  for (size_t at = 0; at < slots.size(); at += kMaxBlock / 2) {
    const size_t end = std::min(slots.size(), at + kMaxBlock / 2);
    blocks_.emplace_back(slots.begin() + static_cast<ptrdiff_t>(at), slots.begin() + static_cast<ptrdiff_t>(end));
    starts_.push_back(at);
  }
}

std::vector<uint32_t> SlotSequence::Slots() const {
  std::vector<uint32_t> slots;
  slots.reserve(size_);
  for (const std::vector<uint32_t>& entries : blocks_) slots.insert(slots.end(), entries.begin(), entries.end());
  return slots;
}

// ---------------------------------------------------------------------------------------------
// SlotIndex

size_t SlotIndex::Home(int64_t index) const {
  // Indexes are mostly small consecutive integers: mixed, so that they spread over the table.
  uint64_t h = static_cast<uint64_t>(index) * 0x9e3779b97f4a7c15ull;
  return static_cast<size_t>(h >> 32) & (entries_.size() - 1);
}

void SlotIndex::Reserve(size_t count) {
  size_t capacity = 16;
  while (capacity < count * 2) capacity *= 2;
  if (capacity <= entries_.size()) return;
  std::vector<Entry> old = std::move(entries_);
  entries_.assign(capacity, Entry{0, kNone});
  used_ = 0;
  for (const Entry& entry : old) {
    if (entry.slot < kErased) Insert(entry.index, entry.slot);
  }
}

void SlotIndex::Grow() { Reserve(std::max<size_t>(16, entries_.size())); }

size_t SlotIndex::Probe(int64_t index) const {
  for (size_t at = Home(index);; at = (at + 1) & (entries_.size() - 1)) {
    const Entry& entry = entries_[at];
    if (entry.slot == kNone || (entry.slot != kErased && entry.index == index)) return at;
  }
}

uint32_t SlotIndex::Find(int64_t index) const { return entries_.empty() ? kNone : entries_[Probe(index)].slot; }

bool SlotIndex::Insert(int64_t index, uint32_t slot) {
  if ((used_ + 1) * 2 > entries_.size()) Grow();
  Entry& entry = entries_[Probe(index)];
  if (entry.slot != kNone) return false;
  entry = Entry{index, slot};
  ++used_;
  return true;
}

void SlotIndex::Assign(int64_t index, uint32_t slot) {
  if ((used_ + 1) * 2 > entries_.size()) Grow();
  Entry& entry = entries_[Probe(index)];
  if (entry.slot == kNone) ++used_;
  entry = Entry{index, slot};
}

void SlotIndex::Erase(int64_t index) {
  if (entries_.empty()) return;
  Entry& entry = entries_[Probe(index)];
  if (entry.slot != kNone) entry.slot = kErased;  // still counted in used_: probes go on past it
}

// ---------------------------------------------------------------------------------------------
// BulkPlacement

BulkPlacement::BulkPlacement(framework::Model* user_model, const Variant& visible, const Variant& invisible,
                             const CompareUserFunc& compare_visible, const CompareUserFunc& compare_invisible,
                             size_t expected)
    : user_model_(user_model),
      compare_visible_(compare_visible),
      compare_invisible_(compare_invisible),
      member_order_visible_(IsMemberOrder(compare_visible)),
      member_order_invisible_(IsMemberOrder(compare_invisible)) {
  const size_t room = visible.size() + invisible.size() + expected;
  slots_.reserve(room);
  fields_.reserve(room);
  has_fields_.reserve(room);
  slot_of_index_.Reserve(room);
  nickname_keys_.reserve(room);
  has_key_.reserve(room);
  language_serial_ = framework::Resource::GetInstance()->GetLanguageSerial();
  for (const bool in_visible : {true, false}) {
    std::vector<uint32_t> listed;
    for (const Variant& index : (in_visible ? visible : invisible).Elements()) {
      // A list entry that is not an integer is nobody FindUser could find; it keeps its place.
      const uint32_t slot = NewSlot(index, nullptr, in_visible);
      if (index.IsInteger() && !slot_of_index_.Insert(index.AsInteger(), slot)) usable_ = false;
      listed.push_back(slot);
    }
    (in_visible ? visible_ : invisible_).Assign(listed);
  }
}

uint32_t BulkPlacement::NewSlot(const Variant& index, const Variant* record, bool visible) {
  Slot slot;
  slot.index = index;
  slot.record = record;
  slot.visible = visible;
  slots_.push_back(std::move(slot));
  fields_.emplace_back();
  has_fields_.push_back(false);
  nickname_keys_.emplace_back();
  has_key_.push_back(false);
  return static_cast<uint32_t>(slots_.size() - 1);
}

const Variant& BulkPlacement::RecordOf(uint32_t slot) {
  Slot& entry = slots_[slot];
  if (!entry.record) {
    entry.record = entry.index.IsInteger()
                       ? &velto_common::utils::member::GetUserInfo(user_model_, entry.index.AsInteger())
                       : &Variant::EmptyVariant();
  }
  return *entry.record;
}

const BulkPlacement::SortUserFields& BulkPlacement::FieldsOf(uint32_t slot) {
  if (!has_fields_[slot]) {
    fields_[slot] = velto_common::utils::member::GetSortUserFields(RecordOf(slot));
    has_fields_[slot] = true;
  }
  return fields_[slot];
}

const BulkPlacement::NicknameKey& BulkPlacement::KeyOf(uint32_t slot) {
  if (!has_key_[slot]) {
    const std::string key = velto_common::utils::member::internal::NicknameSortKey(FieldsOf(slot).nickname);
    NicknameKey& entry = nickname_keys_[slot];
    entry.offset = static_cast<uint32_t>(keys_.size());
    entry.length = static_cast<uint32_t>(key.size());
    for (size_t i = 0; i < 8; ++i) {
      entry.head = (entry.head << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    }
    keys_ += key;
    has_key_[slot] = true;
  }
  return nickname_keys_[slot];
}

bool BulkPlacement::MemberOrderBefore(uint32_t a, uint32_t b) {
  const SortUserFields& first = FieldsOf(a);
  const SortUserFields& second = FieldsOf(b);
  if (!keys_usable_) return velto_common::utils::member::CompareSortUserFields(first, second);
  // CompareSortUserFields step by step: the priority; byte-equal nicknames by user id; other
  // nicknames in collation order, which is the order of their keys. Byte-equal nicknames have
  // equal keys, so differing keys settle it without looking at the nicknames.
  if (first.priority != second.priority) return first.priority > second.priority;
  const NicknameKey& first_key = KeyOf(a);
  const NicknameKey& second_key = KeyOf(b);
  // Numbers that differ differ where the keys do (a shorter key's padding is below any byte
  // that continues the longer one, or equal to a zero byte, which the whole keys then decide).
  if (first_key.head != second_key.head) return first_key.head < second_key.head;
  const int order = KeyText(first_key).compare(KeyText(second_key));
  if (order != 0) return order < 0;
  return first.nickname == second.nickname && first.user_id < second.user_id;
}

bool BulkPlacement::IsMemberOrder(const CompareUserFunc& compare) {
  using Plain = bool (*)(const Variant&, const Variant&);
  const Plain* function = compare.target<Plain>();
  return function && *function == &velto_common::utils::member::CompareSortUser;
}

bool BulkPlacement::Find(int64_t index, bool& in_visible) const {
  const uint32_t slot = slot_of_index_.Find(index);
  if (slot == SlotIndex::kNone) return false;
  in_visible = slots_[slot].visible;
  return true;
}

void BulkPlacement::Erase(int64_t index) {
  const uint32_t slot = slot_of_index_.Find(index);
  if (slot == SlotIndex::kNone) return;
  (slots_[slot].visible ? visible_ : invisible_).Erase(slot);
  slot_of_index_.Erase(index);
}

void BulkPlacement::Insert(bool visible, const Variant& index, const Variant& record) {
  SlotSequence& list = visible ? visible_ : invisible_;
  const uint32_t slot = NewSlot(index, &record, visible);
  // The default rule's lower bound, comparison for comparison: list[middle] against the new user.
  size_t low = 0;
  size_t high = list.size();
  if (visible ? member_order_visible_ : member_order_invisible_) {
    if (keys_usable_ && framework::Resource::GetInstance()->GetLanguageSerial() != language_serial_) {
      keys_usable_ = false;
    }
    while (low < high) {
      const size_t middle = low + (high - low) / 2;
      if (MemberOrderBefore(list.At(middle), slot)) {
        low = middle + 1;
      } else {
        high = middle;
      }
    }
  } else {
    const CompareUserFunc& compare = visible ? compare_visible_ : compare_invisible_;
    while (low < high) {
      const size_t middle = low + (high - low) / 2;
      if (compare(RecordOf(list.At(middle)), record)) {
        low = middle + 1;
      } else {
        high = middle;
      }
    }
  }
  list.Insert(low, slot);
  if (index.IsInteger()) slot_of_index_.Assign(index.AsInteger(), slot);
}

Variant BulkPlacement::List(bool visible) const {
  Variant list = Variant::Array();
  for (uint32_t slot : (visible ? visible_ : invisible_).Slots()) list.Add(slots_[slot].index);
  return list;
}

}  // namespace velto::internal
