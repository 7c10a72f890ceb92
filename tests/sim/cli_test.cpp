// The command line and the scenario checks as a new user meets them: each bad input gets one
// clear error and exit status 2, before anything plays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim.h"
#include "sim_run.h"

namespace {

using simtest::RunSim;
using simtest::TempDir;

struct BadScenario {
  const char* what;
  const char* document;
  const char* error;  // the message after "velto-sim: <file>: "
};

const BadScenario kBadScenarios[] = {
    {"a time in words", R"({"timeline": [{"at": "soon", "do": "print", "text": "x"}]})",
     "timeline[0].at: expected a whole number from 0 to 86400000, found the string \"soon\""},
    {"a time with an exponent", R"({"timeline": [{"at": 1e3, "do": "print", "text": "x"}]})",
     "timeline[0].at: expected a whole number from 0 to 86400000, found the number 1000 written with a fraction or an exponent"},
    {"a time with a fraction", R"({"timeline": [{"at": 1500.5, "do": "print", "text": "x"}]})",
     "timeline[0].at: expected a whole number from 0 to 86400000, found the number 1500.5"},
    {"a negative time", R"({"timeline": [{"at": -5, "do": "print", "text": "x"}]})",
     "timeline[0].at: expected a whole number from 0 to 86400000, found the number -5"},
    {"queries as a string", R"({"timeline": [{"at": 0, "do": "ask", "queries": "x"}]})",
     "timeline[0].queries: expected an array of query names, found the string \"x\""},
    {"models as an array", R"({"models": [1, 2, 3], "timeline": []})",
     "models: expected an object keyed by ids from 0 to 2147483647, found an array"},
    {"timeline as an object", R"({"timeline": {"at": 0}})", "timeline: expected an array of steps, found an object"},
    {"a model key in letters", R"({"models": {"abc": {}}, "timeline": []})",
     "models.abc: expected keys that are ids from 0 to 2147483647, found the key \"abc\""},
    {"a model key too large", R"({"models": {"99999999999": {}}, "timeline": []})",
     "models.99999999999: expected keys that are ids from 0 to 2147483647, found the key \"99999999999\""},
    {"an unknown query", R"({"timeline": [{"at": 0, "do": "ask", "queries": ["inmeeting.Nope"]}]})",
     "timeline[0].queries[0]: unknown query \"inmeeting.Nope\" (velto-sim --list-queries shows them)"},
    {"an unknown action", R"({"timeline": [{"at": 0, "do": "jump"}]})",
     "timeline[0].do: unknown action \"jump\" (velto-sim --list-actions shows them)"},
    {"an unknown field", R"({"timeline": [{"at": 0, "do": "print", "text": "x", "colour": "red"}]})",
     "timeline[0].colour: unknown field for \"print\" (allowed: at, do, text)"},
    {"an unknown top-level field", R"({"timeline": [], "steps": []})", "steps: unknown field (allowed: name, models, timeline)"},
    {"a missing field", R"({"timeline": [{"at": 0, "do": "print"}]})",
     "timeline[0]: missing \"text\" (a string)"},
    {"no timeline", R"({"name": "x"})", "the document: missing \"timeline\" (an array of steps)"},
    {"a key given twice", R"({"timeline": [{"at": 0, "at": 5, "do": "print", "text": "x"}]})",
     "timeline[0]: the key \"at\" is given twice"},
    {"an unknown op", R"({"timeline": [{"at": 0, "do": "gallery", "op": "fly"}]})",
     "timeline[0].op: expected one of install, video, join, leave, resend, page_size, speaker, gallery, degrade, "
     "recover, audio_mode, stall, show, close, found the string \"fly\""},
    {"a field of another op", R"({"timeline": [{"at": 0, "do": "gallery", "op": "video", "users": ["u-1"], "page_size": 4}]})",
     "timeline[0].page_size: unknown field for \"gallery\" op \"video\" (allowed: at, do, op, users, on)"},
    {"a key with a line break", "{\"timeline\": [], \"a\\nb\": 1}",
     "[\"a\\nb\"]: unknown field (allowed: name, models, timeline)"},
    {"an answer keyed by a word", R"({"models": {"514": {"answers": {"three": 3}}}, "timeline": []})",
     "models.514.answers.three: expected keys that are ids from 0 to 2147483647, found the key \"three\""},
    {"a command id too large", R"({"models": {"514": {"fail": [4294967296]}}, "timeline": []})",
     "models.514.fail[0]: expected a whole number from 0 to 2147483647, found the number 4294967296"},
    {"not JSON", "{\"timeline\": [\n{\"at\": 0,]}", "not valid JSON at line 2, column 10: Missing a name for object member."},
    {"not an object", "[1, 2]", "the document: expected an object with \"timeline\", found an array"},
};

TEST(SimCommandLine, EachBadScenarioGetsOneErrorAndStatus2BeforeAnythingPlays) {
  TempDir dir;
  const std::string file = dir.File("bad.json");
  for (const BadScenario& bad : kBadScenarios) {
    simtest::WriteFile(file, bad.document);
    const simtest::Result result = RunSim({file}, dir);
    EXPECT_EQ(result.status, 2) << bad.what;
    EXPECT_EQ(result.err, "velto-sim: " + file + ": " + bad.error + "\n") << bad.what;
    EXPECT_EQ(result.out, "") << bad.what;
  }
}

// Steps that the table cannot judge are refused when they come up, with the step named.
TEST(SimCommandLine, StepsThatCannotBeCarriedOutStopTheRunWithStatus2) {
  TempDir dir;
  const std::string file = dir.File("bad.json");
  const std::pair<const char*, const char*> cases[] = {
      {R"({"timeline": [{"at": 500, "do": "fire", "model": 508, "event": 1, "payload": {}}]})",
       "timeline[0] (\"fire\" at 500 ms): model 508 is not installed"},
      {R"({"models": {"514": {}}, "timeline": [{"at": 0, "do": "remove_model", "model": 777}]})",
       "timeline[0] (\"remove_model\" at 0 ms): model 777 is not installed"},
      {R"({"timeline": [{"at": 0, "do": "member_panel", "op": "leave", "user_id": "u-1"}]})",
       "timeline[0] (\"member_panel leave\" at 0 ms): no member panel is open"},
  };
  for (const auto& [document, error] : cases) {
    simtest::WriteFile(file, document);
    const simtest::Result result = RunSim({file}, dir);
    EXPECT_EQ(result.status, 2) << document;
    EXPECT_NE(result.err.find(error), std::string::npos) << result.err;
    // A step never installs the model it names.
    EXPECT_EQ(result.out.find("removed"), std::string::npos) << result.out;
  }
}

TEST(SimCommandLine, BadFlagsGetOneErrorAndStatus2) {
  TempDir dir;
  const std::string file = dir.File("ok.json");
  simtest::WriteFile(file, R"({"timeline": [{"at": 0, "do": "print", "text": "hello"}]})");
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"--bogus"}, "The following argument was not expected: --bogus"},
      {{"--log-level", "abc"}, "--log-level"},
      {{"--log-level", "9"}, "--log-level"},
      {{file, file}, "The following argument was not expected"},
      {{file, "--10k"}, "excludes --10k"},
      {{file, "--users", "10"}, "excludes --users"},
      {{"--users", "0"}, "--users"},
      {{"--minutes", "-5"}, "--minutes"},
      // Numbers are read as written: no wrap-around, overflow, octal or hexadecimal.
      {{"--seed", "-1"}, "--seed: expected a whole number from 0 to 18446744073709551615, found \"-1\""},
      {{"--seed", "99999999999999999999999"}, "--seed: expected a whole number"},
      {{"--users", "010"}, "--users: expected a whole number from 1 to 20000, found \"010\""},
      {{"--users", "0x10"}, "--users: expected a whole number"},
      {{"--minutes", "1e2"}, "--minutes: expected a whole number from 1 to 1440"},
      {{dir.File("missing.json")}, "File does not exist"},
  };
  for (const auto& [args, error] : cases) {
    const simtest::Result result = RunSim(args, dir);
    EXPECT_EQ(result.status, 2) << args.front();
    EXPECT_NE(result.err.find(error), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line: " << result.err;
    EXPECT_EQ(result.out, "");
  }
}

