// velto::UserListManager driven through the meeting fixture: placement and ties, updates that
// move or do not move a user, the hide switch and what forces it off, the local user in empty
// lists, priority search, subscriptions, delegates and resets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/module/module.h"
#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/user_list.h"
#include "module_api/members/member_utils.h"
#include "module_api/model/model_call.h"
#include "module_api/model_ids.h"
#include "module_api/user_list/user_list_manager.h"

namespace {

namespace id = velto::model_id;
namespace member = velto_common::utils::member;
using hostkit::Json;
using hostkit::MeetingFixture;
using hostkit::Variant;
using velto::UserListManagerRuleBase;
using Ids = std::vector<std::string>;

constexpr int kHideChanged = 1;       // hide video model 567
constexpr int kCustomLayoutChanged = 1;  // custom layout model 557
constexpr int kVoiceHistoryChanged = 5;  // voice activated model 562

// The user ids of a list of user indexes, read from the user model.
Ids IdsOf(const Variant* list) {
  Ids ids;
  if (!list) return ids;
  framework::Model* users = framework::module::GetAppModuleModel(id::kUserModel);
  for (const Variant& index : list->Elements()) {
    ids.push_back(member::GetUserInfo(users, index.AsInteger()).GetString("user_id"));
  }
  return ids;
}

struct RecordingDelegate : velto::IUserEventDelegate {
  explicit RecordingDelegate(std::string name = "", std::vector<std::string>* journal = nullptr)
      : name(std::move(name)), journal(journal) {}
  void OnUserListChanged(const Variant* sorted_visible_list) override {
    ++list_changes;
    heard = IdsOf(sorted_visible_list);
    if (journal) journal->push_back(name);
    if (victim) manager->RemoveDelegate(victim);
  }
  void OnFirstPageSortedListChanged(const Variant*) override { ++first_page_changes; }
  std::string name;
  std::vector<std::string>* journal;
  velto::UserListManager* manager = nullptr;
  velto::IUserEventDelegate* victim = nullptr;  // removed from `manager` when told
  int list_changes = 0;
  int first_page_changes = 0;
  Ids heard;
};

// A rule that asks for the first-page notification and the voice-activated history, and takes
// page sizes above four as a reason to reorder.
class ExtendedRule : public velto::UserListManagerDefaultRule {
 public:
  using velto::UserListManagerDefaultRule::UserListManagerDefaultRule;
  bool NeedNotifyFirstPageSortedListChanged() override { return true; }
  void OnNotifyFirstPageSortedListChangedComplete() override { ++completed; }
  bool NeedHandleVoiceActivatedHistory() override { return true; }
  bool AdjustUserListForPageSizeChanged(Variant&, const unsigned& size) override { return size > 4; }
  int completed = 0;
};

class UserListManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hostkit::Reset();
    MeetingFixture::Options options;
    options.other_users = 0;  // "u-self" alone; each test brings its users
    meeting_ = std::make_unique<MeetingFixture>(options);
    meeting_->Install();
    // Unscripted commands fail: both hide switches read off until a test says otherwise.
    hide_ = &hostkit::InstallModel(id::kHideVideoModel);
    voice_ = &hostkit::InstallModel(id::kVoiceActivatedModel);
  }

  // Lower rank first; the local user ranks 0 unless a test ranks it.
  std::unique_ptr<hostkit::SortedUserListManager> MakeManager() {
    auto manager = std::make_unique<hostkit::SortedUserListManager>([this](const Variant& a, const Variant& b) {
      ++comparisons_;
      return Rank(a) < Rank(b);
    });
    manager->AddDelegate(&delegate_);
    return manager;
  }

  int Rank(const Variant& record) const {
    auto it = ranks_.find(record.GetString("user_id"));
    return it == ranks_.end() ? 0 : it->second;
  }

  int64_t Join(const std::string& user_id, int rank, bool video = false) {
    ranks_[user_id] = rank;
    Variant user = MeetingFixture::MakeUser(user_id, "Nick " + user_id);
    user["video"] = video;
    user["video_on"] = video;
    return meeting_->AddUser(user);
  }

  void SetHideSwitches(bool hide_no_video, bool hide_self) {
    if (hide_no_video) hide_->Succeed(6); else hide_->Fail(6);
    if (hide_self) hide_->Succeed(7); else hide_->Fail(7);
  }

  Ids Visible(hostkit::SortedUserListManager& manager) { return IdsOf(manager.visible_list()->GetSortedUserList()); }
  Ids Hidden(hostkit::SortedUserListManager& manager) { return IdsOf(manager.GetNeedHideUserList()); }

  std::unique_ptr<MeetingFixture> meeting_;
  hostkit::ScriptedModel* hide_ = nullptr;
  hostkit::ScriptedModel* voice_ = nullptr;
  std::map<std::string, int> ranks_;
  size_t comparisons_ = 0;
  RecordingDelegate delegate_;
};

// ---------------------------------------------------------------------------------------------
// Placement

TEST_F(UserListManagerTest, PlacesUsersInOrderAndPutsTheLaterOfEqualUsersFirst) {
  auto manager = MakeManager();
  manager->InitUserList();
  Join("u-c", 3);
  Join("u-a", 1);
  Join("u-b1", 2);
  Join("u-b2", 2);  // compares equal to u-b1 and arrives later: stands before it
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-a", "u-b2", "u-b1", "u-c"}));
  EXPECT_EQ(IdsOf(manager->GetUserList()), Visible(*manager));
  EXPECT_EQ(IdsOf(manager->GetVisibleVideoUserList()), Visible(*manager));
  EXPECT_EQ(delegate_.list_changes, 5);  // the initial load and one per join
  EXPECT_EQ(delegate_.heard, Visible(*manager));

  // Several users in one event are placed one after the other.
  std::vector<Variant> batch;
  for (const char* user_id : {"u-z", "u-y"}) {
    ranks_[user_id] = 2;
    batch.push_back(MeetingFixture::MakeUser(user_id, user_id));
  }
  meeting_->AddUsers(batch);
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-a", "u-y", "u-z", "u-b2", "u-b1", "u-c"}));
  EXPECT_EQ(delegate_.list_changes, 6);
}

