// Deterministic meeting members for the member-list benchmarks: user-model records as
// hostkit::MeetingFixture::MakeUser shapes them, with a given share of Chinese nicknames and a
// spread of roles, media states, raised hands and join times.
//
//   std::vector<Variant> users = bench::MakeMeetingUsers(10000, 0.25);   // a quarter Chinese
//   hostkit::MeetingFixture meeting(...);  meeting.Install();  meeting.AddUsers(users);
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "hostkit/meeting_fixture.h"
#include "user_records.h"

namespace bench {

// The records' generator, shared so that both families of benchmarks draw the same way.
using MemberRng = internal::Lcg;

// A nickname: two or three Han characters from common surnames and given names, or a Latin name
// with a number, so that equal-priority users still need the collation to order them.
inline std::string MakeNickname(MemberRng& rng, bool chinese) {
  static const char* const kSurnames[] = {"张", "王", "李", "赵", "刘", "陈", "杨", "黄", "周", "吴",
                                          "徐", "孙", "马", "朱", "胡", "郭", "何", "高", "林", "罗"};
  static const char* const kGiven[] = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋",
                                       "勇", "艳", "杰", "娟", "涛", "明", "超", "秀", "霞", "平"};
  static const char* const kLatin[] = {"Alice", "bob", "Carol", "dave", "Erin", "frank", "Grace", "heidi",
                                       "Ivan", "judy", "Mallory", "niaj", "Olivia", "peggy", "Rupert", "sybil"};
  if (chinese) {
    std::string name = kSurnames[rng.Below(20)];
    name += kGiven[rng.Below(20)];
    if (rng.Below(2)) name += kGiven[rng.Below(20)];
    return name;
  }
  return std::string(kLatin[rng.Below(16)]) + " " + std::to_string(rng.Below(1000));
}

// `count` remote users "m-0" ... with about `chinese_share` Chinese nicknames. A few hosts and
// co-hosts, a third with video, a tenth with raised hands, join times spread over an hour.
inline std::vector<base::variant::Variant> MakeMeetingUsers(size_t count, double chinese_share, uint64_t seed = 7) {
  MemberRng rng(seed);
  std::vector<base::variant::Variant> users;
  users.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const std::string id = "m-" + std::to_string(i);
    base::variant::Variant user =
        hostkit::MeetingFixture::MakeUser(id, MakeNickname(rng, rng.Chance(chinese_share)));
    const uint32_t role = rng.Below(1000);
    user["host"] = role == 0;
    user["co_host"] = role > 0 && role < 5;
    const bool video = rng.Below(3) == 0;
    user["video"] = video;
    user["video_on"] = video;
    user["audio"] = rng.Below(4) != 0;
    const bool hand = rng.Below(10) == 0;
    user["is_raise_hand"] = hand;
    user["raise_hand_timestamp"] = hand ? static_cast<uint64_t>(1700000000000ull + rng.Below(3600000)) : 0ull;
    user["join_time"] = static_cast<uint64_t>(1700000000ull + rng.Below(3600));
    users.push_back(std::move(user));
  }
  return users;
}

}  // namespace bench
