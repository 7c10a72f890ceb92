// The query frame: how model failures become failure values and log records.
#include <gtest/gtest.h>

#include <string>

#include "hostkit/hostkit.h"
#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"

namespace inmeeting = velto_common::utils::inmeeting;
namespace member = velto_common::utils::member;
using hostkit::Json;

TEST(MeetingTypeQuery, ReadsNestedInteger) {
  hostkit::InstallModel(514).Answer(3, Json(R"({"meeting_item": {"meeting_type": 5}})"));
  EXPECT_EQ(inmeeting::GetCurrentMeetingType(), 5);
  EXPECT_EQ(hostkit::FindModel(514)->calls().at(0).command_id, 3);
  EXPECT_TRUE(hostkit::FindModel(514)->calls().at(0).argument.IsNull());
}

TEST(MeetingTypeQuery, EveryFailurePathGivesMinusOneAndALevelOneRecord) {
  EXPECT_EQ(inmeeting::GetCurrentMeetingType(), -1);  // no model
  EXPECT_TRUE(hostkit::HasLog(1, "model 514 not found"));

  auto& meeting = hostkit::InstallModel(514);
  meeting.Fail(3);
  EXPECT_EQ(inmeeting::GetCurrentMeetingType(), -1);
  EXPECT_TRUE(hostkit::HasLog(1, "call 3 of model 514 failed"));

  for (const char* answer : {R"({})", R"({"meeting_item": 3})", R"({"meeting_item": [1]})",
                             R"({"meeting_item": {}})", R"({"meeting_item": {"meeting_type": "2"}})",
                             R"({"meeting_item": {"meeting_type": 2.0}})", R"([1, 2])", R"("text")"}) {
    hostkit::ClearLogs();
    meeting.Answer(3, Json(answer));
    EXPECT_EQ(inmeeting::GetCurrentMeetingType(), -1) << answer;
    EXPECT_TRUE(hostkit::HasLog(1, "/meeting_item/meeting_type")) << answer;
  }
}

TEST(MeetingTypeQuery, FailureRecordNamesTheQueryFunction) {
  inmeeting::GetCurrentMeetingType();
  ASSERT_FALSE(hostkit::Logs().empty());
  const auto& record = hostkit::Logs().back();
  EXPECT_EQ(record.function, "GetCurrentMeetingType");
  EXPECT_EQ(record.file, "in_meeting_utils.cpp");
  EXPECT_GT(record.line, 0);
}

TEST(InMeetingQuery, JoiningCountsOnlyWhenAsked) {
  auto& meeting = hostkit::InstallModel(514);
  meeting.Fail(0).Succeed(43).Fail(44);
  EXPECT_TRUE(inmeeting::IsInMeeting(true));
  EXPECT_EQ(meeting.CallCount(43), 1u);

  meeting.ClearCalls();
  EXPECT_FALSE(inmeeting::IsInMeeting(false));
  EXPECT_EQ(meeting.CallCount(43), 0u);
  EXPECT_EQ(meeting.CallCount(44), 0u);
}

TEST(InMeetingQuery, InAMeetingSkipsTheJoiningQuestions) {
  auto& meeting = hostkit::InstallModel(514);
  meeting.Succeed(0).Succeed(43);
  EXPECT_TRUE(inmeeting::IsInMeeting(true));
  EXPECT_EQ(meeting.CallCount(43), 0u);
}

TEST(InMeetingQuery, JoiningIsEitherStage) {
  auto& meeting = hostkit::InstallModel(514);
  meeting.Fail(43).Succeed(44);
  EXPECT_TRUE(inmeeting::IsJoiningMeeting());
  meeting.Fail(44);
  EXPECT_FALSE(inmeeting::IsJoiningMeeting());
  hostkit::RemoveModel(514);
  EXPECT_FALSE(inmeeting::IsInMeeting(true));
}

TEST(UserCountQuery, KindZeroSendsNoArgumentOthersSendTheMask) {
  auto& users = hostkit::InstallModel(508);
  users.Answer(3, 42);
  EXPECT_EQ(member::GetUserCount(), 42);
  EXPECT_TRUE(users.LastArgument(3).IsNull());

  EXPECT_EQ(member::GetUserCount(veltosdk::kInMeetingUserInvisibleWaitingRoom), 42);
  EXPECT_EQ(users.LastArgument(3).GetInteger("source_type", -1), 1);
}

TEST(UserCountQuery, AnythingButAnIntegerCountsZero) {
  EXPECT_EQ(member::GetUserCount(), 0);
  auto& users = hostkit::InstallModel(508);
  users.Fail(3);
  EXPECT_EQ(member::GetUserCount(), 0);
  users.Answer(3, "12");
  EXPECT_EQ(member::GetUserCount(), 0);
  users.Answer(3, Json(R"({"count": 3})"));
  EXPECT_EQ(member::GetUserCount(), 0);
}

TEST(ModelFrame, WalkStopsAtNonMaps) {
  auto doc = Json(R"({"a": {"b": [1, {"c": 1}]}, "s": "x"})");
  EXPECT_NE(velto::model::Walk(doc, {"a", "b"}), nullptr);
  EXPECT_EQ(velto::model::Walk(doc, {"a", "b", "c"}), nullptr);
  EXPECT_EQ(velto::model::Walk(doc, {"s", "x"}), nullptr);
  EXPECT_EQ(velto::model::Walk(doc, {}), &doc);
  EXPECT_EQ(velto::model::Read<int64_t>(doc, {"a"}), std::nullopt);
  EXPECT_EQ(velto::model::Read<std::string>(doc, {"s"}), "x");
}
