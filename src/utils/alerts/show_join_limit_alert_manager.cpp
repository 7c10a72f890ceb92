// The join request itself: the recording alerts before it, the call to the meeting model, and
// the confirmation and cancellation events after it.
#include "module_api/alerts/show_join_limit_alert_manager.h"

#include <utility>

#include "frame/model_subscription.h"
#include "framework/module/module.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/record/record_utils.h"
#include "utils/alerts/join_limit_support.h"

namespace velto {
namespace {

using namespace join_limit::internal;
namespace cmd = velto::model_command;
namespace event = velto::model_event;

constexpr uint32_t kConfirmPriority = 1;

// What stops a running recording before the join: {"from": "join", "cancel_and_upload": true}.
base::variant::Variant StopRecordingRequest() {
  base::variant::Variant request = base::variant::Variant::Map();
  request["from"] = "join";
  request["cancel_and_upload"] = true;
  return request;
}

}  // namespace

ShowJoinLimitAlertManager::ShowJoinLimitAlertManager() { VELTO_LOG(log::kTrace) << "alloc"; }

ShowJoinLimitAlertManager::~ShowJoinLimitAlertManager() {
  VELTO_LOG(log::kTrace) << "dealloc";
  SetViewDetached();
}

ShowJoinLimitAlertManager::ShowJoinLimitAlertManager(const ShowJoinLimitAlertManager& other)
    : joining_(other.joining_),
      in_using_meeting_(other.in_using_meeting_),
      joining_meeting_(other.joining_meeting_),
      is_out_meeting_(other.is_out_meeting_),
      view_model_(other.view_model_),
      delegate_(other.delegate_),
      record_alert_showing_(other.record_alert_showing_) {}

ShowJoinLimitAlertManager& ShowJoinLimitAlertManager::operator=(const ShowJoinLimitAlertManager& other) {
  if (this == &other) return *this;
  joining_ = other.joining_;
  in_using_meeting_ = other.in_using_meeting_;
  joining_meeting_ = other.joining_meeting_;
  is_out_meeting_ = other.is_out_meeting_;
  view_model_ = other.view_model_;
  delegate_ = other.delegate_;
  record_alert_showing_ = other.record_alert_showing_;
  return *this;  // keeps its own lifetime: its alerts stay its own
}

void ShowJoinLimitAlertManager::JoinNewMeetingDidCancel() {
  if (delegate_) delegate_->JoinNewMeetingDidCancel();
}

bool ShowJoinLimitAlertManager::JoinNewMeetingDidConfirm() {
  return delegate_ ? delegate_->JoinNewMeetingDidConfirm() : false;
}

void ShowJoinLimitAlertManager::CancelDissolveCurrentMeetingAndQuit() {
  if (delegate_) delegate_->CancelDissolveCurrentMeetingAndQuit();
}

std::shared_ptr<const framework::Context> ShowJoinLimitAlertManager::ViewModelContext() {
  return delegate_ ? delegate_->ViewModelContext() : nullptr;
}

void ShowJoinLimitAlertManager::SetDelegate(IShowJoinLimitAlertManangerDelegate* delegate) {
  VELTO_LOG(log::kTrace) << "set delegate -> " << static_cast<const void*>(delegate);
  delegate_ = delegate;
}

void ShowJoinLimitAlertManager::SetViewModel(framework::StatefulViewModel* view_model) {
  VELTO_LOG(log::kTrace) << "set view_model -> " << static_cast<const void*>(view_model);
  view_model_ = view_model;
}

void ShowJoinLimitAlertManager::SetIsOutMeeting(bool is_out_meeting) { is_out_meeting_ = is_out_meeting; }

uint64_t ShowJoinLimitAlertManager::subscriber_token() const {
  return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(this));
}

void ShowJoinLimitAlertManager::SetViewAttached() {
  if (!framework::module::GetModuleService() || !model::RuntimeModel(model_id::kMeetingModel)) {
    VELTO_LOG(log::kNotable) << "meeting model is not available, join events not heard";
    return;
  }
  const int64_t me = model::ObserverId(this);
  model::UnsubscribeModel(view_model_, me, model_id::kMeetingModel);  // attached twice: heard once
  model::SubscribeEvent(view_model_, me, model_id::kMeetingModel, event::meeting::kJoinMeetingCancel,
                        [this](const Variant* v) { OnEventJoinMeetingCancelNotify(v); });
  model::SubscribePriorityEvent(view_model_, me, model_id::kMeetingModel, event::meeting::kJoinMeetingConfirm,
                                kConfirmPriority,
                                [this](const Variant* v, bool& call_next) { OnEventJoinMeetingConfirmNotify(v, call_next); });
}

