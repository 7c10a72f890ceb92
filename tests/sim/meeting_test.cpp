// The built-in meeting against its own schedule: what the generator planned (joins, leaves,
// hands, alerts, notifications) is what the library was seen to do, and the gallery never pulls
// a stream it does not show.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <vector>

#include "meeting/schedule.h"
#include "sim.h"
#include "sim_run.h"

namespace {

using sim::Variant;
using simtest::RunSim;
using simtest::TempDir;

Variant ReadJson(const std::string& path) {
  bool ok = false;
  Variant value = Variant::ParseJson(simtest::ReadFile(path), &ok);
  EXPECT_TRUE(ok) << path;
  return value;
}

void ExpectSummaryFollowsSchedule(const sim::meeting::Plan& plan, const Variant& summary) {
  const sim::meeting::Schedule schedule = sim::meeting::Generate(plan);
  const Variant& figures = summary.Get("figures");
  auto figure = [&](const char* name) { return figures.GetInteger(name, 0); };
  auto count = [&](const char* kind) { return static_cast<int64_t>(schedule.Count(kind)); };

  EXPECT_EQ(figure("joins"), static_cast<int64_t>(plan.users));
  EXPECT_EQ(static_cast<int64_t>(schedule.CountItems("join", "users")) + count("admit"), static_cast<int64_t>(plan.users));
  EXPECT_EQ(figure("leaves"), count("leave"));
  EXPECT_EQ(figure("waiting room entries"), count("wait"));
  EXPECT_EQ(figure("admitted from the waiting room"), count("admit"));
  EXPECT_EQ(figure("hands raised"), count("hand up"));
  EXPECT_EQ(figure("host changes"), count("host change"));
  EXPECT_EQ(figure("screen shares"), count("share start"));
  EXPECT_EQ(figure("searches with results"), count("search"));
  EXPECT_EQ(figure("notifications shown"), count("notification"));
  EXPECT_EQ(figure("notification buttons pressed"), count("notification answer"));
  EXPECT_EQ(figure("notifications timed out"), count("notification timeout"));
  EXPECT_EQ(figure("message bars shown"), count("message bar"));
  EXPECT_EQ(figure("alerts shown"), count("audio device failure") + count("camera taken"));
  EXPECT_EQ(figure("web pages opened"), count("web page"));
  EXPECT_EQ(figure("private chat questions"), count("chat check"));

  // Invariants of the gallery: it pulls what its tiles show and nothing else.
  EXPECT_EQ(figure("pulls outside the visible tiles"), 0);
  EXPECT_LE(figure("most streams pulled"), figure("most tiles"));
  EXPECT_LE(figure("most tiles"), 9);
  EXPECT_GT(figure("stream pulls"), 0);
  // Everyone who joined and did not leave is still on the list at the end (the local user too).
  const Variant& counters = summary.Get("counters");
  EXPECT_EQ(counters.Get("members").GetInteger("last"), 1 + static_cast<int64_t>(plan.users) - count("leave"));
  EXPECT_LE(counters.Get("members").GetInteger("max"), 1 + static_cast<int64_t>(plan.users));
  EXPECT_EQ(counters.Get("hands up").GetInteger("last"), count("hand up") - count("hand down"));
  EXPECT_EQ(summary.GetInteger("simulated_ms"), plan.end_ms());
}

TEST(SimMeeting, TheBuiltInMeetingPlaysItsSchedule) {
  TempDir dir;
  const simtest::Result result = RunSim({"--json", dir.File("summary.json")}, dir);
  ASSERT_EQ(result.status, 0) << result.err;
  ExpectSummaryFollowsSchedule(sim::meeting::Plan{}, ReadJson(dir.File("summary.json")));
  EXPECT_NE(result.out.find("== a meeting of 300 people over 60 minutes (seed 1)"), std::string::npos);
  EXPECT_NE(result.out.find("== Summary =="), std::string::npos);
  EXPECT_NE(result.out.find("Time per event kind"), std::string::npos);
  // The meeting scripts every model its pieces ask: no failure is logged on the way.
  EXPECT_EQ(result.out.find("log[1]"), std::string::npos) << result.out.substr(result.out.find("log[1]"), 300);
}

TEST(SimMeeting, UsersMinutesAndSeedMakeAnotherMeeting) {
  TempDir dir;
  const simtest::Result result = RunSim(
      {"--users", "80", "--minutes", "25", "--seed", "7", "--quiet", "--json", dir.File("summary.json")}, dir);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");  // --quiet: only the file
  sim::meeting::Plan plan;
  plan.users = 80;
  plan.minutes = 25;
  plan.seed = 7;
  ExpectSummaryFollowsSchedule(plan, ReadJson(dir.File("summary.json")));
}

TEST(SimMeeting, EveryScheduledKindHasAPlayer) {
  const sim::meeting::Schedule schedule = sim::meeting::Generate(sim::meeting::Plan{});
  for (const sim::meeting::Event& event : schedule.Sorted()) {
    EXPECT_TRUE(sim::meeting::EventKinds().count(event.kind)) << event.kind;
  }
}

TEST(SimMeeting, TheSameSeedGivesTheSameMeetingAndAnotherSeedAnother) {
  sim::meeting::Plan plan;
  const auto first = sim::meeting::Generate(plan).Sorted();
  const auto again = sim::meeting::Generate(plan).Sorted();
  ASSERT_EQ(first.size(), again.size());
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].at_ms, again[i].at_ms);
    EXPECT_EQ(first[i].kind, again[i].kind);
  }
  plan.seed = 2;
  const auto other = sim::meeting::Generate(plan).Sorted();
  bool differs = other.size() != first.size();
  for (size_t i = 0; !differs && i < first.size(); ++i) differs = other[i].at_ms != first[i].at_ms;
  EXPECT_TRUE(differs);
}

