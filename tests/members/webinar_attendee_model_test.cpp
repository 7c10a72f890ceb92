// The webinar attendee model: the window it hands the attendee provider for each visible range,
// its commands and events, what the permission and leave events change, and an attendee as a
// user record.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/stateful_viewmodel.h"
#include "hostkit/hostkit.h"
#include "hostkit/webinar_attendees.h"
#include "module_api/members/nickname_avatar.h"
#include "module_api/members/webinar_attendee_model.h"

using base::variant::Variant;
using hostkit::Json;
using veltosdk::Range;

namespace {

constexpr int kMeetingModel = 514;
constexpr int kPermissionModel = 609;
constexpr int kCompanyContactsModel = 1000029;

class AttendeeModel : public velto::WebinarAttendeeModelBase {
 public:
  using WebinarAttendeeModelBase::WebinarAttendeeModelBase;
  using WebinarAttendeeModelBase::ResetMainRange;

  std::vector<std::string> journal;
  bool answer_by_index = false;
  bool answer_loaded_count = false;

  void OnPreSetVisibleRange(const Variant* in, Variant* out) override {
    journal.push_back("pre " + (in ? in->ToJsonStr() : std::string("null")));
    if (out) (*out)["seen"] = true;
  }

 protected:
  void OnEventLeaveComplete(const Variant*) override {
    journal.push_back(std::string("left, main range ") + (main_range() ? "kept" : "dropped"));
  }
  bool OnInvokeCallGetAttendeeByIndex(const Variant*, Variant* out) override {
    if (answer_by_index && out) *out = "from the subclass";
    return answer_by_index;
  }
  bool OnInvokeCallGetLoadedAttendeeCount(const Variant*, Variant* out) override {
    if (answer_loaded_count && out) (*out)["loaded_count"] = 4242;
    return answer_loaded_count;
  }
};

// Events the model fires, as "<id> <payload>".
struct EventLog {
  explicit EventLog(framework::ModelImpl& model) {
    for (int event : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) {
      model.Subscribe(event, 99, [this, event](const Variant* payload) {
        lines.push_back(std::to_string(event) + " " + (payload ? payload->ToJsonStr() : std::string("none")));
      });
    }
  }
  std::vector<std::string> lines;
};

class WebinarModel : public ::testing::Test {
 protected:
  void SetUp() override {
    meeting_ = &hostkit::InstallModel(kMeetingModel);
    permission_ = &hostkit::InstallModel(kPermissionModel);
    model_ = std::make_unique<AttendeeModel>([this] { return &provider_; });
    ASSERT_TRUE(model_->Init());
  }
  void TearDown() override {
    if (model_) model_->UnInit();
  }

  bool Visible(uint32_t start, uint32_t size, bool force = false) {
    Variant in = Variant::Map();
    in["start"] = start;
    in["size"] = size;
    if (force) in["force_update"] = true;
    return model_->Call(0, &in, nullptr);
  }
  Range LastRequest() const { return provider_.RangeRequests().back(); }

