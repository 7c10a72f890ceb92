// The analytics tracker configured from a file: the meeting toolbar's actions reported under the
// event codes the configuration gives, at most as often as the server's frequency limit allows;
// the shared web page's actions never; and a new configuration downloaded while the client runs.
#include <climits>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "framework/viewmodel.h"
#include "hostkit/client_settings.h"
#include "hostkit/hostkit.h"
#include "hostkit/module_interceptor.h"
#include "hostkit/remote_config.h"
#include "hostkit/timers.h"
#include "hostkit/viewmodel.h"
#include "module_api/model_ids.h"
#include "module_api/vtracker/vtracker.h"
#include "module_api/vtracker/vtracker_analytics.h"
#include "sim.h"

namespace {

using sim::Variant;

constexpr int kToolbarType = 31;
constexpr int kMuteAction = 4101;
constexpr int kShareAction = 4102;

class Screen : public framework::ViewModel {
 public:
  Screen(int vm_type, const std::string& module_name) {
    set_view_model_type(vm_type);
    hostkit::SetViewModelModule(*this, module_name);
  }
};

struct World {
  std::optional<hostkit::ClientSettings> settings;
  std::filesystem::path dir;
  std::unique_ptr<Screen> toolbar;
  std::unique_ptr<Screen> web_share;
  size_t events_seen = 0;
};

World& TheWorld() {
  static auto* world = new World();
  return *world;
}

// One configuration element for an action of a screen of a module.
Variant Element(const std::string& module_name, int vm_type, int action, const std::string& event_code) {
  Variant element = Variant::Map();
  element["element_page_hash"].Add(vtracker::GetVTrackerPageHash(module_name, vm_type));
  element["element_hash"] = vtracker::GetVTrackerElementHash(action);
  element["begin_version"] = "3.20";
  element["event_code"] = event_code;
  return element;
}

// Writes a download directory with its "vtracker.json".
std::string WriteDownload(const std::string& name, const Variant& elements) {
  Variant root = Variant::Array();
  Variant& page = root.Add(Variant::Map());
  page["page_hash"] = "meeting_toolbar";
  page["elements"] = elements;
  const std::filesystem::path dir = TheWorld().dir / name;
  std::filesystem::create_directories(dir);
  std::ofstream(dir / vtracker::kVTrackerConfigFileName) << root.ToJsonStr();
  return dir.string();
}

void PrintNewEvents() {
  const auto& events = hostkit::AnalyticsEvents();
  for (size_t& seen = TheWorld().events_seen; seen < events.size(); ++seen) {
    std::string line = "  analytics " + events[seen].name;
    for (const char* key : {"page_hash", "pass_limit_event_code"}) {
      auto it = events[seen].properties.find(key);
      if (it != events[seen].properties.end()) line += std::string(" ") + key + "=" + it->second;
    }
    sim::Print(line);
  }
}

bool Start(const Variant&, sim::Context&) {
  World& w = TheWorld();
  w.dir = std::filesystem::temp_directory_path() / ("velto-sim-vtracker-" + std::to_string(::getpid()));
  std::filesystem::remove_all(w.dir);
  // The frequency windows are measured on the wall clock: let it follow the simulated time.
  hostkit::SetWallClockMs(1'700'000'000'000);
  w.settings.emplace(hostkit::InstallClientSettings());
  w.settings->Set(vtracker::kEnableAbilityKey, true);
  Variant elements = Variant::Array();
  elements.Add(Element("meeting", kToolbarType, vtracker::kVTrackerShowAction, "e#toolbar#exposure"));
  elements.Add(Element("meeting", kToolbarType, kMuteAction, "e#toolbar#mute#click"));
  elements.Add(Element("web_share", kToolbarType, kMuteAction, "e#web_share#mute#click"));
  w.settings->Set(vtracker::kLastResourceDirKey, WriteDownload("download-1", elements));
  w.settings->Set(vtracker::kLastResourceVersionKey, hostkit::Environment().package_version);
  w.events_seen = hostkit::AnalyticsEvents().size();
  vtracker::InitInterceptor();
  hostkit::RunUntilIdle();
  sim::Print("tracker started with " + std::to_string(vtracker::VTrackerAnalytics::GetInstance()->config_map().size()) +
             " configured actions, at most " +
             std::to_string(vtracker::VTrackerAnalytics::GetInstance()->vtracker_limit_count()) + " reports per " +
             std::to_string(vtracker::VTrackerAnalytics::GetInstance()->vtracker_duration()) + " ms");
  return true;
}

bool Limits(const Variant& step, sim::Context&) {
  hostkit::SetAbilityValue(vtracker::kAbilityGroup, "vtracker_limit_count", step.Get("count"));
  hostkit::SetAbilityValue(vtracker::kAbilityGroup, "vtracker_duration", step.Get("duration"));
  hostkit::NotifyAbilityConfigChanged();
  sim::Print("server limits: at most " +
             std::to_string(vtracker::VTrackerAnalytics::GetInstance()->vtracker_limit_count()) + " per " +
             std::to_string(vtracker::VTrackerAnalytics::GetInstance()->vtracker_duration()) + " ms");
  return true;
}

bool OpenToolbar(const Variant&, sim::Context&) {
  World& w = TheWorld();
  w.toolbar = std::make_unique<Screen>(kToolbarType, "meeting");
  w.web_share = std::make_unique<Screen>(kToolbarType, "web_share");
  sim::Print("the meeting toolbar and the shared web page are shown");
  hostkit::AttachViewModel(*w.toolbar);
  hostkit::AttachViewModel(*w.web_share);
  PrintNewEvents();
  return true;
}

// "times" clicks on "screen", one every "every" ms.
bool Click(const Variant& step, sim::Context&) {
  World& w = TheWorld();
  Screen* screen = step.GetString("screen") == "web_share" ? w.web_share.get() : w.toolbar.get();
  if (!screen) return false;
  const int64_t times = step.GetInteger("times", 1);
  const int action = step.GetInt32("action", kMuteAction);
  sim::Print(std::to_string(times) + " clicks on " + step.GetString("screen", "toolbar") + " action " +
             std::to_string(action));
  const size_t before = hostkit::AnalyticsEvents().size();
  for (int64_t i = 0; i < times; ++i) {
    hostkit::FireAction(*screen, action);
    PrintNewEvents();
    hostkit::AdvanceClock(step.GetInteger("every", 200));
  }
  sim::Print("  " + std::to_string(hostkit::AnalyticsEvents().size() - before) + " analytics events");
  return true;
}

bool Download(const Variant&, sim::Context&) {
  Variant elements = Variant::Array();
  elements.Add(Element("meeting", kToolbarType, kMuteAction, "e#toolbar#mute#click#v2"));
  elements.Add(Element("meeting", kToolbarType, kShareAction, "e#toolbar#share#click"));
  const std::string dir = WriteDownload("download-2", elements);
  sim::Print("the server publishes a new configuration");
  hostkit::DeliverDynamicRes(vtracker::kVTrackerResName, dir);
  hostkit::RunUntilIdle();
  sim::Print("tracker now has " + std::to_string(vtracker::VTrackerAnalytics::GetInstance()->config_map().size()) +
             " configured actions");
  return true;
}

bool Stop(const Variant&, sim::Context&) {
  World& w = TheWorld();
  if (w.toolbar) hostkit::DetachViewModel(*w.toolbar);
  if (w.web_share) hostkit::DetachViewModel(*w.web_share);
  w.toolbar.reset();
  w.web_share.reset();
  vtracker::UninitInterceptor();
  hostkit::RemoveModel(velto::model_id::kConfigurationModel);
  w.settings.reset();
  std::filesystem::remove_all(w.dir);
  sim::Print("tracker stopped");
  return true;
}

const bool kRegistered = [] {
  sim::RegisterAction("vtracker_start", {"Starts the tracker from its configuration file.", {}}, Start);
  sim::RegisterAction("vtracker_limits", {"Sets the server's frequency limit.", {sim::Value("count", "reports allowed per window"), sim::Value("duration", "the window")}}, Limits);
  sim::RegisterAction("vtracker_open_toolbar", {"Opens the toolbar and web-share screens.", {}}, OpenToolbar);
  sim::RegisterAction("vtracker_click", {"Clicks an action on a screen.", {sim::Str("screen", "toolbar or web_share").OneOf({"toolbar", "web_share"}), sim::Int("times", 1, 100000, "how many clicks"), sim::Int("action", INT32_MIN, INT32_MAX, "the action id"), sim::Int("every", 0, 600000, "ms between clicks")}}, Click);
  sim::RegisterAction("vtracker_download", {"A new configuration file is downloaded.", {}}, Download);
  sim::RegisterAction("vtracker_stop", {"Stops the tracker.", {}}, Stop);
  sim::RegisterChapter(970, R"json({
    "name": "Analytics tracker: configured actions reported under the frequency limit, never for the shared web page",
    "timeline": [
      {"at": 0, "do": "vtracker_start"},
      {"at": 100, "do": "vtracker_limits", "count": 3, "duration": 5000},
      {"at": 200, "do": "vtracker_open_toolbar"},
      {"at": 300, "do": "vtracker_click", "times": 6, "every": 300},
      {"at": 2500, "do": "vtracker_click", "screen": "web_share", "times": 2, "every": 100},
      {"at": 6000, "do": "print", "text": "a new window of five seconds"},
      {"at": 6000, "do": "vtracker_click", "times": 2, "every": 300},
      {"at": 7000, "do": "vtracker_download"},
      {"at": 7100, "do": "vtracker_click", "times": 1},
      {"at": 7500, "do": "vtracker_click", "action": 4102, "times": 1},
      {"at": 8000, "do": "vtracker_stop"}
    ]
  })json");
  return true;
}();

}  // namespace
