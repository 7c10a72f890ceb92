// The extension bases as a contributes drives them: activation, the item an extension
// publishes in each contributes mode, view params and the view service, items meant for other
// extensions, visibility lists, settings tabs opened from the guide, and the tab events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extension_test_support.h"
#include "module_api/extension/setting_tabs_base_extension.h"

namespace {

using namespace extension_test;
using hostkit::Json;
using framework::extension::kContributesModeControl;

class ModuleExtensionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetJournal();
    DeclareModule("buttons", "area", {"b1", "b2"}, MakeButtons());
    ASSERT_TRUE(hostkit::LoadModule("buttons"));
  }
};

TEST_F(ModuleExtensionTest, PropertiesModePublishesTheItemAndSecondActivationIsRefused) {
  Area area("area");
  const Variant params = Json(R"({"visible_list": ["b2"], "extra_data": {"from": "activation"}})");
  area.LoadExtension("b1", &params);
  ASSERT_EQ(area.data_source().size(), 1u);
  const Variant& item = area.data_source().At(0);
  EXPECT_EQ(item.Get("propertites"), Json(R"({"icon": "record.png"})"));
  EXPECT_EQ(item.GetString("contributes_id"), "area");
  EXPECT_EQ(item.GetString("extension_id"), "b1");
  EXPECT_TRUE(item.GetBoolean("visible"));
  EXPECT_EQ(item.GetInt32("vm_type"), 3);
  auto b1 = Made<TestButton>(area, "b1");
  EXPECT_EQ(framework::LockExtension(item.Get("extension_ptr")), b1);
  EXPECT_TRUE(b1->activated());

  const Variant again = Json(R"({"other": 1})");
  b1->OnContributesActivate(0, &again);
  EXPECT_TRUE(hostkit::HasLog(1, "already activate: extension:b1"));
  EXPECT_EQ(b1->activate_params(), params);  // the first parameters stay
  EXPECT_EQ(TheJournal().hooks, (std::vector<std::string>{"buttons:load", "b1:init"}));
  area.UnActivateExtensions();
}

TEST_F(ModuleExtensionTest, ControlModeAsksTheViewServiceAndPublishesTheItemWithItsView) {
  Area toolbar("area", kContributesModeControl);
  const Variant request = Json(R"({"extra_data": {"from": "request"}})");
  toolbar.LoadExtension("b1", &request);
  const auto views = hostkit::CreatedViews();
  ASSERT_EQ(views.size(), 1u);
  EXPECT_EQ(views[0].module, "buttons");
  EXPECT_EQ(views[0].view_type, "b1");  // the extension id unless GetViewType says otherwise
  EXPECT_EQ(views[0].parent_view, 500);
  EXPECT_FALSE(views[0].tbui_extension);
  ASSERT_EQ(TheJournal().view_params.size(), 1u);
  EXPECT_EQ(TheJournal().view_params[0].Get("extra_data"), Json(R"({"from": "request"})"));
  EXPECT_EQ(TheJournal().view_params[0].GetInt32("vm_type"), 3);
  const Variant& item = toolbar.data_source().At(0);
  EXPECT_EQ(item.GetInteger("view"), views[0].view);
  EXPECT_TRUE(item.GetBoolean("visible"));

  // The second extension's view goes through the same service: b1 ignores b2's item.
  hostkit::ClearExtensionTraffic();
  const Variant from_activation = Json(R"({"extra_data": "kept"})");
  toolbar.LoadExtension("b2", &from_activation);
  EXPECT_EQ(Payloads("OnGetItemInfo").size(), 1u);
  EXPECT_EQ(TheJournal().view_params[1].Get("extra_data"), Variant("kept"));
  toolbar.UnActivateExtensions();
}

TEST_F(ModuleExtensionTest, ExtraDataIsPresentAndEmptyWhenNobodyGaveAny) {
  Area toolbar("area", kContributesModeControl);
  toolbar.LoadExtension("b1", nullptr);
  ASSERT_EQ(TheJournal().view_params.size(), 1u);
  ASSERT_TRUE(TheJournal().view_params[0].Has("extra_data"));
  EXPECT_TRUE(TheJournal().view_params[0].Get("extra_data").IsNull());
  toolbar.UnActivateExtensions();
}