  hostkit::PagingAttendeeProvider provider_{{.total = 100000, .per_page = 50, .name = "paging", .ready = true,
                                             .fetch_latency_ms = -1}};
  hostkit::ScriptedModel* meeting_ = nullptr;
  hostkit::ScriptedModel* permission_ = nullptr;
  std::unique_ptr<AttendeeModel> model_;
};

TEST_F(WebinarModel, TheFirstWindowIsAPageCentredOnTheVisibleRows) {
  EXPECT_TRUE(Visible(100, 10));
  EXPECT_EQ(LastRequest(), Range(80, 50));
  ASSERT_NE(model_->main_range(), nullptr);
  EXPECT_EQ(*model_->main_range(), Range(80, 50));
  EXPECT_TRUE(hostkit::HasLog(6, "[wap-paging] start = 100, size = 10, new_main_range = (80, 50), "
                                 "current_main_range = null, should update = true"));
}

TEST_F(WebinarModel, NearTheTopTheWindowStartsAtTheVisibleRowsNotAtZero) {
  EXPECT_TRUE(Visible(5, 10));
  EXPECT_EQ(LastRequest(), Range(5, 50));
  EXPECT_EQ(model_->GetAttendeeMainRangeByVisibleRange(Range(20, 10)), Range(20, 50));  // 20 is not > 20
  EXPECT_EQ(model_->GetAttendeeMainRangeByVisibleRange(Range(21, 10)), Range(1, 50));
}

TEST_F(WebinarModel, AVisibleRangeOutsideTheWindowThatMovedFarEnoughIsSent) {
  Visible(100, 10);
  EXPECT_TRUE(Visible(60, 10));  // new (40, 50); not inside (80, 50); moved 40 > 20
  EXPECT_EQ(LastRequest(), Range(40, 50));
  EXPECT_EQ(provider_.RangeRequests().size(), 2u);
}

TEST_F(WebinarModel, AVisibleRangeInsideTheWindowAlwaysRecentresIt) {
  Visible(100, 10);
  EXPECT_TRUE(Visible(115, 10));  // inside (80, 50) although it moved only 15
  EXPECT_EQ(LastRequest(), Range(95, 50));
}

TEST_F(WebinarModel, ASmallMoveOutsideTheWindowIsNotSent) {
  Visible(100, 10);
  hostkit::ClearLogs();
  EXPECT_FALSE(Visible(91, 40));  // new (86, 50): not inside (80, 50), moved 6 <= 20
  EXPECT_FALSE(Visible(79, 40));  // new (74, 50): moved 6 the other way
  EXPECT_EQ(provider_.RangeRequests().size(), 1u);
  EXPECT_EQ(*model_->main_range(), Range(80, 50));
  EXPECT_TRUE(hostkit::HasLog(6, "no need to update main range: current = (80, 50), new = (86, 50)"));
  EXPECT_TRUE(hostkit::HasLog(6, "current_main_range = (80, 50), should update = false"));
  EXPECT_TRUE(Visible(91, 40, /*force=*/true));
  EXPECT_EQ(LastRequest(), Range(86, 50));
}

TEST_F(WebinarModel, TheMoveThresholdIsAFifthOfAPageButAtLeastTwenty) {
  Visible(100, 10);
  EXPECT_FALSE(model_->ShouldUpdateMainRange(Range(100, 50)));
  EXPECT_TRUE(model_->ShouldUpdateMainRange(Range(101, 50)));
  EXPECT_FALSE(model_->ShouldUpdateMainRange(Range(60, 50)));
  EXPECT_TRUE(model_->ShouldUpdateMainRange(Range(80, 49)));  // another size always goes

  provider_.SetAttendeeCountPerPage(200);
  EXPECT_EQ(model_->attendee_count_per_page(), 200u);
  EXPECT_EQ(*model_->main_range(), Range(80, 50));  // kept until the next visible range
  EXPECT_TRUE(Visible(1000, 160));                  // (980, 200)
  EXPECT_FALSE(Visible(1040, 160));                 // new (1020, 200): moved 40 <= 40
  EXPECT_TRUE(Visible(1041, 160));                  // new (1021, 200): moved 41
  EXPECT_EQ(LastRequest(), Range(1021, 200));
}

TEST_F(WebinarModel, AVisibleRangeLargerThanAPageIsItsOwnWindow) {
  EXPECT_TRUE(Visible(10, 60));
  EXPECT_EQ(LastRequest(), Range(10, 60));
  EXPECT_TRUE(hostkit::HasLog(1, "unexpected: attendee_count_per_page = 50, visible range = (10, 60)"));
}

TEST_F(WebinarModel, AVisibleRangeOutsideTheFetchRangeIsCounted) {
  Visible(120, 10);                          // (100, 50), still pending at the provider
  EXPECT_EQ(model_->visible_range_out_of_fetch_range_count(), 0u);  // nothing fetched yet
  ASSERT_TRUE(provider_.CompleteFetch());    // fetch range (100, 50)
  model_->ResetMainRange();
  EXPECT_TRUE(Visible(97, 10));              // 97 + 3 >= 100: inside
  EXPECT_EQ(model_->visible_range_out_of_fetch_range_count(), 0u);
  model_->ResetMainRange();
  EXPECT_TRUE(Visible(143, 10));             // ends at 152 <= 149 + 3: inside
  EXPECT_EQ(model_->visible_range_out_of_fetch_range_count(), 0u);
  model_->ResetMainRange();
  EXPECT_TRUE(Visible(96, 10));
  EXPECT_EQ(model_->visible_range_out_of_fetch_range_count(), 1u);
  model_->ResetMainRange();
  EXPECT_TRUE(Visible(144, 10));
  EXPECT_EQ(model_->visible_range_out_of_fetch_range_count(), 2u);
  EXPECT_FALSE(Visible(136, 40));            // outside the fetch range but not sent: not counted
  EXPECT_EQ(model_->visible_range_out_of_fetch_range_count(), 2u);
}

TEST_F(WebinarModel, TheNameInTheLogLineIsTheProvidersOrNullptr) {
  hostkit::PagingAttendeeProvider unnamed({.total = 100, .name = nullptr});
  AttendeeModel model([&] { return &unnamed; });
  model.Init();
  Variant in = Json(R"({"start": 0, "size": 10})");
  EXPECT_TRUE(model.Call(0, &in, nullptr));
  EXPECT_TRUE(hostkit::HasLog(6, "[wap-nullptr] start = 0, size = 10"));
  model.UnInit();
}

TEST_F(WebinarModel, AttendeesAreAnsweredAsUserRecordsUnlessTheSubclassAnswers) {
  Variant in = Json(R"({"index": 3})");
  Variant out;
  ASSERT_TRUE(model_->Call(1, &in, &out));
  EXPECT_EQ(out.GetString("user_id"), "a-3");
  EXPECT_EQ(out.GetInteger("role_type"), 7);
  Variant far = Json(R"({"index": 5000})");
  EXPECT_FALSE(model_->Call(1, &far, &out));  // not loaded
  Variant none = Json("{}");
  EXPECT_FALSE(model_->Call(1, &none, &out));
  EXPECT_FALSE(model_->Call(1, nullptr, &out));
  model_->answer_by_index = true;
  ASSERT_TRUE(model_->Call(1, &far, &out));
  EXPECT_EQ(out, Variant("from the subclass"));
}

TEST_F(WebinarModel, CountsAreAnsweredOnlyOnceTheProviderIsReady) {
  Variant loaded, total;
  EXPECT_TRUE(model_->Call(2, nullptr, &loaded));
  EXPECT_TRUE(model_->Call(3, nullptr, &total));
  EXPECT_EQ(loaded, Json(R"({"loaded_count": 50})"));
  EXPECT_EQ(total, Json(R"({"total_count": 100000})"));
  EXPECT_TRUE(loaded.Get("loaded_count").IsUnsigned());

  provider_.SetReady(false);
  Variant not_ready_loaded, not_ready_total;
  EXPECT_TRUE(model_->Call(2, nullptr, &not_ready_loaded));
  EXPECT_TRUE(model_->Call(3, nullptr, &not_ready_total));
  EXPECT_TRUE(not_ready_loaded.IsNull());
  EXPECT_TRUE(not_ready_total.IsNull());
  model_->answer_loaded_count = true;
  EXPECT_TRUE(model_->Call(2, nullptr, &not_ready_loaded));
  EXPECT_EQ(not_ready_loaded.GetInteger("loaded_count"), 4242);
}

TEST_F(WebinarModel, LoadMoreReachesTheProviderAndItsReportsBecomeEvents) {
  EventLog events(*model_);
  EXPECT_TRUE(model_->Call(4, nullptr, nullptr));
  EXPECT_EQ(provider_.load_more_count(), 1u);
  EXPECT_EQ(events.lines, (std::vector<std::string>{R"(0 {"range":{"start":50,"size":50}})",
                                                    R"(1 {"loaded_count":100})", "3 null"}));
}

TEST_F(WebinarModel, ActivatingResumesAndDeactivatingGoesBackToTheFirstPage) {
  Visible(5000, 10);
  Variant on(true), off(false);
  provider_.ClearRangeRequests();
  EXPECT_TRUE(model_->Call(5, &on, nullptr));
  EXPECT_EQ(provider_.resume_count(), 1u);
  EXPECT_TRUE(provider_.RangeRequests().empty());
  EXPECT_TRUE(model_->Call(5, &off, nullptr));
  EXPECT_EQ(provider_.active_calls().back(), false);
  ASSERT_EQ(provider_.RangeRequests().size(), 1u);
  EXPECT_EQ(LastRequest(), Range(0, 50));
  EXPECT_EQ(provider_.resume_count(), 1u);

  provider_.SetReady(false);
  Visible(5000, 10);
  provider_.ClearRangeRequests();
  EXPECT_TRUE(model_->Call(5, &off, nullptr));
  EXPECT_TRUE(provider_.RangeRequests().empty());
}

TEST_F(WebinarModel, TipCommandsFireTheirEvents) {
  EventLog events(*model_);
  Variant tips = Json(R"({"index": 4})");
  EXPECT_TRUE(model_->Call(6, nullptr, nullptr));
  EXPECT_TRUE(model_->Call(7, nullptr, nullptr));
  EXPECT_TRUE(model_->Call(8, &tips, nullptr));
  EXPECT_TRUE(model_->Call(12, nullptr, nullptr));
  EXPECT_FALSE(model_->Call(14, nullptr, nullptr));
  EXPECT_FALSE(model_->Call(-1, nullptr, nullptr));
  EXPECT_EQ(events.lines, (std::vector<std::string>{"5 none", "6 none", R"(7 {"index":4})", "9 none"}));
}

TEST_F(WebinarModel, TheHandsUpTrailTipsIndexIsKeptUntilReplaced) {
  Variant out;
  EXPECT_FALSE(model_->Call(10, nullptr, &out));
  Variant not_a_map(3);
  EXPECT_FALSE(model_->Call(9, &not_a_map, nullptr));
  EXPECT_FALSE(model_->Call(9, nullptr, nullptr));
  EXPECT_EQ(model_->handsup_trail_tips_index(), -1);
  Variant four = Json(R"({"index": 4})");
  EXPECT_TRUE(model_->Call(9, &four, nullptr));
  EXPECT_FALSE(model_->Call(9, &not_a_map, nullptr));
  ASSERT_TRUE(model_->Call(10, nullptr, &out));
  EXPECT_EQ(out, Variant(4));
  meeting_->Fire(2, Json("{}"));  // leaving keeps it
  EXPECT_TRUE(model_->Call(10, nullptr, &out));
  Variant unset = Json("{}");
  EXPECT_TRUE(model_->Call(9, &unset, nullptr));
  EXPECT_FALSE(model_->Call(10, nullptr, &out));
}

TEST_F(WebinarModel, PreSetVisibleRangeIsTheSubclasssHook) {
  Variant in = Json(R"({"start": 1})");
  Variant out;
  EXPECT_TRUE(model_->Call(11, &in, &out));
  EXPECT_EQ(model_->journal, (std::vector<std::string>{R"(pre {"start":1})"}));
  EXPECT_TRUE(out.GetBoolean("seen"));
}

TEST_F(WebinarModel, TheSpeakPermissionFollowsThePermissionEvents) {
  Variant out;
  EXPECT_FALSE(model_->Call(13, nullptr, nullptr));
  ASSERT_TRUE(model_->Call(13, nullptr, &out));
  EXPECT_EQ(out, Json(R"({"is_speak_open": false})"));
  permission_->Fire(2, Json(R"({"from_host": true, "list": [{"permission_type": 1, "is_open": false},
                                                            {"permission_type": 3, "is_open": true}]})"));
  EXPECT_TRUE(model_->is_speak_open());
  EXPECT_TRUE(hostkit::HasLog(6, "from_host:true is_open:true type:3"));
  permission_->Fire(2, Json(R"({"list": [{"permission_type": 2, "is_open": false}]})"));
  EXPECT_TRUE(model_->is_speak_open());
  permission_->FireNull(2);
  permission_->Fire(2, Json(R"({"list": "not a list"})"));
  EXPECT_TRUE(model_->is_speak_open());
  permission_->Fire(2, Json(R"({"list": [{"permission_type": 3, "is_open": false}]})"));
  EXPECT_FALSE(model_->is_speak_open());
}

