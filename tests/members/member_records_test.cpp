// Member records as values and the answers derived from them: classification by instance id,
// key removal and short keys, identities, roles, visibility, pure audio and video, enumeration,
// invitees, and the member features that reach other models or the navigator.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/context.h"
#include "framework/module/module.h"
#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/navigation.h"
#include "module_api/members/member_features.h"
#include "module_api/members/member_records.h"
#include "module_api/members/member_utils.h"
#include "module_api/model_ids.h"

namespace {

namespace member = velto_common::utils::member;
namespace id = velto::model_id;
using hostkit::Json;
using hostkit::MeetingFixture;
using hostkit::Variant;

TEST(MemberClassification, InstanceIdRangesAndTheirEdges) {
  EXPECT_FALSE(member::IsRobot(49));
  EXPECT_TRUE(member::IsRobot(50));
  EXPECT_TRUE(member::IsRobot(70));
  EXPECT_FALSE(member::IsRobot(71));
  EXPECT_TRUE(member::RobotFilter(2, 70));
  EXPECT_TRUE(member::RobotFilter(3, 50));
  EXPECT_FALSE(member::RobotFilter(1, 60));
  EXPECT_FALSE(member::RobotFilter(3, 71));
  EXPECT_FALSE(member::IsRoomsDevice(19));
  EXPECT_TRUE(member::IsRoomsDevice(20));
  EXPECT_TRUE(member::IsRoomsDevice(22));
  EXPECT_FALSE(member::IsRoomsDevice(23));
  EXPECT_TRUE(member::IsRoomsController(30));
  EXPECT_FALSE(member::IsRoomsController(31));
  EXPECT_TRUE(member::IsRoomsController(32));
  EXPECT_TRUE(member::IsRoomsController(33));
  EXPECT_FALSE(member::IsRoomsController(34));

  MeetingFixture meeting;
  meeting.Install();
  Variant robot = MeetingFixture::MakeUser("r-1", "Dial-in");
  robot["instance_id"] = 55;
  robot["robot_user_type"] = 3;
  const int64_t robot_index = meeting.AddUser(robot);
  EXPECT_TRUE(member::RobotFilter(robot_index));
  meeting.UpdateUser("r-1", Json(R"({"robot_user_type": 1})"));
  EXPECT_FALSE(member::RobotFilter(robot_index));
  EXPECT_FALSE(member::RobotFilter(int64_t{999}));
}

TEST(MemberKeys, RemoveKeysDropsExactlyTheViewlessKeys) {
  Variant record = Json(R"({"nickname": "x", "user_id": "u", "screen_stream": 1, "audio_update_timestamp": 1,
      "role_type": 1, "from_push": 1, "stream": 1, "associate_type": 1, "av_user_id": 1, "noisy_text_color": 1,
      "whiteboard_cooperation_version": 1, "screen_share_type": 1, "network_display_state": 1,
      "force_stop_render": 1, "video_update_timestamp": 1, "stream_active": 1, "is_screen_active": 1,
      "stream_id": 1, "is_creator": 1, "is_video_active": 1, "update_time": 1, "join_time": 1, "volume": 1,
      "handsup_update_timestamp": 1, "whiteboard_permission": 1, "is_screen_pause": 1, "support_si": 1,
      "tiny_id": 1, "level": 1, "invite_id": 1, "phone_number": 1, "noisy_type": 1, "noisy_text": 1,
      "members_seq": 1, "network_level": 1, "always_allowed_into_meeting_room": 1,
      "network_display_state_video": 1, "network_display_state_audio": 1, "local_record_on": 1,
      "video": true, "screen": false})");
  ASSERT_EQ(record.size(), 41u);
  member::RemoveKeys(record);
  EXPECT_EQ(record.ToJsonStr(), R"({"nickname":"x","user_id":"u","video":true,"screen":false})");
  Variant text("not a record");
  member::RemoveKeys(text);
  EXPECT_EQ(text, Variant("not a record"));
}

