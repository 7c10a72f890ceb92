// Live, filtered sets of the meeting's users that follow the user model's change events.
//
//   UserIdSet hosts(UserProvider::InMeetingUsers(),
//                   [](const Variant& user) { return user.GetBoolean("host"); });
//   hosts.Start();              // loads the current users, then follows adds/updates/removes
//   ... hosts.count() ...
//   hosts.Stop();               // when the owning view model is detached
//
// A user belongs while the predicate holds for its record: an update that flips the predicate
// moves the user in or out; a removal takes the user out whatever the predicate says. Copies and
// moves carry the contents, the predicate, the provider and the started flag. A copy is not
// registered with the provider (it hears no events); a started set that is moved goes on
// following the provider in its new place and leaves the original stopped.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "base/variant/variant.h"
#include "module_api/export.h"
#include "module_api/members/user_provider.h"

namespace velto_common::utils {

class VELTO_API UserSet : public UserProvider::UserEventListener {
 public:
  using Predicate = std::function<bool(const base::variant::Variant& user)>;
  using Users = std::vector<const base::variant::Variant*>;

  UserSet(UserProvider* provider, Predicate predicate);
  UserSet(const UserSet& other);
  UserSet(UserSet&& other) noexcept;
  UserSet& operator=(const UserSet& other);
  UserSet& operator=(UserSet&& other) noexcept;
  // A set still started here logs and stops itself.
  ~UserSet() override;

  // Dispatches by event type; unknown types are logged and ignored.
  void OnUserEvent(const UserProvider::UserEvent& event) override;
  // Rebuilds the contents from the provider's full list.
  virtual void Refresh();
  virtual unsigned count() const = 0;

  // Refresh, then follow the provider. Starting twice is logged and ignored.
  void Start();
  // Stop following; the contents stay. Stopping an idle set is logged and ignored.
  void Stop();
  bool started() const { return started_; }

 protected:
  virtual void InsertUserToSet(const base::variant::Variant& user) = 0;
  virtual void EraseUserOfSet(const base::variant::Variant& user) = 0;
  virtual void ClearSet() = 0;
  // Same as an update.
  virtual void OnEventUserAdd(const Users& users);
  // Inserts the users the predicate accepts and erases the others.
  virtual void OnEventUserUpdate(const Users& users);
  // Erases every user without asking the predicate.
  virtual void OnEventUserRemove(const Users& users);
  // Clears, then inserts the users the predicate accepts.
  virtual void Reset(const Users& users);

  Predicate predicate() const { return predicate_; }
  UserProvider* user_provider() const { return provider_; }
  // The predicate's answer; false when there is none.
  bool Accepts(const base::variant::Variant& user) const { return predicate_ && predicate_(user); }

 private:
  // Unregisters this set if it was following its provider.
  void Detach();

  UserProvider* provider_;
  Predicate predicate_;
  bool started_ = false;
};

// The user ids of the users that belong.
class VELTO_API UserIdSet : public UserSet {
 public:
  UserIdSet(UserProvider* provider, Predicate predicate);

  unsigned count() const override;
  const std::unordered_set<std::string>& user_ids() const { return user_ids_; }

 protected:
  void InsertUserToSet(const base::variant::Variant& user) override;
  void EraseUserOfSet(const base::variant::Variant& user) override;
  void ClearSet() override;

 private:
  std::unordered_set<std::string> user_ids_;
};

// Orders user records by their "user_id" strings, byte-wise. Also compares a record with a
// bare user id, so that a set of records can be searched by id.
struct VELTO_API UserInfoComparator {
  using is_transparent = void;
  static std::string_view UserId(const base::variant::Variant& user) {
    return user.Get("user_id").AsStringView();
  }
  bool operator()(const base::variant::Variant& a, const base::variant::Variant& b) const {
    return UserId(a) < UserId(b);
  }
  bool operator()(const base::variant::Variant& a, std::string_view b) const { return UserId(a) < b; }
  bool operator()(std::string_view a, const base::variant::Variant& b) const { return a < UserId(b); }
};

using UserInfoOrderedSet = std::set<base::variant::Variant, UserInfoComparator>;

// The records of the users that belong, ordered by user id. A user already held keeps the
// record it was first stored with.
class VELTO_API UserInfoSet : public UserSet {
 public:
  UserInfoSet(UserProvider* provider, Predicate predicate);

