// The meeting's member list: follows the user, meeting, hide-video, custom-layout and
// voice-activated models, keeps the visible and invisible lists sorted, republishes them after
// each change and tells the delegates.
#include "module_api/user_list/user_list_manager.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_set>
#include <vector>

#include "base/location.h"
#include "framework/module/module.h"
#include "module_api/in_meeting/views.h"
#include "module_api/in_meeting/windows.h"
#include "module_api/log.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "utils/user_list/user_list_bulk_placement.h"
#include "model/subscription_watch.h"

namespace velto {

using base::variant::Variant;
namespace member = velto_common::utils::member;
namespace inmeeting = velto_common::utils::inmeeting;

namespace {

namespace event {
// User model (508).
using velto::model_event::user::kUserAdd;
using velto::model_event::user::kUserUpdate;
using velto::model_event::user::kUserRemove;
using velto::model_event::user::kUserCacheChanged;
using velto::model_event::user::kUserInfoBeforeChange;
using velto::model_event::user::kUserInfoAfterChange;
// Meeting model (514).
using velto::model_event::meeting::kJoinComplete;
using velto::model_event::meeting::kLeaveComplete;
using velto::model_event::meeting::kSwitchToAudioMode;
using velto::model_event::meeting::kSelfMoveToWaitingRoom;
// Voice activated model (562).
using velto::model_event::voice_activated::kVoiceActivatedHistoryChanged;
// Hide video model (567) and custom layout model (557).
using velto::model_event::hide_video::kHideMeetingUserChanged;
using velto::model_event::custom_layout::kCustomLayoutInfoChanged;
}  // namespace event

// The payload of the user model's events as a list; anything else reads as no user at all.
const Variant& IndexListOf(const Variant* payload) {
  static const Variant& kNoUsers = *new Variant(Variant::Array());
  if (payload && payload->IsArray()) return *payload;
  if (payload && !payload->IsNull()) {
    VELTO_LOG(log::kRejected) << "user index list is not a list: " << *payload;
  }
  return kNoUsers;
}

framework::Model* UserModel() { return framework::module::GetAppModuleModel(model_id::kUserModel); }

// The models the manager follows, in the order the destructor leaves them.
constexpr int kSubscribedModels[] = {model_id::kUserModel, model_id::kMeetingModel, model_id::kVoiceActivatedModel,
                                     model_id::kHideVideoModel, model_id::kCustomLayoutModel};

size_t SlotOf(int model) {
  return static_cast<size_t>(std::find(std::begin(kSubscribedModels), std::end(kSubscribedModels), model) -
                             std::begin(kSubscribedModels));
}

const Variant& RecordOf(framework::Model* user_model, const Variant& index) {
  if (!index.IsInteger()) return Variant::EmptyVariant();
  return member::GetUserInfo(user_model, index.AsInteger());
}

std::string UserIdForLog(const Variant& info) { return info.IsMap() ? info.GetString("user_id") : "nullptr"; }

// Events of at least this many users are placed in bulk (when the rules allow it): below it,
// placing users one by one costs less than setting up the bulk placement.
constexpr size_t kBulkPlacementMinimum = 64;

// The hooks' answers recorded for the event position, or null when they are still to be asked.
template <typename Answers>
auto AnswersAt(const Answers& answers, size_t position) -> decltype(&*answers[position]) {
  return position < answers.size() && answers[position] ? &*answers[position] : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// IUserEventDelegate

IUserEventDelegate::~IUserEventDelegate() = default;
void IUserEventDelegate::OnUserAdd(const Variant&) {}
void IUserEventDelegate::OnUserRemove(const Variant&) {}
void IUserEventDelegate::OnUserUpdate(const Variant&, const Variant&) {}
void IUserEventDelegate::OnUserListChanged(const Variant*) {}
void IUserEventDelegate::OnFirstPageSortedListChanged(const Variant*) {}

// ---------------------------------------------------------------------------------------------
// UserListManager: construction and subscriptions

UserListManager::UserListManager()
    : stream_map_(Variant::Map()),
      visible_list_("visible_list"),
      invisible_list_("invisible_list"),
      user_list_(Variant::Array()),
      raw_visible_list_(Variant::Array()) {
  Subscribe();
  if (!ignore_hide_switch_) hide_switch_ = MakeHideSwitchValue();
}

UserListManager::~UserListManager() { Unsubscribe(); }

void UserListManager::Subscribe() {
  using Handler = void (UserListManager::*)(const Variant*);
  struct Subscription {
    int model;
    int event;
    Handler handler;
  };
  // Grouped by model, each model's events in the order the host expects them. The handlers are
  // called through member pointers, so a derived manager's overrides hear the events.
  static constexpr Subscription kSubscriptions[] = {
      {model_id::kUserModel, event::kUserAdd, &UserListManager::OnEventMeetingUserAdd},
      {model_id::kUserModel, event::kUserRemove, &UserListManager::OnEventMeetingUserRemove},
      {model_id::kUserModel, event::kUserUpdate, &UserListManager::OnEventMeetingUserUpdate},
      {model_id::kUserModel, event::kUserCacheChanged, &UserListManager::OnEventMeetingUserCacheChanged},
      {model_id::kUserModel, event::kUserInfoBeforeChange, &UserListManager::OnEventMeetingUserInfoBeforeChange},
      {model_id::kUserModel, event::kUserInfoAfterChange, &UserListManager::OnEventMeetingUserInfoAfterChange},
      {model_id::kMeetingModel, event::kJoinComplete, &UserListManager::OnEventJoinComplete},
      {model_id::kMeetingModel, event::kLeaveComplete, &UserListManager::OnEventLeaveComplete},
      {model_id::kMeetingModel, event::kSelfMoveToWaitingRoom, &UserListManager::OnEventSelfMoveToWaitingRoom},
      {model_id::kMeetingModel, event::kSwitchToAudioMode, &UserListManager::OnEventSwitchToAudioMode},
      {model_id::kVoiceActivatedModel, event::kVoiceActivatedHistoryChanged,
       &UserListManager::OnEventVoiceActivatedHistoryListChanged},
      {model_id::kHideVideoModel, event::kHideMeetingUserChanged, &UserListManager::OnEventHideMeetingUserChanged},
      {model_id::kCustomLayoutModel, event::kCustomLayoutInfoChanged, &UserListManager::OnEventCustomLayoutInfoChange},
  };
  static_assert(std::size(kSubscribedModels) == std::tuple_size_v<decltype(models_held_)>);
  const int64_t observer = model::ObserverId(this);
  int looked_up = 0;
  framework::Model* model = nullptr;
  std::shared_ptr<void> token;
  for (const Subscription& s : kSubscriptions) {
    if (s.model != looked_up) {  // one lookup per model
      looked_up = s.model;
      const size_t slot = SlotOf(s.model);
      // A model that still holds this manager's subscriptions keeps them: never twice.
      model = model::SubscriptionHeld(models_held_[slot]) ? nullptr : framework::module::GetAppModuleModel(s.model);
      token = model ? model::RenewSubscriptionToken(models_held_[slot]) : nullptr;
    }
    if (!model) continue;
    model->SubscribeWithLocation(
        s.event, observer,
        model::Holding(token, [this, handler = s.handler](const Variant* v) { (this->*handler)(v); }), FROM_HERE);
  }
}

void UserListManager::Unsubscribe() {
  const int64_t observer = model::ObserverId(this);
  for (int id : kSubscribedModels) {
    if (framework::Model* model = framework::module::GetAppModuleModel(id)) model->Unsubscribe(observer);
  }
}

// ---------------------------------------------------------------------------------------------
// Virtual operations

void UserListManager::Clear() {
  stream_map_ = Variant::Map();
  visible_list_.Clear();
  invisible_list_.Clear();
  user_list_ = Variant::Array();
  raw_visible_list_ = Variant::Array();
}

const Variant* UserListManager::GetUserList() { return &user_list_; }

void UserListManager::SetFirstPageSize(const unsigned& size) {
  if (visible_list_.SetFirstPageSize(size)) OnUserListChanged();
}

const Variant* UserListManager::GetVisibleAudioUserList() { return &raw_visible_list_; }

const Variant* UserListManager::GetVisibleVideoUserList() { return &raw_visible_list_; }

void UserListManager::OnEventAddUser(const Variant&) {}

void UserListManager::OnEventRemoveUser(const Variant&) {}

void UserListManager::OnEventUpdateUser(const Variant&) {}

void UserListManager::OnUserUpdate(const Variant&, const Variant&) {}

void UserListManager::OnUserAdd(const Variant&) {}

void UserListManager::OnUserRemove(const Variant&) {}

void UserListManager::OnUserListChanged() {
  UpdateUserIndexList();
  NotifyUserListChanged();
  NotifyFirstPageSortedListChangedIfNeed();
}

void UserListManager::OnEventMeetingUserAdd(const Variant* event) {
  const Variant& indexes = IndexListOf(event);
  OnEventAddUser(indexes);
  UserAddForType(indexes);
  if (!indexes.empty()) OnUserListChanged();
}

void UserListManager::OnEventMeetingUserRemove(const Variant* event) {
  const Variant& indexes = IndexListOf(event);
  OnEventRemoveUser(indexes);
  UserRemoveForType(indexes);
  OnUserListChanged();
  framework::Model* user_model = UserModel();
  for (const Variant& index : indexes.Elements()) OnUserRemove(RecordOf(user_model, index));
}

void UserListManager::OnEventMeetingUserUpdate(const Variant* event) {
  const Variant& indexes = IndexListOf(event);
  OnEventUpdateUser(indexes);
  UserUpdateForType(indexes);
}

void UserListManager::OnEventMeetingUserInfoBeforeChange(const Variant*) {}

void UserListManager::OnEventMeetingUserInfoAfterChange(const Variant*) {}

void UserListManager::OnEventSwitchToAudioMode(const Variant*) { UpdateHideSwitchValue(); }

bool UserListManager::NeedHandleForType(UserEventType, const Variant&) { return true; }

bool UserListManager::NeedUpdateUserIndexMap(UserEventType, const Variant&) { return true; }

// ---------------------------------------------------------------------------------------------
// Public operations

const Variant* UserListManager::GetRawUserList() { return &user_list_; }

const Variant* UserListManager::GetRawVisibleUserList() { return &raw_visible_list_; }

void UserListManager::InitUserList() {
  // Loading the list means following the meeting from here on: models that did not exist when
  // the manager was made, or that were replaced since, are subscribed now.
  Subscribe();
  const Variant indexes = member::GetUserIndexList(veltosdk::kInMeetingUserInvisibleNone);
  OnEventMeetingUserAdd(&indexes);
}

void UserListManager::AddDelegate(IUserEventDelegate* delegate) {
  if (delegate) delegates_.insert(delegate);
}

void UserListManager::RemoveDelegate(IUserEventDelegate* delegate) { delegates_.erase(delegate); }

unsigned UserListManager::GetFirstPageSize() const { return visible_list_.GetFirstPageSize(); }

const Variant* UserListManager::GetFirstPageSortedUserList() { return visible_list_.GetFirstPageSortedUserList(); }

const Variant* UserListManager::GetHighestPriorityUser(const Variant* options) {
  return visible_list_.GetHighestPriorityUser(options);
}

const Variant* UserListManager::GetNeedHideUserList() const { return invisible_list_.GetSortedUserList(); }

const Variant* UserListManager::GetStreamList() const { return &stream_map_; }

const Variant* UserListManager::GetUserInfoWithStreamId(const std::string& stream_id) const {
  return stream_map_.Find(stream_id);
}

bool UserListManager::IsAddSelfWhenVisibleListEmpty() const { return self_added_to_visible_list_; }

bool UserListManager::IsUserVisible(const Variant& info) const {
  return UserListManagerRuleBase::IsUserVisible(info, hide_switch_);
}

void UserListManager::SetIgnoreHideSwitch(bool ignore) { ignore_hide_switch_ = ignore; }

// The lists as a multi-user add found them (after its take-out), the bulk placement of its users,
// and what the placement needs to answer as FindUser and FindTakenUser would.
struct UserListManager::BulkAdd {
  BulkAdd(UserListManager& manager, const Variant& visible, const Variant& invisible, size_t count)
      : manager(manager),
        visible_before(visible),
        invisible_before(invisible),
        placement(UserModel(), visible_before, invisible_before,
                  manager.visible_list_.GetUserListRule()->GetCompareUserFunc(),
                  manager.invisible_list_.GetUserListRule()->GetCompareUserFunc(), count) {
    for (const TakenUser& user : manager.taken_users_) taken.emplace(user.index, user.visible);
    placed.reserve(count);
    manager.placing_in_bulk_ = true;
  }
  ~BulkAdd() { manager.placing_in_bulk_ = false; }

  // 0 for a listed user (its position is the placement's business), -1 otherwise.
  int Find(int64_t index, bool& in_visible) const { return placement.Find(index, in_visible) ? 0 : -1; }
  bool FindTaken(int64_t index, bool& in_visible) const {
    auto it = taken.find(index);
    if (it == taken.end()) return false;
    in_visible = it->second;
    return true;
  }

  UserListManager& manager;
  // Copies that share the lists' entries: a change a hook makes to a list through the list's
  // own Variant gives the list new entries, which tells at the end that it changed meanwhile.
  const Variant visible_before{};
  const Variant invisible_before{};
  internal::BulkPlacement placement;
  std::unordered_map<int64_t, bool> taken;                // and whether from the visible list
  std::vector<std::pair<Variant, const Variant*>> placed;  // index and record, in placement order
};

void UserListManager::UserAddForType(const Variant& indexes) {
  framework::Model* user_model = UserModel();
  const EventHookAnswers answers = TakeOutUsersOfEvent(indexes, kUserEventAdd);
  // A large event is placed in bulk: the same hooks, comparisons and outcome as user after user,
  // without the quadratic cost of moving entries and finding users (see BulkPlacement).
  std::unique_ptr<BulkAdd> bulk = StartBulkAdd(indexes.size());
  size_t position = 0;
  for (const Variant& index : indexes.Elements()) {
    const HookAnswers* known = AnswersAt(answers, position++);
    if (!index.IsInteger()) {
      VELTO_LOG(log::kRejected) << "user index should be an integer: " << index;
      continue;
    }
    const Variant& info = RecordOf(user_model, index);
    if (!(known ? known->handle : NeedHandleForType(kUserEventAdd, info))) continue;
    bool in_visible = false;
    const int pos = bulk ? bulk->Find(index.AsInteger(), in_visible) : FindUser(index, in_visible);
    bool present = pos >= 0;
    if (!present && bulk) {
      present = bulk->FindTaken(index.AsInteger(), in_visible);
    } else if (const TakenUser* taken = present ? nullptr : FindTakenUser(index)) {
      present = true;
      in_visible = taken->visible;
    }
    const Variant* old_info = present ? &member::GetOldUserInfo(user_model, index.AsInteger()) : nullptr;
    if (known ? known->update_map : NeedUpdateUserIndexMap(kUserEventAdd, info)) {
      if (bulk) {
        UserUpdateInBulk(*bulk, index, info, pos >= 0, in_visible);
      } else {
        UserUpdate(index, info, pos, in_visible);
      }
    }
    if (old_info && old_info->IsMap()) {
      OnUserUpdate(*old_info, info);
    } else {
      OnUserAdd(info);
    }
  }
  if (bulk) FinishBulkAdd(*bulk);
  FinishTakenUsers();
}

void UserListManager::UserRemoveForType(const Variant& indexes) {
  framework::Model* user_model = UserModel();
  for (const Variant& index : indexes.Elements()) {
    const Variant& info = RecordOf(user_model, index);
    if (!NeedHandleForType(kUserEventRemove, info)) continue;
    bool in_visible = false;
    const int pos = FindUser(index, in_visible);
    if (pos < 0) {
      VELTO_LOG(log::kTrace) << "can not find user :" << UserIdForLog(info) << " in list";
      continue;
    }
    UserRemove(index, info, pos, in_visible);
  }
}

void UserListManager::UserUpdateForType(const Variant& indexes) {
  const EventHookAnswers answers = TakeOutUsersOfEvent(indexes, kUserEventUpdate);
  bool changed = false;
  size_t position = 0;
  for (const Variant& index : indexes.Elements()) {
    const HookAnswers* known = AnswersAt(answers, position++);
    Variant old_info = Variant::Map();
    Variant new_info = Variant::Map();
    // A taken user always goes back in; whether that changed the lists is settled at the end.
    const bool taken = FindTakenUser(index) != nullptr;
    if (DoUserUpdateWith(index, known, &old_info, &new_info, true) && !taken) changed = true;
    if (new_info.empty()) continue;
    OnUserUpdate(old_info, new_info);
    const std::string_view old_stream = old_info.Get("stream").AsStringView();
    const std::string_view new_stream = new_info.Get("stream").AsStringView();
    if (old_stream != new_stream) {
      // The published lists carry no stream, but their readers fetch the stream anew.
      VELTO_LOG(log::kTrace) << "stream_id changed from" << old_stream << " to" << new_stream;
      changed = true;
    }
  }
  if (FinishTakenUsers()) changed = true;
  if (changed) {
    OnUserListChanged();
  } else {
    NotifyFirstPageSortedListChangedIfNeed();
  }
}

void UserListManager::UserVoiceActivateUpdateForType(const Variant& indexes) {
  const EventHookAnswers answers = TakeOutUsersOfEvent(indexes, kUserEventUpdate);
  bool changed = false;
  size_t position = 0;
  for (const Variant& index : indexes.Elements()) {
    const HookAnswers* known = AnswersAt(answers, position++);
    const bool taken = FindTakenUser(index) != nullptr;
    if (DoUserUpdateWith(index, known, nullptr, nullptr, false) && !taken) changed = true;
  }
  if (FinishTakenUsers()) changed = true;
  if (changed) {
    OnUserListChanged();
  } else {
    NotifyFirstPageSortedListChangedIfNeed();
  }
}

void UserListManager::OnEventJoinComplete(const Variant*) {
  VELTO_LOG(log::kTrace) << "init user list when join meeting";
  Clear();
  InitUserList();
}

void UserListManager::OnEventLeaveComplete(const Variant*) { Clear(); }

void UserListManager::OnEventSelfMoveToWaitingRoom(const Variant*) { Clear(); }

void UserListManager::OnEventMeetingUserCacheChanged(const Variant*) {
  VELTO_LOG(log::kTrace) << "init user list when user cache changed";
  Clear();
  InitUserList();
}

void UserListManager::OnEventVoiceActivatedHistoryListChanged(const Variant* event) {
  if (!visible_list_.NeedHandleVoiceActivatedHistory() || !event || !event->IsArray()) return;
  Variant indexes = Variant::Array();
  for (const Variant& entry : event->Elements()) {
    if (const Variant* index = entry.Find("user_index")) indexes.Add(*index);
  }
  if (!indexes.empty()) UserVoiceActivateUpdateForType(indexes);
}

void UserListManager::OnEventCustomLayoutInfoChange(const Variant*) { UpdateHideSwitchValue(); }

void UserListManager::OnEventHideMeetingUserChanged(const Variant*) { UpdateHideSwitchValue(); }

// ---------------------------------------------------------------------------------------------
// Protected operations

void UserListManager::SetCompareUserFunc(const CompareUserFunc& compare) {
  visible_list_.SetCompareUserFunc(compare);
  invisible_list_.SetCompareUserFunc(compare);
}

int UserListManager::FindUser(const Variant& index, bool& in_visible) const {
  int pos = visible_list_.FindUser(index);
  if (pos >= 0) {
    in_visible = true;
    return pos;
  }
  in_visible = false;
  return invisible_list_.FindUser(index);
}

UserListManagerMemberList* UserListManager::GetMemberListPtr(bool visible) {
  return visible ? &visible_list_ : &invisible_list_;
}

Variant UserListManager::GetSelfUserIndex() { return member::GetUserIndex(member::GetSelfUserID()); }

bool UserListManager::AddSelfIfListEmpty(Variant& list) {
  if (!list.empty()) return false;
  Variant self = GetSelfUserIndex();
  if (!self.IsInteger()) {
    VELTO_LOG(log::kNotable) << "self_user_index is null";
    return false;
  }
  list.Add(std::move(self));
  return true;
}

int UserListManager::MakeHideSwitchValue() {
  const bool audio_mode = member::IsForceAudioMode();
  const bool custom_layout = inmeeting::IsCustomLayoutMeeting();
  if (audio_mode || custom_layout) {
    VELTO_LOG(log::kTrace) << "hide_switch not effect, is_audio_mode:" << audio_mode
                           << ", is_custom_layout:" << custom_layout;
    return 0;
  }
  int value = 0;
  if (inmeeting::NeedHideNoVideoMeetingUser()) value |= UserListManagerRuleBase::kHideNoVideoUsers;
  if (inmeeting::NeedHideSelf()) value |= UserListManagerRuleBase::kHideSelf;
  return value;
}

void UserListManager::UpdateHideSwitchValue() {
  if (ignore_hide_switch_) return;
  const int value = MakeHideSwitchValue();
  if (value == hide_switch_) {
    VELTO_LOG(log::kTrace) << "hide_switch not changed";
    return;
  }
  BeforeHideSwitchChange();
  const bool moved = MoveUsersWhenHideSwitchChanged(value);
  hide_switch_ = value;
  if (!moved) return;
  AfterHideSwitchChange();
  OnUserListChanged();
}

bool UserListManager::MoveUsersWhenHideSwitchChanged(int new_hide_switch) {
  const int old_hide_switch = hide_switch_;
  const int common = old_hide_switch & new_hide_switch;
  const int add_switch = new_hide_switch - common;
  const int subtract_switch = old_hide_switch - common;
  VELTO_LOG(log::kTrace) << "old_hide_switch:" << old_hide_switch << ", new_hide_switch:" << new_hide_switch
                         << ", add_switch:" << add_switch << ", subtract_switch:" << subtract_switch;
  // Hiding more can only take users out of the visible list, hiding less only out of the
  // invisible one; both runs come out in list order, so they merge back without a sort.
  Variant newly_invisible = Variant::Array();
  Variant newly_visible = Variant::Array();
  if (add_switch != 0) {
    visible_list_.SeparateUsersFromList(new_hide_switch, UserListManagerRuleBase::kSeparateInvisibleUsers,
                                        newly_invisible);
  }
  if (subtract_switch != 0) {
    invisible_list_.SeparateUsersFromList(new_hide_switch, UserListManagerRuleBase::kSeparateVisibleUsers,
                                          newly_visible);
  }
  VELTO_LOG(log::kTrace) << "separate visible_user count:" << newly_visible.size()
                         << ", invisible_user count:" << newly_invisible.size();
  bool merged = false;
  if (!newly_visible.empty()) {
    visible_list_.MergeSortedUsersToList(newly_visible);
    merged = true;
  }
  if (!newly_invisible.empty()) {
    invisible_list_.MergeSortedUsersToList(newly_invisible);
    merged = true;
  }
  return merged;
}

void UserListManager::BeforeHideSwitchChange() { visible_list_.BeforeHideSwitchChange(); }

void UserListManager::AfterHideSwitchChange() { visible_list_.AfterHideSwitchChange(); }

void UserListManager::UpdateUserIndexList() {
  UpdateVisibleUserIndexList();
  // A copy shares the visible list's entries until either side changes.
  user_list_ = *visible_list_.GetSortedUserList();
  for (const Variant& index : invisible_list_.GetSortedUserList()->Elements()) user_list_.Add(index);
  VELTO_LOG(log::kTrace) << "user_list size =" << user_list_.size()
                         << ", visible_list =" << visible_list_.GetSortedUserList()->size()
                         << ", invisible_list =" << invisible_list_.GetSortedUserList()->size();
  AddSelfIfListEmpty(user_list_);
}

void UserListManager::UpdateVisibleUserIndexList() {
  raw_visible_list_ = *visible_list_.GetSortedUserList();
  self_added_to_visible_list_ = AddSelfIfListEmpty(raw_visible_list_);
}

void UserListManager::NotifyFirstPageSortedListChangedIfNeed() {
  if (!visible_list_.NeedNotifyFirstPageSortedListChanged()) return;
  const Variant* first_page = visible_list_.GetFirstPageSortedUserList();
  const std::set<IUserEventDelegate*> delegates = delegates_;
  for (IUserEventDelegate* delegate : delegates) {
    if (delegates_.count(delegate)) delegate->OnFirstPageSortedListChanged(first_page);
  }
  visible_list_.OnNotifyFirstPageSortedListChangedComplete();
}

bool UserListManager::DoUserUpdateForType(const Variant& index, Variant* old_out, Variant* new_out,
                                          bool add_user_if_need) {
  return DoUserUpdateWith(index, nullptr, old_out, new_out, add_user_if_need);
}

bool UserListManager::DoUserUpdateWith(const Variant& index, const HookAnswers* known, Variant* old_out,
                                       Variant* new_out, bool add_user_if_need) {
  framework::Model* user_model = UserModel();
  const Variant& info = RecordOf(user_model, index);
  if (!(known ? known->handle : NeedHandleForType(kUserEventUpdate, info))) return false;
  bool in_visible = false;
  const int pos = FindUser(index, in_visible);
  bool present = pos >= 0;
  if (const TakenUser* taken = present ? nullptr : FindTakenUser(index)) {
    present = true;  // taken out for this event: placed anew below
    in_visible = taken->visible;
  }
  if (present) {
    if (old_out) *old_out = member::GetOldUserInfo(user_model, index.AsInteger());
  } else {
    VELTO_LOG(log::kTrace) << "can not find user :" << UserIdForLog(info) << " in list"
                           << ", add_user_if_need =" << add_user_if_need;
    if (!add_user_if_need || !index.IsInteger()) return false;
  }
  bool result = false;
  if (known ? known->update_map : NeedUpdateUserIndexMap(kUserEventUpdate, info)) {
    result = UserUpdate(index, info, pos, in_visible);
  }
  if (new_out) *new_out = info;
  return result;
}

bool UserListManager::UserUpdate(const Variant& index, const Variant& info, int pos, bool was_visible) {
  const bool visible = IsUserVisible(info);
  UserListManagerMemberList& target = visible ? visible_list_ : invisible_list_;
  if (pos >= 0 && visible == was_visible) return target.UserUpdate(index, info, pos);
  if (pos >= 0) UserRemove(index, info, pos, was_visible);
  target.UserAdd(index, info);
  return true;
}

void UserListManager::UserRemove(const Variant& index, const Variant& info, int pos, bool in_visible) {
  (in_visible ? visible_list_ : invisible_list_).UserRemove(index, info, pos);
}

UserListManager::EventHookAnswers UserListManager::TakeOutUsersOfEvent(const Variant& indexes, UserEventType type) {
  EventHookAnswers answers;
  if (indexes.size() < 2 || !taken_users_.empty()) return answers;
  framework::Model* user_model = UserModel();
  std::vector<TakenUser> taken;
  std::unordered_set<int64_t> seen;
  // A large event asks about many users: their places are looked up in an index of the lists
  // (each user's first entry, the visible list first, as FindUser finds it), not by a scan each.
  std::unordered_map<int64_t, std::pair<int, bool>> listed;
  const bool indexed = indexes.size() >= kBulkPlacementMinimum;
  if (indexed) {
    for (const bool visible : {true, false}) {
      const std::span<const Variant> entries = GetMemberListPtr(visible)->GetSortedUserList()->Elements();
      for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].IsInteger()) listed.emplace(entries[i].AsInteger(), std::make_pair(static_cast<int>(i), visible));
      }
    }
  }
  size_t position = 0;
  for (const Variant& index : indexes.Elements()) {
    const size_t at = position++;
    if (!index.IsInteger()) continue;
    // Presence first: on a first load nobody is placed yet, and the record and rule checks would
    // be spent on every user for nothing.
    bool in_visible = false;
    int pos = -1;
    if (!indexed) {
      pos = FindUser(index, in_visible);
    } else if (auto it = listed.find(index.AsInteger()); it != listed.end()) {
      std::tie(pos, in_visible) = it->second;
    }
    if (pos < 0) continue;
    // The answers are kept for the placement: asking again there would ask twice.
    const Variant& info = RecordOf(user_model, index);
    HookAnswers asked;
    asked.handle = NeedHandleForType(type, info);
    asked.update_map = asked.handle && NeedUpdateUserIndexMap(type, info);
    if (answers.size() <= at) answers.resize(indexes.size());
    answers[at] = asked;
    if (!asked.update_map) continue;
    if (seen.insert(index.AsInteger()).second) taken.push_back(TakenUser{index.AsInteger(), in_visible, pos});
  }
  if (taken.empty()) return answers;
  // From the back of each list, so that the positions still to erase stay valid.
  std::vector<TakenUser> erase_order = taken;
  std::sort(erase_order.begin(), erase_order.end(), [](const TakenUser& a, const TakenUser& b) {
    return a.visible != b.visible ? a.visible : a.pos > b.pos;
  });
  for (const TakenUser& user : erase_order) {
    const Variant index(user.index);
    UserRemove(index, RecordOf(user_model, index), user.pos, user.visible);
  }
  taken_users_ = std::move(taken);
  return answers;
}

