// The decision for each tracked action: filter, configuration lookup, frequency limit, minimum
// client version, then the event and its count.
#include <cctype>
#include <string_view>
#include <vector>

#include "module_api/analytics.h"
#include "module_api/in_meeting/meeting_info.h"
#include "module_api/log.h"
#include "module_api/vtracker/vtracker.h"
#include "module_api/vtracker/vtracker_analytics.h"
#include "util/time/time_util.h"
#include "vtracker/analytics/vtracker_log.h"

namespace vtracker {
namespace {

using velto::log::kRejected;
using velto::log::kTrace;

// "3.26.0.100" as numbers; false (logged) when a part is not a plain decimal number.
bool SplitVersion(std::string_view text, std::vector<uint64_t>* parts) {
  if (text.empty()) {
    VELTO_LOG(kRejected) << kLogPrefix << "version config error:" << text;
    return false;
  }
  size_t begin = 0;
  while (true) {
    const size_t end = text.find('.', begin);
    const std::string_view part = text.substr(begin, end == std::string_view::npos ? text.npos : end - begin);
    // Up to 19 digits always fit in 64 bits.
    bool number = !part.empty() && part.size() <= 19;
    for (char c : part) number = number && std::isdigit(static_cast<unsigned char>(c));
    if (!number) {
      VELTO_LOG(kRejected) << kLogPrefix << "not number:" << part << " in " << text;
      return false;
    }
    uint64_t value = 0;
    for (char c : part) value = value * 10 + static_cast<uint64_t>(c - '0');
    parts->push_back(value);
    if (end == std::string_view::npos) return true;
    begin = end + 1;
  }
}

}  // namespace

void VTrackerAnalytics::ExecuteTracking(int vm_type, int action, framework::module::IModuleRuntime* runtime) {
  if (!IsEnableVTracker()) return;
  if (!CheckVTrackerIgnored(vm_type, action, runtime)) {
    VELTO_LOG(kTrace) << kLogPrefix << "in ignore module";
    return;
  }
  if (config_map_.empty()) return;
  const std::string key = MakeVTrackerMapKey(GetVTrackerPageHash(GetVTrackerModuleName(runtime), vm_type),
                                             GetVTrackerElementHash(action));
  auto it = config_map_.find(key);
  if (it == config_map_.end()) return;
  // A copy: the analytics call below must not see the entry change under it.
  const VTrackerConfigItem item = it->second;
  const uint64_t now = static_cast<uint64_t>(util::time::GetTimestampMsec());
  if (IsFrequencyLimited(item.event_code, now)) {
    VELTO_LOG(kTrace) << kLogPrefix << "event_code:" << item.event_code << " frequency limited";
    return;
  }
  if (!CompareConfigVersion(item)) return;
  VELTO_LOG(kTrace) << kLogPrefix << "LogEvent, event_name = [" << item.event_code << "]";
  velto_common::utils::analytics::LogEventWithProperties(
      item.event_code,
      {{"page_hash", item.page_hash}, {"element_hash", item.element_hash}, {"is_visualization", "1"}});
  CountReport(item.event_code, now);
}

bool VTrackerAnalytics::IsFrequencyLimited(const std::string& event_code, uint64_t now) const {
  auto it = event_counts_.find(event_code);
  if (it == event_counts_.end()) return false;
  // A window that has run out starts again with this report.
  if (now - it->second.window_start > vtracker_duration_) return false;
  return it->second.count > vtracker_limit_count_;
}

void VTrackerAnalytics::CountReport(const std::string& event_code, uint64_t now) {
  auto [it, added] = event_counts_.try_emplace(event_code, VTrackerEventCount{1, now});
  if (!added) {
    if (now - it->second.window_start <= vtracker_duration_) {
      ++it->second.count;
    } else {
      it->second = VTrackerEventCount{1, now};
    }
  }
  if (it->second.count > vtracker_limit_count_) {
    velto_common::utils::analytics::LogEventWithProperty(kPassLimitEvent, "pass_limit_event_code", event_code);
  }
}

uint64_t VTrackerAnalytics::ReportCount(const std::string& event_code) const {
  auto it = event_counts_.find(event_code);
  return it == event_counts_.end() ? 0 : it->second.count;
}

bool VTrackerAnalytics::CompareConfigVersion(const VTrackerConfigItem& item) const {
  if (item.begin_version.empty()) {
    VELTO_LOG(kTrace) << kLogPrefix << "begin_version is empty so ignored, event_code:" << item.event_code;
    return false;
  }
  const std::string current_version = velto_common::utils::meeting_info::GetProductVersion();
  std::vector<uint64_t> begin, current;
  if (!SplitVersion(item.begin_version, &begin) || !SplitVersion(current_version, &current)) return false;
  for (size_t i = 0; i < begin.size(); ++i) {
    if (i >= current.size()) {
      VELTO_LOG(kRejected) << kLogPrefix << "array out of bounds:" << i << " begin_version:" << item.begin_version
                           << " current_version:" << current_version;
      return false;
    }
    if (current[i] > begin[i]) return true;
    if (current[i] < begin[i]) {
      VELTO_LOG(kTrace) << kLogPrefix << "event_code:" << item.event_code << " begin_version:" << item.begin_version
                        << " less than current_version " << current_version;
      return false;
    }
  }
  return true;
}

}  // namespace vtracker
