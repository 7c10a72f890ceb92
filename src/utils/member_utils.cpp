#include "module_api/member_utils.h"

#include "framework/module/module.h"
#include "module_api/log.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"

namespace velto_common::utils::member {

using velto::model::Variant;
using velto::model_id::kUserModel;

namespace cmd {
constexpr int kSelfInfo = 1;
constexpr int kUserIndexList = 2;
constexpr int kUserCount = 3;
constexpr int kUserInfoByIndex = 4;
constexpr int kOldUserInfoByIndex = 5;
constexpr int kUserIndexByUserId = 7;
constexpr int kForceAudioMode = 26;  // of the meeting model
}  // namespace cmd

int32_t GetUserCount(veltosdk::InMeetingUserInvisible invisible) {
  Variant answer;
  if (invisible == veltosdk::kInMeetingUserInvisibleNone) {
    velto::model::Call(kUserModel, cmd::kUserCount, nullptr, &answer);
  } else {
    Variant argument = Variant::Map();
    argument["source_type"] = static_cast<int64_t>(invisible);
    velto::model::Call(kUserModel, cmd::kUserCount, &argument, &answer);
  }
  // A count reads as 0 whatever went wrong; the call has logged failures already.
  return answer.AsInt32();
}

Variant GetSelfInfo() { return velto::model::QueryAnswer(kUserModel, cmd::kSelfInfo); }

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
  if (!model->Call(command, &argument, &answer) || !answer.IsPointer() || !answer.AsPointer()) {
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
  Variant answer;
  bool called;
  if (invisible == veltosdk::kInMeetingUserInvisibleNone) {
    called = velto::model::Call(kUserModel, cmd::kUserIndexList, nullptr, &answer);
  } else {
    Variant argument = Variant::Map();
    argument["source_type"] = static_cast<int64_t>(invisible);
    called = velto::model::Call(kUserModel, cmd::kUserIndexList, &argument, &answer);
  }
  if (!called) return Variant::Array();
  if (!answer.IsArray()) {
    velto::model::LogWrongKind(kUserModel, cmd::kUserIndexList, {}, base::Location::Current());
    return Variant::Array();
  }
  return answer;
}

const Variant& GetUserInfo(framework::Model* model, const std::string& user_id) {
  const Variant index = GetUserIndex(user_id);
  if (!index.IsInteger()) return Variant::EmptyVariant();
  return GetUserInfo(model, index.AsInteger());
}

Variant GetUserIndex(const std::string& user_id) {
  Variant argument(user_id);
  Variant answer = velto::model::QueryAnswer(kUserModel, cmd::kUserIndexByUserId, &argument);
  if (!answer.IsInteger() || answer.AsInteger() == -1) return Variant();
  return answer;
}

bool IsForceAudioMode() {
  framework::Model* meeting = framework::module::GetAppModuleModel(velto::model_id::kMeetingModel);
  if (!meeting) {
    VELTO_LOG(velto::log::kFailure) << "room_model is null!";
    return false;
  }
  Variant answer;
  if (!meeting->Call(cmd::kForceAudioMode, nullptr, &answer)) return false;
  return answer.GetBoolean("enable", false);
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

}  // namespace velto_common::utils::member
