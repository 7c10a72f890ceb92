#include "module_api/preferences/timeline.h"

#include "veltosdk/utils/timeline_service.h"

namespace velto_common::utils::timeline {
namespace {
veltosdk::ITimeLineService* Service() { return veltosdk::utils::service::GetTimeLineService(); }
}  // namespace

void LogEvent(const std::string& module, const std::string& category, const std::string& name) {
  if (auto* service = Service()) service->LogEvent(module, category, name);
}

void LogEvent(const std::string& name) {
  if (auto* service = Service()) service->LogEvent(name);
}

void LogEventWithProperty(const std::string& module, const std::string& category, const std::string& name,
                          const std::string& key, const std::string& value) {
  if (auto* service = Service()) service->LogEventWithProperty(module, category, name, key, value);
}

void LogEventWithProperties(const std::string& module, const std::string& category, const std::string& name,
                            const Properties& properties) {
  if (auto* service = Service()) service->LogEventWithProperties(module, category, name, properties);
}

void LogEventWithPropertiesImmediately(const std::string& name, const Properties& properties) {
  if (auto* service = Service()) service->LogEventWithPropertiesImmediately(name, properties);
}

void LogEventWithPropertiesImmediatelyWithRetry(const std::string& name, const Properties& properties,
                                                int retry_count) {
  if (auto* service = Service()) service->LogEventWithPropertiesImmediatelyWithRetry(name, properties, retry_count);
}

}  // namespace velto_common::utils::timeline
