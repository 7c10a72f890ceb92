// The ordered member list of the current meeting: two sorted lists of user indexes, the users
// shown (visible list) and the users the hide switch takes out (invisible list), kept current
// from the user, meeting, hide-video, custom-layout and voice-activated models.
//
//   class MemberPanelUsers : public velto::UserListManager {
//    public:
//     MemberPanelUsers() { SetCompareUserFunc(velto_common::utils::member::CompareSortUser); }
//   };
//   MemberPanelUsers users;          // subscribes; fills on join, on a user cache reset or:
//   users.InitUserList();
//   users.AddDelegate(&panel);       // panel.OnUserListChanged(sorted visible list) after changes
//   const base::variant::Variant* all = users.GetUserList();   // visible users, then hidden ones
//
// The library supplies the mechanism (placement by binary search, merging and separation on a
// hide switch change, priority search, visibility); the order comes from the comparison that a
// derived manager installs before the first user arrives. Entries of every list are integer
// Variants; records are fetched from the user model (508) on each comparison and never kept.
// Everything runs on the UI thread.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/variant/variant.h"
#include "framework/model.h"
#include "module_api/export.h"
#include "module_api/in_meeting/in_meeting_types.h"

namespace velto {

// Keeps one list ordered. The default rule places users by the comparison; other rules (first
// pages, voice-activated order) build on the extension points from Clear() on.
class VELTO_API UserListManagerRuleBase {
 public:
  using Variant = base::variant::Variant;
  // True when user record `a` sorts before user record `b`.
  using CompareUserFunc = std::function<bool(const Variant& a, const Variant& b)>;

  // Which users SeparateUsersFromList takes out of a list.
  enum SeparateUsersType : int32_t {
    kSeparateVisibleUsers = 0,    // visible under the given hide switch
    kSeparateInvisibleUsers = 1,  // not visible under it
  };

  // Bits of the hide switch.
  static constexpr int kHideNoVideoUsers = 1;
  static constexpr int kHideSelf = 2;

  UserListManagerRuleBase(std::string key, InMeetingWindow::LayoutUserListRuleType rule_type);
  UserListManagerRuleBase(const UserListManagerRuleBase& other);
  UserListManagerRuleBase& operator=(const UserListManagerRuleBase& other);

  virtual ~UserListManagerRuleBase();
  // Inserts `index` at its place in `list`.
  virtual void UserAdd(Variant& list, const Variant& index, const Variant& info) = 0;
  // Erases the entry at `pos` (logged either way).
  virtual void UserRemove(Variant& list, const Variant& index, const Variant& info, const int& pos) = 0;
  // Re-places the entry at `pos` (-1: not in the list); true when its position changed.
  virtual bool UserUpdate(Variant& list, const Variant& index, const Variant& info, const int& pos) = 0;
  // The first entry not excluded by `options` ({"is_exclude_self": bool}); null when none.
  virtual const Variant* FindHighestPriorityUserIndex(const Variant& list, const Variant* options) = 0;
  // Compares the records of two user indexes. Comparing before SetCompareUserFunc is a bug of
  // the derived manager and throws std::bad_function_call.
  virtual bool CompareUser(framework::Model* user_model, const Variant& a, const Variant& b) = 0;
  virtual void Clear();
  // Null: the default rule keeps no first page.
  virtual const Variant* GetFirstPageSortedUserList();
  // True when the list was reordered for the new page size.
  virtual bool AdjustUserListForPageSizeChanged(Variant& list, const unsigned& size);
  virtual bool AdjustUserListForHideVideoSwitchChanged(Variant& list);
  virtual bool NeedHandleVoiceActivatedHistory();
  virtual bool NeedNotifyFirstPageSortedListChanged();
  virtual void OnNotifyFirstPageSortedListChangedComplete();
  virtual void OnEventHideVideoSwitchChange(const Variant* event);
  virtual void OnCustomLayoutInfoChange();
  virtual void BeforeHideSwitchChange(Variant& list);
  virtual void AfterHideSwitchChange(Variant& list);
  virtual unsigned short GetSortPriority(const Variant& info);

  void SetCompareUserFunc(CompareUserFunc compare);
  // The comparison given by SetCompareUserFunc; empty until then.
  const CompareUserFunc& GetCompareUserFunc() const { return compare_user_func_; }
  InMeetingWindow::LayoutUserListRuleType GetRuleType() const;
  const std::string& GetKey() const;
  // Merges a sorted run into the sorted list in place; on equality the list's own entries stay
  // first. Linear in the two lengths.
  void MergeSortedUsersToList(Variant& list, const Variant& sorted_users);
  // One pass over `list`: the entries whose visibility under `hide_switch` is the one `type`
  // names move, in list order, to the end of `out`.
  void SeparateUsersFromList(Variant& list, const int& hide_switch, const SeparateUsersType& type, Variant& out);
  // The first entry of list[from..to] (inclusive) not excluded by `options`; null when none.
  const Variant* FindHighestPriorityUserIndexInSortedList(const Variant& list, unsigned from, unsigned to,
                                                          const Variant* options);

