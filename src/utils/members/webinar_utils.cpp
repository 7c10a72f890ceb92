#include "module_api/members/webinar_utils.h"

#include "framework/module/module.h"
#include "module_api/log.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/config_reader.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::webinar {

using velto::model::Variant;

namespace cmd {
using velto::model_command::meeting::kMeetingInfo;
using velto::model_command::meeting::kIsWebinar;
}  // namespace cmd

namespace {

constexpr int32_t kPreparing = 1;

// The current meeting item; null, logged, when the meeting model cannot answer.
Variant CurrentMeetingItem() {
  return velto::model::QueryValue<Variant>(velto::model_id::kMeetingModel, cmd::kMeetingInfo, nullptr,
                                           {"meeting_item"}, Variant());
}

// The meeting item for the Has... questions, which say so when there is no meeting model.
bool RoomMeetingItem(Variant* item) {
  if (!framework::module::GetAppModuleModel(velto::model_id::kMeetingModel)) {
    VELTO_LOG(velto::log::kNotable) << "no room model, just return";
    return false;
  }
  *item = CurrentMeetingItem();
  return item->IsMap();
}

int32_t RoleCode(int32_t role, bool allow_speak) {
  switch (role) {
    case kAnalyticsRoleHost:
    case kAnalyticsRoleCoHost:
    case kAnalyticsRolePanelist:
      return role;
    case kAnalyticsRoleAttendee:
      return allow_speak ? kAnalyticsRoleSpeakingAttendee : kAnalyticsRoleAttendee;
    default:
      return kAnalyticsRoleUnknown;
  }
}

}  // namespace

bool IsMeetingWebinar(uint64_t meeting_type_flags) { return (meeting_type_flags & 1u) != 0; }

bool IsMeetingWebinar(const Variant* meeting_item) {
  return meeting_item && IsMeetingWebinar(meeting_item->GetUint64("meeting_type_flags"));
}

bool IsMeetingWebinar() { return velto::model::Ask(velto::model_id::kMeetingModel, cmd::kIsWebinar); }

bool SelfIsHost() { return member::IsSelfHost(); }

bool SelfIsCoHost() { return member::IsSelfCoHost(); }

bool SelfIsAttendee() { return IsAttendeeUser(member::GetSelfInfo()); }

bool SelfIsPanelist() { return IsWebinarPanelist(member::GetSelfInfo()); }

bool SelfIsNotAllowSpeakAttendee() {
  const Variant self = member::GetSelfInfo();
  return IsAttendeeUser(self) && !self.GetBoolean("is_allow_speak", false);
}

int32_t SelfRoleType() {
  const Variant self = member::GetSelfInfo();
  const Variant* role = self.Find("role_type");
  if (!role || !role->IsInteger()) {
    VELTO_LOG(velto::log::kNotable) << "no has role_type";
    return -1;
  }
  return role->AsInt32();
}

bool IsAttendeeUser(const Variant& record) { return record.GetBoolean("is_attendee", false); }

bool IsWebinarPanelist(const Variant& record) {
  return record.IsMap() && !IsAttendeeUser(record) && !member::IsHostWithUserInfo(record);
}

bool UserIsAttendee(const std::string& user_id) {
  const Variant& record =
      member::GetUserInfo(framework::module::GetAppModuleModel(velto::model_id::kUserModel), user_id);
  if (record.IsNull()) {
    VELTO_LOG(velto::log::kNotable) << "user not found, id: " << user_id;
    return false;
  }
  return IsAttendeeUser(record);
}

int32_t GetAnalyticeRoleTypeFromUserInfo(const Variant& record) {
  int32_t role = record.GetInt32("role_type", 0);
  if (role == 0) role = record.GetInt32("user_type", 0);
  const int32_t code = RoleCode(role, record.GetBoolean("is_allow_speak", false));
  if (code == kAnalyticsRoleUnknown) {
    VELTO_LOG(velto::log::kFailure) << "role type error, role_type: " << record.GetInt32("role_type", 0)
                                    << ", user_type: " << record.GetInt32("user_type", 0);
  }
  return code;
}

int32_t GetAnalyticeRoleType() { return GetAnalyticeRoleTypeFromUserInfo(member::GetSelfInfo()); }

std::string GetReportWebinarRole() {
  if (!IsMeetingWebinar()) return std::string();
  const Variant self = member::GetSelfInfo();
  if (!self.IsMap()) return std::string();
  if (self.GetBoolean("host", false)) return "host";
  if (self.GetBoolean("co_host", false)) return "cohost";
  return IsAttendeeUser(self) ? "attendee" : "panelist";
}

bool IsMeetingWebinarPreparationMode(const Variant* meeting_item) {
  return IsMeetingWebinar(meeting_item) && meeting_item->GetInt32("preparation_state", 0) != 0;
}

bool IsWebinarMeetingStatePreparating(const Variant* meeting_item) {
  return IsMeetingWebinar(meeting_item) && meeting_item->GetInt32("preparation_state", 0) == kPreparing;
}

bool IsCurrentWebinarPreparationMode() { return CurrentMeetingItem().GetBoolean("is_preparation_state", false); }

bool HasWebinarPreparationMode() {
  Variant item;
  return RoomMeetingItem(&item) && IsMeetingWebinarPreparationMode(&item);
}

bool HasWebinarWarmUpMode() {
  Variant item;
  return RoomMeetingItem(&item) && IsMeetingWebinar(&item) && item.GetBoolean("has_warm_up", false);
}

bool ShowQuestionAnswerEntry() { return CurrentMeetingItem().GetBoolean("show_qa_entry", false); }

bool IsAllowAddMemberManagerEntrance() { return CurrentMeetingItem().GetBoolean("member_manager_entrance", false); }

bool IsEnableWebinarPstn() {
  return velto::model::ReadConfigurationItem("meeting-ability", "webinar_pstn_entry_switch", false);
}

}  // namespace velto_common::utils::webinar
