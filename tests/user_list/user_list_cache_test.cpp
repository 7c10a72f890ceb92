// The user list cache fed with the records a meeting's members look like: stable local indexes,
// users who leave and come back, derived keys carried over by updates, stream and identity
// bindings, waiting-room nicknames, in-place edits and the screen-share entry.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "module_api/user_list/user_list_cache.h"

namespace {

using hostkit::Json;
using hostkit::MeetingFixture;
using hostkit::Variant;
using velto::Members;
using velto::UserListCache;
using Records = UserListCache::Records;

UserListCache::Record User(const std::string& user_id, const std::string& nickname) {
  return std::make_shared<Variant>(MeetingFixture::MakeUser(user_id, nickname));
}

// A record as an update brings it: the same identity with some keys changed or left out.
UserListCache::Record Update(const UserListCache::Record& from, const Variant& changes) {
  auto record = std::make_shared<Variant>(*from);
  for (size_t i = 0; i < changes.size(); ++i) record->Set(changes.KeyAt(i), changes.ValueAt(i));
  return record;
}

Variant Indexes(std::initializer_list<long long> values) {
  Variant list = Variant::Array();
  for (long long value : values) list.Add(value);
  return list;
}

Variant IndexList(const UserListCache& cache) {
  Variant list;
  cache.GetIndexList(list);
  return list;
}

TEST(UserListCache, NewUsersTakeIndexesInArrivalOrderAndDerivedKeys) {
  UserListCache cache;
  auto alice = User("u-1", "Alice");
  auto bot = User("u-2", "Helper");
  (*bot)["instance_id"] = 57;
  (*alice)["status"] = 3;
  EXPECT_EQ(cache.UserListChanged(Members::kUsersAdded, {alice, bot}), Indexes({1, 2}));
  EXPECT_EQ(alice->GetInteger("user_index"), 1);
  EXPECT_EQ(bot->GetInteger("user_index"), 2);
  EXPECT_EQ(alice->GetInt32("status", -1), 0);
  EXPECT_FALSE(alice->GetBoolean("is_bot"));
  EXPECT_TRUE(bot->GetBoolean("is_bot"));
  EXPECT_EQ(cache.GetUserIndex("u-2"), 2);
  EXPECT_EQ(&cache.GetVariant(int64_t{1}), alice.get());  // the caller's record, not a copy
  EXPECT_EQ(IndexList(cache), Indexes({1, 2}));
  EXPECT_TRUE(hostkit::HasLog(6, " bind user_id=u-2 with user_index=2"));

  // An update keeps the index and is reported in input order with the new users.
  auto carol = User("u-3", "Carol");
  EXPECT_EQ(cache.UserListChanged(Members::kUsersRefreshed, {carol, Update(alice, Json(R"({"audio": false})"))}),
            Indexes({3, 1}));
  EXPECT_EQ(cache.GetUserIndex("nobody"), -1);
  EXPECT_TRUE(cache.GetVariant(int64_t{99}).IsNull());
}

TEST(UserListCache, EventsOtherThanUserChangesGiveNullAndChangeNothing) {
  UserListCache cache;
  cache.UserListChanged(Members::kUsersAdded, {User("u-1", "Alice")});
  EXPECT_TRUE(cache.UserListChanged(static_cast<Members::MembersEvent>(4), {User("u-2", "Bob")}).IsNull());
  EXPECT_TRUE(cache.UserListChanged(Members::kWaitingUsersAdded, {User("u-2", "Bob")}).IsNull());
  EXPECT_EQ(cache.GetUserIndex("u-2"), -1);
  // The counter was not touched either.
  EXPECT_EQ(cache.UserListChanged(Members::kUsersAdded, {User("u-2", "Bob")}), Indexes({2}));
}

TEST(UserListCache, LeavingUserStaysResolvableAndComesBackWithANewIndex) {
  UserListCache cache;
  auto alice = User("u-1", "Alice");
  auto bob = User("u-2", "Bob");
  cache.UserListChanged(Members::kUsersAdded, {alice, bob});
  EXPECT_EQ(cache.UserListChanged(Members::kUsersRemoved, {alice, User("u-77", "Stranger")}), Indexes({1}));
  EXPECT_TRUE(cache.IsUserRemoved("u-1"));
  EXPECT_TRUE(cache.IsUserRemoved(int64_t{1}));
  EXPECT_FALSE(cache.IsUserRemoved("u-2"));
  EXPECT_EQ(cache.GetUserIndex("u-1"), 1);
  EXPECT_EQ(&cache.GetVariant("u-1"), alice.get());  // the record of the last removal
  EXPECT_EQ(IndexList(cache), Indexes({2}));

  auto back = User("u-1", "Alice");
  EXPECT_EQ(cache.UserListChanged(Members::kUsersAdded, {back}), Indexes({3}));
  EXPECT_EQ(cache.GetUserIndex("u-1"), 3);
  EXPECT_FALSE(cache.IsUserRemoved("u-1"));
  EXPECT_EQ(&cache.GetVariant("u-1"), back.get());
  EXPECT_EQ(IndexList(cache), Indexes({2, 3}));

  // The next removal call forgets the records of the previous one, not the bindings.
  cache.UserListChanged(Members::kUsersRemoved, {bob});
  EXPECT_TRUE(cache.GetVariant(int64_t{1}).IsNull());
  EXPECT_EQ(cache.GetUserIndex("u-2"), 2);
  EXPECT_EQ(&cache.GetVariant(int64_t{2}), bob.get());
  EXPECT_TRUE(IndexList(cache) == Indexes({3}));
}

TEST(UserListCache, OldRecordDescribesOnlyTheLastUpdateCall) {
  UserListCache cache;
  auto alice = User("u-1", "Alice");
  auto bob = User("u-2", "Bob");
  cache.UserListChanged(Members::kUsersAdded, {alice, bob});
  EXPECT_TRUE(cache.GetOldVariant(1).IsNull());
  auto alice2 = Update(alice, Json(R"({"video": true})"));
  cache.UserListChanged(Members::kUsersUpdated, {alice2});
  EXPECT_EQ(&cache.GetOldVariant(1), alice.get());
  EXPECT_EQ(&cache.GetVariant(int64_t{1}), alice2.get());
  cache.UserListChanged(Members::kUsersUpdated, {Update(bob, Json(R"({"video": true})"))});
  EXPECT_TRUE(cache.GetOldVariant(1).IsNull());
  EXPECT_EQ(&cache.GetOldVariant(2), bob.get());
  cache.UserListChanged(Members::kUsersRemoved, {alice2});
  EXPECT_TRUE(cache.GetOldVariant(2).IsNull());
}

TEST(UserListCache, UpdateWithoutDerivedKeysKeepsThePreviousValues) {
  UserListCache cache;
  auto alice = User("u-1", "Alice");
  (*alice)["is_pin"] = true;
  (*alice)["pin_index"] = 2;
  (*alice)["show_org_info"] = true;
  (*alice)["org_info_txt"] = "R&D";
  (*alice)["company_name"] = "Velto";
  (*alice)["corp_certify_status"] = 1;
  cache.UserListChanged(Members::kUsersAdded, {alice});

  auto bare = User("u-1", "Alice");
  cache.UserListChanged(Members::kUsersUpdated, {bare});
  EXPECT_TRUE(bare->GetBoolean("is_pin"));
  EXPECT_EQ(bare->GetInteger("pin_index"), 2);
  EXPECT_TRUE(bare->GetBoolean("show_org_info"));
  EXPECT_EQ(bare->GetString("org_info_txt"), "R&D");
  EXPECT_EQ(bare->GetString("company_name"), "Velto");
  EXPECT_EQ(bare->GetInt32("corp_certify_status"), 1);
  EXPECT_FALSE(bare->Has("has_department"));  // nothing to carry over
  EXPECT_FALSE(bare->Has("is_visitor"));
  EXPECT_EQ(hostkit::CountLogs(6, "PinUser, new update has no pin info"), 2u);

  // Present keys win over the old values.
  auto unpinned = User("u-1", "Alice");
  (*unpinned)["is_pin"] = false;
  cache.UserListChanged(Members::kUsersUpdated, {unpinned});
  EXPECT_FALSE(unpinned->GetBoolean("is_pin"));
  EXPECT_EQ(unpinned->GetInteger("pin_index"), 2);
}

TEST(UserListCache, NicknamePinyinIsKeptComputedOrRecomputed) {
  UserListCache cache;
  auto zhang = User("u-1", "张三");
  auto latin = User("u-2", "Li Lei");
  auto given = User("u-3", "王五");
  (*given)["nickname_pinyin"] = "custom";
  cache.UserListChanged(Members::kUsersAdded, {zhang, latin, given});
  EXPECT_EQ(zhang->GetString("nickname_pinyin"), "zhangsan");
  EXPECT_EQ(latin->GetString("nickname_pinyin"), "li lei");
  EXPECT_EQ(given->GetString("nickname_pinyin"), "custom");

  // Same nickname: the old value, even one the converter would not give.
  auto same = User("u-3", "王五");
  cache.UserListChanged(Members::kUsersUpdated, {same});
  EXPECT_EQ(same->GetString("nickname_pinyin"), "custom");
  // A new nickname: converted again.
  auto renamed = User("u-3", "Wang Wu");
  cache.UserListChanged(Members::kUsersUpdated, {renamed});
  EXPECT_EQ(renamed->GetString("nickname_pinyin"), "wang wu");
  // Brought along by the update: left alone.
  auto brought = User("u-3", "Other");
  (*brought)["nickname_pinyin"] = "brought";
  cache.UserListChanged(Members::kUsersUpdated, {brought});
  EXPECT_EQ(brought->GetString("nickname_pinyin"), "brought");
}

TEST(UserListCache, StreamBindingFollowsTheUsersStream) {
  UserListCache cache;
  auto alice = User("u-1", "Alice");
  (*alice)["stream"] = "s-1";
  auto bob = User("u-2", "Bob");
  cache.UserListChanged(Members::kUsersAdded, {alice, bob});
  EXPECT_EQ(cache.GetUserIndexByStreamId("s-1"), 1);
  EXPECT_EQ(&cache.GetVariantByStreamId("s-1"), alice.get());
  EXPECT_EQ(cache.GetUserIndexByStreamId(""), -1);  // bob has none

  auto moved = Update(alice, Json(R"({"stream": "s-2"})"));
  cache.UserListChanged(Members::kUsersUpdated, {moved});
  EXPECT_EQ(cache.GetUserIndexByStreamId("s-1"), -1);
  EXPECT_TRUE(cache.GetVariantByStreamId("s-1").IsNull());
  EXPECT_EQ(&cache.GetVariantByStreamId("s-2"), moved.get());

  cache.UserListChanged(Members::kUsersRemoved, {moved});
  EXPECT_EQ(cache.GetUserIndexByStreamId("s-2"), -1);
  EXPECT_TRUE(cache.GetVariantByStreamId("s-2").IsNull());
  EXPECT_FALSE(hostkit::HasLog(1, "user_index_var_map_"));
}

TEST(UserListCache, NicknamesByAppIdentityFromMeetingThenWaitingRoom) {
  UserListCache cache;
  auto alice = User("u-1", "Alice");  // app id "1400000001", app uid "uid-u-1"
  cache.UserListChanged(Members::kUsersAdded, {alice});
  EXPECT_EQ(cache.GetNicknameByAppIdAndAppUid("1400000001", "uid-u-1"), "Alice");
  EXPECT_EQ(cache.GetNicknameByAppIdAndAppUid("", "uid-u-1"), "");

  Variant waiting = Json(R"json([{"app_id": "1400000001", "app_uid": "uid-u-1", "nickname": "Alice (waiting)"},
                             {"app_id": "1400000001", "app_uid": "uid-w", "nickname": "Walt"},
                             {"app_id": "", "app_uid": "uid-x", "nickname": "No app"}])json");
  cache.WaitingUserListChanged(Members::kWaitingUsersAdded, &waiting);
  cache.WaitingUserListChanged(Members::kWaitingUsersAdded, nullptr);
  EXPECT_EQ(cache.GetNicknameByAppIdAndAppUid("1400000001", "uid-u-1"), "Alice");  // the meeting first
  EXPECT_EQ(cache.GetNicknameByAppIdAndAppUid("1400000001", "uid-w"), "Walt");
  EXPECT_EQ(cache.GetNicknameByAppIdAndAppUid("", "uid-x"), "");

