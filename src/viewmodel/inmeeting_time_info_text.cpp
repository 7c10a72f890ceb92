// The time label's texts: the clock text, the duration words and the limit tip, and the step
// that publishes them every second.
#include <string>

#include "module_api/log.h"
#include "module_api/members/webinar_utils.h"
#include "module_api/model/model_call.h"
#include "util/time/time_util.h"
#include "viewmodel/time_info_support.h"

namespace velto {
namespace {

using namespace time_info;
using namespace time_info::internal;

constexpr uint64_t kSecondsPerMinute = 60;
constexpr uint64_t kSecondsPerHour = 3600;
// A label step slower than this is logged with the time each part took.
constexpr uint64_t kSlowStepMs = 200;

}  // namespace

namespace time_info::internal {

int64_t GetCurrentTimeType() {
  const Variant answer = model::QueryAnswer(model_id::kTimeTypeModel, model_command::time_type::kCurrentTimeType);
  return answer.GetInteger("current_time_type", kTypeNormal);
}

void SetCurrentTimeType(int64_t type) {
  Variant request = Variant::Map();
  request["current_time_type"] = type;
  model::Call(model_id::kTimeTypeModel, model_command::time_type::kSetCurrentTimeType, &request, nullptr);
}

uint64_t GetMeetingElapsedSeconds() {
  return model::QueryValue<uint64_t>(model_id::kMeetingTimeModel, model_command::meeting_time::kElapsedTime,
                                     nullptr, {}, 0);
}

}  // namespace time_info::internal

std::string InmeetingTimeInfoViewModel::ConvertNumToStringTime(uint64_t number) {
  return (number < 10 ? "0" : "") + std::to_string(number);
}

std::string InmeetingTimeInfoViewModel::FormatElapsedTime(uint64_t seconds) {
  std::string text;
  if (seconds < kSecondsPerMinute) {
    text = "00:" + ConvertNumToStringTime(seconds);
  } else if (seconds < kSecondsPerHour) {
    text = ConvertNumToStringTime(seconds / kSecondsPerMinute) + ":" +
           ConvertNumToStringTime(seconds % kSecondsPerMinute);
  } else {
    text = ConvertNumToStringTime(seconds / kSecondsPerHour) + ":" +
           ConvertNumToStringTime(seconds % kSecondsPerHour / kSecondsPerMinute) + ":" +
           ConvertNumToStringTime(seconds % kSecondsPerMinute);
  }
  if (!NeedTimeInfoPrefix()) return text;
  const int32_t label = GetCurrentTimeType() == kTypeLimit ? text::kLimitPrefix : text::kNormalPrefix;
  return GetLocalizedString(label) + " " + text;
}

std::string InmeetingTimeInfoViewModel::TimeToString(uint64_t seconds) {
  if (seconds > kSecondsPerHour && seconds % kSecondsPerHour == 0) {
    return FormatString(text::kHours).Arg("hours", seconds / kSecondsPerHour).Str();
  }
  return FormatString(text::kMinutes).Arg("minutes", seconds / kSecondsPerMinute).Str();
}

std::string InmeetingTimeInfoViewModel::BuildLimitTips() {
  const uint64_t total = limit_end_time_ > limit_start_time_ ? limit_end_time_ - limit_start_time_ : 0;
  const uint64_t remaining = total > limit_elapsed_ ? total - limit_elapsed_ : 0;
  const std::string limit_time_str = GetLocalizedString(text::kRemainingBefore) + TimeToString(remaining) +
                                     GetLocalizedString(text::kRemainingAfter);
  if (velto_common::utils::webinar::IsMeetingWebinar()) {
    return FormatString(text::kWebinarTips).Arg("limit_time_str", limit_time_str).Str();
  }
  if (used_promotion_card_num_ == 0) {
    return FormatString(text::kLimitTips)
        .Arg("limit_grade", meeting_limit_grade_)
        .Arg("limit_time_str", limit_time_str)
        .Str();
  }
  return FormatString(text::kCardUsedTips).Arg("limit_grade", meeting_limit_grade_).Str();
}

void InmeetingTimeInfoViewModel::ProcessTimeInfo(uint64_t seconds) {
  const uint64_t start_ms = util::time::GetTickTimestampMsec();
  const std::string time_text = FormatElapsedTime(seconds);
  const uint64_t formatted_ms = util::time::GetTickTimestampMsec();
  const int64_t type = GetCurrentTimeType();
  const uint64_t typed_ms = util::time::GetTickTimestampMsec();

  std::string tips;
  if (type == kTypeLimit) {
    const uint64_t total = limit_end_time_ > limit_start_time_ ? limit_end_time_ - limit_start_time_ : 0;
    // At or past the limit (a late start or a jump of the clock passes it): nothing left to count.
    if (limit_timer_ && limit_elapsed_ >= total) {
      limit_timer_.reset();
      VELTO_LOG(log::kTrace) << "total_limit_time out, limit_timer_ stop.";
    }
    tips = BuildLimitTips();
  }

  Variant info = Variant::Map();
  info[kFieldVisibility] = elapsed_time_visible_ && !mini_ui_;
  info[kFieldShowArrowIcon] = in_limit_meeting_;
  info[kFieldTimeInfo] = time_text;
  info[kFieldTips] = tips;
  const Variant& current = GetPropValue(kTimeInfoProp);
  info[kFieldSelected] = current.IsMap() && current.Has(kFieldSelected) ? current.Get(kFieldSelected) : Variant(false);
  info[kFieldShowType] = static_cast<uint64_t>(type);
  info[kFieldSettingVisibility] = elapsed_time_visible_;
  const uint64_t picked_ms = util::time::GetTickTimestampMsec();
  SetPropValue(kTimeInfoProp, info);
  const uint64_t end_ms = util::time::GetTickTimestampMsec();

  if (end_ms - start_ms > kSlowStepMs) {
    VELTO_LOG(log::kTrace) << "funtion_start_time:" << start_ms << " format_elapsed_time:" << formatted_ms
                           << " get_current_time_type_time:" << typed_ms << " pick_prop_time" << picked_ms
                           << " set_prop_time:" << end_ms << " function_end_time:" << end_ms;
  }
}

}  // namespace velto
