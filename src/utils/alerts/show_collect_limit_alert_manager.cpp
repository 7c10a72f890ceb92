#include "module_api/alerts/show_collect_limit_alert_manager.h"

#include <cstdlib>
#include <utility>

#include "module_api/alerts/show_join_limit_alert_manager.h"
#include "module_api/join/meeting_password.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "module_api/runtime.h"
#include "utils/alerts/alert_subscription.h"
#include "veltosdk/utils/network_detect_service.h"

namespace velto {
namespace {

using base::variant::Variant;
namespace cmd = velto::model_command;
namespace event = velto::model_event;

constexpr int32_t Id(uint32_t id) { return static_cast<int32_t>(id); }
constexpr int32_t kDialogTitle = Id(0xa471b52e);
constexpr int32_t kDialogHint = Id(0x0b1d3ab7);
constexpr int32_t kDialogPositive = Id(0xfbb7bf59);
constexpr int32_t kDialogNegative = Id(0x833b933a);
constexpr int32_t kDialogWrongPassword = Id(0x204ce9f5);
constexpr int32_t kGenericError = Id(0xdf5b367f);
constexpr int kToastMs = 2000;

std::string Text(int32_t id) { return velto_common::utils::GetLocalizedString(id); }

// A "meeting_id" that may come as a number or as its decimal text.
uint64_t MeetingIdOf(const Variant& value) {
  const Variant& id = value.Get("meeting_id");
  if (id.IsString()) return std::strtoull(id.AsStr().c_str(), nullptr, 10);
  return value.GetUint64("meeting_id", 0);
}

// Without a detector the SDK cannot tell: the request goes and fails on its own if it must.
bool NetworkAvailable() {
  veltosdk::INetworkDetectService* detector = veltosdk::utils::service::QueryNetworkDetectService();
  return !detector || detector->IsNetworkAvailable();
}

// The password dialog as the view draws it: while a confirm is under way its confirm button is
// busy and disabled; a dismissed dialog has nothing enabled.
Variant PasswordDialogState(bool visible, bool error, bool loading) {
  Variant state = Variant::Map();
  state["dialog_visible"] = visible;
  state["btn_active"] = loading;
  state["dialog_title"] = Text(kDialogTitle);
  state["dialog_edittext_hint"] = Text(kDialogHint);
  state["dialog_positive_text"] = Text(kDialogPositive);
  state["dialog_negative_text"] = Text(kDialogNegative);
  state["dialog_err_pwd"] = Text(kDialogWrongPassword);
  state["dialog_err_pwd_visible"] = error;
  state["dialog_positive_enable"] = visible && !loading;
  state["dialog_negative_enable"] = visible;
  state["dialog_loading_visible"] = loading;
  state["is_password_error"] = error;
  velto_common::utils::meetingpassword::AddEnPWDConfigToParam(state);
  return state;
}

}  // namespace

// The enrolment alert is the join-limit manager's; this bridge passes the guest's answer on to
// the collect delegate and keeps the collect screen open after the signed-in user's answer.
struct ShowCollectLimitAlertManager::Enrolment : IShowJoinLimitAlertManangerDelegate {
  explicit Enrolment(ShowCollectLimitAlertManager& owner) : owner(owner) { alerts.SetDelegate(this); }

  void ConfirmEnrollAlert() override {
    if (owner.delegate_) owner.delegate_->ConfirmEnrollAlert();
  }
  void CancelEnrollAlert() override {
    if (owner.delegate_) owner.delegate_->CancelEnrollAlert();
  }
  void ShowEnrollLimitToast(const std::string& message) override {
    if (owner.delegate_) owner.delegate_->ShowEnrollLimitToast(message);
  }
  std::shared_ptr<const framework::Context> ViewModelContext() override {
    return owner.view_model_ ? owner.view_model_->context() : nullptr;
  }

