// Questions about webinars: whether the meeting is one, what role the local user and other users
// play in it, its preparation and warm-up stages, and the entries it offers.
//
//   if (velto_common::utils::webinar::IsMeetingWebinar() && velto_common::utils::webinar::SelfIsAttendee()) ...
//
// Roles come from user records: "host", "co_host", "is_attendee", "is_allow_speak", "role_type".
// A webinar's roles are host, co-host, panelist (every other non-attendee) and attendee.
#pragma once

#include <cstdint>
#include <string>

#include "base/variant/variant.h"
#include "module_api/export.h"

namespace velto_common::utils::webinar {

// Bit 0 of the meeting type flags.
VELTO_API bool IsMeetingWebinar(uint64_t meeting_type_flags);
// Applies the flag test to "meeting_type_flags" of a meeting item; false for null.
VELTO_API bool IsMeetingWebinar(const base::variant::Variant* meeting_item);
// Asks the meeting model whether the current meeting is a webinar.
VELTO_API bool IsMeetingWebinar();

// The local user's role, from the self record.
VELTO_API bool SelfIsHost();
VELTO_API bool SelfIsCoHost();
VELTO_API bool SelfIsAttendee();
VELTO_API bool SelfIsPanelist();
// An attendee who may not speak ("is_allow_speak" false).
VELTO_API bool SelfIsNotAllowSpeakAttendee();
// "role_type" of the self record; -1, logged "no has role_type", when it has none.
VELTO_API int32_t SelfRoleType();
// Roles of a given record.
VELTO_API bool IsAttendeeUser(const base::variant::Variant& record);
VELTO_API bool IsWebinarPanelist(const base::variant::Variant& record);
// false, logged "user not found, id: <id>", for a user the user model does not know.
VELTO_API bool UserIsAttendee(const std::string& user_id);

// Role codes for reports and analytics.
enum AnalyticsRole : int32_t {
  kAnalyticsRoleUnknown = -1,
  kAnalyticsRoleHost = 1,
  kAnalyticsRoleCoHost = 2,
  kAnalyticsRolePanelist = 3,
  kAnalyticsRoleAttendee = 4,
  kAnalyticsRoleSpeakingAttendee = 5,  // an attendee allowed to speak
};
// From "role_type" (or, when it is 0 or missing, the older "user_type") and, for attendees,
// "is_allow_speak". Anything else logs "role type error" and gives kAnalyticsRoleUnknown.
VELTO_API int32_t GetAnalyticeRoleTypeFromUserInfo(const base::variant::Variant& record);
VELTO_API int32_t GetAnalyticeRoleType();  // of the local user
// The local user's role as webinar reports name it: "host", "cohost", "panelist", "attendee";
// empty outside a webinar.
VELTO_API std::string GetReportWebinarRole();

// Preparation stage. "preparation_state" of a meeting item: 0 none, 1 preparing, 2 finished.
// A webinar scheduled with a preparation stage.
VELTO_API bool IsMeetingWebinarPreparationMode(const base::variant::Variant* meeting_item);
// A webinar in its preparation stage now.
VELTO_API bool IsWebinarMeetingStatePreparating(const base::variant::Variant* meeting_item);
// The current meeting's "is_preparation_state" (meeting model, command 3).
VELTO_API bool IsCurrentWebinarPreparationMode();
// The current meeting is a webinar with a preparation stage / with a warm-up ("has_warm_up").
// A missing meeting model logs "no room model, just return".
VELTO_API bool HasWebinarPreparationMode();
VELTO_API bool HasWebinarWarmUpMode();

// Entries: questions and answers ("show_qa_entry"), adding member managers
// ("member_manager_entrance"), both of the current meeting item; telephone dial-in for webinars
// (configuration item "meeting-ability" "webinar_pstn_entry_switch").
VELTO_API bool ShowQuestionAnswerEntry();
VELTO_API bool IsAllowAddMemberManagerEntrance();
VELTO_API bool IsEnableWebinarPstn();

}  // namespace velto_common::utils::webinar