TEST_F(WebinarModel, LeavingForgetsTheWindowTheCounterAndTheSpeakPermission) {
  provider_.SetFetchLatencyMs(0);
  provider_.CompleteFetch();
  Visible(100, 10);
  model_->ResetMainRange();
  Visible(500, 10);  // outside the fetch range (80, 50)
  ASSERT_EQ(model_->visible_range_out_of_fetch_range_count(), 1u);
  permission_->Fire(2, Json(R"({"list": [{"permission_type": 3, "is_open": true}]})"));
  meeting_->Fire(2, Json("{}"));
  EXPECT_EQ(model_->journal, (std::vector<std::string>{"left, main range dropped"}));
  EXPECT_EQ(model_->main_range(), nullptr);
  EXPECT_EQ(model_->visible_range_out_of_fetch_range_count(), 0u);
  EXPECT_FALSE(model_->is_speak_open());
  EXPECT_TRUE(Visible(500, 10));  // a first window again
}

TEST_F(WebinarModel, TheTotalCountGoesToSubscribersAndToTheCompanyContacts) {
  EventLog events(*model_);
  auto& contacts = hostkit::InstallModel(kCompanyContactsModel);
  contacts.Succeed(1);
  provider_.SetTotalCount(7);
  EXPECT_EQ(events.lines, (std::vector<std::string>{R"(2 {"total_count":7})"}));
  ASSERT_EQ(contacts.CallCount(1), 1u);
  EXPECT_EQ(contacts.LastArgument(1), Json(R"({"total_count": 7})"));
  hostkit::RemoveModel(kCompanyContactsModel);
  provider_.SetTotalCount(8);
  EXPECT_EQ(events.lines.back(), R"(2 {"total_count":8})");
  model_->OnLoadedAttendeeCountChanged(60);
  EXPECT_EQ(events.lines.back(), R"(1 {"loaded_count":60})");
}

