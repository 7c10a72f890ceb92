// Joining: the stages a join goes through, what a meeting query means for the join, the room
// switch that is not a leave, secrets kept out of the join log, and the pay guide for joining
// from several devices.
#include <memory>
#include <string>

#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "hostkit/platform.h"
#include "module_api/join/join_utils.h"
#include "module_api/join/multi_device_join.h"
#include "sim.h"

namespace {

using sim::Variant;
namespace join = velto_common::utils::join;

bool Steps(const Variant&, sim::Context& context) {
  for (int step = 0; step <= 4; ++step) {
    const int stage = join::ConvertSDKJoinStepToJoinStage(static_cast<veltosdk::MeetingJoinResult::Step>(step));
    sim::Print("platform join step " + std::to_string(step) + " -> client stage " + std::to_string(stage));
    sim::PrintNewLogs(context);
  }
  return true;
}

bool QueryResult(const Variant& step, sim::Context&) {
  Variant answer = Variant::Map();
  answer["meeting_item"] = step.Get("meeting_item");
  sim::Print("meeting query answered state " + std::to_string(step.Get("meeting_item").GetInt32("state")));
  sim::Print("  join result " + join::GetJoinResultFromQueryMeetingResult(answer).ToJsonStr());
  sim::Print("  logged as " + join::LogNecessaryMeetingItem(step.Get("meeting_item")));
  return true;
}

bool PayGuide(const Variant& step, sim::Context& context) {
  const size_t navigations = hostkit::Navigations().size();
  const size_t opened = hostkit::OpenedTargets().size();
  velto_common::utils::multi_device_join::OpenPayGuideUrl(std::make_shared<framework::Context>(1),
                                                         step.GetString("url"));
  sim::PrintNewLogs(context);
  if (hostkit::Navigations().size() > navigations) {
    const auto& nav = hostkit::Navigations().back();
    sim::Print("  in-client window " + std::to_string(nav.arguments.GetInteger("wnd_size_width")) + "x" +
               std::to_string(nav.arguments.GetInteger("wnd_size_height")) + ", instance " + nav.instance_id);
  }
  if (hostkit::OpenedTargets().size() > opened) {
    // The address carries a web ticket: shown masked.
    std::string target = hostkit::OpenedTargets().back();
    const size_t key = target.find("client_key=");
    if (key != std::string::npos) {
      const size_t end = target.find('&', key);
      target.replace(key + 11, (end == std::string::npos ? target.size() : end) - key - 11, "***");
    }
    sim::Print("  browser: " + target);
  }
  return true;
}

const bool kRegistered = [] {
  sim::RegisterQuery("join.IsRoomSwitching", [] { return std::string(join::IsRoomSwitching() ? "true" : "false"); });
  sim::RegisterQuery("join.GetJoinFrom", [] { return std::to_string(join::GetJoinFrom()); });
  sim::RegisterAction("join_steps", {"Prints the join stages the library reports.", {}}, Steps);
  sim::RegisterAction("join_query_result",
                      {"The meeting query answers: the meeting item is logged without its secrets.",
                       {sim::Record("meeting_item", "the meeting item answered").Required()}},
                      QueryResult);
  sim::RegisterAction("join_pay_guide", {"Opens the pay guide page.", {sim::Str("url", "the page").Required()}},
                      PayGuide);
  sim::RegisterChapter(650, R"json({
    "name": "Joining: stages, query results, a room switch and the pay guide",
    "models": {"514": {"answers": {"7": {"join_from": 3}}}, "622": {"fail": [1]}},
    "timeline": [
      {"at": 0, "do": "join_steps"},
      {"at": 500, "do": "join_query_result",
       "meeting_item": {"state": 1, "meeting_code": "800123", "password": "secret", "invite_list": ["u-1"]}},
      {"at": 600, "do": "join_query_result", "meeting_item": {"state": 2, "meeting_code": "800123"}},
      {"at": 1000, "do": "ask", "queries": ["join.GetJoinFrom", "join.IsRoomSwitching"]},
      {"at": 1500, "do": "print", "text": "the client moves to the breakout room"},
      {"at": 1500, "do": "script", "model": 622, "succeed": [1]},
      {"at": 1500, "do": "ask", "queries": ["join.IsRoomSwitching"]},
      {"at": 2000, "do": "join_pay_guide", "url": "https://pay.velto.example/multi_device"},
      {"at": 2500, "do": "join_pay_guide", "url": "https://pay.velto.example/multi_device?wv_navigate_style=1"},
      {"at": 3000, "do": "remove_model", "model": 622},
      {"at": 3000, "do": "remove_model", "model": 514}
    ]
  })json");
  return true;
}();

}  // namespace
