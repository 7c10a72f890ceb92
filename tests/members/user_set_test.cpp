// Live user sets and the in-meeting user provider, driven by the user model's events from a
// meeting in progress: membership that follows the predicate, the raise-hand list's order and
// callbacks, start and stop, copies and moves, and the provider's subscriptions and delivery.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "module_api/model/model_call.h"
#include "module_api/members/user_provider.h"
#include "module_api/members/user_set.h"

namespace {

using hostkit::Json;
using hostkit::MeetingFixture;
using hostkit::Variant;
using velto_common::utils::InMeetingUserProvider;
using velto_common::utils::RaiseHandPanelistInfoSet;
using velto_common::utils::UserIdSet;
using velto_common::utils::UserInfoSet;
using velto_common::utils::UserProvider;

bool HasVideo(const Variant& user) { return user.GetBoolean("video"); }
bool HandRaised(const Variant& user) { return user.GetBoolean("is_raise_hand"); }
bool Everyone(const Variant&) { return true; }

Variant Hand(bool raised, uint64_t timestamp) {
  Variant change = Variant::Map();
  change["is_raise_hand"] = raised;
  change["raise_hand_timestamp"] = timestamp;
  return change;
}

std::vector<std::string> Ids(const UserIdSet& set) {
  std::vector<std::string> ids(set.user_ids().begin(), set.user_ids().end());
  std::sort(ids.begin(), ids.end());
  return ids;
}

std::vector<std::string> Ids(const UserInfoSet& set) {
  std::vector<std::string> ids;
  for (const Variant& user : set.users()) ids.push_back(user.GetString("user_id"));
  return ids;
}

std::vector<std::string> Ids(const RaiseHandPanelistInfoSet& set) {
  std::vector<std::string> ids;
  for (const Variant& user : set.raise_hand_list_sorted_by_time()) ids.push_back(user.GetString("user_id"));
  return ids;
}

UserProvider* Users() { return UserProvider::InMeetingUsers(); }
size_t ListenerCount() { return static_cast<InMeetingUserProvider*>(Users())->listener_count(); }

// Writes down the callbacks as "clear", "init", "update:<user id>" or "update:null".
class RecordingCallback : public velto_common::utils::IRaiseHandPanelistInfoSet::Callback {
 public:
  void OnRaiseHandListInit() override { heard.push_back("init"); }
  void OnRaiseHandListUpdate(const Variant& user) override {
    heard.push_back(user.IsNull() ? "update:null" : "update:" + user.GetString("user_id"));
  }
  void OnRaiseHandListClear() override { heard.push_back("clear"); }
  std::vector<std::string> Take() { return std::exchange(heard, {}); }
  std::vector<std::string> heard;
};

// The meeting is installed before anything asks for the shared provider, which subscribes to
// the user model it finds when it is made.
class UserSetTest : public testing::Test {
 protected:
  UserSetTest() { meeting_.Install(); }
  MeetingFixture meeting_;
};

using Strings = std::vector<std::string>;

TEST_F(UserSetTest, MembershipFollowsThePredicateThroughAddsAndUpdates) {
  UserIdSet set(Users(), HasVideo);
  set.Start();
  EXPECT_EQ(set.count(), 0u);

  // Joins without video: not a member, yet known when its video comes on.
  meeting_.AddUser(MeetingFixture::MakeUser("u-9", "Zoe"));
  EXPECT_EQ(set.count(), 0u);
  meeting_.UpdateUser("u-9", Json(R"({"video": true})"));
  EXPECT_EQ(Ids(set), (Strings{"u-9"}));

  // Joins with video: a member at once.
  Variant presenter = MeetingFixture::MakeUser("u-10", "Yan");
  presenter["video"] = true;
  meeting_.AddUser(presenter);
  EXPECT_EQ(Ids(set), (Strings{"u-10", "u-9"}));

  // The predicate flipping back takes the user out.
  meeting_.UpdateUser("u-9", Json(R"({"video": false})"));
  EXPECT_EQ(Ids(set), (Strings{"u-10"}));
  set.Stop();
}

TEST_F(UserSetTest, StartLoadsTheUsersAlreadyThere) {
  meeting_.UpdateUsers({{"u-2", Json(R"({"video": true})")}, {"u-4", Json(R"({"video": true})")}});
  UserIdSet ids(Users(), HasVideo);
  UserInfoSet infos(Users(), HasVideo);
  ids.Start();
  infos.Start();
  EXPECT_EQ(Ids(ids), (Strings{"u-2", "u-4"}));
  EXPECT_EQ(Ids(infos), (Strings{"u-2", "u-4"}));
  infos.Stop();
  ids.Stop();
}

TEST_F(UserSetTest, RemovalErasesWhateverThePredicateSays) {
  meeting_.UpdateUsers({{"u-1", Json(R"({"video": true, "is_raise_hand": true})")},
                        {"u-2", Json(R"({"video": true, "is_raise_hand": true})")}});
  UserIdSet ids(Users(), HasVideo);
  UserInfoSet infos(Users(), HasVideo);
  RaiseHandPanelistInfoSet hands(Users(), HandRaised);
  ids.Start();
  infos.Start();
  hands.Start();
  // The leaving user's record still qualifies while event 3 is delivered.
  meeting_.RemoveUser("u-1");
  EXPECT_EQ(Ids(ids), (Strings{"u-2"}));
  EXPECT_EQ(Ids(infos), (Strings{"u-2"}));
  EXPECT_EQ(Ids(hands), (Strings{"u-2"}));
  hands.Stop();
  infos.Stop();
  ids.Stop();
}

TEST_F(UserSetTest, InfoSetKeepsTheFirstRecordAndOrdersByUserIdBytes) {
  UserInfoSet set(Users(), Everyone);
  set.Start();
  meeting_.UpdateUser("u-1", Json(R"({"nickname": "Alice B."})"));
  auto first = set.users().find(std::string_view("u-1"));
  ASSERT_NE(first, set.users().end());
  EXPECT_EQ(first->GetString("nickname"), "Alice");

  meeting_.AddUser(MeetingFixture::MakeUser("u-10", "Ten"));
  meeting_.AddUser(MeetingFixture::MakeUser("U-0", "Upper"));
  EXPECT_EQ(Ids(set), (Strings{"U-0", "u-1", "u-10", "u-2", "u-3", "u-4", "u-self"}));
  set.Stop();
}

TEST_F(UserSetTest, ResetReplacesTheContentsWithTheNewList) {
  meeting_.UpdateUser("u-1", Json(R"({"video": true})"));
  UserIdSet set(Users(), HasVideo);
  set.Start();
  Variant newcomer = MeetingFixture::MakeUser("u-20", "Nia");
  newcomer["video"] = true;
  meeting_.ResetUsers({newcomer, MeetingFixture::MakeUser("u-21", "Ola")});
  EXPECT_EQ(Ids(set), (Strings{"u-20"}));
  set.Stop();
}

TEST_F(UserSetTest, StartTwiceAndStopIdleAreLoggedAndIgnored) {
  UserIdSet set(Users(), Everyone);
  set.Stop();
  EXPECT_TRUE(hostkit::HasLog(1, "UserCount is not started"));
  set.Start();
  set.Start();
  EXPECT_EQ(hostkit::CountLogs(1, "UserCount has already started"), 1u);
  EXPECT_EQ(ListenerCount(), 1u);

  // Stopped: the contents stay and events pass it by.
  set.Stop();
  EXPECT_EQ(ListenerCount(), 0u);
  meeting_.AddUser(MeetingFixture::MakeUser("u-9", "Zoe"));
  EXPECT_EQ(set.count(), 5u);
}

TEST_F(UserSetTest, DestroyingAStartedSetLogsAndUnregisters) {
  {
    UserIdSet set(Users(), Everyone);
    set.Start();
  }
  EXPECT_TRUE(hostkit::HasLog(1, "should call UserCount::Stop() on view model detached"));
  EXPECT_EQ(ListenerCount(), 0u);
  meeting_.AddUser(MeetingFixture::MakeUser("u-9", "Zoe"));  // nobody left to call
}

TEST_F(UserSetTest, UnknownEventIsLoggedWithItsTagAndChangesNothing) {
  UserIdSet set(Users(), Everyone);
  set.Start();
  const Variant* user = meeting_.FindUser("u-1");
  UserProvider::UserEvent event;
  event.type = 7;
  event.users = {user};
  set.OnUserEvent(event);
  EXPECT_EQ(set.count(), 5u);
  const auto& logs = hostkit::Logs();
  auto record = std::find_if(logs.begin(), logs.end(),
                             [](const hostkit::LogRecord& r) { return r.text == "unknown event: 7"; });
  ASSERT_NE(record, logs.end());
  EXPECT_EQ(record->level, 1);
  EXPECT_EQ(record->tag, "user_set");

  event.type = UserProvider::kUsersRemoved;  // the known ones still work
  set.OnUserEvent(event);
  EXPECT_EQ(set.count(), 4u);
  set.Stop();
}

TEST_F(UserSetTest, CopyCarriesContentsButOnlyTheOriginalFollows) {
  UserIdSet original(Users(), Everyone);
  original.Start();
  UserIdSet copy(original);
  EXPECT_TRUE(copy.started());
  EXPECT_EQ(copy.count(), 5u);
  EXPECT_EQ(ListenerCount(), 1u);
  meeting_.AddUser(MeetingFixture::MakeUser("u-9", "Zoe"));
  EXPECT_EQ(original.count(), 6u);
  EXPECT_EQ(copy.count(), 5u);
  copy.Refresh();  // the copy's predicate and provider came along
  EXPECT_EQ(copy.count(), 6u);

  // Assigning over a following set detaches it: the provider never calls an overwritten set.
  UserIdSet target(Users(), HasVideo);
  target.Start();
  EXPECT_EQ(ListenerCount(), 2u);
  target = copy;
  EXPECT_EQ(ListenerCount(), 1u);
  copy.Stop();
  target.Stop();
  original.Stop();
}

TEST_F(UserSetTest, MoveHandsTheRegistrationToTheNewSet) {
  RecordingCallback callback;
  RaiseHandPanelistInfoSet original(Users(), HandRaised);
  original.SetCallback(&callback);
  original.Start();
  callback.Take();
  RaiseHandPanelistInfoSet moved(std::move(original));
  EXPECT_FALSE(original.started());
  EXPECT_TRUE(moved.started());
  EXPECT_EQ(ListenerCount(), 1u);

  meeting_.UpdateUser("u-3", Hand(true, 50));
  EXPECT_EQ(Ids(moved), (Strings{"u-3"}));
  EXPECT_EQ(callback.Take(), (Strings{"update:u-3"}));  // once: the moved-from set is silent
  original.Refresh();
  EXPECT_TRUE(callback.heard.empty());
  moved.Stop();
  EXPECT_FALSE(hostkit::HasLog(1, "should call UserCount::Stop()"));
}

TEST_F(UserSetTest, SetWithoutUserModelStaysEmpty) {
  hostkit::Reset();  // no models at all
  UserIdSet set(Users(), Everyone);
  set.Start();
  EXPECT_EQ(set.count(), 0u);
  set.Stop();
}

// The shared provider made before the user model exists, or whose model was replaced: a set
// that starts makes it follow the current model, once.
TEST_F(UserSetTest, StartingASetMakesTheProviderFollowAModelThatCameOrChangedLater) {
  hostkit::Reset();  // no models: the provider made now subscribes to nothing
  UserProvider* users = Users();
  meeting_.Install();
  EXPECT_EQ(meeting_.users().SubscriberCount(), 0u);
  UserIdSet first(users, Everyone);
  first.Start();
  for (int event : {1, 2, 3, 4}) EXPECT_EQ(meeting_.users().SubscriberCount(event), 1u) << event;
  meeting_.AddUser(MeetingFixture::MakeUser("u-a", "A"));
  EXPECT_EQ(Ids(first), (Strings{"u-1", "u-2", "u-3", "u-4", "u-a", "u-self"}));

  meeting_.Install();  // a new user model; the provider's subscriptions went with the old one
  UserIdSet second(users, Everyone);
  second.Start();
  UserIdSet third(users, Everyone);
  third.Start();  // the provider follows already: nothing is subscribed twice
  for (int event : {1, 2, 3, 4}) EXPECT_EQ(meeting_.users().SubscriberCount(event), 1u) << event;
  meeting_.AddUser(MeetingFixture::MakeUser("u-b", "B"));
  EXPECT_EQ(Ids(first), (Strings{"u-1", "u-2", "u-3", "u-4", "u-a", "u-b", "u-self"}));
  EXPECT_EQ(Ids(third), (Strings{"u-1", "u-2", "u-3", "u-4", "u-b", "u-self"}));
  meeting_.RemoveUsers({"u-b"});
  EXPECT_EQ(Ids(second), (Strings{"u-1", "u-2", "u-3", "u-4", "u-self"}));
  first.Stop();
  second.Stop();
  third.Stop();
}

// The raise-hand list.

class RaiseHandTest : public UserSetTest {
 protected:
  RaiseHandTest() : hands_(Users(), HandRaised) { hands_.SetCallback(&callback_); }
  ~RaiseHandTest() override { hands_.Stop(); }
  RecordingCallback callback_;
  RaiseHandPanelistInfoSet hands_;
};

TEST_F(RaiseHandTest, StartClearsThenInitsInRaiseTimeOrder) {
  meeting_.UpdateUsers({{"u-1", Hand(true, 300)}, {"u-2", Hand(true, 100)}, {"u-3", Hand(true, 200)}});
  hands_.Start();
  EXPECT_EQ(callback_.Take(), (Strings{"clear", "init"}));
  EXPECT_EQ(Ids(hands_), (Strings{"u-2", "u-3", "u-1"}));
  EXPECT_EQ(hands_.count(), 3u);
  EXPECT_TRUE(hostkit::HasLog(6, "user_info_set_ size:3, after sorted:3"));
  EXPECT_EQ(hands_.LastUser().GetString("user_id"), "u-1");
}

TEST_F(RaiseHandTest, NobodyRaisedGivesOnlyClearAndANullLastUser) {
  hands_.Start();
  EXPECT_EQ(callback_.Take(), (Strings{"clear"}));
  EXPECT_EQ(hands_.count(), 0u);
  EXPECT_TRUE(hands_.LastUser().IsNull());
}

TEST_F(RaiseHandTest, EqualTimestampsPutTheLaterRaiseFirst) {
  hands_.Start();
  meeting_.UpdateUser("u-1", Hand(true, 100));
  meeting_.UpdateUser("u-2", Hand(true, 100));
  meeting_.UpdateUser("u-3", Hand(true, 50));
  EXPECT_EQ(Ids(hands_), (Strings{"u-3", "u-2", "u-1"}));
}

TEST_F(RaiseHandTest, UpdateOfARaisedUserMovesItWithoutCallback) {
  meeting_.UpdateUsers({{"u-1", Hand(true, 100)}, {"u-2", Hand(true, 200)}});
  hands_.Start();
  callback_.Take();
  meeting_.UpdateUser("u-1", Hand(true, 300));
  EXPECT_EQ(Ids(hands_), (Strings{"u-2", "u-1"}));
  EXPECT_TRUE(callback_.heard.empty());
  // The list holds the new record.
  EXPECT_EQ(hands_.LastUser().GetUint64("raise_hand_timestamp"), 300u);
  EXPECT_TRUE(hostkit::HasLog(6, "re-insert user for updating exist user status"));
}

TEST_F(RaiseHandTest, UpdateReportsTheFirstUserNewlyOnTheList) {
  meeting_.UpdateUser("u-1", Hand(true, 100));
  hands_.Start();
  callback_.Take();
  // u-1 is already there (a re-insert), u-3 and u-4 are new: u-3 is the one reported.
  meeting_.UpdateUsers({{"u-1", Hand(true, 150)}, {"u-3", Hand(true, 400)}, {"u-4", Hand(true, 120)}});
  EXPECT_EQ(callback_.Take(), (Strings{"update:u-3"}));
  EXPECT_EQ(Ids(hands_), (Strings{"u-4", "u-1", "u-3"}));

  // A lowered hand: a change, but nobody new.
  meeting_.UpdateUser("u-4", Hand(false, 0));
  EXPECT_EQ(callback_.Take(), (Strings{"update:null"}));
  // A change that touches nobody on the list stays silent.
  meeting_.UpdateUser("u-2", Json(R"({"video": true})"));
  EXPECT_TRUE(callback_.heard.empty());
}

TEST_F(RaiseHandTest, AddAndRemoveEvents) {
  hands_.Start();
  callback_.Take();
  Variant raised = MeetingFixture::MakeUser("u-9", "Zoe");
  raised["is_raise_hand"] = true;
  raised["raise_hand_timestamp"] = uint64_t{70};
  meeting_.AddUser(raised);
  EXPECT_EQ(callback_.Take(), (Strings{"init"}));
  meeting_.AddUser(MeetingFixture::MakeUser("u-10", "Quiet"));
  EXPECT_TRUE(callback_.heard.empty());

  meeting_.RemoveUser("u-10");
  EXPECT_TRUE(callback_.heard.empty());
  meeting_.RemoveUser("u-9");
  EXPECT_EQ(callback_.Take(), (Strings{"update:null"}));
  EXPECT_EQ(hands_.count(), 0u);
}

TEST_F(RaiseHandTest, ResetClearsThenInitsWhenSomeoneQualifies) {
  meeting_.UpdateUser("u-1", Hand(true, 100));
  hands_.Start();
  callback_.Take();
  Variant raised = MeetingFixture::MakeUser("u-20", "Nia");
  raised["is_raise_hand"] = true;
  raised["raise_hand_timestamp"] = uint64_t{10};
  meeting_.ResetUsers({raised, MeetingFixture::MakeUser("u-21", "Ola")});
  EXPECT_EQ(callback_.Take(), (Strings{"clear", "init"}));
  EXPECT_EQ(Ids(hands_), (Strings{"u-20"}));

  meeting_.ResetUsers({MeetingFixture::MakeUser("u-22", "Pat")});
  EXPECT_EQ(callback_.Take(), (Strings{"clear"}));
  EXPECT_EQ(hands_.count(), 0u);
}

TEST_F(UserSetTest, LastUserSkipsTrailingEntriesThatAreNotMaps) {
  // With a permissive predicate a value that is not a map can get onto the list (at time 0).
  RaiseHandPanelistInfoSet hands(Users(), Everyone);
  Variant not_a_map("stray");
  UserProvider::UserEvent event;
  event.type = UserProvider::kUsersAdded;
  event.users = {&not_a_map, meeting_.FindUser("u-1")};  // u-1 at time 0 goes in front of it
  hands.OnUserEvent(event);
  ASSERT_EQ(hands.raise_hand_list_sorted_by_time().size(), 2u);
  EXPECT_TRUE(hands.raise_hand_list_sorted_by_time().back().IsString());
  EXPECT_EQ(hands.LastUser().GetString("user_id"), "u-1");

  RaiseHandPanelistInfoSet strays(Users(), Everyone);
  event.users = {&not_a_map};
  strays.OnUserEvent(event);
  EXPECT_EQ(strays.LastUser(), not_a_map);  // no map at all: the first element
}

// Many raises, lowers and re-timings against a plain list kept by linear search.
TEST(RaiseHandList, MatchesAPlainListThroughManyChanges) {
  MeetingFixture::Options options;
  options.other_users = 300;
  MeetingFixture big(options);
  big.Install();
  RecordingCallback callback;
  RaiseHandPanelistInfoSet hands(Users(), HandRaised);
  hands.SetCallback(&callback);
  hands.Start();
  EXPECT_EQ(callback.Take(), (Strings{"clear"}));

  std::vector<std::pair<std::string, uint64_t>> expected;  // (user id, timestamp), list order
  std::mt19937 rng(11);
  for (int step = 0; step < 3000; ++step) {
    const std::string id = "u-" + std::to_string(1 + rng() % 300);
    const bool raise = rng() % 3 != 0;
    const uint64_t time = rng() % 40;  // many equal timestamps
    auto it = std::find_if(expected.begin(), expected.end(), [&](const auto& e) { return e.first == id; });
    const bool was_on = it != expected.end();
    if (was_on) expected.erase(it);
    if (raise) {
      auto pos = std::find_if(expected.begin(), expected.end(), [&](const auto& e) { return e.second >= time; });
      expected.insert(pos, {id, time});
    }
    big.UpdateUser(id, Hand(raise, time));
    const Strings heard = callback.Take();
    if (raise && !was_on) {
      ASSERT_EQ(heard, (Strings{"update:" + id})) << "step " << step;
    } else if (!raise && was_on) {
      ASSERT_EQ(heard, (Strings{"update:null"})) << "step " << step;
    } else {
      ASSERT_TRUE(heard.empty()) << "step " << step;
    }
    ASSERT_EQ(hands.raise_hand_list_sorted_by_time().size(), expected.size()) << "step " << step;
  }
  Strings expected_ids;
  for (const auto& [id, time] : expected) expected_ids.push_back(id);
  EXPECT_EQ(Ids(hands), expected_ids);
  hands.Stop();
}

// The provider.

// A user model that writes down who subscribes to what, in order.
class SubscriptionOrderModel : public hostkit::ScriptedModel {
 public:
  explicit SubscriptionOrderModel(std::vector<std::pair<int, int64_t>>* log) : ScriptedModel(508), log_(log) {}
  bool SubscribeWithLocation(int event_id, int64_t observer_id, framework::EventCallback callback,
                             const base::Location& location) override {
    log_->emplace_back(event_id, observer_id);
    return ScriptedModel::SubscribeWithLocation(event_id, observer_id, std::move(callback), location);
  }

