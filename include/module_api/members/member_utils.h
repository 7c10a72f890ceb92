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
#include <string_view>

#include "base/variant/variant.h"
#include "framework/model.h"
#include "module_api/export.h"
#include "veltosdk/meeting_types.h"

namespace velto_common::utils::member {

// Users in the meeting, leaving out those whose "user_invisible" bits meet `invisible`; 0 when
// the model cannot say.
VELTO_API int32_t GetUserCount(veltosdk::InMeetingUserInvisible invisible = veltosdk::kInMeetingUserInvisibleNone);

// The local user's record (command 1); null when the model cannot answer or answers no record.
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
// What CompareSortUser reads of a record, for ordering many records with one read each:
// CompareSortUserFields of two records' fields answers exactly as CompareSortUser of the
// records. The views are the record's own and valid while it is unchanged.
struct SortUserFields {
  uint16_t priority = 0;
  std::string_view nickname;
  std::string_view user_id;
};
VELTO_API SortUserFields GetSortUserFields(const base::variant::Variant& record);
VELTO_API bool CompareSortUserFields(const SortUserFields& a, const SortUserFields& b);
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
// Whether the record's user is heard but not seen: always for a telephone robot
// ("robot_user_type" 3); in force audio mode, for others than the local user, when not sharing;
// otherwise with neither video nor sharing. A record that is not a map logs "need check params!".
VELTO_API bool IsPureAudioAvailable(const base::variant::Variant& record);

// More lookups of the user model. Records are returned as copies unless the name says otherwise.

// The user index of a stream (command 8); -1 when unknown.
VELTO_API int64_t GetUserIndexByStreamId(const std::string& stream_id);
// The index of the user whose screen is shared (command 11); -1 when nobody shares.
VELTO_API int64_t GetScreenIndex();
// The host's identity (command 12); false, and both left empty, when there is no host.
VELTO_API bool GetHostAppIdAndAppUid(std::string& app_id, std::string& app_uid);
// Waiting room: the nickname of a waiting user (35), how many wait (36), and whether the user
// is on the waiting room's host list (37).
VELTO_API std::string GetNicknameFromWaitingRoomByAppIdUid(const std::string& app_id, const std::string& app_uid);
VELTO_API int32_t GetWaitingMemberCount();
VELTO_API bool IsInWaitingRoomHostList(const std::string& app_id, const std::string& app_uid);
// Deprecated lookups by app uid (47) and by identity (73); prefer GetUserInfoByUniqueId.
VELTO_API bool GetUserInfoByAppUid(const std::string& app_uid, base::variant::Variant& info);
VELTO_API bool GetUserInfoByAppIdAndAppUid(const std::string& app_id, const std::string& app_uid,
                                           base::variant::Variant& info);
// The record of a unique id (82) into `*info`; false, logged, for a null `info` or a failure.
VELTO_API bool GetUserInfoByUniqueId(const std::string& unique_id, base::variant::Variant* info);
// Invited users who have not joined: their indexes (85) and how many (86).
VELTO_API base::variant::Variant GetInviteUserIndexList();
VELTO_API int32_t GetInviteUserListSize();
// The invitees a webinar shows (109); an empty list on failure.
VELTO_API base::variant::Variant GetWebinarShowInviteList();

// Calls `visit` with each visible user's record, in the model's order, until it sets `stop`.
using UserVisitor = std::function<void(const base::variant::Variant& record, bool& stop)>;
VELTO_API void EnumerateUserList(const UserVisitor& visit,
                                 veltosdk::InMeetingUserInvisible invisible = veltosdk::kInMeetingUserInvisibleNone);

// Answers derived from the records above.

// "user_id" of the user at `index`; empty when unknown.
VELTO_API std::string GetUserId(int64_t index);
VELTO_API std::string GetSelfUniqueId();
VELTO_API uint32_t GetSelfInstanceId();  // 0 when unknown
VELTO_API int32_t GetSelfRoleType();     // -1 when unknown
VELTO_API bool IsSelfHost();
VELTO_API bool IsSelfCoHost();
VELTO_API bool IsSelfHostOrCoHost();
// "host" or "co_host" of the record.
VELTO_API bool IsHostWithUserInfo(const base::variant::Variant& record);
// Both parts non-empty and equal to the host's identity.
VELTO_API bool IsUserHost(const std::string& app_id, const std::string& app_uid);
// Host and not co-host; co-host and not host.
VELTO_API bool IsUserOnlyHost(const base::variant::Variant& record);
VELTO_API bool IsUserOnlyCohost(const base::variant::Variant& record);
// Whether the user's "app_id" and "app_uid" are the local user's.
VELTO_API bool IsUserSelf(const std::string& user_id);
// A mask of 0 shows everyone; otherwise users with a "user_invisible" bit in the mask are hidden.
VELTO_API bool IsVisibleUser(const base::variant::Variant& record, veltosdk::InMeetingUserInvisible invisible);
// The record of a stream's user (commands 8 and 4); the empty Variant when unknown.
VELTO_API const base::variant::Variant& GetUserInfoByStreamId(framework::Model* model, const std::string& stream_id);
// An invitee's record, found through the invite list; the empty Variant for others.
VELTO_API base::variant::Variant GetInviteInfoByIndex(int64_t index);
VELTO_API base::variant::Variant GetInviteInfoByUserId(const std::string& user_id);
// The record of a user in the meeting, else of an invitee.
VELTO_API base::variant::Variant GetUserOrInviteInfoByIndex(int64_t index);
// "status" and "type" of the user at `index`; -1 when unknown.
VELTO_API int32_t GetUserStatusByIndex(int64_t index);
VELTO_API int32_t GetUserTypeByIndex(int64_t index);
// Whether members may see the full audience count (meeting settings model 523, command 1).
VELTO_API bool IsShowAllUserCount();

}  // namespace velto_common::utils::member
