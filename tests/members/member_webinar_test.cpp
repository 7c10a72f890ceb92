// Webinar roles from the self and user records, analytics role codes, the preparation and
// warm-up stages of the meeting item, and the webinar entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "module_api/model_ids.h"
#include "module_api/members/webinar_utils.h"
#include "query_table.h"

namespace {

namespace webinar = velto_common::utils::webinar;
namespace id = velto::model_id;
using hostkit::Json;
using hostkit::MeetingFixture;
using hostkit::Variant;

// The fixture's self record with these keys merged.
void SetSelf(MeetingFixture& meeting, const char* changes) { meeting.UpdateUser("u-self", Json(changes)); }

void SetMeetingItem(MeetingFixture& meeting, const char* item) {
  Variant answer = Variant::Map();
  answer["meeting_item"] = Json(item);
  meeting.meeting().Answer(3, answer);
}

TEST(WebinarRoles, SelfRolesFollowTheSelfRecord) {
  MeetingFixture meeting;
  meeting.Install();
  SetSelf(meeting, R"({"host": false, "co_host": true})");
  EXPECT_FALSE(webinar::SelfIsHost());
  EXPECT_TRUE(webinar::SelfIsCoHost());
  EXPECT_FALSE(webinar::SelfIsPanelist());
  EXPECT_FALSE(webinar::SelfIsAttendee());

  SetSelf(meeting, R"({"co_host": false})");
  EXPECT_TRUE(webinar::SelfIsPanelist());

  SetSelf(meeting, R"({"is_attendee": true, "is_allow_speak": false})");
  EXPECT_TRUE(webinar::SelfIsAttendee());
  EXPECT_FALSE(webinar::SelfIsPanelist());
  EXPECT_TRUE(webinar::SelfIsNotAllowSpeakAttendee());
  SetSelf(meeting, R"({"is_allow_speak": true})");
  EXPECT_FALSE(webinar::SelfIsNotAllowSpeakAttendee());

  meeting.users().Fail(1);  // no self record: no role at all
  EXPECT_FALSE(webinar::SelfIsAttendee());
  EXPECT_FALSE(webinar::SelfIsPanelist());
  EXPECT_FALSE(webinar::SelfIsCoHost());
}

TEST(WebinarRoles, RoleTypeAndOtherUsers) {
  MeetingFixture meeting;
  meeting.Install();
  EXPECT_EQ(webinar::SelfRoleType(), 0);
  SetSelf(meeting, R"({"role_type": 3})");
  EXPECT_EQ(webinar::SelfRoleType(), 3);
  meeting.users().Answer(1, Json(R"({"user_id": "u-self"})"));
  hostkit::ClearLogs();
  EXPECT_EQ(webinar::SelfRoleType(), -1);
  EXPECT_TRUE(hostkit::HasLog(4, "no has role_type"));

  meeting.UpdateUser("u-2", Json(R"({"is_attendee": true})"));
  EXPECT_TRUE(webinar::UserIsAttendee("u-2"));
  EXPECT_FALSE(webinar::UserIsAttendee("u-3"));
  EXPECT_FALSE(webinar::UserIsAttendee("nobody"));
  EXPECT_TRUE(hostkit::HasLog(4, "user not found, id: nobody"));
  EXPECT_TRUE(webinar::IsWebinarPanelist(*meeting.FindUser("u-3")));
  EXPECT_FALSE(webinar::IsWebinarPanelist(*meeting.FindUser("u-2")));
  EXPECT_FALSE(webinar::IsWebinarPanelist(Variant()));
}

TEST(WebinarRoles, AnalyticsRoleCodes) {
  EXPECT_EQ(webinar::GetAnalyticeRoleTypeFromUserInfo(Json(R"({"role_type": 1})")), webinar::kAnalyticsRoleHost);
  EXPECT_EQ(webinar::GetAnalyticeRoleTypeFromUserInfo(Json(R"({"role_type": 3, "user_type": 4})")),
            webinar::kAnalyticsRolePanelist);
  EXPECT_EQ(webinar::GetAnalyticeRoleTypeFromUserInfo(Json(R"({"role_type": 4, "is_allow_speak": false})")),
            webinar::kAnalyticsRoleAttendee);
  EXPECT_EQ(webinar::GetAnalyticeRoleTypeFromUserInfo(Json(R"({"role_type": 4, "is_allow_speak": true})")),
            webinar::kAnalyticsRoleSpeakingAttendee);
  // Without a role type the older user type stands in.
  EXPECT_EQ(webinar::GetAnalyticeRoleTypeFromUserInfo(Json(R"({"role_type": 0, "user_type": 2})")),
            webinar::kAnalyticsRoleCoHost);
  EXPECT_FALSE(hostkit::HasLog(1, "role type error"));
  EXPECT_EQ(webinar::GetAnalyticeRoleTypeFromUserInfo(Json(R"({"role_type": 9})")), webinar::kAnalyticsRoleUnknown);
  EXPECT_EQ(webinar::GetAnalyticeRoleTypeFromUserInfo(Variant()), webinar::kAnalyticsRoleUnknown);
  EXPECT_EQ(hostkit::CountLogs(1, "role type error"), 2u);

  MeetingFixture meeting;
  meeting.Install();
  SetSelf(meeting, R"({"role_type": 4, "is_attendee": true, "host": false})");
  EXPECT_EQ(webinar::GetAnalyticeRoleType(), webinar::kAnalyticsRoleAttendee);
  EXPECT_EQ(webinar::GetReportWebinarRole(), "");  // not a webinar
  meeting.meeting().Succeed(95);
  EXPECT_EQ(webinar::GetReportWebinarRole(), "attendee");
  SetSelf(meeting, R"({"is_attendee": false})");
  EXPECT_EQ(webinar::GetReportWebinarRole(), "panelist");
  SetSelf(meeting, R"({"co_host": true})");
  EXPECT_EQ(webinar::GetReportWebinarRole(), "cohost");
  SetSelf(meeting, R"({"host": true})");
  EXPECT_EQ(webinar::GetReportWebinarRole(), "host");
}

TEST(WebinarStages, PreparationNeedsAWebinarAndItsState) {
  const Variant preparing = Json(R"({"meeting_type_flags": 1, "preparation_state": 1})");
  const Variant prepared = Json(R"({"meeting_type_flags": 1, "preparation_state": 2})");
  const Variant plain_webinar = Json(R"({"meeting_type_flags": 1})");
  const Variant not_webinar = Json(R"({"meeting_type_flags": 2, "preparation_state": 1})");
  EXPECT_TRUE(webinar::IsMeetingWebinarPreparationMode(&preparing));
  EXPECT_TRUE(webinar::IsMeetingWebinarPreparationMode(&prepared));
  EXPECT_FALSE(webinar::IsMeetingWebinarPreparationMode(&plain_webinar));
  EXPECT_FALSE(webinar::IsMeetingWebinarPreparationMode(&not_webinar));
  EXPECT_FALSE(webinar::IsMeetingWebinarPreparationMode(nullptr));
  EXPECT_TRUE(webinar::IsWebinarMeetingStatePreparating(&preparing));
  EXPECT_FALSE(webinar::IsWebinarMeetingStatePreparating(&prepared));
  EXPECT_FALSE(webinar::IsWebinarMeetingStatePreparating(&not_webinar));

  MeetingFixture meeting;
  meeting.Install();
  EXPECT_FALSE(webinar::HasWebinarPreparationMode());
  SetMeetingItem(meeting, R"({"meeting_type_flags": 1, "preparation_state": 1, "is_preparation_state": true,
                              "has_warm_up": true})");
  EXPECT_TRUE(webinar::HasWebinarPreparationMode());
  EXPECT_TRUE(webinar::IsCurrentWebinarPreparationMode());
  EXPECT_TRUE(webinar::HasWebinarWarmUpMode());
  SetMeetingItem(meeting, R"({"meeting_type_flags": 0, "has_warm_up": true})");
  EXPECT_FALSE(webinar::HasWebinarWarmUpMode());  // only webinars warm up

