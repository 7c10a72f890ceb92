#include "module_api/members/user_provider.h"

#include <algorithm>

#include "base/location.h"
#include "framework/module/module.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "frame/scope_singleton.h"
#include "model/subscription_watch.h"

namespace velto_common::utils {

using base::variant::Variant;

namespace {

// User model events, in the order the provider subscribes to them.
struct EventMapping {
  int event_id;
  int32_t type;
};
constexpr EventMapping kUserModelEvents[] = {
    {velto::model_event::user::kUserAdd, UserProvider::kUsersAdded},
    {velto::model_event::user::kUserRemove, UserProvider::kUsersRemoved},
    {velto::model_event::user::kUserUpdate, UserProvider::kUsersUpdated},
    {velto::model_event::user::kUserCacheChanged, UserProvider::kUsersReset},
};

ScopeSingleton<InMeetingUserProvider> g_in_meeting_users;

framework::Model* UserModel() { return framework::module::GetAppModuleModel(velto::model_id::kUserModel); }

}  // namespace

UserProvider* UserProvider::InMeetingUsers() { return g_in_meeting_users.Get(); }

UserProvider::UserEvent AbstractUserProvider::MakeUserEvent(int32_t type, const Variant& index_list) {
  UserEvent event;
  event.type = type;
  const auto indexes = index_list.Elements();
  event.users.reserve(indexes.size());
  for (const Variant& index : indexes) event.users.push_back(&GetUserInfo(index));
  return event;
}

InMeetingUserProvider::InMeetingUserProvider() { Subscribe(); }

void InMeetingUserProvider::Subscribe() {
  framework::Model* users = UserModel();
  if (!users) return;
  const int64_t observer_id = velto::model::ObserverId(this);
  const std::shared_ptr<void> token = velto::model::RenewSubscriptionToken(user_model_held_);
  for (const EventMapping& mapping : kUserModelEvents) {
    const int32_t type = mapping.type;
    users->SubscribeWithLocation(
        mapping.event_id, observer_id,
        velto::model::Holding(token, [this, type](const Variant* payload) { OnModelEvent(type, payload); }),
        FROM_HERE);
  }
}

InMeetingUserProvider::~InMeetingUserProvider() {
  if (framework::Model* users = UserModel()) users->Unsubscribe(velto::model::ObserverId(this));
}

void InMeetingUserProvider::AddListener(UserEventListener* listener) {
  // A listener expects the user model's events: follow the current model if this provider no
  // longer (or never did).
  if (!velto::model::SubscriptionHeld(user_model_held_)) Subscribe();
  listeners_.push_back(listener);
}

void InMeetingUserProvider::RemoveListener(UserEventListener* listener) {
  auto it = std::find(listeners_.begin(), listeners_.end(), listener);
  if (it != listeners_.end()) listeners_.erase(it);
}

const Variant& InMeetingUserProvider::GetUserInfo(const Variant& user_index) {
  if (!user_index.IsInteger()) return Variant::EmptyVariant();
  return member::GetUserInfo(UserModel(), user_index.AsInteger());
}

Variant InMeetingUserProvider::GetUserIndexList() { return member::GetUserIndexList(veltosdk::kInMeetingUserInvisibleNone); }

void InMeetingUserProvider::OnModelEvent(int32_t type, const Variant* payload) {
  // Without listeners nobody needs the records: skip the lookups altogether.
  if (listeners_.empty()) return;
  const UserEvent event =
      type == kUsersReset ? MakeUserEvent(type, GetUserIndexList())
                          : MakeUserEvent(type, payload ? *payload : Variant::EmptyVariant());
  // A listener may stop itself or another one while hearing the event (a view model detached
  // from inside its handler): deliver to those registered now and still registered when due.
  const std::vector<UserEventListener*> snapshot = listeners_;
  for (UserEventListener* listener : snapshot) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) continue;
    listener->OnUserEvent(event);
  }
}

}  // namespace velto_common::utils
