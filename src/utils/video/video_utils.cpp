// Video facts of the video model and of user records.
#include "module_api/video/video_utils.h"

#include <optional>
#include <string>

#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::video {

namespace {

constexpr char kOwnDevice[] = "current_device_media_state";

// This device's flag when the record carries this device's media state, else the record's own.
bool DeviceFlag(const Variant& record, const char* key, const base::Location& from = base::Location::Current()) {
  if (!record.IsMap()) {
    VELTO_LOG_AT(velto::log::kFailure, from) << "user_info is not map";
    return false;
  }
  const Variant& own = record.Get(kOwnDevice);
  if (own.IsMap()) return own.GetBoolean(key, false);
  return record.GetBoolean(key, false);
}

}  // namespace

bool GetDeviceExceptionInfo(VideoDeviceState& state) {
  constexpr int kCommand = velto::model_command::video::kDeviceException;
  Variant answer;
  if (!velto::model::Call(velto::model_id::kVideoModel, kCommand, nullptr, &answer)) return false;
  const auto device_id = velto::model::Read<std::string>(answer, {"device_id"});
  const auto device_state = velto::model::Read<int32_t>(answer, {"device_state"});
  const auto error_type = velto::model::Read<int32_t>(answer, {"error_type"});
  if (!device_id || !device_state || !error_type) {
    velto::model::LogWrongKind(velto::model_id::kVideoModel, kCommand, {}, base::Location::Current());
    return false;
  }
  state.SetDeviceId(*device_id);
  state.SetDeviceState(static_cast<DeviceState>(*device_state));
  state.SetErrorType(static_cast<VideoDeviceFailedType>(*error_type));
  return true;
}

bool IsDeviceVideoOn(const Variant& record) { return DeviceFlag(record, "video"); }

bool IsDeviceScreenShareOn(const Variant& record) { return DeviceFlag(record, "screen"); }

bool IsDeviceWebScreenShareOn(const Variant& record) { return DeviceFlag(record, "up_web_share_on"); }

bool IsDeviceHasVideoInDevice(const Variant& record) { return DeviceFlag(record, "has_video_in_device"); }

void UpdateDeviceLocalVideo(Variant& record) {
  if (!record.IsMap()) {
    VELTO_LOG(velto::log::kFailure) << "user_info is not map";
    return;
  }
  const Variant& own = record.Get(kOwnDevice);
  if (!own.IsMap()) return;
  // `own` lives inside the record: read both flags before writing.
  const bool video = own.GetBoolean("video", false);
  const bool has_video_in_device = own.GetBoolean("has_video_in_device", false);
  VELTO_LOG(velto::log::kTrace) << "video to: " << static_cast<int>(video);
  VELTO_LOG(velto::log::kTrace) << "has_video_in_device to: " << static_cast<int>(has_video_in_device);
  record["video"] = video;
  record["has_video_in_device"] = has_video_in_device;
}

}  // namespace velto_common::utils::video
