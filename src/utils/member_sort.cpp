// Ordering of member lists: sort priority, the member comparison, and sorting and inserting
// user indexes by their records.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "module_api/analytics.h"
#include "module_api/log.h"
#include "module_api/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"
#include "util/string/stringhelp.h"

namespace velto_common::utils::member {

using velto::model::Variant;
using velto::model_id::kUserModel;

namespace {

struct PriorityWeight {
  std::string_view key;
  uint16_t weight;
};

constexpr PriorityWeight kPriorityWeights[] = {
    {"self", 512},  {"host", 256},  {"co_host", 128}, {"is_raise_hand", 64},      {"screen", 32},
    {"record", 16}, {"audio", 8},   {"video", 4},     {"has_audio_in_device", 2}, {"has_video_in_device", 1},
};

// A list of user indexes worth sorting. A list that does not start with an integer was built
// from something else (records, user ids): sorting it would look up the wrong users, so it is
// left alone, logged every time and reported once per process.
bool IsSortableIndexList(const Variant& index_list) {
  if (index_list.IsNull() || (index_list.IsArray() && index_list.empty())) return false;
  if (index_list.At(0).IsInteger()) return true;
  VELTO_LOG(velto::log::kFailure) << "user index shoule be integer, plase check";
  static bool reported = false;
  if (!reported) {
    reported = true;
    velto_common::utils::analytics::LogEvent("e#user_list_index_invalid");
  }
  return false;
}

const Variant& RecordOf(framework::Model* model, const Variant& index) {
  if (!model || !index.IsInteger()) return Variant::EmptyVariant();
  return GetUserInfo(model, index.AsInteger());
}

Variant ToList(const std::vector<Variant>& indexes) {
  Variant list = Variant::Array();
  for (const Variant& index : indexes) list.Add(index);
  return list;
}

}  // namespace

uint16_t GetSortPriority(const Variant& record) {
  uint16_t priority = 0;
  for (const PriorityWeight& entry : kPriorityWeights) {
    if (record.GetBoolean(entry.key, false)) priority = static_cast<uint16_t>(priority + entry.weight);
  }
  return priority;
}

bool CompareSortUser(const Variant& a, const Variant& b) {
  const uint16_t priority_a = GetSortPriority(a);
  const uint16_t priority_b = GetSortPriority(b);
  if (priority_a != priority_b) return priority_a > priority_b;
  const Variant& nickname_a = a.Get("nickname");
  const Variant& nickname_b = b.Get("nickname");
  const std::string_view name_a = nickname_a.IsString() ? nickname_a.AsStringView() : std::string_view();
  const std::string_view name_b = nickname_b.IsString() ? nickname_b.AsStringView() : std::string_view();
  if (name_a == name_b) {
    const Variant& id_a = a.Get("user_id");
    const Variant& id_b = b.Get("user_id");
    return (id_a.IsString() ? id_a.AsStringView() : std::string_view()) <
           (id_b.IsString() ? id_b.AsStringView() : std::string_view());
  }
  return util::stringhelp::CompareLocalizedString(name_a, name_b) < 0;
}

// The order of CompareSortUser, computed once per user rather than once per comparison: each
// record is fetched once, each distinct nickname gets one collation key, and the keys become
// dense ranks so that the sort itself compares integers. Nicknames that collate alike but differ
// in bytes (which CompareSortUser leaves unordered) are ranked by their bytes, so the order
// stays strict.
void SortUser(Variant& index_list) {
  if (!IsSortableIndexList(index_list) || index_list.size() < 2) return;
  framework::Model* model = velto::model::Find(kUserModel);
  if (!model) return;

  struct Entry {
    uint16_t priority;
    uint32_t rank;  // of the nickname; first the position of its distinct nickname
    std::string_view user_id;
    const Variant* index;
  };
  const std::span<const Variant> indexes = index_list.Elements();
  std::vector<Entry> entries;
  entries.reserve(indexes.size());
  std::unordered_map<std::string_view, uint32_t> nickname_slot;
  nickname_slot.reserve(indexes.size());
  std::vector<std::string_view> nicknames;
  for (const Variant& index : indexes) {
    const Variant& record = RecordOf(model, index);
    const Variant& nickname = record.Get("nickname");
    const Variant& user_id = record.Get("user_id");
    const std::string_view name = nickname.IsString() ? nickname.AsStringView() : std::string_view();
    auto [slot, added] = nickname_slot.emplace(name, static_cast<uint32_t>(nicknames.size()));
    if (added) nicknames.push_back(name);
    entries.push_back({GetSortPriority(record), slot->second,
                       user_id.IsString() ? user_id.AsStringView() : std::string_view(), &index});
  }

  struct Keyed {
    std::string key;
    std::string_view nickname;
    uint32_t slot;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(nicknames.size());
  for (uint32_t slot = 0; slot < nicknames.size(); ++slot) {
    keyed.push_back({util::stringhelp::LocalizedSortKey(nicknames[slot]), nicknames[slot], slot});
  }
  std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    if (a.key != b.key) return a.key < b.key;
    return a.nickname < b.nickname;
  });
  std::vector<uint32_t> rank_of_slot(keyed.size());
  for (uint32_t rank = 0; rank < keyed.size(); ++rank) rank_of_slot[keyed[rank].slot] = rank;
  for (Entry& entry : entries) entry.rank = rank_of_slot[entry.rank];

  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    if (a.priority != b.priority) return a.priority > b.priority;
    if (a.rank != b.rank) return a.rank < b.rank;
    return a.user_id < b.user_id;
  });
  Variant sorted = Variant::Array();
  for (const Entry& entry : entries) sorted.Add(*entry.index);
  index_list = std::move(sorted);
}

