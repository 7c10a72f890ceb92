#include "module_api/user_list/user_list_cache.h"

#include <string_view>
#include <unordered_set>
#include <utility>

#include "module_api/log.h"
#include "module_api/members/pinyin.h"

namespace velto {

namespace {

using base::variant::Variant;

// Robots of this instance carry the bot badge in the member list.
constexpr uint32_t kBotInstanceId = 57;
// What a screen-share entry reports as its level.
constexpr int64_t kScreenEntryLevel = 2;

std::string NicknamePinyin(std::string_view nickname) {
  std::string pinyin = velto_common::utils::ConvertChineseToPinyin(std::string(nickname), true);
  for (char& c : pinyin) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return pinyin;
}

std::string AppKey(std::string_view app_id, std::string_view app_uid) {
  std::string key;
  key.reserve(app_id.size() + 1 + app_uid.size());
  key.append(app_id).append("_").append(app_uid);
  return key;
}

template <typename Map>
const Variant& RecordOrEmpty(const Map& records, int64_t index) {
  auto it = records.find(index);
  return it != records.end() && it->second ? *it->second : Variant::EmptyVariant();
}

// Keys an update may leave out while the member list still needs them.
enum class KeyKind { kBool, kString, kInt64, kInt32 };
struct CarriedKey {
  std::string_view key;
  KeyKind kind;
  bool pin;
};
constexpr CarriedKey kCarriedKeys[] = {
    {"show_org_info", KeyKind::kBool, false},  {"org_info_txt", KeyKind::kString, false},
    {"has_department", KeyKind::kBool, false}, {"company_name", KeyKind::kString, false},
    {"is_visitor", KeyKind::kBool, false},     {"is_pin", KeyKind::kBool, true},
    {"pin_index", KeyKind::kInt64, true},      {"corp_certify_status", KeyKind::kInt32, false},
};

Variant ReadAs(const Variant& record, const CarriedKey& carried) {
  switch (carried.kind) {
    case KeyKind::kBool:
      return Variant(record.GetBoolean(carried.key));
    case KeyKind::kString:
      return Variant(record.Get(carried.key).AsStringView());
    case KeyKind::kInt64:
      return Variant(static_cast<long long>(record.GetInteger(carried.key)));
    case KeyKind::kInt32:
      return Variant(record.GetInt32(carried.key));
  }
  return Variant();
}

}  // namespace

UserListCache::UserListCache() : index_list_(Variant::Array()) {}
UserListCache::UserListCache(const UserListCache& other) = default;
UserListCache::UserListCache(UserListCache&& other) noexcept = default;
UserListCache& UserListCache::operator=(const UserListCache& other) = default;
UserListCache& UserListCache::operator=(UserListCache&& other) noexcept = default;
UserListCache::~UserListCache() = default;

Variant UserListCache::UserListChanged(Members::MembersEvent event, const Records& users) {
  switch (event) {
    case Members::kUsersAdded:
    case Members::kUsersUpdated:
    case Members::kUsersRefreshed:
      return AddOrUpdateUsers(users);
    case Members::kUsersRemoved:
      return RemoveUsers(users);
    default:
      return Variant();
  }
}

Variant UserListCache::AddOrUpdateUsers(const Records& users) {
  last_records_.clear();
  Variant touched = Variant::Array();
  // A large batch (the first load of a big meeting) would otherwise rehash several times.
  const size_t at_most = index_by_user_id_.size() + users.size();
  index_by_user_id_.reserve(at_most);
  user_index_var_map_.reserve(at_most);
  nickname_by_app_key_.reserve(at_most);
  std::string app_key;  // reused: most identities are already bound
  for (const Record& record : users) {
    if (!record) continue;
    Variant& user = *record;
    user["status"] = 0;
    user["is_bot"] = user.GetUint32("instance_id") == kBotInstanceId;
    const std::string_view user_id = user.Get("user_id").AsStringView();
    auto bound = index_by_user_id_.find(user_id);
    if (bound == index_by_user_id_.end()) {
      const int64_t index = next_index_++;
      index_by_user_id_.emplace(user_id, index);
      VELTO_LOG(log::kTrace) << " bind user_id=" << user_id << " with user_index=" << index;
      if (!user.Has("nickname_pinyin")) {
        user["nickname_pinyin"] = NicknamePinyin(user.Get("nickname").AsStringView());
      }
      user["user_index"] = static_cast<long long>(index);
      user_index_var_map_[index] = record;
      touched.Add(static_cast<long long>(index));
      index_list_.Add(static_cast<long long>(index));
      const std::string_view stream = user.Get("stream").AsStringView();
      if (!stream.empty()) index_by_stream_id_.insert_or_assign(std::string(stream), index);
    } else {
      const int64_t index = bound->second;
      UpdateUser(index, user);
      user["user_index"] = static_cast<long long>(index);
      Record& current = user_index_var_map_[index];
      Record previous = std::exchange(current, record);
      if (previous) {
        CheckIfStreamIdChanged(index, *previous, user);
        last_records_[index] = std::move(previous);
      } else {
        CheckIfStreamIdChanged(index, Variant::EmptyVariant(), user);
      }
      touched.Add(static_cast<long long>(index));
    }
    const std::string_view app_id = user.Get("app_id").AsStringView();
    const std::string_view app_uid = user.Get("app_uid").AsStringView();
    const std::string_view nickname = user.Get("nickname").AsStringView();
    if (!app_id.empty() && !app_uid.empty() && !nickname.empty()) {
      app_key.assign(app_id).append("_").append(app_uid);
      auto known = nickname_by_app_key_.find(app_key);
      if (known == nickname_by_app_key_.end()) {
        nickname_by_app_key_.emplace(app_key, nickname);
      } else if (known->second != nickname) {
        known->second.assign(nickname);
      }
    }
  }
  return touched;
}

void UserListCache::UpdateUser(int64_t index, Variant& user) {
  const Variant& current = RecordOrEmpty(user_index_var_map_, index);
  if (!current.IsMap()) return;
  for (const CarriedKey& carried : kCarriedKeys) {
    if (user.Has(carried.key) || !current.Has(carried.key)) continue;
    if (carried.pin) VELTO_LOG(log::kTrace) << "PinUser, new update has no pin info";
    user.Set(carried.key, ReadAs(current, carried));
  }
  if (user.Has("nickname_pinyin")) return;
  const std::string_view nickname = user.Get("nickname").AsStringView();
  const Variant* old_pinyin = current.Find("nickname_pinyin");
  if (old_pinyin && current.Get("nickname").AsStringView() == nickname) {
    user["nickname_pinyin"] = *old_pinyin;
  } else {
    user["nickname_pinyin"] = NicknamePinyin(nickname);
  }
}

void UserListCache::CheckIfStreamIdChanged(int64_t index, const Variant& previous, const Variant& user) {
  const std::string_view old_stream = previous.Get("stream").AsStringView();
  const std::string_view new_stream = user.Get("stream").AsStringView();
  if (old_stream == new_stream) return;
  if (!old_stream.empty()) {
    auto it = index_by_stream_id_.find(old_stream);
    if (it != index_by_stream_id_.end() && it->second == index) index_by_stream_id_.erase(it);
  }
  if (!new_stream.empty()) index_by_stream_id_.insert_or_assign(std::string(new_stream), index);
}

Variant UserListCache::RemoveUsers(const Records& users) {
  last_records_.clear();
  removed_records_.clear();
  Variant touched = Variant::Array();
  std::unordered_set<int64_t> left;
  for (const Record& record : users) {
    if (!record) continue;
    auto bound = index_by_user_id_.find(record->Get("user_id").AsStringView());
    if (bound == index_by_user_id_.end()) continue;
    const int64_t index = bound->second;
    auto current = user_index_var_map_.find(index);
    if (current != user_index_var_map_.end()) {
      if (current->second) {
        const Variant& user = *current->second;
        const std::string_view stream = user.Get("stream").AsStringView();
        if (!stream.empty()) {
          auto it = index_by_stream_id_.find(stream);
          if (it != index_by_stream_id_.end() && it->second == index) index_by_stream_id_.erase(it);
        }
        const std::string_view app_id = user.Get("app_id").AsStringView();
        const std::string_view app_uid = user.Get("app_uid").AsStringView();
        if (!app_id.empty() && !app_uid.empty()) nickname_by_app_key_.erase(AppKey(app_id, app_uid));
      }
      removed_records_[index] = std::move(current->second);
      user_index_var_map_.erase(current);
      touched.Add(static_cast<long long>(index));
    }
    removed_index_by_user_id_[bound->first] = index;
    index_by_user_id_.erase(bound);
    left.insert(index);
    if (index == screen_owner_index_) ClearScreen();
  }
  // One pass over the index list for the whole call rather than one per user.
  if (!left.empty()) {
    Variant remaining = Variant::Array();
    for (const Variant& index : index_list_.Elements()) {
      if (!left.count(index.AsInteger())) remaining.Add(index);
    }
    index_list_ = std::move(remaining);
  }
  return touched;
}

void UserListCache::WaitingUserListChanged(Members::MembersEvent event, Variant* users) {
  if (!users) return;
  for (const Variant& user : users->Elements()) {
    const std::string_view app_id = user.Get("app_id").AsStringView();
    const std::string_view app_uid = user.Get("app_uid").AsStringView();
    if (app_id.empty() || app_uid.empty()) continue;
    switch (event) {
      case Members::kWaitingUsersAdded:
      case Members::kWaitingUsersUpdated:
        waiting_nickname_by_app_key_[AppKey(app_id, app_uid)] = user.GetString("nickname");
        break;
      case Members::kWaitingUsersRemoved:
        waiting_nickname_by_app_key_.erase(AppKey(app_id, app_uid));
        break;
      default:
        break;
    }
  }
}

const Variant& UserListCache::GetVariant(int64_t index) const {
  auto current = user_index_var_map_.find(index);
  if (current != user_index_var_map_.end() && current->second) return *current->second;
  return RecordOrEmpty(removed_records_, index);
}

const Variant& UserListCache::GetVariant(const std::string& user_id) const { return GetVariant(GetUserIndex(user_id)); }

const Variant& UserListCache::GetOldVariant(int64_t index) const { return RecordOrEmpty(last_records_, index); }

const Variant& UserListCache::GetVariantByStreamId(const std::string& stream_id) const {
  auto bound = index_by_stream_id_.find(stream_id);
  if (bound == index_by_stream_id_.end()) return Variant::EmptyVariant();
  auto current = user_index_var_map_.find(bound->second);
  if (current == user_index_var_map_.end() || !current->second) {
    VELTO_LOG(log::kFailure) << "index = " << bound->second
                             << ", user_index_var_map_.size=" << user_index_var_map_.size();
    return Variant::EmptyVariant();
  }
  return *current->second;
}

int64_t UserListCache::GetUserIndex(const std::string& user_id) const {
  auto present = index_by_user_id_.find(user_id);
  if (present != index_by_user_id_.end()) return present->second;
  auto removed = removed_index_by_user_id_.find(user_id);
  return removed != removed_index_by_user_id_.end() ? removed->second : -1;
}

int64_t UserListCache::GetUserIndexByStreamId(const std::string& stream_id) const {
  auto bound = index_by_stream_id_.find(stream_id);
  return bound != index_by_stream_id_.end() ? bound->second : -1;
}

int64_t UserListCache::GetScreenIndex() const { return screen_index_; }

std::string UserListCache::GetNicknameByAppIdAndAppUid(const std::string& app_id, const std::string& app_uid) const {
  if (app_id.empty() || app_uid.empty()) return {};
  const std::string key = AppKey(app_id, app_uid);
  auto present = nickname_by_app_key_.find(key);
  if (present != nickname_by_app_key_.end()) return present->second;
  auto waiting = waiting_nickname_by_app_key_.find(key);
  return waiting != waiting_nickname_by_app_key_.end() ? waiting->second : std::string();
}

bool UserListCache::IsUserRemoved(const std::string& user_id) const { return !index_by_user_id_.count(user_id); }

bool UserListCache::IsUserRemoved(int64_t index) const { return !user_index_var_map_.count(index); }

bool UserListCache::IsHasOrgInfo(const std::string& user_id) const { return GetVariant(user_id).Has("show_org_info"); }

void UserListCache::GetIndexList(Variant& list) const { list = index_list_; }

Variant* UserListCache::FindEditableRecord(const std::string& user_id) {
  const int64_t index = GetUserIndex(user_id);
  for (auto* records : {&user_index_var_map_, &removed_records_}) {
    auto it = records->find(index);
    if (it != records->end() && it->second) return it->second->IsNull() ? nullptr : it->second.get();
  }
  return nullptr;
}

void UserListCache::UpdateLeftReason(const std::string& user_id, int reason) {
  if (Variant* user = FindEditableRecord(user_id)) (*user)["left_reason"] = reason;
}

void UserListCache::UpdateStreamActiveInfo(const std::string& user_id, const std::string& stream_id, bool active) {
  Variant* user = FindEditableRecord(user_id);
  if (!user) return;
  if (user->Get("stream_id").AsStringView() == stream_id) {
    (*user)["is_video_active"] = active;
  } else {
    (*user)["is_screen_active"] = active;
  }
}

void UserListCache::UpdateLockUserViewActiveInfo(const std::string& previous_user_id, const std::string& user_id,
                                                 bool active) {
  if (Variant* previous = FindEditableRecord(previous_user_id)) (*previous)["is_lock_user_view_active"] = false;
  if (Variant* user = FindEditableRecord(user_id)) (*user)["is_lock_user_view_active"] = active;
}

void UserListCache::RemoveOrgInfo(const std::string& user_id) {
  if (Variant* user = FindEditableRecord(user_id)) user->Remove("show_org_info");
}

void UserListCache::AddUserMediaInfo(int64_t index, const Variant& record) {
  if (!record.GetBoolean("screen")) {
    if (index == screen_owner_index_) ClearScreen();
    return;
  }
  const Variant& screen_stream = record.Get("screen_stream");
  Variant entry = Variant::Map();
  entry["stream_id"] = screen_stream.Get("stream_id").AsStringView();
  entry["is_screen_active"] = screen_stream.GetBoolean("stream_active");
  entry["level"] = static_cast<long long>(kScreenEntryLevel);
  entry["video"] = true;
  SetScreenOnVariant(index, entry);
}

void UserListCache::SetScreenOnVariant(int64_t owner_index, const Variant& entry) {
  if (screen_index_ == -1) {
    screen_index_ = next_index_++;
  } else if (auto old = user_index_var_map_.find(screen_index_); old != user_index_var_map_.end() && old->second) {
    auto it = index_by_stream_id_.find(old->second->GetString("stream_id"));
    if (it != index_by_stream_id_.end() && it->second == screen_index_) index_by_stream_id_.erase(it);
  }
  auto screen = std::make_shared<Variant>(entry);
  (*screen)["user_index"] = static_cast<long long>(screen_index_);
  const std::string stream_id = screen->GetString("stream_id");
  if (!stream_id.empty()) index_by_stream_id_[stream_id] = screen_index_;
  user_index_var_map_[screen_index_] = std::move(screen);
  screen_owner_index_ = owner_index;
  screen_owner_key_ = RecordOrEmpty(user_index_var_map_, owner_index).GetString("user_id");
}

void UserListCache::ClearScreen() {
  if (screen_index_ != -1) {
    if (auto entry = user_index_var_map_.find(screen_index_); entry != user_index_var_map_.end()) {
      if (entry->second) {
        auto it = index_by_stream_id_.find(entry->second->GetString("stream_id"));
        if (it != index_by_stream_id_.end() && it->second == screen_index_) index_by_stream_id_.erase(it);
      }
      user_index_var_map_.erase(entry);
    }
  }
  screen_index_ = -1;
  screen_owner_index_ = -1;
  screen_owner_key_.clear();
}

}  // namespace velto
