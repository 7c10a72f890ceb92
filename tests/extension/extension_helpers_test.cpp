// The classes beside the extensions: home navigation items that follow the meeting, quick
// operation menu entries that depend on roles, server-configured entrances, and the
// bookkeeping of peer-to-peer call delegates.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "extension_test_support.h"
#include "framework/viewmodel.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/platform.h"
#include "hostkit/viewmodel.h"
#include "module_api/extension/home_navigation_extension_base.h"
#include "module_api/extension/p2p_delegate_holder.h"
#include "module_api/extension/quick_operation_menu_extension_base.h"
#include "module_api/extension/ui_entrance_handler.h"
#include "util/time/server_time.h"

namespace {

using namespace extension_test;
using hostkit::Json;

class BackToMeeting : public velto::HomeNavigationExtensionBase {
 public:
  std::vector<bool> statuses;
  bool InMeetingNow() { return InmeetingState(); }

 protected:
  framework::module::IModuleRuntime* GetModuleRuntime() override { return nullptr; }
  void OnInit(const Variant*) override { SubscribeRoomEvent(); }
  int GetViewModelType() override { return 1; }
  void UpdateItemStatusByRoomStatus(bool in_room) override { statuses.push_back(in_room); }
};

class HomeNavigationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    meeting_ = &hostkit::InstallModel(514);
    bus_ = &hostkit::InstallModel(502);
    framework::extension::GetExtensionService()->RegisterExtensionFactory("nav", [this] { return item_; });
    area_.LoadExtension("nav", nullptr);
  }
  void TearDown() override { area_.UnActivateExtensions(); }
  hostkit::ScriptedModel* meeting_ = nullptr;
  hostkit::ScriptedModel* bus_ = nullptr;
  std::shared_ptr<BackToMeeting> item_ = std::make_shared<BackToMeeting>();
  Area area_{"home:navigation"};
};

TEST_F(HomeNavigationTest, JoinsLeavesAndDismissalsMoveTheItem) {
  EXPECT_EQ(hostkit::SubscriptionsOf(item_.get()), 4u);
  meeting_->Fire(1, Json(R"({"result": 0})"));
  meeting_->Fire(1, Json(R"({"result": 13411})"));  // a failed join changes nothing
  meeting_->Fire(2, Json("{}"));
  meeting_->Fire(23, Json("{}"));
  bus_->Fire(96, Json("{}"));
  EXPECT_EQ(item_->statuses, (std::vector<bool>{true, false, false, false}));
  EXPECT_TRUE(hostkit::HasLog(6, "result:13411"));
  EXPECT_TRUE(hostkit::HasLog(6, "meeting view dismiss"));
  meeting_->FireNull(1);
  EXPECT_EQ(item_->statuses.size(), 4u);
}

TEST_F(HomeNavigationTest, LeavingWhileSwitchingRoomsIsNoLeave) {
  hostkit::InstallModel(622).Succeed(1);
  meeting_->Fire(2, Json("{}"));
  meeting_->Fire(23, Json("{}"));
  EXPECT_TRUE(item_->statuses.empty());
  EXPECT_EQ(hostkit::CountLogs(6, "is room switch"), 2u);
}

TEST_F(HomeNavigationTest, DeactivationLeavesNoSubscriptionBehind) {
  area_.UnActivateExtensions();
  EXPECT_EQ(hostkit::SubscriptionsOf(item_.get()), 0u);
  meeting_->Succeed(0);
  EXPECT_TRUE(item_->InMeetingNow());
}

TEST(HomeNavigationAlone, WithoutTheEventBusTheMeetingSubscriptionsStillGoAtDeactivation) {
  hostkit::InstallModel(514);
  auto item = std::make_shared<BackToMeeting>();
  framework::extension::GetExtensionService()->RegisterExtensionFactory("nav", [item] { return item; });
  Area area("home:navigation");
  area.LoadExtension("nav", nullptr);
  EXPECT_EQ(hostkit::SubscriptionsOf(item.get()), 3u);
  area.UnActivateExtensions();
  EXPECT_EQ(hostkit::SubscriptionsOf(item.get()), 0u);
}

// A navigation item that is also a view model: its subscriptions are recorded with it.
class NavigationViewModel : public framework::ViewModel, public velto::HomeNavigationExtensionBase {
 protected:
  framework::module::IModuleRuntime* GetModuleRuntime() override { return nullptr; }
  void OnInit(const Variant*) override { SubscribeRoomEvent(); }
  int GetViewModelType() override { return 1; }
};

TEST(HomeNavigationViewModel, SubscriptionsAreRecordedWithTheViewModel) {
  hostkit::InstallModel(514);
  hostkit::InstallModel(502);
  auto item = std::make_shared<NavigationViewModel>();
  item->OnContributesActivate(0, nullptr);
  EXPECT_EQ(item->RecordedSubscriptionCount(), 2u);  // one record per model
  item->OnContributesUnActivate();
}

// Quick operation menu entries.
class RoleEntry : public velto::QuickOperationMenuExtensionBase {
 public:
  using QuickOperationMenuExtensionBase::QuickOperationMenuExtensionBase;
  std::vector<std::pair<int, int>> asked;
  bool ExtensionVisibleByRole(int self_role, int user_role) override {
    asked.emplace_back(self_role, user_role);
    return self_role < user_role;
  }
  bool ExtensionVisibleForSelf() override { return false; }
};

