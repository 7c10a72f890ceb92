// Every user model lookup of the member family, and the configured member features, against the
// answers they expect, a missing model, a failing call and an answer of the wrong kind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/module/module.h"
#include "module_api/members/member_features.h"
#include "module_api/members/member_utils.h"
#include "module_api/model_ids.h"
#include "query_table.h"

namespace {

namespace member = velto_common::utils::member;
namespace id = velto::model_id;
using hostkit::Json;
using hostkit::MeetingFixture;
using namespace query_table;

// Counts read as 0 whatever went wrong, as the user count does; a wrong kind is not logged.
Source Count(int command, Variant good) {
  Source source = Answered(id::kUserModel, command, std::move(good));
  source.logs_when_wrong = false;
  return source;
}

// Record lookups by index are asked for users that just left as a matter of course: only a
// missing model is worth a record.
Source Quiet(Source source) {
  source.logs_when_failing = false;
  source.logs_when_wrong = false;
  return source;
}

std::string Record(bool found, const Variant& info) { return Text(found) + " " + info.GetString("nickname"); }

std::vector<Row> LookupRows() {
  return {
      {"GetUserIndexByStreamId", Fixture(id::kUserModel, 8),
       [] { return Text(member::GetUserIndexByStreamId("video-u-1")); }, "2", "-1"},
      {"GetScreenIndex", With(Fixture(id::kUserModel, 11), [](MeetingFixture& m) { m.StartScreenShare("u-2"); }),
       [] { return Text(member::GetScreenIndex()); }, "3", "-1"},
      {"GetUserIndex", Fixture(id::kUserModel, 7), [] { return Text(member::GetUserIndex("u-3")); }, "4", "null"},
      // A host record without the identity is how the model says there is no host.
      {"GetHostAppIdAndAppUid", Flat(Fixture(id::kUserModel, 12)),
       [] {
         std::string app_id = "old";
         std::string app_uid = "old";
         const bool found = member::GetHostAppIdAndAppUid(app_id, app_uid);
         return Text(found) + " " + app_id + " " + app_uid;
       },
       "true 1400000001 uid-u-self", "false old old"},
      {"GetNicknameFromWaitingRoomByAppIdUid", Answered(id::kUserModel, 35, Variant("Wanda"), Variant(5)),
       [] {
         const std::string nickname = member::GetNicknameFromWaitingRoomByAppIdUid("1400000001", "uid-w");
         return nickname + " " + LastArgument(id::kUserModel, 35);
       },
       R"(Wanda {"app_id":"1400000001","app_uid":"uid-w"})", " none", R"( {"app_id":"1400000001","app_uid":"uid-w"})",
       R"( {"app_id":"1400000001","app_uid":"uid-w"})"},
      {"GetWaitingMemberCount", Count(36, 3), [] { return Text(member::GetWaitingMemberCount()); }, "3", "0"},
      {"IsInWaitingRoomHostList", Answered(id::kUserModel, 37, true),
       [] { return Text(member::IsInWaitingRoomHostList("1400000001", "uid-w")); }, "true", "false"},
      // Records are handed on as the model gives them, whatever keys they hold.
      {"GetUserInfoByAppUid", Flat(Fixture(id::kUserModel, 47)),
       [] {
         Variant info;
         return Record(member::GetUserInfoByAppUid("uid-u-1", info), info);
       },
       "true Alice", "false ", "=", "=", "true "},
      {"GetUserInfoByAppIdAndAppUid", Flat(Fixture(id::kUserModel, 73)),
       [] {
         Variant info;
         return Record(member::GetUserInfoByAppIdAndAppUid("1400000001", "uid-u-2", info), info);
       },
       "true Bob", "false ", "=", "=", "true "},
      {"GetUserInfoByUniqueId", Flat(Fixture(id::kUserModel, 82)),
       [] {
         Variant info;
         const std::string found = Record(member::GetUserInfoByUniqueId("unique-u-3", &info), info);
         return found + " " + Text(hostkit::HasLog(1, "get user info by unique id failed!"));
       },
       "true Carol false", "false  true", "=", "=", "true  false"},
      {"GetInviteUserIndexList", Answered(id::kUserModel, 85, Json("[7, 8]")),
       [] { return Text(member::GetInviteUserIndexList()); }, "[7,8]", "[]"},
      {"GetInviteUserListSize", Count(86, 2), [] { return Text(member::GetInviteUserListSize()); }, "2", "0"},
      {"GetWebinarShowInviteList", Answered(id::kUserModel, 109, Json(R"([{"user_id": "i-1"}])")),
       [] { return Text(member::GetWebinarShowInviteList().size()); }, "1", "0"},
      {"IsShowAllUserCount", Fixture(id::kMeetingSettingsModel, 1), [] { return Text(member::IsShowAllUserCount()); },
       "true", "false"},
      {"GetUserStatusByIndex", Quiet(With(Fixture(id::kUserModel, 4), [](MeetingFixture& m) {
         m.UpdateUser("u-1", Json(R"({"status": 2, "type": 5})"));
       })),
       [] { return Text(member::GetUserStatusByIndex(2)) + " " + Text(member::GetUserTypeByIndex(2)); }, "2 5",
       "-1 -1"},
  };
}

std::vector<Row> FeatureRows() {
  return {
      {"GetMultiDeviceIconType", ConfigurationItem("inmeeting", "multi_device_member_list_icon_type", 2),
       [] { return Text(member::GetMultiDeviceIconType()); }, "2", "0"},
      {"IsWaitingUserRename", ConfigurationItem("inmeeting", "waiting_user_rename", true),
       [] { return Text(member::IsWaitingUserRename()); }, "true", "false"},
      {"GetLookAudienceCountAbility", ConfigurationItem("inmeeting", "allow_look_audience_count", true),
       [] { return Text(member::GetLookAudienceCountAbility()); }, "true", "false"},
      {"GetExportMembersEntryEnable", ConfigurationItem("meeting", "export_members_entry", true),
       [] { return Text(member::GetExportMembersEntryEnable()); }, "true", "false"},
  };
}

QUERY_TABLE_TEST(MemberLookupTable, EveryLookupAnswersOrGivesItsNeutralValue, "member", LookupRows)

QUERY_TABLE_TEST(MemberLookupTable, ConfiguredFeaturesFallBackToOff, "member", FeatureRows)

TEST(MemberLookups, DeprecatedLookupsSaySoAndAnEmptyIdentityIsNotAsked) {
  MeetingFixture meeting;
  meeting.Install();
  Variant info;
  EXPECT_TRUE(member::GetUserInfoByAppUid("uid-u-1", info));
  EXPECT_EQ(hostkit::CountLogs(1, "The API being deprecated! please use GetUserInfoByUniqueId."), 1u);
  EXPECT_FALSE(member::GetUserInfoByAppIdAndAppUid("1400000001", "", info));
  EXPECT_TRUE(hostkit::HasLog(1, "empty app uid or app id: app_uid = , app_id = 1400000001"));
  EXPECT_EQ(meeting.users().CallCount(73), 0u);
  EXPECT_EQ(info.GetString("nickname"), "Alice");  // untouched by the refused lookup

  EXPECT_FALSE(member::GetUserInfoByUniqueId("unique-u-1", nullptr));
  EXPECT_TRUE(hostkit::HasLog(1, "get user info by unique id failed!"));
  EXPECT_EQ(meeting.users().CallCount(82), 0u);
  EXPECT_EQ(meeting.users().LastArgument(47), Variant("uid-u-1"));
}

TEST(MemberLookups, UnknownUsersGiveNeutralValues) {
  MeetingFixture meeting;
  meeting.Install();
  EXPECT_TRUE(member::GetUserIndex("nobody").IsNull());  // the model's -1 is not handed on
  EXPECT_EQ(member::GetUserIndexByStreamId("video-nobody"), -1);
  EXPECT_TRUE(member::GetUserInfoByStreamId(framework::module::GetAppModuleModel(id::kUserModel), "video-nobody")
                  .IsNull());
  EXPECT_EQ(member::GetUserInfoByStreamId(framework::module::GetAppModuleModel(id::kUserModel), "screen-u-4")
                .GetString("user_id"),
            "u-4");
  EXPECT_EQ(member::GetUserId(meeting.IndexOf("u-2")), "u-2");
  EXPECT_EQ(member::GetUserId(999), "");
  EXPECT_EQ(member::GetUserStatusByIndex(999), -1);
}

}  // namespace
