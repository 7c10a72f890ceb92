#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

#include "module_api/log.h"
#include "module_api/members/user_set.h"

namespace velto_common::utils {

using base::variant::Variant;

namespace {

constexpr std::string_view kTimestampKey = "raise_hand_timestamp";

uint64_t RaiseHandTime(const Variant& user) { return user.GetUint64(kTimestampKey, 0); }

}  // namespace

RaiseHandPanelistInfoSet::RaiseHandPanelistInfoSet(UserProvider* provider, Predicate predicate)
    : UserSet(provider, std::move(predicate)) {}

RaiseHandPanelistInfoSet::RaiseHandPanelistInfoSet(RaiseHandPanelistInfoSet&& other) noexcept
    : UserSet(std::move(other)),
      IRaiseHandPanelistInfoSet(std::move(other)),
      members_(std::move(other.members_)),
      raise_hand_list_sorted_by_time_(std::move(other.raise_hand_list_sorted_by_time_)),
      callback_(std::exchange(other.callback_, nullptr)),
      raise_hand_times_(std::move(other.raise_hand_times_)) {}

RaiseHandPanelistInfoSet& RaiseHandPanelistInfoSet::operator=(RaiseHandPanelistInfoSet&& other) noexcept {
  if (this == &other) return *this;
  UserSet::operator=(std::move(other));
  members_ = std::move(other.members_);
  raise_hand_list_sorted_by_time_ = std::move(other.raise_hand_list_sorted_by_time_);
  callback_ = std::exchange(other.callback_, nullptr);
  raise_hand_times_ = std::move(other.raise_hand_times_);
  return *this;
}

RaiseHandPanelistInfoSet::~RaiseHandPanelistInfoSet() = default;

void RaiseHandPanelistInfoSet::SetCallback(Callback* callback) { callback_ = callback; }

unsigned RaiseHandPanelistInfoSet::count() const {
  VELTO_LOG(velto::log::kTrace) << "user_info_set_ size:" << members_.size()
                                << ", after sorted:" << raise_hand_list_sorted_by_time_.size();
  return static_cast<unsigned>(raise_hand_list_sorted_by_time_.size());
}

Variant RaiseHandPanelistInfoSet::LastUser() const {
  Variant last;
  for (auto it = raise_hand_list_sorted_by_time_.rbegin(); it != raise_hand_list_sorted_by_time_.rend(); ++it) {
    last = *it;
    if (last.IsMap()) break;
  }
  return last;
}

bool RaiseHandPanelistInfoSet::InsertUserToRaiseHandSet(const Variant& user) {
  const std::string_view user_id = UserInfoComparator::UserId(user);
  bool reinsert = false;
  // One search of members serves both the presence check and the insertion.
  auto place = members_.lower_bound(user_id);
  if (place != members_.end() && UserInfoComparator::UserId(*place) == user_id) {
    VELTO_LOG(velto::log::kTrace) << "re-insert user for updating exist user status";
    place = std::next(place);  // stays valid: the erase below takes out only the user's element
    EraseUserOfRaiseHandSet(user);
    reinsert = true;
  }
  const size_t members_before = members_.size();
  members_.emplace_hint(place, user);
  const bool inserted = members_.size() != members_before;
  VELTO_LOG(velto::log::kTrace) << "insert succ: " << (inserted ? 1 : 0) << ", user_id: " << user_id
                                << ", nickname: " << user.Get("nickname").AsStringView();
  if (inserted) {
    // Lower bound: a user joining a run of equal timestamps goes before them.
    const uint64_t time = RaiseHandTime(user);
    const auto position = std::lower_bound(raise_hand_times_.begin(), raise_hand_times_.end(), time);
    const auto offset = position - raise_hand_times_.begin();
    raise_hand_times_.insert(position, time);
    raise_hand_list_sorted_by_time_.insert(raise_hand_list_sorted_by_time_.begin() + offset, user);
  }
  return inserted && !reinsert;
}

bool RaiseHandPanelistInfoSet::EraseUserOfRaiseHandSet(const Variant& user) {
  const std::string_view user_id = UserInfoComparator::UserId(user);
  auto member = members_.find(user_id);
  if (member == members_.end()) return false;
  // The list holds a copy of the very record members held, so the user's element lies in the
  // run of the stored timestamp; a user id occurs at most once in the list (it enters only with
  // a new member and leaves with it), so the element found there is the user's first.
  const uint64_t stored_time = RaiseHandTime(*member);
  members_.erase(member);
  auto& list = raise_hand_list_sorted_by_time_;
  const auto run = std::equal_range(raise_hand_times_.begin(), raise_hand_times_.end(), stored_time);
  const auto run_begin = list.begin() + (run.first - raise_hand_times_.begin());
  const auto run_end = list.begin() + (run.second - raise_hand_times_.begin());
  auto same_user = [user_id](const Variant& element) { return UserInfoComparator::UserId(element) == user_id; };
  auto found = std::find_if(run_begin, run_end, same_user);
  if (found == run_end) found = std::find_if(list.begin(), list.end(), same_user);
  if (found != list.end()) {
    VELTO_LOG(velto::log::kTrace) << "find user, do erase, user_id: [" << user_id
                                  << "], nickname:" << found->Get("nickname").AsStringView();
    raise_hand_times_.erase(raise_hand_times_.begin() + (found - list.begin()));
    list.erase(found);
  }
  return true;
}

bool RaiseHandPanelistInfoSet::CommonHandleUserEvent(const Users& users, Variant& first) {
  bool changed = false;
  for (const Variant* user : users) {
    if (!user) continue;
    if (Accepts(*user)) {
      if (InsertUserToRaiseHandSet(*user)) {
        if (first.IsNull()) first = *user;
        changed = true;
      }
    } else if (EraseUserOfRaiseHandSet(*user)) {
      changed = true;
    }
  }
  return changed;
}

void RaiseHandPanelistInfoSet::InitUserToSet(const Users& users) {
  Variant first;
  if (CommonHandleUserEvent(users, first) && callback_) {
    VELTO_LOG(velto::log::kTrace) << "init user to set";
    callback_->OnRaiseHandListInit();
  }
}

void RaiseHandPanelistInfoSet::InsertUserToSet(const Variant& user) { InsertUserToRaiseHandSet(user); }

void RaiseHandPanelistInfoSet::EraseUserOfSet(const Variant& user) { EraseUserOfRaiseHandSet(user); }

void RaiseHandPanelistInfoSet::ClearSet() {
  members_.clear();
  raise_hand_list_sorted_by_time_.clear();
  raise_hand_times_.clear();
  if (callback_) callback_->OnRaiseHandListClear();
}

void RaiseHandPanelistInfoSet::OnEventUserAdd(const Users& users) { InitUserToSet(users); }

void RaiseHandPanelistInfoSet::OnEventUserUpdate(const Users& users) {
  Variant first;
  if (CommonHandleUserEvent(users, first) && callback_) {
    VELTO_LOG(velto::log::kTrace) << "user update, raise hand panelist update";
    callback_->OnRaiseHandListUpdate(first);
  }
}

void RaiseHandPanelistInfoSet::OnEventUserRemove(const Users& users) {
  bool changed = false;
  for (const Variant* user : users) {
    if (user && EraseUserOfRaiseHandSet(*user)) changed = true;
  }
  if (changed && callback_) {
    VELTO_LOG(velto::log::kTrace) << "user remove, raise hand panelist update";
    callback_->OnRaiseHandListUpdate(Variant());
  }
}

void RaiseHandPanelistInfoSet::Reset(const Users& users) {
  VELTO_LOG(velto::log::kTrace) << "reset";
  ClearSet();
  InitUserToSet(users);
}

void RaiseHandPanelistInfoSet::Refresh() {
  VELTO_LOG(velto::log::kTrace) << "refresh, do init panelist raise hand list";
  ClearSet();
  UserProvider* provider = user_provider();
  if (!provider) return;
  bool inserted = false;
  const Variant indexes = provider->GetUserIndexList();
  for (const Variant& index : indexes.Elements()) {
    const Variant& user = provider->GetUserInfo(index);
    if (Accepts(user) && InsertUserToRaiseHandSet(user)) inserted = true;
  }
  if (inserted && callback_) callback_->OnRaiseHandListInit();
}

}  // namespace velto_common::utils
