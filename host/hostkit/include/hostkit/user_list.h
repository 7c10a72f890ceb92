// hostkit: a ready-made member list for tests, benchmarks and the simulator. The library's
// velto::UserListManager leaves the order to a derived manager; this one orders by
// velto_common::utils::member::CompareSortUser unless it is given another comparison.
//
//   hostkit::MeetingFixture meeting;
//   meeting.Install();
//   hostkit::SortedUserListManager users;            // subscribes to the installed models
//   users.InitUserList();
//   const Variant* all = users.GetUserList();        // "u-self" (host) first
//   users.visible_list()->GetSortedUserList();       // the sorted visible list itself
//
// Header only: it builds on the library, which hostkit's own sources do not link; include it
// from targets that link velto_module_api.
#pragma once

#include <memory>
#include <utility>

#include "module_api/members/member_utils.h"
#include "module_api/user_list/user_list_manager.h"

namespace hostkit {

class SortedUserListManager : public velto::UserListManager {
 public:
  SortedUserListManager() : SortedUserListManager(&velto_common::utils::member::CompareSortUser) {}
  explicit SortedUserListManager(CompareUserFunc compare) : compare_(std::move(compare)) {
    SetCompareUserFunc(compare_);
  }

  // The two member lists, for tests that look at (or replace the rules of) the sorted lists.
  velto::UserListManagerMemberList* visible_list() { return GetMemberListPtr(true); }
  velto::UserListManagerMemberList* invisible_list() { return GetMemberListPtr(false); }
  int current_hide_switch() const { return hide_switch(); }

  // Installs a rule on one list and gives it this manager's comparison.
  void SetRule(bool visible, std::unique_ptr<velto::UserListManagerRuleBase> rule) {
    GetMemberListPtr(visible)->SetUserListRule(std::move(rule));
    GetMemberListPtr(visible)->SetCompareUserFunc(compare_);
  }

  using velto::UserListManager::MutableStreamList;

 private:
  CompareUserFunc compare_;
};

}  // namespace hostkit
