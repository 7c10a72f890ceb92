// One account in the meeting from several devices: the identify manager's questions to the
// multi-join identify model (10065), the media states of a record or a user index, the
// multi-device value objects, and the answers as devices join and leave in any order.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "base/scope_singleton.h"
#include "hostkit/hostkit.h"
#include "hostkit/multi_join.h"
#include "module_api/members/multi_device_user_data_manager.h"
#include "module_api/members/multi_join_user_identify_manager.h"

using base::variant::Variant;
using hostkit::Json;
using velto::MultiDeviceLocalDataManager;
using velto::MultiDevicePolymericDataManager;
using velto::MultiDeviceUserDataManager;
using velto::MultiJoinUserIdentifyManager;

namespace {

constexpr int kIdentifyModel = 10065;
constexpr int kUserModel = 508;

MultiJoinUserIdentifyManager& Identify() { return *MultiJoinUserIdentifyManager::SharedInstance(); }

TEST(MultiJoinIdentify, OneInstanceUntilTeardown) {
  MultiJoinUserIdentifyManager* first = MultiJoinUserIdentifyManager::SharedInstance();
  EXPECT_EQ(first, MultiJoinUserIdentifyManager::SharedInstance());
  base::TeardownScopeSingletons();
  EXPECT_NE(MultiJoinUserIdentifyManager::SharedInstance(), nullptr);
}

TEST(MultiJoinIdentify, EachQuestionGoesToItsCommandAndReadsItsKey) {
  auto& model = hostkit::InstallModel(kIdentifyModel);
  model.Answer(389610443, Json(R"({"av_user_id": "av-7"})"))
      .Answer(805069389, Json(R"({"is_multi_join_mode": true})"))
      .Answer(7362693, Json(R"({"user_scene": 12})"))
      .Answer(328112175, Json(R"({"is_same_instance_by_userid": true})"))
      .Answer(207013204, Json(R"({"is_other_instance_open_device": true})"));
  EXPECT_EQ(Identify().GetAVUserIdByUserId("u-1", MultiJoinUserIdentifyManager::kVideoOn), "av-7");
  EXPECT_EQ(model.LastArgument(389610443), Json(R"({"user_id": "u-1", "media_state_type": 3})"));
  EXPECT_TRUE(Identify().IsInMultipleJoinMode("u-1"));
  EXPECT_EQ(model.LastArgument(805069389), Json(R"({"user_id": "u-1"})"));
  EXPECT_EQ(Identify().GetUserSceneByMediaStateType("u-1", MultiJoinUserIdentifyManager::kScreenOn), 12u);
  EXPECT_EQ(model.LastArgument(7362693), Json(R"({"user_id": "u-1", "media_state_type": 7})"));
  EXPECT_TRUE(Identify().IsSameInstanceByUserId("u-1", MultiJoinUserIdentifyManager::kAudioOn,
                                                veltosdk::kInstanceTypeMobile));
  EXPECT_EQ(model.LastArgument(328112175),
            Json(R"({"user_id": "u-1", "media_state_type": 2, "instance_type": 2})"));
  EXPECT_TRUE(Identify().MultiJoinIsOtherInstanceOpenDevice("u-1", MultiJoinUserIdentifyManager::kVideoDevice,
                                                            veltosdk::kInstanceTypeDesktop));
  EXPECT_EQ(model.LastArgument(207013204),
            Json(R"({"user_id": "u-1", "media_state_type": 6, "instance_type": 1})"));
}

TEST(MultiJoinIdentify, NoAnswerGivesTheNeutralValues) {
  using M = MultiJoinUserIdentifyManager;
  EXPECT_EQ(Identify().GetAVUserIdByUserId("u", M::kAudioOn), "");
  EXPECT_FALSE(Identify().IsInMultipleJoinMode("u"));
  EXPECT_TRUE(hostkit::HasLog(1, "model 10065 not found"));
  auto& model = hostkit::InstallModel(kIdentifyModel);
  model.Fail(805069389).Answer(7362693, Json(R"({"user_scene": "not a number"})")).Answer(389610443, Json("[]"));
  EXPECT_FALSE(Identify().IsInMultipleJoinMode("u"));
  EXPECT_TRUE(hostkit::HasLog(1, "call 805069389 of model 10065 failed"));
  EXPECT_EQ(Identify().GetUserSceneByMediaStateType("u", M::kAudioOn), 0u);
  EXPECT_EQ(Identify().GetAVUserIdByUserId("u", M::kAudioOn), "");
  EXPECT_FALSE(Identify().IsSameInstanceByUserId("u", M::kAudioOn, veltosdk::kInstanceTypeWeb));
  EXPECT_FALSE(Identify().MultiJoinIsOtherInstanceOpenDevice("u", M::kAudioOn, veltosdk::kInstanceTypeWeb));
}

TEST(MultiJoinIdentify, MediaStatesOfARecordReadTheUserOrTheDeviceKey) {
  auto& model = hostkit::InstallModel(kIdentifyModel);
  model.Answer(535713918, Json(R"({"user_audio_on": {"enable": true}, "device_audio_on": {"enable": false},
                                   "user_web_share_on": {"enable": true}, "device_screen_on": {"enable": true}})"));
  const Variant record = Json(R"({"user_id": "u-1", "instance_id": 2})");
  using M = MultiJoinUserIdentifyManager;
  EXPECT_TRUE(Identify().GetUserMediaStateByUserInfo(&record, M::kAudioOn, false));
  EXPECT_EQ(model.LastArgument(535713918), record);
  EXPECT_FALSE(Identify().GetDeviceMediaStateByUserInfo(&record, M::kAudioOn, true));
  EXPECT_TRUE(Identify().GetUserMediaStateByUserInfo(&record, M::kWebShareOn, false));
  EXPECT_TRUE(Identify().GetDeviceMediaStateByUserInfo(&record, M::kScreenOn, false));
  // No "user_video_on" in the answer.
  EXPECT_FALSE(Identify().GetUserMediaStateByUserInfo(&record, M::kVideoOn, true));
}

TEST(MultiJoinIdentify, AnUnknownTypeGivesTheDefaultAfterTheAnswer) {
  hostkit::InstallModel(kIdentifyModel).Answer(535713918, Json("{}"));
  const Variant record = Json(R"({"user_id": "u-1"})");
  const auto nine = static_cast<MultiJoinUserIdentifyManager::MediaStateType>(9);
  EXPECT_TRUE(Identify().GetUserMediaStateByUserInfo(&record, nine, true));
  EXPECT_TRUE(hostkit::HasLog(1, "unknown type : 9"));
  EXPECT_FALSE(Identify().GetUserMediaStateByUserInfo(&record, nine, false));
  EXPECT_TRUE(Identify().GetDeviceMediaStateByUserInfo(&record, static_cast<MultiJoinUserIdentifyManager::MediaStateType>(0), true));
  // Without an answer the default does not apply.
  hostkit::FindModel(kIdentifyModel)->Fail(535713918);
  EXPECT_FALSE(Identify().GetUserMediaStateByUserInfo(&record, nine, true));
}

TEST(MultiJoinIdentify, ARecordMustBeAMap) {
  auto& model = hostkit::InstallModel(kIdentifyModel);
  model.Answer(535713918, Json(R"({"user_audio_on": {"enable": true}})"));
  const Variant not_a_map("u-1");
  EXPECT_FALSE(Identify().GetUserMediaStateByUserInfo(&not_a_map, MultiJoinUserIdentifyManager::kAudioOn, true));
  EXPECT_FALSE(Identify().GetDeviceMediaStateByUserInfo(nullptr, MultiJoinUserIdentifyManager::kAudioOn, true));
  EXPECT_EQ(hostkit::CountLogs(1, "use info is null"), 2u);
  EXPECT_EQ(model.CallCount(), 0u);
}

TEST(MultiJoinIdentify, AUserIndexIsLookedUpInTheUserModel) {
  auto& users = hostkit::InstallModel(kUserModel);
  static const Variant kRecord = Json(R"({"user_id": "u-3", "instance_id": 1})");
  users.Handle(4, [](const Variant& index, Variant* out) {
    if (index.AsInteger() != 3) return false;
    *out = Variant::FromPointer(&kRecord);
    return true;
  });
  auto& model = hostkit::InstallModel(kIdentifyModel);
  model.Answer(535713918, Json(R"({"user_video_on": {"enable": true}, "device_video_on": {"enable": false}})"));
  const Variant index(3);
  EXPECT_TRUE(Identify().GetUserMediaStateByIndex(&index, MultiJoinUserIdentifyManager::kVideoOn, false));
  EXPECT_EQ(model.LastArgument(535713918), kRecord);
  EXPECT_FALSE(Identify().GetDeviceMediaStateByIndex(&index, MultiJoinUserIdentifyManager::kVideoOn, true));
  const Variant unknown(4);  // the user model has no record: "use info is null"
  EXPECT_FALSE(Identify().GetUserMediaStateByIndex(&unknown, MultiJoinUserIdentifyManager::kVideoOn, true));
  EXPECT_TRUE(hostkit::HasLog(1, "use info is null"));
}

TEST(MultiJoinIdentify, AnIndexThatIsNotAnIntegerAsksNoModel) {
  auto& users = hostkit::InstallModel(kUserModel);
  auto& model = hostkit::InstallModel(kIdentifyModel);
  const Variant text("3");
  EXPECT_FALSE(Identify().GetUserMediaStateByIndex(&text, MultiJoinUserIdentifyManager::kAudioOn, true));
  EXPECT_FALSE(Identify().GetDeviceMediaStateByIndex(nullptr, MultiJoinUserIdentifyManager::kAudioOn, true));
  EXPECT_EQ(hostkit::CountLogs(1, "use user index when update."), 2u);
  EXPECT_EQ(users.CallCount(), 0u);
  EXPECT_EQ(model.CallCount(), 0u);
  hostkit::RemoveModel(kUserModel);
  const Variant index(3);
  EXPECT_FALSE(Identify().GetUserMediaStateByIndex(&index, MultiJoinUserIdentifyManager::kAudioOn, true));
  EXPECT_EQ(model.CallCount(), 0u);
}

TEST(MultiDeviceData, ThePolymericManagerReadsTheRecordAndTheLocalOneThisDevice) {
  const Variant self = Json(R"({"self": true, "audio": true, "video": false, "screen": true,
      "up_web_share_on": false, "has_video_in_device": true,
      "current_device_media_state": {"audio_on": false, "video_on": true, "share_web_on": true,
                                     "screen_share_on": false, "has_video_in_device": false}})");
  MultiDevicePolymericDataManager all(&self);
  MultiDeviceLocalDataManager here(&self);
  using T = MultiDeviceUserDataManager;
  EXPECT_TRUE(all.GetMediaStateByType(T::kAudioOn));
  EXPECT_FALSE(here.GetMediaStateByType(T::kAudioOn));
  EXPECT_FALSE(all.GetMediaStateByType(T::kVideoOn));
  EXPECT_TRUE(here.GetMediaStateByType(T::kVideoOn));
  // Type 5 is the screen here, while the identify manager's 5 is web sharing.
  EXPECT_TRUE(all.GetMediaStateByType(T::kScreenShare));
  EXPECT_FALSE(here.GetMediaStateByType(T::kScreenShare));
  EXPECT_FALSE(all.GetMediaStateByType(T::kWebShare));
  EXPECT_TRUE(here.GetMediaStateByType(T::kWebShare));
  EXPECT_TRUE(all.GetMediaStateByType(T::kVideoDevice));
  EXPECT_FALSE(here.GetMediaStateByType(T::kVideoDevice));
  EXPECT_FALSE(all.GetMediaStateByType(T::kAudioDevice));
}

