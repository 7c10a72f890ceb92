// MembersFilterManager: the filtered, sorted member list following the user model, its
// notifications and its keyword searches, driven through hostkit::MeetingFixture.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/module/module.h"
#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "module_api/members/member_utils.h"
#include "module_api/members/members_filter_manager.h"
#include "module_api/model_ids.h"

namespace {

namespace member = velto_common::utils::member;
using hostkit::Json;
using hostkit::MeetingFixture;
using hostkit::Variant;
using velto::MembersFilterManager;
using Ids = std::vector<std::string>;

class Panel : public velto::IMembersProviderListener {
 public:
  void OnMembersUpdated() override {
    ++updates;
    heard.push_back("updated");
  }
  void OnSearchResult(const std::string& identifier, const Variant& indexes, const std::string& token,
                      int64_t extra) override {
    results[token] = indexes;
    heard.push_back(identifier + ":" + token + ":" + std::to_string(extra));
  }
  int updates = 0;
  std::map<std::string, Variant> results;
  std::vector<std::string> heard;
};

Ids UserIds(const Variant& indexes) {
  framework::Model* users = framework::module::GetAppModuleModel(velto::model_id::kUserModel);
  Ids ids;
  for (const Variant& index : indexes.Elements()) {
    ids.push_back(member::GetUserInfo(users, index.AsInteger()).GetString("user_id"));
  }
  return ids;
}

Ids UserIds(const MembersFilterManager& manager) {
  Variant list;
  manager.GetUserIndexList(&list);
  return UserIds(list);
}

Variant User(const std::string& id, const std::string& nickname, const std::string& extra = "{}") {
  Variant user = MeetingFixture::MakeUser(id, nickname);
  const Variant changes = Json(extra);
  for (size_t i = 0; i < changes.size(); ++i) user[changes.KeyAt(i)] = changes.ValueAt(i);
  return user;
}

class MembersFilterTest : public testing::Test {
 protected:
  void SetUp() override {
    MeetingFixture::Options options;
    options.other_users = 0;  // only "u-self", the host
    meeting_ = std::make_unique<MeetingFixture>(options);
    meeting_->Install();
  }
  MeetingFixture& meeting() { return *meeting_; }

