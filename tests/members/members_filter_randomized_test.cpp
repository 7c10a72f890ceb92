// MembersFilterManager against a slow reference: long random streams of joins, leaves, updates,
// filter and order changes and cache resets, checked after every event. The reference filters
// the users the model holds now and sorts them from scratch; its search lower-cases and
// converts every nickname afresh.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "module_api/members/members_filter_manager.h"
#include "module_api/members/pinyin.h"

namespace {

using hostkit::MeetingFixture;
using hostkit::Variant;
using velto::MembersFilterManager;

const char* const kNicknames[] = {"张伟", "王芳", "李娜", "Alice", "ALICE Smith", "bob", "Bo 陈",
                                  "刘洋", "Zoe",  "zhang san", "Ivan 赵", "", "黄 Li"};
const char* const kGivenPinyin[] = {"custom", "lina", "wz", "zhangwei"};
const char* const kKeywords[] = {"", "a", "al", "ALICE", "zhang", "wang", "li", "bo", "n", "chen", "Zoe", "o", "wei", "z", "hua"};

struct Named {
  const char* name;
  std::function<bool(const Variant&)> function;
};
const Named kFilters[] = {
    {"everybody", [](const Variant&) { return true; }},
    {"with audio", [](const Variant& u) { return u.GetBoolean("audio"); }},
    {"no bots", [](const Variant& u) { return !u.GetBoolean("is_bot"); }},
    {"even join time", [](const Variant& u) { return u.GetUint64("join_time") % 2 == 0; }},
};
struct NamedOrder {
  const char* name;
  MembersFilterManager::CompareUserFunc function;
};
const NamedOrder kOrders[] = {
    {"default", &MembersFilterManager::DefaultCompareUser},
    {"nickname", [](const Variant& a, const Variant& b) {
       const std::string na = a.GetString("nickname"), nb = b.GetString("nickname");
       return na != nb ? na < nb : a.GetString("user_id") < b.GetString("user_id");
     }},
    {"latest first", [](const Variant& a, const Variant& b) {
       const uint64_t ja = a.GetUint64("join_time"), jb = b.GetUint64("join_time");
       return ja != jb ? ja > jb : a.GetString("user_id") > b.GetString("user_id");
     }},
};

class Panel : public velto::IMembersProviderListener {
 public:
  void OnMembersUpdated() override {}
  void OnSearchResult(const std::string&, const Variant& indexes, const std::string& token, int64_t) override {
    results[token] = indexes;
  }
  std::map<std::string, Variant> results;
};

std::vector<int64_t> Indexes(const Variant& list) {
  std::vector<int64_t> out;
  for (const Variant& entry : list.Elements()) out.push_back(entry.AsInteger());
  return out;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

class RandomMeeting {
 public:
  explicit RandomMeeting(uint64_t seed) : rng_(seed) {
    MeetingFixture::Options options;
    options.other_users = 0;
    meeting_ = std::make_unique<MeetingFixture>(options);
    meeting_->Install();
    manager_ = std::make_unique<MembersFilterManager>("random");
    manager_->Activate(&panel_);
  }

  // One random event; returns what it did.
  std::string Step() {
    const size_t roll = Below(100);
    if (roll < 30) return Join(Below(10) == 0 ? 32 + Below(20) : 1 + Below(3));
    if (roll < 50) return Leave();
    if (roll < 80) return Update();
    if (roll < 85) {
      filter_ = Below(4);
      manager_->SetFilterUserFunc(kFilters[filter_].function);
      return std::string("filter ") + kFilters[filter_].name;
    }
    if (roll < 89) {
      order_ = Below(3);
      manager_->SetCompareUserFunc(kOrders[order_].function);
      return std::string("order ") + kOrders[order_].name;
    }
    if (roll < 93) return Reset();
    keyword_ = kKeywords[Below(std::size(kKeywords))];
    manager_->StartSearch("s", keyword_);
    return "search \"" + keyword_ + "\"";
  }

  testing::AssertionResult Check() const {
    // The reference list: today's users that pass, sorted from scratch.
    std::vector<const Variant*> records;
    for (const std::string& id : meeting_->user_ids()) {
      const Variant* record = meeting_->FindUser(id);
      if (kFilters[filter_].function(*record)) records.push_back(record);
    }
    std::stable_sort(records.begin(), records.end(),
                     [this](const Variant* a, const Variant* b) { return kOrders[order_].function(*a, *b); });
    std::vector<int64_t> expected;
    std::vector<int64_t> expected_found;
    for (const Variant* record : records) {
      const int64_t index = meeting_->IndexOf(record->GetString("user_id"));
      expected.push_back(index);
      const std::string lower = Lower(record->GetString("nickname"));
      const std::string pinyin = record->Has("nickname_pinyin")
                                     ? record->GetString("nickname_pinyin")
                                     : velto_common::utils::ConvertChineseToPinyin(lower, true);
      if (lower.find(keyword_) != std::string::npos || pinyin.find(keyword_) != std::string::npos) {
        expected_found.push_back(index);
      }
    }
    Variant list;
    manager_->GetUserIndexList(&list);
    if (Indexes(list) != expected) {
      return testing::AssertionFailure() << "list has " << list.size() << " users, the reference " << expected.size()
                                         << " (filter " << kFilters[filter_].name << ", order " << kOrders[order_].name
                                         << ")";
    }
    auto found = panel_.results.find("s");
    if (found == panel_.results.end()) return testing::AssertionFailure() << "no search result";
    if (Indexes(found->second) != expected_found) {
      return testing::AssertionFailure() << "search \"" << keyword_ << "\" found " << found->second.size()
                                         << " users, the reference " << expected_found.size();
    }
    return testing::AssertionSuccess();
  }

  void OpenSearch() { manager_->StartSearch("s", keyword_); }

 private:
  size_t Below(size_t n) { return static_cast<size_t>(rng_() % n); }

  Variant NewUser() {
    const std::string id = "r-" + std::to_string(next_id_++);
    Variant user = MeetingFixture::MakeUser(id, kNicknames[Below(std::size(kNicknames))]);
    if (Below(5) == 0) user["nickname_pinyin"] = kGivenPinyin[Below(std::size(kGivenPinyin))];
    RandomRoles(user);
    return user;
  }

  void RandomRoles(Variant& user) {
    user["host"] = Below(20) == 0;
    user["co_host"] = Below(8) == 0;
    user["is_bot"] = Below(8) == 0;
    user["audio"] = Below(3) != 0;
    user["join_time"] = static_cast<uint64_t>(Below(40));  // few values: ties are common
  }

  std::vector<std::string> RemoteIds() const {
    std::vector<std::string> ids = meeting_->user_ids();
    ids.erase(std::remove(ids.begin(), ids.end(), MeetingFixture::kSelfUserId), ids.end());
    return ids;
  }

  std::string Join(size_t count) {
    std::vector<Variant> users;
    for (size_t i = 0; i < count; ++i) users.push_back(NewUser());
    meeting_->AddUsers(std::move(users));
    return "join " + std::to_string(count);
  }

  std::string Leave() {
    std::vector<std::string> ids = RemoteIds();
    if (ids.empty()) return Join(1);
    std::vector<std::string> leaving;
    for (size_t i = 1 + Below(3); i > 0; --i) leaving.push_back(ids[Below(ids.size())]);
    std::sort(leaving.begin(), leaving.end());
    leaving.erase(std::unique(leaving.begin(), leaving.end()), leaving.end());
    meeting_->RemoveUsers(leaving);
    return "leave " + std::to_string(leaving.size());
  }

  std::string Update() {
    std::vector<std::string> ids = meeting_->user_ids();
    std::vector<std::pair<std::string, Variant>> changes;
    for (size_t i = 1 + Below(3); i > 0; --i) {
      // The same user may come twice in one event.
      const std::string& id = ids[Below(ids.size())];
      Variant change = Variant::Map();
      switch (Below(5)) {
        case 0: change["nickname"] = kNicknames[Below(std::size(kNicknames))]; break;
        case 1: change["nickname_pinyin"] = kGivenPinyin[Below(std::size(kGivenPinyin))]; break;
        case 2: change["audio"] = Below(2) == 0; break;
        case 3: change["join_time"] = static_cast<uint64_t>(Below(40)); break;
        default: {
          Variant roles = Variant::Map();
          RandomRoles(roles);
          change = roles;
        }
      }
      changes.emplace_back(id, change);
    }
    meeting_->UpdateUsers(changes);
    return "update " + std::to_string(changes.size());
  }

  std::string Reset() {
    std::vector<Variant> kept;
    for (const std::string& id : RemoteIds()) {
      if (Below(3) != 0) kept.push_back(*meeting_->FindUser(id));
    }
    for (size_t i = Below(40); i > 0; --i) kept.push_back(NewUser());
    const size_t count = kept.size();
    meeting_->ResetUsers(std::move(kept));
    return "reset to " + std::to_string(count) + " remote users";
  }

  std::mt19937_64 rng_;
  std::unique_ptr<MeetingFixture> meeting_;
  std::unique_ptr<MembersFilterManager> manager_;
  Panel panel_;
  size_t filter_ = 0;
  size_t order_ = 0;
  std::string keyword_;
  int next_id_ = 0;
};

TEST(MembersFilterRandomized, ListAndSearchMatchTheReferenceAfterEveryEvent) {
  hostkit::SetLogLevel(3);  // the per-user trace records are not under test here
  for (uint64_t seed : {1u, 2u, 3u, 4u}) {
    RandomMeeting meeting(seed);
    meeting.OpenSearch();
    ASSERT_TRUE(meeting.Check()) << "seed " << seed << " at the start";
    for (int step = 0; step < 1200; ++step) {
      const std::string action = meeting.Step();
      ASSERT_TRUE(meeting.Check()) << "seed " << seed << " step " << step << " after " << action;
    }
  }
}

}  // namespace