const UserListManager::TakenUser* UserListManager::FindTakenUser(const Variant& index) const {
  if (taken_users_.empty() || !index.IsInteger()) return nullptr;
  for (const TakenUser& user : taken_users_) {
    if (user.index != index.AsInteger()) continue;
    bool in_visible = false;
    return FindUser(index, in_visible) < 0 ? &user : nullptr;
  }
  return nullptr;
}

bool UserListManager::FinishTakenUsers() {
  if (taken_users_.empty()) return false;
  const std::vector<TakenUser> taken = std::move(taken_users_);
  taken_users_.clear();
  framework::Model* user_model = UserModel();
  bool moved = false;
  for (const TakenUser& user : taken) {
    const Variant index(user.index);
    bool in_visible = false;
    int pos = FindUser(index, in_visible);
    if (pos < 0) {
      // Not placed by the event after all (a derived manager's per-user hook changed the lists
      // meanwhile): back where it belongs.
      (user.visible ? visible_list_ : invisible_list_).UserAdd(index, RecordOf(user_model, index));
      pos = FindUser(index, in_visible);
    }
    // Everyone else kept their order; the lists are unchanged exactly when every taken user is
    // back in its own slot.
    if (pos != user.pos || in_visible != user.visible) moved = true;
  }
  return moved;
}

