// Value types of the join utilities: the client's join stages and the texts of the join
// alerts (resource string ids).
#pragma once

#include <cstdint>

namespace velto::Room {

// The stages the client shows while a join goes on, in order; 0 when unknown.
enum JoinStage : int32_t {
  kJoinStageNone = 0,
  kJoinStageQueryMeeting = 3,
  kJoinStageConnecting = 4,
  kJoinStageEnteringRoom = 5,
  kJoinStageJoined = 6,
};

}  // namespace velto::Room

namespace velto::join_string {

inline constexpr int32_t kMeetingNotStarted = -1448392036;  // 0xA9AB4A9C: query state 1, error 22
inline constexpr int32_t kMeetingEnded = -622485866;        // 0xDAE59E96: query state 3, error 21
inline constexpr int32_t kLimitTitle = 1803101;
inline constexpr int32_t kLimitContent = 1803102;
inline constexpr int32_t kOk = 1803103;
inline constexpr int32_t kCancel = 1803104;
inline constexpr int32_t kPrivacyOverseaTitle = 1803111;
inline constexpr int32_t kPrivacyOverseaContent = 1803112;
inline constexpr int32_t kPrivacyOverseaContinue = 1803113;
inline constexpr int32_t kCrossAccountTitle = 1803121;
inline constexpr int32_t kCrossAccountSwitch = 1803122;
inline constexpr int32_t kInvitedOnlyTitle = 1803131;
inline constexpr int32_t kInvitedOnlyContent = 1803132;
inline constexpr int32_t kInvitedOnlySwitch = 1803133;
inline constexpr int32_t kSwitchAccountSuccess = 1803141;

}  // namespace velto::join_string
