#include "hostkit/meeting_service.h"

#include <memory>
#include <utility>

#include "base/threading/looper.h"
#include "veltosdk/meeting_service_state.h"

namespace hostkit {

using host_internal::meeting::State;

void SetMeetingServiceAvailable(bool available) { State().available = available; }

void SetSelfInfo(std::optional<veltosdk::MeetingSelfInfo> self) {
  State().self = self ? std::make_shared<const veltosdk::MeetingSelfInfo>(std::move(*self)) : nullptr;
}

void SetMeetingWindows(std::vector<veltosdk::MeetingWindowInfo> windows) {
  State().windows.clear();
  for (auto& window : windows) {
    State().windows.push_back(std::make_shared<const veltosdk::MeetingWindowInfo>(std::move(window)));
  }
}

void SetMeetingState(veltosdk::MeetingState state) { State().state = state; }

const std::vector<bool>& VideoBatchOperations() { return State().batch_operations; }

size_t VideoCtrlDelegateCount() { return State().video_delegates.size(); }

size_t AudioCtrlDelegateCount() { return State().audio_delegates.size(); }

size_t PlayVideoCallback(const MediaPushCallback& callback) {
  const char* message = callback.ret_msg ? callback.ret_msg->c_str() : nullptr;
  return host_internal::meeting::DeliverToVideoDelegates([&](veltosdk::IMeetingVideoCtrlDelegate& delegate) {
    switch (callback.step) {
      case MediaPushCallback::Step::kRequest:
        delegate.OnRequsetPushVideo(callback.ok, callback.is_grant, callback.scene);
        break;
      case MediaPushCallback::Step::kResponse:
        delegate.OnResponsePushVideo(callback.ok);
        break;
      case MediaPushCallback::Step::kComplete:
        delegate.OnPushVideoComplete(callback.ok, callback.ret_code, message);
        break;
    }
  });
}

size_t PlayAudioCallback(const MediaPushCallback& callback) {
  const char* message = callback.ret_msg ? callback.ret_msg->c_str() : nullptr;
  return host_internal::meeting::DeliverToAudioDelegates([&](veltosdk::IMeetingAudioCtrlDelegate& delegate) {
    switch (callback.step) {
      case MediaPushCallback::Step::kRequest:
        delegate.OnRequsetPushAudio(callback.ok, callback.is_grant, callback.scene != 0);
        break;
      case MediaPushCallback::Step::kResponse:
        delegate.OnPushAudioResponse(callback.ok);
        break;
      case MediaPushCallback::Step::kComplete:
        delegate.OnPushAudioComplete(callback.ok, callback.ret_code, message);
        break;
    }
  });
}

void ScheduleVideoCallback(int64_t delay_ms, MediaPushCallback callback) {
  base::threading::LooperThread::MainLooper()->PostDelayedTask(
      [callback = std::move(callback)] { PlayVideoCallback(callback); }, delay_ms, FROM_HERE);
}

void ScheduleAudioCallback(int64_t delay_ms, MediaPushCallback callback) {
  base::threading::LooperThread::MainLooper()->PostDelayedTask(
      [callback = std::move(callback)] { PlayAudioCallback(callback); }, delay_ms, FROM_HERE);
}

}  // namespace hostkit
