// State of the meeting service stand-in that hostkit scripts. Not installed; not for modules.
#pragma once

#include <memory>
#include <vector>

#include "veltosdk/utils/meeting_service.h"

namespace host_internal::meeting {

struct ServiceState {
  bool available = true;
  std::shared_ptr<const veltosdk::MeetingSelfInfo> self;
  veltosdk::WindowInfoList windows;
  veltosdk::MeetingState state;
  std::vector<bool> batch_operations;
};

ServiceState& State();

}  // namespace host_internal::meeting
