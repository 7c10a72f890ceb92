#include "module_api/members/member_utils.h"

#include "framework/module/module.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"
#include "utils/members/member_internal.h"

namespace velto_common::utils::member {

using velto::model::Variant;
using velto::model_id::kUserModel;

namespace cmd {
using velto::model_command::user::kSelfInfo;
using velto::model_command::user::kUserIndexList;
using velto::model_command::user::kUserCount;
using velto::model_command::user::kUserInfoByIndex;
using velto::model_command::user::kOldUserInfoByIndex;
using velto::model_command::user::kUserIndexByUserId;
using velto::model_command::user::kUserIndexByStreamId;
using velto::model_command::user::kScreenIndex;
using velto::model_command::user::kHostIdentity;
using velto::model_command::user::kWaitingNickname;
using velto::model_command::user::kWaitingMemberCount;
using velto::model_command::user::kWaitingRoomHostList;
using velto::model_command::user::kUserInfoByAppUid;
using velto::model_command::user::kUserInfoByIdentity;
using velto::model_command::user::kUserInfoByUniqueId;
using velto::model_command::user::kInviteIndexList;
using velto::model_command::user::kInviteListSize;
using velto::model_command::user::kWebinarShowInviteList;
constexpr int kForceAudioMode = velto::model_command::meeting::kAudioMode;
}  // namespace cmd

namespace {

constexpr char kDeprecated[] = "The API being deprecated! please use GetUserInfoByUniqueId.";

Variant Identity(const std::string& app_id, const std::string& app_uid) {
  Variant identity = Variant::Map();
  identity["app_id"] = app_id;
  identity["app_uid"] = app_uid;
  return identity;
}

// Record answers come as the record itself or as a pointer to the one the model keeps.
bool TakeRecord(const Variant& answer, Variant& out) {
  const Variant* record = &answer;
  if (answer.IsPointer()) record = static_cast<const Variant*>(answer.AsPointer());
  if (!record || !record->IsMap()) return false;
  out = *record;
  return true;
}

// A list answer, or an empty list (logged when the answer has another kind).
Variant ListAnswer(int command, const Variant* argument = nullptr,
                   const base::Location& from = base::Location::Current()) {
  Variant answer;
  if (!velto::model::Call(kUserModel, command, argument, &answer, from)) return Variant::Array();
  if (answer.IsArray()) return answer;
  velto::model::LogWrongKind(kUserModel, command, {}, from);
  return Variant::Array();
}

// An integer index answer; -1 on failure or another kind (logged).
int64_t IndexAnswer(int command, const Variant* argument, const base::Location& from = base::Location::Current()) {
  return velto::model::QueryValue<int64_t>(kUserModel, command, argument, {}, -1, from);
}

// The count and index-list commands take {"source_type": invisible}, and no argument at all when
// nobody is to be left out (null here).
Variant SourceTypeArgument(veltosdk::InMeetingUserInvisible invisible) {
  Variant argument;
  if (invisible != veltosdk::kInMeetingUserInvisibleNone) argument["source_type"] = static_cast<int64_t>(invisible);
  return argument;
}

}  // namespace

int32_t GetUserCount(veltosdk::InMeetingUserInvisible invisible) {
  const Variant argument = SourceTypeArgument(invisible);
  Variant answer;
  velto::model::Call(kUserModel, cmd::kUserCount, argument.IsNull() ? nullptr : &argument, &answer);
  // A count reads as 0 whatever went wrong; the call has logged failures already.
  return answer.AsInt32();
}

Variant GetSelfInfo() { return velto::model::QueryRecord(kUserModel, cmd::kSelfInfo); }

std::string GetSelfUserID() { return GetSelfInfo().GetString("user_id"); }

std::string GetSelfAppId() { return GetSelfInfo().GetString("app_id"); }

std::string GetSelfAppUid() { return GetSelfInfo().GetString("app_uid"); }

uint64_t GetSelfTinyID() { return GetSelfInfo().GetUint64("tiny_id"); }

namespace {

// Commands 4 and 5 answer a pointer to a record the model keeps.
const Variant& RecordByIndex(framework::Model* model, int command, int64_t index) {
  if (!model) return Variant::EmptyVariant();
  Variant argument(static_cast<long long>(index));
  Variant answer;
  // A failed call is how the model speaks of a user who has just left: not worth a record.
  if (!model->Call(command, &argument, &answer)) return Variant::EmptyVariant();
  if (!answer.IsPointer() || !answer.AsPointer()) {
    velto::model::LogWrongKind(kUserModel, command, {}, base::Location::Current());
    return Variant::EmptyVariant();
  }
  return *static_cast<const Variant*>(answer.AsPointer());
}

}  // namespace

const Variant& GetUserInfo(framework::Model* model, int64_t index) {
  return RecordByIndex(model, cmd::kUserInfoByIndex, index);
}

const Variant& GetOldUserInfo(framework::Model* model, int64_t index) {
  return RecordByIndex(model, cmd::kOldUserInfoByIndex, index);
}

Variant GetUserIndexList(veltosdk::InMeetingUserInvisible invisible) {
  const Variant argument = SourceTypeArgument(invisible);
  return ListAnswer(cmd::kUserIndexList, argument.IsNull() ? nullptr : &argument);
}

const Variant& GetUserInfo(framework::Model* model, const std::string& user_id) {
  const Variant index = GetUserIndex(user_id);
  if (!index.IsInteger()) return Variant::EmptyVariant();
  return GetUserInfo(model, index.AsInteger());
}

Variant GetUserIndex(const std::string& user_id) {
  Variant argument(user_id);
  Variant answer;
  if (!velto::model::Call(kUserModel, cmd::kUserIndexByUserId, &argument, &answer)) return Variant();
  if (!answer.IsInteger()) {
    velto::model::LogWrongKind(kUserModel, cmd::kUserIndexByUserId, {}, base::Location::Current());
    return Variant();
  }
  // -1 is how the model says it does not know the user: no index at all.
  if (answer.AsInteger() == -1) return Variant();
  return answer;
}

bool IsForceAudioMode() {
  framework::Model* meeting = framework::module::GetAppModuleModel(velto::model_id::kMeetingModel);
  if (!meeting) {
    VELTO_LOG(velto::log::kFailure) << "room_model is null!";
    return false;
  }
  return velto::model::QueryRecord(velto::model_id::kMeetingModel, cmd::kForceAudioMode).GetBoolean("enable", false);
}

bool IsPureVideoAvailable(const Variant& record) {
  if (!record.IsMap()) {
    VELTO_LOG(velto::log::kFailure) << "need check params!";
    return false;
  }
  const bool video_on = record.GetBoolean("video_on", false);
  if (!IsForceAudioMode()) return video_on;
  return record.GetBoolean("self", false) && video_on;
}

bool IsPureAudioAvailable(const Variant& record) {
  if (!record.IsMap()) {
    VELTO_LOG(velto::log::kFailure) << "need check params!";
    return false;
  }
  if (record.GetInt32("robot_user_type", 0) == 3) return true;  // a telephone robot is only heard
  const bool screen = record.GetBoolean("screen", false);
  if (IsForceAudioMode() && !record.GetBoolean("self", false)) return !screen;
  return !record.GetBoolean("video_on", false) && !screen;
}

int64_t GetUserIndexByStreamId(const std::string& stream_id) {
  const Variant argument(stream_id);
  return IndexAnswer(cmd::kUserIndexByStreamId, &argument);
}

int64_t GetScreenIndex() { return IndexAnswer(cmd::kScreenIndex, nullptr); }

bool GetHostAppIdAndAppUid(std::string& app_id, std::string& app_uid) {
  Variant host;
  if (!velto::model::Call(kUserModel, cmd::kHostIdentity, nullptr, &host)) return false;
  if (!host.IsMap()) {
    velto::model::LogWrongKind(kUserModel, cmd::kHostIdentity, {}, base::Location::Current());
    return false;
  }
  const std::string id = host.GetString("app_id");
  const std::string uid = host.GetString("app_uid");
  if (id.empty() || uid.empty()) return false;
  app_id = id;
  app_uid = uid;
  return true;
}

std::string GetNicknameFromWaitingRoomByAppIdUid(const std::string& app_id, const std::string& app_uid) {
  const Variant argument = Identity(app_id, app_uid);
  return velto::model::QueryValue<std::string>(kUserModel, cmd::kWaitingNickname, &argument, {}, std::string());
}

int32_t GetWaitingMemberCount() {
  return velto::model::QueryAnswer(kUserModel, cmd::kWaitingMemberCount).AsInt32();
}

bool IsInWaitingRoomHostList(const std::string& app_id, const std::string& app_uid) {
  const Variant argument = Identity(app_id, app_uid);
  return velto::model::QueryValue<bool>(kUserModel, cmd::kWaitingRoomHostList, &argument, {}, false);
}

bool GetUserInfoByAppUid(const std::string& app_uid, Variant& info) {
  VELTO_LOG(velto::log::kFailure) << kDeprecated;
  const Variant argument(app_uid);
  Variant answer;
  return velto::model::Call(kUserModel, cmd::kUserInfoByAppUid, &argument, &answer) && TakeRecord(answer, info);
}

bool GetUserInfoByAppIdAndAppUid(const std::string& app_id, const std::string& app_uid, Variant& info) {
  VELTO_LOG(velto::log::kFailure) << kDeprecated;
  if (app_id.empty() || app_uid.empty()) {
    VELTO_LOG(velto::log::kFailure) << "empty app uid or app id: app_uid = " << app_uid << ", app_id = " << app_id;
    return false;
  }
  return internal::FindUserByIdentity(app_id, app_uid, info);
}

bool internal::FindUserByIdentity(const std::string& app_id, const std::string& app_uid, Variant& info,
                                  const base::Location& from) {
  const Variant argument = Identity(app_id, app_uid);
  Variant answer;
  return velto::model::Call(kUserModel, cmd::kUserInfoByIdentity, &argument, &answer, from) &&
         TakeRecord(answer, info);
}

bool GetUserInfoByUniqueId(const std::string& unique_id, Variant* info) {
  Variant answer;
  if (info) {
    Variant argument = Variant::Map();
    argument["unique_id"] = unique_id;
    if (velto::model::Call(kUserModel, cmd::kUserInfoByUniqueId, &argument, &answer) && TakeRecord(answer, *info)) {
      return true;
    }
  }
  VELTO_LOG(velto::log::kFailure) << "get user info by unique id failed!";
  return false;
}

Variant GetInviteUserIndexList() { return ListAnswer(cmd::kInviteIndexList); }

int32_t GetInviteUserListSize() { return velto::model::QueryAnswer(kUserModel, cmd::kInviteListSize).AsInt32(); }

Variant GetWebinarShowInviteList() { return ListAnswer(cmd::kWebinarShowInviteList); }

void EnumerateUserList(const UserVisitor& visit, veltosdk::InMeetingUserInvisible invisible) {
  if (!visit) return;
  const Variant indexes = GetUserIndexList(invisible);
  framework::Model* model = framework::module::GetAppModuleModel(kUserModel);
  bool stop = false;
  for (const Variant& index : indexes.Elements()) {
    if (!index.IsInteger()) continue;
    const Variant& record = GetUserInfo(model, index.AsInteger());
    if (record.IsNull()) continue;  // left between the two calls
    visit(record, stop);
    if (stop) break;
  }
}

}  // namespace velto_common::utils::member