TEST_F(UserListManagerTest, PlacementComparesLogarithmicallyOften) {
  auto manager = MakeManager();
  manager->InitUserList();
  std::vector<Variant> users;
  for (int i = 0; i < 512; ++i) {
    const std::string user_id = "u-" + std::to_string(i);
    ranks_[user_id] = (i * 7919) % 1000 + 1;  // a scrambled arrival order
    users.push_back(MeetingFixture::MakeUser(user_id, user_id));
  }
  meeting_->AddUsers(users);
  const size_t n = manager->visible_list()->GetSortedUserList()->size();
  ASSERT_EQ(n, 513u);
  const size_t bound = 2 * static_cast<size_t>(std::ceil(std::log2(static_cast<double>(n)))) + 4;
  for (const std::string user_id : {"u-0", "u-100", "u-511"}) {
    ranks_[user_id] = 500;
    comparisons_ = 0;
    meeting_->UpdateUser(user_id, Json("{}"));
    EXPECT_LE(comparisons_, bound) << user_id;
    comparisons_ = 0;
    meeting_->RemoveUser(user_id);
    EXPECT_EQ(comparisons_, 0u);
    comparisons_ = 0;
    Join(user_id, 1);
    EXPECT_LE(comparisons_, bound) << user_id;
  }
  EXPECT_TRUE(std::is_sorted(manager->visible_list()->GetSortedUserList()->Elements().begin(),
                             manager->visible_list()->GetSortedUserList()->Elements().end(),
                             [this](const Variant& a, const Variant& b) {
                               return Rank(UserListManagerRuleBase::GetUser(a)) <
                                      Rank(UserListManagerRuleBase::GetUser(b));
                             }));
}

TEST_F(UserListManagerTest, RemovalTakesTheUserOutAndLogsWhoLeft) {
  auto manager = MakeManager();
  manager->InitUserList();
  Join("u-a", 1);
  Join("u-b", 2);
  hostkit::ClearLogs();
  const int before = delegate_.list_changes;
  ASSERT_TRUE(meeting_->RemoveUser("u-a"));
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-b"}));
  EXPECT_EQ(IdsOf(manager->GetUserList()), (Ids{"u-self", "u-b"}));
  EXPECT_EQ(delegate_.list_changes, before + 1);
  EXPECT_TRUE(hostkit::HasLog(6, "[visible_list] remove user :u-a"));

  // A user in neither list: logged, nothing else changes, the lists are still republished.
  manager->visible_list()->Clear();
  ASSERT_TRUE(meeting_->RemoveUser("u-b"));
  EXPECT_TRUE(hostkit::HasLog(6, "can not find user :u-b in list"));
  EXPECT_EQ(delegate_.list_changes, before + 2);
}

// ---------------------------------------------------------------------------------------------
// Updates

TEST_F(UserListManagerTest, UpdateThatKeepsThePositionOnlyChecksTheFirstPage) {
  auto manager = MakeManager();
  auto rule = std::make_unique<ExtendedRule>("visible_list");
  ExtendedRule* extended = rule.get();
  manager->SetRule(true, std::move(rule));
  manager->InitUserList();
  Join("u-a", 1);
  Join("u-b", 2);
  Join("u-c", 3);
  const int changes = delegate_.list_changes;
  const int first_pages = delegate_.first_page_changes;

  // Same rank, new nickname: no move, no stream change.
  ASSERT_TRUE(meeting_->UpdateUser("u-b", Json(R"({"nickname": "Bea"})")));
  EXPECT_EQ(delegate_.list_changes, changes);
  EXPECT_EQ(delegate_.first_page_changes, first_pages + 1);
  EXPECT_EQ(extended->completed, first_pages + 1);

  // A new rank moves the user: a rebuild, with the first-page notice after it.
  ranks_["u-b"] = 9;
  ASSERT_TRUE(meeting_->UpdateUser("u-b", Json("{}")));
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-a", "u-c", "u-b"}));
  EXPECT_EQ(IdsOf(manager->GetUserList()), (Ids{"u-self", "u-a", "u-c", "u-b"}));
  EXPECT_EQ(delegate_.list_changes, changes + 1);
  EXPECT_EQ(delegate_.first_page_changes, first_pages + 2);
}

TEST_F(UserListManagerTest, MoveToTheFrontAndToTheBackKeepsEveryoneElseInOrder) {
  auto manager = MakeManager();
  manager->InitUserList();
  for (int i = 1; i <= 6; ++i) Join("u-" + std::to_string(i), i * 10);
  ranks_["u-5"] = 15;  // forward, past u-4, u-3, u-2
  meeting_->UpdateUser("u-5", Json("{}"));
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-1", "u-5", "u-2", "u-3", "u-4", "u-6"}));
  ranks_["u-1"] = 45;  // backward, past u-5 ... u-4
  meeting_->UpdateUser("u-1", Json("{}"));
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-5", "u-2", "u-3", "u-4", "u-1", "u-6"}));
  ranks_["u-6"] = 20;  // equal to u-2 after the move: it stands first, as a newly placed user does
  meeting_->UpdateUser("u-6", Json("{}"));
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-5", "u-6", "u-2", "u-3", "u-4", "u-1"}));
}

TEST_F(UserListManagerTest, AMultiUserUpdatePlacesEveryoneAgainstCurrentRecords) {
  auto manager = MakeManager();
  manager->InitUserList();
  for (int i = 1; i <= 6; ++i) Join("u-" + std::to_string(i), i * 10);
  const int changes = delegate_.list_changes;
  // One event for two users. While u-1 is placed, u-4's entry still stands where rank 40 put it
  // although its rank is 70 now: a search meeting that entry would put u-1 before u-5.
  ranks_["u-1"] = 55;
  ranks_["u-4"] = 70;
  meeting_->UpdateUsers({{"u-1", Json("{}")}, {"u-4", Json("{}")}});
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-2", "u-3", "u-5", "u-1", "u-6", "u-4"}));
  EXPECT_EQ(IdsOf(manager->GetUserList()), Visible(*manager));
  EXPECT_EQ(delegate_.list_changes, changes + 1);

  // Several users, nobody moves: no rebuild.
  meeting_->UpdateUsers({{"u-2", Json(R"({"nickname": "x"})")}, {"u-6", Json(R"({"nickname": "y"})")},
                         {"u-2", Json(R"({"nickname": "z"})")}});
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-2", "u-3", "u-5", "u-1", "u-6", "u-4"}));
  EXPECT_EQ(delegate_.list_changes, changes + 1);

  // Across the lists: u-3 turns its video on under the hide switch while u-5 moves to the front.
  SetHideSwitches(true, false);
  hide_->Fire(kHideChanged, Variant::Map());
  ASSERT_EQ(Visible(*manager), Ids{});
  ranks_["u-5"] = 1;
  meeting_->UpdateUsers({{"u-3", Json(R"({"video": true})")}, {"u-5", Json("{}")}});
  EXPECT_EQ(Visible(*manager), (Ids{"u-3"}));
  EXPECT_EQ(Hidden(*manager), (Ids{"u-self", "u-5", "u-2", "u-1", "u-6", "u-4"}));
}

