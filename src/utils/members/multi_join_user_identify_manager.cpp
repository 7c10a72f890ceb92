#include "module_api/members/multi_join_user_identify_manager.h"

#include <iterator>

#include "frame/scope_singleton.h"
#include "module_api/log.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto {
namespace {

namespace cmd = model_command::multi_join_identify;

velto_common::utils::ScopeSingleton<MultiJoinUserIdentifyManager> g_instance;

// The "user_" and "device_" keys of command kUserMediaState's answer for a media state; null
// for a type this class does not know.
struct StateKeys {
  const char* user;
  const char* device;
};

const StateKeys* KeysOf(MultiJoinUserIdentifyManager::MediaStateType type) {
  static const StateKeys kKeys[] = {
      {"user_audio_device_connect", "device_audio_device_connect"},
      {"user_audio_on", "device_audio_on"},
      {"user_video_on", "device_video_on"},
      {"user_audio_share_on", "device_audio_share_on"},
      {"user_web_share_on", "device_web_share_on"},
      {"user_video_device", "device_video_device"},
      {"user_screen_on", "device_screen_on"},
  };
  const int index = static_cast<int>(type) - 1;
  return index >= 0 && index < static_cast<int>(std::size(kKeys)) ? &kKeys[index] : nullptr;
}

base::variant::Variant Question(const std::string& user_id) {
  base::variant::Variant question = base::variant::Variant::Map();
  question["user_id"] = user_id;
  return question;
}

base::variant::Variant Question(const std::string& user_id, MultiJoinUserIdentifyManager::MediaStateType type) {
  base::variant::Variant question = Question(user_id);
  question["media_state_type"] = static_cast<int32_t>(type);
  return question;
}

base::variant::Variant Question(const std::string& user_id, MultiJoinUserIdentifyManager::MediaStateType type,
                                veltosdk::InstanceType instance) {
  base::variant::Variant question = Question(user_id, type);
  question["instance_type"] = static_cast<int32_t>(instance);
  return question;
}

// The answer of a command; false (logged) when the model is missing or the call fails.
bool Ask(int command, const base::variant::Variant& question, base::variant::Variant* answer,
         const base::Location& from = base::Location::Current()) {
  return model::Call(model_id::kMultiJoinIdentifyModel, command, &question, answer, from);
}

// Command kUserMediaState's answer for a user record; false (logged) for a missing record, a
// missing model or a failed call.
bool AskMediaState(const base::variant::Variant* user_info, base::variant::Variant* answer) {
  if (!user_info || !user_info->IsMap()) {
    VELTO_LOG(log::kFailure) << "use info is null";
    return false;
  }
  return Ask(cmd::kUserMediaState, *user_info, answer);
}

// The user model's record at `index`; null (logged) for an index that is not an integer or a
// missing user model.
const base::variant::Variant* UserInfoAt(const base::variant::Variant* index) {
  if (!index || !index->IsInteger()) {
    VELTO_LOG(log::kFailure) << "use user index when update.";
    return nullptr;
  }
  framework::Model* users = model::Find(model_id::kUserModel);
  if (!users) return nullptr;
  return &velto_common::utils::member::GetUserInfo(users, index->AsInteger());
}

// The "enable" flag of the user's or the device's entry for `type` in a media state answer;
// `default_value` (logged) for a type this class does not know.
bool StateOf(MultiJoinUserIdentifyManager::MediaStateType type, bool default_value,
             const base::variant::Variant& answer, const char* StateKeys::*side) {
  const StateKeys* keys = KeysOf(type);
  if (!keys) {
    VELTO_LOG(log::kFailure) << "unknown type : " << static_cast<int32_t>(type);
    return default_value;
  }
  return answer.Get(keys->*side).GetBoolean("enable", false);
}

}  // namespace

MultiJoinUserIdentifyManager* MultiJoinUserIdentifyManager::SharedInstance() { return g_instance.Get(); }

MultiJoinUserIdentifyManager::~MultiJoinUserIdentifyManager() = default;

std::string MultiJoinUserIdentifyManager::GetAVUserIdByUserId(const std::string& user_id, MediaStateType type) {
  Variant answer;
  if (!Ask(cmd::kAVUserIdByUserId, Question(user_id, type), &answer)) return {};
  return answer.GetString("av_user_id");
}

bool MultiJoinUserIdentifyManager::IsInMultipleJoinMode(const std::string& user_id) {
  Variant answer;
  if (!Ask(cmd::kIsMultiJoinMode, Question(user_id), &answer)) return false;
  return answer.GetBoolean("is_multi_join_mode", false);
}

uint64_t MultiJoinUserIdentifyManager::GetUserSceneByMediaStateType(const std::string& user_id, MediaStateType type) {
  Variant answer;
  if (!Ask(cmd::kUserSceneByMediaStateType, Question(user_id, type), &answer)) return 0;
  return answer.GetUint64("user_scene", 0);
}

bool MultiJoinUserIdentifyManager::IsSameInstanceByUserId(const std::string& user_id, MediaStateType type,
                                                          veltosdk::InstanceType instance) {
  Variant answer;
  if (!Ask(cmd::kIsSameInstanceByUserId, Question(user_id, type, instance), &answer)) return false;
  return answer.GetBoolean("is_same_instance_by_userid", false);
}

bool MultiJoinUserIdentifyManager::MultiJoinIsOtherInstanceOpenDevice(const std::string& user_id,
                                                                      MediaStateType type,
                                                                      veltosdk::InstanceType instance) {
  Variant answer;
  if (!Ask(cmd::kIsOtherInstanceOpenDevice, Question(user_id, type, instance), &answer)) return false;
  return answer.GetBoolean("is_other_instance_open_device", false);
}

bool MultiJoinUserIdentifyManager::GetUserMediaStateByUserInfo(const Variant* user_info, MediaStateType type,
                                                               bool default_value) {
  Variant answer;
  return AskMediaState(user_info, &answer) && GetUserStateByType(type, default_value, answer);
}

bool MultiJoinUserIdentifyManager::GetDeviceMediaStateByUserInfo(const Variant* user_info, MediaStateType type,
                                                                 bool default_value) {
  Variant answer;
  return AskMediaState(user_info, &answer) && GetDeviceStateByType(type, default_value, answer);
}

bool MultiJoinUserIdentifyManager::GetUserMediaStateByIndex(const Variant* index, MediaStateType type,
                                                            bool default_value) {
  const Variant* user_info = UserInfoAt(index);
  return user_info && GetUserMediaStateByUserInfo(user_info, type, default_value);
}

bool MultiJoinUserIdentifyManager::GetDeviceMediaStateByIndex(const Variant* index, MediaStateType type,
                                                              bool default_value) {
  const Variant* user_info = UserInfoAt(index);
  return user_info && GetDeviceMediaStateByUserInfo(user_info, type, default_value);
}

bool MultiJoinUserIdentifyManager::GetUserStateByType(MediaStateType type, bool default_value, const Variant& answer) {
  return StateOf(type, default_value, answer, &StateKeys::user);
}

bool MultiJoinUserIdentifyManager::GetDeviceStateByType(MediaStateType type, bool default_value,
                                                        const Variant& answer) {
  return StateOf(type, default_value, answer, &StateKeys::device);
}

}  // namespace velto
