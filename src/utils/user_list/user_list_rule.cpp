// How one member list keeps its order: placement by binary search, merging a sorted run in,
// separating the users a hide switch moves, and the visibility rule itself.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "framework/module/module.h"
#include "module_api/in_meeting/views.h"
#include "module_api/log.h"
#include "module_api/members/member_utils.h"
#include "module_api/model_ids.h"
#include "module_api/user_list/user_list_manager.h"

namespace velto {

using base::variant::Variant;

namespace {

const Variant& RecordOf(framework::Model* user_model, const Variant& index) {
  if (!index.IsInteger()) return Variant::EmptyVariant();
  return velto_common::utils::member::GetUserInfo(user_model, index.AsInteger());
}

framework::Model* UserModel() { return framework::module::GetAppModuleModel(model_id::kUserModel); }

std::string UserIdForLog(const Variant& info) { return info.IsMap() ? info.GetString("user_id") : "nullptr"; }

// Inserts at `pos` by appending and rotating: the list stays one array, and only the entries
// behind `pos` move.
void InsertAt(Variant& list, size_t pos, const Variant& index) {
  list.Add(index);
  std::span<Variant> entries = list.MutableElements();
  std::rotate(entries.begin() + static_cast<ptrdiff_t>(pos), entries.end() - 1, entries.end());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// UserListManagerRuleBase

UserListManagerRuleBase::UserListManagerRuleBase(std::string key, InMeetingWindow::LayoutUserListRuleType rule_type)
    : rule_type_(rule_type), key_(std::move(key)) {}

UserListManagerRuleBase::UserListManagerRuleBase(const UserListManagerRuleBase& other) = default;

UserListManagerRuleBase& UserListManagerRuleBase::operator=(const UserListManagerRuleBase& other) = default;

UserListManagerRuleBase::~UserListManagerRuleBase() = default;

void UserListManagerRuleBase::Clear() {}

const Variant* UserListManagerRuleBase::GetFirstPageSortedUserList() { return nullptr; }

bool UserListManagerRuleBase::AdjustUserListForPageSizeChanged(Variant&, const unsigned&) { return false; }

bool UserListManagerRuleBase::AdjustUserListForHideVideoSwitchChanged(Variant&) { return false; }

bool UserListManagerRuleBase::NeedHandleVoiceActivatedHistory() { return false; }

bool UserListManagerRuleBase::NeedNotifyFirstPageSortedListChanged() { return false; }

void UserListManagerRuleBase::OnNotifyFirstPageSortedListChangedComplete() {}

void UserListManagerRuleBase::OnEventHideVideoSwitchChange(const Variant*) {}

void UserListManagerRuleBase::OnCustomLayoutInfoChange() {}

void UserListManagerRuleBase::BeforeHideSwitchChange(Variant&) {}

void UserListManagerRuleBase::AfterHideSwitchChange(Variant&) {}

unsigned short UserListManagerRuleBase::GetSortPriority(const Variant&) { return 0; }

void UserListManagerRuleBase::SetCompareUserFunc(CompareUserFunc compare) { compare_user_func_ = std::move(compare); }

InMeetingWindow::LayoutUserListRuleType UserListManagerRuleBase::GetRuleType() const { return rule_type_; }

const std::string& UserListManagerRuleBase::GetKey() const { return key_; }

void UserListManagerRuleBase::MergeSortedUsersToList(Variant& list, const Variant& sorted_users) {
  const std::span<const Variant> incoming = sorted_users.Elements();
  if (incoming.empty()) return;
  const size_t before = list.size();
  for (const Variant& index : incoming) list.Add(index);
  if (before == 0) return;
  framework::Model* user_model = UserModel();
  // Stable: on equality the entries already in the list stay in front. With its buffer
  // inplace_merge compares at most once per merged entry.
  std::span<Variant> entries = list.MutableElements();
  std::inplace_merge(entries.begin(), entries.begin() + static_cast<ptrdiff_t>(before), entries.end(),
                     [this, user_model](const Variant& a, const Variant& b) { return CompareUser(user_model, a, b); });
}

void UserListManagerRuleBase::SeparateUsersFromList(Variant& list, const int& hide_switch,
                                                    const SeparateUsersType& type, Variant& out) {
  const std::span<const Variant> entries = list.Elements();
  if (entries.empty()) return;
  const bool take_visible = type == kSeparateVisibleUsers;
  framework::Model* user_model = UserModel();
  // One look at each record; the list is only written when someone moves.
  std::vector<bool> take(entries.size());
  size_t taken = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    take[i] = IsUserVisible(RecordOf(user_model, entries[i]), hide_switch) == take_visible;
    taken += take[i];
  }
  if (taken == 0) return;
  std::span<Variant> writable = list.MutableElements();
  size_t kept = 0;
  for (size_t i = 0; i < writable.size(); ++i) {
    if (take[i]) {
      out.Add(std::move(writable[i]));
    } else {
      if (kept != i) writable[kept] = std::move(writable[i]);
      ++kept;
    }
  }
  while (list.size() > kept) list.RemoveAt(list.size() - 1);
}

const Variant* UserListManagerRuleBase::FindHighestPriorityUserIndexInSortedList(const Variant& list, unsigned from,
                                                                                 unsigned to, const Variant* options) {
  const std::span<const Variant> entries = list.Elements();
  if (entries.empty()) return nullptr;
  const size_t last = std::min<size_t>(to, entries.size() - 1);
  for (size_t i = from; i <= last; ++i) {
    if (!NeedExcludeUser(GetUser(entries[i]), options)) return &entries[i];
  }
  return nullptr;
}

const Variant& UserListManagerRuleBase::GetUser(const Variant& index) { return RecordOf(UserModel(), index); }

bool UserListManagerRuleBase::IsSelf(const Variant& info) {
  if (!info.IsMap()) return false;
  if (info.GetBoolean("self", false)) return true;
  // A record without an id is nobody's, even when the local id cannot be read either.
  const std::string_view user_id = info.Get("user_id").AsStringView();
  return !user_id.empty() && user_id == velto_common::utils::member::GetSelfUserID();
}

bool UserListManagerRuleBase::IsUserVisible(const Variant& info, const int& hide_switch) {
  if (info.GetBoolean("spotlight_on", false)) return true;
  if ((hide_switch & kHideNoVideoUsers) && !velto_common::utils::inmeeting::IsVideoUser(info)) return false;
  if (!(hide_switch & kHideSelf)) return true;
  return !IsSelf(info);
}

bool UserListManagerRuleBase::NeedExcludeUser(const Variant& info, const Variant* options) {
  if (!options || !options->IsMap() || !options->GetBoolean("is_exclude_self", false)) return false;
  return IsSelf(info);
}

// ---------------------------------------------------------------------------------------------
// UserListManagerDefaultRule

UserListManagerDefaultRule::UserListManagerDefaultRule(std::string key)
    : UserListManagerRuleBase(std::move(key), InMeetingWindow::LayoutUserListRuleType::kLayoutUserListRuleDefault) {}

bool UserListManagerDefaultRule::CompareUser(framework::Model* user_model, const Variant& a, const Variant& b) {
  const Variant& record_a = RecordOf(user_model, a);
  const Variant& record_b = RecordOf(user_model, b);
  return compare_user_func()(record_a, record_b);
}

void UserListManagerDefaultRule::UserAdd(Variant& list, const Variant& index, const Variant&) {
  framework::Model* user_model = UserModel();
  const std::span<const Variant> entries = list.Elements();
  // Lower bound: the first entry the new user does not come after, so a new user stands before
  // the users that compare equal to it.
  size_t low = 0;
  size_t high = entries.size();
  while (low < high) {
    const size_t middle = low + (high - low) / 2;
    if (CompareUser(user_model, entries[middle], index)) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  InsertAt(list, low, index);
}

bool UserListManagerDefaultRule::UserUpdate(Variant& list, const Variant& index, const Variant& info, const int& pos) {
  const std::span<const Variant> entries = list.Elements();
  if (pos < 0 || static_cast<size_t>(pos) >= entries.size()) {
    UserAdd(list, index, info);
    return true;
  }
  // The lower bound in the list as it would be without the entry at `pos`; the entry is then
  // moved there by one rotation, and nothing is written when it stays where it is.
  const size_t from = static_cast<size_t>(pos);
  framework::Model* user_model = UserModel();
  size_t low = 0;
  size_t high = entries.size() - 1;
  while (low < high) {
    const size_t middle = low + (high - low) / 2;
    const size_t at = middle < from ? middle : middle + 1;
    if (CompareUser(user_model, entries[at], index)) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  if (low == from) return false;
  std::span<Variant> writable = list.MutableElements();
  auto first = writable.begin();
  if (low < from) {
    std::rotate(first + static_cast<ptrdiff_t>(low), first + pos, first + pos + 1);
  } else {
    std::rotate(first + pos, first + pos + 1, first + static_cast<ptrdiff_t>(low) + 1);
  }
  return true;
}

void UserListManagerDefaultRule::UserRemove(Variant& list, const Variant&, const Variant& info, const int& pos) {
  if (pos >= 0 && static_cast<size_t>(pos) < list.size()) {
    list.RemoveAt(static_cast<size_t>(pos));
    VELTO_LOG(log::kTrace) << "[" << GetKey() << "] " << "remove user :" << UserIdForLog(info);
    return;
  }
  VELTO_LOG(log::kTrace) << "[" << GetKey() << "] " << "can not find user :" << UserIdForLog(info) << " in list";
}

const Variant* UserListManagerDefaultRule::FindHighestPriorityUserIndex(const Variant& list, const Variant* options) {
  if (list.empty()) return nullptr;
  return FindHighestPriorityUserIndexInSortedList(list, 0, static_cast<unsigned>(list.size() - 1), options);
}

}  // namespace velto
