// velto-sim: without a scenario file, plays the built-in meeting (300 people over 60 simulated
// minutes; --users, --minutes and --seed vary it). With one, checks it whole and plays it.
// Exit status: 0 played, 2 bad input, 1 state or output that could not be kept, 128 + signal
// when stopped by SIGINT or SIGTERM (what was played is still printed and written).
#include <CLI/CLI.hpp>

#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "hostkit/hostkit.h"
#include "meeting/player.h"
#include "record.h"
#include "sim.h"

namespace {

struct Options {
  std::string scenario;
  size_t users = 300;
  int64_t minutes = 60;
  uint64_t seed = 1;
  bool crowd = false;
  bool chapters = false;
  std::string state_dir;
  std::string report;
  std::string json;
  std::string trace;
  bool realtime = false;
  bool quiet = false;
  int log_level = 3;
  bool list_queries = false;
  bool list_actions = false;
  bool schema = false;
  bool format_doc = false;
};

std::string DefaultStateDir() {
  if (const char* dir = std::getenv("XDG_STATE_HOME"); dir && *dir) return std::string(dir) + "/velto-sim";
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/state/velto-sim";
  return "/tmp/velto-sim-state";
}

int BadInput(const std::string& text) {
  std::fprintf(stderr, "velto-sim: %s\n", text.c_str());
  return 2;
}

// A number flag takes plain decimal digits within its range: no sign, fraction, exponent,
// spaces, leading zero (which would read as octal) or hexadecimal, and nothing that overflows.
CLI::Validator WholeNumber(uint64_t low, uint64_t high) {
  const std::string expected = "expected a whole number from " + std::to_string(low) + " to " + std::to_string(high);
  return CLI::Validator(
      [low, high, expected](std::string& text) -> std::string {
        uint64_t value = 0;
        const char* end = text.data() + text.size();
        const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos &&
                            (text.size() == 1 || text[0] != '0');
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        if (!digits || error != std::errc() || stop != end || value < low || value > high) {
          return expected + ", found \"" + text + "\"";
        }
        return {};
      },
      high == UINT64_MAX ? "" : "in [" + std::to_string(low) + " - " + std::to_string(high) + "]");
}

extern "C" void OnSignal(int signal) { sim::Interrupt(signal); }

// Output files are opened before the run, so a path that cannot be written fails at once.
struct Output {
  std::string path;
  std::string (*render)(const sim::Recorder&);
  std::ofstream file;
};

std::string LoadFile(const std::string& path, bool* ok) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  *ok = static_cast<bool>(in) || in.eof();
  return text.str();
}

// The member panel chapter, for --10k.
std::string MemberPanelChapter() {
  for (const std::string& json : sim::BuiltinChapters()) {
    if (json.find("\"member_panel\"") != std::string::npos) return json;
  }
  return {};
}