TEST_F(WebinarModel, InitAndUnInitTakeAndGiveBackTheCallbackAndTheSubscriptions) {
  EXPECT_EQ(provider_.callback(), model_.get());
  EXPECT_EQ(meeting_->SubscriberCount(2), 1u);
  EXPECT_EQ(permission_->SubscriberCount(2), 1u);
  model_->UnInit();
  EXPECT_EQ(provider_.callback(), nullptr);
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
  model_.reset();
}

TEST_F(WebinarModel, MissingModelsAreSkippedAndAMissingProviderRefusesCommands) {
  model_->UnInit();
  hostkit::RemoveModel(kPermissionModel);
  veltosdk::IWebinarAttendeeProvider* provider = nullptr;
  model_ = std::make_unique<AttendeeModel>([&provider] { return provider; });
  EXPECT_TRUE(model_->Init());
  EXPECT_TRUE(hostkit::HasLog(1, "attendee provider is null"));
  EXPECT_TRUE(hostkit::HasLog(1, "model 609 not found"));
  EXPECT_EQ(meeting_->SubscriberCount(2), 1u);
  EXPECT_FALSE(Visible(0, 10));
  EXPECT_FALSE(model_->Call(4, nullptr, nullptr));
  Variant on(true);
  EXPECT_FALSE(model_->Call(5, &on, nullptr));
  Variant out;
  EXPECT_TRUE(model_->Call(2, nullptr, &out));  // not ready: nothing to say
  EXPECT_TRUE(out.IsNull());
  model_->UnInit();  // tolerates the null provider
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
}

