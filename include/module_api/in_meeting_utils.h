// Questions about the running meeting, answered from the meeting model (514) and its peers.
// Every function asks the model afresh; failures give the neutral value and a level-1 record.
#pragma once

#include <cstdint>

#include "module_api/export.h"

namespace velto_common::utils::inmeeting {

// The meeting type of the current meeting; -1 when unknown.
VELTO_API int64_t GetCurrentMeetingType();
// True in a meeting; with `include_joining`, also while joining one.
VELTO_API bool IsInMeeting(bool include_joining = false);
// True while either joining stage (commands 43, 44) is under way.
VELTO_API bool IsJoiningMeeting();

}  // namespace velto_common::utils::inmeeting
