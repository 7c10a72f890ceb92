// Sources of the meeting's users and of their change events, for the live user sets.
//
//   UserProvider* users = velto_common::utils::UserProvider::InMeetingUsers();
//   users->AddListener(&my_listener);            // OnUserEvent for every add/update/remove/reset
//   for (const Variant& index : users->GetUserIndexList().Elements()) {
//     const Variant& record = users->GetUserInfo(index);
//   }
//   users->RemoveListener(&my_listener);         // before my_listener goes away
//
// The records an event carries belong to the user model and are valid only while the event is
// delivered: copy what must be kept.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils {

class VELTO_API UserProvider {
 public:
  // Kinds of UserEvent::type.
  static constexpr int32_t kUsersAdded = 0;
  static constexpr int32_t kUsersUpdated = 1;
  static constexpr int32_t kUsersRemoved = 2;
  static constexpr int32_t kUsersReset = 3;  // `users` is then the whole new list

  struct UserEvent {
    int32_t type = kUsersAdded;
    // One record per user index of the model event, in the model's order.
    std::vector<const base::variant::Variant*> users;
  };

  class UserEventListener {
   public:
    virtual ~UserEventListener() = default;
    virtual void OnUserEvent(const UserEvent& event) = 0;
  };

  // The process-wide provider fed by the user model; made on first use, destroyed at library
  // teardown.
  static UserProvider* InMeetingUsers();

  virtual ~UserProvider() = default;
  // Listeners hear events in registration order; adding one twice makes it hear them twice.
  virtual void AddListener(UserEventListener* listener) = 0;
  virtual void RemoveListener(UserEventListener* listener) = 0;
  // The record of a user index; the empty Variant when the model has none.
  virtual const base::variant::Variant& GetUserInfo(const base::variant::Variant& user_index) = 0;
  // The indexes of all current users; an empty list when the model cannot say.
  virtual base::variant::Variant GetUserIndexList() = 0;
};

class VELTO_API AbstractUserProvider : public UserProvider {
 protected:
  // An event of `type` carrying the records of the indexes in `index_list` (looked up with
  // GetUserInfo); anything but an integer index gives the empty record.
  UserEvent MakeUserEvent(int32_t type, const base::variant::Variant& index_list);
};

// Follows the user model (508), subscribing when made. Without that model then, or when the
// model subscribed to has gone since, it subscribes again when a listener is added (a user set
// starting), never twice. Lookups always go to the model as it is at the time of the call.
class VELTO_API InMeetingUserProvider : public AbstractUserProvider {
 public:
  InMeetingUserProvider();
  ~InMeetingUserProvider() override;
  InMeetingUserProvider(const InMeetingUserProvider&) = delete;
  InMeetingUserProvider& operator=(const InMeetingUserProvider&) = delete;

  void AddListener(UserEventListener* listener) override;
  // Removes one registration; a listener may remove itself or others during delivery.
  void RemoveListener(UserEventListener* listener) override;
  const base::variant::Variant& GetUserInfo(const base::variant::Variant& user_index) override;
  base::variant::Variant GetUserIndexList() override;

  size_t listener_count() const { return listeners_.size(); }

 private:
  void Subscribe();
  void OnModelEvent(int32_t type, const base::variant::Variant* payload);

  std::vector<UserEventListener*> listeners_;
  std::weak_ptr<void> user_model_held_;  // alive while the user model holds the subscriptions
};

}  // namespace velto_common::utils
