#include "module_api/analytics.h"

#include "base/analytics/analytics.h"
#include "util/crypto/url_encode.h"

namespace velto_common::utils::analytics {
namespace {
// The architecture the reporting pipeline knows this build by.
constexpr const char* kCpuArch = "x86";
}  // namespace

void LogEvent(const std::string& name) { base::analytics::LogEvent(name); }

void LogEventWithProperty(const std::string& name, const std::string& key, const std::string& value) {
  base::analytics::LogEventWithProperty(name, key, value);
}

void LogEventWith2Properties(const std::string& name, const std::string& key1, const std::string& value1,
                             const std::string& key2, const std::string& value2) {
  base::analytics::LogEventWith2Properties(name, key1, value1, key2, value2);
}

void LogEventWithProperties(const std::string& name, Properties properties) {
  properties["c_cpu_arch"] = util::crypto::RawUrlEncode(kCpuArch);
  base::analytics::LogEventWithProperties(name, std::move(properties));
}

void ActiveABTest(const std::string& experiment, const std::string& group) {
  base::analytics::ActiveABTest(experiment, group);
}

}  // namespace velto_common::utils::analytics
