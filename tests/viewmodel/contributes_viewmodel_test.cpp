// The area view models as a module's screen uses them: every contributes change as a
// property, tab containers choosing, making, inserting and removing tabs, item view models
// finding their extension, and the window an item view lives in.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "extension/extension_test_support.h"
#include "hostkit/viewmodel.h"
#include "module_api/viewmodel/contributes_viewmodel.h"
#include "module_api/viewmodel/extension_viewmodel.h"
#include "module_api/viewmodel/tab_contributes_viewmodel.h"
#include "module_api/viewmodel/window_type_base.h"

namespace {

using namespace extension_test;
using hostkit::Json;

class Toolbar : public velto::ContributesViewModel {
 public:
  Toolbar() : velto::ContributesViewModel("toolbar", framework::extension::kContributesModeControl) {}
  int64_t GetViewContext() override { return 1; }
};

TEST(ContributesViewModel, EveryChangeOfTheAreaReachesTheView) {
  Toolbar toolbar;
  toolbar.AddExtensionItem(Json(R"({"extension_id": "a", "view": 10})"));
  toolbar.AddExtensionItem(Json(R"({"extension_id": "b"})"));
  EXPECT_EQ(hostkit::PropHistory(toolbar, velto::contributes_prop::kAddItemView),
            std::vector<Variant>{Json(R"({"extension_id": "a", "view": 10})")});
  EXPECT_EQ(toolbar.GetPropValue(velto::contributes_prop::kChildrenView).size(), 2u);
  toolbar.TakeExtensionItem("a");
  EXPECT_EQ(toolbar.GetPropValue(velto::contributes_prop::kTakeItem).GetString("extension_id"), "a");
  toolbar.DestroyExtensionItem("a");
  EXPECT_EQ(toolbar.GetPropValue(velto::contributes_prop::kDestroyTakenItem).GetString("extension_id"), "a");
  toolbar.RemoveExtensionItem("b");  // no view: no removal property
  EXPECT_TRUE(hostkit::PropHistory(toolbar, velto::contributes_prop::kRemoveItem).empty());
  toolbar.AddExtensionItem(Json(R"({"extension_id": "c", "view": 12})"));
  toolbar.RemoveExtensionItem("c");
  EXPECT_EQ(toolbar.GetPropValue(velto::contributes_prop::kRemoveItem).GetInteger("view"), 12);
  toolbar.AddExtensionItem(Json(R"({"extension_id": "d"})"));
  toolbar.OnUpdateItemStatus(Json(R"({"extension_id": "d", "visible": false})"));
  EXPECT_EQ(toolbar.GetPropValue(velto::contributes_prop::kUpdateItem), Json(R"({"extension_id": "d", "visible": false})"));
  EXPECT_EQ(toolbar.GetPropValue(velto::contributes_prop::kChildrenView), Json(R"([{"extension_id": "d"}])"));
}

TEST(ContributesViewModel, ADeferredUpdateWaitsForTheLooperAndSkipsAGoneViewModel) {
  auto toolbar = std::make_shared<Toolbar>();
  toolbar->data_source().Add(Json(R"({"extension_id": "a"})"));
  toolbar->OnContributesChildrenView(true);
  EXPECT_TRUE(hostkit::PropHistory(*toolbar, velto::contributes_prop::kChildrenView).empty());
  hostkit::RunUntilIdle();
  EXPECT_EQ(hostkit::PropHistory(*toolbar, velto::contributes_prop::kChildrenView).size(), 1u);
  toolbar->OnContributesChildrenView(true);
  toolbar.reset();
  EXPECT_EQ(hostkit::RunUntilIdle(), 1u);  // ran, and wrote nothing
}

TEST(ContributesViewModel, AttachNotesAToolkitView) {
  Toolbar native;
  hostkit::AttachViewModel(native);
  EXPECT_FALSE(native.is_tbui_view_context());
  Toolbar toolkit;
  hostkit::AttachViewModel(toolkit, std::make_shared<framework::Context>(7, "", framework::ViewContext::kToolkitView));
  EXPECT_TRUE(toolkit.is_tbui_view_context());
}

// A tab container that writes down its hooks.
class Container : public velto::TabContributesViewModel {
 public:
  explicit Container(const std::string& id = "tabs") : TabContributesViewModel(id) {}
  std::vector<std::string> hooks;
  bool select_default = true;
  using TabContributesViewModel::ReportTabExposure;

