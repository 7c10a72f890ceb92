// Join stages and results, the limit check before a join, and the meeting-side queries of a join.
#include "module_api/join/join_utils.h"

#include "framework/alert_builder.h"
#include "framework/variant_text.h"
#include "module_api/in_meeting/meeting_state.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/runtime.h"

namespace velto_common::utils::join {
namespace {

using base::variant::Variant;
namespace cmd = velto::model_command;
namespace model_id = velto::model_id;
namespace log = velto::log;

}  // namespace

velto::Room::JoinStage ConvertSDKJoinStepToJoinStage(veltosdk::MeetingJoinResult::Step step) {
  switch (step) {
    case veltosdk::MeetingJoinResult::kStepQueryMeeting: return velto::Room::kJoinStageQueryMeeting;
    case veltosdk::MeetingJoinResult::kStepConnect: return velto::Room::kJoinStageConnecting;
    case veltosdk::MeetingJoinResult::kStepEnterRoom: return velto::Room::kJoinStageEnteringRoom;
    case veltosdk::MeetingJoinResult::kStepFinish: return velto::Room::kJoinStageJoined;
  }
  VELTO_LOG(log::kFailure) << "illegal join step: " << static_cast<int>(step);
  return velto::Room::kJoinStageNone;
}

Variant GetJoinResultFromQueryMeetingResult(const Variant& result) {
  Variant join_result = Variant::Map();
  switch (result.Get("meeting_item").GetInt32("state")) {
    case 1:
      join_result["error"] = 22;
      join_result["error_msg"] = GetLocalizedString(velto::join_string::kMeetingNotStarted);
      break;
    case 3:
      join_result["error"] = 21;
      join_result["error_msg"] = GetLocalizedString(velto::join_string::kMeetingEnded);
      break;
    default:
      join_result["error"] = 0;
      join_result["error_msg"] = "";
      break;
  }
  return join_result;
}

std::string LogNecessaryMeetingItem(const Variant& item) {
  return framework::VariantToStringWithout(
      item, {"password", "appointed_host_list", "si_member_list", "action_menu", "invite_list", "periods"});
}

int32_t GetJoinFrom() {
  return velto::model::QueryValue<int32_t>(model_id::kMeetingModel, cmd::meeting::kJoinFrom, nullptr, {"join_from"}, -1);
}

bool IsRoomSwitching() { return velto::model::Ask(model_id::kRoomSwitchModel, cmd::room_switch::kIsRoomSwitching); }

Variant GetJoinAlertReportParam(const std::string& creator_uid, const std::string& creator_appid) {
  Variant argument = Variant::Map();
  argument["creator_uid"] = creator_uid;
  argument["creator_appid"] = creator_appid;
  constexpr int kCommand = cmd::account_switch::kJoinAlertReportParam;
  Variant answer;
  if (!velto::model::Call(model_id::kAccountSwitchModel, kCommand, &argument, &answer)) return Variant::Map();
  const Variant* report = velto::model::Walk(answer, {"report_param"});
  if (!report || !report->IsMap()) {
    // A report without the account's facts is still sent; the record says why they are missing.
    velto::model::LogWrongKind(model_id::kAccountSwitchModel, kCommand, {"report_param"}, base::Location::Current());
    return Variant::Map();
  }
  // Only the keys reports carry: the answer may hold more about the account.
  Variant param = Variant::Map();
  for (const char* key : {"account_role", "corp_id", "uid", "creator_uid", "creator_appid", "creator_corp_id"}) {
    if (const Variant* value = report->Find(key)) param[key] = *value;
  }
  return param;
}

void LeaveMeetingIfNeeded(int32_t reason) {
  if (!inmeeting::IsInMeeting(true)) return;
  VELTO_LOG(log::kTrace) << "leave meeting, reason:" << reason;
  Variant argument = Variant::Map();
  argument["reason"] = reason;
  velto::model::Call(model_id::kMeetingModel, cmd::meeting::kLeaveMeeting, &argument, nullptr);
}

bool PreCheckMeetingItemLimitBeforeJoin(const Variant& item, framework::UIViewModel* view_model,
                                        const std::function<void()>& continuation) {
  const int32_t rejected = item.GetInt32("join_rejected_type");
  VELTO_LOG(log::kTrace) << "join_rejected_type: " << rejected << ", meeting_id:" << item.GetString("meeting_id")
                         << ", creator_appid:" << item.GetString("creator_appid");
  if (rejected == 0) {
    if (continuation) continuation();
    return false;
  }
  if (!view_model) {
    VELTO_LOG(log::kFailure) << "view_model is null, limit alert not shown";
    return true;
  }
  framework::AlertBuilder(view_model)
      .SetTitle(GetLocalizedString(velto::join_string::kLimitTitle))
      .SetContent(GetLocalizedString(velto::join_string::kLimitContent))
      .SetPositiveButtonText(GetLocalizedString(velto::join_string::kOk))
      .Show();
  return true;
}

}  // namespace velto_common::utils::join
