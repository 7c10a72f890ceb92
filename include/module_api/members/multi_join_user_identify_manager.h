// velto::MultiJoinUserIdentifyManager: one account in the meeting from several devices
// (multi-join). A stateless, process-wide facade over the host's multi-join identify model
// (10065): each question is packed into a map, sent to one command, and one key of the answer is
// read back.
//
//   auto* identify = velto::MultiJoinUserIdentifyManager::SharedInstance();
//   if (identify->IsInMultipleJoinMode(user_id)) ...
//   bool talking = identify->GetUserMediaStateByUserInfo(&record, identify->kAudioOn, false);
//
// "user" states describe the account over all its devices, "device" states the one device the
// record belongs to. A missing model or a failed command answers "", 0 or false (logged).
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"
#include "veltosdk/instance_type.h"

namespace velto {

class VELTO_API MultiJoinUserIdentifyManager {
 public:
  using Variant = base::variant::Variant;

  enum MediaStateType : int32_t {
    kAudioDeviceConnect = 1,
    kAudioOn = 2,
    kVideoOn = 3,
    kAudioShareOn = 4,
    kWebShareOn = 5,
    kVideoDevice = 6,
    kScreenOn = 7,
  };

  // Made on first use, destroyed at library teardown.
  static MultiJoinUserIdentifyManager* SharedInstance();

  MultiJoinUserIdentifyManager() = default;  // use SharedInstance()
  virtual ~MultiJoinUserIdentifyManager();

  // The media user id under which the user's device of that media state sends; "" when unknown.
  std::string GetAVUserIdByUserId(const std::string& user_id, MediaStateType type);
  bool IsInMultipleJoinMode(const std::string& user_id);
  // The model's scene of that media state for the user; 0 when unknown.
  uint64_t GetUserSceneByMediaStateType(const std::string& user_id, MediaStateType type);
  // Whether the instance of that kind is the one holding the media state.
  bool IsSameInstanceByUserId(const std::string& user_id, MediaStateType type, veltosdk::InstanceType instance);
  // Whether another instance of the account holds the device of that media state.
  bool MultiJoinIsOtherInstanceOpenDevice(const std::string& user_id, MediaStateType type,
                                          veltosdk::InstanceType instance);

  // The state of a user record (which must be a map): false without an answer; `default_value`
  // for a type this class does not know.
  bool GetUserMediaStateByUserInfo(const Variant* user_info, MediaStateType type, bool default_value);
  bool GetDeviceMediaStateByUserInfo(const Variant* user_info, MediaStateType type, bool default_value);
  // The same for a user index (an integer), through the user model's record.
  bool GetUserMediaStateByIndex(const Variant* index, MediaStateType type, bool default_value);
  bool GetDeviceMediaStateByIndex(const Variant* index, MediaStateType type, bool default_value);

 private:
  bool GetUserStateByType(MediaStateType type, bool default_value, const Variant& answer);
  bool GetDeviceStateByType(MediaStateType type, bool default_value, const Variant& answer);
};

}  // namespace velto
