// Placing many users of one event into the two sorted member lists at once. The default rule
// places a user by a lower-bound binary search and an insertion into the list; for thousands of
// users (the first load of a large meeting) that is quadratic in moving entries and in finding
// users, and fetches two records per comparison. BulkPlacement makes exactly the same
// comparisons, in the same order, with the same outcome, but on compact sequences of slot
// numbers in blocks (insertion moves at most a block), with a presence index, and with each
// user's record fetched once. The lists are written back once, at the end.
//
// A comparison that is the library's own member order (member::CompareSortUser itself) is
// evaluated from each user's sort fields, read once per user (member::GetSortUserFields), rather
// than from two record reads per comparison, and its nickname comparison from each nickname's
// collation key, made once per nickname, rather than by the collator on every comparison: the
// same answers, at a fraction of the cost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/variant/variant.h"
#include "framework/model.h"
#include "module_api/members/member_utils.h"
#include "module_api/user_list/user_list_manager.h"

namespace velto::internal {

// A sequence of slot numbers in blocks of at most kMaxBlock: the entry at a position is found
// through the blocks' starting positions, and an insertion moves the rest of one block only.
class SlotSequence {
 public:
  size_t size() const { return size_; }
  uint32_t At(size_t position) const;
  void Insert(size_t position, uint32_t slot);
  // Removes the entry holding `slot`; false when there is none.
  bool Erase(uint32_t slot);
  void Assign(const std::vector<uint32_t>& slots);
  std::vector<uint32_t> Slots() const;

 private:
  static constexpr size_t kMaxBlock = 512;
  size_t BlockOf(size_t position) const;

  std::vector<std::vector<uint32_t>> blocks_;
  std::vector<size_t> starts_;  // position of each block's first entry
  size_t size_ = 0;
};

// User index -> slot, open addressing: a first load maps thousands of users, which a node-based
// map would allocate one by one.
class SlotIndex {
 public:
  static constexpr uint32_t kNone = 0xffffffff;
  void Reserve(size_t count);
  uint32_t Find(int64_t index) const;
  // Maps `index` to `slot`; false (and no change) when it is mapped already.
  bool Insert(int64_t index, uint32_t slot);
  void Assign(int64_t index, uint32_t slot);
  void Erase(int64_t index);

 private:
  struct Entry {
    int64_t index;
    uint32_t slot;  // kNone: free; kErased: free to reuse, but keep probing
  };
  static constexpr uint32_t kErased = 0xfffffffe;
  size_t Home(int64_t index) const;
  // Where `index` sits, or the free entry that ends its probe (the table is not empty).
  size_t Probe(int64_t index) const;
  void Grow();

  std::vector<Entry> entries_;
  size_t used_ = 0;  // entries holding a slot or erased
};

class BulkPlacement {
 public:
  using Variant = base::variant::Variant;
  using CompareUserFunc = UserListManagerRuleBase::CompareUserFunc;

  // Starts from the lists as they are. Lists that hold a user twice cannot be placed in bulk
  // (a user is found by its first entry, which the index does not follow): see usable().
  // `expected` users are about to be placed (room is made for them).
  BulkPlacement(framework::Model* user_model, const Variant& visible, const Variant& invisible,
                const CompareUserFunc& compare_visible, const CompareUserFunc& compare_invisible, size_t expected);

  bool usable() const { return usable_; }
  // Whether the lists hold `index`, and in which: as FindUser would answer now.
  bool Find(int64_t index, bool& in_visible) const;
  // Takes `index` out of the list that holds it.
  void Erase(int64_t index);
  // Inserts `index` at the lower bound of `record` in one list, as the default rule's UserAdd:
  // before the users that compare equal.
  void Insert(bool visible, const Variant& index, const Variant& record);
  // The list as it stands now.
  Variant List(bool visible) const;

 private:
  using SortUserFields = velto_common::utils::member::SortUserFields;
  struct Slot {
    Variant index;
    const Variant* record = nullptr;  // fetched on first comparison for users already listed
    bool visible = false;
  };
  uint32_t NewSlot(const Variant& index, const Variant* record, bool visible);
  const Variant& RecordOf(uint32_t slot);
  const SortUserFields& FieldsOf(uint32_t slot);
  // The member order (CompareSortUserFields) of two slots' users.
  bool MemberOrderBefore(uint32_t a, uint32_t b);
  // The collation key of a slot's nickname: its first eight bytes as a number (zero-padded, so
  // that numbers in order mean keys in order) and the whole key in keys_.
  struct NicknameKey {
    uint64_t head = 0;
    uint32_t offset = 0;
    uint32_t length = 0;
  };
  const NicknameKey& KeyOf(uint32_t slot);
  std::string_view KeyText(const NicknameKey& key) const { return std::string_view(keys_).substr(key.offset, key.length); }
  // True when `compare` is member::CompareSortUser itself.
  static bool IsMemberOrder(const CompareUserFunc& compare);

  framework::Model* user_model_;
  // Copies: a hook of the derived manager may replace a rule while the event is placed.
  const CompareUserFunc compare_visible_;
  const CompareUserFunc compare_invisible_;
  const bool member_order_visible_;
  const bool member_order_invisible_;
  std::vector<Slot> slots_;
  // By slot, apart from the rest, so that the comparisons of a search touch little memory: the
  // member order's fields (read on first comparison) and whether they were read.
  std::vector<SortUserFields> fields_;
  std::vector<bool> has_fields_;
  // By slot: the nickname keys (made on first comparison), and their bytes one after another.
  // Keys belong to the language of the start; a language switch meanwhile (which a hook could
  // make) sends the comparisons back to the collator.
  std::vector<NicknameKey> nickname_keys_;
  std::vector<bool> has_key_;
  std::string keys_;
  uint64_t language_serial_ = 0;
  bool keys_usable_ = true;
  SlotIndex slot_of_index_;  // for users in either list
  SlotSequence visible_;
  SlotSequence invisible_;
  bool usable_ = true;
};

}  // namespace velto::internal