void SortUserIndexList(Variant& index_list, const UserCompareFunc& compare) {
  if (!IsSortableIndexList(index_list) || index_list.size() < 2) return;
  framework::Model* model = velto::model::Find(kUserModel);
  if (!model) return;
  struct Entry {
    const Variant* record;
    Variant index;
  };
  std::vector<Entry> entries;
  entries.reserve(index_list.size());
  for (const Variant& index : index_list.Elements()) entries.push_back({&RecordOf(model, index), index});
  // A caller's comparison need not be a strict weak order; a merge sort stays within the list
  // whatever it answers.
  std::stable_sort(entries.begin(), entries.end(), [&compare](const Entry& a, const Entry& b) {
    return compare ? compare(*a.record, *b.record) : CompareSortUser(*a.record, *b.record);
  });
  std::vector<Variant> sorted;
  sorted.reserve(entries.size());
  for (Entry& entry : entries) sorted.push_back(std::move(entry.index));
  index_list = ToList(sorted);
}

int32_t InsertToUserList(Variant& index_list, const Variant& index, const UserCompareFunc& compare) {
  if (!index_list.IsNull() && !index_list.IsArray()) {
    VELTO_LOG(velto::log::kRejected) << "user list is not a list, kind " << index_list.type();
    return -1;
  }
  framework::Model* model = velto::model::Find(kUserModel);
  const Variant& record = RecordOf(model, index);
  const std::span<const Variant> entries = index_list.Elements();
  // Lower bound: the first entry whose record does not sort before the new user's.
  size_t low = 0;
  size_t high = entries.size();
  while (low < high) {
    const size_t middle = low + (high - low) / 2;
    const Variant& other = RecordOf(model, entries[middle]);
    const bool before = compare ? compare(other, record) : CompareSortUser(other, record);
    if (before) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  Variant list = Variant::Array();
  for (size_t i = 0; i < low; ++i) list.Add(entries[i]);
  list.Add(index);
  for (size_t i = low; i < entries.size(); ++i) list.Add(entries[i]);
  index_list = std::move(list);
  return static_cast<int32_t>(low);
}

int32_t IndexInUserList(const Variant& index_list, const Variant& index) {
  const std::span<const Variant> entries = index_list.Elements();
  for (size_t i = 0; i < entries.size(); ++i) {
    const bool same = entries[i].IsInteger() && index.IsInteger() ? entries[i].AsInteger() == index.AsInteger()
                                                                  : entries[i] == index;
    if (same) return static_cast<int32_t>(i);
  }
  return -1;
}

}  // namespace velto_common::utils::member
