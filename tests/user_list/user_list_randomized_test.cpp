// The member list against a slow reference: long random streams of joins, leaves, record
// changes, hide-switch, audio-only and custom-layout changes and user cache resets, played
// through the meeting fixture, from a small meeting or from the first load of a large one with
// bursts of joins (both placed in bulk). After every event the sorted visible and invisible lists must
// equal a full stable sort of the meeting's users by the same comparison, split by visibility,
// and the published lists must follow from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/user_list.h"
#include "module_api/members/member_utils.h"
#include "module_api/model_ids.h"

namespace {

namespace id = velto::model_id;
namespace member = velto_common::utils::member;
using hostkit::Json;
using hostkit::MeetingFixture;
using hostkit::Variant;

// Latin and Chinese names; the suffixes are few, so byte-equal nicknames turn up and the user
// id has to decide between them.
const char* const kNames[] = {"Alice", "bob", "Carol", "dave", "Erin", "Zoe", "张伟", "王芳", "李娜", "赵敏", "刘洋", "陈静"};

class RandomMeeting {
 public:
  // `initial` users are there before the manager loads; with `bursts`, some joins bring a hundred
  // users in one event.
  explicit RandomMeeting(uint32_t seed, int initial = 30, bool bursts = false)
      : seed_(seed), rng_(seed), bursts_(bursts) {
    hostkit::Reset();
    hostkit::SetLogLevel(1);  // the traces of thousands of events are not what this test reads
    MeetingFixture::Options options;
    options.other_users = 0;
    meeting_ = std::make_unique<MeetingFixture>(options);
    meeting_->Install();
    hide_ = &hostkit::InstallModel(id::kHideVideoModel);
    ApplyHideSwitches();
    std::vector<Variant> users;
    for (int i = 0; i < initial; ++i) users.push_back(NewUser());
    meeting_->AddUsers(users);  // before the manager: it loads them on InitUserList
    manager_ = std::make_unique<hostkit::SortedUserListManager>();
    manager_->InitUserList();
  }

  // Plays one random event; false once a check failed.
  bool Step(int step) {
    std::string what = PlayOne();
    hostkit::ClearLogs();
    meeting_->users().ClearCalls();
    meeting_->meeting().ClearCalls();
    return Check(step, what);
  }

 private:
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>(rng_() % n); }
  bool Chance(uint32_t percent) { return Below(100) < percent; }

  std::string Nickname() {
    std::string name = kNames[Below(sizeof(kNames) / sizeof(kNames[0]))];
    if (Chance(70)) name += " " + std::to_string(Below(20));
    return name;
  }

  Variant NewUser() {
    Variant user = MeetingFixture::MakeUser("r-" + std::to_string(next_id_++), Nickname());
    user["audio"] = Chance(70);
    const bool video = Chance(35);
    user["video"] = video;
    user["video_on"] = video;
    user["is_raise_hand"] = Chance(10);
    user["co_host"] = Chance(5);
    user["spotlight_on"] = Chance(3);
    return user;
  }

  std::vector<std::string> RemoteIds() const {
    std::vector<std::string> ids = meeting_->user_ids();
    ids.erase(std::remove(ids.begin(), ids.end(), std::string(MeetingFixture::kSelfUserId)), ids.end());
    return ids;
  }

  std::string AnyUser(bool with_self) {
    std::vector<std::string> ids = with_self ? meeting_->user_ids() : RemoteIds();
    return ids.empty() ? std::string() : ids[Below(static_cast<uint32_t>(ids.size()))];
  }

  void ApplyHideSwitches() {
    if (hide_no_video_) hide_->Succeed(6); else hide_->Fail(6);
    if (hide_self_) hide_->Succeed(7); else hide_->Fail(7);
  }

  Variant RandomChange() {
    Variant change = Variant::Map();
    switch (Below(8)) {
      case 0: change["audio"] = Chance(50); break;
      case 1: change["video"] = Chance(50); break;
      case 2: change["is_raise_hand"] = Chance(50); break;
      case 3: change["host"] = Chance(20); break;
      case 4: change["co_host"] = Chance(30); break;
      case 5: change["nickname"] = Nickname(); break;
      case 6: change["spotlight_on"] = Chance(20); break;
      default: change["screen"] = Chance(30); break;  // no order key changes when it stays the same
    }
    return change;
  }