TEST(QuickOperationMenu, TheLocalUsersOwnMenuAndOthersByRole) {
  hostkit::MeetingFixture meeting;
  meeting.Install();  // "u-self" hosts
  meeting.UpdateUser("u-1", Json(R"({"co_host": true})"));
  RoleEntry self(hostkit::MeetingFixture::kSelfUserId, "menu");
  EXPECT_FALSE(self.ExtensionVisible());
  EXPECT_TRUE(self.asked.empty());
  RoleEntry cohost("u-1");
  EXPECT_TRUE(cohost.ExtensionVisible());
  EXPECT_EQ(cohost.asked, (std::vector<std::pair<int, int>>{{0, 1}}));
  RoleEntry other("u-2");
  other.ExtensionVisible();
  EXPECT_EQ(other.asked, (std::vector<std::pair<int, int>>{{0, 3}}));
  RoleEntry copy = other;
  EXPECT_EQ(copy.user_id(), "u-2");
  EXPECT_EQ(RoleEntry(self).menu_context(), "menu");
}

// Server-configured entrances.
class Entrances : public velto::UIEntranceHandler {
 public:
  std::vector<std::pair<std::string, bool>> changes;
  void OnServiceEntranceVisibleChange(const std::string& id, bool visible) override { changes.emplace_back(id, visible); }
};

TEST(UIEntrance, AnEntranceIsVisibleOnlyBeforeItsEndTime) {
  auto& entrances = hostkit::InstallModel(539);
  const int64_t now = util::time::GetServerTimestamp(1);
  entrances.Handle(1, [now](const Variant& query, Variant* answer) {
    if (query.GetString("attr") != "end_time") {
      *answer = query.GetString("id") != "off";
    } else if (query.GetString("id") == "ends_now") {
      *answer = now;
    } else if (query.GetString("id") == "ends_later") {
      *answer = now + 1;
    } else {
      *answer = "never";
    }
    return true;
  });
  Entrances handler;
  EXPECT_FALSE(handler.QueryServiceEntranceIfVisible("ends_now", true));
  EXPECT_TRUE(handler.QueryServiceEntranceIfVisible("ends_later", true));
  EXPECT_TRUE(handler.QueryServiceEntranceIfVisible("no_end", true));
  EXPECT_TRUE(handler.QueryServiceEntranceIfVisible("ends_now", false));
  EXPECT_FALSE(handler.QueryServiceEntranceIfVisible("off", true));
  EXPECT_EQ(entrances.CallCount(1), 8u);  // "off" and the unchecked one: no end-time question
  EXPECT_TRUE(hostkit::HasLog(6, "entrance_id = ends_now, visible = false"));
  hostkit::RemoveModel(539);
  EXPECT_FALSE(handler.QueryServiceEntranceIfVisible("gone", false));
}

TEST(UIEntrance, AConfigurationChangeReportsTheRememberedEntrancesInOrder) {
  hostkit::InstallModel(539).Answer(1, Variant(true));
  Entrances handler;
  handler.QueryServiceEntranceIfVisible("b", false);
  handler.QueryServiceEntranceIfVisible("a", false);
  handler.QueryServiceEntranceIfVisible("c", false);
  handler.OnEventUIControlConfigChanged(nullptr);
  const Variant change = Json(R"({"c": false, "a": true, "b": "yes", "z": true})");
  handler.OnEventUIControlConfigChanged(&change);
  EXPECT_EQ(handler.changes, (std::vector<std::pair<std::string, bool>>{{"a", true}, {"c", false}}));
  EXPECT_TRUE(hostkit::HasLog(6, "params = {\"c\":false"));
  Entrances copy = handler;
  EXPECT_EQ(copy.entrance_ids().size(), 3u);
}

// Peer-to-peer delegates.
class Bridge : public framework::P2PDelegateHolder {
 public:
  using P2PDelegateHolder::DeleteP2PDelegate;
  using P2PDelegateHolder::GetP2PDelegateByCallId;
  using P2PDelegateHolder::GetP2PDelegateByToken;
  using P2PDelegateHolder::SaveP2PDelegate;
};

class CountedDelegate : public framework::P2PDelegate {
 public:
  CountedDelegate(uint64_t token, int* alive) : P2PDelegate(token), alive_(alive) { ++*alive_; }
  ~CountedDelegate() override { --*alive_; }

 private:
  int* alive_;
};

TEST(P2PDelegates, CallIdsCountUpAndLookupsFindTheFirstSaved) {
  int alive = 0;
  {
    Bridge bridge;
    auto first = std::make_unique<CountedDelegate>(5, &alive);
    auto second = std::make_unique<CountedDelegate>(5, &alive);
    auto third = std::make_unique<CountedDelegate>(6, &alive);
    framework::P2PDelegate* p1 = first.get();
    framework::P2PDelegate* p3 = third.get();
    EXPECT_EQ(second->call_id(), p1->call_id() + 1);
    EXPECT_EQ(p3->call_id(), p1->call_id() + 2);
    framework::P2PDelegate copy = *p3;
    EXPECT_EQ(copy.call_id(), p3->call_id());
    EXPECT_EQ(copy.token(), 6u);
    const uint64_t second_id = second->call_id();
    bridge.SaveP2PDelegate(std::move(first));
    bridge.SaveP2PDelegate(std::move(second));
    bridge.SaveP2PDelegate(std::move(third));
    bridge.SaveP2PDelegate(nullptr);
    EXPECT_EQ(bridge.GetP2PDelegateByToken(5), p1);
    EXPECT_EQ(bridge.GetP2PDelegateByCallId(p3->call_id()), p3);
    bridge.DeleteP2PDelegate(p1);
    EXPECT_EQ(alive, 2);
    EXPECT_EQ(bridge.GetP2PDelegateByToken(5)->call_id(), second_id);
    EXPECT_EQ(bridge.GetP2PDelegateByCallId(9999), nullptr);
  }
  EXPECT_EQ(alive, 0);  // the holder destroys what it keeps
}

}  // namespace