  // Leaving the meeting uncovers the waiting-room name.
  cache.UserListChanged(Members::kUsersRemoved, {alice});
  EXPECT_EQ(cache.GetNicknameByAppIdAndAppUid("1400000001", "uid-u-1"), "Alice (waiting)");

  Variant renamed = Json(R"([{"app_id": "1400000001", "app_uid": "uid-w", "nickname": "Walter"}])");
  cache.WaitingUserListChanged(Members::kWaitingUsersUpdated, &renamed);
  EXPECT_EQ(cache.GetNicknameByAppIdAndAppUid("1400000001", "uid-w"), "Walter");
  cache.WaitingUserListChanged(Members::kUsersRemoved, &renamed);  // not a waiting-room event
  EXPECT_EQ(cache.GetNicknameByAppIdAndAppUid("1400000001", "uid-w"), "Walter");
  cache.WaitingUserListChanged(Members::kWaitingUsersRemoved, &renamed);
  EXPECT_EQ(cache.GetNicknameByAppIdAndAppUid("1400000001", "uid-w"), "");
}

TEST(UserListCache, InPlaceEditsReachPresentAndJustRemovedUsers) {
  UserListCache cache;
  auto alice = User("u-1", "Alice");
  (*alice)["stream_id"] = "video-u-1";
  (*alice)["show_org_info"] = true;
  auto bob = User("u-2", "Bob");
  cache.UserListChanged(Members::kUsersAdded, {alice, bob});

  cache.UpdateStreamActiveInfo("u-1", "video-u-1", true);
  cache.UpdateStreamActiveInfo("u-1", "screen-u-1", true);
  EXPECT_TRUE(alice->GetBoolean("is_video_active"));
  EXPECT_TRUE(alice->GetBoolean("is_screen_active"));

  cache.UpdateLockUserViewActiveInfo("u-1", "u-2", true);
  EXPECT_TRUE(alice->Has("is_lock_user_view_active"));
  EXPECT_FALSE(alice->GetBoolean("is_lock_user_view_active", true));
  EXPECT_TRUE(bob->GetBoolean("is_lock_user_view_active"));

  EXPECT_TRUE(cache.IsHasOrgInfo("u-1"));
  cache.RemoveOrgInfo("u-1");
  EXPECT_FALSE(cache.IsHasOrgInfo("u-1"));

  cache.UserListChanged(Members::kUsersRemoved, {bob});
  cache.UpdateLeftReason("u-2", 4);
  EXPECT_EQ(bob->GetInt32("left_reason"), 4);

  // Unknown users: nothing to edit, nothing breaks.
  cache.UpdateLeftReason("nobody", 1);
  cache.UpdateLockUserViewActiveInfo("nobody", "nobody-else", true);
  cache.RemoveOrgInfo("nobody");
  EXPECT_FALSE(cache.IsHasOrgInfo("nobody"));
}

