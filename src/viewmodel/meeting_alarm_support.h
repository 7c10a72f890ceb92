// Pieces shared by the meeting alarm view model's files: the models it talks to and the reads of
// an alarm map. Internal to the library.
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"
#include "module_api/analytics.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/viewmodel/meeting_alarm_viewmodel.h"

namespace velto::meeting_alarm::internal {

using base::variant::Variant;

namespace alarm_cmd = velto::model_command::meeting_alarm;
namespace limit_cmd = velto::model_command::meeting_limit;

// The alarm's "id"; 0 for anything but a map with a positive id.
inline int64_t AlarmId(const Variant& alarm) {
  const int64_t id = alarm.IsMap() ? alarm.GetInteger("id") : 0;
  return id > 0 ? id : 0;
}
inline int64_t AnimationType(const Variant& info) { return info.GetInteger(kFieldAnimationType); }
inline bool IsShowing(const Variant& info) { return info.GetBoolean(kFieldVisible); }

// The statistics every alarm event carries: the meeting's "meeting_id" and "meeting_type".
velto_common::utils::analytics::Properties DashboardParams();
// A value of an action's parameters as report text: strings as they are, numbers in decimal.
std::string ParamText(const Variant* params, const char* key);

}  // namespace velto::meeting_alarm::internal
