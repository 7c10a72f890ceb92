// Modules contributing to each other: a home page whose tab container gets its tabs from two
// modules (one loaded only when its tab is first chosen), a navigation item that follows the
// meeting through a room switch, a settings tab hidden when the settings come from the guide,
// and a meeting toolbar with another module's button. Every event and command between an area
// and its items is printed in order, and the load timings at the end.
#include <memory>
#include <set>
#include <string>
#include <unordered_map>

#include "framework/extension/extension_service.h"
#include "hostkit/extension.h"
#include "hostkit/hostkit.h"
#include "hostkit/viewmodel.h"
#include "module_api/extension/home_navigation_extension_base.h"
#include "module_api/extension/setting_tabs_base_extension.h"
#include "module_api/extension/tab_extension.h"
#include "module_api/viewmodel/contributes_viewmodel.h"
#include "module_api/viewmodel/tab_contributes_lazy_load_viewmodel.h"
#include "module_api/viewmodel/tab_contributes_viewmodel.h"
#include "sim.h"

namespace {

using sim::Variant;
using Runtime = framework::module::IModuleRuntime;

// ---- the contributing modules ----

class Tab : public velto::TabExtension {
 public:
  Tab(Runtime* runtime, std::string title, int position) : runtime_(runtime), title_(std::move(title)), position_(position) {}

 protected:
  Runtime* GetModuleRuntime() override { return runtime_; }
  int GetViewModelType() override { return 1; }
  Variant GetTabPropertites(const Variant*) override {
    Variant properties = Variant::Map();
    properties["title"] = title_;
    properties["position"] = position_;
    return properties;
  }

 private:
  Runtime* runtime_;
  std::string title_;
  int position_;
};

class SettingsTab : public velto::SettingTabsBaseExtension {
 public:
  explicit SettingsTab(Runtime* runtime) : runtime_(runtime) {}

 protected:
  Runtime* GetModuleRuntime() override { return runtime_; }
  void OnInit(const Variant*) override {}
  int GetViewModelType() override { return 2; }
  Variant GetExtensionPropertites(const Variant*) override { return hostkit::Json(R"({"title": "Audio"})"); }

 private:
  Runtime* runtime_;
};

class BackToMeeting : public velto::HomeNavigationExtensionBase {
 public:
  explicit BackToMeeting(Runtime* runtime) : runtime_(runtime) {}

 protected:
  Runtime* GetModuleRuntime() override { return runtime_; }
  void OnInit(const Variant*) override { SubscribeRoomEvent(); }
  int GetViewModelType() override { return 3; }
  void UpdateItemStatusByRoomStatus(bool in_room) override { UpdateItemStatus(in_room); }

 private:
  Runtime* runtime_;
};

class InviteButton : public velto::ModuleExtension {
 public:
  explicit InviteButton(Runtime* runtime) : runtime_(runtime) {}

 protected:
  Runtime* GetModuleRuntime() override { return runtime_; }
  void OnInit(const Variant*) override {}
  int GetViewModelType() override { return 4; }
  std::string GetViewType(const std::string&) override { return "invite_button"; }

 private:
  Runtime* runtime_;
};

template <typename T, typename... Args>
void Make(const std::string& id, Runtime& runtime, Args... args) {
  framework::extension::GetExtensionService()->RegisterExtensionFactory(
      id, [&runtime, args...] { return std::make_shared<T>(&runtime, args...); });
}

// ---- the owning modules' areas ----

class HomeTabs : public velto::TabContributesLazyLaodViewModel {
 public:
  HomeTabs() : TabContributesLazyLaodViewModel("home:contributes:tabs") {}