 private:
  std::unique_ptr<MeetingFixture> meeting_;
};

// Order -----------------------------------------------------------------------------------------

TEST_F(MembersFilterTest, DefaultOrderIsSelfHostCoHostsBotsJoinTimeUserId) {
  MembersFilterManager members("all");
  Panel panel;
  members.Activate(&panel);
  // Arrival order scrambled; equal join times fall back to the user id.
  meeting().AddUsers({User("late", "L", R"({"join_time": 300})"), User("tie-b", "B", R"({"join_time": 200})"),
                      User("bot", "R", R"({"is_bot": true, "join_time": 900})"),
                      User("tie-a", "A", R"({"join_time": 200})"),
                      User("cohost", "C", R"({"co_host": true, "join_time": 800})"),
                      User("early", "E", R"({"join_time": 100})"),
                      User("host", "H", R"({"host": true, "join_time": 700})")});
  const Ids expected{"u-self", "host", "cohost", "bot", "early", "tie-a", "tie-b", "late"};
  EXPECT_EQ(UserIds(members), expected);
  EXPECT_EQ(members.GetUserCount(), 8u);

  // Built from the whole model in one go (activation), the order is the same.
  MembersFilterManager again("again");
  again.Activate(&panel);
  EXPECT_EQ(UserIds(again), expected);
}

TEST_F(MembersFilterTest, LocalHostWeighsTwentyFourAndStaysFirst) {
  const Variant self_host = Json(R"({"self": true, "host": true, "join_time": 900, "user_id": "z"})");
  const Variant others = Json(R"({"host": true, "co_host": true, "is_bot": true, "join_time": 1, "user_id": "a"})");
  const Variant self_only = Json(R"({"self": true, "join_time": 900, "user_id": "z"})");
  const Variant host_cohost = Json(R"({"host": true, "co_host": true, "join_time": 1, "user_id": "a"})");
  EXPECT_TRUE(MembersFilterManager::DefaultCompareUser(self_host, others));
  EXPECT_FALSE(MembersFilterManager::DefaultCompareUser(others, self_host));
  EXPECT_TRUE(MembersFilterManager::DefaultCompareUser(self_only, host_cohost));  // 16 > 12
  // Flags are read as booleans only.
  const Variant numeric_host = Json(R"({"host": 1, "join_time": 1, "user_id": "a"})");
  EXPECT_TRUE(MembersFilterManager::DefaultCompareUser(Json(R"({"join_time": 0, "user_id": "b"})"), numeric_host));

  MembersFilterManager members("all");
  Panel panel;
  members.Activate(&panel);
  meeting().AddUser(User("elder", "E", R"({"host": true, "co_host": true, "is_bot": true, "join_time": 1})"));
  meeting().UpdateUser("u-self", Json(R"({"join_time": 99999})"));
  EXPECT_EQ(UserIds(members), (Ids{"u-self", "elder"}));
}

TEST_F(MembersFilterTest, ReplacedOrderResortsAndNotifiesOnlyWhenActive) {
  meeting().AddUsers({User("u-a", "Zed"), User("u-b", "Amy"), User("u-c", "Kim")});
  MembersFilterManager members("all");
  auto by_nickname = [](const Variant& a, const Variant& b) { return a.GetString("nickname") < b.GetString("nickname"); };
  members.SetCompareUserFunc(by_nickname);  // stored only
  Panel panel;
  members.Activate(&panel);
  EXPECT_EQ(UserIds(members), (Ids{"u-b", "u-c", "u-self", "u-a"}));
  EXPECT_EQ(panel.updates, 1);
  members.StartSearch("t", "");
  members.SetCompareUserFunc(&MembersFilterManager::DefaultCompareUser);
  EXPECT_EQ(UserIds(members), (Ids{"u-self", "u-a", "u-b", "u-c"}));
  EXPECT_EQ(panel.updates, 2);
  EXPECT_EQ(UserIds(panel.results["t"]), UserIds(members));  // the search follows the new order
}

// Changes ---------------------------------------------------------------------------------------

TEST_F(MembersFilterTest, UpdatesMoveRemoveAndAddMembers) {
  meeting().AddUsers({User("u-a", "A", R"({"join_time": 1})"), User("u-b", "B", R"({"join_time": 2})"),
                      User("u-c", "C", R"({"join_time": 3, "audio": false})")});
  MembersFilterManager members("talkers");
  members.SetFilterUserFunc([](const Variant& user) { return user.GetBoolean("audio"); });
  Panel panel;
  members.Activate(&panel);
  members.StartSearch("t", "");
  ASSERT_EQ(UserIds(members), (Ids{"u-self", "u-a", "u-b"}));
  panel.heard.clear();

  // Still passing, new place.
  meeting().UpdateUser("u-b", Json(R"({"co_host": true})"));
  EXPECT_EQ(UserIds(members), (Ids{"u-self", "u-b", "u-a"}));
  EXPECT_EQ(panel.heard, (std::vector<std::string>{"updated", "talkers:t:-1"}));

  // Failing the filter: out, and the listener hears it.
  meeting().UpdateUser("u-a", Json(R"({"audio": false})"));
  EXPECT_EQ(UserIds(members), (Ids{"u-self", "u-b"}));
  EXPECT_EQ(UserIds(panel.results["t"]), (Ids{"u-self", "u-b"}));
  EXPECT_TRUE(hostkit::HasLog(6, "talkers remove user from update, user_index: "));

  // Passing now: in at its place.
  meeting().UpdateUser("u-c", Json(R"({"audio": true})"));
  EXPECT_EQ(UserIds(members), (Ids{"u-self", "u-b", "u-c"}));
  EXPECT_TRUE(hostkit::HasLog(6, "talkers add user from update, user_index: "));

  // A non-member that still fails changes nothing and tells nobody.
  const int updates = panel.updates;
  meeting().UpdateUser("u-a", Json(R"({"nickname": "Ann"})"));
  EXPECT_EQ(panel.updates, updates);
  EXPECT_TRUE(hostkit::HasLog(6, "talkers update user without not found, user_index: "));

  // A user named twice in one event is placed once.
  meeting().UpdateUsers({{"u-c", Json(R"({"nickname": "Cy"})")}, {"u-c", Json(R"({"host": true})")}});
  EXPECT_EQ(UserIds(members), (Ids{"u-self", "u-c", "u-b"}));
  meeting().UpdateUsers({{"u-a", Json(R"({"audio": true})")}, {"u-a", Json(R"({"nickname": "Ann"})")}});
  EXPECT_EQ(UserIds(members), (Ids{"u-self", "u-c", "u-b", "u-a"}));
}

TEST_F(MembersFilterTest, RemovalsTakeOnlyMembersOut) {
  meeting().AddUsers({User("u-a", "A"), User("u-b", "B", R"({"is_bot": true})"), User("u-c", "C")});
  MembersFilterManager members("people");
  members.SetFilterUserFunc([](const Variant& user) { return !user.GetBoolean("is_bot"); });
  Panel panel;
  members.Activate(&panel);
  const int updates = panel.updates;
  meeting().RemoveUser("u-b");  // never a member
  EXPECT_EQ(panel.updates, updates);
  meeting().RemoveUsers({"u-a", "u-c"});
  EXPECT_EQ(UserIds(members), (Ids{"u-self"}));
  EXPECT_EQ(panel.updates, updates + 1);
  EXPECT_EQ(hostkit::CountLogs(6, "people remove user_index: "), 2u);
}

TEST_F(MembersFilterTest, LargeArrivalsKeepTheOrderOfSingleInsertions) {
  // Forty newcomers in one event, several tying under a coarse order: each stands before the
  // users it ties with, later arrivals first, as inserting them one at a time would place them.
  MembersFilterManager members("coarse");
  members.SetCompareUserFunc([](const Variant& a, const Variant& b) {
    return a.GetUint64("join_time") / 10 < b.GetUint64("join_time") / 10;
  });
  Panel panel;
  members.Activate(&panel);
  meeting().AddUsers({User("old-1", "x", R"({"join_time": 15})"), User("old-2", "x", R"({"join_time": 25})")});
  std::vector<Variant> batch;
  for (int i = 0; i < 40; ++i) {
    batch.push_back(User("n-" + std::to_string(i), "x", "{\"join_time\": " + std::to_string(10 + (i % 3) * 10) + "}"));
  }
  meeting().AddUsers(batch);
  // Sequential lower-bound insertion, worked out by hand: the self user joined at 0 stays first;
  // per decade the newcomers in reverse arrival, then the earlier member of that decade.
  Ids expected{"u-self"};
  for (int decade = 0; decade < 3; ++decade) {
    for (int i = 39; i >= 0; --i) {
      if (i % 3 == decade) expected.push_back("n-" + std::to_string(i));
    }
    if (decade == 0) expected.push_back("old-1");
    if (decade == 1) expected.push_back("old-2");
  }
  EXPECT_EQ(UserIds(members), expected);
}

// Searches --------------------------------------------------------------------------------------

TEST_F(MembersFilterTest, KeywordMatchesLowerCasedNicknameAsTyped) {
  meeting().AddUsers({User("u-a", "ALICE Smith"), User("u-b", "bob")});
  MembersFilterManager members("all");
  Panel panel;
  members.Activate(&panel);
  members.StartSearch("lower", "alice");
  members.StartSearch("upper", "BOB");
  members.StartSearch("empty", "");
  EXPECT_EQ(UserIds(panel.results["lower"]), (Ids{"u-a"}));
  EXPECT_EQ(UserIds(panel.results["upper"]), Ids{});
  EXPECT_EQ(UserIds(panel.results["empty"]), UserIds(members));
  EXPECT_EQ(panel.heard.back(), "all:empty:-1");
}

TEST_F(MembersFilterTest, SearchesRerunInTokenOrderAfterEveryChange) {
  meeting().AddUsers({User("u-a", "Anna"), User("u-b", "Ben")});
  MembersFilterManager members("all");
  Panel panel;
  members.Activate(&panel);
  members.StartSearch("b", "an");
  members.StartSearch("a", "zzz");
  members.StartSearch("b", "be");  // re-keyed: only the second keyword counts
  members.StartSearch("c", "x");
  members.CancelSearch("c");
  members.CancelSearch("never-opened");
  EXPECT_EQ(hostkit::CountLogs(6, "all: cancel search_token:"), 1u);
  panel.heard.clear();
  meeting().AddUser(User("u-c", "Bert"));
  EXPECT_EQ(panel.heard, (std::vector<std::string>{"updated", "all:a:-1", "all:b:-1"}));
  EXPECT_EQ(UserIds(panel.results["b"]), (Ids{"u-b", "u-c"}));
  EXPECT_EQ(UserIds(panel.results["a"]), Ids{});

  members.NeedSendMembersUpdate();
  EXPECT_EQ(panel.heard.size(), 6u);
}

TEST_F(MembersFilterTest, ChineseNicknamesAreFoundByPinyinAndFollowRenames) {
  meeting().AddUsers({User("u-zw", "张伟"), User("u-given", "李娜", R"({"nickname_pinyin": "nana"})"),
                      User("u-mix", "Dr 王")});
  MembersFilterManager members("all");
  Panel panel;
  members.Activate(&panel);
  members.StartSearch("zhang", "zhang");
  members.StartSearch("li", "li");
  members.StartSearch("nana", "nana");
  members.StartSearch("wang", "wang");
  EXPECT_EQ(UserIds(panel.results["zhang"]), (Ids{"u-zw"}));
  EXPECT_EQ(UserIds(panel.results["li"]), Ids{});  // the record's own pinyin is the one searched
  EXPECT_EQ(UserIds(panel.results["nana"]), (Ids{"u-given"}));
  EXPECT_EQ(UserIds(panel.results["wang"]), (Ids{"u-mix"}));

  // A rename is searched under its new name right away.
  meeting().UpdateUser("u-zw", Json(R"({"nickname": "刘洋"})"));
  EXPECT_EQ(UserIds(panel.results["zhang"]), Ids{});
  members.StartSearch("liu", "liuyang");
  EXPECT_EQ(UserIds(panel.results["liu"]), (Ids{"u-zw"}));
  // So is a new pinyin the record brings.
  meeting().UpdateUser("u-given", Json(R"({"nickname_pinyin": "lina"})"));
  EXPECT_EQ(UserIds(panel.results["li"]), (Ids{"u-given", "u-zw"}));
  EXPECT_EQ(UserIds(panel.results["nana"]), Ids{});
}

// Lifecycle -------------------------------------------------------------------------------------

TEST_F(MembersFilterTest, InactiveManagerIgnoresEventsAndKeepsItsList) {
  MembersFilterManager members("all");
  Panel panel;
  meeting().AddUser(User("u-a", "A"));
  members.StartSearch("t", "");
  EXPECT_TRUE(hostkit::HasLog(1, "all should not search before activate"));
  EXPECT_EQ(members.GetUserCount(), 0u);

  members.Activate(&panel);
  members.StartSearch("t", "a");
  members.Deactivate();
  panel = Panel();
  meeting().AddUser(User("u-b", "B"));
  meeting().RemoveUser("u-a");
  meeting().UpdateUser("u-self", Json(R"({"nickname": "Moi"})"));
  meeting().ResetUsers({});
  members.NeedSendMembersUpdate();
  EXPECT_EQ(panel.updates, 0);
  EXPECT_TRUE(panel.results.empty());
  EXPECT_EQ(members.GetUserCount(), 2u);  // as it was when deactivated

  members.Activate(&panel);  // rebuilt from the model; the old search is gone
  EXPECT_EQ(UserIds(members), (Ids{"u-self"}));
  EXPECT_EQ(panel.updates, 1);
  EXPECT_TRUE(panel.results.empty());
}

TEST_F(MembersFilterTest, NullListenerAndReactivationAreLogged) {
  MembersFilterManager members("all");
  members.Activate(nullptr);
  members.StartSearch("t", "me");
  EXPECT_TRUE(hostkit::HasLog(1, "all listener should not be null"));
  EXPECT_FALSE(hostkit::HasLog(6, "all: start search_token:t"));
  meeting().AddUser(User("u-a", "A"));  // nobody to tell, nothing breaks
  EXPECT_EQ(members.GetUserCount(), 2u);

  Panel panel;
  members.Activate(&panel);
  EXPECT_TRUE(hostkit::HasLog(4, "all reactivate"));
  members.StartSearch("t", "me");
  EXPECT_TRUE(hostkit::HasLog(6, "all: start search_token:t"));
  EXPECT_EQ(UserIds(panel.results["t"]), (Ids{"u-self"}));
}

TEST_F(MembersFilterTest, RebuildWithNobodyPassingStillNotifiesOnce) {
  meeting().AddUsers({User("u-a", "A"), User("u-b", "B")});
  MembersFilterManager members("nobody");
  members.SetFilterUserFunc([](const Variant&) { return false; });
  Panel panel;
  members.Activate(&panel);
  EXPECT_EQ(panel.updates, 1);
  EXPECT_EQ(members.GetUserCount(), 0u);
  meeting().ResetUsers({User("u-c", "C")});  // event 4
  EXPECT_EQ(panel.updates, 2);
  members.SetFilterUserFunc([](const Variant&) { return false; });
  EXPECT_EQ(panel.updates, 3);
  meeting().AddUser(User("u-d", "D"));  // an add that brings nobody is silent
  EXPECT_EQ(panel.updates, 3);

  members.SetFilterUserFunc([](const Variant& user) { return user.GetString("nickname") != "C"; });
  EXPECT_EQ(UserIds(members), (Ids{"u-self", "u-d"}));
  EXPECT_EQ(panel.updates, 4);
  members.SetFilterUserFunc(nullptr);  // an empty filter takes everybody
  EXPECT_EQ(members.GetUserCount(), 3u);
  EXPECT_TRUE(hostkit::HasLog(3, "nobody: empty filter"));
}

TEST_F(MembersFilterTest, SubscribesForItsLifetimeAndCopiesFollowOnTheirOwn) {
  hostkit::ScriptedModel& users = meeting().users();
  Panel panel;
  auto original = std::make_unique<MembersFilterManager>("list");
  EXPECT_TRUE(hostkit::HasLog(4, "MembersFilterManager alloc list"));
  for (int event : {1, 2, 3, 4}) EXPECT_EQ(users.SubscriberCount(event), 1u) << event;
  original->Activate(&panel);
  original->StartSearch("t", "");

  MembersFilterManager copy(*original);
  EXPECT_EQ(users.SubscriberCount(1), 2u);
  original.reset();
  EXPECT_TRUE(hostkit::HasLog(4, "MembersFilterManager dealloc list"));
  EXPECT_EQ(users.SubscriberCount(1), 1u);

  meeting().AddUser(User("u-a", "A"));
  EXPECT_EQ(UserIds(copy), (Ids{"u-self", "u-a"}));
  EXPECT_EQ(UserIds(panel.results["t"]), (Ids{"u-self", "u-a"}));

  MembersFilterManager assigned("other");
  assigned = copy;
  EXPECT_EQ(assigned.Identifier(), "list");
  EXPECT_EQ(UserIds(assigned), (Ids{"u-self", "u-a"}));
  EXPECT_FALSE(assigned.CanLoadMore("t"));
}

// A manager made before the user model exists, or whose model was replaced since, follows the
// meeting once activated, with one subscription per event as ever.
TEST_F(MembersFilterTest, ActivateFollowsAUserModelThatCameOrChangedAfterConstruction) {
  hostkit::RemoveModel(velto::model_id::kUserModel);
  MembersFilterManager early("early");
  EXPECT_TRUE(hostkit::HasLog(4, "early: no user model, the list follows no events"));
  meeting().Install();
  MembersFilterManager replaced("replaced");
  meeting().Install();  // a new user model; the one "replaced" subscribed to is gone
  meeting().AddUser(User("u-a", "A"));

  Panel early_panel;
  Panel replaced_panel;
  early.Activate(&early_panel);
  replaced.Activate(&replaced_panel);
  for (int event : {1, 2, 3, 4}) EXPECT_EQ(meeting().users().SubscriberCount(event), 2u) << event;
  EXPECT_TRUE(hostkit::HasLog(4, "early: not following the user model, subscribing on activate"));

  meeting().AddUser(User("u-b", "B"));
  meeting().RemoveUsers({"u-a"});
  EXPECT_EQ(UserIds(early), (Ids{"u-self", "u-b"}));
  EXPECT_EQ(UserIds(replaced), (Ids{"u-self", "u-b"}));

  // Activating again while subscribed subscribes nothing more; each event is heard once.
  hostkit::ClearLogs();
  early.Activate(&early_panel);
  for (int event : {1, 2, 3, 4}) EXPECT_EQ(meeting().users().SubscriberCount(event), 2u) << event;
  EXPECT_FALSE(hostkit::HasLog(4, "subscribing on activate"));
  const int updates = early_panel.updates;
  meeting().AddUser(User("u-c", "C"));
  EXPECT_EQ(early_panel.updates, updates + 1);
  EXPECT_EQ(UserIds(early), (Ids{"u-self", "u-b", "u-c"}));
}

}  // namespace
