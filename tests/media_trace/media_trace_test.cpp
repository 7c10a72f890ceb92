// The camera and microphone open traces: the stages a run passes under every order in which the
// platform may call back, the durations measured on the hand clock, the one report of a run
// that reaches the end, and what a run leaves behind when a callback never comes.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/scope_singleton.h"
#include "hostkit/hostkit.h"
#include "hostkit/meeting_service.h"
#include "module_api/media_trace/audio_state_machine.h"
#include "module_api/media_trace/video_state_machine.h"
#include "module_api/model_commands.h"
#include "module_api/model_ids.h"

namespace {

using hostkit::Json;
using hostkit::MediaPushCallback;
using hostkit::Variant;
using velto_common::utils::AudioStateMachineUtil;
using velto_common::utils::VideoStateMachineUtil;
using Step = MediaPushCallback::Step;

// What tells the two traces apart, as a test sees them.
struct Medium {
  const char* label;
  bool (*start)(bool);
  int (*current_state)();
  int model_id;
  int access_event;
  const char* access_key;
  size_t (*play)(const MediaPushCallback&);
  void (*schedule)(int64_t, MediaPushCallback);
  size_t (*delegates)();
  const char* prefix;
  std::array<const char*, 6> names;  // 100, 101, 102, 103, 104, 110
  const char* total_key;
  const char* source_key;
  const char* event;
};

const Medium kVideo = {
    "video",
    &velto_common::utils::StartVideoStateMachine,
    [] { return VideoStateMachineUtil::GetInstance()->CurrentStateId(); },
    velto::model_id::kVideoModel,
    velto::model_event::video::kCameraAccessResult,
    "is_camera_access",
    &hostkit::PlayVideoCallback,
    &hostkit::ScheduleVideoCallback,
    &hostkit::VideoCtrlDelegateCount,
    "[video_trace]",
    {"check_camera_access_state", "video_xmpp_sended_state", "video_xmpp_received_state", "video_zolt_handle_state",
     "video_sm_end_state", "video_fail_case_state"},
    "total_duration_time_video",
    "open_video_from",
    "e#open_video_stream_info",
};

const Medium kAudio = {
    "audio",
    &velto_common::utils::StartAudioStateMachine,
    [] { return AudioStateMachineUtil::GetInstance()->CurrentStateId(); },
    velto::model_id::kAudioModel,
    velto::model_event::audio::kMicAccessResult,
    "is_mic_access",
    &hostkit::PlayAudioCallback,
    &hostkit::ScheduleAudioCallback,
    &hostkit::AudioCtrlDelegateCount,
    "[audio_trace]",
    {"check_mic_access_state", "audio_xmpp_sended_state", "audio_xmpp_received_state", "audio_zolt_handle_state",
     "audio_sm_end_state", "audio_fail_case_state"},
    "total_duration_time",
    "open_audio_from",
    "e#open_audio_stream_info",
};

constexpr int kIdle = -1;

class MediaTraceTest : public testing::TestWithParam<const Medium*> {
 protected:
  const Medium& m() const { return *GetParam(); }

  void SetUp() override { model_ = &hostkit::InstallModel(m().model_id); }

  void Access(bool granted, const char* from = "toolbar") {
    Variant payload = Variant::Map();
    payload[m().access_key] = granted;
    if (from) payload["from"] = from;
    model_->Fire(m().access_event, payload);
  }

  // Starts a run and lets the access check pass after `access_ms`.
  void StartAndGrant(int64_t access_ms = 0) {
    ASSERT_TRUE(m().start(true));
    hostkit::AdvanceClock(access_ms);
    Access(true);
  }

  size_t Reports() const { return hostkit::CountAnalytics(m().event); }
  std::string Property(const char* key) const {
    const hostkit::AnalyticsEvent* event = hostkit::LastAnalytics(m().event);
    if (!event) return "<no report>";
    auto it = event->properties.find(key);
    return it == event->properties.end() ? "<absent>" : it->second;
  }
  std::string Exit(int state_id) const { return " , will exit state: " + std::to_string(state_id) + " , name: "; }

