// The stages of the microphone open trace. Not installed.
#pragma once

#include <cstdint>
#include <string>

#include "utils/media_trace/media_trace.h"
#include "veltosdk/utils/meeting_service.h"

namespace velto_common::utils::media_trace {

extern const TraceProfile kAudioTrace;

class StateMachineCheckMicAccessState : public ModelEventStage {
 public:
  StateMachineCheckMicAccessState();
  void OnEventAudioMicAccessResult(const Variant* payload);

 protected:
  void OnEvent(const Variant* payload) override { OnEventAudioMicAccessResult(payload); }
};

// A stage that listens on the audio controller while it works.
class AudioCtrlStage : public CallbackStage, public veltosdk::IMeetingAudioCtrlDelegate {
 public:
  AudioCtrlStage(int id, std::string name) : CallbackStage(id, std::move(name), kAudioTrace) {}
  void OnInit() override;
  void OnCleanUp(bool is_cancel) override;
};

class StateMachineAudioXmppSendedState : public AudioCtrlStage {
 public:
  StateMachineAudioXmppSendedState();
  void OnRequsetPushAudio(bool is_request_push, bool is_grant, bool is_host_operation) override;
};

class StateMachineAudioXmppReceivedState : public AudioCtrlStage {
 public:
  StateMachineAudioXmppReceivedState();
  void OnInit() override;
  void OnPushAudioResponse(bool is_push_complete) override;
};

class StateMachineAudioZoltHandleState : public AudioCtrlStage {
 public:
  StateMachineAudioZoltHandleState();
  void OnPushAudioComplete(bool enable, int32_t ret_code, const char* ret_msg) override;
};

class StateMachineAudioFileCaseState : public FailCaseStage {
 public:
  StateMachineAudioFileCaseState();
};

}  // namespace velto_common::utils::media_trace
