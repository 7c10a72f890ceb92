// Analytics events of the library and its modules, forwarded to the host's reporter.
#pragma once

#include <map>
#include <string>

#include "module_api/export.h"

namespace velto_common::utils::analytics {

using Properties = std::map<std::string, std::string>;

VELTO_API void LogEvent(const std::string& name);
VELTO_API void LogEventWithProperty(const std::string& name, const std::string& key, const std::string& value);
VELTO_API void LogEventWith2Properties(const std::string& name, const std::string& key1,
                                       const std::string& value1, const std::string& key2,
                                       const std::string& value2);
// Adds "c_cpu_arch" (the URL-encoded processor architecture, "x86" for this build), then reports.
VELTO_API void LogEventWithProperties(const std::string& name, Properties properties);
VELTO_API void ActiveABTest(const std::string& experiment, const std::string& group);

}  // namespace velto_common::utils::analytics
