// The chat window's permission questions, driven through scripted models.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "hostkit/hostkit.h"
#include "module_api/chat/chat_types.h"
#include "module_api/chat/chat_utils.h"
#include "module_api/in_meeting/meeting_settings_utils.h"
#include "module_api/model_ids.h"
#include "module_api/chat/private_chat_record.h"
#include "module_api/runtime.h"

namespace {

using base::variant::Variant;
using hostkit::Json;
using velto::ChatUtils;
namespace ids = velto::model_id;
namespace privatechatrecord = velto_common::utils::privatechatrecord;

// Reason texts, distinct so that a test sees which rule refused.
constexpr int kChatOffText = 0x62C5DF56;
constexpr int kSelfForbiddenText = 0x32E11271;
constexpr int kPublicOnlyText = 0x3CC5628F;
constexpr int kRestrictedText = 0x40B834D4;
constexpr int kHostOnlyText = 0x76B5ACDD;

// A meeting in which the local user may chat and private chat is free, unless a test changes it.
class ChatTest : public testing::Test {
 protected:
  void SetUp() override {
    hostkit::SetLocalizedString(kChatOffText, "chat is off");
    hostkit::SetLocalizedString(kSelfForbiddenText, "you are silenced");
    hostkit::SetLocalizedString(kPublicOnlyText, "public only");
    hostkit::SetLocalizedString(kRestrictedText, "restricted");
    hostkit::SetLocalizedString(kHostOnlyText, "host only");
    meeting().Fail(95).Answer(11, Variant(0));
    settings().Answer(64, Json(R"({"chat_enable": true})"));
    users().Answer(1, Json(R"({"host": false, "co_host": false, "is_forbid_chat": false})"));
    policy().Answer(2, Variant(0));
  }

  hostkit::ScriptedModel& meeting() { return Model(ids::kMeetingModel); }
  hostkit::ScriptedModel& settings() { return Model(ids::kMeetingSettingsModel); }
  hostkit::ScriptedModel& users() { return Model(ids::kUserModel); }
  hostkit::ScriptedModel& policy() { return Model(ids::kChatPolicyModel); }
  hostkit::ScriptedModel& security() { return Model(ids::kSecurityControlModel); }

  static hostkit::ScriptedModel& Model(int id) {
    hostkit::ScriptedModel* model = hostkit::FindModel(id);
    return model ? *model : hostkit::InstallModel(id);
  }

