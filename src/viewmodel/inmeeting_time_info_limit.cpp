// The time label in a meeting with a time limit: the limit information, the switch to the limit
// type, and the second timer that counts from the limit's start.
#include <string>

#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/model/model_call.h"
#include "util/time/server_time.h"
#include "viewmodel/time_info_support.h"

namespace velto {
namespace {

using namespace time_info;
using namespace time_info::internal;

constexpr int64_t kLimitTickMs = 1000;
constexpr int kServerClock = 1;

bool IsChangeInmeetingTimeTypeEnable() {
  const bool enabled =
      model::ReadConfigurationItem("inmeeting", "enable_change_inmeeting_limit_time_type", false);
  VELTO_LOG(log::kTrace) << "enable_change_inmeeting_time_type Ability : " << enabled;
  return enabled;
}

}  // namespace

void InmeetingTimeInfoViewModel::CheckMeetingLimitInfo(bool force) {
  VELTO_LOG(log::kTrace) << "CheckMeetingLimitInfo - force:" << force;
  Variant request = Variant::Map();
  request["force_refresh"] = force;
  Variant answer;
  if (!model::Call(model_id::kMeetingLimitModel, model_command::meeting_limit::kLimitInfo, &request, &answer)) {
    return;
  }
  OnEventMeetingLimitInfoUpdate(&answer);
}

void InmeetingTimeInfoViewModel::OnEventMeetingLimitInfoUpdate(const Variant* info) {
  if (!IsChangeInmeetingTimeTypeEnable()) return;
  if (!info || !info->IsMap()) {
    VELTO_LOG(log::kRejected) << "params should be a map.";
    return;
  }
  if (!info->Has("limit_end_time")) {
    VELTO_LOG(log::kRejected) << "limit_end_time is required.";
    return;
  }
  limit_end_time_ = info->GetUint64("limit_end_time");
  if (info->Has("limit_start_time")) limit_start_time_ = info->GetUint64("limit_start_time");
  if (info->Has("meeting_limit_grade")) meeting_limit_grade_ = info->GetUint64("meeting_limit_grade");
  if (info->Has("used_promotion_card_num")) used_promotion_card_num_ = info->GetUint32("used_promotion_card_num");

  if (limit_end_time_ == 0) {
    in_limit_meeting_ = false;
    if (GetCurrentTimeType() == kTypeLimit) SetCurrentTimeType(kTypeNormal);
    StopLimitTimer();
    return;
  }
  in_limit_meeting_ = true;
  if (is_first_enter_limit_) {
    VELTO_LOG(log::kTrace) << "is_first_enter_limit auto shift to kTypeLimit";
    SetCurrentTimeType(kTypeLimit);
    is_first_enter_limit_ = false;
    ReportMeetingTimeInfoWithVisibilityCheck();
  }
  if (GetCurrentTimeType() == kTypeLimit) {
    VELTO_LOG(log::kTrace) << "meeting limit_start_time:" << limit_start_time_ << ", limit_end_time:" << limit_end_time_;
    StartLimitTimer();
  }
}

void InmeetingTimeInfoViewModel::StartLimitTimer() {
  if (limit_timer_) {
    VELTO_LOG(log::kTrace) << "limit_timer_ refresh";
    limit_timer_.reset();
  }
  if (limit_start_time_ == 0) {
    VELTO_LOG(log::kFailure) << "limit_start_time_ error";
    return;
  }
  limit_timer_ = velto_common::utils::timer::CreateTimer([this] {
    const int64_t now = util::time::GetServerTimestamp(kServerClock);
    // A server clock behind the limit's start counts as its start.
    limit_elapsed_ = now > 0 && static_cast<uint64_t>(now) > limit_start_time_
                         ? static_cast<uint64_t>(now) - limit_start_time_
                         : 0;
    if (GetCurrentTimeType() == kTypeLimit) ProcessTimeInfo(limit_elapsed_);
  });
  limit_timer_->Start(kLimitTickMs, /*repeat=*/true);
}

void InmeetingTimeInfoViewModel::StopLimitTimer() { limit_timer_.reset(); }

void InmeetingTimeInfoViewModel::OnTimeTypeDidChange(const Variant* /*params*/) {
  ReportMeetingTimeInfo("e#meeting#time_bar#click");
  const int64_t type = GetCurrentTimeType();
  VELTO_LOG(log::kTrace) << "current timt type" << type;
  if (type == kTypeNormal) {
    VELTO_LOG(log::kTrace) << "show change to time kTypeNormal.";
    GetNormalMeetingTimeAndShow();
  } else if (type == kTypeLimit) {
    VELTO_LOG(log::kTrace) << "show change to time kTypeLimit.";
    ProcessTimeInfo(limit_elapsed_);
    CheckMeetingLimitInfo(false);
  }
  ReportMeetingTimeInfoWithVisibilityCheck();
}

}  // namespace velto
