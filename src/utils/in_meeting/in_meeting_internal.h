// Pieces shared by the in-meeting query files. Not installed.
#pragma once

#include <functional>
#include <memory>

#include "veltosdk/utils/meeting_service.h"

namespace velto_common::utils::inmeeting::internal {

// The platform meeting service's self information; null without the service or outside a
// meeting.
std::shared_ptr<const veltosdk::MeetingSelfInfo> PlatformSelfInfo();

// Values read once per process (until library teardown).
enum class OnceFlag {
  kInmeetingTabSwitch,
  kCount,
};
bool ReadOnce(OnceFlag flag, const std::function<bool()>& read);

}  // namespace velto_common::utils::inmeeting::internal
