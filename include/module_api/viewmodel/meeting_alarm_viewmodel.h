// velto::MeetingAlarmViewModel: the in-meeting alarm banner (for example "10 minutes left"),
// one alarm at a time, with an optional extra button (use a time card, or upgrade). It asks the
// meeting alarm model (712) for the alarm to show, publishes it as the property kAlarmInfoProp,
// and waits for the view's animation-end action before it moves on to the next alarm.
//
//   class MeetingAlarmBar : public velto::MeetingAlarmViewModel {
//    protected:
//     bool IsAlarmAreaVisible() override { return IsMediaRoomJoined() && !window_minimised_; }
//   };
//   // The view: shows kAlarmInfoProp; after an animation it sends kActionAnimationEnd; a click
//   // on the extra button sends kActionClickExtraBtn with {"stay_duration", "tic_toc"}.
//
// Handshake: an alarm with "animation_type" 0 is shown, updated or hidden at once; any other
// type is published and then waits for kActionAnimationEnd (a shown alarm is then reported as
// shown; a hidden one makes room for the next alarm, looked for on a later UI task).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/variant/variant.h"
#include "framework/stateful_viewmodel.h"
#include "module_api/export.h"
#include "module_api/preferences/timer.h"

namespace velto {

namespace meeting_alarm {
// The alarm the view shows (a map of the fields below, plus "id", "category",
// "stay_duration" and "btn_data").
inline constexpr int kAlarmInfoProp = 1066128;
inline constexpr char kFieldVisible[] = "MeetingAlarmAlarmInfoFields_kBooleanVisible";
inline constexpr char kFieldAnimationType[] = "MeetingAlarmAlarmInfoFields_kIntegerAnimationType";
inline constexpr char kFieldTitle[] = "MeetingAlarmAlarmInfoFields_kStringTitle";
inline constexpr char kFieldMeetingInfoType[] = "MeetingAlarmAlarmInfoFields_kIntegerMeetingInfoType";
inline constexpr char kFieldBtnType[] = "MeetingAlarmAlarmInfoFields_kIntegerBtnType";
inline constexpr char kFieldBtnTitle[] = "MeetingAlarmAlarmInfoFields_kStringBtnTitle";
inline constexpr char kFieldBtnTips[] = "MeetingAlarmAlarmInfoFields_kStringBtnTips";
// Actions of the view.
inline constexpr int kActionAnimationEnd = 268817;
inline constexpr int kActionClickExtraBtn = 742071;
// "btn_type" values.
inline constexpr int kBtnTypeTimeCard = 1;
inline constexpr int kBtnTypeUpgrade = 2;
// Clicks of the extra button closer together than this count once.
inline constexpr int64_t kClickThresholdMs = 300;
}  // namespace meeting_alarm

class VELTO_API MeetingAlarmViewModel : public framework::StatefulViewModel {
 public:
  using Variant = base::variant::Variant;

  MeetingAlarmViewModel();
  ~MeetingAlarmViewModel() override;

  // Publishes a cleared alarm before the view first shows.
  void OnViewCreated(const Variant* params) override;
  // Subscribes to the meeting, mode, window, alarm, limit and event bus models, then shows the
  // alarm the model has. Detaching drops them all, and the alarm.
  void OnViewAttached(const Variant* params) override;
  void OnViewDetached() override;
  void HandleAction(int action_id, const Variant* params) override;

  // The page's statistics mark: "win.p.djs.sjbt" in a webinar, else "win.n.time.wbn_10min_i".
  static std::string GetCurrentMid();
  // `url` with "mid=<GetCurrentMid()>" added ("?" or "&"); unchanged when it has "mid=".
  static std::string GetUrlWithMid(const std::string& url);

  bool visible() const { return visible_; }
  bool is_animating() const { return is_animating_; }
  const Variant& current_alarm() const { return current_alarm_; }

 protected:
  // Fills the data the view starts from: a cleared alarm.
  virtual void InitStatelessData(Variant& data);
  // kActionAnimationEnd: the show or hide animation of the current alarm finished.
  virtual void HandleAlarmInfoAnimationEnd(const Variant* params);
  virtual void OnEventImmersiveModeChanged(const Variant* params);
  // Whether the window's state lets the alarm area show; asked at attach and every state change.
  virtual bool IsAlarmAreaVisible() = 0;
  // The alarm to publish, decided against the current one (a new alarm, an update of the
  // current one, or the current one hidden); an empty map when nothing changes.
  virtual Variant GenerateNewAlarmInfo();
  // Every field cleared: hidden, no animation.
  virtual Variant GenerateClearAlarmInfo();

  // Meeting model (514) command 23: the media room is joined.
  static bool IsMediaRoomJoined();
  void UpdateState();
  void UpdateAlarm();
  void ClearAlarm();

 private:
  void SubscribeModels();
  void UnsubscribeModels();
  void SetAlarmInfoProp(const Variant& info);
  void CheckAlarmAsync();
  void NotifyAlarmShown();
  void OnEventAlarmUpdated(const Variant* params);
  void OnEventUsePromotionCardResult(const Variant* result);
  void HandleExtraBtnAction(const Variant* params);
  void HandleClickExtraBtn(const Variant* params);
  void UsePromotionCard();
  void Upgrade();

  bool visible_ = false;
  bool is_animating_ = false;
  Variant current_alarm_;
  // Something changed while an animation ran: look again when it ends.
  bool update_waiting_ = false;
  // The pending CheckAlarmAsync run; dropping it cancels the run.
  std::unique_ptr<velto_common::utils::timer::VLTimer> check_alarm_task_;
};

}  // namespace velto