TEST_F(UserListManagerTest, StreamChangeRebuildsEvenWithoutAMove) {
  auto manager = MakeManager();
  manager->InitUserList();
  Join("u-a", 1);
  const int changes = delegate_.list_changes;
  hostkit::ClearLogs();
  ASSERT_TRUE(meeting_->UpdateUser("u-a", Json(R"({"stream": "s-1"})")));
  EXPECT_EQ(delegate_.list_changes, changes + 1);
  EXPECT_TRUE(hostkit::HasLog(6, "stream_id changed from tos-1"));  // no stream before
  ASSERT_TRUE(meeting_->UpdateUser("u-a", Json(R"({"stream": "s-1"})")));  // unchanged now
  EXPECT_EQ(delegate_.list_changes, changes + 1);
}

TEST_F(UserListManagerTest, UpdateOfAUserInNeitherListAddsIt) {
  auto manager = MakeManager();
  manager->InitUserList();
  Join("u-a", 1);
  manager->Clear();
  EXPECT_TRUE(manager->GetUserList()->empty());
  ASSERT_TRUE(meeting_->UpdateUser("u-a", Json("{}")));
  EXPECT_TRUE(hostkit::HasLog(6, "can not find user :u-a in list, add_user_if_need =true"));
  EXPECT_EQ(Visible(*manager), (Ids{"u-a"}));
  EXPECT_EQ(IdsOf(manager->GetUserList()), (Ids{"u-a"}));
}

TEST_F(UserListManagerTest, VoiceActivatedHistoryReplacesOnlyWhenTheRuleAsks) {
  auto manager = MakeManager();
  manager->InitUserList();
  const int64_t a = Join("u-a", 1);
  Join("u-b", 2);
  const int changes = delegate_.list_changes;
  ranks_["u-a"] = 5;  // nothing told the manager yet
  Variant history = Variant::Array();
  Variant entry = Variant::Map();
  entry["user_index"] = a;
  history.Add(entry);
  history.Add(Json(R"({"volume": 3})"));  // no index: skipped
  voice_->Fire(kVoiceHistoryChanged, history);
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-a", "u-b"}));  // the default rule ignores the history
  EXPECT_EQ(delegate_.list_changes, changes);

  manager->SetRule(true, std::make_unique<ExtendedRule>("visible_list"));  // the list stays
  const int before = delegate_.list_changes;
  voice_->Fire(kVoiceHistoryChanged, history);
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-b", "u-a"}));
  EXPECT_EQ(delegate_.list_changes, before + 1);

  // A user the lists do not hold is not added by the history.
  const int64_t c = meeting_->AddUser(MeetingFixture::MakeUser("u-c", "C"));
  manager->visible_list()->UserRemove(Variant(c), Variant(), manager->visible_list()->FindUser(Variant(c)));
  Variant only_c = Variant::Array();
  Variant entry_c = Variant::Map();
  entry_c["user_index"] = c;
  only_c.Add(entry_c);
  voice_->Fire(kVoiceHistoryChanged, only_c);
  EXPECT_TRUE(hostkit::HasLog(6, "can not find user :u-c in list, add_user_if_need =false"));
  EXPECT_EQ(manager->visible_list()->FindUser(Variant(c)), -1);
}

// ---------------------------------------------------------------------------------------------
// Hide switch

TEST_F(UserListManagerTest, HidingUsersWithoutVideoSeparatesAndMergesBackInOrder) {
  meeting_->UpdateUser("u-self", Json(R"({"video": true})"));
  auto manager = MakeManager();
  manager->InitUserList();
  for (int i = 1; i <= 8; ++i) Join("u-" + std::to_string(i), i, /*video=*/i % 3 == 0);
  Join("u-spot", 4);
  meeting_->UpdateUser("u-spot", Json(R"({"spotlight_on": true})"));
  const Ids all = Visible(*manager);
  ASSERT_EQ(all, (Ids{"u-self", "u-1", "u-2", "u-3", "u-spot", "u-4", "u-5", "u-6", "u-7", "u-8"}));
  const int changes = delegate_.list_changes;

  SetHideSwitches(true, false);
  hostkit::ClearLogs();
  comparisons_ = 0;
  hide_->Fire(kHideChanged, Variant::Map());
  EXPECT_EQ(manager->current_hide_switch(), 1);
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-3", "u-spot", "u-6"}));
  EXPECT_EQ(Hidden(*manager), (Ids{"u-1", "u-2", "u-4", "u-5", "u-7", "u-8"}));
  EXPECT_EQ(IdsOf(manager->GetUserList()),
            (Ids{"u-self", "u-3", "u-spot", "u-6", "u-1", "u-2", "u-4", "u-5", "u-7", "u-8"}));
  EXPECT_EQ(comparisons_, 0u);  // the hidden users were taken out in order: nothing to merge into
  EXPECT_EQ(delegate_.list_changes, changes + 1);
  EXPECT_TRUE(hostkit::HasLog(6, "old_hide_switch:0, new_hide_switch:1, add_switch:1, subtract_switch:0"));
  EXPECT_TRUE(hostkit::HasLog(6, "separate visible_user count:0, invisible_user count:6"));

  // While hidden, updates follow the switch: a user turning video on moves to the visible list.
  meeting_->UpdateUser("u-5", Json(R"({"video": true})"));
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-3", "u-spot", "u-5", "u-6"}));
  meeting_->UpdateUser("u-5", Json(R"({"video": false})"));

  SetHideSwitches(false, false);
  comparisons_ = 0;
  hide_->Fire(kHideChanged, Variant::Map());
  EXPECT_EQ(Visible(*manager), all);
  EXPECT_TRUE(Hidden(*manager).empty());
  EXPECT_LE(comparisons_, all.size());  // one linear merge
  EXPECT_EQ(delegate_.list_changes, changes + 4);

  // The same value again: nothing moves, nobody is told.
  hide_->Fire(kHideChanged, Variant::Map());
  EXPECT_TRUE(hostkit::HasLog(6, "hide_switch not changed"));
  EXPECT_EQ(delegate_.list_changes, changes + 4);
}

