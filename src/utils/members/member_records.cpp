#include "module_api/members/member_records.h"

#include <iterator>
#include <string_view>

#include "framework/module/module.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"
#include "utils/members/member_internal.h"

namespace velto_common::utils::member {

using velto::model::Variant;

namespace {

constexpr std::string_view kRemovedKeys[] = {
    "screen_stream",
    "audio_update_timestamp",
    "role_type",
    "from_push",
    "stream",
    "associate_type",
    "av_user_id",
    "noisy_text_color",
    "whiteboard_cooperation_version",
    "screen_share_type",
    "network_display_state",
    "force_stop_render",
    "video_update_timestamp",
    "stream_active",
    "is_screen_active",
    "stream_id",
    "is_creator",
    "is_video_active",
    "update_time",
    "join_time",
    "volume",
    "handsup_update_timestamp",
    "whiteboard_permission",
    "is_screen_pause",
    "support_si",
    "tiny_id",
    "level",
    "invite_id",
    "phone_number",
    "noisy_type",
    "noisy_text",
    "members_seq",
    "network_level",
    "always_allowed_into_meeting_room",
    "network_display_state_video",
    "network_display_state_audio",
    "local_record_on",
};
static_assert(std::size(kRemovedKeys) == 37);

struct ShortKey {
  std::string_view full;
  std::string_view brief;
};

constexpr ShortKey kShortKeys[] = {
    {"avatar_token", "a"},
    {"user_district", "b"},
    {"avatar_type", "c"},
    {"avatar_name", "d"},
    {"nickname", "e"},
    {"remark", "f"},
    {"screen", "g"},
    {"handsup", "h"},
    {"should_show_record", "i"},
    {"should_show_record_type", "j"},
    {"has_audio_in_device", "k"},
    {"audio_connect_type", "l"},
    {"audio", "m"},
    {"has_video_in_device", "n"},
    {"video_on", "o"},
    {"host", "p"},
    {"co_host", "q"},
    {"self", "r"},
    {"is_recording", "s"},
    {"record_type", "t"},
    {"app_id", "u"},
    {"user_id", "v"},
    {"avatar_url", "w"},
    {"record", "x"},
    {"video", "y"},
    {"user_type", "z"},
    {"auth_type", "aa"},
    {"device_type", "ab"},
};
static_assert(std::size(kShortKeys) == 28);

}  // namespace

UserId::UserId(const Variant& record)
    : app_id(record.GetString("app_id")),
      app_uid(record.GetString("app_uid")),
      instance_id(record.GetInteger("instance_id", 0)),
      user_type(record.GetInt32("user_type", 0)),
      device_type(record.GetInt32("device_type", 0)),
      unique_id(record.GetString("unique_id")),
      av_user_id(record.GetString("av_user_id")) {}

veltosdk::UserIdParam ConvertCommonUserIdToUserIdParam(const UserId& user_id) {
  veltosdk::UserIdParam param;
  param.app_id = user_id.app_id;
  param.app_uid = user_id.app_uid;
  param.instance_id = static_cast<uint32_t>(user_id.instance_id);
  param.user_type = user_id.user_type;
  param.device_type = user_id.device_type;
  param.unique_id = user_id.unique_id;
  param.av_user_id = user_id.av_user_id;
  return param;
}

UserId ConvertUserIdParamToCommonUserId(const veltosdk::UserIdParam& param) {
  UserId user_id;
  user_id.app_id = param.app_id;
  user_id.app_uid = param.app_uid;
  user_id.instance_id = param.instance_id;
  user_id.user_type = param.user_type;
  user_id.device_type = param.device_type;
  user_id.unique_id = param.unique_id;
  user_id.av_user_id = param.av_user_id;
  return user_id;
}

std::string GetUserIdByUserIdParam(const veltosdk::UserIdParam& param) {
  Variant record;
  if (!param.unique_id.empty()) {
    if (!GetUserInfoByUniqueId(param.unique_id, &record)) return std::string();
    return record.GetString("user_id");
  }
  if (param.app_id.empty() || param.app_uid.empty()) return std::string();
  return internal::FindUserByIdentity(param.app_id, param.app_uid, record) ? record.GetString("user_id")
                                                                           : std::string();
}

bool IsRobot(uint64_t instance_id) { return instance_id >= 50 && instance_id < 71; }

bool RobotFilter(int32_t robot_user_type, uint64_t instance_id) {
  return IsRobot(instance_id) && (robot_user_type == 2 || robot_user_type == 3);
}

bool RobotFilter(int64_t index) {
  const Variant& record = GetUserInfo(velto::model::Find(velto::model_id::kUserModel), index);
  return RobotFilter(record.GetInt32("robot_user_type", 0), record.GetUint64("instance_id", 0));
}

bool IsRoomsDevice(uint64_t instance_id) { return instance_id >= 20 && instance_id <= 22; }

bool IsRoomsController(uint64_t instance_id) {
  return instance_id == 30 || instance_id == 32 || instance_id == 33;
}

void RemoveKeys(Variant& record) {
  if (!record.IsMap()) return;
  for (std::string_view key : kRemovedKeys) record.Remove(key);
}

void SimplifyKeys(Variant& record) {
  if (!record.IsMap()) return;
  for (const ShortKey& key : kShortKeys) {
    const Variant* value = record.Find(key.full);
    if (!value) continue;
    Variant copy = *value;  // the map may move its entries when the short key is added
    record[key.brief] = std::move(copy);
    record.Remove(key.full);
  }
}

}  // namespace velto_common::utils::member