  // Asks about `receiver`; returns the reason left in the result ("<untouched>" when none).
  static std::string Refusal(const char* receiver, bool* allowed) {
    Variant result = Json(R"({"marker": 1})");
    *allowed = ChatUtils::IsAllowPrivateSendMsgToUser(Json(receiver), &result);
    if (result == Json(R"({"marker": 1})")) return "<untouched>";
    return result.GetString("desc_content", "<no desc_content>");
  }
};

TEST_F(ChatTest, MissingSettingsModelLeavesChatOpenAndUnlocked) {
  hostkit::RemoveModel(ids::kMeetingSettingsModel);
  EXPECT_TRUE(ChatUtils::IsChatEnable());
  EXPECT_FALSE(ChatUtils::IsChatSwitchLock());
  EXPECT_EQ(hostkit::CountLogs(1, "model invalid"), 2u);
}

TEST_F(ChatTest, ChatSwitchesReadTheirKeysWithTheirDefaults) {
  settings().Answer(64, Json(R"({"chat_enable": false})")).Answer(65, Json(R"({"chat_switch_lock": true})"));
  EXPECT_FALSE(ChatUtils::IsChatEnable());
  EXPECT_TRUE(ChatUtils::IsChatSwitchLock());
  EXPECT_TRUE(settings().LastArgument(64).IsNull());

  // A failed call or a value of the wrong kind reads the default.
  settings().Fail(64).Fail(65);
  EXPECT_TRUE(ChatUtils::IsChatEnable());
  EXPECT_FALSE(ChatUtils::IsChatSwitchLock());
  settings().Answer(64, Json(R"({"chat_enable": 0})")).Answer(65, Json(R"({"chat_switch_lock": "yes"})"));
  EXPECT_TRUE(ChatUtils::IsChatEnable());
  EXPECT_FALSE(ChatUtils::IsChatSwitchLock());
}

TEST_F(ChatTest, SelfRolesComeFromSelfInfo) {
  EXPECT_FALSE(ChatUtils::IsSelfHost());
  EXPECT_FALSE(ChatUtils::IsSelfCoHost());
  users().Answer(1, Json(R"({"host": true, "co_host": false})"));
  EXPECT_TRUE(ChatUtils::IsSelfHost());
  EXPECT_FALSE(ChatUtils::IsSelfCoHost());
  users().Answer(1, Json(R"({"host": false, "co_host": true})"));
  EXPECT_FALSE(ChatUtils::IsSelfHost());
  EXPECT_TRUE(ChatUtils::IsSelfCoHost());
  hostkit::RemoveModel(ids::kUserModel);
  EXPECT_FALSE(ChatUtils::IsSelfHost());
  EXPECT_FALSE(ChatUtils::IsSelfCoHost());
}

TEST_F(ChatTest, WaitingRoomIsTheIntegerOne) {
  for (const char* answer : {"0", "2", "-1", "\"1\"", "true", "{\"state\": 1}"}) {
    meeting().Answer(11, Json(answer));
    EXPECT_FALSE(ChatUtils::IsWaitingRoom()) << answer;
    EXPECT_FALSE(velto_common::utils::IsWaitingRoom()) << answer;
  }
  meeting().Answer(11, Variant(1));
  EXPECT_TRUE(ChatUtils::IsWaitingRoom());
  EXPECT_TRUE(velto_common::utils::IsWaitingRoom());
  meeting().Fail(11);
  EXPECT_FALSE(ChatUtils::IsWaitingRoom());
}

TEST_F(ChatTest, WaitingRoomPolicyAndAllowChatPolicy) {
  settings().Answer(1, Json(R"({"allow_chat_host_policy": 5, "is_allow_renaming": true})"));
  EXPECT_EQ(ChatUtils::GetWaitingRoomPolicyByMeetingSetttings(), 5u);
  settings().Answer(1, Json(R"({"allow_chat_host_policy": "5"})"));
  EXPECT_EQ(ChatUtils::GetWaitingRoomPolicyByMeetingSetttings(), 0u);
  hostkit::RemoveModel(ids::kMeetingSettingsModel);
  EXPECT_EQ(ChatUtils::GetWaitingRoomPolicyByMeetingSetttings(), 0u);

  policy().Answer(2, Variant(2));
  EXPECT_EQ(velto_common::utils::meetingsettings::GetAllowChatPolicy(), velto::PrivateChatAuthority::kAllowChatHostOnly);
  policy().Answer(2, Json(R"({"policy": 2})"));
  EXPECT_EQ(velto_common::utils::meetingsettings::GetAllowChatPolicy(), 0);
  hostkit::RemoveModel(ids::kChatPolicyModel);
  EXPECT_EQ(velto_common::utils::meetingsettings::GetAllowChatPolicy(), 0);
}

TEST_F(ChatTest, AuthorityUnderSecurityControlComesFromCommandTen) {
  security().Answer(0, Variant(true));
  policy().Answer(10, Json(R"({"disable_chat": true, "from": "security"})"));
  policy().Answer(0, Json(R"({"from": "normal"})"));
  Variant info = Json(R"({"stale": true})");
  ChatUtils::GetIMAuthorityInfo(info);
  EXPECT_EQ(info, Json(R"({"disable_chat": true, "from": "security"})"));
  EXPECT_EQ(security().LastArgument(0), Variant(3));
  EXPECT_EQ(users().CallCount(1), 0u);  // the self info is not needed then
  EXPECT_TRUE(ChatUtils::GetIMDisableChat());
  EXPECT_TRUE(ChatUtils::IsUnderSecurityForbidChat());

  policy().Answer(10, Json(R"({"from": "security"})"));
  EXPECT_FALSE(ChatUtils::GetIMDisableChat());
  EXPECT_FALSE(ChatUtils::IsUnderSecurityForbidChat());
}

TEST_F(ChatTest, AuthorityWithoutSecurityControlFollowsTheSelfForbidFlag) {
  policy().Answer(0, Json(R"({"from": "normal"})")).Answer(1, Json(R"({"from": "forbidden", "disable_chat": true})"));
  policy().Answer(10, Json(R"({"disable_chat": true})"));
  // Only a boolean true counts as "under security control".
  for (const char* answer : {"false", "1", "\"true\"", "{\"on\": true}"}) {
    security().Answer(0, Json(answer));
    Variant info;
    ChatUtils::GetIMAuthorityInfo(info);
    EXPECT_EQ(info.GetString("from"), "normal") << answer;
    EXPECT_FALSE(ChatUtils::IsUnderSecurityForbidChat()) << answer;
  }
  EXPECT_EQ(policy().CallCount(10), 0u);

  users().Answer(1, Json(R"({"is_forbid_chat": true})"));
  Variant info;
  ChatUtils::GetIMAuthorityInfo(info);
  EXPECT_EQ(info.GetString("from"), "forbidden");
  EXPECT_TRUE(ChatUtils::GetIMDisableChat());

  // Nothing to ask: the info is replaced by null, and chat is not reported disabled.
  hostkit::RemoveModel(ids::kSecurityControlModel);
  hostkit::RemoveModel(ids::kChatPolicyModel);
  info = Json(R"({"disable_chat": true})");
  ChatUtils::GetIMAuthorityInfo(info);
  EXPECT_TRUE(info.IsNull());
  EXPECT_FALSE(ChatUtils::GetIMDisableChat());
  EXPECT_FALSE(ChatUtils::IsUnderSecurityForbidChat());
}

TEST_F(ChatTest, SendingToTheWaitingRoomStopsAtTheFirstYes) {
  meeting().Answer(11, Variant(1));
  EXPECT_TRUE(ChatUtils::IsCanSendMsgToWaitingRoom());
  EXPECT_EQ(users().CallCount(1), 0u);

  meeting().Answer(11, Variant(0));
  users().Answer(1, Json(R"({"host": true})"));
  EXPECT_TRUE(ChatUtils::IsCanSendMsgToWaitingRoom());
  EXPECT_EQ(users().CallCount(1), 1u);

  users().Answer(1, Json(R"({"co_host": true})"));
  EXPECT_TRUE(ChatUtils::IsCanSendMsgToWaitingRoom());

  users().Answer(1, Json(R"({})"));
  hostkit::ClearLogs();
  EXPECT_FALSE(ChatUtils::IsCanSendMsgToWaitingRoom());
  EXPECT_TRUE(hostkit::HasLog(1, "not in waitting room and not host, but send msg to waitting room!"));
}

TEST_F(ChatTest, PrivateMessagePolicies) {
  bool allowed = false;
  EXPECT_EQ(Refusal(R"({"app_uid": "u1"})", &allowed), "<untouched>");
  EXPECT_TRUE(allowed);

  policy().Answer(2, Variant(1));
  EXPECT_EQ(Refusal(R"({"host": true})", &allowed), "public only");
  EXPECT_FALSE(allowed);

  policy().Answer(2, Variant(3));
  EXPECT_EQ(Refusal(R"({"host": true})", &allowed), "restricted");
  EXPECT_FALSE(allowed);

  policy().Answer(2, Variant(2));
  EXPECT_EQ(Refusal(R"({"host": true})", &allowed), "<untouched>");
  EXPECT_TRUE(allowed);
  EXPECT_EQ(Refusal(R"({"host": false, "co_host": true})", &allowed), "<untouched>");
  EXPECT_TRUE(allowed);
  EXPECT_EQ(Refusal(R"({"host": false})", &allowed), "host only");
  EXPECT_FALSE(allowed);
  EXPECT_EQ(Refusal(R"({"host": "true", "co_host": 1})", &allowed), "host only");
  EXPECT_FALSE(allowed);

  // Policies with wordings of their own still allow private messages.
  for (int value : {4, 5, 6, 7, 8, 9, 10, 11, -1}) {
    policy().Answer(2, Variant(value));
    EXPECT_EQ(Refusal(R"({})", &allowed), "<untouched>") << value;
    EXPECT_TRUE(allowed) << value;
  }
}

TEST_F(ChatTest, PrivateMessageChecksRunInOrder) {
  policy().Answer(2, Variant(1));
  users().Answer(1, Json(R"({"is_forbid_chat": true})"));
  settings().Answer(64, Json(R"({"chat_enable": false})"));
  bool allowed = true;
  EXPECT_EQ(Refusal(R"({"host": true})", &allowed), "chat is off");
  EXPECT_FALSE(allowed);
  EXPECT_EQ(policy().CallCount(2), 0u);

  settings().Answer(64, Json(R"({"chat_enable": true})"));
  EXPECT_EQ(Refusal(R"({"host": true})", &allowed), "you are silenced");
  EXPECT_EQ(policy().CallCount(2), 0u);

  users().Answer(1, Json(R"({"is_forbid_chat": false})"));
  EXPECT_EQ(Refusal(R"({"host": true})", &allowed), "public only");
}

TEST_F(ChatTest, PrivateMessageRejectsWebinarsAndBadArguments) {
  meeting().Succeed(95);
  bool allowed = true;
  EXPECT_EQ(Refusal(R"({"host": true})", &allowed), "<untouched>");
  EXPECT_FALSE(allowed);
  EXPECT_TRUE(hostkit::HasLog(1, "not support webinar check"));
  EXPECT_EQ(settings().CallCount(64), 0u);

  meeting().Fail(95);
  EXPECT_FALSE(ChatUtils::IsAllowPrivateSendMsgToUser(Json(R"({})"), nullptr));
  EXPECT_TRUE(hostkit::HasLog(3, "result is error"));

  for (const char* receiver : {"null", "[1]", "\"u1\"", "7"}) {
    Variant result;
    EXPECT_FALSE(ChatUtils::IsAllowPrivateSendMsgToUser(Json(receiver), &result)) << receiver;
    EXPECT_TRUE(result.IsNull()) << receiver;
  }
  EXPECT_EQ(hostkit::CountLogs(3, "reciver is error"), 4u);
  EXPECT_EQ(settings().CallCount(64), 0u);
}

TEST_F(ChatTest, PrivateMessageWithoutModelsAllowsWhenNothingForbids) {
  // No meeting, settings, user or policy model: not a webinar, chat open, not silenced, policy 0.
  for (int id : {ids::kMeetingModel, ids::kMeetingSettingsModel, ids::kUserModel, ids::kChatPolicyModel}) {
    hostkit::RemoveModel(id);
  }
  bool allowed = false;
  EXPECT_EQ(Refusal(R"({})", &allowed), "<untouched>");
  EXPECT_TRUE(allowed);
}

TEST(ChatReceiverType, FromTheReceiverRecord) {
  using namespace velto::Chat;
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(Json(R"({"status": 0, "app_uid": "x"})")), kChatReceiverMember);
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(Json(R"({"status": 0})")), kChatReceiverEveryone);
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(Json(R"({"status": 0, "app_uid": ""})")), kChatReceiverEveryone);
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(Json(R"({"status": 0, "app_uid": 42})")), kChatReceiverEveryone);
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(Json(R"({})")), kChatReceiverUnknown);
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(Json(R"({"app_uid": "x"})")), kChatReceiverUnknown);
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(Json(R"([{"status": 1}])")), kChatReceiverUnknown);
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(Variant()), kChatReceiverUnknown);
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(Json(R"({"status": 6, "app_uid": "x"})")),
            kChatReceiverWaitingRoomMember);
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(Json(R"({"status": 3})")), kChatReceiverWaitingRoom);
  EXPECT_EQ(static_cast<int>(privatechatrecord::GetChatReceiverType(Json(R"({"status": 4})"))), 4);
  // A status that no receiver type can hold is malformed, not silently cut to another type.
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(Json(R"({"status": 4294967296})")), kChatReceiverUnknown);
  EXPECT_TRUE(hostkit::HasLog(3, "receiver status out of range"));
}