  hostkit::ScriptedModel* model_ = nullptr;
};

TEST_P(MediaTraceTest, ARunThroughEveryStageReportsEachDurationOnce) {
  ASSERT_TRUE(m().start(true));
  EXPECT_EQ(m().current_state(), 100);
  hostkit::AdvanceClock(120);
  Access(true, "toolbar");
  EXPECT_EQ(m().current_state(), 101);
  EXPECT_EQ(m().delegates(), 1u);
  m().schedule(250, MediaPushCallback::Request());
  m().schedule(250 + 400, MediaPushCallback::Response());
  m().schedule(250 + 400 + 35, MediaPushCallback::Complete());
  hostkit::AdvanceClock(1000);

  EXPECT_EQ(m().current_state(), kIdle);
  EXPECT_EQ(m().delegates(), 0u);
  ASSERT_EQ(Reports(), 1u);
  EXPECT_EQ(Property(m().names[0]), "120");
  EXPECT_EQ(Property(m().names[1]), "250");
  EXPECT_EQ(Property(m().names[2]), "400");
  EXPECT_EQ(Property(m().names[3]), "35");
  EXPECT_EQ(Property(m().names[4]), "0");
  EXPECT_EQ(Property(m().total_key), "805");
  EXPECT_EQ(Property(m().source_key), "toolbar");
  EXPECT_EQ(Property(m().names[5]), "<absent>");
  EXPECT_EQ(hostkit::LastAnalytics(m().event)->properties.size(), 8u) << "five stages, total, source, cpu";
  EXPECT_TRUE(hostkit::HasLog(6, std::string(m().prefix) + " id: "));
  EXPECT_TRUE(hostkit::HasLog(6, " , total duration: 805"));
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u) << "the access check let go of the model";
}

TEST_P(MediaTraceTest, ADeniedAccessEndsInTheFailCaseWithoutAReport) {
  ASSERT_TRUE(m().start(true));
  Access(false);
  EXPECT_EQ(m().current_state(), kIdle);
  EXPECT_EQ(Reports(), 0u);
  EXPECT_TRUE(hostkit::HasLog(6, Exit(110) + m().names[5]));
  EXPECT_EQ(m().delegates(), 0u);
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
  EXPECT_EQ(m().play(MediaPushCallback::Request()), 0u) << "nobody listens after the run ended";
}

TEST_P(MediaTraceTest, AnAccessEventWithoutDataIsADenial) {
  ASSERT_TRUE(m().start(true));
  model_->FireNull(m().access_event);
  EXPECT_EQ(m().current_state(), kIdle);
  EXPECT_TRUE(hostkit::HasLog(6, Exit(110)));
}

TEST_P(MediaTraceTest, ANegativeAnswerAtAnyStageEndsTheRunWithoutAReport) {
  const std::vector<std::vector<MediaPushCallback>> runs = {
      {MediaPushCallback::Request(false)},
      {MediaPushCallback::Request(), MediaPushCallback::Response(false)},
      {MediaPushCallback::Request(), MediaPushCallback::Response(), MediaPushCallback::Complete(false, -3, "refused")},
  };
  for (const auto& callbacks : runs) {
    hostkit::Reset();
    SetUp();
    StartAndGrant();
    for (const MediaPushCallback& callback : callbacks) m().play(callback);
    EXPECT_EQ(m().current_state(), kIdle) << callbacks.size();
    EXPECT_EQ(Reports(), 0u) << callbacks.size();
    EXPECT_EQ(m().delegates(), 0u) << callbacks.size();
    EXPECT_TRUE(hostkit::HasLog(6, Exit(110))) << callbacks.size();
  }
}

