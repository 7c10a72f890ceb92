#include "module_api/alerts/show_one_person_overtime_alert_manager.h"

#include <utility>

#include "framework/alert_builder.h"
#include "framework/string_formatter.h"
#include "module_api/analytics.h"
#include "module_api/log.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/config_reader.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "utils/alerts/alert_subscription.h"

namespace velto {
namespace {

using base::variant::Variant;

constexpr int32_t kLeaveTextId = 0x5ec5055b;     // with "time_count"
constexpr int32_t kContinueTextId = 0x31810c0d;
constexpr int32_t kCheckBoxTextId = 0x88e9ab71;
constexpr char kContentColor[] = "vl_color_text_secondary";
constexpr char kDurationSetting[] = "one-person-overtime-duration";
constexpr int64_t kDefaultDurationSeconds = 40 * 60;

constexpr char kExploreEvent[] = "meetingpage_endoftimeoutalert_null_null_null_null_explore";
constexpr char kQuitEvent[] = "meetingpage_endoftimeoutalert_null_null_null_quit_click";
constexpr char kContinueEvent[] = "meetingpage_endoftimeoutalert_null_null_null_continue_click";
constexpr char kByButton[] = "1";
constexpr char kByCountdown[] = "2";

std::string CheckText(bool checked) { return checked ? "1" : "0"; }

int64_t OvertimeMinutes() {
  const int64_t seconds = velto::model::ReadClientSetting(kDurationSetting, kDefaultDurationSeconds);
  return seconds > 0 ? seconds / 60 : 0;
}

}  // namespace

ShowOnePersonOvertimeAlertManager::ShowOnePersonOvertimeAlertManager() = default;

ShowOnePersonOvertimeAlertManager::~ShowOnePersonOvertimeAlertManager() {
  kick_out_timer_.reset();
  SetViewDetached();
}

void ShowOnePersonOvertimeAlertManager::SetDelegate(IShowOnePersonOvertimeAlertManagerDelegate* delegate) {
  VELTO_LOG(velto::log::kTrace) << "set delegate -> " << static_cast<const void*>(delegate);
  delegate_ = delegate;
}

void ShowOnePersonOvertimeAlertManager::SetViewModel(framework::StatefulViewModel* view_model) {
  VELTO_LOG(velto::log::kTrace) << "set view_model -> " << static_cast<const void*>(view_model);
  view_model_ = view_model;
}

void ShowOnePersonOvertimeAlertManager::SetViewAttached() {
  if (attached_) return;
  attached_ = true;
  alerts::SubscribeEvent(this, view_model_, velto::model_id::kOvertimeAlertModel,
                         velto::model_event::overtime_alert::kShowAlert,
                         [this](const Variant* value) { OnShowOnePersonTimeDissolveAlert(value); });
  alerts::SubscribeEvent(this, view_model_, velto::model_id::kOvertimeAlertModel,
                         velto::model_event::overtime_alert::kDismissAlert,
                         [this](const Variant* value) { OnDismissOnePersonTimeDissolveAlert(value); });
}

void ShowOnePersonOvertimeAlertManager::SetViewDetached() {
  if (!attached_) return;
  attached_ = false;
  alerts::UnsubscribeEvent(this, velto::model_id::kOvertimeAlertModel, velto::model_event::overtime_alert::kShowAlert);
  alerts::UnsubscribeEvent(this, velto::model_id::kOvertimeAlertModel,
                           velto::model_event::overtime_alert::kDismissAlert);
  // The countdown must not lead anyone out of a meeting whose view is gone.
  StopOnePersonOvertimeKickOutTimer();
}

std::string ShowOnePersonOvertimeAlertManager::LeaveButtonText(int seconds_left) const {
  return view_model_->FormatString(kLeaveTextId).Arg("time_count", seconds_left).Str();
}

void ShowOnePersonOvertimeAlertManager::ShowOnePersonOvertimeAlert(const Variant* info,
                                                                   std::function<void()> on_timeout) {
  VELTO_LOG(velto::log::kTrace) << "ShowOnePersonOvertimeAlert";
  if (!view_model_) {
    VELTO_LOG(velto::log::kFailure) << "view_model_ is null.";
    return;
  }
  if (alert_id_ >= 0 || kick_out_timer_) DisposeOnePersonOvertimeAlert();
  const Variant& values = info && info->IsMap() ? *info : Variant::EmptyVariant();
  const std::string title = values.GetString("alert_title", "");
  const std::string content =
      framework::StringFormatter(values.GetString("alert_content_raw", "")).Arg("time_minutes", OvertimeMinutes()).Str();

  framework::AlertBuilder builder(view_model_);
  builder.SetTitle(title)
      .SetContent(content)
      .SetContentColor(kContentColor)
      .SetTopMost(true)
      .SetPositiveButtonText(LeaveButtonText(kCountdownSeconds))
      .SetNegativeButtonText(view_model_->GetLocalizedString(kContinueTextId))
      .SetCheckBox(view_model_->GetLocalizedString(kCheckBoxTextId), false)
      .SetAutoDismiss(false)
      .SetCallback([this](int64_t, int button, const Variant& data) { OnAlertAnswer(button, data); });
  alert_id_ = builder.Create();
  on_timeout_ = std::move(on_timeout);
  countdown_ticks_ = 0;
  kick_out_timer_ = velto_common::utils::timer::CreateTimer([this] { OnKickOutTick(); });
  kick_out_timer_->Start(kTickMs, /*repeat=*/true);
  velto_common::utils::analytics::LogEvent(kExploreEvent);
  builder.Show();
}

void ShowOnePersonOvertimeAlertManager::OnKickOutTick() {
  ++countdown_ticks_;
  const int left = kCountdownSeconds - countdown_ticks_;
  VELTO_LOG(velto::log::kTrace) << "one_person_kick_out_times:" << countdown_ticks_;
  if (left >= 1) {
    Variant changes;
    changes.Set("positive", LeaveButtonText(left));
    UpdateAlertUI(std::move(changes));
    return;
  }
  // The caller's callback first (it must leave this manager alive), then the countdown ends.
  std::function<void()> on_timeout = std::move(on_timeout_);
  if (on_timeout) on_timeout();
  StopOnePersonOvertimeKickOutTimer();
  if (velto_common::utils::member::GetUserCount(veltosdk::kInMeetingUserInvisibleAll) == 1) {
    velto_common::utils::analytics::LogEventWithProperties(kQuitEvent, {{"operation_type", kByCountdown}});
    LeaveMeeting();
    return;
  }
  VELTO_LOG(velto::log::kTrace) << "Call DisposeAlert view_model_:" << static_cast<const void*>(view_model_);
  if (view_model_ && alert_id_ >= 0) view_model_->DisposeAlert(alert_id_);
  alert_id_ = -1;
}

void ShowOnePersonOvertimeAlertManager::OnAlertAnswer(int button, const Variant& data) {
  StopOnePersonOvertimeKickOutTimer();
  const bool checked = data.GetBoolean("checkbox_state", false);
  // The alert stays open by itself (not auto-dismissed): any answer closes it.
  if (view_model_ && alert_id_ >= 0) view_model_->DisposeAlert(alert_id_);
  alert_id_ = -1;
  if (button == framework::AlertButton::kPositive) {
    velto_common::utils::analytics::LogEventWithProperties(
        kQuitEvent, {{"operation_type", kByButton}, {"check_type_sub", CheckText(checked)}});
    LeaveMeeting();
    return;
  }
  Variant choice;
  choice.Set("enable_overtime", true);
  choice.Set("is_user_selected", true);
  velto::model::Call(velto::model_id::kOvertimeAlertModel, velto::model_command::overtime_alert::kSetOvertimeChoice,
                     &choice, nullptr);
  velto_common::utils::analytics::LogEventWithProperties(kContinueEvent, {{"check_type_sub", CheckText(checked)}});
}

void ShowOnePersonOvertimeAlertManager::UpdateAlertUI(Variant changes) {
  VELTO_LOG(velto::log::kTrace) << "Call UpdateAlertUI delegate_:" << static_cast<const void*>(delegate_);
  if (delegate_) delegate_->OnePersonOvertimeUpdateAlertUI(alert_id_, &changes);
}

void ShowOnePersonOvertimeAlertManager::LeaveMeeting() {
  VELTO_LOG(velto::log::kTrace) << "Call LeaveMeeting delegate_:" << static_cast<const void*>(delegate_);
  if (delegate_) delegate_->OnePersonOvertimeQuitMeeting();
}

void ShowOnePersonOvertimeAlertManager::OnShowOnePersonTimeDissolveAlert(const Variant* value) {
  if (delegate_) delegate_->OnePersonOvertimeNeedShowBottomExitMeetingDialog(false);
  ShowOnePersonOvertimeAlert(value, {});
}

void ShowOnePersonOvertimeAlertManager::OnDismissOnePersonTimeDissolveAlert(const Variant*) {
  DisposeOnePersonOvertimeAlert();
}

void ShowOnePersonOvertimeAlertManager::DisposeOnePersonOvertimeAlert() {
  VELTO_LOG(velto::log::kTrace) << "Call DisposeOnePersonOvertimeAlert,view_model_:"
                                << static_cast<const void*>(view_model_) << ",one_person_overtime_alert_ptr_:"
                                << alert_id_;
  if (view_model_ && alert_id_ >= 0) {
    VELTO_LOG(velto::log::kTrace) << "Call DisposeAlert view_model_:" << static_cast<const void*>(view_model_);
    view_model_->DisposeAlert(alert_id_);
  }
  alert_id_ = -1;
  StopOnePersonOvertimeKickOutTimer();
}

void ShowOnePersonOvertimeAlertManager::StopOnePersonOvertimeKickOutTimer() {
  VELTO_LOG(velto::log::kTrace) << "Call StopOnePersonOvertimeKickOutTimer one_person_overtime_kick_out_timer_:"
                                << static_cast<const void*>(kick_out_timer_.get());
  // Safe inside the timer's own callback: a running callback keeps its timer alive.
  kick_out_timer_.reset();
}

}  // namespace velto