TEST(UserListCache, ScreenEntryLivesAtItsOwnIndexUntilTheOwnerLeaves) {
  UserListCache cache;
  auto alice = User("u-1", "Alice");
  auto bob = User("u-2", "Bob");
  cache.UserListChanged(Members::kUsersAdded, {alice, bob});
  EXPECT_EQ(cache.GetScreenIndex(), -1);

  Variant sharing = *alice;
  sharing["screen"] = true;
  sharing["screen_stream"] = Json(R"({"stream_id": "screen-u-1", "stream_active": true})");
  cache.AddUserMediaInfo(1, sharing);
  const int64_t screen = cache.GetScreenIndex();
  EXPECT_EQ(screen, 3);
  EXPECT_EQ(cache.GetUserIndexByStreamId("screen-u-1"), screen);
  const Variant& entry = cache.GetVariantByStreamId("screen-u-1");
  EXPECT_EQ(entry.GetString("stream_id"), "screen-u-1");
  EXPECT_TRUE(entry.GetBoolean("is_screen_active"));
  EXPECT_EQ(entry.GetInteger("level"), 2);
  EXPECT_TRUE(entry.GetBoolean("video"));
  EXPECT_EQ(IndexList(cache), Indexes({1, 2}));  // not a member

  // Another presenter replaces the entry at the same index.
  Variant bob_sharing = *bob;
  bob_sharing["screen"] = true;
  bob_sharing["screen_stream"] = Json(R"({"stream_id": "screen-u-2", "stream_active": false})");
  cache.AddUserMediaInfo(2, bob_sharing);
  EXPECT_EQ(cache.GetScreenIndex(), screen);
  EXPECT_EQ(cache.GetUserIndexByStreamId("screen-u-1"), -1);
  EXPECT_FALSE(cache.GetVariantByStreamId("screen-u-2").GetBoolean("is_screen_active", true));

  // The owner leaving takes the entry along.
  cache.UserListChanged(Members::kUsersRemoved, {bob});
  EXPECT_EQ(cache.GetScreenIndex(), -1);
  EXPECT_EQ(cache.GetUserIndexByStreamId("screen-u-2"), -1);
  // Users keep taking fresh indexes after it.
  EXPECT_EQ(cache.UserListChanged(Members::kUsersAdded, {User("u-3", "Carol")}), Indexes({4}));
}

