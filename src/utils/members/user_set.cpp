#include "module_api/members/user_set.h"

#include <string>
#include <utility>

#include "base/log/log.h"
#include "module_api/log.h"

namespace velto_common::utils {

using base::variant::Variant;

UserSet::UserSet(UserProvider* provider, Predicate predicate)
    : provider_(provider), predicate_(std::move(predicate)) {}

// A copy never hears the provider: only the original is registered.
UserSet::UserSet(const UserSet& other)
    : UserEventListener(other), provider_(other.provider_), predicate_(other.predicate_), started_(other.started_) {}

// The registration moves with the set so that the provider never calls a moved-from set.
UserSet::UserSet(UserSet&& other) noexcept
    : UserEventListener(std::move(other)),
      provider_(other.provider_),
      predicate_(std::move(other.predicate_)),
      started_(other.started_) {
  if (started_ && provider_) {
    provider_->RemoveListener(&other);
    provider_->AddListener(this);
  }
  other.started_ = false;
}

UserSet& UserSet::operator=(const UserSet& other) {
  if (this == &other) return *this;
  Detach();
  provider_ = other.provider_;
  predicate_ = other.predicate_;
  started_ = other.started_;
  return *this;
}

UserSet& UserSet::operator=(UserSet&& other) noexcept {
  if (this == &other) return *this;
  Detach();
  provider_ = other.provider_;
  predicate_ = std::move(other.predicate_);
  started_ = other.started_;
  if (started_ && provider_) {
    provider_->RemoveListener(&other);
    provider_->AddListener(this);
  }
  other.started_ = false;
  return *this;
}

UserSet::~UserSet() {
  if (started_) {
    VELTO_LOG(velto::log::kFailure) << "should call UserCount::Stop() on view model detached";
    Stop();
  }
}

void UserSet::Detach() {
  if (started_ && provider_) provider_->RemoveListener(this);
}

void UserSet::OnUserEvent(const UserProvider::UserEvent& event) {
  switch (event.type) {
    case UserProvider::kUsersAdded:
      OnEventUserAdd(event.users);
      return;
    case UserProvider::kUsersUpdated:
      OnEventUserUpdate(event.users);
      return;
    case UserProvider::kUsersRemoved:
      OnEventUserRemove(event.users);
      return;
    case UserProvider::kUsersReset:
      Reset(event.users);
      return;
    default:
      break;
  }
  // The one record of this family that carries its own tag.
  if (base::log::GetLogLevel() >= velto::log::kFailure) {
    const std::string text = "unknown event: " + std::to_string(event.type);
    base::log::PrintLog("user_set", velto::log::FileBaseName(__FILE__), __LINE__, __func__, velto::log::kFailure,
                        text);
  }
}

void UserSet::Refresh() {
  ClearSet();
  if (!provider_) return;
  const Variant indexes = provider_->GetUserIndexList();
  for (const Variant& index : indexes.Elements()) {
    const Variant& user = provider_->GetUserInfo(index);
    if (Accepts(user)) InsertUserToSet(user);
  }
}

void UserSet::Start() {
  if (started_) {
    VELTO_LOG(velto::log::kFailure) << "UserCount has already started";
    return;
  }
  Refresh();
  if (provider_) provider_->AddListener(this);
  started_ = true;
}

void UserSet::Stop() {
  if (!started_) {
    VELTO_LOG(velto::log::kFailure) << "UserCount is not started";
    return;
  }
  if (provider_) provider_->RemoveListener(this);
  started_ = false;
}

void UserSet::OnEventUserAdd(const Users& users) { OnEventUserUpdate(users); }

void UserSet::OnEventUserUpdate(const Users& users) {
  for (const Variant* user : users) {
    if (!user) continue;
    if (Accepts(*user)) {
      InsertUserToSet(*user);
    } else {
      EraseUserOfSet(*user);
    }
  }
}

void UserSet::OnEventUserRemove(const Users& users) {
  for (const Variant* user : users) {
    if (user) EraseUserOfSet(*user);
  }
}

void UserSet::Reset(const Users& users) {
  ClearSet();
  for (const Variant* user : users) {
    if (user && Accepts(*user)) InsertUserToSet(*user);
  }
}

UserIdSet::UserIdSet(UserProvider* provider, Predicate predicate) : UserSet(provider, std::move(predicate)) {}

unsigned UserIdSet::count() const { return static_cast<unsigned>(user_ids_.size()); }

void UserIdSet::InsertUserToSet(const Variant& user) { user_ids_.insert(user.GetString("user_id")); }

void UserIdSet::EraseUserOfSet(const Variant& user) { user_ids_.erase(user.GetString("user_id")); }

void UserIdSet::ClearSet() { user_ids_.clear(); }

UserInfoSet::UserInfoSet(UserProvider* provider, Predicate predicate) : UserSet(provider, std::move(predicate)) {}

unsigned UserInfoSet::count() const { return static_cast<unsigned>(users_.size()); }

void UserInfoSet::InsertUserToSet(const Variant& user) { users_.insert(user); }

void UserInfoSet::EraseUserOfSet(const Variant& user) {
  auto it = users_.find(UserInfoComparator::UserId(user));
  if (it != users_.end()) users_.erase(it);
}

void UserInfoSet::ClearSet() { users_.clear(); }

}  // namespace velto_common::utils
