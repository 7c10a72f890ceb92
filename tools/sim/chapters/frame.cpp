// The spine's queries, and how a model failure turns into a failure value and a log record.
#include <string>

#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/members/member_utils.h"
#include "sim.h"

namespace {

namespace inmeeting = velto_common::utils::inmeeting;
namespace member = velto_common::utils::member;

std::string Bool(bool value) { return value ? "true" : "false"; }

const bool kRegistered = [] {
  sim::RegisterQuery("inmeeting.GetCurrentMeetingType",
                     [] { return std::to_string(inmeeting::GetCurrentMeetingType()); });
  sim::RegisterQuery("inmeeting.IsInMeeting", [] { return Bool(inmeeting::IsInMeeting(false)); });
  sim::RegisterQuery("inmeeting.IsInMeeting(joining)", [] { return Bool(inmeeting::IsInMeeting(true)); });
  sim::RegisterQuery("inmeeting.IsJoiningMeeting", [] { return Bool(inmeeting::IsJoiningMeeting()); });
  sim::RegisterQuery("member.GetUserCount", [] { return std::to_string(member::GetUserCount()); });

  sim::RegisterChapter(100, R"json({
    "name": "Meeting spine: queries and failure values",
    "models": {
      "514": {"answers": {"3": {"meeting_item": {"meeting_type": 1, "meeting_code": "123456789"}}},
              "fail": [0, 44], "succeed": [43]},
      "508": {"answers": {"3": 5}}
    },
    "timeline": [
      {"at": 0, "do": "print", "text": "joining a meeting"},
      {"at": 0, "do": "ask", "queries": ["inmeeting.IsInMeeting", "inmeeting.IsInMeeting(joining)",
                                          "inmeeting.GetCurrentMeetingType", "member.GetUserCount"]},
      {"at": 2000, "do": "script", "model": 514, "succeed": [0], "fail": [43]},
      {"at": 2000, "do": "print", "text": "in the meeting"},
      {"at": 2000, "do": "ask", "queries": ["inmeeting.IsInMeeting", "inmeeting.IsJoiningMeeting"]},
      {"at": 3000, "do": "script", "model": 514, "answers": {"3": {"meeting_item": {"meeting_type": "1"}}}},
      {"at": 3000, "do": "print", "text": "the meeting model answers a string where an integer belongs"},
      {"at": 3000, "do": "ask", "queries": ["inmeeting.GetCurrentMeetingType"]},
      {"at": 4000, "do": "script", "model": 514, "fail": [3]},
      {"at": 4000, "do": "ask", "queries": ["inmeeting.GetCurrentMeetingType"]},
      {"at": 5000, "do": "remove_model", "model": 514},
      {"at": 5000, "do": "remove_model", "model": 508},
      {"at": 5000, "do": "ask", "queries": ["inmeeting.GetCurrentMeetingType", "inmeeting.IsInMeeting(joining)",
                                             "member.GetUserCount"]}
    ]
  })json");
  return true;
}();

}  // namespace
