#include "module_api/in_meeting_utils.h"

#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::inmeeting {

using velto::model_id::kMeetingModel;

namespace cmd {
constexpr int kInMeeting = 0;
constexpr int kMeetingInfo = 3;
constexpr int kJoiningStage1 = 43;
constexpr int kJoiningStage2 = 44;
}  // namespace cmd

int64_t GetCurrentMeetingType() {
  return velto::model::QueryValue<int64_t>(kMeetingModel, cmd::kMeetingInfo, nullptr,
                                           {"meeting_item", "meeting_type"}, -1);
}

bool IsInMeeting(bool include_joining) {
  if (velto::model::Ask(kMeetingModel, cmd::kInMeeting)) return true;
  return include_joining && IsJoiningMeeting();
}

bool IsJoiningMeeting() {
  return velto::model::Ask(kMeetingModel, cmd::kJoiningStage1) ||
         velto::model::Ask(kMeetingModel, cmd::kJoiningStage2);
}

}  // namespace velto_common::utils::inmeeting