std::unique_ptr<UserListManager::BulkAdd> UserListManager::StartBulkAdd(size_t count) {
  if (count < kBulkPlacementMinimum || placing_in_bulk_) return nullptr;
  // Only the default rule's placement is known well enough to be made in bulk; a rule of a
  // derived manager places its own way, one user at a time.
  for (const UserListManagerMemberList* list : {&visible_list_, &invisible_list_}) {
    const UserListManagerRuleBase* rule = list->GetUserListRule();
    if (typeid(*rule) != typeid(UserListManagerDefaultRule) || !rule->GetCompareUserFunc()) return nullptr;
  }
  auto bulk = std::make_unique<BulkAdd>(*this, *visible_list_.GetSortedUserList(), *invisible_list_.GetSortedUserList(),
                                        count);
  if (!bulk->placement.usable()) return nullptr;  // a list holds a user twice
  return bulk;
}

void UserListManager::UserUpdateInBulk(BulkAdd& bulk, const Variant& index, const Variant& info, bool listed,
                                       bool was_visible) {
  // UserUpdate's choices: a listed user whose visibility changed leaves its list (which the rule
  // logs), one whose visibility holds is placed anew in the same list; then the lower bound.
  const bool visible = IsUserVisible(info);
  if (listed) {
    if (visible != was_visible) {
      Variant alone = Variant::Array();
      alone.Add(index);
      GetMemberListPtr(was_visible)->GetUserListRule()->UserRemove(alone, index, info, 0);
    }
    bulk.placement.Erase(index.AsInteger());
  }
  bulk.placement.Insert(visible, index, info);
  bulk.placed.emplace_back(index, &info);
}