  std::string PlayOne() {
    std::ostringstream what;
    const uint32_t dice = Below(100);
    if (dice < 18) {
      std::vector<Variant> users;
      const uint32_t count = bursts_ && Chance(15) ? 100 + Below(50) : 1 + Below(3);
      for (uint32_t i = 0; i < count; ++i) users.push_back(NewUser());
      what << "join " << count;
      meeting_->AddUsers(users);
    } else if (dice < 30) {
      std::vector<std::string> ids;
      for (uint32_t i = 1 + Below(2); i > 0; --i) {
        std::string user_id = AnyUser(false);
        if (!user_id.empty() && std::find(ids.begin(), ids.end(), user_id) == ids.end()) ids.push_back(user_id);
      }
      what << "leave " << ids.size();
      meeting_->RemoveUsers(ids);
    } else if (dice < 86) {
      std::vector<std::pair<std::string, Variant>> changes;
      for (uint32_t i = 1 + (Chance(20) ? 1 : 0); i > 0; --i) {
        std::string user_id = AnyUser(true);
        Variant change = RandomChange();
        what << "update " << user_id << " " << change.ToJsonStr() << " ";
        changes.emplace_back(user_id, change);
      }
      meeting_->UpdateUsers(changes);
    } else if (dice < 94) {
      hide_no_video_ = Chance(50);
      hide_self_ = Chance(40);
      ApplyHideSwitches();
      what << "hide switches " << hide_no_video_ << hide_self_;
      hide_->Fire(1, Variant::Map());
    } else if (dice < 96) {
      audio_only_ = !audio_only_;
      Variant answer = Variant::Map();
      answer["enable"] = audio_only_;
      meeting_->meeting().Answer(26, answer);
      what << "audio only " << audio_only_;
      meeting_->meeting().Fire(9, Variant::Map());
    } else if (dice < 98) {
      custom_layout_ = !custom_layout_;
      hostkit::FindModel(id::kCustomLayoutModel)->Answer(3, custom_layout_);
      what << "custom layout " << custom_layout_;
      hostkit::FindModel(id::kCustomLayoutModel)->Fire(1, Variant::Map());
    } else {
      // Some users come back with new indexes, others are new, the rest are gone.
      std::vector<Variant> users;
      for (const std::string& user_id : RemoteIds()) {
        if (Chance(60)) users.push_back(*meeting_->FindUser(user_id));
      }
      for (uint32_t i = Below(5); i > 0; --i) users.push_back(NewUser());
      what << "cache reset to " << users.size() + 1;
      meeting_->ResetUsers(users);
    }
    return what.str();
  }

  int HideSwitch() const {
    if (audio_only_ || custom_layout_) return 0;
    return (hide_no_video_ ? 1 : 0) | (hide_self_ ? 2 : 0);
  }

  // Written from the rules, not from the library's visibility function.
  bool Visible(const Variant& record) const {
    const int hide_switch = HideSwitch();
    if (record.GetBoolean("spotlight_on", false)) return true;
    if ((hide_switch & 1) && !record.GetBoolean("video_on", false)) return false;
    return !((hide_switch & 2) && record.GetBoolean("self", false));
  }

  std::string Describe(const std::vector<const Variant*>& records) const {
    std::string text;
    for (const Variant* record : records) text += record->GetString("user_id") + " ";
    return text;
  }

  std::vector<const Variant*> RecordsOf(const Variant* list) const {
    std::vector<const Variant*> records;
    framework::Model* users = hostkit::FindModel(id::kUserModel);
    for (const Variant& index : list->Elements()) records.push_back(&member::GetUserInfo(users, index.AsInteger()));
    return records;
  }

