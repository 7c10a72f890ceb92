// Shared meeting enumerations of the platform SDK.
#pragma once

#include <cstdint>

namespace veltosdk {

// Which users a user-model query leaves out, as a bit mask matched against a record's
// "user_invisible" bits. 0 asks for every user.
enum InMeetingUserInvisible : int32_t {
  kInMeetingUserInvisibleNone = 0,
  kInMeetingUserInvisibleWaitingRoom = 1 << 0,
  kInMeetingUserInvisibleRoomsDevice = 1 << 1,
  kInMeetingUserInvisibleWebinarAttendee = 1 << 2,
  kInMeetingUserInvisibleAll = 0x7fffffff,
};

}  // namespace veltosdk

namespace veltosdk {

// What the platform reports while a join goes on.
struct MeetingJoinResult {
  // The steps of a join, in order.
  enum Step : int32_t {
    kStepQueryMeeting = 0,
    kStepConnect = 1,
    kStepEnterRoom = 2,
    kStepFinish = 3,
  };
};

}  // namespace veltosdk
