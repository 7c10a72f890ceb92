// Questions about the users of the meeting, answered from the user model (508).
#pragma once

#include <cstdint>

#include "module_api/export.h"
#include "veltosdk/meeting_types.h"

namespace velto_common::utils::member {

// Users in the meeting, leaving out those whose "user_invisible" bits meet `invisible`; 0 when
// the model cannot say.
VELTO_API int32_t GetUserCount(veltosdk::InMeetingUserInvisible invisible = veltosdk::kInMeetingUserInvisibleNone);

}  // namespace velto_common::utils::member
