// The built-in meeting's calendar and chat: the meeting day with its lunar date at the start, and
// every ten minutes, under the chat policy the host set, whether the local user may message
// someone in the meeting privately.
#include <time.h>

#include <cstdio>
#include <string>

#include "hostkit/hostkit.h"
#include "meeting/schedule.h"
#include "meeting/world.h"
#include "module_api/calendar/calendar.h"
#include "module_api/chat/chat_utils.h"
#include "module_api/model_ids.h"
#include "util/time/server_time.h"

namespace {

using sim::meeting::Event;
using sim::meeting::Random;
using sim::meeting::Schedule;
using sim::meeting::Variant;
using sim::meeting::World;
namespace calendar = velto_common::utils::calendar;

void PlanChat(Schedule& schedule, Random& random) {
  schedule.Add(0, "calendar");
  int64_t policy = 0;
  for (int64_t at = 300000; at < schedule.plan().end_ms(); at += 600000, policy = (policy + 1) % 4) {
    const auto* person = schedule.PickPresent(random, at, at);
    if (!person) continue;
    Variant args = Variant::Map();
    args["user_id"] = person->user_id;
    args["policy"] = static_cast<long long>(policy);
    schedule.Add(at, "chat check", std::move(args));
  }
}

void Calendar(const Event&, World& world) {
  // The day on the meeting's own server clock, in UTC: the same meeting falls on the same day on
  // every machine and every day it is played.
  const time_t seconds = static_cast<time_t>(util::time::GetServerTimestamp());
  struct tm day = {};
  gmtime_r(&seconds, &day);
  const calendar::Date date{day.tm_year + 1900, day.tm_mon + 1, day.tm_mday};
  const calendar::ChineseDate lunar = calendar::GetLunar(date);
  char line[200];
  std::snprintf(line, sizeof line, "the meeting day: %04d-%02d-%02d, lunar %d/%d/%d %s %s %s", date.year, date.month,
                date.day, lunar.year, lunar.month, lunar.day, lunar.year_name.c_str(), lunar.month_name.c_str(),
                lunar.day_name.c_str());
  world.Note(line);
}

void ChatCheck(const Event& event, World& world) {
  const Variant* user = world.fixture().FindUser(event.args.GetString("user_id"));
  if (!user) return;
  hostkit::ScriptedModel* policy = hostkit::FindModel(velto::model_id::kChatPolicyModel);
  if (!policy) policy = &hostkit::InstallModel(velto::model_id::kChatPolicyModel);
  policy->Answer(2, Variant(event.args.GetInteger("policy")));
  Variant result;
  const bool allowed = velto::ChatUtils::IsAllowPrivateSendMsgToUser(*user, &result);
  world.Count("private chat questions");
  if (allowed) world.Count("private chat allowed");
  world.Note("chat policy " + std::to_string(event.args.GetInteger("policy")) + ": a private message to " +
             user->GetString("nickname") + (user->GetBoolean("host") ? " (host)" : "") + " is " +
             (allowed ? "allowed" : "refused"));
}

const bool kRegistered = [] {
  sim::meeting::RegisterPlanner(700, "chat", PlanChat);
  sim::meeting::RegisterEventKind("calendar", "calendar", Calendar);
  sim::meeting::RegisterEventKind("chat check", "chat", ChatCheck);
  return true;
}();

}  // namespace