TEST(MultiDeviceData, AnotherUsersRecordHasNoLocalState) {
  const Variant other = Json(R"({"self": false, "audio": true,
                                 "current_device_media_state": {"audio_on": true}})");
  MultiDeviceLocalDataManager here(&other);
  EXPECT_TRUE(here.local_device_media_state().IsNull());
  for (int type = 1; type <= 7; ++type) {
    EXPECT_FALSE(here.GetMediaStateByType(static_cast<MultiDeviceUserDataManager::MediaStateType>(type)));
  }
  EXPECT_TRUE(hostkit::HasLog(6, "local_device_media_state_ is empty"));
  MultiDevicePolymericDataManager all(&other);
  EXPECT_TRUE(all.GetMediaStateByType(MultiDeviceUserDataManager::kAudioOn));
}

TEST(MultiDeviceData, EmptyRecordsAndUnknownTypesAnswerFalse) {
  MultiDevicePolymericDataManager none(nullptr);
  EXPECT_FALSE(none.GetMediaStateByType(MultiDeviceUserDataManager::kAudioOn));
  EXPECT_TRUE(hostkit::HasLog(6, "user_info_ is empty"));
  const Variant record = Json(R"({"self": true, "audio": true, "current_device_media_state": {"audio_on": true}})");
  MultiDevicePolymericDataManager all(&record);
  MultiDeviceLocalDataManager here(&record);
  EXPECT_FALSE(all.GetMediaStateByType(static_cast<MultiDeviceUserDataManager::MediaStateType>(8)));
  EXPECT_FALSE(here.GetMediaStateByType(static_cast<MultiDeviceUserDataManager::MediaStateType>(0)));
  EXPECT_EQ(hostkit::CountLogs(6, "unknown type"), 2u);
}

