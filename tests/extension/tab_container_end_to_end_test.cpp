// A lazy tab container and two tab modules from attach to detach: the events and commands in
// the order the container and the tabs exchange them, the lazily loaded module loaded once on
// first use, and the load timings an author reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extension_test_support.h"
#include "hostkit/viewmodel.h"
#include "module_api/viewmodel/tab_contributes_lazy_load_viewmodel.h"

namespace {

using namespace extension_test;
using hostkit::Json;

class HomeTabs : public velto::TabContributesLazyLaodViewModel {
 public:
  HomeTabs() : TabContributesLazyLaodViewModel("home:tabs") {}
  std::set<std::string> eager;

 protected:
  std::set<std::string> ExtensionsIdOfModuleNotLazyLoaded() override { return eager; }
  void FillLazyLoadingExtensionProperties(const std::string& id,
                                          std::unordered_map<std::string, Variant>& properties) override {
    properties["title"] = "placeholder " + id;
    properties["position"] = id == "home:meetings" ? 0 : 1;
  }
};

class TabContainerEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetJournal();
    DeclareModule("meetings", "home:tabs", {"home:meetings"},
                  [](framework::module::IModuleRuntime* runtime, const std::string&) {
                    return std::make_shared<TestTab>(runtime, 0);
                  },
                  /*load_cost_ms=*/20);
    DeclareModule("apps", "home:tabs", {"home:apps"},
                  [](framework::module::IModuleRuntime* runtime, const std::string&) {
                    return std::make_shared<TestTab>(runtime, 1);
                  },
                  /*load_cost_ms=*/150);
  }
  void Choose(const char* id) {
    Variant params = Variant::Map();
    params["extension_id"] = id;
    hostkit::FireAction(home_, velto::tab_action::kSetCurrentTab, params);
  }
  void MakeAhead(const char* id) {
    Variant params = Variant::Map();
    params["extension_id"] = id;
    hostkit::FireAction(home_, velto::tab_action::kInstantiateTab, params);
  }
  HomeTabs home_;
};

TEST_F(TabContainerEndToEnd, TabsExchangeEventsAndCommandsInOrderAndTheLazyModuleLoadsOnce) {
  home_.eager = {"home:meetings"};
  ASSERT_TRUE(hostkit::AttachViewModel(home_));
  EXPECT_EQ(hostkit::TrafficLines(),
            (std::vector<std::string>{"event GetItemInfo -> home:meetings", "command OnGetItemInfo <- home:meetings",
                                      "event SetCurrentTabEvent -> home:meetings",
                                      "command OnShowTabContentViewCommand <- home:meetings"}));
  EXPECT_FALSE(hostkit::IsModuleLoaded("apps"));
  EXPECT_EQ(home_.GetPropValue(velto::tab_prop::kCurrentTab).GetString("extension_id"), "home:meetings");
  const Variant listed = home_.GetPropValue(velto::contributes_prop::kChildrenView);
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed.At(1).Get("propertites").GetString("title"), "placeholder home:apps");

  // The view makes the apps tab ahead of time: its module loads now, and only its view is
  // reported.
  hostkit::ClearExtensionTraffic();
  MakeAhead("home:apps");
  EXPECT_EQ(hostkit::TrafficLines(),
            (std::vector<std::string>{"event GetItemInfo -> home:apps", "command OnGetItemInfo <- home:apps",
                                      "event PreCreateTabEvent -> home:apps", "command UpdateItemStatus <- home:apps"}));
  EXPECT_EQ(home_.GetPropValue(velto::contributes_prop::kUpdateItem).GetInteger("view"),
            hostkit::CreatedViews().back().view);

  // Choosing it shows the view made ahead; going back shows the meetings tab's stored view.
  hostkit::ClearExtensionTraffic();
  Choose("home:apps");
  Choose("home:meetings");
  Choose("home:apps");
  EXPECT_EQ(hostkit::TrafficLines(),
            (std::vector<std::string>{
                "event TabUnselectedEvent -> home:meetings", "event SetCurrentTabEvent -> home:apps",
                "command OnShowTabContentViewCommand <- home:apps", "event TabUnselectedEvent -> home:apps",
                "event SetCurrentTabEvent -> home:meetings", "command OnShowTabContentViewCommand <- home:meetings",
                "event TabUnselectedEvent -> home:meetings", "event SetCurrentTabEvent -> home:apps",
                "command OnShowTabContentViewCommand <- home:apps"}));
  EXPECT_EQ(hostkit::CreatedViews().size(), 2u);  // one view per tab, ever
  EXPECT_EQ(home_.current_tab().GetString("extension_id"), "home:apps");

  // The apps tab hides itself: the item status reaches the view.
  Made<TestTab>(home_, "home:apps")->UpdateItemStatus(false);
  EXPECT_FALSE(home_.GetPropValue(velto::contributes_prop::kUpdateItem).GetBoolean("visible", true));

  EXPECT_EQ(hostkit::ModuleLoadCount("apps"), 1u);
  EXPECT_EQ(hostkit::ModuleLoadCount("meetings"), 1u);
  const auto loads = hostkit::ModuleLoads();
  ASSERT_EQ(loads.size(), 2u);
  EXPECT_EQ(loads[0].module, "meetings");
  EXPECT_EQ(loads[0].duration_ms, 20);
  EXPECT_EQ(loads[1].module, "apps");
  EXPECT_EQ(loads[1].started_at_ms, 20);  // on first use, after the meetings module
  EXPECT_EQ(loads[1].duration_ms, 150);
  const auto activations = hostkit::ExtensionActivations();
  ASSERT_EQ(activations.size(), 2u);
  EXPECT_EQ(activations[1].extension_id, "home:apps");
  EXPECT_EQ(activations[1].module, "apps");
  EXPECT_TRUE(activations[1].ok);

  ASSERT_TRUE(hostkit::DetachViewModel(home_));
  const auto& hooks = TheJournal().hooks;
  EXPECT_EQ(std::vector<std::string>(hooks.end() - 2, hooks.end()),
            (std::vector<std::string>{"home:apps:uninit", "home:meetings:uninit"}));
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
}

