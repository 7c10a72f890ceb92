// hostkit: the platform meeting service (veltosdk::utils::service::GetMeetingService): the local
// user's self information and devices, the meeting's windows, the meeting state and what the
// video controller was told.
//
//   veltosdk::MeetingSelfInfo self;
//   self.valid = true;
//   self.devices = {{"default", 0, true}, {"pad", 3, false}};
//   hostkit::SetSelfInfo(self);
//   EXPECT_TRUE(velto_common::utils::inmeeting::IsMultipleDevicesJoinedInMeeting());
//
// The media controllers' delegates hear the three steps of sending the local camera or
// microphone; a test plays them in any order, now or later on the hand clock:
//
//   hostkit::PlayVideoCallback(hostkit::MediaPushCallback::Request());        // now
//   hostkit::ScheduleVideoCallback(250, hostkit::MediaPushCallback::Response());
//   hostkit::AdvanceClock(250);                                               // played here
//   EXPECT_EQ(hostkit::VideoCtrlDelegateCount(), 1u);
//
// hostkit::Reset() makes the service available with no self information, no windows, the
// meeting mode off, no batch switches recorded and no delegates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "veltosdk/utils/meeting_service.h"

namespace hostkit {

void SetMeetingServiceAvailable(bool available);
// nullopt: GetSelfInfo() answers null.
void SetSelfInfo(std::optional<veltosdk::MeetingSelfInfo> self);
void SetMeetingWindows(std::vector<veltosdk::MeetingWindowInfo> windows);
void SetMeetingState(veltosdk::MeetingState state);
// Every SetBatchOperation argument, in order.
const std::vector<bool>& VideoBatchOperations();

// Delegates registered on the video and the audio controller now.
size_t VideoCtrlDelegateCount();
size_t AudioCtrlDelegateCount();

// One controller callback. For video: kRequest is OnRequsetPushVideo(ok, is_grant, scene),
// kResponse OnResponsePushVideo(ok), kComplete OnPushVideoComplete(ok, ret_code, ret_msg). For
// audio the same steps call OnRequsetPushAudio(ok, is_grant, scene != 0), OnPushAudioResponse
// and OnPushAudioComplete. A ret_msg of nullopt is delivered as a null pointer.
struct MediaPushCallback {
  enum class Step { kRequest, kResponse, kComplete };
  Step step = Step::kRequest;
  bool ok = true;
  bool is_grant = true;
  int32_t scene = 0;
  int32_t ret_code = 0;
  std::optional<std::string> ret_msg = std::string("success");

  static MediaPushCallback Request(bool ok = true) { return {Step::kRequest, ok}; }
  static MediaPushCallback Response(bool ok = true) { return {Step::kResponse, ok}; }
  static MediaPushCallback Complete(bool ok = true, int32_t ret_code = 0,
                                    std::optional<std::string> ret_msg = std::string("success")) {
    return {Step::kComplete, ok, true, 0, ret_code, std::move(ret_msg)};
  }
};

// Delivers to the delegates registered now, in registration order (see IVideoController);
// returns how many heard it.
size_t PlayVideoCallback(const MediaPushCallback& callback);
size_t PlayAudioCallback(const MediaPushCallback& callback);
// Plays the callback from a main-looper task `delay_ms` from now (AdvanceClock reaches it).
void ScheduleVideoCallback(int64_t delay_ms, MediaPushCallback callback);
void ScheduleAudioCallback(int64_t delay_ms, MediaPushCallback callback);

}  // namespace hostkit
