// The member-list events a member module passes on to its caches.
#pragma once

#include <cstdint>

namespace velto {

struct Members {
  // Unscoped so that any event number can be passed; the caches ignore those they do not know.
  enum MembersEvent : int32_t {
    kUsersAdded = 1,
    kUsersUpdated = 2,
    kUsersRemoved = 3,
    kWaitingUsersAdded = 45,
    kWaitingUsersUpdated = 46,
    kWaitingUsersRemoved = 47,
    kUsersRefreshed = 65,
  };
};

}  // namespace velto