  // The user model's record of a user index; the empty Variant when there is none.
  static const Variant& GetUser(const Variant& index);
  // "self" is true, or "user_id" is the local user's. False for anything but a map.
  static bool IsSelf(const Variant& info);
  // Spotlighted users always show; bit 0 hides users without video, bit 1 hides the local user.
  static bool IsUserVisible(const Variant& info, const int& hide_switch);

 protected:
  // True when `options` asks to skip the local user and `info` is the local user.
  bool NeedExcludeUser(const Variant& info, const Variant* options);
  const CompareUserFunc& compare_user_func() const { return compare_user_func_; }

 private:
  CompareUserFunc compare_user_func_;
  InMeetingWindow::LayoutUserListRuleType rule_type_;
  std::string key_;
};

// Keeps the list sorted by the comparison; equal users: the one placed last stands first.
class VELTO_API UserListManagerDefaultRule : public UserListManagerRuleBase {
 public:
  explicit UserListManagerDefaultRule(std::string key);

  void UserAdd(Variant& list, const Variant& index, const Variant& info) override;
  void UserRemove(Variant& list, const Variant& index, const Variant& info, const int& pos) override;
  bool UserUpdate(Variant& list, const Variant& index, const Variant& info, const int& pos) override;
  const Variant* FindHighestPriorityUserIndex(const Variant& list, const Variant* options) override;
  bool CompareUser(framework::Model* user_model, const Variant& a, const Variant& b) override;
};

// One sorted list and the rule that keeps it; every operation hands the rule this list.
class VELTO_API UserListManagerMemberList {
 public:
  using Variant = base::variant::Variant;

  explicit UserListManagerMemberList(std::string key);
  ~UserListManagerMemberList();
  UserListManagerMemberList(const UserListManagerMemberList&) = delete;
  UserListManagerMemberList& operator=(const UserListManagerMemberList&) = delete;

  const Variant* GetSortedUserList() const { return &sorted_list_; }
  // Replaces the rule (null is ignored); the new rule needs its own comparison.
  void SetUserListRule(std::unique_ptr<UserListManagerRuleBase> rule);
  UserListManagerRuleBase* GetUserListRule() const { return rule_.get(); }

  void UserAdd(const Variant& index, const Variant& info);
  void UserRemove(const Variant& index, const Variant& info, const int& pos);
  bool UserUpdate(const Variant& index, const Variant& info, const int& pos);
  const Variant* GetHighestPriorityUser(const Variant* options);
  const Variant* GetFirstPageSortedUserList();
  unsigned short GetSortPriority(const Variant& info);
  bool NeedHandleVoiceActivatedHistory();
  bool NeedNotifyFirstPageSortedListChanged();
  void OnNotifyFirstPageSortedListChangedComplete();
  void BeforeHideSwitchChange();
  void AfterHideSwitchChange();
  void MergeSortedUsersToList(const Variant& sorted_users);
  void SetCompareUserFunc(const UserListManagerRuleBase::CompareUserFunc& compare);

  // Position of the first entry with the same integer value; -1 when absent.
  int FindUser(const Variant& index) const;
  // Stores the size; true when the rule reordered the list for it.
  bool SetFirstPageSize(const unsigned& size);
  void SeparateUsersFromList(const int& hide_switch, const UserListManagerRuleBase::SeparateUsersType& type,
                             Variant& out);
  // Empties the list and clears the rule.
  void Clear();
  const std::string& GetKey() const { return key_; }
  InMeetingWindow::LayoutUserListRuleType GetRuleType() const;
  unsigned GetFirstPageSize() const { return first_page_size_; }

 private:
  Variant sorted_list_;
  std::unique_ptr<UserListManagerRuleBase> rule_;
  unsigned first_page_size_ = 0;
  std::string key_;
};

// Implemented by the users of a UserListManager. The manager itself calls the last two; derived
// managers forward their per-user hooks to the first three. Every operation defaults to nothing.
class VELTO_API IUserEventDelegate {
 public:
  using Variant = base::variant::Variant;

  virtual ~IUserEventDelegate();
  virtual void OnUserAdd(const Variant& info);
  virtual void OnUserRemove(const Variant& info);
  virtual void OnUserUpdate(const Variant& old_info, const Variant& new_info);
  // After every rebuild of the published lists.
  virtual void OnUserListChanged(const Variant* sorted_visible_list);
  virtual void OnFirstPageSortedListChanged(const Variant* first_page_list);
};

class VELTO_API UserListManager {
 public:
  using Variant = base::variant::Variant;
  using CompareUserFunc = UserListManagerRuleBase::CompareUserFunc;