TEST(MemberKeys, SimplifyKeysShortensKnownKeysAndKeepsTheRest) {
  Variant record = Json(R"({"nickname": "x", "extra": 1})");
  member::SimplifyKeys(record);
  EXPECT_EQ(record, Json(R"({"e": "x", "extra": 1})"));

  Variant full = Json(R"({"avatar_token": 1, "user_district": 2, "avatar_type": 3, "avatar_name": 4,
      "nickname": 5, "remark": 6, "screen": 7, "handsup": 8, "should_show_record": 9,
      "should_show_record_type": 10, "has_audio_in_device": 11, "audio_connect_type": 12, "audio": 13,
      "has_video_in_device": 14, "video_on": 15, "host": 16, "co_host": 17, "self": 18, "is_recording": 19,
      "record_type": 20, "app_id": 21, "user_id": 22, "avatar_url": 23, "record": 24, "video": 25,
      "user_type": 26, "auth_type": 27, "device_type": 28})");
  member::SimplifyKeys(full);
  EXPECT_EQ(full, Json(R"({"a": 1, "b": 2, "c": 3, "d": 4, "e": 5, "f": 6, "g": 7, "h": 8, "i": 9, "j": 10,
      "k": 11, "l": 12, "m": 13, "n": 14, "o": 15, "p": 16, "q": 17, "r": 18, "s": 19, "t": 20, "u": 21,
      "v": 22, "w": 23, "x": 24, "y": 25, "z": 26, "aa": 27, "ab": 28})"));
}

TEST(MemberIdentity, UserIdRoundTripsThroughThePlatformParameter) {
  const Variant record = Json(R"({"app_id": "1400", "app_uid": "uid-7", "instance_id": 5, "user_type": 2,
      "device_type": 3, "unique_id": "unique-7", "av_user_id": "av-7"})");
  const member::UserId user_id(record);
  EXPECT_EQ(user_id.app_uid, "uid-7");
  EXPECT_EQ(user_id.instance_id, 5);
  EXPECT_EQ(user_id.device_type, 3);
  const veltosdk::UserIdParam param = member::ConvertCommonUserIdToUserIdParam(user_id);
  EXPECT_EQ(param.unique_id, "unique-7");
  EXPECT_EQ(param.instance_id, 5u);
  EXPECT_EQ(member::ConvertUserIdParamToCommonUserId(param), user_id);
  EXPECT_EQ(member::UserId(Variant()), member::UserId());

  MeetingFixture meeting;
  meeting.Install();
  EXPECT_EQ(member::GetUserIdByUserIdParam(member::ConvertCommonUserIdToUserIdParam(
                member::UserId(*meeting.FindUser("u-2")))),
            "u-2");
  veltosdk::UserIdParam by_identity;
  by_identity.app_id = "1400000001";
  by_identity.app_uid = "uid-u-3";
  EXPECT_EQ(member::GetUserIdByUserIdParam(by_identity), "u-3");
  EXPECT_FALSE(hostkit::HasLog(1, "deprecated"));
  by_identity.app_uid = "uid-nobody";
  EXPECT_EQ(member::GetUserIdByUserIdParam(by_identity), "");
  EXPECT_EQ(member::GetUserIdByUserIdParam(veltosdk::UserIdParam()), "");
}

TEST(MemberMedia, PureAudioAndVideoFollowForceAudioModeAndRobots) {
  MeetingFixture meeting;
  meeting.Install();
  const Variant robot = Json(R"({"robot_user_type": 3, "video_on": true, "screen": true})");
  const Variant other_video = Json(R"({"video_on": true, "screen": false})");
  const Variant self_video = Json(R"({"self": true, "video_on": true, "screen": false})");
  const Variant sharing = Json(R"({"video_on": false, "screen": true})");
  const Variant silent = Json(R"({"video_on": false, "screen": false})");

  EXPECT_TRUE(member::IsPureAudioAvailable(robot));
  EXPECT_FALSE(member::IsPureAudioAvailable(other_video));
  EXPECT_FALSE(member::IsPureAudioAvailable(sharing));
  EXPECT_TRUE(member::IsPureAudioAvailable(silent));
  EXPECT_TRUE(member::IsPureVideoAvailable(other_video));
  EXPECT_FALSE(member::IsPureVideoAvailable(silent));

  meeting.meeting().Answer(26, Json(R"({"enable": true})"));
  EXPECT_TRUE(member::IsPureAudioAvailable(other_video));   // another user's camera does not count
  EXPECT_FALSE(member::IsPureAudioAvailable(self_video));   // the local user's does
  EXPECT_FALSE(member::IsPureAudioAvailable(sharing));
  EXPECT_TRUE(member::IsPureAudioAvailable(robot));
  EXPECT_FALSE(member::IsPureVideoAvailable(other_video));
  EXPECT_TRUE(member::IsPureVideoAvailable(self_video));

  EXPECT_FALSE(member::IsPureAudioAvailable(Variant("x")));
  EXPECT_FALSE(member::IsPureVideoAvailable(Json("[1]")));
  EXPECT_EQ(hostkit::CountLogs(1, "need check params!"), 2u);

  hostkit::RemoveModel(id::kMeetingModel);
  EXPECT_TRUE(member::IsPureVideoAvailable(other_video));  // no meeting model: not forced
  EXPECT_TRUE(hostkit::HasLog(1, "room_model is null!"));
}