TEST_F(UserListManagerTest, MergingBackKeepsListEntriesBeforeEqualNewcomers) {
  meeting_->UpdateUser("u-self", Json(R"({"video": true})"));
  auto manager = MakeManager();
  manager->InitUserList();
  Join("u-hidden", 2);             // no video
  Join("u-shown", 2, /*video=*/true);  // later and equal: stands first while both show
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-shown", "u-hidden"}));
  SetHideSwitches(true, false);
  hide_->Fire(kHideChanged, Variant::Map());
  SetHideSwitches(false, false);
  hide_->Fire(kHideChanged, Variant::Map());
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-shown", "u-hidden"}));
  // Now the other way round: the user that stayed in the list comes first on equality.
  ranks_["u-hidden"] = 2;
  meeting_->UpdateUser("u-hidden", Json("{}"));  // re-placed before its equal
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-hidden", "u-shown"}));
  SetHideSwitches(true, false);
  hide_->Fire(kHideChanged, Variant::Map());
  SetHideSwitches(false, false);
  hide_->Fire(kHideChanged, Variant::Map());
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-shown", "u-hidden"}));
}

TEST_F(UserListManagerTest, HidingSelfAndSwitchingBetweenTheBits) {
  auto manager = MakeManager();
  manager->InitUserList();
  Join("u-a", 1, /*video=*/true);
  Join("u-b", 2);
  SetHideSwitches(false, true);
  hide_->Fire(kHideChanged, Variant::Map());
  EXPECT_EQ(Visible(*manager), (Ids{"u-a", "u-b"}));
  EXPECT_EQ(Hidden(*manager), (Ids{"u-self"}));
  // From "hide self" to "hide users without video": self (no video) stays hidden, u-b leaves.
  SetHideSwitches(true, false);
  hostkit::ClearLogs();
  hide_->Fire(kHideChanged, Variant::Map());
  EXPECT_TRUE(hostkit::HasLog(6, "old_hide_switch:2, new_hide_switch:1, add_switch:1, subtract_switch:2"));
  EXPECT_EQ(Visible(*manager), (Ids{"u-a"}));
  EXPECT_EQ(Hidden(*manager), (Ids{"u-self", "u-b"}));
}

TEST_F(UserListManagerTest, AudioOnlyAndCustomLayoutMeetingsForceTheSwitchOff) {
  auto manager = MakeManager();
  manager->InitUserList();
  Join("u-a", 1);
  SetHideSwitches(true, true);
  hide_->Fire(kHideChanged, Variant::Map());
  ASSERT_EQ(manager->current_hide_switch(), 3);
  ASSERT_EQ(Visible(*manager), Ids{});

  hostkit::ClearLogs();
  hostkit::FindModel(id::kCustomLayoutModel)->Answer(3, true);
  hostkit::FindModel(id::kCustomLayoutModel)->Fire(kCustomLayoutChanged, Variant::Map());
  EXPECT_EQ(manager->current_hide_switch(), 0);
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-a"}));
  EXPECT_TRUE(hostkit::HasLog(6, "hide_switch not effect, is_audio_mode:false, is_custom_layout:true"));

  hostkit::FindModel(id::kCustomLayoutModel)->Answer(3, false);
  hostkit::FindModel(id::kCustomLayoutModel)->Fire(kCustomLayoutChanged, Variant::Map());
  ASSERT_EQ(manager->current_hide_switch(), 3);

  hostkit::ClearLogs();
  meeting_->meeting().Answer(26, Json(R"({"enable": true})"));  // everyone but the presenter audio only
  meeting_->meeting().Fire(9, Variant::Map());
  EXPECT_EQ(manager->current_hide_switch(), 0);
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-a"}));
  EXPECT_TRUE(hostkit::HasLog(6, "hide_switch not effect, is_audio_mode:true, is_custom_layout:false"));

  // A manager made in such a meeting starts at 0 as well.
  auto second = MakeManager();
  EXPECT_EQ(second->current_hide_switch(), 0);
}

TEST_F(UserListManagerTest, IgnoredHideSwitchLeavesTheListsAlone) {
  auto manager = MakeManager();
  manager->InitUserList();
  Join("u-a", 1);
  manager->SetIgnoreHideSwitch(true);
  SetHideSwitches(true, true);
  hide_->Fire(kHideChanged, Variant::Map());
  EXPECT_EQ(manager->current_hide_switch(), 0);
  EXPECT_EQ(Visible(*manager), (Ids{"u-self", "u-a"}));
}

TEST(UserListVisibility, SpotlightVideoAndSelfDecideInThatOrder) {
  hostkit::Reset();
  MeetingFixture meeting;
  meeting.Install();
  Variant user = MeetingFixture::MakeUser("u-9", "N");
  Variant self = *meeting.FindUser("u-self");
  for (int hide_switch : {0, 1, 2, 3}) {
    SCOPED_TRACE(hide_switch);
    Variant spotlighted = self;
    spotlighted["spotlight_on"] = true;
    EXPECT_TRUE(UserListManagerRuleBase::IsUserVisible(spotlighted, hide_switch));
    EXPECT_EQ(UserListManagerRuleBase::IsUserVisible(user, hide_switch), (hide_switch & 1) == 0);
    EXPECT_EQ(UserListManagerRuleBase::IsUserVisible(self, hide_switch), hide_switch == 0);
  }
  Variant with_video = user;
  with_video["video_on"] = true;
  EXPECT_TRUE(UserListManagerRuleBase::IsUserVisible(with_video, 3));
  // Self by user id, without the flag.
  Variant self_by_id = self;
  self_by_id["self"] = false;
  EXPECT_TRUE(UserListManagerRuleBase::IsSelf(self_by_id));
  EXPECT_FALSE(UserListManagerRuleBase::IsSelf(user));
  EXPECT_FALSE(UserListManagerRuleBase::IsSelf(Variant("u-self")));
  EXPECT_FALSE(UserListManagerRuleBase::IsUserVisible(Variant(), 1));  // no record: no video
}

