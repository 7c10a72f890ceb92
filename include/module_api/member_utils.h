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
#include <functional>
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
// The indexes of the users not hidden by `invisible` (command 2); an empty list on failure.
VELTO_API base::variant::Variant GetUserIndexList(
    veltosdk::InMeetingUserInvisible invisible = veltosdk::kInMeetingUserInvisibleNone);
// The record the user had before the update being delivered now (command 5); the empty
// Variant when the model has none.
VELTO_API const base::variant::Variant& GetOldUserInfo(framework::Model* model, int64_t index);

// Ordering of member lists. A comparison answers true when record `a` sorts before `b`.
using UserCompareFunc = std::function<bool(const base::variant::Variant& a, const base::variant::Variant& b)>;

// The sum of the weights of the record's true role and media keys ("self" 512 ... 1).
VELTO_API uint16_t GetSortPriority(const base::variant::Variant& record);
// Higher priority first; then, for byte-equal nicknames, the smaller "user_id"; otherwise the
// nicknames in the current language's collation order (pinyin order for Chinese).
VELTO_API bool CompareSortUser(const base::variant::Variant& a, const base::variant::Variant& b);
// Sorts a list of user indexes by CompareSortUser over their records.
VELTO_API void SortUser(base::variant::Variant& index_list);
// Sorts a list of user indexes with `compare` over their records. A list whose first entry is
// not an integer is left as it is and reported once per process.
VELTO_API void SortUserIndexList(base::variant::Variant& index_list, const UserCompareFunc& compare);
// Inserts `index` before the first entry whose record does not sort before the new user's, and
// returns that position.
VELTO_API int32_t InsertToUserList(base::variant::Variant& index_list, const base::variant::Variant& index,
                                   const UserCompareFunc& compare);
// The position of `index` in the list; -1 when absent.
VELTO_API int32_t IndexInUserList(const base::variant::Variant& index_list, const base::variant::Variant& index);

// The meeting forces everyone but the presenter to audio only (meeting model 514, command 26).
VELTO_API bool IsForceAudioMode();
// Whether the record's user shows a picture: "video_on", and in force audio mode only the local
// user's. A record that is not a map logs "need check params!" and answers false.
VELTO_API bool IsPureVideoAvailable(const base::variant::Variant& record);

}  // namespace velto_common::utils::member