// Every sequence of up to four callbacks the platform may produce, repeats and gaps included:
// only a request, then a response, then a completion move a run on; anything else is heard by
// nobody or ignored by the stage that waits. Callbacks come 10 ms apart after access at 5 ms.
TEST_P(MediaTraceTest, EveryOrderOfCallbacksMovesTheRunOnlyThroughItsStagesInTurn) {
  const Step steps[] = {Step::kRequest, Step::kResponse, Step::kComplete};
  std::vector<std::vector<Step>> sequences = {{}};
  for (size_t length = 1; length <= 4; ++length) {
    std::vector<std::vector<Step>> longer;
    for (const auto& sequence : sequences) {
      if (sequence.size() != length - 1) continue;
      for (Step step : steps) {
        auto next = sequence;
        next.push_back(step);
        longer.push_back(next);
      }
    }
    sequences.insert(sequences.end(), longer.begin(), longer.end());
  }
  ASSERT_EQ(sequences.size(), 1u + 3 + 9 + 27 + 81);

  for (const auto& sequence : sequences) {
    hostkit::Reset();
    SetUp();
    StartAndGrant(5);
    // The expected walk: the stage waiting for callback k moves on when k comes.
    size_t waiting = 0;                             // 0 request, 1 response, 2 completion, 3 ended
    std::array<int64_t, 4> left_at = {5, 0, 0, 0};  // when each of 100..103 was left
    std::string label;
    for (size_t i = 0; i < sequence.size(); ++i) {
      hostkit::AdvanceClock(10);
      m().play({sequence[i]});
      label += "RSC"[static_cast<int>(sequence[i])];
      if (waiting < 3 && static_cast<size_t>(sequence[i]) == waiting) left_at[++waiting] = 5 + 10 * (int64_t(i) + 1);
    }
    if (label.empty()) label = "none";
    if (waiting == 3) {
      EXPECT_EQ(m().current_state(), kIdle) << label;
      ASSERT_EQ(Reports(), 1u) << label;
      EXPECT_EQ(Property(m().names[0]), "5") << label;
      for (int stage = 1; stage <= 3; ++stage) {
        EXPECT_EQ(Property(m().names[stage]), std::to_string(left_at[stage] - left_at[stage - 1])) << label;
      }
      EXPECT_EQ(Property(m().total_key), std::to_string(left_at[3])) << label;
      EXPECT_EQ(m().delegates(), 0u) << label;
    } else {
      EXPECT_EQ(m().current_state(), 101 + static_cast<int>(waiting)) << label;
      EXPECT_EQ(Reports(), 0u) << label;
      EXPECT_EQ(m().delegates(), 1u) << label;
    }
    for (int state = 100; state <= 104; ++state) {
      EXPECT_LE(hostkit::CountLogs(6, Exit(state)), 1u) << label << " state " << state;
    }
  }
}

TEST_P(MediaTraceTest, ACallbackThatNeverComesLeavesTheRunWaitingUntilTeardown) {
  StartAndGrant();
  m().play(MediaPushCallback::Request());
  hostkit::AdvanceClock(24 * 60 * 60 * 1000);  // a day later: no timeout moved it
  EXPECT_EQ(m().current_state(), 102);
  EXPECT_EQ(m().delegates(), 1u);
  EXPECT_EQ(Reports(), 0u);
  base::TeardownScopeSingletons();
  EXPECT_EQ(m().delegates(), 0u);
  EXPECT_TRUE(hostkit::HasLog(6, std::string(m().prefix) + "[" + m().names[2] + "] is cancel: true"));
  EXPECT_EQ(Reports(), 0u);
}

TEST_P(MediaTraceTest, AnAccessResultThatNeverComesLeavesOnlyTheSubscriptionUntilTeardown) {
  ASSERT_TRUE(m().start(true));
  EXPECT_EQ(hostkit::TotalSubscribers(), 1u);
  EXPECT_EQ(m().delegates(), 0u);
  base::TeardownScopeSingletons();
  EXPECT_EQ(hostkit::TotalSubscribers(), 0u);
}

TEST_P(MediaTraceTest, StartingAgainStopsTheWaitingRunAndCountsANewOne) {
  StartAndGrant();
  m().play(MediaPushCallback::Request());
  ASSERT_EQ(m().current_state(), 102);
  size_t entered_before = hostkit::CountLogs(6, " , will enter state: 100 ");
  ASSERT_TRUE(m().start(true));
  EXPECT_TRUE(hostkit::HasLog(6, std::string(m().prefix) + " state machine is running, abort it"));
  EXPECT_TRUE(hostkit::HasLog(6, std::string("[") + m().names[2] + "] is cancel: true"));
  EXPECT_EQ(m().current_state(), 100);
  EXPECT_EQ(m().delegates(), 0u);
  EXPECT_EQ(hostkit::CountLogs(6, " , will enter state: 100 "), entered_before + 1);

  // The run counter moved on: the new run's records carry the next number.
  std::string first_id, second_id;
  for (const hostkit::LogRecord& record : hostkit::Logs()) {
    const auto at = record.text.find(" , will enter state: 100 ");
    if (at == std::string::npos) continue;
    const std::string id = record.text.substr(0, at);
    (first_id.empty() ? first_id : second_id) = id.substr(id.rfind(' ') + 1);
  }
  EXPECT_EQ(std::stoi(second_id), std::stoi(first_id) + 1);

  m().play(MediaPushCallback::Response());  // meant for the stopped run
  EXPECT_EQ(m().current_state(), 100);
}

