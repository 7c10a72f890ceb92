// Large multi-user adds (the first load of a big meeting, a burst of joins, users added again)
// are placed in bulk. The same event stream is played twice from the same seed: once through a
// manager whose lists keep the default rule (placed in bulk), once through one whose rules are
// the default rule under another name (placed user by user, as before). Everything a derived
// manager and its delegates can observe must be the same: the filter hooks and per-user hooks
// with their arguments, the delegates' notifications, every log record, and the lists after
// every event, entry for entry. Also with a comparison that is no strict weak order, where only
// the very same comparisons give the same lists.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "framework/module/module.h"
#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/user_list.h"
#include "module_api/members/member_utils.h"
#include "module_api/model_ids.h"
#include "module_api/user_list/user_list_manager.h"

namespace {

namespace id = velto::model_id;
namespace member = velto_common::utils::member;
using hostkit::MeetingFixture;
using hostkit::Variant;
using Journal = std::vector<std::string>;

// Besides names that differ only in case and Chinese names: two spellings of one name that the
// collator holds equal although their bytes differ (a precomposed and a combining accent), and
// names whose collation keys share their first bytes.
const char* const kNames[] = {"Alice", "alice", "bob",     "Carol",          "张伟",          "王芳",
                              "李娜",  "Zoe",   "赵敏",    "Zo\xC3\xA9",     "Zoe\xCC\x81",    "Christopher Adams",
                              "Christopher Adam"};
constexpr uint32_t kNameCount = static_cast<uint32_t>(std::size(kNames));

// The default rule by another name: it places exactly as the default rule does, but the
// manager only places in bulk for the default rule itself.
class OneByOneRule : public velto::UserListManagerDefaultRule {
 public:
  using velto::UserListManagerDefaultRule::UserListManagerDefaultRule;
};

std::string UserId(const Variant& info) { return info.GetString("user_id", "?"); }

// The entries of a list as they stand (indexes are the same in every run of a seed); reading
// no record, so that the runs' record reads are the manager's own.
std::string Ids(const Variant* list) {
  std::string text;
  for (const Variant& index : list->Elements()) text += index.ToJsonStr() + " ";
  return text;
}

// A derived manager that writes down what it hears; its filters skip some users on adds and
// keep others where they stand.
class JournalingManager : public hostkit::SortedUserListManager, public velto::IUserEventDelegate {
 public:
  using Variant = hostkit::Variant;
  JournalingManager(CompareUserFunc compare, Journal* journal) : SortedUserListManager(std::move(compare)), journal_(journal) {
    AddDelegate(this);
  }
  bool NeedHandleForType(UserEventType type, const Variant& info) override {
    const bool handle = UserId(info).find("7") == std::string::npos;
    journal_->push_back("handle " + std::to_string(type) + " " + UserId(info) + " " + std::to_string(handle));
    return handle;
  }
  bool NeedUpdateUserIndexMap(UserEventType type, const Variant& info) override {
    const bool update = UserId(info).find("3") == std::string::npos || type == kUserEventRemove;
    journal_->push_back("map " + std::to_string(type) + " " + UserId(info) + " " + std::to_string(update));
    return update;
  }
  void OnUserAdd(const Variant& info) override { journal_->push_back("add " + UserId(info)); }
  void OnUserUpdate(const Variant& old_info, const Variant& new_info) override {
    journal_->push_back("update " + UserId(old_info) + " " + UserId(new_info));
  }
  void OnUserRemove(const Variant& info) override { journal_->push_back("remove " + UserId(info)); }
  // velto::IUserEventDelegate:
  void OnUserListChanged(const Variant* sorted_visible_list) override {
    journal_->push_back("delegate " + Ids(sorted_visible_list));
  }

