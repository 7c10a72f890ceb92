#include "module_api/members/multi_device_user_data_manager.h"

#include <iterator>

#include "module_api/log.h"

namespace velto {
namespace {

// The keys of a media state: in the user record (summed over devices), and in this device's own
// state. Null for a type this class does not know.
struct StateKeys {
  const char* polymeric;
  const char* local;
};

const StateKeys* KeysOf(MultiDeviceUserDataManager::MediaStateType type) {
  static const StateKeys kKeys[] = {
      {"has_audio_in_device", "audio_device_connect"},
      {"audio", "audio_on"},
      {"video", "video_on"},
      {"up_audio_share_on", "share_audio_on"},
      {"screen", "screen_share_on"},
      {"up_web_share_on", "share_web_on"},
      {"has_video_in_device", "has_video_in_device"},
  };
  const int index = static_cast<int>(type) - 1;
  return index >= 0 && index < static_cast<int>(std::size(kKeys)) ? &kKeys[index] : nullptr;
}

}  // namespace

MultiDeviceUserDataManager::MultiDeviceUserDataManager(const Variant* user_info)
    : user_info_(user_info ? *user_info : Variant()) {
  // Only the local user's record describes this device.
  if (user_info_.Has("current_device_media_state") && user_info_.GetBoolean("self")) {
    local_device_media_state_ = user_info_.Get("current_device_media_state");
  }
}

MultiDeviceUserDataManager::~MultiDeviceUserDataManager() = default;

MultiDevicePolymericDataManager::MultiDevicePolymericDataManager(const Variant* user_info)
    : MultiDeviceUserDataManager(user_info) {}

bool MultiDevicePolymericDataManager::GetMediaStateByType(MediaStateType type) {
  if (user_info_.IsNull()) {
    VELTO_LOG(log::kTrace) << "user_info_ is empty";
    return false;
  }
  const StateKeys* keys = KeysOf(type);
  if (!keys) {
    VELTO_LOG(log::kTrace) << "unknown type " << static_cast<int32_t>(type);
    return false;
  }
  return user_info_.GetBoolean(keys->polymeric, false);
}

MultiDeviceLocalDataManager::MultiDeviceLocalDataManager(const Variant* user_info)
    : MultiDeviceUserDataManager(user_info) {}

bool MultiDeviceLocalDataManager::GetMediaStateByType(MediaStateType type) {
  if (local_device_media_state_.IsNull()) {
    VELTO_LOG(log::kTrace) << "local_device_media_state_ is empty";
    return false;
  }
  const StateKeys* keys = KeysOf(type);
  if (!keys) {
    VELTO_LOG(log::kTrace) << "unknown type " << static_cast<int32_t>(type);
    return false;
  }
  return local_device_media_state_.GetBoolean(keys->local, false);
}

}  // namespace velto