TEST_F(ModuleExtensionTest, ToolkitViewsComeBackWithoutTheViewServiceAndWidgetsAreMarked) {
  hostkit::RegisterWidget("b1");
  Area toolbar("area", kContributesModeControl);
  toolbar.LoadExtension("b1", nullptr);
  EXPECT_TRUE(hostkit::CreatedViews().at(0).tbui_extension);

  auto b2 = std::make_shared<TestButton>(nullptr);
  framework::ExtensionInfo info("b2", "buttons");
  info.set_tbui_mode(true);
  framework::extension::GetExtensionService()->RegisterExtensionFactory("b2", [b2] { return b2; });
  framework::extension::GetExtensionService()->RegisterExtensionInfo("area", info);
  toolbar.LoadExtension("b2", nullptr);
  EXPECT_EQ(hostkit::CreatedViews().size(), 1u);  // none for b2
  const Variant& item = toolbar.data_source().At(toolbar.FindItemIndex("b2"));
  EXPECT_EQ(item.GetString("view_type"), "b2");
  EXPECT_FALSE(item.Has("view"));
  toolbar.UnActivateExtensions();
}

TEST_F(ModuleExtensionTest, WithoutAViewServiceTheViewIsNotAskedForAndTheFailureLogged) {
  auto lonely = std::make_shared<TestButton>(nullptr);  // no module runtime
  framework::extension::GetExtensionService()->RegisterExtensionFactory("b9", [lonely] { return lonely; });
  Area toolbar("area", kContributesModeControl);
  toolbar.LoadExtension("b9", nullptr);
  EXPECT_TRUE(hostkit::HasLog(1, "get extension view service failed! service nullprt!"));
  EXPECT_TRUE(Payloads("OnGetItemInfo").empty());
  EXPECT_TRUE(lonely->activated());  // activation skips the subscription and goes on
  toolbar.UnActivateExtensions();
}

TEST_F(ModuleExtensionTest, AnUnknownModeIsLoggedAndNothingIsSent) {
  Area area("area");
  area.LoadExtension("b1", nullptr);
  hostkit::ClearExtensionTraffic();
  const Variant request = Json(R"({"contributes_mode": 5})");
  area.FireP2PExtensionEvent("b1", "GetItemInfo", &request);
  EXPECT_TRUE(hostkit::HasLog(1, "unknown contributes_mode:5"));
  EXPECT_EQ(hostkit::TrafficLines(), std::vector<std::string>{"event GetItemInfo -> b1"});
  area.UnActivateExtensions();
}

TEST_F(ModuleExtensionTest, ViewsOfOtherOrDeadExtensionsAreIgnored) {
  Area area("area");
  area.LoadExtension("b1", nullptr);
  framework::Service* views =
      framework::module::GetModuleService()->GetModuleRuntime("buttons")->GetServiceRegistry()->GetViewService();
  hostkit::ClearExtensionTraffic();
  auto stranger = std::make_shared<TestButton>(nullptr);
  Variant item = Json(R"({"extension_id": "b1"})");
  item["extension_ptr"] = framework::MakeExtensionRef(*stranger);
  views->Call(0, &item, nullptr);
  stranger.reset();
  views->Call(0, &item, nullptr);  // the reference is dead now
  Variant no_ref = Json(R"({"extension_id": "b1", "extension_ptr": 12})");
  views->Call(0, &no_ref, nullptr);
  EXPECT_TRUE(hostkit::ExtensionTraffic().empty());
  area.UnActivateExtensions();
}

TEST_F(ModuleExtensionTest, VisibilityFollowsANonEmptyVisibleList) {
  Area area("area");
  const Variant listed = Json(R"({"visible_list": ["b1", 7]})");
  area.LoadExtension("b1", &listed);
  const Variant other = Json(R"({"visible_list": ["b1"]})");
  area.LoadExtension("b2", &other);
  EXPECT_TRUE(Made<TestButton>(area, "b1")->GetItemIsVisible(false));
  EXPECT_FALSE(Made<TestButton>(area, "b2")->GetItemIsVisible(true));
  area.UnActivateExtensions();
  const Variant empty = Json(R"({"visible_list": []})");
  area.LoadExtension("b1", &empty);
  EXPECT_FALSE(Made<TestButton>(area, "b1")->GetItemIsVisible(false));
  area.UnActivateExtensions();
  const Variant not_a_list = Json(R"({"visible_list": "b2"})");
  area.LoadExtension("b2", &not_a_list);
  EXPECT_TRUE(Made<TestButton>(area, "b2")->GetItemIsVisible(true));
  area.UnActivateExtensions();
}