TEST_F(WebinarModel, AnEmptyProviderGetterRaisesAtInitButCommandsOnlyRefuse) {
  AttendeeModel model{velto::WebinarAttendeeModelBase::ProviderGetter()};
  EXPECT_THROW(model.Init(), std::bad_function_call);
  EXPECT_FALSE(model.Call(0, &Variant::EmptyVariant(), nullptr));
  EXPECT_TRUE(hostkit::HasLog(1, "no attendee provider getter"));
  model.UnInit();
}

// A model that is also a view model: the host releases its subscriptions with the view.
class AttendeeViewModel : public framework::StatefulViewModel, public AttendeeModel {
 public:
  explicit AttendeeViewModel(ProviderGetter getter) : AttendeeModel(std::move(getter)) {}
};

TEST_F(WebinarModel, AModelThatIsAViewModelRecordsItsSubscriptions) {
  AttendeeViewModel model([this] { return &provider_; });
  model.Init();
  EXPECT_EQ(model.RecordedSubscriptionCount(), 2u);
  model.UnInit();
}

class FixedAttendee : public veltosdk::IWebinarAttendee {
 public:
  veltosdk::WebinarAttendeeIdentity identity{"u-9", "q-9", "app", "uid-9", 57, 2, 3};
  const veltosdk::WebinarAttendeeIdentity& GetIdentity() const override { return identity; }
  uint64_t GetAVUserId() const override { return 0x1'0000'0001ull; }
  std::string GetNickname() const override { return "alice smith"; }
  int32_t GetUserDistrict() const override { return 4; }
  bool HasAudioInDevice() const override { return true; }
  bool HasVideoInDevice() const override { return false; }
  bool IsAudioOn() const override { return true; }
  bool IsVideoOn() const override { return true; }
  bool IsRaiseHand() const override { return true; }
  uint64_t GetRaiseHandTimestamp() const override { return 1700000000123ull; }
  bool IsAllowSpeak() const override { return false; }
  std::string GetAvatarToken() const override { return "tok"; }
  int32_t GetAvatarType() const override { return 2; }
  bool IsForbidChat() const override { return true; }
};

