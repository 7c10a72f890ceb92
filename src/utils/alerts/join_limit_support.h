// Pieces of the join limit alert manager that do not depend on its state: its texts, the
// account questions it asks and the display form of a meeting code. Internal to the library.
#pragma once

#include <cstdint>
#include <string>

namespace velto::join_limit::internal {

// Texts of the join limit alerts (resource string ids), by alert.
namespace text {
constexpr int32_t Id(uint32_t id) { return static_cast<int32_t>(id); }
inline constexpr int32_t kQuickRecordTitle = Id(0x603250b0);
inline constexpr int32_t kQuickRecordPositive = Id(0xdc47e441);
inline constexpr int32_t kQuickRecordNegative = Id(0xc4e46e2d);
inline constexpr int32_t kVoicePrintTitle = Id(0x1bd019d5);
inline constexpr int32_t kVoicePrintPositive = Id(0x9d414f75);
inline constexpr int32_t kVoicePrintNegative = Id(0x3c058b95);
inline constexpr int32_t kOwnerInUseTitle = Id(0x73c2189f);
inline constexpr int32_t kOwnerInUseContent = Id(0xdbba6356);
inline constexpr int32_t kOwnerInUsePositive = Id(0xca2a0c15);
inline constexpr int32_t kCancel = Id(0x833b933a);
inline constexpr int32_t kOwnerLimitTitle = Id(0x41b799fc);        // {"member_limit"}
inline constexpr int32_t kOwnerLimitTitleNoCount = Id(0x5940a9a9);
inline constexpr int32_t kOwnerLimitPositive = Id(0x41f23f10);
inline constexpr int32_t kOwnerLimitNegative = Id(0x11db0fcf);
inline constexpr int32_t kMemberInUseTitle = Id(0x70281472);
inline constexpr int32_t kMemberInUseContent = Id(0xaf7a9fe1);     // {"nickname"}
inline constexpr int32_t kKnown = Id(0xfbb7bf59);
inline constexpr int32_t kMemberLimitContent = Id(0x1d4cf025);     // {"nickname", "member_limit"}
inline constexpr int32_t kMemberLimitContentNoCount = Id(0x90e9af55);  // {"nickname"}
inline constexpr int32_t kMemberLimitPositive = Id(0x35108c28);
inline constexpr int32_t kRoomFullMemberTitle = Id(0xcab7d32d);
inline constexpr int32_t kRoomFullMemberContent = Id(0x1315c919);
inline constexpr int32_t kRoomFullOwnerTitle = Id(0x1c8b30f3);
inline constexpr int32_t kRoomFullOwnerContent = Id(0x9206972d);  // {"count"}
inline constexpr int32_t kEnrollGuestTitle = Id(0x24e328f9);
inline constexpr int32_t kEnrollGuestPositive = Id(0x6ed020a7);
inline constexpr int32_t kEnrollGuestNegative = Id(0xc7901b1a);
inline constexpr int32_t kEnrollPositive = Id(0xcf84dff4);
inline constexpr int32_t kPrivateTitle = Id(0x7807c2b9);
inline constexpr int32_t kPrivateContent = Id(0x9e2d32e8);
inline constexpr int32_t kMeetingCodeLabel = Id(0xdec00fa3);
inline constexpr int32_t kSubjectLabel = Id(0x25aef764);
inline constexpr int32_t kNotEnrolledWebinar = Id(0xce48b78a);
inline constexpr int32_t kNotEnrolledMeeting = Id(0xddaa1cb1);
}  // namespace text

// Authorization model: the local user's "app_id" and "app_uid" are exactly these.
bool IsMeetingCreateBySelf(const std::string& creator_appid, const std::string& creator_uid);
// Authorization model: "auth_type" 2.
bool IsGuest();
// Profile model: the account's "account_type" (-1 when unknown), 0 being the free edition.
int64_t GetAccountType();
bool IsFreeVersion();
// Profile model: the account's "member_limit" (0 when unknown).
int64_t GetCurMemberLimit();
// Voice print model: a voice-print recording runs.
bool IsVoicePrintRecording();

// "123456789" as "123 456 789": digits in groups of three; any other code as it is.
std::string FormatMeetingCodeForDisplay(const std::string& code);

}  // namespace velto::join_limit::internal
