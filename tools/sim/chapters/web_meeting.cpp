// The built-in meeting's web pages: every twelve minutes someone opens a page from the meeting
// window, in the inner web view or the browser as the address asks.
#include <memory>
#include <optional>
#include <string>

#include "hostkit/hostkit.h"
#include "hostkit/navigation.h"
#include "hostkit/platform.h"
#include "meeting/schedule.h"
#include "meeting/world.h"
#include "module_api/web/web_view.h"

namespace {

using sim::meeting::Event;
using sim::meeting::Random;
using sim::meeting::Schedule;
using sim::meeting::Variant;
using sim::meeting::World;

struct Page {
  const char* url;
  bool inner;
};
constexpr Page kPages[] = {
    {"https://meeting.velto.example/v2/buy/dialog/vip", true},
    {"https://docs.other.example/agenda?wv_navigate_style=1", true},
    {"https://other.example/help?vl_wv_setting=1", false},
    {"https://meeting.velto.example/v2/webinar-qa/desktop", true},
};

void PlanPages(Schedule& schedule, Random& random) {
  for (int64_t at = 360000; at < schedule.plan().end_ms(); at += 720000) {
    Variant args = Variant::Map();
    args["page"] = static_cast<long long>(random.Below(4));
    schedule.Add(at, "web page", std::move(args));
  }
}

void OpenPage(const Event& event, World& world) {
  if (!hostkit::FindModel(504)) {
    hostkit::InstallModel(504).Answer(3, hostkit::Json(R"({"auth_state": 2, "app_id": "200000001", "app_uid": "u-self"})"));
  }
  const Page& page = kPages[event.args.GetInteger("page") % 4];
  const size_t navigations = hostkit::Navigations().size();
  const size_t opened = hostkit::OpenedTargets().size();
  velto::OpenWebPage(page.url, std::make_shared<framework::Context>(1), page.inner, std::nullopt, {});
  hostkit::RunUntilIdle();
  std::string where;
  if (hostkit::Navigations().size() > navigations) where = "inner web view";
  if (hostkit::OpenedTargets().size() > opened) where = "browser";
  if (!where.empty()) world.Count("web pages opened");
  world.Shown("page", page.url, where.empty() ? "(not opened)" : where);
  world.Note(std::string("web page ") + page.url + " opens in the " + (where.empty() ? "void: nothing opened" : where));
}

const bool kRegistered = [] {
  sim::meeting::RegisterPlanner(600, "web", PlanPages);
  sim::meeting::RegisterEventKind("web page", "web", OpenPage);
  return true;
}();

}  // namespace
