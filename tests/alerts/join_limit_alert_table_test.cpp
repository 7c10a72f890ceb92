// Every join limit alert with every button, as a table: the texts shown (hostkit markers: the
// string id and its named arguments), the buttons offered, and what the answer leads to.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "alerts/join_limit_test_support.h"

namespace {

using namespace join_limit_test;

// One row: how the alert comes up, what it shows, the button pressed and what follows.
struct AlertCase {
  std::string name;
  std::function<void(JoinLimitTest&, ShowJoinLimitAlertManager&)> trigger;
  std::string title;
  std::string content;
  std::string positive;
  std::string negative;
  bool auto_dismiss;
  int button;
  std::vector<std::string> calls;  // the delegate's, in order
  std::string analytics;           // the event reported, "" for none
  size_t joins;                    // join requests sent to the meeting model
};

void PrintTo(const AlertCase& c, std::ostream* os) { *os << c.name; }

class JoinLimitAlertTable : public JoinLimitTest, public ::testing::WithParamInterface<AlertCase> {};

TEST_P(JoinLimitAlertTable, ShowsItsTextsAndCarriesOutTheButton) {
  const AlertCase& c = GetParam();
  c.trigger(*this, *manager_);
  const hostkit::AlertRecord* alert = hostkit::LastAlert();
  ASSERT_NE(alert, nullptr);
  EXPECT_EQ(alert->state, hostkit::AlertState::kShown);
  EXPECT_EQ(alert->owner, &screen_);
  EXPECT_EQ(alert->title, c.title);
  EXPECT_EQ(alert->content, c.content);
  EXPECT_EQ(alert->positive_text, c.positive);
  EXPECT_EQ(alert->negative_text, c.negative);
  EXPECT_EQ(alert->auto_dismiss, c.auto_dismiss);
  ASSERT_TRUE(hostkit::PressAlertButton(alert->id, c.button));
  EXPECT_EQ(screen_.calls, c.calls);
  if (c.analytics.empty()) {
    EXPECT_TRUE(hostkit::AnalyticsEvents().empty());
  } else {
    ASSERT_EQ(hostkit::AnalyticsEvents().size(), 1u);
    EXPECT_EQ(hostkit::AnalyticsEvents()[0].name, c.analytics);
  }
  EXPECT_EQ(meeting_->CallCount(cmd::meeting::kJoinMeeting), c.joins);
}

void QuickRecord(JoinLimitTest&, ShowJoinLimitAlertManager& m) {
  hostkit::FindModel(model_id::kRecordModel)->Answer(cmd::record::kQuickRecordRunning, Variant(true));
  m.CheckAndJoinNewMeeting(42, "Weekly", nullptr);
}

void VoicePrint(JoinLimitTest&, ShowJoinLimitAlertManager& m) {
  hostkit::FindModel(model_id::kVoicePrintModel)->Answer(cmd::voice_print::kVoicePrintRecording, Variant(true));
  m.CheckAndJoinNewMeeting(42, "Weekly", nullptr);
}

const char kOwnerConfirm[] = "inmeeting_owner_join_new_meeting_fail_confirm";
const char kOwnerCancel[] = "inmeeting_owner_join_new_meeting_fail_cancel";
const char kMemberConfirm[] = "inmeeting_member_join_new_meeting_fail_confirm";

std::vector<AlertCase> Cases() {
  using Args = std::vector<std::pair<std::string, std::string>>;
  auto in_using = [](bool owner, uint64_t id, uint32_t limit, int code) {
    return [=](JoinLimitTest& t, ShowJoinLimitAlertManager& m) {
      EXPECT_TRUE(m.DoHandleJoinMultiMeetingRoomError(code, t.InUsing(owner, id, limit)));
    };
  };
  auto room_full = [](bool owner, int account_type) {
    return [=](JoinLimitTest& t, ShowJoinLimitAlertManager& m) {
      if (owner) t.SetSelf("app-2", "uid-2", 1);  // the joining meeting's creator
      t.SetAccountType(account_type);
      m.ShowMeetingRoomIsFullAlert();
    };
  };
  auto not_enrolled = [](bool guest) {
    return [=](JoinLimitTest& t, ShowJoinLimitAlertManager& m) {
      t.SetSelf("app-1", "uid-1", guest ? 2 : 1);
      m.ShowNotEnrolledAlert("https://meeting.velto.com/enroll?id=42", "you need to enrol");
    };
  };
  auto private_meeting = [](JoinLimitTest& t, ShowJoinLimitAlertManager& m) {
    m.ShowPrivateNoPermissionError([&t] { t.screen_.calls.push_back("closed"); });
  };
  const std::string member_limit_title = T(0x41b799fc, Args{{"member_limit", "500"}});
  return {
      {"QuickRecordStop", QuickRecord, T(0x603250b0), "", T(0xdc47e441), T(0xc4e46e2d), true, Button::kPositive, {}, "", 1},
      {"QuickRecordKeep", QuickRecord, T(0x603250b0), "", T(0xdc47e441), T(0xc4e46e2d), true, Button::kNegative, {"cancel"}, "", 0},
      {"QuickRecordClose", QuickRecord, T(0x603250b0), "", T(0xdc47e441), T(0xc4e46e2d), true, Button::kClose, {"cancel"}, "", 0},
      {"VoicePrintStop", VoicePrint, T(0x1bd019d5), "", T(0x9d414f75), T(0x3c058b95), true, Button::kPositive, {}, "", 1},
      {"VoicePrintKeep", VoicePrint, T(0x1bd019d5), "", T(0x9d414f75), T(0x3c058b95), true, Button::kNegative, {"cancel"}, "", 0},
      {"OwnerInUseDissolve", in_using(true, 88, 0, 13411), T(0x73c2189f), T(0xdbba6356), T(0xca2a0c15), T(0x833b933a),
       true, Button::kPositive, {"dissolve 88"}, kOwnerConfirm, 0},
      {"OwnerInUseCancel", in_using(true, 88, 0, 13411), T(0x73c2189f), T(0xdbba6356), T(0xca2a0c15), T(0x833b933a),
       true, Button::kNegative, {"quit"}, kOwnerCancel, 0},
      {"OwnerInUseClose", in_using(true, 88, 0, 13411), T(0x73c2189f), T(0xdbba6356), T(0xca2a0c15), T(0x833b933a),
       true, Button::kClose, {"quit"}, kOwnerCancel, 0},
      {"OwnerLimitDissolve", in_using(true, 88, 500, 13420), member_limit_title, "", T(0x41f23f10), T(0x11db0fcf), true,
       Button::kPositive, {"dissolve 88"}, kOwnerConfirm, 0},
      {"OwnerLimitCancel", in_using(true, 88, 500, 13420), member_limit_title, "", T(0x41f23f10), T(0x11db0fcf), true,
       Button::kNegative, {"quit"}, kOwnerCancel, 0},
      {"OwnerLimitNoCount", in_using(true, 88, 0, 13420), T(0x5940a9a9), "", T(0x41f23f10), T(0x11db0fcf), true,
       Button::kPositive, {"dissolve 88"}, kOwnerConfirm, 0},
      {"MemberInUse", in_using(false, 88, 0, 13411), T(0x70281472), T(0xaf7a9fe1, Args{{"nickname", "Ann"}}),
       T(0xfbb7bf59), "", true, Button::kPositive, {"quit"}, kMemberConfirm, 0},
      {"MemberInUseClosed", in_using(false, 0, 0, 13411), T(0x70281472), T(0xaf7a9fe1, Args{{"nickname", "Ann"}}),
       T(0xfbb7bf59), "", true, Button::kClose, {"quit"}, kMemberConfirm, 0},
      {"MemberLimit", in_using(false, 88, 300, 13420), "",
       T(0x1d4cf025, Args{{"nickname", "Ann"}, {"member_limit", "300"}}), T(0x35108c28), "", true, Button::kPositive,
       {"quit"}, kMemberConfirm, 0},
      {"MemberLimitNoCount", in_using(false, 88, 0, 13420), "", T(0x90e9af55, Args{{"nickname", "Ann"}}),
       T(0x35108c28), "", true, Button::kClose, {"quit"}, kMemberConfirm, 0},
      {"RoomFullMember", room_full(false, 0), T(0xcab7d32d), T(0x1315c919), T(0xfbb7bf59), "", true, Button::kPositive,
       {"quit"}, "", 0},
      {"RoomFullOwnerFree", room_full(true, 0), T(0x1c8b30f3), T(0x9206972d, Args{{"count", "300"}}), T(0xfbb7bf59), "",
       true, Button::kPositive, {"quit"}, "", 0},
      {"RoomFullOwnerEdition2", room_full(true, 2), T(0xcab7d32d), T(0x1315c919), T(0xfbb7bf59), "", true,
       Button::kClose, {"quit"}, "", 0},
      {"RoomFullOwnerEdition15", room_full(true, 15), T(0xcab7d32d), T(0x1315c919), T(0xfbb7bf59), "", true,
       Button::kPositive, {"quit"}, "", 0},
      {"RoomFullOwnerEdition18", room_full(true, 18), T(0xcab7d32d), T(0x1315c919), T(0xfbb7bf59), "", true,
       Button::kPositive, {"quit"}, "", 0},
      {"RoomFullOwnerEdition3", room_full(true, 3), T(0x1c8b30f3), T(0x9206972d, Args{{"count", "300"}}), T(0xfbb7bf59),
       "", true, Button::kPositive, {"quit"}, "", 0},
      {"NotEnrolledGuestEnrols", not_enrolled(true), T(0x24e328f9), "", T(0x6ed020a7), T(0xc7901b1a), false,
       Button::kPositive, {"enroll"}, "", 0},
      {"NotEnrolledGuestDeclines", not_enrolled(true), T(0x24e328f9), "", T(0x6ed020a7), T(0xc7901b1a), false,
       Button::kNegative, {"no enroll"}, "", 0},
      {"NotEnrolledOpensEnrolPage", not_enrolled(false), "you need to enrol", "", T(0xcf84dff4), T(0x833b933a), false,
       Button::kPositive, {"quit"}, "mainpage_null_null_inputmeetcode_webinar_null_null", 0},
      {"NotEnrolledGivesUp", not_enrolled(false), "you need to enrol", "", T(0xcf84dff4), T(0x833b933a), false,
       Button::kNegative, {"quit"}, "", 0},
      {"PrivateNoPermission", private_meeting, T(0x7807c2b9), T(0x9e2d32e8), T(0x833b933a), "", false,
       Button::kPositive, {"closed"}, "", 0},
  };
}

INSTANTIATE_TEST_SUITE_P(EveryAlertAndButton, JoinLimitAlertTable, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<AlertCase>& info) { return info.param.name; });

}  // namespace
