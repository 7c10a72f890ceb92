// velto::MultiDeviceUserDataManager: whether a media state of a user is on, for a user who may be
// in the meeting from several devices. Two answers exist:
// - MultiDevicePolymericDataManager: from the user record, whose values sum up all the user's
//   devices ("audio", "video", "screen", ...);
// - MultiDeviceLocalDataManager: from this device's own state, which the local user's record
//   carries in "current_device_media_state" (empty for anyone else).
//
//   velto::MultiDeviceLocalDataManager local(&self_record);
//   bool this_device_talks = local.GetMediaStateByType(velto::MultiDeviceUserDataManager::kAudioOn);
//
// Value objects: they copy the record and never ask a model.
#pragma once

#include <cstdint>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto {

class VELTO_API MultiDeviceUserDataManager {
 public:
  using Variant = base::variant::Variant;

  // Not the order of MultiJoinUserIdentifyManager::MediaStateType.
  enum MediaStateType : int32_t {
    kAudioDevice = 1,
    kAudioOn = 2,
    kVideoOn = 3,
    kAudioShare = 4,
    kScreenShare = 5,
    kWebShare = 6,
    kVideoDevice = 7,
  };

  // A null record keeps nothing.
  explicit MultiDeviceUserDataManager(const Variant* user_info);
  MultiDeviceUserDataManager(const MultiDeviceUserDataManager&) = default;
  MultiDeviceUserDataManager& operator=(const MultiDeviceUserDataManager&) = default;
  virtual ~MultiDeviceUserDataManager();

  virtual bool GetMediaStateByType(MediaStateType type) = 0;

  const Variant& user_info() const { return user_info_; }
  const Variant& local_device_media_state() const { return local_device_media_state_; }

 protected:
  Variant user_info_;
  Variant local_device_media_state_;
};

// The record's own values: false (logged) for an empty record or an unknown type.
class VELTO_API MultiDevicePolymericDataManager : public MultiDeviceUserDataManager {
 public:
  explicit MultiDevicePolymericDataManager(const Variant* user_info);
  bool GetMediaStateByType(MediaStateType type) override;
};

// This device's state: false (logged) when there is none or for an unknown type.
class VELTO_API MultiDeviceLocalDataManager : public MultiDeviceUserDataManager {
 public:
  explicit MultiDeviceLocalDataManager(const Variant* user_info);
  bool GetMediaStateByType(MediaStateType type) override;
};

}  // namespace velto