TEST(ChatReceiverType, OfTheStoredPrivateChatReceiver) {
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(), velto::Chat::kChatReceiverUnknown);  // no model
  auto& record = hostkit::InstallModel(ids::kPrivateChatRecordModel);
  record.Answer(1, Json(R"({"status": 0, "app_uid": "u7", "nick_name": "Li"})"));
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(), velto::Chat::kChatReceiverMember);
  EXPECT_EQ(privatechatrecord::GetPrivateChatUserInfo().GetString("app_uid"), "u7");
  record.Fail(1);
  EXPECT_EQ(privatechatrecord::GetChatReceiverType(), velto::Chat::kChatReceiverUnknown);
  EXPECT_TRUE(privatechatrecord::GetPrivateChatUserInfo().IsNull());
}

TEST_F(ChatTest, ChatConditions) {
  const Variant waiting_room = Json(R"({"status": 3})");
  const Variant waiting_user = Json(R"({"status": 6})");
  const Variant everyone = Json(R"({"status": 0})");
  const Variant member = Json(R"({"status": 0, "app_uid": "u1"})");
  const Variant malformed = Json(R"({})");
  EXPECT_EQ(ChatUtils::GetChatCondition(false, &waiting_room), "2");
  EXPECT_EQ(ChatUtils::GetChatCondition(false, &waiting_user), "2");
  EXPECT_EQ(ChatUtils::GetChatCondition(false, &everyone), "0");
  EXPECT_EQ(ChatUtils::GetChatCondition(false, &member), "1");
  EXPECT_EQ(ChatUtils::GetChatCondition(false, &malformed), "1");
  EXPECT_EQ(ChatUtils::GetChatCondition(false, nullptr), "1");
  EXPECT_EQ(meeting().CallCount(11), 0u);

  // In the waiting-room context only the local user's waiting state counts.
  EXPECT_EQ(ChatUtils::GetChatCondition(true, &everyone), "1");
  meeting().Answer(11, Variant(1));
  EXPECT_EQ(ChatUtils::GetChatCondition(true, &everyone), "2");
  EXPECT_EQ(ChatUtils::GetChatCondition(true, nullptr), "2");
  hostkit::RemoveModel(ids::kMeetingModel);
  EXPECT_EQ(ChatUtils::GetChatCondition(true, &waiting_room), "1");
}