TEST(SimMeeting, PreferencesAreKeptAcrossRunsInTheStateFolder) {
  TempDir dir;
  const std::vector<std::string> args = {"--users", "30", "--minutes", "6", "--state", dir.File("state"),
                                         "--json", dir.File("summary.json")};
  ASSERT_EQ(RunSim(args, dir).status, 0);
  EXPECT_EQ(ReadJson(dir.File("summary.json")).Get("figures").GetInteger("meetings played before", -1), 0);
  const simtest::Result second = RunSim(args, dir);
  ASSERT_EQ(second.status, 0);
  EXPECT_EQ(ReadJson(dir.File("summary.json")).Get("figures").GetInteger("meetings played before", -1), 1);
  EXPECT_NE(second.out.find("the last one's last search \""), std::string::npos) << second.out.substr(0, 400);
}

TEST(SimMeeting, StateThatCannotBeKeptIsStatus1) {
  TempDir dir;
  simtest::WriteFile(dir.File("a-file"), "x");
  const simtest::Result result = RunSim({"--users", "10", "--minutes", "2", "--state", dir.File("a-file/state")}, dir);
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("could not be opened"), std::string::npos) << result.err;
  EXPECT_NE(result.out.find("== Summary =="), std::string::npos);  // the meeting still played
}

TEST(SimMeeting, AReportThatCannotBeWrittenIsStatus1) {
  TempDir dir;
  const simtest::Result result = RunSim({"--report", dir.File("missing-folder/report.html")}, dir);
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("cannot write"), std::string::npos) << result.err;
}

struct Slice {
  double ts;
  double end;
};

TEST(SimMeeting, TheTraceIsTraceEventJsonWithNestedSlicesAndCounters) {
  TempDir dir;
  ASSERT_EQ(RunSim({"--users", "60", "--minutes", "10", "--trace", dir.File("run.trace.json")}, dir).status, 0);
  const Variant trace = ReadJson(dir.File("run.trace.json"));
  ASSERT_TRUE(trace.Get("traceEvents").IsArray());
  std::map<int64_t, std::vector<Slice>> tracks;
  std::map<int64_t, std::string> names;
  std::map<std::string, size_t> counters;
  for (const Variant& event : trace.Get("traceEvents").Elements()) {
    const std::string ph = event.GetString("ph");
    ASSERT_TRUE(event.Has("name") && event.Get("pid").IsInteger()) << event.ToJsonStr();
    if (ph == "X") {
      ASSERT_TRUE(event.Get("dur").IsNumber()) << event.ToJsonStr();
      ASSERT_TRUE(event.Get("ts").IsNumber()) << event.ToJsonStr();
      EXPECT_GE(event.Get("dur").AsDouble(), 0.0);
      const double ts = event.Get("ts").AsDouble();
      tracks[event.GetInteger("tid")].push_back({ts, ts + event.Get("dur").AsDouble()});
    } else if (ph == "C") {
      ASSERT_TRUE(event.Get("args").IsMap());
      ++counters[event.GetString("name")];
    } else if (ph == "M" && event.GetString("name") == "thread_name") {
      names[event.GetInteger("tid")] = event.Get("args").GetString("name");
    } else {
      EXPECT_TRUE(ph == "M" || ph == "i") << ph;
    }
  }
  EXPECT_GT(counters["members"], 10u);
  EXPECT_GT(counters["pulled streams"], 0u);
  EXPECT_EQ(names[1], "meeting");
  bool nested = false;
  for (auto& [tid, slices] : tracks) {
    EXPECT_TRUE(names.count(tid)) << "track " << tid << " has no name";
    // Slices on one track nest: each lies inside the open one or after it, never across its end.
    std::sort(slices.begin(), slices.end(),
              [](const Slice& a, const Slice& b) { return a.ts != b.ts ? a.ts < b.ts : a.end > b.end; });
    std::vector<double> open;
    for (const Slice& slice : slices) {
      while (!open.empty() && open.back() <= slice.ts) open.pop_back();
      if (!open.empty()) {
        EXPECT_LE(slice.end, open.back() + 1e-3) << "track " << names[tid] << " at " << slice.ts;
        nested = true;
      }
      open.push_back(slice.end);
    }
  }
  EXPECT_TRUE(nested);  // the meeting's minutes lie inside the meeting
  EXPECT_GT(tracks.size(), 5u);
}

// SIGTERM stops the run after the current event; what was played is still printed and written.
TEST(SimMeeting, SigtermStopsTheRunAndStillWritesEverything) {
  TempDir dir;
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  const std::string json = dir.File("summary.json");
  const std::string state = dir.File("state");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    execl(VELTO_SIM_BINARY, VELTO_SIM_BINARY, "--realtime", "--state", state.c_str(), "--json", json.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  std::string text;
  char c = 0;
  while (text.find('\n') == std::string::npos && read(out[0], &c, 1) == 1) text += c;  // the first line
  ASSERT_EQ(kill(child, SIGTERM), 0);
  char buffer[4096];
  ssize_t n = 0;
  while ((n = read(out[0], buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  close(out[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 128 + SIGTERM);
  EXPECT_NE(text.find("== Summary =="), std::string::npos) << text;
  EXPECT_NE(text.find("(stopped by a signal)"), std::string::npos) << text;
  EXPECT_EQ(ReadJson(json).GetInteger("interrupted_by_signal"), SIGTERM);
}

}  // namespace
