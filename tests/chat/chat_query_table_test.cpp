// The chat family's exported questions: the waiting room, the private-chat policy and the stored
// private-chat receiver. Answers are read as plain integers or flat maps, so an answer of another
// kind reads as 0 or the key's default, with no record of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module_api/chat/chat_utils.h"
#include "module_api/chat/private_chat_record.h"
#include "module_api/in_meeting/meeting_settings_utils.h"
#include "module_api/model_ids.h"
#include "query_table.h"

namespace {

namespace meetingsettings = velto_common::utils::meetingsettings;
namespace privatechatrecord = velto_common::utils::privatechatrecord;
namespace id = velto::model_id;
using hostkit::Json;
using namespace query_table;

constexpr int kWaitingRoomState = 11;
constexpr int kAllowChatPolicy = 2;
constexpr int kPrivateChatUserInfo = 1;

Source Plain(int model_id, int command, Variant good) {
  return Answered(model_id, command, std::move(good), Variant("wrong kind"), false);
}

std::vector<Row> ChatRows() {
  return {
      {"IsWaitingRoom", Plain(id::kMeetingModel, kWaitingRoomState, 1),
       [] { return Text(velto_common::utils::IsWaitingRoom()); }, "true", "false"},
      {"meetingsettings::GetAllowChatPolicy", Plain(id::kChatPolicyModel, kAllowChatPolicy, 2),
       [] { return Text(static_cast<int>(meetingsettings::GetAllowChatPolicy())); }, "2", "0"},
      {"meetingsettings::IsMultiDeviceJoinWillBeDisabledByLinkageSwitch",
       Plain(id::kMeetingSettingsModel, 1, Json(R"({"multi_device_join_linkage_disabled": true})")),
       [] { return Text(meetingsettings::IsMultiDeviceJoinWillBeDisabledByLinkageSwitch()); }, "true", "false"},
      {"privatechatrecord::GetPrivateChatUserInfo",
       Plain(id::kPrivateChatRecordModel, kPrivateChatUserInfo, Json(R"({"status": 0, "app_uid": "x"})")),
       [] { return Text(privatechatrecord::GetPrivateChatUserInfo().GetString("app_uid")); }, "x", ""},
      // Without a stored receiver the type is the one of a missing receiver.
      {"privatechatrecord::GetChatReceiverType",
       Plain(id::kPrivateChatRecordModel, kPrivateChatUserInfo, Json(R"({"status": 6})")),
       [] { return Text(static_cast<int>(privatechatrecord::GetChatReceiverType())); }, "6", "2"},
      {"privatechatrecord::GetChatReceiverType", None(),
       [] { return Text(static_cast<int>(privatechatrecord::GetChatReceiverType(Json(R"({"status": 0})")))); }, "0",
       ""},
      {"privatechatrecord::GetNotAllowedPrivateChatWordingID", None(),
       [] {
         int id = 0;
         const bool found = privatechatrecord::GetNotAllowedPrivateChatWordingID(
             velto::PrivateChatAuthority::kAllowChatRestricted, id);
         return Text(found) + " " + Text(id);
       },
       "true 1085813972", ""},
  };
}

QUERY_TABLE_TEST(ChatQueryTable, WaitingRoomPolicyAndReceiver, "", ChatRows)

}  // namespace