TEST(ChatWording, RefusedPrivateChatWordings) {
  const std::pair<int, uint32_t> expected[] = {{1, 0x3CC5628F}, {2, 0x9FB63A1D}, {3, 0x40B834D4},
                                               {5, 0x3CC5628F}, {6, 0x9FB63A1D}, {7, 0x40B834D4},
                                               {8, 0x40B834D4}, {9, 0x40B834D4}, {10, 0x40B834D4}};
  for (const auto& [policy, text] : expected) {
    int id = 0;
    EXPECT_TRUE(privatechatrecord::GetNotAllowedPrivateChatWordingID(
        static_cast<velto::PrivateChatAuthority::AllowChatPolicy>(policy), id))
        << policy;
    EXPECT_EQ(id, static_cast<int>(text)) << policy;
  }
  for (int policy : {0, 4, 11, -1, 1000}) {
    int id = 12345;
    EXPECT_FALSE(privatechatrecord::GetNotAllowedPrivateChatWordingID(
        static_cast<velto::PrivateChatAuthority::AllowChatPolicy>(policy), id))
        << policy;
    EXPECT_EQ(id, 12345) << policy;
  }
}

TEST(ChatWording, ShippedTextsExistInBothLanguages) {
  for (const char* language : {"zh-cn", "en-us"}) {
    hostkit::SetLanguage(language);
    for (uint32_t id : {0x62C5DF56u, 0x32E11271u, 0x3CC5628Fu, 0x9FB63A1Du, 0x40B834D4u, 0x76B5ACDDu}) {
      EXPECT_FALSE(velto_common::utils::GetLocalizedString(static_cast<int>(id)).empty()) << language << " " << id;
    }
  }
}

