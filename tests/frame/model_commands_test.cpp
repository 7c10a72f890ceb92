// The published command and event numbers are the ones the library sends and listens to: a model
// scripted through module_api/model_commands.h alone answers the library's questions and its
// events reach the library's listeners.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostkit/hostkit.h"
#include "module_api/in_meeting/in_meeting_utils.h"
#include "module_api/members/user_provider.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace {

namespace command = velto::model_command;
namespace event = velto::model_event;
namespace model_id = velto::model_id;
using hostkit::Json;
using hostkit::Variant;
using velto_common::utils::UserProvider;

TEST(PublishedModelNumbers, MeetingTypeIsReadFromTheMeetingInfoCommand) {
  auto& meeting = hostkit::InstallModel(model_id::kMeetingModel);
  meeting.Answer(command::meeting::kMeetingInfo, Json(R"({"meeting_item": {"meeting_type": 4}})"));

  EXPECT_EQ(velto_common::utils::inmeeting::GetCurrentMeetingType(), 4);
  // Asked once, on the published number and nothing else.
  EXPECT_EQ(meeting.CallCount(command::meeting::kMeetingInfo), 1u);
  EXPECT_EQ(meeting.CallCount(), 1u);
}

class Heard : public UserProvider::UserEventListener {
 public:
  void OnUserEvent(const UserProvider::UserEvent& user_event) override {
    for (const Variant* user : user_event.users) {
      heard.push_back(std::to_string(user_event.type) + ":" + (user ? user->GetString("user_id") : "?"));
    }
  }
  std::vector<std::string> heard;
};

TEST(PublishedModelNumbers, UserAddEventAndRecordLookupReachTheUserProvider) {
  const Variant record = Json(R"({"user_id": "u-7"})");
  auto& users = hostkit::InstallModel(model_id::kUserModel);
  users.Handle(command::user::kUserInfoByIndex, [&record](const Variant& index, Variant* answer) {
    if (!index.IsInteger() || index.AsInteger() != 7) return false;
    *answer = Variant::FromPointer(&record);
    return true;
  });
  Heard listener;
  UserProvider* provider = UserProvider::InMeetingUsers();
  provider->AddListener(&listener);

  users.Fire(event::user::kUserAdd, Json("[7]"));
  users.Fire(event::user::kUserRemove, Json("[7]"));
  provider->RemoveListener(&listener);

  const std::vector<std::string> expected = {std::to_string(UserProvider::kUsersAdded) + ":u-7",
                                             std::to_string(UserProvider::kUsersRemoved) + ":u-7"};
  EXPECT_EQ(listener.heard, expected);
}

}  // namespace
