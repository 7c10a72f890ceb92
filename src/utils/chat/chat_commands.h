// Command ids of the models that the chat questions ask.
#pragma once

namespace velto::chat_cmd {

// Meeting settings model (523).
inline constexpr int kMeetingAllowFlags = 1;
inline constexpr int kChatEnable = 64;
inline constexpr int kChatSwitchLock = 65;
// User model (508).
inline constexpr int kSelfInfo = 1;
// Meeting model (514): 1 while the local user waits in the waiting room.
inline constexpr int kWaitingRoomState = 11;
// Chat policy model (526): the authority of an ordinary and of a forbidden chatter, the private
// chat policy, and the authority under security control.
inline constexpr int kNormalAuthority = 0;
inline constexpr int kForbiddenAuthority = 1;
inline constexpr int kSecurityAuthority = 10;
// Security control model (706): is the meeting under a security control of this item; the
// host's item number for chat is 3.
inline constexpr int kUnderSecurityControl = 0;
inline constexpr int kSecurityItemChat = 3;
// Private chat record model (528).
inline constexpr int kPrivateChatUserInfo = 1;

}  // namespace velto::chat_cmd