TEST(UserListCache, CopiesAndMovesCarryEveryTable) {
  UserListCache cache;
  auto alice = User("u-1", "Alice");
  (*alice)["stream"] = "s-1";
  cache.UserListChanged(Members::kUsersAdded, {alice, User("u-2", "Bob")});
  cache.UserListChanged(Members::kUsersRemoved, {User("u-2", "Bob")});

  UserListCache copy(cache);
  EXPECT_EQ(copy.GetUserIndexByStreamId("s-1"), 1);
  EXPECT_EQ(copy.GetUserIndex("u-2"), 2);
  EXPECT_EQ(IndexList(copy), Indexes({1}));
  // The two go on independently from the same counter value.
  EXPECT_EQ(copy.UserListChanged(Members::kUsersAdded, {User("u-3", "Carol")}), Indexes({3}));
  EXPECT_EQ(cache.GetUserIndex("u-3"), -1);
  EXPECT_EQ(cache.UserListChanged(Members::kUsersAdded, {User("u-4", "Dan")}), Indexes({3}));

  UserListCache moved(std::move(copy));
  EXPECT_EQ(moved.GetUserIndex("u-3"), 3);
  EXPECT_EQ(moved.GetNicknameByAppIdAndAppUid("1400000001", "uid-u-1"), "Alice");
  UserListCache assigned;
  assigned = moved;
  EXPECT_EQ(IndexList(assigned), Indexes({1, 3}));
}