void UserListManager::FinishBulkAdd(BulkAdd& bulk) {
  auto same = [](const Variant& list, const Variant& before) {
    return list.Elements().data() == before.Elements().data() && list.size() == before.size();
  };
  if (same(*visible_list_.GetSortedUserList(), bulk.visible_before) &&
      same(*invisible_list_.GetSortedUserList(), bulk.invisible_before)) {
    for (const bool visible : {true, false}) {
      UserListManagerMemberList& list = visible ? visible_list_ : invisible_list_;
      list.Clear();  // the default rule keeps nothing of its own to clear
      list.MergeSortedUsersToList(bulk.placement.List(visible));
    }
    return;
  }
  // A hook changed the lists meanwhile: the users of the event join them as the hook left them.
  placing_in_bulk_ = false;
  for (const auto& [index, info] : bulk.placed) {
    bool in_visible = false;
    const int pos = FindUser(index, in_visible);
    UserUpdate(index, *info, pos, in_visible);
  }
}

void UserListManager::NotifyUserListChanged() {
  // A delegate may remove itself or another one while it is told; the removed are skipped.
  const std::set<IUserEventDelegate*> delegates = delegates_;
  for (IUserEventDelegate* delegate : delegates) {
    if (delegates_.count(delegate)) delegate->OnUserListChanged(visible_list_.GetSortedUserList());
  }
}

}  // namespace velto