 protected:
  Variant GetUiInitParams() override { return Json(R"({"layout": "top"})"); }
  bool ShouldSelectDefaultWhenAttached() override { return select_default; }
  void OnTabSelected(const std::string& id) override { hooks.push_back("selected:" + id); }
  void OnTabUnselected(const std::string& id) override { hooks.push_back("unselected:" + id); }
};

class TabContainerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetJournal();
    DeclareModule("tabs", "tabs", {"t1", "t2", "t3"}, [](framework::module::IModuleRuntime* runtime, const std::string& id) {
      // Listed t1, t2, t3; placed t2, t3, t1.
      return std::make_shared<TestTab>(runtime, id == "t1" ? 30 : id == "t2" ? 10 : 20);
    });
    ASSERT_TRUE(hostkit::LoadModule("tabs"));
  }
  std::vector<std::string> Ids(const Variant& list) {
    std::vector<std::string> ids;
    for (const Variant& item : list.Elements()) ids.push_back(item.GetString("extension_id"));
    return ids;
  }
  Container container_;
};

TEST_F(TabContainerTest, AttachListsTheTabsByPositionAndChoosesTheFirstVisible) {
  ASSERT_TRUE(hostkit::AttachViewModel(container_));
  EXPECT_EQ(container_.GetPropValue(velto::tab_prop::kUiInitParams), Json(R"({"layout": "top"})"));
  EXPECT_EQ(Ids(container_.GetPropValue(velto::contributes_prop::kChildrenView)),
            (std::vector<std::string>{"t2", "t3", "t1"}));
  EXPECT_EQ(container_.current_tab().GetString("extension_id"), "t2");
  EXPECT_EQ(container_.GetPropValue(velto::tab_prop::kCurrentTab).GetString("extension_id"), "t2");
  EXPECT_EQ(container_.GetPropValue(velto::tab_prop::kCurrentTab).GetInteger("view"),
            hostkit::CreatedViews().at(0).view);
  EXPECT_EQ(hostkit::CreatedViews().at(0).parent_view, container_.GetViewContext());
  EXPECT_EQ(container_.hooks, std::vector<std::string>{"selected:t2"});
  ASSERT_TRUE(hostkit::DetachViewModel(container_));
  EXPECT_TRUE(container_.data_source().empty());
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
}

TEST_F(TabContainerTest, TheDefaultTabWinsWhenListed) {
  container_.SetDefaultExtensionId("t1");
  hostkit::AttachViewModel(container_);
  EXPECT_EQ(container_.current_tab().GetString("extension_id"), "t1");
  hostkit::DetachViewModel(container_);
  container_.SetDefaultExtensionId("nope");
  hostkit::AttachViewModel(container_);
  EXPECT_EQ(container_.current_tab().GetString("extension_id"), "t2");
  hostkit::DetachViewModel(container_);
}

TEST_F(TabContainerTest, SwitchingTabsUnselectsTheOldOneAndTheSameTabChangesNothing) {
  hostkit::AttachViewModel(container_);
  hostkit::ClearExtensionTraffic();
  container_.hooks.clear();
  hostkit::FireAction(container_, velto::tab_action::kSetCurrentTab,
                      Json(R"({"extension_id": "t2", "statistics_report_id": "tab_click"})"));
  EXPECT_TRUE(hostkit::ExtensionTraffic().empty());
  EXPECT_TRUE(container_.hooks.empty());
  EXPECT_EQ(hostkit::CountAnalytics("tab_click"), 1u);

  hostkit::FireAction(container_, velto::tab_action::kSetCurrentTab, Json(R"({"extension_id": "t3"})"));
  EXPECT_EQ(hostkit::TrafficLines(),
            (std::vector<std::string>{"event TabUnselectedEvent -> t2", "event SetCurrentTabEvent -> t3",
                                      "command OnShowTabContentViewCommand <- t3"}));
  EXPECT_EQ(container_.hooks, (std::vector<std::string>{"unselected:t2", "selected:t3"}));
  EXPECT_EQ(hostkit::ExtensionTraffic()[1].payload.GetInteger("parent_view"), container_.GetViewContext());
  EXPECT_EQ(container_.current_tab().GetString("extension_id"), "t3");

  container_.SetCurrentTab("t9");
  EXPECT_TRUE(hostkit::HasLog(3, "the current tab is not exist, please create first! extension id is: t9"));
  hostkit::DetachViewModel(container_);
}