// ---------------------------------------------------------------------------------------------
// The local user in empty lists, and the first user

TEST_F(UserListManagerTest, WithEveryoneHiddenOnlyTheLocalUserIsPublished) {
  auto manager = MakeManager();
  manager->InitUserList();
  EXPECT_FALSE(manager->IsAddSelfWhenVisibleListEmpty());
  SetHideSwitches(true, true);
  hide_->Fire(kHideChanged, Variant::Map());
  EXPECT_EQ(Visible(*manager), Ids{});
  EXPECT_EQ(IdsOf(manager->GetRawVisibleUserList()), (Ids{"u-self"}));
  EXPECT_EQ(IdsOf(manager->GetVisibleAudioUserList()), (Ids{"u-self"}));
  EXPECT_EQ(IdsOf(manager->GetUserList()), (Ids{"u-self"}));
  EXPECT_TRUE(manager->IsAddSelfWhenVisibleListEmpty());
  EXPECT_TRUE(delegate_.heard.empty());  // delegates get the sorted visible list itself

  // Others hidden too: the full list holds them, the visible one still only the local user.
  Join("u-a", 1);
  EXPECT_EQ(IdsOf(manager->GetRawVisibleUserList()), (Ids{"u-self"}));
  EXPECT_EQ(IdsOf(manager->GetUserList()), (Ids{"u-self", "u-a"}));

  meeting_->UpdateUser("u-a", Json(R"({"video": true})"));
  EXPECT_EQ(IdsOf(manager->GetRawVisibleUserList()), (Ids{"u-a"}));
  EXPECT_FALSE(manager->IsAddSelfWhenVisibleListEmpty());
}

TEST_F(UserListManagerTest, UnknownLocalUserLeavesEmptyListsEmpty) {
  auto manager = MakeManager();
  SetHideSwitches(true, true);
  hide_->Fire(kHideChanged, Variant::Map());
  meeting_->users().Fail(7);  // the local user's index cannot be had
  manager->InitUserList();
  EXPECT_TRUE(manager->GetRawVisibleUserList()->empty());
  EXPECT_FALSE(manager->IsAddSelfWhenVisibleListEmpty());
  EXPECT_TRUE(hostkit::HasLog(4, "self_user_index is null"));
}

TEST_F(UserListManagerTest, HighestPriorityUserSkipsTheLocalUserOnRequest) {
  auto manager = MakeManager();
  EXPECT_EQ(manager->GetHighestPriorityUser(nullptr), nullptr);  // empty list
  manager->InitUserList();
  Join("u-a", 1);
  Join("u-b", 2);
  const Variant* first = manager->GetHighestPriorityUser(nullptr);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->AsInteger(), meeting_->IndexOf("u-self"));
  const Variant exclude = Json(R"({"is_exclude_self": true})");
  const Variant* other = manager->GetHighestPriorityUser(&exclude);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other->AsInteger(), meeting_->IndexOf("u-a"));
  const Variant keep = Json(R"({"is_exclude_self": false})");
  EXPECT_EQ(manager->GetHighestPriorityUser(&keep)->AsInteger(), meeting_->IndexOf("u-self"));
  // Only the local user in the visible list: excluded, nobody remains.
  meeting_->RemoveUsers({"u-a", "u-b"});
  EXPECT_EQ(manager->GetHighestPriorityUser(&exclude), nullptr);
  // A window of the list.
  Join("u-c", 3);
  Join("u-d", 4);
  auto* rule = manager->visible_list()->GetUserListRule();
  const Variant* in_window =
      rule->FindHighestPriorityUserIndexInSortedList(*manager->visible_list()->GetSortedUserList(), 2, 9, nullptr);
  ASSERT_NE(in_window, nullptr);
  EXPECT_EQ(in_window->AsInteger(), meeting_->IndexOf("u-d"));
}

// ---------------------------------------------------------------------------------------------
// Subscriptions and delegates

class RecordingModel : public hostkit::ScriptedModel {
 public:
  RecordingModel(int model_id, std::vector<int>* journal) : ScriptedModel(model_id), journal_(journal) {}
  bool SubscribeWithLocation(int event_id, int64_t observer_id, framework::EventCallback callback,
                             const base::Location& location) override {
    subscribed.push_back(event_id);
    return ScriptedModel::SubscribeWithLocation(event_id, observer_id, std::move(callback), location);
  }
  void Unsubscribe(int64_t observer_id) override {
    journal_->push_back(type());
    ScriptedModel::Unsubscribe(observer_id);
  }
  using ScriptedModel::Unsubscribe;
  std::vector<int> subscribed;  // event ids, in subscription order

 private:
  std::vector<int>* journal_;
};

TEST(UserListManagerSubscriptions, SubscribesEachEventAndUnsubscribesInOrder) {
  hostkit::Reset();
  std::vector<int> journal;
  const std::vector<int> models = {id::kCustomLayoutModel, id::kHideVideoModel, id::kVoiceActivatedModel,
                                   id::kMeetingModel, id::kUserModel};
  for (int model_id : models) {
    hostkit::InstallCustomModel(model_id, std::make_unique<RecordingModel>(model_id, &journal));
  }
  auto events_of = [](int model_id, int64_t observer) {
    auto* model = static_cast<RecordingModel*>(hostkit::FindModel(model_id));
    for (const auto& s : model->Subscriptions()) {
      if (s.observer_id != observer) ADD_FAILURE() << "observer " << s.observer_id << " on " << model_id;
    }
    return model->subscribed;
  };
  {
    hostkit::SortedUserListManager manager([](const Variant&, const Variant&) { return false; });
    const int64_t observer = velto::model::ObserverId(static_cast<velto::UserListManager*>(&manager));
    EXPECT_EQ(events_of(id::kUserModel, observer), (std::vector<int>{1, 3, 2, 4, 40, 41}));
    EXPECT_EQ(events_of(id::kMeetingModel, observer), (std::vector<int>{1, 2, 14, 9}));
    EXPECT_EQ(events_of(id::kVoiceActivatedModel, observer), (std::vector<int>{5}));
    EXPECT_EQ(events_of(id::kHideVideoModel, observer), (std::vector<int>{1}));
    EXPECT_EQ(events_of(id::kCustomLayoutModel, observer), (std::vector<int>{1}));
  }
  EXPECT_EQ(journal, (std::vector<int>{id::kUserModel, id::kMeetingModel, id::kVoiceActivatedModel,
                                       id::kHideVideoModel, id::kCustomLayoutModel}));
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
}

