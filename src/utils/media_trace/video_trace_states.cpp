#include "utils/media_trace/video_trace_states.h"

#include "module_api/log.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::media_trace {

const TraceProfile kVideoTrace = {
    "[video_trace]",
    "video_trance_info_sm",
    {"check_camera_access_state", "video_xmpp_sended_state", "video_xmpp_received_state", "video_zolt_handle_state",
     "video_sm_end_state", "video_fail_case_state"},
    "total_duration_time_video",
    "open_video_from",
    "e#open_video_stream_info",
};

namespace {

veltosdk::IVideoController* VideoController() {
  veltosdk::IMeetingService* meeting = veltosdk::utils::service::GetMeetingService();
  return meeting ? meeting->GetVideoController() : nullptr;
}

}  // namespace

StateMachineCheckCameraAccessState::StateMachineCheckCameraAccessState()
    : ModelEventStage(kCheckAccessState, StateName(kVideoTrace, kCheckAccessState), kVideoTrace,
                      velto::model_id::kVideoModel, velto::model_event::video::kCameraAccessResult) {}

void StateMachineCheckCameraAccessState::OnEventVideoCameraAccessResult(const Variant* payload) {
  const Variant& result = payload ? *payload : Variant::EmptyVariant();
  const bool access = result.GetBoolean("is_camera_access", false);
  const std::string from = result.GetString("from", "");
  VELTO_LOG(velto::log::kTrace) << "[video_trace][CheckCameraAccess] is_camera_access: " << access
                                << ", from: " << from;
  Variant data = Variant::Map();
  data["from"] = from;
  FinishWork(access ? kResultNext : kResultFail, data);
}

void VideoCtrlStage::OnInit() {
  if (veltosdk::IVideoController* controller = VideoController()) {
    controller->AddDelegate(this);
  } else {
    VELTO_LOG(velto::log::kFailure) << "[video_trace] no video controller, " << name() << " waits without it";
  }
}

void VideoCtrlStage::OnCleanUp(bool is_cancel) {
  LogCleanUp(kVideoTrace, *this, is_cancel);
  if (veltosdk::IVideoController* controller = VideoController()) controller->RemoveDelegate(this);
}

StateMachineVideoXmppSendedState::StateMachineVideoXmppSendedState()
    : VideoCtrlStage(kXmppSendedState, StateName(kVideoTrace, kXmppSendedState)) {}

void StateMachineVideoXmppSendedState::OnRequsetPushVideo(bool is_request_push, bool is_grant,
                                                          int32_t open_video_scene) {
  VELTO_LOG(velto::log::kTrace) << "[video_trace][XmppSend] Resquest Push audio, is_request_push : " << is_request_push
                                << " , is_grant: " << is_grant << " , open_video_scene: " << open_video_scene;
  FinishWork(is_request_push ? kResultNext : kResultFail);
}

StateMachineVideoXmppReceivedState::StateMachineVideoXmppReceivedState()
    : VideoCtrlStage(kXmppReceivedState, StateName(kVideoTrace, kXmppReceivedState)) {}

void StateMachineVideoXmppReceivedState::OnInit() {
  VELTO_LOG(velto::log::kTrace) << "[sm]init: " << name();
  VideoCtrlStage::OnInit();
}

void StateMachineVideoXmppReceivedState::OnResponsePushVideo(bool is_push_complete) {
  VELTO_LOG(velto::log::kTrace) << "[video_trace][XmppReceive] received video push, is_push_complete : "
                                << is_push_complete;
  FinishWork(is_push_complete ? kResultNext : kResultFail);
}

StateMachineVideoZoltHandleState::StateMachineVideoZoltHandleState()
    : VideoCtrlStage(kZoltHandleState, StateName(kVideoTrace, kZoltHandleState)) {}

void StateMachineVideoZoltHandleState::OnPushVideoComplete(bool enable, int32_t ret_code, const char* ret_msg) {
  VELTO_LOG(velto::log::kTrace) << "[video_trace][zolthandle] zolthandle, enable : " << enable
                                << ", ret_msg : " << (ret_msg ? ret_msg : "nullptr") << ", ret_code: " << ret_code;
  FinishWork(enable ? kResultNext : kResultFail);
}

StateMachineVideoFileCaseState::StateMachineVideoFileCaseState()
    : FailCaseStage(kFailCaseState, StateName(kVideoTrace, kFailCaseState)) {}

}  // namespace velto_common::utils::media_trace