 protected:
  std::set<std::string> ExtensionsIdOfModuleNotLazyLoaded() override { return {"home:extension:meetings"}; }
  void FillLazyLoadingExtensionProperties(const std::string& id,
                                          std::unordered_map<std::string, Variant>& properties) override {
    properties["title"] = id == "home:extension:apps" ? "Apps" : "Meetings";
    properties["position"] = id == "home:extension:apps" ? 1 : 0;
  }
};

// An area whose items come at attach and go at detach.
class Area : public velto::ContributesViewModel {
 public:
  Area(const std::string& id, int mode) : velto::ContributesViewModel(id, mode) {}
  int64_t GetViewContext() override { return context() ? context()->view_context().view_ref() : 0; }
  void OnViewAttached(const Variant* params) override {
    velto::ContributesViewModel::OnViewAttached(params);
    ActivateExtensions(params);
  }
  void OnViewDetached() override {
    UnActivateExtensions();
    velto::ContributesViewModel::OnViewDetached();
  }
};

struct Screens {
  std::shared_ptr<HomeTabs> home;
  std::shared_ptr<Area> navigation;
  std::shared_ptr<Area> settings;
  std::shared_ptr<Area> toolbar;
  size_t traffic_seen = 0;
};

Screens& TheScreens() {
  static auto* screens = new Screens();
  return *screens;
}

void PrintTraffic() {
  const auto traffic = hostkit::ExtensionTraffic();
  size_t& seen = TheScreens().traffic_seen;
  if (seen > traffic.size()) seen = 0;
  for (; seen < traffic.size(); ++seen) sim::Print("  " + hostkit::Describe(traffic[seen]));
}

std::string Items(const framework::extension::ExtensionContributesImpl& area) {
  std::string text;
  for (const Variant& item : area.data_source().Elements()) {
    if (!text.empty()) text += ", ";
    text += item.GetString("extension_id");
    const std::string title = item.Get("propertites").GetString("title");
    if (!title.empty()) text += " \"" + title + "\"";
    if (!item.GetBoolean("visible", true)) text += " (hidden)";
    if (!item.Has("parent_view")) text += " (not loaded)";
    if (item.GetBoolean("load_failed")) text += " (load failed)";
  }
  return "[" + text + "]";
}

void DeclareModules() {
  hostkit::DeclareManifest(hostkit::Json(R"({"module": "meetings", "contributes": [
      {"contributes_id": "home:contributes:tabs", "extensions": [{"extension_id": "home:extension:meetings"}]},
      {"contributes_id": "home:contributes:navigation", "extensions": [{"extension_id": "home:extension:back_to_meeting"}]}]})"));
  hostkit::DeclareManifest(hostkit::Json(R"({"module": "apps", "contributes": [
      {"contributes_id": "home:contributes:tabs", "extensions": [{"extension_id": "home:extension:apps"}]}]})"));
  hostkit::DeclareManifest(hostkit::Json(R"({"module": "settings", "contributes": [
      {"contributes_id": "settings:contributes:tabs", "extensions": [{"extension_id": "settings:extension:audio"}]}]})"));
  hostkit::DeclareManifest(hostkit::Json(R"({"module": "invite", "contributes": [
      {"contributes_id": "meeting:contributes:toolbar", "extensions": [{"extension_id": "invite:extension:button"}]}]})"));
  hostkit::RegisterModule(
      "meetings",
      [](Runtime& runtime) {
        Make<Tab>("home:extension:meetings", runtime, std::string("Meetings"), 0);
        Make<BackToMeeting>("home:extension:back_to_meeting", runtime);
      },
      {40});
  hostkit::RegisterModule(
      "apps", [](Runtime& runtime) { Make<Tab>("home:extension:apps", runtime, std::string("Apps"), 1); }, {180});
  hostkit::RegisterModule("settings", [](Runtime& runtime) { Make<SettingsTab>("settings:extension:audio", runtime); });
  hostkit::RegisterModule("invite", [](Runtime& runtime) { Make<InviteButton>("invite:extension:button", runtime); });
}

bool OpenHome(const Variant&, sim::Context&) {
  DeclareModules();
  Screens& screens = TheScreens();
  screens.traffic_seen = hostkit::ExtensionTraffic().size();
  screens.home = std::make_shared<HomeTabs>();
  sim::Print("home page opens");
  hostkit::AttachViewModel(*screens.home);
  PrintTraffic();
  sim::Print("tabs " + Items(*screens.home) + ", current " + screens.home->current_tab().GetString("extension_id"));
  if (!hostkit::LoadModule("meetings")) return false;
  screens.navigation = std::make_shared<Area>("home:contributes:navigation", framework::extension::kContributesModeProperties);
  hostkit::AttachViewModel(*screens.navigation);
  PrintTraffic();
  return true;
}

bool TabAction(const Variant& step, int action, const char* what) {
  Screens& screens = TheScreens();
  if (!screens.home) return false;
  Variant params = Variant::Map();
  params["extension_id"] = step.GetString("tab");
  sim::Print(std::string("user ") + what + " " + step.GetString("tab"));
  hostkit::FireAction(*screens.home, action, params);
  PrintTraffic();
  sim::Print("tabs " + Items(*screens.home) + ", current " + screens.home->current_tab().GetString("extension_id"));
  return true;
}

bool RoomEvent(const Variant& step, sim::Context&) {
  hostkit::ScriptedModel* meeting = hostkit::FindModel(514);
  if (!meeting || !TheScreens().navigation) return false;
  const std::string what = step.GetString("event");
  if (what == "joined") {
    sim::Print("meeting model: joined");
    meeting->Fire(1, hostkit::Json(R"({"result": 0})"));
  } else {
    sim::Print(std::string("meeting model: left") + (step.GetBoolean("switching") ? ", while switching rooms" : ""));
    hostkit::InstallModel(622);
    if (step.GetBoolean("switching")) hostkit::FindModel(622)->Succeed(1);
    const size_t before = hostkit::ExtensionTraffic().size();
    meeting->Fire(2, Variant::Map());
    if (hostkit::ExtensionTraffic().size() == before) sim::Print("  (no change: the client only moves to another room)");
  }
  PrintTraffic();
  sim::Print("navigation " + Items(*TheScreens().navigation));
  return true;
}