TEST(MemberRoles, HostsSelfAndVisibility) {
  MeetingFixture meeting;
  meeting.Install();  // "u-self" is the host
  meeting.UpdateUser("u-1", Json(R"({"co_host": true})"));
  EXPECT_TRUE(member::IsSelfHost());
  EXPECT_FALSE(member::IsSelfCoHost());
  EXPECT_TRUE(member::IsSelfHostOrCoHost());
  EXPECT_EQ(member::GetSelfUniqueId(), "unique-u-self");
  EXPECT_EQ(member::GetSelfInstanceId(), 1u);
  EXPECT_EQ(member::GetSelfRoleType(), 0);

  EXPECT_TRUE(member::IsUserHost("1400000001", "uid-u-self"));
  EXPECT_FALSE(member::IsUserHost("1400000001", "uid-u-1"));
  EXPECT_FALSE(member::IsUserHost("", ""));  // even when the host has no identity either
  EXPECT_TRUE(member::IsHostWithUserInfo(*meeting.FindUser("u-1")));
  EXPECT_FALSE(member::IsHostWithUserInfo(*meeting.FindUser("u-2")));
  EXPECT_TRUE(member::IsUserOnlyHost(*meeting.FindUser("u-self")));
  EXPECT_FALSE(member::IsUserOnlyCohost(*meeting.FindUser("u-self")));
  EXPECT_TRUE(member::IsUserOnlyCohost(*meeting.FindUser("u-1")));
  EXPECT_FALSE(member::IsUserOnlyHost(Json(R"({"host": true, "co_host": true})")));

  EXPECT_TRUE(member::IsUserSelf("u-self"));
  EXPECT_FALSE(member::IsUserSelf("u-1"));
  EXPECT_FALSE(member::IsUserSelf("nobody"));
  // Another device of the same account is the local user too.
  Variant pad = MeetingFixture::MakeUser("u-self-pad", "Me (pad)");
  pad["app_uid"] = "uid-u-self";
  meeting.AddUser(pad);
  EXPECT_TRUE(member::IsUserSelf("u-self-pad"));

  const Variant waiting = Json(R"({"user_invisible": 1})");
  EXPECT_TRUE(member::IsVisibleUser(waiting, veltosdk::kInMeetingUserInvisibleNone));
  EXPECT_FALSE(member::IsVisibleUser(waiting, veltosdk::kInMeetingUserInvisibleAll));
  EXPECT_TRUE(member::IsVisibleUser(waiting, veltosdk::kInMeetingUserInvisibleRoomsDevice));

  meeting.users().Answer(12, Variant::Map());  // no host in the meeting
  EXPECT_FALSE(member::IsUserHost("1400000001", "uid-u-self"));
}

TEST(MemberEnumeration, VisitsVisibleUsersInOrderUntilStopped) {
  MeetingFixture meeting;
  meeting.Install();
  meeting.UpdateUser("u-2", Json(R"({"user_invisible": 4})"));
  std::vector<std::string> seen;
  member::EnumerateUserList([&](const Variant& record, bool&) { seen.push_back(record.GetString("user_id")); },
                            veltosdk::kInMeetingUserInvisibleWebinarAttendee);
  EXPECT_EQ(seen, (std::vector<std::string>{"u-self", "u-1", "u-3", "u-4"}));
  seen.clear();
  member::EnumerateUserList([&](const Variant& record, bool& stop) {
    seen.push_back(record.GetString("user_id"));
    stop = seen.size() == 2;
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"u-self", "u-1"}));
  member::EnumerateUserList(nullptr);  // nothing to call, nothing asked
  hostkit::RemoveModel(id::kUserModel);
  member::EnumerateUserList([&](const Variant&, bool&) { ADD_FAILURE() << "no users without a model"; });
}