  enum UserEventType : int32_t {
    kUserEventAdd = 0,
    kUserEventUpdate = 1,
    kUserEventRemove = 2,
  };

  // Subscribes to the user (508), meeting (514), voice-activated (562), hide-video (567) and
  // custom-layout (557) models that exist, and reads the hide switch. InitUserList subscribes to
  // those that come later or are replaced.
  UserListManager();
  UserListManager(const UserListManager&) = delete;
  UserListManager& operator=(const UserListManager&) = delete;

  // Unsubscribes from 508, 514, 562, 567 and 557, in that order.
  virtual ~UserListManager();
  // Empties the stream map, both sorted lists and the published lists; delegates are not told.
  virtual void Clear();
  // The published full list: visible users, then hidden ones; the local user alone when both
  // are empty.
  virtual const Variant* GetUserList();
  // Rebuilds and notifies when the visible list's rule reorders for the new size.
  virtual void SetFirstPageSize(const unsigned& size);
  // Both answer the published visible list (the local user alone when nobody else shows).
  virtual const Variant* GetVisibleAudioUserList();
  virtual const Variant* GetVisibleVideoUserList();
  // Hooks, empty here: the payload of the user model's events as a list of indexes.
  virtual void OnEventAddUser(const Variant& indexes);
  virtual void OnEventRemoveUser(const Variant& indexes);
  virtual void OnEventUpdateUser(const Variant& indexes);
  // Hooks, empty here: per user, after the lists took the change.
  virtual void OnUserUpdate(const Variant& old_info, const Variant& new_info);
  virtual void OnUserAdd(const Variant& info);
  virtual void OnUserRemove(const Variant& info);
  // Rebuilds the published lists and tells every delegate.
  virtual void OnUserListChanged();
  virtual void OnEventMeetingUserAdd(const Variant* event);
  virtual void OnEventMeetingUserRemove(const Variant* event);
  virtual void OnEventMeetingUserUpdate(const Variant* event);
  virtual void OnEventMeetingUserInfoBeforeChange(const Variant* event);
  virtual void OnEventMeetingUserInfoAfterChange(const Variant* event);
  virtual void OnEventSwitchToAudioMode(const Variant* event);
  // Filters of derived managers: false skips the user for that kind of event.
  virtual bool NeedHandleForType(UserEventType type, const Variant& info);
  virtual bool NeedUpdateUserIndexMap(UserEventType type, const Variant& info);

  const Variant* GetRawUserList();
  const Variant* GetRawVisibleUserList();
  // Loads every user of the user model as if they had just been added. First subscribes to the
  // followed models that were missing when the manager was made or have been replaced since.
  void InitUserList();
  // Delegates are not owned; each is told at most once, in the set's order. Null is ignored.
  void AddDelegate(IUserEventDelegate* delegate);
  void RemoveDelegate(IUserEventDelegate* delegate);
  unsigned GetFirstPageSize() const;
  const Variant* GetFirstPageSortedUserList();
  // The first visible user, skipping the local user for {"is_exclude_self": true}; null when none.
  const Variant* GetHighestPriorityUser(const Variant* options);
  // The hidden users, sorted.
  const Variant* GetNeedHideUserList() const;
  const Variant* GetStreamList() const;
  // The record stored under the stream id; null when none.
  const Variant* GetUserInfoWithStreamId(const std::string& stream_id) const;
  // True when the last rebuild put the local user into an otherwise empty visible list.
  bool IsAddSelfWhenVisibleListEmpty() const;
  // Visibility under the current hide switch.
  bool IsUserVisible(const Variant& info) const;
  // Stores the flag only; while set, hide switch events leave the lists alone.
  void SetIgnoreHideSwitch(bool ignore);
  // Each takes a list of user indexes.
  void UserAddForType(const Variant& indexes);
  void UserRemoveForType(const Variant& indexes);
  void UserUpdateForType(const Variant& indexes);
  void UserVoiceActivateUpdateForType(const Variant& indexes);

  void OnEventJoinComplete(const Variant* event);
  void OnEventLeaveComplete(const Variant* event);
  void OnEventSelfMoveToWaitingRoom(const Variant* event);
  void OnEventMeetingUserCacheChanged(const Variant* event);
  void OnEventVoiceActivatedHistoryListChanged(const Variant* event);
  void OnEventCustomLayoutInfoChange(const Variant* event);
  void OnEventHideMeetingUserChanged(const Variant* event);

