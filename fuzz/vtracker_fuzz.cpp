// Fuzzes the tracker's configuration file ("vtracker.json" of the dynamic resource
// "visual_tracking_conf"): any bytes, read and parsed the way a download is, must either load
// or be refused with a record, and a refused file must leave the configuration as it was.
//
// Properties checked besides the sanitizers:
//  - before each input the tracker holds a known configuration; after a refused input (a level-3
//    "keep the current" record) it holds exactly that configuration still;
//  - a loaded input gives entries whose key ends with "_" and their own element hash, with no
//    more entries than the input has strings (each entry needs a page hash of its own text).
//
//   build-fuzz/bin/vtracker_fuzz -max_total_time=300 fuzz/corpus/vtracker
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "hostkit/client_settings.h"
#include "hostkit/hostkit.h"
#include "module_api/vtracker/vtracker_analytics.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

struct World {
  World() {
    hostkit::Reset();
    hostkit::SetLogLevel(3);
    settings.Set(vtracker::kEnableAbilityKey, true);
    dir = std::filesystem::temp_directory_path() / ("vtracker_fuzz_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    baseline = (dir / "baseline.json").string();
    input = (dir / "vtracker.json").string();
    std::ofstream(baseline) << R"([{"page_hash": "home", "elements": [{"element_page_hash": ["p1", "p2"],
        "element_hash": "e", "begin_version": "1.0", "event_code": "baseline"}]}])";
  }
  hostkit::ClientSettings settings = hostkit::InstallClientSettings();
  std::filesystem::path dir;
  std::string baseline;
  std::string input;
};

void Load(vtracker::VTrackerAnalytics& tracker, const std::string& path) {
  tracker.LoadConfigFile(path);
  hostkit::RunUntilIdle();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static World* world = new World();
  vtracker::VTrackerAnalytics& tracker = *vtracker::VTrackerAnalytics::GetInstance();
  Load(tracker, world->baseline);
  Check(tracker.config_map().size() == 2 && tracker.config_map().count("p1_e"));

  {
    std::ofstream file(world->input, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  hostkit::ClearLogs();
  Load(tracker, world->input);

  const vtracker::VTrackerConfigMap& map = tracker.config_map();
  if (hostkit::CountLogs(3, "keep the current") > 0) {
    Check(map.size() == 2);
    const vtracker::VTrackerConfigItem& kept = map.at("p2_e");
    Check(kept.event_code == "baseline" && kept.page_hash == "home" && kept.begin_version == "1.0");
    return 0;
  }
  Check(tracker.resource_dir() == world->dir.string());
  size_t quotes = 0;
  for (size_t i = 0; i < size; ++i) quotes += data[i] == '"';
  Check(map.size() <= quotes / 2);
  for (const auto& [key, item] : map) {
    const std::string suffix = "_" + item.element_hash;
    Check(key.size() >= suffix.size() && key.compare(key.size() - suffix.size(), suffix.size(), suffix) == 0);
  }
  return 0;
}
