// vtracker::VTrackerAnalytics: the tracker's state and decisions (one per process, made on first
// use). It holds the configuration map, the frequency limit and the report counts, loads the
// configuration file, follows the server's limits (ability group "visual_tracker") and the
// configuration downloads (dynamic resource "visual_tracking_conf"), and decides for each
// tracked action whether an event goes out.
//
//   vtracker::VTrackerAnalytics* tracker = vtracker::VTrackerAnalytics::GetInstance();
//   tracker->ExecuteTracking(vm_type, action, runtime);   // what the interceptor does
//
// An event goes out at most vtracker_limit_count + 1 times per event code within
// vtracker_duration milliseconds: the report that passes the limit also sends
// "e#home_page#event_tracking_pass_limit#exposure"; later ones in the window are dropped.
// Everything runs on the UI thread; the configuration file is parsed on the worker looper.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "framework/module/module.h"
#include "module_api/export.h"
#include "module_api/vtracker/vtracker_config.h"
#include "veltosdk/utils/ability_config_service.h"
#include "veltosdk/utils/dynamic_res_service.h"

namespace vtracker {

// Client settings of the configuration model (517).
inline constexpr char kEnableAbilityKey[] = "vtracker.vtracker_enable_ability";
inline constexpr char kLimitCountKey[] = "vtracker.vtracker_limit_count";
inline constexpr char kDurationKey[] = "vtracker.vtracker_duration";
inline constexpr char kLastResourceVersionKey[] = "vtracker.last_resource_version";
inline constexpr char kLastResourceDirKey[] = "vtracker.last_resource_dir";
// The server's limits.
inline constexpr char kAbilityGroup[] = "visual_tracker";
// Until the server or a stored setting says otherwise.
inline constexpr uint64_t kDefaultLimitCount = 20;
inline constexpr uint64_t kDefaultDurationMs = 60000;
inline constexpr char kPassLimitEvent[] = "e#home_page#event_tracking_pass_limit#exposure";

// Reports of one event code in the current window.
struct VTrackerEventCount {
  uint64_t count = 0;
  uint64_t window_start = 0;  // util::time::GetTimestampMsec
};

class VELTO_API VTrackerAnalytics : public veltosdk::IAbilityConfigListener, public veltosdk::IDynamicResListener {
 public:
  // Made on first use; destroyed at library teardown.
  static VTrackerAnalytics* GetInstance();

  VTrackerAnalytics();  // use GetInstance()
  ~VTrackerAnalytics() override;
  VTrackerAnalytics(const VTrackerAnalytics&) = delete;
  VTrackerAnalytics& operator=(const VTrackerAnalytics&) = delete;

  // Loads the stored limits, listens to the server's limits and configuration downloads, and
  // loads the configuration saved by the last download. Nothing while the switch is off; once
  // started, later calls do nothing.
  void Init();
  // The decision for one tracked action (or shown view): filter, lookup, frequency and version
  // checks, then the event.
  void ExecuteTracking(int vm_type, int action, framework::module::IModuleRuntime* runtime);
  // Parses a configuration file on the worker looper; when a valid document comes back, it
  // replaces the map (a later request wins over an earlier one still under way). A bad file is
  // logged and the map stays as it was.
  void LoadConfigFile(const std::string& path);

  // veltosdk::IAbilityConfigListener: stores the server's valid limits.
  void OnAbilityConfigChanged() override;
  // veltosdk::IDynamicResListener: a new configuration download.
  void OnDynamicResUpdateStart(const std::string& res_name) override;
  void OnDynamicResUpdateProgress(const std::string& res_name, double progress) override;
  // Parses the download when the client was updated or the download is in a new directory,
  // then remembers the version and the directory.
  void OnDynamicResUpdateComplete(const std::string& res_name, const std::string& path, int state) override;

  const VTrackerConfigMap& config_map() const { return config_map_; }
  uint64_t vtracker_limit_count() const { return vtracker_limit_count_; }
  uint64_t vtracker_duration() const { return vtracker_duration_; }
  // Reports counted for the event code in its current window (0 when none).
  uint64_t ReportCount(const std::string& event_code) const;
  // Where the map in use came from, and the client version that parsed it.
  const std::string& resource_dir() const { return resource_dir_; }
  const std::string& resource_version() const { return resource_version_; }
  bool started() const { return started_; }

 private:
  bool IsFrequencyLimited(const std::string& event_code, uint64_t now) const;
  void CountReport(const std::string& event_code, uint64_t now);
  // True when the client is at least the entry's begin_version (logged otherwise).
  bool CompareConfigVersion(const VTrackerConfigItem& item) const;
  bool IsAppUpdated() const;
  void LoadLocalConfig();
  void OnConfigParsed(uint64_t request, const std::string& path, bool ok, const base::json::JsonValue& document);
  void UpdateLimit(veltosdk::IAbilityConfigService& service, const char* name, const char* setting_key,
                   uint64_t* field);

  VTrackerConfigMap config_map_;
  uint64_t vtracker_limit_count_ = kDefaultLimitCount;
  uint64_t vtracker_duration_ = kDefaultDurationMs;
  std::map<std::string, VTrackerEventCount> event_counts_;
  std::string resource_dir_;
  std::string resource_version_;

  bool started_ = false;
  bool ability_listening_ = false;
  bool res_listening_ = false;
  uint64_t parse_requests_ = 0;
  // Parses answer after the tracker may be gone: they hold this weakly.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace vtracker