bool OpenSettings(const Variant& step, sim::Context&) {
  Screens& screens = TheScreens();
  if (screens.settings) {
    hostkit::DetachViewModel(*screens.settings);
    PrintTraffic();
  }
  if (!hostkit::LoadModule("settings")) return false;
  screens.settings = std::make_shared<Area>("settings:contributes:tabs", framework::extension::kContributesModeProperties);
  Variant params = Variant::Map();
  params["router_params"]["from_scheme"] = step.GetString("from");
  sim::Print("settings open from " + step.GetString("from"));
  hostkit::AttachViewModel(*screens.settings, params);
  PrintTraffic();
  sim::Print("settings tabs " + Items(*screens.settings));
  return true;
}

bool OpenToolbar(const Variant&, sim::Context&) {
  Screens& screens = TheScreens();
  if (!hostkit::LoadModule("invite")) return false;
  screens.toolbar = std::make_shared<Area>("meeting:contributes:toolbar", framework::extension::kContributesModeControl);
  sim::Print("meeting toolbar opens");
  hostkit::AttachViewModel(*screens.toolbar);
  PrintTraffic();
  const Variant button = screens.toolbar->GetPropValue(velto::contributes_prop::kAddItemView);
  sim::Print("toolbar shows " + button.GetString("extension_id") + " as view " +
             std::to_string(button.GetInteger("view")) + " (" + button.GetString("view_type") + ")");
  return true;
}

bool CloseAll(const Variant&, sim::Context&) {
  Screens& screens = TheScreens();
  for (auto* vm : std::initializer_list<framework::ViewModel*>{screens.toolbar.get(), screens.settings.get(),
                                                              screens.navigation.get(), screens.home.get()}) {
    if (vm) hostkit::DetachViewModel(*vm);
  }
  PrintTraffic();
  sim::Print("closed; subscriptions left on the models: " + std::to_string(hostkit::TotalSubscribers()));
  for (const auto& load : hostkit::ModuleLoads()) {
    sim::Print("module " + load.module + " loaded at " + std::to_string(load.started_at_ms) + " ms, took " +
               std::to_string(load.duration_ms) + " ms (" + std::to_string(load.duration_us) + " us of real work)" +
               (load.ok ? "" : ", failed: " + load.error));
  }
  for (const auto& activation : hostkit::ExtensionActivations()) {
    sim::Print("extension " + activation.extension_id + " (" + activation.module + ") activated in " +
               std::to_string(activation.duration_us) + " us");
  }
  screens = Screens();
  return true;
}

const bool kRegistered = [] {
  const sim::Field tab = sim::Str("tab", "the tab's extension id").Required();
  sim::RegisterAction("home_open", {"The home page opens with its tabs and navigation area.", {}}, OpenHome);
  sim::RegisterAction("home_choose", {"The user chooses a home tab.", {tab}}, [](const Variant& step, sim::Context&) {
    return TabAction(step, velto::tab_action::kSetCurrentTab, "chooses");
  });
  sim::RegisterAction("home_make_ahead", {"The user hovers over a tab: it is made ahead of time.", {tab}},
                      [](const Variant& step, sim::Context&) {
                        return TabAction(step, velto::tab_action::kInstantiateTab, "hovers over");
                      });
  sim::RegisterAction("home_room",
                      {"The meeting model reports joining or leaving a meeting.",
                       {sim::Str("event", "what happened").OneOf({"joined", "left"}).Required(),
                        sim::Bool("switching", "left: the client only moves to another room")}},
                      RoomEvent);
  sim::RegisterAction("settings_open",
                      {"The settings page opens with its contributed tabs.",
                       {sim::Str("from", "the scheme it was opened from").Required()}},
                      OpenSettings);
  sim::RegisterAction("toolbar_open", {"The meeting toolbar opens with its contributed button.", {}}, OpenToolbar);
  sim::RegisterAction("areas_close", {"Every area closes; prints the module loads and activations.", {}}, CloseAll);
  sim::RegisterChapter(700, R"json({
    "name": "Modules contributing to each other: home tabs, a navigation item, settings tabs, a toolbar",
    "models": {"514": {"fail": [0]}, "502": {}},
    "timeline": [
      {"at": 0, "do": "home_open"},
      {"at": 1000, "do": "home_make_ahead", "tab": "home:extension:apps"},
      {"at": 2000, "do": "home_choose", "tab": "home:extension:apps"},
      {"at": 3000, "do": "home_choose", "tab": "home:extension:meetings"},
      {"at": 3500, "do": "home_choose", "tab": "home:extension:apps"},
      {"at": 4000, "do": "home_room", "event": "joined"},
      {"at": 5000, "do": "home_room", "event": "left", "switching": true},
      {"at": 6000, "do": "home_room", "event": "left"},
      {"at": 7000, "do": "settings_open", "from": "velto://page/guide"},
      {"at": 8000, "do": "settings_open", "from": "velto://page/home"},
      {"at": 9000, "do": "toolbar_open"},
      {"at": 10000, "do": "areas_close"}
    ]
  })json");
  return true;
}();

}  // namespace