 private:
  std::vector<std::pair<int, int64_t>>* log_;
};

TEST(UserProvider, SharedProviderIsMadeOnceAndSubscribesInOrder) {
  std::vector<std::pair<int, int64_t>> subscribed;
  hostkit::InstallCustomModel(508, std::make_unique<SubscriptionOrderModel>(&subscribed));
  UserProvider* first = UserProvider::InMeetingUsers();
  EXPECT_EQ(UserProvider::InMeetingUsers(), first);
  const int64_t self = velto::model::ObserverId(first);
  EXPECT_EQ(subscribed, (std::vector<std::pair<int, int64_t>>{{1, self}, {3, self}, {2, self}, {4, self}}));
}

TEST_F(UserSetTest, ProviderUnsubscribesWhenDestroyed) {
  const size_t before = meeting_.users().SubscriberCount();
  {
    InMeetingUserProvider provider;
    EXPECT_EQ(meeting_.users().SubscriberCount(), before + 4);
  }
  EXPECT_EQ(meeting_.users().SubscriberCount(), before);
}

class EventLog : public UserProvider::UserEventListener {
 public:
  void OnUserEvent(const UserProvider::UserEvent& event) override {
    std::string line = std::to_string(event.type) + ":";
    for (const Variant* user : event.users) line += user->GetString("user_id") + ",";
    lines.push_back(line);
    if (on_event) on_event();
  }
  Strings lines;
  std::function<void()> on_event;
};

TEST_F(UserSetTest, ProviderLooksNothingUpWithoutListeners) {
  InMeetingUserProvider provider;
  meeting_.users().ClearCalls();
  meeting_.AddUsers({MeetingFixture::MakeUser("u-8", "Ann"), MeetingFixture::MakeUser("u-9", "Zoe")});
  meeting_.ResetUsers({MeetingFixture::MakeUser("u-7", "Kai")});
  EXPECT_EQ(meeting_.users().CallCount(), 0u);

  EventLog log;
  provider.AddListener(&log);
  meeting_.AddUsers({MeetingFixture::MakeUser("u-8", "Ann"), MeetingFixture::MakeUser("u-9", "Zoe")});
  meeting_.UpdateUser("u-9", Json(R"({"video": true})"));
  meeting_.RemoveUser("u-8");
  meeting_.ResetUsers({MeetingFixture::MakeUser("u-6", "Lin")});
  EXPECT_EQ(log.lines, (Strings{"0:u-8,u-9,", "1:u-9,", "2:u-8,", "3:u-self,u-6,"}));
  provider.RemoveListener(&log);
}

TEST_F(UserSetTest, ListenerRemovedDuringDeliveryIsNotCalled) {
  InMeetingUserProvider provider;
  EventLog first;
  EventLog second;
  EventLog third;
  provider.AddListener(&first);
  provider.AddListener(&second);
  provider.AddListener(&third);
  first.on_event = [&] { provider.RemoveListener(&second); };
  meeting_.AddUser(MeetingFixture::MakeUser("u-9", "Zoe"));
  EXPECT_EQ(first.lines.size(), 1u);
  EXPECT_TRUE(second.lines.empty());
  EXPECT_EQ(third.lines.size(), 1u);
  EXPECT_EQ(provider.listener_count(), 2u);
  provider.RemoveListener(&first);
  provider.RemoveListener(&third);
}

}  // namespace
