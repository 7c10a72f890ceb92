// velto::InmeetingTimeInfoViewModel: the time label of the meeting window. It shows the elapsed
// meeting time (type 1) or, in a meeting with a time limit, the time since the limit began with
// a tip on what is left (type 2); a click on it opens the time menu to choose between them. It
// publishes everything as the property kTimeInfoProp.
//
//   class StatusBarTime : public velto::InmeetingTimeInfoViewModel {
//    protected:
//     int32_t GetPopupAlign(int32_t x, int32_t y) override { return x > 800 ? kAlignRight : kAlignLeft; }
//     std::string GetReportScene() override { return "status_bar"; }
//   };
//
// The label hides when the user turned the duration off (meeting settings), while a countdown
// alarm shows (NeedResponseCountdownAlarm), in immersive mode (NeedResponseImmersiveMode) and
// in the mini window. Texts: "00:59", "59:59", "01:00:00", "100:00:00".
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "framework/stateful_viewmodel.h"
#include "module_api/export.h"
#include "module_api/preferences/timer.h"

namespace velto {

namespace time_info {
// The label (a map of the fields below).
inline constexpr int kTimeInfoProp = 747314;
inline constexpr char kFieldVisibility[] = "InmeetingTimeInfoTimeInfoFields_kBooleanVisibility";
inline constexpr char kFieldShowArrowIcon[] = "InmeetingTimeInfoTimeInfoFields_kBooleanShowArrowIcon";
inline constexpr char kFieldTimeInfo[] = "InmeetingTimeInfoTimeInfoFields_kStringTimeInfo";
inline constexpr char kFieldTips[] = "InmeetingTimeInfoTimeInfoFields_kStringTips";
inline constexpr char kFieldSelected[] = "InmeetingTimeInfoTimeInfoFields_kBooleanSelected";
inline constexpr char kFieldShowType[] = "InmeetingTimeInfoTimeInfoFields_kIntegerShowType";
inline constexpr char kFieldSettingVisibility[] = "InmeetingTimeInfoTimeInfoFields_kBooleanSettingVisibility";
// Cleared (written null) once the time menu opens.
inline constexpr int kMenuAnchorProp = 1011160;
// Actions of the view.
inline constexpr int kActionTimeClick = 191578;      // {"menu_x": int, "menu_y": int}
inline constexpr int kActionTimeHover = 236410;
inline constexpr int kActionMiniModeChange = 746849;  // {"mini_ui": bool}
// Time types ("current_time_type" of the time type model).
inline constexpr int kTypeNormal = 1;
inline constexpr int kTypeLimit = 2;
// The time menu's page.
inline constexpr char kElapsedTimeMenuPage[] = "velto://page/meeting_elapsedtime";
}  // namespace time_info

class VELTO_API InmeetingTimeInfoViewModel : public framework::StatefulViewModel {
 public:
  using Variant = base::variant::Variant;

  InmeetingTimeInfoViewModel();
  ~InmeetingTimeInfoViewModel() override;

  void HandleAction(int action_id, const Variant* params) override;
  // Subscribes to the limit, time, time type, settings, alarm, event bus and meeting models and
  // shows the label; detaching leaves them all and stops the limit timer.
  void OnViewAttached(const Variant* params) override;
  void OnViewDetached() override;

  // "00:ss" under a minute, "mm:ss" under an hour, else "hh:mm:ss" (hours may take more digits),
  // after the type's label when NeedTimeInfoPrefix().
  std::string FormatElapsedTime(uint64_t seconds);
  // Whole hours (over one hour) in the hours text, else whole minutes in the minutes text.
  std::string TimeToString(uint64_t seconds);
  // At least two digits.
  static std::string ConvertNumToStringTime(uint64_t number);

  bool in_limit_meeting() const { return in_limit_meeting_; }
  uint64_t limit_elapsed() const { return limit_elapsed_; }
  bool elapsed_time_visible() const { return elapsed_time_visible_; }
  bool limit_timer_running() const { return limit_timer_ != nullptr; }

 protected:
  virtual bool NeedTimeInfoPrefix() { return false; }
  virtual bool NeedResponseImmersiveMode() { return false; }
  virtual bool NeedResponseCountdownAlarm() { return true; }
  // The time menu's alignment for a click at (menu_x, menu_y).
  virtual int32_t GetPopupAlign(int32_t menu_x, int32_t menu_y) = 0;
  // The "scene" of this label's analytics.
  virtual std::string GetReportScene() = 0;
  virtual void OnEventDidEnterImmersiveMode(const Variant* params);
  virtual void OnEventDidLeaveImmersiveMode(const Variant* params);

  // Builds and publishes the label for `seconds` of the current time type.
  void ProcessTimeInfo(uint64_t seconds);
  void UpdateElapsedTimeVisibility(bool force);
  // Asks the meeting limit model; its answer goes through OnEventMeetingLimitInfoUpdate.
  void CheckMeetingLimitInfo(bool force);
  void OnEventMeetingLimitInfoUpdate(const Variant* info);
  void OnTimeTypeDidChange(const Variant* params);

 private:
  void SubscribeModels();
  void CheckMeetingLimitInfoWhenAttached();
  void GetNormalMeetingTimeAndShow();
  void StartLimitTimer();
  void StopLimitTimer();
  void OnEventElapsedTime(const Variant* seconds);
  void OnEventJoinComplete(const Variant* params);
  void OnTimeMenuClose(const Variant* params);
  void HandleActionOnTimeClick(const Variant* params);
  void HandleActionOnTimeHover(const Variant* params);
  void HandleActionOnMiniModeChange(const Variant* params);
  std::string BuildLimitTips();
  // Writes `field` = `value` into the published label, keeping its other fields.
  void SetTimeInfoField(const char* field, bool value);
  void ReportMeetingTimeInfo(const std::string& event);
  void ReportMeetingTimeInfoWithVisibilityCheck();

  bool is_first_enter_limit_ = true;
  bool in_limit_meeting_ = false;
  uint64_t limit_start_time_ = 0;
  uint64_t limit_end_time_ = 0;
  uint64_t meeting_limit_grade_ = 0;
  uint64_t limit_elapsed_ = 0;
  uint32_t used_promotion_card_num_ = 0;
  std::unique_ptr<velto_common::utils::timer::VLTimer> limit_timer_;
  bool elapsed_time_visible_ = true;
  bool mini_ui_ = false;
  bool immersive_ = false;
};

}  // namespace velto
