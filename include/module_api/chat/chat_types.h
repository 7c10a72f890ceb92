// Values that the chat modules and the chat permission questions exchange.
#pragma once

#include <cstdint>

namespace velto::Chat {

// What a chat receiver record addresses; the host fixes further kinds beyond these.
enum ChatReceiverType : int32_t {
  kChatReceiverEveryone = 0,          // the whole meeting
  kChatReceiverMember = 1,            // one member, named by "app_uid"
  kChatReceiverUnknown = 2,           // a missing or malformed receiver record
  kChatReceiverWaitingRoom = 3,       // everyone in the waiting room
  kChatReceiverWaitingRoomMember = 6, // one user in the waiting room
};

}  // namespace velto::Chat

namespace velto::PrivateChatAuthority {

// The meeting's private-chat policy. Only 1 to 3 restrict private messages; every other value
// (including 5 to 10, which have wordings of their own) allows them.
enum AllowChatPolicy : int32_t {
  kAllowChatFree = 0,        // private messages to anyone
  kAllowChatPublicOnly = 1,  // no private messages
  kAllowChatHostOnly = 2,    // private messages to the host and co-hosts only
  kAllowChatRestricted = 3,  // chat restricted by the host, no private messages
};

}  // namespace velto::PrivateChatAuthority
