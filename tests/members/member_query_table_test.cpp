// The member family's record readers, roles, ordering and key helpers, and the webinar roles and
// stages, against the fixture's answers, a missing user or meeting model, a failing call and
// every wrong kind of answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/context.h"
#include "framework/module/module.h"
#include "hostkit/navigation.h"
#include "module_api/members/member_features.h"
#include "module_api/members/member_records.h"
#include "module_api/members/member_utils.h"
#include "module_api/members/webinar_utils.h"
#include "module_api/model_ids.h"
#include "query_table.h"

namespace {

namespace member = velto_common::utils::member;
namespace webinar = velto_common::utils::webinar;
namespace id = velto::model_id;
using hostkit::Json;
using hostkit::MeetingFixture;
using namespace query_table;

// Fixture indexes: the local user first, then "u-1" (Alice) to "u-4" (Dave).
constexpr int64_t kSelf = 1;
constexpr int64_t kAlice = 2;

framework::Model* Users() { return framework::module::GetAppModuleModel(id::kUserModel); }

// The self record is read key by key with defaults: a key of another kind reads as the default,
// but an answer that is not a record at all is a fault of the model.
Source Self() { return Flat(Fixture(id::kUserModel, 1)); }

// Lookups by index are asked for users that have just left as a matter of course: a failing call
// is not worth a record, a missing model or an answer of the wrong kind is.
Source ByIndex(int command = 4) {
  Source source = Fixture(id::kUserModel, command);
  source.logs_when_failing = false;
  return source;
}

// The caller hands the model in: a missing model is the caller's null, not looked up here.
Source GivenModel(Source source) {
  source.logs_when_missing = false;
  return source;
}

Source UserUpdated(Source source, const char* user_id, const char* changes) {
  return With(std::move(source),
              [user_id, changes](MeetingFixture& meeting) { meeting.UpdateUser(user_id, Json(changes)); });
}

std::string UserIdOf(const Variant& record) {
  if (record.IsNull()) return "null";
  return record.IsMap() ? record.GetString("user_id") : "not a record";
}

std::string NicknameOf(const Variant& record) {
  if (record.IsNull()) return "null";
  return record.IsMap() ? record.GetString("nickname") : "not a record";
}

Variant Indexes(std::initializer_list<int64_t> indexes) {
  Variant list = Variant::Array();
  for (int64_t index : indexes) list.Add(static_cast<long long>(index));
  return list;
}

// An invitee who is not in the meeting, kept by the invite list as a record.
Source Invitees() {
  return Answered(id::kUserModel, 85, Json(R"([{"user_index": 9, "user_id": "i-9", "nickname": "Ivy"},
                                                {"user_index": 2, "user_id": "u-1", "nickname": "Invited Alice"}])"));
}

std::vector<Row> SelfRows() {
  return {
      {"GetSelfInfo", Self(), [] { return UserIdOf(member::GetSelfInfo()); }, "u-self", "null", "=", "=", ""},
      {"GetSelfUserID", Self(), [] { return member::GetSelfUserID(); }, "u-self", ""},
      {"GetSelfAppId", Self(), [] { return member::GetSelfAppId(); }, "1400000001", ""},
      {"GetSelfAppUid", Self(), [] { return member::GetSelfAppUid(); }, "uid-u-self", ""},
      {"GetSelfTinyID", Self(), [] { return Text(static_cast<unsigned long>(member::GetSelfTinyID())); }, "10001", "0"},
      {"GetSelfUniqueId", Self(), [] { return member::GetSelfUniqueId(); }, "unique-u-self", ""},
      {"GetSelfInstanceId", Self(), [] { return Text(member::GetSelfInstanceId()); }, "1", "0"},
      {"GetSelfRoleType", UserUpdated(Self(), "u-self", R"({"role_type": 3})"),
       [] { return Text(member::GetSelfRoleType()); }, "3", "-1"},
      {"IsSelfHost", Self(), [] { return Text(member::IsSelfHost()); }, "true", "false"},
      {"IsSelfCoHost", UserUpdated(Self(), "u-self", R"({"host": false, "co_host": true})"),
       [] { return Text(member::IsSelfCoHost()); }, "true", "false"},
      {"IsSelfHostOrCoHost", Self(), [] { return Text(member::IsSelfHostOrCoHost()); }, "true", "false"},
      {"IsUserSelf", Self(), [] { return Text(member::IsUserSelf("u-self")); }, "true", "false"},
      {"IsUserHost", Flat(Fixture(id::kUserModel, 12)),
       [] { return Text(member::IsUserHost("1400000001", "uid-u-self")); }, "true", "false"},
  };
}

std::vector<Row> RecordRows() {
  return {
      {"GetUserCount",
       [] {
         Source source = Fixture(id::kUserModel, 3);
         source.logs_when_wrong = false;  // a count reads as 0 whatever was answered
         return source;
       }(),
       [] { return Text(member::GetUserCount()); }, "5", "0"},
      {"GetUserIndexList", Fixture(id::kUserModel, 2), [] { return Text(member::GetUserIndexList()); }, "[1,2,3,4,5]",
       "[]"},
      {"GetUserInfo", GivenModel(ByIndex()), [] { return UserIdOf(member::GetUserInfo(Users(), kAlice)); }, "u-1",
       "null"},
      {"GetUserInfo", GivenModel(ByIndex()), [] { return UserIdOf(member::GetUserInfo(Users(), std::string("u-2"))); },
       "u-2", "null"},
      {"GetOldUserInfo", GivenModel(UserUpdated(ByIndex(5), "u-1", R"({"nickname": "Al"})")),
       [] { return NicknameOf(member::GetOldUserInfo(Users(), kAlice)); }, "Alice", "null"},
      {"GetUserInfoByStreamId", GivenModel(Fixture(id::kUserModel, 8)),
       [] { return UserIdOf(member::GetUserInfoByStreamId(Users(), "video-u-3")); }, "u-3", "null"},
      {"GetUserId", ByIndex(), [] { return member::GetUserId(kAlice); }, "u-1", ""},
      {"GetUserTypeByIndex", UserUpdated(ByIndex(), "u-1", R"({"type": 5})"),
       [] { return Text(member::GetUserTypeByIndex(kAlice)); }, "5", "-1"},
      {"GetInviteInfoByIndex", Invitees(), [] { return NicknameOf(member::GetInviteInfoByIndex(9)); }, "Ivy", "null"},
      {"GetInviteInfoByUserId", Invitees(), [] { return NicknameOf(member::GetInviteInfoByUserId("u-1")); },
       "Invited Alice", "null"},
      {"GetUserOrInviteInfoByIndex", Invitees(), [] { return NicknameOf(member::GetUserOrInviteInfoByIndex(9)); },
       "Ivy", "null"},
      {"EnumerateUserList", Fixture(id::kUserModel, 2),
       [] {
         std::string seen;
         member::EnumerateUserList([&seen](const Variant& record, bool& stop) {
           seen += record.GetString("user_id") + " ";
           stop = record.GetString("user_id") == "u-2";
         });
         return seen;
       },
       "u-self u-1 u-2 ", ""},
      {"GetUserIdByUserIdParam", Flat(Fixture(id::kUserModel, 82)),
       [] {
         veltosdk::UserIdParam param;
         param.unique_id = "unique-u-2";
         return member::GetUserIdByUserIdParam(param);
       },
       "u-2", ""},
      {"RobotFilter", UserUpdated(ByIndex(), "u-1", R"({"instance_id": 55, "robot_user_type": 3})"),
       [] { return Text(member::RobotFilter(kAlice)); }, "true", "false"},
      {"RefreshUserOrgInfo", CallResult(id::kUserModel, 110, true),
       [] {
         const std::string result = Text(member::RefreshUserOrgInfo({"u-1", "u-2"}));
         return result + " " + LastArgument(id::kUserModel, 110);
       },
       R"(true {"user_id_list":["u-1","u-2"]})", "false none", R"(false {"user_id_list":["u-1","u-2"]})"},
      {"ResolveScheduleMeetingType",
       With(Answered(id::kScheduleModel, 12, true),
            [](MeetingFixture& meeting) { meeting.SetClientSetting("schedule.meeting.type", 2); }),
       [] { return Text(member::ResolveScheduleMeetingType()); }, "2", "0"},
  };
}

// Media and ordering questions that read records through the user or meeting model.
std::vector<Row> MediaAndOrderRows() {
  // Force audio mode hides everybody's picture but the local user's.
  const Source force_audio = Answered(id::kMeetingModel, 26, Json(R"({"enable": true})"), Variant("wrong kind"), false);
  const Variant other_with_video = Json(R"({"self": false, "video_on": true, "screen": false})");
  return {
      {"IsForceAudioMode", force_audio, [] { return Text(member::IsForceAudioMode()); }, "true", "false"},
      {"IsPureVideoAvailable", force_audio,
       [other_with_video] { return Text(member::IsPureVideoAvailable(other_with_video)); }, "false", "true"},
      {"IsPureAudioAvailable", force_audio,
       [other_with_video] { return Text(member::IsPureAudioAvailable(other_with_video)); }, "true", "false"},
      {"SortUser", ByIndex(),
       [] {
         Variant list = Indexes({4, 3, kAlice, kSelf});
         member::SortUser(list);
         return Text(list);
       },
       "[1,2,3,4]", "[4,3,2,1]"},
      {"SortUserIndexList", ByIndex(),
       [] {
         Variant list = Indexes({4, kAlice});
         member::SortUserIndexList(list, nullptr);
         return Text(list);
       },
       "[2,4]", "[4,2]"},
      {"InsertToUserList", ByIndex(),
       [] {
         Variant list = Indexes({kAlice, 4});
         const int32_t position = member::InsertToUserList(list, Variant(3), nullptr);
         return Text(position) + " " + Text(list);
       },
       // Without records nobody sorts before the newcomer.
       "1 [2,3,4]", "0 [3,2,4]"},
  };
}

// Pure functions of their arguments: no model is asked.
std::vector<Row> ArgumentRows() {
  const Variant host = Json(R"({"user_id": "h", "nickname": "Hal", "host": true, "co_host": false, "self": true})");
  const Variant guest = Json(R"({"user_id": "g", "nickname": "Gus", "co_host": true, "user_invisible": 2})");
  return {
      {"GetSortPriority", None(), [host] { return Text(member::GetSortPriority(host)); }, "768", ""},
      {"CompareSortUser", None(),
       [host, guest] {
         return Text(member::CompareSortUser(host, guest)) + Text(member::CompareSortUser(guest, host));
       },
       "truefalse", ""},
      // The fields point into the record; a value that is no record reads as nobody in particular.
      {"GetSortUserFields", None(),
       [host] {
         const member::SortUserFields fields = member::GetSortUserFields(host);
         const member::SortUserFields none = member::GetSortUserFields(Variant(3));
         return Text(fields.priority) + std::string(fields.nickname) + std::string(fields.user_id) + "|" +
                Text(none.priority) + std::string(none.nickname) + std::string(none.user_id);
       },
       "768Halh|0", ""},
      // The same answers as CompareSortUser of the records, both ways round.
      {"CompareSortUserFields", None(),
       [host, guest] {
         const member::SortUserFields a = member::GetSortUserFields(host);
         const member::SortUserFields b = member::GetSortUserFields(guest);
         return Text(member::CompareSortUserFields(a, b)) + Text(member::CompareSortUserFields(b, a));
       },
       "truefalse", ""},
      {"IndexInUserList", None(), [] { return Text(member::IndexInUserList(Indexes({5, 7}), Variant(7))); }, "1", ""},
      {"IsHostWithUserInfo", None(), [guest] { return Text(member::IsHostWithUserInfo(guest)); }, "true", ""},
      {"IsUserOnlyHost", None(), [host] { return Text(member::IsUserOnlyHost(host)); }, "true", ""},
      {"IsUserOnlyCohost", None(), [guest] { return Text(member::IsUserOnlyCohost(guest)); }, "true", ""},
      {"IsVisibleUser", None(),
       [guest] {
         return Text(member::IsVisibleUser(guest, static_cast<veltosdk::InMeetingUserInvisible>(2))) +
                Text(member::IsVisibleUser(guest, veltosdk::kInMeetingUserInvisibleNone));
       },
       "falsetrue", ""},
      {"IsRobot", None(), [] { return Text(member::IsRobot(70)) + Text(member::IsRobot(71)); }, "truefalse", ""},
      {"RobotFilter", None(), [] { return Text(member::RobotFilter(int32_t{2}, uint64_t{60})); }, "true", ""},
      {"IsRoomsDevice", None(), [] { return Text(member::IsRoomsDevice(21)); }, "true", ""},
      {"IsRoomsController", None(), [] { return Text(member::IsRoomsController(31)); }, "false", ""},
      {"RemoveKeys", None(),
       [] {
         Variant record = Json(R"({"nickname": "x", "tiny_id": 3, "volume": 9})");
         member::RemoveKeys(record);
         return Text(record);
       },
       R"({"nickname":"x"})", ""},
      {"SimplifyKeys", None(),
       [] {
         Variant record = Json(R"({"nickname": "x", "extra": 1})");
         member::SimplifyKeys(record);
         return Text(record);
       },
       R"({"extra":1,"e":"x"})", ""},
      {"ConvertCommonUserIdToUserIdParam", None(),
       [] {
         const member::UserId user_id(Json(R"({"app_id": "a", "app_uid": "b", "instance_id": 3})"));
         const veltosdk::UserIdParam param = member::ConvertCommonUserIdToUserIdParam(user_id);
         return param.app_id + param.app_uid + Text(param.instance_id);
       },
       "ab3", ""},
      {"ConvertUserIdParamToCommonUserId", None(),
       [] {
         veltosdk::UserIdParam param;
         param.unique_id = "u";
         param.device_type = 4;
         const member::UserId user_id = member::ConvertUserIdParamToCommonUserId(param);
         return user_id.unique_id + Text(user_id.device_type);
       },
       "u4", ""},
      {"OpenSelectMembersPanel", None(),
       [] {
         member::OpenSelectMembersPanel(std::make_shared<framework::Context>(1), "app-1", true, Variant(), nullptr);
         const auto& navigations = hostkit::Navigations();
         if (navigations.empty()) return std::string("none");
         return navigations.back().page + " " + navigations.back().arguments.GetString("open_app_id");
       },
       "velto://page/inmeeting/member/select_members app-1", ""},
  };
}

Source MeetingItem(const char* item) {
  Variant good = Variant::Map();
  good["meeting_item"] = Json(item);
  return Answered(id::kMeetingModel, 3, good);
}

std::vector<Row> WebinarRows() {
  const Variant attendee = Json(R"({"is_attendee": true, "role_type": 4, "is_allow_speak": true})");
  // The meeting model says when there is none at all, at level 4, before giving up.
  Source preparing = MeetingItem(R"({"meeting_type_flags": 1, "preparation_state": 1, "has_warm_up": true})");
  preparing.logs_when_missing = false;
  return {
      {"IsMeetingWebinar", CallResult(id::kMeetingModel, 95), [] { return Text(webinar::IsMeetingWebinar()); }, "true",
       "false"},
      {"IsMeetingWebinar", None(), [] { return Text(webinar::IsMeetingWebinar(uint64_t{3})); }, "true", ""},
      {"SelfIsHost", Self(), [] { return Text(webinar::SelfIsHost()); }, "true", "false"},
      {"SelfIsCoHost", UserUpdated(Self(), "u-self", R"({"co_host": true})"),
       [] { return Text(webinar::SelfIsCoHost()); }, "true", "false"},
      {"SelfIsAttendee", UserUpdated(Self(), "u-self", R"({"host": false, "is_attendee": true})"),
       [] { return Text(webinar::SelfIsAttendee()); }, "true", "false"},
      {"SelfIsPanelist", UserUpdated(Self(), "u-self", R"({"host": false})"),
       // A self record without role keys is a panelist's.
       [] { return Text(webinar::SelfIsPanelist()); }, "true", "false", "=", "=", "true"},
      {"SelfIsNotAllowSpeakAttendee",
       UserUpdated(Self(), "u-self", R"({"is_attendee": true, "is_allow_speak": false})"),
       [] { return Text(webinar::SelfIsNotAllowSpeakAttendee()); }, "true", "false"},
      {"SelfRoleType", UserUpdated(Self(), "u-self", R"({"role_type": 2})"),
       [] { return Text(webinar::SelfRoleType()); }, "2", "-1"},
      {"IsAttendeeUser", None(), [attendee] { return Text(webinar::IsAttendeeUser(attendee)); }, "true", ""},
      {"IsWebinarPanelist", None(), [attendee] { return Text(webinar::IsWebinarPanelist(attendee)); }, "false", ""},
      {"UserIsAttendee", UserUpdated(ByIndex(), "u-2", R"({"is_attendee": true})"),
       [] { return Text(webinar::UserIsAttendee("u-2")); }, "true", "false"},
      {"GetAnalyticeRoleTypeFromUserInfo", None(),
       [attendee] { return Text(webinar::GetAnalyticeRoleTypeFromUserInfo(attendee)); }, "5", ""},
      {"GetAnalyticeRoleType", UserUpdated(Self(), "u-self", R"({"role_type": 1})"),
       [] { return Text(webinar::GetAnalyticeRoleType()); }, "1", "-1"},
      {"GetReportWebinarRole", With(Self(), [](MeetingFixture& meeting) { meeting.meeting().Succeed(95); }),
       [] { return webinar::GetReportWebinarRole(); }, "host", "", "=", "=", "panelist"},
      {"IsMeetingWebinarPreparationMode", None(),
       [] {
         const Variant item = Json(R"({"meeting_type_flags": 1, "preparation_state": 2})");
         return Text(webinar::IsMeetingWebinarPreparationMode(&item));
       },
       "true", ""},
      {"IsWebinarMeetingStatePreparating", None(),
       [] {
         const Variant item = Json(R"({"meeting_type_flags": 1, "preparation_state": 2})");
         return Text(webinar::IsWebinarMeetingStatePreparating(&item));
       },
       "false", ""},
      {"IsCurrentWebinarPreparationMode", MeetingItem(R"({"is_preparation_state": true})"),
       [] { return Text(webinar::IsCurrentWebinarPreparationMode()); }, "true", "false"},
      {"HasWebinarPreparationMode", preparing, [] { return Text(webinar::HasWebinarPreparationMode()); }, "true",
       "false"},
      {"HasWebinarWarmUpMode", preparing, [] { return Text(webinar::HasWebinarWarmUpMode()); }, "true", "false"},
  };
}

QUERY_TABLE_TEST(MemberQueryTable, SelfRecordAndRoles, "member", SelfRows)

QUERY_TABLE_TEST(MemberQueryTable, RecordsByIndexIdStreamAndInvitation, "member", RecordRows)

QUERY_TABLE_TEST(MemberQueryTable, MediaAndOrdering, "member", MediaAndOrderRows)

QUERY_TABLE_TEST(MemberQueryTable, ArgumentsOnly, "member", ArgumentRows)

QUERY_TABLE_TEST(WebinarQueryTable, RolesAndStages, "webinar", WebinarRows)

}  // namespace