TEST(SimCommandLine, HelpListsEveryFlag) {
  TempDir dir;
  const simtest::Result result = RunSim({"--help"}, dir);
  EXPECT_EQ(result.status, 0);
  for (const char* flag : {"--users", "--minutes", "--seed", "--state", "--report", "--json", "--trace", "--10k",
                           "--chapters", "--realtime", "--quiet", "--log-level", "--list-queries", "--list-actions", "--schema",
                           "--format-doc", "--version", "--help"}) {
    EXPECT_NE(result.out.find(flag), std::string::npos) << flag;
  }
}

TEST(SimCommandLine, ListQueriesPrintsEveryRegisteredQuery) {
  TempDir dir;
  const simtest::Result result = RunSim({"--list-queries"}, dir);
  EXPECT_EQ(result.status, 0);
  std::string expected;
  for (const auto& [name, query] : sim::Queries()) expected += name + "\n";
  EXPECT_EQ(result.out, expected);
}

TEST(SimCommandLine, ListActionsPrintsEveryActionAndOpWithItsArguments) {
  TempDir dir;
  const simtest::Result result = RunSim({"--list-actions"}, dir);
  EXPECT_EQ(result.status, 0);
  for (const auto& [name, spec] : sim::ActionSpecs()) {
    EXPECT_NE(("\n" + result.out).find("\n" + name), std::string::npos) << name;
    for (const sim::OpSpec& op : spec.ops) EXPECT_NE(result.out.find("op=" + op.name), std::string::npos) << op.name;
  }
  EXPECT_NE(result.out.find("fire model=<a whole number from 0 to 2147483647> event="), std::string::npos);
}

