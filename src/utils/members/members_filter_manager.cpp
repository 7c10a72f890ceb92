#include "module_api/members/members_filter_manager.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "base/location.h"
#include "framework/module/module.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/members/pinyin.h"
#include "model/subscription_watch.h"

namespace velto {

namespace member = velto_common::utils::member;
using base::variant::Variant;

namespace {

// User model events.
constexpr int kUsersAdded = velto::model_event::user::kUserAdd;
constexpr int kUsersUpdated = velto::model_event::user::kUserUpdate;
constexpr int kUsersRemoved = velto::model_event::user::kUserRemove;
constexpr int kUsersReset = velto::model_event::user::kUserCacheChanged;

// From this many users on, an insertion is done as one sort and merge instead of one
// lower-bound insertion each: the list is an array, so every single insertion moves the tail.
constexpr size_t kBatchInsertMin = 32;

framework::Model* UserModel() { return framework::module::GetAppModuleModel(model_id::kUserModel); }

// What the default order looks at, read out of a record once.
struct OrderKey {
  int weight;
  uint64_t join_time;
  std::string_view user_id;  // into the record
};

OrderKey OrderKeyOf(const Variant& user) {
  return {(user.GetBoolean("self") ? 16 : 0) + (user.GetBoolean("host") ? 8 : 0) + (user.GetBoolean("co_host") ? 4 : 0) +
              (user.GetBoolean("is_bot") ? 2 : 0),
          user.GetUint64("join_time"), user.Get("user_id").AsStringView()};
}

bool OrderKeyBefore(const OrderKey& a, const OrderKey& b) {
  if (a.weight != b.weight) return a.weight > b.weight;
  if (a.join_time != b.join_time) return a.join_time < b.join_time;
  return a.user_id < b.user_id;
}

Variant IndexVariant(int64_t index) { return Variant(static_cast<long long>(index)); }

// Inserting one after another at the lower bound puts a newcomer before the users it ties with,
// earlier newcomers included. The same order in one pass: sort the newcomers latest first
// (stably), then merge, taking a listed user only when it sorts before the newcomer.
// `make(index)` gives an entry with that `index` and whatever `before` compares.
template <typename Make, typename Before>
Variant SortAndMerge(const Variant& list, const std::vector<int64_t>& indexes, Make make, Before before) {
  using Entry = decltype(make(int64_t{}));
  std::vector<Entry> incoming;
  incoming.reserve(indexes.size());
  for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) incoming.push_back(make(*it));
  std::stable_sort(incoming.begin(), incoming.end(), before);
  std::vector<Entry> listed;
  listed.reserve(list.size());
  for (const Variant& entry : list.Elements()) listed.push_back(make(entry.AsInteger()));

  Variant merged = Variant::Array();
  size_t i = 0;
  size_t j = 0;
  while (i < listed.size() && j < incoming.size()) {
    merged.Add(IndexVariant(before(listed[i], incoming[j]) ? listed[i++].index : incoming[j++].index));
  }
  for (; i < listed.size(); ++i) merged.Add(IndexVariant(listed[i].index));
  for (; j < incoming.size(); ++j) merged.Add(IndexVariant(incoming[j].index));
  return merged;
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// Calls `each` with every integer entry of an index list payload (anything else is no list).
template <typename Each>
void ForEachIndex(const Variant* indexes, Each each) {
  if (!indexes) return;
  for (const Variant& entry : indexes->Elements()) {
    if (entry.IsInteger()) each(entry.AsInteger());
  }
}

}  // namespace

// The outcome of one update event: indexes to take out of the list, and indexes to (re)insert
// in the order they are to be inserted. An index named twice ends where its last record puts it.
struct MembersFilterManager::UpdateQueue {
  std::unordered_set<int64_t> remove;
  std::vector<int64_t> insert;
  std::unordered_set<int64_t> queued_insert;

