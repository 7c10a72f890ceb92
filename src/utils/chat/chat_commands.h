// Command ids of the models that the chat questions ask.
#pragma once

#include "module_api/model_commands.h"

namespace velto::chat_cmd {

// Meeting settings model (523).
inline constexpr int kMeetingAllowFlags = velto::model_command::meeting_settings::kAllowFlags;
using velto::model_command::meeting_settings::kChatEnable;
using velto::model_command::meeting_settings::kChatSwitchLock;
// User model (508).
using velto::model_command::user::kSelfInfo;
// Meeting model (514): 1 while the local user waits in the waiting room.
inline constexpr int kWaitingRoomState = velto::model_command::meeting::kWaitingRoom;
// Chat policy model (526): the authority of an ordinary and of a forbidden chatter, the private
// chat policy, and the authority under security control.
using velto::model_command::chat_policy::kNormalAuthority;
using velto::model_command::chat_policy::kForbiddenAuthority;
using velto::model_command::chat_policy::kSecurityAuthority;
// Security control model (706): is the meeting under a security control of this item; the
// host's item number for chat is 3.
using velto::model_command::security_control::kUnderSecurityControl;
inline constexpr int kSecurityItemChat = 3;
// Private chat record model (528).
using velto::model_command::private_chat_record::kPrivateChatUserInfo;

}  // namespace velto::chat_cmd