 private:
  Journal* journal_;
};

// Not a strict weak order: whether a sorts before b is a fixed coin toss per pair. A placement
// by binary search still gives one definite list, which depends on every comparison made.
bool CoinToss(const Variant& a, const Variant& b) {
  const size_t h = std::hash<std::string>()(a.GetString("user_id") + "|" + b.GetString("user_id"));
  return (h >> 9) & 1;
}

struct Played {
  Journal journal;
  size_t load_reads = 0;  // user model command 4 during the first load
};

// Plays the stream of `seed`; `one_by_one` gives the manager the renamed rule. Hide switch
// changes merge lists, which asks for a strict weak order: only with `toggles`.
Played Play(uint32_t seed, bool one_by_one, const velto::UserListManager::CompareUserFunc& compare, bool toggles = true) {
  Played run;
  hostkit::Reset();
  std::mt19937 rng(seed);
  auto below = [&rng](uint32_t n) { return static_cast<uint32_t>(rng() % n); };
  MeetingFixture::Options options;
  options.other_users = 0;
  MeetingFixture meeting(options);
  meeting.Install();
  auto& hide = hostkit::InstallModel(id::kHideVideoModel);
  hide.Succeed(6).Fail(7);  // users without video hidden from the start
  int next = 0;
  auto new_user = [&]() {
    Variant user = MeetingFixture::MakeUser("b-" + std::to_string(next++), kNames[below(kNameCount)] + std::string(below(2) ? "" : " 1"));
    user["audio"] = below(3) != 0;
    const bool video = below(3) == 0;
    user["video"] = video;
    user["video_on"] = video;
    user["is_raise_hand"] = below(10) == 0;
    user["spotlight_on"] = below(30) == 0;
    return user;
  };
  std::vector<Variant> first;
  for (int i = 0; i < 700; ++i) first.push_back(new_user());
  meeting.AddUsers(first);

  JournalingManager manager(compare, &run.journal);
  if (one_by_one) {
    manager.SetRule(true, std::make_unique<OneByOneRule>("visible_list"));
    manager.SetRule(false, std::make_unique<OneByOneRule>("invisible_list"));
  }
  auto snapshot = [&](const std::string& what) {
    run.journal.push_back("after " + what + ": visible " + Ids(manager.visible_list()->GetSortedUserList()) +
                          "| hidden " + Ids(manager.GetNeedHideUserList()) + "| all " + Ids(manager.GetUserList()));
    for (const hostkit::LogRecord& log : hostkit::Logs()) {
      run.journal.push_back("log " + std::to_string(log.level) + " " + log.file + ":" + std::to_string(log.line) +
                            " " + log.function + " " + log.text);
    }
    hostkit::ClearLogs();
    if (what == "load") run.load_reads = meeting.users().CallCount(4);
    meeting.users().ClearCalls();
  };
  hostkit::ClearLogs();
  meeting.users().ClearCalls();
  manager.InitUserList();  // the first load: 701 users at once
  snapshot("load");
  for (int step = 0; step < 40; ++step) {
    std::ostringstream what;
    const uint32_t dice = below(10);
    if (dice < 3) {
      // A burst of joins in one event.
      std::vector<Variant> users;
      for (uint32_t i = 64 + below(100); i > 0; --i) users.push_back(new_user());
      what << "burst of " << users.size();
      meeting.AddUsers(users);
    } else if (dice < 5) {
      // Users added again while present, some twice, with a stranger and a non-index among them.
      Variant indexes = Variant::Array();
      const std::vector<std::string> ids = meeting.user_ids();
      for (int i = 0; i < 80; ++i) indexes.Add(static_cast<long long>(meeting.IndexOf(ids[below(static_cast<uint32_t>(ids.size()))])));
      indexes.Add(999999);
      indexes.Add("not an index");
      for (int i = 0; i < 10; ++i) indexes.Add(indexes.At(below(80)));
      what << "added again";
      manager.UserAddForType(indexes);
    } else if (dice < 7) {
      std::vector<std::pair<std::string, Variant>> changes;
      const std::vector<std::string> ids = meeting.user_ids();
      for (int i = 0; i < 3; ++i) {
        Variant change = Variant::Map();
        change[below(2) ? "video" : "nickname"] = below(2) ? Variant(below(2) == 0) : Variant(kNames[below(kNameCount)]);
        changes.emplace_back(ids[below(static_cast<uint32_t>(ids.size()))], change);
      }
      what << "updates";
      meeting.UpdateUsers(changes);
    } else if (dice < 8) {
      std::vector<std::string> ids = meeting.user_ids();
      std::vector<std::string> leaving;
      for (int i = 0; i < 5; ++i) leaving.push_back(ids[1 + below(static_cast<uint32_t>(ids.size() - 1))]);
      what << "leave";
      meeting.RemoveUsers(leaving);
    } else if (toggles) {
      if (below(2)) hide.Succeed(6); else hide.Fail(6);
      if (below(3) == 0) hide.Succeed(7); else hide.Fail(7);
      what << "hide switch";
      hide.Fire(1, Variant::Map());
    }
    snapshot(what.str());
  }
  return run;
}

void ExpectSameJournals(const Played& bulk, const Played& one_by_one) {
  ASSERT_EQ(bulk.journal.size(), one_by_one.journal.size());
  for (size_t i = 0; i < bulk.journal.size(); ++i) {
    ASSERT_EQ(bulk.journal[i], one_by_one.journal[i]) << "entry " << i;
  }
}

TEST(UserListBulkPlacement, SameHooksLogsNotificationsAndListsAsOneByOne) {
  for (uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    const Played bulk = Play(seed, false, &member::CompareSortUser);
    const Played one_by_one = Play(seed, true, &member::CompareSortUser);
    ExpectSameJournals(bulk, one_by_one);
    // The bulk placement reads each record about once, not twice per comparison.
    EXPECT_LE(bulk.load_reads, 701u * 2);
    EXPECT_GT(one_by_one.load_reads, 3 * bulk.load_reads);
  }
  hostkit::Reset();
}

TEST(UserListBulkPlacement, SameListsUnderAComparisonThatIsNoStrictOrder) {
  for (uint32_t seed : {4u, 5u}) {
    SCOPED_TRACE(seed);
    const Played bulk = Play(seed, false, &CoinToss, false);
    const Played one_by_one = Play(seed, true, &CoinToss, false);
    ExpectSameJournals(bulk, one_by_one);
    EXPECT_LE(bulk.load_reads, 701u * 2);
    EXPECT_GT(one_by_one.load_reads, 3 * bulk.load_reads);
  }
  hostkit::Reset();
}

// A hook that changes the lists while a large add is placed: the change stands, and the users of
// the event are placed into the lists as the hook left them.
class ClearingManager : public hostkit::SortedUserListManager {
 public:
  void OnUserAdd(const Variant& info) override {
    if (info.GetString("user_id") == "c-40") GetMemberListPtr(true)->Clear();
  }
};

TEST(UserListBulkPlacement, AHookThatChangesTheListsMeanwhileIsHonoured) {
  hostkit::Reset();
  MeetingFixture::Options options;
  options.other_users = 0;
  MeetingFixture meeting(options);
  meeting.Install();
  ClearingManager manager;
  manager.InitUserList();
  std::vector<Variant> users;
  for (int i = 0; i < 100; ++i) users.push_back(MeetingFixture::MakeUser("c-" + std::to_string(i), "N" + std::to_string(100 + i)));
  meeting.AddUsers(users);
  // The local user went with the hook's clearing; the event's hundred users are all there.
  const Variant* visible = manager.visible_list()->GetSortedUserList();
  EXPECT_EQ(visible->size(), 100u);
  std::vector<Variant> sorted(visible->Elements().begin(), visible->Elements().end());
  framework::Model* model = framework::module::GetAppModuleModel(id::kUserModel);
  for (size_t i = 1; i < sorted.size(); ++i) {
    EXPECT_FALSE(member::CompareSortUser(member::GetUserInfo(model, sorted[i].AsInteger()),
                                         member::GetUserInfo(model, sorted[i - 1].AsInteger())));
  }
  hostkit::Reset();
}

}  // namespace