TEST_F(ModuleExtensionTest, StatusUpdatesCarryTheIdsAndDeactivationUndoesActivation) {
  Area area("area");
  area.LoadExtension("b1", nullptr);
  auto b1 = Made<TestButton>(area, "b1");
  b1->UpdateItemStatus(false);
  EXPECT_EQ(Payloads("UpdateItemStatus").back(),
            Json(R"({"visible": false, "contributes_id": "area", "extension_id": "b1"})"));
  ASSERT_EQ(area.updates.size(), 1u);
  EXPECT_FALSE(area.updates[0].GetBoolean("visible", true));

  framework::Service* views = b1->GetExtensionViewService();
  ASSERT_NE(views, nullptr);
  EXPECT_EQ(views->SubscriberCount(1), 1u);
  area.UnActivateExtensions();
  EXPECT_EQ(views->SubscriberCount(1), 0u);
  EXPECT_FALSE(b1->activated());
  EXPECT_FALSE(b1->HasEventHandler("GetItemInfo"));
  b1->OnContributesUnActivate();  // no guard: the steps run again
  EXPECT_EQ(TheJournal().hooks, (std::vector<std::string>{"buttons:load", "b1:init", "b1:uninit", "b1:uninit"}));
}

TEST_F(ModuleExtensionTest, DestroyingAnActiveExtensionIsReportedAndItsViewEventsGoNowhere) {
  framework::Service* views = nullptr;
  {
    Area area("area");
    area.LoadExtension("b1", nullptr);
    views = Made<TestButton>(area, "b1")->GetExtensionViewService();
  }  // the area goes away without deactivating
  EXPECT_TRUE(hostkit::HasLog(1, "extension unexpected destroyed: b1 contributesid: area. Are you called "
                                 "UnActivateExtensions() in onViewDetached() ? "));
  Variant item = Json(R"({"extension_id": "b1"})");
  EXPECT_TRUE(views->Call(0, &item, nullptr));  // the stale subscription finds nobody
}

// Settings tabs.
class GuideAwareTab : public velto::SettingTabsBaseExtension {
 public:
  explicit GuideAwareTab(framework::module::IModuleRuntime* runtime) : runtime_(runtime) {}

 protected:
  framework::module::IModuleRuntime* GetModuleRuntime() override { return runtime_; }
  void OnInit(const Variant*) override {}
  int GetViewModelType() override { return 9; }

 private:
  framework::module::IModuleRuntime* runtime_;
};

TEST(SettingTabsExtension, OpenedFromTheGuideEveryItemIsHidden) {
  DeclareModule("settings", "settings:tabs", {"s1"},
                [](framework::module::IModuleRuntime* runtime, const std::string&) {
                  return std::make_shared<GuideAwareTab>(runtime);
                });
  ASSERT_TRUE(hostkit::LoadModule("settings"));
  Area properties("settings:tabs");
  const Variant from_guide = Json(R"({"router_params": {"from_scheme": "velto://page/guide"}})");
  properties.LoadExtension("s1", &from_guide);
  EXPECT_FALSE(properties.data_source().At(0).GetBoolean("visible", true));
  EXPECT_EQ(Made<GuideAwareTab>(properties, "s1")->from_scheme(), "velto://page/guide");
  properties.UnActivateExtensions();

  Area control("settings:tabs", kContributesModeControl);
  control.LoadExtension("s1", &from_guide);
  EXPECT_FALSE(control.data_source().At(0).GetBoolean("visible", true));  // the view's item too
  control.UnActivateExtensions();

  const Variant similar = Json(R"({"router_params": {"from_scheme": "velto://page/guide?tab=1"}})");
  properties.LoadExtension("s1", &similar);
  EXPECT_TRUE(properties.data_source().At(0).GetBoolean("visible", false));
  properties.UnActivateExtensions();
}

// Tabs.
class TabExtensionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetJournal();
    DeclareModule("tabs", "tabs", {"t1"}, MakeTabs());
    ASSERT_TRUE(hostkit::LoadModule("tabs"));
    area_.LoadExtension("t1", nullptr);
    tab_ = Made<TestTab>(area_, "t1");
    hostkit::ClearExtensionTraffic();
  }
  void TearDown() override { area_.UnActivateExtensions(); }
  void Fire(const char* event) {
    const Variant request = Json(R"({"extension_id": "t1", "parent_view": 500})");
    area_.FireP2PExtensionEvent("t1", event, &request);
  }
  Area area_{"tabs"};
  std::shared_ptr<TestTab> tab_;
};

