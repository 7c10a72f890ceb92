// Member records as values: identities, classification by instance id, and trimming records
// before they are stored or sent.
//
//   velto_common::utils::member::UserId id(record);
//   veltosdk::UserIdParam param = velto_common::utils::member::ConvertCommonUserIdToUserIdParam(id);
//   if (velto_common::utils::member::IsRobot(record.GetUint64("instance_id"))) ...
//   velto_common::utils::member::SimplifyKeys(copy);   // {"nickname": "x"} -> {"e": "x"}
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"
#include "veltosdk/user_id_param.h"

namespace velto_common::utils::member {

// The identity keys of a record, each read from the key of the same name (missing keys read as
// empty or 0).
struct VELTO_API UserId {
  UserId() = default;
  explicit UserId(const base::variant::Variant& record);
  bool operator==(const UserId&) const = default;

  std::string app_id;
  std::string app_uid;
  int64_t instance_id = 0;
  int32_t user_type = 0;
  int32_t device_type = 0;
  std::string unique_id;
  std::string av_user_id;
};

VELTO_API veltosdk::UserIdParam ConvertCommonUserIdToUserIdParam(const UserId& user_id);
VELTO_API UserId ConvertUserIdParamToCommonUserId(const veltosdk::UserIdParam& param);
// The "user_id" of the meeting user a parameter names: by unique id when it has one, else by
// identity; empty when the user model does not know it.
VELTO_API std::string GetUserIdByUserIdParam(const veltosdk::UserIdParam& param);

// Robot instances are 50 to 70.
VELTO_API bool IsRobot(uint64_t instance_id);
// A robot instance whose robot user type is 2 or 3; the index form reads "instance_id" and
// "robot_user_type" of the user's record.
VELTO_API bool RobotFilter(int32_t robot_user_type, uint64_t instance_id);
VELTO_API bool RobotFilter(int64_t index);
// Meeting room devices are instances 20, 21 and 22; their controllers 30, 32 and 33.
VELTO_API bool IsRoomsDevice(uint64_t instance_id);
VELTO_API bool IsRoomsController(uint64_t instance_id);

// Drops the media, timing, network and bookkeeping keys a member view never shows.
VELTO_API void RemoveKeys(base::variant::Variant& record);
// Renames the common keys to their one- or two-letter forms ("nickname" -> "e", ...), in place;
// other keys stay.
VELTO_API void SimplifyKeys(base::variant::Variant& record);

}  // namespace velto_common::utils::member