  void Insert(int64_t index) {
    DropInsert(index);
    insert.push_back(index);
    queued_insert.insert(index);
  }
  void DropInsert(int64_t index) {
    if (queued_insert.erase(index)) insert.erase(std::find(insert.begin(), insert.end(), index));
  }
  bool empty() const { return remove.empty() && insert.empty(); }
};

MembersFilterManager::MembersFilterManager(std::string identifier)
    : filter_([](const Variant&) { return true; }),
      compare_(&MembersFilterManager::DefaultCompareUser),
      list_(Variant::Array()),
      identifier_(std::move(identifier)) {
  VELTO_LOG(log::kNotable) << "MembersFilterManager alloc " << identifier_;
  Subscribe();
}

MembersFilterManager::MembersFilterManager(const MembersFilterManager& other)
    : filter_(other.filter_),
      compare_(other.compare_),
      list_(other.list_),
      members_(other.members_),
      identifier_(other.identifier_),
      active_(other.active_),
      update_pending_(other.update_pending_),
      listener_(other.listener_),
      searches_(other.searches_),
      search_keys_(other.search_keys_) {
  VELTO_LOG(log::kNotable) << "MembersFilterManager alloc " << identifier_;
  Subscribe();
}

MembersFilterManager& MembersFilterManager::operator=(const MembersFilterManager& other) {
  if (this == &other) return *this;
  // The subscriptions stay this object's own.
  filter_ = other.filter_;
  compare_ = other.compare_;
  list_ = other.list_;
  members_ = other.members_;
  identifier_ = other.identifier_;
  active_ = other.active_;
  update_pending_ = other.update_pending_;
  listener_ = other.listener_;
  searches_ = other.searches_;
  search_keys_ = other.search_keys_;
  ListChanged();
  return *this;
}

MembersFilterManager::~MembersFilterManager() {
  VELTO_LOG(log::kNotable) << "MembersFilterManager dealloc " << identifier_;
  Unsubscribe();
}

void MembersFilterManager::Subscribe() {
  framework::Model* users = UserModel();
  if (!users) {
    VELTO_LOG(log::kNotable) << identifier_ << ": no user model, the list follows no events";
    return;
  }
  const int64_t observer = velto::model::ObserverId(this);
  const std::shared_ptr<void> token = model::RenewSubscriptionToken(user_model_held_);
  users->SubscribeWithLocation(
      kUsersAdded, observer, model::Holding(token, [this](const Variant* v) { OnEventMeetingUserAdd(v); }),
      FROM_HERE);
  users->SubscribeWithLocation(
      kUsersRemoved, observer, model::Holding(token, [this](const Variant* v) { OnEventMeetingUserRemove(v); }),
      FROM_HERE);
  users->SubscribeWithLocation(
      kUsersUpdated, observer, model::Holding(token, [this](const Variant* v) { OnEventMeetingUserUpdate(v); }),
      FROM_HERE);
  users->SubscribeWithLocation(
      kUsersReset, observer,
      model::Holding(token, [this](const Variant* v) { OnEventMeetingUserCacheChanged(v); }), FROM_HERE);
}

void MembersFilterManager::Unsubscribe() {
  // The model is looked up afresh: the one subscribed to may be gone.
  if (framework::Model* users = UserModel()) users->Unsubscribe(velto::model::ObserverId(this));
}

const std::string& MembersFilterManager::Identifier() const { return identifier_; }

void MembersFilterManager::Activate(IMembersProviderListener* listener) {
  if (active_) VELTO_LOG(log::kNotable) << identifier_ << " reactivate";
  // Activation promises to follow the meeting: when the construction found no user model, or
  // the one subscribed to has gone, the current one is subscribed now (never twice).
  if (!model::SubscriptionHeld(user_model_held_)) {
    VELTO_LOG(log::kNotable) << identifier_ << ": not following the user model, subscribing on activate";
    Subscribe();
  }
  listener_ = listener;
  active_ = true;
  ResetAllData();
}

void MembersFilterManager::Deactivate() {
  listener_ = nullptr;
  active_ = false;
  searches_.clear();
}

void MembersFilterManager::NeedSendMembersUpdate() { NotifyMembersUpdate(); }

void MembersFilterManager::StartSearch(const std::string& search_token, const std::string& keyword) {
  if (!active_) {
    VELTO_LOG(log::kFailure) << identifier_ << " should not search before activate";
    return;
  }
  if (!listener_) {
    VELTO_LOG(log::kFailure) << identifier_ << " listener should not be null";
    return;
  }
  VELTO_LOG(log::kTrace) << identifier_ << ": start search_token:" << search_token;
  searches_[search_token] = keyword;
  DoSearch(search_token, keyword);
}

void MembersFilterManager::CancelSearch(const std::string& search_token) {
  auto it = searches_.find(search_token);
  if (it == searches_.end()) return;
  VELTO_LOG(log::kTrace) << identifier_ << ": cancel search_token:" << search_token;
  searches_.erase(it);
}

bool MembersFilterManager::CanLoadMore(const std::string&) { return false; }

void MembersFilterManager::LoadMore(const std::string&) {}

void MembersFilterManager::SetFilterUserFunc(FilterUserFunc filter) {
  if (!filter) {
    VELTO_LOG(log::kRejected) << identifier_ << ": empty filter, everybody passes";
    filter = [](const Variant&) { return true; };
  }
  filter_ = std::move(filter);
  if (active_) ResetAllData();
}

void MembersFilterManager::SetCompareUserFunc(CompareUserFunc compare) {
  if (!compare) {
    VELTO_LOG(log::kRejected) << identifier_ << ": empty compare, the default order applies";
    compare = &MembersFilterManager::DefaultCompareUser;
  }
  compare_ = std::move(compare);
  if (!active_) return;
  // Fewer than two entries are sorted already (and an empty list is no list of indexes).
  if (list_.size() > 1) {
    member::SortUserIndexList(list_, compare_);
    ListChanged();
  }
  NotifyMembersUpdate();
}

void MembersFilterManager::GetUserIndexList(Variant* out) const {
  if (out) *out = list_;
}

size_t MembersFilterManager::GetUserCount() const { return list_.size(); }

void MembersFilterManager::ClearAll() {
  list_ = Variant::Array();
  members_.clear();
  search_keys_.clear();
  ListChanged();
}

void MembersFilterManager::ResetAllData() {
  ClearAll();
  const Variant indexes = member::GetUserIndexList();
  update_pending_ = true;
  OnEventMeetingUserAdd(&indexes);
}

void MembersFilterManager::OnEventMeetingUserAdd(const Variant* indexes) {
  if (!active_) return;
  framework::Model* users = UserModel();
  std::vector<int64_t> added;
  ForEachIndex(indexes, [&](int64_t index) {
    const Variant& record = member::GetUserInfo(users, index);
    if (IsMember(index)) {
      RefreshSearchKey(index, record);
      return;
    }
    if (!filter_(record)) return;
    VELTO_LOG(log::kTrace) << " filter: " << identifier_ << " add user_index: " << index;
    members_.insert(index);
    RefreshSearchKey(index, record);
    added.push_back(index);
  });
  if (added.empty()) {
    if (update_pending_) NotifyMembersUpdate();
    return;
  }
  VELTO_LOG(log::kTrace) << "<members>: members filter manager: OnEventMeetingUserAdd: sort list " << identifier_;
  InsertUsers(added);
  NotifyMembersUpdate();
}

void MembersFilterManager::OnEventMeetingUserRemove(const Variant* indexes) {
  if (!active_) return;
  std::unordered_set<int64_t> removed;
  ForEachIndex(indexes, [&](int64_t index) {
    if (!members_.erase(index)) return;
    VELTO_LOG(log::kTrace) << identifier_ << " remove user_index: " << index;
    search_keys_.erase(index);
    removed.insert(index);
  });
  if (removed.empty()) return;
  // One pass over the list; the members left behind are exactly those not removed now.
  Variant kept = Variant::Array();
  for (const Variant& entry : list_.Elements()) {
    if (!removed.count(entry.AsInteger())) kept.Add(entry);
  }
  list_ = std::move(kept);
  ListChanged();
  NotifyMembersUpdate();
}

void MembersFilterManager::OnEventMeetingUserUpdate(const Variant* indexes) {
  if (!active_ || !indexes) return;
  UpdateQueue queue;
  ProcessUpdateUsers(*indexes, queue);
  DoUserRemoveAndAdd(queue);
}

void MembersFilterManager::ProcessUpdateUsers(const Variant& indexes, UpdateQueue& queue) {
  framework::Model* users = UserModel();
  ForEachIndex(&indexes, [&](int64_t index) {
    const Variant& record = member::GetUserInfo(users, index);
    const bool member = IsMember(index);
    const bool passes = filter_(record);
    if (!member && passes) {
      VELTO_LOG(log::kTrace) << identifier_ << " add user from update, user_index: " << index;
      members_.insert(index);
      RefreshSearchKey(index, record);
      queue.Insert(index);
    } else if (!member) {
      VELTO_LOG(log::kTrace) << identifier_ << " update user without not found, user_index: " << index;
    } else if (!passes) {
      VELTO_LOG(log::kTrace) << identifier_ << " remove user from update, user_index: " << index;
      members_.erase(index);
      search_keys_.erase(index);
      ListChanged();
      queue.DropInsert(index);
      queue.remove.insert(index);
    } else {
      // Still a member: its place may have changed with the record.
      RefreshSearchKey(index, record);
      queue.remove.insert(index);
      queue.Insert(index);
    }
  });
}

void MembersFilterManager::DoUserRemoveAndAdd(UpdateQueue& queue) {
  if (queue.empty()) return;
  if (!queue.remove.empty()) {
    Variant kept = Variant::Array();
    for (const Variant& entry : list_.Elements()) {
      if (!queue.remove.count(entry.AsInteger())) kept.Add(entry);
    }
    list_ = std::move(kept);
    ListChanged();
  }
  VELTO_LOG(log::kTrace) << "<members>: members filter manager: DoUserRemoveAndAdd: sort list " << identifier_;
  InsertUsers(queue.insert);
  NotifyMembersUpdate();
}

void MembersFilterManager::OnEventMeetingUserCacheChanged(const Variant*) {
  if (active_) ResetAllData();
}

void MembersFilterManager::InsertUsers(const std::vector<int64_t>& indexes) {
  if (indexes.empty()) return;
  ListChanged();
  if (indexes.size() < kBatchInsertMin) {
    for (int64_t index : indexes) member::InsertToUserList(list_, IndexVariant(index), compare_);
    return;
  }
  framework::Model* users = UserModel();
  using DefaultOrder = bool (*)(const Variant&, const Variant&);
  const DefaultOrder* order = compare_.target<DefaultOrder>();
  if (order && *order == &MembersFilterManager::DefaultCompareUser) {
    // The default order, with each record's keys read once rather than at every comparison.
    struct Keyed {
      int64_t index;
      OrderKey key;
    };
    list_ = SortAndMerge(
        list_, indexes, [users](int64_t index) { return Keyed{index, OrderKeyOf(member::GetUserInfo(users, index))}; },
        [](const Keyed& a, const Keyed& b) { return OrderKeyBefore(a.key, b.key); });
    return;
  }
  struct Entry {
    int64_t index;
    const Variant* record;
  };
  list_ = SortAndMerge(
      list_, indexes, [users](int64_t index) { return Entry{index, &member::GetUserInfo(users, index)}; },
      [this](const Entry& a, const Entry& b) { return compare_(*a.record, *b.record); });
}

void MembersFilterManager::RefreshSearchKey(int64_t index, const Variant& record) {
  const std::string_view nickname = record.Get("nickname").AsStringView();
  const Variant* given = record.Find("nickname_pinyin");
  const std::string_view given_pinyin = given ? given->AsStringView() : std::string_view();
  auto [it, inserted] = search_keys_.try_emplace(index);
  SearchKey& key = it->second;
  if (inserted) {
    ListChanged();
  } else if (key.nickname == nickname && key.has_pinyin == (given != nullptr) &&
             (!given || key.pinyin == given_pinyin)) {
    return;
  }
  key.nickname.assign(nickname);
  key.has_pinyin = given != nullptr;
  key.lower = AsciiLower(nickname);
  key.pinyin = given ? std::string(given_pinyin) : velto_common::utils::ConvertChineseToPinyin(key.lower, true);
  key.pinyin_is_lower = key.pinyin == key.lower;
}

void MembersFilterManager::NotifyMembersUpdate() {
  update_pending_ = false;
  if (!active_) return;
  VELTO_LOG(log::kTrace) << "<members>: members filter manager: notify members update " << identifier_;
  if (listener_) listener_->OnMembersUpdated();
  if (searches_.empty()) {
    VELTO_LOG(log::kTrace) << identifier_ << ": empty search token";
    return;
  }
  // The listener may open or cancel searches while it hears the results.
  const std::map<std::string, std::string> searches = searches_;
  for (const auto& [token, keyword] : searches) DoSearch(token, keyword);
}

void MembersFilterManager::DoSearch(const std::string& search_token, const std::string& keyword) {
  Variant result = Variant::Array();
  if (keyword.empty()) {
    result = list_;
  } else {
    const std::span<const Variant> entries = list_.Elements();
    if (search_order_.size() != entries.size()) {
      search_order_.clear();
      search_order_.reserve(entries.size());
      for (const Variant& entry : entries) {
        auto it = search_keys_.find(entry.AsInteger());
        search_order_.push_back(it == search_keys_.end() ? nullptr : &it->second);
      }
    }
    // Every member has a search key: keys are made and dropped with membership.
    for (size_t i = 0; i < entries.size(); ++i) {
      const SearchKey* key = search_order_[i];
      if (key && (key->lower.find(keyword) != std::string::npos ||
                  (!key->pinyin_is_lower && key->pinyin.find(keyword) != std::string::npos))) {
        result.Add(entries[i]);
      }
    }
  }
  if (listener_) listener_->OnSearchResult(Identifier(), result, search_token, -1);
}

bool MembersFilterManager::DefaultCompareUser(const Variant& a, const Variant& b) {
  return OrderKeyBefore(OrderKeyOf(a), OrderKeyOf(b));
}

}  // namespace velto
