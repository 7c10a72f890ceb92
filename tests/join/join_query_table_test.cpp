// The join family's questions: join stages, the join result of a meeting query, the meeting item
// for a log, where the join came from, room switching and the join alert's report parameters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module_api/join/join_types.h"
#include "module_api/join/join_utils.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "query_table.h"

namespace {

namespace join = velto_common::utils::join;
namespace id = velto::model_id;
namespace cmd = velto::model_command;
using hostkit::Json;
using hostkit::MeetingFixture;
using namespace query_table;

std::string Stage(int step) {
  return Text(static_cast<int>(join::ConvertSDKJoinStepToJoinStage(static_cast<veltosdk::MeetingJoinResult::Step>(step))));
}

std::vector<Row> JoinRows() {
  const Variant ended_meeting = Json(R"({"meeting_item": {"state": 3, "meeting_id": "m-1"}})");
  const Variant report = Json(R"({"report_param": {"account_role": 2, "corp_id": "c-1", "uid": "u-1",
      "creator_uid": "u-9", "creator_appid": "a-9", "creator_corp_id": "c-9", "phone": "13800000000"}})");
  return {
      {"ConvertSDKJoinStepToJoinStage", None(), [] { return Stage(0) + Stage(1) + Stage(2) + Stage(3); }, "3456", ""},
      {"ConvertSDKJoinStepToJoinStage", None(),
       [] {
         const std::string stage = Stage(4);
         return stage + "/" + Text(hostkit::HasLog(1, "illegal join step: 4"));
       },
       "0/true", ""},
      // The caller hands in the meeting model's answer to its meeting query, whatever it was.
      {"GetJoinResultFromQueryMeetingResult",
       With(Handed(id::kMeetingModel, cmd::meeting::kMeetingInfo, ended_meeting),
            [](MeetingFixture&) { hostkit::SetLocalizedString(velto::join_string::kMeetingEnded, "The meeting has ended"); }),
       [] { return join::GetJoinResultFromQueryMeetingResult(Asked(id::kMeetingModel, cmd::meeting::kMeetingInfo)).ToJsonStr(); },
       R"({"error":21,"error_msg":"The meeting has ended"})", R"({"error":0,"error_msg":""})"},
      // The log text keeps the meeting's identity and never its password or member lists.
      {"LogNecessaryMeetingItem", None(),
       [] {
         const std::string text = join::LogNecessaryMeetingItem(
             Json(R"({"meeting_code": "123456789", "password": "pw-4711", "invite_list": ["u-invitee"]})"));
         return Text(text.find("123456789") != std::string::npos) + "/" + Text(text.find("pw-4711") != std::string::npos) +
                "/" + Text(text.find("u-invitee") != std::string::npos);
       },
       "true/false/false", ""},
      {"GetJoinFrom", Answered(id::kMeetingModel, cmd::meeting::kJoinFrom, Json(R"({"join_from": 3})")),
       [] { return Text(join::GetJoinFrom()); }, "3", "-1"},
      {"IsRoomSwitching", CallResult(id::kRoomSwitchModel, cmd::room_switch::kIsRoomSwitching),
       [] { return Text(join::IsRoomSwitching()); }, "true", "false"},
      // Only the keys a report carries: the rest of the account's facts stay out of analytics.
      {"GetJoinAlertReportParam",
       Answered(id::kAccountSwitchModel, cmd::account_switch::kJoinAlertReportParam, report),
       [] { return join::GetJoinAlertReportParam("u-9", "a-9").ToJsonStr(); },
       R"({"account_role":2,"corp_id":"c-1","uid":"u-1","creator_uid":"u-9","creator_appid":"a-9","creator_corp_id":"c-9"})",
       "{}"},
  };
}

QUERY_TABLE_TEST(JoinQueryTable, StagesResultsSourceSwitchingAndReportParameters, "join", JoinRows)

}  // namespace
