// The stages of the camera open trace. Not installed.
#pragma once

#include <cstdint>
#include <string>

#include "utils/media_trace/media_trace.h"
#include "veltosdk/utils/meeting_service.h"

namespace velto_common::utils::media_trace {

extern const TraceProfile kVideoTrace;

class StateMachineCheckCameraAccessState : public ModelEventStage {
 public:
  StateMachineCheckCameraAccessState();
  void OnEventVideoCameraAccessResult(const Variant* payload);

 protected:
  void OnEvent(const Variant* payload) override { OnEventVideoCameraAccessResult(payload); }
};

// A stage that listens on the video controller while it works.
class VideoCtrlStage : public CallbackStage, public veltosdk::IMeetingVideoCtrlDelegate {
 public:
  VideoCtrlStage(int id, std::string name) : CallbackStage(id, std::move(name), kVideoTrace) {}
  void OnInit() override;
  void OnCleanUp(bool is_cancel) override;
};

class StateMachineVideoXmppSendedState : public VideoCtrlStage {
 public:
  StateMachineVideoXmppSendedState();
  void OnRequsetPushVideo(bool is_request_push, bool is_grant, int32_t open_video_scene) override;
};

class StateMachineVideoXmppReceivedState : public VideoCtrlStage {
 public:
  StateMachineVideoXmppReceivedState();
  void OnInit() override;
  void OnResponsePushVideo(bool is_push_complete) override;
};

class StateMachineVideoZoltHandleState : public VideoCtrlStage {
 public:
  StateMachineVideoZoltHandleState();
  void OnPushVideoComplete(bool enable, int32_t ret_code, const char* ret_msg) override;
};

class StateMachineVideoFileCaseState : public FailCaseStage {
 public:
  StateMachineVideoFileCaseState();
};

}  // namespace velto_common::utils::media_trace
