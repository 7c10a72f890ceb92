// velto-sim [scenario.json] [--realtime] [--log-level N] [--10k] [--network]
// With no file, plays the built-in scenario.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "hostkit/hostkit.h"
#include "sim.h"

int main(int argc, char** argv) {
  sim::Context context;
  std::string file;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--realtime")) {
      context.realtime = true;
    } else if (!std::strcmp(argv[i], "--log-level") && i + 1 < argc) {
      context.print_log_level = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--10k")) {
      context.crowd = 10000;
    } else if (!std::strcmp(argv[i], "--network")) {
      context.network = true;
    } else if (!std::strcmp(argv[i], "--help")) {
      std::printf("usage: velto-sim [scenario.json] [--realtime] [--log-level N] [--10k] [--network]\n");
      return 0;
    } else {
      file = argv[i];
    }
  }

  hostkit::Reset();
  hostkit::UseRealTime(context.realtime);

  std::vector<std::string> documents;
  if (file.empty()) {
    documents = sim::BuiltinChapters();
    if (context.network) {
      for (std::string& chapter : sim::NetworkChapters()) documents.push_back(std::move(chapter));
    }
  } else {
    std::ifstream in(file);
    if (!in) {
      std::fprintf(stderr, "velto-sim: cannot read %s\n", file.c_str());
      return 2;
    }
    std::stringstream text;
    text << in.rdbuf();
    documents.push_back(text.str());
  }

  bool ok = true;
  for (const std::string& document : documents) {
    bool parsed = false;
    base::variant::Variant scenario = base::variant::Variant::ParseJson(document, &parsed);
    if (!parsed) {
      std::fprintf(stderr, "velto-sim: the scenario is not valid JSON\n");
      return 2;
    }
    ok = sim::RunScenario(scenario, context) && ok;
  }
  hostkit::Reset();
  return ok ? 0 : 1;
}