TEST(UserListManagerSubscriptions, MissingModelsAreSkipped) {
  hostkit::Reset();
  MeetingFixture meeting;
  meeting.Install();
  hostkit::RemoveModel(id::kMeetingModel);
  {
    hostkit::SortedUserListManager manager([](const Variant&, const Variant&) { return false; });
    EXPECT_EQ(manager.current_hide_switch(), 0);
    meeting.AddUser(MeetingFixture::MakeUser("u-9", "N"));
    EXPECT_EQ(IdsOf(manager.GetUserList()), (Ids{"u-9"}));  // the user model still reaches it
  }
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
}

// Loading the list subscribes to the models that were missing at construction or have been
// replaced since, once: afterwards the manager follows joins, leaves and the meeting again.
TEST(UserListManagerSubscriptions, InitUserListFollowsModelsThatCameOrChangedLater) {
  hostkit::Reset();
  MeetingFixture::Options options;
  options.other_users = 0;
  MeetingFixture meeting(options);
  hostkit::SortedUserListManager early([](const Variant&, const Variant&) { return false; });
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);  // nothing to subscribe to yet
  meeting.Install();
  hostkit::SortedUserListManager replaced([](const Variant&, const Variant&) { return false; });
  meeting.Install();  // fresh user and meeting models: "replaced" held subscriptions on the old ones

  early.InitUserList();
  replaced.InitUserList();
  for (int event : {1, 2, 3, 4, 40, 41}) EXPECT_EQ(meeting.users().SubscriberCount(event), 2u) << event;
  meeting.AddUser(MeetingFixture::MakeUser("u-9", "N"));
  EXPECT_EQ(IdsOf(early.GetUserList()), (Ids{"u-9", "u-self"}));  // all equal: the later first
  EXPECT_EQ(IdsOf(replaced.GetUserList()), (Ids{"u-9", "u-self"}));

  // Loading again (here on join complete, which calls it) subscribes nothing twice.
  meeting.meeting().Fire(1, Variant());
  early.InitUserList();
  for (int event : {1, 2, 3, 4, 40, 41}) EXPECT_EQ(meeting.users().SubscriberCount(event), 2u) << event;
  meeting.RemoveUsers({"u-9"});
  EXPECT_EQ(IdsOf(early.GetUserList()), (Ids{"u-self"}));
  EXPECT_EQ(IdsOf(replaced.GetUserList()), (Ids{"u-self"}));

  // A model that appears later (voice activated, 562) is picked up the same way.
  auto& voice = hostkit::InstallModel(id::kVoiceActivatedModel);
  EXPECT_EQ(voice.SubscriberCount(kVoiceHistoryChanged), 0u);
  early.InitUserList();
  EXPECT_EQ(voice.SubscriberCount(kVoiceHistoryChanged), 1u);
}

// A derived manager's handler hears the model's events through the virtual table.
class CountingManager : public hostkit::SortedUserListManager {
 public:
  CountingManager() : SortedUserListManager([](const Variant&, const Variant&) { return false; }) {}
  void OnEventMeetingUserAdd(const Variant* event) override {
    ++adds;
    SortedUserListManager::OnEventMeetingUserAdd(event);
  }
  void OnUserAdd(const Variant& info) override { added.push_back(info.GetString("user_id")); }
  void OnUserRemove(const Variant& info) override { removed.push_back(info.GetString("user_id")); }
  void OnUserUpdate(const Variant& old_info, const Variant& new_info) override {
    updated.push_back(old_info.GetString("nickname") + ">" + new_info.GetString("nickname"));
  }
  bool NeedHandleForType(UserEventType type, const Variant& info) override {
    return type != kUserEventAdd || info.GetString("user_id") != "u-skip";
  }
  int adds = 0;
  Ids added, removed, updated;
};

TEST_F(UserListManagerTest, DerivedHandlersAndHooksHearTheEvents) {
  CountingManager manager;
  meeting_->AddUsers({MeetingFixture::MakeUser("u-a", "A"), MeetingFixture::MakeUser("u-skip", "S")});
  EXPECT_EQ(manager.adds, 1);
  EXPECT_EQ(manager.added, (Ids{"u-a"}));
  EXPECT_EQ(IdsOf(manager.GetUserList()), (Ids{"u-a"}));
  meeting_->UpdateUser("u-a", Json(R"({"nickname": "A2"})"));
  EXPECT_EQ(manager.updated, (Ids{"A>A2"}));
  // Added again while present: an update with the record it had before.
  manager.UserAddForType(Json("[" + std::to_string(meeting_->IndexOf("u-a")) + "]"));
  EXPECT_EQ(manager.updated, (Ids{"A>A2", "A>A2"}));
  meeting_->RemoveUsers({"u-a", "u-skip"});
  EXPECT_EQ(manager.removed, (Ids{"u-a", "u-skip"}));  // every index of the event
  // A payload of the wrong kind is no user at all.
  meeting_->users().Fire(MeetingFixture::kUsersAdded, Json(R"({"user_index": 1})"));
  EXPECT_TRUE(hostkit::HasLog(3, "user index list is not a list"));
  EXPECT_EQ(manager.adds, 2);
  EXPECT_EQ(IdsOf(manager.GetUserList()), (Ids{"u-self"}));  // the local user fills an empty list
}

