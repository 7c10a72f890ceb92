// hostkit: the multi-join identify model (10065) over a set of devices: one account may sit in
// the meeting with several devices (records with the same "user_id" and their own
// "instance_id"), which join and leave in any order.
//
//   hostkit::MultiJoinIdentifyModel identify;            // installs model 10065
//   identify.Join(hostkit::Json(R"({"user_id": "u-1", "instance_id": 1, "instance_type": 1,
//                                  "av_user_id": "av-1", "video": true})"));
//   identify.Join(... "instance_id": 2, "instance_type": 2, "audio": true ...);
//   velto::MultiJoinUserIdentifyManager::SharedInstance()->IsInMultipleJoinMode("u-1");   // true
//   identify.Leave("u-1", 1);
//
// Answers, as velto::MultiJoinUserIdentifyManager asks them (media state types 1 to 7 are
// "has_audio_in_device", "audio", "video", "up_audio_share_on", "up_web_share_on",
// "has_video_in_device", "screen" of a device record):
// - multi-join mode: the user has more than one device;
// - "user_<state>": some device of the user has the state; "device_<state>": the device of the
//   record asked about (found by "user_id" and "instance_id"; else the record's own values);
// - av user id: the first device (in joining order) with the state; "" when none;
// - user scene: a bit per device instance id (1 << instance_id) of the devices with the state;
// - same instance: the device of that "instance_type" has the state;
// - other instance open device: a device of another "instance_type" has the state.
// Every answer is also recorded as an ordinary ScriptedModel call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"

namespace hostkit {

class MultiJoinIdentifyModel {
 public:
  MultiJoinIdentifyModel();  // installs the model, replacing any model 10065

  // A device joins (its record is kept as given); joining again with the same user id and
  // instance id replaces the record.
  void Join(const Variant& device);
  // False when no such device is in the meeting.
  bool Leave(const std::string& user_id, int64_t instance_id);
  // The devices of a user, in joining order.
  std::vector<Variant> DevicesOf(const std::string& user_id) const;
  // Every device, in joining order.
  const std::vector<Variant>& devices() const { return state_->devices; }
  ScriptedModel& model() const { return *model_; }

  // The record key of a media state type (1 to 7); "" for others.
  static const char* StateKey(int64_t media_state_type);

 private:
  struct State {
    std::vector<Variant> devices;
  };
  std::shared_ptr<State> state_;
  ScriptedModel* model_;
};

}  // namespace hostkit
