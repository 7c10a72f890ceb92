// The tracker's life: start, the server's limits, configuration downloads and the parse of the
// configuration file. The decisions per tracked action are in vtracker_tracking.cpp.
#include "module_api/vtracker/vtracker_analytics.h"

#include <cstdio>
#include <filesystem>
#include <utility>

#include "base/async/parse_json_file.h"
#include "frame/scope_singleton.h"
#include "module_api/in_meeting/meeting_info.h"
#include "module_api/log.h"
#include "module_api/model/config_reader.h"
#include "module_api/vtracker/vtracker.h"
#include "util/file/file_util.h"
#include "vtracker/analytics/vtracker_log.h"

namespace vtracker {
namespace {

using velto::log::kFailure;
using velto::log::kNotable;
using velto::log::kRejected;
using velto::log::kTrace;

velto_common::utils::ScopeSingleton<VTrackerAnalytics> g_analytics;

// A stored limit; the default when none (or a useless one) is stored.
uint64_t StoredLimit(const char* key, uint64_t def) {
  const int64_t stored = velto::model::ReadClientSetting(key, static_cast<int64_t>(def));
  return stored > 0 ? static_cast<uint64_t>(stored) : def;
}

}  // namespace

VTrackerAnalytics* VTrackerAnalytics::GetInstance() { return g_analytics.Get(); }

VTrackerAnalytics::VTrackerAnalytics() = default;

VTrackerAnalytics::~VTrackerAnalytics() {
  if (ability_listening_) {
    if (auto* service = veltosdk::utils::service::GetAbilityConfigService()) {
      service->RemoveAbilityConfigListener(this);
    }
  }
  if (res_listening_) {
    if (auto* service = veltosdk::utils::service::GetDynamicResService()) {
      service->UnregisterDynamicResListener(kVTrackerResName, this);
    }
  }
}

void VTrackerAnalytics::Init() {
  if (!IsEnableVTracker()) {
    VELTO_LOG(kNotable) << kLogPrefix << "vtracker_enable close so can not load vtracker analytics";
    return;
  }
  if (started_) {
    VELTO_LOG(kTrace) << kLogPrefix << "analytics already started";
    return;
  }
  started_ = true;
  vtracker_limit_count_ = StoredLimit(kLimitCountKey, kDefaultLimitCount);
  vtracker_duration_ = StoredLimit(kDurationKey, kDefaultDurationMs);
  VELTO_LOG(kTrace) << kLogPrefix << "load vtracker_limit_count=" << vtracker_limit_count_
                    << " vtracker_duration=" << vtracker_duration_;

  if (auto* ability = veltosdk::utils::service::GetAbilityConfigService()) {
    ability_listening_ = ability->AddAbilityConfigListener(this);
  } else {
    VELTO_LOG(kFailure) << kLogPrefix << "ability config service not load";
  }
  if (auto* res = veltosdk::utils::service::GetDynamicResService()) {
    res_listening_ = res->RegisterDynamicResListener(kVTrackerResName, this);
  } else {
    VELTO_LOG(kFailure) << kLogPrefix << "dynamic res service not load";
  }
  LoadLocalConfig();
}

void VTrackerAnalytics::LoadLocalConfig() {
  const std::string dir = velto::model::ReadClientSetting(kLastResourceDirKey, "");
  if (dir.empty()) {
    VELTO_LOG(kNotable) << kLogPrefix << "local res dir is empty";
    return;
  }
  const std::string path = util::file::MakeFilePath(dir, kVTrackerConfigFileName);
  if (!util::file::PathExists(path)) {
    VELTO_LOG(kNotable) << kLogPrefix << "local res path not exists, file not found:" << path;
    return;
  }
  VELTO_LOG(kTrace) << kLogPrefix << "res path=" << path;
  LoadConfigFile(path);
}

void VTrackerAnalytics::LoadConfigFile(const std::string& path) {
  const uint64_t request = ++parse_requests_;
  std::weak_ptr<int> alive = alive_;
  base::async::ParseSmallJsonFile(path, [this, alive, request, path](bool ok, const base::json::JsonValue& document) {
    if (alive.expired()) return;
    OnConfigParsed(request, path, ok, document);
  });
}

void VTrackerAnalytics::OnConfigParsed(uint64_t request, const std::string& path, bool ok,
                                       const base::json::JsonValue& document) {
  if (request != parse_requests_) {
    VELTO_LOG(kTrace) << kLogPrefix << "a later configuration is being parsed, ignore " << path;
    return;
  }
  if (!ok) {
    VELTO_LOG(kRejected) << kLogPrefix << "parse json file failed, keep the current configuration, path=" << path;
    return;
  }
  VTrackerConfigMap map;
  if (!CreateConfigMap(document, &map)) {
    VELTO_LOG(kRejected) << kLogPrefix << "invalid configuration, keep the current one, path=" << path;
    return;
  }
  config_map_ = std::move(map);
  resource_dir_ = std::filesystem::path(path).parent_path().string();
  resource_version_ = velto_common::utils::meeting_info::GetProductVersion();
  VELTO_LOG(kTrace) << kLogPrefix << "configuration loaded, entries=" << config_map_.size() << " path=" << path;
}

void VTrackerAnalytics::UpdateLimit(veltosdk::IAbilityConfigService& service, const char* name,
                                    const char* setting_key, uint64_t* field) {
  const base::variant::Variant value = service.GetAbilityValue(kAbilityGroup, name);
  if (!value.IsInteger() || value.AsInteger() <= 0) {
    VELTO_LOG(kRejected) << kLogPrefix << name << " invalid from server, value=" << value;
    return;
  }
  *field = static_cast<uint64_t>(value.AsInteger());
  velto::model::WriteClientSetting(setting_key, value.AsInteger());
  VELTO_LOG(kTrace) << kLogPrefix << "update " << name << "=" << *field;
}

void VTrackerAnalytics::OnAbilityConfigChanged() {
  veltosdk::IAbilityConfigService* service = veltosdk::utils::service::GetAbilityConfigService();
  if (!service) return;
  UpdateLimit(*service, "vtracker_limit_count", kLimitCountKey, &vtracker_limit_count_);
  UpdateLimit(*service, "vtracker_duration", kDurationKey, &vtracker_duration_);
}

void VTrackerAnalytics::OnDynamicResUpdateStart(const std::string& res_name) {
  VELTO_LOG(kTrace) << kLogPrefix << "UpdateStart, res_name=" << res_name;
}

void VTrackerAnalytics::OnDynamicResUpdateProgress(const std::string& res_name, double progress) {
  if (base::log::GetLogLevel() < kTrace) return;
  char text[32];
  std::snprintf(text, sizeof(text), "%0.2lf", progress);
  VELTO_LOG(kTrace) << kLogPrefix << "UpdateProgress, progress=" << text << " res_name=" << res_name;
}

bool VTrackerAnalytics::IsAppUpdated() const {
  const std::string previous = velto::model::ReadClientSetting(kLastResourceVersionKey, "");
  const std::string current = velto_common::utils::meeting_info::GetProductVersion();
  VELTO_LOG(kTrace) << kLogPrefix << "version compare, previous_version=" << previous
                    << ", current_version=" << current;
  if (previous.empty()) {
    VELTO_LOG(kTrace) << kLogPrefix << "previous_version empty";
    return true;
  }
  if (current.empty()) {
    VELTO_LOG(kTrace) << kLogPrefix << "current_version empty";
    return false;
  }
  if (previous == current) {
    VELTO_LOG(kTrace) << kLogPrefix << "version equal";
    return false;
  }
  return true;
}

void VTrackerAnalytics::OnDynamicResUpdateComplete(const std::string& res_name, const std::string& path, int state) {
  VELTO_LOG(kTrace) << kLogPrefix << "UpdateComplete, path=" << path << ", state=" << state
                    << ", res_name=" << res_name;
  if (!IsEnableVTracker()) {
    VELTO_LOG(kNotable) << kLogPrefix << "vtracker disabled";
    return;
  }
  if (path.empty()) {
    // Nothing was put anywhere; a relative file name would be read from the working directory.
    VELTO_LOG(kRejected) << kLogPrefix << "download path is empty";
    return;
  }
  const bool app_updated = IsAppUpdated();
  const std::string saved_dir = velto::model::ReadClientSetting(kLastResourceDirKey, "");
  const bool dir_equal = saved_dir == path;
  VELTO_LOG(kTrace) << kLogPrefix << "version compare, saved_dir=" << saved_dir << ", download_dir=" << path
                    << ", is_app_updated=" << app_updated;
  base::variant::Variant decision = base::variant::Variant::Map();
  decision["is_app_updated"] = app_updated;
  decision["is_download_dir_equal"] = dir_equal;
  decision["need_parse_res"] = app_updated || !dir_equal;
  VELTO_LOG(kTrace) << kLogPrefix << "parse decision:" << decision;
  if (!decision.GetBoolean("need_parse_res")) return;

  LoadConfigFile(util::file::MakeFilePath(path, kVTrackerConfigFileName));
  velto::model::WriteClientSetting(kLastResourceVersionKey, velto_common::utils::meeting_info::GetProductVersion());
  velto::model::WriteClientSetting(kLastResourceDirKey, path);
}

}  // namespace vtracker
