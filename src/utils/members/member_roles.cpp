// Answers derived from user records: the local user's fields and roles, hosts, visibility and
// invitees.
#include <cstdint>
#include <string>

#include "framework/module/module.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::member {

using velto::model::Variant;
using velto::model_id::kUserModel;

namespace {

constexpr int kMeetingSettings = velto::model_command::meeting_settings::kAllowFlags;

framework::Model* UserModel() { return framework::module::GetAppModuleModel(kUserModel); }

// A missing model is logged; an index the model does not know (a user who left) is not.
const Variant& RecordAt(int64_t index) { return GetUserInfo(velto::model::Find(kUserModel), index); }

}  // namespace

std::string GetUserId(int64_t index) { return RecordAt(index).GetString("user_id"); }

std::string GetSelfUniqueId() { return GetSelfInfo().GetString("unique_id"); }

uint32_t GetSelfInstanceId() { return GetSelfInfo().GetUint32("instance_id", 0); }

int32_t GetSelfRoleType() { return GetSelfInfo().GetInt32("role_type", -1); }

bool IsSelfHost() { return GetSelfInfo().GetBoolean("host", false); }

bool IsSelfCoHost() { return GetSelfInfo().GetBoolean("co_host", false); }

bool IsSelfHostOrCoHost() { return IsHostWithUserInfo(GetSelfInfo()); }

bool IsHostWithUserInfo(const Variant& record) {
  return record.GetBoolean("host", false) || record.GetBoolean("co_host", false);
}

bool IsUserHost(const std::string& app_id, const std::string& app_uid) {
  if (app_id.empty() || app_uid.empty()) return false;
  std::string host_app_id;
  std::string host_app_uid;
  return GetHostAppIdAndAppUid(host_app_id, host_app_uid) && host_app_id == app_id && host_app_uid == app_uid;
}

bool IsUserOnlyHost(const Variant& record) {
  return record.GetBoolean("host", false) && !record.GetBoolean("co_host", false);
}

bool IsUserOnlyCohost(const Variant& record) {
  return record.GetBoolean("co_host", false) && !record.GetBoolean("host", false);
}

bool IsUserSelf(const std::string& user_id) {
  const Variant& record = GetUserInfo(UserModel(), user_id);
  const std::string app_id = record.GetString("app_id");
  const std::string app_uid = record.GetString("app_uid");
  if (app_id.empty() || app_uid.empty()) return false;
  const Variant self = GetSelfInfo();
  return app_id == self.GetString("app_id") && app_uid == self.GetString("app_uid");
}

bool IsVisibleUser(const Variant& record, veltosdk::InMeetingUserInvisible invisible) {
  if (invisible == veltosdk::kInMeetingUserInvisibleNone) return true;
  return (record.GetInt32("user_invisible", 0) & static_cast<int32_t>(invisible)) == 0;
}

const Variant& GetUserInfoByStreamId(framework::Model* model, const std::string& stream_id) {
  if (!model || stream_id.empty()) return Variant::EmptyVariant();
  const int64_t index = GetUserIndexByStreamId(stream_id);
  return index < 0 ? Variant::EmptyVariant() : GetUserInfo(model, index);
}

// The invite list holds invitees' indexes, or their records carrying "user_index".
Variant GetInviteInfoByIndex(int64_t index) {
  const Variant invitees = GetInviteUserIndexList();
  for (const Variant& entry : invitees.Elements()) {
    if (entry.IsMap() && entry.GetInteger("user_index", -1) == index) return entry;
    if (entry.IsInteger() && entry.AsInteger() == index) return RecordAt(index);
  }
  return Variant();
}

Variant GetInviteInfoByUserId(const std::string& user_id) {
  const Variant index = GetUserIndex(user_id);
  return index.IsInteger() ? GetInviteInfoByIndex(index.AsInteger()) : Variant();
}

Variant GetUserOrInviteInfoByIndex(int64_t index) {
  const Variant& record = RecordAt(index);
  return record.IsNull() ? GetInviteInfoByIndex(index) : record;
}

int32_t GetUserStatusByIndex(int64_t index) { return RecordAt(index).GetInt32("status", -1); }

int32_t GetUserTypeByIndex(int64_t index) { return RecordAt(index).GetInt32("type", -1); }

bool IsShowAllUserCount() {
  return velto::model::QueryValue<bool>(velto::model_id::kMeetingSettingsModel, kMeetingSettings, nullptr,
                                        {"allow_look_audience_count"}, false);
}

}  // namespace velto_common::utils::member
