// State of the meeting service stand-in that hostkit scripts. Not installed; not for modules.
#pragma once

#include <functional>
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
  std::vector<veltosdk::IMeetingVideoCtrlDelegate*> video_delegates;  // in registration order
  std::vector<veltosdk::IMeetingAudioCtrlDelegate*> audio_delegates;
};

ServiceState& State();

// Calls `callback` for each delegate registered when the delivery starts and still registered
// when its turn comes; returns how many were called.
size_t DeliverToVideoDelegates(const std::function<void(veltosdk::IMeetingVideoCtrlDelegate&)>& callback);
size_t DeliverToAudioDelegates(const std::function<void(veltosdk::IMeetingAudioCtrlDelegate&)>& callback);

}  // namespace host_internal::meeting
