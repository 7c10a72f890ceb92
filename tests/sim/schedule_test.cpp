// The generated meeting's schedule keeps to what could happen in a real meeting, whatever its
// size: nobody acts before joining or after leaving, the waiting room comes before admission,
// a hand goes down after it went up, and screen shares do not overlap.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "meeting/schedule.h"

namespace {

using sim::meeting::Event;
using sim::meeting::Plan;

void ExpectBelievable(const Plan& plan) {
  const sim::meeting::Schedule schedule = sim::meeting::Generate(plan);
  std::map<std::string, const sim::meeting::Person*> people;
  for (const auto& person : schedule.people()) {
    EXPECT_TRUE(people.emplace(person.user_id, &person).second) << "two people are " << person.user_id;
    if (person.leave_ms >= 0) {
      EXPECT_LT(person.join_ms, person.leave_ms) << person.user_id;
    }
    if (person.wait_ms >= 0) {
      EXPECT_LT(person.wait_ms, person.join_ms) << person.user_id;
    }
  }
  ASSERT_EQ(people.size(), plan.users);

  std::map<std::string, bool> in_meeting;
  std::map<std::string, bool> waiting;
  std::map<std::string, bool> hand_up;
  std::string sharing;
  int64_t last = 0;
  for (const Event& event : schedule.Sorted()) {
    ASSERT_GE(event.at_ms, last);
    ASSERT_LE(event.at_ms, plan.end_ms());
    last = event.at_ms;
    const std::string user = event.args.GetString("user_id");
    if (event.kind == "join") {
      for (const auto& joining : event.args.Get("users").Elements()) {
        EXPECT_FALSE(in_meeting[joining.GetString("user_id")]);
        in_meeting[joining.GetString("user_id")] = true;
      }
    } else if (event.kind == "wait") {
      EXPECT_FALSE(in_meeting[user]);
      waiting[user] = true;
    } else if (event.kind == "admit") {
      EXPECT_TRUE(waiting[user]) << user << " admitted without waiting";
      waiting[user] = false;
      in_meeting[user] = true;
    } else if (event.kind == "leave") {
      EXPECT_TRUE(in_meeting[user]) << user << " leaves without being in the meeting";
      in_meeting[user] = false;
    } else if (event.kind == "hand up") {
      EXPECT_TRUE(in_meeting[user]);
      EXPECT_FALSE(hand_up[user]) << user << " raises a raised hand";
      hand_up[user] = true;
    } else if (event.kind == "hand down") {
      EXPECT_TRUE(in_meeting[user]);
      EXPECT_TRUE(hand_up[user]) << user << " lowers a hand that is not up";
      hand_up[user] = false;
    } else if (event.kind == "share start") {
      EXPECT_TRUE(in_meeting[user]);
      EXPECT_EQ(sharing, "") << "two shares at once";
      sharing = user;
    } else if (event.kind == "share stop") {
      EXPECT_EQ(sharing, user);
      sharing.clear();
    } else if (!user.empty()) {
      EXPECT_TRUE(in_meeting[user]) << event.kind << " by " << user << " at " << event.at_ms << " ms";
    }
  }
}

// The time limit comes before its warning, the warning's banner is shown and gone before the
// countdown, and the time card is pressed while the countdown runs, moving the limit past the
// meeting's end. Each join-limit dialog is answered before the next link is followed, with a
// button its dialog has.
void ExpectLimitsInOrder(const Plan& plan) {
  const sim::meeting::Schedule schedule = sim::meeting::Generate(plan);
  std::vector<std::string> time_kinds;
  int64_t limit_end = -1;
  int64_t countdown_at = -1;
  std::string open_dialog;
  for (const Event& event : schedule.Sorted()) {
    if (event.kind == "time limit") {
      limit_end = event.at_ms + event.args.GetInteger("duration_s") * 1000;
    } else if (event.kind == "countdown") {
      countdown_at = event.at_ms;
    } else if (event.kind == "time card") {
      EXPECT_GT(event.at_ms, countdown_at);
      EXPECT_LT(event.at_ms, limit_end) << "the card is pressed after the limit ended";
      EXPECT_GT(limit_end + event.args.GetInteger("extension_s") * 1000, plan.end_ms());
    } else if (event.kind == "time alarm" || event.kind == "alarm animation end") {
      EXPECT_LT(event.at_ms, limit_end);
    } else if (event.kind == "join refused") {
      EXPECT_EQ(open_dialog, "") << "a link followed while a dialog is open, at " << event.at_ms;
      open_dialog = event.args.GetString("limit");
      continue;
    } else if (event.kind == "join alert answered") {
      EXPECT_EQ(event.args.GetString("limit"), open_dialog) << "at " << event.at_ms;
      const std::string button = event.args.GetString("button");
      const bool two_buttons = open_dialog == "room in use" || open_dialog == "not enrolled";
      EXPECT_TRUE(button == "positive" || button == "close" || (two_buttons && button == "negative"))
          << button << " on " << open_dialog;
      open_dialog.clear();
      continue;
    } else if (event.kind != "time label") {
      continue;
    }
    time_kinds.push_back(event.kind);
  }
  EXPECT_EQ(open_dialog, "") << "the last dialog is never answered";
  EXPECT_EQ(time_kinds, (std::vector<std::string>{"time label", "time limit", "time label", "time alarm",
                                                  "alarm animation end", "alarm animation end", "countdown",
                                                  "time card", "time label"}));
  EXPECT_GT(schedule.Count("join refused"), 0u);
}

TEST(SimSchedule, TheBuiltInMeetingIsBelievable) {
  ExpectBelievable(Plan{});
  ExpectLimitsInOrder(Plan{});
}

TEST(SimSchedule, SmallShortAndLargeMeetingsAreBelievable) {
  for (const auto& [users, minutes] : {std::pair<size_t, int64_t>{1, 1}, {5, 3}, {40, 200}, {3000, 15}}) {
    Plan plan;
    plan.users = users;
    plan.minutes = minutes;
    plan.seed = 99;
    SCOPED_TRACE(std::to_string(users) + " users, " + std::to_string(minutes) + " minutes");
    ExpectBelievable(plan);
    ExpectLimitsInOrder(plan);
  }
}

// A feature added later must not reshuffle the others: each planner draws from its own stream.
TEST(SimSchedule, APlannerAddedLaterLeavesTheOthersEventsAlone) {
  // Registration is for good in this process: the schedule without it is taken once, before.
  static const std::vector<Event> before = [] {
    auto events = sim::meeting::Generate(Plan{}).Sorted();
    sim::meeting::RegisterPlanner(950, "test-feature", [](sim::meeting::Schedule& s, sim::meeting::Random& r) {
      for (int i = 0; i < 50; ++i) s.Add(r.Between(0, s.plan().end_ms()), "test tick");
    });
    sim::meeting::RegisterEventKind("test tick", "test", [](const Event&, sim::meeting::World&) {});
    return events;
  }();
  const auto after = sim::meeting::Generate(Plan{}).Sorted();
  std::vector<Event> others;
  for (const Event& event : after) {
    if (event.kind != "test tick") others.push_back(event);
  }
  ASSERT_EQ(after.size(), before.size() + 50);
  ASSERT_EQ(others.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(others[i].at_ms, before[i].at_ms);
    EXPECT_EQ(others[i].kind, before[i].kind);
  }
}

}  // namespace
