// One sorted member list and the rule that keeps it: the rule always works on this list.
#include <utility>

#include "module_api/user_list/user_list_manager.h"

namespace velto {

using base::variant::Variant;

UserListManagerMemberList::UserListManagerMemberList(std::string key)
    : sorted_list_(Variant::Array()), rule_(std::make_unique<UserListManagerDefaultRule>(key)), key_(std::move(key)) {}

UserListManagerMemberList::~UserListManagerMemberList() = default;

void UserListManagerMemberList::SetUserListRule(std::unique_ptr<UserListManagerRuleBase> rule) {
  if (rule) rule_ = std::move(rule);
}

void UserListManagerMemberList::UserAdd(const Variant& index, const Variant& info) {
  rule_->UserAdd(sorted_list_, index, info);
}

void UserListManagerMemberList::UserRemove(const Variant& index, const Variant& info, const int& pos) {
  rule_->UserRemove(sorted_list_, index, info, pos);
}

bool UserListManagerMemberList::UserUpdate(const Variant& index, const Variant& info, const int& pos) {
  return rule_->UserUpdate(sorted_list_, index, info, pos);
}

const Variant* UserListManagerMemberList::GetHighestPriorityUser(const Variant* options) {
  return rule_->FindHighestPriorityUserIndex(sorted_list_, options);
}

const Variant* UserListManagerMemberList::GetFirstPageSortedUserList() { return rule_->GetFirstPageSortedUserList(); }

unsigned short UserListManagerMemberList::GetSortPriority(const Variant& info) { return rule_->GetSortPriority(info); }

bool UserListManagerMemberList::NeedHandleVoiceActivatedHistory() { return rule_->NeedHandleVoiceActivatedHistory(); }

bool UserListManagerMemberList::NeedNotifyFirstPageSortedListChanged() {
  return rule_->NeedNotifyFirstPageSortedListChanged();
}

void UserListManagerMemberList::OnNotifyFirstPageSortedListChangedComplete() {
  rule_->OnNotifyFirstPageSortedListChangedComplete();
}

void UserListManagerMemberList::BeforeHideSwitchChange() { rule_->BeforeHideSwitchChange(sorted_list_); }

void UserListManagerMemberList::AfterHideSwitchChange() { rule_->AfterHideSwitchChange(sorted_list_); }

void UserListManagerMemberList::MergeSortedUsersToList(const Variant& sorted_users) {
  rule_->MergeSortedUsersToList(sorted_list_, sorted_users);
}

void UserListManagerMemberList::SetCompareUserFunc(const UserListManagerRuleBase::CompareUserFunc& compare) {
  rule_->SetCompareUserFunc(compare);
}

int UserListManagerMemberList::FindUser(const Variant& index) const {
  if (!index.IsInteger()) return -1;
  const int64_t wanted = index.AsInteger();
  const std::span<const Variant> entries = sorted_list_.Elements();
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].IsInteger() && entries[i].AsInteger() == wanted) return static_cast<int>(i);
  }
  return -1;
}

bool UserListManagerMemberList::SetFirstPageSize(const unsigned& size) {
  first_page_size_ = size;
  return rule_->AdjustUserListForPageSizeChanged(sorted_list_, size);
}

void UserListManagerMemberList::SeparateUsersFromList(const int& hide_switch,
                                                      const UserListManagerRuleBase::SeparateUsersType& type,
                                                      Variant& out) {
  if (sorted_list_.empty()) return;
  rule_->SeparateUsersFromList(sorted_list_, hide_switch, type, out);
}

void UserListManagerMemberList::Clear() {
  sorted_list_ = Variant::Array();
  rule_->Clear();
}

InMeetingWindow::LayoutUserListRuleType UserListManagerMemberList::GetRuleType() const { return rule_->GetRuleType(); }

}  // namespace velto