class WritePermissionTest : public testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> serial{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("velto_chat_perm_" + std::to_string(::getpid()) + "_" + std::to_string(serial++) + "_" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code error;
    std::filesystem::remove_all(dir_, error);
  }
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) names.insert(entry.path().filename());
    return names;
  }
  std::filesystem::path dir_;
};

TEST_F(WritePermissionTest, WritableDirectoryKeepsNoProbeAndNoUserFileIsTouched) {
  std::ofstream(dir_ / "notes.txt") << "mine";
  std::ofstream(dir_ / ".hidden") << "also mine";
  const std::set<std::string> before = Entries();

  EXPECT_TRUE(ChatUtils::HasRightPermission(dir_.string()));
  EXPECT_TRUE(ChatUtils::HasRightPermission(dir_.string() + "/"));
  EXPECT_EQ(Entries(), before);
  std::ifstream notes(dir_ / "notes.txt");
  std::string content;
  notes >> content;
  EXPECT_EQ(content, "mine");

  // The probe path is logged masked: the private directory name does not appear.
  ASSERT_TRUE(hostkit::HasLog(6, "check create temp file:"));
  EXPECT_FALSE(hostkit::HasLog(6, dir_.filename().string()));
  EXPECT_FALSE(hostkit::HasLog(3, "user using no permission path:"));
}

TEST_F(WritePermissionTest, UnusableDirectoriesAreRefusedWithTheirPath) {
  const std::string missing = (dir_ / "missing").string();
  EXPECT_FALSE(ChatUtils::HasRightPermission(missing));
  EXPECT_TRUE(hostkit::HasLog(3, "user using no permission path:" + missing));

  // A file where a directory is expected fails even for a privileged user.
  std::ofstream(dir_ / "plain") << "x";
  EXPECT_FALSE(ChatUtils::HasRightPermission((dir_ / "plain").string()));
  EXPECT_EQ(Entries(), std::set<std::string>{"plain"});
}

}  // namespace