TEST(WebinarAttendeeRecord, AnAttendeeBecomesAUserRecordWithItsKeysInOrder) {
  hostkit::SetSelfId("u-9");
  FixedAttendee attendee;
  const Variant record = velto::WebinarAttendeeModelBase::WebinarAttendeeToVariant(&attendee);
  const std::vector<std::string> keys = {
      "user_id", "unique_id", "av_user_id", "app_id", "app_uid", "instance_id", "is_bot", "user_type",
      "device_type", "tiny_id", "nickname", "user_district", "has_audio_in_device", "has_video_in_device",
      "audio", "video", "video_on", "screen", "handsup", "is_raise_hand", "raise_hand_timestamp",
      "is_allow_speak", "local_record_on", "audio_connect_type", "avatar_name", "avatar_token", "avatar_type",
      "role_type", "self", "is_attendee", "host", "co_host", "is_creator", "is_forbid_chat"};
  ASSERT_EQ(record.size(), keys.size());
  for (size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(record.KeyAt(i), keys[i]) << i;
  EXPECT_EQ(record, Json(R"({"user_id": "u-9", "unique_id": "q-9", "av_user_id": 4294967297, "app_id": "app",
      "app_uid": "uid-9", "instance_id": 57, "is_bot": true, "user_type": 2, "device_type": 3,
      "tiny_id": 4294967297, "nickname": "alice smith", "user_district": 4, "has_audio_in_device": true,
      "has_video_in_device": false, "audio": true, "video": true, "video_on": true, "screen": false,
      "handsup": false, "is_raise_hand": true, "raise_hand_timestamp": 1700000000123, "is_allow_speak": false,
      "local_record_on": false, "audio_connect_type": 1, "avatar_name": "AS", "avatar_token": "tok",
      "avatar_type": 2, "role_type": 7, "self": true, "is_attendee": true, "host": false, "co_host": false,
      "is_creator": false, "is_forbid_chat": true})"));
  EXPECT_TRUE(record.Get("av_user_id").IsUnsigned());

  hostkit::SetSelfId("someone else");
  attendee.identity.instance_id = 1;
  const Variant other = velto::WebinarAttendeeModelBase::WebinarAttendeeToVariant(&attendee);
  EXPECT_FALSE(other.GetBoolean("self"));
  EXPECT_FALSE(other.GetBoolean("is_bot"));
}

TEST(WebinarAttendeeRecord, NoAttendeeGivesAnEmptyMapAndARecord) {
  const Variant record = velto::WebinarAttendeeModelBase::WebinarAttendeeToVariant(nullptr);
  EXPECT_TRUE(record.IsMap());
  EXPECT_EQ(record.size(), 0u);
  EXPECT_TRUE(hostkit::HasLog(1, "attendee is null"));
}

}  // namespace

namespace {

TEST(NicknameAvatar, InitialsForLatinNamesAndTheLastTwoCharactersForChinese) {
  using velto_common::utils::GetNicknameAvatar;
  EXPECT_EQ(GetNicknameAvatar("alice smith"), "AS");
  EXPECT_EQ(GetNicknameAvatar("  bob  "), "B");
  EXPECT_EQ(GetNicknameAvatar("Attendee 15000"), "A");
  EXPECT_EQ(GetNicknameAvatar("Jean Luc Picard"), "JP");
  EXPECT_EQ(GetNicknameAvatar("张伟芳"), "伟芳");
  EXPECT_EQ(GetNicknameAvatar("王"), "王");
  EXPECT_EQ(GetNicknameAvatar(""), "");
  EXPECT_EQ(GetNicknameAvatar("   "), "");
}

}  // namespace
