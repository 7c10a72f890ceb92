#include "base/analytics/analytics.h"

#include <utility>

#include "base/analytics/analytics_record.h"

namespace base::analytics {

void LogEvent(const std::string& name) { host_internal::RecordAnalyticsEvent(name, {}); }

void LogEventWithProperty(const std::string& name, const std::string& key, const std::string& value) {
  host_internal::RecordAnalyticsEvent(name, {{key, value}});
}

void LogEventWith2Properties(const std::string& name, const std::string& key1, const std::string& value1,
                             const std::string& key2, const std::string& value2) {
  // A repeated key keeps its first value, as a map literal does.
  host_internal::RecordAnalyticsEvent(name, {{key1, value1}, {key2, value2}});
}

void LogEventWithProperties(const std::string& name, Properties properties) {
  host_internal::RecordAnalyticsEvent(name, std::move(properties));
}

void ActiveABTest(const std::string& experiment, const std::string& group) {
  host_internal::RecordABTest(experiment, group);
}

}  // namespace base::analytics
