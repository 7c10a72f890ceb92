// Webinar detection from the meeting type flags and from the meeting model.
#include <gtest/gtest.h>

#include "hostkit/hostkit.h"
#include "module_api/members/webinar_utils.h"

namespace {

namespace webinar = velto_common::utils::webinar;
using hostkit::Json;

TEST(WebinarFlags, OnlyBitZeroMakesAWebinar) {
  EXPECT_TRUE(webinar::IsMeetingWebinar(uint64_t{1}));
  EXPECT_TRUE(webinar::IsMeetingWebinar(uint64_t{0xFFFFFFFFFFFFFFFF}));
  EXPECT_FALSE(webinar::IsMeetingWebinar(uint64_t{0}));
  EXPECT_FALSE(webinar::IsMeetingWebinar(uint64_t{0xFFFFFFFFFFFFFFFE}));

  const base::variant::Variant webinar_item = Json(R"({"meeting_type_flags": 3})");
  const base::variant::Variant meeting_item = Json(R"({"meeting_type_flags": 2})");
  const base::variant::Variant text_flags = Json(R"({"meeting_type_flags": "1"})");
  EXPECT_TRUE(webinar::IsMeetingWebinar(&webinar_item));
  EXPECT_FALSE(webinar::IsMeetingWebinar(&meeting_item));
  EXPECT_FALSE(webinar::IsMeetingWebinar(&text_flags));
  EXPECT_FALSE(webinar::IsMeetingWebinar(static_cast<const base::variant::Variant*>(nullptr)));
}

TEST(WebinarFlags, CurrentMeetingAsksCommand95) {
  EXPECT_FALSE(webinar::IsMeetingWebinar());  // no meeting model
  auto& meeting = hostkit::InstallModel(514);
  meeting.Succeed(95);
  EXPECT_TRUE(webinar::IsMeetingWebinar());
  meeting.Fail(95);
  EXPECT_FALSE(webinar::IsMeetingWebinar());
  EXPECT_EQ(meeting.CallCount(95), 2u);
}

}  // namespace