TEST_F(TabContainerTest, MakingATabAheadSendsPreCreateWithTheParentView) {
  container_.select_default = false;
  hostkit::AttachViewModel(container_);
  EXPECT_TRUE(container_.current_tab().IsNull());
  hostkit::FireAction(container_, velto::tab_action::kInstantiateTab, Json(R"({"extension_id": "t1"})"));
  hostkit::FireAction(container_, velto::tab_action::kInstantiateTab, Json(R"({"no_id": 1})"));
  hostkit::FireAction(container_, velto::tab_action::kInstantiateTab);
  const auto lines = hostkit::TrafficLines({"PreCreateTabEvent", "UpdateItemStatus"});
  EXPECT_EQ(lines, (std::vector<std::string>{"event PreCreateTabEvent -> t1", "command UpdateItemStatus <- t1"}));
  const Variant& t1 = container_.data_source().At(static_cast<size_t>(container_.FindItemIndex("t1")));
  EXPECT_EQ(t1.GetInteger("view"), hostkit::CreatedViews().at(0).view);  // known, not shown
  EXPECT_TRUE(container_.current_tab().IsNull());
  hostkit::DetachViewModel(container_);
}

TEST_F(TabContainerTest, RemovingTheCurrentTabChoosesAnotherAndOtherRemovalsOnlyRepublish) {
  hostkit::AttachViewModel(container_);
  const size_t writes = hostkit::PropHistory(container_, velto::tab_prop::kCurrentTab).size();
  container_.RemoveTab("t1");
  EXPECT_EQ(container_.GetPropValue(velto::tab_prop::kRemoveTab).GetString("extension_id"), "t1");
  EXPECT_EQ(hostkit::PropHistory(container_, velto::tab_prop::kCurrentTab).size(), writes + 1);
  EXPECT_EQ(container_.GetPropValue(velto::tab_prop::kCurrentTab).GetString("extension_id"), "t2");
  container_.hooks.clear();
  hostkit::ClearExtensionTraffic();
  container_.RemoveTab("t2");
  EXPECT_EQ(container_.current_tab().GetString("extension_id"), "t3");
  EXPECT_EQ(container_.hooks, std::vector<std::string>{"selected:t3"});  // the removed tab hears nothing
  EXPECT_EQ(hostkit::TrafficLines({"TabUnselectedEvent"}).size(), 0u);
  container_.RemoveTab("nope");
  EXPECT_EQ(Ids(container_.data_source()), std::vector<std::string>{"t3"});
  hostkit::DetachViewModel(container_);
}

TEST_F(TabContainerTest, AnInsertedTabIsAnnouncedWithItsIndex) {
  container_.select_default = false;
  hostkit::AttachViewModel(container_);
  container_.RemoveTab("t3");
  container_.InsertTab("t3", Json(R"({"from": "insert"})"));
  const Variant inserted = container_.GetPropValue(velto::tab_prop::kInsertTab);
  EXPECT_EQ(inserted.GetString("extension_id"), "t3");
  EXPECT_EQ(inserted.GetInt32("insert_index"), 1);  // between t2 (10) and t1 (30)
  EXPECT_TRUE(container_.GetPropValue(velto::tab_prop::kCurrentTab).IsNull());
  hostkit::DetachViewModel(container_);
}

TEST_F(TabContainerTest, TabItemUpdatesReachTheViewOrAreLogged) {
  hostkit::AttachViewModel(container_);
  auto t3 = Made<TestTab>(container_, "t3");
  Variant update = Json(R"({"title": "Renamed", "badge": 2})");
  t3->UpdateTabItem(&update);
  const Variant tab = container_.GetPropValue(velto::tab_prop::kUpdateTabItem);
  EXPECT_EQ(tab.GetString("extension_id"), "t3");
  EXPECT_EQ(tab.Get("propertites").GetString("title"), "Renamed");
  EXPECT_EQ(tab.Get("propertites").GetInt32("badge"), 2);
  EXPECT_EQ(tab.Get("propertites").GetInt32("position"), 20);
  const Variant no_id = Json(R"({"title": "x"})");
  container_.OnExtensionCommand("t3", "OnUpdateTabItemCommand", &no_id);
  EXPECT_TRUE(hostkit::HasLog(1, "extension id is not set"));
  const Variant stranger = Json(R"({"extension_id": "t9", "title": "x"})");
  container_.OnExtensionCommand("t9", "OnUpdateTabItemCommand", &stranger);
  EXPECT_TRUE(hostkit::HasLog(1, "extension id can't found!"));
  hostkit::DetachViewModel(container_);
}