  unsigned count() const override;
  const UserInfoOrderedSet& users() const { return users_; }

 protected:
  void InsertUserToSet(const base::variant::Variant& user) override;
  void EraseUserOfSet(const base::variant::Variant& user) override;
  void ClearSet() override;

 private:
  UserInfoOrderedSet users_;
};

class IRaiseHandPanelistInfoSet {
 public:
  // Implemented by the set's user; not owned by the set.
  class Callback {
   public:
    // The list was filled from a full load (refresh, reset or an add event) and changed.
    virtual void OnRaiseHandListInit() = 0;
    // The list changed through an update or a removal; `user` is the first user newly put on
    // the list by that event, or null when none was (always null for removals).
    virtual void OnRaiseHandListUpdate(const base::variant::Variant& user) = 0;
    // The list was emptied.
    virtual void OnRaiseHandListClear() = 0;

   protected:
    ~Callback() = default;
  };

  virtual void SetCallback(Callback* callback) = 0;

 protected:
  ~IRaiseHandPanelistInfoSet() = default;
};

// The users the predicate accepts (typically: panelists with a raised hand), ordered by the
// time they raised their hand, with changes reported through a Callback.
class VELTO_API RaiseHandPanelistInfoSet : public UserSet, public IRaiseHandPanelistInfoSet {
 public:
  using RaiseHandList = std::vector<base::variant::Variant>;

  RaiseHandPanelistInfoSet(UserProvider* provider, Predicate predicate);
  RaiseHandPanelistInfoSet(const RaiseHandPanelistInfoSet& other) = default;
  // The moved-from set keeps no callback.
  RaiseHandPanelistInfoSet(RaiseHandPanelistInfoSet&& other) noexcept;
  RaiseHandPanelistInfoSet& operator=(const RaiseHandPanelistInfoSet& other) = default;
  RaiseHandPanelistInfoSet& operator=(RaiseHandPanelistInfoSet&& other) noexcept;
  ~RaiseHandPanelistInfoSet() override;

  // Reports OnRaiseHandListClear, then OnRaiseHandListInit when any user qualifies.
  void Refresh() override;
  // The length of the time-ordered list.
  unsigned count() const override;
  void SetCallback(Callback* callback) override;

  // Copies of the records, ascending by "raise_hand_timestamp"; among equal timestamps the
  // user put on the list last stands first.
  const RaiseHandList& raise_hand_list_sorted_by_time() const { return raise_hand_list_sorted_by_time_; }
  // The last map of the list (the latest raise); null when the list is empty.
  base::variant::Variant LastUser() const;

 protected:
  void InsertUserToSet(const base::variant::Variant& user) override;
  void EraseUserOfSet(const base::variant::Variant& user) override;
  // Empties the list and reports OnRaiseHandListClear, also when it was empty already.
  void ClearSet() override;
  void OnEventUserAdd(const Users& users) override;
  void OnEventUserUpdate(const Users& users) override;
  void OnEventUserRemove(const Users& users) override;
  void Reset(const Users& users) override;

 private:
  // True only for a user newly put on the list; a user already on it is re-placed by its new
  // timestamp and answers false.
  bool InsertUserToRaiseHandSet(const base::variant::Variant& user);
  // True when the user was on the list.
  bool EraseUserOfRaiseHandSet(const base::variant::Variant& user);
  // Inserts or erases each user by the predicate; `first` gets the first user newly put on the
  // list. True when anything changed.
  bool CommonHandleUserEvent(const Users& users, base::variant::Variant& first);
  void InitUserToSet(const Users& users);

  UserInfoOrderedSet members_;
  RaiseHandList raise_hand_list_sorted_by_time_;
  Callback* callback_ = nullptr;
  // The "raise_hand_timestamp" of each element of the list, at the same position: binary
  // searches read these instead of looking the key up in every record they probe.
  std::vector<uint64_t> raise_hand_times_;
};

}  // namespace velto_common::utils