  hostkit::RemoveModel(id::kMeetingModel);
  EXPECT_FALSE(webinar::HasWebinarPreparationMode());
  EXPECT_FALSE(webinar::HasWebinarWarmUpMode());
  EXPECT_EQ(hostkit::CountLogs(4, "no room model, just return"), 2u);
  EXPECT_FALSE(webinar::IsCurrentWebinarPreparationMode());
}

using query_table::Row;
using query_table::Source;
using query_table::Text;

Source MeetingItemKey(const char* key) {
  Variant good = Variant::Map();
  good["meeting_item"] = Variant::Map();
  good["meeting_item"][key] = true;
  return query_table::Answered(id::kMeetingModel, 3, good);
}

// Entries are off unless the meeting or the configuration says so.
std::vector<Row> EntryRows() {
  return {
      {"ShowQuestionAnswerEntry", MeetingItemKey("show_qa_entry"), [] { return Text(webinar::ShowQuestionAnswerEntry()); },
       "true", "false"},
      {"IsAllowAddMemberManagerEntrance", MeetingItemKey("member_manager_entrance"),
       [] { return Text(webinar::IsAllowAddMemberManagerEntrance()); }, "true", "false"},
      {"IsEnableWebinarPstn", query_table::ConfigurationItem("meeting-ability", "webinar_pstn_entry_switch", true),
       [] { return Text(webinar::IsEnableWebinarPstn()); }, "true", "false"},
  };
}

QUERY_TABLE_TEST(WebinarEntries, EntriesAreOffUnlessTheMeetingOrConfigurationSaysSo, "webinar", EntryRows)

}  // namespace
