// The camera badge against a scripted meeting. velto::hostkit_main resets the host around every
// test, so each one starts with no models, the clock at 0 and no log records.
#include "camera_badge.h"

#include <gtest/gtest.h>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"

namespace {

using camera_badge::CameraBadge;
using hostkit::Json;

// The meeting goes in first: the shared user provider subscribes to the user model it finds
// when it is made, which is when the first badge is.
class CameraBadgeTest : public testing::Test {
 protected:
  void SetUp() override { meeting_.Install(); }
  void CameraOn(const char* user_id, bool on) {
    meeting_.UpdateUser(user_id, Json(on ? R"({"video": true})" : R"({"video": false})"));
  }

  hostkit::MeetingFixture meeting_;  // "u-self" and "u-1" ... "u-4", cameras off
};

TEST_F(CameraBadgeTest, CountsTheCamerasThatAreOn) {
  CameraBadge badge;
  badge.Start();
  EXPECT_EQ(badge.Text(), "");

  CameraOn("u-1", true);
  CameraOn("u-3", true);
  EXPECT_EQ(badge.Text(), "2");

  CameraOn("u-1", false);
  EXPECT_EQ(badge.Text(), "1");
  meeting_.RemoveUser("u-3");  // leaving takes the camera along
  EXPECT_EQ(badge.Text(), "");
  badge.Stop();
}

TEST_F(CameraBadgeTest, CamerasOnBeforeTheStartAreCounted) {
  CameraOn("u-2", true);
  CameraBadge badge;
  badge.Start();
  EXPECT_EQ(badge.Text(), "1");
  badge.Stop();
}

TEST_F(CameraBadgeTest, ShowsNothingOutsideAMeeting) {
  CameraOn("u-1", true);
  CameraBadge badge;
  badge.Start();
  meeting_.LeaveMeeting();
  EXPECT_EQ(badge.Text(), "");
  meeting_.JoinMeeting();
  EXPECT_EQ(badge.Text(), "1");
  badge.Stop();
}

TEST_F(CameraBadgeTest, DismissHidesTheBadgeForAMinute) {
  CameraOn("u-1", true);
  CameraBadge badge;
  badge.Start();
  badge.Dismiss();
  EXPECT_EQ(badge.Text(), "");
  hostkit::AdvanceClock(CameraBadge::kSnoozeMs - 1);
  EXPECT_EQ(badge.Text(), "");
  hostkit::AdvanceClock(1);
  EXPECT_EQ(badge.Text(), "1");
  badge.Stop();
}

TEST_F(CameraBadgeTest, DismissingAgainStartsTheMinuteOver) {
  CameraOn("u-1", true);
  CameraBadge badge;
  badge.Start();
  badge.Dismiss();
  hostkit::AdvanceClock(40'000);
  badge.Dismiss();
  hostkit::AdvanceClock(40'000);  // the first minute is over, the second is not
  EXPECT_EQ(badge.Text(), "");
  hostkit::AdvanceClock(20'000);
  EXPECT_EQ(badge.Text(), "1");
  badge.Stop();
}

// Without the host's models every question fails softly: an empty badge and a level-1 record.
TEST(CameraBadgeWithoutAMeeting, StaysEmptyAndTheFailureIsLogged) {
  CameraBadge badge;
  badge.Start();
  EXPECT_EQ(badge.Text(), "");
  EXPECT_TRUE(hostkit::HasLog(1, "514"));  // the meeting model
  badge.Stop();
}

}  // namespace
