// The window parts both time-label chapters drive: a status-bar time label (its pop-up aligned
// to the right, reporting under the chapter's scene) and an alarm bar that is always in view.
#pragma once

#include <string>
#include <utility>

#include "module_api/viewmodel/inmeeting_time_info_viewmodel.h"
#include "module_api/viewmodel/meeting_alarm_viewmodel.h"

namespace sim {

class StatusBarTime : public velto::InmeetingTimeInfoViewModel {
 public:
  explicit StatusBarTime(std::string report_scene) : report_scene_(std::move(report_scene)) {}

 protected:
  int32_t GetPopupAlign(int32_t, int32_t) override { return 1; }
  std::string GetReportScene() override { return report_scene_; }

 private:
  std::string report_scene_;
};

class AlarmBar : public velto::MeetingAlarmViewModel {
 protected:
  bool IsAlarmAreaVisible() override { return true; }
};

}  // namespace sim
