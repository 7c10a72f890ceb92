// A gallery page of the video stream manager in a meeting of 1,000 users with video: the visible
// list (9 or 49 streams) is sent once, then re-sent unchanged ten times, as a window does on
// every layout pass. Baseline: the first send, in the same run. Run at log level 6 (every trace
// record built and captured by hostkit) and 4 (none built).
//
// Every stream of a re-send still goes through the pull step and logs that no new pull is
// needed; what must not happen is any command to the video pull model (pull, cancel, degrade),
// and the host reads must stay per operation, not per stream. Counters:
//   pull_cmds_first                      commands 1 and 4 sent by the first send
//   pull_cmds_resend                     calls of any kind to the video pull model by one re-send
//   reads_first / reads_resend           calls to the meeting's models by one send / re-send
//   no_pull_logs_resend                  "no need to pull" records of one re-send (0 at level 4)
//   first_us, resend_us, resend_vs_first the thread CPU times and their ratio
#include <benchmark/benchmark.h>

#include <time.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "hostkit/hostkit.h"
#include "hostkit/meeting_fixture.h"
#include "hostkit/video_pull.h"
#include "module_api/video_stream/video_stream_manager.h"

namespace {

using base::variant::Variant;

constexpr size_t kUsers = 1000;
constexpr int kResends = 10;

// Thread CPU time: the machine is shared, and wall time would count other processes' turns.
double CpuMicros() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// Calls the models of the meeting have received (everything the manager may read).
size_t MeetingModelCalls(const hostkit::MeetingFixture& meeting) {
  return meeting.meeting().CallCount() + meeting.users().CallCount() + meeting.video().CallCount() +
         meeting.audio().CallCount() + meeting.camera().CallCount() + meeting.settings().CallCount() +
         meeting.configuration().CallCount() + meeting.service_entrance().CallCount() +
         meeting.main_window().CallCount() + meeting.secondary_window().CallCount() +
         meeting.screen_share().CallCount() + meeting.event_bus().CallCount();
}

void ClearMeetingModelCalls(const hostkit::MeetingFixture& meeting) {
  for (hostkit::ScriptedModel* model :
       {&meeting.meeting(), &meeting.users(), &meeting.video(), &meeting.audio(), &meeting.camera(),
        &meeting.settings(), &meeting.configuration(), &meeting.service_entrance(), &meeting.main_window(),
        &meeting.secondary_window(), &meeting.screen_share(), &meeting.event_bus()}) {
    model->ClearCalls();
  }
}

void BM_VideoStreamResendVsFirstSend(benchmark::State& state) {
  const size_t visible_count = static_cast<size_t>(state.range(0));
  hostkit::Reset();
  hostkit::SetLogLevel(static_cast<int>(state.range(1)));
  hostkit::MeetingFixture::Options options;
  options.other_users = kUsers;
  hostkit::MeetingFixture meeting(options);
  meeting.Install();
  std::vector<std::pair<std::string, Variant>> video_on;
  for (size_t i = 1; i <= kUsers; ++i) video_on.emplace_back("u-" + std::to_string(i), hostkit::Json(R"({"video": true})"));
  meeting.UpdateUsers(video_on);
  meeting.SetBigView(0, "u-1");
  hostkit::VideoPullModel pulls;
  pulls.Install();

  // The page shows users 101 ... : somewhere in the middle of the meeting.
  Variant visible = Variant::Array();
  for (size_t i = 0; i < visible_count; ++i) {
    Variant entry = Variant::Map();
    entry["stream_id"] = "video-u-" + std::to_string(101 + i);
    visible.Add(entry);
  }

  double first_us = 0;
  double resend_us = 0;
  size_t pull_cmds_first = 0, pull_cmds_resend = 0, reads_first = 0, reads_resend = 0, no_pull_logs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    hostkit::ClearLogs();
    ClearMeetingModelCalls(meeting);
    pulls.model().ClearCalls();
    auto manager = std::make_unique<velto::VideoStreamManager>();
    manager->SetStreamRule(velto::VideoStream::kVideoStreamRuleUserCount);
    ClearMeetingModelCalls(meeting);
    state.ResumeTiming();

    double start = CpuMicros();
    manager->SetVisibleStreamList(&visible);
    first_us += CpuMicros() - start;

    state.PauseTiming();
    pull_cmds_first = pulls.CommandCalls();
    reads_first = MeetingModelCalls(meeting);
    ClearMeetingModelCalls(meeting);
    const size_t calls_before = pulls.model().CallCount();
    hostkit::ClearLogs();
    state.ResumeTiming();

    start = CpuMicros();
    for (int i = 0; i < kResends; ++i) manager->SetVisibleStreamList(&visible);
    resend_us += (CpuMicros() - start) / kResends;

    state.PauseTiming();
    pull_cmds_resend = pulls.model().CallCount() - calls_before;
    reads_resend = MeetingModelCalls(meeting) / kResends;
    no_pull_logs = hostkit::CountLogs(6, "no need to pull stream[") / kResends;
    manager.reset();  // cancels the pulls, outside the measurement
    state.ResumeTiming();
    if (pull_cmds_first != visible_count || pull_cmds_resend != 0 ||
        (state.range(1) >= 6 && no_pull_logs != visible_count)) {
      state.SkipWithError("a re-send changed the pulls, or a send did not pull every visible stream");
      break;
    }
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["visible"] = static_cast<double>(visible_count);
  state.counters["log_level"] = static_cast<double>(state.range(1));
  state.counters["users"] = static_cast<double>(meeting.user_count());
  state.counters["pull_cmds_first"] = static_cast<double>(pull_cmds_first);
  state.counters["pull_cmds_resend"] = static_cast<double>(pull_cmds_resend);
  state.counters["reads_first"] = static_cast<double>(reads_first);
  state.counters["reads_resend"] = static_cast<double>(reads_resend);
  state.counters["no_pull_logs_resend"] = static_cast<double>(no_pull_logs);
  state.counters["first_us"] = first_us / n;
  state.counters["resend_us"] = resend_us / n;
  state.counters["resend_vs_first"] = resend_us / first_us;
  hostkit::Reset();
}
// {visible streams, log level}: at level 6 (hostkit's default) every trace record is built and
// captured, at level 4 none is.
BENCHMARK(BM_VideoStreamResendVsFirstSend)
    ->Args({9, 6})
    ->Args({49, 6})
    ->Args({49, 4})
    ->ArgNames({"visible", "log"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