 protected:
  // Gives both lists' rules a copy; derived managers call it before the first user arrives.
  void SetCompareUserFunc(const CompareUserFunc& compare);
  // Position of the user in the visible list, else in the invisible list (`in_visible` tells
  // which); -1 when in neither.
  int FindUser(const Variant& index, bool& in_visible) const;
  UserListManagerMemberList* GetMemberListPtr(bool visible);
  // The local user's index; null when the user model does not know it.
  Variant GetSelfUserIndex();
  // Appends the local user to an empty list; true when it did.
  bool AddSelfIfListEmpty(Variant& list);
  // 0 in audio-only and custom-layout meetings; otherwise the hide-video model's two switches.
  int MakeHideSwitchValue();
  void UpdateHideSwitchValue();
  // Moves users between the lists by one separation and one merge per list; true when a merge
  // took place.
  bool MoveUsersWhenHideSwitchChanged(int new_hide_switch);
  void BeforeHideSwitchChange();
  void AfterHideSwitchChange();
  void UpdateUserIndexList();
  void UpdateVisibleUserIndexList();
  void NotifyFirstPageSortedListChangedIfNeed();
  // Re-places one updated user. A user in neither list is added only for `add_user_if_need`.
  // `old_out` receives the record before the update, `new_out` the current one (either may be
  // null). True when the lists changed shape for this user.
  bool DoUserUpdateForType(const Variant& index, Variant* old_out, Variant* new_out, bool add_user_if_need);
  // Places the user in the list its visibility calls for; `pos` -1 adds it.
  bool UserUpdate(const Variant& index, const Variant& info, int pos, bool was_visible);
  void UserRemove(const Variant& index, const Variant& info, int pos, bool in_visible);
  // The stream map derived managers fill (stream id -> user record).
  Variant& MutableStreamList() { return stream_map_; }
  int hide_switch() const { return hide_switch_; }

 private:
  // A user of a multi-user event taken out of its list until the event places it again.
  struct TakenUser {
    int64_t index;
    bool visible;
    int pos;  // where it stood before the event
  };
  // What NeedHandleForType and NeedUpdateUserIndexMap answered for one index of an event (the
  // second is asked only when the first says yes). The hooks of a derived manager may count or
  // report, so each is asked once per index of an event, however the event is placed.
  struct HookAnswers {
    bool handle = false;
    bool update_map = false;
  };
  // By position in the event; an entry without a value was not asked yet.
  using EventHookAnswers = std::vector<std::optional<HookAnswers>>;

  void Subscribe();
  void Unsubscribe();
  void NotifyUserListChanged();
  // Takes the users of a multi-user event that the lists hold out of them. While one of them is
  // placed, the others' entries still stand where their previous records put them, and a binary
  // search meeting one could go astray; so they are all taken out first and placed one by one.
  // Returns the hooks' answers for the indexes it had to ask about, for the placement to reuse.
  EventHookAnswers TakeOutUsersOfEvent(const Variant& indexes, UserEventType type);
  // DoUserUpdateForType with the hooks' answers already known for this index (`known` may be
  // null: ask).
  bool DoUserUpdateWith(const Variant& index, const HookAnswers* known, Variant* old_out, Variant* new_out,
                        bool add_user_if_need);
  // The taken user of `index` that is not back in a list yet; null otherwise.
  const TakenUser* FindTakenUser(const Variant& index) const;
  // A multi-user add placed in bulk (src/utils/user_list/user_list_bulk_placement.h).
  struct BulkAdd;
  // The bulk placement for an add of `count` users, or null when they are placed one by one: a
  // small event, a list kept by another rule than the default one, or a bulk placement under way.
  std::unique_ptr<BulkAdd> StartBulkAdd(size_t count);
  // UserUpdate for a user of an add placed in bulk (`listed`: in one of the lists).
  void UserUpdateInBulk(BulkAdd& bulk, const Variant& index, const Variant& info, bool listed, bool was_visible);
  // Writes the placed lists back in one go; when a hook changed the lists meanwhile, places the
  // event's users into the lists as the hook left them instead.
  void FinishBulkAdd(BulkAdd& bulk);
  // Puts back any taken user the event did not place; true when a taken user stands elsewhere
  // than before the event, i.e. the lists changed.
  bool FinishTakenUsers();

  Variant stream_map_;
  UserListManagerMemberList visible_list_;
  UserListManagerMemberList invisible_list_;
  Variant user_list_;
  Variant raw_visible_list_;
  std::set<IUserEventDelegate*> delegates_;
  int32_t hide_switch_ = 0;
  bool ignore_hide_switch_ = false;
  bool self_added_to_visible_list_ = false;
  std::vector<TakenUser> taken_users_;  // only while a multi-user event is being placed
  bool placing_in_bulk_ = false;
  // Per followed model (user, meeting, voice activated, hide video, custom layout): alive while
  // that model holds this manager's subscriptions.
  std::array<std::weak_ptr<void>, 5> models_held_;
};

}  // namespace velto
