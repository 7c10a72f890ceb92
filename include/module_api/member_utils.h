// Questions about the users of the meeting, answered from the user model (508).
//
//   framework::Model* users = framework::module::GetAppModuleModel(508);
//   const base::variant::Variant& record = velto_common::utils::member::GetUserInfo(users, user_id);
//   if (record.IsMap() && record.GetBoolean("host")) ...
//
// Records handed out by reference belong to the user model: read them before the next model
// event and never keep the reference.
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"
#include "framework/model.h"
#include "module_api/export.h"
#include "veltosdk/meeting_types.h"

namespace velto_common::utils::member {

// Users in the meeting, leaving out those whose "user_invisible" bits meet `invisible`; 0 when
// the model cannot say.
VELTO_API int32_t GetUserCount(veltosdk::InMeetingUserInvisible invisible = veltosdk::kInMeetingUserInvisibleNone);

// The local user's record (command 1); null when the model cannot answer.
VELTO_API base::variant::Variant GetSelfInfo();
VELTO_API std::string GetSelfUserID();
VELTO_API std::string GetSelfAppId();
VELTO_API std::string GetSelfAppUid();
// 0 when unknown.
VELTO_API uint64_t GetSelfTinyID();

// The record the model holds for a user index (command 4 answers a pointer to it); the empty
// Variant when the model is null or cannot answer.
VELTO_API const base::variant::Variant& GetUserInfo(framework::Model* model, int64_t index);
// The same by user id, through the index the model gives for it.
VELTO_API const base::variant::Variant& GetUserInfo(framework::Model* model, const std::string& user_id);
// The user index of a user id (command 7); the empty Variant when the model answers -1 or fails.
VELTO_API base::variant::Variant GetUserIndex(const std::string& user_id);

// The meeting forces everyone but the presenter to audio only (meeting model 514, command 26).
VELTO_API bool IsForceAudioMode();
// Whether the record's user shows a picture: "video_on", and in force audio mode only the local
// user's. A record that is not a map logs "need check params!" and answers false.
VELTO_API bool IsPureVideoAvailable(const base::variant::Variant& record);

}  // namespace velto_common::utils::member
