// The calendar and the chat permission questions: today's date with its lunar date and names in
// both languages, and who may chat privately with whom under each chat policy.
#include <time.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/scope_singleton.h"
#include "framework/resource.h"
#include "hostkit/hostkit.h"
#include "module_api/calendar/calendar.h"
#include "module_api/chat/chat_types.h"
#include "module_api/chat/chat_utils.h"
#include "module_api/model_ids.h"
#include "module_api/chat/private_chat_record.h"
#include "sim.h"

namespace {

namespace calendar = velto_common::utils::calendar;
using velto::ChatUtils;

std::string Bool(bool value) { return value ? "true" : "false"; }

// The step's "date" (YYYY-MM-DD), else the local date now plus the simulated time.
calendar::Date DateOf(const sim::Variant& step) {
  calendar::Date date;
  const std::string fixed = step.GetString("date");
  if (!fixed.empty() && std::sscanf(fixed.c_str(), "%d-%d-%d", &date.year, &date.month, &date.day) == 3) return date;
  // In seconds: the simulated clock may stand anywhere up to INT64_MAX ms, far past what a
  // system_clock time point holds. A date past what the C library can show is today's.
  const time_t today = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  time_t seconds = today;
  if (__builtin_add_overflow(today, static_cast<time_t>(hostkit::NowMs() / 1000), &seconds)) seconds = today;
  struct tm local = {};
  if (!localtime_r(&seconds, &local)) localtime_r(&today, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// The lunar names are read once per client run: showing another language takes a restart,
// which here is dropping the library's lazily made singletons.
void RestartIn(const std::string& language) {
  hostkit::SetLanguage(language);
  base::TeardownScopeSingletons();
}

bool ShowLunarDate(const sim::Variant& step, sim::Context&) {
  static const char* const kWeekdays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  const calendar::Date date = DateOf(step);
  char line[160];
  std::snprintf(line, sizeof(line), "%04d-%02d-%02d (%s)%s%s", date.year, date.month, date.day,
                kWeekdays[calendar::GetDayOfWeek(date.year, date.month, date.day, calendar::DateType::kSolar)],
                step.Has("note") ? ", " : "", step.GetString("note").c_str());
  sim::Print(line);
  const std::string original = framework::Resource::GetInstance()->GetLanguage();
  for (const char* language : {"zh-cn", "en-us"}) {
    RestartIn(language);
    const calendar::ChineseDate lunar = calendar::GetLunar(date);
    sim::Print("  " + std::string(language) + ": lunar " + std::to_string(lunar.year) + "/" +
               std::to_string(lunar.month) + "/" + std::to_string(lunar.day) + "  " + lunar.year_name + " " +
               lunar.month_name + " " + lunar.day_name);
  }
  RestartIn(original);
  return true;
}

const char* PolicyName(int policy) {
  switch (policy) {
    case velto::PrivateChatAuthority::kAllowChatFree:
      return "free";
    case velto::PrivateChatAuthority::kAllowChatPublicOnly:
      return "public only";
    case velto::PrivateChatAuthority::kAllowChatHostOnly:
      return "host and co-hosts only";
    case velto::PrivateChatAuthority::kAllowChatRestricted:
      return "restricted";
    default:
      return "other";
  }
}

// For each policy in "policies", asks about each of "receivers" ({"label", "receiver"}).
bool AskPrivateChat(const sim::Variant& step, sim::Context& context) {
  hostkit::ScriptedModel* policy_model = hostkit::FindModel(velto::model_id::kChatPolicyModel);
  if (!policy_model) policy_model = &hostkit::InstallModel(velto::model_id::kChatPolicyModel);
  for (const sim::Variant& policy : step.Get("policies").Elements()) {
    policy_model->Answer(2, policy);
    sim::Print("chat policy " + std::to_string(policy.AsInt32()) + " (" + PolicyName(policy.AsInt32()) + ")");
    for (const sim::Variant& entry : step.Get("receivers").Elements()) {
      const sim::Variant& receiver = entry.Get("receiver");
      sim::Variant result;
      const bool allowed = ChatUtils::IsAllowPrivateSendMsgToUser(receiver, &result);
      std::string line = "  " + entry.GetString("label") + ": ";
      line += allowed ? "private message allowed" : "refused";
      if (result.Has("desc_content")) line += " \"" + result.GetString("desc_content") + "\"";
      line += ", receiver type " +
              std::to_string(static_cast<int>(velto_common::utils::privatechatrecord::GetChatReceiverType(receiver))) +
              ", condition " + ChatUtils::GetChatCondition(false, &receiver);
      sim::Print(line);
      sim::PrintNewLogs(context);
    }
  }
  return true;
}

const bool kRegistered = [] {
  sim::RegisterAction("lunar_today",
                      {"Prints a date with its lunar date in both languages.",
                       {sim::Str("date", "YYYY-MM-DD (today plus the simulated time when absent)"),
                        sim::Str("note", "printed after the date")}},
                      ShowLunarDate);
  sim::RegisterAction("chat_private",
                      {"Asks, under each chat policy, whether a private message may go to each receiver.",
                       {sim::Ints("policies", 0, 100, "chat policies").Required(),
                        sim::List("receivers",
                                  {sim::Str("label", "printed").Required(),
                                   sim::Record("receiver", "the receiver record").Required()},
                                  "the receivers")
                            .Required()}},
                      AskPrivateChat);
  sim::RegisterQuery("chat.IsChatEnable", [] { return Bool(ChatUtils::IsChatEnable()); });
  sim::RegisterQuery("chat.IsChatSwitchLock", [] { return Bool(ChatUtils::IsChatSwitchLock()); });
  sim::RegisterQuery("chat.GetIMDisableChat", [] { return Bool(ChatUtils::GetIMDisableChat()); });
  sim::RegisterQuery("chat.IsUnderSecurityForbidChat", [] { return Bool(ChatUtils::IsUnderSecurityForbidChat()); });
  sim::RegisterQuery("chat.IsCanSendMsgToWaitingRoom", [] { return Bool(ChatUtils::IsCanSendMsgToWaitingRoom()); });
  sim::RegisterQuery("chat.GetChatCondition(waiting room)", [] { return ChatUtils::GetChatCondition(true, nullptr); });
  sim::RegisterQuery("chat.HasRightPermission(temp dir)", [] {
    std::error_code error;
    return Bool(ChatUtils::HasRightPermission(std::filesystem::temp_directory_path(error).string()));
  });
  sim::RegisterQuery("chat.HasRightPermission(missing dir)",
                     [] { return Bool(ChatUtils::HasRightPermission("/nonexistent/velto/chat")); });

  sim::RegisterChapter(900, R"json({
    "name": "Calendar and chat permissions",
    "models": {
      "514": {"answers": {"11": 0}, "fail": [95]},
      "523": {"answers": {"64": {"chat_enable": true}, "65": {"chat_switch_lock": false}}},
      "508": {"answers": {"1": {"host": false, "co_host": false, "is_forbid_chat": false}}},
      "526": {"answers": {"0": {"disable_chat": false}, "2": 0}},
      "706": {"answers": {"0": false}}
    },
    "timeline": [
      {"at": 0, "do": "lunar_today", "note": "today"},
      {"at": 0, "do": "lunar_today", "date": "2023-03-22", "note": "a day of the leap second month"},
      {"at": 0, "do": "lunar_today", "date": "2024-02-09", "note": "lunar new year's eve"},
      {"at": 1000, "do": "print", "text": "an ordinary member asks before sending"},
      {"at": 1000, "do": "ask", "queries": ["chat.IsChatEnable", "chat.IsChatSwitchLock", "chat.GetIMDisableChat",
                                             "chat.GetChatCondition(waiting room)"]},
      {"at": 1000, "do": "chat_private", "policies": [0, 1, 2, 3, 7], "receivers": [
        {"label": "Ana (host)", "receiver": {"status": 0, "app_uid": "u-ana", "host": true}},
        {"label": "Bo (co-host)", "receiver": {"status": 0, "app_uid": "u-bo", "host": false, "co_host": true}},
        {"label": "Chen (member)", "receiver": {"status": 0, "app_uid": "u-chen", "host": false}},
        {"label": "everyone", "receiver": {"status": 0}},
        {"label": "the waiting room", "receiver": {"status": 3}}]},
      {"at": 1000, "do": "ask", "queries": ["chat.IsCanSendMsgToWaitingRoom"]},
      {"at": 2000, "do": "print", "text": "the host silences the member"},
      {"at": 2000, "do": "script", "model": 508, "answers": {"1": {"is_forbid_chat": true}}},
      {"at": 2000, "do": "script", "model": 526, "answers": {"1": {"disable_chat": true}}},
      {"at": 2000, "do": "ask", "queries": ["chat.GetIMDisableChat"]},
      {"at": 2000, "do": "chat_private", "policies": [0], "receivers": [
        {"label": "Ana (host)", "receiver": {"status": 0, "app_uid": "u-ana", "host": true}}]},
      {"at": 3000, "do": "print", "text": "a security control turns chat off for the meeting"},
      {"at": 3000, "do": "script", "model": 706, "answers": {"0": true}},
      {"at": 3000, "do": "script", "model": 526, "answers": {"10": {"disable_chat": true}}},
      {"at": 3000, "do": "ask", "queries": ["chat.IsUnderSecurityForbidChat"]},
      {"at": 4000, "do": "print", "text": "where may received chat files be saved"},
      {"at": 4000, "do": "ask", "queries": ["chat.HasRightPermission(temp dir)", "chat.HasRightPermission(missing dir)"]}
    ]
  })json");
  return true;
}();

}  // namespace
