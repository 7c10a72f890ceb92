#include "module_api/webinar_utils.h"

#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::webinar {

namespace cmd {
constexpr int kIsWebinar = 95;  // meeting model, boolean result
}  // namespace cmd

bool IsMeetingWebinar(uint64_t meeting_type_flags) { return (meeting_type_flags & 1u) != 0; }

bool IsMeetingWebinar(const base::variant::Variant* meeting_item) {
  return meeting_item && IsMeetingWebinar(meeting_item->GetUint64("meeting_type_flags"));
}

bool IsMeetingWebinar() { return velto::model::Ask(velto::model_id::kMeetingModel, cmd::kIsWebinar); }

}  // namespace velto_common::utils::webinar
