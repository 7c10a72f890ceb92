#include "utils/media_trace/audio_trace_states.h"

#include "module_api/log.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::media_trace {

const TraceProfile kAudioTrace = {
    "[audio_trace]",
    "audio_trance_info_sm",
    {"check_mic_access_state", "audio_xmpp_sended_state", "audio_xmpp_received_state", "audio_zolt_handle_state",
     "audio_sm_end_state", "audio_fail_case_state"},
    "total_duration_time",
    "open_audio_from",
    "e#open_audio_stream_info",
};

namespace {

veltosdk::IAudioController* AudioController() {
  veltosdk::IMeetingService* meeting = veltosdk::utils::service::GetMeetingService();
  return meeting ? meeting->GetAudioController() : nullptr;
}

}  // namespace

StateMachineCheckMicAccessState::StateMachineCheckMicAccessState()
    : ModelEventStage(kCheckAccessState, StateName(kAudioTrace, kCheckAccessState), kAudioTrace,
                      velto::model_id::kAudioModel, velto::model_event::audio::kMicAccessResult) {}

void StateMachineCheckMicAccessState::OnEventAudioMicAccessResult(const Variant* payload) {
  const Variant& result = payload ? *payload : Variant::EmptyVariant();
  const bool access = result.GetBoolean("is_mic_access", false);
  const std::string from = result.GetString("from", "");
  VELTO_LOG(velto::log::kTrace) << "[audio_trace][CheckMicAccess] is_mic_access: " << access << ", from: " << from;
  Variant data = Variant::Map();
  data["from"] = from;
  FinishWork(access ? kResultNext : kResultFail, data);
}

void AudioCtrlStage::OnInit() {
  if (veltosdk::IAudioController* controller = AudioController()) {
    controller->AddDelegate(this);
  } else {
    VELTO_LOG(velto::log::kFailure) << "[audio_trace] no audio controller, " << name() << " waits without it";
  }
}

void AudioCtrlStage::OnCleanUp(bool is_cancel) {
  LogCleanUp(kAudioTrace, *this, is_cancel);
  if (veltosdk::IAudioController* controller = AudioController()) controller->RemoveDelegate(this);
}

StateMachineAudioXmppSendedState::StateMachineAudioXmppSendedState()
    : AudioCtrlStage(kXmppSendedState, StateName(kAudioTrace, kXmppSendedState)) {}

void StateMachineAudioXmppSendedState::OnRequsetPushAudio(bool is_request_push, bool is_grant, bool is_host_operation) {
  VELTO_LOG(velto::log::kTrace) << "[audio_trace][XmppSend] Resquest Push audio, is_request_push : " << is_request_push
                                << " , is_grant: " << is_grant << " , is_host_operation: " << is_host_operation;
  FinishWork(is_request_push ? kResultNext : kResultFail);
}

StateMachineAudioXmppReceivedState::StateMachineAudioXmppReceivedState()
    : AudioCtrlStage(kXmppReceivedState, StateName(kAudioTrace, kXmppReceivedState)) {}

void StateMachineAudioXmppReceivedState::OnInit() {
  VELTO_LOG(velto::log::kTrace) << "[sm]init: " << name();
  AudioCtrlStage::OnInit();
}

void StateMachineAudioXmppReceivedState::OnPushAudioResponse(bool is_push_complete) {
  VELTO_LOG(velto::log::kTrace) << "[audio_trace][XmppReceive] received audio push, is_push_complete : "
                                << is_push_complete;
  FinishWork(is_push_complete ? kResultNext : kResultFail);
}

StateMachineAudioZoltHandleState::StateMachineAudioZoltHandleState()
    : AudioCtrlStage(kZoltHandleState, StateName(kAudioTrace, kZoltHandleState)) {}

void StateMachineAudioZoltHandleState::OnPushAudioComplete(bool enable, int32_t ret_code, const char* ret_msg) {
  VELTO_LOG(velto::log::kTrace) << "[audio_trace][zolt handle] zolt handle audio push, enable : " << enable
                                << ", ret_msg : " << (ret_msg ? ret_msg : "nullptr") << ", ret_code: " << ret_code;
  FinishWork(enable ? kResultNext : kResultFail);
}

StateMachineAudioFileCaseState::StateMachineAudioFileCaseState()
    : FailCaseStage(kFailCaseState, StateName(kAudioTrace, kFailCaseState)) {}

}  // namespace velto_common::utils::media_trace