TEST(TabExposure, InviteTabsAreReportedWithTheMeetingState) {
  Container container;
  hostkit::InstallModel(514).Succeed(0);
  container.ReportTabExposure("invite:extension:dial_sip_invite");
  const hostkit::AnalyticsEvent* event = hostkit::LastAnalytics("e#meeting_invitation#select_invite_type#click");
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(event->properties.at("type"), "kVideoMeeting");
  EXPECT_EQ(event->properties.at("in_meeting"), "1");
  container.ReportTabExposure("home:extension:apps");
  EXPECT_EQ(hostkit::CountAnalytics("e#meeting_invitation#select_invite_type#click"), 1u);
}

// Item view models.
TEST(ExtensionViewModel, FindsALiveExtensionInTheViewParams) {
  auto tab = std::make_shared<TestTab>(nullptr);
  auto vm = std::make_shared<velto::ExtensionViewModel>();
  Variant params = Variant::Map();
  params["extension_ptr"] = framework::MakeExtensionRef(*tab);
  hostkit::AttachViewModel(*vm, params);
  EXPECT_EQ(vm->GetExtension().lock(), tab);
  EXPECT_EQ(tab->GetViewModel().lock(), vm);

  velto::ExtensionViewModel without;
  hostkit::AttachViewModel(without, Json(R"({"other": 1})"));
  EXPECT_TRUE(without.GetExtension().expired());
  auto gone = std::make_shared<TestTab>(nullptr);
  Variant dead = Variant::Map();
  dead["extension_ptr"] = framework::MakeExtensionRef(*gone);
  gone.reset();
  velto::ExtensionViewModel late;
  hostkit::AttachViewModel(late, dead);
  EXPECT_TRUE(late.GetExtension().expired());
}

TEST(WindowTypeViewModel, TheWindowComesFromTheViewParams) {
  hostkit::InstallModel(504);
  velto::WindowTypeExtensionViewModel main;
  hostkit::AttachViewModel(main, Json(R"({"view_params": {}})"));
  EXPECT_TRUE(main.InMainWindow());
  EXPECT_EQ(main.GetWindowTypeDesc(), "main");
  velto::WindowTypeExtensionViewModel secondary;
  hostkit::AttachViewModel(secondary, Json(R"({"view_params": {"window_type": 1}})"));
  EXPECT_TRUE(secondary.InSecondaryWindow());
  EXPECT_EQ(secondary.GetWindowTypeDesc(), "secondary");
  velto::WindowTypeExtensionViewModel other;
  hostkit::AttachViewModel(other, Json(R"({"view_params": {"window_type": 2}})"));
  EXPECT_FALSE(other.InMainWindow());
  EXPECT_FALSE(other.InSecondaryWindow());
  EXPECT_EQ(other.GetWindowTypeDesc(), "");
  // The authorization base hears failures at priority 12.
  bool priority_12 = false;
  for (const auto& sub : hostkit::FindModel(504)->Subscriptions()) {
    priority_12 = priority_12 || (sub.is_priority && sub.priority == 12 && sub.event_id == 5);
  }
  EXPECT_TRUE(priority_12);
  for (auto* vm : {&main, &secondary, &other}) hostkit::DetachViewModel(*vm);
}

TEST(AuthorizeContributesViewModel, AnAreaWithTheAuthorizationBase) {
  class Guarded : public velto::AuthorizeContributesViewModel {
   public:
    Guarded() : velto::AuthorizeContributesViewModel(30, "guarded", framework::extension::kContributesModeProperties) {}
    int64_t GetViewContext() override { return 3; }
  };
  hostkit::InstallModel(504);
  Guarded area;
  EXPECT_STREQ(area.GetContributesId(), "guarded");
  EXPECT_EQ(area.contributes_mode(), 0);
  hostkit::AttachViewModel(area);
  EXPECT_GT(hostkit::SubscriptionsOf(&area), 0u);
  area.AddExtensionItem(Json(R"({"extension_id": "x"})"));
  EXPECT_EQ(area.GetPropValue(velto::contributes_prop::kChildrenView).size(), 1u);
  hostkit::DetachViewModel(area);
  EXPECT_EQ(hostkit::SubscriptionsOf(&area), 0u);
}

}  // namespace
