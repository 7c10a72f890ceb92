// The tracker's world for its tests: client settings with the switch on, a pinned wall clock,
// configuration files in a directory of the test's own, and screens of named modules.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "framework/viewmodel.h"
#include "hostkit/client_settings.h"
#include "hostkit/hostkit.h"
#include "hostkit/module_interceptor.h"
#include "hostkit/timers.h"
#include "module_api/vtracker/vtracker.h"
#include "module_api/vtracker/vtracker_analytics.h"

namespace vtracker_test {

using base::variant::Variant;

inline constexpr int64_t kEpochMs = 1'700'000'000'000;

// A view model of a module, as the host would file it.
class Screen : public framework::ViewModel {
 public:
  Screen(int vm_type, const std::string& module_name) {
    set_view_model_type(vm_type);
    hostkit::SetViewModelModule(*this, module_name);
  }
};

// One configuration element: `event_code` for `action` of view-model type `vm_type` in `module`.
struct Element {
  std::string module_name;
  int vm_type;
  int action;
  std::string event_code;
  std::string begin_version = "1.0";
};

// "vtracker.json" text with one page ("page_hash": `page`) holding the elements.
inline std::string ConfigJson(const std::vector<Element>& elements, const std::string& page = "page") {
  Variant list = Variant::Array();
  for (const Element& e : elements) {
    Variant element = Variant::Map();
    element["element_page_hash"].Add(vtracker::GetVTrackerPageHash(e.module_name, e.vm_type));
    element["element_hash"] = vtracker::GetVTrackerElementHash(e.action);
    element["begin_version"] = e.begin_version;
    element["event_code"] = e.event_code;
    list.Add(element);
  }
  Variant root = Variant::Array();
  Variant& entry = root.Add(Variant::Map());
  entry["page_hash"] = page;
  entry["elements"] = list;
  return root.ToJsonStr();
}

class TrackerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hostkit::SetWallClockMs(kEpochMs);
    settings_.emplace(hostkit::InstallClientSettings());
    settings_->Set(vtracker::kEnableAbilityKey, true);
    root_ = std::filesystem::temp_directory_path() /
            ("vtracker_test_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  // Writes `text` as "vtracker.json" of a download directory named `name`; returns the directory.
  std::string WriteConfig(const std::string& name, const std::string& text) {
    const std::filesystem::path dir = root_ / name;
    std::filesystem::create_directories(dir);
    std::ofstream(dir / vtracker::kVTrackerConfigFileName, std::ios::binary) << text;
    return dir.string();
  }

  // The same, giving the file's path.
  std::string WriteConfigFile(const std::string& name, const std::string& text) {
    return (std::filesystem::path(WriteConfig(name, text)) / vtracker::kVTrackerConfigFileName).string();
  }

  // The client as it starts with a configuration saved by an earlier download.
  void StartWith(const std::string& text) {
    settings_->Set(vtracker::kLastResourceDirKey, WriteConfig("saved", text));
    vtracker::InitInterceptor();
    hostkit::RunUntilIdle();  // the parse answers on the main looper
  }

  static vtracker::VTrackerAnalytics& Tracker() { return *vtracker::VTrackerAnalytics::GetInstance(); }

  std::optional<hostkit::ClientSettings> settings_;
  std::filesystem::path root_;
};

}  // namespace vtracker_test