TEST(UserListCache, RecordsFromTheMeetingModel) {
  MeetingFixture meeting;
  meeting.Install();
  UserListCache cache;
  Records records;
  for (const std::string& user_id : meeting.user_ids()) {
    records.push_back(std::make_shared<Variant>(*meeting.FindUser(user_id)));
  }
  EXPECT_EQ(cache.UserListChanged(Members::kUsersAdded, records), Indexes({1, 2, 3, 4, 5}));
  // The model's own index does not leak into the cache's.
  EXPECT_EQ(cache.GetVariant("u-self").GetInteger("user_index"), 1);
  EXPECT_EQ(cache.GetNicknameByAppIdAndAppUid("1400000001", "uid-u-2"), meeting.FindUser("u-2")->GetString("nickname"));
}

// The four keys the cache writes into every record are written in the same order, so records
// that arrive alike keep one key table between them instead of a table each.
TEST(UserListCache, AnnotatedRecordsShareOneKeyTablePerKeySequence) {
  Records users;
  for (int i = 0; i < 1000; ++i) users.push_back(User("u-" + std::to_string(i), i % 3 ? "Alice" : "张伟"));
  Records bots;
  for (int i = 0; i < 10; ++i) {
    bots.push_back(User("bot-" + std::to_string(i), "Helper"));
    (*bots.back())["robot_user_type"] = 2;
    (*bots.back())["left_reason"] = 0;  // one more key, before the cache's own
  }
  UserListCache cache;
  cache.UserListChanged(Members::kUsersAdded, users);
  cache.UserListChanged(Members::kUsersAdded, bots);
  for (const auto& user : users) {
    ASSERT_TRUE(user->SharesKeysWith(*users[0])) << user->GetString("user_id");
    ASSERT_FALSE(user->SharesKeysWith(*bots[0]));
  }
  for (const auto& bot : bots) ASSERT_TRUE(bot->SharesKeysWith(*bots[0]));
  EXPECT_EQ(users[4]->GetString("nickname_pinyin"), "alice");
  EXPECT_EQ(users[3]->GetString("nickname_pinyin"), "zhangwei");
  EXPECT_EQ(users[999]->GetInteger("user_index"), 1000);
  EXPECT_EQ(bots[9]->GetInteger("user_index"), 1010);
  // An update brings a fresh record of the user; annotated the same way, it shares again.
  auto again = User("u-5", "Alice");
  (*again)["audio"] = false;
  cache.UserListChanged(Members::kUsersUpdated, {again});
  EXPECT_TRUE(again->SharesKeysWith(*users[0]));
  EXPECT_EQ(again->GetInteger("user_index"), 6);
}

}  // namespace
