// The host's module and extension machinery as modules meet it: manifests with gaps, modules
// loaded once (and again after a failed load), contributes that load, ask and forget their
// extensions, the view service, weak extension references, and the pop-up dispatcher.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/extension/extension_contributes_impl.h"
#include "framework/extension/extension_impl.h"
#include "framework/extension/extension_service.h"
#include "framework/module/dispatcher.h"
#include "framework/module/manifest.h"
#include "framework/service.h"
#include "framework/variant_text.h"
#include "framework/viewmodel.h"
#include "hostkit/extension.h"
#include "hostkit/hostkit.h"

namespace {

using base::Variant;
using framework::extension::ExtensionContributesImpl;
using framework::extension::ExtensionImpl;
using hostkit::Json;

// Answers "GetItemInfo" with its id as title; can be told to throw while activating.
class Echo : public ExtensionImpl {
 public:
  bool throw_on_activate = false;
  void OnContributesActivate(int64_t, const Variant*) override {
    if (throw_on_activate) throw std::runtime_error("activation broke");
    RegisterEventHandler("GetItemInfo", [this](const Variant* in, Variant*) {
      Variant item = Variant::Map();
      item["title"] = GetExtensionId();
      item["mode_seen"] = in ? in->GetInt32("contributes_mode", -1) : -2;
      ExecuteCommand("OnGetItemInfo", &item);
    });
  }
};

class Area : public ExtensionContributesImpl {
 public:
  explicit Area(int mode = framework::extension::kContributesModeProperties) : ExtensionContributesImpl("area", mode) {}
  int64_t GetViewContext() override { return 77; }
  void OnContributesChildrenView(bool) override { ++changes; }
  int changes = 0;
};

void DeclareArea(const std::vector<std::string>& ids) {
  Variant extensions = Variant::Array();
  for (const auto& id : ids) {
    Variant entry = Variant::Map();
    entry["extension_id"] = id;
    extensions.Add(entry);
  }
  Variant contributes = Variant::Map();
  contributes["contributes_id"] = "area";
  contributes["extensions"] = extensions;
  Variant manifest = Variant::Map();
  manifest["module"] = "m";
  manifest["contributes"].Add(contributes);
  ASSERT_TRUE(hostkit::DeclareManifest(manifest));
}

std::shared_ptr<Echo> g_last;

void RegisterEchoModule(bool throw_on_activate = false) {
  hostkit::RegisterModule("m", [throw_on_activate](framework::module::IModuleRuntime&) {
    for (const char* id : {"a", "b"}) {
      framework::extension::GetExtensionService()->RegisterExtensionFactory(id, [throw_on_activate] {
        g_last = std::make_shared<Echo>();
        g_last->throw_on_activate = throw_on_activate;
        return g_last;
      });
    }
  });
}

TEST(HostManifests, EntriesWithoutTheirIdsAreDroppedWithARecord) {
  EXPECT_FALSE(hostkit::DeclareManifest(Json(R"({"contributes": []})")));
  EXPECT_TRUE(hostkit::HasLog(1, "manifest without \"module\" dropped"));
  EXPECT_TRUE(hostkit::DeclareManifest(Json(R"({"module": "m", "contributes": [
      {"extensions": [{"extension_id": "x"}]},
      {"contributes_id": "area", "extensions": [{"support": false}, {"extension_id": "a", "support": false},
                                                 {"extension_id": "b", "tbui": true}]},
      {"contributes_id": "bare"}]})")));
  EXPECT_TRUE(hostkit::HasLog(1, "contributes entry without \"contributes_id\" dropped"));
  EXPECT_TRUE(hostkit::HasLog(1, "extension entry without \"extension_id\" dropped in area"));
  const auto& manifests = framework::module::GetModuleManifestProvider()->GetModuleManifests();
  ASSERT_EQ(manifests.size(), 1u);
  ASSERT_EQ(manifests[0].contributes.size(), 2u);
  const auto& area = manifests[0].contributes[0].extensions;
  ASSERT_EQ(area.size(), 2u);
  EXPECT_FALSE(area[0].IsSupport());
  EXPECT_TRUE(area[1].tbui_mode());
  EXPECT_EQ(area[1].module_name(), "m");
  EXPECT_TRUE(manifests[0].contributes[1].extensions.empty());
}

TEST(HostModules, LoadOnceOnTheHostClockAndAgainOnlyAfterAFailure) {
  int runs = 0;
  bool fail = true;
  hostkit::RegisterModule(
      "slow",
      [&](framework::module::IModuleRuntime&) {
        ++runs;
        framework::extension::GetExtensionService()->RegisterExtensionFactory("s", [] { return nullptr; });
        if (fail) throw std::runtime_error("disk on fire");
      },
      {120});
  auto* modules = framework::module::GetModuleService();
  EXPECT_THROW(modules->LoadModule("slow"), std::runtime_error);
  EXPECT_FALSE(modules->IsModuleLoaded("slow"));
  EXPECT_FALSE(framework::extension::GetExtensionService()->HasExtensionFactory("s"));  // rolled back
  EXPECT_TRUE(hostkit::HasLog(1, "module slow failed to load: disk on fire"));
  fail = false;
  EXPECT_TRUE(modules->LoadModule("slow"));
  EXPECT_TRUE(modules->LoadModule("slow"));
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(hostkit::ModuleLoadCount("slow"), 1u);
  const auto loads = hostkit::ModuleLoads();
  ASSERT_EQ(loads.size(), 2u);
  EXPECT_FALSE(loads[0].ok);
  EXPECT_EQ(loads[0].error, "disk on fire");
  EXPECT_EQ(loads[1].started_at_ms, 120);
  EXPECT_EQ(loads[1].duration_ms, 120);
  EXPECT_EQ(hostkit::NowMs(), 240);
  EXPECT_FALSE(modules->LoadModule("nobody"));
  EXPECT_TRUE(hostkit::HasLog(1, "unknown module: nobody"));
  EXPECT_EQ(modules->GetModuleRuntime("nobody"), nullptr);
  ASSERT_NE(modules->GetModuleRuntime("slow"), nullptr);
  EXPECT_NE(modules->GetModuleRuntime("slow")->GetServiceRegistry()->GetViewService(), nullptr);
}

TEST(HostContributes, LoadsActivatesAndAsksEachListedExtensionOfALoadedModule) {
  DeclareArea({"a", "b", "c"});  // "c": no module makes it
  RegisterEchoModule();
  Area area;
  area.ActivateExtensions(nullptr);
  EXPECT_TRUE(area.data_source().empty());  // module not loaded: nothing to make
  ASSERT_TRUE(hostkit::LoadModule("m"));
  area.ActivateExtensions(nullptr);
  ASSERT_EQ(area.data_source().size(), 2u);
  const Variant& a = area.data_source().At(0);
  EXPECT_EQ(a.GetString("title"), "a");
  EXPECT_EQ(a.GetInteger("parent_view"), 77);
  EXPECT_EQ(a.GetInt32("mode_seen"), 0);
  EXPECT_EQ(a.GetString("contributes_id"), "area");
  EXPECT_EQ(hostkit::TrafficLines(), (std::vector<std::string>{"event GetItemInfo -> a", "command OnGetItemInfo <- a",
                                                              "event GetItemInfo -> b", "command OnGetItemInfo <- b"}));
  EXPECT_EQ(area.changes, 2);
  area.LoadExtension("c", nullptr);
  EXPECT_TRUE(hostkit::HasLog(1, "can not create extension:c contributes:area"));
  EXPECT_FALSE(area.FireP2PExtensionEvent("c", "Ping", nullptr));
  EXPECT_TRUE(hostkit::HasLog(1, "extension not loaded:c event:Ping contributes:area"));

  area.UnLoadExtension("a");
  EXPECT_EQ(area.data_source().size(), 1u);
  EXPECT_FALSE(area.HasExtension("a"));
  area.UnActivateExtensions();
  EXPECT_TRUE(area.data_source().empty());
}

TEST(HostContributes, AThrowingActivationLeavesTheItemAsItWasAndGoesOnToTheCaller) {
  DeclareArea({"a"});
  RegisterEchoModule(/*throw_on_activate=*/true);
  ASSERT_TRUE(hostkit::LoadModule("m"));
  Area area;
  area.data_source().Add(Json(R"({"extension_id": "a", "placeholder": true})"));
  EXPECT_THROW(area.LoadExtension("a", nullptr), std::runtime_error);
  EXPECT_FALSE(area.HasExtension("a"));
  EXPECT_EQ(area.data_source().At(0), Json(R"({"extension_id": "a", "placeholder": true})"));
  const auto activations = hostkit::ExtensionActivations();
  ASSERT_EQ(activations.size(), 1u);
  EXPECT_FALSE(activations[0].ok);
  EXPECT_EQ(activations[0].module, "m");
  EXPECT_EQ(activations[0].error, "activation broke");
  // The extension no longer reaches the area.
  Variant item = Variant::Map();
  EXPECT_FALSE(g_last->ExecuteCommand("OnGetItemInfo", &item));
  g_last.reset();
}

TEST(HostContributes, ControlModeItemsComeWithTheirViewFromTheViewService) {
  class Viewed : public ExtensionImpl {
   public:
    explicit Viewed(framework::Service* views) : views_(views) {}
    void OnContributesActivate(int64_t, const Variant*) override {
      views_->Subscribe(1, 9, [this](const Variant* item) {
        if (framework::LockExtension(item->Get("extension_ptr")).get() == this) ExecuteCommand("OnGetItemInfo", item);
      });
      RegisterEventHandler("GetItemInfo", [this](const Variant* in, Variant*) {
        Variant params = Variant::Map();
        params["extension_id"] = GetExtensionId();
        params["parent_view"] = in->GetInteger("parent_view");
        params["extension_ptr"] = framework::MakeExtensionRef(*this);
        params["view_type"] = "button";
        views_->Call(0, &params, nullptr);
      });
    }
    framework::Service* views_;
  };
  class Toolbar : public Area {
   public:
    Toolbar() : Area(framework::extension::kContributesModeControl) {}
    void OnAddItemView(const Variant& item) override { added.push_back(item); }
    std::vector<Variant> added;
  };
  DeclareArea({"a"});
  hostkit::RegisterModule("m", [](framework::module::IModuleRuntime& runtime) {
    framework::Service* views = runtime.GetServiceRegistry()->GetViewService();
    framework::extension::GetExtensionService()->RegisterExtensionFactory(
        "a", [views] { return std::make_shared<Viewed>(views); });
  });
  ASSERT_TRUE(hostkit::LoadModule("m"));
  Toolbar toolbar;
  toolbar.ActivateExtensions(nullptr);
  ASSERT_EQ(toolbar.added.size(), 1u);
  const auto views = hostkit::CreatedViews();
  ASSERT_EQ(views.size(), 1u);
  EXPECT_EQ(views[0].module, "m");
  EXPECT_EQ(views[0].parent_view, 77);
  EXPECT_EQ(toolbar.added[0].GetInteger("view"), views[0].view);
  toolbar.UnActivateExtensions();
}

TEST(HostExtensionRefs, OnlyLiveExtensionsAreReadBack) {
  auto extension = std::make_shared<Echo>();
  Variant ref = framework::MakeExtensionRef(*extension);
  EXPECT_EQ(framework::LockExtension(ref).get(), extension.get());
  auto view_model = std::make_shared<framework::ViewModel>();
  EXPECT_EQ(framework::LockExtension(Variant::FromWeak(std::weak_ptr<void>(view_model))), nullptr);
  EXPECT_EQ(framework::LockExtension(Json(R"({"a": 1})")), nullptr);
  extension.reset();
  EXPECT_EQ(framework::LockExtension(ref), nullptr);
  Echo on_stack;  // not shared: no reference can be made
  EXPECT_EQ(framework::LockExtension(framework::MakeExtensionRef(on_stack)), nullptr);
}

TEST(HostDispatcher, PopupsShowOneAtATimeInTheirOrder) {
  auto& dispatcher = framework::module::Dispatcher::GetInstance();
  std::vector<std::string> shown;
  const std::string first = dispatcher.Enqueue({"first", [&] { shown.push_back("first"); }});
  const std::string second = dispatcher.Enqueue({"second", [&] { shown.push_back("second"); }});
  const std::string third = dispatcher.Enqueue({"third", [&] { shown.push_back("third"); }});
  EXPECT_TRUE(shown.empty());  // never inside Enqueue
  hostkit::RunUntilIdle();
  EXPECT_EQ(shown, std::vector<std::string>{"first"});
  EXPECT_TRUE(dispatcher.Finish(third));  // gives up while waiting
  EXPECT_TRUE(dispatcher.Finish(first));
  hostkit::RunUntilIdle();
  EXPECT_EQ(shown, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(hostkit::CurrentPopupToken(), second);
  EXPECT_FALSE(dispatcher.Finish(first));
}

TEST(HostVariantText, LeavesTheNamedKeysOutAtEveryDepth) {
  EXPECT_EQ(framework::VariantToStringWithout(
                Json(R"({"a": 1, "password": "x", "list": [{"password": "y", "b": 2}], "m": {"password": 3}})"),
                {"password"}),
            R"({"a":1,"list":[{"b":2}],"m":{}})");
}

}  // namespace