TEST_P(MediaTraceTest, EachReportDescribesItsOwnRun) {
  StartAndGrant();
  m().play(MediaPushCallback::Request(false));  // this run ends in the fail case
  hostkit::AdvanceClock(50);
  ASSERT_TRUE(m().start(true));
  Access(true, nullptr);
  m().play(MediaPushCallback::Request());
  m().play(MediaPushCallback::Response());
  m().play(MediaPushCallback::Complete());
  ASSERT_EQ(Reports(), 1u);
  EXPECT_EQ(Property(m().names[5]), "<absent>");
  EXPECT_EQ(Property(m().source_key), "") << "an access result without a source";
  EXPECT_EQ(Property(m().total_key), "0");
}

TEST_P(MediaTraceTest, ACompletionWithoutAMessageLogsNullptr) {
  StartAndGrant();
  m().play(MediaPushCallback::Request());
  m().play(MediaPushCallback::Response());
  m().play(MediaPushCallback::Complete(true, 0, std::nullopt));
  EXPECT_TRUE(hostkit::HasLog(6, ", ret_msg : nullptr, ret_code: 0"));
  EXPECT_EQ(Reports(), 1u);
}

TEST_P(MediaTraceTest, WithoutItsModelTheAccessCheckWaitsAndSaysSo) {
  hostkit::RemoveModel(m().model_id);
  EXPECT_TRUE(m().start(true));
  EXPECT_EQ(m().current_state(), 100);
  EXPECT_TRUE(hostkit::HasLog(1, std::string(m().prefix) + " model " + std::to_string(m().model_id) + " not found"));
}

TEST_P(MediaTraceTest, WithoutTheMeetingServiceAStageWaitsAndSaysSo) {
  hostkit::SetMeetingServiceAvailable(false);
  StartAndGrant();
  EXPECT_EQ(m().current_state(), 101);
  EXPECT_TRUE(hostkit::HasLog(1, "controller, " + std::string(m().names[1]) + " waits without it"));
  hostkit::SetMeetingServiceAvailable(true);
  EXPECT_EQ(m().play(MediaPushCallback::Request()), 0u);
}

TEST_P(MediaTraceTest, TheStagesLogWhatTheyHeard) {
  StartAndGrant();
  m().play({Step::kRequest, true, false, 1});
  m().play(MediaPushCallback::Response());
  m().play(MediaPushCallback::Complete(true, 7, "ok"));
  const std::string video = m().prefix == std::string("[video_trace]") ? "video" : "audio";
  if (video == "video") {
    EXPECT_TRUE(hostkit::HasLog(6, "[video_trace][CheckCameraAccess] is_camera_access: true, from: toolbar"));
    EXPECT_TRUE(hostkit::HasLog(
        6,
        "[video_trace][XmppSend] Resquest Push audio, is_request_push : true , is_grant: false , open_video_scene: 1"));
    EXPECT_TRUE(hostkit::HasLog(6, "[video_trace][XmppReceive] received video push, is_push_complete : true"));
    EXPECT_TRUE(hostkit::HasLog(6, "[video_trace][zolthandle] zolthandle, enable : true, ret_msg : ok, ret_code: 7"));
  } else {
    EXPECT_TRUE(hostkit::HasLog(6, "[audio_trace][CheckMicAccess] is_mic_access: true, from: toolbar"));
    EXPECT_TRUE(hostkit::HasLog(6,
                                "[audio_trace][XmppSend] Resquest Push audio, is_request_push : true , is_grant: false "
                                ", is_host_operation: true"));
    EXPECT_TRUE(hostkit::HasLog(6, "[audio_trace][XmppReceive] received audio push, is_push_complete : true"));
    EXPECT_TRUE(hostkit::HasLog(
        6, "[audio_trace][zolt handle] zolt handle audio push, enable : true, ret_msg : ok, ret_code: 7"));
    EXPECT_TRUE(hostkit::HasLog(6, "[audio_trace] state machine start timestamp: "));
  }
  EXPECT_TRUE(hostkit::HasLog(6, std::string("[sm]init: ") + m().names[2]));
  EXPECT_TRUE(hostkit::HasLog(6, std::string(m().prefix) + "create sync data state machine"));
}

INSTANTIATE_TEST_SUITE_P(Media, MediaTraceTest, testing::Values(&kVideo, &kAudio),
                         [](const testing::TestParamInfo<const Medium*>& info) {
                           return std::string(info.param->label);
                         });

}  // namespace