  ShowCollectLimitAlertManager& owner;
  ShowJoinLimitAlertManager alerts;
};

ShowCollectLimitAlertManager::ShowCollectLimitAlertManager() : enrolment_(std::make_unique<Enrolment>(*this)) {
  VELTO_LOG(log::kTrace) << "alloc";
}

ShowCollectLimitAlertManager::~ShowCollectLimitAlertManager() {
  VELTO_LOG(log::kTrace) << "dealloc";
  SetViewDetached();
}

void ShowCollectLimitAlertManager::SetDelegate(IShowCollectLimitAlertManangerDelegate* delegate) {
  VELTO_LOG(log::kTrace) << "set delegate -> " << static_cast<const void*>(delegate);
  delegate_ = delegate;
}

void ShowCollectLimitAlertManager::SetViewModel(framework::StatefulViewModel* view_model) {
  VELTO_LOG(log::kTrace) << "set view_model -> " << static_cast<const void*>(view_model);
  view_model_ = view_model;
  enrolment_->alerts.SetViewModel(view_model);
}

void ShowCollectLimitAlertManager::SetViewAttached() {
  if (attached_) return;
  attached_ = true;
  alerts::SubscribeEvent(this, view_model_, model_id::kCollectMeetingModel, event::collect_meeting::kCollectComplete,
                         [this](const Variant* result) { OnEventCollectMeetingItemComplete(result); });
  alerts::SubscribeEvent(this, view_model_, model_id::kScheduleModel, event::schedule::kAddMeetingPush,
                         [this](const Variant* value) { OnAddMeetingPush(value); });
}

void ShowCollectLimitAlertManager::SetViewDetached() {
  if (!attached_) return;
  attached_ = false;
  alerts::UnsubscribeEvent(this, model_id::kCollectMeetingModel, event::collect_meeting::kCollectComplete);
  alerts::UnsubscribeEvent(this, model_id::kScheduleModel, event::schedule::kAddMeetingPush);
}

void ShowCollectLimitAlertManager::CheckAndCollectMeetingForHistoryMeeting(const Variant& history_item) {
  const Variant& basic = history_item.Get("basic_info");
  meeting_type_flags_ = static_cast<uint64_t>(basic.GetInteger("binary_meeting_type", 0));
  collect_meeting_id_ = MeetingIdOf(basic);
  meeting_url_ = basic.GetString("access_url");
  password_.clear();
  customer_data_.clear();
  webinar_token_.clear();
  VELTO_LOG(log::kTrace) << "collect history meeting " << collect_meeting_id_ << ", type " << meeting_type_flags_;
  DoCollectMeeting();
}

void ShowCollectLimitAlertManager::CheckAndCollectMeetingForMeetingCard(const Variant& card) {
  meeting_type_flags_ = static_cast<uint64_t>(card.GetInteger("meeting_type_flags", 0));
  collect_meeting_id_ = MeetingIdOf(card);
  meeting_url_ = card.GetString("meeting_url");
  customer_data_ = card.GetString("customer_data");
  webinar_token_ = card.GetString("webinar_token");
  password_.clear();
  VELTO_LOG(log::kTrace) << "collect meeting card " << collect_meeting_id_ << ", type " << meeting_type_flags_;
  DoCollectMeeting();
}

void ShowCollectLimitAlertManager::DoCollectMeeting() {
  if (view_model_) view_model_->ShowLoading();
  Variant request = Variant::Map();
  request["meeting_id"] = collect_meeting_id_;
  request["password"] = password_;
  request["customer_data"] = customer_data_;
  request["webinar_token"] = webinar_token_;
  if (!model::Call(model_id::kCollectMeetingModel, cmd::collect_meeting::kCollectMeeting, &request, nullptr)) {
    VELTO_LOG(log::kFailure) << "call error";
  }
}

void ShowCollectLimitAlertManager::OnEventCollectMeetingItemComplete(const Variant* result) {
  const Variant& answer = result ? *result : Variant::EmptyVariant();
  const uint64_t meeting_id = MeetingIdOf(answer);
  if (meeting_id != collect_meeting_id_) {
    VELTO_LOG(log::kNotable) << "ignore " << meeting_id << ", collecting " << collect_meeting_id_;
    return;
  }
  if (!view_model_ || !delegate_) {
    VELTO_LOG(log::kNotable) << "view model released:" << static_cast<const void*>(view_model_)
                             << ", delegate:" << static_cast<const void*>(delegate_);
    return;
  }
  view_model_->DisposeLoading();
  const int64_t code = answer.GetInteger("ret_code", -1);
  VELTO_LOG(log::kTrace) << "collect meeting " << meeting_id << " ret_code " << code;
  switch (code) {
    case collect_limit::kCollected:
      DismissPasswordDialogForCollect();
      return;
    case collect_limit::kPasswordRequired:
      delegate_->ShouldFillPwdIfNeed();
      // Asked again while the dialog is up: the password sent was wrong.
      ShowPasswordDialogForCollect(/*error=*/PasswordDialogVisible(), /*loading=*/false);
      return;
    case collect_limit::kEnrollRequired:
      delegate_->NeedEnroll();
      ShowNotEnrolledAlert();
      return;
    default:
      break;
  }
  const std::string message = answer.GetString("ret_msg");
  ShowToast(message.empty() ? Text(kGenericError) : message);
  if (PasswordDialogVisible()) {
    ShowPasswordDialogForCollect(/*error=*/false, /*loading=*/false);
    if (code == collect_limit::kErrorClosesPasswordDialog) DismissPasswordDialogForCollect();
  }
}

void ShowCollectLimitAlertManager::OnAddMeetingPush(const Variant* value) {
  if (!value || !value->Has("meeting_id")) {
    VELTO_LOG(log::kRejected) << "invalid params:" << (value ? value->ToJsonStr() : std::string("null"));
    return;
  }
  if (!delegate_) {
    VELTO_LOG(log::kNotable) << "invalid delegate";
    return;
  }
  delegate_->OnMeetingCollected(MeetingIdOf(*value));
}

void ShowCollectLimitAlertManager::ShowNotEnrolledAlert() {
  Variant meeting = Variant::Map();
  meeting["meeting_type_flags"] = meeting_type_flags_;
  ShowJoinLimitAlertManager& alerts = enrolment_->alerts;
  alerts.ShowNotEnrolledAlert(meeting_url_, alerts.GetNotEnrolledErrorMessage(meeting));
}

void ShowCollectLimitAlertManager::ShowPasswordDialogForCollect(bool error, bool loading) {
  Variant state = PasswordDialogState(/*visible=*/true, error, loading);
  VELTO_LOG(log::kTrace) << "show password dialog " << state.ToJsonStr();
  SendState(std::move(state));
}

void ShowCollectLimitAlertManager::DismissPasswordDialogForCollect() {
  SendState(PasswordDialogState(/*visible=*/false, /*error=*/false, /*loading=*/false));
}

void ShowCollectLimitAlertManager::HandlePasswordDidChanged(const Variant* value) {
  SetPasswordForCollect(value);
  HandlePasswordChangedForCollect();
}

void ShowCollectLimitAlertManager::HandlePasswordChangedForCollect() {
  Variant state = password_dialog_state_;
  if (!state.IsMap()) state = Variant::Map();
  state["dialog_visible"] = password_dialog_state_.GetBoolean("dialog_visible", false);
  state["dialog_err_pwd_visible"] = false;
  state["btn_active"] = false;
  state["is_password_error"] = false;
  SendState(std::move(state));
}

void ShowCollectLimitAlertManager::SetPasswordForCollect(const Variant* value) {
  if (value && value->IsMap() && value->Has("password")) password_ = value->GetString("password");
}

void ShowCollectLimitAlertManager::HandleConfirmPasswordDialog(const Variant* value) {
  SetPasswordForCollect(value);
  ShowPasswordDialogForCollect(/*error=*/false, /*loading=*/true);
  if (!NetworkAvailable()) {
    VELTO_LOG(log::kNotable) << "from_password_dialog: no network";
    ShowToast(Text(kGenericError));
    ShowPasswordDialogForCollect(/*error=*/false, /*loading=*/false);
    return;
  }
  Variant request = Variant::Map();
  request["meeting_id"] = collect_meeting_id_;
  request["password"] = password_;
  if (!model::Call(model_id::kCollectMeetingModel, cmd::collect_meeting::kCollectMeeting, &request, nullptr)) {
    VELTO_LOG(log::kFailure) << "call error";
    ShowPasswordDialogForCollect(/*error=*/false, /*loading=*/false);
  }
}

void ShowCollectLimitAlertManager::HandleCancelPasswordDialog(const Variant* /*value*/) {
  DismissPasswordDialogForCollect();
}

void ShowCollectLimitAlertManager::ShowToast(const std::string& text) {
  if (view_model_) view_model_->ShowToast(text, 0, kToastMs);
}

bool ShowCollectLimitAlertManager::PasswordDialogVisible() const {
  return password_dialog_state_.GetBoolean("dialog_visible", false);
}

void ShowCollectLimitAlertManager::SendState(Variant state) {
  password_dialog_state_ = state;
  if (delegate_) delegate_->OnPasswordDialogStateChanged(state);
}

}  // namespace velto
