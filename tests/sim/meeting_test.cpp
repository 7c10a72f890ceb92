// The built-in meeting against its own schedule: what the generator planned (joins, leaves,
// hands, alerts, notifications) is what the library was seen to do, and the gallery never pulls
// a stream it does not show.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "hostkit/platform.h"
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

  // The time limit: each banner the meeting alarm model raised was shown, the countdown hid the
  // label, each time card pressed was spent, and every look after the limit found it on the label.
  auto looks_after_open = [&] {
    int64_t looks = 0;
    for (const auto& event : schedule.Sorted()) looks += event.kind == "time label" && !event.args.GetBoolean("open");
    return looks;
  };
  EXPECT_EQ(figure("time limits"), count("time limit"));
  EXPECT_EQ(figure("meeting alarms shown"), count("time alarm") + count("countdown"));
  EXPECT_EQ(figure("countdowns shown"), count("countdown"));
  EXPECT_EQ(figure("time cards used"), count("time card"));
  EXPECT_EQ(figure("looks at the limit on the label"), looks_after_open());
  // Join limits: a dialog for each refused join, answered with the button the schedule says,
  // and the answer carried out.
  auto answered = [&](const std::string& limit, const std::string& button) {
    int64_t n = 0;
    for (const auto& event : schedule.Sorted()) {
      n += event.kind == "join alert answered" && event.args.GetString("button") == button &&
           (limit.empty() || event.args.GetString("limit") == limit);
    }
    return n;
  };
  EXPECT_EQ(figure("join-limit alerts shown"), count("join refused"));
  EXPECT_EQ(figure("join-limit positive answers"), answered("", "positive"));
  EXPECT_EQ(figure("join-limit negative answers"), answered("", "negative"));
  EXPECT_EQ(figure("join-limit dialogs closed"), answered("", "close"));
  EXPECT_EQ(figure("enrolment pages opened"), answered("not enrolled", "positive"));
  EXPECT_EQ(figure("other meetings ended to join"), answered("room in use", "positive"));
  // What was shown carries the answer given: the time card's button on the countdown, and on
  // each join-limit dialog the button the schedule pressed (its close box as "close").
  std::map<int64_t, std::string> dialogs;  // shown at -> answer
  std::vector<std::string> alarm_answers;
  for (const Variant& notice : summary.Get("shown").Elements()) {
    if (notice.GetString("what") == "alert") dialogs[notice.GetInteger("at_ms")] = notice.GetString("answer");
    if (notice.GetString("what") == "alarm") alarm_answers.push_back(notice.GetString("answer"));
  }
  std::map<int64_t, int64_t> refused_at;  // attempt -> when
  for (const auto& event : schedule.Sorted()) {
    if (event.kind == "join refused") refused_at[event.args.GetInteger("attempt")] = event.at_ms;
    if (event.kind != "join alert answered") continue;
    const int64_t at = refused_at[event.args.GetInteger("attempt")];
    ASSERT_TRUE(dialogs.count(at)) << "no dialog shown at " << at;
    EXPECT_NE(dialogs[at], "");
    EXPECT_EQ(dialogs[at] == "close", event.args.GetString("button") == "close") << dialogs[at] << " at " << at;
  }
  ASSERT_EQ(static_cast<int64_t>(alarm_answers.size()), count("time alarm") + count("countdown"));
  EXPECT_EQ(alarm_answers.back(), count("time card") ? "Use a time card" : "");

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

// Everything but the measured timings and the state folder's path is the same on every run,
// and the meeting day comes from the meeting's server clock, not the machine's.
TEST(SimMeeting, TheTimelineIsTheSameOnEveryRun) {
  TempDir dir;
  auto timeline = [&](const std::string& state) {
    std::string out = RunSim({"--users", "40", "--minutes", "12", "--state", dir.File(state)}, dir).out;
    out = out.substr(0, out.find("Time per event kind"));
    const size_t path = out.find(dir.File(state));
    if (path != std::string::npos) out.erase(path, dir.File(state).size());
    return out;
  };
  const std::string first = timeline("one");
  EXPECT_EQ(first, timeline("two"));
  const time_t server = static_cast<time_t>(hostkit::kServerTimeAtReset / 1000);
  struct tm day = {};
  gmtime_r(&server, &day);
  char expected[80];
  std::snprintf(expected, sizeof expected, "the meeting day: %04d-%02d-%02d,", day.tm_year + 1900, day.tm_mon + 1,
                day.tm_mday);
  EXPECT_NE(first.find(expected), std::string::npos) << first.substr(0, 600);
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
  // One track per feature, the time limit's, the alarm's and the join limits' among them.
  std::set<std::string> track_names;
  for (const auto& [tid, name] : names) track_names.insert(name);
  for (const char* track : {"time limit", "meeting alarm", "join limits", "members", "video"}) {
    EXPECT_TRUE(track_names.count(track)) << track;
  }
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

// Progress goes to stderr only when it is a terminal, once the run has taken a second, and the
// line is cleared when the run ends so that the shell's prompt starts clean.
TEST(SimMeeting, ProgressGoesToATerminalAndIsClearedAtTheEnd) {
  TempDir dir;
  int master = -1;
  int slave = -1;
  ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  const std::string state = dir.File("state");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    dup2(slave, STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    close(master);
    close(slave);
    execl(VELTO_SIM_BINARY, VELTO_SIM_BINARY, "--realtime", "--state", state.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(slave);
  // The built-in meeting has events every second from the start: progress shows after the first
  // second. The run is stopped once it has.
  std::string err;
  char buffer[4096];
  pollfd ready = {master, POLLIN, 0};
  while (err.find(" events") == std::string::npos && poll(&ready, 1, 30000) == 1) {
    const ssize_t n = read(master, buffer, sizeof buffer);
    if (n <= 0) break;
    err.append(buffer, static_cast<size_t>(n));
  }
  kill(child, SIGTERM);
  ssize_t n = 0;
  while ((n = read(master, buffer, sizeof buffer)) > 0) err.append(buffer, static_cast<size_t>(n));  // EIO at the end
  close(master);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGTERM);
  EXPECT_NE(err.find("\rvelto-sim: 0:0"), std::string::npos) << err;
  EXPECT_NE(err.find(" of 60:00 simulated, "), std::string::npos) << err;
  ASSERT_GE(err.size(), 4u);
  EXPECT_EQ(err.substr(err.size() - 4), "\r\033[K") << err;
}

// A run longer than a second whose stderr is a file shows no progress there.
TEST(SimMeeting, NoProgressWhenStderrIsNotATerminal) {
  TempDir dir;
  const simtest::Result result = RunSim({"--users", "3000", "--minutes", "10", "--quiet"}, dir);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
}

// SIGTERM or SIGINT stops the run after the current event; what was played is still printed and written.
void ExpectStoppedBy(int signal) {
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
  ASSERT_EQ(kill(child, signal), 0);
  char buffer[4096];
  ssize_t n = 0;
  while ((n = read(out[0], buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  close(out[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
  EXPECT_NE(text.find("== Summary =="), std::string::npos) << text;
  EXPECT_NE(text.find("(stopped by a signal)"), std::string::npos) << text;
  EXPECT_EQ(ReadJson(json).GetInteger("interrupted_by_signal"), signal);
}

TEST(SimMeeting, SigtermStopsTheRunAndStillWritesEverything) { ExpectStoppedBy(SIGTERM); }

// Ctrl-C at the terminal does the same.
TEST(SimMeeting, SigintStopsTheRunAndStillWritesEverything) { ExpectStoppedBy(SIGINT); }

}  // namespace
