// The member records a member-list module has received, each under a local user index that
// stays with its user id for the cache's lifetime.
//
//   velto::UserListCache cache;
//   Variant touched = cache.UserListChanged(velto::Members::kUsersAdded, records);  // [1, 2, ...]
//   const Variant& user = cache.GetVariant("u-1");          // also after the user has left
//   const Variant& before = cache.GetOldVariant(index);     // the record before the last update
//   const Variant& owner = cache.GetVariantByStreamId("video-u-1");
//
// The cache writes "user_index", "status", "is_bot" and "nickname_pinyin" into the records it
// is given (shared with the caller) and carries derived keys over when an update lacks them.
// A user who leaves keeps answering GetUserIndex and GetVariant until the next removal call;
// one who comes back gets a new index. Copies share the records with the original.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/variant/variant.h"
#include "module_api/export.h"
#include "module_api/members/members_event.h"

namespace velto {

class VELTO_API UserListCache {
 public:
  using Variant = base::variant::Variant;
  using Record = std::shared_ptr<Variant>;
  using Records = std::vector<Record>;

  UserListCache();
  UserListCache(const UserListCache& other);
  UserListCache(UserListCache&& other) noexcept;
  UserListCache& operator=(const UserListCache& other);
  UserListCache& operator=(UserListCache&& other) noexcept;
  ~UserListCache();

  // Adds or updates (1, 2, 65) or removes (3) users; a list of the indexes touched, in input
  // order. Other events change nothing and give null.
  Variant UserListChanged(Members::MembersEvent event, const Records& users);
  // Keeps the nicknames of waiting-room users (45, 46 bind, 47 unbinds); null does nothing.
  void WaitingUserListChanged(Members::MembersEvent event, Variant* users);

  // The current record, else the record of the last removal, else the empty Variant.
  const Variant& GetVariant(int64_t index) const;
  const Variant& GetVariant(const std::string& user_id) const;
  // The record the user had before the last add-or-update call; else the empty Variant.
  const Variant& GetOldVariant(int64_t index) const;
  const Variant& GetVariantByStreamId(const std::string& stream_id) const;
  // The present user's index, else the index the user had when last seen; -1 when unknown.
  int64_t GetUserIndex(const std::string& user_id) const;
  int64_t GetUserIndexByStreamId(const std::string& stream_id) const;
  // The index of the screen-share entry; -1 when there is none.
  int64_t GetScreenIndex() const;
  // In-meeting users first, then the waiting room; empty when unknown or either part is empty.
  std::string GetNicknameByAppIdAndAppUid(const std::string& app_id, const std::string& app_uid) const;
  // No present user with this id.
  bool IsUserRemoved(const std::string& user_id) const;
  // No current record at this index.
  bool IsUserRemoved(int64_t index) const;
  // The user's record has "show_org_info".
  bool IsHasOrgInfo(const std::string& user_id) const;
  // The present indexes in order of first arrival.
  void GetIndexList(Variant& list) const;

  // Edits of the user's record in place; nothing happens for a user without a record.
  void UpdateLeftReason(const std::string& user_id, int reason);
  // "is_video_active" when `stream_id` is the record's "stream_id", else "is_screen_active".
  void UpdateStreamActiveInfo(const std::string& user_id, const std::string& stream_id, bool active);
  // Clears the flag on the previous user's record and sets it to `active` on the user's.
  void UpdateLockUserViewActiveInfo(const std::string& previous_user_id, const std::string& user_id, bool active);
  void RemoveOrgInfo(const std::string& user_id);

  // Screen sharing as an entry of its own: from the owner's "screen" flag and "screen_stream"
  // map, an entry {"stream_id", "is_screen_active", "level": 2, "video"} installed at the
  // screen index; a record that does not share removes the owner's entry.
  void AddUserMediaInfo(int64_t index, const Variant& record);
  // Replaces the screen entry (keeping the screen index once there is one) and binds its
  // "stream_id" to the screen index.
  void SetScreenOnVariant(int64_t owner_index, const Variant& entry);

 private:
  Variant AddOrUpdateUsers(const Records& users);
  Variant RemoveUsers(const Records& users);
  // Carries the derived keys of the current record over into `user` where it lacks them.
  void UpdateUser(int64_t index, Variant& user);
  void CheckIfStreamIdChanged(int64_t index, const Variant& previous, const Variant& user);
  void ClearScreen();
  // The record at the user's index for an in-place edit; null when there is none.
  Variant* FindEditableRecord(const std::string& user_id);

  // String keys are looked up by the views read from records, without a copy.
  struct KeyHash {
    using is_transparent = void;
    size_t operator()(std::string_view key) const noexcept { return std::hash<std::string_view>()(key); }
  };
  template <typename Value>
  using StringMap = std::unordered_map<std::string, Value, KeyHash, std::equal_to<>>;

  int64_t next_index_ = 1;
  std::unordered_map<int64_t, Record> last_records_;
  std::unordered_map<int64_t, Record> removed_records_;
  std::unordered_map<int64_t, Record> user_index_var_map_;
  StringMap<int64_t> index_by_user_id_;
  StringMap<int64_t> removed_index_by_user_id_;
  StringMap<int64_t> index_by_stream_id_;
  StringMap<std::string> nickname_by_app_key_;
  StringMap<std::string> waiting_nickname_by_app_key_;
  Variant index_list_;
  int64_t screen_index_ = -1;
  int64_t screen_owner_index_ = -1;
  std::string screen_owner_key_;
};

}  // namespace velto