TEST_F(TabContainerEndToEnd, AFirstChoiceOfAPlaceholderLoadsItsModuleThenSwitches) {
  ASSERT_TRUE(hostkit::AttachViewModel(home_));  // nothing eager: the default tab loads
  ASSERT_TRUE(hostkit::IsModuleLoaded("meetings"));
  hostkit::ClearExtensionTraffic();
  Choose("home:apps");
  EXPECT_EQ(hostkit::TrafficLines(),
            (std::vector<std::string>{"event GetItemInfo -> home:apps", "command OnGetItemInfo <- home:apps",
                                      "event TabUnselectedEvent -> home:meetings",
                                      "event SetCurrentTabEvent -> home:apps",
                                      "command OnShowTabContentViewCommand <- home:apps"}));
  // The tab's own properties replace the placeholder's.
  const Variant& apps = home_.data_source().At(static_cast<size_t>(home_.FindItemIndex("home:apps")));
  EXPECT_EQ(apps.Get("propertites").GetString("title"), "tab home:apps");
  Choose("home:meetings");
  Choose("home:apps");
  EXPECT_EQ(hostkit::ModuleLoadCount("apps"), 1u);
  EXPECT_EQ(TheJournal().hooks,
            (std::vector<std::string>{"meetings:load", "home:meetings:init", "home:meetings:properties",
                                      "home:meetings:selected", "apps:load", "home:apps:init", "home:apps:properties",
                                      "home:meetings:unselected", "home:apps:selected", "home:apps:unselected",
                                      "home:meetings:selected", "home:meetings:unselected", "home:apps:selected"}));
  hostkit::DetachViewModel(home_);
}

TEST_F(TabContainerEndToEnd, ReattachingDoesNotLoadModulesAgain) {
  hostkit::AttachViewModel(home_);
  Choose("home:apps");
  hostkit::DetachViewModel(home_);
  hostkit::AttachViewModel(home_);
  Choose("home:apps");
  EXPECT_EQ(hostkit::ModuleLoadCount("apps"), 1u);
  EXPECT_EQ(hostkit::ModuleLoadCount("meetings"), 1u);
  EXPECT_EQ(hostkit::ModuleLoads().size(), 2u);
  EXPECT_EQ(home_.current_tab().GetString("extension_id"), "home:apps");
  hostkit::DetachViewModel(home_);
}

}  // namespace
