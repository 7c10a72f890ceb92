// hostkit::MeetingFixture: a consistent meeting in progress, users that come, change and go with
// the user model's events, and lookups that stay cheap at ten thousand users.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/module/module.h"
#include "hostkit/hostkit.h"
#include "hostkit/media_engine.h"
#include "hostkit/meeting_fixture.h"
#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/config_reader.h"
#include "module_api/model_ids.h"

namespace {

namespace inmeeting = velto_common::utils::inmeeting;
namespace member = velto_common::utils::member;
namespace id = velto::model_id;
using hostkit::Json;
using hostkit::MeetingFixture;
using hostkit::Variant;

framework::Model* Users() { return framework::module::GetAppModuleModel(id::kUserModel); }

TEST(MeetingFixture, InstallsAConsistentMeeting) {
  MeetingFixture meeting;
  meeting.Install();
  EXPECT_TRUE(inmeeting::IsInMeeting());
  EXPECT_FALSE(inmeeting::IsJoiningMeeting());
  EXPECT_EQ(inmeeting::GetCurrentMeetingType(), 0);
  EXPECT_TRUE(inmeeting::IsCurrentMeeting("100200300"));
  EXPECT_EQ(member::GetUserCount(), 5);
  EXPECT_EQ(member::GetSelfUserID(), "u-self");
  EXPECT_EQ(inmeeting::GetUserListCountInMeeting(), 5u);
  EXPECT_TRUE(inmeeting::GetStreamCountInfo().IsEmpty());
  EXPECT_EQ(inmeeting::GetMainWindowLayoutType(), 1);
  EXPECT_TRUE(inmeeting::IsBigViewSelf(velto::InMeetingWindow::kMainWindow));
  EXPECT_FALSE(inmeeting::IsMultipleDevicesJoinedInMeeting());
  EXPECT_EQ(inmeeting::GetAllWindowInfoList().size(), 1u);
  EXPECT_TRUE(inmeeting::IsCameraAccessible("check"));
  EXPECT_EQ(meeting.user_ids(), (std::vector<std::string>{"u-self", "u-1", "u-2", "u-3", "u-4"}));
  EXPECT_FALSE(hostkit::HasLog(1, ""));  // nothing failed on the way
}

TEST(MeetingFixture, UsersComeChangeAndGoWithEvents) {
  MeetingFixture meeting;
  meeting.Install();
  std::vector<std::string> heard;
  auto listen = [&heard](const char* what) {
    return [&heard, what](const Variant* payload) {
      ASSERT_NE(payload, nullptr);
      for (const Variant& index : payload->Elements()) {
        // Listeners read the records while the event is delivered, as the user sets do.
        const Variant& record = member::GetUserInfo(Users(), index.AsInteger());
        heard.push_back(std::string(what) + ":" + record.GetString("user_id"));
      }
    };
  };
  meeting.users().Subscribe(MeetingFixture::kUsersAdded, 1, listen("add"));
  meeting.users().Subscribe(MeetingFixture::kUsersUpdated, 1, listen("update"));
  meeting.users().Subscribe(MeetingFixture::kUsersRemoved, 1, listen("remove"));

  const int64_t index = meeting.AddUser(MeetingFixture::MakeUser("u-9", "Zoe"));
  EXPECT_EQ(meeting.IndexOf("u-9"), index);
  EXPECT_EQ(member::GetUserIndex("u-9"), Variant(index));
  EXPECT_EQ(meeting.AddUser(MeetingFixture::MakeUser("u-9", "Again")), -1);  // taken: no event

  EXPECT_TRUE(meeting.UpdateUser("u-9", Json(R"({"video": true, "nickname": "Zoe B."})")));
  const Variant* record = meeting.FindUser("u-9");
  ASSERT_NE(record, nullptr);
  EXPECT_TRUE(record->GetBoolean("video_on"));  // kept in step with "video"
  EXPECT_EQ(record->GetString("nickname"), "Zoe B.");
  EXPECT_EQ(velto::video_stream::GetStreamType("video-u-9"), velto::video_stream::kStreamTypeVideo);
  EXPECT_EQ(inmeeting::GetStreamCountInfo().down_video_stream_count, 1);
  EXPECT_EQ(&member::GetUserInfo(Users(), "u-9"), record);  // command 4 points at the stored record

  EXPECT_TRUE(meeting.RemoveUser("u-9"));
  EXPECT_FALSE(meeting.RemoveUser("u-9"));
  EXPECT_FALSE(meeting.RemoveUser(MeetingFixture::kSelfUserId));
  EXPECT_EQ(heard, (std::vector<std::string>{"add:u-9", "update:u-9", "remove:u-9"}));
  EXPECT_EQ(meeting.FindUser("u-9"), nullptr);
  EXPECT_TRUE(member::GetUserInfo(Users(), index).IsNull());
  EXPECT_TRUE(member::GetUserIndex("u-9").IsNull());
  EXPECT_EQ(velto::video_stream::GetStreamType("video-u-9"), velto::video_stream::kStreamTypeUnknown);
  EXPECT_TRUE(inmeeting::GetStreamCountInfo().IsEmpty());
}

TEST(MeetingFixture, ResetKeepsTheLocalUser) {
  MeetingFixture meeting;
  meeting.Install();
  int resets = 0;
  meeting.users().Subscribe(MeetingFixture::kUsersReset, 1, [&resets](const Variant*) { ++resets; });
  meeting.ResetUsers({MeetingFixture::MakeUser("r-1", "Ron")});
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(meeting.user_ids(), (std::vector<std::string>{"u-self", "r-1"}));
  EXPECT_EQ(member::GetUserCount(), 2);
}

TEST(MeetingFixture, InvisibleUsersAreLeftOutOfMaskedCounts) {
  MeetingFixture meeting;
  meeting.Install();
  Variant attendee = MeetingFixture::MakeUser("w-1", "Watcher");
  attendee["user_invisible"] = static_cast<int>(veltosdk::kInMeetingUserInvisibleWebinarAttendee);
  meeting.AddUser(attendee);
  EXPECT_EQ(member::GetUserCount(), 6);
  EXPECT_EQ(member::GetUserCount(veltosdk::kInMeetingUserInvisibleWebinarAttendee), 5);
}

TEST(MeetingFixture, TenThousandUsersStayAddressable) {
  MeetingFixture::Options options;
  options.other_users = 0;
  MeetingFixture meeting(options);
  meeting.Install();
  std::vector<Variant> records;
  for (int i = 0; i < 10000; ++i) records.push_back(MeetingFixture::MakeUser("m-" + std::to_string(i), "M"));
  size_t delivered = 0;
  meeting.users().Subscribe(MeetingFixture::kUsersAdded, 1,
                            [&delivered](const Variant* payload) { delivered += payload->size(); });
  EXPECT_EQ(meeting.AddUsers(std::move(records)).size(), 10000u);
  EXPECT_EQ(delivered, 10000u);
  EXPECT_EQ(member::GetUserCount(), 10001);

  framework::Model* users = Users();
  for (int i = 0; i < 10000; i += 7) {
    const std::string user_id = "m-" + std::to_string(i);
    ASSERT_EQ(member::GetUserInfo(users, user_id).GetString("user_id"), user_id);
  }
  std::vector<std::string> leaving;
  for (int i = 0; i < 10000; i += 2) leaving.push_back("m-" + std::to_string(i));
  EXPECT_EQ(meeting.RemoveUsers(leaving), 5000u);
  EXPECT_EQ(member::GetUserCount(), 5001);
  EXPECT_EQ(inmeeting::GetUserListCountInMeeting(), 5001u);
  EXPECT_TRUE(member::GetUserInfo(users, "m-0").IsNull());
  EXPECT_EQ(member::GetUserInfo(users, "m-9999").GetString("user_id"), "m-9999");
}

TEST(MeetingFixture, SettingsAndItemsReadAndWriteThroughTheSharedReaders) {
  MeetingFixture meeting;
  meeting.Install();
  EXPECT_EQ(velto::model::ReadClientSetting("meeting.setting.language", "zh-cn"), "zh-cn");
  EXPECT_TRUE(velto::model::WriteClientSetting("meeting.setting.language", Variant("en-us")));
  EXPECT_EQ(velto::model::ReadClientSetting("meeting.setting.language", "zh-cn"), "en-us");
  EXPECT_EQ(meeting.ClientSetting("meeting.setting.language"), Variant("en-us"));

  EXPECT_EQ(velto::model::ReadConfigurationItem("inmeeting", "x", int32_t{4}), 4);
  meeting.SetConfigurationItem("inmeeting", "x", 9);
  EXPECT_EQ(velto::model::ReadConfigurationItem("inmeeting", "x", int32_t{4}), 9);
  EXPECT_EQ(velto::model::ReadConfigurationItem("meeting", "x", int32_t{4}), 4);  // groups are apart
  EXPECT_FALSE(hostkit::HasLog(1, ""));
}

TEST(MeetingFixture, LeavingAndSharingShowInTheQueries) {
  MeetingFixture meeting;
  meeting.Install();
  meeting.StartScreenShare("u-2");
  EXPECT_TRUE(inmeeting::IsScreenSharing());
  EXPECT_EQ(meeting.users().CallCount(11), 0u);
  Variant screen_index;
  Users()->Call(11, nullptr, &screen_index);
  EXPECT_EQ(screen_index, Variant(meeting.IndexOf("u-2")));
  meeting.StopScreenShare("u-2");
  EXPECT_FALSE(inmeeting::IsScreenSharing());

  meeting.LeaveMeeting();
  EXPECT_FALSE(inmeeting::IsInMeeting());
  EXPECT_FALSE(inmeeting::IsAudioMode());
  meeting.JoinMeeting();
  EXPECT_TRUE(inmeeting::IsInMeeting());
}

TEST(MeetingFixture, ModelsOutliveTheFixtureObject) {
  {
    MeetingFixture meeting;
    meeting.Install();
  }
  EXPECT_EQ(member::GetUserCount(), 5);
  EXPECT_EQ(member::GetUserInfo(Users(), "u-1").GetString("nickname"), "Alice");
}

}  // namespace