int PlayDocuments(const std::vector<std::pair<std::string, std::string>>& documents, sim::Context& context) {
  for (const auto& [origin, text] : documents) {
    sim::Variant scenario;
    std::string error = sim::ParseDocument(text, &scenario);
    if (error.empty() && !sim::RunScenario(scenario, context)) error = context.error;
    if (!error.empty()) {
      std::fflush(stdout);
      return BadInput(origin + ": " + error);
    }
    if (sim::InterruptSignal()) break;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Line by line, so that what was printed survives a run that is killed outright.
  std::setvbuf(stdout, nullptr, _IOLBF, 1 << 16);
  Options o;
  CLI::App app{"velto-sim: plays a meeting through the host stand-in and prints what the library does.\n"
               "Without a scenario file it plays the built-in meeting; docs/scenario.md describes the format."};
  app.set_version_flag("--version", "velto-sim 1");
  auto* scenario = app.add_option("scenario", o.scenario, "a scenario file (JSON) to check and play")
                       ->check(CLI::ExistingFile)
                       ->type_name("FILE.json");
  auto* users = app.add_option("--users", o.users, "people in the built-in meeting")
                    ->check(WholeNumber(1, 20000))
                    ->capture_default_str();
  auto* minutes = app.add_option("--minutes", o.minutes, "simulated minutes of the built-in meeting")
                      ->check(WholeNumber(1, 24 * 60))
                      ->capture_default_str();
  auto* seed = app.add_option("--seed", o.seed, "varies the built-in meeting: the same seed, the same meeting")
                   ->check(WholeNumber(0, UINT64_MAX))
                   ->capture_default_str();
  auto* crowd = app.add_flag("--10k", o.crowd,
                             "the member panel chapter with 10,000 more users, timing each kind of event");
  auto* chapters = app.add_flag("--chapters", o.chapters, "play the features' scripted chapters one after another");
  app.add_option("--state", o.state_dir, "the folder where preferences are kept across runs")
      ->envname("VELTO_SIM_STATE_DIR")
      ->type_name("DIR")
      ->default_str("$XDG_STATE_HOME/velto-sim");
  app.add_option("--report", o.report, "write a self-contained HTML report of the run")->type_name("FILE.html");
  app.add_option("--json", o.json, "write the run's summary as JSON")->type_name("FILE");
  app.add_option("--trace", o.trace, "write the run as a Chrome trace-event file (Perfetto, chrome://tracing)")
      ->type_name("FILE");
  app.add_flag("--realtime", o.realtime, "follow the wall clock instead of fast-forwarding");
  auto* quiet = app.add_flag("--quiet", o.quiet, "the built-in meeting prints neither timeline nor summary (files are still written)");
  app.add_option("--log-level", o.log_level, "show the library's log records up to this level (1 failures ... 6 trace)")
      ->check(WholeNumber(0, 7))
      ->capture_default_str();
  auto* list_queries = app.add_flag("--list-queries", o.list_queries, "list the queries an \"ask\" step may name");
  auto* list_actions = app.add_flag("--list-actions", o.list_actions, "list the actions a step may do, with their arguments");
  auto* schema = app.add_flag("--schema", o.schema, "print the JSON Schema of scenario files");
  auto* format_doc = app.add_flag("--format-doc", o.format_doc, "print the scenario format page (docs/scenario.md)");
  for (CLI::Option* option : {users, minutes, seed, crowd, chapters, quiet}) scenario->excludes(option);
  crowd->excludes(quiet);
  chapters->excludes(quiet);
  for (CLI::Option* option : {users, minutes, seed, chapters}) crowd->excludes(option);
  for (CLI::Option* option : {users, minutes, seed}) chapters->excludes(option);
  for (CLI::Option* option : {list_queries, list_actions, schema, format_doc}) {
    for (CLI::Option* other : {scenario, users, minutes, seed, crowd, chapters}) option->excludes(other);
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    return BadInput(std::string(e.what()) + " (velto-sim --help lists the options)");
  }

  if (o.list_queries) {
    for (const auto& [name, query] : sim::Queries()) std::printf("%s\n", name.c_str());
    return 0;
  }
  if (o.list_actions) {
    std::printf("%s", sim::ListActions().c_str());
    return 0;
  }
  if (o.schema) {
    std::printf("%s", sim::JsonSchema().c_str());
    return 0;
  }
  if (o.format_doc) {
    std::printf("%s", sim::FormatDoc().c_str());
    return 0;
  }

  std::vector<std::pair<std::string, std::string>> documents;
  if (!o.scenario.empty()) {
    bool ok = false;
    std::string text = LoadFile(o.scenario, &ok);
    if (!ok) return BadInput("cannot read " + o.scenario);
    documents.emplace_back(o.scenario, std::move(text));
  } else if (o.crowd) {
    documents.emplace_back("the member panel chapter", MemberPanelChapter());
  } else if (o.chapters) {
    for (const std::string& json : sim::BuiltinChapters()) documents.emplace_back("a built-in chapter", json);
  }
  // A scenario is checked whole before anything plays.
  for (const auto& [origin, text] : documents) {
    sim::Variant document;
    std::string error = sim::ParseDocument(text, &document);
    if (error.empty()) error = sim::Validate(document);
    if (!error.empty()) return BadInput(origin + ": " + error);
  }

  std::vector<Output> outputs;
  if (!o.report.empty()) outputs.push_back({o.report, sim::ReportHtml, {}});
  if (!o.json.empty()) outputs.push_back({o.json, sim::SummaryJson, {}});
  if (!o.trace.empty()) outputs.push_back({o.trace, sim::TraceJson, {}});
  for (Output& output : outputs) {
    output.file.open(output.path, std::ios::binary | std::ios::trunc);
    if (!output.file) {
      std::fprintf(stderr, "velto-sim: cannot write %s\n", output.path.c_str());
      return 1;
    }
  }

  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  sim::Recorder recorder;
  sim::Context context;
  context.realtime = o.realtime;
  context.quiet = o.quiet;
  context.print_log_level = o.log_level;
  context.crowd = o.crowd ? 10000 : 0;
  context.state_dir = o.state_dir.empty() ? DefaultStateDir() : o.state_dir;
  context.recorder = &recorder;

  hostkit::Reset();
  hostkit::UseRealTime(context.realtime);
  int status = 0;
  if (documents.empty()) {
    // Captured trace records of a whole meeting would dwarf its work: capture what is shown.
    hostkit::SetLogLevel(o.log_level);
    sim::meeting::Plan plan;
    plan.users = o.users;
    plan.minutes = o.minutes;
    plan.seed = o.seed;
    context.logs_seen = hostkit::Logs().size();
    status = sim::meeting::PlayMeeting(plan, context, recorder);
  } else {
    recorder.SetTitle(o.scenario.empty() ? (o.crowd ? "the member panel at 10,000 users" : "the built-in chapters")
                                         : o.scenario);
    status = PlayDocuments(documents, context);
    recorder.SetEnd(hostkit::NowMs());
    recorder.SetInterrupted(sim::InterruptSignal());
    if (status == 0 && context.state_lost) status = 1;
  }
  hostkit::Reset();

  for (Output& output : outputs) {
    output.file << output.render(recorder);
    output.file.close();
    if (!output.file) {
      std::fprintf(stderr, "velto-sim: cannot write %s\n", output.path.c_str());
      if (status == 0) status = 1;
    }
  }
  std::fflush(stdout);
  if (sim::InterruptSignal()) return 128 + sim::InterruptSignal();
  return status;
}