// A derived manager whose filters count how often they are asked about whom; on updates they
// skip one user ("u-skip") and keep another in place ("u-fixed").
class HookCountingManager : public hostkit::SortedUserListManager {
 public:
  explicit HookCountingManager(CompareUserFunc compare) : SortedUserListManager(std::move(compare)) {}
  bool NeedHandleForType(UserEventType type, const Variant& info) override {
    ++handle_asked[Key(type, info)];
    return type != kUserEventUpdate || info.GetString("user_id") != "u-skip";
  }
  bool NeedUpdateUserIndexMap(UserEventType type, const Variant& info) override {
    ++map_asked[Key(type, info)];
    return type != kUserEventUpdate || info.GetString("user_id") != "u-fixed";
  }
  static std::string Key(UserEventType type, const Variant& info) {
    return std::to_string(type) + ":" + info.GetString("user_id");
  }
  void ClearCounts() {
    handle_asked.clear();
    map_asked.clear();
  }
  std::map<std::string, int> handle_asked;
  std::map<std::string, int> map_asked;
};

// The filters are asked once per index of an event, as a sequential placement would ask them,
// also when a multi-user event takes its users out of the lists before placing them again.
TEST_F(UserListManagerTest, MultiUserEventsAskEachFilterOncePerIndex) {
  HookCountingManager manager([this](const Variant& a, const Variant& b) { return Rank(a) < Rank(b); });
  manager.InitUserList();
  for (const char* id : {"u-1", "u-2", "u-skip", "u-fixed"}) Join(id, 10);
  ASSERT_EQ(Visible(manager), (Ids{"u-self", "u-fixed", "u-skip", "u-2", "u-1"}));
  ranks_["u-1"] = 40;
  ranks_["u-fixed"] = 1;  // a new rank, but the filter keeps it where it stands

  manager.ClearCounts();
  meeting_->UpdateUsers({{"u-1", Json("{}")}, {"u-2", Json("{}")}, {"u-skip", Json("{}")}, {"u-fixed", Json("{}")}});
  using Counts = std::map<std::string, int>;
  EXPECT_EQ(manager.handle_asked, (Counts{{"1:u-1", 1}, {"1:u-2", 1}, {"1:u-skip", 1}, {"1:u-fixed", 1}}));
  EXPECT_EQ(manager.map_asked, (Counts{{"1:u-1", 1}, {"1:u-2", 1}, {"1:u-fixed", 1}}));  // not for the skipped
  EXPECT_EQ(Visible(manager), (Ids{"u-self", "u-fixed", "u-2", "u-skip", "u-1"}));

  // Users added again while present, and an index named twice: once per index.
  manager.ClearCounts();
  const Variant again = Json("[" + std::to_string(meeting_->IndexOf("u-1")) + ", " +
                             std::to_string(meeting_->IndexOf("u-2")) + ", " +
                             std::to_string(meeting_->IndexOf("u-1")) + "]");
  manager.UserAddForType(again);
  EXPECT_EQ(manager.handle_asked, (Counts{{"0:u-1", 2}, {"0:u-2", 1}}));
  EXPECT_EQ(manager.map_asked, (Counts{{"0:u-1", 2}, {"0:u-2", 1}}));

  // The voice-activated update path takes users out the same way.
  manager.ClearCounts();
  manager.UserVoiceActivateUpdateForType(Json("[" + std::to_string(meeting_->IndexOf("u-2")) + ", " +
                                              std::to_string(meeting_->IndexOf("u-fixed")) + "]"));
  EXPECT_EQ(manager.handle_asked, (Counts{{"1:u-2", 1}, {"1:u-fixed", 1}}));
  EXPECT_EQ(manager.map_asked, (Counts{{"1:u-2", 1}, {"1:u-fixed", 1}}));
  EXPECT_EQ(Visible(manager), (Ids{"u-self", "u-fixed", "u-2", "u-skip", "u-1"}));
}

TEST_F(UserListManagerTest, DelegatesAreToldOnceEachInTheSetsOrder) {
  std::vector<std::string> journal;
  RecordingDelegate d[3] = {RecordingDelegate("0", &journal), RecordingDelegate("1", &journal),
                            RecordingDelegate("2", &journal)};
  auto manager = MakeManager();
  manager->RemoveDelegate(&delegate_);
  manager->AddDelegate(&d[2]);
  manager->AddDelegate(&d[0]);
  manager->AddDelegate(&d[1]);
  manager->AddDelegate(&d[2]);  // at most once
  manager->AddDelegate(nullptr);  // ignored
  manager->InitUserList();
  EXPECT_EQ(journal, (std::vector<std::string>{"0", "1", "2"}));  // the set orders by address

  // A delegate that removes a later one while being told: the removed one is skipped.
  d[0].manager = manager.get();
  d[0].victim = &d[1];
  journal.clear();
  Join("u-a", 1);
  EXPECT_EQ(journal, (std::vector<std::string>{"0", "2"}));
  d[0].victim = nullptr;
  manager->RemoveDelegate(&d[0]);
  journal.clear();
  Join("u-b", 2);
  EXPECT_EQ(journal, (std::vector<std::string>{"2"}));
}

TEST_F(UserListManagerTest, FirstPageSizeRebuildsOnlyWhenTheRuleReorders) {
  auto manager = MakeManager();
  manager->InitUserList();
  const int changes = delegate_.list_changes;
  manager->SetFirstPageSize(9);  // the default rule keeps no first page
  EXPECT_EQ(manager->GetFirstPageSize(), 9u);
  EXPECT_EQ(manager->GetFirstPageSortedUserList(), nullptr);
  EXPECT_EQ(delegate_.list_changes, changes);
  manager->SetRule(true, std::make_unique<ExtendedRule>("visible_list"));
  manager->SetFirstPageSize(4);
  EXPECT_EQ(delegate_.list_changes, changes);
  manager->SetFirstPageSize(6);
  EXPECT_EQ(delegate_.list_changes, changes + 1);
  EXPECT_EQ(delegate_.first_page_changes, 1);
}

// ---------------------------------------------------------------------------------------------
// Join, leave, waiting room and user cache resets