TEST_F(TabExtensionTest, TheFirstChoiceMakesTheViewAndLaterChoicesShowTheStoredItem) {
  EXPECT_EQ(area_.data_source().At(0).Get("propertites").GetString("title"), "tab t1");
  Fire("SetCurrentTabEvent");
  ASSERT_EQ(hostkit::CreatedViews().size(), 1u);
  Fire("SetCurrentTabEvent");
  EXPECT_EQ(hostkit::CreatedViews().size(), 1u);
  EXPECT_EQ(hostkit::TrafficLines(),
            (std::vector<std::string>{"event SetCurrentTabEvent -> t1", "command OnShowTabContentViewCommand <- t1",
                                      "event SetCurrentTabEvent -> t1", "command OnShowTabContentViewCommand <- t1"}));
  const auto shown = Payloads("OnShowTabContentViewCommand");
  EXPECT_EQ(shown[0].GetInteger("view"), hostkit::CreatedViews()[0].view);
  EXPECT_EQ(shown[1], shown[0]);
  EXPECT_TRUE(tab_->content_created());
  EXPECT_EQ(TheJournal().hooks.back(), "t1:selected");
  Fire("TabUnselectedEvent");
  EXPECT_EQ(TheJournal().hooks.back(), "t1:unselected");
}

TEST_F(TabExtensionTest, APreCreatedTabReportsOnlyItsViewAndIsShownWhenChosen) {
  tab_->SetVisible(false);
  Fire("PreCreateTabEvent");
  ASSERT_EQ(hostkit::CreatedViews().size(), 1u);
  const auto updates = Payloads("UpdateItemStatus");
  ASSERT_EQ(updates.size(), 1u);
  Variant expected = Variant::Map();
  expected["view"] = hostkit::CreatedViews()[0].view;
  expected["contributes_id"] = "tabs";
  expected["extension_id"] = "t1";
  EXPECT_EQ(updates[0], expected);
  EXPECT_TRUE(Payloads("OnShowTabContentViewCommand").empty());

  Fire("PreCreateTabEvent");  // the content exists: nothing happens
  EXPECT_EQ(hostkit::CreatedViews().size(), 1u);
  EXPECT_EQ(Payloads("UpdateItemStatus").size(), 1u);

  Fire("SetCurrentTabEvent");
  const auto shown = Payloads("OnShowTabContentViewCommand");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_FALSE(shown[0].GetBoolean("visible", true));  // the tab's own visibility
  EXPECT_EQ(shown[0].GetInteger("view"), hostkit::CreatedViews()[0].view);
}

TEST(TabExtensionToolkit, APreCreatedToolkitTabReportsItsViewType) {
  auto tab = std::make_shared<TestTab>(nullptr);
  framework::ExtensionInfo info("tk", "");
  info.set_tbui_mode(true);
  framework::extension::GetExtensionService()->RegisterExtensionFactory("tk", [tab] { return tab; });
  framework::extension::GetExtensionService()->RegisterExtensionInfo("tabs", info);
  Area area("tabs");
  area.LoadExtension("tk", nullptr);
  const Variant request = Json(R"({"extension_id": "tk"})");
  area.FireP2PExtensionEvent("tk", "PreCreateTabEvent", &request);
  const auto updates = Payloads("UpdateItemStatus");
  ASSERT_EQ(updates.size(), 1u);
  EXPECT_EQ(updates[0], Json(R"({"view_type": "tk", "contributes_id": "tabs", "extension_id": "tk"})"));
  area.UnActivateExtensions();
}

TEST_F(TabExtensionTest, TabItemUpdatesNeedAMapAndNameTheTab) {
  tab_->UpdateTabItem(nullptr);
  Variant text("title");
  tab_->UpdateTabItem(&text);
  EXPECT_EQ(hostkit::CountLogs(1, "param is nullptr or not map"), 2u);
  Variant item = Json(R"({"title": "Renamed", "extension_id": "spoofed"})");
  tab_->UpdateTabItem(&item);
  EXPECT_EQ(Payloads("OnUpdateTabItemCommand"), std::vector<Variant>{Json(R"({"title": "Renamed", "extension_id": "t1"})")});
}

TEST_F(TabExtensionTest, DeactivationDropsTheTabEventsButKeepsTheContentFlags) {
  Fire("SetCurrentTabEvent");
  area_.UnActivateExtensions();
  EXPECT_FALSE(tab_->HasEventHandler("SetCurrentTabEvent"));
  EXPECT_FALSE(tab_->HasEventHandler("PreCreateTabEvent"));
  EXPECT_FALSE(tab_->HasEventHandler("TabUnselectedEvent"));
  EXPECT_TRUE(tab_->content_created());
}

}  // namespace
