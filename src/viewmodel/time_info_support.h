// Pieces shared by the in-meeting time label's files: its texts, the models it asks, and the
// time type. Internal to the library.
#pragma once

#include <cstdint>

#include "base/variant/variant.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/viewmodel/inmeeting_time_info_viewmodel.h"

namespace velto::time_info::internal {

using base::variant::Variant;

namespace text {
inline constexpr int32_t kNormalPrefix = 0x5c0a70af;
inline constexpr int32_t kLimitPrefix = 0x48a830d9;
inline constexpr int32_t kHours = static_cast<int32_t>(0x896c55cc);         // {"hours"}
inline constexpr int32_t kMinutes = static_cast<int32_t>(0xd8bd79cc);       // {"minutes"}
inline constexpr int32_t kRemainingBefore = static_cast<int32_t>(0xa99e24fd);
inline constexpr int32_t kRemainingAfter = 0x3483284d;
inline constexpr int32_t kWebinarTips = static_cast<int32_t>(0xea521743);   // {"limit_time_str"}
inline constexpr int32_t kLimitTips = 0x4b754f15;                           // {"limit_grade", "limit_time_str"}
inline constexpr int32_t kCardUsedTips = static_cast<int32_t>(0xc2be28a3);  // {"limit_grade"}
}  // namespace text

// The type the time type model keeps; kTypeNormal when it cannot be read.
int64_t GetCurrentTimeType();
void SetCurrentTimeType(int64_t type);
// The meeting time model's elapsed seconds; 0 when it cannot be read.
uint64_t GetMeetingElapsedSeconds();

}  // namespace velto::time_info::internal
