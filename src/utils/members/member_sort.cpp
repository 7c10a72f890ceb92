// Ordering of member lists: sort priority, the member comparison, and sorting and inserting
// user indexes by their records.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/variant/key_reader.h"
#include "framework/resource.h"
#include "module_api/analytics.h"
#include "module_api/log.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"
#include "util/string/stringhelp.h"
#include "utils/members/member_internal.h"

namespace velto_common::utils::member {

using velto::model::Variant;
using velto::model_id::kUserModel;

namespace {

using SortFields = SortUserFields;

// The role and media keys that raise a user in the order, with their weights.
constexpr std::pair<std::string_view, uint16_t> kPriorityKeys[] = {
    {"self", 512},  {"host", 256},  {"co_host", 128}, {"is_raise_hand", 64},       {"screen", 32},
    {"record", 16}, {"audio", 8},   {"video", 4},     {"has_audio_in_device", 2}, {"has_video_in_device", 1},
};
constexpr size_t kPriorityKeyCount = std::size(kPriorityKeys);

// A comparison reads the same dozen keys of records that mostly share one key table, so the
// keys are found once per table, not once per record.
base::variant::KeyReader& SortKeyReader() {
  thread_local base::variant::KeyReader reader({kPriorityKeys[0].first, kPriorityKeys[1].first,
                                                kPriorityKeys[2].first, kPriorityKeys[3].first,
                                                kPriorityKeys[4].first, kPriorityKeys[5].first,
                                                kPriorityKeys[6].first, kPriorityKeys[7].first,
                                                kPriorityKeys[8].first, kPriorityKeys[9].first, "nickname", "user_id"});
  return reader;
}

SortFields ReadSortFields(const Variant& record) {
  const Variant* values[kPriorityKeyCount + 2];
  SortKeyReader().Read(record, values);
  SortFields fields;
  for (size_t i = 0; i < kPriorityKeyCount; ++i) {
    if (values[i] && values[i]->AsBoolean()) fields.priority = static_cast<uint16_t>(fields.priority + kPriorityKeys[i].second);
  }
  if (const Variant* nickname = values[kPriorityKeyCount]) fields.nickname = nickname->AsStringView();
  if (const Variant* user_id = values[kPriorityKeyCount + 1]) fields.user_id = user_id->AsStringView();
  return fields;
}

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

// Collation keys of nicknames, kept from one sort to the next: a member list is sorted again on
// every change while its nicknames mostly stay the same, and a key costs far more than a lookup.
// Keys belong to the language they were made in; another language empties the cache. Bounded
// like the pinyin results: two generations, the older dropped when the younger is full (checked
// between sorts, so that keys handed out during a sort stay put).
class SortKeyCache {
 public:
  static constexpr size_t kPerGeneration = 16384;

  // Call once before a sort's lookups.
  void Prepare() {
    std::string language = framework::Resource::GetInstance()->GetLanguage();
    if (language != language_) {
      young_.clear();
      old_.clear();
      language_ = std::move(language);
    } else if (young_.size() >= kPerGeneration) {
      old_ = std::move(young_);
      young_.clear();
    }
  }

  // The key of a nickname; stays valid until the next Prepare.
  const std::string& KeyOf(std::string_view nickname) {
    auto young = young_.find(nickname);
    if (young != young_.end()) return young->second;
    auto old = old_.find(nickname);
    std::string key = old != old_.end() ? old->second : util::stringhelp::LocalizedSortKey(nickname);
    return young_.emplace(std::string(nickname), std::move(key)).first->second;
  }

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const noexcept { return std::hash<std::string_view>()(text); }
  };
  std::string language_;
  std::unordered_map<std::string, std::string, Hash, std::equal_to<>> young_;
  std::unordered_map<std::string, std::string, Hash, std::equal_to<>> old_;
};

SortKeyCache& SortKeys() {
  static SortKeyCache cache;  // UI thread only, like the member lists it serves
  return cache;
}

const Variant& RecordOf(framework::Model* model, const Variant& index) {
  if (!model || !index.IsInteger()) return Variant::EmptyVariant();
  return GetUserInfo(model, index.AsInteger());
}

}  // namespace

namespace internal {

std::string NicknameSortKey(std::string_view nickname) {
  SortKeyCache& cache = SortKeys();
  cache.Prepare();
  return cache.KeyOf(nickname);
}

}  // namespace internal

uint16_t GetSortPriority(const Variant& record) { return ReadSortFields(record).priority; }

bool CompareSortUser(const Variant& a, const Variant& b) { return CompareSortUserFields(ReadSortFields(a), ReadSortFields(b)); }

SortUserFields GetSortUserFields(const Variant& record) { return ReadSortFields(record); }

bool CompareSortUserFields(const SortUserFields& a, const SortUserFields& b) {
  if (a.priority != b.priority) return a.priority > b.priority;
  if (a.nickname == b.nickname) return a.user_id < b.user_id;
  return util::stringhelp::CompareLocalizedString(a.nickname, b.nickname) < 0;
}

// The order of CompareSortUser, computed once per user rather than once per comparison: each
// record is fetched once, each distinct nickname gets one collation key (cached across sorts),
// and the keys become dense ranks so that the sort itself compares integers. Nicknames that collate alike but differ
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
    const SortFields fields = ReadSortFields(RecordOf(model, index));
    auto [slot, added] = nickname_slot.emplace(fields.nickname, static_cast<uint32_t>(nicknames.size()));
    if (added) nicknames.push_back(fields.nickname);
    entries.push_back({fields.priority, slot->second, fields.user_id, &index});
  }

  struct Keyed {
    const std::string* key;
    std::string_view nickname;
    uint32_t slot;
  };
  SortKeyCache& cache = SortKeys();
  cache.Prepare();
  std::vector<Keyed> keyed;
  keyed.reserve(nicknames.size());
  for (uint32_t slot = 0; slot < nicknames.size(); ++slot) {
    keyed.push_back({&cache.KeyOf(nicknames[slot]), nicknames[slot], slot});
  }
  std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    if (*a.key != *b.key) return *a.key < *b.key;
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
  // The entries hold their own copies of the indexes, so the list can be written over in place.
  const std::span<Variant> out = index_list.MutableElements();
  for (size_t i = 0; i < entries.size(); ++i) out[i] = std::move(entries[i].index);
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
  // Appended, then rotated into place: the entries behind it move instead of the whole list
  // being copied.
  index_list.Add(index);
  const std::span<Variant> all = index_list.MutableElements();
  std::rotate(all.begin() + static_cast<ptrdiff_t>(low), all.end() - 1, all.end());
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