TEST(SimCommandLine, AValidScenarioPlaysAndExits0) {
  TempDir dir;
  const std::string file = dir.File("ok.json");
  simtest::WriteFile(file, R"({"name": "mine",
      "models": {"514": {"answers": {"3": {"meeting_item": {"meeting_type": 2}}}}},
      "timeline": [{"at": 0, "do": "ask", "queries": ["inmeeting.GetCurrentMeetingType"]},
                   {"at": 1000, "do": "script", "model": 514, "fail": [3]},
                   {"at": 1000, "do": "ask", "queries": ["inmeeting.GetCurrentMeetingType"]}]})");
  const simtest::Result result = RunSim({file}, dir);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("[  0.000s] inmeeting.GetCurrentMeetingType = 2"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("[  1.000s] inmeeting.GetCurrentMeetingType = -1"), std::string::npos) << result.out;
}

// A scenario run leaves the same files as the meeting: each step a slice on its action's track.
TEST(SimCommandLine, AScenarioRunWritesItsJsonAndTrace) {
  TempDir dir;
  const std::string file = dir.File("ok.json");
  simtest::WriteFile(file, R"({"models": {"508": {"answers": {"3": 4}}},
      "timeline": [{"at": 0, "do": "ask", "queries": ["member.GetUserCount"]},
                   {"at": 0, "do": "print", "text": "a"},
                   {"at": 2000, "do": "fire", "model": 508, "event": 1, "payload": [1]}]})");
  const simtest::Result result = RunSim({file, "--json", dir.File("s.json"), "--trace", dir.File("t.json")}, dir);
  ASSERT_EQ(result.status, 0) << result.err;
  bool ok = false;
  const sim::Variant summary = sim::Variant::ParseJson(simtest::ReadFile(dir.File("s.json")), &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(summary.Get("timings").Get("ask").GetInteger("count"), 1);
  EXPECT_EQ(summary.Get("timings").Get("fire").GetInteger("count"), 1);
  EXPECT_EQ(summary.GetInteger("simulated_ms"), 2000);
  const sim::Variant trace = sim::Variant::ParseJson(simtest::ReadFile(dir.File("t.json")), &ok);
  ASSERT_TRUE(ok);
  size_t slices = 0;
  for (const sim::Variant& event : trace.Get("traceEvents").Elements()) {
    if (event.GetString("ph") == "X" && event.GetString("cat") != "meeting") {
      ++slices;
      EXPECT_TRUE(event.Get("dur").IsNumber());
    }
  }
  EXPECT_EQ(slices, 3u);
}

TEST(SimCommandLine, TenKPlaysTheMemberPanelAtTenThousandUsersWithItsTimingTable) {
  TempDir dir;
  const simtest::Result result = RunSim({"--10k"}, dir);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("the member panel opens on 10008 users"), std::string::npos);
  EXPECT_NE(result.out.find("time per event kind at 10009 users:"), std::string::npos);
  for (const char* kind : {"load", "add", "update", "remove", "hide switch", "search"}) {
    EXPECT_NE(result.out.find(std::string("  ") + kind + " "), std::string::npos) << kind;
  }
}

TEST(SimCommandLine, EveryChapterPlaysToItsEnd) {
  TempDir dir;
  const simtest::Result result = RunSim({"--chapters"}, dir);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
}

}  // namespace
