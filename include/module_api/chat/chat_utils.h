// The questions the chat window asks before it offers a receiver or sends a message.
//
//   base::variant::Variant result;
//   if (!velto::ChatUtils::IsAllowPrivateSendMsgToUser(receiver, &result)) {
//     ShowTip(result.GetString("desc_content"));  // may be empty: no reason to show
//   }
//   std::string condition = velto::ChatUtils::GetChatCondition(false, &receiver);  // "0", "1", "2"
//
// Every question asks the models afresh and keeps nothing; a model that cannot answer gives the
// neutral answer stated below.
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto {

class VELTO_API ChatUtils {
 public:
  ChatUtils() = delete;

  // True also when the meeting settings model is missing.
  static bool IsChatEnable();
  static bool IsChatSwitchLock();
  static bool IsSelfHost();
  static bool IsSelfCoHost();
  // The local user waits in the waiting room.
  static bool IsWaitingRoom();
  static uint32_t GetWaitingRoomPolicyByMeetingSetttings();
  // Replaces `info` with the chat policy model's authority for the local user: the
  // security-control authority while a security control touches chat, else the authority of a
  // forbidden or of an ordinary chatter. Null when the model cannot answer.
  static void GetIMAuthorityInfo(base::variant::Variant& info);
  static bool GetIMDisableChat();
  static bool IsUnderSecurityForbidChat();
  // The local user waits in the waiting room, or is host or co-host; logs a refusal otherwise.
  static bool IsCanSendMsgToWaitingRoom();
  // Whether the local user may send a private message to `receiver` (a user record). A refusal
  // with a reason to show puts its text in (*result)["desc_content"]; an allowed message, or a
  // refusal without reason, leaves `result` untouched. Never allowed in a webinar.
  static bool IsAllowPrivateSendMsgToUser(const base::variant::Variant& receiver, base::variant::Variant* result);
  // The one-character condition code attached to a message: "2" towards the waiting room, "0"
  // towards everyone, "1" otherwise.
  static std::string GetChatCondition(bool waiting_room_context, const base::variant::Variant* receiver);
  // Whether files can be created in `dir`, tried with a probe file that is removed again.
  static bool HasRightPermission(const std::string& dir);
};

}  // namespace velto

namespace velto_common::utils {

// Same as velto::ChatUtils::IsWaitingRoom.
VELTO_API bool IsWaitingRoom();

}  // namespace velto_common::utils