void ShowJoinLimitAlertManager::SetViewDetached() {
  model::UnsubscribeModel(view_model_, model::ObserverId(this), model_id::kMeetingModel);
}

void ShowJoinLimitAlertManager::CheckAndJoinNewMeeting(uint64_t meeting_id, const std::string& meeting_subject,
                                                       const Variant* join_params) {
  Variant request = Variant::Map();
  request["meeting_id"] = meeting_id;
  request["meeting_subject"] = meeting_subject;
  if (join_params) request["join_params"] = *join_params;
  request["subscriber_token"] = subscriber_token();
  if (view_model_ && velto_common::utils::record::IsQuickRecordRunning()) {
    ShowRecordRunningAlert(RecordKind::kQuickRecord, request);
  } else if (view_model_ && IsVoicePrintRecording()) {
    ShowRecordRunningAlert(RecordKind::kVoicePrint, request);
  } else {
    CheckMeetingStateAndJoinNewMeeting(request);
  }
}

void ShowJoinLimitAlertManager::CheckMeetingStateAndJoinNewMeeting(const Variant& request) {
  joining_ = true;
  if (!model::Call(model_id::kMeetingModel, cmd::meeting::kJoinMeeting, &request, nullptr)) joining_ = false;
}

void ShowJoinLimitAlertManager::ShowRecordRunningAlert(RecordKind kind, const Variant& request) {
  if (record_alert_showing_) {
    VELTO_LOG(log::kNotable) << "record alert is showing, join request dropped";
    return;
  }
  record_alert_showing_ = true;
  const bool quick = kind == RecordKind::kQuickRecord;
  framework::AlertBuilder builder(view_model_);
  builder.SetTitle(view_model_->GetLocalizedString(quick ? text::kQuickRecordTitle : text::kVoicePrintTitle))
      .SetPositiveButtonText(view_model_->GetLocalizedString(quick ? text::kQuickRecordPositive : text::kVoicePrintPositive))
      .SetNegativeButtonText(view_model_->GetLocalizedString(quick ? text::kQuickRecordNegative : text::kVoicePrintNegative));
  ShowAlert(builder, [this, quick, request](int button) {
    record_alert_showing_ = false;
    VELTO_LOG(log::kTrace) << (quick ? "quick record is running, alert result" : "voice print record is running, alert result")
                           << button;
    if (button != framework::AlertButton::kPositive) {
      JoinNewMeetingDidCancel();
      return;
    }
    const int model = quick ? model_id::kRecordModel : model_id::kVoicePrintModel;
    const int stop = quick ? cmd::record::kStopQuickRecord : cmd::voice_print::kStopVoicePrintRecording;
    if (framework::module::GetAppModuleModel(model)) {
      const Variant stop_request = StopRecordingRequest();
      model::Call(model, stop, &stop_request, nullptr);
    } else {
      VELTO_LOG(log::kNotable) << "model " << model << " is absent, the recording is not stopped";
    }
    CheckMeetingStateAndJoinNewMeeting(request);
  });
}

void ShowJoinLimitAlertManager::OnEventJoinMeetingConfirmNotify(const Variant* value, bool& call_next) {
  joining_ = false;
  const Variant* token = value && value->IsMap() ? value->Find("subscriber_token") : nullptr;
  if (token && token->IsInteger() && token->AsUint64() == subscriber_token()) {
    const bool ret = JoinNewMeetingDidConfirm();
    call_next = !ret;
    VELTO_LOG(log::kTrace) << "confirm ret -> " << ret;
    return;
  }
  VELTO_LOG(log::kTrace) << "confirm call_next is true ";
}

void ShowJoinLimitAlertManager::OnEventJoinMeetingCancelNotify(const Variant* /*value*/) {
  VELTO_LOG(log::kTrace) << "cancel";
  joining_ = false;
  JoinNewMeetingDidCancel();
}

int64_t ShowJoinLimitAlertManager::ShowAlert(framework::AlertBuilder& builder, AlertAnswer answer) {
  std::weak_ptr<const bool> alive = life_;
  builder.SetCallback([alive, answer = std::move(answer)](int64_t, int button, const Variant&) {
    if (alive.expired()) return;  // the manager went away with its join screen
    answer(button);
  });
  return builder.Show();
}

}  // namespace velto
