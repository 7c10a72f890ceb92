// Member list ordering: priorities, nicknames in the interface language's collation, the fast
// sort against the plain comparison, insertion at the lower bound, and malformed index lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "framework/module/module.h"
#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "module_api/members/member_utils.h"
#include "module_api/model_ids.h"
#include "util/string/stringhelp.h"

namespace {

namespace member = velto_common::utils::member;
using hostkit::Json;
using hostkit::MeetingFixture;
using hostkit::Variant;

framework::Model* Users() { return framework::module::GetAppModuleModel(velto::model_id::kUserModel); }

Variant User(const std::string& user_id, const std::string& nickname) {
  Variant user = MeetingFixture::MakeUser(user_id, nickname);
  // Only the nickname decides among these users.
  user["audio"] = false;
  user["has_audio_in_device"] = false;
  user["has_video_in_device"] = false;
  return user;
}

Variant IndexListOf(const MeetingFixture& meeting, const std::vector<std::string>& user_ids) {
  Variant list = Variant::Array();
  for (const std::string& user_id : user_ids) list.Add(meeting.IndexOf(user_id));
  return list;
}

std::vector<std::string> UserIdsOf(const Variant& list) {
  std::vector<std::string> ids;
  for (const Variant& index : list.Elements()) {
    ids.push_back(member::GetUserInfo(Users(), index.AsInteger()).GetString("user_id"));
  }
  return ids;
}

using Ids = std::vector<std::string>;

TEST(MemberOrder, PriorityIsTheSumOfTrueRoleAndMediaKeys) {
  EXPECT_EQ(member::GetSortPriority(Json(R"({"self": true})")), 512);
  EXPECT_EQ(member::GetSortPriority(Json(R"({"host": true, "co_host": true})")), 384);
  EXPECT_EQ(member::GetSortPriority(Json(R"({"self": true, "host": true, "co_host": true, "is_raise_hand": true,
      "screen": true, "record": true, "audio": true, "video": true, "has_audio_in_device": true,
      "has_video_in_device": true})")),
            1023);
  // Only true booleans count: integers, strings and false do not.
  EXPECT_EQ(member::GetSortPriority(Json(R"({"self": 1, "host": "true", "audio": false, "video": true})")), 4);
  EXPECT_EQ(member::GetSortPriority(Variant("not a record")), 0);

  const Variant self = Json(R"({"self": true, "nickname": "Zed", "user_id": "z"})");
  const Variant hosts = Json(R"({"host": true, "co_host": true, "nickname": "Amy", "user_id": "a"})");
  EXPECT_TRUE(member::CompareSortUser(self, hosts));
  EXPECT_FALSE(member::CompareSortUser(hosts, self));
}

TEST(MemberOrder, EqualNicknamesFallBackToTheSmallerUserId) {
  const Variant a1 = Json(R"({"nickname": "Sam", "user_id": "a1"})");
  const Variant b2 = Json(R"({"nickname": "Sam", "user_id": "b2"})");
  EXPECT_TRUE(member::CompareSortUser(a1, b2));
  EXPECT_FALSE(member::CompareSortUser(b2, a1));
  EXPECT_FALSE(member::CompareSortUser(a1, a1));

  MeetingFixture meeting;
  meeting.Install();
  meeting.AddUsers({User("b2", "Sam"), User("a1", "Sam"), User("c3", "Sam")});
  Variant list = IndexListOf(meeting, {"c3", "b2", "a1"});
  member::SortUser(list);
  EXPECT_EQ(UserIdsOf(list), (Ids{"a1", "b2", "c3"}));
}

TEST(MemberOrder, ChineseNicknamesFollowPinyinUnderChineseAndCodePointsOtherwise) {
  MeetingFixture meeting;
  meeting.Install();
  meeting.AddUsers({User("zhang", "张三"), User("li", "李四"), User("a", "阿明"), User("bob", "Bob")});
  const Ids users = {"zhang", "li", "bob", "a"};

  hostkit::SetLanguage("zh-cn");
  Variant list = IndexListOf(meeting, users);
  member::SortUser(list);
  // Chinese collation puts Han first, in pinyin order (a, li, zhang), then Latin.
  EXPECT_EQ(UserIdsOf(list), (Ids{"a", "li", "zhang", "bob"}));
  EXPECT_TRUE(member::CompareSortUser(*meeting.FindUser("li"), *meeting.FindUser("zhang")));
  EXPECT_TRUE(member::CompareSortUser(*meeting.FindUser("zhang"), *meeting.FindUser("bob")));
  EXPECT_LT(util::stringhelp::CompareLocalizedString("阿明", "Bob"), 0);

  // Another language brings another collator at once: Han after Latin, in code point order.
  hostkit::SetLanguage("en-us");
  list = IndexListOf(meeting, users);
  member::SortUser(list);
  EXPECT_EQ(UserIdsOf(list), (Ids{"bob", "zhang", "li", "a"}));
  EXPECT_TRUE(member::CompareSortUser(*meeting.FindUser("zhang"), *meeting.FindUser("li")));
  EXPECT_GT(util::stringhelp::CompareLocalizedString("阿明", "Bob"), 0);
  EXPECT_EQ(util::stringhelp::CompareLocalizedString("Bob", "Bob"), 0);
}

// SortUser computes keys once per user; it must give exactly the order of CompareSortUser.
TEST(MemberOrder, FastSortAgreesWithTheComparison) {
  hostkit::SetLanguage("zh-cn");
  MeetingFixture meeting;
  meeting.Install();
  const char* const names[] = {"张伟", "王芳", "李娜", "alice", "Alice", "bob", "Émile", "张伟", "重庆", "", "李", "Li"};
  std::mt19937 rng(11);
  std::vector<Variant> users;
  for (int i = 0; i < 300; ++i) {
    Variant user = User("m-" + std::to_string(rng() % 100000), names[rng() % std::size(names)]);
    user["host"] = rng() % 17 == 0;
    user["is_raise_hand"] = rng() % 5 == 0;
    user["video"] = rng() % 3 == 0;
    users.push_back(std::move(user));
  }
  meeting.AddUsers(std::move(users));

  Variant fast = member::GetUserIndexList();
  Variant reference = fast;
  meeting.users().ClearCalls();
  member::SortUser(fast);
  EXPECT_EQ(meeting.users().CallCount(4), fast.size());  // each record fetched once
  member::SortUserIndexList(reference, member::CompareSortUser);
  EXPECT_EQ(UserIdsOf(fast), UserIdsOf(reference));
  EXPECT_EQ(UserIdsOf(fast).front(), "u-self");
}

TEST(MemberOrder, CallersComparisonSortsIndexesByTheirRecords) {
  MeetingFixture meeting;
  meeting.Install();  // u-1 Alice ... u-4 Dave
  Variant list = member::GetUserIndexList();
  member::SortUserIndexList(list, [](const Variant& a, const Variant& b) {
    return a.GetString("nickname") > b.GetString("nickname");
  });
  EXPECT_EQ(UserIdsOf(list), (Ids{"u-self", "u-4", "u-3", "u-2", "u-1"}));  // Me, Dave ... Alice
}

TEST(MemberOrder, AListNotStartingWithAnIndexStaysAsItIsAndIsReportedOnce) {
  // The report is once per process; remember whether this binary has made it already.
  static bool reported_before = false;
  MeetingFixture meeting;
  meeting.Install();
  Variant list = Json(R"(["u-2", 1, 2])");
  const Variant original = list;
  member::SortUserIndexList(list, member::CompareSortUser);
  member::SortUser(list);
  EXPECT_EQ(list, original);
  EXPECT_EQ(hostkit::CountLogs(1, "user index shoule be integer, plase check"), 2u);
  EXPECT_EQ(hostkit::CountAnalytics("e#user_list_index_invalid"), reported_before ? 0u : 1u);
  reported_before = true;

  // Empty and null lists are nothing to sort, not malformed.
  hostkit::ClearLogs();
  Variant empty = Variant::Array();
  Variant none;
  member::SortUser(empty);
  member::SortUserIndexList(none, member::CompareSortUser);
  EXPECT_EQ(hostkit::CountLogs(1, "user index shoule be integer"), 0u);
}

TEST(MemberOrder, InsertGoesBeforeTheFirstEntryNotSortingBeforeTheNewUser) {
  MeetingFixture meeting;
  meeting.Install();
  meeting.AddUsers({User("p8a", "x"), User("p8b", "y"), User("p0", "z"), User("new", "w")});
  meeting.UpdateUsers({{"p8a", Json(R"({"audio": true})")}, {"p8b", Json(R"({"audio": true})")},
                       {"new", Json(R"({"audio": true})")}});
  const auto by_priority = [](const Variant& a, const Variant& b) {
    return member::GetSortPriority(a) > member::GetSortPriority(b);
  };
  Variant list = IndexListOf(meeting, {"u-self", "p8a", "p8b", "p0"});
  EXPECT_EQ(member::InsertToUserList(list, Variant(meeting.IndexOf("new")), by_priority), 1);
  EXPECT_EQ(UserIdsOf(list), (Ids{"u-self", "new", "p8a", "p8b", "p0"}));
  EXPECT_EQ(member::IndexInUserList(list, Variant(meeting.IndexOf("p8b"))), 3);
  EXPECT_EQ(member::IndexInUserList(list, Variant(int64_t{999})), -1);

  // With the member comparison: "w" between the host and "x" among the audio users.
  list = IndexListOf(meeting, {"u-self", "p8a", "p8b", "p0"});
  EXPECT_EQ(member::InsertToUserList(list, Variant(meeting.IndexOf("new")), member::CompareSortUser), 1);

  Variant none;
  EXPECT_EQ(member::InsertToUserList(none, Variant(meeting.IndexOf("p0")), member::CompareSortUser), 0);
  EXPECT_EQ(UserIdsOf(none), (Ids{"p0"}));
}

TEST(MemberRecords, OldRecordIsTheOneBeforeTheUpdateBeingDelivered) {
  MeetingFixture meeting;
  meeting.Install();
  const int64_t index = meeting.IndexOf("u-1");
  EXPECT_TRUE(member::GetOldUserInfo(Users(), index).IsNull());  // never updated
  std::string seen_old;
  std::string seen_new;
  meeting.users().Subscribe(MeetingFixture::kUsersUpdated, 1, [&](const Variant* payload) {
    const int64_t updated = payload->At(0).AsInteger();
    seen_old = member::GetOldUserInfo(Users(), updated).GetString("nickname");
    seen_new = member::GetUserInfo(Users(), updated).GetString("nickname");
  });
  meeting.UpdateUser("u-1", Json(R"({"nickname": "Alicia"})"));
  EXPECT_EQ(seen_old, "Alice");
  EXPECT_EQ(seen_new, "Alicia");
  EXPECT_TRUE(member::GetOldUserInfo(nullptr, index).IsNull());
  meeting.users().Fail(5);
  EXPECT_TRUE(member::GetOldUserInfo(Users(), index).IsNull());
}

TEST(MemberRecords, IndexListHidesInvisibleUsersAndIsEmptyOnFailure) {
  MeetingFixture meeting;
  meeting.Install();
  meeting.UpdateUser("u-2", Json(R"({"user_invisible": 6})"));
  EXPECT_EQ(member::GetUserIndexList().size(), 5u);
  EXPECT_FALSE(meeting.users().LastArgument(2).IsMap());
  const Variant visible = member::GetUserIndexList(static_cast<veltosdk::InMeetingUserInvisible>(2));
  EXPECT_EQ(visible.size(), 4u);
  EXPECT_EQ(member::IndexInUserList(visible, Variant(meeting.IndexOf("u-2"))), -1);
  EXPECT_EQ(meeting.users().LastArgument(2).GetInteger("source_type"), 2);
  EXPECT_EQ(member::GetUserIndexList(static_cast<veltosdk::InMeetingUserInvisible>(1)).size(), 5u);

  meeting.users().Answer(2, Variant("wrong kind"));
  EXPECT_TRUE(member::GetUserIndexList().IsArray());
  EXPECT_TRUE(member::GetUserIndexList().empty());
  EXPECT_TRUE(hostkit::HasLog(1, "answer of call 2 of model 508 has no valid value"));
  meeting.users().Fail(2);
  EXPECT_TRUE(member::GetUserIndexList().empty());
  hostkit::RemoveModel(velto::model_id::kUserModel);
  EXPECT_TRUE(member::GetUserIndexList().empty());
  EXPECT_TRUE(hostkit::HasLog(1, "508"));
}

}  // namespace
