// Who shares what: screens, web pages, documents and whiteboards.
#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "utils/in_meeting/in_meeting_internal.h"

namespace velto_common::utils::inmeeting {

using velto::model::Variant;
using velto::model_id::kScreenShareModel;
using velto::model_id::kWebSharingModel;

namespace cmd {
using velto::model_command::screen_share::kScreenSharing;
using velto::model_command::screen_share::kWebSharingBySelf;
using velto::model_command::screen_share::kSharingWhiteboard;
using velto::model_command::screen_share::kWhiteboardSignal;
using velto::model_command::screen_share::kShareWindowType;
using velto::model_command::web_sharing::kWebSharingFolded;
using velto::model_command::web_sharing::kNordilDocSharing;
using velto::model_command::web_sharing::kBexaDocSharing;
using velto::model_command::user::kWebShareUser;
}  // namespace cmd

namespace {

// The user model's web-sharing record: an empty map while nobody shares a web page.
Variant WebShareUser() { return velto::model::QueryAnswer(velto::model_id::kUserModel, cmd::kWebShareUser); }

}  // namespace

bool IsSharing() { return IsWebSharing() || IsScreenSharing(); }

bool IsScreenSharing() {
  return velto::model::QueryValue<bool>(kScreenShareModel, cmd::kScreenSharing, nullptr, {}, false);
}

bool IsScreenSharingBySelf() { return IsScreenSharing() && WebShareUser().GetBoolean("is_self", false); }

bool IsUserSharing() {
  const StreamCountInfo counts = GetStreamCountInfo();
  return counts.up_screen_stream_count > 0 || counts.down_screen_stream_count > 0 || IsWebSharing();
}

bool IsWebSharing() { return IsWebSharingByOther() || IsWebSharingBySelf(); }

bool IsWebSharingByOther() {
  return WebShareUser().GetBoolean("up_web_share_on", false) && !IsSelfDeviceWebShare();
}

bool IsWebSharingBySelf() {
  return velto::model::QueryValue<bool>(kScreenShareModel, cmd::kWebSharingBySelf, nullptr, {}, false);
}

bool IsSelfDeviceWebShare() {
  auto self = internal::PlatformSelfInfo();
  return self && self->IsValid() && self->share_type == veltosdk::kShareTypeWeb;
}

bool IsWebSharingFolded() { return velto::model::Ask(kWebSharingModel, cmd::kWebSharingFolded); }

void GetWebSharingUserInfo(Variant& out) {
  if (!out.IsMap()) {
    VELTO_LOG(velto::log::kRejected) << "params is not map";
    return;
  }
  const Variant user = WebShareUser();
  if (!user.IsMap() || user.empty() || !user.GetBoolean("up_web_share_on", false)) return;
  out["user_id"] = user.GetString("user_id");
  out["instance_id"] = user.GetInteger("instance_id", 0);
  out["app_uid"] = user.GetString("app_uid");
  out["unique_id"] = user.GetString("unique_id");
}

bool IsSharingWhiteboard() { return velto::model::Ask(kScreenShareModel, cmd::kSharingWhiteboard); }

bool IsWhiteboardSignal() {
  return velto::model::QueryValue<bool>(kScreenShareModel, cmd::kWhiteboardSignal, nullptr, {}, false);
}

bool IsSubwindowShare() {
  Variant answer;
  if (!velto::model::Call(kScreenShareModel, cmd::kShareWindowType, nullptr, &answer)) return false;
  return answer.GetInt32("type", veltosdk::kShareTypeNone) == veltosdk::kShareTypeWindow ||
         answer.GetInt32("web_app_window_type", 0) > 0;
}

bool IsNordilDocSharing() {
  return velto::model::QueryValue<bool>(kWebSharingModel, cmd::kNordilDocSharing, nullptr, {}, false);
}

bool IsBexaDocSharing() {
  return velto::model::QueryValue<bool>(kWebSharingModel, cmd::kBexaDocSharing, nullptr, {}, false);
}

bool IsWebShareLocalRecordEnable() {
  return velto::model::ReadConfigurationItem("inmeeting", "nordil_doc_local_record_enable", true);
}

bool IsWebShareAndCloudRecording(const Variant& state) {
  if (!state.GetBoolean("up_web_share_on", false) || !IsCloudRecording()) return false;
  VELTO_LOG(velto::log::kTrace) << "is_sharing_screen and cloud recording";
  return true;
}

}  // namespace velto_common::utils::inmeeting