TEST(MultiDeviceData, CopiesCarryBothFields) {
  const Variant record = Json(R"({"self": true, "video": true, "current_device_media_state": {"video_on": false}})");
  MultiDeviceLocalDataManager here(&record);
  MultiDeviceLocalDataManager copy(here);
  MultiDeviceLocalDataManager assigned(nullptr);
  assigned = here;
  EXPECT_EQ(copy.user_info(), record);
  EXPECT_EQ(assigned.local_device_media_state(), Json(R"({"video_on": false})"));
  EXPECT_FALSE(assigned.GetMediaStateByType(MultiDeviceUserDataManager::kVideoOn));
}

// Two accounts, one with three devices, joining and leaving in every order that a seeded shuffle
// gives: after each step the identify manager's answers equal what the devices present say.
TEST(MultiJoinDevices, AnswersFollowTheDevicesPresentWhateverTheOrder) {
  std::vector<Variant> devices = {
      Json(R"({"user_id": "u-1", "instance_id": 1, "instance_type": 1, "av_user_id": "av-1a", "audio": true})"),
      Json(R"({"user_id": "u-1", "instance_id": 2, "instance_type": 2, "av_user_id": "av-1b", "video": true,
               "screen": true})"),
      Json(R"({"user_id": "u-1", "instance_id": 3, "instance_type": 3, "av_user_id": "av-1c", "audio": true,
               "has_video_in_device": true})"),
      Json(R"({"user_id": "u-2", "instance_id": 1, "instance_type": 1, "av_user_id": "av-2", "video": true})"),
  };
  std::mt19937 random(77);
  using M = MultiJoinUserIdentifyManager;
  for (int round = 0; round < 40; ++round) {
    hostkit::MultiJoinIdentifyModel identify;
    std::vector<int> order = {0, 1, 2, 3, 0, 1, 2, 3};  // each joins, then leaves
    std::shuffle(order.begin(), order.end(), random);
    std::vector<bool> present(devices.size(), false);
    for (int i : order) {
      const Variant& device = devices[i];
      if (present[i]) {
        ASSERT_TRUE(identify.Leave(device.GetString("user_id"), device.GetInteger("instance_id")));
      } else {
        identify.Join(device);
      }
      present[i] = !present[i];
      for (const char* user : {"u-1", "u-2"}) {
        size_t count = 0;
        bool audio = false, video = false;
        std::string first_audio;
        for (size_t d = 0; d < devices.size(); ++d) {
          if (!present[d] || devices[d].GetString("user_id") != user) continue;
          ++count;
          audio = audio || devices[d].GetBoolean("audio");
          video = video || devices[d].GetBoolean("video");
        }
        // The first device in joining order with audio on.
        for (const Variant& d : identify.DevicesOf(user)) {
          if (d.GetBoolean("audio")) {
            first_audio = d.GetString("av_user_id");
            break;
          }
        }
        ASSERT_EQ(Identify().IsInMultipleJoinMode(user), count > 1) << user << " round " << round;
        ASSERT_EQ(Identify().GetAVUserIdByUserId(user, M::kAudioOn), first_audio);
        for (size_t d = 0; d < devices.size(); ++d) {
          if (!present[d] || devices[d].GetString("user_id") != user) continue;
          ASSERT_EQ(Identify().GetUserMediaStateByUserInfo(&devices[d], M::kAudioOn, false), audio);
          ASSERT_EQ(Identify().GetUserMediaStateByUserInfo(&devices[d], M::kVideoOn, false), video);
          ASSERT_EQ(Identify().GetDeviceMediaStateByUserInfo(&devices[d], M::kVideoOn, false),
                    devices[d].GetBoolean("video"));
        }
      }
      ASSERT_EQ(Identify().MultiJoinIsOtherInstanceOpenDevice("u-1", M::kAudioOn, veltosdk::kInstanceTypeDesktop),
                present[2]);
      ASSERT_EQ(Identify().IsSameInstanceByUserId("u-1", M::kScreenOn, veltosdk::kInstanceTypeMobile), present[1]);
    }
    EXPECT_TRUE(identify.devices().empty());
  }
}

}  // namespace