TEST_F(UserListManagerTest, JoinLoadsLeaveAndWaitingRoomEmpty) {
  auto manager = MakeManager();
  Join("u-a", 1);  // heard by the add event: the lists start filling
  EXPECT_EQ(IdsOf(manager->GetUserList()), (Ids{"u-a"}));
  manager->MutableStreamList()["video-u-a"] = *meeting_->FindUser("u-a");
  ASSERT_NE(manager->GetUserInfoWithStreamId("video-u-a"), nullptr);

  meeting_->meeting().Fire(1, Variant::Map());  // join complete: everyone, from the user model
  EXPECT_TRUE(hostkit::HasLog(6, "init user list when join meeting"));
  EXPECT_EQ(IdsOf(manager->GetUserList()), (Ids{"u-self", "u-a"}));
  EXPECT_EQ(manager->GetUserInfoWithStreamId("video-u-a"), nullptr);  // the stream map went with Clear
  EXPECT_TRUE(manager->GetStreamList()->IsMap());

  const int changes = delegate_.list_changes;
  meeting_->meeting().Fire(2, Variant::Map());  // leave complete
  EXPECT_TRUE(manager->GetUserList()->empty());
  EXPECT_TRUE(manager->GetRawVisibleUserList()->empty());
  EXPECT_TRUE(manager->visible_list()->GetSortedUserList()->empty());
  EXPECT_EQ(delegate_.list_changes, changes);  // delegates are not told

  manager->InitUserList();
  meeting_->meeting().Fire(14, Variant::Map());  // moved to the waiting room
  EXPECT_TRUE(manager->GetUserList()->empty());
  EXPECT_EQ(delegate_.list_changes, changes + 1);
}

TEST_F(UserListManagerTest, UserCacheResetReloadsEveryone) {
  auto manager = MakeManager();
  manager->InitUserList();
  Join("u-a", 2);
  Join("u-b", 1);
  SetHideSwitches(true, false);
  hide_->Fire(kHideChanged, Variant::Map());
  ASSERT_EQ(Hidden(*manager), (Ids{"u-self", "u-b", "u-a"}));
  ranks_["u-c"] = 3;
  Variant c = MeetingFixture::MakeUser("u-c", "C");
  c["video"] = true;
  c["video_on"] = true;
  meeting_->ResetUsers({MeetingFixture::MakeUser("u-a", "A"), c});
  EXPECT_TRUE(hostkit::HasLog(6, "init user list when user cache changed"));
  EXPECT_EQ(Visible(*manager), (Ids{"u-c"}));
  EXPECT_EQ(Hidden(*manager), (Ids{"u-self", "u-a"}));
  EXPECT_EQ(IdsOf(manager->GetUserList()), (Ids{"u-c", "u-self", "u-a"}));
}

// ---------------------------------------------------------------------------------------------
// The pieces on their own

TEST(UserListRule, SeparateAndMergeWorkInPlaceAndKeepCopiesIntact) {
  hostkit::Reset();
  MeetingFixture meeting;
  meeting.Install();  // u-self and u-1 ... u-4, nobody with video
  meeting.UpdateUser("u-2", Json(R"({"video": true})"));
  velto::UserListManagerDefaultRule rule("visible_list");
  size_t comparisons = 0;
  rule.SetCompareUserFunc([&comparisons](const Variant& a, const Variant& b) {
    ++comparisons;
    return a.GetString("user_id") < b.GetString("user_id");
  });
  Variant list = Variant::Array();
  for (const char* user_id : {"u-1", "u-2", "u-3", "u-4", "u-self"}) list.Add(meeting.IndexOf(user_id));
  const Variant published = list;  // shares the entries until the list changes
  Variant out = Variant::Array();
  rule.SeparateUsersFromList(list, 1, UserListManagerRuleBase::kSeparateInvisibleUsers, out);
  EXPECT_EQ(IdsOf(&list), (Ids{"u-2"}));
  EXPECT_EQ(IdsOf(&out), (Ids{"u-1", "u-3", "u-4", "u-self"}));
  EXPECT_EQ(IdsOf(&published), (Ids{"u-1", "u-2", "u-3", "u-4", "u-self"}));
  EXPECT_EQ(comparisons, 0u);

  const Variant before_merge = list;
  rule.MergeSortedUsersToList(list, out);
  EXPECT_EQ(IdsOf(&list), (Ids{"u-1", "u-2", "u-3", "u-4", "u-self"}));
  EXPECT_EQ(IdsOf(&before_merge), (Ids{"u-2"}));
  EXPECT_LE(comparisons, 4u);

  Variant empty = Variant::Array();
  rule.MergeSortedUsersToList(empty, out);  // into an empty list: appended, no comparison
  EXPECT_EQ(IdsOf(&empty), IdsOf(&out));
  EXPECT_LE(comparisons, 4u);
  rule.MergeSortedUsersToList(empty, Variant());  // nothing to merge
  EXPECT_EQ(empty.size(), 4u);
  EXPECT_EQ(rule.GetRuleType(), velto::kLayoutUserListRuleDefault);
  EXPECT_EQ(rule.GetFirstPageSortedUserList(), nullptr);
}

TEST(UserListRule, ComparingWithoutAComparisonIsTheDerivedManagersBug) {
  hostkit::Reset();
  MeetingFixture meeting;
  meeting.Install();
  velto::UserListManagerDefaultRule rule("visible_list");
  Variant list = Variant::Array();
  rule.UserAdd(list, Variant(meeting.IndexOf("u-1")), Variant());  // nothing to compare with yet
  EXPECT_THROW(rule.UserAdd(list, Variant(meeting.IndexOf("u-2")), Variant()), std::bad_function_call);
}

TEST(UserListRule, RemoveOutsideTheListIsLogged) {
  hostkit::Reset();
  velto::UserListManagerDefaultRule rule("invisible_list");
  Variant list = Json("[1, 2]");
  rule.UserRemove(list, Variant(3), Json(R"({"user_id": "u-3"})"), 2);
  rule.UserRemove(list, Variant(3), Variant(), -1);
  EXPECT_TRUE(hostkit::HasLog(6, "[invisible_list] can not find user :u-3 in list"));
  EXPECT_TRUE(hostkit::HasLog(6, "[invisible_list] can not find user :nullptr in list"));
  EXPECT_EQ(list, Json("[1, 2]"));
  velto::UserListManagerMemberList members("invisible_list");
  EXPECT_EQ(members.FindUser(Variant("1")), -1);
  EXPECT_EQ(members.GetKey(), "invisible_list");
}

}  // namespace