  // Equal lists, except that users who compare equal may stand in any order among themselves.
  static bool SameOrder(const std::vector<const Variant*>& actual, const std::vector<const Variant*>& expected) {
    if (actual.size() != expected.size()) return false;
    size_t start = 0;
    while (start < expected.size()) {
      size_t end = start + 1;
      while (end < expected.size() && !member::CompareSortUser(*expected[start], *expected[end])) ++end;
      std::vector<const Variant*> a(actual.begin() + start, actual.begin() + end);
      std::vector<const Variant*> b(expected.begin() + start, expected.begin() + end);
      std::sort(a.begin(), a.end());
      std::sort(b.begin(), b.end());
      if (a != b) return false;
      start = end;
    }
    return true;
  }

  bool Check(int step, const std::string& what) {
    std::vector<const Variant*> all;
    for (const std::string& user_id : meeting_->user_ids()) all.push_back(meeting_->FindUser(user_id));
    std::stable_sort(all.begin(), all.end(),
                     [](const Variant* a, const Variant* b) { return member::CompareSortUser(*a, *b); });
    std::vector<const Variant*> visible;
    std::vector<const Variant*> hidden;
    for (const Variant* record : all) (Visible(*record) ? visible : hidden).push_back(record);

    const std::vector<const Variant*> actual_visible = RecordsOf(manager_->visible_list()->GetSortedUserList());
    const std::vector<const Variant*> actual_hidden = RecordsOf(manager_->GetNeedHideUserList());
    std::vector<const Variant*> published = actual_visible;
    published.insert(published.end(), actual_hidden.begin(), actual_hidden.end());
    std::vector<const Variant*> raw_visible = actual_visible;
    const Variant* self = meeting_->FindUser(MeetingFixture::kSelfUserId);
    if (raw_visible.empty()) raw_visible.push_back(self);
    if (published.empty()) published.push_back(self);

    const char* failed = nullptr;
    if (manager_->current_hide_switch() != HideSwitch()) failed = "hide switch";
    else if (!SameOrder(actual_visible, visible)) failed = "visible list";
    else if (!SameOrder(actual_hidden, hidden)) failed = "invisible list";
    else if (RecordsOf(manager_->GetUserList()) != published) failed = "published user list";
    else if (RecordsOf(manager_->GetRawVisibleUserList()) != raw_visible) failed = "published visible list";
    else if (manager_->IsAddSelfWhenVisibleListEmpty() != actual_visible.empty()) failed = "self added flag";
    if (!failed) return true;
    ADD_FAILURE() << "seed " << seed_ << " step " << step << " (" << what << "): " << failed
                  << "\n  hide switch " << manager_->current_hide_switch() << ", expected " << HideSwitch()
                  << "\n  visible   " << Describe(actual_visible) << "\n  expected  " << Describe(visible)
                  << "\n  invisible " << Describe(actual_hidden) << "\n  expected  " << Describe(hidden);
    return false;
  }

  uint32_t seed_;
  std::mt19937 rng_;
  bool bursts_;
  std::unique_ptr<MeetingFixture> meeting_;
  hostkit::ScriptedModel* hide_ = nullptr;
  std::unique_ptr<hostkit::SortedUserListManager> manager_;
  int next_id_ = 0;
  bool hide_no_video_ = false;
  bool hide_self_ = false;
  bool audio_only_ = false;
  bool custom_layout_ = false;
};

TEST(UserListRandomized, MatchesAFullSortAfterEveryEvent) {
  for (uint32_t seed : {1u, 2u, 3u, 5u, 8u, 13u, 21u, 34u}) {
    RandomMeeting meeting(seed);
    for (int step = 0; step < 500; ++step) {
      if (!meeting.Step(step)) break;
    }
  }
  hostkit::Reset();
}

TEST(UserListRandomized, MatchesAFullSortAfterALargeFirstLoadAndBurstsOfJoins) {
  for (uint32_t seed : {1u, 7u}) {
    RandomMeeting meeting(seed, 2500, true);
    for (int step = 0; step < 120; ++step) {
      if (!meeting.Step(step)) break;
    }
  }
  hostkit::Reset();
}

}  // namespace