TEST(MemberInvitees, InviteeRecordsComeThroughTheInviteList) {
  MeetingFixture meeting;
  meeting.Install();
  meeting.users().Answer(85, Json(R"([3, {"user_index": 77, "nickname": "Invited"}])"));
  EXPECT_EQ(member::GetInviteInfoByIndex(77).GetString("nickname"), "Invited");
  EXPECT_EQ(member::GetInviteInfoByIndex(3).GetString("user_id"), "u-2");
  EXPECT_TRUE(member::GetInviteInfoByIndex(2).IsNull());  // in the meeting, not invited
  EXPECT_EQ(member::GetInviteInfoByUserId("u-2").GetString("user_id"), "u-2");
  EXPECT_TRUE(member::GetInviteInfoByUserId("nobody").IsNull());
  EXPECT_EQ(member::GetUserOrInviteInfoByIndex(2).GetString("user_id"), "u-1");
  EXPECT_EQ(member::GetUserOrInviteInfoByIndex(77).GetString("nickname"), "Invited");
  EXPECT_TRUE(member::GetUserOrInviteInfoByIndex(78).IsNull());
}

TEST(MemberFeatures, SelectMembersPanelOpensForAnAppAndHandsBackThePick) {
  auto context = std::make_shared<framework::Context>(9);
  Variant picked;
  member::OpenSelectMembersPanel(context, "app-7", true, Json(R"({"max": 5})"),
                                 [&](const Variant& result) { picked = result; });
  ASSERT_EQ(hostkit::Navigations().size(), 1u);
  const hostkit::Navigation& navigation = hostkit::Navigations()[0];
  EXPECT_EQ(navigation.page, "velto://page/inmeeting/member/select_members");
  EXPECT_EQ(navigation.navigation_scheme, "sidebar_container");
  EXPECT_EQ(navigation.view_ref, 9);
  EXPECT_EQ(navigation.arguments, Json(R"({"max": 5, "open_app_id": "app-7"})"));
  ASSERT_TRUE(hostkit::CompletePush(0, Json(R"(["u-1"])")));
  hostkit::RunUntilIdle();
  EXPECT_EQ(picked, Json(R"(["u-1"])"));

  member::OpenSelectMembersPanel(context, "app-7", false, Variant());
  EXPECT_EQ(hostkit::Navigations().back().navigation_scheme, "inmeeting_container");
  member::OpenSelectMembersPanel(context, "", false, Variant());
  EXPECT_EQ(hostkit::Navigations().size(), 2u);
  EXPECT_TRUE(hostkit::HasLog(1, "open select members panel failed! open_app_id empty."));
}

TEST(MemberFeatures, ScheduleTypeIsTheLastChoiceWhileOffered) {
  MeetingFixture meeting;
  meeting.Install();
  EXPECT_EQ(member::ResolveScheduleMeetingType(), 0);  // nothing chosen yet
  meeting.SetClientSetting("schedule.meeting.type", 1);
  auto& schedule = hostkit::InstallModel(id::kScheduleModel);
  schedule.Answer(12, true);
  EXPECT_EQ(member::ResolveScheduleMeetingType(), 1);
  EXPECT_EQ(schedule.LastArgument(12), Json(R"({"meeting_type": 1})"));
  schedule.Answer(12, false);
  EXPECT_EQ(member::ResolveScheduleMeetingType(), 0);
  hostkit::RemoveModel(id::kScheduleModel);
  EXPECT_EQ(member::ResolveScheduleMeetingType(), 0);
  EXPECT_TRUE(hostkit::HasLog(1, "505"));
}

TEST(MemberFeatures, OrgInfoRefreshNamesTheUsers) {
  MeetingFixture meeting;
  meeting.Install();
  EXPECT_FALSE(member::RefreshUserOrgInfo({"u-1", "u-2"}));  // the model does not offer it
  meeting.users().Succeed(110);
  EXPECT_TRUE(member::RefreshUserOrgInfo({"u-1", "u-2"}));
  EXPECT_EQ(meeting.users().LastArgument(110), Json(R"({"user_id_list": ["u-1", "u-2"]})"));
  EXPECT_FALSE(member::RefreshUserOrgInfo({}));
  EXPECT_EQ(meeting.users().CallCount(110), 2u);
}

}  // namespace
